#pragma once

#include <string_view>

namespace quillmora {

// Why a whole-file read or write did not happen. The program's windows never show these (a
// failed import is skipped, a failed export says nothing); the command-line tool does.
enum class FileProblem {
    None,
    NotFound,
    IsDirectory,
    AccessDenied,  // no rights, or a read-only file
    InUse,         // another process holds the file open
    TooLarge,      // 2 GiB or more: more than a word list can be imported from
    InvalidName,   // a name the file system rejects, wildcards included
    OutOfMemory,
    DiskFull,
    ReadFailed,
    WriteFailed,
};

// A short English description for messages of the command-line tool.
std::string_view describe(FileProblem problem) noexcept;

}  // namespace quillmora

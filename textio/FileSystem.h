#pragma once

#include <filesystem>
#include <string_view>

#include "textio/Bytes.h"
#include "textio/FileProblem.h"

namespace quillmora {

// The platform's file calls: one implementation for POSIX, one for Win32, chosen at build time.

// True when the path names an existing file or directory; a path with * or ? is true when it
// matches an entry. The empty path, and names the file system rejects, are false.
bool fileExists(const std::filesystem::path& path);

struct FileContent {
    Bytes bytes;  // empty on any failure
    FileProblem problem = FileProblem::None;
};

// The whole file in one read, opened for reading while denying other writers. Empty bytes on
// any failure: missing, a directory, no access, held open for writing, empty, 2 GiB or more.
FileContent readWholeFile(const std::filesystem::path& path);

// Creates or replaces the file with exactly these bytes. The bytes go to a temporary file in
// the target's folder, which replaces the target only once it is complete and flushed, so a
// failed write leaves any old file exactly as it was. A read-only target, or one another
// process holds open, is not replaced.
FileProblem writeWholeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quillmora

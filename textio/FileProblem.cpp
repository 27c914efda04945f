#include "textio/FileProblem.h"

namespace quillmora {

std::string_view describe(FileProblem problem) noexcept {
    switch (problem) {
        case FileProblem::None:
            return "no problem";
        case FileProblem::NotFound:
            return "no such file or folder";
        case FileProblem::IsDirectory:
            return "is a folder, not a file";
        case FileProblem::AccessDenied:
            return "permission denied or read-only";
        case FileProblem::InUse:
            return "in use by another process";
        case FileProblem::TooLarge:
            return "file is 2 GiB or larger";
        case FileProblem::InvalidName:
            return "not a valid file name";
        case FileProblem::OutOfMemory:
            return "not enough memory";
        case FileProblem::DiskFull:
            return "disk full or file size limit reached";
        case FileProblem::ReadFailed:
            return "read error";
        case FileProblem::WriteFailed:
            return "write error";
    }
    return "unknown problem";
}

}  // namespace quillmora

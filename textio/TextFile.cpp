#include "textio/TextFile.h"

#include "textio/FileSystem.h"

namespace quillmora {

Text bytesToText(Bytes bytes) {
    const auto nul = bytes.find('\0');
    if (nul != Bytes::npos) {
        bytes.resize(nul);
    }
    return bytes;
}

Text readTextFile(const std::filesystem::path& path) {
    return bytesToText(std::move(readWholeFile(path).bytes));
}

}  // namespace quillmora

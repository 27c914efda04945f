#pragma once

#include <filesystem>
#include <string_view>

#include "core/Text.h"
#include "textio/Bytes.h"

namespace quillmora {

// The bytes up to the first NUL byte.
Text bytesToText(Bytes bytes);

// `bytesToText` of `readWholeFile`: the empty text when the file cannot be read.
Text readTextFile(const std::filesystem::path& path);

}  // namespace quillmora

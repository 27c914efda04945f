#pragma once

#include <string>

namespace quillmora {

// The content of a whole file: a byte string of known length that may hold NUL bytes.
using Bytes = std::string;

}  // namespace quillmora

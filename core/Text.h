#pragma once

#include <string>

namespace quillmora {

// A word or phrase as the user's files hold it: bytes in code page 936 (GBK), never converted.
// Two texts are equal exactly when their bytes are; the empty text is a valid value.
using Text = std::string;

}  // namespace quillmora

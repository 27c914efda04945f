#pragma once

#include <string_view>

#include "textio/PieceList.h"

namespace quillmora {

// Splits the text at every match of the separator, in one pass from the front. A byte of 0x80
// or more begins a two-byte character, and a separator is matched only where a character
// begins. No text gives no pieces; the empty separator gives the whole text as one piece; a
// separator at the very end gives no empty last piece.
PieceList splitText(std::string_view text, std::string_view separator = ",");

}  // namespace quillmora

#pragma once

#include <QString>
#include <optional>
#include <string_view>

#include "core/Text.h"

namespace quillmora {

// The one boundary between the program's words (code page 936 bytes) and what Qt shows.
// Qt 6 on Debian reaches GBK through ICU, whose GBK is code page 936 ("€" is 0x80).

// Bytes that are not GBK show as U+FFFD; the list's bytes themselves are never touched.
QString decodeGbk(std::string_view bytes);

// Nothing when the text holds a character that GBK cannot hold.
std::optional<Text> encodeGbk(const QString& text);

// The first character (a whole surrogate pair for one beyond the BMP) that GBK cannot hold,
// or an empty string when all of them fit.
QString firstCharacterOutsideGbk(const QString& text);

}  // namespace quillmora

#pragma once

class QLineEdit;

namespace quillmora {

// Words are code page 936 bytes, so a field whose text becomes a word refuses a character
// that GBK cannot hold (an emoji, "•") instead of storing '?' in its place: the field keeps
// the text it had and a box names the character. Every such field takes its guard from here.
void guardGbkInput(QLineEdit& field);

}  // namespace quillmora

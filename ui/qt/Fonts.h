#pragma once

#include <QFont>

#include "ui/WindowDeclaration.h"

namespace quillmora {

// Named faces, so that line heights and places come out the same on every machine whatever
// other CJK fonts are installed; the Debian package depends on the first one.
void installProgramFonts();

// The declared font over the program's default GUI font.
QFont fontFor(const FontDeclaration& declaration);

// The face and size that the input box's dialog units are measured in ("宋体", 9 points).
QFont inputBoxFont();

}  // namespace quillmora

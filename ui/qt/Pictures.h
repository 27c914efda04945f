#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "ui/WindowDeclaration.h"

namespace quillmora {

// The program's own artwork, drawn at 32 x 32 on a transparent ground.
QPixmap pictureFor(Picture picture);

// The title-bar, task-bar and desktop-entry icon: a plus sign and a double chevron, white on
// a blue tile.
QImage programIconImage(int side);
QIcon programIcon();

}  // namespace quillmora

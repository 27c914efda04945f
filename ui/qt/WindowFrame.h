#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quillmora {

// Declared sizes are outer sizes of a Windows fixed single frame and the control places were
// laid out in the client area it leaves. These are that frame's metrics at 96 DPI with the
// standard (Luna) theme of Windows XP: a 3-pixel fixed frame (SM_CXFIXEDFRAME) and a 26-pixel
// caption (SM_CYCAPTION, its bottom line included). A 795 x 583 window has a 789 x 551 client
// area, which leaves the same margin below the last row of buttons as above the first group.
inline constexpr int kFrameBorder = 3;
inline constexpr int kCaptionHeight = 26;

constexpr QSize clientSizeFor(int outerWidth, int outerHeight) {
    return {outerWidth - 2 * kFrameBorder, outerHeight - 2 * kFrameBorder - kCaptionHeight};
}

// Left and top of the outer frame, centred on the screen in integer division.
constexpr QPoint centredOrigin(const QRect& screen, int outerWidth, int outerHeight) {
    return {screen.x() + (screen.width() - outerWidth) / 2,
            screen.y() + (screen.height() - outerHeight) / 2};
}

}  // namespace quillmora

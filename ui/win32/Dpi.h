#pragma once

#include <windows.h>

namespace quillmora::win32 {

// Declared places and sizes are pixels at 96 DPI; these give them at the DPI a window is shown
// at. The per-monitor functions are looked up at run time, so the program still starts on a
// Windows that lacks them (it is then scaled by the system DPI).
inline constexpr UINT kDeclaredDpi = 96;

UINT systemDpi();
UINT windowDpi(HWND window);
// The message font of the system at `dpi`: the system's default GUI font.
LOGFONTW defaultGuiFont(UINT dpi);

inline int scaled(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDeclaredDpi));
}

}  // namespace quillmora::win32

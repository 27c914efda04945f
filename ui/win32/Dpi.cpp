#include "ui/win32/Dpi.h"

namespace quillmora::win32 {
namespace {

template <class Function>
Function user32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

UINT screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen == nullptr ? 0 : GetDeviceCaps(screen, LOGPIXELSX);
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : kDeclaredDpi;
}

}  // namespace

UINT systemDpi() {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = user32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    const UINT dpi = getDpiForSystem != nullptr ? getDpiForSystem() : 0;
    return dpi != 0 ? dpi : screenDpi();
}

UINT windowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : systemDpi();
}

LOGFONTW defaultGuiFont(UINT dpi) {
    using ForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto parametersForDpi =
        user32Function<ForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parametersForDpi != nullptr &&
        parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        return metrics.lfMessageFont;
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        LOGFONTW font = metrics.lfMessageFont;
        font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
        return font;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

}  // namespace quillmora::win32

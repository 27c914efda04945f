#include "ui/win32/WideText.h"

#include <windows.h>

#include <limits>

namespace quillmora::win32 {
namespace {

constexpr UINT kCodePage936 = 936;

int clampedLength(std::size_t size) {
    return size > static_cast<std::size_t>(std::numeric_limits<int>::max())
               ? std::numeric_limits<int>::max()
               : static_cast<int>(size);
}

std::wstring toWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length = clampedLength(bytes.size());
    const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), needed);
    return wide;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view utf8) {
    return toWide(CP_UTF8, utf8);
}

std::wstring wideFromText(std::string_view cp936) {
    return toWide(kCodePage936, cp936);
}

std::string utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = clampedLength(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

Text textFromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = clampedLength(wide.size());
    // Flags 0 and the code page's default character: exactly what GetWindowTextA gives an ANSI
    // program running under code page 936.
    const int needed =
        WideCharToMultiByte(kCodePage936, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    Text text(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kCodePage936, 0, wide.data(), length, text.data(), needed, nullptr,
                        nullptr);
    // A NUL cannot be part of a Text; an edit box cannot hold one, but a pasted one would cut.
    if (const auto nul = text.find('\0'); nul != Text::npos) {
        text.resize(nul);
    }
    return text;
}

}  // namespace quillmora::win32

#pragma once

#include <string>
#include <string_view>

#include "core/Text.h"

namespace quillmora::win32 {

// The one boundary where text changes its encoding. The program's fixed texts are UTF-8; the
// user's words are code page 936 bytes, converted with that code page explicitly (never the
// process's ANSI code page), so Chinese shows on any Windows locale.
std::wstring wideFromUtf8(std::string_view utf8);
std::wstring wideFromText(std::string_view cp936);
std::string utf8FromWide(std::wstring_view wide);
// What the user typed, as an ANSI program of code page 936 gets it: characters the code page
// lacks become a look-alike where Windows has a best fit for them, else "?".
Text textFromWide(std::wstring_view wide);

}  // namespace quillmora::win32

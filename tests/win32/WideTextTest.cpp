// The encoding boundary of the Windows front end, under the code page tables of the system.
#include <gtest/gtest.h>

#include <string>

#include "ui/win32/WideText.h"

namespace quillmora::win32 {
namespace {

TEST(WideText, CodePage936BytesRoundTrip) {
    const Text words = "\xD6\xD0\xCE\xC4 abc\t\xA1\xA3";  // "中文 abc\t。"
    EXPECT_EQ(wideFromText(words), L"\u4E2D\u6587 abc\t\u3002");
    EXPECT_EQ(textFromWide(wideFromText(words)), words);
    EXPECT_EQ(wideFromUtf8("组合完成！"), L"\u7EC4\u5408\u5B8C\u6210\uFF01");
    EXPECT_EQ(utf8FromWide(L"\u7EC4\u5408"), "组合");
    EXPECT_EQ(textFromWide(L""), "");
}

// What an ANSI program of code page 936 gets for characters the code page lacks.
TEST(WideText, CharactersCodePage936LacksBecomeQuestionMarks) {
    EXPECT_EQ(textFromWide(L"a\uD55Cb"), "a?b");               // Hangul
    EXPECT_EQ(textFromWide(L"\U0001F600"), "??");              // one '?' per UTF-16 unit
    EXPECT_EQ(textFromWide(L"\u20AC\u00E9"), "\x80\xA8\xA6");  // these it has
}

}  // namespace
}  // namespace quillmora::win32

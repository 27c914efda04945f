#include "textio/TextFile.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace quillmora {
namespace {

using testing::TestFolder;

TEST(BytesToText, CutsAtTheFirstNulByte) {
    EXPECT_EQ(bytesToText(std::string("ab\0cd\0", 6)), "ab");
    EXPECT_EQ(bytesToText(std::string("\0ab", 3)), "");
    EXPECT_EQ(bytesToText(""), "");
    EXPECT_EQ(bytesToText("\xB0\xA1\r\n"), "\xB0\xA1\r\n");
}

TEST(ReadTextFile, TakesTheBytesAsTheyAre) {
    const TestFolder folder;
    // UTF-16 is cut at its first NUL byte; a UTF-8 byte-order mark stays.
    EXPECT_EQ(readTextFile(folder.write("utf16.txt", std::string("\xFF\xFE\x61\x00\x62\x00", 6))),
              "\xFF\xFE\x61");
    EXPECT_EQ(readTextFile(folder.write("utf8.txt", "\xEF\xBB\xBFword\r\n")),
              "\xEF\xBB\xBFword\r\n");
    EXPECT_EQ(readTextFile(folder.write("lf.txt", "a\nb\n")), "a\nb\n");
    EXPECT_EQ(readTextFile(folder.write("nul.txt", std::string("\0abc", 4))), "");
}

TEST(ReadTextFile, GivesTheEmptyTextWhenThereIsNothingToRead) {
    const TestFolder folder;
    EXPECT_EQ(readTextFile(folder.write("empty.txt", "")), "");
    EXPECT_EQ(readTextFile(folder / "missing.txt"), "");
    EXPECT_EQ(readTextFile(folder.path()), "");
    EXPECT_EQ(readTextFile(""), "");
}

}  // namespace
}  // namespace quillmora

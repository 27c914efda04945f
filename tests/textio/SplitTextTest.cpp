#include "textio/SplitText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quillmora {
namespace {

std::vector<std::string> piecesOf(std::string_view text, std::string_view separator) {
    const PieceList list = splitText(text, separator);
    return {list.begin(), list.end()};
}

// The split written step by step, one position at a time: what the fast scan must equal.
std::vector<std::string> referenceSplit(std::string_view text, std::string_view separator) {
    const std::size_t n = text.size();
    const std::size_t m = separator.size();
    std::vector<std::string> pieces;
    if (n == 0) {
        return pieces;
    }
    if (m == 0) {
        return {std::string(text)};
    }
    std::size_t start = 0;
    std::size_t pos = 0;
    std::size_t remaining = n;
    while (remaining >= m) {
        if (text.substr(pos, m) == separator) {
            pieces.emplace_back(text.substr(start, pos - start));
            pos += m;
            remaining -= m;
            start = pos;
        } else if (static_cast<unsigned char>(text[pos]) >= 0x80) {
            if (pos == n - 1) {
                break;
            }
            pos += 2;
            remaining -= 2;
        } else {
            pos += 1;
            remaining -= 1;
        }
    }
    if (start < n) {
        pieces.emplace_back(text.substr(start));
    }
    return pieces;
}

struct SplitCase {
    std::string text;
    std::string separator;
    std::vector<std::string> pieces;
};

TEST(SplitText, TableOfCases) {
    const std::vector<SplitCase> cases = {
        {"a\r\nb\r\nc", "\r\n", {"a", "b", "c"}},
        {"a\r\nb\r\n", "\r\n", {"a", "b"}},
        {"\r\na\r\n\r\nb", "\r\n", {"", "a", "", "b"}},
        {"\r\n", "\r\n", {""}},
        {"\r\n\r\n", "\r\n", {"", ""}},
        {"abc", "\r\n", {"abc"}},
        {"", "\r\n", {}},
        {"a\r\nb", "", {"a\r\nb"}},
        {"a\nb\r\nc", "\r\n", {"a\nb", "c"}},
        {"a\r\r\nb", "\r\n", {"a\r", "b"}},
        {"a,b,,c,", ",", {"a", "b", "", "c"}},
        {"x--y---z", "--", {"x", "y", "-z"}},
        {"ab", "abc", {"ab"}},
        {"\xB0\xA1,b", ",", {"\xB0\xA1", "b"}},
        {"\xB0,\xA1,b", ",", {"\xB0,\xA1,b"}},
        {"a\xE4\xB8\xAD\r\nb", "\r\n", {"a\xE4\xB8\xAD\r\nb"}},
        {"a\xE4\xB8\r\nb", "\r\n", {"a\xE4\xB8", "b"}},
        {"a\xB0", ",", {"a\xB0"}},
        // A separator that starts with a lead byte matches only where a character begins.
        {"\xB0\xA1\xB0\xA1", "\xA1\xB0", {"\xB0\xA1\xB0\xA1"}},
        {"a\xB0\xA1\xB0\xA1", "\xB0\xA1", {"a", ""}},
        {"a\xB0", "\xB0", {"a"}},
        // Trail bytes below 0x80 (GBK allows 0x40 to 0x7E) are part of their character.
        {"\x81,\x81,,", ",", {"\x81,\x81,"}},
        {"\x81@@x", "@", {"\x81@", "x"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(piecesOf(c.text, c.separator), c.pieces)
            << "text of " << c.text.size() << " bytes, separator of " << c.separator.size();
    }
}

TEST(SplitText, DefaultSeparatorIsComma) {
    EXPECT_EQ(piecesOf("a,b", ","), std::vector<std::string>({"a", "b"}));
    const PieceList list = splitText("a,b");
    EXPECT_EQ(list.size(), 2u);
}

TEST(SplitText, PiecesOutliveTheTextAndSurviveAMove) {
    PieceList moved;
    {
        std::string text = "one\r\ntwo";
        PieceList list = splitText(text, "\r\n");
        text.assign(text.size(), 'x');
        moved = std::move(list);
    }
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0], "one");
    EXPECT_EQ(moved[1], "two");
}

// Random texts over an alphabet that mixes lead bytes, trail bytes below 0x80 and the
// separators' own bytes, so that every branch of the scan is taken many times.
TEST(SplitText, MatchesTheStepByStepSplitOnRandomTexts) {
    const std::string alphabet = {'a', ',', '\r', '\n', '-', '@', '\x80', '\xB0', '\xA1', '\xFF'};
    std::mt19937 random(20261211);
    auto randomText = [&](std::size_t maxLength) {
        std::string s(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), ' ');
        for (char& c : s) {
            c = alphabet[random() % alphabet.size()];
        }
        return s;
    };
    for (int round = 0; round < 200000; ++round) {
        const std::string text = randomText(24);
        const std::string separator = randomText(3);
        ASSERT_EQ(piecesOf(text, separator), referenceSplit(text, separator)) << "round " << round;
    }
}

TEST(SplitText, LongRunsOfLeadBytesStayLinear) {
    // Every byte is a candidate for the separator's first byte; a scan that looked back from
    // the start of the text at each one would take minutes here.
    const std::string text(4 << 20, '\xB0');
    const PieceList list = splitText(text, "\xB0,");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].size(), text.size());
    const std::string odd = "a" + text + "\xB0,x";
    EXPECT_EQ(piecesOf(odd, "\xB0,"), referenceSplit(odd, "\xB0,"));
}

}  // namespace
}  // namespace quillmora

#include "core/PrefixOverlap.h"

#include <gtest/gtest.h>

namespace quillmora {
namespace {

TEST(PrefixOverlap, MarksEveryWordInAPrefixRelation) {
    struct Case {
        std::vector<const char*> words;
        std::vector<bool> overlaps;
    };
    const std::vector<Case> cases = {
        {{}, {}},
        {{"a"}, {false}},
        {{"b", "a", "c"}, {false, false, false}},
        {{"a", "ab", "ac"}, {true, true, true}},  // "ac" is not next to "a" in sorted order
        {{"ac", "b", "a"}, {true, false, true}},
        {{"x", "x"}, {true, true}},
        {{"", "q"}, {true, true}},
        {{"ab", "abc", "abd", "b"}, {true, true, true, false}},
        {{"abc", "abd", "ab"}, {true, true, true}},
    };
    for (const Case& c : cases) {
        WordList list;
        for (const char* w : c.words) list.append(w);
        EXPECT_EQ(findPrefixOverlaps(list), c.overlaps) << c.words.size();
    }
}

TEST(PrefixOverlap, EqualItems) {
    WordList list;
    EXPECT_FALSE(hasEqualItems(list));
    list.append("a");
    list.append("b");
    EXPECT_FALSE(hasEqualItems(list));
    list.append("a");
    EXPECT_TRUE(hasEqualItems(list));
}

}  // namespace
}  // namespace quillmora

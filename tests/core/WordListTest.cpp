#include "core/WordList.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quillmora {
namespace {

std::vector<Text> itemsOf(const WordList& list) {
    std::vector<Text> items;
    for (WordList::Position p = 0; p < list.count(); ++p) {
        items.push_back(list.itemAt(p));
    }
    return items;
}

TEST(WordList, StoreKeepsOrderEmptyTextAndDuplicates) {
    WordList list;
    EXPECT_EQ(list.count(), 0);
    list.append("b");
    list.append("");
    list.append("a");
    list.append("b");
    EXPECT_EQ(itemsOf(list), (std::vector<Text>{"b", "", "a", "b"}));
    EXPECT_TRUE(list.contains(""));
    EXPECT_TRUE(list.contains("b"));
    EXPECT_FALSE(list.contains("c"));
}

TEST(WordList, PositionsOutsideTheListAreHarmless) {
    WordList list;
    list.append("x");
    EXPECT_EQ(list.itemAt(-1), "");
    EXPECT_EQ(list.itemAt(1), "");
    EXPECT_EQ(list.itemAt(WordList::kMaxCount), "");
    list.removeAt(-1);
    list.removeAt(1);
    EXPECT_EQ(itemsOf(list), std::vector<Text>{"x"});
}

TEST(WordList, EqualityIsExactBytes) {
    WordList list;
    list.append("abc");
    list.append("\xB0\xA1 word");  // GBK 啊 followed by an ordinary space
    for (const char* other : {"ABC", " abc", "abc ", "ab", "abcd", "\xB0\xA1\xA1\xA1word"}) {
        EXPECT_FALSE(list.contains(other)) << other;
    }
    EXPECT_TRUE(list.contains("abc"));
    EXPECT_TRUE(list.contains(std::string_view("\xB0\xA1 word")));
}

TEST(WordList, SkipRule) {
    WordList list;
    EXPECT_TRUE(list.isSkipped(""));
    EXPECT_FALSE(list.isSkipped("a"));
    for (const char* text : {"a", "b", "a"}) {
        if (!list.isSkipped(text)) {
            list.append(text);
        }
    }
    EXPECT_EQ(itemsOf(list), (std::vector<Text>{"a", "b"}));
    EXPECT_TRUE(list.isSkipped("a"));
    EXPECT_TRUE(list.isSkipped(""));
}

TEST(WordList, SelectionFollowsTheStore) {
    WordList list;
    EXPECT_EQ(list.selection(), WordList::kNoSelection);
    for (const char* text : {"a", "b", "c", "d"}) {
        list.append(text);
    }
    list.select(2);
    list.append("e");
    EXPECT_EQ(list.selection(), 2);
    list.removeAt(0);  // the selected item moves up with the others
    EXPECT_EQ(list.selection(), 1);
    EXPECT_EQ(list.itemAt(list.selection()), "c");
    list.removeAt(3);
    EXPECT_EQ(list.selection(), 1);
    list.removeAt(1);
    EXPECT_EQ(list.selection(), WordList::kNoSelection);
    list.select(7);
    EXPECT_EQ(list.selection(), WordList::kNoSelection);
    list.select(0);
    list.clear();
    EXPECT_EQ(list.selection(), WordList::kNoSelection);
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.contains("b"));
}

// The index must answer exactly as a scan of the items would, through every mix of appends,
// removals, unindexed appends and clears.
TEST(WordList, IndexAgreesWithAScanThroughRandomChanges) {
    std::mt19937 random(7);
    WordList list;
    std::vector<Text> model;
    auto randomWord = [&random] {
        std::string word(random() % 4, 'a');
        for (char& c : word) {
            c = static_cast<char>('a' + random() % 3);
        }
        return word;
    };
    for (int step = 0; step < 20000; ++step) {
        const auto action = random() % 100;
        const std::string word = randomWord();
        if (action < 45) {
            const bool expected =
                !word.empty() && std::find(model.begin(), model.end(), word) == model.end();
            ASSERT_EQ(list.appendIfNew(word), expected);
            if (expected) {
                model.push_back(word);
            }
        } else if (action < 60) {
            list.append(word);
            model.push_back(word);
        } else if (action < 70) {
            if (std::find(model.begin(), model.end(), word) == model.end() && !word.empty()) {
                list.appendKnownNew(word);
                model.push_back(word);
            }
        } else if (action < 95) {
            if (!model.empty()) {
                const auto p = static_cast<WordList::Position>(random() % model.size());
                list.removeAt(p);
                model.erase(model.begin() + p);
            }
        } else if (action < 96) {
            list.clear();
            model.clear();
        }
        const std::string probe = randomWord();
        ASSERT_EQ(list.contains(probe), std::find(model.begin(), model.end(), probe) != model.end())
            << "step " << step;
    }
    EXPECT_EQ(itemsOf(list), model);
}

TEST(WordList, AppendEachIfNewIsTheSkipRuleInOrder) {
    WordList list;
    list.append("b");
    const std::vector<std::string_view> texts{"a", "", "b", "c", "a", "d", "c"};
    // Longer than one look-ahead batch, with repeats across the batch boundary.
    std::vector<std::string_view> many;
    std::vector<std::string> storage;
    for (int i = 0; i < 100; ++i) {
        storage.push_back("w" + std::to_string(i % 37));
    }
    for (const auto& s : storage) {
        many.push_back(s);
    }
    list.appendEachIfNew(texts);
    EXPECT_EQ(itemsOf(list), (std::vector<Text>{"b", "a", "c", "d"}));
    list.appendEachIfNew(many);
    EXPECT_EQ(list.count(), 4 + 37);
    EXPECT_EQ(list.itemAt(4), "w0");
    EXPECT_EQ(list.itemAt(40), "w36");
}

}  // namespace
}  // namespace quillmora

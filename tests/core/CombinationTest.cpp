#include "core/Combination.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace quillmora {
namespace {

WordList listOf(std::initializer_list<const char*> items) {
    WordList list;
    for (const char* item : items) {
        list.append(item);
    }
    return list;
}

std::vector<Text> itemsOf(const WordList& list) {
    std::vector<Text> items;
    for (WordList::Position p = 0; p < list.count(); ++p) {
        items.push_back(list.itemAt(p));
    }
    return items;
}

std::uint32_t tickOne() noexcept {
    return 1;
}

struct Counts {
    int candidates = 0;
    int phrases = 0;
};

void run(const WordList& mainWords, const WordList& longTailWords, WordList& combined,
         CombineRules rules, Counts* counts = nullptr, RandomIndexSource* source = nullptr) {
    RandomIndexSource fallback(tickOne);
    Counts ignored;
    Counts& c = counts ? *counts : ignored;
    runCombination(
        mainWords, longTailWords, combined, rules, source ? *source : fallback,
        [&c] {
            ++c.candidates;
            return RunDecision::Continue;
        },
        [&c](const WordList&) { ++c.phrases; });
}

constexpr CombineRules kSequentialMainFirst{CombineMode::Sequential, CombineOrder::MainFirst};
constexpr CombineRules kSequentialLongTailFirst{CombineMode::Sequential,
                                                CombineOrder::LongTailFirst};
constexpr CombineRules kRandomMainFirst{CombineMode::Random, CombineOrder::MainFirst};
constexpr CombineRules kRandomLongTailFirst{CombineMode::Random, CombineOrder::LongTailFirst};

struct Case {
    const char* name;
    CombineRules rules;
    std::vector<const char*> mainWords;
    std::vector<const char*> longTailWords;
    std::vector<const char*> combinedBefore;
    std::vector<Text> combinedAfter;
    int candidates;
};

TEST(RunCombination, Cases) {
    const std::vector<Case> cases = {
        {"sequential main first",
         kSequentialMainFirst,
         {"A", "B"},
         {"x", "y"},
         {},
         {"Ax", "Ay", "Bx", "By"},
         4},
        {"sequential long tail first keeps main words outside",
         kSequentialLongTailFirst,
         {"A", "B"},
         {"x", "y"},
         {},
         {"xA", "yA", "xB", "yB"},
         4},
        {"no separator", kSequentialLongTailFirst, {"red"}, {"car"}, {}, {"carred"}, 1},
        {"empty main list", kSequentialMainFirst, {}, {"x"}, {}, {}, 0},
        {"empty main list random", kRandomMainFirst, {}, {"x"}, {}, {}, 0},
        {"empty long-tail list sequential", kSequentialMainFirst, {"a"}, {}, {}, {}, 0},
        {"empty long-tail list random", kRandomMainFirst, {"a", "b"}, {}, {}, {"a", "b"}, 2},
        {"empty long-tail list random, long tail first",
         kRandomLongTailFirst,
         {"a", "b"},
         {},
         {},
         {"a", "b"},
         2},
        {"one long-tail word random", kRandomMainFirst, {"m", "n"}, {"x"}, {}, {"mx", "nx"}, 2},
        {"one long-tail word random, long tail first",
         kRandomLongTailFirst,
         {"m", "n"},
         {"x"},
         {},
         {"xm", "xn"},
         2},
        {"equal candidates in one run",
         kSequentialMainFirst,
         {"ab", "a"},
         {"c", "bc"},
         {},
         {"abc", "abbc", "ac"},
         4},
        {"earlier phrases stay and count",
         kSequentialMainFirst,
         {"a"},
         {"x", "y"},
         {"ay", "q"},
         {"ay", "q", "ax"},
         2},
        {"empty words give no empty phrase",
         kSequentialMainFirst,
         {"", "a"},
         {"", "b"},
         {},
         {"b", "a", "ab"},
         4},
        {"seed 1 draws 2, 2, 1",
         kRandomMainFirst,
         {"one", "two", "six"},
         {"x", "y", "z"},
         {},
         {"onez", "twoz", "sixy"},
         3},
    };
    for (const Case& c : cases) {
        WordList mainWords;
        for (const char* w : c.mainWords) mainWords.append(w);
        WordList longTailWords;
        for (const char* w : c.longTailWords) longTailWords.append(w);
        WordList combined;
        for (const char* w : c.combinedBefore) combined.append(w);
        Counts counts;
        run(mainWords, longTailWords, combined, c.rules, &counts);
        EXPECT_EQ(itemsOf(combined), c.combinedAfter) << c.name;
        EXPECT_EQ(counts.candidates, c.candidates) << c.name;
        EXPECT_EQ(counts.phrases,
                  static_cast<int>(c.combinedAfter.size() - c.combinedBefore.size()))
            << c.name;
    }
}

TEST(RunCombination, SecondRunAddsNothingAndDeletedPhrasesComeBack) {
    const WordList mainWords = listOf({"a", "b"});
    const WordList longTailWords = listOf({"x", "y"});
    WordList combined;
    run(mainWords, longTailWords, combined, kSequentialMainFirst);
    Counts counts;
    run(mainWords, longTailWords, combined, kSequentialMainFirst, &counts);
    EXPECT_EQ(counts.phrases, 0);
    EXPECT_EQ(counts.candidates, 4);
    combined.removeAt(1);  // "ay"
    run(mainWords, longTailWords, combined, kSequentialMainFirst);
    EXPECT_EQ(itemsOf(combined), (std::vector<Text>{"ax", "bx", "by", "ay"}));
    EXPECT_TRUE(combined.contains("ay"));
}

TEST(RunCombination, RandomSeedsEveryRunAndSequentialNever) {
    RandomIndexSource source(tickOne);
    WordList combined;
    run(WordList(), listOf({"x"}), combined, kRandomMainFirst, nullptr, &source);
    EXPECT_EQ(source.seedOffset(), (1U & 0xFFU) + 100U);
    const auto offset = source.seedOffset();
    run(listOf({"a"}), listOf({"x", "y"}), combined, kSequentialMainFirst, nullptr, &source);
    EXPECT_EQ(source.seedOffset(), offset);
}

TEST(RunCombination, StopsAtTheNextCandidateWithoutTouchingAList) {
    const WordList mainWords = listOf({"a", "b", "c"});
    const WordList longTailWords = listOf({"x", "y"});
    for (const CombineRules rules : {kSequentialMainFirst, kRandomLongTailFirst}) {
        WordList combined;
        RandomIndexSource source(tickOne);
        int calls = 0;
        runCombination(
            mainWords, longTailWords, combined, rules, source,
            [&calls] { return ++calls == 3 ? RunDecision::Stop : RunDecision::Continue; },
            [](const WordList&) {});
        EXPECT_EQ(calls, 3);
        EXPECT_EQ(combined.count(), 2);
    }
}

TEST(RunCombination, PhraseAddedSeesTheGrowingList) {
    WordList combined;
    std::vector<int> seen;
    RandomIndexSource source(tickOne);
    runCombination(
        listOf({"a", "b"}), listOf({"x"}), combined, kSequentialMainFirst, source,
        [] { return RunDecision::Continue; },
        [&seen](const WordList& list) { seen.push_back(list.count()); });
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

// The run as the rules state it: a scan of the combined list for every candidate.
std::vector<Text> referenceRun(const std::vector<Text>& mainWords,
                               const std::vector<Text>& longTailWords, std::vector<Text> combined,
                               CombineRules rules, RandomIndexSource& source) {
    auto offer = [&combined](const Text& candidate) {
        if (!candidate.empty() &&
            std::find(combined.begin(), combined.end(), candidate) == combined.end()) {
            combined.push_back(candidate);
        }
    };
    auto join = [rules](const Text& m, const Text& t) {
        return rules.order == CombineOrder::MainFirst ? m + t : t + m;
    };
    const auto l = static_cast<std::int32_t>(longTailWords.size());
    if (rules.mode == CombineMode::Random) {
        source.seedFromClock();
        for (const Text& m : mainWords) {
            const auto r = source.draw(0, l - 1);
            offer(join(m, r < l ? longTailWords[static_cast<std::size_t>(r)] : Text()));
        }
    } else {
        for (const Text& m : mainWords) {
            for (const Text& t : longTailWords) {
                offer(join(m, t));
            }
        }
    }
    return combined;
}

// Random small lists over a tiny alphabet make prefixes, equal words and empty words common,
// so both the probing road and the road without probes meet every kind of collision.
TEST(RunCombination, AgreesWithTheReferenceOnRandomLists) {
    std::mt19937 random(2024);
    auto randomWords = [&random](std::size_t n) {
        std::vector<Text> words;
        for (std::size_t i = 0; i < n; ++i) {
            Text word(random() % 4, 'a');
            for (char& c : word) {
                c = "ab\xB0"[random() % 3];
            }
            words.push_back(word);
        }
        return words;
    };
    const CombineRules allRules[] = {kSequentialMainFirst, kSequentialLongTailFirst,
                                     kRandomMainFirst, kRandomLongTailFirst};
    for (int trial = 0; trial < 3000; ++trial) {
        const auto mainWords = randomWords(random() % 7);
        const auto longTailWords = randomWords(random() % 7);
        const auto before = random() % 3 == 0 ? randomWords(random() % 4) : std::vector<Text>{};
        const CombineRules rules = allRules[trial % 4];
        WordList mainList, longTailList, combined;
        for (const auto& w : mainWords) mainList.append(w);
        for (const auto& w : longTailWords) longTailList.append(w);
        for (const auto& w : before) combined.append(w);
        RandomIndexSource source(tickOne), referenceSource(tickOne);
        run(mainList, longTailList, combined, rules, nullptr, &source);
        ASSERT_EQ(itemsOf(combined),
                  referenceRun(mainWords, longTailWords, before, rules, referenceSource))
            << "trial " << trial;
        // The list's own index must be whole again after a run that did not use it.
        for (const auto& w : itemsOf(combined)) {
            ASSERT_TRUE(combined.contains(w));
        }
    }
}

}  // namespace
}  // namespace quillmora

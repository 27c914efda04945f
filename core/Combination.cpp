#include "core/Combination.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>

#include "core/PrefixOverlap.h"
#include "core/TextHash.h"

namespace quillmora {

namespace {

using Position = WordList::Position;

// Builds each candidate in one buffer, so a run allocates nothing per candidate.
class CandidateBuilder {
  public:
    explicit CandidateBuilder(CombineOrder order) : order_(order) {}
    std::string_view join(std::string_view mainWord, std::string_view longTailWord) {
        const bool mainFirst = order_ == CombineOrder::MainFirst;
        buffer_.assign(mainFirst ? mainWord : longTailWord);
        buffer_.append(mainFirst ? longTailWord : mainWord);
        return buffer_;
    }

  private:
    CombineOrder order_;
    std::string buffer_;
};

// Reserving the exact size of a Sequential run avoids copying the arena as it doubles; past
// these bounds the list grows as it goes, so a huge run asks for memory only as it needs it.
void reserveForSequential(const WordList& mainWords, const WordList& longTailWords,
                          WordList& combined) {
    constexpr std::size_t kMaxItems = std::size_t{1} << 26;
    constexpr std::size_t kMaxBytes = std::size_t{1} << 30;
    const auto m = static_cast<std::size_t>(mainWords.count());
    const auto l = static_cast<std::size_t>(longTailWords.count());
    if (l != 0 && m > kMaxItems / l) {
        return;
    }
    const double bytes = static_cast<double>(l) * static_cast<double>(mainWords.byteCount()) +
                         static_cast<double>(m) * static_cast<double>(longTailWords.byteCount());
    if (bytes > static_cast<double>(kMaxBytes)) {
        return;
    }
    combined.reserve(m * l, static_cast<std::size_t>(bytes));
}

// Groups of first words that are linked by prefix (a word, its extensions, theirs, ...); a
// word that is no prefix of another and has none is in no group (-1). Two candidates with
// different first words can be equal only when those words are in one group.
std::vector<std::int32_t> findPrefixGroups(const WordList& words, std::int32_t& groupCount,
                                           std::vector<std::size_t>& groupSizes) {
    const auto n = static_cast<std::size_t>(words.count());
    std::vector<Position> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&words](Position a, Position b) { return words.viewAt(a) < words.viewAt(b); });
    // In sorted order the words that are prefixes of the current one are still on the stack,
    // and each is linked to the one below it, so linking to the top links to the whole chain.
    std::vector<Position> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&parent](Position p) {
        while (parent[static_cast<std::size_t>(p)] != p) {
            p = parent[static_cast<std::size_t>(p)] =
                parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(p)])];
        }
        return p;
    };
    std::vector<bool> linked(n, false);
    std::vector<Position> open;
    for (const Position p : order) {
        const std::string_view word = words.viewAt(p);
        while (!open.empty() && !word.starts_with(words.viewAt(open.back()))) {
            open.pop_back();
        }
        if (!open.empty()) {
            parent[static_cast<std::size_t>(root(p))] = root(open.back());
            linked[static_cast<std::size_t>(p)] = true;
            linked[static_cast<std::size_t>(open.back())] = true;
        }
        open.push_back(p);
    }
    std::vector<std::int32_t> group(n, -1);
    std::vector<std::int32_t> groupOfRoot(n, -1);
    groupCount = 0;
    for (std::size_t p = 0; p < n; ++p) {
        if (!linked[p]) {
            continue;
        }
        auto& g = groupOfRoot[static_cast<std::size_t>(root(static_cast<Position>(p)))];
        if (g < 0) {
            g = groupCount++;
            groupSizes.push_back(0);
        }
        group[p] = g;
        ++groupSizes[static_cast<std::size_t>(g)];
    }
    return group;
}

// Into an empty combined list, a candidate can only equal an earlier one of the same run when
// its first word is in a prefix group, provided the list of second words has no two equal
// items. Only those candidates need a duplicate test, against the candidates of their own
// group: one small index per group stays in the cache while a word's candidates are made,
// where one index for all would miss it at nearly every candidate. The rest are appended
// without a test, and the list's own index is rebuilt when next needed.
class RunWithoutProbes {
  public:
    RunWithoutProbes(const WordList& firstWords, const WordList& secondWords, WordList& combined)
        : groups_(findPrefixGroups(firstWords, groupCount_, groupSizes_)),
          seen_(static_cast<std::size_t>(groupCount_)),
          secondCount_(static_cast<std::size_t>(secondWords.count())),
          combined_(combined) {}

    // Appends the candidate unless it is empty or an earlier one; returns whether it did.
    bool offer(std::string_view candidate, Position firstWord) {
        if (candidate.empty()) {
            return false;
        }
        const auto k = static_cast<std::size_t>(firstWord);
        const std::int32_t group = k < groups_.size() ? groups_[k] : -1;
        if (group >= 0) {
            WordIndex& seen = seen_[static_cast<std::size_t>(group)];
            if (seen.size() == 0) {
                seen.reserve(groupSizes_[static_cast<std::size_t>(group)] * secondCount_);
            }
            const std::uint64_t hash = hashText(candidate);
            if (seen.contains(candidate, hash,
                              [this](Position p) { return combined_.viewAt(p); })) {
                return false;
            }
            seen.insert(combined_.count(), hash);
        }
        combined_.appendKnownNew(candidate);
        return true;
    }

  private:
    std::int32_t groupCount_ = 0;
    std::vector<std::size_t> groupSizes_;
    std::vector<std::int32_t> groups_;
    std::vector<WordIndex> seen_;
    std::size_t secondCount_;
    WordList& combined_;
};

void runSequential(const WordList& mainWords, const WordList& longTailWords, WordList& combined,
                   CombineOrder order, BeforeCandidate beforeCandidate, PhraseAdded phraseAdded) {
    const bool mainFirst = order == CombineOrder::MainFirst;
    const WordList& firstWords = mainFirst ? mainWords : longTailWords;
    const WordList& secondWords = mainFirst ? longTailWords : mainWords;
    std::optional<RunWithoutProbes> withoutProbes;
    if (combined.count() == 0 && !hasEqualItems(secondWords)) {
        withoutProbes.emplace(firstWords, secondWords, combined);
    }
    reserveForSequential(mainWords, longTailWords, combined);

    CandidateBuilder builder(order);
    const Position mainCount = mainWords.count();
    for (Position i = 0; i < mainCount; ++i) {
        const Position longTailCount = longTailWords.count();
        for (Position j = 0; j < longTailCount; ++j) {
            if (beforeCandidate() == RunDecision::Stop || combined.isFull()) {
                return;
            }
            const std::string_view candidate =
                builder.join(mainWords.viewAt(i), longTailWords.viewAt(j));
            const bool added = withoutProbes ? withoutProbes->offer(candidate, mainFirst ? i : j)
                                             : combined.appendIfNew(candidate);
            if (added) {
                phraseAdded(combined);
            }
        }
    }
}

void runRandom(const WordList& mainWords, const WordList& longTailWords, WordList& combined,
               CombineOrder order, RandomIndexSource& source, BeforeCandidate beforeCandidate,
               PhraseAdded phraseAdded) {
    source.seedFromClock();
    CandidateBuilder builder(order);
    const Position mainCount = mainWords.count();
    for (Position i = 0; i < mainCount; ++i) {
        if (beforeCandidate() == RunDecision::Stop || combined.isFull()) {
            return;
        }
        const Position longTailCount = longTailWords.count();
        const Position drawn = source.draw(0, longTailCount - 1);
        if (combined.appendIfNew(builder.join(mainWords.viewAt(i), longTailWords.viewAt(drawn)))) {
            phraseAdded(combined);
        }
    }
}

}  // namespace

void runCombination(const WordList& mainWords, const WordList& longTailWords, WordList& combined,
                    CombineRules rules, RandomIndexSource& source, BeforeCandidate beforeCandidate,
                    PhraseAdded phraseAdded) {
    if (rules.mode == CombineMode::Random) {
        runRandom(mainWords, longTailWords, combined, rules.order, source, beforeCandidate,
                  phraseAdded);
    } else {
        runSequential(mainWords, longTailWords, combined, rules.order, beforeCandidate,
                      phraseAdded);
    }
}

}  // namespace quillmora

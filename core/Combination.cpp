#include "core/Combination.h"

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

// Into an empty combined list, a candidate can only equal an earlier one of the same run when
// its first word overlaps another first word by prefix, provided the list of second words has
// no two equal items. Only those candidates need a duplicate test, against each other; the
// rest are appended without one, and the list's own index is rebuilt when next needed.
class RunWithoutProbes {
  public:
    RunWithoutProbes(const WordList& firstWords, WordList& combined)
        : overlaps_(findPrefixOverlaps(firstWords)), combined_(combined) {}

    // Appends the candidate unless it is empty or an earlier one; returns whether it did.
    bool offer(std::string_view candidate, Position firstWord) {
        if (candidate.empty()) {
            return false;
        }
        const auto k = static_cast<std::size_t>(firstWord);
        if (k >= overlaps_.size() || overlaps_[k]) {
            const std::uint64_t hash = hashText(candidate);
            if (seen_.contains(candidate, hash,
                               [this](Position p) { return combined_.viewAt(p); })) {
                return false;
            }
            seen_.insert(combined_.count(), hash);
        }
        combined_.appendKnownNew(candidate);
        return true;
    }

  private:
    std::vector<bool> overlaps_;
    WordList& combined_;
    WordIndex seen_;
};

void runSequential(const WordList& mainWords, const WordList& longTailWords, WordList& combined,
                   CombineOrder order, BeforeCandidate beforeCandidate, PhraseAdded phraseAdded) {
    const bool mainFirst = order == CombineOrder::MainFirst;
    const WordList& firstWords = mainFirst ? mainWords : longTailWords;
    const WordList& secondWords = mainFirst ? longTailWords : mainWords;
    std::optional<RunWithoutProbes> withoutProbes;
    if (combined.count() == 0 && !hasEqualItems(secondWords)) {
        withoutProbes.emplace(firstWords, combined);
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

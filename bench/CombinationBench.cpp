#include <benchmark/benchmark.h>

#include "Words.h"
#include "core/Combination.h"
#include "core/PrefixOverlap.h"

namespace quillmora::bench {
namespace {

constexpr CombineRules kSequential{CombineMode::Sequential, CombineOrder::MainFirst};

void runSequential(benchmark::State& state, const WordList& mainWords,
                   const WordList& longTailWords, bool combinedStartsEmpty) {
    RandomIndexSource source;
    for (auto _ : state) {
        WordList combined;
        if (!combinedStartsEmpty) {
            combined.append("phrase of an earlier run");
        }
        runCombination(
            mainWords, longTailWords, combined, kSequential, source,
            [] { return RunDecision::Continue; }, [](const WordList&) {});
        benchmark::DoNotOptimize(combined.count());
    }
    state.SetItemsProcessed(state.iterations() * mainWords.count() * longTailWords.count());
}

// 2,000 x 2,000 into an empty list, no main word a prefix of another: no duplicate test at all.
void BM_Sequential2000x2000PrefixFree(benchmark::State& state) {
    const WordList mainWords = listOf(makeWords(2000, 1));
    const WordList longTailWords = listOf(makeWords(2000, 2));
    runSequential(state, mainWords, longTailWords, true);
    const auto overlaps = findPrefixOverlaps(mainWords);
    state.counters["overlapping main words"] =
        static_cast<double>(std::count(overlaps.begin(), overlaps.end(), true));
}
BENCHMARK(BM_Sequential2000x2000PrefixFree)->Unit(benchmark::kMillisecond);

// One main word in five extends another: the phrases of those words are tested among themselves.
void BM_Sequential2000x2000WithPrefixes(benchmark::State& state) {
    const WordList mainWords = listOf(makeWords(2000, 1, 0.2));
    const WordList longTailWords = listOf(makeWords(2000, 2, 0.2));
    runSequential(state, mainWords, longTailWords, true);
    const auto overlaps = findPrefixOverlaps(mainWords);
    state.counters["overlapping main words"] =
        static_cast<double>(std::count(overlaps.begin(), overlaps.end(), true));
}
BENCHMARK(BM_Sequential2000x2000WithPrefixes)->Unit(benchmark::kMillisecond);

// A combined list that already holds a phrase: every candidate goes through the hash index.
void BM_Sequential2000x2000EveryCandidateTested(benchmark::State& state) {
    const WordList mainWords = listOf(makeWords(2000, 1, 0.2));
    const WordList longTailWords = listOf(makeWords(2000, 2, 0.2));
    runSequential(state, mainWords, longTailWords, false);
}
BENCHMARK(BM_Sequential2000x2000EveryCandidateTested)->Unit(benchmark::kMillisecond);

void BM_Random100000x2000(benchmark::State& state) {
    const WordList mainWords = listOf(makeWords(100000, 3));
    const WordList longTailWords = listOf(makeWords(2000, 2));
    RandomIndexSource source;
    for (auto _ : state) {
        WordList combined;
        runCombination(
            mainWords, longTailWords, combined, {CombineMode::Random, CombineOrder::MainFirst},
            source, [] { return RunDecision::Continue; }, [](const WordList&) {});
        benchmark::DoNotOptimize(combined.count());
    }
    state.SetItemsProcessed(state.iterations() * mainWords.count());
}
BENCHMARK(BM_Random100000x2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillmora::bench

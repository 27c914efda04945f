#include <benchmark/benchmark.h>

#include "Words.h"
#include "textio/SplitText.h"

namespace quillmora::bench {
namespace {

void BM_SplitText100MiB(benchmark::State& state) {
    const std::string text = makeWordFile(100 << 20, 4);
    for (auto _ : state) {
        const PieceList pieces = splitText(text, "\r\n");
        benchmark::DoNotOptimize(pieces.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_SplitText100MiB)->Unit(benchmark::kMillisecond);

// A one-byte separator in text that is all Chinese: every hit needs the look back.
void BM_SplitText100MiBComma(benchmark::State& state) {
    std::string text = makeWordFile(100 << 20, 5);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\r') {
            text[i] = ',';
            text[i + 1] = ',';
        }
    }
    for (auto _ : state) {
        const PieceList pieces = splitText(text, ",");
        benchmark::DoNotOptimize(pieces.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_SplitText100MiBComma)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillmora::bench

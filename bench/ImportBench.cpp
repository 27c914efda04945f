#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "Words.h"
#include "textio/BatchImport.h"

namespace quillmora::bench {
namespace {

// Imports the file into an empty list at every iteration, then removes it.
void importRepeatedly(benchmark::State& state, const std::filesystem::path& file) {
    const ImportSource source{file, Text(kCarriageReturnChoice)};
    WordList::Position count = 0;
    for (auto _ : state) {
        WordList words;
        importSource(source, words);
        count = words.count();
    }
    state.counters["words"] = count;
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
    std::filesystem::remove(file);
}

// The whole import road of one source: exists, read, cut at NUL, split, skip rule, append.
// The file repeats a million distinct words, so most pieces are duplicates, as in lists that
// were merged from several sources.
void BM_Import100MiBWordFile(benchmark::State& state) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("quillmora-bench-" + std::to_string(::getpid()) + ".txt");
    {
        const std::string text = makeWordFile(100 << 20, 6);
        std::ofstream(file, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    importRepeatedly(state, file);
}
BENCHMARK(BM_Import100MiBWordFile)->Unit(benchmark::kMillisecond);

// The same size with every word distinct: the index holds ten million entries at the end.
void BM_Import100MiBDistinctWords(benchmark::State& state) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("quillmora-bench-distinct-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(file, std::ios::binary);
        std::string line;
        std::uint64_t written = 0;
        for (std::uint64_t i = 0; written < (100u << 20); ++i) {
            line = "\xB9\xD8\xBC\xFC" + std::to_string(i * 2654435761u % 1000000007u) + "\r\n";
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
            written += line.size();
        }
    }
    importRepeatedly(state, file);
}
BENCHMARK(BM_Import100MiBDistinctWords)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillmora::bench

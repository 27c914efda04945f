// A combination run of 1,000 x 1,000 words through the shell on the headless platform, from the
// click on "开始合成" to the "组合完成！" box, next to the bare engine run of the same lists.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/Combination.h"
#include "ui/Shell.h"
#include "ui/headless/HeadlessPlatform.h"

namespace quillmora {
namespace {

constexpr std::size_t kWords = 1000;

// Distinct GBK words of 2 to 6 characters, the same for every run of the benchmark.
std::vector<std::string> gbkWords(std::size_t count, std::uint32_t seed) {
    std::mt19937 random(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    std::vector<std::string> words;
    std::unordered_set<std::string> seen;
    while (words.size() < count) {
        std::string word;
        for (int i = pick(2, 6); i > 0; --i) {
            word.push_back(static_cast<char>(pick(0xB0, 0xD6)));
            word.push_back(static_cast<char>(pick(0xA1, 0xFE)));
        }
        if (seen.insert(word).second) {
            words.push_back(std::move(word));
        }
    }
    return words;
}

struct Lists {
    std::vector<std::string> mainWords = gbkWords(kWords, 1);
    std::vector<std::string> longTailWords = gbkWords(kWords, 2);
    std::filesystem::path mainFile;
    std::filesystem::path longTailFile;

    Lists() {
        const auto folder = std::filesystem::temp_directory_path();
        mainFile = write(folder / "quillmora-bench-main.txt", mainWords);
        longTailFile = write(folder / "quillmora-bench-tail.txt", longTailWords);
    }
    ~Lists() {
        std::error_code ignored;
        std::filesystem::remove(mainFile, ignored);
        std::filesystem::remove(longTailFile, ignored);
    }
    static std::filesystem::path write(const std::filesystem::path& file,
                                       const std::vector<std::string>& words) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        for (const auto& word : words) {
            out << word << "\r\n";
        }
        return file;
    }
};

const Lists& lists() {
    static const Lists instance;
    return instance;
}

void BM_BareRun(benchmark::State& state) {
    WordList mainWords;
    WordList longTailWords;
    for (const auto& w : lists().mainWords) {
        mainWords.append(w);
    }
    for (const auto& w : lists().longTailWords) {
        longTailWords.append(w);
    }
    RandomIndexSource source;
    for (auto _ : state) {
        WordList combined;
        runCombination(
            mainWords, longTailWords, combined, CombineRules{}, source,
            [] { return RunDecision::Continue; }, [](const WordList&) {});
        benchmark::DoNotOptimize(combined.count());
    }
    state.counters["phrases"] = static_cast<double>(kWords * kWords);
}

void BM_ShellRun(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        headless::HeadlessPlatform platform;
        Clock::time_point clicked;
        Clock::time_point completed;
        platform.click("main", "按钮3");
        platform.typeText("import", "编辑框1", lists().mainFile.string());
        platform.pickItem("import", "组合框1", 0);
        platform.typeText("import", "编辑框2", lists().longTailFile.string());
        platform.pickItem("import", "组合框2", 0);
        platform.click("import", "按钮3");
        platform.answerMessageBox(headless::MessageBoxAnswer::Ok);
        platform.check([&] { clicked = Clock::now(); });
        platform.click("main", "按钮14");
        platform.check([&] { completed = Clock::now(); });  // the "组合完成！" box is open
        platform.answerMessageBox(headless::MessageBoxAnswer::Ok);
        platform.pressEscape("main");
        runProgram(platform);
        if (platform.messageBoxes().back().text != "组合完成！") {
            state.SkipWithError("the run did not complete");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(completed - clicked).count());
        state.counters["pumps"] = static_cast<double>(platform.pumpCount());
    }
    state.counters["phrases"] = static_cast<double>(kWords * kWords);
}

BENCHMARK(BM_BareRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShellRun)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace quillmora

BENCHMARK_MAIN();

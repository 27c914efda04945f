// Closing the main window at random moments of a long run, many times over with a fixed seed.
// Each trial must end the program without "组合完成！"; under AddressSanitizer any touch of
// a destroyed list or control would end the test.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>

#include "tests/faults/FaultFiles.h"
#include "tests/stories/StoryHelpers.h"
#include "ui/Shell.h"
#include "ui/headless/HeadlessPlatform.h"

namespace quillmora::faults {
namespace {

using headless::HeadlessPlatform;
using headless::MessageBoxAnswer;

constexpr int kWords = 300;  // a 300 x 300 run: 90,000 candidates
constexpr int kTrials = 200;

enum class Close { Escape, CloseBox };

// Both lists through the import window, the rules window when the long-tail word is to come
// first, then "开始合成".
void prepareRun(HeadlessPlatform& platform, const std::filesystem::path& mainFile,
                const std::filesystem::path& longTailFile, bool longTailFirst) {
    platform.click("main", "按钮3");
    platform.typeText("import", "编辑框1", mainFile.string());
    platform.pickItem("import", "组合框1", 0);
    platform.typeText("import", "编辑框2", longTailFile.string());
    platform.pickItem("import", "组合框2", 0);
    platform.click("import", "按钮3");
    platform.answerMessageBox(MessageBoxAnswer::Ok);
    if (longTailFirst) {
        platform.click("main", "按钮7");
        platform.click("rules", "单选框3");
        platform.click("rules", "按钮1");
    }
    platform.click("main", "按钮14");
}

bool sawCompletion(const HeadlessPlatform& platform) {
    for (const auto& box : platform.messageBoxes()) {
        if (box.text == "组合完成！") {
            return true;
        }
    }
    return false;
}

// How often a whole run pumps its events; a close is injected somewhere within that.
long pumpsOfAWholeRun(const std::filesystem::path& mainFile,
                      const std::filesystem::path& longTailFile, std::chrono::milliseconds step) {
    HeadlessPlatform platform;
    platform.setClockStep(step);
    prepareRun(platform, mainFile, longTailFile, false);
    platform.answerMessageBox(MessageBoxAnswer::Ok);
    platform.pressEscape("main");
    EXPECT_EQ(runProgram(platform), 0);
    EXPECT_TRUE(sawCompletion(platform));
    return platform.pumpCount();
}

TEST(CloseDuringRun, AtRandomMomentsTheProgramEndsWithoutCompletion) {
    const FaultFolder folder;
    const auto mainFile = folder.write("main.txt", stories::numberedWords("m", kWords));
    const auto longTailFile = folder.write("tail.txt", stories::numberedWords("t", kWords));
    // The clock step changes where in the run the pumps fall.
    const std::chrono::milliseconds steps[] = {std::chrono::milliseconds(1),
                                               std::chrono::milliseconds(7)};
    long pumps[std::size(steps)];
    for (std::size_t k = 0; k < std::size(steps); ++k) {
        pumps[k] = pumpsOfAWholeRun(mainFile, longTailFile, steps[k]);
        ASSERT_GT(pumps[k], 10);
        RecordProperty("pumps_of_a_whole_run_at_" + std::to_string(steps[k].count()) + "ms",
                       std::to_string(pumps[k]));
    }

    std::mt19937 generator(20261211);
    for (int trial = 0; trial < kTrials; ++trial) {
        const std::size_t k = generator() % std::size(steps);
        const int after = 1 + static_cast<int>(generator() % static_cast<unsigned>(pumps[k]));
        const bool longTailFirst = generator() % 4 == 0;
        const Close close = generator() % 2 == 0 ? Close::Escape : Close::CloseBox;
        SCOPED_TRACE("trial " + std::to_string(trial) + ", clock step " +
                     std::to_string(steps[k].count()) + " ms, closed after " +
                     std::to_string(after) + " of " + std::to_string(pumps[k]) + " pumps by " +
                     (close == Close::Escape ? "Esc" : "the close box"));

        HeadlessPlatform platform;
        platform.setClockStep(steps[k]);
        prepareRun(platform, mainFile, longTailFile, longTailFirst);
        platform.afterPumps(after);
        if (close == Close::Escape) {
            platform.pressEscape("main");
        } else {
            platform.pressAltF4("main");
        }
        ASSERT_EQ(runProgram(platform), 0);
        EXPECT_EQ(platform.actionsLeft(), 0u);
        EXPECT_FALSE(sawCompletion(platform));
        EXPECT_EQ(platform.findWindow("main"), nullptr);
        EXPECT_EQ(platform.postedPending(), 0u);
        EXPECT_EQ(platform.messageBoxes().back().text, "导入内容完成！");
    }
}

}  // namespace
}  // namespace quillmora::faults

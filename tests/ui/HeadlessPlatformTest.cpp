#include "ui/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include "ui/Shell.h"

namespace quillmora {
namespace {

using headless::HeadlessPlatform;
using headless::StoryError;

// A story that leaves the program waiting fails with a message instead of hanging.
TEST(HeadlessPlatform, AWaitWithNoActionLeftEndsTheStory) {
    HeadlessPlatform platform;
    try {
        runProgram(platform);
        FAIL() << "the program did not wait";
    } catch (const StoryError& error) {
        EXPECT_NE(std::string(error.what()).find("no action left"), std::string::npos);
    }
}

TEST(HeadlessPlatform, AnAnswerWithNoBoxOpenEndsTheStory) {
    HeadlessPlatform platform;
    platform.answerMessageBox(headless::MessageBoxAnswer::Ok);
    EXPECT_THROW(runProgram(platform), StoryError);
}

TEST(HeadlessPlatform, AnActionForAWindowWhileABoxIsOpenEndsTheStory) {
    HeadlessPlatform platform;
    platform.click("main", "按钮2");
    platform.click("main", "按钮6");  // the input box is still open
    EXPECT_THROW(runProgram(platform), StoryError);
}

TEST(HeadlessPlatform, ClockMovesOnAtEveryReading) {
    HeadlessPlatform platform;
    platform.setClockStep(std::chrono::milliseconds(3));
    const auto first = platform.now();
    EXPECT_EQ(platform.now() - first, std::chrono::milliseconds(3));
}

}  // namespace
}  // namespace quillmora

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "ui/Shell.h"
#include "ui/headless/HeadlessPlatform.h"

namespace quillmora {
namespace {

using headless::HeadlessPlatform;
using headless::MessageBoxAnswer;

void expectOutOfMemoryReport(const HeadlessPlatform& platform) {
    ASSERT_FALSE(platform.messageBoxes().empty());
    const auto& box = platform.messageBoxes().back();
    EXPECT_EQ(box.text, "内存不足，程序即将退出。");
    EXPECT_EQ(box.title, "错误");
    EXPECT_EQ(box.kind, MessageBoxKind::Error);
}

TEST(Program, MemoryRunningOutInAHandlerIsReportedAndEndsTheProgram) {
    HeadlessPlatform platform;
    platform.click("main", "按钮2");
    platform.check([] { throw std::bad_alloc(); });  // while the input box is open
    platform.answerMessageBox(MessageBoxAnswer::Ok);
    EXPECT_NE(runProgram(platform), 0);
    expectOutOfMemoryReport(platform);
    EXPECT_EQ(platform.actionsLeft(), 0U);
}

TEST(Program, MemoryRunningOutInTheLoopIsReportedAndEndsTheProgram) {
    HeadlessPlatform platform;
    platform.check([] { throw std::bad_alloc(); });
    platform.answerMessageBox(MessageBoxAnswer::Ok);
    EXPECT_NE(runProgram(platform), 0);
    expectOutOfMemoryReport(platform);
}

TEST(Program, MainWindowThatCannotBeCreatedEndsTheProgram) {
    HeadlessPlatform platform;
    platform.failCreationOf("main");
    EXPECT_NE(runProgram(platform), 0);
    EXPECT_TRUE(platform.windowsCreated().empty());
}

// Closing the main window in the middle of a run stops the run at the very next candidate:
// no event is pumped after the one that closed the window.
TEST(Program, ARunStopsRightAfterTheMainWindowIsClosed) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("quillmora-program-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(folder);
    const auto file = folder / "words.txt";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 1000; ++i) {
            out << "w" << i << "\r\n";
        }
    }
    HeadlessPlatform platform;
    platform.click("main", "按钮3");
    platform.typeText("import", "编辑框1", file.string());
    platform.pickItem("import", "组合框1", 0);
    platform.typeText("import", "编辑框2", file.string());
    platform.pickItem("import", "组合框2", 0);
    platform.click("import", "按钮3");
    platform.answerMessageBox(MessageBoxAnswer::Ok);
    platform.click("main", "按钮14");
    platform.afterPumps(3);
    platform.pressAltF4("main");
    EXPECT_EQ(runProgram(platform), 0);
    EXPECT_EQ(platform.pumpCount(), 3);
    EXPECT_EQ(platform.messageBoxes().back().text, "导入内容完成！");
    EXPECT_EQ(platform.findWindow("main"), nullptr);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quillmora

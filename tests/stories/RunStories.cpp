#include <memory>

#include "tests/stories/StoryHelpers.h"

namespace quillmora::stories {
namespace {

TEST(RunStory, SequentialRunWithBusyStateAndCompletion) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    addByHand(d, "按钮2", {"a", "b"});
    addByHand(d, "按钮6", {"x", "y"});
    d.click("main", "按钮14");
    d.check([](const Screen& s) {
        // The completion message is open and the buttons stay greyed until it is closed.
        expectLastMessageBox(s, "组合完成！", "完成", MessageBoxKind::Information);
        expectAllButtonsEnabled(s, false);
        expectRows(s, "列表框3", {"ax", "ay", "bx", "by"});
        expectCountLabel(s, "标签3", "4");
    });
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) { expectAllButtonsEnabled(s, true); });
    // A second run adds nothing new and still reports completion.
    d.click("main", "按钮14");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        EXPECT_EQ(s.messageBoxes().size(), 2U);
        expectCountLabel(s, "标签3", "4");
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

TEST(RunStory, RandomRunWithTheLongTailWordFirst) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    addByHand(d, "按钮2", {"a", "b", "c"});
    addByHand(d, "按钮6", {"x"});
    d.click("main", "按钮7");
    d.click("rules", "单选框2");
    d.click("rules", "单选框3");
    d.click("rules", "按钮1");
    d.click("main", "按钮14");
    d.check([](const Screen& s) { expectAllButtonsEnabled(s, false); });
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectLastMessageBox(s, "组合完成！", "完成", MessageBoxKind::Information);
        expectRows(s, "列表框3", {"xa", "xb", "xc"});
        expectCountLabel(s, "标签3", "3");
        expectAllButtonsEnabled(s, true);
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

TEST(RunStory, AnEmptyMainListStillReportsCompletion) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    addByHand(d, "按钮6", {"x"});
    d.click("main", "按钮14");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectLastMessageBox(s, "组合完成！", "完成", MessageBoxKind::Information);
        expectCountLabel(s, "标签3", "");
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

// A run long enough to pump its events many times.
constexpr int kWords = 1000;

TEST(RunStory, LongRunShowsARisingCountAndKeepsTheListsLive) {
    StoryFiles files;
    const auto mainFile = files.write("main.txt", numberedWords("m", kWords));
    const auto longTailFile = files.write("tail.txt", numberedWords("t", kWords));
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    importLines(d, mainFile, longTailFile);
    d.click("main", "按钮14");
    auto firstCount = std::make_shared<long>(0);
    d.afterPumps(1);
    d.check([firstCount](const Screen& s) {
        expectAllButtonsEnabled(s, false);
        EXPECT_TRUE(s.visible("main", "标签3"));
        *firstCount = std::stol(s.caption("main", "标签3"));
        EXPECT_GT(*firstCount, 0);
        EXPECT_EQ(static_cast<long>(s.rows("main", "列表框3").size()), *firstCount);
    });
    d.click("main", "按钮2");  // greyed: nothing happens
    d.selectRow("main", "列表框1", 3);
    d.afterPumps(2);
    d.check([firstCount](const Screen& s) {
        EXPECT_GT(std::stol(s.caption("main", "标签3")), *firstCount);
        EXPECT_TRUE(s.inputBoxes().empty());
    });
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectLastMessageBox(s, "组合完成！", "完成", MessageBoxKind::Information);
        expectCountLabel(s, "标签3", "1000000");
        EXPECT_EQ(s.rows("main", "列表框3").size(), 1000000U);
        expectAllButtonsEnabled(s, true);
    });
    // The selection made during the run holds: deleting removes m0003.
    d.click("main", "按钮4");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        const auto rows = s.rows("main", "列表框1");
        ASSERT_EQ(rows.size(), 999U);
        EXPECT_EQ(rows[3], "m0004");
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

TEST(RunStory, ClosingTheMainWindowDuringARunEndsTheProgram) {
    StoryFiles files;
    const auto mainFile = files.write("main.txt", numberedWords("m", kWords));
    const auto longTailFile = files.write("tail.txt", numberedWords("t", kWords));
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    importLines(d, mainFile, longTailFile);
    d.click("main", "按钮14");
    d.afterPumps(2);
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
    const auto boxes = d.screen().messageBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "导入内容完成！");  // no "组合完成！"
    EXPECT_FALSE(d.screen().windowShown("main"));
}

}  // namespace
}  // namespace quillmora::stories

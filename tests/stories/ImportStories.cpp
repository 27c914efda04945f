#include "tests/stories/StoryHelpers.h"

namespace quillmora::stories {
namespace {

TEST(ImportStory, WindowIsModalAndStartsEmpty) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.click("main", "按钮3");
    d.check([](const Screen& s) {
        EXPECT_TRUE(s.windowShown("import"));
        EXPECT_EQ(s.windowCaption("import"), "批量导入内容");
        EXPECT_FALSE(s.windowEnabled("main"));
        for (const auto box : {"编辑框1", "编辑框2", "组合框1", "组合框2"}) {
            EXPECT_EQ(s.text("import", box), "") << box;
        }
        EXPECT_EQ(s.caption("import", "分组框1"), "主词：");
        EXPECT_EQ(s.caption("import", "分组框2"), "长尾词：");
        EXPECT_EQ(s.caption("import", "标签1"), "内容分割：");
        EXPECT_EQ(s.caption("import", "按钮1"), "浏览...");
        EXPECT_EQ(s.caption("import", "按钮3"), "导入！");
        EXPECT_EQ(s.caption("import", "按钮4"), "取消");
    });
    // The main window takes no input while the import window is open.
    d.click("main", "按钮2");
    d.typeText("import", "编辑框1", "somewhere.txt");
    d.click("import", "按钮4");
    d.check([](const Screen& s) {
        EXPECT_FALSE(s.windowShown("import"));
        EXPECT_TRUE(s.windowEnabled("main"));
        EXPECT_TRUE(s.inputBoxes().empty());
        EXPECT_TRUE(s.messageBoxes().empty());
    });
    // Each opening starts from the declaration again; Esc closes it like 取消.
    d.click("main", "按钮3");
    d.check([](const Screen& s) { EXPECT_EQ(s.text("import", "编辑框1"), ""); });
    d.pressEscape("import");
    d.check([](const Screen& s) {
        EXPECT_FALSE(s.windowShown("import"));
        EXPECT_TRUE(s.windowEnabled("main"));
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

TEST(ImportStory, CarriageReturnChoiceAndTypedSeparator) {
    StoryFiles files;
    const auto mainFile = files.write("main.txt", "a\r\nb\r\n\r\na\r\n");
    const auto longTailFile = files.write("tail.txt", "x,y,,z");
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    addByHand(d, "按钮6", {"y"});
    d.click("main", "按钮3");
    d.typeText("import", "编辑框1", mainFile.string());
    d.pickItem("import", "组合框1", 0);
    d.typeText("import", "编辑框2", longTailFile.string());
    d.typeText("import", "组合框2", ",");
    d.check(
        [](const Screen& s) { EXPECT_EQ(s.text("import", "组合框1"), kCarriageReturnChoiceText); });
    d.click("import", "按钮3");
    d.check([](const Screen& s) {
        // The labels and lists are up to date while the completion message is open.
        expectCountLabel(s, "标签1", "2");
        expectCountLabel(s, "标签2", "3");
        expectRows(s, "列表框1", {"a", "b"});
    });
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectLastMessageBox(s, "导入内容完成！", "完成", MessageBoxKind::Information);
        EXPECT_FALSE(s.windowShown("import"));
        EXPECT_TRUE(s.windowEnabled("main"));
        expectRows(s, "列表框1", {"a", "b"});
        expectRows(s, "列表框2", {"y", "x", "z"});
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

TEST(ImportStory, TwoEmptyPathsStillReportCompletion) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.click("main", "按钮3");
    d.click("import", "按钮3");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        ASSERT_EQ(s.messageBoxes().size(), 1U);
        expectLastMessageBox(s, "导入内容完成！", "完成", MessageBoxKind::Information);
        EXPECT_FALSE(s.windowShown("import"));
        expectCountLabel(s, "标签1", "");
        expectCountLabel(s, "标签2", "");
        expectRows(s, "列表框1", {});
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

TEST(ImportStory, BrowseButtonsShareOneDialogForOneOpening) {
    StoryFiles files;
    const auto first = files.write("first.txt", "m\r\n");
    const auto second = files.write("second.txt", "t\r\n");
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.click("main", "按钮3");
    d.click("import", "按钮1");
    d.answerFileDialog(first);
    d.check([first](const Screen& s) {
        ASSERT_EQ(s.fileDialogs().size(), 1U);
        const FileDialogRequest dialog = s.fileDialogs().back();
        EXPECT_EQ(dialog.kind, FileDialogRequest::Kind::Open);
        EXPECT_EQ(dialog.title, "选择一个内容文件：");
        ASSERT_EQ(dialog.filters.size(), 1U);
        EXPECT_EQ(dialog.filters[0].description, "文本文件（*.txt）");
        EXPECT_EQ(dialog.filters[0].pattern, "*.txt");
        EXPECT_EQ(dialog.selectedFilter, 0);
        EXPECT_TRUE(dialog.initialFile.empty());
        EXPECT_EQ(dialog.defaultExtension, "");
        EXPECT_TRUE(dialog.fileMustExist);
        EXPECT_TRUE(dialog.pathMustExist);
        EXPECT_EQ(s.text("import", "编辑框1"), first.string());
    });
    d.typeText("import", "编辑框2", "typed by hand");
    d.click("import", "按钮2");
    d.answerFileDialog(std::nullopt);
    d.check([first](const Screen& s) {
        EXPECT_EQ(s.fileDialogs().back().initialFile, first);
        EXPECT_EQ(s.text("import", "编辑框2"), "typed by hand");
    });
    d.click("import", "按钮2");
    d.answerFileDialog(second);
    d.check([second](const Screen& s) { EXPECT_EQ(s.text("import", "编辑框2"), second.string()); });
    d.pickItem("import", "组合框1", 0);
    d.pickItem("import", "组合框2", 0);
    d.click("import", "按钮3");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectRows(s, "列表框1", {"m"});
        expectRows(s, "列表框2", {"t"});
    });
    // A new opening has a dialog that remembers no file.
    d.click("main", "按钮3");
    d.click("import", "按钮1");
    d.answerFileDialog(std::nullopt);
    d.check([](const Screen& s) { EXPECT_TRUE(s.fileDialogs().back().initialFile.empty()); });
    d.pressAltF4("import");
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

}  // namespace
}  // namespace quillmora::stories

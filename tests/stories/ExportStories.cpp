#include "tests/stories/StoryHelpers.h"

namespace quillmora::stories {
namespace {

TEST(ExportStory, SaveDialogRemembersThePathAcrossExportsAndCancelWritesNothing) {
    StoryFiles files;
    const auto target = files.path("phrases.txt");
    const auto other = files.write("other.txt", "keep me");
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.click("main", "按钮11");  // nothing to export: no dialog
    addByHand(d, "按钮2", {"a", "c"});
    addByHand(d, "按钮6", {"b"});
    d.click("main", "按钮14");
    d.answerMessageBox(BoxAnswer::Ok);
    d.click("main", "按钮11");
    d.answerFileDialog(target);
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([target](const Screen& s) {
        ASSERT_EQ(s.fileDialogs().size(), 1U);
        const FileDialogRequest dialog = s.fileDialogs().back();
        EXPECT_EQ(dialog.kind, FileDialogRequest::Kind::Save);
        EXPECT_EQ(dialog.title, "选定保存的位置");
        ASSERT_EQ(dialog.filters.size(), 1U);
        EXPECT_EQ(dialog.filters[0].description, "文本文件（*.txt）");
        EXPECT_EQ(dialog.filters[0].pattern, "*.txt");
        EXPECT_EQ(dialog.defaultExtension, "txt");
        EXPECT_TRUE(dialog.initialFile.empty());
        EXPECT_TRUE(dialog.overwritePrompt);
        EXPECT_TRUE(dialog.pathMustExist);
        EXPECT_TRUE(dialog.fileMustExist);
        expectLastMessageBox(s, "导出成功！", "完成", MessageBoxKind::Information);
        EXPECT_EQ(StoryFiles::read(target), "ab\r\ncb\r\n");
    });
    // The second export starts at the first one's file; cancelling writes nothing.
    d.click("main", "按钮11");
    d.answerFileDialog(std::nullopt);
    d.check([target, other](const Screen& s) {
        EXPECT_EQ(s.fileDialogs().back().initialFile, target);
        EXPECT_EQ(s.messageBoxes().size(), 2U);
        EXPECT_EQ(StoryFiles::read(other), "keep me");
    });
    d.click("main", "按钮11");
    d.answerFileDialog(other);
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([target, other](const Screen& s) {
        EXPECT_EQ(s.fileDialogs().back().initialFile, target);
        EXPECT_EQ(StoryFiles::read(other), "ab\r\ncb\r\n");
    });
    d.click("main", "按钮11");
    d.answerFileDialog(std::nullopt);
    d.check([other](const Screen& s) { EXPECT_EQ(s.fileDialogs().back().initialFile, other); });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

TEST(ExportStory, AFailedWriteShowsNoSuccess) {
    StoryFiles files;
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    addByHand(d, "按钮2", {"a"});
    addByHand(d, "按钮6", {"b"});
    d.click("main", "按钮14");
    d.answerMessageBox(BoxAnswer::Ok);
    d.click("main", "按钮11");
    d.answerFileDialog(files.path("no such folder") / "phrases.txt");
    d.check([](const Screen& s) {
        EXPECT_EQ(s.messageBoxes().size(), 1U);
        EXPECT_EQ(s.messageBoxes().back().text, "组合完成！");
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

}  // namespace
}  // namespace quillmora::stories

#include "tests/stories/StoryHelpers.h"

namespace quillmora::stories {
namespace {

TEST(ListStory, AddByHandWithADuplicateAndAnEmptyEntry) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    addByHand(d, "按钮2", {"apple"});
    d.check([](const Screen& s) {
        ASSERT_EQ(s.inputBoxes().size(), 1U);
        const InputBoxRequest box = s.inputBoxes().front();
        EXPECT_EQ(box.caption, "添加词语");
        EXPECT_EQ(box.prompt, "请输入词语：");
        EXPECT_EQ(box.layout, InputBoxLayout::WithPrompt);
        EXPECT_EQ(box.initialText, "");
        expectRows(s, "列表框1", {"apple"});
        expectCountLabel(s, "标签1", "1");
        expectCountLabel(s, "标签2", "");
    });
    addByHand(d, "按钮2", {"apple"});
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectLastMessageBox(s, "列表中存在相同的项目，不能重复添加！", "重复",
                             MessageBoxKind::Error);
        expectRows(s, "列表框1", {"apple"});
        expectCountLabel(s, "标签1", "1");
    });
    addByHand(d, "按钮2", {""});
    d.click("main", "按钮2");
    d.answerInputBox(std::nullopt);
    // The long-tail list is a list of its own: the same word is welcome there.
    addByHand(d, "按钮6", {"apple", "pie"});
    d.check([](const Screen& s) {
        EXPECT_EQ(s.messageBoxes().size(), 1U);
        expectRows(s, "列表框1", {"apple"});
        expectCountLabel(s, "标签1", "1");
        expectRows(s, "列表框2", {"apple", "pie"});
        expectCountLabel(s, "标签2", "2");
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

TEST(ListStory, DeleteWithoutSelectionWithCancelAndWithOk) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.click("main", "按钮8");  // an empty list: nothing at all
    addByHand(d, "按钮6", {"x", "y"});
    d.click("main", "按钮8");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        ASSERT_EQ(s.messageBoxes().size(), 1U);
        expectLastMessageBox(s, "请先选中一个项目再删除", "删除", MessageBoxKind::Error);
    });
    d.selectRow("main", "列表框2", 0);
    d.click("main", "按钮8");
    d.answerMessageBox(BoxAnswer::Cancel);
    d.check([](const Screen& s) {
        expectLastMessageBox(s, "删除选定项目？", "删除", MessageBoxKind::Confirmation);
        expectRows(s, "列表框2", {"x", "y"});
        expectCountLabel(s, "标签2", "2");
    });
    d.click("main", "按钮8");
    d.answerMessageBox(BoxAnswer::Escape);  // closing the question is a Cancel too
    d.click("main", "按钮8");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectRows(s, "列表框2", {"y"});
        expectCountLabel(s, "标签2", "1");
    });
    // The deleted row took the selection with it.
    d.click("main", "按钮8");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectLastMessageBox(s, "请先选中一个项目再删除", "删除", MessageBoxKind::Error);
    });
    d.selectRow("main", "列表框2", 0);
    d.click("main", "按钮8");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectRows(s, "列表框2", {});
        expectCountLabel(s, "标签2", "");
    });
    d.click("main", "按钮1");
    EXPECT_EQ(d.run(), 0);
}

TEST(ListStory, ClearAsksAndHidesTheLabel) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.click("main", "按钮5");  // an empty list: no question
    addByHand(d, "按钮2", {"a", "b"});
    d.click("main", "按钮5");
    d.answerMessageBox(BoxAnswer::Cancel);
    d.check([](const Screen& s) {
        ASSERT_EQ(s.messageBoxes().size(), 1U);
        expectLastMessageBox(s, "确实要清空全部项目？", "清空", MessageBoxKind::Confirmation);
        expectRows(s, "列表框1", {"a", "b"});
        expectCountLabel(s, "标签1", "2");
    });
    d.click("main", "按钮5");
    d.answerMessageBox(BoxAnswer::Ok);
    d.check([](const Screen& s) {
        expectRows(s, "列表框1", {});
        expectCountLabel(s, "标签1", "");
        EXPECT_EQ(s.caption("main", "标签1"), "2");  // hiding leaves the caption
    });
    addByHand(d, "按钮2", {"c"});
    d.check([](const Screen& s) { expectCountLabel(s, "标签1", "1"); });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

}  // namespace
}  // namespace quillmora::stories

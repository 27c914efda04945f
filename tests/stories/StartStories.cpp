#include "tests/stories/StoryHelpers.h"

namespace quillmora::stories {
namespace {

TEST(StartStory, MainWindowOpensWithLabelsHiddenAndEverythingEnabled) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.check([](const Screen& s) {
        EXPECT_TRUE(s.windowShown("main"));
        EXPECT_EQ(s.windowCaption("main"), "Quillmora    by Brenvik");
        EXPECT_TRUE(s.windowEnabled("main"));
        expectAllButtonsEnabled(s, true);
        for (const auto label : {"标签1", "标签2", "标签3"}) {
            EXPECT_FALSE(s.visible("main", label)) << label;
            EXPECT_EQ(s.caption("main", label), "") << label;
        }
        EXPECT_TRUE(s.visible("main", "标签4"));
        EXPECT_TRUE(s.enabled("main", "标签4"));
        EXPECT_EQ(s.caption("main", "标签4"), "欢迎访问 Brenvik 发现更多实用软件！");
        EXPECT_EQ(s.caption("main", "分组框1"), "主词：");
        EXPECT_EQ(s.caption("main", "分组框2"), "长尾词：");
        EXPECT_EQ(s.caption("main", "分组框3"), "合成词：");
        const std::vector<std::pair<std::string_view, std::string_view>> buttons = {
            {"按钮2", "添加"},     {"按钮4", "删除"},     {"按钮5", "清空"},
            {"按钮6", "添加"},     {"按钮8", "删除"},     {"按钮9", "清空"},
            {"按钮11", "导出"},    {"按钮12", "删除"},    {"按钮13", "清空"},
            {"按钮3", "批量导入"}, {"按钮7", "合成规则"}, {"按钮14", "开始合成"},
            {"按钮1", "关闭"}};
        for (const auto& [name, caption] : buttons) {
            EXPECT_EQ(s.caption("main", name), caption) << name;
        }
        for (const auto list : {"列表框1", "列表框2", "列表框3"}) {
            EXPECT_TRUE(s.rows("main", list).empty()) << list;
        }
    });
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
    EXPECT_FALSE(d.screen().windowShown("main"));
    EXPECT_TRUE(d.screen().messageBoxes().empty());
}

// Every way of closing the main window ends the program at once, without a question.
class ClosingMainWindow : public ::testing::TestWithParam<int> {};

TEST_P(ClosingMainWindow, EndsTheProgramWithoutAQuestion) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    addByHand(d, "按钮2", {"apple"});
    switch (GetParam()) {
        case 0:
            d.pressEscape("main");
            break;
        case 1:
            d.pressAltF4("main");
            break;
        default:
            d.click("main", "按钮1");
            break;
    }
    EXPECT_EQ(d.run(), 0);
    EXPECT_FALSE(d.screen().windowShown("main"));
    EXPECT_TRUE(d.screen().messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(EscAltF4AndCloseButton, ClosingMainWindow, ::testing::Values(0, 1, 2));

TEST(StartStory, LinkLabelOpensTheMakersPage) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.click("main", "标签4");
    d.check([](const Screen& s) {
        ASSERT_EQ(s.webPages().size(), 1U);
        EXPECT_TRUE(s.webPages().front().starts_with("https://"));
        EXPECT_TRUE(s.webPages().front().find(".example") != std::string::npos);
        EXPECT_TRUE(s.windowShown("main"));
    });
    d.click("main", "按钮1");
    EXPECT_EQ(d.run(), 0);
}

}  // namespace
}  // namespace quillmora::stories

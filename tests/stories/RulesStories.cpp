#include "tests/stories/StoryHelpers.h"

namespace quillmora::stories {
namespace {

void expectChecks(const Screen& s, bool sequential, bool mainFirst) {
    EXPECT_EQ(s.checked("rules", "单选框1"), sequential);
    EXPECT_EQ(s.checked("rules", "单选框2"), !sequential);
    EXPECT_EQ(s.checked("rules", "单选框4"), mainFirst);
    EXPECT_EQ(s.checked("rules", "单选框3"), !mainFirst);
}

TEST(RulesStory, ConfirmWritesTheRulesAndEscLeavesThem) {
    auto driver = makeStoryDriver();
    StoryDriver& d = *driver;
    d.click("main", "按钮7");
    d.check([](const Screen& s) {
        EXPECT_EQ(s.windowCaption("rules"), "合成规则");
        EXPECT_FALSE(s.windowEnabled("main"));
        EXPECT_EQ(s.caption("rules", "单选框1"), "顺序合成（主词和长尾词按列表顺序依次合成）");
        EXPECT_EQ(s.caption("rules", "单选框2"), "随机合成（主词和长尾词随机排列组合）");
        EXPECT_EQ(s.caption("rules", "单选框4"), "主词+长尾词");
        EXPECT_EQ(s.caption("rules", "单选框3"), "长尾词+主词");
        EXPECT_EQ(s.caption("rules", "按钮1"), "确定");
        expectChecks(s, true, true);
    });
    d.click("rules", "单选框2");
    d.click("rules", "单选框3");
    d.check([](const Screen& s) { expectChecks(s, false, false); });
    d.click("rules", "按钮1");
    d.check([](const Screen& s) {
        EXPECT_FALSE(s.windowShown("rules"));
        EXPECT_TRUE(s.windowEnabled("main"));
    });
    d.click("main", "按钮7");
    d.check([](const Screen& s) { expectChecks(s, false, false); });
    d.click("rules", "单选框1");
    d.click("rules", "单选框4");
    d.pressEscape("rules");
    d.check([](const Screen& s) {
        EXPECT_FALSE(s.windowShown("rules"));
        EXPECT_TRUE(s.windowEnabled("main"));
    });
    d.click("main", "按钮7");
    d.check([](const Screen& s) { expectChecks(s, false, false); });
    d.pressAltF4("rules");
    d.pressEscape("main");
    EXPECT_EQ(d.run(), 0);
}

}  // namespace
}  // namespace quillmora::stories

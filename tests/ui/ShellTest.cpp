#include "ui/Shell.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <new>
#include <string>

#include "ui/headless/HeadlessPlatform.h"

namespace quillmora {
namespace {

using headless::HeadlessPlatform;
using headless::MessageBoxAnswer;

// Handlers whose clicks run whatever the test gives them.
class ScriptedHandlers final : public WindowHandlers {
  public:
    std::map<std::string, std::function<void()>, std::less<>> onClick;
    int clicks = 0;
    bool destroyed = false;

    void clicked(std::string_view control) override {
        ++clicks;
        if (const auto it = onClick.find(control); it != onClick.end()) {
            it->second();
        }
    }
    void windowDestroyed() override { destroyed = true; }
};

WindowDeclaration declaration(std::string role) {
    WindowDeclaration window{.role = role, .caption = role, .outerWidth = 200, .outerHeight = 100};
    for (const char* name : {"ok", "open"}) {
        window.controls.push_back({.name = name,
                                   .kind = ControlKind::Button,
                                   .width = 80,
                                   .height = 24,
                                   .caption = name});
    }
    return window;
}

class ShellTest : public ::testing::Test {
  protected:
    // Makes the handlers of a window of this role, kept for the test to script and inspect.
    HandlersFactory factory(const std::string& role) {
        return [this, role](WindowId window) {
            auto handlers = std::make_shared<ScriptedHandlers>();
            handlers_[role] = handlers;
            ids_[role] = window;
            return handlers;
        };
    }
    ScriptedHandlers& handlers(const std::string& role) { return *handlers_.at(role); }
    void openMain() {
        ASSERT_NE(shell.openMainWindow(declaration("main"), factory("main")), kNoWindow);
    }
    bool enabled(std::string_view role) { return platform.window(role).enabled; }

    HeadlessPlatform platform;
    Shell shell{platform};
    std::map<std::string, std::shared_ptr<ScriptedHandlers>> handlers_;
    std::map<std::string, WindowId> ids_;
};

TEST_F(ShellTest, NestedModalWindowsDisableTheOthersAndRestoreEachOnClose) {
    openMain();
    bool firstReturned = false;
    bool secondReturned = false;
    handlers("main").onClick["open"] = [&] {
        shell.loadWindow(declaration("first"), factory("first"));
        firstReturned = true;
    };
    platform.click("main", "open");
    platform.check([&] {
        EXPECT_TRUE(platform.window("first").shown);
        EXPECT_EQ(platform.window("first").owner, WindowOwner::HiddenOwner);
        EXPECT_FALSE(enabled("main"));
        EXPECT_TRUE(enabled("first"));
        handlers("first").onClick["open"] = [&] {
            shell.loadWindow(declaration("second"), factory("second"));
            secondReturned = true;
        };
    });
    platform.click("first", "open");
    platform.click("main", "ok");   // disabled: reaches nothing
    platform.click("first", "ok");  // disabled too
    platform.check([&] {
        EXPECT_FALSE(enabled("main"));
        EXPECT_FALSE(enabled("first"));
        EXPECT_TRUE(enabled("second"));
        EXPECT_EQ(handlers("main").clicks, 1);
        EXPECT_EQ(handlers("first").clicks, 1);
        EXPECT_EQ(platform.ignoredActions().size(), 2U);
    });
    platform.pressEscape("second");
    platform.check([&] {
        EXPECT_TRUE(secondReturned);
        EXPECT_FALSE(firstReturned);
        EXPECT_EQ(platform.findWindow("second"), nullptr);
        EXPECT_TRUE(handlers("second").destroyed);
        EXPECT_TRUE(enabled("first"));
        EXPECT_FALSE(enabled("main"));  // back to what the second window found
    });
    platform.pressAltF4("first");
    platform.check([&] {
        EXPECT_TRUE(firstReturned);
        EXPECT_TRUE(enabled("main"));
        EXPECT_EQ(handlers("first").clicks, 1);  // a close request runs no handler
    });
    platform.pressEscape("main");
    shell.runEventLoop();
    EXPECT_EQ(shell.windowCount(), 0U);
    EXPECT_EQ(platform.actionsLeft(), 0U);
}

TEST_F(ShellTest, DestroyWindowPostsTheRequestAndTheHandlerRunsOn) {
    openMain();
    bool stillThere = false;
    bool returned = false;
    handlers("main").onClick["open"] = [&] {
        shell.loadWindow(declaration("modal"), factory("modal"));
        returned = true;
    };
    platform.click("main", "open");
    platform.check([&] {
        handlers("modal").onClick["ok"] = [&] {
            shell.destroyWindow(ids_.at("modal"));
            stillThere = shell.exists(ids_.at("modal")) && platform.window("modal").shown;
            EXPECT_EQ(platform.postedPending(), 1U);
            // A second click before the request is dispatched reaches no handler.
            if (handlers("modal").clicks == 1) {
                shell.clicked(ids_.at("modal"), "ok");
            }
        };
    });
    platform.click("modal", "ok");
    platform.check([&] {
        EXPECT_TRUE(stillThere);
        EXPECT_EQ(handlers("modal").clicks, 1);
        EXPECT_TRUE(returned);
        EXPECT_EQ(platform.findWindow("modal"), nullptr);
        EXPECT_TRUE(enabled("main"));
    });
    platform.click("main", "ok");
    platform.check([&] { EXPECT_EQ(handlers("main").clicks, 2); });
    platform.pressEscape("main");
    shell.runEventLoop();
}

TEST_F(ShellTest, AWindowIsDestroyedOnceWhateverRequestsArePending) {
    openMain();
    handlers("main").onClick["open"] = [&] {
        shell.destroyWindow(ids_.at("main"));
        shell.destroyWindow(ids_.at("main"));
        platform.pumpEvents();  // the first request is dispatched here, inside the handler
        EXPECT_FALSE(shell.exists(ids_.at("main")));
        EXPECT_TRUE(platform.quitPending());
    };
    platform.click("main", "open");
    shell.runEventLoop();
    EXPECT_EQ(shell.windowCount(), 0U);
    EXPECT_TRUE(handlers("main").destroyed);
    EXPECT_EQ(platform.postedPending(), 0U);
}

TEST_F(ShellTest, SecondLoadOfAnOpenWindowBringsItToTheFront) {
    openMain();
    bool secondLoad = false;
    handlers("main").onClick["open"] = [&] {
        shell.loadWindow(declaration("modal"), factory("modal"));
    };
    platform.click("main", "open");
    platform.check([&] {
        handlers("modal").onClick["open"] = [&] {
            secondLoad = shell.loadWindow(declaration("modal"), factory("other"));
        };
    });
    platform.click("modal", "open");
    platform.check([&] {
        EXPECT_TRUE(secondLoad);
        EXPECT_EQ(platform.window("modal").broughtToFront, 1);
        EXPECT_EQ(handlers_.count("other"), 0U);
        EXPECT_EQ(platform.windowsCreated(), (std::vector<std::string>{"main", "modal"}));
    });
    platform.pressEscape("modal");
    platform.pressEscape("main");
    shell.runEventLoop();
}

TEST_F(ShellTest, AWindowThatCannotBeCreatedIsNotLoaded) {
    openMain();
    bool loaded = true;
    handlers("main").onClick["open"] = [&] {
        platform.failCreationOf("modal");
        loaded = shell.loadWindow(declaration("modal"), factory("modal"));
    };
    platform.click("main", "open");
    platform.check([&] {
        EXPECT_FALSE(loaded);
        EXPECT_TRUE(enabled("main"));
    });
    platform.pressEscape("main");
    shell.runEventLoop();
}

TEST_F(ShellTest, QuitTakenByANestedLoopEndsTheOuterLoopToo) {
    openMain();
    bool returned = false;
    handlers("main").onClick["open"] = [&] {
        shell.loadWindow(declaration("modal"), factory("modal"));
        returned = true;
    };
    platform.click("main", "open");
    platform.check([&] { platform.postQuit(); });
    shell.runEventLoop();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(platform.quitPending());
    EXPECT_EQ(platform.actionsLeft(), 0U);
}

TEST_F(ShellTest, PumpEventsDispatchesPostedTasksAndLeavesQuitPending) {
    openMain();
    int ran = 0;
    platform.post([&] { ++ran; });
    platform.post([&] { ++ran; });
    platform.postQuit();
    platform.click("main", "ok");  // user input waits for a loop, not for the pump
    shell.pumpEvents();
    EXPECT_EQ(ran, 2);
    EXPECT_TRUE(platform.quitPending());
    EXPECT_EQ(platform.actionsLeft(), 1U);
    shell.pumpEvents();  // nothing pending: returns at once
    EXPECT_EQ(platform.runLoop([] { return false; }), LoopEnd::QuitTaken);
}

TEST_F(ShellTest, OutOfMemoryInAHandlerEndsTheProgram) {
    openMain();
    handlers("main").onClick["ok"] = [] { throw std::bad_alloc(); };
    platform.click("main", "ok");
    shell.runEventLoop();
    EXPECT_TRUE(shell.outOfMemory());
    EXPECT_EQ(platform.actionsLeft(), 0U);
}

TEST_F(ShellTest, MessageBoxTitleAndAnswers) {
    struct Case {
        std::string_view title;
        MessageBoxKind kind;
        MessageBoxAnswer answer;
        std::string_view shownTitle;
        MessageBoxResult result;
    };
    const Case cases[] = {
        {"", MessageBoxKind::Information, MessageBoxAnswer::Ok, "信息：", MessageBoxResult::Ok},
        {"完成", MessageBoxKind::Information, MessageBoxAnswer::Escape, "完成",
         MessageBoxResult::Ok},
        {"重复", MessageBoxKind::Error, MessageBoxAnswer::Escape, "重复", MessageBoxResult::Ok},
        {"删除", MessageBoxKind::Confirmation, MessageBoxAnswer::Ok, "删除", MessageBoxResult::Ok},
        {"删除", MessageBoxKind::Confirmation, MessageBoxAnswer::Cancel, "删除",
         MessageBoxResult::Cancel},
        {"清空", MessageBoxKind::Confirmation, MessageBoxAnswer::Escape, "清空",
         MessageBoxResult::Cancel},
    };
    for (const Case& c : cases) {
        platform.answerMessageBox(c.answer);
        EXPECT_EQ(shell.showMessageBox("text", c.kind, c.title), c.result) << c.shownTitle;
        EXPECT_EQ(platform.messageBoxes().back().title, c.shownTitle);
        EXPECT_EQ(platform.messageBoxes().back().kind, c.kind);
    }
    platform.answerMessageBox(MessageBoxAnswer::Ok);
    shell.showMessageBox("no title given", MessageBoxKind::Information);
    EXPECT_EQ(platform.messageBoxes().back().title, "信息：");
}

TEST_F(ShellTest, InputBoxLayoutAndCaption) {
    platform.answerInputBox(Text("word"));
    EXPECT_EQ(shell.inputBox("请输入词语：", "添加词语", "", InputMode::PlainText), "word");
    EXPECT_EQ(platform.inputBoxes().back().layout, InputBoxLayout::WithPrompt);
    EXPECT_EQ(platform.inputBoxes().back().caption, "添加词语");
    EXPECT_EQ(platform.inputBoxes().back().prompt, "请输入词语：");

    platform.answerInputBox(Text());
    EXPECT_EQ(shell.inputBox("", "", "start", InputMode::PlainText), Text());
    EXPECT_EQ(platform.inputBoxes().back().layout, InputBoxLayout::Compact);
    EXPECT_EQ(platform.inputBoxes().back().caption, "请输入：");
    EXPECT_EQ(platform.inputBoxes().back().initialText, "start");

    platform.answerInputBox(std::nullopt);
    EXPECT_EQ(shell.inputBox("p", "t", "", InputMode::PlainText), std::nullopt);
}

}  // namespace
}  // namespace quillmora

#include <memory>

#include "tests/stories/StoryDriver.h"
#include "ui/Shell.h"
#include "ui/headless/HeadlessPlatform.h"

namespace quillmora::stories {

namespace {

using headless::HeadlessPlatform;

class HeadlessScreen final : public Screen {
  public:
    explicit HeadlessScreen(const HeadlessPlatform& platform) : platform_(platform) {}

    bool windowShown(std::string_view role) const override {
        const auto* window = platform_.findWindow(role);
        return window && window->shown;
    }
    std::string windowCaption(std::string_view role) const override {
        return platform_.window(role).declaration.caption;
    }
    bool windowEnabled(std::string_view role) const override {
        return platform_.window(role).enabled;
    }
    std::string caption(std::string_view role, std::string_view control) const override {
        return platform_.control(role, control).caption;
    }
    bool visible(std::string_view role, std::string_view control) const override {
        return platform_.control(role, control).visible;
    }
    bool enabled(std::string_view role, std::string_view control) const override {
        return platform_.control(role, control).enabled;
    }
    bool checked(std::string_view role, std::string_view control) const override {
        return platform_.control(role, control).checked;
    }
    Text text(std::string_view role, std::string_view control) const override {
        return platform_.control(role, control).text;
    }
    std::vector<Text> rows(std::string_view role, std::string_view control) const override {
        return platform_.rows(role, control);
    }
    std::vector<SeenMessageBox> messageBoxes() const override {
        std::vector<SeenMessageBox> seen;
        for (const auto& box : platform_.messageBoxes()) {
            seen.push_back({box.text, box.title, box.kind});
        }
        return seen;
    }
    std::vector<InputBoxRequest> inputBoxes() const override { return platform_.inputBoxes(); }
    std::vector<FileDialogRequest> fileDialogs() const override { return platform_.fileDialogs(); }
    std::vector<std::string> webPages() const override { return platform_.webPages(); }

  private:
    const HeadlessPlatform& platform_;
};

class HeadlessStoryDriver final : public StoryDriver {
  public:
    void click(std::string_view role, std::string_view control) override {
        platform_.click(role, control);
    }
    void pressEscape(std::string_view role) override { platform_.pressEscape(role); }
    void pressAltF4(std::string_view role) override { platform_.pressAltF4(role); }
    void selectRow(std::string_view role, std::string_view control,
                   WordList::Position row) override {
        platform_.selectRow(role, control, row);
    }
    void typeText(std::string_view role, std::string_view control, const Text& text) override {
        platform_.typeText(role, control, text);
    }
    void pickItem(std::string_view role, std::string_view control, int index) override {
        platform_.pickItem(role, control, index);
    }
    void answerMessageBox(BoxAnswer answer) override {
        platform_.answerMessageBox(answer == BoxAnswer::Ok ? headless::MessageBoxAnswer::Ok
                                   : answer == BoxAnswer::Cancel
                                       ? headless::MessageBoxAnswer::Cancel
                                       : headless::MessageBoxAnswer::Escape);
    }
    void answerInputBox(std::optional<Text> answer) override {
        platform_.answerInputBox(std::move(answer));
    }
    void answerFileDialog(std::optional<std::filesystem::path> answer) override {
        platform_.answerFileDialog(std::move(answer));
    }
    void afterPumps(int count) override { platform_.afterPumps(count); }
    void check(std::function<void(const Screen&)> check) override {
        platform_.check([this, check = std::move(check)] { check(screen_); });
    }
    int run() override {
        const int status = runProgram(platform_);
        if (platform_.actionsLeft() != 0) {
            throw headless::StoryError("headless: the program ended with " +
                                       std::to_string(platform_.actionsLeft()) +
                                       " actions of the story left");
        }
        return status;
    }
    const Screen& screen() const override { return screen_; }

  private:
    HeadlessPlatform platform_;
    HeadlessScreen screen_{platform_};
};

}  // namespace

std::unique_ptr<StoryDriver> makeStoryDriver() {
    return std::make_unique<HeadlessStoryDriver>();
}

}  // namespace quillmora::stories

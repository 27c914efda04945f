#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Platform.h"

namespace quillmora::headless {

// The story cannot go on: the program waits for input that the story does not give, or an
// action names something that is not on the screen.
class StoryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class MessageBoxAnswer {
    Ok,
    Cancel,
    Escape,  // Esc or the close box: Cancel for a box with Cancel, else OK
};

struct SeenMessageBox {
    std::string text;
    std::string title;
    MessageBoxKind kind = MessageBoxKind::Information;
};

// A Platform held in memory. User actions wait in a queue and are performed whenever the program
// waits for input (its loops and modal boxes); what a user would see is kept for the checks.
class HeadlessPlatform final : public Platform {
  public:
    struct ControlState {
        ControlDeclaration declaration;
        std::string caption;
        bool visible = true;
        bool enabled = true;
        bool checked = false;
        Text text;  // edit boxes and combo boxes, code page 936
        const WordList* list = nullptr;
        WordList::Position shownRows = 0;  // the list's count when the box last took it
    };
    struct WindowState {
        WindowId id = kNoWindow;
        WindowDeclaration declaration;
        WindowOwner owner = WindowOwner::None;
        bool shown = false;
        bool enabled = true;
        int broughtToFront = 0;
        std::map<std::string, ControlState, std::less<>> controls;
    };

    // The script: user actions, answers and checks, in the order they are to happen.
    void click(std::string_view role, std::string_view control);
    void pressEscape(std::string_view role);
    void pressAltF4(std::string_view role);
    void selectRow(std::string_view role, std::string_view control, WordList::Position row);
    void typeText(std::string_view role, std::string_view control, const Text& text);
    void pickItem(std::string_view role, std::string_view control, int index);
    void answerMessageBox(MessageBoxAnswer answer);
    void answerInputBox(std::optional<Text> answer);
    void answerFileDialog(std::optional<std::filesystem::path> answer);
    // The actions after this one happen inside the event pumping of a run, once it has pumped
    // `count` more times; they go on up to the next answer or the next afterPumps.
    void afterPumps(int count);
    void check(std::function<void()> check);
    [[nodiscard]] std::size_t actionsLeft() const noexcept { return script_.size(); }

    // What the user sees. A window is looked up by its role; it must exist.
    [[nodiscard]] const WindowState* findWindow(std::string_view role) const;
    [[nodiscard]] const WindowState& window(std::string_view role) const;
    [[nodiscard]] const ControlState& control(std::string_view role,
                                              std::string_view control) const;
    // The rows the list box shows: the bound list, as far as the box last took it.
    [[nodiscard]] std::vector<Text> rows(std::string_view role, std::string_view control) const;
    [[nodiscard]] const std::vector<SeenMessageBox>& messageBoxes() const { return messageBoxes_; }
    [[nodiscard]] const std::vector<InputBoxRequest>& inputBoxes() const { return inputBoxes_; }
    [[nodiscard]] const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
    [[nodiscard]] const std::vector<std::string>& webPages() const { return webPages_; }
    // Actions that reached nothing: a disabled or hidden control or window.
    [[nodiscard]] const std::vector<std::string>& ignoredActions() const { return ignored_; }
    [[nodiscard]] std::vector<std::string> windowsCreated() const { return created_; }
    [[nodiscard]] long pumpCount() const noexcept { return pumps_; }
    [[nodiscard]] bool quitPending() const noexcept { return quitPending_; }
    [[nodiscard]] std::size_t postedPending() const noexcept { return posted_.size(); }

    // Every reading of the clock moves it on by this much.
    void setClockStep(std::chrono::nanoseconds step) { clockStep_ = step; }
    // The next window of this role cannot be created.
    void failCreationOf(std::string role) { failRole_ = std::move(role); }

    // Platform
    void setEventSink(PlatformEvents* sink) override { sink_ = sink; }
    WindowId createWindow(const WindowDeclaration& declaration, WindowOwner owner) override;
    void showWindow(WindowId window) override;
    void destroyWindow(WindowId window) override;
    void setWindowEnabled(WindowId window, bool enabled) override;
    bool isWindowEnabled(WindowId window) override;
    void bringToFront(WindowId window) override;
    void setCaption(WindowId window, std::string_view control, std::string_view text) override;
    void setControlVisible(WindowId window, std::string_view control, bool visible) override;
    void setControlEnabled(WindowId window, std::string_view control, bool enabled) override;
    void setChecked(WindowId window, std::string_view control, bool checked) override;
    bool isChecked(WindowId window, std::string_view control) override;
    Text controlText(WindowId window, std::string_view control) override;
    std::filesystem::path controlPath(WindowId window, std::string_view control) override;
    void setControlPath(WindowId window, std::string_view control,
                        const std::filesystem::path& path) override;
    void showList(WindowId window, std::string_view control, const WordList& list) override;
    void refreshList(WindowId window, std::string_view control) override;
    LoopEnd runLoop(FunctionRef<bool()> done) override;
    void pumpEvents() override;
    void post(std::function<void()> task) override { posted_.push_back(std::move(task)); }
    void postQuit() override { quitPending_ = true; }
    std::chrono::steady_clock::time_point now() override;
    MessageBoxResult messageBox(std::string_view text, MessageBoxKind kind,
                                std::string_view title) override;
    std::optional<Text> inputBox(const InputBoxRequest& request) override;
    std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& request) override;
    void openWebPage(std::string_view address) override { webPages_.emplace_back(address); }

  private:
    enum class Step {
        Click,
        Escape,
        AltF4,
        SelectRow,
        Type,
        PickItem,
        Check,
        AfterPumps,
        AnswerMessageBox,
        AnswerInputBox,
        AnswerFileDialog,
    };
    struct Action {
        Step step = Step::Check;
        std::string role;
        std::string control;
        Text text;
        int number = 0;
        MessageBoxAnswer boxAnswer = MessageBoxAnswer::Ok;
        std::optional<Text> inputAnswer;
        std::optional<std::filesystem::path> fileAnswer;
        std::function<void()> check;
        [[nodiscard]] std::string describe() const;
    };
    static bool isUserInput(Step step) { return step <= Step::Check; }

    WindowState& existing(WindowId window);
    ControlState& existingControl(WindowId window, std::string_view control);
    WindowState* byRole(std::string_view role);
    // Takes the next action while the program waits in a loop.
    void performWhileWaiting();
    void perform(const Action& action);
    bool reachable(const WindowState* window, const Action& action);
    // Runs the checks in front of the box's answer and takes the answer.
    Action takeAnswer(Step expected, std::string_view box);
    bool runOnePosted();

    PlatformEvents* sink_ = nullptr;
    std::map<WindowId, WindowState> windows_;
    WindowId nextId_ = 1;
    std::deque<Action> script_;
    std::deque<std::function<void()>> posted_;
    bool quitPending_ = false;
    bool pumpSegment_ = false;  // the actions behind a reached afterPumps are being performed
    long pumps_ = 0;
    std::chrono::nanoseconds clock_{0};
    std::chrono::nanoseconds clockStep_ = std::chrono::milliseconds(1);
    std::string failRole_;
    std::vector<SeenMessageBox> messageBoxes_;
    std::vector<InputBoxRequest> inputBoxes_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::vector<std::string> webPages_;
    std::vector<std::string> ignored_;
    std::vector<std::string> created_;
};

}  // namespace quillmora::headless

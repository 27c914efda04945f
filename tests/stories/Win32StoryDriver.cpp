// Plays the stories on the real Win32 windows, from inside the process: a 10 ms timer takes the
// next action whenever the program waits in any loop (its own, a modal window's, a message box's,
// the input box's or a file dialog's), finds the control or dialog a user would act on, and works
// it with the messages a real click or key would give.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>

#include "tests/stories/StoryDriver.h"
#include "ui/Shell.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Win32Platform.h"

namespace quillmora::stories {
namespace {

using win32::textFromWide;
using win32::utf8FromWide;
using win32::wideFromText;
using win32::Win32Platform;
using Clock = std::chrono::steady_clock;

constexpr UINT kTick = 10;  // ms
// The first file dialog in a new Wine prefix takes many seconds to set itself up.
constexpr auto kPatience = std::chrono::seconds(60);
constexpr int kIdleTicksBeforeFailing = 30;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kFileNameCombo = 0x047C;
constexpr int kFileNameEdit = 0x0480;

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

bool isDialog(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring_view(name) == L"#32770";
}

// The visible dialogs of this thread, newest first as the system lists them.
std::vector<HWND> visibleDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM into) -> BOOL {
            if (IsWindowVisible(window) && isDialog(window)) {
                reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A message box: its text, and no field of any kind (the input box and file dialogs have one).
bool isMessageBox(HWND dialog) {
    return GetDlgItem(dialog, kMessageBoxTextId) != nullptr &&
           FindWindowExW(dialog, nullptr, L"Edit", nullptr) == nullptr &&
           FindWindowExW(dialog, nullptr, L"ComboBox", nullptr) == nullptr &&
           FindWindowExW(dialog, nullptr, L"ComboBoxEx32", nullptr) == nullptr;
}

void pressButton(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// Records what the program asked of the platform, which the real windows alone do not tell
// (a message box's kind, the input box's layout, a file dialog's settings), and counts pumps.
class RecordingPlatform final : public Platform {
  public:
    explicit RecordingPlatform(Win32Platform& real) : real_(real) {
        real_.setWebPageOpener(
            [this](std::wstring_view address) { webPages.push_back(utf8FromWide(address)); });
    }

    void setEventSink(PlatformEvents* sink) override { real_.setEventSink(sink); }
    WindowId createWindow(const WindowDeclaration& declaration, WindowOwner owner) override {
        const WindowId id = real_.createWindow(declaration, owner);
        if (id != kNoWindow) {
            roles[declaration.role] = id;
        }
        return id;
    }
    void showWindow(WindowId window) override { real_.showWindow(window); }
    void destroyWindow(WindowId window) override { real_.destroyWindow(window); }
    void setWindowEnabled(WindowId window, bool enabled) override {
        real_.setWindowEnabled(window, enabled);
    }
    bool isWindowEnabled(WindowId window) override { return real_.isWindowEnabled(window); }
    void bringToFront(WindowId window) override { real_.bringToFront(window); }
    void setCaption(WindowId window, std::string_view control, std::string_view text) override {
        real_.setCaption(window, control, text);
    }
    void setControlVisible(WindowId window, std::string_view control, bool visible) override {
        real_.setControlVisible(window, control, visible);
    }
    void setControlEnabled(WindowId window, std::string_view control, bool enabled) override {
        real_.setControlEnabled(window, control, enabled);
    }
    void setChecked(WindowId window, std::string_view control, bool checked) override {
        real_.setChecked(window, control, checked);
    }
    bool isChecked(WindowId window, std::string_view control) override {
        return real_.isChecked(window, control);
    }
    Text controlText(WindowId window, std::string_view control) override {
        return real_.controlText(window, control);
    }
    std::filesystem::path controlPath(WindowId window, std::string_view control) override {
        return real_.controlPath(window, control);
    }
    void setControlPath(WindowId window, std::string_view control,
                        const std::filesystem::path& path) override {
        real_.setControlPath(window, control, path);
    }
    void showList(WindowId window, std::string_view control, const WordList& list) override {
        real_.showList(window, control, list);
    }
    void refreshList(WindowId window, std::string_view control) override {
        real_.refreshList(window, control);
    }
    LoopEnd runLoop(FunctionRef<bool()> done) override { return real_.runLoop(done); }
    void pumpEvents() override {
        ++pumps;
        ++pumpDepth;
        real_.pumpEvents();
        --pumpDepth;
    }
    void post(std::function<void()> task) override { real_.post(std::move(task)); }
    void postQuit() override { real_.postQuit(); }
    std::chrono::steady_clock::time_point now() override { return real_.now(); }
    MessageBoxResult messageBox(std::string_view text, MessageBoxKind kind,
                                std::string_view title) override {
        messageBoxes.push_back({std::string(text), std::string(title), kind});
        ++openBoxes;
        const auto result = real_.messageBox(text, kind, title);
        --openBoxes;
        return result;
    }
    std::optional<Text> inputBox(const InputBoxRequest& request) override {
        inputBoxes.push_back(request);
        return real_.inputBox(request);
    }
    std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        return real_.fileDialog(request);
    }
    void openWebPage(std::string_view address) override { real_.openWebPage(address); }

    Win32Platform& real() { return real_; }

    std::map<std::string, WindowId, std::less<>> roles;
    std::vector<SeenMessageBox> messageBoxes;
    std::vector<InputBoxRequest> inputBoxes;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> webPages;
    long pumps = 0;
    int pumpDepth = 0;
    int openBoxes = 0;

  private:
    Win32Platform& real_;
};

class Win32Screen final : public Screen {
  public:
    explicit Win32Screen(RecordingPlatform& platform) : platform_(platform) {}

    bool windowShown(std::string_view role) const override {
        const HWND window = windowHandle(role);
        return window != nullptr && IsWindowVisible(window);
    }
    std::string windowCaption(std::string_view role) const override {
        const HWND window = windowHandle(role);
        return window != nullptr ? utf8FromWide(windowText(window)) : std::string();
    }
    bool windowEnabled(std::string_view role) const override {
        const HWND window = windowHandle(role);
        return window != nullptr && IsWindowEnabled(window);
    }
    std::string caption(std::string_view role, std::string_view control) const override {
        const HWND handle = controlHandle(role, control);
        return handle != nullptr ? utf8FromWide(windowText(handle)) : std::string();
    }
    bool visible(std::string_view role, std::string_view control) const override {
        const HWND handle = controlHandle(role, control);
        return handle != nullptr && (GetWindowLongW(handle, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    bool enabled(std::string_view role, std::string_view control) const override {
        const HWND handle = controlHandle(role, control);
        return handle != nullptr && IsWindowEnabled(handle);
    }
    bool checked(std::string_view role, std::string_view control) const override {
        const HWND handle = controlHandle(role, control);
        return handle != nullptr && SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    Text text(std::string_view role, std::string_view control) const override {
        const HWND handle = controlHandle(role, control);
        return handle != nullptr ? textFromWide(windowText(handle)) : Text();
    }
    // What the box shows: as many rows as it holds, each drawn from its list.
    std::vector<Text> rows(std::string_view role, std::string_view control) const override {
        const HWND handle = controlHandle(role, control);
        const WordList* list = platform_.real().shownList(windowId(role), control);
        std::vector<Text> shown;
        if (handle == nullptr || list == nullptr) {
            return shown;
        }
        const auto count = SendMessageW(handle, LB_GETCOUNT, 0, 0);
        shown.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
        for (LRESULT row = 0; row < count; ++row) {
            shown.push_back(list->itemAt(static_cast<WordList::Position>(row)));
        }
        return shown;
    }
    std::vector<SeenMessageBox> messageBoxes() const override { return platform_.messageBoxes; }
    std::vector<InputBoxRequest> inputBoxes() const override { return platform_.inputBoxes; }
    std::vector<FileDialogRequest> fileDialogs() const override { return platform_.fileDialogs; }
    std::vector<std::string> webPages() const override { return platform_.webPages; }

    WindowId windowId(std::string_view role) const {
        const auto found = platform_.roles.find(role);
        return found != platform_.roles.end() ? found->second : kNoWindow;
    }
    HWND windowHandle(std::string_view role) const {
        return platform_.real().windowHandle(windowId(role));
    }
    HWND controlHandle(std::string_view role, std::string_view control) const {
        return platform_.real().controlHandle(windowId(role), control);
    }

  private:
    RecordingPlatform& platform_;
};

struct Click {
    std::string role, control;
};
struct Escape {
    std::string role;
};
struct AltF4 {
    std::string role;
};
struct SelectRow {
    std::string role, control;
    WordList::Position row;
};
struct TypeText {
    std::string role, control;
    Text text;
};
struct PickItem {
    std::string role, control;
    int index;
};
struct AnswerBox {
    BoxAnswer answer;
};
struct AnswerInput {
    std::optional<Text> answer;
};
struct AnswerFile {
    std::optional<std::filesystem::path> answer;
    bool submitted = false;
    bool refused = false;
};
struct AfterPumps {
    int count;
    long startedAt = -1;
};
struct Check {
    std::function<void(const Screen&)> check;
};
using Action = std::variant<Click, Escape, AltF4, SelectRow, TypeText, PickItem, AnswerBox,
                            AnswerInput, AnswerFile, AfterPumps, Check>;

class Win32StoryDriver final : public StoryDriver {
  public:
    Win32StoryDriver() : real_(GetModuleHandleW(nullptr)), platform_(real_), screen_(platform_) {
        timerWindow_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(timerWindow_, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(&Win32StoryDriver::timerProcedure));
    }
    ~Win32StoryDriver() override {
        KillTimer(timerWindow_, 1);
        DestroyWindow(timerWindow_);
    }

    void click(std::string_view role, std::string_view control) override {
        actions_.push_back(Click{std::string(role), std::string(control)});
    }
    void pressEscape(std::string_view role) override {
        actions_.push_back(Escape{std::string(role)});
    }
    void pressAltF4(std::string_view role) override {
        actions_.push_back(AltF4{std::string(role)});
    }
    void selectRow(std::string_view role, std::string_view control,
                   WordList::Position row) override {
        actions_.push_back(SelectRow{std::string(role), std::string(control), row});
    }
    void typeText(std::string_view role, std::string_view control, const Text& text) override {
        actions_.push_back(TypeText{std::string(role), std::string(control), text});
    }
    void pickItem(std::string_view role, std::string_view control, int index) override {
        actions_.push_back(PickItem{std::string(role), std::string(control), index});
    }
    void answerMessageBox(BoxAnswer answer) override { actions_.push_back(AnswerBox{answer}); }
    void answerInputBox(std::optional<Text> answer) override {
        actions_.push_back(AnswerInput{std::move(answer)});
    }
    void answerFileDialog(std::optional<std::filesystem::path> answer) override {
        actions_.push_back(AnswerFile{std::move(answer)});
    }
    void afterPumps(int count) override { actions_.push_back(AfterPumps{count}); }
    void check(std::function<void(const Screen&)> check) override {
        actions_.push_back(Check{std::move(check)});
    }

    int run() override {
        SetTimer(timerWindow_, 1, kTick, nullptr);
        const int status = runProgram(platform_);
        KillTimer(timerWindow_, 1);
        if (!failure_.empty()) {
            throw std::runtime_error("win32: " + failure_);
        }
        if (!actions_.empty()) {
            throw std::runtime_error("win32: the program ended with " +
                                     std::to_string(actions_.size()) +
                                     " actions of the story left");
        }
        return status;
    }
    const Screen& screen() const override { return screen_; }

  private:
    static LRESULT CALLBACK timerProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
        if (message == WM_TIMER) {
            auto* self =
                reinterpret_cast<Win32StoryDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (self != nullptr) {
                self->tick();
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    // A story that cannot go on ends the program: every loop gives way to the quit request.
    void fail(std::string message) {
        if (failure_.empty()) {
            failure_ = std::move(message);
        }
        actions_.clear();
        for (HWND dialog : visibleDialogs()) {
            pressButton(dialog, IDCANCEL);
        }
        PostQuitMessage(3);
    }

    void tick() {
        if (!failure_.empty()) {
            PostQuitMessage(3);
            return;
        }
        if (actions_.empty()) {
            // Waiting for input with nothing left to do; during a run the pump only looks.
            if (platform_.pumpDepth == 0 && ++idleTicks_ > kIdleTicksBeforeFailing) {
                fail("the program waits for input and the story has no action left");
            }
            return;
        }
        idleTicks_ = 0;
        // Actions performed here may run nested loops in which this timer fires again: each
        // is taken off the queue before it is performed.
        for (int performed = 0; !actions_.empty() && performed < 50; ++performed) {
            if (!performNext()) {
                if (Clock::now() - waitingSince_ > kPatience) {
                    for (HWND dialog : visibleDialogs()) {
                        std::fprintf(stderr, "visible dialog: %s\n",
                                     utf8FromWide(windowText(dialog)).c_str());
                    }
                    fail("an action waited too long for its window or dialog");
                }
                return;
            }
            waitingSince_ = Clock::now();
            if (yielded_) {
                yielded_ = false;
                return;
            }
        }
    }

    // True when the action at the front was performed and removed; false to try again later.
    bool performNext() {
        Action& action = actions_.front();
        if (auto* gate = std::get_if<AfterPumps>(&action)) {
            if (gate->startedAt < 0) {
                gate->startedAt = platform_.pumps;
            }
            if (platform_.pumps - gate->startedAt < gate->count) {
                return false;
            }
            actions_.pop_front();
            return true;
        }
        if (auto* box = std::get_if<AnswerBox>(&action)) {
            return answerBox(*box);
        }
        if (auto* input = std::get_if<AnswerInput>(&action)) {
            return answerInput(*input);
        }
        if (auto* file = std::get_if<AnswerFile>(&action)) {
            return answerFile(*file);
        }
        Action taken = std::move(action);
        actions_.pop_front();
        std::visit([this](auto& a) { perform(a); }, taken);
        if (!std::holds_alternative<Check>(taken)) {
            // What follows a user action happens once the program waits again.
            yielded_ = true;
        }
        return true;
    }

    HWND controlFor(const std::string& role, const std::string& control) {
        const HWND handle = screen_.controlHandle(role, control);
        if (handle == nullptr) {
            fail("no control " + control + " in window " + role);
        }
        return handle;
    }

    // As the mouse would: nothing happens on a greyed control or in a disabled window.
    static bool takesInput(HWND control) {
        return IsWindowEnabled(control) && IsWindowVisible(control) &&
               IsWindowEnabled(GetAncestor(control, GA_ROOT));
    }

    void perform(Click& click) {
        const HWND control = controlFor(click.role, click.control);
        if (control == nullptr || !takesInput(control)) {
            return;
        }
        wchar_t name[16] = {};
        GetClassNameW(control, name, 16);
        if (std::wstring_view(name) == L"Static") {
            // A label reacts to the mouse button going down and up over it.
            RECT area{};
            GetClientRect(control, &area);
            const LPARAM centre = MAKELPARAM(area.right / 2, area.bottom / 2);
            SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
            SendMessageW(control, WM_LBUTTONUP, 0, centre);
        } else {
            SendMessageW(control, BM_CLICK, 0, 0);
        }
    }
    void perform(Escape& escape) { postKey(escape.role, WM_KEYDOWN, VK_ESCAPE, 0x00010001); }
    void perform(AltF4& altF4) {
        const HWND window = screen_.windowHandle(altF4.role);
        if (window == nullptr) {
            fail("no window " + altF4.role);
            return;
        }
        // What the system makes of Alt+F4 in a window that has the keyboard.
        if (IsWindowEnabled(window)) {
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    }
    void perform(SelectRow& select) {
        const HWND box = controlFor(select.role, select.control);
        if (box != nullptr && takesInput(box)) {
            SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(select.row), 0);
            SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(box));
        }
    }
    void perform(TypeText& type) {
        const HWND field = controlFor(type.role, type.control);
        if (field != nullptr && takesInput(field)) {
            SetWindowTextW(field, wideFromText(type.text).c_str());
        }
    }
    void perform(PickItem& pick) {
        const HWND combo = controlFor(pick.role, pick.control);
        if (combo != nullptr && takesInput(combo)) {
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(pick.index), 0);
        }
    }
    void perform(Check& check) { check.check(screen_); }
    void perform(AnswerBox&) {}
    void perform(AnswerInput&) {}
    void perform(AnswerFile&) {}
    void perform(AfterPumps&) {}

    void postKey(const std::string& role, UINT message, WPARAM key, LPARAM flags) {
        const HWND window = screen_.windowHandle(role);
        if (window == nullptr) {
            fail("no window " + role);
            return;
        }
        // The key goes where the keyboard focus is, as a real key press does.
        const HWND focus = GetFocus();
        const HWND target =
            focus != nullptr && GetAncestor(focus, GA_ROOT) == window ? focus : window;
        PostMessageW(target, message, key, flags);
    }

    HWND programMessageBox() {
        for (HWND dialog : visibleDialogs()) {
            if (isMessageBox(dialog)) {
                return dialog;
            }
        }
        return nullptr;
    }

    bool answerBox(const AnswerBox answer) {
        const HWND box = programMessageBox();
        if (box == nullptr || platform_.openBoxes == 0) {
            return false;
        }
        // The box on screen says what the program asked for.
        const SeenMessageBox& asked = platform_.messageBoxes.back();
        EXPECT_EQ(utf8FromWide(windowText(GetDlgItem(box, kMessageBoxTextId))), asked.text);
        EXPECT_EQ(utf8FromWide(windowText(box)), asked.title);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL) != nullptr, asked.kind == MessageBoxKind::Confirmation);
        actions_.pop_front();
        yielded_ = true;
        if (answer.answer == BoxAnswer::Escape) {
            const HWND focus = GetFocus();
            PostMessageW(focus != nullptr && GetAncestor(focus, GA_ROOT) == box ? focus : box,
                         WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        } else {
            pressButton(box, answer.answer == BoxAnswer::Ok ? IDOK : IDCANCEL);
        }
        return true;
    }

    HWND dialogTitled(const std::string& title) {
        for (HWND dialog : visibleDialogs()) {
            if (!isMessageBox(dialog) && utf8FromWide(windowText(dialog)) == title) {
                return dialog;
            }
        }
        return nullptr;
    }

    bool answerInput(const AnswerInput answer) {
        if (platform_.inputBoxes.empty()) {
            return false;
        }
        const InputBoxRequest& asked = platform_.inputBoxes.back();
        const HWND dialog = dialogTitled(asked.caption.empty() ? "请输入：" : asked.caption);
        if (dialog == nullptr) {
            return false;
        }
        actions_.pop_front();
        yielded_ = true;
        if (answer.answer) {
            SetDlgItemTextW(dialog, 102, wideFromText(*answer.answer).c_str());
            pressButton(dialog, IDOK);
        } else {
            pressButton(dialog, IDCANCEL);
        }
        return true;
    }

    bool answerFile(AnswerFile& answer) {
        if (platform_.fileDialogs.empty()) {
            return false;
        }
        const HWND dialog = dialogTitled(platform_.fileDialogs.back().title);
        if (answer.submitted) {
            if (dialog == nullptr) {
                actions_.pop_front();  // confirmed, or given up after a refusal
                yielded_ = true;
                return true;
            }
            // The dialog's own question or complaint about the name.
            for (HWND box : visibleDialogs()) {
                if (box != dialog && isMessageBox(box)) {
                    if (GetDlgItem(box, IDYES) != nullptr) {
                        pressButton(box, IDYES);  // replace the existing file
                    } else {
                        pressButton(box, IDOK);  // refused: the user gives up
                        answer.refused = true;
                    }
                    return false;
                }
            }
            if (answer.refused) {
                pressButton(dialog, IDCANCEL);
            }
            return false;
        }
        if (dialog == nullptr) {
            return false;
        }
        answer.submitted = true;
        if (!answer.answer) {
            pressButton(dialog, IDCANCEL);
            return false;
        }
        HWND name = GetDlgItem(dialog, kFileNameCombo);
        if (name == nullptr) {
            name = GetDlgItem(dialog, kFileNameEdit);
        }
        if (name == nullptr) {
            fail("the file dialog has no file name field");
            return false;
        }
        SetWindowTextW(name, answer.answer->wstring().c_str());
        pressButton(dialog, IDOK);
        return false;
    }

    Win32Platform real_;
    RecordingPlatform platform_;
    Win32Screen screen_;
    HWND timerWindow_ = nullptr;
    std::deque<Action> actions_;
    std::string failure_;
    int idleTicks_ = 0;
    bool yielded_ = false;
    Clock::time_point waitingSince_ = Clock::now();
};

}  // namespace

std::unique_ptr<StoryDriver> makeStoryDriver() {
    return std::make_unique<Win32StoryDriver>();
}

}  // namespace quillmora::stories

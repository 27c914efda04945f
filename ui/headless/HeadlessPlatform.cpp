#include "ui/headless/HeadlessPlatform.h"

#include <utility>

namespace quillmora::headless {

namespace {

// The fixed texts that a story picks from a drop-down list, in code page 936. Headless has no
// converter of its own; ASCII passes through unchanged.
Text toCodePage936(std::string_view utf8) {
    if (utf8 == "回车符") {
        return "\xBB\xD8\xB3\xB5\xB7\xFB";
    }
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            throw StoryError("headless: no code page 936 form known for \"" + std::string(utf8) +
                             "\"");
        }
    }
    return Text(utf8);
}

}  // namespace

std::string HeadlessPlatform::Action::describe() const {
    switch (step) {
        case Step::Click:
            return "click " + control + " in the " + role + " window";
        case Step::Escape:
            return "Esc in the " + role + " window";
        case Step::AltF4:
            return "Alt+F4 on the " + role + " window";
        case Step::SelectRow:
            return "select a row of " + control + " in the " + role + " window";
        case Step::Type:
            return "type into " + control + " in the " + role + " window";
        case Step::PickItem:
            return "pick an item of " + control + " in the " + role + " window";
        case Step::Check:
            return "a check";
        case Step::AfterPumps:
            return "wait for a run to pump its events";
        case Step::AnswerMessageBox:
            return "answer a message box";
        case Step::AnswerInputBox:
            return "answer an input box";
        case Step::AnswerFileDialog:
            return "answer a file dialog";
    }
    return "?";
}

// --- the script ---

void HeadlessPlatform::click(std::string_view role, std::string_view control) {
    script_.push_back(
        {.step = Step::Click, .role = std::string(role), .control = std::string(control)});
}
void HeadlessPlatform::pressEscape(std::string_view role) {
    script_.push_back({.step = Step::Escape, .role = std::string(role)});
}
void HeadlessPlatform::pressAltF4(std::string_view role) {
    script_.push_back({.step = Step::AltF4, .role = std::string(role)});
}
void HeadlessPlatform::selectRow(std::string_view role, std::string_view control,
                                 WordList::Position row) {
    script_.push_back({.step = Step::SelectRow,
                       .role = std::string(role),
                       .control = std::string(control),
                       .number = row});
}
void HeadlessPlatform::typeText(std::string_view role, std::string_view control, const Text& text) {
    script_.push_back({.step = Step::Type,
                       .role = std::string(role),
                       .control = std::string(control),
                       .text = text});
}
void HeadlessPlatform::pickItem(std::string_view role, std::string_view control, int index) {
    script_.push_back({.step = Step::PickItem,
                       .role = std::string(role),
                       .control = std::string(control),
                       .number = index});
}
void HeadlessPlatform::answerMessageBox(MessageBoxAnswer answer) {
    script_.push_back({.step = Step::AnswerMessageBox, .boxAnswer = answer});
}
void HeadlessPlatform::answerInputBox(std::optional<Text> answer) {
    script_.push_back({.step = Step::AnswerInputBox, .inputAnswer = std::move(answer)});
}
void HeadlessPlatform::answerFileDialog(std::optional<std::filesystem::path> answer) {
    script_.push_back({.step = Step::AnswerFileDialog, .fileAnswer = std::move(answer)});
}
void HeadlessPlatform::afterPumps(int count) {
    script_.push_back({.step = Step::AfterPumps, .number = count});
}
void HeadlessPlatform::check(std::function<void()> check) {
    script_.push_back({.step = Step::Check, .check = std::move(check)});
}

// --- what is seen ---

const HeadlessPlatform::WindowState* HeadlessPlatform::findWindow(std::string_view role) const {
    for (const auto& [id, window] : windows_) {
        if (window.declaration.role == role) {
            return &window;
        }
    }
    return nullptr;
}

const HeadlessPlatform::WindowState& HeadlessPlatform::window(std::string_view role) const {
    const WindowState* window = findWindow(role);
    if (!window) {
        throw StoryError("headless: no " + std::string(role) + " window is open");
    }
    return *window;
}

const HeadlessPlatform::ControlState& HeadlessPlatform::control(std::string_view role,
                                                                std::string_view name) const {
    const WindowState& w = window(role);
    const auto it = w.controls.find(name);
    if (it == w.controls.end()) {
        throw StoryError("headless: the " + std::string(role) + " window has no control " +
                         std::string(name));
    }
    return it->second;
}

std::vector<Text> HeadlessPlatform::rows(std::string_view role, std::string_view name) const {
    const ControlState& c = control(role, name);
    std::vector<Text> rows;
    if (c.list) {
        for (WordList::Position i = 0; i < c.shownRows; ++i) {
            rows.push_back(c.list->itemAt(i));
        }
    }
    return rows;
}

// --- windows and controls ---

HeadlessPlatform::WindowState& HeadlessPlatform::existing(WindowId window) {
    const auto it = windows_.find(window);
    if (it == windows_.end()) {
        throw StoryError("headless: the program used window " + std::to_string(window) +
                         ", which does not exist");
    }
    return it->second;
}

HeadlessPlatform::ControlState& HeadlessPlatform::existingControl(WindowId window,
                                                                  std::string_view control) {
    WindowState& w = existing(window);
    const auto it = w.controls.find(control);
    if (it == w.controls.end()) {
        throw StoryError("headless: the program used control " + std::string(control) +
                         ", which the " + w.declaration.role + " window does not declare");
    }
    return it->second;
}

HeadlessPlatform::WindowState* HeadlessPlatform::byRole(std::string_view role) {
    return const_cast<WindowState*>(findWindow(role));
}

WindowId HeadlessPlatform::createWindow(const WindowDeclaration& declaration, WindowOwner owner) {
    if (!failRole_.empty() && declaration.role == failRole_) {
        failRole_.clear();
        return kNoWindow;
    }
    const WindowId id = nextId_++;
    WindowState& w = windows_[id];
    w.id = id;
    w.declaration = declaration;
    w.owner = owner;
    for (const ControlDeclaration& c : declaration.controls) {
        w.controls[c.name] = ControlState{
            .declaration = c, .caption = c.caption, .visible = c.visible, .checked = c.checked};
    }
    created_.push_back(declaration.role);
    return id;
}

void HeadlessPlatform::showWindow(WindowId window) {
    existing(window).shown = true;
}
void HeadlessPlatform::destroyWindow(WindowId window) {
    existing(window);
    windows_.erase(window);
}
void HeadlessPlatform::setWindowEnabled(WindowId window, bool enabled) {
    existing(window).enabled = enabled;
}
bool HeadlessPlatform::isWindowEnabled(WindowId window) {
    return existing(window).enabled;
}
void HeadlessPlatform::bringToFront(WindowId window) {
    ++existing(window).broughtToFront;
}

void HeadlessPlatform::setCaption(WindowId window, std::string_view control,
                                  std::string_view text) {
    existingControl(window, control).caption = std::string(text);
}
void HeadlessPlatform::setControlVisible(WindowId window, std::string_view control, bool visible) {
    existingControl(window, control).visible = visible;
}
void HeadlessPlatform::setControlEnabled(WindowId window, std::string_view control, bool enabled) {
    existingControl(window, control).enabled = enabled;
}
void HeadlessPlatform::setChecked(WindowId window, std::string_view control, bool checked) {
    existingControl(window, control).checked = checked;
}
bool HeadlessPlatform::isChecked(WindowId window, std::string_view control) {
    return existingControl(window, control).checked;
}
Text HeadlessPlatform::controlText(WindowId window, std::string_view control) {
    return existingControl(window, control).text;
}
std::filesystem::path HeadlessPlatform::controlPath(WindowId window, std::string_view control) {
    return std::filesystem::path(existingControl(window, control).text);
}
void HeadlessPlatform::setControlPath(WindowId window, std::string_view control,
                                      const std::filesystem::path& path) {
    existingControl(window, control).text = path.string();
}
void HeadlessPlatform::showList(WindowId window, std::string_view control, const WordList& list) {
    ControlState& c = existingControl(window, control);
    c.list = &list;
    c.shownRows = list.count();
}
void HeadlessPlatform::refreshList(WindowId window, std::string_view control) {
    ControlState& c = existingControl(window, control);
    if (!c.list) {
        throw StoryError("headless: refreshList on " + std::string(control) +
                         ", which shows no list");
    }
    c.shownRows = c.list->count();
}

// --- the loop ---

bool HeadlessPlatform::runOnePosted() {
    if (posted_.empty()) {
        return false;
    }
    auto task = std::move(posted_.front());
    posted_.pop_front();
    task();
    return true;
}

LoopEnd HeadlessPlatform::runLoop(FunctionRef<bool()> done) {
    for (;;) {
        if (done()) {
            return LoopEnd::ConditionMet;
        }
        if (runOnePosted()) {
            continue;
        }
        if (quitPending_) {
            quitPending_ = false;
            return LoopEnd::QuitTaken;
        }
        performWhileWaiting();
    }
}

void HeadlessPlatform::pumpEvents() {
    ++pumps_;
    if (!script_.empty() && script_.front().step == Step::AfterPumps && !pumpSegment_) {
        if (--script_.front().number <= 0) {
            script_.pop_front();
            pumpSegment_ = true;
        }
    }
    for (;;) {
        if (runOnePosted()) {
            continue;
        }
        if (quitPending_) {
            return;
        }
        if (pumpSegment_ && !script_.empty() && isUserInput(script_.front().step)) {
            const Action action = std::move(script_.front());
            script_.pop_front();
            perform(action);
            continue;
        }
        pumpSegment_ = false;
        return;
    }
}

std::chrono::steady_clock::time_point HeadlessPlatform::now() {
    clock_ += clockStep_;
    return std::chrono::steady_clock::time_point(
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(clock_));
}

void HeadlessPlatform::performWhileWaiting() {
    if (script_.empty()) {
        throw StoryError("headless: the program waits for input, but the story has no action left");
    }
    const Action action = std::move(script_.front());
    script_.pop_front();
    if (!isUserInput(action.step)) {
        throw StoryError("headless: the story says \"" + action.describe() +
                         "\", but the program waits for input in a window");
    }
    perform(action);
}

bool HeadlessPlatform::reachable(const WindowState* window, const Action& action) {
    if (!window || !window->shown || !window->enabled) {
        ignored_.push_back(action.describe());
        return false;
    }
    return true;
}

void HeadlessPlatform::perform(const Action& action) {
    if (action.step == Step::Check) {
        action.check();
        return;
    }
    WindowState* window = byRole(action.role);
    if (!reachable(window, action)) {
        return;
    }
    const WindowId id = window->id;
    if (action.step == Step::Escape) {
        sink_->escapePressed(id);
        return;
    }
    if (action.step == Step::AltF4) {
        sink_->closeRequested(id);
        return;
    }
    const auto it = window->controls.find(action.control);
    if (it == window->controls.end()) {
        throw StoryError("headless: the " + action.role + " window has no control " +
                         action.control);
    }
    ControlState& c = it->second;
    if (!c.visible || !c.enabled) {
        ignored_.push_back(action.describe());
        return;
    }
    const ControlKind kind = c.declaration.kind;
    switch (action.step) {
        case Step::Click:
            if (kind == ControlKind::Button) {
                sink_->clicked(id, action.control);
            } else if (kind == ControlKind::Label) {
                sink_->labelReleased(id, action.control);
            } else if (kind == ControlKind::RadioButton) {
                // A radio button checks itself and unchecks the other of its group.
                for (auto& [name, other] : window->controls) {
                    if (other.declaration.kind == ControlKind::RadioButton &&
                        other.declaration.parent == c.declaration.parent) {
                        other.checked = name == action.control;
                    }
                }
            }
            return;
        case Step::SelectRow:
            if (kind != ControlKind::ListBox || !c.list || action.number < -1 ||
                action.number >= c.shownRows) {
                throw StoryError("headless: cannot " + action.describe());
            }
            sink_->selectionChanged(id, action.control, action.number);
            return;
        case Step::Type:
            if (kind != ControlKind::EditBox && kind != ControlKind::ComboBox) {
                throw StoryError("headless: cannot " + action.describe());
            }
            c.text = action.text;
            return;
        case Step::PickItem:
            if (kind != ControlKind::ComboBox || action.number < 0 ||
                action.number >= static_cast<int>(c.declaration.items.size())) {
                throw StoryError("headless: cannot " + action.describe());
            }
            c.text = toCodePage936(c.declaration.items[static_cast<std::size_t>(action.number)]);
            return;
        default:
            return;
    }
}

// --- modal boxes ---

HeadlessPlatform::Action HeadlessPlatform::takeAnswer(Step expected, std::string_view box) {
    for (;;) {
        if (script_.empty()) {
            throw StoryError("headless: " + std::string(box) +
                             " is open, but the story has no action left");
        }
        Action action = std::move(script_.front());
        script_.pop_front();
        if (action.step == Step::Check) {
            action.check();
            continue;
        }
        if (action.step != expected) {
            throw StoryError("headless: " + std::string(box) + " is open, but the story says \"" +
                             action.describe() + "\"");
        }
        pumpSegment_ = false;
        return action;
    }
}

MessageBoxResult HeadlessPlatform::messageBox(std::string_view text, MessageBoxKind kind,
                                              std::string_view title) {
    messageBoxes_.push_back({std::string(text), std::string(title), kind});
    const Action answer =
        takeAnswer(Step::AnswerMessageBox, "the message box \"" + std::string(text) + "\"");
    const bool hasCancel = kind == MessageBoxKind::Confirmation;
    switch (answer.boxAnswer) {
        case MessageBoxAnswer::Ok:
            return MessageBoxResult::Ok;
        case MessageBoxAnswer::Cancel:
            if (!hasCancel) {
                throw StoryError("headless: the message box \"" + std::string(text) +
                                 "\" has no Cancel button");
            }
            return MessageBoxResult::Cancel;
        case MessageBoxAnswer::Escape:
            return hasCancel ? MessageBoxResult::Cancel : MessageBoxResult::Ok;
    }
    return MessageBoxResult::Ok;
}

std::optional<Text> HeadlessPlatform::inputBox(const InputBoxRequest& request) {
    inputBoxes_.push_back(request);
    return takeAnswer(Step::AnswerInputBox, "the input box \"" + request.caption + "\"")
        .inputAnswer;
}

std::optional<std::filesystem::path> HeadlessPlatform::fileDialog(
    const FileDialogRequest& request) {
    fileDialogs_.push_back(request);
    return takeAnswer(Step::AnswerFileDialog, "the file dialog \"" + request.title + "\"")
        .fileAnswer;
}

}  // namespace quillmora::headless

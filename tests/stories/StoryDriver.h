#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/MessageBoxService.h"
#include "core/Text.h"
#include "core/WordList.h"
#include "ui/Platform.h"

namespace quillmora::stories {

// How the user answers a message box. Escape stands for Esc and the close box alike.
enum class BoxAnswer { Ok, Cancel, Escape };

struct SeenMessageBox {
    std::string text;   // UTF-8
    std::string title;  // UTF-8
    MessageBoxKind kind = MessageBoxKind::Information;
};

// What the user sees at the moment a check runs. Windows are named by role ("main", "import",
// "rules"), controls by their declared names. Texts of the program are UTF-8; what the user
// typed and the list rows are code page 936.
class Screen {
  public:
    virtual ~Screen() = default;
    [[nodiscard]] virtual bool windowShown(std::string_view role) const = 0;
    [[nodiscard]] virtual std::string windowCaption(std::string_view role) const = 0;
    [[nodiscard]] virtual bool windowEnabled(std::string_view role) const = 0;
    [[nodiscard]] virtual std::string caption(std::string_view role,
                                              std::string_view control) const = 0;
    [[nodiscard]] virtual bool visible(std::string_view role, std::string_view control) const = 0;
    [[nodiscard]] virtual bool enabled(std::string_view role, std::string_view control) const = 0;
    [[nodiscard]] virtual bool checked(std::string_view role, std::string_view control) const = 0;
    // The text of an edit box or combo box.
    [[nodiscard]] virtual Text text(std::string_view role, std::string_view control) const = 0;
    [[nodiscard]] virtual std::vector<Text> rows(std::string_view role,
                                                 std::string_view control) const = 0;
    // Everything shown so far, oldest first.
    [[nodiscard]] virtual std::vector<SeenMessageBox> messageBoxes() const = 0;
    [[nodiscard]] virtual std::vector<InputBoxRequest> inputBoxes() const = 0;
    [[nodiscard]] virtual std::vector<FileDialogRequest> fileDialogs() const = 0;
    [[nodiscard]] virtual std::vector<std::string> webPages() const = 0;
};

// Plays a user's story against one front end. Actions are queued first and performed in order
// whenever the program waits for input, in any loop: the main loop, a modal window's loop, a
// message box, input box or file dialog. A check runs at its place in the queue. The same story
// source runs on every front end.
class StoryDriver {
  public:
    virtual ~StoryDriver() = default;

    virtual void click(std::string_view role, std::string_view control) = 0;
    virtual void pressEscape(std::string_view role) = 0;
    virtual void pressAltF4(std::string_view role) = 0;
    virtual void selectRow(std::string_view role, std::string_view control,
                           WordList::Position row) = 0;
    // Replaces the text of an edit box or combo box; the text is code page 936.
    virtual void typeText(std::string_view role, std::string_view control, const Text& text) = 0;
    // Picks an entry of a combo box's drop-down list.
    virtual void pickItem(std::string_view role, std::string_view control, int index) = 0;
    virtual void answerMessageBox(BoxAnswer answer) = 0;
    // The text confirmed with OK, or nothing for Cancel.
    virtual void answerInputBox(std::optional<Text> answer) = 0;
    // The file confirmed, or nothing for Cancel.
    virtual void answerFileDialog(std::optional<std::filesystem::path> answer) = 0;
    // The actions that follow are performed during a combination run, once the run has pumped
    // its events `count` more times, up to the next box answer or afterPumps.
    virtual void afterPumps(int count) = 0;
    virtual void check(std::function<void(const Screen&)> check) = 0;

    // Starts the program and plays the story to the program's end; the exit status. The story
    // fails with a message when the program waits and no action is left, and when the program
    // ends before the last action.
    virtual int run() = 0;
    // What the user saw, also once the program has ended.
    [[nodiscard]] virtual const Screen& screen() const = 0;
};

// The driver of the front end this test program is built for.
std::unique_ptr<StoryDriver> makeStoryDriver();

}  // namespace quillmora::stories

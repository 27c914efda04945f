#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FunctionRef.h"
#include "core/MessageBoxService.h"
#include "core/Text.h"
#include "core/WordList.h"
#include "ui/WindowDeclaration.h"

namespace quillmora {

// A window the platform created; 0 is no window.
using WindowId = std::uint32_t;
inline constexpr WindowId kNoWindow = 0;

enum class WindowOwner {
    None,         // the main window: unowned, with its own task-bar entry
    HiddenOwner,  // a modal window: owned by the invisible owner window, no task-bar entry
};

enum class LoopEnd {
    ConditionMet,  // a dispatched event made the loop's condition true
    QuitTaken,     // the loop took the quit request
};

enum class InputBoxLayout {
    WithPrompt,  // 252 x 92 dialog units: framed prompt, input field, two buttons
    Compact,     // 214 x 56 dialog units: input field and two buttons
};

struct InputBoxRequest {
    std::string caption;  // UTF-8
    std::string prompt;   // UTF-8, shown in the WithPrompt layout only
    InputBoxLayout layout = InputBoxLayout::WithPrompt;
    Text initialText;  // code page 936; put into the field, all of it selected
};

struct FileTypeFilter {
    std::string description;  // UTF-8: "文本文件（*.txt）"
    std::string pattern;      // "*.txt"
};

// What the shell asks of the platform's open or save dialog; the shell has already applied its
// rules (filter parsing, flags, what counts as empty).
struct FileDialogRequest {
    enum class Kind { Open, Save } kind = Kind::Open;
    std::string title;                    // UTF-8; empty: the platform's default caption
    std::vector<FileTypeFilter> filters;  // empty: no file-type list
    int selectedFilter = 0;               // zero-based entry of `filters`
    std::filesystem::path initialFile;    // empty: none
    std::filesystem::path initialFolder;  // empty: the platform's choice
    std::string defaultExtension;         // without the dot; empty: none
    bool createPrompt = false;
    bool fileMustExist = false;
    bool overwritePrompt = false;
    bool pathMustExist = false;
    bool keepCurrentDirectory = false;
    // The read-only check box is always hidden.
};

// What the user did, as the platform reports it to the shell. The shell decides what follows.
class PlatformEvents {
  public:
    virtual ~PlatformEvents() = default;
    // A button was clicked.
    virtual void clicked(WindowId window, std::string_view control) = 0;
    // The left mouse button was released over a label.
    virtual void labelReleased(WindowId window, std::string_view control) = 0;
    // The user moved a list box's selection (click, arrow keys); -1 for none.
    virtual void selectionChanged(WindowId window, std::string_view control,
                                  WordList::Position row) = 0;
    // The close box, the system menu's Close, or Alt+F4.
    virtual void closeRequested(WindowId window) = 0;
    // Esc pressed while the window or one of its controls had the keyboard focus.
    virtual void escapePressed(WindowId window) = 0;
};

// The primitives that a windowing system gives the shell. A backend implements these and holds
// no rule of the program: which windows are disabled, what a close request does, when to quit,
// what the count labels say, all of that is the shell's. Every call comes on the one GUI thread.
class Platform {
  public:
    virtual ~Platform() = default;

    virtual void setEventSink(PlatformEvents* sink) = 0;

    // Windows. A window is created hidden, with all its controls, centred on the primary screen
    // by its outer size, with a fixed frame, close and minimise boxes and no maximise box.
    // kNoWindow when it cannot be created.
    virtual WindowId createWindow(const WindowDeclaration& declaration, WindowOwner owner) = 0;
    virtual void showWindow(WindowId window) = 0;
    // Destroys the window and its controls at once; no event of it is reported afterwards.
    virtual void destroyWindow(WindowId window) = 0;
    virtual void setWindowEnabled(WindowId window, bool enabled) = 0;
    virtual bool isWindowEnabled(WindowId window) = 0;
    // Restores the window when it is minimised, else activates it.
    virtual void bringToFront(WindowId window) = 0;

    // Controls, by declared name.
    virtual void setCaption(WindowId window, std::string_view control, std::string_view text) = 0;
    virtual void setControlVisible(WindowId window, std::string_view control, bool visible) = 0;
    virtual void setControlEnabled(WindowId window, std::string_view control, bool enabled) = 0;
    // Radio buttons: checks or unchecks this one button only, never its partner.
    virtual void setChecked(WindowId window, std::string_view control, bool checked) = 0;
    virtual bool isChecked(WindowId window, std::string_view control) = 0;
    // The text of an edit box or combo box, encoded to code page 936.
    virtual Text controlText(WindowId window, std::string_view control) = 0;
    // The same text as a native path, so the file the user named is the file that is read.
    virtual std::filesystem::path controlPath(WindowId window, std::string_view control) = 0;
    virtual void setControlPath(WindowId window, std::string_view control,
                                const std::filesystem::path& path) = 0;
    // From now on the list box draws its rows from `list`, which outlives the window. The box
    // holds no copy: a list of millions shows at once.
    virtual void showList(WindowId window, std::string_view control, const WordList& list) = 0;
    // The list changed: take its new count, rows and selection.
    virtual void refreshList(WindowId window, std::string_view control) = 0;

    // The event loop. `runLoop` takes and dispatches events, waiting when none is pending,
    // until a dispatched event makes `done` true or it takes the quit request. Loops nest.
    virtual LoopEnd runLoop(FunctionRef<bool()> done) = 0;
    // Dispatches what is pending and returns; never waits, and leaves a quit request queued.
    virtual void pumpEvents() = 0;
    // Runs the task from whichever loop dispatches next (a nested loop and pumpEvents too).
    virtual void post(std::function<void()> task) = 0;
    virtual void postQuit() = 0;
    // The clock that paces event pumping during a run.
    virtual std::chrono::steady_clock::time_point now() = 0;

    // Modal services, each in the platform's own modal loop, owned by the active window.
    virtual MessageBoxResult messageBox(std::string_view text, MessageBoxKind kind,
                                        std::string_view title) = 0;
    // The field's text on OK (possibly empty), nothing on Cancel, Esc or the close box.
    virtual std::optional<Text> inputBox(const InputBoxRequest& request) = 0;
    // The chosen file's full path, or nothing on cancel or failure.
    virtual std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& request) = 0;
    // Asks the desktop to open the address in the user's browser; the outcome is not reported.
    virtual void openWebPage(std::string_view address) = 0;
};

}  // namespace quillmora

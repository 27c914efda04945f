#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/CombineRules.h"
#include "core/InputBoxService.h"
#include "core/MessageBoxService.h"
#include "core/RandomIndexSource.h"
#include "ui/FileDialog.h"
#include "ui/Platform.h"
#include "ui/WindowDeclaration.h"
#include "ui/WindowHandlers.h"

namespace quillmora {

// Makes the handlers of a window instance once the platform has created it.
using HandlersFactory = std::function<std::shared_ptr<WindowHandlers>(WindowId)>;

// The frame every window runs in: the set of window instances, modal loading with its nested
// loop, destruction by request, close requests, quitting when no window is left, and the
// services the handlers use. It also holds what lives as long as the program: the rules of
// combination and the random source.
class Shell final : public PlatformEvents, public MessageBoxService, public InputBoxService {
  public:
    explicit Shell(Platform& platform);
    ~Shell() override;
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    [[nodiscard]] Platform& platform() noexcept { return platform_; }
    [[nodiscard]] CombineRules& rules() noexcept { return rules_; }
    [[nodiscard]] RandomIndexSource& randomSource() noexcept { return randomSource_; }

    // Start-up: creates the unowned main window, fires its created event and shows it. The
    // window, or kNoWindow when it cannot be created.
    WindowId openMainWindow(const WindowDeclaration& declaration, const HandlersFactory& make);
    // Runs the event loop until it takes the quit request.
    void runEventLoop();

    // Loads the window as a modal window and returns once it is gone. A window of the same role
    // that is open is brought to the front instead. False when it cannot be created.
    bool loadWindow(const WindowDeclaration& declaration, const HandlersFactory& make);
    // Marks the window and posts its destruction; the calling handler goes on with the window
    // in place.
    void destroyWindow(WindowId window);
    [[nodiscard]] bool exists(WindowId window) const { return windows_.contains(window); }
    [[nodiscard]] std::size_t windowCount() const noexcept { return windows_.size(); }

    using MessageBoxService::showMessageBox;
    MessageBoxResult showMessageBox(std::string_view text, MessageBoxKind kind,
                                    std::string_view title) override;
    std::optional<Text> inputBox(std::string_view prompt, std::string_view title,
                                 const Text& initialText, InputMode mode) override;
    bool showFileDialog(FileDialog& dialog);
    void pumpEvents();
    void openWebPage(std::string_view address);

    // A handler ran out of memory: the program is ending.
    [[nodiscard]] bool outOfMemory() const noexcept { return outOfMemory_; }
    void reportOutOfMemory();

    // PlatformEvents
    void clicked(WindowId window, std::string_view control) override;
    void labelReleased(WindowId window, std::string_view control) override;
    void selectionChanged(WindowId window, std::string_view control,
                          WordList::Position row) override;
    void closeRequested(WindowId window) override;
    void escapePressed(WindowId window) override;

  private:
    struct Instance {
        std::string role;
        std::shared_ptr<WindowHandlers> handlers;
        bool destroyRequested = false;
        // The windows this modal window disabled, each with the state it had before.
        std::vector<std::pair<WindowId, bool>> disabled;
    };

    WindowId createInstance(const WindowDeclaration& declaration, WindowOwner owner,
                            const HandlersFactory& make);
    void destroyedByRequest(WindowId window);
    void destroyNow(WindowId window);
    // The handlers of a window that takes input now; none for a window that is gone or disabled.
    std::shared_ptr<WindowHandlers> receiver(WindowId window);
    template <class Event>
    void dispatch(WindowId window, Event&& event);

    Platform& platform_;
    std::map<WindowId, Instance> windows_;
    bool loopStarted_ = false;
    bool outOfMemory_ = false;
    WindowId modalWindow_ = kNoWindow;
    CombineRules rules_;
    RandomIndexSource randomSource_;
};

// The program: the main window, the event loop until the main window is gone. The process's
// exit status.
int runProgram(Platform& platform);

}  // namespace quillmora

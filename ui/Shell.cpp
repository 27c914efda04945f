#include "ui/Shell.h"

#include <new>
#include <stdexcept>

namespace quillmora {

namespace {

constexpr std::string_view kDefaultMessageTitle = "信息：";
constexpr std::string_view kDefaultInputCaption = "请输入：";

}  // namespace

Shell::Shell(Platform& platform) : platform_(platform) {
    platform_.setEventSink(this);
}

Shell::~Shell() {
    platform_.setEventSink(nullptr);
    // Whatever is still open goes with the program; no handler runs any more.
    while (!windows_.empty()) {
        const auto it = windows_.begin();
        const WindowId window = it->first;
        const auto handlers = std::move(it->second.handlers);
        windows_.erase(it);
        platform_.destroyWindow(window);
        if (handlers) {
            handlers->windowDestroyed();
        }
    }
}

WindowId Shell::createInstance(const WindowDeclaration& declaration, WindowOwner owner,
                               const HandlersFactory& make) {
    const WindowId window = platform_.createWindow(declaration, owner);
    if (window == kNoWindow) {
        return kNoWindow;
    }
    windows_[window] = Instance{declaration.role, nullptr, false, {}};
    auto handlers = make(window);
    if (const auto it = windows_.find(window); it != windows_.end()) {
        it->second.handlers = std::move(handlers);
    }
    return window;
}

template <class Event>
void Shell::dispatch(WindowId window, Event&& event) {
    const auto handlers = receiver(window);
    if (!handlers) {
        return;
    }
    // The copy keeps the handlers, and the state they hold, alive when the window is destroyed
    // while they run (a close request dispatched by the pump of a combination run).
    try {
        event(*handlers);
    } catch (const std::bad_alloc&) {
        reportOutOfMemory();
    } catch (const std::length_error&) {
        reportOutOfMemory();
    }
}

std::shared_ptr<WindowHandlers> Shell::receiver(WindowId window) {
    const auto it = windows_.find(window);
    // A window on its way out takes no more input: a second click of 导入！ must not import again.
    if (it == windows_.end() || !it->second.handlers || it->second.destroyRequested) {
        return nullptr;
    }
    // A disabled window takes no input, whatever the platform lets through.
    if (!platform_.isWindowEnabled(window)) {
        return nullptr;
    }
    return it->second.handlers;
}

WindowId Shell::openMainWindow(const WindowDeclaration& declaration, const HandlersFactory& make) {
    const WindowId window = createInstance(declaration, WindowOwner::None, make);
    if (window == kNoWindow) {
        return kNoWindow;
    }
    dispatch(window, [](WindowHandlers& h) { h.created(); });
    if (exists(window)) {
        platform_.showWindow(window);
    }
    return window;
}

void Shell::runEventLoop() {
    loopStarted_ = true;
    if (windows_.empty() || outOfMemory_) {
        return;
    }
    platform_.runLoop([] { return false; });
}

bool Shell::loadWindow(const WindowDeclaration& declaration, const HandlersFactory& make) {
    for (const auto& [window, instance] : windows_) {
        if (instance.role == declaration.role && !instance.destroyRequested) {
            platform_.bringToFront(window);
            return true;
        }
    }
    const WindowId window = createInstance(declaration, WindowOwner::HiddenOwner, make);
    if (window == kNoWindow) {
        return false;
    }
    dispatch(window, [](WindowHandlers& h) { h.created(); });
    if (!exists(window)) {
        return true;
    }
    platform_.showWindow(window);
    std::vector<std::pair<WindowId, bool>> disabled;
    for (const auto& [other, instance] : windows_) {
        if (other != window) {
            disabled.emplace_back(other, platform_.isWindowEnabled(other));
            platform_.setWindowEnabled(other, false);
        }
    }
    windows_.at(window).disabled = std::move(disabled);

    const WindowId previousModal = std::exchange(modalWindow_, window);
    const LoopEnd end = platform_.runLoop([this, window] { return !exists(window); });
    modalWindow_ = previousModal;
    if (end == LoopEnd::QuitTaken) {
        // The quit request belongs to the main loop: queue it again so that loop ends too.
        platform_.postQuit();
    }
    return true;
}

void Shell::destroyWindow(WindowId window) {
    const auto it = windows_.find(window);
    if (it == windows_.end()) {
        return;
    }
    it->second.destroyRequested = true;
    platform_.post([this, window] { destroyedByRequest(window); });
}

void Shell::destroyedByRequest(WindowId window) {
    const auto it = windows_.find(window);
    if (it == windows_.end() || !it->second.destroyRequested) {
        return;
    }
    it->second.destroyRequested = false;
    destroyNow(window);
}

void Shell::destroyNow(WindowId window) {
    const auto it = windows_.find(window);
    if (it == windows_.end()) {
        return;
    }
    Instance instance = std::move(it->second);
    windows_.erase(it);
    // Re-enable first, so that the window below takes the activation when this one goes.
    for (const auto& [other, wasEnabled] : instance.disabled) {
        if (exists(other)) {
            platform_.setWindowEnabled(other, wasEnabled);
        }
    }
    platform_.destroyWindow(window);
    if (instance.handlers) {
        instance.handlers->windowDestroyed();
    }
    if (windows_.empty() && loopStarted_) {
        platform_.postQuit();
    }
}

MessageBoxResult Shell::showMessageBox(std::string_view text, MessageBoxKind kind,
                                       std::string_view title) {
    return platform_.messageBox(text, kind, title.empty() ? kDefaultMessageTitle : title);
}

std::optional<Text> Shell::inputBox(std::string_view prompt, std::string_view title,
                                    const Text& initialText, InputMode /*mode*/) {
    // Plain text is the only mode: nothing is masked.
    InputBoxRequest request;
    request.caption = std::string(title.empty() ? kDefaultInputCaption : title);
    request.prompt = std::string(prompt);
    request.layout = prompt.empty() ? InputBoxLayout::Compact : InputBoxLayout::WithPrompt;
    request.initialText = initialText;
    return platform_.inputBox(request);
}

bool Shell::showFileDialog(FileDialog& dialog) {
    return quillmora::showFileDialog(platform_, dialog);
}

void Shell::pumpEvents() {
    platform_.pumpEvents();
}

void Shell::openWebPage(std::string_view address) {
    platform_.openWebPage(address);
}

void Shell::reportOutOfMemory() {
    if (!outOfMemory_) {
        outOfMemory_ = true;
        platform_.postQuit();
    }
}

void Shell::clicked(WindowId window, std::string_view control) {
    dispatch(window, [control](WindowHandlers& h) { h.clicked(control); });
}

void Shell::labelReleased(WindowId window, std::string_view control) {
    dispatch(window, [control](WindowHandlers& h) { h.labelReleased(control); });
}

void Shell::selectionChanged(WindowId window, std::string_view control, WordList::Position row) {
    dispatch(window, [control, row](WindowHandlers& h) { h.selectionChanged(control, row); });
}

void Shell::closeRequested(WindowId window) {
    // No window of the program asks to stay open, and no handler runs.
    if (exists(window) && platform_.isWindowEnabled(window)) {
        destroyNow(window);
    }
}

void Shell::escapePressed(WindowId window) {
    closeRequested(window);
}

}  // namespace quillmora

#include "ui/win32/Win32Platform.h"

#include <commctrl.h>
#include <shellapi.h>

#include "ui/win32/FileDialogs.h"
#include "ui/win32/InputBox.h"
#include "ui/win32/NativeWindow.h"
#include "ui/win32/WideText.h"

namespace quillmora::win32 {
namespace {

constexpr UINT kRunTask = WM_APP + 1;
constexpr const wchar_t* kTaskClass = L"QuillmoraTasks";
constexpr const wchar_t* kOwnerClass = L"QuillmoraOwner";

void registerHelperClasses(HINSTANCE instance, WNDPROC taskProcedure) {
    WNDCLASSEXW tasks{};
    tasks.cbSize = sizeof tasks;
    tasks.lpfnWndProc = taskProcedure;
    tasks.hInstance = instance;
    tasks.lpszClassName = kTaskClass;
    RegisterClassExW(&tasks);
    WNDCLASSEXW owner{};
    owner.cbSize = sizeof owner;
    owner.lpfnWndProc = DefWindowProcW;
    owner.hInstance = instance;
    owner.lpszClassName = kOwnerClass;
    RegisterClassExW(&owner);
}

UINT messageBoxStyle(MessageBoxKind kind) {
    switch (kind) {
        case MessageBoxKind::Error:
            return MB_ICONERROR | MB_OK;
        case MessageBoxKind::Confirmation:
            return MB_ICONEXCLAMATION | MB_OKCANCEL;
        case MessageBoxKind::Information:
            return MB_ICONINFORMATION | MB_OK;
    }
    return MB_OK;
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    NativeWindow::registerClass(instance_);
    registerHelperClasses(instance_, &Win32Platform::taskProcedure);
    // Never shown: it owns the modal windows, which therefore get no task-bar button.
    hiddenOwner_ = CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0,
                                   nullptr, nullptr, instance_, nullptr);
    taskWindow_ = CreateWindowExW(0, kTaskClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance_, nullptr);
    SetWindowLongPtrW(taskWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    webPageOpener_ = [](std::wstring_view address) {
        const std::wstring terminated(address);
        ShellExecuteW(nullptr, L"open", terminated.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
}

Win32Platform::~Win32Platform() {
    windows_.clear();
    if (taskWindow_ != nullptr) {
        SetWindowLongPtrW(taskWindow_, GWLP_USERDATA, 0);
        DestroyWindow(taskWindow_);
    }
    if (hiddenOwner_ != nullptr) {
        DestroyWindow(hiddenOwner_);
    }
}

NativeWindow* Win32Platform::find(WindowId window) const {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second.get();
}

WindowId Win32Platform::createWindow(const WindowDeclaration& declaration, WindowOwner owner) {
    const WindowId id = lastId_ + 1;
    auto window = std::make_unique<NativeWindow>(
        *this, id, declaration, owner == WindowOwner::HiddenOwner ? hiddenOwner_ : nullptr);
    if (!window->created()) {
        return kNoWindow;
    }
    lastId_ = id;
    windows_.emplace(id, std::move(window));
    return id;
}

void Win32Platform::showWindow(WindowId window) {
    if (NativeWindow* native = find(window)) {
        native->show();
    }
}

void Win32Platform::destroyWindow(WindowId window) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) {
        return;
    }
    // Out of the map first: the messages sent while it is torn down find no window to report.
    std::unique_ptr<NativeWindow> native = std::move(found->second);
    windows_.erase(found);
    native.reset();
}

void Win32Platform::setWindowEnabled(WindowId window, bool enabled) {
    if (NativeWindow* native = find(window)) {
        EnableWindow(native->handle(), enabled ? TRUE : FALSE);
    }
}

bool Win32Platform::isWindowEnabled(WindowId window) {
    const NativeWindow* native = find(window);
    return native != nullptr && IsWindowEnabled(native->handle()) != FALSE;
}

void Win32Platform::bringToFront(WindowId window) {
    if (NativeWindow* native = find(window)) {
        if (IsIconic(native->handle())) {
            ShowWindow(native->handle(), SW_RESTORE);
        } else {
            SetForegroundWindow(native->handle());
            SetActiveWindow(native->handle());
        }
    }
}

HWND Win32Platform::windowHandle(WindowId window) const {
    const NativeWindow* native = find(window);
    return native != nullptr ? native->handle() : nullptr;
}

HWND Win32Platform::controlHandle(WindowId window, std::string_view control) const {
    const NativeWindow* native = find(window);
    const NativeWindow::Control* found = native != nullptr ? native->control(control) : nullptr;
    return found != nullptr ? found->handle : nullptr;
}

const WordList* Win32Platform::shownList(WindowId window, std::string_view control) const {
    const NativeWindow* native = find(window);
    const NativeWindow::Control* found = native != nullptr ? native->control(control) : nullptr;
    return found != nullptr ? found->list : nullptr;
}

WindowId Win32Platform::windowOf(HWND handle) const {
    if (handle == nullptr) {
        return kNoWindow;
    }
    const HWND root = GetAncestor(handle, GA_ROOT);
    for (const auto& [id, window] : windows_) {
        if (window->handle() == root) {
            return id;
        }
    }
    return kNoWindow;
}

void Win32Platform::setCaption(WindowId window, std::string_view control, std::string_view text) {
    if (const HWND handle = controlHandle(window, control)) {
        SetWindowTextW(handle, wideFromUtf8(text).c_str());
    }
}

void Win32Platform::setControlVisible(WindowId window, std::string_view control, bool visible) {
    if (const HWND handle = controlHandle(window, control)) {
        ShowWindow(handle, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void Win32Platform::setControlEnabled(WindowId window, std::string_view control, bool enabled) {
    if (const HWND handle = controlHandle(window, control)) {
        EnableWindow(handle, enabled ? TRUE : FALSE);
    }
}

void Win32Platform::setChecked(WindowId window, std::string_view control, bool checked) {
    if (const HWND handle = controlHandle(window, control)) {
        SendMessageW(handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

bool Win32Platform::isChecked(WindowId window, std::string_view control) {
    const HWND handle = controlHandle(window, control);
    return handle != nullptr && SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

namespace {

std::wstring windowText(HWND handle) {
    const int length = GetWindowTextLengthW(handle);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(handle, text.data(), length + 1)));
    return text;
}

}  // namespace

Text Win32Platform::controlText(WindowId window, std::string_view control) {
    const HWND handle = controlHandle(window, control);
    return handle != nullptr ? textFromWide(windowText(handle)) : Text();
}

std::filesystem::path Win32Platform::controlPath(WindowId window, std::string_view control) {
    const HWND handle = controlHandle(window, control);
    return handle != nullptr ? std::filesystem::path(windowText(handle)) : std::filesystem::path();
}

void Win32Platform::setControlPath(WindowId window, std::string_view control,
                                   const std::filesystem::path& path) {
    if (const HWND handle = controlHandle(window, control)) {
        SetWindowTextW(handle, path.wstring().c_str());
    }
}

void Win32Platform::showList(WindowId window, std::string_view control, const WordList& list) {
    NativeWindow* native = find(window);
    NativeWindow::Control* found = native != nullptr ? native->control(control) : nullptr;
    if (found != nullptr && found->declaration.kind == ControlKind::ListBox) {
        found->list = &list;
        native->refreshList(*found);
    }
}

void Win32Platform::refreshList(WindowId window, std::string_view control) {
    NativeWindow* native = find(window);
    NativeWindow::Control* found = native != nullptr ? native->control(control) : nullptr;
    if (found != nullptr && found->declaration.kind == ControlKind::ListBox) {
        native->refreshList(*found);
    }
}

bool Win32Platform::keyboardHandled(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return false;
    }
    const WindowId window = windowOf(message.hwnd);
    if (window == kNoWindow) {
        return false;  // a message box, the input box or a file dialog: its own handling
    }
    const HWND root = find(window)->handle();
    if (message.wParam == VK_ESCAPE) {
        if (message.message != WM_KEYDOWN) {
            return message.message == WM_CHAR || message.message == WM_KEYUP;
        }
        // An open drop-down list takes its Esc to close itself.
        const HWND focus = GetFocus();
        const HWND combo = focus != nullptr ? GetAncestor(focus, GA_PARENT) : nullptr;
        for (HWND box : {focus, combo}) {
            if (box != nullptr && SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) == TRUE) {
                return false;
            }
        }
        if (IsWindowEnabled(root) && sink_ != nullptr) {
            sink_->escapePressed(window);
        }
        return true;
    }
    // Enter goes to the focused control: no button of the program is a default button.
    if (message.wParam == VK_RETURN) {
        return false;
    }
    // Tab, Shift+Tab and the arrows between the radio buttons of a pair.
    return IsDialogMessageW(root, &message) != FALSE;
}

void Win32Platform::dispatch(MSG& message) {
    if (!keyboardHandled(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LoopEnd Win32Platform::runLoop(FunctionRef<bool()> done) {
    while (!done()) {
        MSG message{};
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            return LoopEnd::QuitTaken;
        }
        dispatch(message);
    }
    return LoopEnd::ConditionMet;
}

void Win32Platform::pumpEvents() {
    MSG message{};
    // Look first: a quit request stays queued for the event loop.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            return;
        }
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
            return;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void Win32Platform::post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
    PostMessageW(taskWindow_, kRunTask, 0, 0);
}

void Win32Platform::runNextTask() {
    if (tasks_.empty()) {
        return;
    }
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
}

LRESULT CALLBACK Win32Platform::taskProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == kRunTask) {
        if (auto* self =
                reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            self->runNextTask();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Platform::postQuit() {
    PostQuitMessage(0);
}

std::chrono::steady_clock::time_point Win32Platform::now() {
    return std::chrono::steady_clock::now();
}

MessageBoxResult Win32Platform::messageBox(std::string_view text, MessageBoxKind kind,
                                           std::string_view title) {
    // Task modal with no owner: every window of the program is disabled while it is open.
    const int pressed =
        MessageBoxW(nullptr, wideFromUtf8(text).c_str(), wideFromUtf8(title).c_str(),
                    messageBoxStyle(kind) | MB_TASKMODAL);
    return pressed == IDOK ? MessageBoxResult::Ok : MessageBoxResult::Cancel;
}

// Both are owned by the window active at the call, which takes no input until they close.
std::optional<Text> Win32Platform::inputBox(const InputBoxRequest& request) {
    return runInputBox(instance_, GetActiveWindow(), request);
}

std::optional<std::filesystem::path> Win32Platform::fileDialog(const FileDialogRequest& request) {
    return runFileDialog(GetActiveWindow(), request);
}

void Win32Platform::openWebPage(std::string_view address) {
    if (webPageOpener_) {
        webPageOpener_(wideFromUtf8(address));
    }
}

}  // namespace quillmora::win32

#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "ui/Platform.h"

namespace quillmora::win32 {

class NativeWindow;

// The Platform over the Win32 API: native controls, the thread's message queue, the system's
// message box and common dialogs. It holds no rule of the program.
class Win32Platform final : public Platform {
  public:
    explicit Win32Platform(HINSTANCE instance);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

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
    void post(std::function<void()> task) override;
    void postQuit() override;
    std::chrono::steady_clock::time_point now() override;

    MessageBoxResult messageBox(std::string_view text, MessageBoxKind kind,
                                std::string_view title) override;
    std::optional<Text> inputBox(const InputBoxRequest& request) override;
    std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& request) override;
    void openWebPage(std::string_view address) override;

    // For the test driver, which works the real windows from inside the process.
    [[nodiscard]] HWND windowHandle(WindowId window) const;
    [[nodiscard]] HWND controlHandle(WindowId window, std::string_view control) const;
    [[nodiscard]] WindowId windowOf(HWND handle) const;
    // The list a list box draws its rows from; none before showList.
    [[nodiscard]] const WordList* shownList(WindowId window, std::string_view control) const;
    // Replaces the browser call, so tests see the address instead of starting a browser.
    void setWebPageOpener(std::function<void(std::wstring_view)> opener) {
        webPageOpener_ = std::move(opener);
    }

    [[nodiscard]] HINSTANCE instance() const noexcept { return instance_; }
    [[nodiscard]] PlatformEvents* sink() const noexcept { return sink_; }

  private:
    static LRESULT CALLBACK taskProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    NativeWindow* find(WindowId window) const;
    // Esc, Tab and Shift+Tab for the program's windows; true when the message was consumed.
    bool keyboardHandled(MSG& message);
    void dispatch(MSG& message);
    void runNextTask();

    HINSTANCE instance_;
    PlatformEvents* sink_ = nullptr;
    HWND hiddenOwner_ = nullptr;
    HWND taskWindow_ = nullptr;
    WindowId lastId_ = kNoWindow;
    std::map<WindowId, std::unique_ptr<NativeWindow>> windows_;
    std::deque<std::function<void()>> tasks_;
    std::function<void(std::wstring_view)> webPageOpener_;
};

}  // namespace quillmora::win32

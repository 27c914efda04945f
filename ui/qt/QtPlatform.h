#pragma once

#include <QObject>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "ui/Platform.h"

class QApplication;
class QTranslator;
class QWidget;

namespace quillmora {

class QtWindow;

// The Platform over Qt 6 Widgets. It creates and destroys what the shell asks for, reports
// what the user does, and holds no rule of the program.
class QtPlatform final : public Platform {
  public:
    // Starts Qt unless a QApplication exists already (the tests keep one for all cases).
    QtPlatform(int& argc, char** argv);
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    void setEventSink(PlatformEvents* sink) override;

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

    // For the tests and the screenshots: the live window of that id, or null.
    [[nodiscard]] QtWindow* window(WindowId window) const;
    [[nodiscard]] std::vector<QtWindow*> windows() const;

  private:
    class GuardedEvents;
    class EscapeFilter;

    void reportEscape(QtWindow& window);
    void sweepDestroyedWindows();
    void queueSweep();

    std::unique_ptr<QApplication> application_;
    std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<QObject> context_;  // queued calls run on it
    std::unique_ptr<EscapeFilter> escapeFilter_;
    std::unique_ptr<GuardedEvents> events_;
    std::unique_ptr<QWidget> hiddenOwner_;
    // Declared after the owner: windows it owns go first.
    std::map<WindowId, std::unique_ptr<QtWindow>> windows_;
    // Destroyed windows, hidden and silent, deleted once no handler of theirs is running.
    std::vector<std::unique_ptr<QtWindow>> destroyed_;
    PlatformEvents* sink_ = nullptr;
    WindowId nextId_ = 1;
    int reportDepth_ = 0;
    bool sweepQueued_ = false;
    bool quitPending_ = false;
};

}  // namespace quillmora

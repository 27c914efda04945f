#include "ui/qt/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QUrl>

#include "ui/qt/FileDialogRunner.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/GbkCodec.h"
#include "ui/qt/InputDialog.h"
#include "ui/qt/MessageBoxRunner.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/QtWindow.h"

namespace quillmora {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// Passes a window's reports to the shell while the window is alive, and counts the reports
// in progress: a destroyed window is deleted only when none is, because every handler that
// can destroy a window runs inside one, with the Qt event handler of some control below it.
class QtPlatform::GuardedEvents final : public PlatformEvents {
  public:
    explicit GuardedEvents(QtPlatform& platform) : platform_(platform) {}

    void clicked(WindowId window, std::string_view control) override {
        report(window, [&](PlatformEvents& sink) { sink.clicked(window, control); });
    }
    void labelReleased(WindowId window, std::string_view control) override {
        report(window, [&](PlatformEvents& sink) { sink.labelReleased(window, control); });
    }
    void selectionChanged(WindowId window, std::string_view control,
                          WordList::Position row) override {
        report(window, [&](PlatformEvents& sink) { sink.selectionChanged(window, control, row); });
    }
    void closeRequested(WindowId window) override {
        report(window, [&](PlatformEvents& sink) { sink.closeRequested(window); });
    }
    void escapePressed(WindowId window) override {
        report(window, [&](PlatformEvents& sink) { sink.escapePressed(window); });
    }

  private:
    template <class Report>
    void report(WindowId window, Report&& forward) {
        if (!platform_.sink_ || !platform_.windows_.contains(window)) {
            return;
        }
        ++platform_.reportDepth_;
        struct Leave {
            QtPlatform& platform;
            ~Leave() {
                if (--platform.reportDepth_ == 0 && !platform.destroyed_.empty()) {
                    platform.queueSweep();
                }
            }
        } leave{platform_};
        forward(*platform_.sink_);
    }

    QtPlatform& platform_;
};

// Esc in any control of a program window is that window's close request. Keys of the
// message boxes, dialogs and drop-down lists are theirs.
class QtPlatform::EscapeFilter final : public QObject {
  public:
    explicit EscapeFilter(QtPlatform& platform) : platform_(platform) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape || !watched->isWidgetType()) {
            return false;
        }
        auto* window = dynamic_cast<QtWindow*>(static_cast<QWidget*>(watched)->window());
        if (!window || !window->isEnabled()) {
            return false;
        }
        platform_.reportEscape(*window);
        return true;
    }

  private:
    QtPlatform& platform_;
};

QtPlatform::QtPlatform(int& argc, char** argv)
    : context_(std::make_unique<QObject>()),
      escapeFilter_(std::make_unique<EscapeFilter>(*this)),
      events_(std::make_unique<GuardedEvents>(*this)) {
    if (!QApplication::instance()) {
        application_ = std::make_unique<QApplication>(argc, argv);
    }
    // The program ends when the shell says so, not when Qt sees no window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Quillmora"));
    QApplication::setDesktopFileName(QStringLiteral("quillmora"));
    QApplication::setWindowIcon(programIcon());
    // Every text of Qt's own dialogs in Chinese, whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    translator_ = std::make_unique<QTranslator>();
    if (translator_->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator_.get());
    }
    installProgramFonts();
    qApp->installEventFilter(escapeFilter_.get());
    hiddenOwner_ = std::make_unique<QWidget>(nullptr, Qt::Tool);
    hiddenOwner_->setObjectName(QStringLiteral("hiddenOwner"));
}

QtPlatform::~QtPlatform() {
    if (qApp) {
        qApp->removeEventFilter(escapeFilter_.get());
        QApplication::removeTranslator(translator_.get());
    }
    windows_.clear();
    destroyed_.clear();
    hiddenOwner_.reset();
}

void QtPlatform::setEventSink(PlatformEvents* sink) {
    sink_ = sink;
}

WindowId QtPlatform::createWindow(const WindowDeclaration& declaration, WindowOwner owner) {
    const WindowId id = nextId_++;
    QWidget* ownerWidget = owner == WindowOwner::HiddenOwner ? hiddenOwner_.get() : nullptr;
    windows_.emplace(id, std::make_unique<QtWindow>(id, declaration, ownerWidget, *events_));
    return id;
}

QtWindow* QtPlatform::window(WindowId window) const {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second.get();
}

std::vector<QtWindow*> QtPlatform::windows() const {
    std::vector<QtWindow*> all;
    for (const auto& [id, window] : windows_) {
        all.push_back(window.get());
    }
    return all;
}

void QtPlatform::showWindow(WindowId id) {
    if (QtWindow* shown = window(id)) {
        shown->show();
        // A window manager may have placed it itself, and without one (offscreen, bare
        // Xvfb) nothing activates it.
        shown->centre();
        shown->raise();
        shown->activateWindow();
    }
}

void QtPlatform::destroyWindow(WindowId id) {
    const auto found = windows_.find(id);
    if (found == windows_.end()) {
        return;
    }
    std::unique_ptr<QtWindow> gone = std::move(found->second);
    windows_.erase(found);
    gone->hide();
    destroyed_.push_back(std::move(gone));
    if (reportDepth_ == 0) {
        queueSweep();
    }
}

void QtPlatform::queueSweep() {
    if (sweepQueued_) {
        return;
    }
    sweepQueued_ = true;
    // Not now: the caller may be inside an event handler of the window's own controls.
    QMetaObject::invokeMethod(
        context_.get(), [this] { sweepDestroyedWindows(); }, Qt::QueuedConnection);
}

void QtPlatform::sweepDestroyedWindows() {
    sweepQueued_ = false;
    if (reportDepth_ == 0) {
        destroyed_.clear();
    }
}

void QtPlatform::setWindowEnabled(WindowId id, bool enabled) {
    if (QtWindow* target = window(id)) {
        target->setWindowEnabled(enabled);
    }
}

bool QtPlatform::isWindowEnabled(WindowId id) {
    const QtWindow* target = window(id);
    return target && target->isEnabled();
}

void QtPlatform::bringToFront(WindowId id) {
    QtWindow* target = window(id);
    if (!target) {
        return;
    }
    if (target->isMinimized()) {
        target->showNormal();
    } else {
        target->raise();
        target->activateWindow();
    }
}

void QtPlatform::setCaption(WindowId id, std::string_view control, std::string_view text) {
    if (QtWindow* target = window(id)) {
        target->setCaption(control, fromUtf8(text));
    }
}

void QtPlatform::setControlVisible(WindowId id, std::string_view control, bool visible) {
    if (QtWindow* target = window(id)) {
        if (QWidget* widget = target->control(control)) {
            widget->setVisible(visible);
        }
    }
}

void QtPlatform::setControlEnabled(WindowId id, std::string_view control, bool enabled) {
    if (QtWindow* target = window(id)) {
        if (QWidget* widget = target->control(control)) {
            widget->setEnabled(enabled);
        }
    }
}

void QtPlatform::setChecked(WindowId id, std::string_view control, bool checked) {
    if (QtWindow* target = window(id)) {
        target->setChecked(control, checked);
    }
}

bool QtPlatform::isChecked(WindowId id, std::string_view control) {
    const QtWindow* target = window(id);
    return target && target->isChecked(control);
}

Text QtPlatform::controlText(WindowId id, std::string_view control) {
    const QtWindow* target = window(id);
    if (!target) {
        return {};
    }
    // Fields that hold words refuse what GBK cannot hold while the user types, so this holds.
    return encodeGbk(target->text(control)).value_or(Text());
}

std::filesystem::path QtPlatform::controlPath(WindowId id, std::string_view control) {
    const QtWindow* target = window(id);
    if (!target) {
        return {};
    }
    return std::filesystem::path(QFile::encodeName(target->text(control)).toStdString());
}

void QtPlatform::setControlPath(WindowId id, std::string_view control,
                                const std::filesystem::path& path) {
    if (QtWindow* target = window(id)) {
        target->setText(control, QFile::decodeName(QByteArray::fromStdString(path.native())));
    }
}

void QtPlatform::showList(WindowId id, std::string_view control, const WordList& list) {
    if (QtWindow* target = window(id)) {
        target->showList(control, list);
    }
}

void QtPlatform::refreshList(WindowId id, std::string_view control) {
    if (QtWindow* target = window(id)) {
        target->refreshList(control);
    }
}

LoopEnd QtPlatform::runLoop(FunctionRef<bool()> done) {
    bool drainedBeforeQuit = false;
    for (;;) {
        if (done()) {
            return LoopEnd::ConditionMet;
        }
        if (quitPending_) {
            // As on Windows, the quit request comes after what was queued before it.
            if (!drainedBeforeQuit) {
                drainedBeforeQuit = true;
                QCoreApplication::processEvents(QEventLoop::AllEvents);
                continue;
            }
            quitPending_ = false;
            return LoopEnd::QuitTaken;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void QtPlatform::pumpEvents() {
    // The quit request is a flag of ours, not an event, so it stays for the loop to take.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPlatform::post(std::function<void()> task) {
    QMetaObject::invokeMethod(context_.get(), std::move(task), Qt::QueuedConnection);
}

void QtPlatform::postQuit() {
    quitPending_ = true;
    // Wakes a loop that waits for events.
    QMetaObject::invokeMethod(
        context_.get(), [] {}, Qt::QueuedConnection);
}

std::chrono::steady_clock::time_point QtPlatform::now() {
    return std::chrono::steady_clock::now();
}

MessageBoxResult QtPlatform::messageBox(std::string_view text, MessageBoxKind kind,
                                        std::string_view title) {
    return runMessageBox(text, kind, title);
}

std::optional<Text> QtPlatform::inputBox(const InputBoxRequest& request) {
    return runInputDialog(request);
}

std::optional<std::filesystem::path> QtPlatform::fileDialog(const FileDialogRequest& request) {
    return runFileDialog(request);
}

void QtPlatform::openWebPage(std::string_view address) {
    QDesktopServices::openUrl(QUrl(fromUtf8(address)));
}

void QtPlatform::reportEscape(QtWindow& window) {
    events_->escapePressed(window.id());
}

}  // namespace quillmora

// The stories played against the Qt front end under the offscreen platform. Every action goes
// through the window system (QTest on the window), so a disabled button or a window that a
// modal box blocks takes nothing, exactly as for a user. Actions wait in a queue and are
// performed by a short timer whenever the program waits for input in any loop; during a
// combination run they are performed from the run's event pumps.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <limits>
#include <stdexcept>
#include <variant>

#include "tests/qt/QtTestSupport.h"
#include "tests/stories/StoryDriver.h"
#include "ui/Shell.h"
#include "ui/qt/GbkCodec.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtWindow.h"
#include "ui/qt/WordListModel.h"

namespace quillmora::stories {

namespace {

using namespace std::chrono_literals;

// How long the program may wait for the story's next step before the story is wrong.
constexpr auto kPatience = 3s;

int& applicationArguments(char**& argv) {
    static int argc = 1;
    static char* arguments[] = {const_cast<char*>("stories_qt"), nullptr};
    argv = arguments;
    // One for the whole test program, kept to its end on purpose: Qt does not start twice.
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return new QApplication(argc, arguments);
    }();
    (void)app;
    return argc;
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

Text gbk(const QString& text) {
    return encodeGbk(text).value_or(utf8(text));
}

class StoryFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Action {
    enum class Kind {
        Click,
        Escape,
        AltF4,
        SelectRow,
        Type,
        PickItem,
        AnswerMessageBox,
        AnswerInputBox,
        AnswerFileDialog,
        AfterPumps,
        Check,
    } kind;
    std::string role;
    std::string control;
    int number = 0;
    Text text;
    BoxAnswer boxAnswer = BoxAnswer::Ok;
    std::optional<Text> inputAnswer;
    std::optional<std::filesystem::path> fileAnswer;
    std::function<void()> check;

    [[nodiscard]] bool isUserInput() const {
        return kind == Kind::Click || kind == Kind::Escape || kind == Kind::AltF4 ||
               kind == Kind::SelectRow || kind == Kind::Type || kind == Kind::PickItem ||
               kind == Kind::Check;
    }
    [[nodiscard]] std::string describe() const {
        static const char* names[] = {"click",
                                      "Esc",
                                      "Alt+F4",
                                      "select row",
                                      "type",
                                      "pick item",
                                      "answer message box",
                                      "answer input box",
                                      "answer file dialog",
                                      "after pumps",
                                      "check"};
        return std::string(names[static_cast<int>(kind)]) + " " + role + " " + control;
    }
};

class QtScreen;

// The Platform the shell sees: the Qt one, with what the user was shown written down and the
// run's pumps counted.
class RecordingPlatform final : public Platform {
  public:
    explicit RecordingPlatform(QtPlatform& qt) : qt_(qt) {}

    std::function<void()> afterPump;
    bool pumping = false;
    int pendingTasks = 0;    // posted by the shell, not yet run
    int serviceReturns = 0;  // message boxes, input boxes and file dialogs that returned
    std::vector<SeenMessageBox> messageBoxes;
    std::vector<InputBoxRequest> inputBoxes;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> webPages;

    void setEventSink(PlatformEvents* sink) override { qt_.setEventSink(sink); }
    WindowId createWindow(const WindowDeclaration& d, WindowOwner o) override {
        return qt_.createWindow(d, o);
    }
    void showWindow(WindowId w) override { qt_.showWindow(w); }
    void destroyWindow(WindowId w) override { qt_.destroyWindow(w); }
    void setWindowEnabled(WindowId w, bool e) override { qt_.setWindowEnabled(w, e); }
    bool isWindowEnabled(WindowId w) override { return qt_.isWindowEnabled(w); }
    void bringToFront(WindowId w) override { qt_.bringToFront(w); }
    void setCaption(WindowId w, std::string_view c, std::string_view t) override {
        qt_.setCaption(w, c, t);
    }
    void setControlVisible(WindowId w, std::string_view c, bool v) override {
        qt_.setControlVisible(w, c, v);
    }
    void setControlEnabled(WindowId w, std::string_view c, bool e) override {
        qt_.setControlEnabled(w, c, e);
    }
    void setChecked(WindowId w, std::string_view c, bool v) override { qt_.setChecked(w, c, v); }
    bool isChecked(WindowId w, std::string_view c) override { return qt_.isChecked(w, c); }
    Text controlText(WindowId w, std::string_view c) override { return qt_.controlText(w, c); }
    std::filesystem::path controlPath(WindowId w, std::string_view c) override {
        return qt_.controlPath(w, c);
    }
    void setControlPath(WindowId w, std::string_view c, const std::filesystem::path& p) override {
        qt_.setControlPath(w, c, p);
    }
    void showList(WindowId w, std::string_view c, const WordList& l) override {
        qt_.showList(w, c, l);
    }
    void refreshList(WindowId w, std::string_view c) override { qt_.refreshList(w, c); }
    LoopEnd runLoop(FunctionRef<bool()> done) override { return qt_.runLoop(done); }
    void pumpEvents() override {
        pumping = true;
        qt_.pumpEvents();
        pumping = false;
        if (afterPump) {
            afterPump();
        }
    }
    void post(std::function<void()> task) override {
        ++pendingTasks;
        qt_.post([this, task = std::move(task)] {
            --pendingTasks;
            task();
        });
    }
    void postQuit() override { qt_.postQuit(); }
    // A clock that runs fast, so that even a short run pumps often enough for the steps the
    // story takes during it, whatever the speed of the machine.
    std::chrono::steady_clock::time_point now() override {
        clockAhead_ += std::chrono::milliseconds(1);
        return qt_.now() + clockAhead_;
    }
    MessageBoxResult messageBox(std::string_view text, MessageBoxKind kind,
                                std::string_view title) override {
        messageBoxes.push_back({std::string(text), std::string(title), kind});
        const Returned returned(serviceReturns);
        return qt_.messageBox(text, kind, title);
    }
    std::optional<Text> inputBox(const InputBoxRequest& request) override {
        inputBoxes.push_back(request);
        const Returned returned(serviceReturns);
        return qt_.inputBox(request);
    }
    std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        const Returned returned(serviceReturns);
        return qt_.fileDialog(request);
    }
    // Written down instead of starting a browser on the test machine.
    void openWebPage(std::string_view address) override { webPages.emplace_back(address); }

  private:
    struct Returned {
        explicit Returned(int& count) : count_(count) {}
        ~Returned() { ++count_; }
        int& count_;
    };
    QtPlatform& qt_;
    std::chrono::steady_clock::duration clockAhead_{};
};

class QtScreen final : public Screen {
  public:
    QtScreen(const QtPlatform& qt, const RecordingPlatform& recorded)
        : qt_(qt), recorded_(recorded) {}

    QtWindow* findWindow(std::string_view role) const {
        for (QtWindow* window : qt_.windows()) {
            if (window->role() == role) {
                return window;
            }
        }
        return nullptr;
    }
    QtWindow& window(std::string_view role) const {
        QtWindow* found = findWindow(role);
        if (!found) {
            throw StoryFailure("qt: no " + std::string(role) + " window is open");
        }
        return *found;
    }
    QWidget& control(std::string_view role, std::string_view name) const {
        QWidget* widget = window(role).control(name);
        if (!widget) {
            throw StoryFailure("qt: the " + std::string(role) + " window has no control " +
                               std::string(name));
        }
        return *widget;
    }

    bool windowShown(std::string_view role) const override {
        const QtWindow* found = findWindow(role);
        return found && found->isVisible();
    }
    std::string windowCaption(std::string_view role) const override {
        return utf8(window(role).windowTitle());
    }
    bool windowEnabled(std::string_view role) const override { return window(role).isEnabled(); }
    std::string caption(std::string_view role, std::string_view name) const override {
        QWidget& widget = control(role, name);
        if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
            return utf8(button->text());
        }
        if (auto* label = qobject_cast<QLabel*>(&widget)) {
            return utf8(label->text());
        }
        if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
            return utf8(group->title());
        }
        return {};
    }
    bool visible(std::string_view role, std::string_view name) const override {
        return control(role, name).isVisibleTo(&window(role));
    }
    bool enabled(std::string_view role, std::string_view name) const override {
        // The control's own state, as when its window takes input.
        return control(role, name).isEnabledTo(&window(role));
    }
    bool checked(std::string_view role, std::string_view name) const override {
        auto* button = qobject_cast<QAbstractButton*>(&control(role, name));
        return button && button->isChecked();
    }
    Text text(std::string_view role, std::string_view name) const override {
        return gbk(window(role).text(name));
    }
    std::vector<Text> rows(std::string_view role, std::string_view name) const override {
        control(role, name);
        const WordListModel* model = window(role).listModel(name);
        std::vector<Text> shown;
        if (model) {
            shown.reserve(static_cast<std::size_t>(model->rowCount()));
            for (int row = 0; row < model->rowCount(); ++row) {
                shown.emplace_back(model->rowBytes(row));
            }
        }
        return shown;
    }
    std::vector<SeenMessageBox> messageBoxes() const override { return recorded_.messageBoxes; }
    std::vector<InputBoxRequest> inputBoxes() const override { return recorded_.inputBoxes; }
    std::vector<FileDialogRequest> fileDialogs() const override { return recorded_.fileDialogs; }
    std::vector<std::string> webPages() const override { return recorded_.webPages; }

  private:
    const QtPlatform& qt_;
    const RecordingPlatform& recorded_;
};

class QtStoryDriver final : public StoryDriver {
  public:
    QtStoryDriver()
        : qt_(applicationArguments(argv_), argv_), recorded_(qt_), screen_(qt_, recorded_) {
        recorded_.afterPump = [this] { onPump(); };
        actor_.setInterval(1);
        // A timer does not fire again while its own timeout runs, and an action may open a box
        // whose loop needs the next one: the action runs from a queued call instead.
        QObject::connect(&actor_, &QTimer::timeout, [this] {
            if (!tickQueued_) {
                tickQueued_ = true;
                QMetaObject::invokeMethod(
                    &actor_,
                    [this] {
                        tickQueued_ = false;
                        onTick();
                    },
                    Qt::QueuedConnection);
            }
        });
    }

    void click(std::string_view role, std::string_view control) override {
        push({.kind = Action::Kind::Click,
              .role = std::string(role),
              .control = std::string(control)});
    }
    void pressEscape(std::string_view role) override {
        push({.kind = Action::Kind::Escape, .role = std::string(role)});
    }
    void pressAltF4(std::string_view role) override {
        push({.kind = Action::Kind::AltF4, .role = std::string(role)});
    }
    void selectRow(std::string_view role, std::string_view control,
                   WordList::Position row) override {
        push({.kind = Action::Kind::SelectRow,
              .role = std::string(role),
              .control = std::string(control),
              .number = row});
    }
    void typeText(std::string_view role, std::string_view control, const Text& text) override {
        push({.kind = Action::Kind::Type,
              .role = std::string(role),
              .control = std::string(control),
              .text = text});
    }
    void pickItem(std::string_view role, std::string_view control, int index) override {
        push({.kind = Action::Kind::PickItem,
              .role = std::string(role),
              .control = std::string(control),
              .number = index});
    }
    void answerMessageBox(BoxAnswer answer) override {
        push({.kind = Action::Kind::AnswerMessageBox, .boxAnswer = answer});
    }
    void answerInputBox(std::optional<Text> answer) override {
        push({.kind = Action::Kind::AnswerInputBox, .inputAnswer = std::move(answer)});
    }
    void answerFileDialog(std::optional<std::filesystem::path> answer) override {
        push({.kind = Action::Kind::AnswerFileDialog, .fileAnswer = std::move(answer)});
    }
    void afterPumps(int count) override {
        push({.kind = Action::Kind::AfterPumps, .number = count});
    }
    void check(std::function<void(const Screen&)> check) override {
        push({.kind = Action::Kind::Check,
              .check = [this, check = std::move(check)] { check(screen_); }});
    }

    int run() override {
        actor_.start();
        const int status = runProgram(recorded_);
        actor_.stop();
        if (failure_) {
            throw StoryFailure(*failure_);
        }
        if (!script_.empty()) {
            throw StoryFailure(
                "qt: the program ended with " + std::to_string(script_.size()) +
                " actions of the story left, the first: " + script_.front().describe());
        }
        return status;
    }
    const Screen& screen() const override { return screen_; }

  private:
    void push(Action action) { script_.push_back(std::move(action)); }

    Action take() {
        Action action = std::move(script_.front());
        script_.pop_front();
        stuckSince_.reset();
        return action;
    }

    // The program waits for input in some loop (a pump is not waiting).
    void onTick() {
        if (recorded_.pumping || acting_) {
            return;
        }
        if (failure_) {
            endProgram();
            return;
        }
        if (answerFileDialogQuestion() || QApplication::activePopupWidget()) {
            return;
        }
        // An answered box is gone only once its call has returned to the program, and what
        // the program posted (a window's destruction) comes before the user's next step.
        if (recorded_.serviceReturns < awaitedReturns_ || recorded_.pendingTasks > 0) {
            return;
        }
        if (script_.empty()) {
            stuck("the program waits for input, but the story has no action left");
            return;
        }
        const Action& next = script_.front();
        try {
            if (next.isUserInput()) {
                perform(take());
            } else if (next.kind == Action::Kind::AnswerMessageBox) {
                if (auto* box = qobject_cast<QMessageBox*>(qttest::activeModal())) {
                    awaitedReturns_ = recorded_.serviceReturns + 1;
                    answer(*box, take().boxAnswer);
                } else {
                    stuck("the story answers a message box, but none is open");
                }
            } else if (next.kind == Action::Kind::AnswerInputBox) {
                QWidget* modal = qttest::activeModal();
                if (modal && modal->objectName() == QStringLiteral("inputBox")) {
                    awaitedReturns_ = recorded_.serviceReturns + 1;
                    answerInput(*modal, take().inputAnswer);
                } else {
                    stuck("the story answers an input box, but none is open");
                }
            } else if (next.kind == Action::Kind::AnswerFileDialog) {
                if (auto* dialog = qobject_cast<QFileDialog*>(qttest::activeModal())) {
                    awaitedReturns_ = recorded_.serviceReturns + 1;
                    answerFile(*dialog, take().fileAnswer);
                } else {
                    stuck("the story answers a file dialog, but none is open");
                }
            } else {
                stuck("the story says \"" + next.describe() +
                      "\", but the program waits for input in a window");
            }
        } catch (const std::exception& error) {
            fail(error.what());
        }
    }

    // Called after every pump of a combination run.
    void onPump() {
        if (failure_ || script_.empty()) {
            return;
        }
        if (!pumpSegment_ && script_.front().kind == Action::Kind::AfterPumps) {
            if (--script_.front().number <= 0) {
                take();
                pumpSegment_ = true;
            }
        }
        try {
            while (pumpSegment_ && !script_.empty() && script_.front().isUserInput()) {
                perform(take());
            }
        } catch (const std::exception& error) {
            fail(error.what());
        }
        pumpSegment_ = false;
    }

    void perform(const Action& action) {
        if (action.kind == Action::Kind::Check) {
            action.check();
            return;
        }
        QtWindow* window = screen_.findWindow(action.role);
        if (!window || !window->isVisible()) {
            return;  // nothing there to take the input, as for a user
        }
        switch (action.kind) {
            case Action::Kind::Click:
                qttest::clickThroughWindow(screen_.control(action.role, action.control));
                break;
            case Action::Kind::Escape: {
                QWidget* focus = window->focusWidget();
                qttest::pressKeyThroughWindow(focus ? *focus : *window, Qt::Key_Escape);
                break;
            }
            case Action::Kind::AltF4:
                qttest::requestClose(*window);
                break;
            case Action::Kind::SelectRow: {
                QListView* view = window->listView(action.control);
                if (!view) {
                    throw StoryFailure("qt: no list box " + action.control);
                }
                const QModelIndex row = view->model()->index(action.number, 0);
                view->scrollTo(row);
                qttest::clickThroughWindow(*view->viewport(), view->visualRect(row).center());
                break;
            }
            case Action::Kind::Type:
                type(screen_.control(action.role, action.control), decodeGbk(action.text));
                break;
            case Action::Kind::PickItem:
                pick(screen_.control(action.role, action.control), action.number);
                break;
            default:
                break;
        }
    }

    // Selects the field's text and puts the new text in its place, as an input method does.
    void type(QWidget& target, const QString& text) {
        QLineEdit* field = qobject_cast<QLineEdit*>(&target);
        if (auto* combo = qobject_cast<QComboBox*>(&target)) {
            field = combo->lineEdit();
        }
        if (!field) {
            throw StoryFailure("qt: " + utf8(target.objectName()) + " takes no text");
        }
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        if (text.isEmpty()) {
            qttest::pressKeyThroughWindow(*field, Qt::Key_Backspace);
        } else {
            qttest::commitText(*field, text);
        }
    }

    // Opens the drop-down list with a click and clicks the entry.
    void pick(QWidget& target, int index) {
        auto* combo = qobject_cast<QComboBox*>(&target);
        if (!combo || index >= combo->count()) {
            throw StoryFailure("qt: " + utf8(target.objectName()) + " has no entry " +
                               std::to_string(index));
        }
        acting_ = true;
        qttest::clickThroughWindow(*combo, QPoint(combo->width() - 6, combo->height() / 2));
        QAbstractItemView* list = combo->view();
        const bool opened = qttest::waitFor([&] { return list->isVisible(); }, 2s);
        if (opened) {
            QTest::qWait(30);  // the list ignores a click that follows its opening too closely
            const QModelIndex entry = combo->model()->index(index, 0);
            qttest::clickThroughWindow(*list->viewport(), list->visualRect(entry).center());
            qttest::waitFor([&] { return !list->isVisible(); }, 2s);
        }
        acting_ = false;
        if (!opened) {
            throw StoryFailure("qt: the drop-down list of " + utf8(combo->objectName()) +
                               " did not open");
        }
    }

    void answer(QMessageBox& box, BoxAnswer answer) {
        if (answer == BoxAnswer::Escape) {
            qttest::pressKeyThroughWindow(box, Qt::Key_Escape);
            return;
        }
        qttest::clickButtonWithText(
            box, answer == BoxAnswer::Ok ? QStringLiteral("确定") : QStringLiteral("取消"));
    }

    void answerInput(QWidget& dialog, const std::optional<Text>& answer) {
        if (!answer) {
            qttest::clickThroughWindow(*dialog.findChild<QPushButton*>(QStringLiteral("cancel")));
            return;
        }
        type(*dialog.findChild<QLineEdit*>(QStringLiteral("field")), decodeGbk(*answer));
        qttest::clickThroughWindow(*dialog.findChild<QPushButton*>(QStringLiteral("ok")));
    }

    void answerFile(QFileDialog& dialog, const std::optional<std::filesystem::path>& answer) {
        if (!answer) {
            qttest::pressKeyThroughWindow(dialog, Qt::Key_Escape);
            return;
        }
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        acting_ = true;
        // As a user would, once the folder is listed: the dialog selects its initial file
        // when the listing arrives.
        QTest::qWait(200);
        field->setText(QString::fromStdString(answer->string()));
        QTest::qWait(30);
        if (QWidget* offered = QApplication::activePopupWidget()) {
            QTest::keyClick(offered, Qt::Key_Escape);
        }
        acting_ = false;
        answering_ = &dialog;
        qttest::pressKeyThroughWindow(*field, Qt::Key_Return);
    }

    // The file dialog's own questions while the story's file is being confirmed: a file that
    // exists is replaced, since the user named it; a name the dialog refuses (a folder that
    // does not exist) makes the user give up the dialog. True while the answer is under way.
    bool answerFileDialogQuestion() {
        if (!answering_ || !answering_->isVisible()) {
            answering_ = nullptr;
            refused_ = false;
            return false;
        }
        QWidget* modal = qttest::activeModal();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                qttest::clickThroughWindow(*yes);
            } else {
                refused_ = true;
                qttest::pressKeyThroughWindow(*box, Qt::Key_Return);
            }
        } else if (modal == answering_.data() && refused_) {
            refused_ = false;
            qttest::pressKeyThroughWindow(*modal, Qt::Key_Escape);
        }
        return true;
    }

    void stuck(const std::string& why) {
        if (!stuckSince_) {
            stuckSince_ =
                QDeadlineTimer(std::chrono::duration_cast<std::chrono::milliseconds>(kPatience));
        } else if (stuckSince_->hasExpired()) {
            fail("qt: " + why);
        }
    }

    void fail(const std::string& why) {
        if (!failure_) {
            failure_ = why;
        }
        endProgram();
    }

    // After a failure the program is taken down: boxes are closed and the loops quit.
    void endProgram() {
        if (auto* dialog = qobject_cast<QDialog*>(qttest::activeModal())) {
            dialog->reject();
            return;
        }
        qt_.postQuit();
    }

    char** argv_ = nullptr;
    QtPlatform qt_;
    RecordingPlatform recorded_;
    QtScreen screen_;
    QTimer actor_;
    std::deque<Action> script_;
    std::optional<QDeadlineTimer> stuckSince_;
    std::optional<std::string> failure_;
    QPointer<QFileDialog> answering_;
    bool refused_ = false;
    bool pumpSegment_ = false;
    bool acting_ = false;
    bool tickQueued_ = false;
    int awaitedReturns_ = 0;
};

}  // namespace

std::unique_ptr<StoryDriver> makeStoryDriver() {
    return std::make_unique<QtStoryDriver>();
}

}  // namespace quillmora::stories

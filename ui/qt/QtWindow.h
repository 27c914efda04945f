#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "ui/Platform.h"
#include "ui/WindowDeclaration.h"

class QButtonGroup;
class QListView;

namespace quillmora {

class WordListModel;

// One top-level window of the program with the controls of its declaration. It reports what
// the user does to `events` and otherwise does only what it is told.
class QtWindow final : public QWidget {
  public:
    // `owner` null: an unowned window with its own task-bar entry; else a window that the
    // owner (never shown) keeps out of the task bar.
    QtWindow(WindowId id, const WindowDeclaration& declaration, QWidget* owner,
             PlatformEvents& events);
    ~QtWindow() override;

    [[nodiscard]] WindowId id() const { return id_; }
    [[nodiscard]] const std::string& role() const { return role_; }
    // The control of that declared name, or null.
    [[nodiscard]] QWidget* control(std::string_view name) const;
    [[nodiscard]] QListView* listView(std::string_view name) const;
    [[nodiscard]] const WordListModel* listModel(std::string_view name) const;

    // Puts the outer frame where the declaration's centred start position is.
    void centre();

    void setCaption(std::string_view control, const QString& text);
    void setChecked(std::string_view control, bool checked);
    [[nodiscard]] bool isChecked(std::string_view control) const;
    [[nodiscard]] QString text(std::string_view control) const;
    void setText(std::string_view control, const QString& text);
    void showList(std::string_view control, const WordList& list);
    void refreshList(std::string_view control);

    // Keeps the focused control across a disable, as a Windows dialog does.
    void setWindowEnabled(bool enabled);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Control {
        ControlKind kind = ControlKind::Label;
        QWidget* widget = nullptr;
        QButtonGroup* radioPair = nullptr;  // radio buttons: the pair of their group box
        WordListModel* model = nullptr;     // list boxes
        const WordList* list = nullptr;     // list boxes: the bound list, for its selection
    };

    void create(const ControlDeclaration& declaration);
    QWidget* createWidget(const ControlDeclaration& declaration, QWidget* parent, Control& control);
    QWidget* createListBox(const ControlDeclaration& declaration, QWidget* parent,
                           Control& control);
    QButtonGroup* radioPairFor(const std::string& parent);
    const Control* find(std::string_view name) const;
    void selectRowOfList(const Control& control);

    WindowId id_;
    std::string role_;
    int outerWidth_;
    int outerHeight_;
    PlatformEvents& events_;
    std::map<std::string, Control, std::less<>> controls_;
    std::map<std::string, QButtonGroup*, std::less<>> radioPairs_;
    QPointer<QWidget> focusBeforeDisable_;
    bool selectingFromProgram_ = false;
};

}  // namespace quillmora

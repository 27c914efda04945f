#include "ui/qt/QtWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <limits>

#include "ui/qt/Fonts.h"
#include "ui/qt/GbkInputGuard.h"
#include "ui/qt/ListRowDelegate.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/ReleaseLabel.h"
#include "ui/qt/WindowFrame.h"
#include "ui/qt/WordListModel.h"

namespace quillmora {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::WindowFlags fixedFrameFlags(bool owned) {
    return (owned ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
}

void applyLook(QWidget& widget, const ControlDeclaration& declaration) {
    if (declaration.font) {
        widget.setFont(fontFor(*declaration.font));
    }
    if (declaration.textColor) {
        QPalette palette = widget.palette();
        const QColor color(declaration.textColor->red, declaration.textColor->green,
                           declaration.textColor->blue);
        palette.setColor(QPalette::WindowText, color);
        palette.setColor(QPalette::ButtonText, color);
        palette.setColor(QPalette::Text, color);
        widget.setPalette(palette);
    }
    if (declaration.pointer == PointerShape::Hand) {
        widget.setCursor(Qt::PointingHandCursor);
    }
}

// A Windows radio button takes a click anywhere in its rectangle, not only on its mark and
// text as Qt's does.
class RadioButton final : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

Qt::Alignment alignmentOf(TextAlignment alignment) {
    return alignment == TextAlignment::Center ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

QtWindow::QtWindow(WindowId id, const WindowDeclaration& declaration, QWidget* owner,
                   PlatformEvents& events)
    : QWidget(owner, fixedFrameFlags(owner != nullptr)),
      id_(id),
      role_(declaration.role),
      outerWidth_(declaration.outerWidth),
      outerHeight_(declaration.outerHeight),
      events_(events) {
    setObjectName(QString::fromStdString(declaration.role));
    setWindowTitle(fromUtf8(declaration.caption));
    setFixedSize(clientSizeFor(declaration.outerWidth, declaration.outerHeight));
    for (const ControlDeclaration& control : declaration.controls) {
        create(control);
    }
    centre();
}

QtWindow::~QtWindow() = default;

void QtWindow::create(const ControlDeclaration& declaration) {
    QWidget* parent = this;
    if (!declaration.parent.empty()) {
        if (const Control* holder = find(declaration.parent)) {
            parent = holder->widget;
        }
    }
    Control control;
    control.kind = declaration.kind;
    control.widget = createWidget(declaration, parent, control);
    control.widget->setObjectName(fromUtf8(declaration.name));
    control.widget->setGeometry(declaration.x, declaration.y, declaration.width,
                                declaration.height);
    applyLook(*control.widget, declaration);
    control.widget->setVisible(declaration.visible);
    if (!isTabStop(declaration.kind)) {
        control.widget->setFocusPolicy(Qt::NoFocus);
    }
    controls_.emplace(declaration.name, control);
}

QWidget* QtWindow::createWidget(const ControlDeclaration& declaration, QWidget* parent,
                                Control& control) {
    const QString caption = fromUtf8(declaration.caption);
    const std::string name = declaration.name;
    switch (declaration.kind) {
        case ControlKind::GroupBox: {
            auto* box = new QGroupBox(caption, parent);
            box->setAlignment(Qt::AlignLeft);
            return box;
        }
        case ControlKind::ListBox:
            return createListBox(declaration, parent, control);
        case ControlKind::Button: {
            auto* button = new QPushButton(caption, parent);
            // No button of the program is a default button: Enter never clicks one.
            button->setAutoDefault(false);
            button->setDefault(false);
            connect(button, &QPushButton::clicked, this,
                    [this, name] { events_.clicked(id_, name); });
            return button;
        }
        case ControlKind::Label: {
            auto* label = new ReleaseLabel(caption, parent,
                                           [this, name] { events_.labelReleased(id_, name); });
            label->setAlignment(alignmentOf(declaration.alignment));
            label->setWordWrap(false);
            label->setTextFormat(Qt::PlainText);
            return label;
        }
        case ControlKind::PictureBox: {
            auto* picture = new QLabel(parent);
            picture->setPixmap(pictureFor(declaration.picture));
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return picture;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            for (const std::string& item : declaration.items) {
                combo->addItem(fromUtf8(item));
            }
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
            combo->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
            guardGbkInput(*combo->lineEdit());
            return combo;
        }
        case ControlKind::EditBox: {
            // A path box: it takes any character a file name may hold.
            auto* edit = new QLineEdit(caption, parent);
            edit->setMaxLength(std::numeric_limits<int>::max());
            return edit;
        }
        case ControlKind::RadioButton: {
            auto* radio = new RadioButton(caption, parent);
            control.radioPair = radioPairFor(declaration.parent);
            control.radioPair->addButton(radio);
            radio->setChecked(declaration.checked);
            return radio;
        }
    }
    return new QWidget(parent);
}

QWidget* QtWindow::createListBox(const ControlDeclaration& declaration, QWidget* parent,
                                 Control& control) {
    auto* view = new QListView(parent);
    control.model = new WordListModel(view);
    view->setModel(control.model);
    view->setItemDelegate(new ListRowDelegate(view));
    view->setUniformItemSizes(true);
    // QListView lays out every row again after each insertion; in batches, a list growing by
    // millions during a run costs one batch per event-loop pass instead of the whole list.
    view->setLayoutMode(QListView::Batched);
    view->setBatchSize(20000);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setTextElideMode(Qt::ElideNone);
    view->setDragEnabled(false);
    view->setFrameShape(QFrame::StyledPanel);
    view->setFrameShadow(QFrame::Sunken);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    view->setPalette(palette);
    const std::string name = declaration.name;
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, view, name] {
                if (selectingFromProgram_) {
                    return;
                }
                const QModelIndexList rows = view->selectionModel()->selectedRows();
                events_.selectionChanged(
                    id_, name, rows.isEmpty() ? WordList::kNoSelection : rows.first().row());
            });
    return view;
}

QButtonGroup* QtWindow::radioPairFor(const std::string& parent) {
    auto found = radioPairs_.find(parent);
    if (found != radioPairs_.end()) {
        return found->second;
    }
    auto* pair = new QButtonGroup(this);
    pair->setExclusive(true);
    radioPairs_.emplace(parent, pair);
    return pair;
}

const QtWindow::Control* QtWindow::find(std::string_view name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : &found->second;
}

QWidget* QtWindow::control(std::string_view name) const {
    const Control* control = find(name);
    return control ? control->widget : nullptr;
}

QListView* QtWindow::listView(std::string_view name) const {
    const Control* control = find(name);
    return control && control->kind == ControlKind::ListBox
               ? static_cast<QListView*>(control->widget)
               : nullptr;
}

const WordListModel* QtWindow::listModel(std::string_view name) const {
    const Control* control = find(name);
    return control ? control->model : nullptr;
}

void QtWindow::centre() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    move(centredOrigin(screen->geometry(), outerWidth_, outerHeight_));
}

void QtWindow::setCaption(std::string_view name, const QString& text) {
    if (name.empty()) {
        setWindowTitle(text);
        return;
    }
    const Control* control = find(name);
    if (!control) {
        return;
    }
    switch (control->kind) {
        case ControlKind::GroupBox:
            static_cast<QGroupBox*>(control->widget)->setTitle(text);
            break;
        case ControlKind::Button:
        case ControlKind::RadioButton:
            static_cast<QAbstractButton*>(control->widget)->setText(text);
            break;
        case ControlKind::Label:
            static_cast<QLabel*>(control->widget)->setText(text);
            break;
        case ControlKind::ComboBox:
        case ControlKind::EditBox:
            setText(name, text);
            break;
        case ControlKind::ListBox:
        case ControlKind::PictureBox:
            break;
    }
}

void QtWindow::setChecked(std::string_view name, bool checked) {
    const Control* control = find(name);
    if (!control || control->kind != ControlKind::RadioButton) {
        return;
    }
    // A pair left exclusive would refuse to uncheck its checked button and would uncheck the
    // partner of a button being checked: the program sets one button and nothing else.
    control->radioPair->setExclusive(false);
    static_cast<QRadioButton*>(control->widget)->setChecked(checked);
    control->radioPair->setExclusive(true);
}

bool QtWindow::isChecked(std::string_view name) const {
    const Control* control = find(name);
    return control && control->kind == ControlKind::RadioButton &&
           static_cast<QRadioButton*>(control->widget)->isChecked();
}

QString QtWindow::text(std::string_view name) const {
    const Control* control = find(name);
    if (!control) {
        return {};
    }
    switch (control->kind) {
        case ControlKind::ComboBox:
            return static_cast<QComboBox*>(control->widget)->currentText();
        case ControlKind::EditBox:
            return static_cast<QLineEdit*>(control->widget)->text();
        default:
            return {};
    }
}

void QtWindow::setText(std::string_view name, const QString& text) {
    const Control* control = find(name);
    if (!control) {
        return;
    }
    if (control->kind == ControlKind::ComboBox) {
        static_cast<QComboBox*>(control->widget)->setEditText(text);
    } else if (control->kind == ControlKind::EditBox) {
        static_cast<QLineEdit*>(control->widget)->setText(text);
    }
}

void QtWindow::showList(std::string_view name, const WordList& list) {
    auto found = controls_.find(name);
    if (found == controls_.end() || found->second.kind != ControlKind::ListBox) {
        return;
    }
    Control& control = found->second;
    control.list = &list;
    selectingFromProgram_ = true;
    control.model->setList(&list);
    selectingFromProgram_ = false;
    selectRowOfList(control);
}

void QtWindow::refreshList(std::string_view name) {
    const Control* control = find(name);
    if (!control || control->kind != ControlKind::ListBox) {
        return;
    }
    auto* view = static_cast<QListView*>(control->widget);
    // A reset would scroll back to the top; the box keeps its place, as a Windows list does.
    const int scrolled = view->verticalScrollBar()->value();
    selectingFromProgram_ = true;
    control->model->refresh();
    selectingFromProgram_ = false;
    selectRowOfList(*control);
    if (view->verticalScrollBar()->value() != scrolled) {
        // The whole layout at once here, so that the old place exists again.
        view->setLayoutMode(QListView::SinglePass);
        view->doItemsLayout();
        view->setLayoutMode(QListView::Batched);
        view->verticalScrollBar()->setValue(scrolled);
    }
}

void QtWindow::selectRowOfList(const Control& control) {
    if (!control.list) {
        return;
    }
    auto* view = static_cast<QListView*>(control.widget);
    QItemSelectionModel* selection = view->selectionModel();
    const WordList::Position row = control.list->selection();
    const QModelIndex wanted = row == WordList::kNoSelection || row >= control.model->rowCount()
                                   ? QModelIndex()
                                   : control.model->index(row);
    const QModelIndexList current = selection->selectedRows();
    if (wanted.isValid() && current.size() == 1 && current.first() == wanted) {
        return;
    }
    if (!wanted.isValid() && current.isEmpty()) {
        return;
    }
    selectingFromProgram_ = true;
    if (wanted.isValid()) {
        // select(), not setCurrentIndex(): the box must not scroll to the row.
        selection->select(wanted, QItemSelectionModel::ClearAndSelect);
    } else {
        selection->clearSelection();
    }
    selectingFromProgram_ = false;
}

void QtWindow::setWindowEnabled(bool enabled) {
    if (!enabled && isEnabled()) {
        focusBeforeDisable_ = focusWidget();
    }
    setEnabled(enabled);
    if (enabled && focusBeforeDisable_) {
        focusBeforeDisable_->setFocus(Qt::OtherFocusReason);
        focusBeforeDisable_ = nullptr;
    }
}

void QtWindow::closeEvent(QCloseEvent* event) {
    // What a close request does is the shell's decision; it may destroy the window. A
    // disabled window takes no input, its close box included, as on Windows.
    event->ignore();
    if (isEnabled()) {
        events_.closeRequested(id_);
    }
}

}  // namespace quillmora

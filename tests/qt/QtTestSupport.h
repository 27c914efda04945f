#pragma once

#include <QPoint>
#include <QString>
#include <chrono>
#include <functional>
#include <ostream>

class QWidget;

namespace quillmora::qttest {

// What a user does, sent through the window system, so that a disabled control or a window
// that a modal box blocks really takes nothing.

// A left click at the middle of the widget (or at `where`, in the widget's coordinates).
void clickThroughWindow(QWidget& widget);
void clickThroughWindow(QWidget& widget, QPoint where);
// Moves the keyboard focus to the widget, then presses and releases the key on its window.
void pressKeyThroughWindow(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = {});
// What an input method does when the user picks a candidate: the text is committed at once.
void commitText(QWidget& field, const QString& text);
// The close box of the title bar.
void requestClose(QWidget& window);

// The modal box or dialog that is open, or null.
QWidget* activeModal();

// Calls `answer` with the next modal box or dialog once it is open (not the one open now),
// from whatever loop runs then; gives up after `patience`.
void whenModalOpens(std::function<void(QWidget&)> answer,
                    std::chrono::milliseconds patience = std::chrono::seconds(10));

// Runs events until `condition` holds or `patience` has passed; whether it holds.
bool waitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds patience = std::chrono::seconds(10));

// Texts of a QMessageBox.
QString messageBoxText(QWidget& box);
// Clicks the button of the box or dialog that shows this text.
void clickButtonWithText(QWidget& dialog, const QString& text);

}  // namespace quillmora::qttest

// Readable QStrings in the test output.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

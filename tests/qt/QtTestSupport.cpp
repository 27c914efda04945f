#include "tests/qt/QtTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace quillmora::qttest {

void clickThroughWindow(QWidget& widget) {
    clickThroughWindow(widget, widget.rect().center());
}

void clickThroughWindow(QWidget& widget, QPoint where) {
    QWidget* top = widget.window();
    QWindow* handle = top->windowHandle();
    if (!handle) {
        ADD_FAILURE() << "the window of " << widget.objectName().toStdString() << " is not shown";
        return;
    }
    QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, widget.mapTo(top, where));
}

void pressKeyThroughWindow(QWidget& widget, int key, Qt::KeyboardModifiers modifiers) {
    QWidget* top = widget.window();
    if (&widget != top) {
        widget.setFocus(Qt::OtherFocusReason);
    }
    QWindow* handle = top->windowHandle();
    if (!handle) {
        ADD_FAILURE() << "the window of " << widget.objectName().toStdString() << " is not shown";
        return;
    }
    QTest::keyClick(handle, static_cast<Qt::Key>(key), modifiers);
}

void commitText(QWidget& field, const QString& text) {
    field.setFocus(Qt::OtherFocusReason);
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&field, &event);
}

void requestClose(QWidget& window) {
    if (QWindow* handle = window.windowHandle()) {
        handle->close();
    }
}

QWidget* activeModal() {
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : nullptr;
}

void whenModalOpens(std::function<void(QWidget&)> answer, std::chrono::milliseconds patience) {
    auto* timer = new QTimer(qApp);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    timer->setInterval(5);
    // The box whose answer registers this one is still open then; it is not the next one.
    const QPointer<QWidget> openNow = activeModal();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, started, answer, patience, openNow] {
        QWidget* modal = activeModal();
        if (modal && modal != openNow.data()) {
            timer->stop();
            timer->deleteLater();
            answer(*modal);
        } else if (started->elapsed() > patience.count()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal box or dialog opened";
        }
    });
    timer->start();
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds patience) {
    QElapsedTimer started;
    started.start();
    while (!condition()) {
        if (started.elapsed() > patience.count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

QString messageBoxText(QWidget& box) {
    auto* messageBox = qobject_cast<QMessageBox*>(&box);
    return messageBox ? messageBox->text() : QString();
}

void clickButtonWithText(QWidget& dialog, const QString& text) {
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->text() == text) {
            clickThroughWindow(*button);
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString() << " in "
                  << dialog.windowTitle().toStdString();
}

}  // namespace quillmora::qttest

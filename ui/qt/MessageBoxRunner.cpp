#include "ui/qt/MessageBoxRunner.h"

#include <QMessageBox>
#include <QPushButton>

namespace quillmora {

namespace {

QMessageBox::Icon iconOf(MessageBoxKind kind) {
    switch (kind) {
        case MessageBoxKind::Error:
            return QMessageBox::Critical;
        case MessageBoxKind::Confirmation:
            return QMessageBox::Warning;
        case MessageBoxKind::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MessageBoxResult runMessageBox(std::string_view text, MessageBoxKind kind, std::string_view title) {
    QMessageBox box(iconOf(kind), fromUtf8(title), fromUtf8(text));
    box.setWindowModality(Qt::ApplicationModal);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    QPushButton* cancel = nullptr;
    if (kind == MessageBoxKind::Confirmation) {
        cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(ok);
    box.exec();
    const bool okPressed = cancel == nullptr || box.clickedButton() == ok;
    return okPressed ? MessageBoxResult::Ok : MessageBoxResult::Cancel;
}

}  // namespace quillmora

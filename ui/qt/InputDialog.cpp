#include "ui/qt/InputDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <limits>

#include "ui/qt/Fonts.h"
#include "ui/qt/GbkCodec.h"
#include "ui/qt/GbkInputGuard.h"
#include "ui/qt/WindowFrame.h"

namespace quillmora {

namespace {

// Dialog units of 9-point "宋体" at 96 DPI: its average character is 6 x 12 pixels, and a
// dialog unit is a quarter of the width and an eighth of the height (MulDiv rounding).
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 12;
constexpr int toPixelsX(int units) {
    return (units * kBaseUnitX + 2) / 4;
}
constexpr int toPixelsY(int units) {
    return (units * kBaseUnitY + 4) / 8;
}

QRect placeOf(int x, int y, int width, int height) {
    return {toPixelsX(x), toPixelsY(y), toPixelsX(width), toPixelsY(height)};
}

struct Layout {
    QSize client;
    QRect field;
    QRect ok;
    QRect cancel;
};

const Layout kWithPrompt{{toPixelsX(252), toPixelsY(92)},
                         placeOf(7, 45, 238, 12),
                         placeOf(63, 66, 55, 19),
                         placeOf(134, 66, 55, 19)};
const Layout kCompact{{toPixelsX(214), toPixelsY(56)},
                      placeOf(7, 7, 200, 12),
                      placeOf(82, 30, 55, 19),
                      placeOf(151, 30, 55, 19)};

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

class InputDialog final : public QDialog {
  public:
    explicit InputDialog(const InputBoxRequest& request)
        : QDialog(QApplication::activeWindow(), Qt::Dialog | Qt::CustomizeWindowHint |
                                                    Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                    Qt::WindowCloseButtonHint) {
        const bool withPrompt = request.layout == InputBoxLayout::WithPrompt;
        const Layout& layout = withPrompt ? kWithPrompt : kCompact;
        setObjectName(QStringLiteral("inputBox"));
        setFont(inputBoxFont());
        setWindowTitle(fromUtf8(request.caption));
        setFixedSize(layout.client);
        if (withPrompt) {
            auto* frame = new QFrame(this);
            frame->setFrameShape(QFrame::Panel);
            frame->setFrameShadow(QFrame::Sunken);
            frame->setGeometry(placeOf(7, 7, 238, 35));
            auto* prompt = new QLabel(fromUtf8(request.prompt), this);
            prompt->setObjectName(QStringLiteral("prompt"));
            prompt->setTextFormat(Qt::PlainText);
            prompt->setWordWrap(true);
            prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            prompt->setGeometry(placeOf(12, 11, 229, 27));
        }
        field_ = new QLineEdit(decodeGbk(request.initialText), this);
        field_->setObjectName(QStringLiteral("field"));
        field_->setMaxLength(std::numeric_limits<int>::max());
        field_->setGeometry(layout.field);
        guardGbkInput(*field_);
        auto* ok = new QPushButton(QStringLiteral("确认输入(&O)"), this);
        ok->setObjectName(QStringLiteral("ok"));
        ok->setGeometry(layout.ok);
        ok->setDefault(true);
        auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
        cancel->setObjectName(QStringLiteral("cancel"));
        cancel->setGeometry(layout.cancel);
        cancel->setAutoDefault(false);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        field_->selectAll();
        field_->setFocus(Qt::OtherFocusReason);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(centredOrigin(screen->geometry(), layout.client.width() + 2 * kFrameBorder,
                               layout.client.height() + 2 * kFrameBorder + kCaptionHeight));
        }
    }

    void accept() override {
        answer_ = encodeGbk(field_->text());
        if (!answer_) {
            // Only text put in from outside the field can get here; the guard says why.
            QString text = field_->text();
            int position = 0;
            field_->validator()->validate(text, position);
            return;
        }
        QDialog::accept();
    }

    [[nodiscard]] const std::optional<Text>& answer() const { return answer_; }

  private:
    QLineEdit* field_ = nullptr;
    std::optional<Text> answer_;
};

}  // namespace

std::optional<Text> runInputDialog(const InputBoxRequest& request) {
    InputDialog dialog(request);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.answer();
}

}  // namespace quillmora

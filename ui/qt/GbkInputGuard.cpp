#include "ui/qt/GbkInputGuard.h"

#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>

#include "ui/qt/GbkCodec.h"
#include "ui/qt/MessageBoxRunner.h"

namespace quillmora {

namespace {

class GbkValidator final : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override {
        const QString refused = firstCharacterOutsideGbk(input);
        if (refused.isEmpty()) {
            return Acceptable;
        }
        tell(refused);
        return Invalid;
    }

  private:
    // The box opens once the field has finished handling the key or the input method's
    // commit: a modal loop inside the field's own event handler is not safe.
    void tell(const QString& refused) const {
        if (noticePending_) {
            return;
        }
        noticePending_ = true;
        QPointer<const GbkValidator> self(this);
        QTimer::singleShot(0, this, [self, refused] {
            if (!self) {
                return;
            }
            self->noticePending_ = false;
            runMessageBox(QStringLiteral("“%1”不是 GBK 字符，词语中不能使用，没有输入。")
                              .arg(refused)
                              .toStdString(),
                          MessageBoxKind::Error, "无法输入");
        });
    }

    mutable bool noticePending_ = false;
};

}  // namespace

void guardGbkInput(QLineEdit& field) {
    field.setValidator(new GbkValidator(&field));
}

}  // namespace quillmora

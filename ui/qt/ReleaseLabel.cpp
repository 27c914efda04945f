#include "ui/qt/ReleaseLabel.h"

#include <QMouseEvent>

namespace quillmora {

ReleaseLabel::ReleaseLabel(const QString& text, QWidget* parent, std::function<void()> released)
    : QLabel(text, parent), released_(std::move(released)) {}

void ReleaseLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        released_();
    }
}

}  // namespace quillmora

#include "ui/qt/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace quillmora {

namespace {

constexpr int kSide = 32;
const QColor kBlue(0x1e, 0x5a, 0xd2);

void drawPlusSign(QPainter& painter) {
    QPainterPath plus;
    plus.addRoundedRect(QRectF(13, 4, 6, 24), 2, 2);
    plus.addRoundedRect(QRectF(4, 13, 24, 6), 2, 2);
    plus.setFillRule(Qt::WindingFill);
    painter.fillPath(plus.simplified(), kBlue);
}

void drawDoubleChevron(QPainter& painter) {
    QPen pen(kBlue, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    for (const qreal left : {6.0, 16.0}) {
        const QPointF chevron[] = {{left, 7}, {left + 9, 16}, {left, 25}};
        painter.drawPolyline(chevron, 3);
    }
}

}  // namespace

QImage programIconImage(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 32.0, side / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlue);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.fillRect(QRectF(6.5, 10, 3, 12), Qt::white);
    painter.fillRect(QRectF(2, 14.5, 12, 3), Qt::white);
    painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const qreal left : {16.5, 22.5}) {
        const QPointF chevron[] = {{left, 10}, {left + 6, 16}, {left, 22}};
        painter.drawPolyline(chevron, 3);
    }
    return image;
}

QIcon programIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(programIconImage(side)));
    }
    return icon;
}

QPixmap pictureFor(Picture picture) {
    QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        switch (picture) {
            case Picture::PlusSign:
                drawPlusSign(painter);
                break;
            case Picture::DoubleChevron:
                drawDoubleChevron(painter);
                break;
            case Picture::None:
                break;
        }
    }
    return QPixmap::fromImage(image);
}

}  // namespace quillmora

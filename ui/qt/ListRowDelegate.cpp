#include "ui/qt/ListRowDelegate.h"

#include <QPainter>
#include <QStyleOptionViewItem>

namespace quillmora {

namespace {

constexpr int kTextIndent = 2;

}  // namespace

void ListRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group =
        option.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (selected) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    }
    painter->setFont(option.font);
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect = option.rect.adjusted(kTextIndent, 0, 0, 0);
    painter->drawText(textRect,
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs,
                      index.data(Qt::DisplayRole).toString());
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QPen dotted(option.palette.color(group, QPalette::Text), 1, Qt::DotLine);
        painter->setPen(dotted);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
}

QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& /*index*/) const {
    // Rows are cut at the box's edge, so their width never asks for more room.
    return {1, option.fontMetrics.height() + 1};
}

}  // namespace quillmora

#pragma once

#include <QAbstractItemDelegate>

namespace quillmora {

// One line of a list box: the word on one line, cut at the right edge (no ellipsis), a TAB
// moving to the next tab stop, each line one pixel taller than the font's line height.
class ListRowDelegate final : public QAbstractItemDelegate {
  public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace quillmora

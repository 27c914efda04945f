#include "ui/qt/WordListModel.h"

#include "ui/qt/GbkCodec.h"

namespace quillmora {

void WordListModel::setList(const WordList* list) {
    beginResetModel();
    list_ = list;
    shownCount_ = list_ ? list_->count() : 0;
    endResetModel();
}

void WordListModel::refresh() {
    const int count = list_ ? list_->count() : 0;
    if (count > shownCount_) {
        const int before = shownCount_;
        beginInsertRows(QModelIndex(), before, count - 1);
        shownCount_ = count;
        endInsertRows();
        if (before > 0) {
            // Rows above may have changed too (a clear and new words between two refreshes).
            emit dataChanged(index(0), index(before - 1), {Qt::DisplayRole});
        }
    } else if (count < shownCount_) {
        beginResetModel();
        shownCount_ = count;
        endResetModel();
    } else if (count > 0) {
        emit dataChanged(index(0), index(count - 1), {Qt::DisplayRole});
    }
}

int WordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownCount_;
}

QVariant WordListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !list_ || !index.isValid()) {
        return {};
    }
    return decodeGbk(list_->viewAt(index.row()));
}

Qt::ItemFlags WordListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

}  // namespace quillmora

#pragma once

#include <QAbstractListModel>

#include "core/WordList.h"

namespace quillmora {

// A list box's rows, read straight from its WordList: nothing is copied, and a row is decoded
// only when the view paints it, so a list of millions shows at once.
class WordListModel final : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    void setList(const WordList* list);
    // Takes the list's new count. Rows added at the end go in as one insertion, which keeps
    // the view's scroll position and selection; any other change resets the rows.
    void refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The bytes of a row as the box shows it (for the tests, which compare bytes).
    [[nodiscard]] std::string_view rowBytes(int row) const {
        return list_ && row < shownCount_ ? list_->viewAt(row) : std::string_view();
    }

  private:
    const WordList* list_ = nullptr;
    // The count the view was last told; rows are only ever read below it.
    int shownCount_ = 0;
};

}  // namespace quillmora

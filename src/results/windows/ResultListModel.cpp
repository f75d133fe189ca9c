#include "results/windows/ResultListModel.h"

#include <algorithm>
#include <climits>

namespace vellomar {
namespace {

// Qt counts rows in int.
int RowsOf(const ResultList& list) {
    return static_cast<int>(std::min<std::size_t>(list.Count(), INT_MAX));
}

}  // namespace

ResultListModel::ResultListModel(const ResultList& list, QObject* parent)
    : QAbstractListModel(parent),
      list_(list),
      shownRows_(RowsOf(list)),
      shownGeneration_(list.Generation()) {}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    // The core list may have been emptied since the last Sync().
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= list_.Count()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(list_.At(row));
    if (role == Qt::SizeHintRole && rowSize_.isValid()) return rowSize_;
    return {};
}

void ResultListModel::Sync() {
    const int rows = RowsOf(list_);
    if (list_.Generation() != shownGeneration_) {
        beginResetModel();
        shownRows_ = rows;
        shownGeneration_ = list_.Generation();
        endResetModel();
    } else if (rows > shownRows_) {
        beginInsertRows(QModelIndex(), shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    }
}

void ResultListModel::SetRowSize(QSize size) {
    if (size == rowSize_) return;
    // A layout change makes views measure their rows again and keeps their selection.
    emit layoutAboutToBeChanged();
    rowSize_ = size;
    emit layoutChanged();
}

}  // namespace vellomar

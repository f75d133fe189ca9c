#include "results/windows/ListSelectionMirror.h"

#include <QItemSelectionModel>
#include <QListView>

#include "results/windows/ResultListModel.h"

namespace vellomar {

ListSelectionMirror::ListSelectionMirror(ResultList& list, ResultListModel& model, QListView& view)
    : QObject(&view), list_(list), model_(model), view_(view) {
    connect(view_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListSelectionMirror::TakeUserSelection);
    connect(view_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (showing_ || !current.isValid()) return;
                list_.SetCurrent(static_cast<std::size_t>(current.row()));
                AnnounceOnce();
            });
}

void ListSelectionMirror::AnnounceOnce() {
    // One click or key moves both the current entry and the selection, one
    // signal after the other: the user made one change, announced once, as
    // soon as the view has made all of it.
    if (announcing_) return;
    announcing_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            announcing_ = false;
            emit UserChangedSelection();
        },
        Qt::QueuedConnection);
}

void ListSelectionMirror::ShowProgramSelection() {
    model_.Sync();
    QItemSelection selection;
    const std::size_t count = list_.Count();
    for (std::size_t row = 0; row < count;) {
        if (!list_.IsHighlighted(row)) {
            ++row;
            continue;
        }
        const std::size_t first = row;
        while (row < count && list_.IsHighlighted(row)) ++row;
        selection.select(model_.index(static_cast<int>(first)), model_.index(static_cast<int>(row - 1)));
    }

    showing_ = true;
    QItemSelectionModel* selectionModel = view_.selectionModel();
    selectionModel->select(selection, QItemSelectionModel::ClearAndSelect);
    if (auto current = list_.Current()) {
        const QModelIndex index = model_.index(static_cast<int>(*current));
        selectionModel->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        view_.scrollTo(index);
    }
    showing_ = false;
}

void ListSelectionMirror::TakeUserSelection(const QItemSelection& selected,
                                            const QItemSelection& deselected) {
    if (showing_) return;
    for (const QItemSelectionRange& range : deselected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            list_.RemoveHighlight(static_cast<std::size_t>(row));
    const std::optional<std::size_t> current = list_.Current();
    for (const QItemSelectionRange& range : selected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            list_.Highlight(static_cast<std::size_t>(row));
    // Highlighting moves the core's current entry; the view's own stays the one.
    const QModelIndex viewCurrent = view_.selectionModel()->currentIndex();
    if (viewCurrent.isValid()) list_.SetCurrent(static_cast<std::size_t>(viewCurrent.row()));
    else if (current) list_.SetCurrent(*current);
    AnnounceOnce();
}

}  // namespace vellomar

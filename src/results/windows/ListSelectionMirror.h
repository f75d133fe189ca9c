#pragma once
// Keeps the list view's selection and the core list's highlights and current
// entry the same: what the user selects goes to the core, and what the program
// highlights is shown, as ranges, so that a million highlighted rows are one
// selection rather than a million.

#include <QObject>

#include "run/ResultList.h"

class QItemSelection;
class QListView;

namespace vellomar {

class ResultListModel;

class ListSelectionMirror final : public QObject {
    Q_OBJECT

public:
    ListSelectionMirror(ResultList& list, ResultListModel& model, QListView& view);

    // Shows the core's highlights and current entry in the view (rows synced first).
    void ShowProgramSelection();

signals:
    // The user changed the selection with the mouse or the keyboard: once per
    // change, right after the view has made it (the core list has it already).
    void UserChangedSelection();

private:
    void TakeUserSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void AnnounceOnce();

    ResultList& list_;
    ResultListModel& model_;
    QListView& view_;
    bool showing_ = false;  // the view's signals echo the program's own changes
    bool announcing_ = false;  // an announcement is on its way
};

}  // namespace vellomar

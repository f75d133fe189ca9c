#pragma once
// The core result list as a Qt list model. The core list is appended to on
// every find; the model hands the new rows to its views only when Sync() is
// called, so a view lays out rows in batches, never one by one.

#include <QAbstractListModel>
#include <QSize>
#include <cstdint>

#include "run/ResultList.h"

namespace vellomar {

class ResultListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit ResultListModel(const ResultList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Catches up with the core list: a reset when it was emptied or rebuilt,
    // one insertion of all new rows when it grew.
    void Sync();

    // The size every row reports to its view; an invalid size lets rows size
    // themselves. Views with uniform item sizes take their scroll width from it.
    void SetRowSize(QSize size);

private:
    const ResultList& list_;
    int shownRows_ = 0;
    std::uint64_t shownGeneration_;
    QSize rowSize_;
};

}  // namespace vellomar

// The result list's model: rows reach the views in batches, and a rebuilt list
// is one reset.

#include <QSignalSpy>
#include <QtTest>

#include "results/windows/ResultListModel.h"
#include "run/ResultList.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {

class ResultListModelTest : public QObject {
    Q_OBJECT

private slots:
    void appendedRowsReachViewsOnlyAtSyncInOneInsertion() {
        ResultList list;
        ResultListModel model(list);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        list.Append("t:\\a.tmp", {});
        list.Append("t:\\b.tmp", {});
        list.Append("t:\\c.tmp", {});
        QCOMPARE(model.rowCount(), 0);

        model.Sync();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][1].toInt(), 0);
        QCOMPARE(inserted[0][2].toInt(), 2);
        QCOMPARE(model.index(2).data().toString(), QString("t:\\c.tmp"));

        model.Sync();  // nothing new: nothing to tell
        QCOMPARE(inserted.size(), 1);

        list.Append("t:\\d.tmp", {});
        model.Sync();
        QCOMPARE(inserted.size(), 2);
        QCOMPARE(inserted[1][1].toInt(), 3);
        QCOMPARE(inserted[1][2].toInt(), 3);
    }

    void syncAfterClearResetsTheModel() {
        ResultList list;
        list.Append("t:\\a.tmp", {});
        list.Append("t:\\b.tmp", {});
        ResultListModel model(list);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

        list.Clear();
        QCOMPARE(model.index(1).data(), QVariant());  // rows gone before the sync read as nothing
        list.Append("t:\\new.tmp", {});
        list.Append("t:\\newer.tmp", {});
        list.Append("t:\\newest.tmp", {});
        model.Sync();

        QCOMPARE(reset.size(), 1);
        QCOMPARE(inserted.size(), 0);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(0).data().toString(), QString("t:\\new.tmp"));
    }
};

VELLOMAR_QT_TEST(ResultListModelTest);

}  // namespace vellomar

#include "ResultListModelTest.moc"

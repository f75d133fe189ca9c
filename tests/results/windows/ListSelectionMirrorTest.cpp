// The list view's selection and the core list's highlights kept the same both ways.

#include <QListView>
#include <QSignalSpy>
#include <QtTest>

#include "results/windows/ListSelectionMirror.h"
#include "results/windows/ResultListModel.h"
#include "run/ResultList.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {

// A list, its model and a view that shows it, kept the same by a mirror.
struct Rig {
    Rig() : model(list), mirror(list, model, (view.setModel(&model), view)) {
        for (const char* entry : {"a", "b", "c", "d", "e"}) list.Append(entry, {});
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        model.Sync();
    }
    QItemSelectionModel* Selection() { return view.selectionModel(); }

    ResultList list;
    QListView view;
    ResultListModel model;
    ListSelectionMirror mirror;
};

class ListSelectionMirrorTest : public QObject {
    Q_OBJECT

private slots:
    void programHighlightsShowAsRangesWithTheCurrentEntry() {
        Rig rig;
        rig.list.Highlight(0);
        rig.list.Highlight(1);
        rig.list.Highlight(3);
        rig.mirror.ShowProgramSelection();
        QCOMPARE(rig.Selection()->selection().size(), 2);  // rows 0-1 and row 3
        QVERIFY(rig.Selection()->isRowSelected(1, {}));
        QVERIFY(!rig.Selection()->isRowSelected(2, {}));
        QCOMPARE(rig.Selection()->currentIndex().row(), 3);

        rig.list.HighlightAll();
        rig.mirror.ShowProgramSelection();
        QCOMPARE(rig.Selection()->selection().size(), 1);
        QCOMPARE(rig.Selection()->selectedRows().size(), 5);
        QCOMPARE(rig.Selection()->currentIndex().row(), 4);
    }

    void theUsersSelectionReachesTheCoreAndIsAnnounced() {
        Rig rig;
        QSignalSpy announced(&rig.mirror, &ListSelectionMirror::UserChangedSelection);
        rig.Selection()->setCurrentIndex(rig.model.index(2), QItemSelectionModel::ClearAndSelect);
        QVERIFY(rig.list.IsHighlighted(2));
        QCOMPARE(rig.list.Current(), std::optional<std::size_t>(2));
        rig.Selection()->select(QItemSelection(rig.model.index(0), rig.model.index(1)),
                                QItemSelectionModel::Select);
        QCOMPARE(rig.list.HighlightedCount(), 3u);
        QCOMPARE(rig.list.Current(), std::optional<std::size_t>(2));  // the view's current stays
        rig.Selection()->select(rig.model.index(2), QItemSelectionModel::Deselect);
        QVERIFY(!rig.list.IsHighlighted(2));
        QTRY_VERIFY(announced.size() >= 1);

        const int before = announced.size();
        rig.list.ClearHighlights();
        rig.mirror.ShowProgramSelection();  // the program's own change is not the user's
        QCoreApplication::processEvents();
        QCOMPARE(announced.size(), before);
    }

    void aClickOrAKeyIsAnnouncedOnce() {
        Rig rig;
        rig.view.resize(200, 200);
        rig.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.view));
        QSignalSpy announced(&rig.mirror, &ListSelectionMirror::UserChangedSelection);
        const QRect row = rig.view.visualRect(rig.model.index(3));
        QTest::mouseClick(rig.view.viewport(), Qt::LeftButton, {}, row.center());
        QCoreApplication::processEvents();
        QCOMPARE(announced.size(), 1);
        QCOMPARE(rig.list.Current(), std::optional<std::size_t>(3));
        QTest::keyClick(&rig.view, Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(announced.size(), 2);
        QCOMPARE(rig.list.Current(), std::optional<std::size_t>(4));
    }
};

VELLOMAR_QT_TEST(ListSelectionMirrorTest);

}  // namespace vellomar

#include "ListSelectionMirrorTest.moc"

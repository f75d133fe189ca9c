// The widest entry's measure, which the list's scroll range is fitted to.

#include <QFontMetrics>
#include <QtTest>
#include <string>
#include <vector>

#include "results/windows/WidestEntry.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {

class WidestEntryTest : public QObject {
    Q_OBJECT

private slots:
    void neverFallsShortOfTheDrawnWidth() {
        const std::vector<std::string> entries = {
            "c:\\AVAWAY To Ty.tmp",                         // kerning pairs
            "c:\\fi ffl office\\Wave.tmp",                  // ligatures
            "c:\\home\\Stra\u00dfe\\\u65e5\u8a18\\na\u00efve.tmp",  // outside ASCII
            "c:\\a\\\U0001F600 emoji.tmp",                 // outside the 16-bit plane
            "c:\\e\u0301.tmp",                               // a combining mark
        };
        for (const char* family : {"Arial", "Courier New", "DejaVu Sans"}) {
            const QFont font(family, 8);
            const QFontMetrics metrics(font);
            for (const std::string& entry : entries) {
                const int drawn = metrics.horizontalAdvance(QString::fromStdString(entry));
                ResultList list;
                list.Append(entry, {});
                const int measured = WidestEntryWidth(list, font);
                QVERIFY2(measured >= drawn, entry.c_str());
                QVERIFY2(measured <= drawn + drawn / 10, entry.c_str());
            }
        }
    }

    void measuresEntriesAsTheListShowsThem() {
        const QFont font("DejaVu Sans", 8);
        ResultList list;
        list.Append("c:\\WWWWWWWW", {});
        list.ShowLowerCased(0);
        list.Append("c:\\mm.tmp", {});
        const int lowered = QFontMetrics(font).horizontalAdvance("c:\\wwwwwwww");
        const int measured = WidestEntryWidth(list, font);
        QVERIFY(measured >= lowered);
        QVERIFY(measured <= lowered + lowered / 10);
    }
};

VELLOMAR_QT_TEST(WidestEntryTest);

}  // namespace vellomar

#include "WidestEntryTest.moc"

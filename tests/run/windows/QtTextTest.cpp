// Paths a file dialog chose, taken into the program exactly: a Windows folder
// name may hold a half of no surrogate pair, which must name that folder again.

#include <QtTest>

#include "run/windows/QtText.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {

class QtTextTest : public QObject {
    Q_OBJECT

private slots:
    void aChosenPathKeepsEveryUnit() {
        const char16_t lone[] = {u'd', u':', u'\\', 0xD83D, u'x', 0xDCA9};
        const QString chosen = QString::fromUtf16(lone, std::size(lone));
        QCOMPARE(ChosenPath(chosen), std::string("d:\\\xED\xA0\xBD" "x\xED\xB2\xA9"));
        QCOMPARE(Utf16OfUtf8(ChosenPath(chosen)), std::u16string(lone, std::size(lone)));

        // Pairs and the rest of Unicode as UTF-8 always wrote them.
        const QString plain = QString::fromUtf8("c:\\R\xC3\xA9sum\xC3\xA9 \xF0\x9F\x93\x81");
        QCOMPARE(ChosenPath(plain), plain.toStdString());
        QCOMPARE(ToQString(ChosenPath(plain)), plain);
    }
};

VELLOMAR_QT_TEST(QtTextTest);

}  // namespace vellomar

#include "QtTextTest.moc"

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <vector>

#include "support/windows/QtTestRegistry.h"

namespace vellomar::test {
namespace {

std::vector<QtTestMaker>& Makers() {
    static std::vector<QtTestMaker> makers;
    return makers;
}

}  // namespace

bool RegisterQtTest(QtTestMaker maker) {
    Makers().push_back(std::move(maker));
    return true;
}

int RunRegisteredQtTests(int argc, char** argv) {
    int failures = 0;
    for (const QtTestMaker& make : Makers()) {
        std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures;
}

void WithNextModal(std::function<void(QWidget*)> check) {
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        check(modal);
        if (modal->isVisible()) modal->close();
    });
}

}  // namespace vellomar::test

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // tests close windows and go on
    return vellomar::test::RunRegisteredQtTests(argc, argv);
}

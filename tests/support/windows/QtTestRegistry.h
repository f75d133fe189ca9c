#pragma once
// Window test classes register themselves here; one main runs them all, in
// one QApplication, offscreen.

#include <QObject>
#include <functional>
#include <memory>

namespace vellomar::test {

using QtTestMaker = std::function<std::unique_ptr<QObject>()>;

bool RegisterQtTest(QtTestMaker maker);

// Runs every registered test class; the number of failed test functions.
int RunRegisteredQtTests(int argc, char** argv);

// Runs check inside the modal window the next call opens, then closes it, so
// that no test ever waits on a window.
void WithNextModal(std::function<void(QWidget*)> check);

}  // namespace vellomar::test

#define VELLOMAR_QT_TEST(Class)                                                     \
    [[maybe_unused]] static const bool registered##Class = ::vellomar::test::RegisterQtTest( \
        [] { return std::unique_ptr<QObject>(new Class); })

#pragma once
// A window's control by its object name; a missing one ends the test run at
// once, since every check after it would only fail obscurely.

#include <QWidget>
#include <QtGlobal>

namespace vellomar::test {

template <typename T>
T* Control(QWidget& window, const char* name) {
    T* control = window.findChild<T*>(name);
    if (!control) qFatal("no control %s", name);
    return control;
}

}  // namespace vellomar::test

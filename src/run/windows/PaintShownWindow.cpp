#include "run/windows/PaintShownWindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace vellomar {
namespace {

// A window manager answers within a few milliseconds; one that does not
// answer must not hold up the work for long.
constexpr int kExposeWaitMs = 500;

}  // namespace

void PaintShownWindow(QWidget& window) {
    const QDeadlineTimer deadline(kExposeWaitMs);
    const QWindow* handle = window.windowHandle();
    while (handle && !handle->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!handle->isExposed()) QThread::msleep(2);
    }
    window.repaint();
    QGuiApplication::sync();
}

}  // namespace vellomar

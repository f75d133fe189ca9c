#pragma once
// Whether a widget was painted while a condition held: a window that must be
// seen before the work that keeps the thread begins.

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <functional>
#include <utility>

namespace vellomar::test {

class PaintWatch final : public QObject {
public:
    PaintWatch(QWidget& widget, std::function<bool()> condition)
        : condition_(std::move(condition)) {
        widget.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && condition_()) ++paintsWhile;
        return false;
    }

    int paintsWhile = 0;

private:
    std::function<bool()> condition_;
};

}  // namespace vellomar::test

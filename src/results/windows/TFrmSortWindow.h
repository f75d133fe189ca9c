#pragma once
// The notice shown while the result list is sorted: a small borderless window
// in the centre of the screen that leaves the main window in charge.

#include <QWidget>

class QFrame;
class QLabel;

namespace vellomar {

class TFrmSortWindow final : public QWidget {
    Q_OBJECT

public:
    // Stays above its parent, the main window, without taking its focus.
    explicit TFrmSortWindow(QWidget* parent = nullptr);

private:
    void SetUpControls();

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};

}  // namespace vellomar

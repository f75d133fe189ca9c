#pragma once
// The information window a search command shows before it starts: what the
// command looks for, and a box to stop showing it.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vellomar {

class TFrminfo final : public QDialog {
    Q_OBJECT

public:
    explicit TFrminfo(QWidget* parent = nullptr);

    // Shows the two texts modally with the box unticked; true when the box was
    // ticked as the window closed.
    bool ShowTexts(const QString& text1, const QString& text2);

private:
    void SetUpControls();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* Chk1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace vellomar

#pragma once
// The administrator notice the start shows until the user asks not to see it again.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vellomar {

class TFrmMiscMsg final : public QDialog {
    Q_OBJECT

public:
    explicit TFrmMiscMsg(QWidget* parent = nullptr);

    // Shows the notice modally; true when "Don't show me this message again"
    // was ticked as it closed, by its OK button or by the window's close box.
    bool ShowNotice();

private:
    void SetUpControls();

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace vellomar

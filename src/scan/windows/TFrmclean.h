#pragma once
// "Automatic Cleanup Option": what the "Remove Garbage" categories of the last
// search found, shown before the program offers to delete it.

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace vellomar {

class TFrmclean final : public QDialog {
    Q_OBJECT

public:
    explicit TFrmclean(QWidget* parent = nullptr);

    // Shows the four result lines (garbage, zero-byte, internet files,
    // internet pictures) modally.
    void ShowLines(const std::array<QString, 4>& lines);

private:
    void SetUpControls();

    QLabel* Label3 = nullptr;
    QLabel* Lblout1 = nullptr;
    QLabel* Lblout2 = nullptr;
    QLabel* Lblout3 = nullptr;
    QLabel* Lblout4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace vellomar

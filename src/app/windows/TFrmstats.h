#pragma once
// The File Statistics window of "Show Totals": read-only, made for one showing.

#include <QDialog>

#include "app/FileStatistics.h"
#include "run/Session.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace vellomar {

class TFrmstats final : public QDialog {
    Q_OBJECT

public:
    explicit TFrmstats(const StatisticsLines& lines, QWidget* parent = nullptr);

private:
    void SetUpControls();
    void SetLines(const StatisticsLines& lines);

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Lblfile = nullptr;
    QLabel* Lblbyte = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Lbltotm = nullptr;
    QLabel* Lblavam = nullptr;
    QLabel* Lblperc = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLabel* Lblswap = nullptr;
    QLabel* Lblswapa = nullptr;
    QLabel* Lblpercs = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

// "Show Totals": the run's cleanup totals and the memory figures of this
// moment in a File Statistics window owned by owner, shown modally and
// destroyed when closed.
void ShowFileStatistics(QWidget* owner, const Session& session);

}  // namespace vellomar

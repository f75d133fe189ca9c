#pragma once
// The File Details window: the last file described, shown on request. It is
// made once and keeps the texts last written into it.

#include <QDialog>
#include <string>

#include "results/FileDetails.h"

class QLabel;
class QPushButton;

namespace vellomar {

class TFrmdetail final : public QDialog {
    Q_OBJECT

public:
    explicit TFrmdetail(QWidget* parent = nullptr);

    // Writes the window's five lines; the main window's two lines are not its own.
    void SetLines(const FileDetailLines& lines);
    // "Get Details": shows the window modally as it was last filled.
    void ShowDetails();

private:
    void SetUpControls();

    QLabel* lblname = nullptr;
    QLabel* lblsize = nullptr;
    QLabel* lbltime = nullptr;
    QLabel* lblattr = nullptr;
    QLabel* lblloc = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

// The local date of a moment in the user's short date format, without the
// time of day: the dates the details show.
std::string UserShortDate(FileTime time);

}  // namespace vellomar

#pragma once
// "Trash Bin Empty or Restore": the files in the garbage bin, each by the path
// it came from, with the commands that restore them or remove them for good.

#include <QDialog>
#include <cstdint>

#include "results/BinWindowCommands.h"
#include "results/GarbageBin.h"
#include "results/windows/QtBinPrompts.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vellomar {

class TFrmbin final : public QDialog {
    Q_OBJECT

public:
    // Files removed for good count towards the cleanup totals.
    TFrmbin(GarbageBin& bin, std::int32_t& cleanedFileCount, double& reclaimedBytes,
            QWidget* parent = nullptr);

    // Reads the bin and shows the window modally.
    void ShowBin();

    void CmdDeleteClick();
    void CmdRestoreClick();
    void CmdEmptyClick();
    void ListBinClick();

private:
    void SetUpControls();
    // The list and the three lines as the bin holds them now.
    void ShowContents();
    void ShowLines();

    QtBinPrompts prompts_{this};
    BinWindowCommands commands_;

    QLabel* Label1 = nullptr;
    QListWidget* ListBin = nullptr;
    QLabel* Lblcount = nullptr;
    QLabel* Lblsize = nullptr;
    QLabel* Lbldate = nullptr;
    QPushButton* CmdDelete = nullptr;
    QPushButton* CmdRestore = nullptr;
    QPushButton* CmdEmpty = nullptr;
    QPushButton* CmdOk = nullptr;
};

}  // namespace vellomar

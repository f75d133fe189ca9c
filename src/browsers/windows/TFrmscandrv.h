#pragma once
// "Scan Drive": offered on the first start, it creates the empty scan log and
// lets the user scan one drive after another for browser profile folders.

#include <QDialog>
#include <optional>
#include <string_view>

#include "browsers/BrowserScan.h"
#include "run/MessagePrompts.h"
#include "run/Session.h"
#include "run/TimedPace.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vellomar {

class TFrmscandrv final : public QDialog, public BrowserScanView {
    Q_OBJECT

public:
    // Creates the empty scan log unless there is one; a failed write is shown
    // and the window opens all the same.
    TFrmscandrv(Session& session, MessagePrompts& prompts, QWidget* parent = nullptr);

    void BitBtn1Click();    // "Scan Drive Now" on the chosen drive
    void CmdreturnClick();  // "Ok"

    // Closing while a scan runs waits until every scan has returned, so the
    // window never goes from under one.
    void done(int result) override;

    // BrowserScanView
    void ShowScanFolder(std::string_view folderPath) override;
    void Pump() override;

private:
    void SetUpControls();

    Session& session_;
    MessagePrompts& prompts_;
    int scansRunning_ = 0;  // "Scan Drive Now" may be pressed again inside a scan
    TimedPace pumpPace_;
    std::optional<int> deferredResult_;

    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QLabel* Lblfiles = nullptr;
    QPushButton* Cmdreturn = nullptr;
};

}  // namespace vellomar

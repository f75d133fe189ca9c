#pragma once
// "Disk Search Details": the Quick Search folder filters (SEARCH ONLY and
// BYPASS lists, scope and mode) and the name box with its two options of the
// file name search. Made once at start-up and shown modally by "Quick Search".

#include <QDialog>
#include <string>
#include <vector>

#include "quicksearch/NameSearch.h"
#include "quicksearch/windows/QtFolderPicker.h"
#include "run/MessagePrompts.h"
#include "run/Session.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vellomar {

class TFrmDiskCheck final : public QDialog, public QuickSearchWindow {
    Q_OBJECT

public:
    // Shows session.quickSearch.window, which start-up has read from the file;
    // without a picker the toolkit's folder dialog is used.
    TFrmDiskCheck(Session& session, MessagePrompts& prompts, FolderPicker pickFolder = {},
                  QWidget* parent = nullptr);

    void ShowQuickSearchWindow() override;
    NameQuery QueryOfWindow() const override;

private:
    void SetUpControls();
    // Exactly one box of the pair is ticked: ticking one clears the other and
    // clearing one ticks the other.
    void PairBoxes(QCheckBox* first, QCheckBox* second);
    void ShowScopeAndMode();
    void ShowLists();
    void AddFolderTo(QListWidget* listBox, std::vector<std::string>& folders);
    void RemoveFolderFrom(QListWidget* listBox, std::vector<std::string>& folders);

    void CmdSaveClick();
    void BitBtn1Click();  // "Search Disk Now"
    void BitBtn2Click();  // "Ok"

    Session& session_;
    MessagePrompts& prompts_;
    FolderPicker pickFolder_;

    QLabel* Label1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* Radboth = nullptr;
    QRadioButton* RadOnly = nullptr;
    QRadioButton* RadIgnore = nullptr;
    QRadioButton* RadSearchOnly = nullptr;
    QRadioButton* RadSearchSkip = nullptr;
    QLabel* LblOnly = nullptr;
    QListWidget* ListOnly = nullptr;
    QPushButton* CmdOnlyAdd = nullptr;
    QPushButton* CmdOnlyRemove = nullptr;
    QLabel* LblSkip = nullptr;
    QListWidget* ListSkip = nullptr;
    QPushButton* CmdSkipAdd = nullptr;
    QPushButton* CmdSkipRemove = nullptr;
    QLabel* LblFileName = nullptr;
    QLineEdit* EdFileName = nullptr;
    QCheckBox* ChkExact = nullptr;
    QCheckBox* ChkExactIgnore = nullptr;
    QCheckBox* ChkCase = nullptr;
    QCheckBox* ChkCaseIgnore = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* CmdSave = nullptr;
};

}  // namespace vellomar

#include "quicksearch/windows/TFrmDiskCheck.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

#include "quicksearch/QuickSearchCommands.h"
#include "run/windows/FixedColours.h"
#include "run/windows/QtText.h"

namespace vellomar {
namespace {

constexpr int kListWidth = 499;
constexpr int kListHeight = 91;
constexpr int kListButtonWidth = 84;
constexpr int kListButtonHeight = 19;
constexpr int kRadioHeight = 18;
constexpr int kCheckBoxHeight = 17;

struct FolderListNames {
    const char* label;
    const char* heading;
    const char* list;
    const char* add;
    const char* remove;
};

QFont FontOf(const char* family, QFont::StyleHint hint, bool bold = false) {
    QFont font(family, 8, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(hint);
    return font;
}

// The folders with the first one selected.
void ShowFolders(QListWidget* listBox, const std::vector<std::string>& folders) {
    listBox->clear();
    for (const std::string& folder : folders) listBox->addItem(ToQString(folder));
    if (listBox->count() > 0) listBox->setCurrentRow(0);
}

}  // namespace

TFrmDiskCheck::TFrmDiskCheck(Session& session, MessagePrompts& prompts, FolderPicker pickFolder,
                             QWidget* parent)
    : QDialog(parent),
      session_(session),
      prompts_(prompts),
      pickFolder_(pickFolder ? std::move(pickFolder)
                             : QtFolderPicker(session.platform.Drives(), this)) {
    SetUpControls();
    ShowScopeAndMode();
    ShowLists();
}

void TFrmDiskCheck::SetUpControls() {
    setObjectName("TFrmDiskCheck");
    setWindowTitle("Disk Search Details");
    setFixedSize(547, 702);
    move(screen()->availableGeometry().center() - rect().center());
    FixColours(*this, QPalette::Window, QColor(234, 234, 234), Qt::black);
    setFont(FontOf("Arial", QFont::SansSerif));

    const auto addLabel = [](QWidget* parent, const char* name, const QString& text, QRect place,
                             bool heading) {
        auto* label = new QLabel(text, parent);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (heading) label->setFont(FontOf("Arial", QFont::SansSerif, true));
        label->setGeometry(place);
        return label;
    };
    const auto addButton = [this](QWidget* parent, const char* name, const char* caption,
                                  QRect place, auto click) {
        auto* button = new QPushButton(caption, parent);
        button->setObjectName(name);
        button->setAutoDefault(false);  // Enter in the name box neither saves nor searches
        button->setGeometry(place);
        connect(button, &QPushButton::clicked, this, click);
        return button;
    };

    Label1 = addLabel(
        this, "Label1",
        "You can customize and speed up your searches, by eliminating specific folder paths or "
        "searching a combination of paths only. (For example, you may know that your search data "
        "will never be in the Windows folder path. Bypassing this can make it much faster)",
        QRect(16, 8, 515, 56), false);
    Label1->setWordWrap(true);

    GroupBox1 = new QGroupBox("Speed Searching - Apply Search Filters", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(15, 70, 516, 439);
    FixColours(*GroupBox1, QPalette::Window, QColor(226, 225, 222), Qt::black);

    // Each radio button writes its choice into the working copy that the walks
    // and the save read.
    const auto addRadio = [this](QButtonGroup* group, const char* name, const char* caption,
                                 int top, auto choose) {
        auto* radio = new QRadioButton(caption, GroupBox1);
        radio->setObjectName(name);
        radio->setGeometry(10, top, 496, kRadioHeight);
        group->addButton(radio);
        connect(radio, &QRadioButton::toggled, this, [this, choose](bool checked) {
            if (checked) choose(session_.quickSearch.window);
        });
        return radio;
    };
    const auto scopeOf = [](QuickSearchScope scope) {
        return [scope](QuickSearchSettings& settings) { settings.scope = scope; };
    };
    const auto modeOf = [](QuickSearchMode mode) {
        return [mode](QuickSearchSettings& settings) { settings.mode = mode; };
    };
    auto* scopeGroup = new QButtonGroup(this);
    Radboth = addRadio(scopeGroup, "Radboth",
                       "Apply filters below to both this screen and main screen (Quicksearch ON)",
                       22, scopeOf(QuickSearchScope::BothWindows));
    RadOnly = addRadio(scopeGroup, "RadOnly",
                       "Apply filters below to this search screen only (Quciksearch OFF)", 42,
                       scopeOf(QuickSearchScope::OnlyThisWindow));
    RadIgnore = addRadio(
        scopeGroup, "RadIgnore",
        "Do not use the filters below. (Quicksearch OFF. Ignore and search entire drive)", 62,
        scopeOf(QuickSearchScope::Ignore));
    auto* modeGroup = new QButtonGroup(this);
    RadSearchOnly = addRadio(modeGroup, "RadSearchOnly",
                             "SEARCH ONLY - Only search the folder list below", 92,
                             modeOf(QuickSearchMode::SearchOnly));
    RadSearchSkip = addRadio(modeGroup, "RadSearchSkip",
                             "BYPASS - Search entire hard drive EXCEPT for the file list below",
                             112, modeOf(QuickSearchMode::Bypass));

    // A heading, its list box and the list's two buttons beneath, at top.
    QuickSearchSettings& settings = session_.quickSearch.window;
    const auto addFolderList = [&](const FolderListNames& names, int top,
                                   std::vector<std::string>& folders, QLabel*& label,
                                   QListWidget*& listBox, QPushButton*& add,
                                   QPushButton*& remove) {
        label = addLabel(GroupBox1, names.label, names.heading, QRect(8, top, 499, 16), true);
        listBox = new QListWidget(GroupBox1);
        listBox->setObjectName(names.list);
        listBox->setSelectionMode(QAbstractItemView::SingleSelection);
        listBox->setGeometry(8, top + 18, kListWidth, kListHeight);
        listBox->setAccessibleName(names.heading);  // a list takes no name from a buddy
        const int buttonTop = top + 18 + kListHeight + 4;
        add = addButton(GroupBox1, names.add, "Add Folder",
                        QRect(8, buttonTop, kListButtonWidth, kListButtonHeight),
                        [this, listBox, &folders] { AddFolderTo(listBox, folders); });
        remove = addButton(
            GroupBox1, names.remove, "Remove Folder",
            QRect(8 + kListButtonWidth + 8, buttonTop, kListButtonWidth, kListButtonHeight),
            [this, listBox, &folders] { RemoveFolderFrom(listBox, folders); });
    };
    addFolderList({"LblOnly", "SEARCH ONLY", "ListOnly", "CmdOnlyAdd", "CmdOnlyRemove"}, 148,
                  settings.onlyFolders, LblOnly, ListOnly, CmdOnlyAdd, CmdOnlyRemove);
    addFolderList({"LblSkip", "BYPASS", "ListSkip", "CmdSkipAdd", "CmdSkipRemove"}, 290,
                  settings.skipFolders, LblSkip, ListSkip, CmdSkipAdd, CmdSkipRemove);

    LblFileName = addLabel(this, "LblFileName", "Search For a File", QRect(19, 519, 509, 16), true);
    EdFileName = new QLineEdit(this);
    EdFileName->setObjectName("EdFileName");
    EdFileName->setGeometry(19, 537, 509, 22);
    LblFileName->setBuddy(EdFileName);
    // Enter in the name box searches; no button is the window's default, so
    // that Enter elsewhere presses only a focused button.
    connect(EdFileName, &QLineEdit::returnPressed, this, &TFrmDiskCheck::BitBtn1Click);

    const auto addCheckBox = [this](const char* name, const char* caption, int top) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        box->setFont(FontOf("Courier New", QFont::TypeWriter));
        box->setGeometry(19, top, 509, kCheckBoxHeight);
        return box;
    };
    ChkExact = addCheckBox("ChkExact", "Match exact name entered", 567);
    ChkExactIgnore = addCheckBox(
        "ChkExactIgnore", "Match partial name (i.e. enter .txt to find all files with .txt)", 587);
    ChkCase = addCheckBox("ChkCase",
                          "Match case (i.e. File name must match exactly as you type it in)", 607);
    ChkCaseIgnore = addCheckBox(
        "ChkCaseIgnore", "Ignore case (i.e. TEST.TXT would be the same as test.txt)", 627);
    PairBoxes(ChkExact, ChkExactIgnore);
    PairBoxes(ChkCase, ChkCaseIgnore);
    ChkCaseIgnore->setChecked(true);
    ChkExact->setChecked(true);

    BitBtn1 = addButton(this, "BitBtn1", "Search Disk Now", QRect(19, 668, 97, 19),
                        &TFrmDiskCheck::BitBtn1Click);
    CmdSave = addButton(this, "CmdSave", "Save Settings", QRect(232, 668, 84, 19),
                        &TFrmDiskCheck::CmdSaveClick);
    CmdSave->hide();
    BitBtn2 = addButton(this, "BitBtn2", "Ok", QRect(447, 665, 81, 22),
                        &TFrmDiskCheck::BitBtn2Click);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    KeepCaptionsOnFixedGrounds(*this);
}

void TFrmDiskCheck::PairBoxes(QCheckBox* first, QCheckBox* second) {
    connect(first, &QCheckBox::toggled, second,
            [second](bool checked) { second->setChecked(!checked); });
    connect(second, &QCheckBox::toggled, first,
            [first](bool checked) { first->setChecked(!checked); });
}

void TFrmDiskCheck::ShowScopeAndMode() {
    const QuickSearchSettings& settings = session_.quickSearch.window;
    switch (settings.scope) {
        case QuickSearchScope::BothWindows: Radboth->setChecked(true); break;
        case QuickSearchScope::OnlyThisWindow: RadOnly->setChecked(true); break;
        case QuickSearchScope::Ignore: RadIgnore->setChecked(true); break;
    }
    (settings.mode == QuickSearchMode::SearchOnly ? RadSearchOnly : RadSearchSkip)
        ->setChecked(true);
}

void TFrmDiskCheck::ShowLists() {
    ShowFolders(ListOnly, session_.quickSearch.window.onlyFolders);
    ShowFolders(ListSkip, session_.quickSearch.window.skipFolders);
}

void TFrmDiskCheck::ShowQuickSearchWindow() {
    // The radio buttons write their choice into the working copy at once, so
    // showing it keeps them as they were, unless the main window's "Never List
    // This Folder" has put the filters in force meanwhile.
    ShowScopeAndMode();
    ShowLists();
    exec();
}

NameQuery TFrmDiskCheck::QueryOfWindow() const {
    return NameQuery{EdFileName->text().toStdString(), ChkExact->isChecked(),
                     ChkCase->isChecked()};
}

void TFrmDiskCheck::AddFolderTo(QListWidget* listBox, std::vector<std::string>& folders) {
    AddFolder(folders, pickFolder_(kFolderPickerTitle), prompts_);
    ShowFolders(listBox, folders);
}

void TFrmDiskCheck::RemoveFolderFrom(QListWidget* listBox, std::vector<std::string>& folders) {
    const QList<QListWidgetItem*> selected = listBox->selectedItems();
    if (!selected.isEmpty())
        RemoveFolder(folders, static_cast<std::size_t>(listBox->row(selected.front())));
    ShowFolders(listBox, folders);
}

void TFrmDiskCheck::CmdSaveClick() { SaveQuickSearchWindow(session_, prompts_); }

void TFrmDiskCheck::BitBtn1Click() {
    if (QuickSearchSearchDiskNow(session_, EdFileName->text().toStdString(), prompts_)) accept();
}

void TFrmDiskCheck::BitBtn2Click() {
    if (SaveQuickSearchWindow(session_, prompts_)) accept();
}

}  // namespace vellomar

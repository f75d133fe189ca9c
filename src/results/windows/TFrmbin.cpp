#include "results/windows/TFrmbin.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "results/windows/TFrmdetail.h"

namespace vellomar {
namespace {

constexpr int kListWidth = 480;
constexpr int kListHeight = 220;

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TFrmbin::TFrmbin(GarbageBin& bin, std::int32_t& cleanedFileCount, double& reclaimedBytes,
                 QWidget* parent)
    : QDialog(parent), commands_(bin, prompts_, cleanedFileCount, reclaimedBytes) {
    SetUpControls();
}

void TFrmbin::SetUpControls() {
    setObjectName("TFrmbin");
    setWindowTitle("Trash Bin Empty or Restore");

    Label1 = new QLabel(
        "Your \"Trash Bin\" files are listed below. If you would like to restore any file to "
        "its original location, simply highlight the file and click \"Restore\".",
        this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setFixedWidth(kListWidth);

    ListBin = new QListWidget(this);
    ListBin->setObjectName("ListBin");
    ListBin->setAccessibleName("Files in the Trash Bin");
    ListBin->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBin->setFixedSize(kListWidth, kListHeight);
    connect(ListBin, &QListWidget::currentRowChanged, this, &TFrmbin::ListBinClick);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Label1);
    layout->addWidget(ListBin);
    for (auto [label, name] : {std::pair{&Lblcount, "Lblcount"}, std::pair{&Lblsize, "Lblsize"},
                               std::pair{&Lbldate, "Lbldate"}}) {
        *label = new QLabel(this);
        (*label)->setObjectName(name);
        (*label)->setTextFormat(Qt::PlainText);
        layout->addWidget(*label);
    }

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const char* caption, const char* hint,
                               void (TFrmbin::*click)()) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setToolTip(hint);
        button->setAutoDefault(false);  // Enter never removes a file
        connect(button, &QPushButton::clicked, this, click);
        buttons->addWidget(button);
        return button;
    };
    CmdDelete =
        addButton("CmdDelete", "Delete File", "Permanently delete highlighted file from the bin",
                  &TFrmbin::CmdDeleteClick);
    CmdRestore = addButton("CmdRestore", "Restore File",
                           "Restore the highlighted file back to the original location",
                           &TFrmbin::CmdRestoreClick);
    CmdEmpty = addButton("CmdEmpty", "Empty Entire Bin", "Permanently empty ALL files in the bin",
                         &TFrmbin::CmdEmptyClick);
    CmdOk = addButton("CmdOk", "Ok", "", &TFrmbin::accept);
    CmdOk->setDefault(true);
    layout->addLayout(buttons);
}

void TFrmbin::ShowBin() {
    commands_.Refresh();
    ShowContents();
    exec();
}

void TFrmbin::CmdDeleteClick() {
    commands_.DeleteFile();
    ShowContents();
}

void TFrmbin::CmdRestoreClick() {
    commands_.RestoreFile();
    ShowContents();
}

void TFrmbin::CmdEmptyClick() {
    commands_.EmptyEntireBin();
    ShowContents();
}

void TFrmbin::ListBinClick() {
    const int row = ListBin->currentRow();
    commands_.Highlight(row >= 0 ? std::optional<std::size_t>(row) : std::nullopt);
    ShowLines();
}

void TFrmbin::ShowContents() {
    const QSignalBlocker quiet(ListBin);  // the core chose the highlight already
    ListBin->clear();
    for (const BinItem& item : commands_.Items()) ListBin->addItem(FromStd(ListedText(item)));
    if (auto highlighted = commands_.Highlighted())
        ListBin->setCurrentRow(static_cast<int>(*highlighted));
    ShowLines();
}

void TFrmbin::ShowLines() {
    const BinLines lines = commands_.Lines(UserShortDate);
    Lblcount->setText(FromStd(lines.count));
    Lblsize->setText(FromStd(lines.size));
    Lbldate->setText(FromStd(lines.date));
}

}  // namespace vellomar

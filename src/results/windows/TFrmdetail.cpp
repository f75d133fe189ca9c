#include "results/windows/TFrmdetail.h"

#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellomar {
namespace {

constexpr int kTextWidth = 360;

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

// A word-wrapped label breaks only between words, so a long folder without
// blanks would run out of the window: a zero-width space after each separator
// lets it break there too. For display only.
QString BreakableAtSeparators(QString path) {
    return path.replace(QChar('\\'), QStringLiteral("\\\u200B"));
}

}  // namespace

TFrmdetail::TFrmdetail(QWidget* parent) : QDialog(parent) { SetUpControls(); }

void TFrmdetail::SetUpControls() {
    setObjectName("TFrmdetail");
    setWindowTitle("File Details");

    auto* Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setSpacing(6);
    auto addLine = [&](const char* name) {
        auto* label = new QLabel(Panel1);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);  // file names are never markup
        label->setFixedWidth(kTextWidth);
        panelLayout->addWidget(label);
        return label;
    };
    lblname = addLine("lblname");
    lblsize = addLine("lblsize");
    lbltime = addLine("lbltime");
    lblattr = addLine("lblattr");
    lblloc = addLine("lblloc");
    lblloc->setWordWrap(true);

    BitBtn1 = new QPushButton("Ok", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // the window grows with a long location
    layout->addWidget(Panel1);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
}

void TFrmdetail::SetLines(const FileDetailLines& lines) {
    lblname->setText(FromStd(lines.name));
    lblsize->setText(FromStd(lines.size));
    lbltime->setText(FromStd(lines.changedOn));
    lblattr->setText(FromStd(lines.attribute));
    lblloc->setText(BreakableAtSeparators(FromStd(lines.location)));
    lblloc->setAccessibleName(FromStd(lines.location));  // read as written
}

void TFrmdetail::ShowDetails() { exec(); }

std::string UserShortDate(FileTime time) {
    const auto sinceEpoch = time.ShownSeconds().time_since_epoch();
    const QDate localDate = QDateTime::fromSecsSinceEpoch(sinceEpoch.count()).date();
    return QLocale().toString(localDate, QLocale::ShortFormat).toStdString();
}

}  // namespace vellomar

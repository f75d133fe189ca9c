#include "scan/windows/TFrmclean.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellomar {

TFrmclean::TFrmclean(QWidget* parent) : QDialog(parent) { SetUpControls(); }

void TFrmclean::SetUpControls() {
    setObjectName("TFrmclean");
    setWindowTitle("Automatic Cleanup Option");

    Label3 = new QLabel(
        "This window only appears when file types listed under \"Remove Garbage\" are selected "
        "and found on your computer. This provides a quick and convenient view of all your "
        "found file stats, and also will allow you to delete these garbage files on the next "
        "screen.",
        this);
    Label3->setObjectName("Label3");
    Label3->setWordWrap(true);

    // The lines' prefixes are padded to one width: a fixed pitch lines up their arrows.
    QFont resultFont("Courier New", 9, QFont::Bold);
    resultFont.setStyleHint(QFont::Monospace);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // as wide as the longest line
    layout->addWidget(Label3);
    layout->addSpacing(8);
    const std::array<QLabel**, 4> resultLines = {&Lblout1, &Lblout2, &Lblout3, &Lblout4};
    for (std::size_t i = 0; i < resultLines.size(); ++i) {
        QLabel* line = new QLabel(this);
        line->setObjectName(QString("Lblout%1").arg(i + 1));
        line->setFont(resultFont);
        layout->addWidget(line);
        *resultLines[i] = line;
    }
    layout->addSpacing(8);

    BitBtn1 = new QPushButton("Ok", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
}

void TFrmclean::ShowLines(const std::array<QString, 4>& lines) {
    Lblout1->setText(lines[0]);
    Lblout2->setText(lines[1]);
    Lblout3->setText(lines[2]);
    Lblout4->setText(lines[3]);
    exec();
}

}  // namespace vellomar

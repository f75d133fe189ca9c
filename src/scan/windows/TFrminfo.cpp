#include "scan/windows/TFrminfo.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellomar {
namespace {

constexpr int kTextWidth = 420;

}  // namespace

TFrminfo::TFrminfo(QWidget* parent) : QDialog(parent) { SetUpControls(); }

void TFrminfo::SetUpControls() {
    setObjectName("TFrminfo");
    setWindowTitle("Information ");

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setFixedWidth(kTextWidth);

    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);
    Label2->setFixedWidth(kTextWidth);

    Chk1 = new QCheckBox("Don't Show This Informational Message Again", this);
    Chk1->setObjectName("Chk1");

    BitBtn1 = new QPushButton("Ok", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // the window fits its texts
    layout->setSpacing(12);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Chk1);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
}

bool TFrminfo::ShowTexts(const QString& text1, const QString& text2) {
    Label1->setText(text1);
    Label2->setText(text2);
    Label2->setVisible(!text2.isEmpty());  // no blank gap under the garbage commands' text
    Chk1->setChecked(false);
    exec();
    return Chk1->isChecked();
}

}  // namespace vellomar

#include "app/windows/TFrmMiscMsg.h"

#include <QCheckBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "run/windows/FixedColours.h"

namespace vellomar {

TFrmMiscMsg::TFrmMiscMsg(QWidget* parent) : QDialog(parent) { SetUpControls(); }

void TFrmMiscMsg::SetUpControls() {
    setObjectName("TFrmMiscMsg");
    setWindowTitle("Vellomar");
    setFixedSize(452, 146);
    move(screen()->availableGeometry().center() - rect().center());
    FixColours(*this, QPalette::Window, QColor(239, 239, 239), Qt::black);
    QFont windowFont("Tahoma", 8);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    Label2 = new QLabel("Note:", this);
    Label2->setObjectName("Label2");
    QFont noteFont("Arial", 9, QFont::Bold);
    noteFont.setStyleHint(QFont::SansSerif);
    noteFont.setUnderline(true);
    Label2->setFont(noteFont);
    Label2->move(16, 7);
    Label2->adjustSize();

    Label1 = new QLabel(
        "You are currently running Windows Vista, which blocks access to your disk. You need to "
        "give access to this program first: To give access, right click the Vellomar icon on "
        "your desktop, and simply choose \"Run as Administrator\".  This will give the software "
        "access to your system so you can do your cleanups.  (This only needs to be done one "
        "time, otherwise the software will not be able to find and remove all the garbage "
        "files on your system.)",
        this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(16, 25, 422, 78);

    CheckBox1 = new QCheckBox("Don't show me this message again", this);
    CheckBox1->setObjectName("CheckBox1");
    // Where Tahoma is missing a wider font stands in: the caption may then need more room.
    CheckBox1->setGeometry(16, 119, std::max(208, CheckBox1->sizeHint().width()), 17);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(377, 119, 66, 22);
    BitBtn1->setCursor(Qt::PointingHandCursor);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    KeepCaptionsOnFixedGrounds(*this);
}

bool TFrmMiscMsg::ShowNotice() {
    exec();
    return CheckBox1->isChecked();
}

}  // namespace vellomar

#include "results/windows/TFrmSortWindow.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QScreen>

#include "run/windows/FixedColours.h"

namespace vellomar {

TFrmSortWindow::TFrmSortWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    SetUpControls();
}

void TFrmSortWindow::SetUpControls() {
    setObjectName("TFrmSortWindow");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(244, 87);
    move(screen()->availableGeometry().center() - rect().center());
    FixColours(*this, QPalette::Window, QColor(128, 0, 0), Qt::white);  // maroon

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(6, 6, 232, 75);
    FixColours(*Panel1, QPalette::Window, QColor(240, 240, 240), Qt::black);

    QFont titleFont("Verdana", 12, QFont::Bold, true);
    titleFont.setStyleHint(QFont::SansSerif);
    Label1 = new QLabel("Sorting Your Data List!", Panel1);
    Label1->setObjectName("Label1");
    Label1->setFont(titleFont);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(2, 12, 228, 24);

    QFont textFont("Verdana", 10);
    textFont.setStyleHint(QFont::SansSerif);
    Label2 = new QLabel("Please be patient....", Panel1);
    Label2->setObjectName("Label2");
    Label2->setFont(textFont);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(2, 42, 228, 20);
    KeepCaptionsOnFixedGrounds(*this);
}

}  // namespace vellomar

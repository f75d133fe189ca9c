#include "run/windows/TFrmProgress.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QVBoxLayout>

#include "run/windows/PaintShownWindow.h"
#include "run/windows/QtText.h"

namespace vellomar {
namespace {

// A bar's range is an int: a count beyond it is drawn as a share of a thousand.
constexpr int kBarSteps = 1000;

}  // namespace

TimedPace TFrmProgress::DefaultPace() {
    using std::chrono::milliseconds;
    // A short act opens no window; a long one is redrawn ten times a second,
    // which costs it nothing to speak of.
    return TimedPace(milliseconds(400), milliseconds(100));
}

TFrmProgress::TFrmProgress(QWidget* parent, TimedPace pace)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), pace_(pace) {
    SetUpControls();
}

void TFrmProgress::SetUpControls() {
    setObjectName("TFrmProgress");
    setWindowTitle("Vellomar");
    setWindowModality(Qt::ApplicationModal);
    Lblact = new QLabel(this);
    Lblact->setObjectName("Lblact");
    Lblcount = new QLabel(this);
    Lblcount->setObjectName("Lblcount");
    Bar = new QProgressBar(this);
    Bar->setObjectName("Bar");
    Bar->setRange(0, kBarSteps);
    Bar->setTextVisible(false);  // the count says it
    Bar->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Lblact);
    layout->addWidget(Lblcount);
    layout->addWidget(Bar);
}

void TFrmProgress::Begin(std::string_view what, std::size_t total) {
    total_ = total;
    Lblact->setText(ToQString(what) + QStringLiteral("\u2026"));
    pace_.Start(TimedPace::Clock::now());
}

void TFrmProgress::Reached(std::size_t done) {
    if (pace_.Due(TimedPace::Clock::now())) ShowCount(done);
}

void TFrmProgress::End() { hide(); }

void TFrmProgress::closeEvent(QCloseEvent* event) { event->ignore(); }

void TFrmProgress::ShowCount(std::size_t done) {
    const QLocale locale;
    Lblcount->setText(QStringLiteral("%1 of %2").arg(
        locale.toString(static_cast<qulonglong>(done)),
        locale.toString(static_cast<qulonglong>(total_))));
    Bar->setValue(total_ == 0 ? kBarSteps
                              : static_cast<int>(static_cast<double>(done) * kBarSteps /
                                                 static_cast<double>(total_)));
    show();  // modal: the other windows take no input while it is open
    // Drawn and handed to the window system now: the act does not wait for
    // the event loop. The windows behind repaint too; input for them is dropped.
    PaintShownWindow(*this);
}

}  // namespace vellomar

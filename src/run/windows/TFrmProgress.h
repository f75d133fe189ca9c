#pragma once
// The count of a long act on many files (a deletion, moves into the bin,
// emptying the bin), in a small modal window: while the act keeps the
// thread, the windows repaint and every other command waits. It opens only
// once the act has run for a moment and is redrawn a few times a second.

#include <QDialog>

#include "run/ActProgress.h"
#include "run/TimedPace.h"

class QLabel;
class QProgressBar;

namespace vellomar {

class TFrmProgress final : public QDialog, public ActProgress {
    Q_OBJECT

public:
    static TimedPace DefaultPace();

    explicit TFrmProgress(QWidget* parent = nullptr, TimedPace pace = DefaultPace());

    // ActProgress
    void Begin(std::string_view what, std::size_t total) override;
    void Reached(std::size_t done) override;
    void End() override;

protected:
    // Neither Escape nor the window's close button ends the act half-way
    // without a word: the window closes when the act is over.
    void reject() override {}
    void closeEvent(QCloseEvent* event) override;

private:
    void SetUpControls();
    void ShowCount(std::size_t done);

    TimedPace pace_;
    std::size_t total_ = 0;
    QLabel* Lblact = nullptr;
    QLabel* Lblcount = nullptr;
    QProgressBar* Bar = nullptr;
};

}  // namespace vellomar

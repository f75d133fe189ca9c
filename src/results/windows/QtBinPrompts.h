#pragma once
// The garbage bin's questions and messages as message boxes over a window.

#include <memory>

#include "results/BinPrompts.h"

class QWidget;

namespace vellomar {

class TFrmProgress;

class QtBinPrompts final : public BinPrompts {
public:
    explicit QtBinPrompts(QWidget* parent);
    ~QtBinPrompts() override;

    // "Yes" and "No", with "No" the default: a slip of the Enter key never
    // removes files for good.
    bool Confirm(std::string_view question) override;
    void ShowMessage(MessageKind kind, std::string_view text) override;
    ActProgress& Progress() override;

private:
    QWidget* parent_;
    std::unique_ptr<TFrmProgress> progress_;  // made when an act first reports
};

}  // namespace vellomar

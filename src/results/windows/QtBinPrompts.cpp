#include "results/windows/QtBinPrompts.h"

#include "run/windows/MessageBox.h"
#include "run/windows/QtText.h"
#include "run/windows/TFrmProgress.h"

namespace vellomar {

QtBinPrompts::QtBinPrompts(QWidget* parent) : parent_(parent) {}

QtBinPrompts::~QtBinPrompts() = default;

ActProgress& QtBinPrompts::Progress() {
    if (!progress_) progress_ = std::make_unique<TFrmProgress>(parent_);
    return *progress_;
}

bool QtBinPrompts::Confirm(std::string_view question) {
    return AskYesNo(parent_, ToQString(question));
}

void QtBinPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    ShowMessageBox(parent_, kind, ToQString(text));
}

}  // namespace vellomar

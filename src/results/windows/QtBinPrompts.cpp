#include "results/windows/QtBinPrompts.h"

#include "run/windows/MessageBox.h"
#include "run/windows/QtText.h"

namespace vellomar {

bool QtBinPrompts::Confirm(std::string_view question) {
    return AskYesNo(parent_, ToQString(question));
}

void QtBinPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    ShowMessageBox(parent_, kind, ToQString(text));
}

}  // namespace vellomar

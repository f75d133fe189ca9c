#include "results/windows/QtBinPrompts.h"

#include "app/windows/MessageBox.h"
#include "app/windows/QtText.h"

namespace vellomar {

bool QtBinPrompts::Confirm(std::string_view question) {
    return AskYesNo(parent_, ToQString(question));
}

void QtBinPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    ShowMessageBox(parent_, kind, ToQString(text));
}

}  // namespace vellomar

#include "results/windows/QtBinPrompts.h"

#include <QMessageBox>

#include "app/windows/MessageBox.h"
#include "app/windows/QtText.h"

namespace vellomar {

bool QtBinPrompts::Confirm(std::string_view question) {
    return QMessageBox::question(parent_, "Confirm", ToQString(question),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtBinPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    ShowMessageBox(parent_, kind, ToQString(text));
}

}  // namespace vellomar

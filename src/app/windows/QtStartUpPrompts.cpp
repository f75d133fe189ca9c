#include "app/windows/QtStartUpPrompts.h"

#include "app/windows/MessageBox.h"
#include "app/windows/TFrmMiscMsg.h"

namespace vellomar {

bool QtStartUpPrompts::ShowAdministratorNotice() {
    TFrmMiscMsg notice;  // made for this one showing
    return notice.ShowNotice();
}

void QtStartUpPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    ShowMessageBox(nullptr, kind, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace vellomar

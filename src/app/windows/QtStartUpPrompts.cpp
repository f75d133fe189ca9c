#include "app/windows/QtStartUpPrompts.h"

#include "app/windows/TFrmMiscMsg.h"
#include "browsers/windows/TFrmscandrv.h"
#include "run/windows/MessageBox.h"
#include "run/windows/QtText.h"

namespace vellomar {

void QtStartUpPrompts::ShowScanDriveWindow() {
    TFrmscandrv window(session_, *this);  // made for this one showing
    window.exec();
}

bool QtStartUpPrompts::ShowAdministratorNotice() {
    TFrmMiscMsg notice;  // made for this one showing
    return notice.ShowNotice();
}

void QtStartUpPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    ShowMessageBox(nullptr, kind, ToQString(text));
}

}  // namespace vellomar

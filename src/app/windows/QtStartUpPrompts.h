#pragma once
// The start's modal windows as the desktop program shows them, before the main
// window appears.

#include "app/StartUp.h"

namespace vellomar {

class QtStartUpPrompts final : public StartUpPrompts {
public:
    explicit QtStartUpPrompts(Session& session) : session_(session) {}

    void ShowScanDriveWindow() override;
    bool ShowAdministratorNotice() override;
    void ShowMessage(MessageKind kind, std::string_view text) override;

private:
    Session& session_;
};

}  // namespace vellomar

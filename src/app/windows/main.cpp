// Vellomar: finds unwanted files on the computer's drives and removes them.

#include <QApplication>

#include "app/Session.h"
#include "app/windows/TFrmgarb.h"
#include "platform/Platform.h"
#include "scan/windows/QtScanPrompts.h"

int main(int argc, char** argv) {
    using namespace vellomar;
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vellomar");

    Platform platform(DriveTable::OfThisMachine(), UserFolders::OfThisProcess());
    Session session(platform);
    QtScanPrompts prompts;
    TFrmgarb window(session, prompts);
    window.show();
    return application.exec();
}

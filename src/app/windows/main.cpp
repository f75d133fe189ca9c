// Vellomar: finds unwanted files on the computer's drives and removes them.

#include <QApplication>

#include "app/StartUp.h"
#include "app/windows/QtMainWindowPrompts.h"
#include "app/windows/QtStartUpPrompts.h"
#include "app/windows/TFrmgarb.h"
#include "platform/Platform.h"
#include "run/Session.h"

int main(int argc, char** argv) {
    using namespace vellomar;
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vellomar");

    const UserFolders folders = UserFolders::OfThisProcess();
    Platform platform(
        DriveTable::OfThisMachine(RegistryStore::OfThisUser(folders.configHome, folders.configHome)),
        folders);
    Session session(platform);
    QtMainWindowPrompts prompts(session);
    TFrmgarb window(session, prompts);
    QtStartUpPrompts startUpPrompts(session);
    RunStartUpSequence(session, startUpPrompts, window);
    prompts.MakeWindows();
    window.show();
    return application.exec();  // nothing is stored at exit
}

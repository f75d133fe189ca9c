#include "quicksearch/windows/QtFolderPicker.h"

#include <QDir>
#include <QFileDialog>
#include <memory>

#include "platform/DriveTable.h"
#include "run/windows/QtText.h"

namespace vellomar {

FolderPicker QtFolderPicker(const DriveTable& drives, QWidget* parent) {
    // Not the process's current folder, which a walk leaves anywhere.
    auto lastChosen = std::make_shared<QString>(QDir::homePath());
    return [&drives, parent, lastChosen](std::string_view title) -> std::string {
        const QString chosen = QFileDialog::getExistingDirectory(
            parent, ToQString(title), *lastChosen, QFileDialog::ShowDirsOnly);
        if (chosen.isEmpty()) return {};
        *lastChosen = chosen;
        return drives.ToDriveForm(ChosenPath(QDir::toNativeSeparators(chosen))).value_or("");
    };
}

}  // namespace vellomar

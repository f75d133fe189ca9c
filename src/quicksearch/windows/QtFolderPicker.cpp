#include "quicksearch/windows/QtFolderPicker.h"

#include <QDir>
#include <QFileDialog>

#include "app/windows/QtText.h"
#include "platform/DriveTable.h"

namespace vellomar {

FolderPicker QtFolderPicker(const DriveTable& drives, QWidget* parent) {
    return [&drives, parent](std::string_view title) -> std::string {
        const QString chosen = QFileDialog::getExistingDirectory(
            parent, ToQString(title), QString(), QFileDialog::ShowDirsOnly);
        if (chosen.isEmpty()) return {};
        return drives.ToDriveForm(QDir::toNativeSeparators(chosen).toStdString()).value_or("");
    };
}

}  // namespace vellomar

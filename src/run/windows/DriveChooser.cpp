#include "run/windows/DriveChooser.h"

#include <QComboBox>
#include <QStyle>
#include <algorithm>
#include <optional>
#include <string>

#include "run/windows/DrawnPictures.h"

namespace vellomar {
namespace {

QString ItemText(const Drive& drive) {
    const QString letter = QString("%1:").arg(QChar(drive.letter));
    const QString label = QString::fromStdString(drive.label);
    // Where drives are folders, a drive without a label is known by its
    // folder, written as it is: folder names keep their letter case.
    const QString folder = QString::fromStdString(MountFolderOf(drive));
    const QString name = label.isEmpty() ? folder : label.toLower();
    switch (drive.kind) {
        case DriveKind::Removable: return folder.isEmpty() ? letter : letter + " [" + name + "]";
        case DriveKind::Network: return letter + " " + label;
        case DriveKind::Fixed:
        case DriveKind::CdRom:
        case DriveKind::RamDisk: break;
    }
    return letter + " [" + name + "]";
}

QIcon ItemPicture(const QStyle& style, DriveKind kind) {
    switch (kind) {
        case DriveKind::Removable: return style.standardIcon(QStyle::SP_DriveFDIcon);
        case DriveKind::CdRom: return style.standardIcon(QStyle::SP_DriveCDIcon);
        case DriveKind::Network: return style.standardIcon(QStyle::SP_DriveNetIcon);
        case DriveKind::RamDisk: return RamDiskPicture();  // no standard picture for one
        case DriveKind::Fixed: break;
    }
    return style.standardIcon(QStyle::SP_DriveHDIcon);
}

}  // namespace

void AddDriveItems(QComboBox& chooser, const DriveTable& drives) {
    for (const Drive& drive : drives.Drives()) {
        chooser.addItem(ItemPicture(*chooser.style(), drive.kind), ItemText(drive),
                        QChar(drive.letter));
    }
}

void FillDriveChooser(QComboBox& chooser, const DriveTable& drives, const FileSystem& files) {
    AddDriveItems(chooser, drives);
    const std::optional<std::string> currentFolder = files.CurrentFolder();
    const int current = currentFolder ? chooser.findData(QChar(currentFolder->front())) : -1;
    chooser.setCurrentIndex(std::max(current, 0));
}

}  // namespace vellomar

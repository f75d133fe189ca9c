#include "run/windows/MessageBox.h"

#include <QMessageBox>

namespace vellomar {

void ShowMessageBox(QWidget* parent, MessageKind kind, const QString& text) {
    switch (kind) {
        case MessageKind::Plain:
            QMessageBox(QMessageBox::NoIcon, "Vellomar", text, QMessageBox::Ok, parent).exec();
            break;
        case MessageKind::Information: QMessageBox::information(parent, "Information", text); break;
        case MessageKind::Warning: QMessageBox::warning(parent, "Warning", text); break;
        case MessageKind::Error: QMessageBox::critical(parent, "Error", text); break;
    }
}

void ShowWarningWithDetails(QWidget* parent, const QString& text, const QString& details) {
    QMessageBox box(QMessageBox::Warning, "Warning", text, QMessageBox::Ok, parent);
    box.setDetailedText(details);
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, "Confirm", question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace vellomar

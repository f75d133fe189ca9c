#include "app/windows/MessageBox.h"

#include <QMessageBox>

namespace vellomar {

void ShowMessageBox(QWidget* parent, MessageKind kind, const QString& text) {
    switch (kind) {
        case MessageKind::Plain: QMessageBox::information(parent, "Vellomar", text); break;
        case MessageKind::Information: QMessageBox::information(parent, "Information", text); break;
        case MessageKind::Warning: QMessageBox::warning(parent, "Warning", text); break;
        case MessageKind::Error: QMessageBox::critical(parent, "Error", text); break;
    }
}

}  // namespace vellomar

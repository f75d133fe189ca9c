#pragma once

#include <QString>

#include "app/MessagePrompts.h"

class QWidget;

namespace vellomar {

// A modal message box of the kind, with one OK button.
void ShowMessageBox(QWidget* parent, MessageKind kind, const QString& text);

}  // namespace vellomar

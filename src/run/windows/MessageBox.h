#pragma once

#include <QString>

#include "run/MessagePrompts.h"

class QWidget;

namespace vellomar {

// A modal message box of the kind, with one OK button; a plain one shows no icon.
void ShowMessageBox(QWidget* parent, MessageKind kind, const QString& text);

// A modal warning with one OK button whose details (behind "Show Details...")
// hold the lines of details.
void ShowWarningWithDetails(QWidget* parent, const QString& text, const QString& details);

// A modal question with the buttons "Yes" and "No"; true for "Yes". "No" is
// the default, so that Enter never agrees to what cannot be undone.
bool AskYesNo(QWidget* parent, const QString& question);

}  // namespace vellomar

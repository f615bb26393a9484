#pragma once

#include <QString>

#include "engine/message.h"

class QWidget;

namespace pf {

// Shows a message of the core as a modal box: information or exclamation with OK, or a
// question with Yes/No. Returns true when the user answered Yes (always false for boxes
// without a question). Tests replace the boxes with a recorder (SetMessageBoxHandler).
bool ShowMessage(QWidget* parent, const Message& message);

// Shows a refusal of a form model and puts the focus on the child of `root` whose
// objectName is the message's field (its text selected when it is a line edit).
void ShowRefusal(QWidget* root, const Message& message);

// A box titled `title` with `icon`, for the shell's own messages.
void ShowInformation(QWidget* parent, const QString& title, const QString& text);
void ShowExclamation(QWidget* parent, const QString& title, const QString& text);
void ShowError(QWidget* parent, const QString& title, const QString& text);  // error icon
// Yes/No/Cancel for the question to save; returns QMessageBox::StandardButton as int.
int AskYesNoCancel(QWidget* parent, const QString& title, const QString& text);

// What a test puts in place of the real boxes: receives every box (error boxes with the
// icon Exclamation) and returns the button pressed (a QMessageBox::StandardButton).
using MessageBoxHandler = int (*)(const Message& shown, int buttons);
// nullptr restores the real boxes. Returns the previous handler.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
// Whether a handler stands in for the real boxes; dialogs of their own that ask a question
// then ask it through ShowMessage, so that the test answers it.
bool MessageBoxesReplaced();

}  // namespace pf

#pragma once

#include <QString>
#include <functional>
#include <string>

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace pf {

class DesktopLauncher;

// The handbook in the desktop's browser: the help menu opens its start page, a dialog's
// "Hilfe" button the section of the dialog's window title. F1 in any dialog opens its
// section too, once a main window is registered or a help button made.

// Makes `launcher` the one that opens the handbook for `window` and every widget inside it
// (dialogs are children of the main window). Registered by the main window; a window that
// is gone drops out by itself. Widgets outside every registered window use the most recent
// window still open, else the desktop's own launcher.
void RegisterHelpLauncher(QWidget* window, DesktopLauncher* launcher);

// Opens the handbook page and section `target` ("page.html#anchor") through the launcher of
// `parent`'s window. A missing handbook or a browser that does not start is told in a box
// over `parent` (where it was searched for; "Fehler bei Aufruf des Webbrowsers!" with the
// page's path); returns whether the page went to the browser.
bool OpenHandbook(QWidget* parent, const std::string& target);

// Opens the section of `dialog`: the one SetHelpTarget gave it, else the one of its window
// title (HandbookTarget). What "Hilfe" and F1 do.
void OpenHelpFor(QDialog* dialog);

// Adds the button "Hilfe" (named "help") to `buttons`; it opens the section of `dialog`'s
// window title as it reads when pressed (a dialog may change its title while open) and
// leaves the dialog open.
void AddHelpButton(QDialogButtonBox* buttons, QDialog* dialog);

// The same for a dialog whose buttons sit in a layout of their own: a "Hilfe" button (named
// "help", never the default button) for the caller to place beside its other buttons.
QPushButton* MakeHelpButton(QDialog* dialog);

// Adds "Hilfe" to a dialog Qt builds itself (print, page setup, colour) by finding its button
// box, or to the tool bar of the print preview (an action named "help"); returns false when
// the dialog has neither (F1 still opens the section then).
bool AddHelpButtonToQtDialog(QDialog* dialog);

// Makes "Hilfe" and F1 of `dialog` open `target()` instead of the section of its title; the
// property sheet "Optionen" opens the section of the page on show this way.
void SetHelpTarget(QDialog* dialog, std::function<std::string()> target);

// The folder the handbook is read from instead of the ones beside the program (tests, the
// screenshot tool); empty restores the search.
void OverrideHandbookFolder(const QString& folder);

}  // namespace pf

#pragma once

#include <QDate>
#include <QFont>
#include <QString>

#include "model/date.h"

class QDateEdit;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QWidget;

namespace pf {

// Conversions between the core's date and Qt's.
QDate ToQDate(CQRNDatum date);
CQRNDatum FromQDate(const QDate& date);

// A date picker as the program shows dates ("dd.MM.yyyy", calendar popup), limited to the
// days a file can hold.
QDateEdit* DatePicker(QWidget* parent, const QString& objectName = {});

// A label whose mnemonic moves the focus to `buddy`.
QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent);

// The desktop's fixed-pitch font, or the first installed face that really has a fixed pitch
// when the desktop's choice does not (some monospace faces do not say so to the font
// matcher, and teletext pages and format descriptions need aligned columns).
QFont FixedPitchFont();

// A push button named `objectName` that Enter does not press (the dialog's default button
// keeps Enter).
QPushButton* NamedButton(const QString& text, const QString& objectName, QWidget* parent);

// OK and "Abbrechen", wired to the dialog's accept and reject, and "Hilfe", which opens the
// handbook at the dialog's section (AddHelpButton).
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

// Shows the wait cursor while a command runs.
class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace pf

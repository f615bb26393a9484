#pragma once

// Parts the transaction entry dialogs share: labels bound to their fields, id-carrying
// lists, the column texts of lot lists, and the OK check with its question.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <string>

#include "app/message_box.h"
#include "app/widget_parts.h"
#include "engine/holdings.h"
#include "engine/message.h"
#include "engine/number_entry.h"
#include "model/date.h"

class QComboBox;
class QLabel;
class QTreeWidget;
class QWidget;

namespace pf {

class CFolari2Doc;

// The id stored with the chosen entry, -1 when none is chosen.
int32_t ChosenId(const QComboBox* box);
// Chooses the entry with `id` (none when it is not listed) without telling anyone.
void ChooseQuietly(QComboBox* box, int32_t id);

// The currency's name, empty for an unknown id.
QString CurrencyName(const CFolari2Doc& doc, int32_t id);

// The decimals a price needs between 2 and 7: the fewest that keep its value at 7 decimals.
int PriceDecimals(Price price);
// The decimals of a canonical quantity text ("1.234,5" has 1).
int QuantityDecimals(const std::string& text, const NumberFormat& format);
// A quantity with exactly `decimals` decimals, so that a column lines up.
std::string PaddedQuantity(Quantity q, const NumberFormat& format, int decimals);

// The lot list of the sale and the exchange: "Pos." (list index + 1, the position number
// stored with the row), purchase date, price with the decimals the longest one needs, its
// currency, pieces, the pieces chosen and the text; numbers right-aligned.
inline constexpr int kLotQuantityColumn = 4;
inline constexpr int kLotSelectedColumn = 5;
void FillLotList(QTreeWidget* list, const CFolari2Doc& doc, const PositionList& lots);

// Shows what the form's OK check says: a refusal keeps the dialog open (false), a question
// goes on only with Yes.
template <class Form>
bool CheckAndAsk(QWidget* dialog, const Form& form, const CFolari2Doc& doc) {
    if (const MaybeMessage m = form.Check(doc)) {
        if (!m->IsQuestion()) {
            ShowRefusal(dialog, *m);
            return false;
        }
        if (!ShowMessage(dialog, *m)) return false;
    }
    return true;
}

// Opens the entry dialog on a new transaction (id < 0) or on transaction `id`; the id of
// what OK entered, -1 after Abbrechen.
template <class Dialog, class Form>
int32_t RunEntryDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    Dialog dialog(doc, id < 0 ? Form::New(doc, today) : Form::ForEdit(doc, id, today), parent);
    return dialog.exec() == QDialog::Accepted ? dialog.TransactionId() : -1;
}

}  // namespace pf

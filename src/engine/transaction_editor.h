#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "engine/message.h"
#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;
struct CFL2Transaktion;

inline constexpr const char* kTransactionEditorTitle = "Transaktions-Editor";

// --- Deleting -----------------------------------------------------------------------------
// Two steps: CheckDelete returns either a refusal (information icon) or the Yes/No question;
// after Yes the caller runs DeleteTransaction.

// The refusal of deleting transaction `id` under the rules that keep the other transactions
// consistent (no transaction may lose a lot it refers to), titled `title`; else the
// question "Möchten Sie diese Transaktion wirklich löschen?". nullopt for an unknown id.
MaybeMessage CheckDelete(const CFolari2Doc& doc, int32_t id, const std::string& title);

// Removes transaction `id` unless the rules refuse it; rebuilds the split lists and marks
// the document modified. Stop and target entries of a deleted purchase stay. Returns whether
// it deleted.
bool DeleteTransaction(CFolari2Doc& doc, int32_t id);

// "&Löschen" as a form model (see engine/form_model.h): Check gives the refusal or the
// question, Apply deletes after Yes.
struct TransactionDeleteForm {
    int32_t id = -1;  // the selected transaction
    std::string title = kTransactionEditorTitle;

    MaybeMessage Check(const CFolari2Doc& doc) const { return CheckDelete(doc, id, title); }
    // Whether the transaction was deleted.
    bool Apply(CFolari2Doc& doc) const { return DeleteTransaction(doc, id); }
};

// --- List ---------------------------------------------------------------------------------

// The column "Vorgang/Wertpapier", also used by the transaction reports:
//   purchase, sale: "Name - 10 St. zu 12,50 EUR-name" (quantity in its canonical form, price
//                   with 2 to 7 decimals, the name of currency 1);
//   split:          "Name - 10:1" (new pieces : old pieces);
//   exchange:       "Source (3 St.) > Target (2 St.)";
//   movement:       the kind's name, followed by " - " + security name when it is linked.
// Numbers use the document's separators; a missing security, currency or kind gives an
// empty name.
std::string TransactionDescription(const CFolari2Doc& doc, const CFL2Transaktion& t);

// One row of the editor list.
struct EditorRow {
    std::string date;         // "Datum", "05.03.2011"
    std::string type;         // "Transaktion": "Kauf", "Verkauf", "Kontobewegung", ...
    std::string description;  // "Vorgang/Wertpapier"
    std::string text;         // "Text"
    std::string amount;       // "Betrag", 2 decimals; empty for splits and exchanges
    std::string currency;     // "W.", name of currency 2; empty for splits and exchanges
    int32_t transactionId = -1;

    bool operator==(const EditorRow&) const = default;
};

// Every transaction with from <= date <= to, in list order.
std::vector<EditorRow> EditorRows(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to);

struct EditorPeriod {
    CQRNDatum from;
    CQRNDatum to;
};
// The first and the last day of the month of `today`.
EditorPeriod DefaultEditorPeriod(CQRNDatum today);

// The row to select after a refresh and the buttons that depend on it.
struct EditorSelection {
    int row = -1;                // index into the rows; -1 = none
    bool editEnabled = false;    // "B&earbeiten..."
    bool deleteEnabled = false;  // "&Löschen"
};
// Selects the row of `selectId` (-1 = none); both buttons are enabled only when it is listed.
EditorSelection SelectEditorRow(const std::vector<EditorRow>& rows, int32_t selectId);

// --- Limits of the edit dialogs -------------------------------------------------------------

// What the purchase dialog allows when editing purchase `purchaseId`, from the transactions
// that take pieces from its lot (sales, exchanges) or are allocated to it (movements).
struct PurchaseLimits {
    // The latest purchase date that keeps every such transaction after the purchase: the
    // earliest of their dates, the day before an exchange (exchanges are replayed before
    // purchases of the same day), and the day before a split of the security that lies
    // after the purchase and not after that date (crossing it would change the lot's pieces
    // that those transactions took). nullopt = no limit.
    std::optional<CQRNDatum> latestDate;
    // Pieces taken from the lot by sales and exchanges, in the units of the purchase (a
    // quantity taken after a split of the security is divided by the split ratios since the
    // purchase, rounded up to the unit).
    Quantity takenQuantity = 0;
    // takenQuantity + 1 unit when 0 < takenQuantity < purchase quantity (the lot must keep
    // a remainder so that those partial takings stay partial); 0 = no minimum.
    Quantity minimumQuantity = 0;
    // The quantity field is disabled: everything was taken, or a movement is allocated to
    // the lot.
    bool quantityLocked = false;
};
// All limits empty for an unknown id or a transaction that is no purchase.
PurchaseLimits PurchaseEditLimits(const CFolari2Doc& doc, int32_t purchaseId);

// Whether the lot list, the oldest-first box and the distribute button of the sale dialog
// stay disabled while sale `saleId` is edited: an account movement is allocated to one of
// its sold pieces, or to one of its source lots with a date after the sale.
bool SaleLotsLocked(const CFolari2Doc& doc, int32_t saleId);

// The per-lot quantities of a sale, exchange or movement (source number -> quantity), which
// its edit dialog offers as the manual selection.
std::map<int32_t, Quantity> EarlierSelection(const CFL2Transaktion& t);

}  // namespace pf

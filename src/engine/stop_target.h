#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "engine/holdings.h"
#include "engine/message.h"
#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

// Stop and target prices belong to a position number (CFolari2Doc::stopTargets, at most one
// entry per number is intended). A price <= 0 means "none"; a number without an entry has
// stop 0 and target 0.

// Sets the price of the last entry with that number (the one StopOf/TargetOf read), or
// appends an entry with this price and 0 for the other one. Marks the document modified.
void SetStop(CFolari2Doc& doc, int32_t positionNo, Price price);
void SetTarget(CFolari2Doc& doc, int32_t positionNo, Price price);

// The price of the last entry with that number, else 0.
Price StopOf(const CFolari2Doc& doc, int32_t positionNo);
Price TargetOf(const CFolari2Doc& doc, int32_t positionNo);

// The quote has fallen to the stop: stop > 0 and quote <= stop.
bool StopReached(const CFL2DepotPos& lot, Price quote);
// The quote has risen to the target and the stop is not reached (a lot that reached both
// counts as stop reached only): target > 0 and quote >= target.
bool TargetReached(const CFL2DepotPos& lot, Price quote);

// --- Dialog "Stopp- und Zielkurse" ---

inline constexpr const char* kStopTargetTitle = "Stopp- und Zielkurse";
// Focus fields of its messages.
inline constexpr const char* kStopField = "stop";
inline constexpr const char* kTargetField = "target";

// The "Sortierung" choices, in the order of the list ("Bezeichnung", "WKN", "Kaufdatum").
enum class StopTargetOrder : int { Name = 0, Wkn = 1, PurchaseDate = 2 };

// One row of the list: an Open lot.
struct StopTargetRow {
    int32_t positionNo = -1;
    int32_t securityId = -1;
    std::string name;          // "Bezeichnung"; empty when the security is missing
    std::string wkn;           // "WKN"
    std::string purchaseDate;  // "Kauf", "05.03.2011"
    Quantity quantity = 0;     // "Stück"
    Price price = 0.0;         // "Kaufkurs", in the purchase's currency 1
    Price quote = 0.0;         // "Kurs" at the quote date, split-adjusted to it; 0 = no quote
    Price stopPrice = 0.0;     // <= 0 = none
    Price targetPrice = 0.0;

    bool operator==(const StopTargetRow&) const = default;
};

// The rows: every Open lot after replaying all transactions (base currency), in the chosen
// order, with the quote of its security at `quoteDate`.
std::vector<StopTargetRow> StopTargetRows(const CFolari2Doc& doc, StopTargetOrder order,
                                          CQRNDatum quoteDate);

// Text of a price field for a selected row: empty for a price <= 0, else the price with 2 to
// 7 decimals and the document's separators.
std::string StopTargetFieldText(const CFolari2Doc& doc, Price price);

// What a price field shows after the user leaves it: empty when the text is a valid price
// <= 0 ("0", "0,00"), otherwise the text unchanged (a wrong text is reported on
// "Übernehmen", not here).
std::string StopTargetFieldOnLeave(const CFolari2Doc& doc, const std::string& text);

// The two fields and the check box "für alle Positionen dieses Wertpapiers".
struct StopTargetInput {
    std::string stopText;
    std::string targetText;
    bool forAllLotsOfSecurity = false;
};

struct StopTargetApplied {
    MaybeMessage message;              // the refusal; nothing was stored
    std::vector<int32_t> positionNos;  // the numbers whose prices were stored
};

// "Übernehmen" for the selected row's position number. A field holding nothing but blanks
// is empty and means 0; a valid price <= 0 also means 0. A field that is not a number is
// refused (stop field first) and nothing is stored. Otherwise both prices are stored for
// the selected number, or with the check box for every Open lot of the selected lot's
// security (all transactions replayed; sold and exchanged-out lots keep their prices), and
// the document is marked modified. A negative `positionNo` (no selection) stores nothing.
StopTargetApplied ApplyStopTarget(CFolari2Doc& doc, int32_t positionNo,
                                  const StopTargetInput& input);

// The dialog as a form model (see engine/form_model.h): the list's order and quote date,
// the selected row and the two fields with the check box.
struct StopTargetForm {
    StopTargetOrder order = StopTargetOrder::Name;  // "&Sortierung"
    CQRNDatum quoteDate;                            // "&Kursdatum", today when the dialog opens
    int32_t positionNo = -1;                        // the selected row's number; -1 = none
    StopTargetInput input;

    std::vector<StopTargetRow> Rows(const CFolari2Doc& doc) const;
    // Selecting a row: its number, its prices in the fields (StopTargetFieldText), the check
    // box cleared.
    void Select(const CFolari2Doc& doc, const StopTargetRow& row);

    // "Ü&bernehmen": a stop field, then a target field, that is neither empty nor a number,
    // title "Stopp- und Zielkurse". Nothing to check without a selection.
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // ApplyStopTarget for the selection; returns the position numbers whose prices were
    // stored (none while Check refuses or nothing is selected).
    std::vector<int32_t> Apply(CFolari2Doc& doc) const;
};

}  // namespace pf

#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/holdings.h"
#include "engine/message.h"
#include "engine/position_queries.h"
#include "model/date.h"
#include "model/rounding.h"
#include "model/transaction.h"

namespace pf {

class CFolari2Doc;

// --- Document side: storing a movement ---

// The values of a movement as the document stores them (after the dialog's checks).
struct MovementFields {
    CQRNDatum date;
    int32_t kindId = -1;     // a CFL2KontoVorgang id; its flags are copied into the movement
    Amount amount = 0.0;     // positive as entered, 2 decimals
    int32_t currencyId = 0;  // currency 2 (a fixed-rate currency)
    std::string text;
    bool linked = false;                 // "Bezug zu Wertpapier herstellen"
    int32_t securityId = -1;             // the linked security; ignored when not linked
    int32_t allocKind = kPurchaseCosts;  // AllocationKind
};

// Adds an account movement with id nextTransactionId. Linked to a security (id not -1), it
// gets one allocation item per lot of that security in `lots` with selectedQuantity > 0, in
// list order (the lot's number as source and new number), and the sum of those quantities
// as its quantity; otherwise its security id is -1, with no items and quantity 0. Inserted
// in sorted order; split lists rebuilt; the date is remembered for the next transaction
// dialog; the document is marked modified. Returns the new id, or -1 without a change when
// the kind does not exist.
int32_t AddMovement(CFolari2Doc& doc, const MovementFields& fields, const PositionList& lots);

// Overwrites the movement `id` with `fields` (allocations rebuilt from `lots` as above),
// keeping its id, and puts it back at its sorted place. Returns false without a change when
// `id` is not an account movement or the kind does not exist. The remembered date is left
// alone.
bool ChangeMovement(CFolari2Doc& doc, int32_t id, const MovementFields& fields,
                    const PositionList& lots);

// --- Dialog "Kontobewegung": lots and allocation ---

// All lots that may receive an allocation from a movement dated `date`: transactions up to
// `date`, sales on `date` itself left out, amounts in the base currency, and the movement
// being edited (`excludedTransactionId`, -1 for a new one) left out.
PositionList MovementHoldings(const CFolari2Doc& doc, CQRNDatum date,
                              int32_t excludedTransactionId = -1);

// "Bezug zu Wertpapier herstellen" is enabled when the kind allows a link and `holdings`
// is not empty.
bool LinkEnabled(const CFolari2Doc& doc, int32_t kindId, const PositionList& holdings);

// The lots of `securityId` listed for allocation: every lot but the exchanged-out pieces,
// in list order.
PositionList AllocationLots(const PositionList& holdings, int32_t securityId);
// The same from a fresh computation on `date`.
PositionList AllocationLots(const CFolari2Doc& doc, CQRNDatum date, int32_t securityId,
                            int32_t excludedTransactionId = -1);

// The pieces of the Open lots among `lots`.
Quantity OpenTotal(const PositionList& lots);

// Quantities the user entered in the "Zuordnen" walk while the dialog is open, by position
// number.
using ManualAllocation = std::map<int32_t, Quantity>;

// Stores an entry of the "Zuordnen" walk for `lot`, cut to the lot's quantity (and to 0
// from below).
void RememberAllocation(ManualAllocation& manual, const CFL2DepotPos& lot, Quantity entered);

// One step of the "Zuordnen" walk (title "Zuordnen", focus field "pieces"): `entry` read as
// a quantity with the document's separators and stored for `lot` as RememberAllocation does
// (cut to the lot's quantity). An entry that is not a quantity (also an empty one) leaves
// `manual` alone and gives "Bitte geben Sie eine korrekte Stückzahl ein!".
inline constexpr const char* kAllocationTitle = "Zuordnen";
inline constexpr const char* kAllocationPiecesField = "pieces";
MaybeMessage EnterAllocation(const CFolari2Doc& doc, ManualAllocation& manual,
                             const CFL2DepotPos& lot, std::string_view entry);

// Automatic allocation applies when "automatisch zuordnen" is on or fewer than 2 lots are
// listed; the "zuordnen..." button is enabled otherwise.
bool UsesAutomaticAllocation(bool automaticMode, const PositionList& lots);

// Sets selectedQuantity on every lot: an Open lot gets its whole quantity; a Sold lot gets
// 0 while the open total is positive, else its whole quantity (a security that is sold out
// takes the movement on its sold lots).
void AutoAllocate(PositionList& lots);

// Sets selectedQuantity on every lot from the remembered entries, each cut to the lot's
// quantity; a lot without an entry gets -1 (none).
void ManualAllocate(PositionList& lots, const ManualAllocation& manual);

// AutoAllocate or ManualAllocate, as UsesAutomaticAllocation decides.
void Allocate(PositionList& lots, bool automaticMode, const ManualAllocation& manual);

// One row of the allocation list.
struct AllocationRow {
    std::string number;        // "Pos.": 1, 2, ... in list order
    std::string purchaseDate;  // "Kaufdatum"
    std::string saleDate;      // "Verkaufdatum", "-" for an Open lot
    std::string quantity;      // "Stück"
    std::string allocated;     // "Zuordnung"; empty when nothing is selected
    std::string text;          // the sale text of a Sold lot, else the purchase text
    int32_t positionNo = -1;
};
std::vector<AllocationRow> AllocationRows(const CFolari2Doc& doc, const PositionList& lots);

// --- Dialog "Kontobewegung": messages and calculation line (form: engine/movement_form.h) ---

inline constexpr const char* kMovementTitle = "Kontobewegung";
// Focus fields of its messages.
inline constexpr const char* kMovementKindField = "kind";
inline constexpr const char* kMovementCurrencyField = "currency";
inline constexpr const char* kMovementAmountField = "amount";
inline constexpr const char* kMovementNameField = "name";
inline constexpr const char* kMovementCodeField = "code";
inline constexpr const char* kMovementAllocateField = "allocate";  // "zuordnen..."

// The calculation line: the amount (negated for an outflow kind) with 2 decimals and the
// currency name; when the account currency on `date` is another one, " > " and the amount
// converted into it with the fixed factors (0 when that is not possible) and its name. An
// amount text that is not valid counts as 0.
std::string MovementCalculationLine(const CFolari2Doc& doc, CQRNDatum date, int32_t kindId,
                                    int32_t currencyId, std::string_view amountText);

}  // namespace pf

#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/holdings.h"
#include "engine/message.h"
#include "engine/number_entry.h"
#include "engine/position_queries.h"
#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;
struct CFL2Transaktion;

// Whether `t` is a transaction "with" the security, as the split rules see it: a purchase,
// sale or exchange of it, an exchange into it (its new lots enter the depot there, so a
// split must not lie on or before that day), or an account movement linked to it. Splits
// never count.
bool ConcernsSecurity(const CFL2Transaktion& t, int32_t securityId);

// ---------------------------------------------------------------------------------------
// Lot selection shared by the sale and the exchange dialog. The dialog keeps the lots of
// the last computation; "quantity" is the sold or exchanged quantity as entered.

// Available total when no security is chosen: large enough never to cut an entry.
inline constexpr Quantity kUnlimitedAvailable = 9'999'999'999'999'999;

// The lots that can be sold or exchanged on `date`: every lot open on that day, with the
// quantity and price it had then (reference-mode replay of all transactions, base currency
// 0), leaving out `excludedTransactionId` (the transaction being edited, -1 = none) so that
// its lots are offered again.
PositionList SellableLots(const CFolari2Doc& doc, CQRNDatum date,
                          int32_t excludedTransactionId = -1);

// Indexes into `lots` of the lots of one security, in list order (the rows of the lot list;
// row i shows "Pos." i + 1).
std::vector<size_t> LotsOfSecurity(const PositionList& lots, int32_t securityId);

// Sum of the quantities of the security's lots; kUnlimitedAvailable for securityId -1.
Quantity AvailableTotal(const PositionList& lots, int32_t securityId);

// Oldest first: walks the security's lots in list order and gives each min(remaining, lot
// quantity), remaining starting at `quantity` (lots after the quantity is used up get 0).
// Lots of other securities are not touched.
void SelectOldestFirst(PositionList& lots, int32_t securityId, Quantity quantity);

// Manual choice: each lot of the security gets the quantity remembered for its position
// number (-1 = none when nothing is remembered), cut to the lot's quantity and so that the
// running sum of the selections does not exceed `quantity`.
void SelectManually(PositionList& lots, int32_t securityId, Quantity quantity,
                    const std::map<int32_t, Quantity>& remembered);

// What the dialog shows after a refresh of the lot list.
struct LotSelection {
    Quantity quantity = 0;            // the entered quantity, lowered to the available total
    size_t lotCount = 0;              // lots of the chosen security
    bool listEnabled = false;         // a security is chosen
    bool oldestFirstEnabled = false;  // the "älteste Positionen ..." check box: 2 lots or more
    bool distributeEnabled = false;   // "a&ufteilen...": 2 lots or more, oldest first off
};

// One refresh: oldest first when `oldestFirst` is on or the security has a single lot, else
// the manual choice from `remembered`. `entered` is the parsed quantity (0 when the field
// does not parse). With securityId -1 nothing is selected and everything is disabled.
LotSelection RefreshLotSelection(PositionList& lots, int32_t securityId, Quantity entered,
                                 bool oldestFirst, const std::map<int32_t, Quantity>& remembered);

// The entry bounds of one step of "Aufteilen": with R the quantity still to distribute
// (the entered quantity less what earlier steps stored) and T the total of this and the
// following lots, max = min(R, lot quantity) and min = R - (T - lot quantity) if positive,
// else 0.
struct QuantityBounds {
    Quantity min = 0;
    Quantity max = 0;

    bool operator==(const QuantityBounds&) const = default;
};
QuantityBounds DistributeBounds(Quantity remaining, Quantity availableTotal, Quantity lotQuantity);
// An entry below the minimum becomes the minimum, one above the maximum the maximum.
Quantity ClampToBounds(Quantity entry, QuantityBounds bounds);
// "mindestens 2 Stück\nhöchstens 10 Stück", quantities in their canonical form.
std::string DistributeBoundsText(QuantityBounds bounds, const NumberFormat& format);

// The latest date of an account movement with an allocation item for `positionNo` whose
// allocated quantity is strictly greater than `quantity`; nullopt when there is none. A
// lot that keeps only `quantity` pieces cannot leave the depot before that date.
std::optional<CQRNDatum> LatestAllocationDate(const CFolari2Doc& doc, int32_t positionNo,
                                              Quantity quantity);

// The first selected lot (selectedQuantity > 0) of the security, in list order, that an
// account movement still needs after the pieces leave: LatestAllocationDate(lot number, lot
// quantity - selected) lies after `date`, or on it when `sameDayBlocks` (an exchange sorts
// before the movements of its day, a sale after them). `listPosition` is the lot's "Pos."
// in the list (1 = first lot of the security), so the message names the row the user sees.
struct AllocationConflict {
    int listPosition = 0;
    CQRNDatum latestDate;
};
std::optional<AllocationConflict> FindAllocationConflict(const CFolari2Doc& doc,
                                                         const PositionList& lots,
                                                         int32_t securityId, CQRNDatum date,
                                                         bool sameDayBlocks);

// ---------------------------------------------------------------------------------------
// Stock split ("Aktiensplit")

// The values of the split dialog. The ratio is newPieces / oldPieces.
struct SplitFields {
    CQRNDatum date;
    int32_t securityId = -1;
    Quantity newPieces = 0;  // "&neue Aktien für"
    Quantity oldPieces = 0;  // "&alte Aktie(n)"
    std::string text;
    // "all&e Wertpapierkurse vor dem Splitdatum dauerhaft anpassen" (read by AddSplit only)
    bool permanent = false;
};

// Adds the split and returns its id; -1 (nothing changed) for an unknown security or pieces
// <= 0. A permanent split divides every stored quote of the security dated before the split
// once, RoundTo(quote / ratio, roundDecimals) with roundDecimals taken from 0 to 15. Remembers
// the date for the next transaction dialog.
int32_t AddSplit(CFolari2Doc& doc, const SplitFields& fields, int roundDecimals);

// Takes the dialog's values into split `id`; false (nothing changed) for an unknown id, a
// transaction that is no split, an unknown security or pieces <= 0. `makePermanent` (the
// dialog asked for the permanent adjustment) sets the permanent flag and divides the quotes
// before the (new) date as AddSplit does; `fields.permanent` is not read. A split that is
// already permanent stays so, and since its security's quotes were divided by its ratio
// before its date, only its text can change: its date, security and pieces are kept, and
// the quotes are never divided a second time.
bool ChangeSplit(CFolari2Doc& doc, int32_t id, const SplitFields& fields, bool makePermanent,
                 int roundDecimals);

// ---------------------------------------------------------------------------------------
// Exchange ("Umtausch")

// The values of the exchange dialog.
struct ExchangeFields {
    CQRNDatum date;
    int32_t sourceSecurityId = -1;  // "von Bezeichnung"
    Quantity oldPieces = 0;         // "&Stück alt"
    int32_t targetSecurityId = -1;  // "i&n Bezeichnung"
    Quantity newPieces = 0;         // "Stü&ck neu"
    bool keepPurchaseDate = false;  // "u&rsprüngliches Kaufdatum beibehalten"
    std::string text;
};

// Adds the exchange and returns its id: one allocation item per lot of the source security
// in `lots` with selectedQuantity > 0, in list order, each taking the next two position
// numbers (n for the new lot, n + 1 for the exchanged-out piece). Remembers the date.
int32_t AddExchange(CFolari2Doc& doc, const ExchangeFields& fields, const PositionList& lots);

// Takes the values into exchange `id` and rebuilds its items from `lots` as AddExchange
// does, except that while the source security is unchanged an item for a source lot that
// the old list already had keeps its new number (references to the new lot stay valid).
// False (nothing changed) for an unknown id or a transaction that is no exchange.
bool ChangeExchange(CFolari2Doc& doc, int32_t id, const ExchangeFields& fields,
                    const PositionList& lots);

// The last OK checks of the exchange dialog (ExchangeForm runs them after the fields),
// titled "Umtausch": the old pieces against the lots of the source and their selection in
// `lots`. More old pieces than available ("oldPieces"); a selected lot that an account
// movement dated on or after the exchange still needs (FindAllocationConflict with
// sameDayBlocks; "date"); then accepted when the selections add up to the old pieces, else a
// correct quantity is asked for (a single lot or oldest first; "oldPieces") or the pieces are
// to be distributed ("distribute").
MaybeMessage CheckExchangeSelection(const CFolari2Doc& doc, const PositionList& lots,
                                    const ExchangeFields& fields, bool oldestFirst);

}  // namespace pf

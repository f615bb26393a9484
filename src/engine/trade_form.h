#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "engine/form_model.h"
#include "engine/holdings.h"
#include "engine/split_exchange.h"
#include "engine/trade_entry.h"
#include "model/currency.h"
#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

// --- Dialogs "Kauf" and "Verkauf" (form models, see engine/form_model.h) ---

inline constexpr const char* kPurchaseTitle = "Kauf";
inline constexpr const char* kSaleTitle = "Verkauf";

// Focus fields of their messages.
inline constexpr const char* kTradeDateField = "date";
inline constexpr const char* kTradeNameField = "name";
inline constexpr const char* kTradeCodeField = "code";
inline constexpr const char* kTradeQuantityField = "quantity";
inline constexpr const char* kTradePriceField = "price";
inline constexpr const char* kTradeCommission1Field = "commission1";
inline constexpr const char* kTradeCurrency1Field = "currency1";
inline constexpr const char* kTradeRateBaseField = "rateBase";
inline constexpr const char* kTradeRateQuoteField = "rateQuote";
inline constexpr const char* kTradeCurrency2Field = "currency2";
inline constexpr const char* kTradeCommission2Field = "commission2";
inline constexpr const char* kTradeStopField = "stop";
inline constexpr const char* kTradeTargetField = "target";
inline constexpr const char* kTradeDistributeField = "distribute";  // "a&ufteilen..."

// The fields both dialogs have, as the user left them.
//
// What the dialogs lock is taken from the rule, not from the text: with currency 1 equal to
// currency 2, commission 1 is 0 and the rate pair 1 : 1; with a fixed-rate currency 1 the
// rate pair is its fixed factors (DefaultRatePair). The texts of locked fields are ignored.
struct TradeEntry {
    CQRNDatum date;
    std::string quantity;                 // "Stück"
    std::string price;                    // "Kaufkurs" / "Verkaufkurs", in currency 1
    std::string commission1 = "0,00";     // "Provis.+&C.+S.", in currency 1; sums with "+"
    int32_t currency1 = kBaseCurrencyId;  // "Wä&hrung 1"; -1 = none chosen
    std::string rateBase = "1,00";        // "De&visenkurs": currency 1 ...
    std::string rateQuote = "1,00";       // ... = currency 2
    int32_t currency2 = kBaseCurrencyId;  // "Wäh&rung 2", a fixed-rate currency; -1 = none
    std::string commission2 = "0,00";     // "Provision+Courtage+Spesen", in currency 2
    std::string text;

    // The calculation line under the fields (TradeCalculationLine); a text that does not
    // parse counts as 0, a currency that is not chosen as the base currency.
    std::string CalculationLine(const CFolari2Doc& doc, bool sale) const;
};

// Dialog "Kauf": a new purchase, or the purchase `editedId`.
struct PurchaseForm : TradeEntry {
    std::string name;    // "Bezeichnung", editable: typed or chosen
    std::string code;    // "WKN"
    std::string stop;    // "St&oppkurs", empty = none
    std::string target;  // "&Zielkurs", empty = none
    int32_t editedId = -1;

    // A new purchase on the date a new transaction starts with (CFolari2Doc::
    // NewTransactionDate), both currencies the base currency.
    static PurchaseForm New(const CFolari2Doc& doc, CQRNDatum today);
    // The purchase `id` with all its values, its stop and target price (shown when > 0);
    // a new form when `id` is not a purchase.
    static PurchaseForm ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today);

    // The OK order, title "Kauf":
    //  0. an edited purchase dated after the latest date its lot's later users allow
    //     (PurchaseEditLimits; the date picker stops there, so only a form filled
    //     elsewhere can get here);
    //  1. name empty; 2. code empty; 3. no security with exactly this name and code;
    //  4. the checks both dialogs share (below), purchase wording;
    //  5. a stop price that is not empty and no valid price; 6. the same for the target.
    // An edited purchase whose later sales took part of its lot has a minimum quantity: a
    // smaller entry counts as that minimum. When every piece was taken or a movement is
    // allocated to the lot, the quantity field is locked and the stored quantity counts.
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // AddPurchase or ChangePurchase with the checked values; returns the id, or -1 without
    // a change while Check refuses.
    int32_t Apply(CFolari2Doc& doc) const;
    // The values Apply stores, or nullopt while Check refuses.
    std::optional<TradeFields> Values(const CFolari2Doc& doc) const;
};

// Dialog "Verkauf": a new sale, or the sale `editedId`. The lots that can be sold are those
// of SellableLots(doc, date, editedId); which of them give the pieces follows the oldest-
// first box or the quantities of the "Aufteilen" walk (RefreshLotSelection).
struct SaleForm : TradeEntry {
    // The security chosen in the name box and in the code box (linked drop-down lists of
    // the securities with sellable lots; the name box counts); -1 = none.
    int32_t nameSecurityId = -1;
    int32_t codeSecurityId = -1;
    bool oldestFirst = false;  // "ält&este Positionen verkaufen"
    // The pieces per lot (position number) stored by the "Aufteilen" walk while the dialog
    // is open; an edited sale starts with its earlier allocation.
    std::map<int32_t, Quantity> distributed;
    int32_t editedId = -1;

    static SaleForm New(const CFolari2Doc& doc, CQRNDatum today);
    // The sale `id` with its values and its earlier allocation; a new form when `id` is not
    // a sale.
    static SaleForm ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today);

    // The lots of the chosen security on the date, with the selection the list shows.
    PositionList Lots(const CFolari2Doc& doc) const;
    // What the dialog shows around the list: the quantity lowered to what the lots hold,
    // and which of the list, the oldest-first box and "aufteilen..." are enabled.
    LotSelection Selection(const CFolari2Doc& doc) const;
    // Whether the lot list, the oldest-first box and "aufteilen..." stay disabled: an
    // account movement refers to the edited sale's pieces (SaleLotsLocked). The earlier
    // allocation then counts whatever the oldest-first box says.
    bool LotsLocked(const CFolari2Doc& doc) const;

    // The OK order, title "Verkauf":
    //  1. no sellable lot of any security on the date (date);
    //  2. no name chosen; no code chosen;
    //  3. the checks both dialogs share, sale wording;
    //  4. more pieces than the security's lots hold (quantity);
    //  5. a selected lot that an account movement dated after the sale still needs:
    //     "Position k kann frühestens am ... verkauft werden, ..." (date);
    //  6. the selection adds up to the quantity: accepted;
    //  7. 2 lots or more and oldest first off: distribute ("aufteilen...");
    //  8. else "Bitte geben Sie eine korrekte Stückzahl ein!" (quantity).
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // AddSale or ChangeSale with the checked values and the selected lots; returns the id,
    // or -1 without a change while Check refuses.
    int32_t Apply(CFolari2Doc& doc) const;
};

// The checks both dialogs share, in this order (title "Kauf" or "Verkauf"):
//  1. currency 1 or currency 2 not chosen (or not one the box offers): "Bitte wählen Sie
//     eine Währung aus!" (the box without a choice);
//  2. quantity not a quantity: "Bitte geben Sie eine korrekte Stückzahl an!"; <= 0: "Bitte
//     geben Sie eine Stückzahl größer Null an!";
//  3. price invalid: "Bitte geben Sie einen korrekten Kaufkurs ein!" / "... Verkaufkurs ...";
//  4. currencies differ and commission 1 invalid: "Bitte geben Sie einen Wert für Provision,
//     Courtage und Spesen ein!" (commission 1);
//  5. rate pair not fixed: rate base invalid, then rate quote invalid: "Bitte geben Sie
//     einen Devisenkurs ein!";
//  6. rate pair not fixed and a rate that is 0 (x 10,000,000 truncates to 0): "Bitte geben
//     Sie einen Wert größer Null an!" (rate quote when rate base is not 0, else rate base);
//  7. commission 2 invalid: the commission message (commission 2).
// `minimumQuantity` > 0 raises a smaller entry to it; `lockedQuantity` > 0 replaces the
// entry. On success `out` holds the values with the amounts worked out.
MaybeMessage CheckTradeEntry(const CFolari2Doc& doc, const TradeEntry& entry, bool sale,
                             Quantity minimumQuantity, Quantity lockedQuantity, TradeFields& out);

}  // namespace pf

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/message.h"

namespace pf {

class CFolari2Doc;

// --- Dialog "Transaktionsfilter" ---

inline constexpr const char* kTransactionFilterTitle = "Transaktionsfilter";
// Focus fields of the refusals.
inline constexpr const char* kFilterTradesTextField = "tradesText";
inline constexpr const char* kFilterTradesFromField = "tradesAmountFrom";
inline constexpr const char* kFilterTradesToField = "tradesAmountTo";
inline constexpr const char* kFilterMovementsTextField = "movementsText";
inline constexpr const char* kFilterMovementsFromField = "movementsAmountFrom";
inline constexpr const char* kFilterMovementsToField = "movementsAmountTo";
inline constexpr const char* kFilterCorporateTextField = "corporateText";

// The match modes in the order of their boxes; the index is the stored FilterTextMatch.
std::vector<std::string> FilterTextMatchNames();

// The filter of the transaction reports as the dialog shows it. Amounts stay text until
// Check and ApplyTo read them (sum syntax "4,90+1,50", the document's separators).
struct TransactionFilterForm {
    struct TextCondition {
        bool active = false;
        int32_t match = 0;  // FilterTextMatch
        std::string text;
    };
    struct AmountCondition {
        bool active = false;
        std::string from;
        std::string to;
        int32_t currencyId = 0;
    };
    // A row of the securities list: name + " (" + WKN + ")" with its tick and the four
    // attributes that the choices match.
    struct SecurityRow {
        int32_t id = -1;
        std::string label;
        bool checked = false;
        std::string type, sector, country, index;
    };
    // A row of the movement kinds of "nur ausgewählte Vorgänge".
    struct KindRow {
        int32_t id = -1;
        std::string name;
        bool checked = false;
    };
    // A currency of the amount boxes.
    struct CurrencyRow {
        int32_t id = -1;
        std::string name;
    };
    // An entry of the box beside "Auswählen"/"Abwählen". `attribute` -1 is "Alle
    // Wertpapiere"; 0 to 3 are "Typ", "Branche", "Land", "Index/Marktsegment" with `value`
    // ("" for the securities without an entry).
    struct Choice {
        std::string label;
        int attribute = -1;
        std::string value;
    };

    // Purchases and sales.
    bool showPurchases = true;
    bool showSales = true;
    bool tradesOnlySelected = false;
    TextCondition tradesText;
    AmountCondition tradesAmount;
    // Account movements.
    bool showMovements = true;
    bool movementsOnlySelected = false;
    bool movementsOnlySelectedKinds = false;
    std::vector<KindRow> kinds;  // the document's kinds in its order
    TextCondition movementsText;
    AmountCondition movementsAmount;
    // Splits and exchanges.
    bool showSplits = true;
    bool showExchanges = true;
    bool corporateOnlySelected = false;
    TextCondition corporateText;

    std::vector<SecurityRow> securities;  // the document's securities in its order
    std::vector<Choice> choices;
    std::vector<CurrencyRow> currencies;  // the document's currencies in its order

    static TransactionFilterForm FromDocument(const CFolari2Doc& doc);

    // Enable rules: a group's conditions follow its show boxes, a condition's fields its
    // own box.
    bool TradesEnabled() const { return showPurchases || showSales; }
    bool MovementsEnabled() const { return showMovements; }
    bool CorporateEnabled() const { return showSplits || showExchanges; }
    bool KindsEnabled() const { return showMovements && movementsOnlySelectedKinds; }

    // Ticks (`check`) or unticks every security that matches `choices[choice]`; an index
    // out of range does nothing.
    void Choose(size_t choice, bool check);

    // The first refusal in the order of the dialog: a text the file cannot store, then an
    // amount that is not a valid sum in a condition that is switched on ("Bitte geben Sie
    // einen korrekten Betrag ein!"); title "Transaktionsfilter".
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // Stores the filter and the ticked securities in one edit; nothing while Check refuses.
    // An amount of a condition that is switched off keeps its stored value when its text
    // does not read. Returns whether anything changed.
    bool ApplyTo(CFolari2Doc& doc) const;
};

}  // namespace pf

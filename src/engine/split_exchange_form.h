#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "engine/form_model.h"
#include "engine/holdings.h"
#include "engine/split_exchange.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

// --- Dialog "Aktiensplit" (form model, see engine/form_model.h) ---

inline constexpr const char* kSplitTitle = "Aktiensplit";
// Focus fields of its messages.
inline constexpr const char* kSplitDateField = "date";
inline constexpr const char* kSplitNameField = "name";
inline constexpr const char* kSplitCodeField = "code";
inline constexpr const char* kSplitNewPiecesField = "newPieces";
inline constexpr const char* kSplitOldPiecesField = "oldPieces";

// Quotes divided by a permanent split are rounded to this many decimals unless the dialog's
// "Kurse runden auf ... Dezimalstellen" says otherwise.
inline constexpr int kDefaultSplitQuoteDecimals = 2;

struct SplitForm {
    CQRNDatum date;  // "Split&datum"
    // The security chosen by "&Bezeichnung" and by "&WKN" (linked lists; the name counts);
    // -1 = none.
    int32_t nameSecurityId = -1;
    int32_t codeSecurityId = -1;
    std::string text;
    std::string newPieces;   // "&neue Aktien für"
    std::string oldPieces;   // "&alte Aktie(n)"
    bool permanent = false;  // "all&e Wertpapierkurse vor dem Splitdatum dauerhaft anpassen"
    int roundDecimals = kDefaultSplitQuoteDecimals;  // "Kurse &runden auf"
    int32_t editedId = -1;

    static SplitForm New(const CFolari2Doc& doc, CQRNDatum today);
    // The split `id` with its values; a new form when `id` is not a split.
    static SplitForm ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today);

    // Whether the earliest-date rule applies: always to a new split; to an edited split
    // only while it is not permanent and no transaction with its security is dated on or
    // after it.
    bool DateRuleApplies(const CFolari2Doc& doc) const;

    // The OK order, title "Aktiensplit":
    //  1. no name chosen: "Bitte wählen Sie eine Wertpapierbezeichnung aus!"; no code
    //     chosen: "Bitte wählen Sie eine Wertpapier-Kennnummer aus!";
    //  2. new pieces not a quantity: "Bitte geben Sie eine korrekte Stückzahl an!"; <= 0:
    //     "Bitte geben Sie eine Stückzahl größer Null an!"; then the same for the old pieces;
    //  3. the earliest date (when it applies): with D the latest date of a transaction with
    //     the security (ConcernsSecurity), a split dated on or before D is refused, naming
    //     D + 1 day (date);
    //  4. when the split becomes permanent now: the Yes/No question that explains the
    //     permanent adjustment, the ratio with 0 to 7 decimals.
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // AddSplit or ChangeSplit (asking for the permanent adjustment when the box is ticked);
    // returns the id, or -1 without a change while Check refuses.
    int32_t Apply(CFolari2Doc& doc) const;
};

// --- Dialog "Umtausch" ---

inline constexpr const char* kExchangeTitle = "Umtausch";
// Focus fields of its messages.
inline constexpr const char* kExchangeDateField = "date";
inline constexpr const char* kExchangeSourceNameField = "sourceName";
inline constexpr const char* kExchangeSourceCodeField = "sourceCode";
inline constexpr const char* kExchangeTargetNameField = "targetName";
inline constexpr const char* kExchangeTargetCodeField = "targetCode";
inline constexpr const char* kExchangeOldPiecesField = "oldPieces";
inline constexpr const char* kExchangeNewPiecesField = "newPieces";
inline constexpr const char* kExchangeDistributeField = "distribute";

// A new exchange, or the exchange `editedId`. The lots that can be exchanged are those of
// SellableLots(doc, date, editedId), chosen oldest first or as distributed, as in the sale
// dialog.
struct ExchangeForm {
    CQRNDatum date;                 // "Umtausch&datum"
    bool keepPurchaseDate = false;  // "u&rsprüngliches Kaufdatum beibehalten"
    // The source chosen in "von &Bezeichnung" and "von &WKN" (drop-down lists of the
    // securities with lots on the date; the name counts); -1 = none.
    int32_t sourceNameId = -1;
    int32_t sourceCodeId = -1;
    std::string oldPieces;   // "&Stück alt"
    std::string targetName;  // "i&n Bezeichnung", editable
    std::string targetCode;  // "in W&KN", editable
    std::string newPieces;   // "Stü&ck neu"
    std::string text;
    bool oldestFirst = false;  // "ält&este Positionen umtauschen"
    // The pieces per lot stored by the "Aufteilen" walk; an edited exchange starts with its
    // earlier allocation.
    std::map<int32_t, Quantity> distributed;
    int32_t editedId = -1;

    static ExchangeForm New(const CFolari2Doc& doc, CQRNDatum today);
    // The exchange `id` with its values and earlier allocation; a new form when `id` is not
    // an exchange.
    static ExchangeForm ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today);

    // The source security's lots on the date with the selection the list shows.
    PositionList Lots(const CFolari2Doc& doc) const;
    // The old pieces lowered to what the lots hold, and the enable states around the list.
    LotSelection Selection(const CFolari2Doc& doc) const;

    // The OK order, title "Umtausch":
    //  1. no lot of any security on the date (date);
    //  2. no source name chosen; no source code chosen;
    //  3. an exchange on the same date (not this one) has the source as its target: its new
    //     lots do not exist yet when this one is replayed (date);
    //  4. target name empty; target code empty; no security with exactly that name and
    //     code; the target is the source;
    //  5. old pieces, then new pieces: not a quantity, or <= 0;
    //  6. more old pieces than the source's lots hold (old pieces);
    //  7. a selected lot that an account movement dated on or after the exchange still
    //     needs: "Position k kann frühestens am (L + 1 Tag) umgetauscht werden, ..." (date);
    //  8. the selection adds up to the old pieces: accepted; else, with fewer than 2 lots or
    //     oldest first: "Bitte geben Sie eine korrekte Stückzahl ein!" (old pieces); else
    //     distribute ("aufteilen...").
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // AddExchange or ChangeExchange with the checked values and the selected lots; returns
    // the id, or -1 without a change while Check refuses.
    int32_t Apply(CFolari2Doc& doc) const;
};

}  // namespace pf

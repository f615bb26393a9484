#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

inline constexpr const char* kNewCurrencyTitle = "Neue Währung";
inline constexpr const char* kEditCurrencyTitle = "Währung bearbeiten";
inline constexpr const char* kCurrencyEditorTitle = "Währungs-Editor";

inline constexpr const char* kCurrencySymbolField = "symbol";
inline constexpr const char* kCurrencyNameField = "name";
inline constexpr const char* kCurrencyRateKindField = "rateKind";
inline constexpr const char* kCurrencyFixedRate1Field = "fixedRate1";
inline constexpr const char* kCurrencyFixedRate2Field = "fixedRate2";
inline constexpr const char* kCurrencyReferenceField = "reference";

// An entry of a list box: the id it stands for and its text.
struct CurrencyChoice {
    int32_t id = -1;
    std::string text;

    bool operator==(const CurrencyChoice&) const = default;
};

// Dialog "Neue Währung" / "Währung bearbeiten": a currency with a fixed rate to the base
// currency ("fixedRate1 <symbol> = fixedRate2 <base symbol>") or a variable one with its
// reference currency and quote format.
struct CurrencyForm {
    int32_t editedId = -1;  // -1: a new currency
    std::string symbol;     // "&Symbol"
    std::string name;       // "&Bezeichnung"
    bool fixed = false;     // "&fester Kurs:" rather than "&variabler Kurs:"
    std::string fixedRate1;
    std::string fixedRate2;
    int32_t referenceId = 0;  // "Bezugs&währung:"
    int32_t quoteFormat = 0;  // QuoteFormat

    // A new variable currency referring to the base currency, both fixed rates "1,00".
    static CurrencyForm New(const CFolari2Doc& doc);
    // The currency `id` as stored (the fixed rates with 2 to 7 decimals); a new form when it
    // does not exist.
    static CurrencyForm ForEdit(const CFolari2Doc& doc, int32_t id);

    std::string Title() const;
    bool EditsBaseCurrency() const { return editedId == 0; }
    // The rate kind is fixed for the base currency; its rates are always 1 : 1, so its rate
    // fields stay disabled too.
    bool RateKindEnabled() const { return !EditsBaseCurrency(); }
    bool FixedRatesEnabled() const { return fixed && !EditsBaseCurrency(); }
    bool ReferenceEnabled() const { return !fixed; }
    bool QuoteFormatEnabled() const { return !fixed; }

    // "Bezugs&währung:": the currencies with a fixed rate (the base currency is one), by
    // symbol, in list order; never the edited currency itself.
    std::vector<CurrencyChoice> ReferenceChoices(const CFolari2Doc& doc) const;
    // The labels of the two quote formats with the typed symbol and the reference currency's
    // symbol: "&x,xx USD = 1 EUR" (kUnitsPerReference), "&1 USD = x,xx EUR" (kReferencePerUnit).
    std::string QuoteFormatLabel(const CFolari2Doc& doc, int format) const;
    // The line between the two fixed-rate fields ("DM  =") and the symbol after them.
    std::string SymbolLine() const { return symbol + "  ="; }
    static std::string BaseSymbol(const CFolari2Doc& doc);

    // The OK order, every message titled "Neue Währung" (also while editing):
    //  0. the edited currency no longer exists: "Diese Währung existiert nicht mehr!";
    //  for a fixed rate (not the base currency):
    //  1. a rate field does not read: "Bitte geben Sie einen Wechselkurs ein!" (fixedRate1,
    //     then fixedRate2);
    //  2. a rate is 0 at 7 decimals: "Bitte geben Sie einen Wert größer Null an!" (fixedRate1,
    //     then fixedRate2);
    //  3. a fixed currency that a variable currency refers to cannot become variable, since
    //     conversions do not follow chains of variable currencies: "Diese Währung ist die
    //     Bezugswährung einer Währung mit variablem Kurs und muss einen festen Kurs
    //     behalten!" (rateKind);
    //  3a. nor can the account currency (at any time, or of a transaction's account side),
    //     since the account is kept in fixed-rate currencies: "Diese Währung wird als
    //     Kontowährung verwendet und muss einen festen Kurs behalten!" (rateKind);
    //  for a variable rate:
    //  4. the reference is not among ReferenceChoices: "Bitte wählen Sie eine Bezugswährung
    //     aus!" (reference);
    //  then the document's answers, both with the focus on the symbol:
    //  5. "Bitte geben Sie ein Symbol für die Währung ein!";
    //  6. "Eine Währung mit diesem Symbol existiert bereits!";
    //  7. symbol, then name, with a character a file cannot store (CheckStorableText).
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // AddCurrency or ModifyCurrency in one edit (a variable currency passes -1 for both fixed
    // rates); when the pair of a currency that was and stays fixed changes, its purchases and
    // sales take the new pair in the same edit (RecomputeForFixedRate). The id, or -1 while
    // Check refuses.
    int32_t Apply(CFolari2Doc& doc) const;
};

// The list of the "Währungs-Editor".
inline constexpr const char* kCurrencyEditorColumns[] = {"Symbol", "Bezeichnung", "Typ", "Kurs"};

struct CurrencyEditorRow {
    int32_t id = -1;
    std::string symbol;
    std::string name;
    std::string type;  // "Hauptwährung", "variabler Kurs", "fester Kurs"
    // The rate at the editor's date: "1,95583 DM = 1 EUR" for a fixed rate (fixedRate1 and
    // fixedRate2 with 2 to 7 decimals, a rate of exactly 1 as "1"); for a variable one "r USD =
    // 1 EUR" (kUnitsPerReference) or "1 USD = r EUR" (kReferencePerUnit) with r = RateAt(date)
    // and 4 to 7 decimals; empty for the base currency.
    std::string rate;
};

// One row per currency, in the document's order.
std::vector<CurrencyEditorRow> CurrencyEditorRows(const CFolari2Doc& doc, CQRNDatum date);

// "Löschen" in the "Währungs-Editor".
struct CurrencyDeleteForm {
    int32_t currencyId = -1;

    // Title "Währungs-Editor": a currency that is unknown or in use (CFolari2Doc::
    // CurrencyInUse, the base currency included): "Diese Währung kann nicht gelöscht
    // werden!"; otherwise the question "Möchten Sie diese Währung wirklich löschen?".
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // Deletes the currency in one edit; whether it did.
    bool Apply(CFolari2Doc& doc) const;
};

}  // namespace pf

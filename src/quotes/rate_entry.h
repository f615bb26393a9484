#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

inline constexpr const char* kRateEntryTitle = "Devisenkurse eingeben";
inline constexpr int kRateRowsPerPage = 5;
inline constexpr const char* kRateCurrencyField = "currency";
inline constexpr const char* kRateField = "rate";

// The order of the currencies, compared case-blind; equal ones keep the document's order.
enum RateEntryOrder : int { kRatesBySymbol = 0, kRatesByName = 1 };

// The currencies with a variable rate (never the base currency), in the chosen order.
std::vector<int32_t> RateEntryCurrencies(const CFolari2Doc& doc, int order);

// One row: "<name>  [left] <symbol>  =  [right] <reference symbol>". The field that the
// currency's quoteFormat selects holds the rate (the left one for kUnitsPerReference: left
// units of this currency = 1 unit of the reference; the right one for kReferencePerUnit)
// and is editable; the other shows "1" and is disabled.
struct RateEntryRow {
    int32_t currencyId = -1;
    std::string name;
    std::string left;
    std::string right;
    bool rateOnLeft = true;  // which field is the editable one
    std::string symbolLine;  // the currency's symbol followed by "  ="
    std::string reference;   // the reference currency's symbol

    std::string& Rate() { return rateOnLeft ? left : right; }
    const std::string& Rate() const { return rateOnLeft ? left : right; }
};

// Dialog "Devisenkurse eingeben": the rates of the variable currencies at one date, 5 to a
// page, with the paging and field-leave rules of "Kurse eingeben".
struct RateEntryPages {
    CQRNDatum date;
    int order = kRatesBySymbol;

    std::vector<int32_t> currencies;
    int page = 0;
    std::vector<RateEntryRow> rows;
    bool changed = false;

    static RateEntryPages Open(const CFolari2Doc& doc, CQRNDatum date);

    // After a change of date or order; keeps the page while it exists.
    void Rebuild(const CFolari2Doc& doc);
    int PageCount() const;
    std::string PageLine() const;  // "Seite %d von %d"
    bool NextIsDefault() const { return page + 1 < PageCount(); }
    void Next(const CFolari2Doc& doc);
    void Previous(const CFolari2Doc& doc);

    // Leaving the rate field of `row`: empty deletes the rate at the date, a rate above 0
    // (ParseEntryPrice, not zero at 7 decimals) is stored, and anything else, 0 included,
    // falls back to the stored rate: a stored 0 would make every conversion infinite.
    // Returns whether the document changed.
    bool LeaveRate(CFolari2Doc& doc, size_t row);

  private:
    void FillRows(const CFolari2Doc& doc);
};

// One rate as a form (the command line's "rate"): `rate` empty deletes the rate of `date`.
struct RateForm {
    int32_t currencyId = -1;
    CQRNDatum date;
    std::string rate;

    // Title "Devisenkurse eingeben":
    //  1. not a currency with variable rate: "Bitte wählen Sie eine Währung mit variablem
    //     Kurs aus!" (currency);
    //  2. a rate that does not read: "Bitte geben Sie einen korrekten Wechselkurs ein!" (rate);
    //  3. a rate that is 0 at 7 decimals: "Bitte geben Sie einen Wert größer Null an!" (rate).
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // Sets or deletes the rate in one edit; whether the document changed.
    bool Apply(CFolari2Doc& doc) const;
};

}  // namespace pf

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "engine/message.h"
#include "model/account_records.h"
#include "model/date.h"
#include "model/document.h"

namespace pf {

// The end of the holding time of a category for a lot bought on `purchaseDate`, as a day
// number since 1.1.1970 (Days: purchase day + value; Months: month + value with the carry
// into years and the day cut to the length of the resulting month, so 31.1. + 1 month is
// 28.2. or 29.2.; Years: year + value, 29.2. cut to 28.2. in a common year). The value is
// the true calendar day even where it lies before 1.1.1970 or after 18.1.2038, so that a
// limit beyond the last valid date lies after every sale. Holds no value for an unknown
// unit.
std::optional<int64_t> HoldingTimeLimit(const CFL2StPflKateg& category, CQRNDatum purchaseDate);

// Whether a sale on `saleDate` of a lot bought on `purchaseDate` meets every switched-on
// condition of `category`. A holding-time comparison, unit or half-income option outside its
// known values is never met.
bool MatchesTaxCategory(const CFL2StPflKateg& category, CQRNDatum purchaseDate, CQRNDatum saleDate,
                        bool subjectToHalfIncome);

// The index of the first category in list order that a sale meets, or -1. A lot still held
// is classified with the report date as `saleDate`.
int MatchTaxCategory(const std::vector<CFL2StPflKateg>& categories, CQRNDatum purchaseDate,
                     CQRNDatum saleDate, bool subjectToHalfIncome);
int MatchTaxCategory(const CFolari2Doc& doc, CQRNDatum purchaseDate, CQRNDatum saleDate,
                     bool subjectToHalfIncome);

// ---- The "Steuerpflicht" dialog: its list works directly on doc.taxCategories. ----

inline constexpr const char* kTaxCategoryTitle = "Steuerpflicht";
// Focus fields of the edit dialog's messages.
inline constexpr const char* kTaxCategoryNameField = "name";
inline constexpr const char* kTaxCategoryAbbreviationField = "abbreviation";

// Texts of the edit controls, indexed by the stored values.
inline constexpr std::array<const char*, 4> kHoldingTimeComparisonTexts = {
    "kleiner als", "kleiner gleich", "größer als", "größer gleich"};
inline constexpr std::array<const char*, 3> kHoldingTimeUnitTexts = {"Tage", "Monate", "Jahre"};
inline constexpr std::array<const char*, 2> kHalfIncomeTexts = {
    "Wertpapier unterliegt dem Halbeinkünfteverfahren",
    "Wertpapier unterliegt nicht dem Halbeinkünfteverfahren"};

// The list's column headers, in column order.
std::vector<std::string> TaxCategoryColumnHeaders();

// One row of the list: name, abbreviation, sale period, purchase period, holding time and
// half-income condition.
struct TaxCategoryRow {
    std::string name;
    std::string abbreviation;
    std::string salePeriod;
    std::string purchasePeriod;
    std::string holdingTime;
    std::string halfIncome;

    bool operator==(const TaxCategoryRow&) const = default;
};
TaxCategoryRow TaxCategoryColumnTexts(const CFL2StPflKateg& category);

// "beliebig" when off or when the period covers every valid date; "bis 31.12.1998" from the
// first valid date, "ab 01.01.1999" up to the last one, else "von 01.01.2002 bis 31.12.2008".
std::string PeriodColumnText(bool used, CQRNDatum from, CQRNDatum to);
// "beliebig" when off, else e.g. "kleiner als 12 Monate". A stored comparison or unit
// outside the known values shows as "?".
std::string HoldingTimeColumnText(const CFL2StPflKateg& category);
// "beliebig" when off, else the text of the option ("?" for an unknown value).
std::string HalfIncomeColumnText(const CFL2StPflKateg& category);

// Enable states of the buttons for the selected row (-1 = none).
struct TaxCategoryButtons {
    bool add = true;  // "&Neu"
    bool edit = false;
    bool remove = false;
    bool moveUp = false;
    bool moveDown = false;

    bool operator==(const TaxCategoryButtons&) const = default;
};
TaxCategoryButtons TaxCategoryButtonStates(const CFolari2Doc& doc, int selected);

// The edit dialog of one category, opened by "&Neu" or "&Bearbeiten" (form model, see
// engine/form_model.h). Every condition is chosen from a control; only the two texts are
// typed.
struct TaxCategoryForm {
    int index = -1;  // the category edited; -1 = a new one
    CFL2StPflKateg category;

    // A new category: no condition on, both periods from the first to the last valid day,
    // the holding time "kleiner als 1 Monate".
    static TaxCategoryForm New();
    // The category at `index`; a new one when the index selects none.
    static TaxCategoryForm ForEdit(const CFolari2Doc& doc, int index);

    // "&OK", title "Steuerpflicht": a name, then an abbreviation, with a character the file
    // cannot store (CheckStorableText).
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // Appends the new category or replaces the edited one; returns its index, or -1 without
    // a change (Check refuses, or the edited index is gone).
    int Apply(CFolari2Doc& doc) const;
};

// "&Neu" then "&OK": appends the category and returns its index.
int AppendTaxCategory(CFolari2Doc& doc, const CFL2StPflKateg& category);
// "&Bearbeiten" then "&OK": replaces the category at `index`; false (nothing changed) when
// the index selects no category.
bool ReplaceTaxCategory(CFolari2Doc& doc, int index, const CFL2StPflKateg& category);

// "&Löschen" is two steps: ask this question (Yes/No), and on Yes call DeleteTaxCategory.
Message TaxCategoryDeleteQuestion();
// Removes the category at `index`; false (nothing changed) when the index selects none.
bool DeleteTaxCategory(CFolari2Doc& doc, int index);

// "Na&ch oben" / "Nach &unten": swap with the neighbour. Return the category's new index
// (the row to select afterwards), or -1 and change nothing at the end of the list or for an
// index that selects no category.
int MoveTaxCategoryUp(CFolari2Doc& doc, int index);
int MoveTaxCategoryDown(CFolari2Doc& doc, int index);

}  // namespace pf

#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "reports/position_columns.h"
#include "reports/position_report_common.h"
#include "reports/position_sort_keys.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;

// Sort keys of the holdings report ("Sortieren nach"), numbered as the options page lists
// them; the document stores the number (-1 = the default, Kaufdatum).
enum class HoldingsSortKey : int {
    Name = 0,       // "Bezeichnung"
    Wkn,            // "WKN"
    Isin,           // the document's label of the second identifier
    Type,           // "Typ"
    Sector,         // "Branche"
    Country,        // "Land"
    Index,          // "Index/Marktsegment"
    Category1,      // own category 1
    Category2,      // own category 2
    Quantity,       // "Stück"
    QuoteCurrency,  // "Kurswährung"
    PurchaseDate,   // "Kaufdatum"
    PurchaseValue,  // "Kaufwert"
    PurchaseCosts,  // "Provision etc."
    PurchasePrice,  // "Kaufpreis"
    CurrentValue,   // "Wert"
    GainLoss,       // "G/V"
    GainLossPercent,
    Annualised,
    Dividends,
    DividendPercent,
    GainLossWithDividends,
    GainLossWithDividendsPercent,
    AnnualisedWithDividends,
};
inline constexpr int kHoldingsSortKeyCount = 24;
inline constexpr HoldingsSortKey kDefaultHoldingsSortKey = HoldingsSortKey::PurchaseDate;

// The sort keys in key order: the field each compares and its text.
inline constexpr std::array<ReportSortKey, kHoldingsSortKeyCount> kHoldingsSortKeys = {{
    {RecordField::Name, "Bezeichnung"},
    {RecordField::Wkn, "WKN"},
    {RecordField::Isin, nullptr},
    {RecordField::Type, "Typ"},
    {RecordField::Sector, "Branche"},
    {RecordField::Country, "Land"},
    {RecordField::Index, "Index/Marktsegment"},
    {RecordField::Category1, nullptr},
    {RecordField::Category2, nullptr},
    {RecordField::Quantity, "Stück"},
    {RecordField::QuoteCurrency, "Kurswährung"},
    {RecordField::PurchaseDate, "Kaufdatum"},
    {RecordField::PurchaseValue, "Kaufwert"},
    {RecordField::PurchaseCosts, "Provision etc."},
    {RecordField::PurchasePrice, "Kaufpreis"},
    {RecordField::CurrentValue, "Wert"},
    {RecordField::GainLoss, "G/V"},
    {RecordField::GainLossPercent, "G/V in %"},
    {RecordField::Annualised, "G/V p.a. in %"},
    {RecordField::Dividends, "Dividende"},
    {RecordField::DividendPercent, "Dividende in %"},
    {RecordField::GainLossWithDividends, "G/V inkl. Div."},
    {RecordField::GainLossWithDividendsPercent, "G/V inkl. Div. in %"},
    {RecordField::AnnualisedWithDividends, "G/V inkl. Div. p.a. in %"},
}};

// The texts of the sort keys in key order (the ISIN label and the own categories' names are
// the document's).
std::vector<std::string> HoldingsSortKeyTexts(const CFolari2Doc& doc);

// The column table of the holdings report; the headers take the report currency, the ISIN
// label and the "Zusatzinfo" caption from `context`.
std::vector<ReportColumn> HoldingsColumns(const ColumnContext& context);

// The positions of the holdings report with every value the table shows.
struct HoldingsReportData {
    CQRNDatum reportDate;
    int32_t currencyId = 0;
    std::string currencyName;
    std::vector<PositionRecord> positions;  // merged when the option says so, sorted
    PositionRecord total;                   // label "Summe"
    bool anyStopReached = false;
    bool anyTargetReached = false;
    ColumnDecimals decimals;  // of the "Stück" column and the price columns
};

// The open lots at the report date in the report currency ("Werte anzeigen in"), merged,
// valued, classified and sorted as the holdings options say.
HoldingsReportData ComputeHoldingsReport(const CFolari2Doc& doc, CQRNDatum reportDate);

// The title of the holdings at `reportDate`: the holdings title template with <DATUM>,
// <DEPOTNUMMER> and <INHABER> replaced.
std::string HoldingsTitle(const CFolari2Doc& doc, CQRNDatum reportDate);

// The report "Depotbestand": title, column titles, one row per position (user values: the
// buying transaction and 1 for a merged row, else 0), the total row "Summe" (user values -1
// and 255) and, when a stop or target price was reached, the footnote.
std::unique_ptr<ReportTable> BuildHoldingsReport(const CFolari2Doc& doc, CQRNDatum reportDate);

}  // namespace pf

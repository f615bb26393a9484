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

// Sort keys of the realized gains and losses report, numbered as the options page lists
// them; the document stores the number (-1 = the default, Verkaufdatum).
enum class RealizedSortKey : int {
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
    SaleDate,       // "Verkaufdatum"
    DaysInDepot,    // "Tage im Depot"
    PurchaseValue,  // "Kaufwert"
    PurchaseCosts,  // "Kaufprovision etc."
    PurchasePrice,  // "Kaufpreis"
    SaleValue,      // "Verkaufwert"
    SaleCosts,      // "Verkaufprovision etc."
    Proceeds,       // "Verkauferlös"
    GainLoss,       // "G/V"
    GainLossPercent,
    Annualised,
    Dividends,
    DividendPercent,
    GainLossWithDividends,
    GainLossWithDividendsPercent,
    AnnualisedWithDividends,
};
inline constexpr int kRealizedSortKeyCount = 28;
inline constexpr RealizedSortKey kDefaultRealizedSortKey = RealizedSortKey::SaleDate;

// The sort keys in key order: the field each compares and its text.
inline constexpr std::array<ReportSortKey, kRealizedSortKeyCount> kRealizedSortKeys = {{
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
    {RecordField::SaleDate, "Verkaufdatum"},
    {RecordField::DaysInDepot, "Tage im Depot"},
    {RecordField::PurchaseValue, "Kaufwert"},
    {RecordField::PurchaseCosts, "Kaufprovision etc."},
    {RecordField::PurchasePrice, "Kaufpreis"},
    {RecordField::SaleValue, "Verkaufwert"},
    {RecordField::SaleCosts, "Verkaufprovision etc."},
    {RecordField::Proceeds, "Verkauferlös"},
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
std::vector<std::string> RealizedSortKeyTexts(const CFolari2Doc& doc);

// The column table of the realized gains and losses report; the headers take the report
// currency, the ISIN label and the "Zusatzinfo" caption from `context`.
std::vector<ReportColumn> RealizedColumns(const ColumnContext& context);

inline constexpr const char* kSimulatedSaleText = "Simulierter Verkauf";

// The sold positions of a period with every value the table shows.
struct RealizedReportData {
    CQRNDatum from;
    CQRNDatum to;
    int32_t currencyId = 0;
    std::string currencyName;
    std::vector<PositionRecord> positions;  // merged when the option says so, sorted
    // One record per tax-category group that holds at least one sale, in the order of the
    // categories (categories with the same name and abbreviation form one group), then the
    // group of sales without a category (label "-"). Labels are the categories' names.
    std::vector<PositionRecord> categorySums;
    PositionRecord total;     // label "Gesamtsumme" or "Summe", as the table shows it
    ColumnDecimals decimals;  // of the "Stück" column and the price columns
};

// The positions sold from `from` to `to` (both included), in the report currency of the
// realized options. With `simulateSales` every lot still open at `to` is added as if sold at
// `to` at its quote of that day, without costs; with `securityFilter` only lots of the
// document's selected securities (options.selectedSecurityIds) are kept.
RealizedReportData ComputeRealizedReport(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                         bool securityFilter, bool simulateSales);

// The report "Realisierte G+V": title, column titles, one row per position (user values:
// the position's transaction and 1 for a merged or simulated row, else 0), then the sum rows
// (user values -1 and 255): with "zusätzliche Summen" one per tax-category group with sales,
// and the total.
std::unique_ptr<ReportTable> BuildRealizedReport(const CFolari2Doc& doc, CQRNDatum from,
                                                 CQRNDatum to, bool securityFilter,
                                                 bool simulateSales);

}  // namespace pf

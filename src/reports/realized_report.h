#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "reports/position_report_common.h"
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

// The texts of the sort keys in key order.
std::vector<std::string> RealizedSortKeyTexts(const CFolari2Doc& doc);

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
    PositionRecord total;  // label "Gesamtsumme" or "Summe", as the table shows it
    // Decimals of the "Stück" column and of the four price columns.
    int pieceDecimals = 0;
    int buyPriceDecimals = 2;
    int buyPriceReportDecimals = 2;
    int salePriceDecimals = 2;
    int salePriceReportDecimals = 2;
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

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "reports/position_report_common.h"
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

// The texts of the sort keys in key order (the first three depend on the document's label).
std::vector<std::string> HoldingsSortKeyTexts(const CFolari2Doc& doc);

// The positions of the holdings report with every value the table shows.
struct HoldingsReportData {
    CQRNDatum reportDate;
    int32_t currencyId = 0;
    std::string currencyName;
    std::vector<PositionRecord> positions;  // merged when the option says so, sorted
    PositionRecord total;                   // label "Summe"
    bool anyStopReached = false;
    bool anyTargetReached = false;
    // Decimals of the "Stück" column and of the four price columns.
    int pieceDecimals = 0;
    int buyPriceDecimals = 2;            // "Kaufkurs" in the buy currency
    int buyPriceReportDecimals = 2;      // "Kaufkurs" in the report currency
    int currentPriceDecimals = 2;        // "Kurs" in the quote currency
    int currentPriceReportDecimals = 2;  // "Kurs" in the report currency
};

// The open lots at the report date in the report currency ("Werte anzeigen in"), merged,
// valued, classified and sorted as the holdings options say.
HoldingsReportData ComputeHoldingsReport(const CFolari2Doc& doc, CQRNDatum reportDate);

// The report "Depotbestand": title, column titles, one row per position (user values: the
// buying transaction and 1 for a merged row, else 0), the total row "Summe" (user values -1
// and 255) and, when a stop or target price was reached, the footnote.
std::unique_ptr<ReportTable> BuildHoldingsReport(const CFolari2Doc& doc, CQRNDatum reportDate);

}  // namespace pf

#pragma once

// Sorting of the position reports: the fields a record can be compared by, and the sort-key
// tables through which each report numbers its keys ("Sortieren nach" on its options page).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/document_options.h"
#include "reports/position_report_common.h"

namespace pf {

// The fields a position report can be sorted by.
enum class RecordField {
    Name,
    Wkn,
    Isin,
    Type,
    Sector,
    Country,
    Index,
    Category1,
    Category2,
    Quantity,
    QuoteCurrency,
    PurchaseDate,
    SaleDate,
    DaysInDepot,
    PurchaseValue,
    PurchaseCosts,
    PurchasePrice,
    CurrentValue,
    SaleValue,
    SaleCosts,
    Proceeds,
    GainLoss,
    GainLossPercent,
    Annualised,
    Dividends,
    DividendPercent,
    GainLossWithDividends,
    GainLossWithDividendsPercent,
    AnnualisedWithDividends,
};

// < 0, 0 or > 0 as `a` sorts before, with or after `b`. Texts compare byte by byte (UTF-8),
// like the engine's lot sort; a percentage shown as "-" sorts before every number.
int CompareRecords(const PositionRecord& a, const PositionRecord& b, RecordField field);

// Orders the records by `field` with the engine's ExchangeSort, so that ties come out as in
// every other list of lots.
void SortRecords(std::vector<PositionRecord>& records, RecordField field, bool descending);

// One entry of a report's sort-key table. The number the document stores for a key is its
// index in the table.
struct ReportSortKey {
    RecordField field;
    // As the options page lists it; nullptr for the fields whose caption is the document's
    // own (the ISIN label and the names of the two own categories).
    const char* text;
};

// The texts of a sort-key table in key order.
std::vector<std::string> SortKeyTexts(std::span<const ReportSortKey> keys,
                                      const DocumentOptions& options);

// The field of the stored key number `stored`; -1 and numbers outside the table mean
// `defaultKey`.
RecordField SortKeyField(std::span<const ReportSortKey> keys, int32_t stored, int defaultKey);

}  // namespace pf

#pragma once

// The column tables of the position reports. Each report lists its columns once: the bit in
// its column mask, the two header lines, the alignment, the function that writes the cell
// of a record and on which rows the column has a value. A builder keeps the columns whose
// bits are set and writes every row by walking them.

#include <cstdint>
#include <string>
#include <vector>

#include "model/document_options.h"
#include "reports/position_report_common.h"
#include "reports/report_table.h"

namespace pf {

// What a cell needs besides its record: the document's number format and captions, the
// report currency and the report's display settings.
struct ColumnContext {
    const DocumentOptions& options;
    std::string currencyName;       // of the report currency, for the "in ..." headers
    int extraInfo = kSector;        // ExtraInfo: the attribute the "Zusatzinfo" column shows
    int percentDecimals = 1;        // "Dezimalstellen für Prozentwerte", 0..15
    bool bracketOldQuotes = false;  // current prices not from the report date in "(" ")"
    ColumnDecimals decimals;
};

// The text of a cell; "" leaves the cell empty.
using CellWriter = std::string (*)(const PositionRecord& record, const ColumnContext& context);

// On which rows a column has a value.
enum class Shown {
    OnAllRows,     // positions, merged positions, totals and category sums
    OnPositions,   // positions and merged positions; empty on sum rows
    OnSingleLots,  // a value of one lot: merged positions show "-", sum rows stay empty
};

struct ReportColumn {
    int bit = 0;  // in the report's column mask, 0..31; columns appear in bit order
    std::string header1;
    std::string header2;  // "" for a one-line header
    int alignment = kAlignLeft;
    CellWriter cell = nullptr;
    Shown shown = Shown::OnPositions;
};

// The columns of `all` whose bit is set in `mask`, in bit order.
std::vector<ReportColumn> VisibleColumns(const std::vector<ReportColumn>& all, uint32_t mask);

// The text of one cell as its column shows it for `record` (see Shown).
std::string CellTextOf(const ReportColumn& column, const PositionRecord& record,
                       const ColumnContext& context);
// The texts of a record's row, one per column.
std::vector<std::string> RowTexts(const std::vector<ReportColumn>& columns,
                                  const PositionRecord& record, const ColumnContext& context);
// Sets the non-empty texts as the cells of `row`, one column each.
void SetRowTexts(ReportTable& table, int row, const std::vector<std::string>& texts);

// Header of the column that shows the security attribute chosen as "Zusatzinfo".
std::string ExtraInfoHeader(const DocumentOptions& options, int extraInfo);
// The chosen attribute of a record's security.
const std::string& ExtraInfoText(const PositionRecord& record, int extraInfo);

// Font indexes of a position report table.
struct TableFonts {
    int row = 0;  // the base font
    int title = 0;
    int columnTitle = 0;
};

// Initialises the table with the appearance settings (base font = row font, one column per
// visible column, at least one), sets the column alignments and adds the title row (spanning
// all columns) and the two column-title rows.
TableFonts StartPositionTable(ReportTable& table, const TableAppearance& appearance,
                              double screenScale, const std::vector<ReportColumn>& columns,
                              const std::string& title);

// The cell writers that the column tables share, one per value of a position record.
// Amounts have 2 decimals, G/V values a sign; prices use the decimals of their column;
// percentages the report's decimals, a sign (not for dividends) and "%", or "-" without a
// positive cost basis; current prices are bracketed as the context says.
namespace cells {
std::string Name(const PositionRecord& r, const ColumnContext& c);  // the label on sum rows
std::string Wkn(const PositionRecord& r, const ColumnContext& c);
std::string Isin(const PositionRecord& r, const ColumnContext& c);
std::string Type(const PositionRecord& r, const ColumnContext& c);
std::string ExtraInfo(const PositionRecord& r, const ColumnContext& c);
std::string Pieces(const PositionRecord& r, const ColumnContext& c);
std::string PurchaseDate(const PositionRecord& r, const ColumnContext& c);
std::string SaleDate(const PositionRecord& r, const ColumnContext& c);
std::string DaysInDepot(const PositionRecord& r, const ColumnContext& c);
std::string TaxCategory(const PositionRecord& r, const ColumnContext& c);  // short name or "-"
std::string BuyPrice(const PositionRecord& r, const ColumnContext& c);
std::string BuyCurrency(const PositionRecord& r, const ColumnContext& c);
std::string BuyPriceReport(const PositionRecord& r, const ColumnContext& c);
std::string PurchaseValue(const PositionRecord& r, const ColumnContext& c);
std::string PurchaseCosts(const PositionRecord& r, const ColumnContext& c);
std::string PurchasePrice(const PositionRecord& r, const ColumnContext& c);
std::string CurrentPrice(const PositionRecord& r, const ColumnContext& c);
std::string QuoteCurrency(const PositionRecord& r, const ColumnContext& c);
std::string CurrentPriceReport(const PositionRecord& r, const ColumnContext& c);
std::string CurrentValue(const PositionRecord& r, const ColumnContext& c);
std::string SalePrice(const PositionRecord& r, const ColumnContext& c);
std::string SaleCurrency(const PositionRecord& r, const ColumnContext& c);
std::string SalePriceReport(const PositionRecord& r, const ColumnContext& c);
std::string SaleValue(const PositionRecord& r, const ColumnContext& c);
std::string SaleCosts(const PositionRecord& r, const ColumnContext& c);
std::string Proceeds(const PositionRecord& r, const ColumnContext& c);
std::string GainLoss(const PositionRecord& r, const ColumnContext& c);
std::string GainLossPercent(const PositionRecord& r, const ColumnContext& c);
std::string Annualised(const PositionRecord& r, const ColumnContext& c);
std::string Dividends(const PositionRecord& r, const ColumnContext& c);
std::string DividendPercent(const PositionRecord& r, const ColumnContext& c);
std::string GainLossWithDividends(const PositionRecord& r, const ColumnContext& c);
std::string GainLossWithDividendsPercent(const PositionRecord& r, const ColumnContext& c);
std::string AnnualisedWithDividends(const PositionRecord& r, const ColumnContext& c);
}  // namespace cells

}  // namespace pf

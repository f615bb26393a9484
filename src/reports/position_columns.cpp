#include "reports/position_columns.h"

#include <algorithm>
#include <string>

#include "reports/report_format.h"

namespace pf {

std::vector<ReportColumn> VisibleColumns(const std::vector<ReportColumn>& all, uint32_t mask) {
    std::vector<ReportColumn> visible;
    for (const ReportColumn& column : all)
        if (column.bit >= 0 && column.bit < 32 && (mask >> column.bit & 1u) != 0)
            visible.push_back(column);
    std::stable_sort(visible.begin(), visible.end(),
                     [](const ReportColumn& a, const ReportColumn& b) { return a.bit < b.bit; });
    return visible;
}

std::string CellTextOf(const ReportColumn& column, const PositionRecord& record,
                       const ColumnContext& context) {
    if (record.kind != RecordKind::Position && column.shown != Shown::OnAllRows) return {};
    if (record.merged && column.shown == Shown::OnSingleLots) return "-";
    return column.cell != nullptr ? column.cell(record, context) : std::string();
}

std::vector<std::string> RowTexts(const std::vector<ReportColumn>& columns,
                                  const PositionRecord& record, const ColumnContext& context) {
    std::vector<std::string> texts;
    texts.reserve(columns.size());
    for (const ReportColumn& column : columns) texts.push_back(CellTextOf(column, record, context));
    return texts;
}

void SetRowTexts(ReportTable& table, int row, const std::vector<std::string>& texts) {
    for (size_t c = 0; c < texts.size(); ++c)
        if (!texts[c].empty()) table.SetCell(row, static_cast<int>(c), texts[c]);
}

std::string ExtraInfoHeader(const DocumentOptions& options, int extraInfo) {
    switch (extraInfo) {
        case kCountry:
            return "Land";
        case kIndex:
            return "Index/Marktseg.";
        case kOwnCategory1:
            return options.ownCategoryCaption1;
        case kOwnCategory2:
            return options.ownCategoryCaption2;
        default:
            return "Branche";
    }
}

const std::string& ExtraInfoText(const PositionRecord& record, int extraInfo) {
    switch (extraInfo) {
        case kCountry:
            return record.country;
        case kIndex:
            return record.index;
        case kOwnCategory1:
            return record.category1;
        case kOwnCategory2:
            return record.category2;
        default:
            return record.sector;
    }
}

TableFonts StartPositionTable(ReportTable& table, const TableAppearance& appearance,
                              double screenScale, const std::vector<ReportColumn>& columns,
                              const std::string& title) {
    const int columnCount = std::max(1, static_cast<int>(columns.size()));
    table.Init(appearance.face, appearance.rowFontHeight, columnCount, appearance.outerMargin,
               appearance.columnMargin, appearance.columnGap, screenScale);
    table.SetAppearance(TableReportAppearance(appearance));
    TableFonts fonts;
    fonts.row = 0;
    fonts.title = table.AddFont(appearance.titleFontHeight);
    fonts.columnTitle = table.AddFont(appearance.columnTitleFontHeight);
    for (size_t c = 0; c < columns.size(); ++c)
        table.SetColumnAlignment(static_cast<int>(c), columns[c].alignment);

    RowStyle titleStyle;
    titleStyle.colourA = titleStyle.colourB = kTitleRowColour;
    titleStyle.font = fonts.title;
    titleStyle.repeatOnEachPage = appearance.repeatTitle != 0;
    const int row = table.AddRow(titleStyle);
    table.SetCell(row, 0, title, columnCount, kAlignLeft);

    // Two rows in one frame, repeated together.
    RowStyle headerStyle;
    headerStyle.colourA = headerStyle.colourB = kColumnTitleRowColour;
    headerStyle.font = fonts.columnTitle;
    headerStyle.repeatOnEachPage = appearance.repeatColumnTitles != 0;
    headerStyle.spacingBefore = appearance.outerMargin;
    headerStyle.frameDown = 1;
    const int first = table.AddRow(headerStyle);
    headerStyle.spacingBefore = 0;
    headerStyle.frameDown = 0;
    headerStyle.frameUp = 1;
    const int second = table.AddRow(headerStyle);
    for (size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(c);
        if (!columns[c].header1.empty()) table.SetCell(first, column, columns[c].header1);
        if (!columns[c].header2.empty()) table.SetCell(second, column, columns[c].header2);
    }
    return fonts;
}

namespace cells {

namespace {

std::string Bracketed(const ColumnContext& c, const PositionRecord& r, std::string text) {
    return c.bracketOldQuotes && !r.currentPriceFromReportDate ? "(" + text + ")" : text;
}

}  // namespace

std::string Name(const PositionRecord& r, const ColumnContext&) {
    return r.kind == RecordKind::Position ? r.name : r.label;
}
std::string Wkn(const PositionRecord& r, const ColumnContext&) { return r.wkn; }
std::string Isin(const PositionRecord& r, const ColumnContext&) { return r.isin; }
std::string Type(const PositionRecord& r, const ColumnContext&) { return r.type; }
std::string ExtraInfo(const PositionRecord& r, const ColumnContext& c) {
    return ExtraInfoText(r, c.extraInfo);
}
std::string Pieces(const PositionRecord& r, const ColumnContext& c) {
    return FormatPieces(r.quantity, c.decimals.pieces, c.options);
}
std::string PurchaseDate(const PositionRecord& r, const ColumnContext&) {
    return r.purchaseDate.FormatLong();
}
std::string SaleDate(const PositionRecord& r, const ColumnContext&) {
    return r.saleDate.FormatLong();
}
std::string DaysInDepot(const PositionRecord& r, const ColumnContext&) {
    return std::to_string(r.daysInDepot);
}
std::string TaxCategory(const PositionRecord& r, const ColumnContext&) {
    return r.taxCategory < 0 ? "-" : r.taxAbbreviation;
}
std::string BuyPrice(const PositionRecord& r, const ColumnContext& c) {
    return PriceText(r.buyPrice, c.decimals.buyPrice, c.options);
}
std::string BuyCurrency(const PositionRecord& r, const ColumnContext&) { return r.buyCurrencyName; }
std::string BuyPriceReport(const PositionRecord& r, const ColumnContext& c) {
    return PriceText(r.buyPriceReport, c.decimals.buyPriceReport, c.options);
}
std::string PurchaseValue(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.purchaseValue, c.options);
}
std::string PurchaseCosts(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.purchaseCosts, c.options);
}
std::string PurchasePrice(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.purchasePrice, c.options);
}
std::string CurrentPrice(const PositionRecord& r, const ColumnContext& c) {
    return Bracketed(c, r, PriceText(r.currentPrice, c.decimals.currentPrice, c.options));
}
std::string QuoteCurrency(const PositionRecord& r, const ColumnContext&) {
    return r.quoteCurrencyName;
}
std::string CurrentPriceReport(const PositionRecord& r, const ColumnContext& c) {
    return Bracketed(c, r,
                     PriceText(r.currentPriceReport, c.decimals.currentPriceReport, c.options));
}
std::string CurrentValue(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.currentValue, c.options);
}
std::string SalePrice(const PositionRecord& r, const ColumnContext& c) {
    return PriceText(r.salePrice, c.decimals.salePrice, c.options);
}
std::string SaleCurrency(const PositionRecord& r, const ColumnContext&) {
    return r.saleCurrencyName;
}
std::string SalePriceReport(const PositionRecord& r, const ColumnContext& c) {
    return PriceText(r.salePriceReport, c.decimals.salePriceReport, c.options);
}
std::string SaleValue(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.saleValue, c.options);
}
std::string SaleCosts(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.saleCosts, c.options);
}
std::string Proceeds(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.proceeds, c.options);
}
std::string GainLoss(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.gainLoss, c.options, true);
}
std::string GainLossPercent(const PositionRecord& r, const ColumnContext& c) {
    return PercentText(r, r.gainLossPercent, c.percentDecimals, true, c.options);
}
std::string Annualised(const PositionRecord& r, const ColumnContext& c) {
    return AnnualisedCellText(r, r.annualisedPercent, c.percentDecimals, c.options);
}
std::string Dividends(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.dividends, c.options);
}
std::string DividendPercent(const PositionRecord& r, const ColumnContext& c) {
    return PercentText(r, r.dividendPercent, c.percentDecimals, false, c.options);
}
std::string GainLossWithDividends(const PositionRecord& r, const ColumnContext& c) {
    return AmountText(r.gainLossWithDividends, c.options, true);
}
std::string GainLossWithDividendsPercent(const PositionRecord& r, const ColumnContext& c) {
    return PercentText(r, r.gainLossWithDividendsPercent, c.percentDecimals, true, c.options);
}
std::string AnnualisedWithDividends(const PositionRecord& r, const ColumnContext& c) {
    return AnnualisedCellText(r, r.annualisedWithDividendsPercent, c.percentDecimals, c.options);
}

}  // namespace cells

}  // namespace pf

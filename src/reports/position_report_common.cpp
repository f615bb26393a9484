#include "reports/position_report_common.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "engine/number_entry.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/report_format.h"
#include "reports/report_table.h"

namespace pf {

void SetSecurityTexts(const CFolari2Doc& doc, const CFL2Wertpapier* security,
                      PositionRecord& record) {
    if (security == nullptr) return;
    record.name = security->name;
    record.wkn = security->wkn;
    record.isin = security->isin;
    record.type = security->type;
    record.sector = security->sector;
    record.country = security->country;
    record.index = security->index;
    record.category1 = security->category1;
    record.category2 = security->category2;
    record.quoteCurrencyId = security->quoteCurrencyId;
    record.quoteCurrencyName = CurrencyNameOf(doc, security->quoteCurrencyId);
    record.subjectToHalfIncome = security->halfIncomeProcedure != 0;
}

std::string CurrencyNameOf(const CFolari2Doc& doc, int32_t currencyId) {
    const CFL2Waehrung* c = doc.FindCurrency(currencyId);
    return c != nullptr ? c->name : std::string();
}

Price PriceInReportCurrency(const CFolari2Doc& doc, Price price, int32_t currency1,
                            Rate rateBase, Rate rateQuote, int32_t currency2,
                            int32_t reportCurrency, CQRNDatum date) {
    if (currency1 == reportCurrency) return price;
    if (rateBase == 0.0) return 0.0;  // a damaged rate pair
    Price converted = RoundTo(price * rateQuote / rateBase, 7);
    if (currency2 != reportCurrency)
        converted = ConvertAtDate(doc, converted, date, currency2, reportCurrency, 7);
    return converted;
}

namespace {

Price AveragePrice(Amount value, Quantity pieces) {
    if (pieces == 0) return 0.0;
    return RoundTo(value / (static_cast<double>(pieces) * 1e-7), 7);
}

// The pieces, amounts and cash flows that merging and summing both add up.
void AddAmounts(PositionRecord& into, const PositionRecord& from) {
    into.quantity += from.quantity;
    into.purchaseValue += from.purchaseValue;
    into.purchaseCosts += from.purchaseCosts;
    into.purchasePrice += from.purchasePrice;
    into.dividends += from.dividends;
    into.currentValue += from.currentValue;
    into.saleValue += from.saleValue;
    into.saleCosts += from.saleCosts;
    into.proceeds += from.proceeds;
    into.cashFlows.insert(into.cashFlows.end(), from.cashFlows.begin(), from.cashFlows.end());
}

// Folds `from` into `into` (same security).
void Fold(PositionRecord& into, const PositionRecord& from) {
    AddAmounts(into, from);
    into.buyPriceReport = AveragePrice(into.purchaseValue, into.quantity);
    into.salePriceReport = AveragePrice(into.saleValue, into.quantity);
    into.stopPrice = std::max(into.stopPrice, from.stopPrice);
    if (from.targetPrice > 0.0 && (into.targetPrice <= 0.0 || from.targetPrice < into.targetPrice))
        into.targetPrice = from.targetPrice;
    into.simulated = into.simulated || from.simulated;
    into.lotCount += from.lotCount;
    into.merged = true;
}

}  // namespace

void MergePositions(std::vector<PositionRecord>& records) {
    for (size_t i = 0; i < records.size(); ++i) {
        size_t kept = i + 1;
        for (size_t k = i + 1; k < records.size(); ++k) {
            if (records[k].securityId == records[i].securityId) {
                Fold(records[i], records[k]);
            } else {
                if (kept != k) records[kept] = std::move(records[k]);
                ++kept;
            }
        }
        records.resize(kept);
    }
}

void AddToSum(PositionRecord& sum, const PositionRecord& position) {
    AddAmounts(sum, position);
    sum.lotCount += position.kind == RecordKind::Position ? 1 : 0;
}

void ComputeDerivedValues(PositionRecord& r, const DerivedValueOptions& options) {
    r.costBasis = CostBasisOf(r, options.includeCommissions);
    if (options.realized)
        r.resultBasis = options.includeCommissions ? r.proceeds : r.saleValue;
    else
        r.resultBasis = r.currentValue;
    // Both bases are sums of cent amounts; rounding the difference keeps a zero result
    // from turning into a tiny loss (colour) or a search for a rate (annualisation).
    r.gainLoss = RoundTo(r.resultBasis - r.costBasis, 2);
    r.gainLossWithDividends = RoundTo(r.gainLoss + r.dividends, 2);

    r.hasPercentages = r.costBasis > 0.0;
    if (!r.hasPercentages) {
        r.gainLossPercent = r.dividendPercent = r.gainLossWithDividendsPercent = 0.0;
        r.annualisedPercent = r.annualisedWithDividendsPercent = 0.0;
        return;
    }
    const int p = options.percentDecimals;
    r.gainLossPercent = RoundTo(r.gainLoss * 100.0 / r.costBasis, p);
    r.dividendPercent = RoundTo(r.dividends * 100.0 / r.costBasis, p);
    r.gainLossWithDividendsPercent = RoundTo(r.gainLossWithDividends * 100.0 / r.costBasis, p);
    r.annualisedPercent = RoundTo(
        AnnualisedPercent(r.cashFlows, r.resultBasis, r.gainLoss, options.annualisation), p);
    r.annualisedWithDividendsPercent =
        RoundTo(AnnualisedPercent(r.cashFlows, r.resultBasis + r.dividends,
                                  r.gainLossWithDividends, options.annualisation),
                p);
}

int PriceDecimalsNeeded(double price) {
    const double rounded = std::fabs(RoundTo(price, 7));
    // Beyond 2^53 / 10^7 no decimals are held anyway.
    if (!std::isfinite(rounded) || rounded >= 9.0e8) return 0;
    long long scaled = std::llround(rounded * 1e7);
    int decimals = 7;
    while (decimals > 0 && scaled % 10 == 0) {
        scaled /= 10;
        --decimals;
    }
    return decimals;
}

int ColumnPriceDecimals(const std::vector<double>& prices, int maxDecimals) {
    const int upper = std::clamp(maxDecimals, 2, 7);
    int decimals = 2;
    for (double price : prices) decimals = std::max(decimals, PriceDecimalsNeeded(price));
    return std::min(decimals, upper);
}

std::string FormatPieces(Quantity pieces, int decimals, const DocumentOptions& options) {
    const NumberFormat format = NumberFormatOf(options);
    decimals = std::clamp(decimals, 0, 7);
    const bool negative = pieces < 0;
    // The magnitude as unsigned, also for the most negative value.
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(pieces) : static_cast<uint64_t>(pieces);
    const uint64_t whole = magnitude / static_cast<uint64_t>(kPiece);
    const uint64_t fraction = magnitude % static_cast<uint64_t>(kPiece);
    std::string text =
        FormatNumber(static_cast<double>(whole), 0, 0, false, format.decimalSeparator,
                     format.thousandsSeparator);
    if (decimals > 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 7 - digits.size(), '0');
        text += format.decimalSeparator + digits.substr(0, static_cast<size_t>(decimals));
    }
    if (negative && magnitude != 0) text.insert(0, "-");
    return text;
}

namespace {

template <typename T>
int Compare(const T& a, const T& b) {
    return (b < a) - (a < b);
}

int CompareText(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
}

// A percentage shown as "-" sorts before every number.
int ComparePercent(const PositionRecord& a, double pa, const PositionRecord& b, double pb) {
    if (a.hasPercentages != b.hasPercentages) return a.hasPercentages ? 1 : -1;
    return a.hasPercentages ? Compare(pa, pb) : 0;
}

}  // namespace

int CompareRecords(const PositionRecord& a, const PositionRecord& b, RecordField field) {
    using F = RecordField;
    // clang-format off
    switch (field) {
        case F::Name:          return CompareText(a.name, b.name);
        case F::Wkn:           return CompareText(a.wkn, b.wkn);
        case F::Isin:          return CompareText(a.isin, b.isin);
        case F::Type:          return CompareText(a.type, b.type);
        case F::Sector:        return CompareText(a.sector, b.sector);
        case F::Country:       return CompareText(a.country, b.country);
        case F::Index:         return CompareText(a.index, b.index);
        case F::Category1:     return CompareText(a.category1, b.category1);
        case F::Category2:     return CompareText(a.category2, b.category2);
        case F::Quantity:      return Compare(a.quantity, b.quantity);
        case F::QuoteCurrency: return CompareText(a.quoteCurrencyName, b.quoteCurrencyName);
        case F::PurchaseDate:  return Compare(a.purchaseDate, b.purchaseDate);
        case F::SaleDate:      return Compare(a.saleDate, b.saleDate);
        case F::DaysInDepot:   return Compare(a.daysInDepot, b.daysInDepot);
        case F::PurchaseValue: return Compare(a.purchaseValue, b.purchaseValue);
        case F::PurchaseCosts: return Compare(a.purchaseCosts, b.purchaseCosts);
        case F::PurchasePrice: return Compare(a.purchasePrice, b.purchasePrice);
        case F::CurrentValue:  return Compare(a.currentValue, b.currentValue);
        case F::SaleValue:     return Compare(a.saleValue, b.saleValue);
        case F::SaleCosts:     return Compare(a.saleCosts, b.saleCosts);
        case F::Proceeds:      return Compare(a.proceeds, b.proceeds);
        case F::GainLoss:      return Compare(a.gainLoss, b.gainLoss);
        case F::GainLossPercent:
            return ComparePercent(a, a.gainLossPercent, b, b.gainLossPercent);
        case F::Annualised:
            return ComparePercent(a, a.annualisedPercent, b, b.annualisedPercent);
        case F::Dividends:     return Compare(a.dividends, b.dividends);
        case F::DividendPercent:
            return ComparePercent(a, a.dividendPercent, b, b.dividendPercent);
        case F::GainLossWithDividends:
            return Compare(a.gainLossWithDividends, b.gainLossWithDividends);
        case F::GainLossWithDividendsPercent:
            return ComparePercent(a, a.gainLossWithDividendsPercent, b,
                                  b.gainLossWithDividendsPercent);
        case F::AnnualisedWithDividends:
            return ComparePercent(a, a.annualisedWithDividendsPercent, b,
                                  b.annualisedWithDividendsPercent);
    }
    // clang-format on
    return 0;
}

void SortRecords(std::vector<PositionRecord>& records, RecordField field, bool descending) {
    // The sort swaps a quadratic number of times; it swaps indexes, and the records are moved
    // into place once at the end.
    std::vector<size_t> order(records.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    for (size_t i = 0; i < order.size(); ++i) {
        for (size_t k = i + 1; k < order.size(); ++k) {
            const int c = CompareRecords(records[order[i]], records[order[k]], field);
            if (descending ? c < 0 : c > 0) std::swap(order[i], order[k]);
        }
    }
    std::vector<PositionRecord> sorted;
    sorted.reserve(records.size());
    for (size_t i : order) sorted.push_back(std::move(records[i]));
    records = std::move(sorted);
}

std::vector<ColumnSpec> VisibleColumns(const std::vector<ColumnSpec>& all, uint32_t mask) {
    std::vector<ColumnSpec> visible;
    for (const ColumnSpec& column : all)
        if (column.bit >= 0 && column.bit < 32 && (mask >> column.bit & 1u) != 0)
            visible.push_back(column);
    std::stable_sort(visible.begin(), visible.end(),
                     [](const ColumnSpec& a, const ColumnSpec& b) { return a.bit < b.bit; });
    return visible;
}

std::string ExtraInfoHeader(const DocumentOptions& options, int extraInfo) {
    switch (extraInfo) {
        case kCountry: return "Land";
        case kIndex: return "Index/Marktseg.";
        case kOwnCategory1: return options.ownCategoryCaption1;
        case kOwnCategory2: return options.ownCategoryCaption2;
        default: return "Branche";
    }
}

const std::string& ExtraInfoText(const PositionRecord& record, int extraInfo) {
    switch (extraInfo) {
        case kCountry: return record.country;
        case kIndex: return record.index;
        case kOwnCategory1: return record.category1;
        case kOwnCategory2: return record.category2;
        default: return record.sector;
    }
}

TableFonts StartPositionTable(ReportTable& table, const TableAppearance& appearance,
                              double screenScale, const std::vector<ColumnSpec>& columns,
                              const std::string& title) {
    const int columnCount = std::max(1, static_cast<int>(columns.size()));
    table.Init(appearance.face, appearance.rowFontHeight, columnCount, appearance.outerMargin,
               appearance.columnMargin, appearance.columnGap, screenScale);
    TableFonts fonts;
    fonts.row = 0;
    fonts.title = table.AddFont(appearance.titleFontHeight);
    fonts.columnTitle = table.AddFont(appearance.columnTitleFontHeight);
    for (size_t c = 0; c < columns.size(); ++c)
        table.SetColumnAlignment(static_cast<int>(c), columns[c].alignment);

    int row = table.AddRow(kTitleRowColour, kTitleRowColour, fonts.title, 0, 0, 0,
                           appearance.repeatTitle != 0);
    table.SetCell(row, 0, title, columnCount, kAlignLeft);

    const bool repeat = appearance.repeatColumnTitles != 0;
    const int first = table.AddRow(kColumnTitleRowColour, kColumnTitleRowColour,
                                   fonts.columnTitle, appearance.outerMargin, 0, 1, repeat);
    const int second = table.AddRow(kColumnTitleRowColour, kColumnTitleRowColour,
                                    fonts.columnTitle, 0, 1, 0, repeat);
    for (size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(c);
        if (!columns[c].header1.empty()) table.SetCell(first, column, columns[c].header1);
        if (!columns[c].header2.empty()) table.SetCell(second, column, columns[c].header2);
    }
    return fonts;
}

RowColours DataRowColours(int index, bool loss) {
    // The first data row counts as row 1 (odd).
    if (index % 2 == 0) return {kOddRowGrey, loss ? kOddRowLoss : kOddRowGain};
    return {kEvenRowGrey, loss ? kEvenRowLoss : kEvenRowGain};
}

RowColours SumRowColours(bool loss) {
    return {kTotalRowGrey, loss ? kTotalRowLoss : kTotalRowGain};
}

bool IsLoss(const PositionRecord& record, const TableAppearance& appearance) {
    const Amount value =
        appearance.colourWithDividends != 0 ? record.gainLossWithDividends : record.gainLoss;
    return value < 0.0;
}

std::string AmountText(double amount, const DocumentOptions& options, bool plusSign) {
    return FormatNumber(amount, 2, 2, plusSign, options);
}

std::string PriceText(double price, int decimals, const DocumentOptions& options) {
    return FormatNumber(price, decimals, decimals, false, options);
}

std::string PercentText(const PositionRecord& record, double percent, int decimals,
                        bool plusSign, const DocumentOptions& options) {
    if (!record.hasPercentages) return "-";
    return FormatNumber(percent, decimals, decimals, plusSign, options) + "%";
}

std::string AnnualisedCellText(const PositionRecord& record, double percent, int decimals,
                               const DocumentOptions& options) {
    if (!record.hasPercentages) return "-";
    const NumberFormat format = NumberFormatOf(options);
    return AnnualisedText(percent, decimals, format.decimalSeparator, format.thousandsSeparator);
}

}  // namespace pf

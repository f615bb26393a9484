#include "reports/position_report_common.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "engine/number_entry.h"
#include "engine/tax_categories.h"
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

namespace {

// Whether a conversion at `date` has the rate it needs from `currency`: a fixed currency (and
// the base currency) needs none, a currency with variable rate one dated on or before `date`.
// A missing currency needs none here; the conversion itself gives 0 for it.
bool HasRateAt(const CFolari2Doc& doc, int32_t currency, CQRNDatum date) {
    const CFL2Waehrung* c = doc.FindCurrency(currency);
    if (c == nullptr || c->id == kBaseCurrencyId || c->isFixed != 0) return true;
    return c->rates.LatestOnOrBefore(date) != nullptr;
}

}  // namespace

Price PriceInReportCurrency(const CFolari2Doc& doc, Price price, int32_t currency1, Rate rateBase,
                            Rate rateQuote, int32_t currency2, int32_t reportCurrency,
                            CQRNDatum date) {
    if (currency1 == reportCurrency) return price;
    if (rateBase == 0.0) return 0.0;  // a damaged rate pair
    Price converted = RoundTo(price * rateQuote / rateBase, 7);
    if (currency2 != reportCurrency) {
        if (!HasRateAt(doc, currency2, date) || !HasRateAt(doc, reportCurrency, date)) return 0.0;
        converted = ConvertAtDate(doc, converted, date, currency2, reportCurrency, 7);
    }
    return converted;
}

PositionRecord LotRecord(const CFolari2Doc& doc, const CFL2DepotPos& lot, int32_t reportCurrency,
                         CQRNDatum rateDate) {
    PositionRecord r;
    r.securityId = lot.securityId;
    r.transactionId = lot.transactionId;
    r.positionNo = lot.positionNo;
    SetSecurityTexts(doc, doc.FindSecurity(lot.securityId), r);
    r.quantity = lot.quantity;
    r.purchaseDate = lot.purchaseDate;
    r.buyPrice = lot.price;
    r.buyCurrencyId = lot.currency1;
    r.buyCurrencyName = CurrencyNameOf(doc, lot.currency1);
    r.buyPriceReport =
        PriceInReportCurrency(doc, lot.price, lot.currency1, lot.rateBase, lot.rateQuote,
                              lot.currency2, reportCurrency, rateDate);
    r.purchaseValue = lot.purchaseValue;
    r.purchaseCosts = lot.purchaseCosts;
    r.purchasePrice = lot.purchaseTotal;
    r.dividends = lot.income;
    r.stopPrice = lot.stopPrice;
    r.targetPrice = lot.targetPrice;
    return r;
}

void SetHoldingPeriod(const CFolari2Doc& doc, PositionRecord& r, CQRNDatum end,
                      bool includeCommissions) {
    r.daysInDepot = DaysBetween(r.purchaseDate, end);
    r.cashFlows.push_back({std::max(1, r.daysInDepot), CostBasisOf(r, includeCommissions)});
    r.taxCategory = MatchTaxCategory(doc, r.purchaseDate, end, r.subjectToHalfIncome);
    if (r.taxCategory >= 0) {
        const CFL2StPflKateg& category = doc.taxCategories[static_cast<size_t>(r.taxCategory)];
        r.taxName = category.name;
        r.taxAbbreviation = category.abbreviation;
    }
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
    const Amount difference = r.resultBasis - r.costBasis;
    // Both bases are sums of cent amounts; rounding the difference keeps a zero result
    // from turning into a tiny loss (colour) or a search for a rate (annualisation).
    r.gainLoss = RoundTo(difference, 2);
    r.gainLossWithDividends = RoundTo(r.gainLoss + r.dividends, 2);

    r.hasPercentages = r.costBasis > 0.0;
    if (!r.hasPercentages) {
        r.gainLossPercent = r.dividendPercent = r.gainLossWithDividendsPercent = 0.0;
        r.annualisedPercent = r.annualisedWithDividendsPercent = 0.0;
        return;
    }
    const int p = options.percentDecimals;
    r.gainLossPercent = PercentOf(difference, r.costBasis, p);
    r.dividendPercent = PercentOf(r.dividends, r.costBasis, p);
    r.gainLossWithDividendsPercent = PercentOf(difference + r.dividends, r.costBasis, p);
    r.annualisedPercent = RoundTo(
        AnnualisedPercent(r.cashFlows, r.resultBasis, r.gainLoss, options.annualisation), p);
    r.annualisedWithDividendsPercent =
        RoundTo(AnnualisedPercent(r.cashFlows, r.resultBasis + r.dividends, r.gainLossWithDividends,
                                  options.annualisation),
                p);
}

namespace {

// A money amount as a whole number of cents, if it is one to within a thousandth of a cent
// (the residue of adding up many cent amounts as doubles stays far below that).
bool WholeCents(Amount amount, int64_t& cents) {
    const double scaled = amount * 100.0;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 1.0e15) return false;
    const double whole = std::round(scaled);
    if (std::fabs(scaled - whole) > 1.0e-3) return false;
    cents = static_cast<int64_t>(whole);
    return true;
}

}  // namespace

double PercentOf(Amount part, Amount base, int decimals) {
    decimals = std::clamp(decimals, 0, 15);
    int64_t partCents = 0;
    int64_t baseCents = 0;
    if (WholeCents(part, partCents) && WholeCents(base, baseCents) && baseCents != 0) {
        // part × 100 ÷ base in units of 10^-decimals is n ÷ baseCents with
        // n = partCents × 100 × 10^decimals, when n fits 64 bits.
        int64_t scale = 100;
        for (int i = 0; i < decimals; ++i) scale *= 10;
        if (std::llabs(partCents) <= INT64_MAX / scale) {
            const int64_t n = partCents * scale;
            int64_t quotient = n / baseCents;  // truncated toward zero
            const int64_t remainder = n % baseCents;
            // Half away from zero: the dropped fraction |remainder / baseCents| is at least 1/2.
            if (remainder != 0 &&
                std::llabs(remainder) >= std::llabs(baseCents) - std::llabs(remainder))
                quotient += (n < 0) != (baseCents < 0) ? -1 : 1;
            return static_cast<double>(quotient) / static_cast<double>(scale / 100);
        }
    }
    return RoundTo(part * 100.0 / base, decimals);
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

ColumnDecimals ColumnDecimalsOf(const std::vector<PositionRecord>& positions,
                                const PositionRecord& total, int maxPriceDecimals) {
    ColumnDecimals d;
    std::vector<double> buy, buyReport, current, currentReport, sale, saleReport;
    d.pieces = PieceDecimals(total.quantity);
    for (const PositionRecord& r : positions) {
        d.pieces = std::max(d.pieces, PieceDecimals(r.quantity));
        if (!r.merged) {
            buy.push_back(r.buyPrice);
            sale.push_back(r.salePrice);
        }
        buyReport.push_back(r.buyPriceReport);
        current.push_back(r.currentPrice);
        currentReport.push_back(r.currentPriceReport);
        saleReport.push_back(r.salePriceReport);
    }
    d.buyPrice = ColumnPriceDecimals(buy, maxPriceDecimals);
    d.buyPriceReport = ColumnPriceDecimals(buyReport, maxPriceDecimals);
    d.currentPrice = ColumnPriceDecimals(current, maxPriceDecimals);
    d.currentPriceReport = ColumnPriceDecimals(currentReport, maxPriceDecimals);
    d.salePrice = ColumnPriceDecimals(sale, maxPriceDecimals);
    d.salePriceReport = ColumnPriceDecimals(saleReport, maxPriceDecimals);
    return d;
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
    std::string text = FormatNumber(static_cast<double>(whole), 0, 0, false,
                                    format.decimalSeparator, format.thousandsSeparator);
    if (decimals > 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 7 - digits.size(), '0');
        text += format.decimalSeparator + digits.substr(0, static_cast<size_t>(decimals));
    }
    if (negative && magnitude != 0) text.insert(0, "-");
    return text;
}

RowStyle DataRowStyle(int index, bool loss) {
    RowStyle style;
    // The first data row counts as row 1 (odd).
    if (index % 2 == 0) {
        style.colourA = kOddRowGrey;
        style.colourB = loss ? kOddRowLoss : kOddRowGain;
    } else {
        style.colourA = kEvenRowGrey;
        style.colourB = loss ? kEvenRowLoss : kEvenRowGain;
    }
    return style;
}

RowStyle SumRowStyle(bool loss) {
    RowStyle style;
    style.colourA = kTotalRowGrey;
    style.colourB = loss ? kTotalRowLoss : kTotalRowGain;
    style.user[kUserTransaction] = -1;
    style.user[kUserRowKind] = 255;
    return style;
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

std::string PercentText(const PositionRecord& record, double percent, int decimals, bool plusSign,
                        const DocumentOptions& options) {
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

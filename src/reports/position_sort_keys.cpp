#include "reports/position_sort_keys.h"

#include <cstddef>
#include <utility>

#include "engine/position_sort.h"

namespace pf {

namespace {

// A percentage shown as "-" sorts before every number.
int ComparePercent(const PositionRecord& a, double pa, const PositionRecord& b, double pb) {
    if (a.hasPercentages != b.hasPercentages) return a.hasPercentages ? 1 : -1;
    return a.hasPercentages ? CompareValues(pa, pb) : 0;
}

}  // namespace

int CompareRecords(const PositionRecord& a, const PositionRecord& b, RecordField field) {
    using F = RecordField;
    // clang-format off
    switch (field) {
        case F::Name:          return CompareTexts(a.name, b.name);
        case F::Wkn:           return CompareTexts(a.wkn, b.wkn);
        case F::Isin:          return CompareTexts(a.isin, b.isin);
        case F::Type:          return CompareTexts(a.type, b.type);
        case F::Sector:        return CompareTexts(a.sector, b.sector);
        case F::Country:       return CompareTexts(a.country, b.country);
        case F::Index:         return CompareTexts(a.index, b.index);
        case F::Category1:     return CompareTexts(a.category1, b.category1);
        case F::Category2:     return CompareTexts(a.category2, b.category2);
        case F::Quantity:      return CompareValues(a.quantity, b.quantity);
        case F::QuoteCurrency: return CompareTexts(a.quoteCurrencyName, b.quoteCurrencyName);
        case F::PurchaseDate:  return CompareValues(a.purchaseDate, b.purchaseDate);
        case F::SaleDate:      return CompareValues(a.saleDate, b.saleDate);
        case F::DaysInDepot:   return CompareValues(a.daysInDepot, b.daysInDepot);
        case F::PurchaseValue: return CompareValues(a.purchaseValue, b.purchaseValue);
        case F::PurchaseCosts: return CompareValues(a.purchaseCosts, b.purchaseCosts);
        case F::PurchasePrice: return CompareValues(a.purchasePrice, b.purchasePrice);
        case F::CurrentValue:  return CompareValues(a.currentValue, b.currentValue);
        case F::SaleValue:     return CompareValues(a.saleValue, b.saleValue);
        case F::SaleCosts:     return CompareValues(a.saleCosts, b.saleCosts);
        case F::Proceeds:      return CompareValues(a.proceeds, b.proceeds);
        case F::GainLoss:      return CompareValues(a.gainLoss, b.gainLoss);
        case F::GainLossPercent:
            return ComparePercent(a, a.gainLossPercent, b, b.gainLossPercent);
        case F::Annualised:
            return ComparePercent(a, a.annualisedPercent, b, b.annualisedPercent);
        case F::Dividends:     return CompareValues(a.dividends, b.dividends);
        case F::DividendPercent:
            return ComparePercent(a, a.dividendPercent, b, b.dividendPercent);
        case F::GainLossWithDividends:
            return CompareValues(a.gainLossWithDividends, b.gainLossWithDividends);
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
    ExchangeSort(
        order.begin(), order.end(),
        [&](size_t a, size_t b) { return CompareRecords(records[a], records[b], field); },
        descending);
    std::vector<PositionRecord> sorted;
    sorted.reserve(records.size());
    for (size_t i : order) sorted.push_back(std::move(records[i]));
    records = std::move(sorted);
}

std::vector<std::string> SortKeyTexts(std::span<const ReportSortKey> keys,
                                      const DocumentOptions& options) {
    std::vector<std::string> texts;
    texts.reserve(keys.size());
    for (const ReportSortKey& key : keys) {
        if (key.text != nullptr) {
            texts.emplace_back(key.text);
            continue;
        }
        switch (key.field) {
            case RecordField::Isin:
                texts.push_back(options.isinLabel);
                break;
            case RecordField::Category1:
                texts.push_back(options.ownCategoryCaption1);
                break;
            case RecordField::Category2:
                texts.push_back(options.ownCategoryCaption2);
                break;
            default:
                texts.emplace_back();
                break;
        }
    }
    return texts;
}

RecordField SortKeyField(std::span<const ReportSortKey> keys, int32_t stored, int defaultKey) {
    const auto count = static_cast<int32_t>(keys.size());
    const int32_t key = stored >= 0 && stored < count ? stored : defaultKey;
    return keys[static_cast<size_t>(key)].field;
}

}  // namespace pf

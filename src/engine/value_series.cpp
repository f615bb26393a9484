#include "engine/value_series.h"

#include <algorithm>
#include <unordered_map>

#include "engine/holdings.h"
#include "model/currency_conversion.h"
#include "model/document.h"

namespace pf {

namespace {

// The split-adjusted quote of one security for every day of the range, found by walking the
// history once instead of searching it per day.
std::vector<Price> DailyPrices(const CFL2Wertpapier& security, CQRNDatum from, size_t days,
                               CQRNDatum viewDate) {
    std::vector<Price> prices(days, 0.0);
    const QuoteHistory& quotes = security.quotes;
    size_t next = 0;
    const CFL2Kurs* current = nullptr;
    for (size_t i = 0; i < days; ++i) {
        const CQRNDatum day(from.DayNumber() + static_cast<uint32_t>(i));
        while (next < quotes.size() && quotes[next].date <= day) current = &quotes[next++];
        if (current != nullptr)
            prices[i] = security.SplitAdjust(current->value, current->date, viewDate);
    }
    return prices;
}

}  // namespace

ValueSeriesResult ValueSeries(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                              int32_t currency, bool useTotal) {
    if (to < from) return {};
    HoldingsQuery query;
    query.limitByDate = true;
    query.limitDate = to;
    query.targetCurrency = currency;
    return ValueSeries(doc, ComputeHoldings(doc, query), from, to, currency, useTotal);
}

ValueSeriesResult ValueSeries(const CFolari2Doc& doc, const PositionList& lots, CQRNDatum from,
                              CQRNDatum to, int32_t currency, bool useTotal) {
    ValueSeriesResult result;
    if (to < from) return result;
    const size_t days = to.DayNumber() - from.DayNumber() + 1;
    result.values.assign(days, 0.0);
    result.invested.assign(days, 0.0);

    std::unordered_map<int32_t, std::vector<Price>> prices;
    for (const CFL2DepotPos& lot : lots) {
        // The lot counts on the days d with entryDate <= d and (open or saleDate > d).
        const uint32_t first = std::max(from.DayNumber(), lot.entryDate.DayNumber());
        uint32_t last = to.DayNumber();
        if (lot.state != PositionState::Open) {
            if (lot.saleDate.DayNumber() == 0) continue;
            last = std::min(last, lot.saleDate.DayNumber() - 1);
        }
        if (first > last) continue;

        const CFL2Wertpapier* security = doc.FindSecurity(lot.securityId);
        const std::vector<Price>* daily = nullptr;
        if (security != nullptr) {
            auto it = prices.find(lot.securityId);
            if (it == prices.end())
                it = prices.emplace(lot.securityId, DailyPrices(*security, from, days, to)).first;
            daily = &it->second;
        }
        const double invested = useTotal ? lot.purchaseTotal : lot.purchaseValue;
        const double pieces = static_cast<double>(lot.quantity);
        for (uint32_t day = first; day <= last; ++day) {
            const size_t i = day - from.DayNumber();
            result.invested[i] += invested;
            if (daily == nullptr) continue;
            const double value = RoundTo((*daily)[i] * pieces / kPiece, 2);
            result.values[i] +=
                ConvertAtDate(doc, value, CQRNDatum(day), security->quoteCurrencyId, currency, 2);
        }
    }
    return result;
}

}  // namespace pf

#include "reports/development_rows.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <unordered_map>

#include "engine/balance_series.h"
#include "engine/holdings.h"
#include "engine/value_series.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/report_format.h"

namespace pf {

namespace {

constexpr DevelopmentItem kGroups[] = {kDevPositions, kDevDepot, kDevAccount, kDevAssets};
constexpr DevelopmentItem kSubItems[] = {kDevPositionPrice,
                                         kDevPositionGainPercent,
                                         kDevPositionText,
                                         kDevInvested,
                                         kDevDepotValue,
                                         kDevDepotGain,
                                         kDevDepotGainPercent,
                                         kDevDepotChange,
                                         kDevDepotChangePercent,
                                         kDevBalance,
                                         kDevLiquidityPercent,
                                         kDevPaidIn,
                                         kDevAssetsValue,
                                         kDevAssetsGain,
                                         kDevAssetsGainPercent,
                                         kDevAssetsChange,
                                         kDevAssetsChangePercent,
                                         kDevAssetsDayChange,
                                         kDevAssetsDayChangePercent};

bool BitSet(uint32_t mask, int bit) { return ((mask >> bit) & 1u) != 0; }

// part / |base| × 100; nothing for a base of 0.
std::optional<double> Percent(double part, double base) {
    if (base == 0.0) return std::nullopt;
    return part / std::fabs(base) * 100.0;
}

CQRNDatum Plus(CQRNDatum day, int64_t days) {
    return CQRNDatum(static_cast<uint32_t>(static_cast<int64_t>(day.DayNumber()) + days));
}

// The last quote on or before each day of a period, once as quoted then and once in the
// piece units of the period's end; NaN before the first quote.
struct DailyQuotes {
    std::vector<Price> shown;
    std::vector<Price> valued;
};

DailyQuotes WalkQuotes(const CFL2Wertpapier& security, CQRNDatum from, size_t days, CQRNDatum to) {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    DailyQuotes q{std::vector<Price>(days, kNone), std::vector<Price>(days, kNone)};
    const QuoteHistory& quotes = security.quotes;
    size_t next = 0;
    const CFL2Kurs* current = nullptr;
    for (size_t i = 0; i < days; ++i) {
        const CQRNDatum day = Plus(from, static_cast<int64_t>(i));
        while (next < quotes.size() && quotes[next].date <= day) current = &quotes[next++];
        if (current == nullptr) continue;
        if (security.splits.empty()) {
            q.shown[i] = q.valued[i] = current->value;
        } else {
            q.shown[i] = security.SplitAdjust(current->value, current->date, day);
            q.valued[i] = security.SplitAdjust(current->value, current->date, to);
        }
    }
    return q;
}

// The first and last day of the period on which `lot` was held; false if none.
bool HeldSpan(const CFL2DepotPos& lot, CQRNDatum from, CQRNDatum to, CQRNDatum& first,
              CQRNDatum& last) {
    first = std::max(from, lot.entryDate);
    last = to;
    if (lot.state != PositionState::Open) {
        if (lot.saleDate.DayNumber() == 0) return false;
        last = std::min(last, CQRNDatum(lot.saleDate.DayNumber() - 1));
    }
    return !(last < first);
}

std::string PositionText(const CFolari2Doc& doc, const DevelopmentPosition& column,
                         const std::vector<const CFL2DepotPos*>& lots, CQRNDatum from,
                         CQRNDatum to) {
    const DocumentOptions& options = doc.options;
    const CFL2Wertpapier* security = doc.FindSecurity(column.securityId);
    const CFL2Waehrung* currency =
        security != nullptr ? doc.FindCurrency(security->quoteCurrencyId) : nullptr;
    const int priceDecimals = options.lists.priceDecimals;
    auto price = [&](double p) {
        return FormatNumber(p, std::min(2, priceDecimals), priceDecimals, false, options);
    };

    // Pieces: those held on the column's last held day. Purchase: the earliest purchase
    // date and the average price weighted by pieces. Sale: only when every lot was gone by
    // the end date, the latest sale date and the pieces-weighted price of the sold lots.
    Quantity pieces = 0;
    CQRNDatum purchaseDate = lots.front()->purchaseDate;
    double purchaseSum = 0.0;
    double purchasePieces = 0.0;
    bool allClosed = true;
    CQRNDatum saleDate;
    double saleSum = 0.0;
    double salePieces = 0.0;
    for (const CFL2DepotPos* lot : lots) {
        CQRNDatum first, last;
        if (HeldSpan(*lot, from, to, first, last) && !(column.heldUntil < first) &&
            !(last < column.heldUntil))
            pieces += lot->quantity;
        purchaseDate = std::min(purchaseDate, lot->purchaseDate);
        purchaseSum += lot->price * static_cast<double>(lot->quantity);
        purchasePieces += static_cast<double>(lot->quantity);
        if (lot->state == PositionState::Open || to < lot->saleDate) {
            allClosed = false;
            continue;
        }
        saleDate = std::max(saleDate, lot->saleDate);
        if (lot->state == PositionState::Sold) {
            saleSum += lot->salePrice * static_cast<double>(lot->quantity);
            salePieces += static_cast<double>(lot->quantity);
        }
    }

    std::string text = options.development.positionText;
    text = ReplacePlaceholder(text, "<BEZEICHNUNG>", security != nullptr ? security->name : "");
    text = ReplacePlaceholder(text, "<WKN>", security != nullptr ? security->wkn : "");
    text = ReplacePlaceholder(text, "<KUERZEL>", security != nullptr ? security->isin : "");
    text = ReplacePlaceholder(text, "<ISIN>", security != nullptr ? security->isin : "");
    text = ReplacePlaceholder(text, "<KURSWAEHRUNG>", currency != nullptr ? currency->symbol : "");
    const int decimals = PieceDecimals(pieces);
    text = ReplacePlaceholder(
        text, "<STUECK>",
        FormatNumber(static_cast<double>(pieces) / kPiece, decimals, decimals, false, options));
    text = ReplacePlaceholder(text, "<KAUFDATUM>", purchaseDate.FormatLong());
    text = ReplacePlaceholder(text, "<KAUFKURS>",
                              purchasePieces > 0.0 ? price(purchaseSum / purchasePieces) : "");
    text = ReplacePlaceholder(text, "<VERKAUFDATUM>", allClosed ? saleDate.FormatLong() : "");
    text = ReplacePlaceholder(text, "<VERKAUFKURS>",
                              allClosed && salePieces > 0.0 ? price(saleSum / salePieces) : "");
    text = ReplacePlaceholder(text, "<STARTDATUM>", from.FormatLong());
    text = ReplacePlaceholder(text, "<ENDDATUM>", to.FormatLong());
    return text;
}

std::string SortText(const CFolari2Doc& doc, int32_t securityId, bool byWkn) {
    const CFL2Wertpapier* security = doc.FindSecurity(securityId);
    if (security == nullptr) return {};
    return byWkn ? security->wkn : security->name;
}

// `lots`: the replay up to the end date in the depot currency.
void FillPositions(const CFolari2Doc& doc, const PositionList& lots, DevelopmentRows& rows,
                   uint32_t mask) {
    const DevelopmentReportOptions& options = doc.options.development;
    const CQRNDatum from = rows.from;
    const CQRNDatum to = rows.to;

    // Columns in the order of their first lot.
    std::vector<std::vector<const CFL2DepotPos*>> columnLots;
    std::unordered_map<int32_t, size_t> columnOfSecurity;
    for (const CFL2DepotPos& lot : lots) {
        CQRNDatum first, last;
        if (!HeldSpan(lot, from, to, first, last)) continue;
        size_t index = columnLots.size();
        if (options.columnPerLot == 0) {
            const auto [it, added] = columnOfSecurity.emplace(lot.securityId, index);
            index = it->second;
        }
        if (index == columnLots.size()) {
            columnLots.emplace_back();
            DevelopmentPosition column;
            column.securityId = lot.securityId;
            column.heldFrom = first;
            column.heldUntil = last;
            rows.positions.push_back(std::move(column));
        }
        DevelopmentPosition& column = rows.positions[index];
        column.positionNos.push_back(lot.positionNo);
        column.heldFrom = std::min(column.heldFrom, first);
        column.heldUntil = std::max(column.heldUntil, last);
        columnLots[index].push_back(&lot);
    }

    const bool wantPrice = BitSet(mask, kDevPositionPrice);
    const bool wantPercent = BitSet(mask, kDevPositionGainPercent);
    const bool wantText = BitSet(mask, kDevPositionText);
    const size_t days = rows.days.size();
    std::unordered_map<int32_t, DailyQuotes> quotes;
    for (size_t c = 0; c < rows.positions.size(); ++c) {
        DevelopmentPosition& column = rows.positions[c];
        if (wantText) column.text = PositionText(doc, column, columnLots[c], from, to);
        if (!wantPrice && !wantPercent) continue;

        const CFL2Wertpapier* security = doc.FindSecurity(column.securityId);
        const size_t span = column.heldUntil.DayNumber() - column.heldFrom.DayNumber() + 1;
        const size_t offset = column.heldFrom.DayNumber() - from.DayNumber();
        if (wantPrice) column.price.assign(span, std::nullopt);
        if (wantPercent) column.gainPercent.assign(span, std::nullopt);
        if (security == nullptr) continue;
        auto it = quotes.find(column.securityId);
        if (it == quotes.end())
            it = quotes.emplace(column.securityId, WalkQuotes(*security, from, days, to)).first;
        const DailyQuotes& daily = it->second;

        std::vector<Amount> value(span, 0.0);
        std::vector<Amount> basis(span, 0.0);
        std::vector<char> held(span, 0);
        for (const CFL2DepotPos* lot : columnLots[c]) {
            CQRNDatum first, last;
            HeldSpan(*lot, from, to, first, last);
            const Amount lotBasis =
                options.includeCommissions != 0 ? lot->purchaseTotal : lot->purchaseValue;
            const double pieces = static_cast<double>(lot->quantity);
            // Without a conversion the lot's value depends on the quote alone, which mostly
            // stays from one day to the next (weekends, holidays): the last one is reused.
            const bool sameCurrency = security->quoteCurrencyId == options.depotCurrencyId;
            double lastQuote = std::numeric_limits<double>::quiet_NaN();
            Amount lastValue = 0.0;
            for (uint32_t day = first.DayNumber(); day <= last.DayNumber(); ++day) {
                const size_t k = day - column.heldFrom.DayNumber();
                held[k] = 1;
                basis[k] += lotBasis;
                const double quote = daily.valued[k + offset];
                if (!wantPercent || std::isnan(quote)) continue;
                if (sameCurrency && quote == lastQuote) {
                    value[k] += lastValue;
                    continue;
                }
                const Amount lotValue = RoundTo(quote * pieces / kPiece, 2);
                lastQuote = quote;
                lastValue = ConvertAtDate(doc, lotValue, CQRNDatum(day), security->quoteCurrencyId,
                                          options.depotCurrencyId, 2);
                value[k] += lastValue;
            }
        }
        for (size_t k = 0; k < span; ++k) {
            const double quote = daily.shown[k + offset];
            if (held[k] == 0 || std::isnan(quote)) continue;
            if (wantPrice) column.price[k] = quote;
            if (wantPercent)
                column.gainPercent[k] = Percent(RoundTo(value[k] - basis[k], 2), basis[k]);
        }
    }

    const bool byWkn = options.sortKey == kDevelopmentByWkn;
    std::vector<size_t> order(rows.positions.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (options.sortKey == kDevelopmentByPurchaseDate) {
        std::vector<CQRNDatum> purchase(order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            purchase[i] = columnLots[i].front()->purchaseDate;
            for (const CFL2DepotPos* lot : columnLots[i])
                purchase[i] = std::min(purchase[i], lot->purchaseDate);
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return purchase[a] < purchase[b]; });
    } else {
        std::vector<std::string> key(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            key[i] = SortText(doc, rows.positions[i].securityId, byWkn);
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return key[a] < key[b]; });
    }
    std::vector<DevelopmentPosition> sorted;
    sorted.reserve(order.size());
    for (size_t i : order) sorted.push_back(std::move(rows.positions[i]));
    rows.positions = std::move(sorted);
}

}  // namespace

DevelopmentItem DevelopmentGroupOf(DevelopmentItem item) {
    if (item < kDevDepot) return kDevPositions;
    if (item < kDevAccount) return kDevDepot;
    if (item < kDevAssets) return kDevAccount;
    return kDevAssets;
}

bool DevelopmentItemShown(uint32_t mask, DevelopmentItem item) {
    const bool known =
        std::find(std::begin(kGroups), std::end(kGroups), item) != std::end(kGroups) ||
        std::find(std::begin(kSubItems), std::end(kSubItems), item) != std::end(kSubItems);
    return known && BitSet(mask, item) && BitSet(mask, DevelopmentGroupOf(item));
}

std::vector<DevelopmentItem> ShownDevelopmentItems(uint32_t mask, DevelopmentItem group) {
    std::vector<DevelopmentItem> items;
    for (DevelopmentItem item : kSubItems)
        if (DevelopmentGroupOf(item) == group && DevelopmentItemShown(mask, item))
            items.push_back(item);
    return items;
}

std::optional<Price> DevelopmentPosition::PriceOn(CQRNDatum day) const {
    if (day < heldFrom || heldUntil < day) return std::nullopt;
    const size_t k = day.DayNumber() - heldFrom.DayNumber();
    return k < price.size() ? price[k] : std::nullopt;
}

std::optional<double> DevelopmentPosition::GainPercentOn(CQRNDatum day) const {
    if (day < heldFrom || heldUntil < day) return std::nullopt;
    const size_t k = day.DayNumber() - heldFrom.DayNumber();
    return k < gainPercent.size() ? gainPercent[k] : std::nullopt;
}

DevelopmentRows ComputeDevelopmentRows(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to) {
    DevelopmentRows rows;
    rows.from = from;
    rows.to = to;
    if (to < from) return rows;
    const DevelopmentReportOptions& options = doc.options.development;
    const uint32_t mask = static_cast<uint32_t>(options.itemMask);
    const size_t days = to.DayNumber() - from.DayNumber() + 1;
    rows.days.resize(days);
    for (size_t i = 0; i < days; ++i) rows.days[i].date = Plus(from, static_cast<int64_t>(i));

    // One replay up to the end date per currency, shared by the position columns and the
    // value series (a replay of a large depot costs as much as the rest of the figures).
    std::map<int32_t, PositionList> replays;
    auto lotsIn = [&](int32_t currency) -> const PositionList& {
        auto it = replays.find(currency);
        if (it == replays.end()) {
            HoldingsQuery query;
            query.limitByDate = true;
            query.limitDate = to;
            query.targetCurrency = currency;
            it = replays.emplace(currency, ComputeHoldings(doc, query)).first;
        }
        return it->second;
    };

    if (DevelopmentItemShown(mask, kDevPositions))
        FillPositions(doc, lotsIn(options.depotCurrencyId), rows, mask);

    // The series start one day early where that day exists, for the assets' change against
    // the previous day on the start date; `off` is the index of the start date in them.
    const bool previousDay = from.DayNumber() > 1;
    const CQRNDatum seriesFrom = previousDay ? Plus(from, -1) : from;
    const size_t off = previousDay ? 1 : 0;
    std::map<int32_t, ValueSeriesResult> values;
    std::map<int32_t, BalanceSeriesResult> balances;
    auto valueIn = [&](int32_t currency) -> const ValueSeriesResult& {
        auto it = values.find(currency);
        if (it == values.end())
            it = values
                     .emplace(currency, ValueSeries(doc, lotsIn(currency), seriesFrom, to, currency,
                                                    options.includeCommissions != 0))
                     .first;
        return it->second;
    };
    auto balanceIn = [&](int32_t currency) -> const BalanceSeriesResult& {
        auto it = balances.find(currency);
        if (it == balances.end())
            it = balances
                     .emplace(currency, BalanceSeries(doc, seriesFrom, to, currency, false, false))
                     .first;
        return it->second;
    };
    const bool relativeToEnd = options.correctionRelativeToEnd != 0;

    if (DevelopmentItemShown(mask, kDevDepot)) {
        const ValueSeriesResult& v = valueIn(options.depotCurrencyId);
        const Amount start = v.values[off];
        for (size_t i = 0; i < days; ++i) {
            DevelopmentDay& day = rows.days[i];
            day.invested = RoundTo(v.invested[i + off], 2);
            day.depotValue = v.values[i + off];
            day.depotGain = RoundTo(day.depotValue - day.invested, 2);
            day.depotGainPercent = Percent(day.depotGain, day.invested);
            day.depotChange = RoundTo(day.depotValue - start, 2);
            day.depotChangePercent = Percent(day.depotChange, start);
        }
    }

    if (DevelopmentItemShown(mask, kDevAccount)) {
        const BalanceSeriesResult& b = balanceIn(options.accountCurrencyId);
        const ValueSeriesResult& v = valueIn(options.accountCurrencyId);
        const Amount reference = relativeToEnd ? b.capital.back() : b.capital[off];
        for (size_t i = 0; i < days; ++i) {
            DevelopmentDay& day = rows.days[i];
            const Amount raw = b.balance[i + off];
            day.balance = options.correctAccount != 0
                              ? RoundTo(raw - b.capital[i + off] + reference, 2)
                              : raw;
            day.liquidityPercent = Percent(raw, RoundTo(v.values[i + off] + raw, 2));
        }
    }

    if (DevelopmentItemShown(mask, kDevAssets)) {
        const BalanceSeriesResult& b = balanceIn(options.assetsCurrencyId);
        const ValueSeriesResult& v = valueIn(options.assetsCurrencyId);
        const bool correct = options.correctAssets != 0;
        const Amount reference = relativeToEnd ? b.capital.back() : b.capital[off];
        std::vector<Amount> assets(b.balance.size());
        for (size_t j = 0; j < assets.size(); ++j) {
            const Amount balance =
                correct ? RoundTo(b.balance[j] - b.capital[j] + reference, 2) : b.balance[j];
            assets[j] = RoundTo(v.values[j] + balance, 2);
        }
        const Amount start = assets[off];
        for (size_t i = 0; i < days; ++i) {
            DevelopmentDay& day = rows.days[i];
            const size_t j = i + off;
            day.paidIn = correct ? reference : b.capital[j];
            day.assets = assets[j];
            day.assetsGain = RoundTo(day.assets - day.paidIn, 2);
            day.assetsGainPercent = Percent(day.assetsGain, day.paidIn);
            day.assetsChange = RoundTo(day.assets - start, 2);
            day.assetsChangePercent = Percent(day.assetsChange, start);
            if (j > 0) {
                day.assetsDayChange = RoundTo(day.assets - assets[j - 1], 2);
                day.assetsDayChangePercent = Percent(*day.assetsDayChange, assets[j - 1]);
            }
        }
    }
    return rows;
}

}  // namespace pf

#include "engine/balance_series.h"

#include "model/currency_conversion.h"
#include "model/document.h"

namespace pf {

namespace {

// RoundTo(amount × multiplier ÷ divisor, 2) with the fixed factors, 0 when they fail; an
// amount in the currency it is converted into is only rounded.
Amount Convert(const CFolari2Doc& doc, Amount amount, int32_t from, int32_t to) {
    return ConvertFixed(doc, amount, from, to, 2);
}

bool MovesCash(const CFL2Transaktion& t) {
    return t.type == TransactionType::Buy || t.type == TransactionType::AccountMovement ||
           t.type == TransactionType::Sell;
}

}  // namespace

BalanceSeriesResult BalanceSeries(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                  int32_t currency, bool relative, bool relativeToEnd) {
    BalanceSeriesResult result;
    if (to < from) return result;
    const size_t days = static_cast<size_t>(to.DayNumber() - from.DayNumber()) + 1;
    result.balance.reserve(days);
    result.capital.reserve(days);

    // Running values in the account currency R, and their conversion into `currency` as
    // the days up to the next transaction receive them. Before the first transaction both
    // are 0.
    Amount balance = 0.0;
    Amount capital = 0.0;
    int32_t accountCurrency = doc.initialAccountCurrencyId;
    size_t nextChange = 0;
    Amount shownBalance = 0.0;
    Amount shownCapital = 0.0;

    // Fills the days before `end` (never beyond `to`).
    auto fillBefore = [&](CQRNDatum end) {
        while (result.balance.size() < days &&
               uint64_t{from.DayNumber()} + result.balance.size() < end.DayNumber()) {
            result.balance.push_back(shownBalance);
            result.capital.push_back(shownCapital);
        }
    };

    for (const CFL2Transaktion& t : doc.transactions) {
        // The days before the transaction close with the values before it.
        fillBefore(t.date);
        // Later transactions change no day of the series.
        if (t.date > to) break;
        if (!MovesCash(t)) continue;

        const auto& changes = doc.accountCurrencyChanges;
        for (; nextChange < changes.size() && changes[nextChange].date <= t.date; ++nextChange) {
            const int32_t next = changes[nextChange].currencyId;
            balance = Convert(doc, balance, accountCurrency, next);
            capital = Convert(doc, capital, accountCurrency, next);
            accountCurrency = next;
        }

        Amount x = Convert(doc, t.amount, t.currency2, accountCurrency);
        const bool isMovement = t.type == TransactionType::AccountMovement;
        if (t.type == TransactionType::Buy || (isMovement && t.kindOutflow != 0)) x = -x;
        if (isMovement && t.kindCapital != 0) capital += x;
        balance += x;

        shownBalance = Convert(doc, balance, accountCurrency, currency);
        shownCapital = Convert(doc, capital, accountCurrency, currency);
    }
    while (result.balance.size() < days) {
        result.balance.push_back(shownBalance);
        result.capital.push_back(shownCapital);
    }

    if (relative) {
        const Amount reference = relativeToEnd ? result.capital.back() : result.capital.front();
        for (size_t d = 0; d < days; ++d) {
            result.balance[d] = result.balance[d] - result.capital[d] + reference;
            result.capital[d] = reference;
        }
    }
    return result;
}

}  // namespace pf

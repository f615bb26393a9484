#include "reports/performance_measures.h"

#include "engine/balance_series.h"
#include "engine/value_series.h"

namespace pf {

namespace {

bool IsLastDayOfMonth(CQRNDatum day) {
    return day.Day() == CQRNDatum::DaysInMonth(day.Month(), day.Year());
}

double Mean(const std::vector<Amount>& values) {
    double sum = 0;
    for (const Amount v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

}  // namespace

PerformanceMeasures MeasurePerformance(const PerformanceSeries& s, bool periodsEndAtMonthEnd) {
    PerformanceMeasures m;
    const size_t days = s.value.size();
    if (days == 0 || s.invested.size() != days || s.balance.size() != days ||
        s.paidIn.size() != days)
        return m;
    const auto assets = [&](size_t d) { return s.value[d] + s.balance[d]; };
    const auto dayAt = [&](size_t d) {
        return CQRNDatum(s.from.DayNumber() + static_cast<uint32_t>(d));
    };
    const size_t n = days - 1;
    const std::vector<Amount>& p = s.paidIn;

    m.startAssets = assets(0);
    m.endAssets = assets(n);
    m.flows = p[n] - p[0];
    m.gain = p[0] + (assets(n) - assets(0) - p[n]);
    m.averagePaidIn = Mean(p);
    m.averageInvested = Mean(s.invested);
    if (m.averagePaidIn != 0) m.mwrPaidIn = m.gain / m.averagePaidIn * 100;
    if (m.averageInvested != 0) m.mwrInvested = m.gain / m.averageInvested * 100;

    double product = 1;
    size_t start = 0;
    for (size_t d = 1; d <= n; ++d) {
        const bool closes =
            d == n || p[d] != p[d - 1] || (periodsEndAtMonthEnd && IsLastDayOfMonth(dayAt(d)));
        if (!closes) continue;
        PerformancePeriod period;
        period.from = dayAt(start);
        period.to = dayAt(d);
        period.startAssets = assets(start);
        period.endAssets = assets(d) - (p[d] - p[start]);
        if (period.startAssets != 0) {
            const double factor = period.endAssets / period.startAssets;
            period.percent = (factor - 1) * 100;
            product *= factor;
        }
        m.periods.push_back(period);
        start = d;
    }
    m.twr = (product - 1) * 100;
    return m;
}

PerformanceSeries PerformanceSeriesOf(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                      int32_t currencyId, bool purchaseCostsInCapital) {
    PerformanceSeries s;
    s.from = from;
    if (to < from) return s;
    ValueSeriesResult values = ValueSeries(doc, from, to, currencyId, purchaseCostsInCapital);
    BalanceSeriesResult account = BalanceSeries(doc, from, to, currencyId, false, false);
    s.value = std::move(values.values);
    s.invested = std::move(values.invested);
    s.balance = std::move(account.balance);
    s.paidIn = std::move(account.capital);
    return s;
}

}  // namespace pf

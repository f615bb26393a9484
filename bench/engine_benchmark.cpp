// Speed of the holdings replay and the daily series on large synthetic portfolios.
//   ComputeHoldings: 100,000 transactions, about 20,000 lots (target: under 50 ms)
//   ValueSeries: 20 years of days for about 1,000 lots (target: under 0.5 s)
//   BalanceSeries: 20 years of days (target: under 20 ms)

#include <benchmark/benchmark.h>

#include "engine/balance_series.h"
#include "engine/holdings.h"
#include "engine/value_series.h"
#include "synthetic_portfolio.h"

namespace {

using pf::CFolari2Doc;
using pf::bench::MakeSyntheticPortfolio;

const CFolari2Doc& LargeHistory() {
    static const CFolari2Doc doc = MakeSyntheticPortfolio({200, 5200, 100'000, 7});
    return doc;
}

const CFolari2Doc& ThousandLots() {
    static const CFolari2Doc doc = MakeSyntheticPortfolio({100, 5200, 2'400, 11});
    return doc;
}

// The 20 years up to the last quote of the portfolio.
pf::CQRNDatum LastDay(const CFolari2Doc& doc) {
    const pf::QuoteHistory& quotes = doc.securities.front().quotes;
    return quotes[quotes.size() - 1].date;
}

void BM_ComputeHoldings(benchmark::State& state) {
    const CFolari2Doc& doc = LargeHistory();
    size_t lots = 0;
    for (auto _ : state) {
        const pf::PositionList list = pf::ComputeHoldings(doc, {});
        lots = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["transactions"] = static_cast<double>(doc.transactions.size());
    state.counters["lots"] = static_cast<double>(lots);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(doc.transactions.size()));
}
BENCHMARK(BM_ComputeHoldings)->Unit(benchmark::kMillisecond);

void BM_ValueSeries(benchmark::State& state) {
    const CFolari2Doc& doc = ThousandLots();
    const pf::CQRNDatum to = LastDay(doc);
    const pf::CQRNDatum from(to.DayNumber() - 20 * 365);
    for (auto _ : state) {
        const pf::ValueSeriesResult r = pf::ValueSeries(doc, from, to, 0, true);
        benchmark::DoNotOptimize(r.values.data());
    }
    state.counters["lots"] = static_cast<double>(pf::ComputeHoldings(doc, {}).size());
    state.counters["days"] = 20 * 365 + 1;
}
BENCHMARK(BM_ValueSeries)->Unit(benchmark::kMillisecond);

void BM_BalanceSeries(benchmark::State& state) {
    const CFolari2Doc& doc = LargeHistory();
    const pf::CQRNDatum to = LastDay(doc);
    const pf::CQRNDatum from(to.DayNumber() - 20 * 365);
    for (auto _ : state) {
        const pf::BalanceSeriesResult r = pf::BalanceSeries(doc, from, to, 0, false, false);
        benchmark::DoNotOptimize(r.balance.data());
    }
    state.counters["transactions"] = static_cast<double>(doc.transactions.size());
}
BENCHMARK(BM_BalanceSeries)->Unit(benchmark::kMillisecond);

}  // namespace

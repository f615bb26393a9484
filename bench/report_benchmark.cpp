// Speed of the table reports: build the table, lay it out and write it as text.
//   Holdings report of a portfolio with about 2,000 open lots (target: under 50 ms)
//   Realized gains and losses of demonstration portfolio 3 over its 20 years (target:
//   under 100 ms)

#include <benchmark/benchmark.h>

#include "engine/holdings.h"
#include "reports/holdings_report.h"
#include "reports/realized_report.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"
#include "synthetic_portfolio.h"

namespace {

using pf::CFolari2Doc;

// Sales often close every lot of a security, so open lots grow with the number of
// securities: 1,000 securities and 22,000 transactions over five years leave about 2,000.
const CFolari2Doc& ManyOpenLots() {
    static const CFolari2Doc doc = pf::bench::MakeSyntheticPortfolio({1000, 1300, 22'000, 13});
    return doc;
}

pf::CQRNDatum LastQuoteDay(const CFolari2Doc& doc) {
    const pf::QuoteHistory& quotes = doc.securities.front().quotes;
    return quotes[quotes.size() - 1].date;
}

// What a view does with a new table, plus the text output.
size_t LayOutAndWrite(pf::ReportTable& table) {
    pf::RecordingCanvas screen;
    const pf::ReportSize size = table.Layout(screen);
    benchmark::DoNotOptimize(size);
    const std::string text = table.Text(pf::kFixedWidths, "\r\n");
    benchmark::DoNotOptimize(text.data());
    return text.size();
}

void BM_HoldingsReport(benchmark::State& state) {
    const CFolari2Doc& doc = ManyOpenLots();
    const pf::CQRNDatum date = LastQuoteDay(doc);
    size_t rows = 0;
    size_t bytes = 0;
    for (auto _ : state) {
        const auto table = pf::BuildHoldingsReport(doc, date);
        bytes = LayOutAndWrite(*table);
        rows = table->Rows().size();
    }
    pf::HoldingsQuery open;
    open.openOnly = true;
    open.limitByDate = true;
    open.limitDate = date;
    state.counters["open lots"] = static_cast<double>(pf::ComputeHoldings(doc, open).size());
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["text bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HoldingsReport)->Unit(benchmark::kMillisecond);

void BM_RealizedReportDemo3(benchmark::State& state) {
    static const CFolari2Doc doc = pf::MakeDemoPortfolio(3);
    const pf::CQRNDatum from = pf::DateOf(1, 1, 2005);
    const pf::CQRNDatum to = pf::DateOf(31, 12, 2024);
    size_t rows = 0;
    for (auto _ : state) {
        const auto table = pf::BuildRealizedReport(doc, from, to, false, false);
        LayOutAndWrite(*table);
        rows = table->Rows().size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["transactions"] = static_cast<double>(doc.transactions.size());
}
BENCHMARK(BM_RealizedReportDemo3)->Unit(benchmark::kMillisecond);

}  // namespace

// Speed of the quotes table ("Kurse") on demonstration portfolio 3: 100 securities with
// 20 years of daily quotes, shown over their whole range (about 7,300 day rows and 201
// columns).
//   Build (targets: under 300 ms)
//   Layout on the screen canvas
//   Drawing one screenful (about 250 × 180 mm) in the middle of the table (under 10 ms)
//   Text output in fixed widths

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "model/document.h"
#include "reports/quotes_table_report.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"

namespace {

using pf::CFolari2Doc;
using pf::CQRNDatum;

const CFolari2Doc& Demo3() {
    static const CFolari2Doc doc = pf::MakeDemoPortfolio(3);
    return doc;
}

// The first and last quote date of the portfolio.
std::pair<CQRNDatum, CQRNDatum> QuoteRange(const CFolari2Doc& doc) {
    CQRNDatum first(CQRNDatum::kLastValidDay);
    CQRNDatum last(CQRNDatum::kFirstValidDay);
    for (const pf::CFL2Wertpapier& s : doc.securities) {
        if (s.quotes.empty()) continue;
        first = std::min(first, s.quotes[0].date);
        last = std::max(last, s.quotes[s.quotes.size() - 1].date);
    }
    return {first, last};
}

void Counters(benchmark::State& state, const pf::DevelopmentTable& table) {
    state.counters["rows"] = table.RowCount();
    state.counters["columns"] = table.ColumnCount();
}

void BM_QuotesTableBuildDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3();
    const auto [from, to] = QuoteRange(doc);
    std::unique_ptr<pf::DevelopmentTable> table;
    for (auto _ : state) {
        table = pf::BuildQuotesTableReport(doc, from, to);
        benchmark::DoNotOptimize(table.get());
    }
    Counters(state, *table);
}
BENCHMARK(BM_QuotesTableBuildDemo3)->Unit(benchmark::kMillisecond);

void BM_QuotesTableLayoutDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3();
    const auto [from, to] = QuoteRange(doc);
    const auto table = pf::BuildQuotesTableReport(doc, from, to);
    pf::RecordingCanvas screen;
    for (auto _ : state) benchmark::DoNotOptimize(table->Layout(screen));
    Counters(state, *table);
}
BENCHMARK(BM_QuotesTableLayoutDemo3)->Unit(benchmark::kMillisecond);

void BM_QuotesTableDrawScreenfulDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3();
    const auto [from, to] = QuoteRange(doc);
    const auto table = pf::BuildQuotesTableReport(doc, from, to);
    pf::RecordingCanvas screen;
    const pf::ReportSize size = table->Layout(screen);
    // A screenful halfway down and a third across.
    const int top = -size.height / 2;
    const int left = size.width / 3;
    const pf::Rect visible{left, top, left + 2500, top - 1800};
    size_t ops = 0;
    for (auto _ : state) {
        screen.ClearOps();
        table->DrawScreen(screen, pf::kStyleColour, visible);
        ops = screen.Ops().size();
    }
    state.counters["ops"] = static_cast<double>(ops);
    Counters(state, *table);
}
BENCHMARK(BM_QuotesTableDrawScreenfulDemo3)->Unit(benchmark::kMillisecond);

void BM_QuotesTableTextDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3();
    const auto [from, to] = QuoteRange(doc);
    const auto table = pf::BuildQuotesTableReport(doc, from, to);
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = table->Text(pf::kFixedWidths, "\r\n");
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_QuotesTableTextDemo3)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

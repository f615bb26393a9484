// Speed of the return calculation: the payments of demonstration portfolio 3 (100 securities,
// about 5,000 transactions) over its whole history, their rates, and the table laid out and
// written as text (target: under 100 ms).

#include <benchmark/benchmark.h>

#include "reports/returns_report.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"

namespace {

using pf::CFolari2Doc;

const CFolari2Doc& Demo3() {
    static const CFolari2Doc doc = pf::MakeDemoPortfolio(3);
    return doc;
}

// The first and the last transaction date.
std::pair<pf::CQRNDatum, pf::CQRNDatum> History(const CFolari2Doc& doc) {
    return {doc.transactions.front().date, doc.transactions.back().date};
}

void BM_ReturnsReportDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3();
    const auto [from, to] = History(doc);
    size_t rows = 0;
    for (auto _ : state) {
        const auto table = pf::BuildReturnsReport(doc, from, to, false);
        pf::RecordingCanvas screen;
        benchmark::DoNotOptimize(table->Layout(screen));
        const std::string text = table->Text(pf::kFixedWidths, "\r\n");
        benchmark::DoNotOptimize(text.data());
        rows = table->Rows().size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["transactions"] = static_cast<double>(doc.transactions.size());
}
BENCHMARK(BM_ReturnsReportDemo3)->Unit(benchmark::kMillisecond);

// The payments and rates alone, without the table.
void BM_ReturnsComputeDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3();
    const auto [from, to] = History(doc);
    for (auto _ : state) {
        const pf::ReturnsReportData data = pf::ComputeReturnsReport(doc, from, to, false);
        benchmark::DoNotOptimize(data.total.rate);
    }
}
BENCHMARK(BM_ReturnsComputeDemo3)->Unit(benchmark::kMillisecond);

}  // namespace

// Speed of the performance analysis: demonstration portfolio 3 (100 securities, about 5,000
// transactions) over its whole history, with its monthly single periods, laid out and
// written as text (target: under 100 ms).

#include <benchmark/benchmark.h>

#include "reports/performance_report.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"

namespace {

using pf::CFolari2Doc;

const CFolari2Doc& Demo3MonthEnds() {
    static const CFolari2Doc doc = [] {
        CFolari2Doc d = pf::MakeDemoPortfolio(3);
        d.options.performance.periodsEndAtMonthEnd = 1;
        return d;
    }();
    return doc;
}

void BM_PerformanceReportDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3MonthEnds();
    const pf::CQRNDatum from = doc.transactions.front().date;
    const pf::CQRNDatum to = doc.transactions.back().date;
    size_t rows = 0;
    for (auto _ : state) {
        const auto table = pf::BuildPerformanceReport(doc, from, to);
        pf::RecordingCanvas screen;
        benchmark::DoNotOptimize(table->Layout(screen));
        const std::string text = table->Text(pf::kFixedWidths, "\r\n");
        benchmark::DoNotOptimize(text.data());
        rows = table->Rows().size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["days"] = static_cast<double>(to.DayNumber() - from.DayNumber() + 1);
}
BENCHMARK(BM_PerformanceReportDemo3)->Unit(benchmark::kMillisecond);

}  // namespace

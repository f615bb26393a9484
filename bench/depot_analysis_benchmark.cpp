// Speed of the depot analysis and distribution on demonstration portfolio 3 (100 securities,
// 20 years of daily quotes): the analysis over the whole history walks every position's
// quotes; built and laid out (target: under 50 ms).

#include <benchmark/benchmark.h>

#include "reports/analysis_table.h"
#include "reports/depot_analysis_report.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"

namespace {

using pf::CFolari2Doc;

const CFolari2Doc& Demo3() {
    static const CFolari2Doc doc = pf::MakeDemoPortfolio(3);
    return doc;
}

pf::ViewState WholeHistory(const CFolari2Doc& doc) {
    pf::ViewState state;
    state.periodFrom = doc.transactions.front().date;
    state.periodTo = doc.transactions.back().date;
    state.reportDate = state.periodTo;
    return state;
}

void BM_DepotAnalysisDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3();
    const pf::ViewState view = WholeHistory(doc);
    int columns = 0;
    for (auto _ : state) {
        const auto report = pf::BuildDepotAnalysis(doc, view);
        pf::RecordingCanvas screen;
        benchmark::DoNotOptimize(report->Layout(screen));
        columns = static_cast<const pf::AnalysisTable&>(*report).ColumnCount();
    }
    state.counters["positions"] = columns - 1;
    state.counters["days"] =
        static_cast<double>(view.periodTo.DayNumber() - view.periodFrom.DayNumber() + 1);
}
BENCHMARK(BM_DepotAnalysisDemo3)->Unit(benchmark::kMillisecond);

void BM_DepotDistributionDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3();
    const pf::ViewState view = WholeHistory(doc);
    for (auto _ : state) {
        const auto report = pf::BuildDepotDistribution(doc, view);
        pf::RecordingCanvas screen;
        benchmark::DoNotOptimize(report->Layout(screen));
    }
}
BENCHMARK(BM_DepotDistributionDemo3)->Unit(benchmark::kMillisecond);

}  // namespace

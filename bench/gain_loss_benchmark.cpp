// Speed of the gain/loss evaluation: demonstration portfolio 3 (100 securities, about 5,000
// transactions) over its whole history, with every item and single booking listed, the table
// laid out and written as text.

#include <benchmark/benchmark.h>

#include "model/document.h"
#include "reports/gain_loss_report.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"

namespace {

using pf::CFolari2Doc;

const CFolari2Doc& Demo3AllItems() {
    static const CFolari2Doc doc = [] {
        CFolari2Doc d = pf::MakeDemoPortfolio(3);
        d.options.gainLoss.itemMask = ~uint64_t{0};
        return d;
    }();
    return doc;
}

void BM_GainLossReportDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3AllItems();
    const pf::CQRNDatum from = doc.transactions.front().date;
    const pf::CQRNDatum to = doc.transactions.back().date;
    size_t rows = 0;
    for (auto _ : state) {
        const auto table = pf::BuildGainLossReport(doc, from, to);
        pf::RecordingCanvas screen;
        benchmark::DoNotOptimize(table->Layout(screen));
        const std::string text = table->Text(pf::kFixedWidths, "\r\n");
        benchmark::DoNotOptimize(text.data());
        rows = table->Rows().size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["transactions"] = static_cast<double>(doc.transactions.size());
}
BENCHMARK(BM_GainLossReportDemo3)->Unit(benchmark::kMillisecond);

// The statement alone, without the table.
void BM_GainLossComputeDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3AllItems();
    const pf::CQRNDatum from = doc.transactions.front().date;
    const pf::CQRNDatum to = doc.transactions.back().date;
    for (auto _ : state) {
        const pf::GainLossStatement s = pf::ComputeGainLoss(doc, from, to);
        benchmark::DoNotOptimize(s.total);
    }
}
BENCHMARK(BM_GainLossComputeDemo3)->Unit(benchmark::kMillisecond);

}  // namespace

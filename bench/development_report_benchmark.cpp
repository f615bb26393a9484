// Speed of the development table: demonstration portfolio 3 (100 securities, about 5,000
// transactions, 20 years of daily quotes) over 20 years, about 7,300 day rows, with every
// item on, with one column per security (the default) and with one column per lot (4,112
// lots, some 12,000 columns). Targets: build and layout under 300 ms; drawing one
// screenful (about 1,000 x 700 pixels in the middle of the table) under 10 ms.

#include <benchmark/benchmark.h>

#include "model/document.h"
#include "reports/development_report.h"
#include "reports/development_rows.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"

namespace {

using pf::CFolari2Doc;
using pf::CQRNDatum;

const CFolari2Doc& Demo3EveryItem(bool perLot = true) {
    static const auto make = [](bool lots) {
        CFolari2Doc d = pf::MakeDemoPortfolio(3);
        d.options.development.itemMask = static_cast<int32_t>(0x3FFFFFFFu);
        d.options.development.columnPerLot = lots ? 1 : 0;
        return d;
    };
    static const CFolari2Doc perLotDoc = make(true);
    static const CFolari2Doc perSecurityDoc = make(false);
    return perLot ? perLotDoc : perSecurityDoc;
}

// The last 20 years up to the last transaction.
std::pair<CQRNDatum, CQRNDatum> Period(const CFolari2Doc& doc) {
    const CQRNDatum to = doc.transactions.back().date;
    const uint32_t days = 20 * 365 + 5;
    const CQRNDatum from(to.DayNumber() > days ? to.DayNumber() - days : 1);
    return {from, to};
}

void BM_DevelopmentRowsDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3EveryItem();
    const auto [from, to] = Period(doc);
    size_t positions = 0;
    size_t heldDays = 0;
    for (auto _ : state) {
        const pf::DevelopmentRows rows = pf::ComputeDevelopmentRows(doc, from, to);
        positions = rows.positions.size();
        heldDays = 0;
        for (const pf::DevelopmentPosition& p : rows.positions) heldDays += p.price.size();
        benchmark::DoNotOptimize(rows.days.data());
    }
    state.counters["positions"] = static_cast<double>(positions);
    state.counters["heldDays"] = static_cast<double>(heldDays);
}
BENCHMARK(BM_DevelopmentRowsDemo3)->Unit(benchmark::kMillisecond);

// Argument: 1 one column per lot, 0 one per security.
void BM_DevelopmentTableDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3EveryItem(state.range(0) != 0);
    const auto [from, to] = Period(doc);
    int rows = 0;
    int columns = 0;
    for (auto _ : state) {
        const auto table = pf::BuildDevelopmentTableReport(doc, from, to);
        pf::RecordingCanvas screen;
        benchmark::DoNotOptimize(table->Layout(screen));
        rows = table->RowCount();
        columns = table->ColumnCount();
    }
    state.counters["rows"] = rows;
    state.counters["columns"] = columns;
}
BENCHMARK(BM_DevelopmentTableDemo3)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same without the layout, to tell the filling of the table from its measuring.
void BM_DevelopmentTableBuildOnlyDemo3(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3EveryItem();
    const auto [from, to] = Period(doc);
    for (auto _ : state) {
        const auto table = pf::BuildDevelopmentTableReport(doc, from, to);
        benchmark::DoNotOptimize(table.get());
    }
}
BENCHMARK(BM_DevelopmentTableBuildOnlyDemo3)->Unit(benchmark::kMillisecond);

void BM_DevelopmentTableDrawScreenful(benchmark::State& state) {
    const CFolari2Doc& doc = Demo3EveryItem();
    const auto [from, to] = Period(doc);
    const auto table = pf::BuildDevelopmentTableReport(doc, from, to);
    pf::RecordingCanvas screen;
    const pf::ReportSize size = table->Layout(screen);
    // 1,000 x 700 pixels at 96 dpi is about 2,650 x 1,850 in 0.1 mm, from the middle.
    const int left = size.width / 2;
    const int top = -size.height / 2;
    const pf::Rect visible{left, top, left + 2650, top - 1850};
    for (auto _ : state) {
        pf::RecordingCanvas canvas;
        table->DrawScreen(canvas, visible);
        benchmark::DoNotOptimize(canvas.Ops().data());
    }
}
BENCHMARK(BM_DevelopmentTableDrawScreenful)->Unit(benchmark::kMillisecond);

}  // namespace

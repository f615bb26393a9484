#include <benchmark/benchmark.h>

#include <string>

#include "reports/analysis_table.h"
#include "support/recording_canvas.h"

namespace pf {
namespace {

// A depot analysis of `positions` columns: 20 text rows, 4 bar rows of one to three bars
// and a gap, as the analysis view of a large depot has.
AnalysisTable MakeAnalysisTable(int positions) {
    AnalysisTable table;
    AnalysisTableSetup setup;
    setup.columnCount = positions + 1;
    table.Init(setup);
    table.SetAppearance({.screenStyle = kStyleColour,
                         .printStyle = kStyleGrid,
                         .marginLeft = 150,
                         .marginTop = 150,
                         .marginRight = 150,
                         .marginBottom = 150});
    for (int r = 0; r < 20; ++r) {
        const int row = table.AddTextRow("Zeile " + std::to_string(r),
                                         {.colourA = Rgb(240, 240, 240), .colourB = kWhite});
        for (int c = 1; c <= positions; ++c)
            table.SetText(row, c, "Wertpapier Nummer " + std::to_string(c), TextAlign::Right);
    }
    table.AddGapRow(40);
    for (int bars = 1; bars <= 3; ++bars) {
        std::vector<Colour> colours(static_cast<size_t>(bars), Rgb(255, 0, 0));
        const int row = table.AddBarRow("Balken", bars, colours, "%", 1, {});
        for (int c = 1; c <= positions; ++c) {
            std::vector<double> values;
            for (int b = 0; b < bars; ++b) values.push_back((c * 37 % 200 - 100) * 0.7 + b);
            table.SetBars(row, c, values);
        }
    }
    return table;
}

void BM_AnalysisTableDrawScreen(benchmark::State& state) {
    AnalysisTable table = MakeAnalysisTable(static_cast<int>(state.range(0)));
    RecordingCanvas screen;
    const ReportSize size = table.Layout(screen);
    for (auto _ : state) {
        screen.ClearOps();
        table.DrawScreen(screen, {0, 0, size.width, -size.height});
        benchmark::DoNotOptimize(screen.Ops().size());
    }
}
BENCHMARK(BM_AnalysisTableDrawScreen)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_AnalysisTablePrintAllPages(benchmark::State& state) {
    AnalysisTable table = MakeAnalysisTable(static_cast<int>(state.range(0)));
    RecordingCanvas printer{600, PageMetrics{2100, 2970, 0, 0, 2100, 2970}};
    for (auto _ : state) {
        const PageGrid grid = table.Paginate(printer);
        for (int page = 1; page <= grid.across * grid.down; ++page) {
            printer.ClearOps();
            table.PrintPage(printer, page);
        }
        benchmark::DoNotOptimize(printer.Ops().size());
    }
}
BENCHMARK(BM_AnalysisTablePrintAllPages)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pf

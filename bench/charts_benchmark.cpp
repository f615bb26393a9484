// Charts and diagrams: a 20-year daily chart with three averages, and the development
// diagram of demonstration portfolio 3 over its 20 years, each built (the diagram), laid
// out and drawn on the recording canvas.
#include <benchmark/benchmark.h>

#include "charts/chart_builders.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"

namespace {

pf::CQRNDatum Day(unsigned d, unsigned m, unsigned y) {
    pf::CQRNDatum date;
    date.Set(d, m, y);
    return date;
}

void LayOutAndDraw(pf::PlotObject& drawing) {
    pf::RecordingCanvas screen;
    const pf::ReportSize size = drawing.Layout(screen);
    drawing.DrawScreen(screen, pf::Rect{0, 0, size.width, -size.height});
    benchmark::DoNotOptimize(screen.Ops().size());
}

void BM_DailyChartWithThreeAverages(benchmark::State& state) {
    pf::SecurityChart chart;
    chart.Setup("Aktie", "EUR", Day(1, 1, 2005), Day(31, 12, 2024), pf::PlotLook{}, 3,
                pf::Rgb(0, 0, 160));
    double price = 50;
    uint32_t day = Day(3, 1, 2005).DayNumber();
    for (int i = 0; i < 5000; ++i, ++day) {
        if (pf::CQRNDatum(day).DayOfWeek() == 5) day += 2;  // weekdays only
        price *= 1.0 + ((i * 7919) % 201 - 100) / 5000.0;
        chart.AddPoint(pf::CQRNDatum(day), price);
    }
    chart.SetAverage(0, 38, pf::Rgb(255, 128, 0), 0);
    chart.SetAverage(1, 100, pf::Rgb(255, 0, 0), 0);
    chart.SetAverage(2, 200, pf::Rgb(128, 0, 128), 0);
    for (auto _ : state) LayOutAndDraw(chart);
}
BENCHMARK(BM_DailyChartWithThreeAverages)->Unit(benchmark::kMillisecond);

void BM_Demo3DevelopmentDiagram(benchmark::State& state) {
    const pf::CFolari2Doc doc = pf::MakeDemoPortfolio(3);
    const int measure = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto diagram =
            pf::BuildDevelopmentDiagram(doc, Day(1, 1, 2005), Day(31, 12, 2024), measure);
        LayOutAndDraw(*diagram);
    }
}
BENCHMARK(BM_Demo3DevelopmentDiagram)->Arg(0)->Arg(13)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

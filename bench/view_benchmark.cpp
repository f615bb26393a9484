// Speed of the desktop views under Qt's offscreen platform, as the user meets it:
//   Opening demonstration portfolio 3 (about 5,000 transactions, 20 years of daily quotes)
//   and showing its holdings view: read the file, build and lay out the report, paint the
//   window (target: under one second).
//   Switching the view of a window on demonstration portfolio 1: the report is thrown away,
//   rebuilt and painted (should feel instant: well under 100 ms).
//   The day tables and analyses of demonstration portfolio 3 over 20 years on screen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <filesystem>
#include <fstream>

#include "app/document_handle.h"
#include "app/report_view.h"
#include "model/archive/document_file.h"
#include "qtcanvas/qt_output.h"
#include "samples/demo_portfolios.h"
#include "shell/view_catalogue.h"

namespace {

const std::filesystem::path& DemoFile(int number) {
    static std::filesystem::path paths[4];
    std::filesystem::path& path = paths[number];
    if (path.empty()) {
        path = std::filesystem::temp_directory_path() /
               ("pf_bench_Demo" + std::to_string(number) + ".fl2");
        std::ofstream(path, std::ios::binary) << pf::WriteDocument(pf::MakeDemoPortfolio(number));
    }
    return path;
}

pf::ChildViewState StateFor(const pf::CFolari2Doc& doc, int viewId) {
    pf::ChildViewState state;
    state.viewId = viewId;
    state.reportDate = pf::CQRNDatum::FromTime(std::time(nullptr));
    state.periodFrom = doc.transactions.empty() ? state.reportDate : doc.transactions.front().date;
    state.periodTo = state.reportDate;
    return state;
}

void Paint(pf::ReportView& view) {
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void BM_OpenDemo3AndShowHoldings(benchmark::State& state) {
    const std::filesystem::path& file = DemoFile(3);
    for (auto _ : state) {
        pf::ReadResult read =
            pf::LoadDocumentFile(file, {pf::CQRNDatum::FromTime(std::time(nullptr)), {}});
        pf::DocumentHandle document(std::move(read.doc));
        pf::ReportView view(&document, StateFor(document.Doc(), pf::kViewHoldings));
        view.resize(1400, 800);
        view.Rebuild();
        Paint(view);
    }
    state.SetLabel("Ziel: unter 1 s");
}
BENCHMARK(BM_OpenDemo3AndShowHoldings)->Unit(benchmark::kMillisecond);

void BM_SwitchViewDemo1(benchmark::State& state) {
    pf::ReadResult read =
        pf::LoadDocumentFile(DemoFile(1), {pf::CQRNDatum::FromTime(std::time(nullptr)), {}});
    pf::DocumentHandle document(std::move(read.doc));
    const int viewId = static_cast<int>(state.range(0));
    pf::ReportView view(&document, StateFor(document.Doc(), viewId));
    view.resize(1400, 800);
    for (auto _ : state) {
        view.Rebuild();
        Paint(view);
    }
    state.SetLabel(pf::FindView(viewId)->title);
}
BENCHMARK(BM_SwitchViewDemo1)
    ->Arg(pf::kViewHoldings)
    ->Arg(pf::kViewRealized)
    ->Arg(pf::kViewTransactions)
    ->Unit(benchmark::kMillisecond);

// A view of demonstration portfolio 3 over its whole history (20 years of days), built,
// laid out with the Qt font metrics and painted once: what the user waits for when choosing
// the view.
void BM_ShowDemo3View(benchmark::State& state) {
    pf::ReadResult read =
        pf::LoadDocumentFile(DemoFile(3), {pf::CQRNDatum::FromTime(std::time(nullptr)), {}});
    pf::DocumentHandle document(std::move(read.doc));
    const int viewId = static_cast<int>(state.range(0));
    pf::ReportView view(&document, StateFor(document.Doc(), viewId));
    view.resize(1400, 800);
    for (auto _ : state) {
        view.Rebuild();
        Paint(view);
    }
    state.SetLabel(pf::FindView(viewId)->title);
}
BENCHMARK(BM_ShowDemo3View)
    ->Arg(pf::kViewSecurities)
    ->Arg(pf::kViewDevelopment)
    ->Arg(pf::kViewQuotes)
    ->Arg(pf::kViewDepotAnalysis)
    ->Arg(pf::kViewDepotDistribution)
    ->Arg(pf::kViewDevelopmentDiagram)
    ->Arg(pf::kViewChart)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    pf::PrepareRuntimeFolder();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

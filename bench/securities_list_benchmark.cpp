// Speed of the securities list.
//   Securities list of demonstration portfolio 3 (100 securities, 20 years of daily quotes)
//   at the day of its last quote, every column, sorted by three keys: built (the holdings
//   replay and a drawdown walk over every quote of every security) and laid out.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "model/document.h"
#include "reports/securities_list_report.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"

namespace {

using pf::CFolari2Doc;

void BM_SecuritiesListDemo3(benchmark::State& state) {
    static CFolari2Doc doc = pf::MakeDemoPortfolio(3);
    doc.options.securitiesList.columnMask = -1;
    doc.options.securitiesList.sortKeys = {pf::kSecuritiesByType, pf::kSecuritiesByDrawdown,
                                           pf::kSecuritiesByName};
    doc.options.securitiesList.useLastPrice = 1;
    pf::CQRNDatum date = pf::DateOf(2, 1, 1970);
    size_t quotes = 0;
    for (const pf::CFL2Wertpapier& s : doc.securities) {
        quotes += s.quotes.size();
        if (!s.quotes.empty()) date = std::max(date, s.quotes[s.quotes.size() - 1].date);
    }
    size_t rows = 0;
    for (auto _ : state) {
        const auto table = pf::BuildSecuritiesListReport(doc, date);
        pf::RecordingCanvas screen;
        const pf::ReportSize size = table->Layout(screen);
        benchmark::DoNotOptimize(size);
        rows = table->Rows().size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["quotes"] = static_cast<double>(quotes);
}
BENCHMARK(BM_SecuritiesListDemo3)->Unit(benchmark::kMillisecond);

}  // namespace

// Speed of the transaction lists.
//   Transactions report of demonstration portfolio 3 (about 5,000 transactions) sorted by
//   three keys, built, laid out and written as text (target: under 200 ms)
//   The exchange sort alone over 20,000 and 100,000 rows by three keys (quadratic: expect
//   seconds at 100,000; run once)
//   Account-movements report of demonstration portfolio 3

#include <benchmark/benchmark.h>

#include <vector>

#include "reports/movements_report.h"
#include "reports/transactions_report.h"
#include "samples/demo_portfolios.h"
#include "support/recording_canvas.h"
#include "synthetic_portfolio.h"

namespace {

using pf::CFolari2Doc;

// Type, then "Vorgang oder Wertpapier", then amount: two text keys and many ties in the
// first, so most comparisons go past the first key.
constexpr std::array<int32_t, 3> kThreeKeys = {
    pf::kTransactionsByType, pf::kTransactionsByDescription, pf::kTransactionsByAmount};

size_t LayOutAndWrite(pf::ReportTable& table) {
    pf::RecordingCanvas screen;
    const pf::ReportSize size = table.Layout(screen);
    benchmark::DoNotOptimize(size);
    const std::string text = table.Text(pf::kFixedWidths, "\r\n");
    benchmark::DoNotOptimize(text.data());
    return text.size();
}

void BM_TransactionsReportDemo3(benchmark::State& state) {
    static CFolari2Doc doc = pf::MakeDemoPortfolio(3);
    doc.options.transactions.sortKeys = kThreeKeys;
    const pf::CQRNDatum from = pf::DateOf(1, 1, 1990);
    const pf::CQRNDatum to = pf::DateOf(31, 12, 2030);
    size_t rows = 0;
    for (auto _ : state) {
        const auto table = pf::BuildTransactionsReport(doc, from, to, false);
        LayOutAndWrite(*table);
        rows = table->Rows().size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["transactions"] = static_cast<double>(doc.transactions.size());
}
BENCHMARK(BM_TransactionsReportDemo3)->Unit(benchmark::kMillisecond);

void BM_MovementsReportDemo3(benchmark::State& state) {
    static const CFolari2Doc doc = pf::MakeDemoPortfolio(3);
    const pf::CQRNDatum from = pf::DateOf(1, 1, 1990);
    const pf::CQRNDatum to = pf::DateOf(31, 12, 2030);
    size_t rows = 0;
    for (auto _ : state) {
        const auto table = pf::BuildMovementsReport(doc, from, to);
        LayOutAndWrite(*table);
        rows = table->Rows().size();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_MovementsReportDemo3)->Unit(benchmark::kMillisecond);

// The rows of a synthetic portfolio with `transactions` transactions, unsorted.
std::vector<pf::TransactionListRow> UnsortedRows(CFolari2Doc& doc) {
    doc.options.transactions.sortKeys = {pf::kTransactionsUnsorted, pf::kTransactionsUnsorted,
                                         pf::kTransactionsUnsorted};
    return pf::TransactionRows(doc, pf::DateOf(2, 1, 1970), pf::DateOf(18, 1, 2038), false);
}

void BM_ExchangeSortThreeKeys(benchmark::State& state) {
    const size_t count = static_cast<size_t>(state.range(0));
    // Few quotes: the sort does not read them, and they only cost generation time.
    CFolari2Doc doc = pf::bench::MakeSyntheticPortfolio({200, 300, count, 21});
    const std::vector<pf::TransactionListRow> unsorted = UnsortedRows(doc);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<pf::TransactionListRow> rows = unsorted;
        state.ResumeTiming();
        pf::SortTransactionRows(rows, kThreeKeys, false);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = static_cast<double>(unsorted.size());
}
BENCHMARK(BM_ExchangeSortThreeKeys)
    ->Arg(20'000)
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/date.h"
#include "quotes/import_format.h"

namespace pf {
namespace {

const std::string kYahoo =
    "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    <DATUM_JMT>,<TEXT>,<TEXT>,<TEXT>,\r\n    "
    "<KURS_PKT>,<TEXT><NZ>\r\n>";

// A daily history in the comma-separated layout with a header: `lines` rows spread evenly
// over 1 January 1971 to 31 December 2037, so beyond about 24,000 rows dates repeat on
// consecutive rows (the later row wins), oldest first or newest first.
std::string MakeHistory(int lines, bool newestFirst) {
    const CQRNDatum first(365);   // 01.01.1971
    const CQRNDatum last(24837);  // 31.12.2037
    const long long span = last.DayNumber() - first.DayNumber();
    std::vector<std::string> rows;
    rows.reserve(static_cast<size_t>(lines));
    char row[128];
    for (int i = 0; i < lines; ++i) {
        const CQRNDatum date(first.DayNumber() + static_cast<uint32_t>(span * i / lines));
        const auto [day, month, year] = date.Split();
        const double close = 50.0 + (i * 7919 % 10000) / 100.0;
        std::snprintf(row, sizeof row, "%04u-%02u-%02u,%.2f,%.2f,%.2f,%.2f,%d,%.2f\n", year, month,
                      day, close - 0.5, close + 1.25, close - 1.5, close, 100000 + i * 13 % 50000,
                      close * 0.98);
        rows.emplace_back(row);
    }
    std::string text = "Date,Open,High,Low,Close,Volume,Adj Close\n";
    if (newestFirst)
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) text += *it;
    else
        for (const std::string& r : rows) text += r;
    return text;
}

void Scan(benchmark::State& state, bool newestFirst) {
    const std::string text = MakeHistory(static_cast<int>(state.range(0)), newestFirst);
    size_t found = 0;
    int lastPercent = 0;
    const ImportProgress progress = [&](int percent) { lastPercent = percent; };
    for (auto _ : state) {
        const ImportScan scan = ScanQuoteText(text, kYahoo, progress);
        found = scan.quotes.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["quotes"] = static_cast<double>(found);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_YahooHistory(benchmark::State& state) { Scan(state, false); }
BENCHMARK(BM_YahooHistory)->Arg(5'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_YahooHistoryNewestFirst(benchmark::State& state) { Scan(state, true); }
BENCHMARK(BM_YahooHistoryNewestFirst)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pf

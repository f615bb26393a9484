// Reading a large portfolio from memory: 100 securities with 20 years of weekday quotes and
// 6,000 transactions, the file bench_write_portfolio writes by default.

#include <benchmark/benchmark.h>

#include <span>
#include <string>

#include "model/archive/document_file.h"
#include "synthetic_portfolio.h"

namespace pf::bench {
namespace {

struct LargeFile {
    std::string bytes;
    size_t quotes = 0;

    LargeFile() {
        SyntheticPortfolioSize size;
        size.securities = 100;
        size.quotesPerSecurity = 20 * 261;
        size.transactions = 6000;
        const CFolari2Doc doc = MakeSyntheticPortfolio(size);
        bytes = WriteDocument(doc);
        quotes = CountQuotes(doc);
    }
};

const LargeFile& GetLargeFile() {
    static const LargeFile file;
    return file;
}

void BM_ReadLargePortfolio(benchmark::State& state) {
    const LargeFile& file = GetLargeFile();
    ReadSettings settings;
    settings.today = CQRNDatum(DayNumberOf(2, 1, 2023));
    const std::span bytes(reinterpret_cast<const uint8_t*>(file.bytes.data()), file.bytes.size());
    for (auto _ : state) {
        ReadResult result = ReadDocument(bytes, settings);
        benchmark::DoNotOptimize(result);
    }
    const auto iterations = static_cast<int64_t>(state.iterations());
    state.SetItemsProcessed(iterations * static_cast<int64_t>(file.quotes));
    state.SetBytesProcessed(iterations * static_cast<int64_t>(file.bytes.size()));
    state.counters["file_MB"] = static_cast<double>(file.bytes.size()) / 1e6;
    state.counters["quotes"] = static_cast<double>(file.quotes);
}

BENCHMARK(BM_ReadLargePortfolio)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pf::bench

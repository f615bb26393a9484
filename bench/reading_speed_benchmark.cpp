// Reading a large portfolio: 100 securities with 20 years of weekday quotes (527,220 quotes)
// and, as the argument says, 6,000 transactions (the file bench_write_portfolio writes by
// default, about 8.4 MB) or 20,000 (about 12.8 MB). From memory, and from a file on disk
// as the programs open it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <span>
#include <string>

#include "model/archive/document_file.h"
#include "synthetic_portfolio.h"

namespace pf::bench {
namespace {

struct LargeFile {
    std::string bytes;
    size_t quotes = 0;
    std::filesystem::path path;

    explicit LargeFile(size_t transactions) {
        SyntheticPortfolioSize size;
        size.securities = 100;
        size.quotesPerSecurity = 20 * 261;
        size.transactions = transactions;
        const CFolari2Doc doc = MakeSyntheticPortfolio(size);
        bytes = WriteDocument(doc);
        quotes = CountQuotes(doc);
        path = std::filesystem::temp_directory_path() /
               ("pf-reading-speed-" + std::to_string(transactions) + ".fl2");
        SaveDocumentFile(doc, path);
    }
    ~LargeFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

const LargeFile& GetLargeFile(size_t transactions) {
    static std::map<size_t, LargeFile> files;
    return files.try_emplace(transactions, transactions).first->second;
}

ReadSettings Settings() {
    ReadSettings settings;
    settings.today = CQRNDatum(DayNumberOf(2, 1, 2023));
    return settings;
}

void Count(benchmark::State& state, const LargeFile& file) {
    const auto iterations = static_cast<int64_t>(state.iterations());
    state.SetItemsProcessed(iterations * static_cast<int64_t>(file.quotes));
    state.SetBytesProcessed(iterations * static_cast<int64_t>(file.bytes.size()));
    state.counters["file_MB"] = static_cast<double>(file.bytes.size()) / 1e6;
    state.counters["quotes"] = static_cast<double>(file.quotes);
}

void BM_ReadLargePortfolio(benchmark::State& state) {
    const LargeFile& file = GetLargeFile(static_cast<size_t>(state.range(0)));
    const ReadSettings settings = Settings();
    const std::span bytes(reinterpret_cast<const uint8_t*>(file.bytes.data()), file.bytes.size());
    for (auto _ : state) {
        ReadResult result = ReadDocument(bytes, settings);
        benchmark::DoNotOptimize(result);
    }
    Count(state, file);
}

void BM_LoadLargePortfolioFile(benchmark::State& state) {
    const LargeFile& file = GetLargeFile(static_cast<size_t>(state.range(0)));
    const ReadSettings settings = Settings();
    for (auto _ : state) {
        ReadResult result = LoadDocumentFile(file.path, settings);
        benchmark::DoNotOptimize(result);
    }
    Count(state, file);
}

BENCHMARK(BM_ReadLargePortfolio)->Arg(6000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargePortfolioFile)->Arg(6000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pf::bench

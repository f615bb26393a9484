// Saving and loading a large portfolio, in memory and through the file system, and the
// quote lookup that every report leans on.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <span>
#include <string>
#include <system_error>

#include "model/archive/document_file.h"
#include "synthetic_portfolio.h"

namespace pf::bench {
namespace {

ReadSettings Settings() {
    ReadSettings settings;
    settings.today = CQRNDatum(DayNumberOf(2, 1, 2023));
    return settings;
}

std::span<const uint8_t> AsBytes(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// A folder of its own for the files, removed when the program ends.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pf-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The default-sized portfolio, its bytes and a copy on disk, built once.
struct Portfolio {
    CFolari2Doc doc = MakeSyntheticPortfolio();
    std::string bytes = WriteDocument(doc);
    size_t quotes = CountQuotes(doc);
    TempFolder folder;
    std::filesystem::path file = folder.Path() / "portfolio.fl2";
    std::string problem;

    Portfolio() {
        if (folder.Path().empty()) {
            problem = "no temporary folder";
            return;
        }
        try {
            SaveDocumentFile(doc, file);
            // The load benchmarks only mean something if the reader gives back what was
            // written.
            const CFolari2Doc back = ReadDocument(AsBytes(bytes), Settings()).doc;
            if (back.transactions != doc.transactions || back.securities != doc.securities ||
                back.currencies != doc.currencies || back.stopTargets != doc.stopTargets)
                problem = "the document read back differs from the one written";
        } catch (const std::exception& e) {
            problem = e.what();
        }
    }
};

const Portfolio& GetPortfolio() {
    static const Portfolio portfolio;
    return portfolio;
}

// Items are quotes (of securities and currencies), bytes are those of the file.
void Report(benchmark::State& state, const Portfolio& p) {
    const auto iterations = static_cast<int64_t>(state.iterations());
    state.SetItemsProcessed(iterations * static_cast<int64_t>(p.quotes));
    state.SetBytesProcessed(iterations * static_cast<int64_t>(p.bytes.size()));
    state.counters["file_MB"] = static_cast<double>(p.bytes.size()) / 1e6;
    state.counters["quotes"] = static_cast<double>(p.quotes);
    state.counters["transactions"] = static_cast<double>(p.doc.transactions.size());
}

bool Usable(benchmark::State& state, const Portfolio& p) {
    if (p.problem.empty()) return true;
    state.SkipWithError(p.problem.c_str());
    return false;
}

void BM_SaveDocument(benchmark::State& state) {
    const Portfolio& p = GetPortfolio();
    if (!Usable(state, p)) return;
    for (auto _ : state) {
        std::string bytes = WriteDocument(p.doc);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    Report(state, p);
}

void BM_SaveDocumentFile(benchmark::State& state) {
    const Portfolio& p = GetPortfolio();
    if (!Usable(state, p)) return;
    const std::filesystem::path target = p.folder.Path() / "saved.fl2";
    for (auto _ : state) SaveDocumentFile(p.doc, target);
    Report(state, p);
}

void BM_LoadDocument(benchmark::State& state) {
    const Portfolio& p = GetPortfolio();
    if (!Usable(state, p)) return;
    const ReadSettings settings = Settings();
    for (auto _ : state) {
        ReadResult result = ReadDocument(AsBytes(p.bytes), settings);
        benchmark::DoNotOptimize(result);
    }
    Report(state, p);
}

void BM_LoadDocumentFile(benchmark::State& state) {
    const Portfolio& p = GetPortfolio();
    if (!Usable(state, p)) return;
    const ReadSettings settings = Settings();
    for (auto _ : state) {
        ReadResult result = LoadDocumentFile(p.file, settings);
        benchmark::DoNotOptimize(result);
    }
    Report(state, p);
}

// Latest quote on or before a random day of a history of state.range(0) weekday quotes;
// the days also reach a little before the first and after the last quote.
void BM_PriceAt(benchmark::State& state) {
    const auto count = static_cast<size_t>(state.range(0));
    CFL2Wertpapier security;
    security.quotes.MutableItems() = SyntheticQuoteSeries(count, CQRNDatum(1), 7);
    const uint32_t first = security.quotes[0].date.DayNumber();
    const uint32_t last = security.quotes[count - 1].date.DayNumber();
    const CQRNDatum viewDate(last);

    constexpr size_t kDays = 1 << 16;
    std::vector<CQRNDatum> days(kDays);
    const uint32_t low = first > 5 ? first - 5 : 0;
    const uint32_t span = last + 5 - low + 1;
    uint64_t x = 0x2545F4914F6CDD1Dull;  // xorshift64
    for (CQRNDatum& d : days) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        d = CQRNDatum(low + static_cast<uint32_t>(x % span));
    }

    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(security.PriceAt(days[i++ & (kDays - 1)], viewDate));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
    state.SetComplexityN(static_cast<int64_t>(count));
}

BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDocumentFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDocumentFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PriceAt)->Arg(500)->Arg(5000)->Arg(50000)->Complexity(benchmark::oLogN);

}  // namespace
}  // namespace pf::bench

// Speed of reading quotes from a pasted page.
//   A quote page of 1 MB with 100 securities of the document: each security's number stands
//   once, 10 of them spread over the page and 90 in its last 50 KB, so most searches run
//   over nearly the whole page. The filler lines of names, numbers and prices never hold a
//   "9", which every security number begins with, so no number is found early by chance.
//   Format: the price after ":" up to the line end, other characters ignored.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "model/document.h"
#include "quotes/text_quote_formats.h"
#include "quotes/text_scanner.h"

namespace {

constexpr int kSecurities = 100;
constexpr int kSpread = 10;
constexpr size_t kPageSize = 1 << 20;
constexpr size_t kTail = 50 * 1024;

std::string Wkn(int i) {
    char text[8];
    std::snprintf(text, sizeof text, "9%05d", i * 7 + 11);
    return text;
}

// Digits 0 to 8 from a fixed linear congruential sequence.
class Digits {
  public:
    char Next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<char>('0' + (state_ >> 33) % 9);
    }

  private:
    uint64_t state_ = 42;
};

void AppendFiller(std::string& page, Digits& digits) {
    page += "Aktie ";
    for (int k = 0; k < 6; ++k) page += digits.Next();
    page += "  Kurs ";
    page += digits.Next();
    page += digits.Next();
    page += ',';
    page += digits.Next();
    page += digits.Next();
    page += " EUR  +";
    page += digits.Next();
    page += ",";
    page += digits.Next();
    page += " %\r\n";
}

void AppendQuote(std::string& page, int i) {
    page += Wkn(i) + ": " + std::to_string(10 + i) + ",50 EUR\r\n";
}

std::string Page() {
    std::string page;
    Digits digits;
    int next = 0;
    for (int spread = 0; spread < kSpread; ++spread) {
        while (page.size() < (kPageSize - kTail) * spread / kSpread) AppendFiller(page, digits);
        AppendQuote(page, next++);
    }
    while (page.size() < kPageSize - kTail) AppendFiller(page, digits);
    const size_t step = kTail / (kSecurities - kSpread);
    while (next < kSecurities) {
        const size_t until = page.size() + step;
        while (page.size() < until) AppendFiller(page, digits);
        AppendQuote(page, next++);
    }
    return page;
}

void BM_ScanTextQuotes1MB(benchmark::State& state) {
    pf::CFolari2Doc doc;
    for (int i = 0; i < kSecurities; ++i) {
        pf::CFL2Wertpapier s;
        s.name = "Wertpapier " + std::to_string(i);
        s.wkn = Wkn(i);
        doc.AddSecurity(s);
    }
    const std::string page = Page();
    pf::TextQuoteFormat format = *pf::TextQuoteFormat::Parse(pf::DefaultTextFormat0001());
    format.ignoreOtherCharacters = true;
    size_t read = 0;
    for (auto _ : state) {
        const auto items = pf::ScanTextQuotes(doc, page, format, pf::kIdentifyByWkn);
        read = 0;
        for (const pf::TextQuoteItem& item : items) read += item.priceRead ? 1 : 0;
        benchmark::DoNotOptimize(items.data());
    }
    state.counters["bytes"] = static_cast<double>(page.size());
    state.counters["read"] = static_cast<double>(read);
}
BENCHMARK(BM_ScanTextQuotes1MB)->Unit(benchmark::kMillisecond);

}  // namespace

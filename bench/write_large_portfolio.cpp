// Writes a synthetic portfolio file for timing the reader and the command line on it:
//   bench_write_portfolio FILE [SECURITIES [YEARS [TRANSACTIONS]]]
// The defaults give 100 securities with 20 years of weekday quotes and 6,000 transactions
// (about 527,000 quotes, roughly 8.4 MB). The same arguments always give the same bytes.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "model/archive/document_file.h"
#include "synthetic_portfolio.h"

namespace {

bool ParseCount(const char* text, size_t& out) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || value == 0) return false;
    out = static_cast<size_t>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 5) {
        std::fprintf(stderr, "usage: %s FILE [SECURITIES [YEARS [TRANSACTIONS]]]\n", argv[0]);
        return 2;
    }
    pf::bench::SyntheticPortfolioSize size;
    size.securities = 100;
    size_t years = 20;
    size.transactions = 6000;
    if ((argc > 2 && !ParseCount(argv[2], size.securities)) ||
        (argc > 3 && !ParseCount(argv[3], years)) ||
        (argc > 4 && !ParseCount(argv[4], size.transactions))) {
        std::fprintf(stderr, "counts must be positive whole numbers\n");
        return 2;
    }
    // 261 weekdays in an ordinary year.
    size.quotesPerSecurity = years * 261;
    try {
        const pf::CFolari2Doc doc = pf::bench::MakeSyntheticPortfolio(size);
        pf::SaveDocumentFile(doc, argv[1]);
        std::printf("%zu securities, %zu quotes, %zu transactions\n", doc.securities.size(),
                    pf::bench::CountQuotes(doc), doc.transactions.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/document.h"
#include "model/quote.h"

namespace pf::bench {

// Size of a synthetic portfolio. The same size and seed always give the same document.
struct SyntheticPortfolioSize {
    size_t securities = 200;
    size_t quotesPerSecurity = 5000;  // one quote per weekday
    size_t transactions = 20000;
    uint64_t seed = 0x5EED'F011'0000'0001;
};

// A large portfolio shaped like a real one:
// - currencies EUR (base), DM (fixed to the euro) and USD (variable, with one rate per
//   weekday over the quote period);
// - securities with distinct names, WKNs and ISINs (with valid check digits), every eighth
//   quoted in USD, each with a quote on every weekday of the same period, ending at the
//   end of 2022 (histories too long for the valid date range start on 2 January 1970);
// - buys (some fractional, as from a savings plan), sells whose allocation items take
//   pieces from lots bought earlier (oldest first), account movements of the seeded kinds
//   (deposits, dividends and taxes booked to the open lots, fees, interest) and a few
//   splits, whose day the quotes reflect with a jump; sorted like a document's list.
// Generation takes well under a second at the default size.
CFolari2Doc MakeSyntheticPortfolio(const SyntheticPortfolioSize& size = {});

// `count` quotes of a random walk on consecutive weekdays starting at `firstDay`, prices
// rounded to cents. Day numbers go beyond the valid range when the series is long enough;
// the quote history does not mind.
std::vector<CFL2Kurs> SyntheticQuoteSeries(size_t count, CQRNDatum firstDay, uint64_t seed);

// Quotes of all securities plus the rates of all currencies.
size_t CountQuotes(const CFolari2Doc& doc);

}  // namespace pf::bench

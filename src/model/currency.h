#pragma once

#include <cstdint>
#include <string>

#include "model/date.h"
#include "model/quote.h"

namespace pf {

// Meaning of a stored exchange rate r of a variable currency (CFL2Waehrung::quoteFormat).
enum QuoteFormat : int32_t {
    kUnitsPerReference = 0,  // r units of this currency = 1 unit of the reference currency
    kReferencePerUnit = 1,   // 1 unit of this currency = r units of the reference currency
};

inline constexpr int32_t kBaseCurrencyId = 0;

// A currency: either fixed to the base currency (fixedRate1 units of this currency equal
// fixedRate2 units of the base currency) or variable with its own rate history against a
// reference currency. The base currency (id 0) is always fixed at 1.0 / 1.0.
struct CFL2Waehrung {
    static constexpr int kSchema = 2;

    double fixedRate1 = 1.0;
    double fixedRate2 = 1.0;
    int32_t isFixed = 0;
    std::string name;
    std::string symbol;  // non-empty, unique in the document
    int32_t id = -1;
    int32_t quoteFormat = kUnitsPerReference;  // from schema 2
    int32_t referenceCurrencyId = 0;           // from schema 2
    QuoteHistory rates;                        // from schema 2

    // The stored rate on `date`, else the latest before it, else 1.0.
    double RateAt(CQRNDatum date) const;
    // The value of one unit of this currency in its reference currency.
    double FactorAt(CQRNDatum date) const;

    bool operator==(const CFL2Waehrung&) const = default;
};

}  // namespace pf

#pragma once

#include <cstdint>

#include "model/date.h"

namespace pf {

class CFolari2Doc;

// Factors between two fixed-rate currencies: an amount in `a` is amount * multiplier /
// divisor in `b`. ok is false unless both currencies exist and both are fixed.
struct FixedFactors {
    bool ok = false;
    double divisor = 1.0;
    double multiplier = 1.0;
};
FixedFactors FixedRateFactors(const CFolari2Doc& doc, int32_t a, int32_t b);

// Converts between fixed-rate currencies and rounds to `decimals`; 0.0 when either
// currency is missing or not fixed.
double ConvertFixed(const CFolari2Doc& doc, double amount, int32_t a, int32_t b, int decimals);

// Converts between any two currencies at `date`, through the reference currency of a
// variable currency (chains of variable currencies are not followed), rounded to `decimals`.
double ConvertAtDate(const CFolari2Doc& doc, double amount, CQRNDatum date, int32_t a, int32_t b,
                     int decimals);

}  // namespace pf

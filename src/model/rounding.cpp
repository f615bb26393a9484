#include "model/rounding.h"

#include <cmath>

namespace pf {

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7, 1e8,
                                   1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

// Beyond this the scaled value does not fit a 64-bit integer. The spacing of doubles there
// is wider than the requested last decimal, so x itself is the correctly rounded double.
constexpr double kLargestScaled = 9.2e18;

int64_t TruncateToInt64(double v) {
    // NaN cannot be truncated meaningfully; treat it as zero instead of invoking undefined
    // behaviour.
    if (std::isnan(v)) return 0;
    return static_cast<int64_t>(v);
}

}  // namespace

double RoundTo(double x, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 15) decimals = 15;
    const double scaled = x * kPowersOfTen[decimals + 1];
    if (std::fabs(scaled) >= kLargestScaled) return x;
    int64_t t = TruncateToInt64(scaled);
    t = (x >= 0 ? t + 5 : t - 5) / 10;
    return static_cast<double>(t) / kPowersOfTen[decimals];
}

}  // namespace pf

#include "model/rounding.h"

#include <cmath>

namespace pf {

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7, 1e8,
                                   1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

int64_t TruncateToInt64(double v) {
    // Values beyond the 64-bit range (or NaN) cannot be truncated meaningfully; clamp them
    // instead of invoking undefined behaviour. Such amounts never arise from valid data.
    if (std::isnan(v)) return 0;
    if (v >= 9.2e18) return INT64_MAX;
    if (v <= -9.2e18) return INT64_MIN;
    return static_cast<int64_t>(v);
}

}  // namespace

double RoundTo(double x, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 15) decimals = 15;
    int64_t t = TruncateToInt64(x * kPowersOfTen[decimals + 1]);
    if (x >= 0)
        t = (t > INT64_MAX - 5 ? t : t + 5) / 10;
    else
        t = (t < INT64_MIN + 5 ? t : t - 5) / 10;
    return static_cast<double>(t) / kPowersOfTen[decimals];
}

}  // namespace pf

#pragma once

#include <span>

namespace pf {

// Low, high and the largest fall from a peak over a run of quotes in date order, as the
// depot analysis (a period) and the securities list (the whole history) show them.
struct PriceWalk {
    bool hasQuotes = false;
    double first = 0.0;
    double low = 0.0;
    double high = 0.0;
    double last = 0.0;
    // Percent; absent when no dip could be measured (no positive peak).
    bool hasDrawdown = false;
    double maxDrawdown = 0.0;
};

// Walks the prices: a dip (peak to its lowest following price) is measured when a new peak
// ends it and, still open, after the last price, so that rising prices give 0 %. Peaks of
// zero or below measure nothing.
PriceWalk WalkPrices(std::span<const double> prices);

}  // namespace pf

#include "reports/price_walk.h"

#include <algorithm>

namespace pf {

PriceWalk WalkPrices(std::span<const double> prices) {
    PriceWalk walk;
    if (prices.empty()) return walk;
    walk.hasQuotes = true;
    walk.first = walk.low = walk.high = walk.last = prices.front();
    double peak = prices.front();
    double trough = prices.front();
    // At a new peak only a real dip counts; at the end the open one counts as it stands.
    const auto measure = [&](bool atEnd) {
        if (!(peak > 0.0 && (peak > trough || atEnd))) return;
        const double drawdown = (1.0 - trough / peak) * 100.0;
        walk.maxDrawdown = walk.hasDrawdown ? std::max(walk.maxDrawdown, drawdown) : drawdown;
        walk.hasDrawdown = true;
    };
    for (const double p : prices.subspan(1)) {
        walk.low = std::min(walk.low, p);
        walk.high = std::max(walk.high, p);
        if (p < peak) trough = std::min(trough, p);
        if (p > peak) {
            measure(false);
            peak = trough = p;
        }
    }
    walk.last = prices.back();
    measure(true);
    return walk;
}

}  // namespace pf

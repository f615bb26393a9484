#include "quotes/trend.h"

#include <cmath>

#include "model/document_options.h"

namespace pf {

TrendThresholds TrendThresholdsOf(const DocumentOptions& options) {
    const InternetQuoteOptions& o = options.internetQuotes;
    TrendThresholds t;
    // A damaged file may hold values that are not numbers; every comparison with them would
    // be false and hide every trend.
    const auto take = [](double stored, double& field) {
        if (std::isfinite(stored)) field = stored;
    };
    take(o.trendStrongRise, t.strongRise);
    take(o.trendRise, t.rise);
    take(o.trendStrongFall, t.strongFall);
    take(o.trendFall, t.fall);
    return t;
}

int TrendIcon(double price, double quoteAtDate, double upperAlert, double lowerAlert,
              const TrendThresholds& thresholds) {
    int icon = 0;
    if (quoteAtDate > 0.0) {
        const double r = price / quoteAtDate;
        if (r > 1.0 + thresholds.strongRise / 100.0)
            icon = 1;
        else if (r > 1.0 + thresholds.rise / 100.0)
            icon = 2;
        else if (r < 1.0 + thresholds.strongFall / 100.0)
            icon = 4;
        else if (r < 1.0 + thresholds.fall / 100.0)
            icon = 5;
        else
            icon = 3;
    }
    if (upperAlert > 0.0 && price >= upperAlert) icon = 6;
    if (lowerAlert > 0.0 && price <= lowerAlert) icon = 7;
    return icon;
}

AlertPrices AlertPricesOf(const CFolari2Doc&, const PositionList& lots, int32_t securityId) {
    AlertPrices alerts;
    for (const CFL2DepotPos& lot : lots) {
        if (lot.securityId != securityId || lot.state != PositionState::Open) continue;
        if (lot.stopPrice > alerts.lower) alerts.lower = lot.stopPrice;
        if (lot.targetPrice > 0.0 && (alerts.upper <= 0.0 || lot.targetPrice < alerts.upper))
            alerts.upper = lot.targetPrice;
    }
    return alerts;
}

}  // namespace pf

#pragma once

#include <cstdint>

#include "engine/holdings.h"

namespace pf {

class CFolari2Doc;
struct DocumentOptions;

// How far a new price may move from the last quote, in percent, before the quote dialogs
// show it as a rise or fall. The rise thresholds are compared with ">", the fall thresholds
// with "<".
struct TrendThresholds {
    double strongRise = 1.0;   // T1
    double rise = 0.0;         // T2
    double strongFall = -1.0;  // T3
    double fall = 0.0;         // T4

    bool operator==(const TrendThresholds&) const = default;
};

// The document's thresholds (set on the options page "Allgemein"); a stored value that is
// not a finite number keeps its default.
TrendThresholds TrendThresholdsOf(const DocumentOptions& options);

// The trend icon of a new `price` against `quoteAtDate`, the security's quote at the date
// the new price is for:
//   0  no quote to compare with (quoteAtDate <= 0);
//   with r = price / quoteAtDate: 1 when r > 1 + T1/100, else 2 when r > 1 + T2/100, else
//   4 when r < 1 + T3/100, else 5 when r < 1 + T4/100, else 3.
// Then the alert prices (<= 0 = none), whether or not there was a quote: 6 when the price
// is at or above `upperAlert`, 7 when it is at or below `lowerAlert`; 7 wins over 6.
int TrendIcon(double price, double quoteAtDate, double upperAlert, double lowerAlert,
              const TrendThresholds& thresholds);

// A security's alert prices, as the holdings report's merged row of the security has them:
// upper = the lowest positive target price, lower = the highest stop price of its open lots
// in `lots`; 0 where no lot has one.
struct AlertPrices {
    double upper = 0.0;
    double lower = 0.0;

    bool operator==(const AlertPrices&) const = default;
};
AlertPrices AlertPricesOf(const CFolari2Doc& doc, const PositionList& lots, int32_t securityId);

}  // namespace pf

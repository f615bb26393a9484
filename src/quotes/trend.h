#pragma once

#include <cstdint>

#include "engine/holdings.h"

namespace pf {

class CFolari2Doc;
class SettingsStore;

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

// The thresholds of the profile's section "Settings", entries "TrendT1" to "TrendT4", each a
// text with a decimal point ("-1.5"; blanks around it allowed). An entry that is absent, not
// a number or not finite keeps its default.
TrendThresholds LoadTrendThresholds(const SettingsStore& settings);
// Writes the four entries as the shortest texts that read back as the same doubles.
void SaveTrendThresholds(SettingsStore& settings, const TrendThresholds& thresholds);

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

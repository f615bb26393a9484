#pragma once

// The money-weighted and the time-weighted rate of return of the whole assets (depot value
// plus account balance) over a period, from day-by-day series.
#include <optional>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

// The four series, one entry per calendar day from the start date (index 0) to the end date:
// depot value V, invested capital I, account balance K and paid-in capital P, each at the
// end of its day, in the report currency.
struct PerformanceSeries {
    CQRNDatum from;
    std::vector<Amount> value;
    std::vector<Amount> invested;
    std::vector<Amount> balance;
    std::vector<Amount> paidIn;
};

// One single period of the time-weighted return: start assets S = A(s), end assets without
// the period's flows E = A(e) - (P(e) - P(s)), performance (E / S - 1) × 100, none for S = 0.
struct PerformancePeriod {
    CQRNDatum from;
    CQRNDatum to;
    Amount startAssets = 0;
    Amount endAssets = 0;
    std::optional<double> percent;
};

struct PerformanceMeasures {
    Amount startAssets = 0;  // A(0)
    Amount endAssets = 0;    // A(n)
    Amount flows = 0;        // D = P(n) - P(0)
    Amount gain = 0;         // G = P(0) + (A(n) - A(0) - P(n))
    double averagePaidIn = 0;
    double averageInvested = 0;
    std::optional<double> mwrPaidIn;    // G / average paid-in capital × 100; none for 0
    std::optional<double> mwrInvested;  // G / average invested capital × 100; none for 0
    double twr = 0;                     // (F - 1) × 100
    std::vector<PerformancePeriod> periods;
};

// The measures of `series`: every calendar day has weight 1 in the averages. A single period
// ends on the end date, on a day whose paid-in capital differs from the day before (the
// day's flows count at its end), and with `periodsEndAtMonthEnd` on the last day of each
// month; periods with S = 0 stay out of the product F. Empty series give all zeros.
PerformanceMeasures MeasurePerformance(const PerformanceSeries& series, bool periodsEndAtMonthEnd);

// The series of a document from `from` to `to` in `currencyId`; the invested capital counts
// the purchase costs when `purchaseCostsInCapital` is set. Empty for `from` after `to`.
PerformanceSeries PerformanceSeriesOf(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                      int32_t currencyId, bool purchaseCostsInCapital);

}  // namespace pf

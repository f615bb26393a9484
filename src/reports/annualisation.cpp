#include "reports/annualisation.h"

#include <cmath>

#include "reports/report_format.h"

namespace pf {

namespace {

constexpr double kDaysPerYear = 365.0;
constexpr double kStep = 0.1;           // rate step of the bracketing search
constexpr double kUpperLimit = 100.0;   // 10,000 % a year
constexpr double kTolerance = 0.00001;  // bracket width at which the bisection stops
constexpr double kAboveCap = 10001.0;   // "more than 10,000 % a year"
constexpr double kBelowCap = -10001.0;  // "less than -10,000 % a year" (linear, continuous)
constexpr double kTotalLoss = -100.0;   // exponential growth cannot fall below -100 %

// What the invested amounts grow to at the annual rate r: Σ amount × g(r, days / 365).
double FutureValue(const std::vector<CashFlowItem>& flows, double r, int method) {
    double sum = 0.0;
    for (const CashFlowItem& flow : flows) {
        // A zero amount adds nothing; skipping it also keeps 0 × inf (a steep continuous
        // rate over many years overflows g) from turning the sum into NaN.
        if (flow.amount == 0.0) continue;
        const double t = flow.days / kDaysPerYear;
        double growth;
        switch (method) {
            case kLinear:
                growth = 1.0 + r * t;
                break;
            case kContinuous:
                growth = std::exp(r * t);
                break;
            default:  // kExponential, and the default for a damaged setting
                growth = std::pow(1.0 + r, t);
                break;
        }
        sum += flow.amount * growth;
    }
    return sum;
}

}  // namespace

double AnnualisedPercent(const std::vector<CashFlowItem>& flows, double target, double gainLoss,
                         int method) {
    if (gainLoss == 0.0) return 0.0;

    double low;
    double high;
    if (gainLoss > 0.0) {
        low = 0.0;
        high = kStep;
        while (target > FutureValue(flows, high, method)) {
            low = high;
            high += kStep;
            if (high > kUpperLimit) return kAboveCap;
        }
    } else {
        // (1 + r)^t is defined only down to r = -1; the other two go on to -100.
        const bool exponential = method != kLinear && method != kContinuous;
        const double lowerLimit = exponential ? -1.0 : -kUpperLimit;
        high = 0.0;
        low = -kStep;
        while (target < FutureValue(flows, low, method)) {
            high = low;
            low -= kStep;
            if (low < lowerLimit) return exponential ? kTotalLoss : kBelowCap;
        }
    }

    // F grows with r, so the root lies in [low, high].
    while (high - low > kTolerance) {
        const double mid = (low + high) / 2.0;
        const double value = FutureValue(flows, mid, method);
        if (value == target) break;
        if (value > target)
            high = mid;
        else
            low = mid;
    }
    return 50.0 * (low + high);
}

std::string AnnualisedText(double percent, int decimals, const std::string& decimalSeparator,
                           const std::string& thousandsSeparator) {
    if (percent > 10000.0)
        return ">" +
               FormatNumber(9999.0, decimals, decimals, false, decimalSeparator,
                            thousandsSeparator) +
               "%";
    if (percent < -10000.0)
        return "<" +
               FormatNumber(-9999.0, decimals, decimals, false, decimalSeparator,
                            thousandsSeparator) +
               "%";
    return FormatNumber(percent, decimals, decimals, true, decimalSeparator, thousandsSeparator) +
           "%";
}

}  // namespace pf

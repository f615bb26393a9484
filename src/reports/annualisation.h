#pragma once

#include <string>
#include <vector>

#include "model/document_options.h"

namespace pf {

// One lot's share of a position's investment: its amount (the cost basis) invested for
// `days` days (at least 1).
struct CashFlowItem {
    int days = 1;
    double amount = 0.0;
};

// The annual rate r (as 100 × r, not yet rounded) at which the invested amounts grow to
// `target` over their days: Σ amount × g(r, days / 365) = target, with g = (1 + r)^t
// (exponential), 1 + r·t (linear) or e^(r·t) (continuous). `gainLoss` is target minus the
// invested sum and decides the direction of the search: 0 gives 0; the search stops with
// 10001 above 10,000 % and with -100 (exponential) or -10001 (the others) at the lower
// limit; otherwise bisection to a width of 0.00001.
double AnnualisedPercent(const std::vector<CashFlowItem>& flows, double target, double gainLoss,
                         int method);

// The text of an annualised value with `decimals` decimals, a sign and "%": above 10000 as
// ">" + 9999, below -10000 as "<" + -9999.
std::string AnnualisedText(double percent, int decimals, const std::string& decimalSeparator,
                           const std::string& thousandsSeparator);

}  // namespace pf

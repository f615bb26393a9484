#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/document_options.h"
#include "model/rounding.h"

namespace pf {

// One payment of an investment: negative when money goes into it (a purchase, costs, the
// value held at the start), positive when money comes out of it (a sale, income, the value
// held at the end).
struct DatedPayment {
    CQRNDatum date;
    Amount amount = 0.0;
};

// The effective annual interest rate (internal rate of return) of a series of payments.
// `Found` carries the rate; `None` means the search gave no result (fewer than two payment
// dates, or no convergence within the iteration limit); `AboveLimit` means the search ran past
// a rate of 100 (10000 % a year) and is shown as "> 10.000,000 %".
struct InternalRate {
    enum class Outcome { None, Found, AboveLimit };

    Outcome outcome = Outcome::None;
    double rate = 0.0;   // per year as a fraction (0.25 = 25 %); only with Found
    int iterations = 0;  // steps the search took

    bool IsFound() const { return outcome == Outcome::Found; }
    // 100 × rate rounded to 3 decimals; only meaningful with Found.
    double Percent() const { return RoundTo(100.0 * rate, 3); }
};

// The highest rate the search reports as a number: 100 = 10000 % a year.
inline constexpr double kHighestRate = 100.0;
// The search gives up without a result after this many steps.
inline constexpr int kRateIterationLimit = 1000;

// The payments merged by date: payments of one day summed, sorted by date, days whose sum
// (rounded to cents) is 0 left out.
std::vector<DatedPayment> MergePaymentsByDate(std::vector<DatedPayment> payments);

// The search for a rate r > -1 at which `presentValue`(r) is 0, for a present value that falls
// as r grows. It starts at r = 0 with the step 0.1 and doubles the step while the present
// value keeps the sign it had at 0; from its first change of sign on, every change of sign
// halves the step and reverses it. A step that would reach r <= -1 is replaced by one that
// ends halfway between -1 and the last rate, so the rate always stays above -100 %. It ends
// when the present value is exactly 0, the step is no longer above 10^-8 or the rate has
// passed 100 (AboveLimit); after kRateIterationLimit evaluations it gives up (None). A present
// value that is not a number counts as keeping its sign.
InternalRate SearchRate(const std::function<double(double)>& presentValue);

// The rate of the merged payments at which their present value, discounted to the first
// merged date with t = days / 365, is 0 (SearchRate). None with fewer than two dates.
InternalRate EffectiveRate(std::vector<DatedPayment> payments);

// The rate as the report shows it: the percentage with exactly 3 decimals and " %", "-" for
// no result, "> 10.000,000 %" above the limit (with the document's separators).
std::string FormatRate(const InternalRate& rate, const DocumentOptions& options);

}  // namespace pf

#pragma once

#include <cstdint>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

// The settlement account day by day: index 0 is `from`, the last index is `to`. Each entry
// holds the value at the end of that day, in the series currency and rounded to 2 decimals
// (before the relative shift).
struct BalanceSeriesResult {
    std::vector<Amount> balance;  // account balance
    std::vector<Amount> capital;  // capital paid in less capital withdrawn
};

// Replays the cash side of purchases, sales and account movements in the account currency
// in force (changing it, with the fixed factors, at the first such transaction on or after
// each account-currency change) and converts the running values into `currency` for each
// day. Conversions that are not possible (a currency that is not fixed-rate or is missing)
// give 0. Purchases and outflows count negative; movements of a capital kind also change
// the capital.
//
// `relative`: the balance is shown net of the capital paid in during the period, measured
// from the start (`relativeToEnd` false: balance[d] - capital[d] + capital[from], and the
// capital of every later day is capital[from]) or from the end (balance[d] - capital[d] +
// capital[to], and the capital of every earlier day is capital[to]).
//
// Empty vectors when `from` is after `to`. Linear in transactions plus days.
BalanceSeriesResult BalanceSeries(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                  int32_t currency, bool relative, bool relativeToEnd);

}  // namespace pf

#pragma once

#include <cstdint>

namespace pf {

// Money amounts, prices and rates are plain doubles; these aliases say what a value means.
using Amount = double;  // a sum of money in some currency, normally rounded to 2 decimals
using Price = double;   // price of one piece in the security's quote currency
using Rate = double;    // an exchange rate or conversion factor

// Rounds half away from zero at `decimals` places, deciding on the truncated next decimal:
// t = trunc(x * 10^(decimals+1)); t = (t +/- 5) / 10; result t / 10^decimals.
// The decision uses the binary value of x, so 2.345 (stored slightly above) rounds to 2.35
// and 1.005 (stored slightly below) rounds to 1.00. `decimals` runs from 0 to 15. A value
// too large to hold digits at that place (|x| * 10^(decimals+1) beyond the 64-bit range) is
// returned unchanged.
double RoundTo(double x, int decimals);

// Quantities are whole multiples of 1/10,000,000 piece, never floating point.
using Quantity = int64_t;
inline constexpr Quantity kPiece = 10'000'000;

}  // namespace pf

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/document_options.h"
#include "model/rounding.h"

namespace pf {

// The separators that numbers are typed and shown with. Each is one character, possibly a
// multi-byte UTF-8 one such as "’"; an empty thousands separator means "no grouping".
struct NumberFormat {
    std::string decimalSeparator = ",";
    std::string thousandsSeparator = ".";

    bool operator==(const NumberFormat&) const = default;
};

// The document's separators. A damaged setting is made safe so that a rewritten field reads
// back as the same number: an empty decimal separator, or one the options dialog refuses (a
// digit, "+", "-" or a control character), becomes ","; a thousands separator the dialog
// refuses, or one equal to the decimal separator, is dropped.
NumberFormat NumberFormatOf(const DocumentOptions& options);

// Decimals of the entry fields: amounts and commissions have exactly 2, prices and exchange
// rates 2 to 7, quantities up to 7 (1/10,000,000 piece).
inline constexpr int kAmountDecimals = 2;
inline constexpr int kPriceMinDecimals = 2;
inline constexpr int kPriceMaxDecimals = 7;
inline constexpr int kQuantityDecimals = 7;

// Largest integer part an entry keeps; larger integer parts are cut down to it.
inline constexpr long long kMaxIntegerPart = 999'999'999;

// A piece count as typed in a "Stück" field. Accepted: digits and one decimal separator;
// the thousands separator and blanks (every character below "!") are ignored wherever they
// stand. Anything else (also a sign or a second decimal separator) or a text without a digit
// gives nullopt. Decimals beyond the 7th are ignored (truncated); an integer part above
// 999,999,999 becomes 999,999,999. Result in 1/10,000,000 piece, never through floating
// point; never negative.
std::optional<Quantity> ParseQuantity(std::string_view text, const NumberFormat& format);

// The canonical text of a quantity: integer part grouped by the thousands separator, the
// decimals without trailing zeros, no decimal separator for whole pieces ("1.234,5",
// "12"). Negative quantities get a leading "-".
std::string FormatQuantity(Quantity quantity, const NumberFormat& format);

// A decimal number (price, rate, amount) as typed. Accepted: digits, one decimal separator
// and, only when `allowNegative`, one "-" before everything else; the thousands separator
// and every character below "!" are ignored. Anything else or a text without a digit gives
// nullopt. The integer part is capped at 999,999,999; decimals beyond `maxDecimals` are
// ignored (truncated, not rounded). The result is the double nearest to the decimal text
// that is kept, so "0,1" gives exactly 0.1 and "10,125" gives 10.125. "-0" gives +0.0.
std::optional<double> ParseDecimal(std::string_view text, const NumberFormat& format,
                                   int maxDecimals, bool allowNegative = false);

// The canonical text of a decimal entry: the value is rounded with RoundTo(value,
// maxDecimals), the integer part grouped, then at least `minDecimals` and at most
// `maxDecimals` decimals (zeros beyond `minDecimals` dropped). A "-" precedes a value that
// is negative after rounding. Decimal counts are taken from 0 to 15; a minimum above the
// maximum is lowered to it. A value that is not finite gives an empty text.
std::string FormatDecimal(double value, const NumberFormat& format, int minDecimals,
                          int maxDecimals);

// An amount or commission field: the text is split at every "+", each part is read as a
// decimal number with 2 decimals (no sign) and the parts are added. An empty text, an empty
// part ("4,90+", "+2") or an invalid part gives nullopt. The parts are summed as whole
// cents, so "4,90+1,50+2" gives exactly 8.40 (the double nearest to 8,40) and no rounding
// error builds up over many parts.
std::optional<double> ParseAmountSum(std::string_view text, const NumberFormat& format);

// A price read from an imported quote file (raw bytes). `decimalSeparator` is ',' for a
// price with decimal comma or '.' for one with decimal point; the other of the two is a
// grouping character ignored wherever it stands. Bytes below "!" (blanks, a carriage
// return) are ignored; a sign, any other byte (also one from 0x80 up) or a second decimal
// separator makes the price invalid, as does a text without a digit. The integer part is
// capped at 999,999,999; at most 7 decimals are taken, further ones are ignored.
std::optional<double> ParseQuotePrice(std::string_view text, char decimalSeparator = ',');

// The zero tests of the entry dialogs, made on the truncated value: an amount is zero when
// amount × 100 truncates to 0 (so 0,004 is zero), a rate or price when value × 10,000,000
// truncates to 0. A value that is not a number is not zero.
bool IsZeroAmount(double amount);
bool IsZeroRate(double rate);

}  // namespace pf

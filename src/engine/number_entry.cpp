#include "engine/number_entry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#include "model/digit_grouping.h"

namespace pf {
namespace {

// What a number field holds after its characters have been checked: the sign, the integer
// part (already capped) and the decimal digits that count.
struct ScannedNumber {
    bool negative = false;
    long long integerPart = 0;
    std::string fraction;  // at most the allowed number of decimal digits
};

// The common reader of every number field. The decimal separator is looked for before the
// thousands separator, so a format where both are equal reads the character as decimal.
std::optional<ScannedNumber> Scan(std::string_view text, std::string_view decimalSeparator,
                                  std::string_view thousandsSeparator, int maxDecimals,
                                  bool allowNegative) {
    ScannedNumber n;
    bool anyDigit = false;
    bool inFraction = false;
    bool signAllowed = allowNegative;  // only before any digit or decimal separator
    size_t i = 0;
    while (i < text.size()) {
        const std::string_view rest = text.substr(i);
        if (!decimalSeparator.empty() && rest.starts_with(decimalSeparator)) {
            if (inFraction) return std::nullopt;
            inFraction = true;
            signAllowed = false;
            i += decimalSeparator.size();
            continue;
        }
        if (!thousandsSeparator.empty() && rest.starts_with(thousandsSeparator)) {
            i += thousandsSeparator.size();
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        ++i;
        if (c < '!') continue;
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            signAllowed = false;
            const int digit = c - '0';
            if (!inFraction) {
                // Capped at every step, so the product never exceeds 10^10.
                n.integerPart = std::min(n.integerPart * 10 + digit, kMaxIntegerPart);
            } else if (static_cast<int>(n.fraction.size()) < maxDecimals) {
                n.fraction += static_cast<char>(c);
            }
            continue;
        }
        if (c == '-' && signAllowed) {
            n.negative = true;
            signAllowed = false;
            continue;
        }
        return std::nullopt;
    }
    if (!anyDigit) return std::nullopt;
    return n;
}

// The integer part and the kept decimals as a count of 10^-decimals units, the decimals
// padded with zeros. Exact: at most 999,999,999 × 10^7 + 9,999,999 for 7 decimals.
int64_t ScaledUnits(const ScannedNumber& n, int decimals) {
    int64_t units = n.integerPart;
    for (int k = 0; k < decimals; ++k) {
        const int digit = k < static_cast<int>(n.fraction.size()) ? n.fraction[k] - '0' : 0;
        units = units * 10 + digit;
    }
    return units;
}

// The double nearest to the decimal text "integer.fraction": from_chars rounds correctly
// in one step, which composing the value from double operations would not always do (the
// integer and decimal digits together can exceed the 53 bits of a double).
double ToDouble(const ScannedNumber& n) {
    std::string text = std::to_string(n.integerPart);
    if (!n.fraction.empty()) text += '.' + n.fraction;
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    // A typed "-0" is plain zero, so that it never shows as "-0".
    return n.negative && value != 0.0 ? -value : value;
}

// The characters the options dialog refuses as a separator: digits, signs and control
// characters. A file may still carry one (one byte each), and with it a number would not
// read back: a decimal separator "0" shows 1 as "1000", whose second "0" is refused.
bool ReservedInNumbers(std::string_view separator) {
    if (separator.size() != 1) return false;
    const unsigned char c = static_cast<unsigned char>(separator[0]);
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c < 0x20 || c == 0x7F;
}

}  // namespace

NumberFormat NumberFormatOf(const DocumentOptions& options) {
    NumberFormat format{options.decimalSeparator, options.thousandsSeparator};
    if (format.decimalSeparator.empty() || ReservedInNumbers(format.decimalSeparator))
        format.decimalSeparator = ",";
    if (ReservedInNumbers(format.thousandsSeparator)) format.thousandsSeparator.clear();
    if (format.thousandsSeparator == format.decimalSeparator) format.thousandsSeparator.clear();
    return format;
}

std::optional<Quantity> ParseQuantity(std::string_view text, const NumberFormat& format) {
    const std::optional<ScannedNumber> n =
        Scan(text, format.decimalSeparator, format.thousandsSeparator, kQuantityDecimals,
             /*allowNegative=*/false);
    if (!n) return std::nullopt;
    return ScaledUnits(*n, kQuantityDecimals);
}

std::string FormatQuantity(Quantity quantity, const NumberFormat& format) {
    // The magnitude as unsigned so that the most negative value has one too.
    const uint64_t magnitude =
        quantity < 0 ? 0 - static_cast<uint64_t>(quantity) : static_cast<uint64_t>(quantity);
    const uint64_t piece = static_cast<uint64_t>(kPiece);
    std::string text = quantity < 0 ? "-" : "";
    text += GroupDigits(std::to_string(magnitude / piece), format.thousandsSeparator);
    const uint64_t fraction = magnitude % piece;
    if (fraction != 0) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%07llu", static_cast<unsigned long long>(fraction));
        std::string decimals(digits);
        decimals.erase(decimals.find_last_not_of('0') + 1);
        text += format.decimalSeparator + decimals;
    }
    return text;
}

std::optional<double> ParseDecimal(std::string_view text, const NumberFormat& format,
                                   int maxDecimals, bool allowNegative) {
    const std::optional<ScannedNumber> n =
        Scan(text, format.decimalSeparator, format.thousandsSeparator, std::max(maxDecimals, 0),
             allowNegative);
    if (!n) return std::nullopt;
    return ToDouble(*n);
}

std::string FormatDecimal(double value, const NumberFormat& format, int minDecimals,
                          int maxDecimals) {
    if (!std::isfinite(value)) return {};
    maxDecimals = std::clamp(maxDecimals, 0, 15);
    minDecimals = std::clamp(minDecimals, 0, maxDecimals);
    // Up to 309 integer digits for the largest doubles, plus the decimals.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", maxDecimals, std::fabs(value));
    // A value that already is the double of a text with at most maxDecimals decimals (every
    // typed entry) is written with exactly those digits. Only other values go through
    // RoundTo, as in the reports: near 10^9 with 7 decimals RoundTo's scaled integer exceeds
    // the 53 bits of a double and would move a typed 999999999,9999999 by one step.
    double readBack = 0.0;
    std::from_chars(buffer, buffer + std::strlen(buffer), readBack);
    double rounded = value;
    if (readBack != std::fabs(value)) {
        rounded = RoundTo(value, maxDecimals);
        std::snprintf(buffer, sizeof buffer, "%.*f", maxDecimals, std::fabs(rounded));
    }
    const std::string digits(buffer);
    const size_t point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    std::string decimals = point == std::string::npos ? "" : digits.substr(point + 1);
    const size_t lastKept = decimals.find_last_not_of('0');
    const size_t keep = std::max(static_cast<size_t>(minDecimals),
                                 lastKept == std::string::npos ? 0 : lastKept + 1);
    decimals.resize(std::min(keep, decimals.size()));

    const bool negative = rounded < 0.0 && digits.find_first_of("123456789") != std::string::npos;
    std::string text = negative ? "-" : "";
    text += GroupDigits(whole, format.thousandsSeparator);
    if (!decimals.empty()) text += format.decimalSeparator + decimals;
    return text;
}

std::optional<double> ParseAmountSum(std::string_view text, const NumberFormat& format) {
    int64_t cents = 0;
    size_t start = 0;
    for (;;) {
        const size_t plus = text.find('+', start);
        const std::string_view part = text.substr(
            start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
        const std::optional<ScannedNumber> n =
            Scan(part, format.decimalSeparator, format.thousandsSeparator, kAmountDecimals,
                 /*allowNegative=*/false);
        if (!n) return std::nullopt;
        // Each part is below 10^11 cents; only a text of tens of millions of parts could
        // overflow, and such a sum is refused rather than wrapped.
        if (__builtin_add_overflow(cents, ScaledUnits(*n, kAmountDecimals), &cents))
            return std::nullopt;
        if (plus == std::string_view::npos) break;
        start = plus + 1;
    }
    ScannedNumber sum;
    sum.integerPart = cents / 100;
    const int centsPart = static_cast<int>(cents % 100);
    sum.fraction = {static_cast<char>('0' + centsPart / 10),
                    static_cast<char>('0' + centsPart % 10)};
    return ToDouble(sum);
}

std::optional<double> ParseQuotePrice(std::string_view text, char decimalSeparator) {
    const std::string decimal(1, decimalSeparator);
    const std::string grouping = decimalSeparator == ',' ? "." : decimalSeparator == '.' ? "," : "";
    const std::optional<ScannedNumber> n =
        Scan(text, decimal, grouping, kPriceMaxDecimals, /*allowNegative=*/false);
    if (!n) return std::nullopt;
    return ToDouble(*n);
}

bool IsZeroAmount(double amount) { return std::trunc(amount * 100.0) == 0.0; }

bool IsZeroRate(double rate) { return std::trunc(rate * 10'000'000.0) == 0.0; }

}  // namespace pf

#include "reports/report_format.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/number_entry.h"
#include "model/document.h"
#include "model/rounding.h"

namespace pf {

// The entry-field formatter FormatDecimal looks similar but keeps its own rules (it skips
// RoundTo for values that already read back from their digits, so typed values near 10^9
// with 7 decimals stay as typed); report numbers always go through RoundTo. The two share
// no code, so that neither rounding rule can change the other's texts. Reports format
// millions of numbers, so the digits are written without going through printf where the
// value allows it.
std::string FormatNumber(double x, int minDecimals, int maxDecimals, bool plusSign,
                         const std::string& decimalSeparator,
                         const std::string& thousandsSeparator) {
    if (!std::isfinite(x)) return {};
    maxDecimals = std::clamp(maxDecimals, 0, 15);
    minDecimals = std::clamp(minDecimals, 0, maxDecimals);
    const double rounded = RoundTo(x, maxDecimals);

    // The digits of |rounded| with exactly maxDecimals decimals, without the point. The
    // rounded value is the double nearest to a number with maxDecimals decimals, so these
    // digits are the ones of that number (while it has at most 15 significant digits;
    // larger values carry no exact decimals anyway). Up to 309 integer digits for the
    // largest doubles, plus the decimals.
    char digits[400];
    size_t length = 0;
    static constexpr double kPowers[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double scaled = std::fabs(rounded) * kPowers[maxDecimals];
    const double whole = std::floor(scaled + 0.5);
    // Below 10^15 the product is off the exact one by at most 1/16 (powers of ten up to
    // 10^15 are exact doubles), so when it lies within 1/4 of a whole number m, the exact
    // value of |rounded| lies within 5/16 of m / 10^maxDecimals in units of the last
    // decimal: correctly rounded decimal output ("%.*f") writes the digits of m. Other
    // values take the general route.
    if (scaled < 1e15 && std::fabs(scaled - whole) <= 0.25) {
        auto m = static_cast<uint64_t>(whole);
        char reversed[24];
        size_t n = 0;
        do {
            reversed[n++] = static_cast<char>('0' + m % 10);
            m /= 10;
        } while (m != 0);
        // At least one digit before the point.
        while (n < static_cast<size_t>(maxDecimals) + 1) reversed[n++] = '0';
        while (n > 0) digits[length++] = reversed[--n];
    } else {
        char buffer[400];
        const int written =
            std::snprintf(buffer, sizeof buffer, "%.*f", maxDecimals, std::fabs(rounded));
        for (int i = 0; i < written && length < sizeof digits; ++i)
            if (buffer[i] != '.') digits[length++] = buffer[i];
    }
    const size_t wholeDigits = length - static_cast<size_t>(maxDecimals);
    // Decimals kept: down to the last non-zero one, at least minDecimals.
    size_t keep = static_cast<size_t>(maxDecimals);
    while (keep > static_cast<size_t>(minDecimals) && digits[wholeDigits + keep - 1] == '0') --keep;

    std::string text;
    text.reserve(2 + wholeDigits + wholeDigits / 3 * thousandsSeparator.size() +
                 decimalSeparator.size() + keep);
    if (rounded < 0.0)
        text += '-';
    else if (plusSign && rounded > 0.0)
        text += '+';
    for (size_t i = 0; i < wholeDigits; ++i) {
        if (i > 0 && (wholeDigits - i) % 3 == 0) text += thousandsSeparator;
        text += digits[i];
    }
    if (keep > 0) {
        text += decimalSeparator;
        text.append(digits + wholeDigits, keep);
    }
    return text;
}

std::string FormatNumber(double x, int minDecimals, int maxDecimals, bool plusSign,
                         const DocumentOptions& options) {
    // The stored separators as they are when they are already safe, which spares copying
    // them for every number of a large table.
    if (!options.decimalSeparator.empty() && options.thousandsSeparator != options.decimalSeparator)
        return FormatNumber(x, minDecimals, maxDecimals, plusSign, options.decimalSeparator,
                            options.thousandsSeparator);
    const NumberFormat format = NumberFormatOf(options);
    return FormatNumber(x, minDecimals, maxDecimals, plusSign, format.decimalSeparator,
                        format.thousandsSeparator);
}

int PieceDecimals(int64_t pieces) {
    // The remainder keeps the sign of `pieces`; its magnitude is below 10^7.
    int64_t fraction = std::llabs(pieces % kPiece);
    if (fraction == 0) return 0;
    int decimals = 7;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --decimals;
    }
    return decimals;
}

std::string ReplacePlaceholder(std::string text, const std::string& placeholder,
                               const std::string& value) {
    if (placeholder.empty()) return text;
    size_t at = 0;
    while ((at = text.find(placeholder, at)) != std::string::npos) {
        text.replace(at, placeholder.size(), value);
        at += value.size();
    }
    return text;
}

double DeriveScreenScale(Canvas& screen) {
    // One inch (254 in 0.1 mm) in device pixels.
    const int pixels = screen.PixelsPerInchX();
    if (pixels < 70) return 1.5;
    if (pixels <= 94) return 1.25;
    if (pixels > 104) return 1.0;
    return 1.1;
}

double DetermineScreenScale(CFolari2Doc& doc, Canvas& screen) {
    DocumentOptions& options = doc.options;
    if (options.scaleNotYetDetermined) {
        options.screenScaleFactor = DeriveScreenScale(screen);
        options.scaleNotYetDetermined = false;
    }
    return options.screenScaleFactor;
}

ReportAppearance TableReportAppearance(const TableAppearance& t) {
    return {t.screenStyle, t.printStyle, t.marginLeft, t.marginTop, t.marginRight, t.marginBottom};
}

}  // namespace pf

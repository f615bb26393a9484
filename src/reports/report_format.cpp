#include "reports/report_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/number_entry.h"
#include "model/digit_grouping.h"
#include "model/document.h"
#include "model/rounding.h"

namespace pf {

// The entry-field formatter FormatDecimal looks similar but keeps its own rules (it skips
// RoundTo for values that already read back from their digits, so typed values near 10^9
// with 7 decimals stay as typed); report numbers always go through RoundTo. The two share
// only the grouping of the digits, so that neither rounding rule can change the other's
// texts.
std::string FormatNumber(double x, int minDecimals, int maxDecimals, bool plusSign,
                         const std::string& decimalSeparator,
                         const std::string& thousandsSeparator) {
    if (!std::isfinite(x)) return {};
    maxDecimals = std::clamp(maxDecimals, 0, 15);
    minDecimals = std::clamp(minDecimals, 0, maxDecimals);
    const double rounded = RoundTo(x, maxDecimals);

    // The rounded value is the double nearest to a number with maxDecimals decimals, so
    // printing it with exactly that many decimals gives those digits back (while it has
    // at most 15 significant digits; larger values carry no exact decimals anyway).
    // Up to 309 integer digits for the largest doubles, plus the decimals.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", maxDecimals, std::fabs(rounded));
    const std::string digits(buffer);
    const size_t point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
    const size_t lastNonZero = fraction.find_last_not_of('0');
    const size_t keep = std::max(static_cast<size_t>(minDecimals),
                                 lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
    fraction.resize(std::min(keep, fraction.size()));

    std::string text;
    if (rounded < 0.0)
        text = "-";
    else if (plusSign && rounded > 0.0)
        text = "+";
    text += GroupDigits(whole, thousandsSeparator);
    if (!fraction.empty()) text += decimalSeparator + fraction;
    return text;
}

std::string FormatNumber(double x, int minDecimals, int maxDecimals, bool plusSign,
                         const DocumentOptions& options) {
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

#include "cli/number_text.h"

#include <cmath>
#include <cstdio>

#include "model/rounding.h"

namespace pf {

std::string FormatAmount(double value, const std::string& decimalSeparator,
                         const std::string& thousandsSeparator) {
    if (!std::isfinite(value)) return "?";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", std::fabs(RoundTo(value, 2)));
    const std::string digits(buffer);
    const size_t point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += thousandsSeparator;
        grouped += whole[i];
    }
    const bool negative = value < 0 && RoundTo(value, 2) != 0.0;
    return (negative ? "-" : "") + grouped + decimalSeparator + digits.substr(point + 1);
}

}  // namespace pf

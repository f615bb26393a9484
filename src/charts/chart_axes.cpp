#include "charts/chart_axes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pf {

namespace {

constexpr const char* kInitials[12] = {"J", "F", "M", "A", "M", "J", "J", "A", "S", "O", "N", "D"};
constexpr const char* kAbbreviations[12] = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                            "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
constexpr const char* kQuarters[4] = {"I", "II", "III", "IV"};

// Bounds the scaling loops: a range of denormal or infinite width must not spin.
constexpr int kMaxScaleSteps = 700;
constexpr size_t kMaxGridValues = 10000;

enum class Unit { Day, Month, Quarter, Year };

// The last day (extended day number) of the unit that holds `day`.
int64_t UnitEnd(Unit unit, CQRNDatum day) {
    const CQRNDatum::Parts p = day.Split();
    switch (unit) {
        case Unit::Day:
            return day.DayNumber();
        case Unit::Month:
            return ExtendedDayNumber(CQRNDatum::DaysInMonth(p.month, p.year), p.month, p.year);
        case Unit::Quarter: {
            const unsigned last = (p.month - 1) / 3 * 3 + 3;
            return ExtendedDayNumber(CQRNDatum::DaysInMonth(last, p.year), last, p.year);
        }
        case Unit::Year:
            return ExtendedDayNumber(31, 12, p.year);
    }
    return day.DayNumber();
}

template <class Label>
std::vector<DateCell> Cells(Unit unit, CQRNDatum start, CQRNDatum end, Label label) {
    std::vector<DateCell> cells;
    if (end < start) return cells;
    int64_t first = start.DayNumber();
    const int64_t last = end.DayNumber();
    while (first <= last) {
        const CQRNDatum day(static_cast<uint32_t>(first));
        const int64_t cellEnd = std::min(UnitEnd(unit, day), last);
        cells.push_back(
            {static_cast<uint32_t>(first), static_cast<uint32_t>(cellEnd), label(day.Split())});
        first = cellEnd + 1;
    }
    return cells;
}

std::string Number(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

const char* MonthInitial(unsigned monthIndex) { return kInitials[monthIndex % 12]; }
const char* MonthAbbreviation(unsigned monthIndex) { return kAbbreviations[monthIndex % 12]; }
const char* QuarterName(unsigned quarterIndex) { return kQuarters[quarterIndex % 4]; }

int ValueLabelSlots(int chartHeight, int titleFontHeight, int labelFontHeight) {
    const long long label = std::max(1, labelFontHeight);
    const long long room = static_cast<long long>(chartHeight) - titleFontHeight - 2 * label;
    return static_cast<int>(std::clamp<long long>(room / (2 * label), 1, 100000));
}

ValueAxis RoundValueAxis(double low, double high, int slots, int decimalsLimit) {
    const double smallest = std::pow(10.0, -decimalsLimit);
    const double g = std::max(1, slots);
    double raw = (high - low) / g;
    // The scale m is kept as a power of ten taken afresh from its exponent: multiplying by
    // 0.1 again and again drifts, and a drifted step no longer divides round values exactly.
    int exponent = 0;
    double m = 1.0;
    for (int i = 0; i < kMaxScaleSteps && raw <= 8 && raw > 0; ++i) {
        m = std::pow(10.0, --exponent);
        raw = (high / m - low / m) / g;
    }
    for (int i = 0; i < kMaxScaleSteps && raw > 8; ++i) {
        raw *= 0.1;
        m = std::pow(10.0, ++exponent);
    }
    const int n = raw <= 1 ? 1 : raw <= 3 ? 2 : 5;
    double step = m * n;
    if (!(step >= smallest) || !std::isfinite(step) || high == low) step = smallest;

    ValueAxis axis;
    axis.step = step;
    axis.min = step * std::trunc(low / step);
    if (low < 0) axis.min -= step;
    axis.max = high >= 0 ? step * (std::trunc(high / step) + 1) : step * std::trunc(high / step);
    if (!std::isfinite(axis.min) || !std::isfinite(axis.max) || axis.max <= axis.min) {
        axis.min = 0.0;  // values beyond what a double can grid: an empty unit axis
        axis.max = 1.0;
        axis.step = 1.0;
    }
    return axis;
}

std::vector<double> GridValues(const ValueAxis& axis) {
    std::vector<double> values;
    if (!(axis.step > 0)) return values;
    // A grid value that misses max by rounding still counts as max.
    const double limit = axis.max + axis.step * 1e-9;
    for (size_t k = 0; k < kMaxGridValues; ++k) {
        const double v = axis.min + static_cast<double>(k) * axis.step;
        if (v > limit) break;
        values.push_back(v);
    }
    return values;
}

int GridDecimals(const ValueAxis& axis, int limit) {
    limit = std::clamp(limit, 0, 15);
    int decimals = 0;
    for (double v : GridValues(axis)) {
        if (v >= axis.max - axis.step / 2) break;
        char text[400];
        std::snprintf(text, sizeof text, "%.*f", limit, v);
        const std::string s = text;
        const size_t point = s.find('.');
        if (point == std::string::npos) continue;
        const size_t lastDigit = s.find_last_not_of('0');
        if (lastDigit > point) decimals = std::max(decimals, static_cast<int>(lastDigit - point));
    }
    return decimals;
}

int64_t DaysInclusive(CQRNDatum start, CQRNDatum end) {
    return static_cast<int64_t>(end.DayNumber()) - start.DayNumber() + 1;
}

int64_t MonthsInclusive(CQRNDatum start, CQRNDatum end) {
    const CQRNDatum::Parts a = start.Split();
    const CQRNDatum::Parts b = end.Split();
    return (static_cast<int64_t>(b.year) - a.year) * 12 + b.month - a.month + 1;
}

int ChooseDateAxisMode(int plotWidth, int pad, CQRNDatum start, CQRNDatum end,
                       const DateLabelWidths& widths) {
    const int64_t w = plotWidth;
    const int64_t days = DaysInclusive(start, end);
    const int64_t months = MonthsInclusive(start, end);
    if (w >= days * (pad + widths.dayNumber)) return kDateAxisDays;
    if (w >= months * (pad + widths.monthName)) return kDateAxisMonths;
    if (w >= months * (pad + widths.monthInitial)) return kDateAxisInitials;
    if (w >= (months + 2) / 3 * (pad + widths.quarterName)) return kDateAxisQuarters;
    return kDateAxisYears;
}

std::vector<DateCell> FineDateCells(int mode, CQRNDatum start, CQRNDatum end) {
    switch (mode) {
        case kDateAxisDays:
            return Cells(Unit::Day, start, end,
                         [](CQRNDatum::Parts p) { return Number("%u", p.day); });
        case kDateAxisMonths:
            return Cells(Unit::Month, start, end, [](CQRNDatum::Parts p) {
                return std::string(MonthAbbreviation(p.month - 1));
            });
        case kDateAxisInitials:
            return Cells(Unit::Month, start, end,
                         [](CQRNDatum::Parts p) { return std::string(MonthInitial(p.month - 1)); });
        case kDateAxisQuarters:
            return Cells(Unit::Quarter, start, end, [](CQRNDatum::Parts p) {
                return std::string(QuarterName((p.month - 1) / 3));
            });
        default:
            return Cells(Unit::Year, start, end,
                         [](CQRNDatum::Parts p) { return Number("%u", p.year / 100); });
    }
}

std::vector<DateCell> CoarseDateCells(int mode, CQRNDatum start, CQRNDatum end) {
    if (mode == kDateAxisDays)
        return Cells(Unit::Month, start, end, [](CQRNDatum::Parts p) {
            return std::string(MonthAbbreviation(p.month - 1)) + " " + Number("%u", p.year);
        });
    if (mode == kDateAxisYears)
        return Cells(Unit::Year, start, end,
                     [](CQRNDatum::Parts p) { return Number("%02u", p.year % 100); });
    return Cells(Unit::Year, start, end, [](CQRNDatum::Parts p) { return Number("%u", p.year); });
}

int DayX(const PlotArea& plot, uint32_t startDay, uint32_t endDay, int64_t day) {
    const int64_t span = std::max<int64_t>(1, static_cast<int64_t>(endDay) - startDay);
    const int64_t width = static_cast<int64_t>(plot.right) - plot.left;
    const int64_t x = plot.left + (day - static_cast<int64_t>(startDay)) * width / span;
    return static_cast<int>(std::clamp<int64_t>(x, INT32_MIN / 2, INT32_MAX / 2));
}

int DayCellX(const PlotArea& plot, uint32_t startDay, uint32_t endDay, int64_t day) {
    const int64_t days = std::max<int64_t>(1, static_cast<int64_t>(endDay) - startDay + 1);
    const int64_t width = static_cast<int64_t>(plot.right) - plot.left;
    const int64_t x = plot.left + (day - static_cast<int64_t>(startDay)) * width / days;
    return static_cast<int>(std::clamp<int64_t>(x, INT32_MIN / 2, INT32_MAX / 2));
}

int ValueY(const PlotArea& plot, const ValueAxis& axis, double value) {
    const double range = axis.max - axis.min;
    if (!(range > 0) || !std::isfinite(value)) return plot.bottom;
    const double height = static_cast<double>(plot.top) - plot.bottom;
    const double y = plot.bottom + (value - axis.min) * height / range;
    // Far outside the plot the clip hides the point anyway; keep it within int range.
    const double reach = std::abs(height) * 4 + 100000;
    return static_cast<int>(std::clamp(y, plot.bottom - reach, plot.top + reach));
}

}  // namespace pf

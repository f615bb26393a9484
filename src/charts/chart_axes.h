#pragma once

// The geometry shared by the security chart and the diagrams: the value axis on round
// steps, the date axis whose granularity follows the room available, and the mapping of
// days and values onto the plot.
#include <cstdint>
#include <string>
#include <vector>

#include "model/date.h"

namespace pf {

// The grid of the value axis: from `min` to `max` in steps of `step`; labels carry
// `decimals` decimal places.
struct ValueAxis {
    double min = 0.0;
    double max = 0.0;
    double step = 0.0;
    int decimals = 0;

    bool operator==(const ValueAxis&) const = default;
};

// Number of value labels that fit beside the plot: (chart height − title font height −
// 2 × label font height) / (2 × label font height), at least 1.
int ValueLabelSlots(int chartHeight, int titleFontHeight, int labelFontHeight);

// Rounds the range [low, high] of the values to a grid of `slots` labels whose step is 1, 2
// or 5 times a power of ten, at least 10^-decimalsLimit. The axis starts at a multiple of the
// step at or below `low` (one step further down for a negative `low`) and ends one step
// above `high` for a non-negative `high`. With high equal to low the step is the smallest
// the limit allows. `decimals` is left 0; see GridDecimals.
ValueAxis RoundValueAxis(double low, double high, int slots, int decimalsLimit);

// The grid values min, min + step, ... up to max (at most 10,000 of them, so that a damaged
// range cannot run away).
std::vector<double> GridValues(const ValueAxis& axis);

// Decimals the grid values below max need (trailing zeros dropped), at most `limit`.
int GridDecimals(const ValueAxis& axis, int limit);

// Granularity of the date axis: fine band / coarse band.
enum DateAxisMode : int {
    kDateAxisDays = 0,      // days / months with year
    kDateAxisMonths = 1,    // three-letter months / years
    kDateAxisInitials = 2,  // month initials / years
    kDateAxisQuarters = 3,  // quarters / years
    kDateAxisYears = 4,     // centuries of the years / the years' last two digits
};

// Widths (logical units, label font) of the widest texts of each kind.
struct DateLabelWidths {
    int dayNumber = 0;     // widest of "1" .. "31"
    int monthName = 0;     // widest three-letter month name
    int monthInitial = 0;  // widest initial
    int quarterName = 0;   // widest of "I" .. "IV"
};

// Days from start to end inclusive.
int64_t DaysInclusive(CQRNDatum start, CQRNDatum end);
// Months from the start month to the end month inclusive.
int64_t MonthsInclusive(CQRNDatum start, CQRNDatum end);

// The finest mode whose cells all have room for their labels plus `pad` on a plot of
// `plotWidth`.
int ChooseDateAxisMode(int plotWidth, int pad, CQRNDatum start, CQRNDatum end,
                       const DateLabelWidths& widths);

// One cell of a date band: the days it covers and its label.
struct DateCell {
    uint32_t firstDay = 0;  // day numbers
    uint32_t lastDay = 0;
    std::string label;

    bool operator==(const DateCell&) const = default;
};

// The cells of the band next to the plot (fine) and of the outer band (coarse) for `mode`:
// the first begins at the start date, each ends at the last day of its unit or at the end
// date.
std::vector<DateCell> FineDateCells(int mode, CQRNDatum start, CQRNDatum end);
std::vector<DateCell> CoarseDateCells(int mode, CQRNDatum start, CQRNDatum end);

// Names on the date axis: index 0 is January, quarter 0 the first quarter.
const char* MonthInitial(unsigned monthIndex);
const char* MonthAbbreviation(unsigned monthIndex);
const char* QuarterName(unsigned quarterIndex);

// The plot area in logical units (y growing upward: top > bottom).
struct PlotArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// x of a day: left + (day − start) × width / (end − start), in integer arithmetic; the start
// lies on the left edge and the end on the right edge.
int DayX(const PlotArea& plot, uint32_t startDay, uint32_t endDay, int64_t day);
// x where the cell of a day begins: the days from start to end share the plot width in
// equal parts, so a day's point (DayX) always lies inside its own cell; the day after the
// end begins at the right edge.
int DayCellX(const PlotArea& plot, uint32_t startDay, uint32_t endDay, int64_t day);
// y of a value: bottom + (value − min) × height / (max − min); the bottom for an empty range.
int ValueY(const PlotArea& plot, const ValueAxis& axis, double value);

}  // namespace pf

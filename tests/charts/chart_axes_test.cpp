#include "charts/chart_axes.h"

#include <gtest/gtest.h>

namespace pf {
namespace {

CQRNDatum Day(unsigned d, unsigned m, unsigned y) {
    CQRNDatum date;
    date.Set(d, m, y);
    return date;
}

TEST(ValueAxis, RoundsTheRangeToStepsOfOneTwoOrFive) {
    struct Case {
        double low, high;
        int slots, limit;
        double min, max, step;
        int decimals;
    };
    const Case cases[] = {
        // raw 47 / 5 = 9.4 > 8 -> 0.94 with m 10: n 1, step 10; 10 / 10 = 1 -> 10; 57 -> 60.
        {10, 57, 5, 7, 10, 60, 10, 0},
        // raw 0.2 -> 2 -> 20 -> 2 with m 0.1: n 2, step 0.2; 1 is a multiple, one step above.
        {0, 1, 5, 7, 0, 1.2, 0.2, 1},
        // raw 10 -> 1 with m 10: step 10; -15 -> -10 and one step more; 35 -> 40.
        {-15, 35, 5, 7, -20, 40, 10, 0},
        // raw 5 -> 50 -> 5 with m 1: step 5; -30 -> -30 - 5; a negative max is truncated.
        {-30, -5, 5, 7, -35, -5, 5, 0},
        // raw 10288 -> 1.0288 with m 10000: n 2, step 20000; 123456 -> 6 steps + 1.
        {0, 123456, 12, 7, 0, 140000, 20000, 0},
        // Equal values: the smallest step the limit allows.
        {0, 0, 5, 2, 0, 0.01, 0.01, 0},
        {50, 50, 5, 7, 50, 50.0000001, 1e-7, 0},
        // raw 0.00062 -> 6.2 with m 0.0001: n 5, step 0.0005; the limit of 3 raises it to 0.001.
        {0, 0.0031, 5, 3, 0, 0.004, 0.001, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
        ValueAxis axis = RoundValueAxis(c.low, c.high, c.slots, c.limit);
        EXPECT_NEAR(axis.step, c.step, c.step * 1e-9);
        EXPECT_NEAR(axis.min, c.min, c.step * 1e-6);
        EXPECT_NEAR(axis.max, c.max, c.step * 1e-6);
        EXPECT_EQ(GridDecimals(axis, c.limit), c.decimals);
    }
}

TEST(ValueAxis, LabelSlotsNeverDropBelowOne) {
    // (1000 - 50 - 70) / 70 = 12.
    EXPECT_EQ(ValueLabelSlots(1000, 50, 35), 12);
    EXPECT_EQ(ValueLabelSlots(50, 50, 35), 1);
    EXPECT_EQ(ValueLabelSlots(0, 0, 0), 1);
}

TEST(ValueAxis, DamagedRangesEndInASmallGrid) {
    for (double high : {1e308, std::numeric_limits<double>::infinity()}) {
        const ValueAxis axis = RoundValueAxis(-1e308, high, 5, 7);
        EXPECT_LE(GridValues(axis).size(), 10000u);
    }
    EXPECT_LE(GridValues(RoundValueAxis(0, 1e-300, 5, 7)).size(), 10000u);
}

TEST(DateAxis, ModeFollowsTheWidthForOneYear) {
    const CQRNDatum start = Day(1, 1, 2021);
    const CQRNDatum end = Day(31, 12, 2021);
    DateLabelWidths w;
    w.dayNumber = 50;
    w.monthName = 90;
    w.monthInitial = 30;
    w.quarterName = 60;
    // 365 days x (20 + 50), 12 months x (20 + 90) and x (20 + 30), 4 quarters x (20 + 60).
    struct Case {
        int width, mode;
    };
    for (const Case& c : {Case{25550, 0}, Case{25549, 1}, Case{1320, 1}, Case{1319, 2},
                          Case{600, 2}, Case{599, 3}, Case{320, 3}, Case{319, 4}, Case{0, 4}}) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(ChooseDateAxisMode(c.width, 20, start, end, w), c.mode);
    }
}

TEST(DateAxis, CellsBeginAtTheStartAndEndWithTheirUnitOrTheEnd) {
    const auto labels = [](const std::vector<DateCell>& cells) {
        std::vector<std::string> texts;
        for (const DateCell& c : cells) texts.push_back(c.label);
        return texts;
    };
    using Texts = std::vector<std::string>;
    const std::vector<DateCell> months =
        FineDateCells(kDateAxisMonths, Day(15, 1, 2021), Day(10, 3, 2021));
    EXPECT_EQ(labels(months), (Texts{"Jan", "Feb", "Mrz"}));
    EXPECT_EQ(months[0].firstDay, Day(15, 1, 2021).DayNumber());
    EXPECT_EQ(months[0].lastDay, Day(31, 1, 2021).DayNumber());
    EXPECT_EQ(months[2].lastDay, Day(10, 3, 2021).DayNumber());
    EXPECT_EQ(labels(CoarseDateCells(kDateAxisMonths, Day(15, 1, 2021), Day(10, 3, 2021))),
              Texts{"2021"});

    EXPECT_EQ(labels(FineDateCells(kDateAxisDays, Day(30, 1, 2021), Day(2, 2, 2021))),
              (Texts{"30", "31", "1", "2"}));
    EXPECT_EQ(labels(CoarseDateCells(kDateAxisDays, Day(30, 1, 2021), Day(2, 2, 2021))),
              (Texts{"Jan 2021", "Feb 2021"}));
    EXPECT_EQ(labels(FineDateCells(kDateAxisInitials, Day(1, 5, 2021), Day(1, 7, 2021))),
              (Texts{"M", "J", "J"}));
    EXPECT_EQ(labels(FineDateCells(kDateAxisQuarters, Day(1, 2, 2020), Day(1, 1, 2021))),
              (Texts{"I", "II", "III", "IV", "I"}));
    EXPECT_EQ(labels(FineDateCells(kDateAxisYears, Day(1, 6, 1999), Day(1, 2, 2001))),
              (Texts{"19", "20", "20"}));
    EXPECT_EQ(labels(CoarseDateCells(kDateAxisYears, Day(1, 6, 1999), Day(1, 2, 2001))),
              (Texts{"99", "00", "01"}));
}

TEST(DateAxis, DaysAndValuesMapOntoThePlot) {
    const PlotArea plot{100, 500, 1100, 0};
    const uint32_t start = 1000;
    const uint32_t end = 1004;
    // (day - start) x 1000 / 4.
    EXPECT_EQ(DayX(plot, start, end, 1000), 100);
    EXPECT_EQ(DayX(plot, start, end, 1001), 350);
    EXPECT_EQ(DayX(plot, start, end, 1004), 1100);
    // Cells: five days share 1000 units; each day's point lies inside its own cell.
    EXPECT_EQ(DayCellX(plot, start, end, 1001), 300);
    EXPECT_EQ(DayCellX(plot, start, end, 1005), 1100);
    for (uint32_t d = start; d <= end; ++d) {
        EXPECT_GE(DayX(plot, start, end, d), DayCellX(plot, start, end, d));
        EXPECT_LE(DayX(plot, start, end, d), DayCellX(plot, start, end, int64_t{d} + 1));
    }
    ValueAxis axis{10, 60, 10, 0};
    EXPECT_EQ(ValueY(plot, axis, 10), 0);
    EXPECT_EQ(ValueY(plot, axis, 35), 250);  // 25 x 500 / 50
    EXPECT_EQ(ValueY(plot, axis, 60), 500);
    EXPECT_EQ(ValueY(plot, ValueAxis{5, 5, 0, 0}, 5), 0);  // empty range: the base
}

}  // namespace
}  // namespace pf

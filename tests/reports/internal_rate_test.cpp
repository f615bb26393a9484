#include "reports/internal_rate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/full_document.h"

namespace pf::testing {
namespace {

std::string Shown(const InternalRate& rate) { return FormatRate(rate, DocumentOptions{}); }

// Payments as the return calculation hands them over: money put in negative, taken out
// positive.
TEST(EffectiveRateTest, PublishedAndHandWorkedSeries) {
    struct Case {
        const char* name;
        std::vector<DatedPayment> payments;
        std::string shown;
    };
    const std::vector<Case> cases = {
        // The spreadsheet example of an annual rate over irregular dates: days from the first
        // date 0, 60, 303, 411, 456; the published result is 37.3362535 %.
        {"five payments",
         {{Day(1, 1, 2008), -10000.0},
          {Day(1, 3, 2008), 2750.0},
          {Day(30, 10, 2008), 4250.0},
          {Day(15, 2, 2009), 3250.0},
          {Day(1, 4, 2009), 2750.0}},
         "37,336 %"},
        // 365 days: 1000 * (1 + r) = 1100, r = 10 %.
        {"one ordinary year", {{Day(1, 1, 2009), -1000.0}, {Day(1, 1, 2010), 1100.0}}, "10,000 %"},
        // 1.1.2008 to 1.1.2009 are 366 days, t = 366/365: (1 + r)^(366/365) = 1.1,
        // r = exp(ln 1.1 * 365/366) - 1 = exp(0.0953102 * 0.9972678) - 1 = exp(0.0950498) - 1
        // = 0.0997136, 9.971 % (not 10 %: the year counts 365 days).
        {"leap year", {{Day(1, 1, 2008), -1000.0}, {Day(1, 1, 2009), 1100.0}}, "9,971 %"},
        // Half the money back after one year: r = -50 %.
        {"loss", {{Day(1, 1, 2009), -1000.0}, {Day(1, 1, 2010), 500.0}}, "-50,000 %"},
        // One ten-thousandth back after a year: 1 + r = 0.0001, r = -99.99 %.
        {"almost all lost", {{Day(1, 1, 2009), -10000.0}, {Day(1, 1, 2010), 1.0}}, "-99,990 %"},
        // 1 becomes 200 in a year: r = 199, beyond 100 (10000 %).
        {"above 10000 %", {{Day(1, 1, 2009), -1.0}, {Day(1, 1, 2010), 200.0}}, "> 10.000,000 %"},
        // A true rate of 8000 % (1 becomes 81). The doubling steps visit 0.1, 0.3, 0.7, 1.5,
        // 3.1, 6.3, 12.7, 25.5, 51.1 with a positive present value and then jump to 102.3,
        // which ends the search above the limit before the step is ever halved: every rate
        // above 5110 % is shown as above 10000 %.
        {"8000 % reads as above the limit",
         {{Day(1, 1, 2009), -1.0}, {Day(1, 1, 2010), 81.0}},
         "> 10.000,000 %"},
        // Everything lost over two dates: the present value is negative at every rate above
        // -1, so the rate creeps towards -1 until the step is below 10^-8: -100 % after
        // rounding to 3 decimals, though the rate itself never reaches -1.
        {"nothing comes back",
         {{Day(1, 1, 2020), -1000.0}, {Day(1, 7, 2020), -500.0}},
         "-100,000 %"},
        // Same-day payments merge: -1000 + 1100 = 100 on one date is not a series.
        {"one date after merging", {{Day(1, 1, 2009), -1000.0}, {Day(1, 1, 2009), 1100.0}}, "-"},
        // 1.1.2009 nets to 0 and is dropped, leaving one date. Kept, the series 0, +5 would
        // have a positive present value everywhere and read "> 10.000,000 %".
        {"net-zero date dropped",
         {{Day(1, 1, 2009), -1000.0}, {Day(1, 1, 2009), 1000.0}, {Day(1, 1, 2010), 5.0}},
         "-"},
        // A net-zero first date is dropped, so the remaining dates are 365 days apart and the
        // later dates are not discounted from 1.1.2008: r = 10 %.
        {"net-zero first date",
         {{Day(1, 1, 2008), -0.1},
          {Day(1, 1, 2008), -0.2},
          {Day(1, 1, 2008), 0.3},
          {Day(1, 1, 2009), -1000.0},
          {Day(1, 1, 2010), 1100.0}},
         "10,000 %"},
        // Unsorted input is sorted by date first.
        {"unsorted", {{Day(1, 1, 2010), 1100.0}, {Day(1, 1, 2009), -1000.0}}, "10,000 %"},
        {"single payment", {{Day(1, 1, 2009), -1000.0}}, "-"},
        {"no payment", {}, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Shown(EffectiveRate(c.payments)), c.shown);
    }
}

TEST(EffectiveRateTest, TotalLossStaysAboveMinusOne) {
    const InternalRate r = EffectiveRate({{Day(1, 1, 2020), -1000.0}, {Day(1, 7, 2020), -500.0}});
    ASSERT_TRUE(r.IsFound());
    EXPECT_GT(r.rate, -1.0);
    EXPECT_LT(r.rate, -1.0 + 1e-7);
}

TEST(EffectiveRateTest, MergingSumsByDateAndDropsZeroDays) {
    const std::vector<DatedPayment> merged = MergePaymentsByDate({{Day(3, 1, 2020), 5.0},
                                                                  {Day(1, 1, 2020), -10.0},
                                                                  {Day(2, 1, 2020), 0.1},
                                                                  {Day(3, 1, 2020), 2.5},
                                                                  {Day(2, 1, 2020), 0.2},
                                                                  {Day(2, 1, 2020), -0.3}});
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].date, Day(1, 1, 2020));
    EXPECT_DOUBLE_EQ(merged[0].amount, -10.0);
    EXPECT_EQ(merged[1].date, Day(3, 1, 2020));
    EXPECT_DOUBLE_EQ(merged[1].amount, 7.5);
}

// The rates the search visits for a present value that falls through 0 at r = 0.45.
TEST(SearchRateTest, DoublesUntilTheFirstSignChangeThenHalves) {
    std::vector<double> visited;
    const InternalRate r = SearchRate([&visited](double rate) {
        visited.push_back(rate);
        return 0.45 - rate;
    });
    // 0 (+) -> +0.1, step 0.2; 0.1 (+) -> 0.3, step 0.4; 0.3 (+) -> 0.7, step 0.8;
    // 0.7 (-): step -0.4 -> 0.3; 0.3 (+): step 0.2 -> 0.5; 0.5 (-): step -0.1 -> 0.4;
    // 0.4 (+): step 0.05 -> 0.45.
    const std::vector<double> expected = {0.0, 0.1, 0.3, 0.7, 0.3, 0.5, 0.4, 0.45};
    ASSERT_GE(visited.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(visited[i], expected[i], 1e-12);
    }
    ASSERT_TRUE(r.IsFound());
    EXPECT_NEAR(r.rate, 0.45, 1e-8);
}

TEST(SearchRateTest, NegativeStartWalksDownWithoutDoubling) {
    std::vector<double> visited;
    const InternalRate r = SearchRate([&visited](double rate) {
        visited.push_back(rate);
        return -0.2 - rate;  // root at -0.2
    });
    // 0 (-): step -0.05 -> -0.05; then steps of -0.05 (no doubling after the first change of
    // sign): -0.1, -0.15, -0.2.
    const std::vector<double> expected = {0.0, -0.05, -0.1, -0.15, -0.2};
    ASSERT_GE(visited.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(visited[i], expected[i], 1e-12);
    }
    ASSERT_TRUE(r.IsFound());
    EXPECT_NEAR(r.rate, -0.2, 1e-8);
}

TEST(SearchRateTest, NeverEvaluatesAtOrBelowMinusOne) {
    double lowest = 0.0;
    const InternalRate r = SearchRate([&lowest](double rate) {
        lowest = std::min(lowest, rate);
        return -1.0;
    });
    EXPECT_GT(lowest, -1.0);
    ASSERT_TRUE(r.IsFound());
    EXPECT_GT(r.rate, -1.0);
}

// The limit of 1000 steps: a present value that changes sign twice and is then undefined
// leaves the search walking upward in steps of 0.05 (0.05 -> 100 would take about 2000).
TEST(SearchRateTest, GivesUpAfterOneThousandSteps) {
    int calls = 0;
    const InternalRate r = SearchRate([&calls](double) {
        ++calls;
        if (calls == 1) return 1.0;   // at 0: up to 0.1, step 0.2
        if (calls == 2) return -1.0;  // at 0.1: step -0.1, back to 0
        if (calls == 3) return 1.0;   // at 0: step 0.05, to 0.05
        return std::numeric_limits<double>::quiet_NaN();
    });
    EXPECT_EQ(r.outcome, InternalRate::Outcome::None);
    EXPECT_EQ(calls, 1000);
    EXPECT_EQ(Shown(r), "-");
}

TEST(SearchRateTest, ExactZeroEndsTheSearch) {
    int calls = 0;
    const InternalRate r = SearchRate([&calls](double rate) {
        ++calls;
        return rate == 0.0 ? 0.0 : 1.0;
    });
    ASSERT_TRUE(r.IsFound());
    EXPECT_EQ(r.rate, 0.0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Shown(r), "0,000 %");
}

TEST(FormatRateTest, UsesTheDocumentSeparators) {
    DocumentOptions options;
    options.decimalSeparator = ".";
    options.thousandsSeparator = ",";
    InternalRate above;
    above.outcome = InternalRate::Outcome::AboveLimit;
    EXPECT_EQ(FormatRate(above, options), "> 10,000.000 %");
    InternalRate found;
    found.outcome = InternalRate::Outcome::Found;
    found.rate = 12.345678;  // 1234.5678 % -> 1234.568
    EXPECT_EQ(FormatRate(found, options), "1,234.568 %");
}

}  // namespace
}  // namespace pf::testing

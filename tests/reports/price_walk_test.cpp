#include "reports/price_walk.h"

#include <gtest/gtest.h>

#include <vector>

namespace pf {
namespace {

TEST(PriceWalk, LowHighAndLargestDip) {
    struct Case {
        const char* what;
        std::vector<double> prices;
        double low, high;
        bool hasDrawdown;
        double drawdown;
    };
    const Case cases[] = {
        // Only rising: the open "dip" at the end is peak = trough, 0 %.
        {"rising only", {1, 2, 3}, 1, 3, true, 0.0},
        {"one quote", {5}, 5, 5, true, 0.0},
        // 10 -> 8 is closed by the new peak 12: (1 - 8/10) x 100 = 20 %.
        {"closed dip", {10, 8, 9, 12}, 8, 12, true, 20.0},
        // Still open at the end: (1 - 9/12) x 100 = 25 %.
        {"open dip at the end", {10, 12, 9}, 9, 12, true, 25.0},
        // 50 % (10 -> 5) beats the open 18.18 % (11 -> 9).
        {"largest of two", {10, 5, 11, 9}, 5, 11, true, 50.0},
        // A price equal to the peak neither ends nor deepens the dip: (1 - 6/10) = 40 %.
        {"back to the peak", {10, 6, 10, 7}, 6, 10, true, 40.0},
        // A peak of 0 measures nothing; the later peak 2 is measured at the end (0 %).
        {"zero peak", {0, -1, 2}, -1, 2, true, 0.0},
        {"only zero", {0}, 0, 0, false, 0.0},
        {"only negative", {-5, -3}, -5, -3, false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PriceWalk walk = WalkPrices(c.prices);
        EXPECT_TRUE(walk.hasQuotes);
        EXPECT_EQ(walk.first, c.prices.front());
        EXPECT_EQ(walk.last, c.prices.back());
        EXPECT_EQ(walk.low, c.low);
        EXPECT_EQ(walk.high, c.high);
        EXPECT_EQ(walk.hasDrawdown, c.hasDrawdown);
        if (c.hasDrawdown) {
            EXPECT_NEAR(walk.maxDrawdown, c.drawdown, 1e-9);
        }
    }
}

TEST(PriceWalk, NoQuotesNoFigures) {
    const PriceWalk walk = WalkPrices({});
    EXPECT_FALSE(walk.hasQuotes);
    EXPECT_FALSE(walk.hasDrawdown);
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>

#include "engine/position_queries.h"
#include "engine/value_series.h"
#include "engine_test_util.h"

namespace pf::testing {
namespace {

constexpr int32_t kEur = 0;
constexpr int32_t kDm = 1;

TEST(ValueSeries, LotsCountFromEntryUntilTheDayBeforeTheirSale) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    CFL2Wertpapier* security = b.doc.FindSecurity(s);
    security->quotes.SetQuote(Day(1, 3, 2020), 10.0);
    security->quotes.SetQuote(Day(3, 3, 2020), 11.0);
    b.Buy(Day(2, 3, 2020), s, 10, 9.5, 5.0);  // invested 95,00 (total 100,00)
    b.Buy(Day(3, 3, 2020), s, 3, 10.0);
    b.Sell(Day(5, 3, 2020), s, {{1, 3}}, 12.0);

    const ValueSeriesResult r = ValueSeries(b.doc, Day(1, 3, 2020), Day(6, 3, 2020), kEur, false);
    ASSERT_EQ(r.values.size(), 6u);
    // 1.3.: nothing held; 2.3.: 10 × 10,00; 3.3. and 4.3.: 13 × 11,00; from 5.3.: 10 × 11,00.
    const double values[] = {0, 100, 143, 143, 110, 110};
    const double invested[] = {0, 95, 125, 125, 95, 95};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_AMOUNT(r.values[i], values[i]);
        EXPECT_AMOUNT(r.invested[i], invested[i]);
    }
    const ValueSeriesResult total =
        ValueSeries(b.doc, Day(2, 3, 2020), Day(2, 3, 2020), kEur, true);
    EXPECT_AMOUNT(total.invested[0], 100.0);
    EXPECT_TRUE(ValueSeries(b.doc, Day(3, 3, 2020), Day(2, 3, 2020), kEur, false).values.empty());
}

TEST(ValueSeries, QuotesFollowSplitsAsSeenFromTheEndAndConvertPerDay) {
    DocBuilder b;
    const int32_t s = b.Security("S", kDm);
    CFL2Wertpapier* security = b.doc.FindSecurity(s);
    security->quotes.SetQuote(Day(1, 3, 2020), 39.1166);  // DM before the split
    security->quotes.SetQuote(Day(4, 3, 2020), 19.5583);  // DM after it
    b.Buy(Day(1, 3, 2020), s, 10, 20.0);
    b.Split(Day(3, 3, 2020), s, 2, 1);
    const ValueSeriesResult r = ValueSeries(b.doc, Day(2, 3, 2020), Day(4, 3, 2020), kEur, false);
    // The lot holds 20 pieces (as of the end); the old quote reads 19,5583 DM per piece on
    // every day, which is 391,17 DM = 200,00 EUR.
    for (int i = 0; i < 3; ++i) EXPECT_AMOUNT(r.values[i], 200.0);
}

TEST(PositionQueries, IsHeldAt) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    const int32_t t = b.Security("T");
    b.Buy(Day(2, 3, 2020), s, 10, 1.0);
    b.Sell(Day(5, 3, 2020), s, {{0, 10}}, 1.0);
    const PositionList lots = b.Lots();
    struct Case {
        CQRNDatum date;
        bool held;
    };
    for (const Case& c : {Case{Day(1, 3, 2020), false}, Case{Day(2, 3, 2020), true},
                          Case{Day(4, 3, 2020), true}, Case{Day(5, 3, 2020), false}}) {
        SCOPED_TRACE(c.date.FormatLong());
        EXPECT_EQ(IsHeldAt(lots, s, c.date), c.held);
    }
    EXPECT_FALSE(IsHeldAt(lots, t, Day(3, 3, 2020)));
}

}  // namespace
}  // namespace pf::testing

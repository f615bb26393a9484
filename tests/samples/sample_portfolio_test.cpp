#include "samples/sample_portfolio.h"

#include <gtest/gtest.h>

#include "support/full_document.h"

namespace pf::testing {
namespace {

// The sample's quotes are for trading days: Monday to Friday of 2024 from 2 January. The
// weekday test once ran a day off, so Fridays had no quotes and Sundays had some.
TEST(SamplePortfolio, QuotesFallOnMondayToFriday) {
    const CFolari2Doc doc = MakeSamplePortfolio(Day(15, 6, 2026));
    ASSERT_EQ(doc.securities.size(), 3u);
    for (const CFL2Wertpapier& security : doc.securities) {
        SCOPED_TRACE(security.name);
        // 2024 has 262 days from Monday to Friday; 1 January is one of them.
        EXPECT_EQ(security.quotes.size(), 261u);
        for (const CFL2Kurs& quote : security.quotes.Items())
            ASSERT_TRUE(quote.date.IsWeekday()) << quote.date.FormatLong();
        double value = 0.0;
        EXPECT_EQ(security.quotes.QuoteOn(Day(5, 1, 2024), value), 1);  // a Friday
        EXPECT_EQ(security.quotes.QuoteOn(Day(7, 1, 2024), value), 0);  // a Sunday
        EXPECT_EQ(security.quotes.QuoteOn(Day(8, 1, 2024), value), 1);  // a Monday
    }
}

}  // namespace
}  // namespace pf::testing

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/quote.h"
#include "model/security.h"
#include "support/full_document.h"

namespace pf {
namespace {

using testing::Day;

// For every history length up to 12 (quotes on the even days 2, 4, ...), every day from
// before the first to after the last quote is found where a linear scan finds it.
TEST(QuoteHistory, FindQuoteAgreesWithALinearScan) {
    for (size_t count = 0; count <= 12; ++count) {
        QuoteHistory h;
        for (size_t i = 0; i < count; ++i)
            h.SetQuote(CQRNDatum(static_cast<uint32_t>(2 * (i + 1))), 1.0 + i);
        for (uint32_t day = 0; day <= 2 * count + 3; ++day) {
            SCOPED_TRACE(::testing::Message() << count << " quotes, day " << day);
            size_t index = 0;
            while (index < count && h[index].date < CQRNDatum(day)) ++index;
            const bool found = index < count && h[index].date == CQRNDatum(day);
            const QuoteHistory::Position pos = h.FindQuote(CQRNDatum(day));
            EXPECT_EQ(pos.found, found);
            EXPECT_EQ(pos.index, index);
        }
    }
}

TEST(QuoteHistory, SetQuoteKeepsOneQuotePerDateInOrder) {
    QuoteHistory h;
    const uint32_t days[] = {50, 10, 30, 70, 20, 60, 40, 5};
    for (const uint32_t d : days) EXPECT_EQ(h.SetQuote(CQRNDatum(d), d / 10.0), 1);
    ASSERT_EQ(h.size(), std::size(days));
    for (size_t i = 1; i < h.size(); ++i) EXPECT_LT(h[i - 1].date, h[i].date);

    EXPECT_EQ(h.SetQuote(CQRNDatum(30), 3.0), 0);  // same value: no change
    EXPECT_EQ(h.SetQuote(CQRNDatum(30), 3.5), 1);  // replaced in place
    EXPECT_EQ(h.size(), std::size(days));
    double v = 0.0;
    EXPECT_EQ(h.QuoteOn(CQRNDatum(30), v), 1);
    EXPECT_EQ(v, 3.5);
}

TEST(QuoteHistory, DeleteClearAndExactLookup) {
    QuoteHistory h;
    EXPECT_EQ(h.ClearQuotes(), 0);
    EXPECT_EQ(h.DeleteQuote(CQRNDatum(10)), 0);
    h.SetQuote(CQRNDatum(10), 1.0);
    h.SetQuote(CQRNDatum(20), 2.0);
    h.SetQuote(CQRNDatum(30), 3.0);

    double v = -1.0;
    EXPECT_EQ(h.QuoteOn(CQRNDatum(25), v), 0);
    EXPECT_EQ(v, -1.0);  // untouched when absent

    EXPECT_EQ(h.DeleteQuote(CQRNDatum(25)), 0);
    EXPECT_EQ(h.DeleteQuote(CQRNDatum(20)), 1);
    EXPECT_EQ(h.QuoteOn(CQRNDatum(20), v), 0);
    EXPECT_EQ(h.DeleteQuote(CQRNDatum(20)), 0);
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0], (CFL2Kurs{CQRNDatum(10), 1.0}));
    EXPECT_EQ(h[1], (CFL2Kurs{CQRNDatum(30), 3.0}));

    EXPECT_EQ(h.ClearQuotes(), 1);
    EXPECT_TRUE(h.empty());
    EXPECT_EQ(h.ClearQuotes(), 0);
}

TEST(Security, PriceAtTakesTheLatestQuoteOnOrBefore) {
    CFL2Wertpapier s;
    EXPECT_EQ(s.PriceAt(Day(1, 6, 2010), Day(1, 6, 2010)), 0.0);
    s.quotes.SetQuote(Day(1, 3, 2010), 10.0);
    s.quotes.SetQuote(Day(1, 4, 2010), 11.0);
    s.quotes.SetQuote(Day(1, 5, 2010), 12.0);
    struct Case {
        CQRNDatum date;
        double expected;
    };
    const Case cases[] = {
        {Day(28, 2, 2010), 0.0},  // before the first quote
        {Day(1, 3, 2010), 10.0}, {Day(31, 3, 2010), 10.0},
        {Day(1, 4, 2010), 11.0}, {Day(2, 4, 2010), 11.0},
        {Day(1, 5, 2010), 12.0}, {Day(18, 1, 2038), 12.0},  // after the last quote
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.FormatLong());
        EXPECT_EQ(s.PriceAt(c.date, c.date), c.expected);
    }
}

// One split on 1.7.2010; quotes on 1.6.2010 (before), 1.7.2010 (on) and 1.8.2010 (after).
struct SplitCase {
    const char* what;
    bool permanent;
    double ratio;
    CQRNDatum quoteDate;  // the date asked for
    CQRNDatum viewDate;
    double expected;
};

CFL2Wertpapier SecurityWithSplit(bool permanent, double ratio) {
    CFL2Wertpapier s;
    s.quotes.SetQuote(Day(1, 6, 2010), 100.0);
    s.quotes.SetQuote(Day(1, 7, 2010), 40.0);
    s.quotes.SetQuote(Day(1, 8, 2010), 42.0);
    s.AddSplit(Day(1, 7, 2010), permanent ? 1 : 0, ratio);
    return s;
}

TEST(Security, PriceAtAdjustsForSplits) {
    const SplitCase cases[] = {
        {"before, seen before", false, 2.0, Day(1, 6, 2010), Day(30, 6, 2010), 100.0},
        {"before, seen on split day", false, 2.0, Day(1, 6, 2010), Day(1, 7, 2010), 50.0},
        {"before, seen after", false, 2.0, Day(1, 6, 2010), Day(1, 8, 2010), 50.0},
        {"on split day, seen after", false, 2.0, Day(1, 7, 2010), Day(1, 8, 2010), 40.0},
        {"after, seen after", false, 2.0, Day(1, 8, 2010), Day(1, 8, 2010), 42.0},
        // The quote found is from before the split although the day asked for is after it:
        // the quote's own date decides.
        {"asked after split, quote before", false, 2.0, Day(30, 6, 2010), Day(1, 8, 2010), 50.0},
        {"ratio 3 rounds to 7 decimals", false, 3.0, Day(1, 6, 2010), Day(1, 8, 2010), 33.3333333},
        // Permanent: the stored quotes before the split are already divided.
        {"permanent, before, seen before", true, 2.0, Day(1, 6, 2010), Day(30, 6, 2010), 200.0},
        {"permanent, before, seen after", true, 2.0, Day(1, 6, 2010), Day(1, 8, 2010), 100.0},
        {"permanent, before, seen on split day", true, 2.0, Day(1, 6, 2010), Day(1, 7, 2010),
         100.0},
        {"permanent, on split day, seen before", true, 2.0, Day(1, 7, 2010), Day(1, 6, 2010), 40.0},
        {"permanent, after, seen before", true, 2.0, Day(1, 8, 2010), Day(1, 6, 2010), 42.0},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CFL2Wertpapier s = SecurityWithSplit(c.permanent, c.ratio);
        EXPECT_EQ(s.PriceAt(c.quoteDate, c.viewDate), c.expected);
    }
}

TEST(Security, ExactPriceAtOnlyOnAQuoteDay) {
    const CFL2Wertpapier s = SecurityWithSplit(false, 2.0);
    double v = -1.0;
    EXPECT_EQ(s.ExactPriceAt(Day(1, 6, 2010), Day(1, 8, 2010), v), 1);
    EXPECT_EQ(v, 50.0);
    EXPECT_EQ(s.ExactPriceAt(Day(1, 6, 2010), Day(1, 6, 2010), v), 1);
    EXPECT_EQ(v, 100.0);
    v = -1.0;
    EXPECT_EQ(s.ExactPriceAt(Day(2, 6, 2010), Day(1, 8, 2010), v), 0);
    EXPECT_EQ(v, -1.0);
}

TEST(Security, SplitAdjustCombinesSplitsAndRoundsOnlyChangedValues) {
    CFL2Wertpapier s;
    s.AddSplit(Day(1, 7, 2010), 0, 2.0);
    s.AddSplit(Day(1, 1, 2011), 0, 5.0);
    EXPECT_EQ(s.SplitAdjust(100.0, Day(1, 6, 2010), Day(1, 8, 2010)), 50.0);
    EXPECT_EQ(s.SplitAdjust(100.0, Day(1, 6, 2010), Day(1, 2, 2011)), 10.0);
    EXPECT_EQ(s.SplitAdjust(100.0, Day(1, 8, 2010), Day(1, 2, 2011)), 20.0);
    // No split between the dates: the value is passed through unrounded.
    EXPECT_EQ(s.SplitAdjust(1.23456789012, Day(1, 2, 2011), Day(1, 3, 2011)), 1.23456789012);
    EXPECT_EQ(s.SplitAdjust(1.23456789012, Day(1, 6, 2010), Day(1, 6, 2010)), 1.23456789012);
    // A changed value is rounded to 7 decimals.
    EXPECT_EQ(s.SplitAdjust(1.23456789012, Day(1, 6, 2010), Day(1, 8, 2010)), 0.6172839);

    // A permanent split and a later ordinary one, seen from before both.
    CFL2Wertpapier mixed;
    mixed.AddSplit(Day(1, 7, 2010), 1, 4.0);
    mixed.AddSplit(Day(1, 1, 2011), 0, 2.0);
    EXPECT_EQ(mixed.SplitAdjust(25.0, Day(1, 6, 2010), Day(1, 6, 2010)), 100.0);
    EXPECT_EQ(mixed.SplitAdjust(25.0, Day(1, 6, 2010), Day(1, 8, 2010)), 25.0);
    EXPECT_EQ(mixed.SplitAdjust(25.0, Day(1, 6, 2010), Day(1, 2, 2011)), 12.5);

    mixed.ClearSplits();
    EXPECT_EQ(mixed.SplitAdjust(25.0, Day(1, 6, 2010), Day(1, 2, 2011)), 25.0);
}

}  // namespace
}  // namespace pf

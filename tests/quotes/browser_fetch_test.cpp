#include "quotes/browser_fetch.h"

#include <gtest/gtest.h>

#include "quotes/internet_quotes.h"

namespace pf {
namespace {

using Step = BrowserFetchSequence::Step;

std::vector<InternetFetchItem> TwoItems() {
    InternetFetchItem a;
    a.securityId = 1;
    a.url = "https://kurse.example/a";
    a.recognition = "Kurs:";
    InternetFetchItem b = a;
    b.securityId = 2;
    b.url = "https://kurse.example/b";
    b.decimalPoint = true;
    return {a, b};
}

TEST(BrowserFetchSequence, FramesPricesAndThePaceOfTheTicks) {
    BrowserFetchSequence run(TwoItems());
    ASSERT_EQ(run.Start(), Step::Navigate);
    EXPECT_EQ(run.CurrentUrl(), "https://kurse.example/a");
    EXPECT_EQ(run.Items()[0].status, kStatusOpeningPage);

    // A frame with the price, then the page itself without it: the price stays.
    run.DocumentComplete("<p>Kurs: 1.234,56 EUR</p>", false);
    run.DocumentComplete("<frameset></frameset>", true);
    EXPECT_TRUE(run.Items()[0].success);
    EXPECT_EQ(run.Items()[0].price, 1234.56);
    EXPECT_EQ(run.Items()[0].status, kStatusQuoteRead);
    // Ticks while loading do not count; after the completion the third idle tick moves on.
    EXPECT_EQ(run.Tick(true), Step::Wait);
    EXPECT_EQ(run.Tick(false), Step::Wait);
    EXPECT_EQ(run.Tick(false), Step::Wait);
    EXPECT_EQ(run.Tick(false), Step::Navigate);
    EXPECT_EQ(run.Current(), 1);
    EXPECT_EQ(run.CurrentUrl(), "https://kurse.example/b");

    // A page that never completes is left after the 16th idle tick; entities are not decoded.
    run.DocumentComplete("Kurs: 1,234.50 &euro;", false);
    EXPECT_EQ(run.Items()[1].price, 1234.5);
    for (int tick = 1; tick <= 15; ++tick) ASSERT_EQ(run.Tick(false), Step::Wait) << tick;
    EXPECT_EQ(run.Tick(false), Step::Finished);
    EXPECT_EQ(run.Current(), 2);
    EXPECT_EQ(run.Tick(false), Step::Finished);
}

TEST(BrowserFetchSequence, WithoutItemsItIsFinishedAtOnce) {
    BrowserFetchSequence run({});
    EXPECT_EQ(run.Start(), Step::Finished);
    run.DocumentComplete("Kurs: 1,00", true);  // nothing to write to
    EXPECT_EQ(run.CurrentUrl(), "");
}

}  // namespace
}  // namespace pf

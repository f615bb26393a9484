#include "quotes/price_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pf {
namespace {

TEST(ParseEntryPrice, DocumentSeparatorsSignAndDecimals) {
    const NumberFormat german;  // "," and "."
    const NumberFormat swiss{".", "'"};
    struct Case {
        const char* text;
        const NumberFormat& format;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1.234,50", german, 1234.5},
        {"1234,5", german, 1234.5},
        {" 12 ", german, 12.0},
        {"0,1234567", german, 0.1234567},      // 7 decimals: the most a field takes
        {"0,12345670", german, std::nullopt},  // an 8th decimal, even a zero, is refused
        {"1,2.3", german, 1.23},               // grouping is ignored wherever it stands
        {"-5", german, std::nullopt},
        {"+5", german, std::nullopt},
        {"5,5,5", german, std::nullopt},
        {"abc", german, std::nullopt},
        {",", german, std::nullopt},
        {"", german, std::nullopt},
        {"0", german, 0.0},
        {"1'234.5", swiss, 1234.5},
        {"1,5", swiss, std::nullopt},  // a comma is no character of this format
        {"0.00000001", swiss, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseEntryPrice(c.text, c.format), c.expected);
    }
}

TEST(EntryTexts, QuotesTwoToSevenRatesFourToSevenDecimals) {
    const NumberFormat german;
    EXPECT_EQ(QuoteText(1234.5, german), "1.234,50");
    EXPECT_EQ(QuoteText(0.1234567, german), "0,1234567");
    EXPECT_EQ(RateText(1.25, german), "1,2500");
    EXPECT_EQ(RateText(1.12345678, german), "1,1234568");
}

TEST(Paging, CountAndWrapAround) {
    struct Case {
        size_t items;
        int perPage;
        int pages;
    };
    const Case cases[] = {{0, 20, 1},  {1, 20, 1}, {20, 20, 1}, {21, 20, 2},
                          {45, 20, 3}, {5, 5, 1},  {6, 5, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        EXPECT_EQ(PageCountOf(c.items, c.perPage), c.pages);
    }
    EXPECT_EQ(NextPage(0, 3), 1);
    EXPECT_EQ(NextPage(2, 3), 0);
    EXPECT_EQ(PreviousPage(0, 3), 2);
    EXPECT_EQ(PreviousPage(1, 3), 0);
    EXPECT_EQ(NextPage(0, 1), 0);
    EXPECT_EQ(PreviousPage(0, 1), 0);
    // A page left over from a longer list is brought back first.
    EXPECT_EQ(NextPage(7, 3), 0);
    EXPECT_EQ(PreviousPage(7, 3), 1);
}

TEST(LessIgnoringCase, FoldsAsciiLetters) {
    EXPECT_TRUE(LessIgnoringCase("apple", "Banana"));
    EXPECT_FALSE(LessIgnoringCase("Banana", "apple"));
    EXPECT_FALSE(LessIgnoringCase("USD", "usd"));
    EXPECT_FALSE(LessIgnoringCase("usd", "USD"));
    EXPECT_TRUE(LessIgnoringCase("us", "USD"));
}

}  // namespace
}  // namespace pf

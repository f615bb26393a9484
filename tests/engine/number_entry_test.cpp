#include "engine/number_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace pf {
namespace {

const NumberFormat kGerman{",", "."};
const NumberFormat kEnglish{".", ","};
const NumberFormat kNoGrouping{",", ""};
const NumberFormat kSwiss{".", "’"};  // a thousands separator of three UTF-8 bytes

constexpr Quantity Pieces(long long whole, long long units = 0) { return whole * kPiece + units; }

// The double that the C library reads from a decimal text with a point.
double Nearest(const char* text) { return std::strtod(text, nullptr); }

TEST(ParseQuantity, AcceptsDigitsSeparatorsAndBlanksOnly) {
    struct Case {
        const char* text;
        const NumberFormat& format;
        std::optional<Quantity> expected;
    };
    const Case cases[] = {
        {"12", kGerman, Pieces(12)},
        {"1.234,5", kGerman, Pieces(1234, 5'000'000)},
        {" 1 234 , 5 ", kGerman, Pieces(1234, 5'000'000)},
        {"\t12\r", kGerman, Pieces(12)},
        {",5", kGerman, Pieces(0, 5'000'000)},
        {"5,", kGerman, Pieces(5)},
        {"1.5", kGerman, Pieces(15)},  // grouping characters are ignored wherever they stand
        {"0,0000001", kGerman, 1},
        {"0,00000019", kGerman, 1},  // the 8th decimal is ignored, not rounded
        {"2,99999999999", kGerman, Pieces(2, 9'999'999)},
        {"1234567890", kGerman, Pieces(999'999'999)},  // integer part capped
        {"99999999999999999999999,25", kGerman, Pieces(999'999'999, 2'500'000)},
        {"999.999.999,9999999", kGerman, Pieces(999'999'999, 9'999'999)},
        {"0", kGerman, 0},
        {"1,234.5", kEnglish, Pieces(1234, 5'000'000)},
        {"1.234,5", kEnglish, Pieces(1, 2'345'000)},
        {"1234,5", kNoGrouping, Pieces(1234, 5'000'000)},
        {"1’234.5", kSwiss, Pieces(1234, 5'000'000)},
        // Invalid entries.
        {"", kGerman, std::nullopt},
        {"   ", kGerman, std::nullopt},
        {",", kGerman, std::nullopt},
        {".", kGerman, std::nullopt},
        {"1,2,3", kGerman, std::nullopt},
        {"-5", kGerman, std::nullopt},
        {"+5", kGerman, std::nullopt},
        {"12a", kGerman, std::nullopt},
        {"1e3", kGerman, std::nullopt},
        {"1.234", kNoGrouping, std::nullopt},
        {"1'234", kSwiss, std::nullopt},
        {"1\xE2\x80", kSwiss, std::nullopt},      // a cut-off separator is no separator
        {"\xC2\xA0\x35", kGerman, std::nullopt},  // a no-break space is not a blank
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseQuantity(c.text, c.format), c.expected);
    }
}

TEST(FormatQuantity, CanonicalTextWithGroupsAndWithoutTrailingZeros) {
    struct Case {
        Quantity quantity;
        const NumberFormat& format;
        const char* expected;
    };
    const Case cases[] = {
        {0, kGerman, "0"},
        {Pieces(12), kGerman, "12"},
        {Pieces(999), kGerman, "999"},
        {Pieces(1000), kGerman, "1.000"},
        {Pieces(1234, 5'000'000), kGerman, "1.234,5"},
        {1, kGerman, "0,0000001"},
        {Pieces(1'234'567, 2'500'000), kGerman, "1.234.567,25"},
        {Pieces(1'234'567, 2'500'000), kEnglish, "1,234,567.25"},
        {Pieces(1'234'567, 2'500'000), kNoGrouping, "1234567,25"},
        {Pieces(1'234'567, 2'500'000), kSwiss, "1’234’567.25"},
        {Pieces(999'999'999, 9'999'999), kGerman, "999.999.999,9999999"},
        {-Pieces(1234, 5'000'000), kGerman, "-1.234,5"},
        {INT64_MIN, kGerman, "-922.337.203.685,4775808"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatQuantity(c.quantity, c.format), c.expected);
    }
}

TEST(FormatQuantity, RewrittenTextReadsBackAsTheSameQuantity) {
    for (const NumberFormat* format : {&kGerman, &kEnglish, &kNoGrouping, &kSwiss}) {
        for (Quantity q = 0; q < Pieces(2'000'000); q = q * 7 + 13) {
            SCOPED_TRACE(q);
            EXPECT_EQ(ParseQuantity(FormatQuantity(q, *format), *format), q);
        }
    }
}

TEST(ParseDecimal, CharactersSignCapAndTruncation) {
    struct Case {
        const char* text;
        const NumberFormat& format;
        int maxDecimals;
        bool allowNegative;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"10,125", kGerman, 7, false, 10.125},
        {"0,1", kGerman, 7, false, 0.1},
        {"1.234,56", kGerman, 2, false, 1234.56},
        {"1,239", kGerman, 2, false, 1.23},  // truncated, not rounded
        {"1,999", kGerman, 0, false, 1.0},
        {"0,12345678", kGerman, 7, false, 0.1234567},
        {"12 345,6\r\n", kGerman, 2, false, 12345.6},
        {"1\t2", kGerman, 2, false, 12.0},
        {"1234567890,5", kGerman, 2, false, 999999999.5},
        {"999.999.999,9999999", kGerman, 7, false, Nearest("999999999.9999999")},
        {"1,234.56", kEnglish, 2, false, 1234.56},
        {"1234,56", kNoGrouping, 2, false, 1234.56},
        {"1’234.56", kSwiss, 2, false, 1234.56},
        {"-5,5", kGerman, 2, true, -5.5},
        {" - 5,5", kGerman, 2, true, -5.5},
        {"-,5", kGerman, 2, true, -0.5},
        // Invalid entries.
        {"-5,5", kGerman, 2, false, std::nullopt},
        {"5-", kGerman, 2, true, std::nullopt},
        {"--5", kGerman, 2, true, std::nullopt},
        {"-", kGerman, 2, true, std::nullopt},
        {"", kGerman, 2, false, std::nullopt},
        {" ", kGerman, 2, false, std::nullopt},
        {",", kGerman, 2, false, std::nullopt},
        {"1,2,3", kGerman, 7, false, std::nullopt},
        {"+5", kGerman, 2, false, std::nullopt},
        {"5 EUR", kGerman, 2, false, std::nullopt},
        {"1.234", kNoGrouping, 2, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDecimal(c.text, c.format, c.maxDecimals, c.allowNegative), c.expected);
    }
}

TEST(ParseDecimal, TypedZeroHasNoSign) {
    const std::optional<double> zero = ParseDecimal("-0,00", kGerman, 2, true);
    ASSERT_TRUE(zero.has_value());
    EXPECT_FALSE(std::signbit(*zero));
    EXPECT_EQ(FormatDecimal(*zero, kGerman, 2, 2), "0,00");
}

// Every typed value must be the double nearest to its decimal text; composing it from
// double steps (digit by digit, or integer + fraction / 10^k) misses for many of them.
TEST(ParseDecimal, GivesTheNearestDoubleOfTheDecimalText) {
    char point[64];
    char comma[64];
    for (long long cents = 0; cents < 200'000; ++cents) {
        std::snprintf(point, sizeof point, "%lld.%02lld", cents / 100, cents % 100);
        std::snprintf(comma, sizeof comma, "%lld,%02lld", cents / 100, cents % 100);
        ASSERT_EQ(ParseDecimal(comma, kGerman, 2), Nearest(point)) << comma;
    }
    // Seven decimals at the top of the range, where integer and fraction digits together
    // exceed the 53 bits of a double.
    for (long long units = 9'999'999'999'999'999; units > 9'999'990'000'000'000; units -= 999'983) {
        std::snprintf(point, sizeof point, "%lld.%07lld", units / 10'000'000, units % 10'000'000);
        std::snprintf(comma, sizeof comma, "%lld,%07lld", units / 10'000'000, units % 10'000'000);
        ASSERT_EQ(ParseDecimal(comma, kGerman, 7), Nearest(point)) << comma;
    }
}

TEST(FormatDecimal, MinimumAndMaximumDecimalsWithGroups) {
    struct Case {
        double value;
        const NumberFormat& format;
        int minDecimals;
        int maxDecimals;
        const char* expected;
    };
    const Case cases[] = {
        {1234567.891, kGerman, 2, 2, "1.234.567,89"},
        {1234567.891, kEnglish, 2, 2, "1,234,567.89"},
        {1234567.891, kNoGrouping, 2, 2, "1234567,89"},
        {1234567.891, kSwiss, 2, 2, "1’234’567.89"},
        {10.125, kGerman, 2, 7, "10,125"},
        {0.1, kGerman, 2, 7, "0,10"},
        {12.0, kGerman, 0, 7, "12"},
        {2.5, kGerman, 0, 2, "2,5"},
        {2.5, kGerman, 2, 2, "2,50"},
        {1.0, kGerman, 7, 7, "1,0000000"},
        {2.345, kGerman, 2, 2, "2,35"},  // RoundTo: half away from zero
        {-0.5, kGerman, 0, 0, "-1"},
        {-0.004, kGerman, 2, 2, "0,00"},  // no "-" before a value that rounds to zero
        {-1234.5, kGerman, 2, 2, "-1.234,50"},
        {999.0, kGerman, 2, 2, "999,00"},
        {Nearest("999999999.9999999"), kGerman, 2, 7, "999.999.999,9999999"},
        {0.1234567, kGerman, 5, 2, "0,12"},  // a minimum above the maximum is lowered
        {std::numeric_limits<double>::quiet_NaN(), kGerman, 2, 2, ""},
        {std::numeric_limits<double>::infinity(), kGerman, 2, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatDecimal(c.value, c.format, c.minDecimals, c.maxDecimals), c.expected);
    }
}

TEST(FormatDecimal, RewrittenPriceReadsBackAsTheTypedValue) {
    const char* typed[] = {"0,0000001", "10,125",     "1.234,5678", "999.999.999,9999999",
                           "0,3",       "12,1000000", "7"};
    for (const NumberFormat* format : {&kGerman, &kNoGrouping}) {
        for (const char* text : typed) {
            SCOPED_TRACE(text);
            const std::optional<double> value = ParseDecimal(text, kGerman, 7);
            ASSERT_TRUE(value.has_value());
            const std::string rewritten = FormatDecimal(*value, *format, 2, 7);
            EXPECT_EQ(ParseDecimal(rewritten, *format, 7), value) << rewritten;
        }
    }
}

TEST(ParseAmountSum, AddsPartsOfTwoDecimalsInWholeCents) {
    struct Case {
        const char* text;
        const NumberFormat& format;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"4,90+1,50+2", kGerman, 8.40},
        {"0,1+0,2", kGerman, 0.3},  // 0.1 + 0.2 in doubles would give 0.30000000000000004
        {" 4,90 + 1,50 ", kGerman, 6.40},
        {"4,999+0,001", kGerman, 4.99},  // each part keeps 2 decimals
        {"1.000,50+2", kGerman, 1002.50},
        {"999.999.999,99+999.999.999,99", kGerman, 1999999999.98},  // the sum is not capped
        {"0,004", kGerman, 0.0},
        {"4.90+1.50", kEnglish, 6.40},
        {"12", kGerman, 12.0},
        // Invalid entries.
        {"", kGerman, std::nullopt},
        {"+", kGerman, std::nullopt},
        {"4,90+", kGerman, std::nullopt},
        {"+2", kGerman, std::nullopt},
        {"4,90++1", kGerman, std::nullopt},
        {"4,90+ +1", kGerman, std::nullopt},
        {"-1+2", kGerman, std::nullopt},
        {"1,2,3+1", kGerman, std::nullopt},
        {"4,90+x", kGerman, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseAmountSum(c.text, c.format), c.expected);
    }
}

TEST(ParseAmountSum, ManyPartsDoNotDrift) {
    std::string text = "0,10";
    for (int i = 1; i < 1000; ++i) text += "+0,10";
    EXPECT_EQ(ParseAmountSum(text, kGerman), 100.0);
}

TEST(ParseQuotePrice, CommaOrPointWithTheOtherAsGrouping) {
    struct Case {
        const char* text;
        char decimalSeparator;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1.234,56", ',', 1234.56},
        {"12,5\r", ',', 12.5},
        {" 12 ", ',', 12.0},
        {"1.2.3", ',', 123.0},
        {"0,123456789", ',', 0.1234567},
        {"1234567890,5", ',', 999999999.5},
        {"1,234.56", '.', 1234.56},
        {"123.45", '.', 123.45},
        {"1.234,56", '.', 1.23456},
        // Invalid prices.
        {"1,2,3", ',', std::nullopt},
        {"1.2.3", '.', std::nullopt},
        {"-1,5", ',', std::nullopt},
        {"", ',', std::nullopt},
        {"\r", ',', std::nullopt},
        {"12;", ',', std::nullopt},
        {"\xA0\x31\x32", ',', std::nullopt},  // bytes from 0x80 up are not ignored
        {"1'234", '.', std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseQuotePrice(c.text, c.decimalSeparator), c.expected);
    }
    EXPECT_EQ(ParseQuotePrice("1.234,56"), 1234.56);  // decimal comma by default
}

TEST(ZeroTests, DecideOnTheTruncatedValue) {
    EXPECT_TRUE(IsZeroAmount(0.0));
    EXPECT_TRUE(IsZeroAmount(0.004));
    EXPECT_TRUE(IsZeroAmount(0.0099));
    EXPECT_TRUE(IsZeroAmount(-0.0099));
    EXPECT_FALSE(IsZeroAmount(0.01));
    EXPECT_FALSE(IsZeroAmount(-0.01));
    EXPECT_FALSE(IsZeroAmount(*ParseAmountSum("0,01", kGerman)));
    EXPECT_TRUE(IsZeroAmount(*ParseAmountSum("0,004", kGerman)));

    EXPECT_TRUE(IsZeroRate(0.0));
    EXPECT_TRUE(IsZeroRate(0.00000009));
    EXPECT_FALSE(IsZeroRate(*ParseDecimal("0,0000001", kGerman, 7)));
    EXPECT_TRUE(IsZeroRate(*ParseDecimal("0,00000009", kGerman, 7)));
    EXPECT_FALSE(IsZeroRate(1.0));
}

TEST(NumberFormatOf, TakesTheDocumentSeparatorsAndRepairsClashes) {
    struct Case {
        const char* decimal;
        const char* thousands;
        NumberFormat expected;
    };
    const Case cases[] = {
        {",", ".", {",", "."}},
        {".", ",", {".", ","}},
        {",", "", {",", ""}},
        {".", "’", {".", "’"}},
        {",", ",", {",", ""}},  // equal separators would read "1,234" back
                                // as 1.234
        {"", ".", {",", "."}},  // without a decimal separator "12,34" would rewrite as "1.234"
        // Characters the options dialog refuses, stored in a damaged file: with a decimal
        // separator "0" the amount 1 would show as "1000" and fail to read back.
        {"0", ".", {",", "."}},
        {"-", "", {",", ""}},
        {"+", ".", {",", "."}},
        {"\t", "’", {",", "’"}},
        {",", "5", {",", ""}},
        {".", "+", {".", ""}},
        {",", "\x7F", {",", ""}},
        {"7", ",", {",", ""}},   // repaired to "," it clashes with the thousands separator
        {" ", ".", {" ", "."}},  // a blank is allowed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.decimal) + "|" + c.thousands);
        DocumentOptions options;
        options.decimalSeparator = c.decimal;
        options.thousandsSeparator = c.thousands;
        EXPECT_EQ(NumberFormatOf(options), c.expected);
    }
}

// A file that stores "0" as decimal and "+" as thousands separator: the amount 1 is shown
// as "1,00" (1 with two decimals, no grouping below 1000) and reads back as 1, also as a
// sum field, where a "+" would have split it.
TEST(NumberFormatOf, RepairedSeparatorsReadBackWhatTheyShow) {
    DocumentOptions options;
    options.decimalSeparator = "0";
    options.thousandsSeparator = "+";
    const NumberFormat format = NumberFormatOf(options);
    EXPECT_EQ(FormatDecimal(1.0, format, 2, 2), "1,00");
    EXPECT_EQ(FormatDecimal(1234.5, format, 2, 2), "1234,50");
    EXPECT_EQ(ParseAmountSum("1234,50", format), 1234.5);
    EXPECT_EQ(ParseDecimal("1,00", format, 2), 1.0);
}

}  // namespace
}  // namespace pf

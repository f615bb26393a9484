#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "model/rounding.h"
#include "model/text_codec.h"

namespace pf {
namespace {

double Below(double x) { return std::nextafter(x, -std::numeric_limits<double>::infinity()); }
double Above(double x) { return std::nextafter(x, std::numeric_limits<double>::infinity()); }

TEST(RoundTo, HalfAwayFromZeroOnTheBinaryValue) {
    struct Case {
        double x;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        // Exact binary halves and one representable step on either side of them.
        {0.125, 2, 0.13},
        {Below(0.125), 2, 0.12},
        {Above(0.125), 2, 0.13},
        {-0.125, 2, -0.13},
        {Above(-0.125), 2, -0.12},
        {Below(-0.125), 2, -0.13},
        {2.5, 0, 3.0},
        {Below(2.5), 0, 2.0},
        {-2.5, 0, -3.0},
        {Above(-2.5), 0, -2.0},
        {0.5, 0, 1.0},
        {Below(0.5), 0, 0.0},
        {0.375, 2, 0.38},
        {Below(0.375), 2, 0.37},
        // Decimal halves are decided by the double that stores them.
        {2.345, 2, 2.35},  // stored slightly above
        {-2.345, 2, -2.35},
        {1.005, 2, 1.00},  // stored slightly below
        {-1.005, 2, -1.00},
        // Only the first dropped decimal counts.
        {0.1249999, 2, 0.12},
        {0.1250001, 2, 0.13},
        {51.1291881196, 2, 51.13},
        {33.333333333333336, 7, 33.3333333},
        {66.66666666666667, 7, 66.6666667},
        {0.0, 2, 0.0},
        {1234.0, 2, 1234.0},
        {-0.004, 2, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hexfloat << c.x << " at " << c.decimals);
        EXPECT_EQ(RoundTo(c.x, c.decimals), c.expected);
    }
}

// Regression: values whose scaled form does not fit a 64-bit integer used to be clamped,
// so RoundTo(1e11, 7) came out as 92233720368.5477600. Such a value has no binary digits
// left beyond the requested decimals, so it is already rounded and must come back as is.
TEST(RoundTo, ValuesBeyondTheIntegerRangeAreAlreadyRounded) {
    const double cases[] = {1e11, -1e11, 123456789012.25, 9.3e15, 1e300, -1e300};
    for (const double x : cases) {
        SCOPED_TRACE(x);
        EXPECT_EQ(RoundTo(x, 7), x);
        EXPECT_EQ(RoundTo(x, 15), x);
    }
    EXPECT_EQ(RoundTo(9.3e15, 2), 9.3e15);
    // Just inside the integer range the ordinary rule still applies.
    EXPECT_EQ(RoundTo(90000000000.125, 7), 90000000000.125);
    EXPECT_EQ(RoundTo(90000000000.125, 2), 90000000000.13);
}

TEST(TextCodec, EveryWindows1252ByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = Windows1252ToUtf8(all);
    const std::optional<std::string> back = Utf8ToWindows1252(utf8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
    EXPECT_TRUE(IsStorable(utf8));
}

TEST(TextCodec, MapsTheSpecialBytes) {
    struct Case {
        unsigned char byte;
        const char* utf8;
    };
    // clang-format off
    const Case cases[] = {
        {0x41, "A"},
        {0x80, "\u20AC"},  // euro sign
        {0x8A, "\u0160"},
        {0x96, "\u2013"},  // en dash
        {0x9F, "\u0178"},
        {0x81, "\xC2\x81"},  // undefined in the code page: the control of the same number
        {0x9D, "\xC2\x9D"},
        {0xA0, "\xC2\xA0"},
        {0xC4, "\u00C4"},  // Ä
        {0xDF, "\u00DF"},  // ß
        {0xF6, "\u00F6"},  // ö
        {0xFF, "\u00FF"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(Windows1252ToUtf8(byte), c.utf8);
        EXPECT_EQ(Utf8ToWindows1252(c.utf8), byte);
    }
    EXPECT_EQ(Utf8ToWindows1252("Größe – 5 €"), std::string("Gr\xF6\xDF"
                                                            "e \x96 5 \x80"));
}

TEST(TextCodec, RefusesTextThatCannotBeStored) {
    const char* cases[] = {
        "\u0142",                // ł: not in the code page
        "Preis \u2192 Kurs",     // arrow
        "\U0001F600",            // four-byte character
        "\xC2\x80",              // U+0080 has no byte of its own
        "\x80",                  // stray continuation byte
        "ab\xC3",                // truncated sequence at the end
        "\xE2\x82",              // truncated three-byte sequence
        "\xC3\x41",              // lead byte followed by ASCII
        "\xC0\xAF",              // overlong '/'
        "\xE0\x80\xAF",          // overlong '/'
        "\xED\xA0\x80",          // surrogate half
        "\xF4\x90\x80\x80",      // beyond U+10FFFF
        "\xF8\x88\x80\x80\x80",  // five-byte form
        "\xFF",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(Utf8ToWindows1252(text).has_value());
        EXPECT_FALSE(IsStorable(text));
    }
    EXPECT_TRUE(IsStorable(""));
    EXPECT_EQ(Utf8ToWindows1252(""), std::string());
}

TEST(TextCodec, CodePoints) {
    EXPECT_EQ(CodePointToWindows1252(U'\u20AC'), 0x80);
    EXPECT_EQ(CodePointToWindows1252(U'\u00E4'), 0xE4);
    EXPECT_EQ(CodePointToWindows1252(U'\u008F'), 0x8F);
    EXPECT_FALSE(CodePointToWindows1252(U'\u0080').has_value());
    EXPECT_FALSE(CodePointToWindows1252(U'\u0100').has_value());

    std::string out;
    for (const char32_t cp : {U'\u0041', U'\u00E4', U'\u20AC', U'\U0001F600'}) AppendUtf8(out, cp);
    EXPECT_EQ(out, "A\u00E4\u20AC\U0001F600");
}

}  // namespace
}  // namespace pf

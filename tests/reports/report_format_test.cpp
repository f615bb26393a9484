#include "reports/report_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iomanip>
#include <limits>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/rounding.h"
#include "support/recording_canvas.h"

namespace pf {
namespace {

TEST(FormatNumber, RoundsGroupsAndWritesDecimals) {
    struct Case {
        double x;
        int minDecimals;
        int maxDecimals;
        bool plusSign;
        const char* expected;
    };
    const Case cases[] = {
        {1234567.891, 2, 2, false, "1.234.567,89"},
        {-0.5, 0, 0, false, "-1"},  // half away from zero
        {0.5, 0, 0, false, "1"},
        {2.5, 0, 2, true, "+2,5"},
        {2.5, 2, 2, true, "+2,50"},
        {-2.5, 0, 2, true, "-2,5"},
        {0.0, 0, 2, true, "0"},         // zero has no sign
        {0.004, 2, 2, true, "0,00"},    // positive only before rounding
        {-0.004, 2, 2, false, "0,00"},  // rounds to zero: no "-"
        {-0.25, 0, 2, false, "-0,25"},  // "-" also for an integer part 0
        {-0.5, 0, 1, false, "-0,5"},
        {-0.005, 0, 2, false, "-0,01"},
        {100.0, 0, 2, false, "100"},  // no separator without decimals
        {100.0, 1, 3, false, "100,0"},
        {1.1, 0, 3, false, "1,1"},  // trailing zeros dropped down to the minimum
        {1.100049, 2, 4, false, "1,10"},
        {1.123456, 0, 4, false, "1,1235"},
        {999.996, 2, 2, false, "1.000,00"},  // the carry reaches the integer part
        {999.0, 0, 0, false, "999"},
        {1000.0, 0, 0, false, "1.000"},
        {-123456.0, 0, 0, false, "-123.456"},
        {1234567890123.0, 0, 0, false, "1.234.567.890.123"},
        {1.5, 3, 1, false, "1,5"},   // a minimum above the maximum is lowered to it
        {1.25, -2, -1, false, "1"},  // negative counts are 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << " " << c.minDecimals << "/" << c.maxDecimals);
        EXPECT_EQ(FormatNumber(c.x, c.minDecimals, c.maxDecimals, c.plusSign, ",", "."),
                  c.expected);
    }
}

TEST(FormatNumber, UsesTheGivenSeparators) {
    EXPECT_EQ(FormatNumber(1234567.891, 2, 2, false, ",", ""), "1234567,89");
    EXPECT_EQ(FormatNumber(-1234567.5, 0, 2, true, ".", ","), "-1,234,567.5");
    EXPECT_EQ(FormatNumber(1234567.25, 2, 2, true, ".", "’"), "+1’234’567.25");
    EXPECT_EQ(FormatNumber(std::nan(""), 0, 2, false, ",", "."), "");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), 0, 2, false, ",", "."), "");
}

TEST(FormatNumber, TakesTheDocumentSeparatorsAndMakesDamagedOnesSafe) {
    DocumentOptions options;
    EXPECT_EQ(FormatNumber(1234.5, 2, 2, false, options), "1.234,50");
    options.thousandsSeparator = "";
    EXPECT_EQ(FormatNumber(1234.5, 2, 2, false, options), "1234,50");
    // Equal separators would make 1.234 and 1,234 the same text.
    options.decimalSeparator = ".";
    options.thousandsSeparator = ".";
    EXPECT_EQ(FormatNumber(1234.5, 2, 2, false, options), "1234.50");
    options.decimalSeparator = "";
    EXPECT_EQ(FormatNumber(1234.5, 2, 2, false, options), "1.234,50");
}

// The number text as printf writes it: the rounded magnitude with exactly maxDecimals
// decimals, zeros beyond the minimum dropped, the whole digits grouped. The formatter
// writes most digits itself and must give exactly these texts.
std::string PrintfNumber(double x, int minDecimals, int maxDecimals, bool plusSign) {
    const double rounded = RoundTo(x, maxDecimals);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", maxDecimals, std::fabs(rounded));
    std::string digits(buffer);
    std::string fraction;
    if (const size_t point = digits.find('.'); point != std::string::npos) {
        fraction = digits.substr(point + 1);
        digits.resize(point);
    }
    while (fraction.size() > static_cast<size_t>(minDecimals) && fraction.back() == '0')
        fraction.pop_back();
    std::string text = rounded < 0.0 ? "-" : (plusSign && rounded > 0.0 ? "+" : "");
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += '.';
        text += digits[i];
    }
    if (!fraction.empty()) text += "," + fraction;
    return text;
}

TEST(FormatNumber, WritesTheDigitsPrintfWrites) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1e-300,
                                  0.005,
                                  0.015,
                                  1.005,
                                  1.0049999999,
                                  2.675,  // stored below 2.675
                                  -2.675,
                                  0.125,
                                  0.375,
                                  123456.785,
                                  999999.995,
                                  9.999999999999999e14,
                                  1e15 - 0.5,
                                  1e15,
                                  1e15 + 2.0,
                                  4503599627370495.5,
                                  9007199254740993.0,
                                  1.8446744073709552e19,
                                  1e22,
                                  1.7976931348623157e308,
                                  std::numeric_limits<double>::denorm_min()};
    // Prices, amounts and percentages as tables show them, with values on and next to the
    // half-way points of every decimal count.
    uint64_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return seed >> 11;
    };
    for (int i = 0; i < 5000; ++i) {
        const double unit = std::pow(10.0, static_cast<int>(next() % 19) - 6);
        const double v = static_cast<double>(next() % 2000000) / 1000.0 * unit;
        values.push_back(v);
        values.push_back(-v);
        values.push_back(std::floor(v) + 0.5);
        values.push_back(std::nextafter(v, 0.0));
    }
    for (const double v : values) {
        for (int maxDecimals = 0; maxDecimals <= 15; ++maxDecimals) {
            for (const int minDecimals : {0, maxDecimals / 2, maxDecimals}) {
                const std::string expected = PrintfNumber(v, minDecimals, maxDecimals, true);
                const std::string text = FormatNumber(v, minDecimals, maxDecimals, true, ",", ".");
                if (text != expected) {
                    ADD_FAILURE() << std::setprecision(17) << v << " " << minDecimals << "/"
                                  << maxDecimals << ": " << text << " instead of " << expected;
                    return;
                }
            }
        }
    }
}

TEST(PieceDecimals, CountsTheDecimalsOfTheFraction) {
    struct Case {
        int64_t pieces;
        int expected;
    };
    const Case cases[] = {
        {0, 0},
        {3 * kPiece, 0},
        {-kPiece, 0},
        {1, 7},
        {kPiece + 5'000'000, 1},
        {1'230'000, 3},
        {12 * kPiece + 1'000'001, 7},
        {-2'500'000, 2},
        {-1'234'560, 6},
        {std::numeric_limits<int64_t>::min(), 7},  // ...4775808: no overflow on the sign
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pieces);
        EXPECT_EQ(PieceDecimals(c.pieces), c.expected);
    }
}

TEST(ReplacePlaceholder, ReplacesEveryOccurrenceCaseSensitively) {
    struct Case {
        const char* text;
        const char* placeholder;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"Depotbestand am <DATUM> - <DATUM>", "<DATUM>", "05.03.2011",
         "Depotbestand am 05.03.2011 - 05.03.2011"},
        {"<DATUM><DATUM>", "<DATUM>", "x", "xx"},
        {"<datum> <DATUM>", "<DATUM>", "1", "<datum> 1"},
        {"<STARTDATUM>-<ENDDATUM>", "DATUM", "x", "<STARTx>-<ENDx>"},  // substring match
        {"<INHABER>", "<INHABER>", "", ""},
        {"a <INHABER> b", "", "x", "a <INHABER> b"},
        // A value containing the placeholder is not replaced again.
        {"<INHABER>!", "<INHABER>", "<INHABER> & <INHABER>", "<INHABER> & <INHABER>!"},
        {"ohne", "<DATUM>", "x", "ohne"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReplacePlaceholder(c.text, c.placeholder, c.value), c.expected);
    }
}

TEST(ScreenScale, DerivedFromPixelsPerInch) {
    struct Case {
        int pixelsPerInch;
        double expected;
    };
    const Case cases[] = {{50, 1.5}, {69, 1.5},  {70, 1.25}, {94, 1.25}, {95, 1.1},
                          {96, 1.1}, {104, 1.1}, {105, 1.0}, {144, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pixelsPerInch);
        RecordingCanvas screen(c.pixelsPerInch);
        EXPECT_EQ(DeriveScreenScale(screen), c.expected);
    }
}

TEST(ScreenScale, DeterminedOnceForADocument) {
    CFolari2Doc doc;
    RecordingCanvas lowResolution(69);
    ASSERT_TRUE(doc.options.scaleNotYetDetermined);
    EXPECT_EQ(DetermineScreenScale(doc, lowResolution), 1.5);
    EXPECT_EQ(doc.options.screenScaleFactor, 1.5);
    EXPECT_FALSE(doc.options.scaleNotYetDetermined);
    EXPECT_FALSE(doc.IsModified());

    // A factor that is already determined (chosen by the user or read from the file) stays.
    RecordingCanvas other(120);
    doc.options.screenScaleFactor = 2.5;
    EXPECT_EQ(DetermineScreenScale(doc, other), 2.5);
    EXPECT_EQ(doc.options.screenScaleFactor, 2.5);
}

}  // namespace
}  // namespace pf

#include "reports/report_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

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

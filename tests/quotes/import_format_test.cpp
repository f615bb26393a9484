#include "quotes/import_format.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pf {
namespace {

// The five descriptions the import dialog installs when no format was ever stored.
const std::string kYahoo =
    "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    <DATUM_JMT>,<TEXT>,<TEXT>,<TEXT>,\r\n    "
    "<KURS_PKT>,<TEXT><NZ>\r\n>";
const std::string kTab = "<WIEDERHOLE:\r\n    <DATUM> <TAB> <KURS> <NZ>\r\n>";
const std::string kSemicolon = "<WIEDERHOLE:\r\n    <DATUM> ; <KURS> <NZ>\r\n>";
const std::string kQuotedTab = "<WIEDERHOLE:\r\n    \"<DATUM>\" <TAB> \"<KURS>\" <NZ>\r\n>";
const std::string kQuotedSemicolon = "<WIEDERHOLE:\r\n    \"<DATUM>\" ; \"<KURS>\" <NZ>\r\n>";

// The bytes of a plain ASCII text in UTF-16, little endian.
std::string Utf16(std::string_view ascii) {
    std::string bytes;
    for (char c : ascii) bytes += {c, '\0'};
    return bytes;
}

struct Quote {
    unsigned day, month, year;
    double value;
};

CFL2Kurs Q(const Quote& q) {
    CFL2Kurs quote;
    EXPECT_EQ(quote.date.Set(q.day, q.month, q.year), 1);
    quote.value = q.value;
    return quote;
}

std::string Describe(const std::vector<CFL2Kurs>& quotes) {
    std::string text;
    for (const CFL2Kurs& q : quotes)
        text += q.date.FormatLong() + "=" + std::to_string(q.value) + " ";
    return text;
}

void ExpectQuotes(const ImportScan& scan, const std::vector<Quote>& expected) {
    std::vector<CFL2Kurs> want;
    for (const Quote& q : expected) want.push_back(Q(q));
    EXPECT_EQ(Describe(scan.quotes), Describe(want));
}

TEST(ImportFormat, DefaultYahooDescriptionHasItsStoredLength) {
    // The stored-format upgrade recognises the current Yahoo description by its 93 bytes.
    EXPECT_EQ(kYahoo.size(), 93u);
}

// Texts that match (or stop matching) a description: the quotes found and where the scan
// stopped.
TEST(ImportFormat, MatchesTextsAgainstDescriptions) {
    struct Case {
        const char* name;
        std::string description;
        std::string text;
        std::vector<Quote> quotes;
        bool stoppedEarly = false;
        size_t stopOffset = 0;
        int stopLine = 0;
    };
    const Case cases[] = {
        {"semicolon default",
         kSemicolon,
         "05.03.2010;12,50\n08.03.2010;13\n",
         {{5, 3, 2010, 12.5}, {8, 3, 2010, 13}}},
        {"tab default",
         kTab,
         "05.03.2010\t12,50\n08.03.2010\t1.013,5\n",
         {{5, 3, 2010, 12.5}, {8, 3, 2010, 1013.5}}},
        {"quoted tab default", kQuotedTab, "\"05.03.2010\"\t\"12,50\"\n", {{5, 3, 2010, 12.5}}},
        {"quoted semicolon default",
         kQuotedSemicolon,
         "\"05.03.2010\";\"12,50\"\n",
         {{5, 3, 2010, 12.5}}},
        {"yahoo default",
         kYahoo,
         "Date,Open,High,Low,Close,Volume,Adj Close\n"
         "2010-03-05,10.00,11.50,9.75,11.25,1200,11.00\n",
         {{5, 3, 2010, 11.25}}},
        // The carriage return is passed over between tokens and inside a price.
        {"windows line ends",
         kSemicolon,
         "05.03.2010;12,50\r\n08.03.2010;13\r\n",
         {{5, 3, 2010, 12.5}, {8, 3, 2010, 13}}},
        // ... but inside a date it makes the date invalid: a date should not end a line.
        {"carriage return in a date",
         "<WIEDERHOLE:<KURS>;<DATUM><NZ>>",
         "12,5;05.03.2010\r\n",
         {},
         true,
         5,
         1},
        {"empty file with a group", kSemicolon, "", {}},
        {"grouping and two decimal commas",
         "<WIEDERHOLE:<DATUM>;<KURS>;<NZ>>",
         "05.03.2010;1.234,56;\n06.03.2010;1,2,3;\n07.03.2010;2;\n",
         {{5, 3, 2010, 1234.56}, {7, 3, 2010, 2}}},
        {"decimal point with comma grouping",
         "<WIEDERHOLE:<DATUM>;<KURS_PKT><NZ>>",
         "05.03.2010;1,234.5\n",
         {{5, 3, 2010, 1234.5}}},
        {"two-digit year", kSemicolon, "5.3.09;1\n", {{5, 3, 2009, 1}}},
        {"month name", kSemicolon, "05-Mar-10;1\n", {{5, 3, 2010, 1}}},
        // "01.02.2010;1\n" is 13 bytes: the invalid date starts at offset 13 on line 2.
        {"impossible day stops the scan",
         kSemicolon,
         "01.02.2010;1\n31.02.2010;2\n01.03.2010;3\n",
         {{1, 2, 2010, 1}},
         true,
         13,
         2},
        {"year first",
         "<WIEDERHOLE:<DATUM_JMT>;<KURS_PKT><NZ>>",
         "2010-03-05;1.5\n",
         {{5, 3, 2010, 1.5}}},
        {"same date twice, the later wins",
         kSemicolon,
         "05.03.2010;1\n05.03.2010;2\n",
         {{5, 3, 2010, 2}}},
        {"newest first",
         kSemicolon,
         "09.03.2010;3\n08.03.2010;2\n05.03.2010;1\n",
         {{5, 3, 2010, 1}, {8, 3, 2010, 2}, {9, 3, 2010, 3}}},
        {"unsorted with a repeated date",
         kSemicolon,
         "09.03.2010;3\n05.03.2010;1\n09.03.2010;4\n08.03.2010;2\n",
         {{5, 3, 2010, 1}, {8, 3, 2010, 2}, {9, 3, 2010, 4}}},
        {"price before date",
         "<WIEDERHOLE:<KURS>;<DATUM><NZ>>",
         "12,5;05.03.2010\n",
         {{5, 3, 2010, 12.5}}},
        {"zero, unreadable and negative prices dropped",
         kSemicolon,
         "05.03.2010;0\n06.03.2010;abc\n07.03.2010;-1\n08.03.2010;3\n",
         {{8, 3, 2010, 3}}},
        // Blanks in the description are ignored, blanks in a date or price are dropped.
        {"blanks inside fields",
         "<WIEDERHOLE:<DATUM> ; <KURS><NZ>>",
         " 05.03. 2010 ;1 2,5\n",
         {{5, 3, 2010, 12.5}}},
        // "\"05.03.2010\";\"1\"\n" is 17 bytes and "\"06.03.2010\";" 13 more: the blank where
        // a quotation mark is expected is at offset 30.
        {"blank where a literal is expected",
         kQuotedSemicolon,
         "\"05.03.2010\";\"1\"\n\"06.03.2010\"; \"2\"\n",
         {{5, 3, 2010, 1}},
         true,
         30,
         2},
        // "05.03.2010;1\n" is 13 bytes, "06.03.2010;" 11 more: the price field at offset 24
        // never meets its line feed.
        {"last line without line feed is lost",
         kSemicolon,
         "05.03.2010;1\n06.03.2010;2",
         {{5, 3, 2010, 1}},
         true,
         24,
         2},
        {"trailing empty lines are no early stop",
         kSemicolon,
         "05.03.2010;1\n\n \r\n",
         {{5, 3, 2010, 1}}},
        {"tags in any case, group without its closing bracket",
         "<wiederhole:<Datum>;<kurs><nz>",
         "05.03.2010;1\n06.03.2010;2\n",
         {{5, 3, 2010, 1}, {6, 3, 2010, 2}}},
        {"no group reads one record",
         "<DATUM>;<KURS><NZ>",
         "05.03.2010;1\n06.03.2010;2\n",
         {{5, 3, 2010, 1}}},
        {"literals, text fields and a header",
         "Kurse<NZ><WIEDERHOLE:<TEXT>|<DATUM>|<KURS><NZ>>",
         "Kurse\nabc|05.03.2010|1\n|06.03.2010|2\n",
         {{5, 3, 2010, 1}, {6, 3, 2010, 2}}},
        // Bytes of other encodings are passed over between tokens; inside a field they make
        // a price unreadable (record dropped) or a date invalid (scan stopped).
        {"latin-1 bytes",
         "<WIEDERHOLE:<DATUM>;<KURS><NZ>>",
         "\xe4\xfc"
         "05.03.2010;1\n06.03.2010;2\xb0\n07.03.2010;3\n",
         {{5, 3, 2010, 1}, {7, 3, 2010, 3}}},
        // Every second byte 0: the date field takes the zeros along and is invalid.
        {"utf-16 text", kSemicolon, Utf16("05.03.2010;1\n"), {}, true, 0, 1},
        // A text field consumes nothing when its terminator comes at once.
        {"empty text field",
         "<WIEDERHOLE:<TEXT>;<DATUM>;<KURS><NZ>>",
         ";05.03.2010;1\n",
         {{5, 3, 2010, 1}}},
        {"text field without terminator", "<TEXT>;<DATUM>;<KURS><NZ>", "abc", {}, true, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportScan scan = ScanQuoteText(c.text, c.description);
        EXPECT_FALSE(scan.faulty);
        ExpectQuotes(scan, c.quotes);
        EXPECT_EQ(scan.stoppedEarly, c.stoppedEarly);
        if (c.stoppedEarly) {
            EXPECT_EQ(scan.stopOffset, c.stopOffset);
            EXPECT_EQ(scan.stopLine, c.stopLine);
        }
    }
}

// Each faulty form with the description offset the dialog selects from. A fault at a token
// (unknown "<", ">" outside a group, a nested group) is marked at the token; a fault found
// by looking past a token (a field without its terminator, something after the group's
// ">") is marked right after that token.
TEST(ImportFormat, ReportsFaultyDescriptionsWithTheirPosition) {
    struct Case {
        const char* name;
        std::string description;
        std::string text;
        size_t errorPosition;
        std::vector<Quote> quotes = {};
    };
    const Case cases[] = {
        {"date at the end", "<DATUM>", "05.03.2010", 7},
        {"date at the end after blanks", "  <DATUM>  ", "05.03.2010", 9},
        {"field followed by a field", "<DATUM><KURS>;", "05.03.2010;1", 7},
        {"field followed by a group", "<TEXT><WIEDERHOLE:;>", "x;", 6},
        // "<WIEDERHOLE:" is 12 bytes, "<DATUM>" 7.
        {"field followed by the group end", "<WIEDERHOLE:<DATUM>>", "05.03.2010", 19},
        {"field followed by an unknown tag", "<KURS><FOO>", "1", 6},
        // "<WIEDERHOLE:a" is 13 bytes: the inner group starts at 13.
        {"nested group", "<WIEDERHOLE:a<WIEDERHOLE:b>>", "aab", 13},
        // "<WIEDERHOLE:a>" is 14 bytes.
        {"text after the group", "<WIEDERHOLE:a> b", "aa", 14},
        {"closing bracket outside a group", "a>", "ab", 1},
        {"unknown tag", "a <FOO>", "ab", 2},
        {"incomplete tag", "<TAB", "x", 0},
        {"lower case tags count by their bytes", "<datum_jmt>", "2010-03-05", 11},
        // "<DATUM>;<KURS><NZ>" is 18 bytes; the quote read before stays.
        {"quotes before the fault kept",
         "<DATUM>;<KURS><NZ><FOO>",
         "05.03.2010;1\nx",
         18,
         {{5, 3, 2010, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportScan scan = ScanQuoteText(c.text, c.description);
        EXPECT_TRUE(scan.faulty);
        EXPECT_EQ(scan.errorPosition, c.errorPosition);
        ExpectQuotes(scan, c.quotes);
    }
}

// The description is parsed while it is matched: a fault the text never reaches is not
// reported.
TEST(ImportFormat, FaultsBeyondTheMatchedTextAreNotReported) {
    struct Case {
        const char* name;
        std::string description;
        std::string text;
    };
    const Case cases[] = {
        {"empty text", "<DATUM>", ""},
        {"stopped before the fault", "a<DATUM>", "b"},
        {"text ended before the fault", "a<FOO>", "a"},
        {"group ends with the text", "<WIEDERHOLE:a> b", "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ScanQuoteText(c.text, c.description).faulty);
    }
}

// Regression: a group whose repetition consumes no text byte repeated for ever.
TEST(ImportFormat, GroupThatConsumesNothingEndsTheScan) {
    struct Case {
        const char* name;
        std::string description;
    };
    const Case cases[] = {
        {"empty group", "<WIEDERHOLE:>"},
        {"group of blanks", "<WIEDERHOLE:  \r\n  >"},
        {"unclosed empty group", "<WIEDERHOLE:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportScan scan = ScanQuoteText(
            "\r\xff"
            "05.03.2010;1\n",
            c.description);
        EXPECT_FALSE(scan.faulty);
        EXPECT_TRUE(scan.quotes.empty());
        EXPECT_TRUE(scan.stoppedEarly);
        EXPECT_EQ(scan.stopOffset, 2u);  // the carriage return and 0xFF were passed over
    }
}

TEST(ImportFormat, ReportsProgressOnlyWhenThePercentChanges) {
    std::string text;
    for (int day = 1; day <= 28; ++day)
        for (int month = 1; month <= 12; ++month)
            text += std::to_string(day) + "." + std::to_string(month) + ".2010;1\n";
    std::vector<int> calls;
    const ImportScan scan =
        ScanQuoteText(text, kSemicolon, [&](int percent) { calls.push_back(percent); });
    EXPECT_EQ(scan.quotes.size(), 28u * 12u);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), 0);
    EXPECT_GE(calls.back(), 99);
    EXPECT_LE(calls.back(), 100);
    for (size_t i = 1; i < calls.size(); ++i) EXPECT_GT(calls[i], calls[i - 1]);
}

TEST(ImportFormat, GarbageEndsQuickly) {
    // 100 MB of pseudo-random bytes (a fixed linear congruential sequence) and 100 MB
    // without a single terminator.
    const size_t size = 100u * 1024u * 1024u;
    std::string random(size, '\0');
    uint32_t state = 12345;
    for (char& c : random) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    const std::string flat(size, 'x');
    const auto start = std::chrono::steady_clock::now();
    for (const std::string* text : {static_cast<const std::string*>(&random), &flat}) {
        for (const std::string& description :
             {kYahoo, kTab, kSemicolon, kQuotedTab, kQuotedSemicolon}) {
            const ImportScan scan = ScanQuoteText(*text, description);
            EXPECT_FALSE(scan.faulty);
            EXPECT_TRUE(scan.quotes.empty());
        }
    }
    // Ten linear passes over 100 MB take well under a second; the bound only has to catch a
    // pass that is not linear, and leaves room for sanitizer builds on a busy machine.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

}  // namespace
}  // namespace pf

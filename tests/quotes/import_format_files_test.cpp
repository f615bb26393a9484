#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "quotes/import_format.h"

namespace pf {
namespace {

// The default descriptions the samples are read with, as the import dialog installs them.
const std::string kYahoo =
    "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    <DATUM_JMT>,<TEXT>,<TEXT>,<TEXT>,\r\n    "
    "<KURS_PKT>,<TEXT><NZ>\r\n>";
const std::string kSemicolon = "<WIEDERHOLE:\r\n    <DATUM> ; <KURS> <NZ>\r\n>";

std::string ReadSample(const std::string& name) {
    const std::string path = std::string(PF_TEST_DATA_DIR) + "/quotes/" + name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Quote {
    unsigned day, month, year;
    double value;
};

std::string Describe(const std::vector<CFL2Kurs>& quotes) {
    std::string text;
    for (const CFL2Kurs& q : quotes)
        text += q.date.FormatLong() + "=" + std::to_string(q.value) + "\n";
    return text;
}

std::string Describe(const std::vector<Quote>& quotes) {
    std::vector<CFL2Kurs> list;
    for (const Quote& q : quotes) {
        CFL2Kurs quote;
        EXPECT_EQ(quote.date.Set(q.day, q.month, q.year), 1);
        quote.value = q.value;
        list.push_back(quote);
    }
    return Describe(list);
}

// Small histories in the layouts quote sites publish, written for these tests. The prices
// expected are the close column (the fifth field) of each row, read off the files by hand.
TEST(ImportFormatFiles, ReadsPublishedHistoryLayouts) {
    struct Case {
        const char* file;
        std::string description;
        std::vector<Quote> quotes;
        bool stoppedEarly = false;
        std::string stopText = {};  // the text from where the scan stopped
        int stopLine = 0;
    };
    const Case cases[] = {
        {"daily_adjclose_volume.csv",
         kYahoo,
         {{1, 3, 2021, 103.25},
          {2, 3, 2021, 102.40},
          {3, 3, 2021, 100.05},
          {4, 3, 2021, 98.90},
          {5, 3, 2021, 100.60}}},
        // Newest first with Windows line ends; the "null" row of 25.12. has no price and is
        // dropped.
        {"daily_volume_adjclose_newest_first.csv",
         kYahoo,
         {{23, 12, 2020, 54.20},
          {24, 12, 2020, 54.875},
          {30, 12, 2020, 55.10},
          {31, 12, 2020, 55.75}}},
        // The close is followed by "," even on the last line, so its quote is kept; only the
        // rest of that line ("12.70,12100", the adjusted close onwards) lacks its line feed.
        {"daily_no_final_line_feed.csv",
         kYahoo,
         {{1, 7, 2019, 12.30}, {2, 7, 2019, 12.45}, {3, 7, 2019, 12.70}},
         true,
         "12.70,12100",
         4},
        // With "<KURS> <NZ>" the price of a last line without line feed never meets its
        // terminator: that quote is lost and the scan says so.
        {"date_semicolon_price_no_final_line_feed.txt",
         kSemicolon,
         {{5, 3, 2010, 12.5}},
         true,
         "13",
         2},
        // Decimal comma with point grouping, day-first dates, a Latin-1 header line.
        {"german_semicolon.csv",
         "<TEXT><NZ>\n<WIEDERHOLE:\n  <DATUM>;<TEXT>;<TEXT>;<TEXT>;<KURS>;<TEXT><NZ>\n>",
         {{4, 1, 2022, 1190.75}, {5, 1, 2022, 1201.5}, {6, 1, 2022, 1162.35}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string text = ReadSample(c.file);
        const ImportScan scan = ScanQuoteText(text, c.description);
        EXPECT_FALSE(scan.faulty);
        EXPECT_EQ(Describe(scan.quotes), Describe(c.quotes));
        EXPECT_EQ(scan.stoppedEarly, c.stoppedEarly);
        if (c.stoppedEarly) {
            EXPECT_EQ(text.substr(scan.stopOffset), c.stopText);
            EXPECT_EQ(scan.stopLine, c.stopLine);
            // Both stop in a last line that lacks its line feed.
            EXPECT_TRUE(scan.inLastLineWithoutLineFeed);
        }
    }
}

}  // namespace
}  // namespace pf

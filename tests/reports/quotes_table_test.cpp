#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"
#include "reports/quotes_table_report.h"
#include "support/recording_canvas.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

// Rows of the quotes table: the title, the column titles, then one row per day.
constexpr int kFirstDay = 2;

std::vector<std::string> ColumnNames(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to) {
    std::vector<std::string> names;
    for (const CFL2Wertpapier* s : QuotesTableSecurities(doc, from, to)) names.push_back(s->name);
    return names;
}

// Two securities with a 2:1 split on 10.01.2020, one stored as quoted ("Normal"), one whose
// older quotes were divided once and for all ("Dauer"); "Normal" has a second split 4:1 on
// 20.01.2020, after the period 07.01. - 13.01.2020.
//   Normal: 08.01. stored 100 (as quoted then), 12.01. stored 51.
//   Dauer:  08.01. stored 50 (quoted 100, divided by 2), 12.01. stored 51.
class QuotesSplitTest : public ::testing::Test {
  protected:
    QuotesSplitTest() {
        normal_ = b_.Security("Normal");
        permanent_ = b_.Security("Dauer");
        b_.Quote(normal_, Day(8, 1, 2020), 100.0);
        b_.Quote(normal_, Day(12, 1, 2020), 51.0);
        b_.Quote(permanent_, Day(8, 1, 2020), 50.0);
        b_.Quote(permanent_, Day(12, 1, 2020), 51.0);
        b_.Split(Day(10, 1, 2020), normal_, 2, 1);
        b_.Split(Day(10, 1, 2020), permanent_, 2, 1, true);
        b_.Split(Day(20, 1, 2020), normal_, 4, 1);
    }
    std::unique_ptr<DevelopmentTable> Build() {
        return BuildQuotesTableReport(b_.doc, Day(7, 1, 2020), Day(13, 1, 2020));
    }
    DocBuilder b_;
    int32_t normal_ = -1;
    int32_t permanent_ = -1;
};

TEST_F(QuotesSplitTest, FourWaysOfHandlingSplits) {
    struct Case {
        SplitHandling mode;
        // Dauer on 08.01. and 12.01., Normal on 08.01. and 12.01.
        std::string dauer8, dauer12, normal8, normal12;
    };
    const Case cases[] = {
        // Before every split: Dauer's divided quote is restored, 50 × 2 = 100.
        {kSplitsNotAdjusted, "100,00", "51,00", "100,00", "51,00"},
        // Seen from 13.01.: Normal's quote before the first split is halved, 100 / 2 = 50;
        // the split of 20.01. is not yet applied.
        {kSplitsAdjustedBeforeEnd, "50,00", "51,00", "50,00", "51,00"},
        // After every split: Normal 100 / 2 / 4 = 12.5 and 51 / 4 = 12.75.
        {kSplitsFullyAdjusted, "50,00", "51,00", "12,50", "12,75"},
        // The stored values.
        {kSplitsAsStored, "50,00", "51,00", "100,00", "51,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        b_.doc.options.quotes.splitHandling = c.mode;
        const auto t = Build();
        ASSERT_EQ(t->ColumnCount(), 5);  // date, Dauer + title, Normal + title
        const int day8 = kFirstDay + 1;
        const int day12 = kFirstDay + 5;
        EXPECT_EQ(t->CellText(day8, 1), c.dauer8);
        EXPECT_EQ(t->CellText(day12, 1), c.dauer12);
        EXPECT_EQ(t->CellText(day8, 3), c.normal8);
        EXPECT_EQ(t->CellText(day12, 3), c.normal12);
        // Days without a stored quote stay empty, also the split day itself.
        for (const int row : {kFirstDay, kFirstDay + 2, kFirstDay + 3, kFirstDay + 6}) {
            EXPECT_EQ(t->CellText(row, 1), "");
            EXPECT_EQ(t->CellText(row, 3), "");
        }
    }
}

TEST_F(QuotesSplitTest, RowsColumnsTitlesAndUserValues) {
    b_.doc.options.lists.priceDecimals = 3;
    b_.doc.options.quotes.titleTemplate = "<BEZEICHNUNG> <WKN> <KUERZEL>/<ISIN> (<KURSWAEHRUNG>)";
    b_.doc.FindSecurity(normal_)->isin = "DE000N";
    const auto t = Build();
    // Title, column titles and 7 days (07.01. to 13.01. inclusive).
    ASSERT_EQ(t->RowCount(), 2 + 7);
    EXPECT_EQ(t->CellText(0, 0), "Kurse von 07.01.2020 bis 13.01.2020");
    EXPECT_EQ(t->CellText(1, 0), "Datum");
    EXPECT_EQ(t->CellText(kFirstDay, 0), "07.01.2020");
    EXPECT_EQ(t->CellText(kFirstDay + 6, 0), "13.01.2020");
    EXPECT_EQ(t->RowUser(kFirstDay)[kUserDate], static_cast<int>(Day(7, 1, 2020).DayNumber()));
    EXPECT_EQ(t->RowUser(0)[kUserDate], -1);
    // Three decimals, also for a whole number.
    EXPECT_EQ(t->CellText(kFirstDay + 5, 3), "51,000");
    // Every price cell, empty or not, names its security.
    EXPECT_EQ(t->CellUser(kFirstDay, 1), permanent_);
    EXPECT_EQ(t->CellUser(kFirstDay + 5, 3), normal_);
    EXPECT_EQ(t->CellUser(kFirstDay, 0), -1);

    const auto& vertical = t->VerticalTexts();
    ASSERT_EQ(vertical.size(), 2u);
    EXPECT_EQ(vertical[0].column, 2);
    EXPECT_EQ(vertical[0].firstRow, kFirstDay);
    EXPECT_EQ(vertical[0].lastRow, kFirstDay + 6);
    EXPECT_EQ(vertical[0].user, permanent_);
    EXPECT_EQ(vertical[0].text, "Dauer WDauer / (EUR)");
    EXPECT_EQ(vertical[1].column, 4);
    EXPECT_EQ(vertical[1].text, "Normal WNormal DE000N/DE000N (EUR)");
    EXPECT_TRUE(t->IsColumnVertical(4));
    EXPECT_FALSE(t->IsColumnVertical(3));

    // A double click on a price cell finds the security, on the date the day.
    RecordingCanvas screen;
    t->Layout(screen);
    const HitResult price = t->HitTest({t->ScreenX(3) + 1, t->RowScreenY(kFirstDay + 5) - 1});
    EXPECT_EQ(price.row, kFirstDay + 5);
    EXPECT_EQ(price.cellUser, normal_);
    EXPECT_EQ(price.user[kUserDate], static_cast<int>(Day(12, 1, 2020).DayNumber()));
}

// Securities added in this order, with quotes around the period 02.01. - 06.01.2020 and the
// tick of "folgende Wertpapiere":
//   alpha  01.01. (the day before)   ticked
//   Beta   04.01.
//   Delta  06.01. (the last day)
//   Eps    07.01. (the day after)
//   Zeta   02.01. (the first day)
//   Gamma  none                      ticked
class QuotesFilterTest : public ::testing::Test {
  protected:
    QuotesFilterTest() {
        const struct {
            const char* name;
            int day;
            bool ticked;
        } securities[] = {{"alpha", 1, true}, {"Beta", 4, false}, {"Delta", 6, false},
                          {"Eps", 7, false},  {"Zeta", 2, false}, {"Gamma", 0, true}};
        for (const auto& s : securities) {
            const int32_t id = b_.Security(s.name);
            if (s.day > 0) b_.Quote(id, Day(s.day, 1, 2020), 10.0);
            b_.doc.FindSecurity(id)->aux1 = s.ticked ? 1 : 0;
        }
    }
    std::vector<std::string> Names() { return ColumnNames(b_.doc, from_, to_); }
    DocBuilder b_;
    CQRNDatum from_ = Day(2, 1, 2020);
    CQRNDatum to_ = Day(6, 1, 2020);
};

TEST_F(QuotesFilterTest, FiltersAndSortsWithoutRegardToCase) {
    using List = std::vector<std::string>;
    // By name, "alpha" before "Beta" although "B" < "a" in byte order.
    EXPECT_EQ(Names(), (List{"alpha", "Beta", "Delta", "Eps", "Gamma", "Zeta"}));
    b_.doc.options.quotes.filter = kQuotesOfSecuritiesWithQuotes;
    EXPECT_EQ(Names(), (List{"Beta", "Delta", "Zeta"}));  // first and last day count
    b_.doc.options.quotes.filter = kQuotesOfChosenSecurities;
    EXPECT_EQ(Names(), (List{"alpha", "Gamma"}));

    // By ISIN: empty keys first; "de0001" and "DE0001" are equal and keep the document
    // order (alpha was added before Beta, although "DE" < "de" byte by byte); "Ü2" and
    // "ü1" compare as "ü2" > "ü1" (byte by byte "Ü" comes first).
    b_.doc.options.quotes.filter = kQuotesOfAllSecurities;
    b_.doc.options.quotes.sortKey = kQuotesByIsin;
    const auto isin = [&](const char* name, const char* value) {
        for (CFL2Wertpapier& s : b_.doc.securities)
            if (s.name == name) s.isin = value;
    };
    isin("alpha", "de0001");
    isin("Beta", "DE0001");
    isin("Delta",
         "\xC3\x9C"
         "2");  // Ü2
    isin("Eps",
         "\xC3\xBC"
         "1");  // ü1
    isin("Zeta", "z");
    EXPECT_EQ(Names(), (List{"Gamma", "alpha", "Beta", "Zeta", "Eps", "Delta"}));

    // By WKN ("W" + name): Walpha < WBeta ... without regard to case.
    b_.doc.options.quotes.sortKey = kQuotesByWkn;
    EXPECT_EQ(Names(), (List{"alpha", "Beta", "Delta", "Eps", "Gamma", "Zeta"}));
}

TEST_F(QuotesFilterTest, ColoursByRowParityAndSecurityPosition) {
    b_.doc.options.quotes.filter = kQuotesOfSecuritiesWithQuotes;  // Beta, Delta, Zeta
    const auto t = BuildQuotesTableReport(b_.doc, from_, to_);
    ASSERT_EQ(t->ColumnCount(), 7);
    struct Case {
        int row;
        int column;
        Colour a;
        Colour b;
    };
    const Case cases[] = {
        // Rows by parity from the first day: the date cells show the row's colours.
        {kFirstDay, 0, Rgb(248, 248, 248), Rgb(255, 200, 200)},
        {kFirstDay + 1, 0, Rgb(240, 240, 240), Rgb(255, 175, 175)},
        // Price cells: A as the row, B by security position (Beta 0, Delta 1, Zeta 2).
        {kFirstDay, 1, Rgb(248, 248, 248), Rgb(255, 201, 248)},
        {kFirstDay + 1, 1, Rgb(240, 240, 240), Rgb(255, 175, 245)},
        {kFirstDay, 3, Rgb(248, 248, 248), Rgb(213, 201, 255)},
        {kFirstDay + 1, 3, Rgb(240, 240, 240), Rgb(193, 175, 255)},
        {kFirstDay + 4, 5, Rgb(248, 248, 248), Rgb(255, 201, 248)},
        // Title and column-title rows.
        {0, 0, Rgb(205, 205, 205), Rgb(205, 205, 205)},
        {1, 0, Rgb(225, 225, 225), Rgb(225, 225, 225)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.row << "," << c.column);
        const auto [a, b] = t->CellColours(c.row, c.column);
        EXPECT_EQ(a, c.a);
        EXPECT_EQ(b, c.b);
    }
    const auto& vertical = t->VerticalTexts();
    ASSERT_EQ(vertical.size(), 3u);
    const Colour titleB[] = {Rgb(255, 151, 242), Rgb(174, 151, 255), Rgb(255, 151, 242)};
    for (size_t k = 0; k < 3; ++k) {
        const auto [a, b] = t->VerticalTextColours(vertical[k]);
        EXPECT_EQ(a, Rgb(225, 225, 225));
        EXPECT_EQ(b, titleB[k]);
    }
}

TEST_F(QuotesFilterTest, EmptyPeriodAndNoSecurities) {
    // An end before the start: no day rows and no vertical texts, but a valid table.
    auto t = BuildQuotesTableReport(b_.doc, to_, from_);
    EXPECT_EQ(t->RowCount(), 2);
    EXPECT_TRUE(t->VerticalTexts().empty());
    // Nothing ticked: the date column alone.
    for (CFL2Wertpapier& s : b_.doc.securities) s.aux1 = 0;
    b_.doc.options.quotes.filter = kQuotesOfChosenSecurities;
    t = BuildQuotesTableReport(b_.doc, from_, to_);
    EXPECT_EQ(t->ColumnCount(), 1);
    EXPECT_EQ(t->RowCount(), 2 + 5);
    RecordingCanvas screen;
    EXPECT_GT(t->Layout(screen).width, 0);
}

TEST_F(QuotesFilterTest, EqualWidthsAndAppearanceFromTheListOptions) {
    b_.Quote(b_.doc.securities[1].id, Day(5, 1, 2020), 12345.5);  // Beta: "12.345,50"
    b_.doc.options.quotes.filter = kQuotesOfSecuritiesWithQuotes;
    ListsAppearance& lists = b_.doc.options.lists;
    lists.normalFontHeight = 40;
    lists.verticalFontHeight = 30;
    lists.outerMargin = 10;
    lists.repeatVerticalTexts = 1;
    lists.verticalTextDistance = 2;
    RecordingCanvas screen;
    {
        const auto t = BuildQuotesTableReport(b_.doc, from_, to_);
        t->Layout(screen);
        // Measured: Beta "12.345,50" 9 × 40 / 2 = 180, Delta "10,00" 5 × 40 / 2 = 100;
        // title columns the vertical font's 30.
        EXPECT_EQ(t->ScreenWidth(1), 180);
        EXPECT_EQ(t->ScreenWidth(3), 100);
        EXPECT_EQ(t->ScreenWidth(2), 30);
        // Five days with the titles drawn every 2 rows: blocks of 2, 2 and 1 rows, for
        // each of the three securities.
        t->DrawScreen(screen, kStyleColour, {-100000, 100000, 100000, -100000});
        int vertical = 0;
        for (const auto& op : screen.Ops())
            vertical += op.kind == RecordingCanvas::Op::VerticalText;
        EXPECT_EQ(vertical, 9);
    }
    b_.doc.options.quotes.equalWidths = 1;
    const auto t = BuildQuotesTableReport(b_.doc, from_, to_);
    t->Layout(screen);
    EXPECT_EQ(t->ScreenWidth(1), 180);
    EXPECT_EQ(t->ScreenWidth(3), 180);
    EXPECT_EQ(t->ScreenWidth(5), 180);
    EXPECT_EQ(t->ScreenWidth(2), 30);
}

// The list options decide what is printed again: the date column on every page across and
// the column titles on every page down.
TEST_F(QuotesFilterTest, PrintedPagesRepeatDateColumnAndColumnTitlesAsTheListsSay) {
    ListsAppearance& lists = b_.doc.options.lists;
    lists.marginLeft = lists.marginTop = lists.marginRight = lists.marginBottom = 0;
    // A page 500 wide cannot hold the date (200) and six price and title columns; 200 high
    // it holds the title (0..-40), the column titles (-50..-90) and two days (-100..-180),
    // the third would end at -220.
    RecordingCanvas printer(600, {500, 200, 0, 0, 500, 200});
    struct Case {
        bool dateEveryPage;
        bool titlesEveryPage;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        SCOPED_TRACE(c.dateEveryPage);
        lists.dateColumnEveryPage = c.dateEveryPage ? 1 : 0;
        lists.repeatColumnTitles = c.titlesEveryPage ? 1 : 0;
        const auto t = BuildQuotesTableReport(b_.doc, from_, to_);
        const PageGrid grid = t->Paginate(printer);
        ASSERT_GE(grid.across, 2);
        ASSERT_EQ(grid.down, 2);
        // The second page across of the first page down.
        printer.ClearOps();
        t->PrintPage(printer, 2);
        const std::vector<std::string> across = printer.Texts();
        const bool hasDate = std::find(across.begin(), across.end(), "02.01.2020") != across.end();
        EXPECT_EQ(hasDate, c.dateEveryPage);
        // The first page across of the second page down.
        printer.ClearOps();
        t->PrintPage(printer, grid.across + 1);
        const std::vector<std::string> down = printer.Texts();
        ASSERT_FALSE(down.empty());
        EXPECT_EQ(down.front(), c.titlesEveryPage ? "Datum" : "04.01.2020");
    }
}

}  // namespace
}  // namespace pf

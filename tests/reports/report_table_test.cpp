#include "reports/report_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "support/recording_canvas.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using Op = RecordingCanvas::Op;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr std::array<int, 5> kNothing{-1, -1, -1, -1, -1};
const Rect kEverything{-100000, 100000, 100000, -100000};

std::vector<Op> OpsOfKind(const RecordingCanvas& canvas, Op::Kind kind) {
    std::vector<Op> ops;
    for (const Op& op : canvas.Ops())
        if (op.kind == kind) ops.push_back(op);
    return ops;
}

// Three columns (left, right, centred), a title over all of them that widens the last
// column, a spanning total that does not, a cell covered by the total's span and two
// spaced rows.
ReportTable TextFixture() {
    ReportTable table;
    EXPECT_TRUE(table.Init("Arial", 50, 3, 10, 10, 30, 1.0));
    table.SetColumnAlignment(1, kAlignRight);
    table.SetColumnAlignment(2, kAlignCenter);
    int r = table.AddRow({.colourA = kRed, .colourB = kRed});
    table.SetCell(r, 0, "A fairly long report title", 3);
    r = table.AddRow({.colourA = kRed, .colourB = kRed, .spacingBefore = 10});
    table.SetCell(r, 0, "Name");
    table.SetCell(r, 1, "Amount");
    table.SetCell(r, 2, "Mid");
    r = table.AddRow({.colourA = kRed, .colourB = kRed});
    table.SetCell(r, 0, "Äpfel");  // five characters in six bytes
    table.SetCell(r, 1, "1,5");
    r = table.AddRow({.colourA = kRed, .colourB = kRed});
    table.SetCell(r, 0, "Be", 1, kAlignRight);
    table.SetCell(r, 1, "12.345,67");
    table.SetCell(r, 2, "yz");
    r = table.AddRow({.colourA = kRed, .colourB = kRed, .spacingBefore = 10});
    table.SetCell(r, 0, "Total", 2, kAlignRight);
    table.SetCell(r, 1, "hidden");    // covered by the total
    table.SetCell(r, 2, "ok", 1, 3);  // alignment 3 is taken as left
    return table;
}

TEST(ReportTableText, FixedWidthsPadByAlignment) {
    const ReportTable table = TextFixture();
    // Character widths 5, 9 and 8 (the title needs 26 = 5+2 + 9+2 + 8); each column is
    // followed by a gap of 2.
    const std::string expected =
        "A fairly long report title  \n"
        "\n"
        "Name      Amount    Mid     \n"
        "Äpfel        1,5            \n"
        "   Be  12.345,67     yz     \n"
        "\n"
        "           Total  ok        \n";
    EXPECT_EQ(table.Text(kFixedWidths, "\n"), expected);
}

TEST(ReportTableText, TabsOnePerColumn) {
    const ReportTable table = TextFixture();
    const std::string expected =
        "A fairly long report title\t\t\t\n"
        "\n"
        "Name\tAmount\tMid\t\n"
        "Äpfel\t1,5\t\t\n"
        "Be\t12.345,67\tyz\t\n"
        "\n"
        "Total\t\tok\t\n";
    EXPECT_EQ(table.Text(kTabSeparated, "\n"), expected);
}

TEST(ReportTableText, ClipboardAndFile) {
    const ReportTable table = TextFixture();
    MemoryClipboard clipboard;
    ASSERT_TRUE(table.CopyToClipboard(clipboard, kTabSeparated));
    EXPECT_EQ(clipboard.text, table.Text(kTabSeparated, "\n"));

    testing::TempFolder folder("report_table_text");
    const auto path = folder / "table.txt";
    {
        std::FILE* old = std::fopen(path.c_str(), "w");
        std::fputs("an older and much longer content that must disappear entirely\n", old);
        std::fclose(old);
    }
    ASSERT_TRUE(table.WriteTextFile(kFixedWidths, path));
    EXPECT_EQ(testing::TempFolder::Contents(path), table.Text(kFixedWidths, "\r\n"));
    EXPECT_NE(testing::TempFolder::Contents(path).find("  \r\n\r\nName "), std::string::npos);

    EXPECT_FALSE(table.WriteTextFile(kFixedWidths, folder / "missing" / "table.txt"));
}

// Scale 1.25: base font 40 -> 50 on screen, title font 70 -> 88, margins 10 -> 13, gap
// 30 -> 38. Recording-canvas text widths: 25 per character at 50, 44 at 88.
class ScreenTable : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(table.Init("Arial", 40, 3, 10, 10, 30, 1.25));
        ASSERT_EQ(table.AddFont(70), 1);
        table.SetColumnAlignment(1, kAlignRight);
        int r =
            table.AddRow({.colourA = kRed, .colourB = kGreen, .font = 1, .user = {1, 2, 3, 4, 5}});
        table.SetCell(r, 0, "Title", 3);  // 220 < 100+38 + 50+38 + 112: widens nothing
        // Framed with the next row.
        r = table.AddRow({.colourA = kBlue,
                          .colourB = kBlue,
                          .spacingBefore = 10,
                          .frameDown = -1,
                          .user = {10, -1, -1, -1, -1}});
        table.SetCell(r, 0, "abcd");
        table.SetCell(r, 1, "ab");
        table.SetCell(r, 2, "abc");
        // Frame up clipped at row 0.
        r = table.AddRow(
            {.colourA = kRed, .colourB = kRed, .frameUp = 5, .user = {20, -1, -1, -1, -1}});
        table.SetCell(r, 1, "abcdefgh", 2, kAlignCenter);  // 200 - (50+38): column 2 = 112
    }
    ReportTable table;
    RecordingCanvas screen{96};
};

TEST_F(ScreenTable, LayoutMeasuresSpansAfterSingleColumns) {
    const ReportSize size = table.Layout(screen);
    // x = 26, 164, 252; widths 100, 50, 112.
    EXPECT_EQ(size.width, 252 + 112 + 13 + 13);
    EXPECT_EQ(size.height, 164 + 50 + 13);
    const std::vector<ReportRow>& rows = table.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].screenY, -13);
    EXPECT_EQ(rows[1].screenY, -13 - 13 - 88);
    EXPECT_EQ(rows[2].screenY, -114 - 50);
    EXPECT_EQ(rows[0].printY, -10);
    EXPECT_EQ(rows[1].printY, -10 - 70 - 10);
    EXPECT_EQ(rows[2].printY, -90 - 40);
    EXPECT_EQ(rows[0].spacingAfter, 10);
    EXPECT_EQ(rows[1].spacingAfter, 0);
    EXPECT_EQ(rows[1].frameDown, 1);

    screen.ClearOps();
    table.DrawScreen(screen, kStyleTextOnly, kEverything);
    const std::vector<Op> texts = OpsOfKind(screen, Op::Text);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].text, "Title");
    EXPECT_EQ(texts[0].rect, (Rect{26, -13, 364, -101}));
    EXPECT_EQ(texts[0].value, static_cast<int>(TextAlign::Left));
    EXPECT_EQ(texts[1].rect, (Rect{26, -114, 126, -164}));
    EXPECT_EQ(texts[2].rect, (Rect{164, -114, 214, -164}));
    EXPECT_EQ(texts[2].value, static_cast<int>(TextAlign::Right));  // column default
    EXPECT_EQ(texts[3].rect, (Rect{252, -114, 364, -164}));
    EXPECT_EQ(texts[4].rect, (Rect{164, -164, 364, -214}));
    EXPECT_EQ(texts[4].value, static_cast<int>(TextAlign::Center));
    EXPECT_TRUE(OpsOfKind(screen, Op::Fill).empty());
    EXPECT_TRUE(OpsOfKind(screen, Op::Frame).empty());
    const std::vector<Op> fonts = OpsOfKind(screen, Op::Font);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].text, "Arial");
    EXPECT_EQ(fonts[0].value, 88);
    EXPECT_EQ(fonts[1].value, 50);
}

TEST_F(ScreenTable, StylesDrawBackgroundsFirstWithFrameExtents) {
    table.Layout(screen);
    // Row 1 reaches down over row 2; row 2 reaches up to row 0 (5 rows asked, 2 there).
    const std::vector<Rect> rowRects{
        {13, -13, 377, -101}, {13, -114, 377, -214}, {13, -13, 377, -214}};
    struct Case {
        int style;
        Op::Kind kind;
        std::vector<Colour> colours;
    };
    const Case cases[] = {
        {kStyleGrid, Op::Frame, {kLightGrey, kLightGrey, kLightGrey}},
        {kStyleGrey, Op::Fill, {kRed, kBlue, kRed}},
        {kStyleColour, Op::Fill, {kGreen, kBlue, kRed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        screen.ClearOps();
        table.DrawScreen(screen, c.style, kEverything);
        const std::vector<Op>& ops = screen.Ops();
        std::vector<Op> backgrounds;
        size_t lastBackground = 0;
        size_t firstText = ops.size();
        for (size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].kind == Op::Fill || ops[i].kind == Op::Frame) {
                backgrounds.push_back(ops[i]);
                lastBackground = i;
            }
            if (ops[i].kind == Op::Text) firstText = std::min(firstText, i);
        }
        ASSERT_EQ(backgrounds.size(), 3u);
        EXPECT_LT(lastBackground, firstText);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(backgrounds[i].kind, c.kind);
            EXPECT_EQ(backgrounds[i].rect, rowRects[i]);
            EXPECT_EQ(backgrounds[i].colour, c.colours[i]);
        }
        EXPECT_EQ(screen.Texts().size(), 5u);
    }
}

TEST_F(ScreenTable, DrawsOnlyRowsThatReachTheVisibleRectangle) {
    table.Layout(screen);
    struct Case {
        Rect visible;
        std::vector<std::string> texts;
        size_t fills;
    };
    const Case cases[] = {
        // Below the title: rows 1 and 2 (row 2's frame reaches up over the title, but the
        // title's own rectangle is outside).
        {{0, -170, 1000, -300}, {"abcd", "ab", "abc", "abcdefgh"}, 2},
        {{0, -102, 1000, -113}, {"abcdefgh"}, 1},           // the gap between title and row 1
        {{0, -101, 1000, -101}, {"Title", "abcdefgh"}, 2},  // touching the title's bottom
        {{0, -215, 1000, -400}, {}, 0},                     // below the table
        {{378, 0, 1000, -400}, {}, 0},                      // right of the table
        {{0, -300, 1000, -170}, {"abcd", "ab", "abc", "abcdefgh"}, 2},  // top/bottom swapped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.visible.top << ".." << c.visible.bottom);
        screen.ClearOps();
        table.DrawScreen(screen, kStyleColour, c.visible);
        EXPECT_EQ(screen.Texts(), c.texts);
        EXPECT_EQ(OpsOfKind(screen, Op::Fill).size(), c.fills);
    }
}

TEST_F(ScreenTable, HitTestFindsTheFirstRowUnderThePoint) {
    table.Layout(screen);
    const std::array<int, 5> title{1, 2, 3, 4, 5};
    const std::array<int, 5> row1{10, -1, -1, -1, -1};
    const std::array<int, 5> row2{20, -1, -1, -1, -1};
    struct Case {
        Point point;
        std::array<int, 5> expected;
    };
    const Case cases[] = {
        {{26, -13}, title},    {{13, -101}, title},     {{12, -50}, kNothing},
        {{377, -120}, row1},   {{378, -120}, kNothing}, {{100, -105}, kNothing},
        {{100, -164}, row1},  // the shared edge belongs to the earlier row
        {{100, -165}, row2},   {{100, -214}, row2},     {{100, -215}, kNothing},
        {{100, -5}, kNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(table.HitTest(c.point).user, c.expected);
    }
}

TEST(ReportTable, RowsAndCellsNormaliseTheirArguments) {
    ReportTable table;
    ASSERT_TRUE(table.Init("Arial", 45, 3, 10, 10, 30, 1.1));
    EXPECT_FALSE(table.Init("Courier", 40, 2, 0, 0, 0, 1.0));  // only once
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(table.AddFont(70), 1);

    // Colours are looked up in their list; the first match wins.
    EXPECT_EQ(
        table.AddRow({.colourA = kRed, .colourB = kBlue, .font = 1, .repeatOnEachPage = true}), 0);
    // An unknown font is taken as font 0.
    EXPECT_EQ(table.AddRow({.colourA = kGreen, .colourB = kBlue, .font = 7, .frameUp = -2}), 1);
    EXPECT_EQ(table.AddRow({.colourA = kRed, .colourB = kGreen, .font = -1}), 2);
    const std::vector<ReportRow>& rows = table.Rows();
    EXPECT_EQ(rows[0].colourA, 0);
    EXPECT_EQ(rows[1].colourA, 1);
    EXPECT_EQ(rows[2].colourA, 0);
    EXPECT_EQ(rows[2].colourB, 1);
    EXPECT_EQ(table.ColourA(rows[2]), kRed);
    EXPECT_EQ(table.ColourB(rows[2]), kGreen);
    EXPECT_EQ(rows[1].font, 0);
    EXPECT_EQ(rows[2].font, 0);
    EXPECT_EQ(rows[1].frameUp, 2);
    EXPECT_TRUE(rows[0].repeat);
    // Screen heights R(1.1 x 70) = 77 and R(1.1 x 45) = 50 (49.5 rounds up).
    EXPECT_EQ(rows[1].screenY, -11 - 77);
    EXPECT_EQ(rows[2].screenY, -88 - 50);

    struct Case {
        int column;
        int span;
        int alignment;
        bool accepted;
        int storedSpan;
        int storedAlignment;
    };
    const Case cases[] = {
        {0, 1, -1, true, 1, -1}, {0, 0, 0, true, 1, 0},  {0, 5, 1, true, 3, 1},
        {1, 3, 2, true, 2, 2},   {2, 2, 3, true, 1, 0},  {2, 1, 9, true, 1, 0},
        {1, 1, -7, true, 1, -1}, {3, 1, 0, false, 0, 0}, {-1, 1, 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.column << " " << c.span << " " << c.alignment);
        EXPECT_EQ(table.SetCell(0, c.column, "x", c.span, c.alignment), c.accepted);
        if (!c.accepted) continue;
        const ReportCell& cell = table.Rows()[0].cells[c.column];
        EXPECT_TRUE(cell.hasText);
        EXPECT_EQ(cell.span, c.storedSpan);
        EXPECT_EQ(cell.alignment, c.storedAlignment);
    }
    EXPECT_FALSE(table.SetCell(3, 0, "x"));
    EXPECT_FALSE(table.SetCell(-1, 0, "x"));
    EXPECT_EQ(table.CellText(9, 9), "");
}

TEST(ReportTable, DoesNothingBeforeInit) {
    ReportTable table;
    EXPECT_FALSE(table.Init("Arial", 40, 0, 10, 10, 30, 1.0));
    EXPECT_EQ(table.AddFont(50), -1);
    table.SetColumnAlignment(0, kAlignRight);
    EXPECT_EQ(table.AddRow({.colourA = kRed, .colourB = kRed}), -1);
    EXPECT_FALSE(table.SetCell(0, 0, "x"));
    EXPECT_TRUE(table.Rows().empty());

    RecordingCanvas screen(96);
    const ReportSize size = table.Layout(screen);
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
    table.DrawScreen(screen, kStyleColour, kEverything);
    RecordingCanvas printer(600, {2100, 2970, 0, 0, 2100, 2970});
    const PageGrid grid = table.Paginate(printer, 150, 150, 150, 150);
    EXPECT_EQ(grid.across, 0);
    EXPECT_EQ(grid.down, 0);
    EXPECT_EQ(table.PageCount(), 0);
    table.PrintPage(printer, kStyleGrid, 1);
    EXPECT_TRUE(screen.Ops().empty());
    EXPECT_TRUE(printer.Ops().empty());
    EXPECT_EQ(table.HitTest({0, 0}).user, kNothing);
    EXPECT_EQ(table.Text(kFixedWidths, "\n"), "");

    MemoryClipboard clipboard;
    clipboard.text = "unchanged";
    EXPECT_FALSE(table.CopyToClipboard(clipboard, kFixedWidths));
    EXPECT_EQ(clipboard.text, "unchanged");
    testing::TempFolder folder("report_table_uninitialised");
    EXPECT_FALSE(table.WriteTextFile(kFixedWidths, folder / "t.txt"));
    EXPECT_EQ(folder.Entries(), 0u);
}

TEST(ReportTable, EmptyTableHasHeightOneAndOneEmptyPagePerHorizontalPage) {
    ReportTable table;
    ASSERT_TRUE(table.Init("Arial", 40, 3, 10, 10, 100, 1.0));
    RecordingCanvas screen(96);
    EXPECT_EQ(table.Layout(screen).height, 1);
    EXPECT_EQ(table.Text(kFixedWidths, "\n"), "");

    // Printable 60..150: a column of width 0 plus its margin and the gap of 100 overflows,
    // so each of the three columns gets its own horizontal page.
    RecordingCanvas printer(600, {200, 300, 0, 0, 200, 300});
    const PageGrid grid = table.Paginate(printer, 50, 50, 50, 50);
    EXPECT_EQ(grid.across, 3);
    EXPECT_EQ(grid.down, 1);
    EXPECT_EQ(table.PageCount(), 3);
    for (int page = 1; page <= 4; ++page) table.PrintPage(printer, kStyleGrid, page);
    EXPECT_TRUE(printer.Ops().empty());
}

// A page of 1000 x 1000 with an unprintable border of 20 (left) and 30 (top) and margins of
// 100: columns from x = 90 up to 880, rows from y = -70 down to -870.
// Columns (print font 40: 20 per character): 200, 300, 220, 1200. Column 2 would fit
// without its gap (650 + 220 + 10 = 880) but not with it, so it starts horizontal page 2;
// column 3 is wider than a page and is narrowed to 880 - 10 - 90 = 780 on page 3.
// Rows: title (repeat), two column-title lines framed together (repeat), data rows 3..42;
// rows 17 and 18 are framed together and do not fit on page 1 as a pair.
class PrintedTable : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(table.Init("Arial", 40, 4, 10, 10, 30, 1.25));
        const int titleFont = table.AddFont(70);
        int r = table.AddRow(
            {.colourA = kRed, .colourB = kGreen, .font = titleFont, .repeatOnEachPage = true});
        table.SetCell(r, 0, "Bestand", 4);
        r = table.AddRow({.colourA = kBlue,
                          .colourB = kBlue,
                          .spacingBefore = 10,
                          .frameDown = 1,
                          .repeatOnEachPage = true});
        table.SetCell(r, 0, "Wertpapier");
        table.SetCell(r, 1, "Kurswert in EUR");
        table.SetCell(r, 2, "Gewinn in %");
        table.SetCell(r, 3, "Bemerkung");
        r = table.AddRow(
            {.colourA = kBlue, .colourB = kBlue, .frameUp = 1, .repeatOnEachPage = true});
        table.SetCell(r, 0, "Nr.");
        for (int i = 3; i <= 42; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "Row %02d", i);
            r = table.AddRow({.colourA = kRed,
                              .colourB = kRed,
                              .spacingBefore = i == 3 ? 10 : 0,
                              .frameUp = i == 18 ? 1 : 0,
                              .frameDown = i == 17 ? 1 : 0});
            table.SetCell(r, 0, name);
        }
        table.SetCell(3, 3, std::string(60, 'x'));
    }

    // Texts and text boxes printed on `page`.
    std::vector<Op> Print(int page, int style = kStyleTextOnly) {
        printer.ClearOps();
        table.PrintPage(printer, style, page);
        return OpsOfKind(printer, Op::Text);
    }

    static std::vector<std::string> Rows(int first, int last) {
        std::vector<std::string> names{"Bestand", "Wertpapier", "Kurswert in EUR", "Nr."};
        for (int i = first; i <= last; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "Row %02d", i);
            names.push_back(name);
        }
        return names;
    }

    ReportTable table;
    RecordingCanvas printer{600, {1000, 1000, 20, 30, 960, 940}};
};

TEST_F(PrintedTable, PagesAcrossAndDownWithRepeatedRows) {
    const PageGrid grid = table.Paginate(printer, 100, 100, 100, 100);
    EXPECT_EQ(grid.across, 3);
    EXPECT_EQ(grid.down, 3);
    EXPECT_EQ(table.PageCount(), 9);

    struct Case {
        int page;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {1, Rows(3, 16)},  // the pair 17/18 does not fit below row 16
        {4, Rows(17, 31)},
        {7, Rows(32, 42)},
        {2, {"Bestand", "Gewinn in %"}},
        {3, {"Bestand", "Bemerkung", std::string(60, 'x')}},
        {6, {"Bestand", "Bemerkung"}},
        {9, {"Bestand", "Bemerkung"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        std::vector<std::string> texts;
        for (const Op& op : Print(c.page)) texts.push_back(op.text);
        EXPECT_EQ(texts, c.texts);
    }
    EXPECT_TRUE(Print(10).empty());
    EXPECT_TRUE(Print(0).empty());
}

TEST_F(PrintedTable, PositionsAndClipsPerHorizontalPage) {
    table.Paginate(printer, 100, 100, 100, 100);
    // Page 4 (second vertical page): the repeated rows, each followed by its spacing
    // after, then row 17 without a spacing of its own.
    const std::vector<Op> page4 = Print(4);
    ASSERT_GE(page4.size(), 6u);
    EXPECT_EQ(page4[0].rect, (Rect{90, -70, 620, -140}));  // the title clipped to page 1
    EXPECT_EQ(page4[1].rect, (Rect{90, -150, 290, -190}));
    EXPECT_EQ(page4[2].rect, (Rect{320, -150, 620, -190}));
    EXPECT_EQ(page4[3].rect, (Rect{90, -190, 290, -230}));
    EXPECT_EQ(page4[4].rect, (Rect{90, -240, 290, -280}));
    EXPECT_EQ(page4[5].rect, (Rect{90, -280, 290, -320}));

    const std::vector<Op> page2 = Print(2);
    ASSERT_EQ(page2.size(), 2u);
    EXPECT_EQ(page2[0].rect, (Rect{90, -70, 310, -140}));
    EXPECT_EQ(page2[1].rect, (Rect{90, -150, 310, -190}));

    const std::vector<Op> page3 = Print(3);
    ASSERT_EQ(page3.size(), 3u);
    EXPECT_EQ(page3[2].rect, (Rect{90, -240, 870, -280}));  // narrowed to 780
}

TEST_F(PrintedTable, RowRectanglesSpanTheColumnsOfThePage) {
    table.Paginate(printer, 100, 100, 100, 100);
    struct Case {
        int style;
        Op::Kind kind;
        Colour title;
    };
    const Case cases[] = {
        {kStyleGrid, Op::Frame, kBlack},
        {kStyleGrey, Op::Fill, kRed},
        {kStyleColour, Op::Fill, kGreen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        Print(1, c.style);
        const std::vector<Op> backgrounds = OpsOfKind(printer, c.kind);
        ASSERT_EQ(backgrounds.size(), 3u + 14u);
        EXPECT_EQ(backgrounds[0].rect, (Rect{80, -70, 630, -140}));
        EXPECT_EQ(backgrounds[0].colour, c.title);
        // The two column-title lines share one frame.
        EXPECT_EQ(backgrounds[1].rect, (Rect{80, -150, 630, -230}));
        EXPECT_EQ(backgrounds[2].rect, (Rect{80, -150, 630, -230}));
    }
    Print(3, kStyleGrid);
    EXPECT_EQ(OpsOfKind(printer, Op::Frame)[0].rect, (Rect{80, -70, 880, -140}));
}

TEST_F(PrintedTable, PrintingPaginatesOnItsOwn) {
    // Without Paginate the margins are 0: two pages across and two down.
    const std::vector<Op> first = Print(1);
    EXPECT_EQ(table.PageCount(), 4);
    table.Paginate(printer, 0, 0, 0, 0);
    const std::vector<Op> again = Print(1);
    ASSERT_EQ(first.size(), again.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].text, again[i].text);
        EXPECT_EQ(first[i].rect, again[i].rect);
    }
}

TEST(ReportTablePrint, RepeatsOnlyFlaggedRowsAboveThePageBreak) {
    // Room for five rows of 40 per page (y -50 down to -250).
    ReportTable table;
    ASSERT_TRUE(table.Init("Arial", 40, 1, 10, 10, 30, 1.0));
    for (int i = 0; i <= 11; ++i) {
        const int r =
            table.AddRow({.colourA = kRed, .colourB = kRed, .repeatOnEachPage = i == 0 || i == 8});
        table.SetCell(r, 0, std::to_string(i));
    }
    RecordingCanvas printer(600, {300, 300, 0, 0, 300, 300});
    EXPECT_EQ(table.Paginate(printer, 50, 50, 50, 50).down, 3);
    const std::vector<std::vector<std::string>> pages{
        {"0", "1", "2", "3", "4"}, {"0", "5", "6", "7", "8"}, {"0", "8", "9", "10", "11"}};
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        printer.ClearOps();
        table.PrintPage(printer, kStyleTextOnly, page);
        EXPECT_EQ(printer.Texts(), pages[page - 1]);
    }
}

}  // namespace
}  // namespace pf

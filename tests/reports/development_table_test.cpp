#include "reports/development_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_canvas.h"

namespace pf {
namespace {

using Op = RecordingCanvas::Op;

constexpr Colour kTitle = Rgb(205, 205, 205);
constexpr Colour kHeader = Rgb(225, 225, 225);
constexpr Colour kDayA = Rgb(248, 248, 248);
constexpr Colour kDayB = Rgb(255, 200, 200);
constexpr Colour kCellB = Rgb(255, 201, 248);
constexpr Colour kVerticalA = Rgb(225, 225, 226);
constexpr Colour kVerticalB = Rgb(255, 151, 242);
const Rect kEverything{-100000, 100000, 100000, -100000};

std::vector<Op> OpsOfKind(const RecordingCanvas& canvas, Op::Kind kind) {
    std::vector<Op> ops;
    for (const Op& op : canvas.Ops())
        if (op.kind == kind) ops.push_back(op);
    return ops;
}

std::vector<std::string> TextsOf(const std::vector<Op>& ops) {
    std::vector<std::string> texts;
    for (const Op& op : ops) texts.push_back(op.text);
    return texts;
}

// A quotes-like table at scale 1: date column (left), one price column (right, its cells
// with user value 7 and colour B of their own), a vertical title column. Rows: a title
// spanning all columns, a repeated column-title row, four days with a vertical text over
// them. Outer margin 10, column margin 10, gap 20, fonts 40 and 30 (vertical).
//
// Widths on the recording canvas (characters × height / 2, rounded up):
//   column 0: "01.01.2020" 10 × 40 / 2 = 200; column 1: "11,50" 5 × 40 / 2 = 100;
//   column 2: the vertical font height 30.
// x: column 0 at 10 + 10 = 20, column 1 at 20 + 200 + 20 = 240, column 2 at 240 + 100 +
// 20 = 360; right edge 360 + 30 + 10 = 400, total width 410.
// y: title -10, header -10 - 10 - 40 = -60, days -100, -140, -180, -220; height
// |-220 - 40 - 10| = 270.
DevelopmentTable SmallTable(int verticalRepeat) {
    DevelopmentTable t;
    EXPECT_TRUE(t.Init("Arial", 40, 3, 10, 10, 20, 1.0));
    const int vertical = t.AddFont(30);
    t.SetColumnAlignment(1, kAlignRight);
    t.SetVerticalRepeat(verticalRepeat);
    int r = t.AddRow({.colourA = kTitle, .colourB = kTitle});
    t.SetCell(r, 0, "Kurse", 3);
    r = t.AddRow({.colourA = kHeader,
                  .colourB = kHeader,
                  .spacingBefore = 10,
                  .repeatOnEachPage = true,
                  .user = {-1, -1, -1, -1, -1}});
    t.SetCell(r, 0, "Datum");
    const char* prices[] = {"1,00", "", "11,50", "2,25"};
    for (int d = 0; d < 4; ++d) {
        r = t.AddRow({.colourA = kDayA, .colourB = kDayB, .user = {100 + d, -1, -1, -1, -1}});
        t.SetCell(r, 0, "0" + std::to_string(d + 1) + ".01.2020");
        if (prices[d][0] != '\0') t.SetCell(r, 1, prices[d]);
        t.SetCellUser(r, 1, 7);
        t.SetCellColours(r, 1, kDayA, kCellB);
    }
    EXPECT_TRUE(t.SetVerticalText(2, 2, 5, "Alpha", vertical, kVerticalA, kVerticalB, 7));
    return t;
}

TEST(DevelopmentTableTest, LayoutMeasuresTextsAndVerticalColumns) {
    DevelopmentTable t = SmallTable(0);
    RecordingCanvas screen;
    const ReportSize size = t.Layout(screen);
    EXPECT_EQ(size.width, 410);
    EXPECT_EQ(size.height, 270);
    EXPECT_EQ(t.ScreenX(1), 240);
    EXPECT_EQ(t.ScreenWidth(1), 100);
    EXPECT_EQ(t.ScreenX(2), 360);
    EXPECT_EQ(t.ScreenWidth(2), 30);
    EXPECT_TRUE(t.IsColumnVertical(2));
    EXPECT_FALSE(t.IsColumnVertical(1));
}

TEST(DevelopmentTableTest, FixedAndEqualWidthsReplaceMeasuredOnes) {
    DevelopmentTable t = SmallTable(0);
    t.SetColumnWidth(0, 150);  // narrower than its dates: the fixed width wins
    t.SetColumnEqualWidth(1, true);
    t.SetColumnEqualWidth(2, true);  // shares the price column's 100
    RecordingCanvas screen;
    t.Layout(screen);
    EXPECT_EQ(t.ScreenWidth(0), 150);
    EXPECT_EQ(t.ScreenWidth(1), 100);
    EXPECT_EQ(t.ScreenWidth(2), 100);

    // Scaled by 1.25: R(1.25 × 150) = R(187.5) = 188.
    DevelopmentTable s;
    ASSERT_TRUE(s.Init("Arial", 40, 2, 10, 10, 20, 1.25));
    s.AddRow({});
    s.SetCell(0, 0, "x");
    s.SetColumnWidth(0, 150);
    s.Layout(screen);
    EXPECT_EQ(s.ScreenWidth(0), 188);
}

TEST(DevelopmentTableTest, DrawsVerticalTextsCellColoursAndSpans) {
    struct Case {
        int repeat;
        std::vector<Rect> blocks;
    };
    // Day rows span y -100 .. -260; with repetition every 2 rows the blocks are rows 2-3
    // (-100 .. -180) and rows 4-5 (-180 .. -260).
    const Case cases[] = {
        {0, {{360, -100, 390, -260}}},
        {2, {{360, -100, 390, -180}, {360, -180, 390, -260}}},
        {3, {{360, -100, 390, -220}, {360, -220, 390, -260}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.repeat);
        DevelopmentTable t = SmallTable(c.repeat);
        RecordingCanvas screen;
        t.Layout(screen);
        t.DrawScreen(screen, kStyleColour, kEverything);
        const std::vector<Op> vertical = OpsOfKind(screen, Op::VerticalText);
        ASSERT_EQ(vertical.size(), c.blocks.size());
        for (size_t i = 0; i < vertical.size(); ++i) {
            EXPECT_EQ(vertical[i].text, "Alpha");
            EXPECT_EQ(vertical[i].rect, c.blocks[i]);
            EXPECT_EQ(vertical[i].value, static_cast<int>(TextAlign::Right));
        }
        // The vertical text's background covers its column band (half the gap each side)
        // over all its rows; the price cells' own colour B over their band and row.
        const std::vector<Op> fills = OpsOfKind(screen, Op::Fill);
        bool verticalFill = false;
        int cellFills = 0;
        for (const Op& f : fills) {
            if (f.colour == kVerticalB) {
                EXPECT_EQ(f.rect, (Rect{350, -100, 400, -260}));
                verticalFill = true;
            }
            if (f.colour == kCellB) {
                EXPECT_EQ(f.rect.left, 230);
                EXPECT_EQ(f.rect.right, 350);
                ++cellFills;
            }
        }
        EXPECT_TRUE(verticalFill);
        EXPECT_EQ(cellFills, 4);  // the day without a price is coloured too
    }

    // The title spans all three columns: its box runs to the right edge of column 2.
    DevelopmentTable t = SmallTable(0);
    RecordingCanvas screen;
    t.Layout(screen);
    t.DrawScreen(screen, kStyleTextOnly, kEverything);
    const std::vector<Op> texts = OpsOfKind(screen, Op::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, "Kurse");
    EXPECT_EQ(texts[0].rect, (Rect{20, -10, 390, -50}));
    EXPECT_TRUE(OpsOfKind(screen, Op::Fill).empty());
    // In grey the cells take their colour A, which is the row's here.
    screen.ClearOps();
    t.DrawScreen(screen, kStyleGrey, kEverything);
    for (const Op& f : OpsOfKind(screen, Op::Fill)) EXPECT_NE(f.colour, kCellB);
}

// 7,300 day rows with a date and 100 prices each: a screenful draws only its rows.
TEST(DevelopmentTableTest, DrawsOnlyTheVisibleRows) {
    DevelopmentTable t;
    ASSERT_TRUE(t.Init("Arial", 40, 201, 10, 10, 20, 1.0));
    for (int i = 0; i < 7300; ++i) {
        const int r = t.AddRow({.colourA = kDayA, .colourB = kDayB});
        t.SetCell(r, 0, std::to_string(i));
        for (int k = 0; k < 100; ++k) t.SetCell(r, 2 * k + 1, "1,00");
    }
    for (int k = 0; k < 100; ++k) t.SetVerticalText(2 * k + 2, 0, 7299, "T", 0, kDayA, kDayB);
    t.SetVerticalRepeat(40);
    RecordingCanvas screen;
    t.Layout(screen);
    // Row i lies from y = -10 - 40 i down 40. The rectangle reaches from inside row 1000
    // (-40010 .. -40050) to inside row 1009 (-40370 .. -40410), and across columns 0 to 2
    // only: column 0 at 20 (width "7299" 4 × 40 / 2 = 80), column 1 at 120 (80), the first
    // title column at 220 (40), the next price column at 280.
    const Rect visible{0, -40020, 230, -40380};
    t.DrawScreen(screen, kStyleColour, visible);
    std::vector<std::string> expected;
    for (int i = 1000; i <= 1009; ++i) {
        expected.push_back(std::to_string(i));
        expected.push_back("1,00");
    }
    EXPECT_EQ(TextsOf(OpsOfKind(screen, Op::Text)), expected);
    // Rows 1000..1009 lie in block 25 (rows 1000..1039) of the first title column only.
    const std::vector<Op> vertical = OpsOfKind(screen, Op::VerticalText);
    ASSERT_EQ(vertical.size(), 1u);
    EXPECT_EQ(vertical[0].rect.top, -40010);
    EXPECT_EQ(vertical[0].rect.bottom, -10 - 40 * 1040);
    EXPECT_EQ(OpsOfKind(screen, Op::Fill).size(), 10u + 1u);  // rows, the title column
}

TEST(DevelopmentTableTest, HitTestGivesRowColumnAndCellUser) {
    DevelopmentTable t = SmallTable(0);
    RecordingCanvas screen;
    t.Layout(screen);
    struct Case {
        Point point;
        HitResult expected;
    };
    const Case cases[] = {
        // Price cell of the third day (y -180 .. -220), column 1 (240 .. 340).
        {{300, -200}, {4, 1, {102, -1, -1, -1, -1}, 7}},
        // The day without a price still carries the security.
        {{300, -150}, {3, 1, {101, -1, -1, -1, -1}, 7}},
        // The date cell has no user value of its own.
        {{30, -105}, {2, 0, {100, -1, -1, -1, -1}, -1}},
        // The vertical text's column (360 .. 390) answers with the text's user value.
        {{370, -250}, {5, 2, {103, -1, -1, -1, -1}, 7}},
        // The title spans all columns and reports its first column.
        {{380, -20}, {0, 0, {-1, -1, -1, -1, -1}, -1}},
        // Between columns 0 and 1 (220 .. 240): the row, but no column.
        {{230, -105}, {2, -1, {100, -1, -1, -1, -1}, -1}},
        // In the spacing between title and header (-50 .. -60), left of the table, below.
        {{100, -55}, {}},
        {{5, -105}, {}},
        {{100, -261}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(t.HitTest(c.point), c.expected);
    }
}

TEST(DevelopmentTableTest, TextOutputShowsAVerticalTextOnceInItsFirstRow) {
    DevelopmentTable t = SmallTable(2);
    // Character widths: column 0 10 ("01.01.2020"), column 1 5 ("11,50"), column 2 5
    // ("Alpha"); each cell gets its width + 2. The title spans 10 + 2 + 5 + 2 + 5 + 2 = 26.
    const std::string fixed = t.Text(kFixedWidths, "\n");
    const auto sp = [](int n) { return std::string(n, ' '); };
    const std::string expectedFixed =
        "Kurse" + sp(21) + "\n" + "\n" +  // the header row has spacing before
        "Datum" + sp(7) + sp(7) + sp(7) + "\n" +
        // right-aligned: 7 - 2 - 4 = 1 space, the text, 2 spaces
        "01.01.2020" + sp(2) + sp(1) + "1,00" + sp(2) + "Alpha" + sp(2) + "\n" + "02.01.2020" +
        sp(2) + sp(7) + sp(7) + "\n" + "03.01.2020" + sp(2) + "11,50" + sp(2) + sp(7) + "\n" +
        "04.01.2020" + sp(2) + sp(1) + "2,25" + sp(2) + sp(7) + "\n";
    EXPECT_EQ(fixed, expectedFixed);
    const std::string tabs = t.Text(kTabSeparated, "\r\n");
    EXPECT_EQ(tabs,
              "Kurse\t\t\t\r\n\r\n"
              "Datum\t\t\t\r\n"
              "01.01.2020\t1,00\tAlpha\t\r\n"
              "02.01.2020\t\t\t\r\n"
              "03.01.2020\t11,50\t\t\r\n"
              "04.01.2020\t2,25\t\t\r\n");
}

// Five columns on a page 450 wide: date 200, prices 80 each, column margin 10, gap 20, no
// print margins and no unprintable border, so columns start at x = 10.
// With the date column repeated: column 1 at 230 (10 + 200 + 20), column 2 at 330; column 3
// would end at 430 + 80 + 10 + 20 = 540 > 450, so page 2 starts after the repeated date
// column: column 3 at 230, column 4 at 330 (ends 330 + 80 + 10 = 420).
// Without: column 3 at 10, column 4 at 110.
// Down, on a page 300 high: title at y 0 (to -40), header after 10 spacing at -50 (to -90),
// days at -90, -130, -170, -210, -250 (to -290); the sixth day would end at -330 < -300:
// page 2 starts with the repeated header at 0, then days 6..8 at -40, -80, -120.
DevelopmentTable WideTable(bool repeatDate, bool repeatTitles) {
    DevelopmentTable t;
    EXPECT_TRUE(t.Init("Arial", 40, 5, 10, 10, 20, 1.0));
    t.SetRepeatDateColumn(repeatDate);
    int r = t.AddRow({.colourA = kTitle, .colourB = kTitle});
    t.SetCell(r, 0, "T");
    r = t.AddRow({.colourA = kHeader,
                  .colourB = kHeader,
                  .spacingBefore = 10,
                  .repeatOnEachPage = repeatTitles});
    t.SetCell(r, 0, "Datum");
    for (int c = 1; c < 5; ++c) t.SetCell(r, c, "H" + std::to_string(c));
    for (int d = 1; d <= 8; ++d) {
        r = t.AddRow({.colourA = kDayA, .colourB = kDayB});
        t.SetCell(r, 0, "0" + std::to_string(d) + ".01.2020");
        for (int c = 1; c < 5; ++c)
            t.SetCell(r, c, std::to_string(d) + "," + std::to_string(c) + "0");
    }
    return t;
}

TEST(DevelopmentTableTest, PaginatesWithRepeatedDateColumnAndTitles) {
    const PageMetrics page{450, 300, 0, 0, 450, 300};
    RecordingCanvas printer(600, page);
    {
        DevelopmentTable t = WideTable(true, true);
        const PageGrid grid = t.Paginate(printer, 0, 0, 0, 0);
        EXPECT_EQ(grid.across, 2);
        EXPECT_EQ(grid.down, 2);
        EXPECT_EQ(t.PageCount(), 4);
        // Page 4: across 1, down 1: the repeated header, then days 6..8, each with its date.
        printer.ClearOps();
        t.PrintPage(printer, kStyleTextOnly, 4);
        const std::vector<Op> texts = OpsOfKind(printer, Op::Text);
        EXPECT_EQ(TextsOf(texts), (std::vector<std::string>{"Datum", "H3", "H4", "06.01.2020",
                                                            "6,30", "6,40", "07.01.2020", "7,30",
                                                            "7,40", "08.01.2020", "8,30", "8,40"}));
        ASSERT_EQ(texts.size(), 12u);
        EXPECT_EQ(texts[0].rect, (Rect{10, 0, 210, -40}));
        EXPECT_EQ(texts[1].rect, (Rect{230, 0, 310, -40}));
        EXPECT_EQ(texts[3].rect, (Rect{10, -40, 210, -80}));
        EXPECT_EQ(texts[11].rect, (Rect{330, -120, 410, -160}));
        // The row frames of page 4 span the date column and columns 3, 4.
        printer.ClearOps();
        t.PrintPage(printer, kStyleGrid, 4);
        const std::vector<Op> frames = OpsOfKind(printer, Op::Frame);
        ASSERT_EQ(frames.size(), 4u);
        EXPECT_EQ(frames[0].rect, (Rect{0, 0, 420, -40}));
    }
    {
        DevelopmentTable t = WideTable(false, false);
        const PageGrid grid = t.Paginate(printer, 0, 0, 0, 0);
        EXPECT_EQ(grid.across, 2);
        EXPECT_EQ(grid.down, 2);
        printer.ClearOps();
        t.PrintPage(printer, kStyleTextOnly, 4);
        const std::vector<Op> texts = OpsOfKind(printer, Op::Text);
        // Without repetition page 2 down starts with day 6 at the top; no dates, no header.
        EXPECT_EQ(TextsOf(texts),
                  (std::vector<std::string>{"6,30", "6,40", "7,30", "7,40", "8,30", "8,40"}));
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0].rect, (Rect{10, 0, 90, -40}));
    }
}

TEST(DevelopmentTableTest, GroupsMoveWholeToTheNextPage) {
    // Same page as above without date repetition: columns 1..2 fill page 1 to x 430.
    // Making columns 2..3 a group (width 80 + 20 + 80 + 10 = 190) moves column 2 to
    // page 2 at x 10, since 330 + 190 > 450 but 10 + 190 fits.
    const PageMetrics page{450, 300, 0, 0, 450, 300};
    RecordingCanvas printer(600, page);
    DevelopmentTable t = WideTable(false, true);
    t.SetColumnGroup(2, 2);
    EXPECT_EQ(t.Paginate(printer, 0, 0, 0, 0).across, 2);
    printer.ClearOps();
    t.PrintPage(printer, kStyleTextOnly, 2);
    const std::vector<Op> texts = OpsOfKind(printer, Op::Text);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(TextsOf({texts.begin(), texts.begin() + 3}),
              (std::vector<std::string>{"H2", "H3", "H4"}));
    EXPECT_EQ(texts[0].rect.left, 10);
}

TEST(DevelopmentTableTest, VerticalTextsRestartOnEveryPrintedPage) {
    // The small table on a page 160 high: title 0..-40, header -50..-90, days 2 and 3 at
    // -90 and -130 (to -170 would not fit for the second: -130 - 40 = -170 < -160), so
    // page 1 holds only day 2; page 2: header 0..-40, days 3, 4, 5 at -40, -80, -120.
    const PageMetrics page{600, 160, 0, 0, 600, 160};
    RecordingCanvas printer(600, page);
    DevelopmentTable t = SmallTable(0);
    EXPECT_EQ(t.Paginate(printer, 0, 0, 0, 0).down, 2);
    printer.ClearOps();
    t.PrintPage(printer, kStyleTextOnly, 2);
    const std::vector<Op> vertical = OpsOfKind(printer, Op::VerticalText);
    ASSERT_EQ(vertical.size(), 1u);
    EXPECT_EQ(vertical[0].rect.top, -40);
    EXPECT_EQ(vertical[0].rect.bottom, -160);
}

TEST(DevelopmentTableTest, RefusesBadArgumentsAndWorksOnlyAfterInit) {
    DevelopmentTable t;
    EXPECT_EQ(t.AddRow({}), -1);
    EXPECT_EQ(t.AddFont(40), -1);
    EXPECT_FALSE(t.SetCell(0, 0, "x"));
    EXPECT_FALSE(t.HasText());
    EXPECT_FALSE(t.Init("Arial", 40, 0, 10, 10, 20, 1.0));
    ASSERT_TRUE(t.Init("Arial", 40, 2, 10, 10, 20, 1.0));
    EXPECT_FALSE(t.Init("Arial", 40, 2, 10, 10, 20, 1.0));
    EXPECT_EQ(t.AddRow({}), 0);
    EXPECT_FALSE(t.SetCell(1, 0, "x"));
    EXPECT_FALSE(t.SetCell(0, 2, "x"));
    EXPECT_FALSE(t.SetCellUser(0, -1, 3));
    EXPECT_FALSE(t.SetVerticalText(1, 5, 9, "x", 0, 0, 0));  // rows beyond the table
    // Cells set out of column order are found again; a span is clipped to the table.
    EXPECT_TRUE(t.SetCell(0, 1, "b"));
    EXPECT_TRUE(t.SetCell(0, 0, "a", 5));
    EXPECT_EQ(t.CellText(0, 0), "a");
    EXPECT_EQ(t.CellText(0, 1), "b");
    EXPECT_EQ(t.Text(kTabSeparated, "\n"), "a\t\t\n");  // "b" is covered by the span
    // An empty table: height 1, one page.
    DevelopmentTable empty;
    ASSERT_TRUE(empty.Init("Arial", 40, 1, 10, 10, 20, 1.0));
    RecordingCanvas screen;
    EXPECT_EQ(empty.Layout(screen).height, 1);
    empty.DrawScreen(screen, kStyleColour, kEverything);
    EXPECT_EQ(empty.HitTest({30, -20}), HitResult{});
}

}  // namespace
}  // namespace pf

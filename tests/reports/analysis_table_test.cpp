#include "reports/analysis_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/recording_canvas.h"

namespace pf {
namespace {

using Op = RecordingCanvas::Op;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kYellow = Rgb(255, 255, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kRowGrey = Rgb(225, 225, 225);
constexpr Colour kRowGain = Rgb(175, 255, 175);
const Rect kEverything{-100000, 100000, 100000, -100000};

std::vector<Op> OpsOfKind(const RecordingCanvas& canvas, Op::Kind kind) {
    std::vector<Op> ops;
    for (const Op& op : canvas.Ops())
        if (op.kind == kind) ops.push_back(op);
    return ops;
}

// The drawn text op with `text`; a failed expectation when there is none.
Op TextOp(const RecordingCanvas& canvas, const std::string& text) {
    for (const Op& op : canvas.Ops())
        if ((op.kind == Op::Text || op.kind == Op::VerticalText) && op.text == text) return op;
    ADD_FAILURE() << "no text \"" << text << "\"";
    return {};
}

// Fills in the order drawn, without the row backgrounds.
std::vector<Op> BarFills(const RecordingCanvas& canvas, const std::vector<Colour>& rowColours) {
    std::vector<Op> bars;
    for (const Op& op : OpsOfKind(canvas, Op::Fill)) {
        bool background = false;
        for (const Colour c : rowColours) background = background || op.colour == c;
        if (!background) bars.push_back(op);
    }
    return bars;
}

AnalysisTableSetup TableSetup(int columns, double scale = 1.0) {
    AnalysisTableSetup setup;
    setup.columnCount = columns;
    setup.textHeight = 40;
    setup.titleHeight = 50;
    setup.verticalHeight = 30;
    setup.textSpacing = 10;
    setup.columnWidth = 250;
    setup.labelColumnWidth = 350;
    setup.margin = 20;
    setup.scale = scale;
    return setup;
}

TEST(AnalysisTable, InitRefusesNoColumnsAndASecondInit) {
    AnalysisTable table;
    EXPECT_FALSE(table.Init(TableSetup(0)));
    EXPECT_EQ(table.AddTextRow("x", {}), -1);
    EXPECT_TRUE(table.Init(TableSetup(2)));
    EXPECT_FALSE(table.Init(TableSetup(3)));
    EXPECT_EQ(table.ColumnCount(), 2);
}

TEST(AnalysisTable, WidthIsItemColumnsPlusLabelColumnPlusTwoMargins) {
    struct Case {
        int columns;
        double scale;
        int width;
    };
    const Case cases[] = {
        {1, 1.0, 390},   // 0 × 250 + 350 + 2 × 20
        {4, 1.0, 1140},  // 3 × 250 + 350 + 2 × 20
        // 1.25: R(312.5) = 313 per column, R(437.5) = 438, R(25) = 25 per margin:
        // 3 × 313 + 438 + 50 = 1427
        {4, 1.25, 1427},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.columns << " columns at " << c.scale);
        AnalysisTable table;
        ASSERT_TRUE(table.Init(TableSetup(c.columns, c.scale)));
        RecordingCanvas screen;
        EXPECT_EQ(table.Layout(screen).width, c.width);
    }
}

// The recording canvas's characters are half as wide as the font is high: at height 40 a
// character is 20 wide.
TEST(AnalysisTable, ShortenToWidthCutsByCodePointsAndKeepsOneCharacter) {
    RecordingCanvas canvas;
    canvas.SetFont("Arial", 40);
    struct Case {
        std::string text;
        int width;
        std::string expected;
    };
    const Case cases[] = {
        {"Südzucker", 180, "Südzucker"},  // 9 × 20 = 180 fits exactly
        // 230 holds 11 characters: 8 kept + "..." (the "ü" is one character of two bytes)
        {"Südzucker Äpfelmarkt", 230, "Südzucke..."},
        {"Südzucker", 100, "Sü..."},  // 5 × 20 = 100
        {"Südzucker", 80, "S..."},    // 4 × 20 = 80, just the first character
        {"Südzucker", 50, "S..."},    // nothing fits; one character stays
        {"Ärger", 50, "Ä..."},        // the one character is kept whole (two bytes)
        {"W", 5, "W"},                // a single character is not cut
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " in " + std::to_string(c.width));
        EXPECT_EQ(ShortenToWidth(canvas, c.text, c.width), c.expected);
    }
}

TEST(AnalysisTable, TextRowCellsAreShortenedToTheirCellLessTheSpacing) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(3)));
    const int r = table.AddTextRow("Kurs am 31.12.2024 (Schlusskurs)", {});
    ASSERT_EQ(r, 0);
    EXPECT_TRUE(table.SetText(r, 1, "Südzucker Äpfelmarkt", TextAlign::Right));
    EXPECT_TRUE(table.SetText(r, 2, "Kurz", TextAlign::Center));
    EXPECT_FALSE(table.SetText(r, 3, "x"));
    EXPECT_FALSE(table.SetText(1, 1, "x"));
    RecordingCanvas screen;
    table.DrawScreen(screen, kEverything);

    // Label column: 350 - 2 × 10 = 330 holds 16 characters, 13 kept + "...".
    const Op label = TextOp(screen, "Kurs am 31.12...");
    EXPECT_EQ(label.rect, (Rect{30, -20, 360, -60}));  // margin 20 + spacing 10; 20 + 350 - 10
    EXPECT_EQ(label.value, static_cast<int>(TextAlign::Left));
    // Item column 1 from 370: 250 - 20 = 230 holds 11 characters.
    const Op first = TextOp(screen, "Südzucke...");
    EXPECT_EQ(first.rect, (Rect{380, -20, 610, -60}));
    EXPECT_EQ(first.value, static_cast<int>(TextAlign::Right));
    const Op second = TextOp(screen, "Kurz");
    EXPECT_EQ(second.rect, (Rect{630, -20, 860, -60}));
    EXPECT_EQ(second.value, static_cast<int>(TextAlign::Center));
    // The set text stays whole.
    EXPECT_EQ(table.CellText(r, 1), "Südzucker Äpfelmarkt");
}

TEST(AnalysisTable, TitleAndVerticalRowsUseTheirFonts) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(2)));
    table.AddTextRow("Bezeichnung", {}, kAnalysisTitleFont);
    const int v = table.AddVerticalTextRow("Name", 200, {});
    table.SetText(v, 1, "Versicherungsgruppe");
    RecordingCanvas screen;
    // 20 + 50 (title) + 200 (vertical) + 20
    EXPECT_EQ(table.Layout(screen).height, 290);
    table.DrawScreen(screen, kEverything);

    EXPECT_EQ(TextOp(screen, "Bezeichnung").rect, (Rect{30, -20, 360, -70}));
    // The vertical row starts at -70; its label is one line of normal text.
    EXPECT_EQ(TextOp(screen, "Name").rect, (Rect{30, -70, 360, -110}));
    // Height 30 gives 15 per character; the box is 200 - 2 × 10 = 180 long: 12 characters,
    // 9 kept + "...".
    const Op vertical = TextOp(screen, "Versicher...");
    EXPECT_EQ(vertical.kind, Op::VerticalText);
    EXPECT_EQ(vertical.rect, (Rect{380, -80, 610, -260}));
    std::vector<int> heights;
    for (const Op& op : OpsOfKind(screen, Op::Font)) heights.push_back(op.value);
    EXPECT_NE(std::find(heights.begin(), heights.end(), 50), heights.end());
    EXPECT_NE(std::find(heights.begin(), heights.end(), 30), heights.end());
}

// One bar per cell: the row's largest value takes the whole room left beside the widest
// value text, smaller values in proportion.
TEST(AnalysisTable, OneBarPerCellOnACommonRowScale) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(3)));
    const int r = table.AddBarRow("Depotanteil", 2, {kRed}, "%", 1, {});
    EXPECT_TRUE(table.SetBars(r, 1, {50.0}));
    EXPECT_TRUE(table.SetBars(r, 2, {100.0}));
    EXPECT_FALSE(table.SetBars(r, 1, {1.0, 2.0}));  // one colour, one value
    EXPECT_FALSE(table.SetBars(r, 0, {1.0}));       // the label column has no bars
    table.SetAppearance({.screenStyle = kStyleColour});
    RecordingCanvas screen;
    EXPECT_EQ(table.Layout(screen).height, 120);  // 20 + 2 lines × 40 + 20
    table.DrawScreen(screen, kEverything);

    // Texts "50,0%" (5 × 20 = 100) and "100,0%" (120): room = 230 - (120 + 10) = 100 for
    // the value 100, so 50 draws 50. Band = the row's 80, inset 80 / 6 = 13.
    const std::vector<Op> bars = BarFills(screen, {kWhite});
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].rect, (Rect{380, -33, 430, -87}));
    EXPECT_EQ(bars[1].rect, (Rect{630, -33, 730, -87}));
    EXPECT_EQ(bars[0].colour, kRed);
    // Each text 10 right of its bar, centred in the band: (80 - 40) / 2 = 20 down.
    EXPECT_EQ(TextOp(screen, "50,0%").rect, (Rect{440, -40, 610, -80}));
    EXPECT_EQ(TextOp(screen, "100,0%").rect, (Rect{740, -40, 860, -80}));
    // The zero lines at the inner left edges, through the whole row.
    const std::vector<Op> lines = OpsOfKind(screen, Op::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{380, -20}, {380, -100}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{630, -20}, {630, -100}}));
    EXPECT_EQ(TextOp(screen, "Depotanteil").rect, (Rect{30, -20, 360, -60}));
}

TEST(AnalysisTable, TwoBarsSplitTheRowIntoBands) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(2)));
    const int r = table.AddBarRow("Wert", 1, {kRed, kGreen}, "", 0, {});
    table.SetBars(r, 1, {30.0, 60.0});
    table.SetAppearance({.screenStyle = kStyleColour});
    RecordingCanvas screen;
    table.DrawScreen(screen, kEverything);

    // Bands of 40 / 2 = 20, the value font 20 high (10 per character), inset 20 / 6 = 3.
    // Texts "30", "60" are 20 wide: room = 230 - 30 = 200 for 60, so 30 draws 100.
    const std::vector<Op> bars = BarFills(screen, {kWhite});
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].rect, (Rect{380, -23, 480, -37}));
    EXPECT_EQ(bars[0].colour, kRed);
    EXPECT_EQ(bars[1].rect, (Rect{380, -43, 580, -57}));
    EXPECT_EQ(bars[1].colour, kGreen);
    EXPECT_EQ(TextOp(screen, "30").rect, (Rect{490, -20, 610, -40}));
    EXPECT_EQ(TextOp(screen, "60").rect, (Rect{590, -40, 610, -60}));
}

// Three bars with negative values: the zero line sits where the largest negative value
// fits on its left, negative bars grow to the left with their text before them.
TEST(AnalysisTable, NegativeValuesGrowLeftOfTheZeroLine) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(3)));
    const int r = table.AddBarRow("G/V", 3, {kRed, kYellow, kGreen}, "%", 0, {});
    table.SetBars(r, 1, {-20.0, 10.0, 40.0});
    table.SetBars(r, 2, {0.0, -5.0, 20.0});
    table.SetAppearance({.screenStyle = kStyleColour});
    RecordingCanvas screen;
    table.DrawScreen(screen, kEverything);

    // Bands 120 / 3 = 40, font 40, inset 6. Widest texts: "-20%" 80 left, "10%" ... "40%"
    // 60 right. Room = 230 - (80 + 10) - (60 + 10) = 70 for 20 + 40 = 60.
    // Zero = inner left + 90 + R(70 × 20 / 60 = 23.3) = inner left + 113.
    // Lengths: 20 -> R(23.3) = 23, 10 -> R(11.7) = 12, 40 -> R(46.7) = 47, 5 -> R(5.8) = 6.
    const std::vector<Op> bars = BarFills(screen, {kWhite});
    ASSERT_EQ(bars.size(), 5u);  // the 0 draws no bar
    struct Bar {
        Rect rect;
        Colour colour;
    };
    const Bar expected[] = {
        {{470, -26, 493, -54}, kRed},      // column 1 from 380: zero 493
        {{493, -66, 505, -94}, kYellow},   //
        {{493, -106, 540, -134}, kGreen},  //
        {{737, -66, 743, -94}, kYellow},   // column 2 from 630: zero 743
        {{743, -106, 766, -134}, kGreen},
    };
    for (size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bars[i].rect, expected[i].rect);
        EXPECT_EQ(bars[i].colour, expected[i].colour);
    }
    const Op negative = TextOp(screen, "-20%");
    EXPECT_EQ(negative.rect, (Rect{380, -20, 460, -60}));
    EXPECT_EQ(negative.value, static_cast<int>(TextAlign::Right));
    EXPECT_EQ(TextOp(screen, "-5%").rect, (Rect{630, -60, 727, -100}));
    EXPECT_EQ(TextOp(screen, "0%").rect, (Rect{753, -20, 860, -60}));
    const std::vector<Op> lines = OpsOfKind(screen, Op::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points[0].x, 493);
    EXPECT_EQ(lines[1].points[0].x, 743);
}

// Amounts wider than the cell: the labels share three quarters of it, the bars keep a
// quarter, and a label that no longer fits beside its bar is left out rather than cut.
TEST(AnalysisTable, WideLabelsLeaveTheBarsAQuarterOfTheCell) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(2)));
    const int r = table.AddBarRow("G/V", 2, {kRed}, " EUR", 2, {});
    table.SetBars(r, 1, {-1888.9});
    table.SetAppearance({.screenStyle = kStyleColour});
    RecordingCanvas screen;
    table.DrawScreen(screen, kEverything);
    // "-1.888,90 EUR" is 13 × 20 = 260 wide, + 10 = 270 > 230 - 230 / 4 = 173: the label
    // room shrinks to trunc(270 × 173 / 270) = 173, the bar gets 230 - 173 = 57 and, the
    // largest negative value, fills it left of the zero line at 380 + 173 + 57 = 610.
    const std::vector<Op> bars = BarFills(screen, {kWhite});
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].rect.left, 553);
    EXPECT_EQ(bars[0].rect.right, 610);
    // 380 .. 553 - 10 leaves 163 for a 260 wide label: it is left out.
    EXPECT_EQ(screen.Texts(), (std::vector<std::string>{"G/V"}));
}

TEST(AnalysisTable, BarRowWithoutValuesOrWithNonFiniteValuesDrawsNoBar) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(3)));
    EXPECT_EQ(table.AddBarRow("x", 1, {}, "%", 1, {}), -1);
    EXPECT_EQ(table.AddBarRow("x", 1, {kRed, kRed, kRed, kRed}, "%", 1, {}), -1);
    const int r = table.AddBarRow("über Stopp", 1, {kRed}, "%", 1, {});
    table.SetBars(r, 1, {std::nan("")});  // column 2 has no stop at all
    table.SetAppearance({.screenStyle = kStyleColour});
    RecordingCanvas screen;
    table.DrawScreen(screen, kEverything);
    EXPECT_TRUE(BarFills(screen, {kWhite}).empty());
    EXPECT_EQ(screen.Texts(), (std::vector<std::string>{"über Stopp"}));
}

TEST(AnalysisTable, GapRowsTakeTheirHeightAndDrawNothing) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(2)));
    table.AddTextRow("oben", {.colourA = kRowGrey, .colourB = kRowGrey});
    const int gap = table.AddGapRow(30);
    table.AddTextRow("unten", {.colourA = kRowGrey, .colourB = kRowGrey});
    EXPECT_FALSE(table.SetText(gap, 0, "x"));
    RecordingCanvas screen;
    EXPECT_EQ(table.Layout(screen).height, 150);  // 20 + 40 + 30 + 40 + 20
    for (const int style : {kStyleGrid, kStyleColour}) {
        SCOPED_TRACE(style);
        screen.ClearOps();
        table.SetAppearance({.screenStyle = style});
        table.DrawScreen(screen, kEverything);
        // The second row starts below the gap: -20 - 40 - 30.
        EXPECT_EQ(TextOp(screen, "unten").rect.top, -90);
        for (const Op& op : screen.Ops()) {
            if (op.kind != Op::Fill && op.kind != Op::Frame) continue;
            // Nothing reaches into the gap from -60 to -90.
            EXPECT_TRUE(op.rect.bottom >= -60 || op.rect.top <= -90);
        }
    }
}

// A text row and a bar row with a red bar in each of the four styles.
TEST(AnalysisTable, StylesDecideBackgroundsFramesAndBarColours) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(3)));
    const int t = table.AddTextRow("Name", {.colourA = kRowGrey, .colourB = kRowGain});
    table.SetText(t, 1, "A");
    const int b =
        table.AddBarRow("Anteil", 1, {kRed}, "%", 0, {.colourA = kRowGrey, .colourB = kRowGain});
    table.SetBars(b, 1, {10.0});
    RecordingCanvas screen;

    // A style number the table does not know draws as "nur Text".
    for (const int style : {static_cast<int>(kStyleTextOnly), 7}) {
        SCOPED_TRACE(style);
        screen.ClearOps();
        table.SetAppearance({.screenStyle = style});
        table.DrawScreen(screen, kEverything);
        EXPECT_TRUE(OpsOfKind(screen, Op::Fill).empty());
        const std::vector<Op> outline = OpsOfKind(screen, Op::Frame);
        ASSERT_EQ(outline.size(), 1u);  // the bar, as an outline
        EXPECT_EQ(outline[0].colour, kBlack);
    }

    screen.ClearOps();
    table.SetAppearance({.screenStyle = kStyleGrid});
    table.DrawScreen(screen, kEverything);
    const std::vector<Op> grid = OpsOfKind(screen, Op::Frame);
    ASSERT_EQ(grid.size(), 6u);  // every cell of both rows
    for (const Op& op : grid) EXPECT_EQ(op.colour, kLightGrey);
    EXPECT_EQ(grid[0].rect, (Rect{20, -20, 370, -60}));
    EXPECT_EQ(grid[2].rect, (Rect{620, -20, 870, -60}));
    EXPECT_EQ(grid[5].rect, (Rect{620, -60, 870, -100}));
    const std::vector<Op> gridFills = OpsOfKind(screen, Op::Fill);
    ASSERT_EQ(gridFills.size(), 1u);
    EXPECT_EQ(gridFills[0].colour, kRed);

    struct Case {
        int style;
        Colour row;
        Colour bar;
    };
    // Grey of red: (299 × 255 + 500) / 1000 = 76745 / 1000 = 76.
    const Case cases[] = {{kStyleGrey, kRowGrey, Rgb(76, 76, 76)}, {kStyleColour, kRowGain, kRed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        screen.ClearOps();
        table.SetAppearance({.screenStyle = c.style});
        table.DrawScreen(screen, kEverything);
        const std::vector<Op> fills = OpsOfKind(screen, Op::Fill);
        ASSERT_EQ(fills.size(), 3u);
        EXPECT_EQ(fills[0].rect, (Rect{20, -20, 870, -60}));  // the whole row
        EXPECT_EQ(fills[0].colour, c.row);
        EXPECT_EQ(fills[1].rect, (Rect{20, -60, 870, -100}));
        EXPECT_EQ(fills[1].colour, c.row);
        EXPECT_EQ(fills[2].colour, c.bar);
        EXPECT_TRUE(OpsOfKind(screen, Op::Frame).empty());
    }
}

TEST(AnalysisTable, DrawScreenSkipsRowsOutsideTheVisibleRectangle) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(2)));
    for (int i = 0; i < 10; ++i) table.AddTextRow("R" + std::to_string(i), {});
    RecordingCanvas screen;
    // Rows start at -20 - 40 i; the rectangle from -150 to -230 touches rows 3 to 5
    // (row 3 from -140 to -180, row 5 from -220 to -260).
    table.DrawScreen(screen, {0, -150, 1000, -230});
    EXPECT_EQ(screen.Texts(), (std::vector<std::string>{"R3", "R4", "R5"}));
}

// A page of 2100 × 500 with margins of 150: across, 2100 - 300 - 350 = 1450 leaves room
// for 5 item columns of 250; down, 500 - 300 = 200 for 5 rows of 40.
class AnalysisTablePrint : public testing::Test {
  protected:
    RecordingCanvas printer{600, PageMetrics{2100, 500, 0, 0, 2100, 500}};
    AnalysisTable table;

    // 12 items; row 0 is repeated on every page down; rows "R1".."R9" hold "i/c" texts.
    void SetUp() override {
        ASSERT_TRUE(table.Init(TableSetup(13)));
        table.SetAppearance({.printStyle = kStyleTextOnly,
                             .marginLeft = 150,
                             .marginTop = 150,
                             .marginRight = 150,
                             .marginBottom = 150});
        const int title = table.AddTextRow("Titel", {.repeatOnEachPage = true});
        for (int c = 1; c < 13; ++c) table.SetText(title, c, "T" + std::to_string(c));
        for (int r = 1; r < 10; ++r) {
            const int row = table.AddTextRow("R" + std::to_string(r), {});
            for (int c = 1; c < 13; ++c)
                table.SetText(row, c, std::to_string(r) + "/" + std::to_string(c));
        }
    }
    std::vector<std::string> Page(int n) {
        printer.ClearOps();
        table.PrintPage(printer, n);
        return printer.Texts();
    }
};

TEST_F(AnalysisTablePrint, PagesAcrossRepeatTheLabelColumnAndDownRepeatFlaggedRows) {
    const PageGrid grid = table.Paginate(printer);
    EXPECT_EQ(grid.across, 3);  // 5 + 5 + 2 items
    EXPECT_EQ(grid.down, 3);    // rows 0-4, title + 5-8, title + 9
    EXPECT_EQ(table.PageCount(), 9);

    // Page 2: across 1, down 0 — items 6 to 10 beside the labels of rows 0 to 4.
    std::vector<std::string> expected;
    for (int r = 0; r < 5; ++r) {
        expected.push_back(r == 0 ? "Titel" : "R" + std::to_string(r));
        for (int c = 6; c <= 10; ++c)
            expected.push_back(r == 0 ? "T" + std::to_string(c)
                                      : std::to_string(r) + "/" + std::to_string(c));
    }
    EXPECT_EQ(Page(2), expected);
    // The label column at the left margin, the first item of the page right of it.
    EXPECT_EQ(TextOp(printer, "Titel").rect, (Rect{160, -150, 490, -190}));
    EXPECT_EQ(TextOp(printer, "T6").rect, (Rect{510, -150, 740, -190}));
    EXPECT_EQ(TextOp(printer, "T10").rect, (Rect{1510, -150, 1740, -190}));

    // Page 9: across 2, down 2 — the title row again, then row 9, items 11 and 12.
    EXPECT_EQ(Page(9), (std::vector<std::string>{"Titel", "T11", "T12", "R9", "9/11", "9/12"}));
    EXPECT_EQ(TextOp(printer, "R9").rect.top, -190);

    // Page 4: across 0, down 1 — rows 5 to 8 below the title.
    const std::vector<std::string> page4 = Page(4);
    ASSERT_EQ(page4.size(), 30u);  // 5 rows × (label + 5 items)
    EXPECT_EQ(page4[6], "R5");
    EXPECT_EQ(page4[24], "R8");

    EXPECT_TRUE(Page(10).empty());
    EXPECT_TRUE(Page(0).empty());
}

TEST_F(AnalysisTablePrint, GridFramesInBlackAndAGapIsDroppedAtThePageTop) {
    // A gap after row 4 would start page 2; it is dropped there.
    AnalysisTable gapped;
    ASSERT_TRUE(gapped.Init(TableSetup(2)));
    gapped.SetAppearance({.printStyle = kStyleGrid,
                          .marginLeft = 150,
                          .marginTop = 150,
                          .marginRight = 150,
                          .marginBottom = 150});
    for (int r = 0; r < 5; ++r) gapped.AddTextRow("R" + std::to_string(r), {});
    gapped.AddGapRow(30);
    gapped.AddTextRow("R5", {});
    EXPECT_EQ(gapped.Paginate(printer).down, 2);
    printer.ClearOps();
    gapped.PrintPage(printer, 2);
    EXPECT_EQ(TextOp(printer, "R5").rect.top, -150);
    const std::vector<Op> frames = OpsOfKind(printer, Op::Frame);
    ASSERT_EQ(frames.size(), 2u);  // label and item cell of R5
    EXPECT_EQ(frames[0].colour, kBlack);
    EXPECT_EQ(frames[0].rect, (Rect{150, -150, 500, -190}));
    EXPECT_EQ(frames[1].rect, (Rect{500, -150, 750, -190}));
}

TEST_F(AnalysisTablePrint, AColumnWiderThanThePageIsClippedAtTheRightMargin) {
    // 1800 between the margins: the label column of 350 leaves 1450, less than one item.
    AnalysisTableSetup setup = TableSetup(3);
    setup.columnWidth = 1500;
    AnalysisTable wide;
    ASSERT_TRUE(wide.Init(setup));
    wide.SetAppearance(table.Appearance());
    const int r = wide.AddTextRow("Name", {});
    wide.SetText(r, 1, "A");
    wide.SetText(r, 2, "B");
    EXPECT_EQ(wide.Paginate(printer).across, 2);  // one item a page
    printer.ClearOps();
    wide.PrintPage(printer, 2);
    EXPECT_EQ(printer.Texts(), (std::vector<std::string>{"Name", "B"}));
    const std::vector<Op> clips = OpsOfKind(printer, Op::Clip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect{150, -150, 1950, -350}));
    EXPECT_EQ(printer.Ops().back().kind, Op::Unclip);

    // Pages that fit are not clipped.
    printer.ClearOps();
    table.PrintPage(printer, 1);
    EXPECT_TRUE(OpsOfKind(printer, Op::Clip).empty());
}

TEST(AnalysisTable, AnEmptyTablePrintsOneEmptyPage) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(1)));
    RecordingCanvas printer{600, PageMetrics{2100, 2970, 0, 0, 2100, 2970}};
    RecordingCanvas screen;
    EXPECT_EQ(table.Layout(screen).height, 40);  // the two margins
    const PageGrid grid = table.Paginate(printer);
    EXPECT_EQ(grid.across, 1);
    EXPECT_EQ(grid.down, 1);
    table.PrintPage(printer, 1);
    EXPECT_TRUE(printer.Ops().empty());
}

TEST(AnalysisTable, HitTestGivesRowColumnAndTheColumnsUserValue) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(3)));
    table.AddTextRow("Bezeichnung", {.user = {7, -1, -1, -1, -1}});  // -20 .. -60
    table.AddGapRow(30);                                             // -60 .. -90
    table.AddBarRow("Anteil", 1, {kRed}, "%", 1, {});                // -90 .. -130
    table.SetColumnUser(1, 101);
    table.SetColumnUser(2, 102);
    table.SetColumnUser(3, 999);  // beyond the table: ignored
    table.SetColumnUser(0, 999);  // the label column carries none
    struct Case {
        Point point;
        int row;
        int column;
        int cellUser;
        int user0;
    };
    // Columns: labels 20 .. 370, item 1 370 .. 620, item 2 620 .. 870.
    const Case cases[] = {
        {{25, -25}, 0, 0, -1, 7},      {{369, -59}, 0, 0, -1, 7},
        {{370, -20}, 0, 1, 101, 7},    {{620, -91}, 2, 2, 102, -1},
        {{869, -129}, 2, 2, 102, -1},  {{620, -60}, -1, -1, -1, -1},  // the gap
        {{870, -100}, -1, -1, -1, -1},                                // right of the table
        {{19, -30}, -1, -1, -1, -1},                                  // in the margin
        {{100, -130}, -1, -1, -1, -1},                                // below the last row
        {{100, -19}, -1, -1, -1, -1},                                 // above the first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        const HitResult hit = table.HitTest(c.point);
        EXPECT_EQ(hit.row, c.row);
        EXPECT_EQ(hit.column, c.column);
        EXPECT_EQ(hit.cellUser, c.cellUser);
        EXPECT_EQ(hit.user[0], c.user0);
    }
}

TEST(AnalysisTable, HitTestUsesTheScaledGeometry) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(3, 1.5)));
    table.AddTextRow("Bezeichnung", {});
    table.SetColumnUser(2, 55);
    // At 1.5: margin 30, label column 525, items 375, rows R(1.5 × 40) = 60 from -30.
    struct Case {
        Point point;
        int row;
        int column;
    };
    const Case cases[] = {{{30, -30}, 0, 0},  {{554, -89}, 0, 0},    {{555, -89}, 0, 1},
                          {{930, -50}, 0, 2}, {{1305, -50}, -1, -1}, {{100, -90}, -1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        const HitResult hit = table.HitTest(c.point);
        EXPECT_EQ(hit.row, c.row);
        EXPECT_EQ(hit.column, c.column);
        EXPECT_EQ(hit.cellUser, c.column == 2 ? 55 : -1);
    }
}

TEST(AnalysisTable, HasNoTextOutput) {
    AnalysisTable table;
    ASSERT_TRUE(table.Init(TableSetup(2)));
    table.AddTextRow("x", {});
    EXPECT_FALSE(table.HasText());
}

}  // namespace
}  // namespace pf

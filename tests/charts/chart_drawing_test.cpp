#include <gtest/gtest.h>

#include <algorithm>

#include "charts/diagram.h"
#include "charts/security_chart.h"
#include "support/recording_canvas.h"

namespace pf {
namespace {

using Op = RecordingCanvas::Op;

CQRNDatum Day(unsigned d, unsigned m, unsigned y) {
    CQRNDatum date;
    date.Set(d, m, y);
    return date;
}

PlotLook SmallLook() {
    PlotLook look;
    look.width = 1000;
    look.height = 600;
    look.border = 0;
    look.innerMargin = 10;
    look.labelFontHeight = 40;
    look.titleFontHeight = 60;
    return look;
}

constexpr Colour kLine = Rgb(0, 0, 160);
constexpr Colour kBuy = Rgb(0, 240, 0);
constexpr Colour kSell = Rgb(240, 0, 0);
constexpr Colour kAverage = Rgb(255, 128, 0);

std::vector<Op> OpsOf(const std::vector<Op>& ops, Op::Kind kind, Colour colour) {
    std::vector<Op> found;
    for (const Op& op : ops)
        if (op.kind == kind && op.colour == colour) found.push_back(op);
    return found;
}

TEST(SecurityChartTest, MovingAverageAgreesWithTheMeanOfItsWindow) {
    SecurityChart chart;
    ASSERT_TRUE(chart.Setup("t", "EUR", Day(1, 3, 2021), Day(31, 3, 2021), SmallLook(), 0, kLine));
    for (unsigned d = 1; d <= 20; ++d) chart.AddPoint(Day(d, 3, 2021), 0.1 * d * d + 3);
    chart.SetAverage(1, 4, kAverage, 0);
    const auto values = chart.AverageValues(1);
    for (size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(i);
        if (i < 3) {
            EXPECT_FALSE(values[i]);
            continue;
        }
        double sum = 0;
        for (size_t k = i - 3; k <= i; ++k) sum += chart.Points()[k].value;
        ASSERT_TRUE(values[i]);
        EXPECT_NEAR(*values[i], sum / 4, 1e-9);
    }
}

TEST(SecurityChartTest, SetupRefusesAReversedRangeAndASecondSetup) {
    SecurityChart chart;
    EXPECT_FALSE(chart.Setup("t", "", Day(2, 3, 2021), Day(2, 3, 2021), SmallLook(), 0, kLine));
    EXPECT_TRUE(chart.Setup("t", "", Day(1, 3, 2021), Day(2, 3, 2021), SmallLook(), 0, kLine));
    EXPECT_FALSE(chart.Setup("t", "", Day(1, 3, 2021), Day(5, 3, 2021), SmallLook(), 0, kLine));
    EXPECT_EQ(chart.End(), Day(2, 3, 2021));
}

// Eight quotes from 1.3. to 8.3., the range 1.3. to 10.3., a buy inside the range and a
// sale after its end, an average of 100 entries that never fills.
class SmallChart : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            chart.Setup("Titel", "EUR", Day(1, 3, 2021), Day(10, 3, 2021), SmallLook(), 3, kLine));
        for (unsigned d = 1; d <= 8; ++d) chart.AddPoint(Day(d, 3, 2021), 10 + d);
        chart.SetAverage(0, 100, kAverage, 0);
        chart.SetMarkerStyle(0, kBuy, kSell);
        chart.AddMarker(Day(2, 3, 2021), 12, SecurityChart::kBuy);
        chart.AddMarker(Day(20, 3, 2021), 15, SecurityChart::kSell);
    }
    SecurityChart chart;
};

TEST_F(SmallChart, DrawsTheLineMarkersAndLegendIntoTheClippedPlot) {
    RecordingCanvas screen;
    const PlotGeometry g = chart.Arrange(screen, false, {0, 0});
    screen.ClearOps();
    chart.DrawScreen(screen, Rect{0, 0, 1000, -600});
    const std::vector<Op>& ops = screen.Ops();

    // Values 11..18 on (600 - 60 - 80) / 80 = 5 slots: raw 1.4 -> 14 -> 1.4 with m 1, n 2.
    EXPECT_DOUBLE_EQ(g.axis.step, 2);
    EXPECT_DOUBLE_EQ(g.axis.min, 10);
    EXPECT_DOUBLE_EQ(g.axis.max, 20);

    const auto clip =
        std::find_if(ops.begin(), ops.end(), [](const Op& op) { return op.kind == Op::Clip; });
    ASSERT_NE(clip, ops.end());
    EXPECT_EQ(clip->rect, (Rect{g.plot.left, g.plot.top, g.plot.right, g.plot.bottom}));
    const size_t clipAt = static_cast<size_t>(clip - ops.begin());

    // The price line: eight points, the first on the plot's left edge at value 11, the last
    // at 8.3., seven ninths of the width along (integer arithmetic).
    const std::vector<Op> lines = OpsOf(ops, Op::Line, kLine);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 8u);
    EXPECT_EQ(lines[0].value, 3);
    const int width = g.plot.right - g.plot.left;
    const int height = g.plot.top - g.plot.bottom;
    EXPECT_EQ(lines[0].points.front(), (Point{g.plot.left, g.plot.bottom + height / 10}));
    EXPECT_EQ(lines[0].points.back().x, g.plot.left + 7 * width / 9);

    // The average never fills its window: no line, but its legend in its colour.
    for (const Op& op : OpsOf(ops, Op::Line, kAverage)) EXPECT_LT(op.points.size(), 2u);
    const std::vector<Op> legends = OpsOf(ops, Op::Text, kAverage);
    ASSERT_EQ(legends.size(), 1u);
    EXPECT_EQ(legends[0].text, "GD100");
    EXPECT_EQ(legends[0].rect.right, g.plot.right - g.margin);

    // The buy: a triangle standing on the bottom edge at 2.3.; the sale after the end is not
    // drawn.
    EXPECT_TRUE(OpsOf(ops, Op::Shape, kSell).empty());
    const std::vector<Op> buys = OpsOf(ops, Op::Shape, kBuy);
    ASSERT_EQ(buys.size(), 1u);
    const int x = g.plot.left + width / 9;
    const int s = 40 / 4;
    EXPECT_EQ(buys[0].points,
              (std::vector<Point>{
                  {x - s, g.plot.bottom}, {x + s, g.plot.bottom}, {x, g.plot.bottom + s}}));
    // Line from the edge to s below the price, then the tick at the price (value 12).
    const int y = g.plot.bottom + 2 * height / 10;
    const std::vector<Op> buyLines = OpsOf(ops, Op::Line, kBuy);
    ASSERT_EQ(buyLines.size(), 2u);
    EXPECT_EQ(buyLines[0].points, (std::vector<Point>{{x, g.plot.bottom}, {x, y - s}}));
    EXPECT_EQ(buyLines[1].points, (std::vector<Point>{{x - s, y}, {x + s, y}}));
    for (size_t i = 0; i < clipAt; ++i)
        EXPECT_FALSE(ops[i].colour == kLine || ops[i].colour == kBuy) << "unclipped op " << i;

    // Grid labels below the maximum: 10, 12, ... 18.
    const std::vector<std::string> texts = screen.Texts();
    for (const char* label : {"10", "12", "14", "16", "18"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "20"), texts.end());
}

TEST_F(SmallChart, PrintsWhiteAndBlackAtTheStoredSizes) {
    PageMetrics a4{2100, 2970, 50, 40, 2000, 2890};
    RecordingCanvas printer(600, a4);
    ASSERT_EQ(PrintReportPages(chart, printer, 0, 0, [] { return true; }), 1);
    const std::vector<Op>& ops = printer.Ops();
    ASSERT_FALSE(ops.empty());
    const auto fill =
        std::find_if(ops.begin(), ops.end(), [](const Op& op) { return op.kind == Op::Fill; });
    ASSERT_NE(fill, ops.end());
    EXPECT_EQ(fill->colour, kWhite);
    // 15 mm from the paper's edges, less the unprintable border.
    EXPECT_EQ(fill->rect, (Rect{150 - 50, 40 - 150, 150 - 50 + 1000, 40 - 150 - 600}));
    for (const Op& op : ops)
        if (op.kind == Op::Frame) {
            EXPECT_EQ(op.colour, kBlack);
        }
}

TEST(SecurityChartTest, ScreenSizesFollowTheScaleFactor) {
    SecurityChart chart;
    PlotLook look = SmallLook();
    look.border = 50;
    look.screenScale = 1.25;
    ASSERT_TRUE(chart.Setup("t", "", Day(1, 3, 2021), Day(2, 3, 2021), look, 0, kLine));
    RecordingCanvas screen;
    // 1000 x 1.25 + 2 x 62.5 rounded up.
    const ReportSize size = chart.Layout(screen);
    EXPECT_EQ(size.width, 1250 + 2 * 63);
    EXPECT_EQ(size.height, 750 + 2 * 63);
}

TEST(SecurityChartTest, EmptyAndTinyChartsStillDrawFramesTitleAndAxes) {
    struct Case {
        int width, height;
    };
    for (const Case& c : {Case{1000, 600}, Case{10, 10}, Case{0, 0}}) {
        SCOPED_TRACE(c.width);
        PlotLook look = SmallLook();
        look.width = c.width;
        look.height = c.height;
        SecurityChart chart;
        ASSERT_TRUE(chart.Setup("Leer", "", Day(1, 1, 2000), Day(31, 12, 2020), look, 0, kLine));
        RecordingCanvas screen;
        chart.Layout(screen);
        chart.DrawScreen(screen, Rect{0, 0, 1000, -600});
        const std::vector<std::string> texts = screen.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Leer"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "0"), texts.end());
    }
}

TEST(DiagramTest, KeepsOneValuePerDayOfItsRange) {
    Diagram diagram;
    EXPECT_FALSE(
        diagram.Setup("t", "%", Day(5, 1, 2021), Day(1, 1, 2021), SmallLook(), 0, kLine, 3));
    diagram.SetValue(Day(2, 1, 2021), 4);  // before setup: ignored
    ASSERT_TRUE(
        diagram.Setup("t", "%", Day(1, 1, 2021), Day(5, 1, 2021), SmallLook(), 0, kLine, 3));
    diagram.SetValue(Day(2, 1, 2021), -4.5);
    diagram.SetValue(Day(6, 1, 2021), 99);  // after the end: ignored
    EXPECT_EQ(diagram.Values(), (std::vector<double>{0, -4.5, 0, 0, 0}));

    RecordingCanvas screen;
    const PlotGeometry g = diagram.Arrange(screen, false, {0, 0});
    // -4.5..0 on 5 slots: raw 0.9 -> 9 -> 0.9 with m 1: step 1; -4 and one step more; 0 -> 1.
    EXPECT_DOUBLE_EQ(g.axis.min, -5);
    EXPECT_DOUBLE_EQ(g.axis.max, 1);
    diagram.DrawScreen(screen, Rect{});
    const std::vector<Op> lines = OpsOf(screen.Ops(), Op::Line, kLine);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 5u);
    EXPECT_EQ(lines[0].points.back().x, g.plot.right);
}

}  // namespace
}  // namespace pf

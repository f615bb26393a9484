#include "charts/chart_builders.h"

#include <gtest/gtest.h>

#include "../engine/engine_test_util.h"

namespace pf {
namespace {

using testing::DocBuilder;

CQRNDatum Day(unsigned d, unsigned m, unsigned y) {
    CQRNDatum date;
    date.Set(d, m, y);
    return date;
}

std::vector<double> Values(const SecurityChart& chart) {
    std::vector<double> values;
    for (const auto& p : chart.Points()) values.push_back(p.value);
    return values;
}

// Quote 100 on 1.3.2021, a 2:1 split on 1.6.2021, quote 60 on 1.7.2021; bought on 1.2. at
// 80, sold on 1.8. at 35.
class SplitChart : public ::testing::Test {
  protected:
    void SetUp() override {
        id = b.Security("Aktie");
        b.doc.FindSecurity(id)->isin = "DE0001";
        b.Quote(id, Day(1, 3, 2021), 100);
        b.Quote(id, Day(1, 7, 2021), 60);
        const auto buy = b.Buy(Day(1, 2, 2021), id, 10, 80);
        b.Split(Day(1, 6, 2021), id, 2, 1);
        b.Sell(Day(1, 8, 2021), id, {{buy.positionNo, 20}}, 35);
    }
    std::unique_ptr<SecurityChart> Chart(int mode, CQRNDatum end = Day(31, 12, 2021)) {
        return BuildSecurityChart(b.doc, id, Day(1, 1, 2021), end, mode);
    }
    DocBuilder b;
    int32_t id = -1;
};

TEST_F(SplitChart, PointsFollowTheSplitHandling) {
    EXPECT_EQ(Values(*Chart(kSplitsAsStored)), (std::vector<double>{100, 60}));
    EXPECT_EQ(Values(*Chart(kSplitsFullyAdjusted)), (std::vector<double>{50, 60}));
    EXPECT_EQ(Values(*Chart(kSplitsAdjustedBeforeEnd)), (std::vector<double>{50, 60}));
    // Seen from before the split nothing is divided: a split only adjusts the quotes before
    // it for a view after it.
    EXPECT_EQ(Values(*Chart(kSplitsAdjustedBeforeEnd, Day(1, 5, 2021))),
              (std::vector<double>{100, 60}));
    EXPECT_EQ(Values(*Chart(kSplitsNotAdjusted)), (std::vector<double>{100, 60}));
}

TEST_F(SplitChart, MarkersDivideByLaterSplitsOnly) {
    struct Case {
        int mode;
        double buy;
    };
    // The sale follows the split, so no split divides its price.
    for (const Case& c : {Case{kSplitsNotAdjusted, 80}, Case{kSplitsFullyAdjusted, 40},
                          Case{kSplitsAdjustedBeforeEnd, 40}, Case{kSplitsAsStored, 80}}) {
        SCOPED_TRACE(c.mode);
        const auto chart = Chart(c.mode);
        ASSERT_EQ(chart->Markers().size(), 2u);
        EXPECT_EQ(chart->Markers()[0].kind, SecurityChart::kBuy);
        EXPECT_DOUBLE_EQ(chart->Markers()[0].value, c.buy);
        EXPECT_EQ(chart->Markers()[1].kind, SecurityChart::kSell);
        EXPECT_DOUBLE_EQ(chart->Markers()[1].value, 35);
    }
    // A split on or before a chart end of 31.5. does not apply in mode 1.
    EXPECT_DOUBLE_EQ(Chart(kSplitsAdjustedBeforeEnd, Day(31, 5, 2021))->Markers()[0].value, 80);
    b.doc.options.chart.markers = 0;
    EXPECT_TRUE(Chart(kSplitsAsStored)->Markers().empty());
}

TEST_F(SplitChart, TitleReplacesItsPlaceholders) {
    b.doc.options.chart.title = "<BEZEICHNUNG>|<WKN>|<KUERZEL>|<ISIN>|<STARTDATUM>|<ENDDATUM>";
    EXPECT_EQ(Chart(0)->Heading(), "Aktie|WAktie|DE0001|DE0001|01.01.2021|31.12.2021");
    EXPECT_EQ(Chart(0)->Subtitle(), "EUR");
}

TEST_F(SplitChart, WithoutAChartableSecurityTheChartSaysSo) {
    b.doc.FindSecurity(id)->noChart = 1;
    EXPECT_EQ(ChartSecurityFor(b.doc, id), -1);
    const auto chart =
        BuildSecurityChart(b.doc, ChartSecurityFor(b.doc, id), Day(5, 1, 2021), Day(5, 1, 2021));
    EXPECT_EQ(chart->Heading(), kNoSecurityTitle);
    EXPECT_TRUE(chart->Points().empty());
    // A one-day range starts the day before.
    EXPECT_EQ(chart->Start(), Day(4, 1, 2021));
    const int32_t other = b.Security("Zweite");
    EXPECT_EQ(ChartSecurityFor(b.doc, id), other);
}

// 1000 paid in on 2.1.2021, 10 pieces bought on 11.1. at 60 with 5 costs, the quote 70 from
// 13.1.
class Development : public ::testing::Test {
  protected:
    void SetUp() override {
        id = b.Security("Aktie");
        b.Movement(Day(2, 1, 2021), "Kapitaleinlage", 1000);
        b.Quote(id, Day(11, 1, 2021), 60);
        b.Quote(id, Day(13, 1, 2021), 70);
        position = b.Buy(Day(11, 1, 2021), id, 10, 60, 5).positionNo;
    }
    std::vector<double> Measure(int type, CQRNDatum from) {
        return BuildDevelopmentDiagram(b.doc, from, Day(15, 1, 2021), type)->Values();
    }
    DocBuilder b;
    int32_t id = -1;
    int32_t position = -1;
};

TEST_F(Development, MeasuresFollowTheirZeroRules) {
    // From 1.1.: day 0 has nothing at all, day 4 (5.1.) only the account, day 14 (15.1.)
    // depot 700 and account 395.
    const std::vector<double> liquidity = Measure(7, Day(1, 1, 2021));
    EXPECT_DOUBLE_EQ(liquidity[0], 0);
    EXPECT_DOUBLE_EQ(liquidity[4], 100);
    EXPECT_DOUBLE_EQ(liquidity[14], 395.0 * 100 / 1095);
    // The depot was worth nothing on the start date: 0 throughout.
    for (double v : Measure(5, Day(1, 1, 2021))) EXPECT_EQ(v, 0);
    // Assets since 5.1.: 1000 then; 1095 on 15.1. -> 9.5 %.
    const std::vector<double> assets = Measure(13, Day(5, 1, 2021));
    EXPECT_DOUBLE_EQ(assets.front(), 0);
    EXPECT_NEAR(assets.back(), 9.5, 1e-9);
    // Before anything was paid in the start value is 0 again.
    for (double v : Measure(13, Day(1, 1, 2021))) EXPECT_EQ(v, 0);

    const auto diagram = BuildDevelopmentDiagram(b.doc, Day(1, 1, 2021), Day(15, 1, 2021), 7);
    EXPECT_EQ(diagram->Subtitle(), "%");
    b.doc.depot.holderName = "Erika";
    EXPECT_EQ(BuildDevelopmentDiagram(b.doc, Day(1, 1, 2021), Day(15, 1, 2021), 0)->Heading(),
              "Depotwert - Erika");
}

TEST_F(Development, PositionsSumTheChosenLots) {
    const auto none = BuildPositionsDiagram(b.doc, Day(1, 1, 2021), Day(15, 1, 2021), 0, {});
    EXPECT_EQ(none->Heading(), std::string("Wert - ") + kNoPositionsText);
    for (double v : none->Values()) EXPECT_EQ(v, 0);

    // Gain on 15.1.: 700 - (600 + 5) with costs, 700 - 600 without.
    auto gain = BuildPositionsDiagram(b.doc, Day(1, 1, 2021), Day(15, 1, 2021), 1, {position});
    EXPECT_EQ(gain->Heading(), "Gewinn/Verlust - Aktie");
    EXPECT_DOUBLE_EQ(gain->Values()[9], 0);  // 10.1.: not bought yet
    EXPECT_DOUBLE_EQ(gain->Values()[10], -5);
    EXPECT_DOUBLE_EQ(gain->Values()[14], 95);
    b.doc.options.diagrams.includeCommissions = 0;
    gain = BuildPositionsDiagram(b.doc, Day(1, 1, 2021), Day(15, 1, 2021), 1, {position});
    EXPECT_DOUBLE_EQ(gain->Values()[14], 100);

    // Since 11.1. in %: 600 then, 700 on 15.1.
    const auto since =
        BuildPositionsDiagram(b.doc, Day(11, 1, 2021), Day(15, 1, 2021), 4, {position});
    EXPECT_NEAR(since->Values().back(), 100.0 / 6, 1e-9);
}

}  // namespace
}  // namespace pf

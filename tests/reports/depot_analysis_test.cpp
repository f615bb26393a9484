#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "engine/stop_target.h"
#include "reports/depot_analysis_report.h"
#include "reports/depot_analysis_rows.h"
#include "support/recording_canvas.h"

namespace pf::testing {
namespace {

// The row with `label` (the `nth` one with that label, counted from 0), or a failure.
const AnalysisLine& LineOf(const std::vector<AnalysisLine>& lines, const std::string& label,
                           int nth = 0) {
    for (const AnalysisLine& line : lines)
        if (line.label == label && nth-- == 0) return line;
    ADD_FAILURE() << "no row " << label;
    static const AnalysisLine none;
    return none;
}

std::vector<std::string> Labels(const std::vector<AnalysisLine>& lines) {
    std::vector<std::string> labels;
    for (const AnalysisLine& line : lines) labels.push_back(line.label);
    return labels;
}

// One position analysed from 1.1.2021 to 30.6.2021: 10 pieces of "Alpha" bought on 1.3.2021
// at 50.00 with 5.00 commission (cost basis 505.00, purchase value 500.00).
class DepotAnalysisTest : public ::testing::Test {
  protected:
    DepotAnalysisTest() {
        alpha = b.Security("Alpha");
        lot = b.Buy(Day(1, 3, 2021), alpha, 10, 50.0, 5.0).positionNo;
    }

    std::vector<AnalysisLine> Lines() const {
        return DepotAnalysisLines(ComputeDepotAnalysis(b.doc, start, end), b.doc);
    }
    // The text of the first position column in the row `label`.
    std::string Cell(const std::string& label, int nth = 0, size_t column = 0) const {
        const std::vector<AnalysisLine> lines = Lines();
        const AnalysisLine& line = LineOf(lines, label, nth);
        if (column >= line.texts.size()) return "<none>";
        return line.texts[column];
    }
    void Quotes(int32_t security, const std::vector<std::pair<CQRNDatum, double>>& quotes) {
        for (const auto& [date, price] : quotes) b.Quote(security, date, price);
    }

    DocBuilder b;
    int32_t alpha = -1;
    int32_t lot = -1;
    CQRNDatum start = Day(1, 1, 2021);
    CQRNDatum end = Day(30, 6, 2021);
};

TEST_F(DepotAnalysisTest, RowsInOrderWithDatesAndOptionalRows) {
    b.Quote(alpha, Day(30, 6, 2021), 52.0);
    EXPECT_EQ(Labels(Lines()), (std::vector<std::string>{"Bezeichnung",
                                                         "WKN",
                                                         "Stück",
                                                         "Kaufdatum",
                                                         "Kurswährung",
                                                         "Kaufkurs",
                                                         "Stoppkurs",
                                                         "Zielkurs",
                                                         "Kurs am 30.06.2021",
                                                         "Tief ab 01.01.2021",
                                                         "Hoch ab 01.01.2021",
                                                         "Kurs am 30.06.2021",
                                                         "über Stopp",
                                                         "bis Ziel",
                                                         "min. G/V",
                                                         "akt. G/V",
                                                         "max. G/V",
                                                         "",
                                                         "% über Anfang",
                                                         "% über Tief",
                                                         "% bis Hoch",
                                                         "",
                                                         "% von Hoch",
                                                         "Max. Drawdown",
                                                         "Depotanteil"}));

    b.doc.options.analysis.stopTarget = 0;
    b.doc.options.analysis.includeDividends = 1;
    EXPECT_EQ(Labels(Lines()), (std::vector<std::string>{"Bezeichnung",
                                                         "WKN",
                                                         "Stück",
                                                         "Kaufdatum",
                                                         "Kurswährung",
                                                         "Kaufkurs",
                                                         "Kurs am 30.06.2021",
                                                         "Tief ab 01.01.2021",
                                                         "Hoch ab 01.01.2021",
                                                         "Kurs am 30.06.2021",
                                                         "min. G/V inkl. Div.",
                                                         "akt. G/V inkl. Div.",
                                                         "max. G/V inkl. Div.",
                                                         "",
                                                         "% über Anfang",
                                                         "% über Tief",
                                                         "% bis Hoch",
                                                         "",
                                                         "% von Hoch",
                                                         "Max. Drawdown",
                                                         "Depotanteil"}));
}

// Quotes 40 (2.3.), 64 (1.4.), 48 (3.5.), 52 (30.6.) over the range 1.3.-30.6.2021.
TEST_F(DepotAnalysisTest, PricesGainsAndPercentRows) {
    Quotes(alpha, {{Day(2, 3, 2021), 40.0},
                   {Day(1, 4, 2021), 64.0},
                   {Day(3, 5, 2021), 48.0},
                   {Day(30, 6, 2021), 52.0}});
    const std::vector<AnalysisLine> lines = Lines();
    const auto cell = [&](const std::string& label, int nth = 0) {
        const AnalysisLine& line = LineOf(lines, label, nth);
        return line.texts.empty() ? std::string("<none>") : line.texts[0];
    };
    EXPECT_EQ(cell("Bezeichnung"), "Alpha");
    EXPECT_EQ(cell("WKN"), "WAlpha");
    EXPECT_EQ(cell("Stück"), "10");
    EXPECT_EQ(cell("Kaufdatum"), "01.03.2021");
    EXPECT_EQ(cell("Kurswährung"), "Euro");
    EXPECT_EQ(cell("Kaufkurs"), "50,00");  // purchase value 500 / 10 pieces, without costs
    EXPECT_EQ(cell("Stoppkurs"), "-");
    EXPECT_EQ(cell("Zielkurs"), "-");
    EXPECT_EQ(cell("Kurs am 30.06.2021"), "52,00");
    EXPECT_EQ(cell("Tief ab 01.01.2021"), "40,00");
    EXPECT_EQ(cell("Hoch ab 01.01.2021"), "64,00");
    EXPECT_EQ(cell("Kurs am 30.06.2021", 1), "52,00");
    // Cost basis 505: at the low 400 - 505, now 520 - 505, at the high 640 - 505.
    EXPECT_EQ(cell("min. G/V"), "-105,00");
    EXPECT_EQ(cell("akt. G/V"), "+15,00");
    EXPECT_EQ(cell("max. G/V"), "+135,00");
    // (52 - 40) / 40 = 30 %; (64 - 52) / 52 = 23.08 %; (52 - 64) / 64 = -18.75 %.
    EXPECT_EQ(cell("% über Anfang"), "30,0%");
    EXPECT_EQ(cell("% über Tief"), "30,0%");
    EXPECT_EQ(cell("% bis Hoch"), "23,1%");
    EXPECT_EQ(cell("% von Hoch"), "-18,8%");
    // The dip from 64 to 48 is still open at the end: 1 - 48 / 64 = 25 %.
    EXPECT_EQ(cell("Max. Drawdown"), "25,0%");
    EXPECT_EQ(cell("Depotanteil"), "100,0%");
    EXPECT_EQ(LineOf(lines, "Bezeichnung").align, TextAlign::Left);
    EXPECT_EQ(LineOf(lines, "Kaufkurs").align, TextAlign::Right);

    // The bar rows carry the values of the rows above them, in red, yellow and green.
    const AnalysisLine& gains = lines[17];
    ASSERT_EQ(gains.kind, AnalysisLineKind::Bars);
    EXPECT_EQ(gains.unit, " EUR");
    EXPECT_EQ(gains.colours, (std::vector<Colour>{kBarRed, kBarYellow, kBarGreen}));
    ASSERT_EQ(gains.bars.size(), 1u);
    EXPECT_EQ(gains.bars[0], (std::vector<double>{-105.0, 15.0, 135.0}));
    const AnalysisLine& distances = lines[21];
    ASSERT_EQ(distances.kind, AnalysisLineKind::Bars);
    EXPECT_EQ(distances.unit, "%");
    EXPECT_EQ(distances.bars[0], (std::vector<double>{30.0, 30.0, 23.1}));
}

// The percent rows round (a - b) / b × 100 half away from zero at the chosen decimals.
TEST_F(DepotAnalysisTest, PercentRowsRoundToTheirDecimals) {
    Quotes(alpha, {{Day(2, 3, 2021), 40.0}, {Day(1, 4, 2021), 64.0}, {Day(30, 6, 2021), 52.0}});
    struct Case {
        int decimals;
        std::string belowHigh, fromHigh;
    };
    // (64 - 52) / 52 × 100 = 23.0769...; (52 - 64) / 64 × 100 = -18.75 exactly.
    const Case cases[] = {{0, "23%", "-19%"},
                          {1, "23,1%", "-18,8%"},
                          {2, "23,08%", "-18,75%"},
                          {3, "23,077%", "-18,750%"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.decimals);
        b.doc.options.analysis.percentDecimals = c.decimals;
        EXPECT_EQ(Cell("% bis Hoch"), c.belowHigh);
        EXPECT_EQ(Cell("% von Hoch"), c.fromHigh);
    }
    EXPECT_EQ(PercentAbove(1.0, 0.0, 1), std::nullopt);
    EXPECT_EQ(PercentAbove(1.0, -2.0, 1), std::nullopt);
}

// Low, high and drawdown walk the quotes from the later of the start and the buy date.
TEST_F(DepotAnalysisTest, DrawdownWalk) {
    struct Case {
        const char* what;
        std::vector<std::pair<CQRNDatum, double>> quotes;
        std::string low, high, last, drawdown;
    };
    const Case cases[] = {
        {"rising only",
         {{Day(1, 3, 2021), 10}, {Day(1, 4, 2021), 11}, {Day(30, 6, 2021), 12}},
         "10,00",
         "12,00",
         "12,00",
         "0,0%"},
        // 10 -> 20 -> 15 on the end date: the open dip 1 - 15 / 20 = 25 %.
        {"open dip at the end",
         {{Day(1, 3, 2021), 10}, {Day(1, 4, 2021), 20}, {Day(30, 6, 2021), 15}},
         "10,00",
         "20,00",
         "15,00",
         "25,0%"},
        // 100 -> 80 (20 %) -> 120 -> 110 (8.3 %, open): the finished dip is the largest.
        {"finished dip larger",
         {{Day(1, 3, 2021), 100},
          {Day(1, 4, 2021), 80},
          {Day(1, 5, 2021), 120},
          {Day(1, 6, 2021), 110}},
         "80,00",
         "120,00",
         "110,00",
         "20,0%"},
        // A low of 5 before the purchase and a high of 99 after the end date do not count.
        {"range limited by buy and end date",
         {{Day(15, 2, 2021), 5}, {Day(2, 3, 2021), 30}, {Day(1, 7, 2021), 99}},
         "30,00",
         "30,00",
         "30,00",
         "0,0%"},
        {"no quote in the range",
         {{Day(10, 1, 2021), 7}, {Day(1, 7, 2021), 8}},
         "-",
         "-",
         "-",
         "-"},
        // Zero peaks measure nothing; no division by zero reaches the table.
        {"zero prices", {{Day(2, 3, 2021), 0}, {Day(30, 6, 2021), 0}}, "0,00", "0,00", "0,00", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        b.doc.FindSecurity(alpha)->quotes.ClearQuotes();
        Quotes(alpha, c.quotes);
        EXPECT_EQ(Cell("Tief ab 01.01.2021"), c.low);
        EXPECT_EQ(Cell("Hoch ab 01.01.2021"), c.high);
        EXPECT_EQ(Cell("Kurs am 30.06.2021", 1), c.last);
        EXPECT_EQ(Cell("Max. Drawdown"), c.drawdown);
    }
}

TEST_F(DepotAnalysisTest, WithoutQuotesInRangeRangeRowsShowDash) {
    // The last quote lies before the purchase: the price lookup still values the position,
    // the range rows have nothing.
    b.Quote(alpha, Day(10, 1, 2021), 7.0);
    EXPECT_EQ(Cell("Kurs am 30.06.2021"), "7,00");
    for (const char* label : {"min. G/V", "max. G/V", "% über Anfang", "% über Tief", "% bis Hoch",
                              "% von Hoch", "Max. Drawdown"}) {
        SCOPED_TRACE(label);
        EXPECT_EQ(Cell(label), "-");
    }
    EXPECT_EQ(Cell("akt. G/V"), "-435,00");  // 70 - 505
    // The gain bars: only the current one, the missing ones as NaN keep their places.
    const std::vector<AnalysisLine> lines = Lines();
    const std::vector<double>& gains = lines[17].bars.at(0);
    ASSERT_EQ(gains.size(), 3u);
    EXPECT_TRUE(std::isnan(gains[0]));
    EXPECT_DOUBLE_EQ(gains[1], -435.0);
    EXPECT_TRUE(std::isnan(gains[2]));
    EXPECT_TRUE(lines[21].bars.at(0).empty());  // no percent distances at all

    // Without any quote the current price is "-" too.
    b.doc.FindSecurity(alpha)->quotes.ClearQuotes();
    EXPECT_EQ(Cell("Kurs am 30.06.2021"), "-");
    EXPECT_EQ(Cell("Depotanteil"), "-");  // depot value 0
}

// A non-permanent 2:1 split on 1.4.2021: the lot holds 20 pieces at the end, and a quote of
// 20 before the split is 10 as seen from the end date.
TEST_F(DepotAnalysisTest, QuotesSplitAdjustedAsSeenFromTheEndDate) {
    b.Split(Day(1, 4, 2021), alpha, 2, 1);
    Quotes(alpha, {{Day(2, 3, 2021), 20.0}, {Day(1, 4, 2021), 11.0}, {Day(30, 6, 2021), 12.0}});
    EXPECT_EQ(Cell("Stück"), "20");
    EXPECT_EQ(Cell("Tief ab 01.01.2021"), "10,00");
    EXPECT_EQ(Cell("Max. Drawdown"), "0,0%");  // 10, 11, 12: rising
    EXPECT_EQ(Cell("min. G/V"), "-305,00");    // 20 × 10 - 505
    EXPECT_EQ(Cell("max. G/V"), "-265,00");    // 20 × 12 - 505
}

TEST_F(DepotAnalysisTest, CommissionsAndDividends) {
    Quotes(alpha, {{Day(2, 3, 2021), 40.0}, {Day(30, 6, 2021), 52.0}});
    b.Movement(Day(1, 5, 2021), "Dividenden-Gutschrift", 15.0, alpha, kIncome, {{lot, 10}});
    struct Case {
        int commissions, dividends;
        std::string suffix, min, current, max;
    };
    // Low 40 -> 400, now and high 52 -> 520; cost 505 with, 500 without commissions.
    const Case cases[] = {
        {1, 0, "", "-105,00", "+15,00", "+15,00"},
        {0, 0, "", "-100,00", "+20,00", "+20,00"},
        {1, 1, " inkl. Div.", "-90,00", "+30,00", "+30,00"},
        {0, 1, " inkl. Div.", "-85,00", "+35,00", "+35,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commissions * 10 + c.dividends);
        b.doc.options.analysis.includeCommissions = c.commissions;
        b.doc.options.analysis.includeDividends = c.dividends;
        EXPECT_EQ(Cell("min. G/V" + c.suffix), c.min);
        EXPECT_EQ(Cell("akt. G/V" + c.suffix), c.current);
        EXPECT_EQ(Cell("max. G/V" + c.suffix), c.max);
    }
}

TEST_F(DepotAnalysisTest, StopAndTargetDistancesAndMarker) {
    b.Quote(alpha, Day(30, 6, 2021), 52.0);
    struct Case {
        double stop, target;
        std::string name, stopText, targetText;
        std::vector<double> aboveStop, belowTarget;  // bar values, empty = no bar
    };
    // (52 - 45) / 45 = 15.56 %; (60 - 52) / 52 = 15.38 %; (52 - 55) / 55 = -5.45 %.
    const Case cases[] = {
        {0, 0, "Alpha", "-", "-", {}, {}},
        {45, 60, "Alpha", "45,00", "60,00", {15.6}, {15.4}},
        {55, 0, "Alpha*", "55,00", "-", {-5.5}, {}},  // stop reached
        {0, 52, "Alpha*", "-", "52,00", {}, {0.0}},   // target reached on the dot
        {52, 50, "Alpha*", "52,00", "50,00", {0.0}, {-3.8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stop * 1000 + c.target);
        SetStop(b.doc, lot, c.stop);
        SetTarget(b.doc, lot, c.target);
        const std::vector<AnalysisLine> lines = Lines();
        EXPECT_EQ(LineOf(lines, "Bezeichnung").texts[0], c.name);
        EXPECT_EQ(LineOf(lines, "Stoppkurs").texts[0], c.stopText);
        EXPECT_EQ(LineOf(lines, "Zielkurs").texts[0], c.targetText);
        const auto values = [](const AnalysisLine& line) {
            std::vector<double> v;
            for (const double value : line.bars.at(0)) v.push_back(value);
            return v;
        };
        EXPECT_EQ(values(LineOf(lines, "über Stopp")), c.aboveStop);
        EXPECT_EQ(values(LineOf(lines, "bis Ziel")), c.belowTarget);
        EXPECT_EQ(LineOf(lines, "über Stopp").colours, std::vector<Colour>{kBarRed});
        EXPECT_EQ(LineOf(lines, "bis Ziel").colours, std::vector<Colour>{kBarGreen});
    }
}

// Without any quote the price lookup gives 0, which must not count as a fall to the stop:
// no "*" and no distances.
TEST_F(DepotAnalysisTest, NoQuoteReachesNeitherStopNorTarget) {
    SetStop(b.doc, lot, 45.0);
    const std::vector<AnalysisLine> lines = Lines();
    EXPECT_EQ(LineOf(lines, "Bezeichnung").texts[0], "Alpha");
    EXPECT_EQ(LineOf(lines, "Stoppkurs").texts[0], "45,00");
    EXPECT_TRUE(LineOf(lines, "über Stopp").bars.at(0).empty());

    b.Quote(alpha, Day(1, 6, 2021), 44.0);  // now it did fall to the stop
    EXPECT_EQ(Cell("Bezeichnung"), "Alpha*");
}

// Two lots of Alpha (10 at 50 on 1.3., 10 at 70 on 1.4.2021) and one of Beta (5 at 20 on
// 1.2.2021); Alpha at 52, Beta at 36 on the end date.
TEST_F(DepotAnalysisTest, MergedAndSortedLikeTheHoldings) {
    const int32_t beta = b.Security("Beta");
    b.Buy(Day(1, 4, 2021), alpha, 10, 70.0);
    b.Buy(Day(1, 2, 2021), beta, 5, 20.0);
    Quotes(alpha, {{Day(2, 3, 2021), 40.0}, {Day(30, 6, 2021), 52.0}});
    b.Quote(beta, Day(30, 6, 2021), 36.0);

    struct Case {
        int merge, sortKey, descending;
        std::vector<std::string> names, dates, shares;
    };
    // Values: the Alpha lots 520 each, Beta 180, depot 1220: 42.62 %, 14.75 %; merged
    // Alpha 1040 / 1220 = 85.25 %.
    const Case cases[] = {
        // default: Kaufdatum ascending
        {0,
         -1,
         0,
         {"Beta", "Alpha", "Alpha"},
         {"01.02.2021", "01.03.2021", "01.04.2021"},
         {"14,8%", "42,6%", "42,6%"}},
        {0,
         0,
         1,
         {"Beta", "Alpha", "Alpha"},
         {"01.02.2021", "01.03.2021", "01.04.2021"},
         {"14,8%", "42,6%", "42,6%"}},
        {1, -1, 0, {"Beta", "Alpha"}, {"01.02.2021", "-"}, {"14,8%", "85,2%"}},
        {1, 0, 0, {"Alpha", "Beta"}, {"-", "01.02.2021"}, {"85,2%", "14,8%"}},
        // key 15 "Wert" descending
        {1, 15, 1, {"Alpha", "Beta"}, {"-", "01.02.2021"}, {"85,2%", "14,8%"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.merge * 100 + c.sortKey * 2 + c.descending);
        b.doc.options.analysis.mergePositions = c.merge;
        b.doc.options.analysis.sortKey = c.sortKey;
        b.doc.options.analysis.sortDescending = c.descending;
        const std::vector<AnalysisLine> lines = Lines();
        EXPECT_EQ(LineOf(lines, "Bezeichnung").texts, c.names);
        EXPECT_EQ(LineOf(lines, "Kaufdatum").texts, c.dates);
        EXPECT_EQ(LineOf(lines, "Depotanteil").texts, c.shares);
    }

    // Merged: 20 pieces, Kaufkurs (500 + 700) / 20 = 60, the walk from the first purchase
    // (1.3.) takes the quote of 40 on 2.3. although the second lot came later.
    b.doc.options.analysis.mergePositions = 1;
    b.doc.options.analysis.sortKey = 0;
    b.doc.options.analysis.sortDescending = 0;
    EXPECT_EQ(Cell("Stück"), "20");
    EXPECT_EQ(Cell("Kaufkurs"), "60,00");
    EXPECT_EQ(Cell("Tief ab 01.01.2021"), "40,00");
    EXPECT_EQ(Cell("akt. G/V"), "-165,00");  // 20 × 52 - (505 + 700)
}

// The analysis in Deutsche Mark (1 EUR = 1.95583 DM): amounts replayed in euros and
// converted at the end date.
TEST_F(DepotAnalysisTest, ValuesInTheAnalysisCurrency) {
    b.Quote(alpha, Day(30, 6, 2021), 52.0);
    b.doc.options.analysis.currencyId = 1;
    // 520 EUR = 1017.03 DM, 505 EUR = 987.69 DM: +29.34.
    EXPECT_EQ(Cell("akt. G/V"), "+29,34");
    const DepotAnalysisData data = ComputeDepotAnalysis(b.doc, start, end);
    EXPECT_EQ(data.currencySymbol, "DM");
    EXPECT_DOUBLE_EQ(data.depotValue, 1017.03);
}

TEST_F(DepotAnalysisTest, EmptyDepotHasNoPositionColumns) {
    const DepotAnalysisData data = ComputeDepotAnalysis(b.doc, start, Day(1, 2, 2021));
    EXPECT_TRUE(data.positions.empty());
    for (const AnalysisLine& line : DepotAnalysisLines(data, b.doc)) {
        EXPECT_TRUE(line.texts.empty()) << line.label;
        EXPECT_TRUE(line.bars.empty()) << line.label;
    }
}

// ---- Distribution ----

// Alpha (Aktie, Chemie, Deutschland, DAX): 10 + 5 pieces at 52 = 780; Beta (Aktie, no
// branch, USA, DAX): 5 at 36 = 180; Gamma (Fonds, Chemie, Deutschland, no index): 2 at 150 =
// 300. Total 1260.
class DepotDistributionTest : public ::testing::Test {
  protected:
    DepotDistributionTest() {
        const int32_t alpha = Make("Alpha", "Aktie", "Chemie", "Deutschland", "DAX");
        const int32_t beta = Make("Beta", "Aktie", "", "USA", "DAX");
        const int32_t gamma = Make("Gamma", "Fonds", "Chemie", "Deutschland", "");
        b.Buy(Day(1, 3, 2021), alpha, 10, 50.0);
        b.Buy(Day(1, 4, 2021), alpha, 5, 55.0);
        b.Buy(Day(1, 3, 2021), beta, 5, 30.0);
        b.Buy(Day(1, 3, 2021), gamma, 2, 140.0);
        b.Quote(alpha, Day(30, 6, 2021), 52.0);
        b.Quote(beta, Day(29, 6, 2021), 36.0);
        b.Quote(gamma, Day(30, 6, 2021), 150.0);
    }
    int32_t Make(const std::string& name, const std::string& type, const std::string& sector,
                 const std::string& country, const std::string& index) {
        const int32_t id = b.Security(name);
        CFL2Wertpapier* s = b.doc.FindSecurity(id);
        s->type = type;
        s->sector = sector;
        s->country = country;
        s->index = index;
        return id;
    }

    DocBuilder b;
    CQRNDatum date = Day(30, 6, 2021);
};

TEST_F(DepotDistributionTest, FiveSectionsWithValuesAndShares) {
    const DepotDistributionData data = ComputeDepotDistribution(b.doc, date);
    EXPECT_DOUBLE_EQ(data.total, 1260.0);
    EXPECT_EQ(data.currencySymbol, "EUR");
    ASSERT_EQ(data.sections.size(), 5u);
    struct Group {
        std::string name;
        double value;
        double share;
        std::vector<std::string> members;
    };
    struct Section {
        std::string title;
        std::vector<Group> groups;
    };
    // Shares at one decimal: 780 / 1260 = 61.90 %, 180 / 1260 = 14.29 %, 300 / 1260 =
    // 23.81 %, 960 / 1260 = 76.19 %, 1080 / 1260 = 85.71 %.
    const Section expected[] = {
        {"Wertpapier",
         {{"Alpha", 780, 61.9, {}}, {"Beta", 180, 14.3, {}}, {"Gamma", 300, 23.8, {}}}},
        {"Wertpapiertyp",
         {{"Aktie", 960, 76.2, {"Alpha", "Beta"}}, {"Fonds", 300, 23.8, {"Gamma"}}}},
        {"Branche", {{"Chemie", 1080, 85.7, {"Alpha", "Gamma"}}, {"(ohne)", 180, 14.3, {"Beta"}}}},
        {"Land", {{"Deutschland", 1080, 85.7, {"Alpha", "Gamma"}}, {"USA", 180, 14.3, {"Beta"}}}},
        {"Index/Marktsegment",
         {{"DAX", 960, 76.2, {"Alpha", "Beta"}}, {"(ohne)", 300, 23.8, {"Gamma"}}}},
    };
    for (size_t s = 0; s < 5; ++s) {
        const DistributionSection& section = data.sections[s];
        SCOPED_TRACE(expected[s].title);
        EXPECT_EQ(section.title, expected[s].title);
        EXPECT_EQ(section.listsMembers, s > 0);
        ASSERT_EQ(section.groups.size(), expected[s].groups.size());
        for (size_t g = 0; g < section.groups.size(); ++g) {
            const DistributionGroup& group = section.groups[g];
            const Group& e = expected[s].groups[g];
            SCOPED_TRACE(e.name);
            EXPECT_EQ(group.name, e.name);
            EXPECT_DOUBLE_EQ(group.value, e.value);
            ASSERT_TRUE(group.share.has_value());
            EXPECT_DOUBLE_EQ(*group.share, e.share);
            std::vector<std::string> members;
            for (const DistributionMember& m : group.members) members.push_back(m.name);
            EXPECT_EQ(members, e.members);
        }
    }
    EXPECT_EQ(DistributionColumnCount(data), 3);
}

TEST_F(DepotDistributionTest, RowsOfASectionWithMembers) {
    const DepotDistributionData data = ComputeDepotDistribution(b.doc, date);
    const std::vector<AnalysisLine> lines = DepotDistributionLines(data, b.doc.options);
    // The branch section: name row, value, bars, share, two member places, gap.
    size_t i = 0;
    while (i < lines.size() && lines[i].label != "Branche") ++i;
    ASSERT_LT(i + 8, lines.size());
    EXPECT_TRUE(lines[i].heading);
    EXPECT_EQ(lines[i].texts, (std::vector<std::string>{"Chemie", "(ohne)"}));
    EXPECT_EQ(lines[i + 1].label, "Wert (EUR)");
    EXPECT_EQ(lines[i + 1].texts, (std::vector<std::string>{"1.080,00", "180,00"}));
    const AnalysisLine& bars = lines[i + 2];
    ASSERT_EQ(bars.kind, AnalysisLineKind::Bars);
    ASSERT_EQ(bars.bars.size(), 2u);
    EXPECT_EQ(bars.bars[0], std::vector<double>{85.7});
    EXPECT_EQ(bars.bars[1], std::vector<double>{14.3});
    EXPECT_EQ(bars.colours.size(), 1u);
    EXPECT_EQ(lines[i + 3].label, "Anteil in %");
    EXPECT_EQ(lines[i + 3].texts, (std::vector<std::string>{"85,7", "14,3"}));
    EXPECT_EQ(lines[i + 4].label, "Wertpapier");
    EXPECT_EQ(lines[i + 4].texts, (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(lines[i + 5].label, "WKN");
    EXPECT_EQ(lines[i + 5].texts, (std::vector<std::string>{"WAlpha", "WBeta"}));
    EXPECT_EQ(lines[i + 6].texts, (std::vector<std::string>{"Gamma", ""}));
    EXPECT_EQ(lines[i + 7].texts, (std::vector<std::string>{"WGamma", ""}));
    EXPECT_EQ(lines[i + 8].kind, AnalysisLineKind::Gap);
    EXPECT_GT(lines[i + 8].gap, 0);

    // The section by security lists no members: name, value, bars, share, gap.
    EXPECT_EQ(lines[0].label, "Wertpapier");
    EXPECT_EQ(lines[4].kind, AnalysisLineKind::Gap);
}

TEST_F(DepotDistributionTest, EmptyDepotGivesNoGroups) {
    const DepotDistributionData data = ComputeDepotDistribution(b.doc, Day(1, 2, 2021));
    EXPECT_DOUBLE_EQ(data.total, 0.0);
    EXPECT_EQ(DistributionColumnCount(data), 0);
    ASSERT_EQ(data.sections.size(), 5u);
    for (const DistributionSection& section : data.sections) EXPECT_TRUE(section.groups.empty());
    for (const AnalysisLine& line : DepotDistributionLines(data, b.doc.options)) {
        EXPECT_TRUE(line.texts.empty()) << line.label;
        EXPECT_TRUE(line.bars.empty()) << line.label;
    }
}

// Held securities without any quote are worth 0: their groups exist, and with a depot value
// of 0 no share can be computed.
TEST_F(DepotDistributionTest, ZeroDepotValueHasNoShares) {
    for (CFL2Wertpapier& s : b.doc.securities) s.quotes.ClearQuotes();
    const DepotDistributionData data = ComputeDepotDistribution(b.doc, date);
    ASSERT_EQ(data.sections[0].groups.size(), 3u);
    for (const DistributionGroup& group : data.sections[0].groups) {
        EXPECT_DOUBLE_EQ(group.value, 0.0);
        EXPECT_FALSE(group.share.has_value());
    }
    const std::vector<AnalysisLine> lines = DepotDistributionLines(data, b.doc.options);
    EXPECT_EQ(lines[3].texts, (std::vector<std::string>{"-", "-", "-"}));
    EXPECT_TRUE(lines[2].bars[0].empty());
}

// ---- The builders on the analysis table ----

// The centre of the first drawn text `text`, or a failure.
Point CentreOf(const RecordingCanvas& canvas, const std::string& text) {
    for (const RecordingCanvas::Op& op : canvas.Ops())
        if (op.kind == RecordingCanvas::Op::Text && op.text == text)
            return {(op.rect.left + op.rect.right) / 2, (op.rect.top + op.rect.bottom) / 2};
    ADD_FAILURE() << "not drawn: " << text;
    return {};
}

TEST_F(DepotAnalysisTest, BuilderFillsTheAnalysisTable) {
    const int32_t beta = b.Security("Beta");
    b.Buy(Day(1, 2, 2021), beta, 5, 20.0);
    Quotes(alpha, {{Day(2, 3, 2021), 40.0}, {Day(1, 4, 2021), 64.0}, {Day(30, 6, 2021), 52.0}});
    b.Quote(beta, Day(30, 6, 2021), 36.0);
    AnalysisOptions& o = b.doc.options.analysis;
    o.columnWidth = 300;
    o.firstColumnWidth = 400;
    o.outerMargin = 30;
    b.doc.options.screenScaleFactor = 1.0;
    ViewState state;
    state.periodFrom = start;
    state.periodTo = end;
    state.reportDate = Day(1, 1, 2000);  // not the analysis's date
    const auto object = BuildDepotAnalysis(b.doc, state);
    auto* table = dynamic_cast<AnalysisTable*>(object.get());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->ColumnCount(), 3);  // labels, Beta (bought first), Alpha
    EXPECT_EQ(table->CellText(0, 0), "Bezeichnung");
    EXPECT_EQ(table->CellText(0, 1), "Beta");
    EXPECT_EQ(table->CellText(0, 2), "Alpha");
    EXPECT_EQ(table->CellText(8, 0), "Kurs am 30.06.2021");
    EXPECT_EQ(table->CellText(8, 2), "52,00");
    // Row 17 holds the gain bars: Alpha 400 - 505, 520 - 505, 640 - 505.
    EXPECT_EQ(table->CellBars(17, 2), (std::vector<double>{-105.0, 15.0, 135.0}));
    EXPECT_EQ(table->RowCount(), 25);

    // Width: 2 item columns × 300 + 400 for the labels + 2 × 30 margin.
    RecordingCanvas screen;
    const ReportSize size = table->Layout(screen);
    EXPECT_EQ(size.width, 2 * 300 + 400 + 2 * 30);
    table->DrawScreen(screen, {0, 0, size.width, -size.height});  // y grows upward
    const std::vector<std::string> texts = screen.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Alpha"), texts.end());
    // The open dip 64 -> 52: 1 - 52 / 64 = 18.75 %.
    EXPECT_NE(std::find(texts.begin(), texts.end(), "18,8%"), texts.end());

    // A click on a position's column gives its security.
    const HitResult hit = table->HitTest(CentreOf(screen, "Alpha"));
    EXPECT_EQ(hit.row, 0);
    EXPECT_EQ(hit.column, 2);
    EXPECT_EQ(hit.cellUser, alpha);
    EXPECT_EQ(table->HitTest(CentreOf(screen, "Beta")).cellUser, beta);
}

TEST_F(DepotDistributionTest, BuilderFillsTheAnalysisTable) {
    b.doc.options.screenScaleFactor = 1.0;
    ViewState state;
    state.reportDate = date;
    state.periodFrom = Day(1, 1, 2000);  // the distribution is at one date
    state.periodTo = Day(2, 1, 2000);
    const auto object = BuildDepotDistribution(b.doc, state);
    auto* table = dynamic_cast<AnalysisTable*>(object.get());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->ColumnCount(), 4);  // labels and the three securities
    EXPECT_EQ(table->CellText(0, 0), "Wertpapier");
    EXPECT_EQ(table->CellText(0, 3), "Gamma");
    EXPECT_EQ(table->CellText(1, 0), "Wert (EUR)");
    EXPECT_EQ(table->CellText(1, 1), "780,00");
    EXPECT_EQ(table->CellBars(2, 2), std::vector<double>{14.3});
    EXPECT_EQ(table->CellText(3, 3), "23,8");
    EXPECT_EQ(table->CellText(5, 0), "Wertpapiertyp");
    EXPECT_EQ(table->CellText(5, 3), "");  // two types only

    RecordingCanvas screen;
    const ReportSize size = table->Layout(screen);
    // 3 × 250 + 450 + 2 × 20 with the page's defaults.
    EXPECT_EQ(size.width, 3 * 250 + 450 + 2 * 20);
}

TEST_F(DepotDistributionTest, BuilderWithAnEmptyDepotHasOnlyTheLabelColumn) {
    ViewState state;
    state.reportDate = Day(1, 2, 2021);
    const auto object = BuildDepotDistribution(b.doc, state);
    auto* table = dynamic_cast<AnalysisTable*>(object.get());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->ColumnCount(), 1);
    EXPECT_EQ(table->CellText(0, 0), "Wertpapier");
    RecordingCanvas screen;
    EXPECT_EQ(table->Layout(screen).width, 450 + 2 * 20);
}

}  // namespace
}  // namespace pf::testing

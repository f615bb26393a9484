#include "reports/performance_report.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"
#include "reports/performance_measures.h"

namespace pf {
namespace {

using testing::Day;

// Series with the account at 0, so that the assets A are the depot values given.
PerformanceSeries Series(CQRNDatum from, std::vector<Amount> assets, std::vector<Amount> paidIn,
                         std::vector<Amount> invested = {}) {
    PerformanceSeries s;
    s.from = from;
    s.value = assets;
    s.balance.assign(assets.size(), 0.0);
    s.paidIn = paidIn;
    s.invested = invested.empty() ? std::vector<Amount>(assets.size(), 80.0) : invested;
    return s;
}

TEST(PerformanceMeasures, MoneyAndTimeWeightedReturnsWorkedByHand) {
    struct Period {
        double start, end;
        std::optional<double> percent;
    };
    struct Case {
        const char* name;
        PerformanceSeries series;
        bool monthEnd;
        double gain;
        std::optional<double> mwrPaidIn;
        std::vector<Period> periods;
        double twr;
    };
    const CQRNDatum jan1 = Day(1, 1, 2021);
    const Case cases[] = {
        // No flows: one period, TWR = A(n) / A(0) - 1 = 110 / 100 - 1 = 10 %;
        // G = 50 + (110 - 100 - 50) = 10, on an average paid-in capital of 50: 20 %.
        {"no flows",
         Series(jan1, {100, 102, 101, 105, 110}, {50, 50, 50, 50, 50}),
         false,
         10.0,
         20.0,
         {{100, 110, 10.0}},
         10.0},
        // 50 paid in on day 2 closes the first period there: 100 -> 154 - 50 = 104 (4 %);
        // the second starts with the deposit: 154 -> 165 (165 / 154 - 1 = 7,142857 %).
        // TWR = 1,04 × 165 / 154 - 1 = 11,428571 %; G = 100 + (165 - 100 - 150) = 15 on an
        // average of (100 + 100 + 150 + 150 + 150) / 5 = 130: 11,538462 %.
        {"deposit mid-period",
         Series(jan1, {100, 104, 154, 162, 165}, {100, 100, 150, 150, 150}),
         false,
         15.0,
         15.0 / 130.0 * 100,
         {{100, 104, 4.0}, {154, 165, 100.0 * 11 / 154}},
         (1.04 * 165.0 / 154.0 - 1) * 100},
        // 30.1. to 2.2.: the month end closes a period on 31.1.: 100 -> 110 and 110 -> 121.
        {"month end",
         Series(Day(30, 1, 2021), {100, 110, 121, 121}, {0, 0, 0, 0}),
         true,
         21.0,
         std::nullopt,
         {{100, 110, 10.0}, {110, 121, 10.0}},
         21.0},
        {"month end off",
         Series(Day(30, 1, 2021), {100, 110, 121, 121}, {0, 0, 0, 0}),
         false,
         21.0,
         std::nullopt,
         {{100, 121, 21.0}},
         21.0},
        // Empty at the start: the first period has no base and stays out of the product.
        {"empty start",
         Series(jan1, {0, 0, 100, 110}, {0, 0, 100, 100}),
         false,
         10.0,
         10.0 / 50.0 * 100,
         {{0, 0, std::nullopt}, {100, 110, 10.0}},
         10.0},
        // 29.1. to 3.2.2021, 50 paid in on 2.2. (assets 100 -> 150, so 100 before the flow).
        // Without the month end: 29.1.-2.2. 100 -> 150 - 50 = 100 (0 %), 2.2.-3.2.
        // 150 -> 156 (4 %); TWR = 1 × 1,04 - 1 = 4 %, not the 6 % of (156 - 100 - 50) / 100.
        // G = 100 + (156 - 100 - 150) = 6 on an average of (4 × 100 + 2 × 150) / 6 = 700 / 6:
        // 6 × 6 / 700 × 100 = 5,142857 %.
        {"deposit, month end off",
         Series(Day(29, 1, 2021), {100, 104, 110, 99, 150, 156}, {100, 100, 100, 100, 150, 150}),
         false,
         6.0,
         36.0 / 700.0 * 100,
         {{100, 100, 0.0}, {150, 156, 4.0}},
         4.0},
        // The same with the month end: 29.1.-31.1. 100 -> 110 (10 %), 31.1.-2.2.
        // 110 -> 150 - 50 = 100 (100 / 110 - 1 = -9,090909 %), 2.2.-3.2. 150 -> 156 (4 %);
        // TWR = 1,1 × 100 / 110 × 1,04 - 1 = 4 % as before.
        {"deposit, month end on",
         Series(Day(29, 1, 2021), {100, 104, 110, 99, 150, 156}, {100, 100, 100, 100, 150, 150}),
         true,
         6.0,
         36.0 / 700.0 * 100,
         {{100, 110, 10.0}, {110, 100, -100.0 / 11}, {150, 156, 4.0}},
         4.0},
        // A withdrawal of 30 on the last day: 200 -> 190 + 30 = 220 (10 %), G = 200 + (190 -
        // 200 - 170) = 20 on an average of (200 + 200 + 170) / 3 = 190.
        {"withdrawal on the end date",
         Series(jan1, {200, 205, 190}, {200, 200, 170}),
         false,
         20.0,
         20.0 / 190.0 * 100,
         {{200, 220, 10.0}},
         10.0},
        // Capital paid in and taken out by turns, P = -50, 50, -50, 50: an average of exactly
        // 0 gives "-" although no day has 0. Periods end on every day: 100 -> 210 - 100 = 110
        // (10 %), 210 -> 110 + 100 = 210 (0 %), 110 -> 220 - 100 = 120 (9,090909 %);
        // TWR = 1,1 × 1 × 120 / 110 - 1 = 20 %; G = -50 + (220 - 100 - 50) = 20.
        {"average paid-in capital 0",
         Series(jan1, {100, 210, 110, 220}, {-50, 50, -50, 50}),
         false,
         20.0,
         std::nullopt,
         {{100, 110, 10.0}, {210, 210, 0.0}, {110, 120, 100.0 / 11}},
         20.0},
        // One day: no period, TWR 0.
        {"one day", Series(jan1, {100}, {100}), false, 0.0, 0.0, {}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PerformanceMeasures m = MeasurePerformance(c.series, c.monthEnd);
        EXPECT_NEAR(m.gain, c.gain, 1e-9);
        ASSERT_EQ(m.mwrPaidIn.has_value(), c.mwrPaidIn.has_value());
        if (c.mwrPaidIn) {
            EXPECT_NEAR(*m.mwrPaidIn, *c.mwrPaidIn, 1e-9);
        }
        ASSERT_EQ(m.periods.size(), c.periods.size());
        for (size_t i = 0; i < c.periods.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(m.periods[i].startAssets, c.periods[i].start, 1e-9);
            EXPECT_NEAR(m.periods[i].endAssets, c.periods[i].end, 1e-9);
            ASSERT_EQ(m.periods[i].percent.has_value(), c.periods[i].percent.has_value());
            if (c.periods[i].percent) {
                EXPECT_NEAR(*m.periods[i].percent, *c.periods[i].percent, 1e-9);
            }
        }
        EXPECT_NEAR(m.twr, c.twr, 1e-9);
    }
    // The periods' dates: 30.1.-31.1. and 31.1.-2.2.
    const PerformanceMeasures m = MeasurePerformance(cases[2].series, true);
    EXPECT_EQ(m.periods[0].from, Day(30, 1, 2021));
    EXPECT_EQ(m.periods[0].to, Day(31, 1, 2021));
    EXPECT_EQ(m.periods[1].from, Day(31, 1, 2021));
    EXPECT_EQ(m.periods[1].to, Day(2, 2, 2021));
    // With the deposit of 2.2.: 29.1.-31.1., 31.1.-2.2. and 2.2.-3.2.
    const PerformanceMeasures d = MeasurePerformance(cases[6].series, true);
    ASSERT_EQ(d.periods.size(), 3u);
    EXPECT_EQ(d.periods[0].from, Day(29, 1, 2021));
    EXPECT_EQ(d.periods[0].to, Day(31, 1, 2021));
    EXPECT_EQ(d.periods[1].to, Day(2, 2, 2021));
    EXPECT_EQ(d.periods[2].from, Day(2, 2, 2021));
    EXPECT_EQ(d.periods[2].to, Day(3, 2, 2021));
}

TEST(PerformanceMeasures, AssetsAreDepotPlusAccountAndInvestedCapitalHasItsOwnAverage) {
    // A = V + K = 100, 105, 108; P = 100 throughout; I = 0, 50, 70.
    // G = 100 + (108 - 100 - 100) = 8; MWR on paid-in capital 8 / 100 = 8 %, on invested
    // capital 8 / ((0 + 50 + 70) / 3 = 40) = 20 %; TWR 108 / 100 - 1 = 8 %.
    PerformanceSeries s;
    s.from = Day(1, 3, 2022);
    s.value = {0, 50, 70};
    s.balance = {100, 55, 38};
    s.paidIn = {100, 100, 100};
    s.invested = {0, 50, 70};
    const PerformanceMeasures m = MeasurePerformance(s, false);
    EXPECT_NEAR(m.startAssets, 100.0, 1e-9);
    EXPECT_NEAR(m.endAssets, 108.0, 1e-9);
    EXPECT_NEAR(m.flows, 0.0, 1e-9);
    EXPECT_NEAR(m.gain, 8.0, 1e-9);
    EXPECT_NEAR(m.averagePaidIn, 100.0, 1e-9);
    EXPECT_NEAR(m.averageInvested, 40.0, 1e-9);
    ASSERT_TRUE(m.mwrPaidIn.has_value());
    ASSERT_TRUE(m.mwrInvested.has_value());
    EXPECT_NEAR(*m.mwrPaidIn, 8.0, 1e-9);
    EXPECT_NEAR(*m.mwrInvested, 20.0, 1e-9);
    EXPECT_NEAR(m.twr, 8.0, 1e-9);
}

TEST(PerformanceMeasures, MissingOrUnevenSeriesGiveNothing) {
    PerformanceSeries empty;
    empty.from = Day(1, 1, 2021);
    PerformanceSeries uneven = Series(Day(1, 1, 2021), {100, 110}, {100, 100});
    uneven.balance.pop_back();
    for (const PerformanceSeries* s : {&empty, &uneven}) {
        const PerformanceMeasures m = MeasurePerformance(*s, true);
        EXPECT_EQ(m.gain, 0.0);
        EXPECT_FALSE(m.mwrPaidIn.has_value());
        EXPECT_FALSE(m.mwrInvested.has_value());
        EXPECT_TRUE(m.periods.empty());
        EXPECT_EQ(m.twr, 0.0);
    }
}

// The text of the value cell of the row whose label is `label`, or "?" without such a row.
std::string ValueOf(const ReportTable& table, const std::string& label, int column) {
    for (size_t r = 0; r < table.Rows().size(); ++r)
        if (table.CellText(static_cast<int>(r), 0) == label)
            return table.CellText(static_cast<int>(r), column);
    return "?";
}

TEST(PerformanceReport, RowsOfADepositIntoAnEmptyAccount) {
    // 1000 paid in on 2.1.2020 and nothing bought: A = 0, 1000, 1000; P likewise. G = 0 on an
    // average paid-in capital of 2000 / 3 = 666,67; nothing invested: "-".
    testing::DocBuilder b;
    b.Movement(Day(2, 1, 2020), "Kapitaleinlage", 1000.0);
    b.doc.depot.holderName = "Erika";
    const auto table = BuildPerformanceReport(b.doc, Day(1, 1, 2020), Day(3, 1, 2020));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->CellText(0, 0), "Performanceanalyse für Erika");
    EXPECT_EQ(table->CellText(1, 0), "Zeitraum: 01.01.2020-03.01.2020");
    EXPECT_EQ(ValueOf(*table, "Vermögen am 01.01.2020:", 3), "0,00 Euro");
    EXPECT_EQ(ValueOf(*table, "Vermögen am 03.01.2020:", 3), "1.000,00 Euro");
    EXPECT_EQ(ValueOf(*table, "Kapitaleinlagen/-entnahmen:", 3), "1.000,00 Euro");
    EXPECT_EQ(ValueOf(*table, "Gewinn/Verlust:", 3), "0,00 Euro");
    EXPECT_EQ(ValueOf(*table, "Durchschnittl. eingezahltes Kapital:", 3), "666,67 Euro");
    EXPECT_EQ(ValueOf(*table, "MWR bezogen auf eingezahltes Kapital:", 3), "0,00 %");
    EXPECT_EQ(ValueOf(*table, "MWR bezogen auf investiertes Kapital:", 3), "-");
    EXPECT_EQ(ValueOf(*table, "TWR:", 3), "0,00 %");
    EXPECT_EQ(ValueOf(*table, "Zeitraum", 3), "Performance");
    EXPECT_EQ(ValueOf(*table, "01.01.2020-02.01.2020", 3), "-");
    EXPECT_EQ(ValueOf(*table, "02.01.2020-03.01.2020", 1), "1.000,00 Euro");

    // Without single periods the values move to the second column and the list goes.
    b.doc.options.performance.showPeriods = 0;
    const auto plain = BuildPerformanceReport(b.doc, Day(1, 1, 2020), Day(3, 1, 2020));
    EXPECT_EQ(ValueOf(*plain, "TWR:", 1), "0,00 %");
    EXPECT_EQ(ValueOf(*plain, "Einzelperioden:", 0), "?");
}

TEST(PerformanceReport, RowOrderFontsSpacingAndSpans) {
    // The fonts are added after the row font in the order title, subtitle, small text.
    constexpr int kRow = 0, kTitle = 1, kSubtitle = 2, kSmall = 3;
    testing::DocBuilder b;
    b.Movement(Day(2, 1, 2020), "Kapitaleinlage", 1000.0);
    b.doc.options.reports.outerMargin = 25;
    const int gap = 25;
    struct Row {
        const char* label;
        int font;
        int spacing;
        int span;
    };
    const Row expected[] = {
        {"Performanceanalyse für ", kTitle, 0, 4},
        {"Zeitraum: 01.01.2020-03.01.2020", kSubtitle, 0, 4},
        {"Money-Weighted Rate of Return (MWR):", kSubtitle, gap, 5},
        {"Vermögen am 01.01.2020:", kRow, gap, 1},
        {"Vermögen am 03.01.2020:", kRow, 0, 1},
        {"Kapitaleinlagen/-entnahmen:", kRow, 0, 1},
        {"Gewinn/Verlust:", kRow, gap, 1},
        {"Durchschnittl. eingezahltes Kapital:", kRow, gap, 1},
        {"MWR bezogen auf eingezahltes Kapital:", kRow, 0, 1},
        {"Durchschnittl. investiertes Kapital:", kRow, gap, 1},
        {"MWR bezogen auf investiertes Kapital:", kRow, 0, 1},
        {"Time-Weighted Rate of Return (TWR):", kSubtitle, gap, 5},
        {"TWR:", kRow, gap, 1},
        {"Einzelperioden:", kRow, gap, 1},
        {"Zeitraum", kSmall, 0, 1},
        {"01.01.2020-02.01.2020", kSmall, 0, 1},
        {"02.01.2020-03.01.2020", kSmall, 0, 1},
    };
    const auto table = BuildPerformanceReport(b.doc, Day(1, 1, 2020), Day(3, 1, 2020));
    ASSERT_EQ(table->Rows().size(), std::size(expected));
    EXPECT_EQ(table->ColumnCount(), 5);
    EXPECT_EQ(table->Appearance().screenStyle, kStyleTextOnly);
    EXPECT_EQ(table->Appearance().printStyle, kStyleTextOnly);
    for (size_t r = 0; r < std::size(expected); ++r) {
        SCOPED_TRACE(expected[r].label);
        const ReportRow& row = table->Rows()[r];
        EXPECT_EQ(table->CellText(static_cast<int>(r), 0), expected[r].label);
        EXPECT_EQ(row.font, expected[r].font);
        EXPECT_EQ(row.spacingBefore, expected[r].spacing);
        EXPECT_EQ(row.cells[0].span, expected[r].span);
        EXPECT_EQ(table->ColourA(row), kWhite);
        EXPECT_EQ(table->ColourB(row), kWhite);
    }

    // Without titles the first heading follows no title and gets no spacing; without single
    // periods nothing follows the TWR.
    b.doc.options.performance.title1.clear();
    b.doc.options.performance.title2.clear();
    b.doc.options.performance.showPeriods = 0;
    const auto bare = BuildPerformanceReport(b.doc, Day(1, 1, 2020), Day(3, 1, 2020));
    ASSERT_EQ(bare->Rows().size(), 11u);
    EXPECT_EQ(bare->CellText(0, 0), "Money-Weighted Rate of Return (MWR):");
    EXPECT_EQ(bare->Rows()[0].spacingBefore, 0);
    EXPECT_EQ(bare->CellText(10, 0), "TWR:");
}

TEST(PerformanceReport, PurchaseWithCostsFromTheEngineSeries) {
    // 2.1.2020: 1000 paid in, 10 pieces bought at 50 with 5 costs (505 from the account);
    // quote 55 on 3.1. Day by day (1.1., 2.1., 3.1.): V = 0, 500, 550; K = 0, 495, 495;
    // A = 0, 995, 1045; P = 0, 1000, 1000; I = 0, 505, 505 with costs, 0, 500, 500 without.
    // G = 0 + (1045 - 0 - 1000) = 45; average P = 2000 / 3: 45 × 3 / 2000 = 6,75 %;
    // average I = 1010 / 3: 45 × 3 / 1010 = 13,366 %, without costs 45 × 3 / 1000 = 13,50 %.
    // TWR: 1.1.-2.1. starts at 0 ("-"), 2.1.-3.1. 995 -> 1045: 50 / 995 = 5,025 %.
    testing::DocBuilder b;
    const int32_t w = b.Security("Aktie");
    b.Movement(Day(2, 1, 2020), "Kapitaleinlage", 1000.0);
    b.Buy(Day(2, 1, 2020), w, 10, 50.0, 5.0);
    b.Quote(w, Day(2, 1, 2020), 50.0);
    b.Quote(w, Day(3, 1, 2020), 55.0);
    const CQRNDatum from = Day(1, 1, 2020);
    const CQRNDatum to = Day(3, 1, 2020);

    const auto table = BuildPerformanceReport(b.doc, from, to);
    EXPECT_EQ(ValueOf(*table, "Vermögen am 01.01.2020:", 3), "0,00 Euro");
    EXPECT_EQ(ValueOf(*table, "Vermögen am 03.01.2020:", 3), "1.045,00 Euro");
    EXPECT_EQ(ValueOf(*table, "Kapitaleinlagen/-entnahmen:", 3), "1.000,00 Euro");
    EXPECT_EQ(ValueOf(*table, "Gewinn/Verlust:", 3), "45,00 Euro");
    EXPECT_EQ(ValueOf(*table, "Durchschnittl. eingezahltes Kapital:", 3), "666,67 Euro");
    EXPECT_EQ(ValueOf(*table, "MWR bezogen auf eingezahltes Kapital:", 3), "6,75 %");
    EXPECT_EQ(ValueOf(*table, "Durchschnittl. investiertes Kapital:", 3), "336,67 Euro");
    EXPECT_EQ(ValueOf(*table, "MWR bezogen auf investiertes Kapital:", 3), "13,37 %");
    EXPECT_EQ(ValueOf(*table, "TWR:", 3), "5,03 %");
    EXPECT_EQ(ValueOf(*table, "01.01.2020-02.01.2020", 3), "-");
    EXPECT_EQ(ValueOf(*table, "02.01.2020-03.01.2020", 1), "995,00 Euro");
    EXPECT_EQ(ValueOf(*table, "02.01.2020-03.01.2020", 2), "1.045,00 Euro");
    EXPECT_EQ(ValueOf(*table, "02.01.2020-03.01.2020", 3), "5,03 %");

    b.doc.options.performance.purchaseCostsInCapital = 0;
    const auto withoutCosts = BuildPerformanceReport(b.doc, from, to);
    EXPECT_EQ(ValueOf(*withoutCosts, "Durchschnittl. investiertes Kapital:", 3), "333,33 Euro");
    EXPECT_EQ(ValueOf(*withoutCosts, "MWR bezogen auf investiertes Kapital:", 3), "13,50 %");
}

TEST(PerformanceReport, OneDayAndAStartAfterTheEnd) {
    testing::DocBuilder b;
    b.Movement(Day(2, 1, 2020), "Kapitaleinlage", 1000.0);
    struct Case {
        const char* name;
        CQRNDatum from, to;
        const char* mwrPaidIn;
    };
    const Case cases[] = {
        // One day after the deposit: G = 0 on an average of 1000.
        {"one day", Day(5, 1, 2020), Day(5, 1, 2020), "0,00 %"},
        // Nothing to measure: no crash, no rate.
        {"start after end", Day(5, 1, 2020), Day(4, 1, 2020), "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto table = BuildPerformanceReport(b.doc, c.from, c.to);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(ValueOf(*table, "MWR bezogen auf eingezahltes Kapital:", 3), c.mwrPaidIn);
        EXPECT_EQ(ValueOf(*table, "TWR:", 3), "0,00 %");
        // The header of the single periods and no period below it.
        EXPECT_EQ(table->CellText(static_cast<int>(table->Rows().size()) - 1, 0), "Zeitraum");
    }
}

}  // namespace
}  // namespace pf

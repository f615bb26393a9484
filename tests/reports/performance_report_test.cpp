#include "reports/performance_report.h"

#include <gtest/gtest.h>

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
        // One day: no period, TWR 0.
        {"one day", Series(jan1, {100}, {100}), false, 0.0, 0.0, {}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PerformanceMeasures m = MeasurePerformance(c.series, c.monthEnd);
        EXPECT_NEAR(m.gain, c.gain, 1e-9);
        ASSERT_EQ(m.mwrPaidIn.has_value(), c.mwrPaidIn.has_value());
        if (c.mwrPaidIn) EXPECT_NEAR(*m.mwrPaidIn, *c.mwrPaidIn, 1e-9);
        ASSERT_EQ(m.periods.size(), c.periods.size());
        for (size_t i = 0; i < c.periods.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(m.periods[i].startAssets, c.periods[i].start, 1e-9);
            EXPECT_NEAR(m.periods[i].endAssets, c.periods[i].end, 1e-9);
            ASSERT_EQ(m.periods[i].percent.has_value(), c.periods[i].percent.has_value());
            if (c.periods[i].percent)
                EXPECT_NEAR(*m.periods[i].percent, *c.periods[i].percent, 1e-9);
        }
        EXPECT_NEAR(m.twr, c.twr, 1e-9);
    }
    // The periods' dates: 30.1.-31.1. and 31.1.-2.2.
    const PerformanceMeasures m = MeasurePerformance(cases[2].series, true);
    EXPECT_EQ(m.periods[0].from, Day(30, 1, 2021));
    EXPECT_EQ(m.periods[0].to, Day(31, 1, 2021));
    EXPECT_EQ(m.periods[1].from, Day(31, 1, 2021));
    EXPECT_EQ(m.periods[1].to, Day(2, 2, 2021));
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

}  // namespace
}  // namespace pf

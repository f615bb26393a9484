#include "reports/holdings_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/stop_target.h"
#include "position_report_test_util.h"
#include "reports/report_format.h"
#include "samples/demo_portfolios.h"

namespace pf::testing {
namespace {

std::string Num(double x, int decimals, bool plus = false) {
    return FormatNumber(x, decimals, decimals, plus, ",", ".");
}

class HoldingsReportTest : public ::testing::Test {
  protected:
    int Col(int bit) const { return ColumnOf(b.doc.options.holdings.columnMask, bit); }
    std::unique_ptr<ReportTable> Build() const { return BuildHoldingsReport(b.doc, date); }

    DocBuilder b;
    CQRNDatum date = Day(30, 6, 2021);
};

TEST_F(HoldingsReportTest, EmptyPortfolioShowsTitleColumnTitlesAndTotal) {
    b.doc.depot.depotNumber = "D-17";
    b.doc.depot.holderName = "Erika Muster";
    const auto table = Build();
    ASSERT_TRUE(table->IsInitialised());
    EXPECT_EQ(table->ColumnCount(), 21);  // the default columns
    ASSERT_EQ(table->Rows().size(), 4u);
    EXPECT_EQ(table->CellText(0, 0), "Depotbestand am 30.06.2021 - D-17 - Erika Muster");
    EXPECT_EQ(table->Rows()[0].cells[0].span, 21);
    EXPECT_EQ(table->CellText(1, Col(7)), "Tage im");
    EXPECT_EQ(table->CellText(2, Col(7)), "Depot");
    EXPECT_EQ(table->CellText(1, Col(14)), "Kaufwert");
    EXPECT_EQ(table->CellText(2, Col(14)), "in Euro");
    EXPECT_EQ(table->Rows()[1].frameDown, 1);
    EXPECT_EQ(table->Rows()[2].frameUp, 1);
    EXPECT_TRUE(table->Rows()[1].repeat);  // "Spaltentitel auf jeder Seite" is on by default
    EXPECT_FALSE(table->Rows()[0].repeat);

    const ReportRow& total = table->Rows()[3];
    EXPECT_EQ(table->CellText(3, 0), "Summe");
    EXPECT_EQ(table->CellText(3, Col(5)), "0");
    EXPECT_EQ(table->CellText(3, Col(22)), "0,00");
    EXPECT_EQ(table->CellText(3, Col(23)), "0,00");
    EXPECT_EQ(table->CellText(3, Col(25)), "-");
    EXPECT_EQ(table->CellText(3, Col(31)), "-");
    EXPECT_EQ(table->CellText(3, Col(6)), "");  // no dates or prices on the total
    EXPECT_EQ(table->CellText(3, Col(18)), "");
    EXPECT_EQ(total.user[0], -1);
    EXPECT_EQ(total.user[1], 255);
    EXPECT_EQ(table->ColourB(total), kTotalRowGain);
    EXPECT_EQ(total.spacingBefore, b.doc.options.tables.outerMargin);
}

// 10 pieces at 50.00 with 5.00 commission on 1.3.2021, a dividend of 15.00 on 1.5.2021,
// valued at 60.00 on 30.6.2021 (121 days).
TEST_F(HoldingsReportTest, PositionRowShowsEveryDefaultColumn) {
    const int32_t s = b.Security("Alpha");
    const CFL2Transaktion& buy = b.Buy(Day(1, 3, 2021), s, 10, 50.0, 5.0);
    const int32_t buyId = buy.id;
    const int32_t lot = buy.positionNo;
    b.Movement(Day(1, 5, 2021), "Dividenden-Gutschrift", 15.0, s, kIncome, {{lot, 10}});
    SetQuote(b.doc, s, Day(30, 6, 2021), 60.0);

    struct Case {
        bool includeCommissions;
        std::string gainLoss, percent, annual, withDiv, withDivPercent, withDivAnnual,
            dividendPercent;
    };
    // p.a. = (value / cost)^(365 / 121) - 1: (600 / 505) -> 68.2 %, (615 / 505) -> 81.2 %,
    // (600 / 500) -> 73.3 %, (615 / 500) -> 86.7 %.
    const Case cases[] = {
        {true, "+95,00", "+18,8%", "+68,2%", "+110,00", "+21,8%", "+81,2%", "3,0%"},
        {false, "+100,00", "+20,0%", "+73,3%", "+115,00", "+23,0%", "+86,7%", "3,0%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.includeCommissions);
        b.doc.options.holdings.includeCommissions = c.includeCommissions ? 1 : 0;
        const auto table = Build();
        ASSERT_EQ(table->Rows().size(), 5u);
        const int r = kFirstDataRow;
        const std::vector<std::pair<int, std::string>> expected = {
            {0, "Alpha"},
            {1, "WAlpha"},
            {5, "10"},
            {6, "01.03.2021"},
            {7, "121"},
            {8, "Stpfl. (A)"},
            {10, "50,00"},
            {11, "Euro"},
            {14, "500,00"},
            {15, "5,00"},
            {16, "505,00"},
            {18, "60,00"},
            {19, "Euro"},
            {22, "600,00"},
            {23, c.gainLoss},
            {25, c.percent},
            {27, "15,00"},
            {28, c.dividendPercent},
            {29, c.withDiv},
            {30, c.withDivPercent},
            {31, c.withDivAnnual},
        };
        for (const auto& [bit, text] : expected)
            EXPECT_EQ(table->CellText(r, Col(bit)), text) << bit;

        const ReportRow& row = table->Rows()[r];
        EXPECT_EQ(row.user[kUserTransaction], buyId);
        EXPECT_EQ(row.user[kUserRowKind], 0);
        EXPECT_EQ(row.user[kUserPosition], lot);
        EXPECT_EQ(row.spacingBefore, b.doc.options.tables.outerMargin);
        EXPECT_EQ(table->ColourA(row), kOddRowGrey);
        EXPECT_EQ(table->ColourB(row), kOddRowGain);

        const HoldingsReportData data = ComputeHoldingsReport(b.doc, date);
        ASSERT_EQ(data.positions.size(), 1u);
        EXPECT_EQ(AnnualisedText(data.positions[0].annualisedPercent, 1, ",", "."), c.annual);
        ASSERT_EQ(data.positions[0].cashFlows.size(), 1u);
        EXPECT_EQ(data.positions[0].cashFlows[0].days, 121);
    }
}

TEST_F(HoldingsReportTest, PurchasePriceZeroShowsDashesAndGainColour) {
    const int32_t gift = b.Security("Gratisaktie");
    b.Buy(Day(1, 3, 2021), gift, 10, 0.0);
    const int32_t none = b.Security("Ohne Kurs");
    b.Buy(Day(2, 3, 2021), none, 5, 0.0);
    SetQuote(b.doc, gift, Day(30, 6, 2021), 5.0);

    const auto table = Build();
    for (int r : {kFirstDataRow, kFirstDataRow + 1}) {
        SCOPED_TRACE(r);
        for (int bit : {25, 28, 30, 31}) EXPECT_EQ(table->CellText(r, Col(bit)), "-") << bit;
        EXPECT_NE(table->ColourB(table->Rows()[r]), kOddRowLoss);
        EXPECT_NE(table->ColourB(table->Rows()[r]), kEvenRowLoss);
    }
    EXPECT_EQ(table->CellText(kFirstDataRow, Col(23)), "+50,00");
    EXPECT_EQ(table->CellText(kFirstDataRow + 1, Col(23)), "0,00");
    EXPECT_EQ(table->CellText(kFirstDataRow + 2, Col(25)), "-");  // the total
}

TEST_F(HoldingsReportTest, AnnualisedRatesAndTheirCaps) {
    struct Case {
        CQRNDatum bought;
        double quote;
        int method;
        std::string expected;
    };
    // A lot bought on the report date is held for one day.
    const Case cases[] = {
        {Day(30, 6, 2021), 101.0, kLinear, "+365,0%"},         // 1 % in one day
        {Day(29, 6, 2021), 200.0, kExponential, ">9.999,0%"},  // doubled in a day
        {Day(30, 6, 2021), 50.0, kLinear, "<-9.999,0%"},       // halved in a day
        {Day(30, 6, 2021), 0.01, kExponential, "-100,0%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        DocBuilder fresh;
        const int32_t s = fresh.Security("Sprung");
        fresh.Buy(c.bought, s, 10, 100.0);
        SetQuote(fresh.doc, s, Day(30, 6, 2021), c.quote);
        fresh.doc.options.holdings.annualisation = c.method;
        const int32_t mask = fresh.doc.options.holdings.columnMask | (1 << 26);
        fresh.doc.options.holdings.columnMask = mask;
        const auto table = BuildHoldingsReport(fresh.doc, date);
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 26)), c.expected);
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 31)), c.expected);  // no dividends
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 7)), c.bought == date ? "0" : "1");
    }
}

TEST_F(HoldingsReportTest, MergedPositionsShowDashesAndAverageBuyPrice) {
    const int32_t a = b.Security("Alpha");
    const int32_t beta = b.Security("Beta");
    const CFL2Transaktion& first = b.Buy(Day(1, 2, 2021), a, 10, 100.0, 1.0);
    const int32_t firstId = first.id;
    const int32_t firstLot = first.positionNo;
    b.Buy(Day(5, 2, 2021), beta, 5, 10.0);
    const int32_t secondLot = b.Buy(Day(1, 3, 2021), a, 30, 120.0, 2.0).positionNo;
    SetStop(b.doc, firstLot, 90.0);
    SetTarget(b.doc, firstLot, 150.0);
    SetStop(b.doc, secondLot, 95.0);
    SetQuote(b.doc, a, Day(30, 6, 2021), 130.0);
    SetQuote(b.doc, beta, Day(30, 6, 2021), 10.0);
    b.doc.options.holdings.mergePositions = 1;
    const int32_t mask = b.doc.options.holdings.columnMask | (1 << 13);
    b.doc.options.holdings.columnMask = mask;

    const auto table = Build();
    ASSERT_EQ(table->Rows().size(), 6u);  // two data rows
    const int r = kFirstDataRow;
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "Alpha"},     {5, "40"},      {6, "-"},         {7, "-"},         {8, "-"},
        {10, "-"},        {11, "-"},      {13, "115,00"},   {14, "4.600,00"}, {15, "3,00"},
        {16, "4.603,00"}, {18, "130,00"}, {22, "5.200,00"}, {23, "+597,00"},
    };
    for (const auto& [bit, text] : expected) EXPECT_EQ(table->CellText(r, Col(bit)), text) << bit;
    EXPECT_EQ(table->Rows()[r].user[kUserTransaction], firstId);
    EXPECT_EQ(table->Rows()[r].user[kUserRowKind], 1);
    EXPECT_EQ(table->CellText(r + 1, 0), "Beta");
    EXPECT_EQ(table->Rows()[r + 1].user[kUserRowKind], 0);
    // Each row names its security, which a double click opens.
    EXPECT_EQ(table->Rows()[r].user[kUserSecurity], a);
    EXPECT_EQ(table->Rows()[r + 1].user[kUserSecurity], beta);
    EXPECT_EQ(table->Rows()[r + 2].user[kUserSecurity], -1) << "the sum row";
    EXPECT_EQ(table->Rows()[r].user[kUserPosition], -1) << "a merged row is no one lot";
    EXPECT_EQ(table->CellText(r + 1, Col(6)), "05.02.2021");

    const HoldingsReportData data = ComputeHoldingsReport(b.doc, date);
    const PositionRecord& merged = data.positions[0];
    EXPECT_TRUE(merged.merged);
    EXPECT_EQ(merged.stopPrice, 95.0);
    EXPECT_EQ(merged.targetPrice, 150.0);
    ASSERT_EQ(merged.cashFlows.size(), 2u);  // each lot keeps its own days and amount
    EXPECT_EQ(merged.cashFlows[0].days, 149);
    EXPECT_EQ(merged.cashFlows[0].amount, 1001.0);
    EXPECT_EQ(merged.cashFlows[1].days, 121);
    EXPECT_EQ(merged.cashFlows[1].amount, 3602.0);
}

// A loss of 50.00 turned into a gain by 80.00 of dividends, and a plain gain below it.
TEST_F(HoldingsReportTest, ColoursFollowGainOrLossWithOrWithoutDividends) {
    const int32_t x = b.Security("X");
    const int32_t lot = b.Buy(Day(1, 2, 2021), x, 10, 100.0).positionNo;
    b.Movement(Day(1, 4, 2021), "Dividenden-Gutschrift", 80.0, x, kIncome, {{lot, 10}});
    const int32_t y = b.Security("Y");
    b.Buy(Day(1, 3, 2021), y, 1, 10.0);
    SetQuote(b.doc, x, Day(30, 6, 2021), 95.0);
    SetQuote(b.doc, y, Day(30, 6, 2021), 12.0);

    struct Case {
        int colourWithDividends;
        Colour first, second, total;
    };
    const Case cases[] = {
        {0, kOddRowLoss, kEvenRowGain, kTotalRowLoss},  // total G/V -48.00
        {1, kOddRowGain, kEvenRowGain, kTotalRowGain},  // total incl. dividends +32.00
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colourWithDividends);
        b.doc.options.tables.colourWithDividends = c.colourWithDividends;
        const auto table = Build();
        const auto& rows = table->Rows();
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_EQ(table->ColourB(rows[3]), c.first);
        EXPECT_EQ(table->ColourB(rows[4]), c.second);
        EXPECT_EQ(table->ColourB(rows[5]), c.total);
        EXPECT_EQ(table->ColourA(rows[3]), kOddRowGrey);
        EXPECT_EQ(table->ColourA(rows[4]), kEvenRowGrey);
        EXPECT_EQ(table->ColourA(rows[5]), kTotalRowGrey);
        EXPECT_EQ(rows[4].spacingBefore, 0);
    }
}

TEST_F(HoldingsReportTest, ReachedStopsAndTargetsAreMarkedWithAFootnote) {
    const int32_t a = b.Security("A");
    const int32_t lotA = b.Buy(Day(1, 2, 2021), a, 1, 100.0).positionNo;
    const int32_t z = b.Security("Z");
    const int32_t lotZ = b.Buy(Day(1, 3, 2021), z, 1, 100.0).positionNo;
    SetQuote(b.doc, a, Day(30, 6, 2021), 95.0);
    SetQuote(b.doc, z, Day(30, 6, 2021), 120.0);

    struct Case {
        double stopA, targetZ;
        bool hideName;
        std::string markedA, markedZ, footnote;
    };
    const Case cases[] = {
        {95.0, 120.0, false, "A*", "Z**", "* Stoppkurs erreicht    ** Zielkurs erreicht"},
        {0.0, 120.0, false, "A", "Z*", "* Zielkurs erreicht"},
        {96.0, 121.0, false, "A*", "Z", "* Stoppkurs erreicht"},
        {94.0, 121.0, false, "A", "Z", ""},
        {95.0, 120.0, true, "WA*", "WZ**", "* Stoppkurs erreicht    ** Zielkurs erreicht"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.markedA + " " + c.markedZ);
        SetStop(b.doc, lotA, c.stopA);
        SetTarget(b.doc, lotZ, c.targetZ);
        b.doc.options.holdings.columnMask = static_cast<int32_t>(
            c.hideName ? kDefaultHoldingsColumns & ~1u : kDefaultHoldingsColumns);
        const auto table = Build();
        EXPECT_EQ(table->CellText(kFirstDataRow, 0), c.markedA);
        EXPECT_EQ(table->CellText(kFirstDataRow + 1, 0), c.markedZ);
        const auto& rows = table->Rows();
        if (c.footnote.empty()) {
            EXPECT_EQ(rows.size(), 6u);
            continue;
        }
        ASSERT_EQ(rows.size(), 7u);
        EXPECT_EQ(table->CellText(6, 0), c.footnote);
        EXPECT_EQ(rows[6].cells[0].span, table->ColumnCount());
        EXPECT_EQ(rows[6].font, 2);  // the column-title font
        EXPECT_EQ(table->ColourA(rows[6]), kWhite);
        EXPECT_EQ(table->ColourB(rows[6]), kWhite);
        EXPECT_EQ(rows[6].spacingBefore, b.doc.options.tables.outerMargin);
    }
}

// Quote 12.3456 from the day before the report date, 10 on the report date.
TEST_F(HoldingsReportTest, PriceColumnDecimalsAndBracketsForOldQuotes) {
    const int32_t a = b.Security("A");
    b.Buy(Day(1, 2, 2021), a, 1, 12.5);
    const int32_t z = b.Security("Z");
    b.Buy(Day(1, 3, 2021), z, 1, 10.0);
    SetQuote(b.doc, a, Day(29, 6, 2021), 12.3456);
    SetQuote(b.doc, z, Day(30, 6, 2021), 10.0);
    const int32_t mask = b.doc.options.holdings.columnMask | (1 << 13) | (1 << 21);
    b.doc.options.holdings.columnMask = mask;

    struct Case {
        int maxDecimals;
        bool brackets;
        std::string buyA, quoteA, quoteZ;
    };
    const Case cases[] = {
        {2, false, "12,50", "12,35", "10,00"},
        {4, false, "12,50", "12,3456", "10,0000"},
        {7, true, "12,50", "(12,3456)", "10,0000"},
        {0, true, "12,50", "(12,35)", "10,00"},  // never fewer than 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quoteA);
        b.doc.options.tables.maxPriceDecimals = c.maxDecimals;
        b.doc.options.holdings.bracketOldQuotes = c.brackets ? 1 : 0;
        const auto table = Build();
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(10)), c.buyA);
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(13)), c.buyA);
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(18)), c.quoteA);
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(21)), c.quoteA);
        EXPECT_EQ(table->CellText(kFirstDataRow + 1, Col(18)), c.quoteZ);
        EXPECT_EQ(table->CellText(kFirstDataRow + 1, Col(21)), c.quoteZ);
    }
}

TEST_F(HoldingsReportTest, PiecesShowTheLargestDecimalsOfAllRows) {
    const int32_t a = b.Security("A");
    b.Buy(Day(1, 2, 2021), a, 2.25, 10.0);
    const int32_t z = b.Security("Z");
    b.Buy(Day(1, 3, 2021), z, 1500, 1.0);
    const auto table = Build();
    EXPECT_EQ(table->CellText(kFirstDataRow, Col(5)), "2,25");
    EXPECT_EQ(table->CellText(kFirstDataRow + 1, Col(5)), "1.500,00");
    EXPECT_EQ(table->CellText(kFirstDataRow + 2, Col(5)), "1.502,25");
}

// Three positions: "Mitte" bought first with a loss, "Anfang" with a gain, "Zuletzt" bought
// last for nothing (no percentages).
TEST_F(HoldingsReportTest, SortsByTheStoredKeyInBothDirections) {
    const int32_t m = b.Security("Mitte");
    b.Buy(Day(1, 2, 2021), m, 10, 10.0);
    const int32_t a = b.Security("Anfang");
    b.Buy(Day(1, 3, 2021), a, 1, 50.0);
    const int32_t z = b.Security("Zuletzt");
    b.Buy(Day(1, 4, 2021), z, 3, 0.0);
    SetQuote(b.doc, m, Day(30, 6, 2021), 8.0);   // 80.00, -20 %
    SetQuote(b.doc, a, Day(30, 6, 2021), 60.0);  // 60.00, +20 %
    SetQuote(b.doc, z, Day(30, 6, 2021), 30.0);  // 90.00, "-"

    using K = HoldingsSortKey;
    struct Case {
        int key;
        bool descending;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {-1, false, {"Mitte", "Anfang", "Zuletzt"}},
        {99, false, {"Mitte", "Anfang", "Zuletzt"}},  // unknown keys fall back to Kaufdatum
        {static_cast<int>(K::PurchaseDate), true, {"Zuletzt", "Anfang", "Mitte"}},
        {static_cast<int>(K::Name), false, {"Anfang", "Mitte", "Zuletzt"}},
        {static_cast<int>(K::Name), true, {"Zuletzt", "Mitte", "Anfang"}},
        {static_cast<int>(K::Quantity), false, {"Anfang", "Zuletzt", "Mitte"}},
        {static_cast<int>(K::CurrentValue), false, {"Anfang", "Mitte", "Zuletzt"}},
        {static_cast<int>(K::PurchasePrice), true, {"Mitte", "Anfang", "Zuletzt"}},
        {static_cast<int>(K::GainLossPercent), false, {"Zuletzt", "Mitte", "Anfang"}},
        {static_cast<int>(K::GainLossPercent), true, {"Anfang", "Mitte", "Zuletzt"}},
        {static_cast<int>(K::GainLoss), true, {"Zuletzt", "Anfang", "Mitte"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.key << (c.descending ? " desc" : " asc"));
        b.doc.options.holdings.sortKey = c.key;
        b.doc.options.holdings.sortDescending = c.descending ? 1 : 0;
        const auto table = Build();
        for (size_t i = 0; i < c.order.size(); ++i)
            EXPECT_EQ(table->CellText(kFirstDataRow + static_cast<int>(i), 0), c.order[i]);
        EXPECT_EQ(table->CellText(kFirstDataRow + 3, 0), "Summe");  // the total stays last
    }
}

// Fault kept out: the "in %" columns were computed from the G/V already rounded to cents, and
// the double of a rounded amount such as 2.30 lies just below its decimal value, so an exact
// half was rounded down: a value of 202,30 on a purchase price of 200,00 showed +1,1%.
// 10 pieces bought at 20.00 on 1.3.2021 without costs, so the cost basis is 200,00.
TEST_F(HoldingsReportTest, PercentagesRoundAnExactHalfAwayFromZero) {
    struct Case {
        double quote;
        double dividend;
        std::string gainLoss, percent, dividendPercent, withDividendsPercent;
    };
    const Case cases[] = {
        // 202,30 - 200,00 = 2,30 and 2,30 × 100 / 200,00 = 1,15 exactly, which rounds half
        // away from zero to 1,2 at one decimal. As doubles 202.30 - 200.00 is
        // 2.30000000000001137 and the rounded 2.30 is 2.29999999999999982: neither residue
        // may decide the half.
        {20.23, 0.0, "+2,30", "+1,2%", "0,0%", "+1,2%"},
        // -2,30 × 100 / 200,00 = -1,15: away from zero is -1,2.
        {19.77, 0.0, "-2,30", "-1,2%", "0,0%", "-1,2%"},
        // 0,70 × 100 / 200,00 = 0,35 exactly -> 0,4; here the double of 200.70 lies below, so
        // 200.70 - 200.00 is 0.69999999999998863 and a double quotient would give 0,3.
        {20.07, 0.0, "+0,70", "+0,4%", "0,0%", "+0,4%"},
        // Dividends of 2,30 are 1,15 % of the cost basis -> 1,2 %, and so is G/V incl. div.
        {20.00, 2.30, "0,00", "0,0%", "1,2%", "+1,2%"},
        // 2,29 and 2,31 lie on either side of the half: 1,145 -> 1,1 and 1,155 -> 1,2.
        {20.229, 0.0, "+2,29", "+1,1%", "0,0%", "+1,1%"},
        {20.231, 0.0, "+2,31", "+1,2%", "0,0%", "+1,2%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent + " " + c.dividendPercent);
        DocBuilder fresh;
        const int32_t s = fresh.Security("Halb");
        const int32_t lot = fresh.Buy(Day(1, 3, 2021), s, 10, 20.0).positionNo;
        if (c.dividend > 0.0)
            fresh.Movement(Day(1, 5, 2021), "Dividenden-Gutschrift", c.dividend, s, kIncome,
                           {{lot, 10}});
        SetQuote(fresh.doc, s, Day(30, 6, 2021), c.quote);
        const int32_t mask = fresh.doc.options.holdings.columnMask;
        const auto table = BuildHoldingsReport(fresh.doc, date);
        for (int r : {kFirstDataRow, kFirstDataRow + 1}) {  // the position and the total
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 16)), "200,00");
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 23)), c.gainLoss);
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 25)), c.percent);
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 28)), c.dividendPercent);
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 30)), c.withDividendsPercent);
        }
    }
}

// Fault kept out: without a rate of the report currency at the report date the buy price
// converted at factor 1, so a report in US dollars before the first dollar rate showed the
// euro price 50,00 as the dollar price.
TEST_F(HoldingsReportTest, BuyPriceInTheReportCurrencyIsZeroWithoutARate) {
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, kUnitsPerReference).id;
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 7, 2021), 1.25);  // 1.25 dollars = 1 euro
    const int32_t s = b.Security("Euroaktie");
    b.Buy(Day(1, 3, 2021), s, 10, 50.0);
    SetQuote(b.doc, s, Day(1, 3, 2021), 50.0);
    b.doc.options.holdings.currencyId = usd;
    const int32_t mask = b.doc.options.holdings.columnMask | (1 << 13);
    b.doc.options.holdings.columnMask = mask;

    struct Case {
        CQRNDatum reportDate;
        std::string buyPrice;
    };
    const Case cases[] = {
        {Day(30, 6, 2021), "0,00"},  // before the first dollar rate
        {Day(1, 7, 2021), "62,50"},  // 50,00 euros at 1,25 dollars per euro
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reportDate.FormatLong());
        const auto table = BuildHoldingsReport(b.doc, c.reportDate);
        EXPECT_EQ(table->CellText(1, ColumnOf(mask, 13)), "Kaufkurs");
        EXPECT_EQ(table->CellText(2, ColumnOf(mask, 13)), "in US-Dollar");
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 10)), "50,00");
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 13)), c.buyPrice);
    }
}

// The percentage of two money amounts, decided on their cent values.
TEST(PercentOfTest, RoundsTheDecimalQuotientHalfAwayFromZero) {
    struct Case {
        double part, base;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {2.30, 200.0, 1, 1.2},            // 1,15
        {-2.30, 200.0, 1, -1.2},          // -1,15
        {202.30 - 200.0, 200.0, 1, 1.2},  // residue above 2,30
        {200.70 - 200.0, 200.0, 1, 0.4},  // residue below 0,70: 0,35
        {2.29, 200.0, 1, 1.1},            // 1,145
        {2.31, 200.0, 1, 1.2},            // 1,155
        {1.0, 3.0, 2, 33.33},             // 33,333...
        {2.0, 3.0, 2, 66.67},             // 66,666...
        {-2.0, 3.0, 0, -67.0},            // -66,666...
        {0.0, 200.0, 1, 0.0},
        {1.0, 8.0, 1, 12.5},        // 12,5 needs no rounding
        {1.0, 8.0, 0, 13.0},        // 12,5 -> 13
        {0.005, 1.0, 1, 0.5},       // half a cent: the plain quotient
        {1.0e9, 1.0e9, 15, 100.0},  // beyond the integer range: the plain quotient
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.part << " / " << c.base << " @" << c.decimals);
        EXPECT_EQ(PercentOf(c.part, c.base, c.decimals), c.expected);
    }
}

// The options page lists the sort keys in this order; the document names the second
// identifier and the two own categories.
TEST_F(HoldingsReportTest, SortKeyTextsInKeyOrder) {
    b.doc.options.isinLabel = "Kürzel";
    b.doc.options.ownCategoryCaption1 = "Depotbank";
    b.doc.options.ownCategoryCaption2 = "Strategie";
    const std::vector<std::string> expected = {"Bezeichnung",
                                               "WKN",
                                               "Kürzel",
                                               "Typ",
                                               "Branche",
                                               "Land",
                                               "Index/Marktsegment",
                                               "Depotbank",
                                               "Strategie",
                                               "Stück",
                                               "Kurswährung",
                                               "Kaufdatum",
                                               "Kaufwert",
                                               "Provision etc.",
                                               "Kaufpreis",
                                               "Wert",
                                               "G/V",
                                               "G/V in %",
                                               "G/V p.a. in %",
                                               "Dividende",
                                               "Dividende in %",
                                               "G/V inkl. Div.",
                                               "G/V inkl. Div. in %",
                                               "G/V inkl. Div. p.a. in %"};
    EXPECT_EQ(HoldingsSortKeyTexts(b.doc), expected);
}

// Two open lots of the first demonstration portfolio on 1.7.2022, worked out from their
// transactions and quotes: the rest of the 2009 purchase of Alpenbank (100 of its 250 pieces
// sold in 2013, a limit fee allocated to it) and the 2021 purchase of Pacific Circuits in
// US dollars.
TEST(HoldingsReportDemoTest, TwoPositionsOfTheFirstDemoPortfolio) {
    const CFolari2Doc doc = MakeDemoPortfolio(1);
    const CQRNDatum date = Day(1, 7, 2022);
    const auto findSecurity = [&doc](const std::string& name) -> const CFL2Wertpapier* {
        for (const CFL2Wertpapier& s : doc.securities)
            if (s.name == name) return &s;
        return nullptr;
    };
    const auto findTransaction = [&doc](TransactionType type, int32_t security,
                                        CQRNDatum on) -> const CFL2Transaktion* {
        for (const CFL2Transaktion& t : doc.transactions)
            if (t.type == type && t.securityId == security && t.date == on) return &t;
        return nullptr;
    };
    const CFL2Wertpapier* bank = findSecurity("Alpenbank AG");
    const CFL2Wertpapier* circuits = findSecurity("Pacific Circuits Inc.");
    ASSERT_TRUE(bank && circuits);
    const CFL2Transaktion* bankBuy =
        findTransaction(TransactionType::Buy, bank->id, Day(9, 3, 2009));
    const CFL2Transaktion* fee =
        findTransaction(TransactionType::AccountMovement, bank->id, Day(10, 3, 2009));
    const CFL2Transaktion* bankSale =
        findTransaction(TransactionType::Sell, bank->id, Day(16, 5, 2013));
    const CFL2Transaktion* circuitsBuy =
        findTransaction(TransactionType::Buy, circuits->id, Day(5, 10, 2021));
    ASSERT_TRUE(bankBuy && fee && bankSale && circuitsBuy);
    ASSERT_EQ(bankBuy->quantity, 250 * kPiece);
    ASSERT_EQ(bankSale->quantity, 100 * kPiece);
    ASSERT_EQ(circuitsBuy->quantity, 25 * kPiece);
    ASSERT_EQ(fee->kindOutflow, 1);

    const int32_t mask = doc.options.holdings.columnMask;
    const auto table = BuildHoldingsReport(doc, date);

    {
        SCOPED_TRACE("Alpenbank");
        // The sale took 100 of 250 pieces; the lot keeps each amount less the sold share.
        const auto rest = [&](double amount) {
            return amount - RoundTo(static_cast<double>(bankSale->quantity) * amount /
                                        static_cast<double>(bankBuy->quantity),
                                    2);
        };
        const double value = rest(bankBuy->marketValue1);  // bought in euros at 1 : 1
        const double costs = rest(bankBuy->commission1 + bankBuy->commission2 + fee->amount);
        const double price = rest(bankBuy->amount + fee->amount);
        double quote = 0.0;
        ASSERT_EQ(bank->quotes.QuoteOn(date, quote), 1);
        const double current = RoundTo(150 * quote, 2);
        const double gain = RoundTo(current - price, 2);
        const int days = static_cast<int>(date.DayNumber() - bankBuy->date.DayNumber());
        const double annual = RoundTo(100 * (std::pow(current / price, 365.0 / days) - 1), 1);

        const int r = RowWith(*table, ColumnOf(mask, 6), "09.03.2009");
        ASSERT_GT(r, 0);
        const std::vector<std::pair<int, std::string>> expected = {
            {0, "Alpenbank AG"},
            {1, "ALP300"},
            {5, "150"},
            {7, std::to_string(days)},
            {8, "Stpfl. (A)"},
            {10, Num(bankBuy->price, 2)},
            {11, "Euro"},
            {14, Num(value, 2)},
            {15, Num(costs, 2)},
            {16, Num(price, 2)},
            {18, Num(quote, 2)},
            {19, "Euro"},
            {22, Num(current, 2)},
            {23, Num(gain, 2, true)},
            {25, Num(RoundTo(gain * 100 / price, 1), 1, true) + "%"},
            {27, "0,00"},
            {28, "0,0%"},
            {29, Num(gain, 2, true)},
            {30, Num(RoundTo(gain * 100 / price, 1), 1, true) + "%"},
            {31, Num(annual, 1, true) + "%"},
        };
        for (const auto& [bit, text] : expected)
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, bit)), text) << bit;
        EXPECT_EQ(costs, 7.44);  // 9.90 + 2.50 less 4.96 sold
        EXPECT_EQ(table->Rows()[r].user[0], bankBuy->id);
    }
    {
        SCOPED_TRACE("Pacific Circuits");
        const CFL2Waehrung* usd = doc.FindCurrency(circuits->quoteCurrencyId);
        ASSERT_TRUE(usd);
        // Bought at the dollar rate of the day (rateBase dollars = 1 euro), paid in euros.
        const double value =
            RoundTo(circuitsBuy->marketValue1 * circuitsBuy->rateQuote / circuitsBuy->rateBase, 2);
        const double costs =
            RoundTo(circuitsBuy->commission1 * circuitsBuy->rateQuote / circuitsBuy->rateBase, 2) +
            circuitsBuy->commission2;
        const double price = circuitsBuy->amount;
        double quote = 0.0;  // dollars
        ASSERT_EQ(circuits->quotes.QuoteOn(date, quote), 1);
        const double rate = usd->RateAt(date);  // dollars per euro
        const double current = RoundTo(RoundTo(25 * quote, 2) * (1.0 / rate), 2);
        const double gain = RoundTo(current - price, 2);
        const int days = static_cast<int>(date.DayNumber() - circuitsBuy->date.DayNumber());
        const double annual = RoundTo(100 * (std::pow(current / price, 365.0 / days) - 1), 1);

        const int r = RowWith(*table, ColumnOf(mask, 6), "05.10.2021");
        ASSERT_GT(r, 0);
        const std::vector<std::pair<int, std::string>> expected = {
            {0, "Pacific Circuits Inc."},
            {5, "25"},
            {7, std::to_string(days)},
            {8, "Stpfl. (A)"},
            {10, Num(circuitsBuy->price, 2)},
            {11, "US-Dollar"},
            {14, Num(value, 2)},
            {15, Num(costs, 2)},
            {16, Num(price, 2)},
            {18, Num(quote, 2)},
            {19, "US-Dollar"},
            {22, Num(current, 2)},
            {23, Num(gain, 2, true)},
            {25, Num(RoundTo(gain * 100 / price, 1), 1, true) + "%"},
            {27, "0,00"},
            {29, Num(gain, 2, true)},
            {31, Num(annual, 1, true) + "%"},
        };
        for (const auto& [bit, text] : expected)
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, bit)), text) << bit;
        EXPECT_EQ(costs, 14.90);
    }
}

}  // namespace
}  // namespace pf::testing

#include "reports/realized_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "position_report_test_util.h"
#include "reports/report_format.h"
#include "samples/demo_portfolios.h"

namespace pf::testing {
namespace {

std::string Num(double x, int decimals, bool plus = false) {
    return FormatNumber(x, decimals, decimals, plus, ",", ".");
}

class RealizedReportTest : public ::testing::Test {
  protected:
    int Col(int bit) const { return ColumnOf(b.doc.options.realized.columnMask, bit); }
    std::unique_ptr<ReportTable> Build(bool filter = false, bool simulate = false) const {
        return BuildRealizedReport(b.doc, from, to, filter, simulate);
    }
    // The texts of column 0 from the first data row on, sum rows included.
    std::vector<std::string> FirstColumn(const ReportTable& table) const {
        std::vector<std::string> texts;
        for (int r = kFirstDataRow; r < static_cast<int>(table.Rows().size()); ++r)
            texts.push_back(table.CellText(r, 0));
        return texts;
    }
    // Sells a whole lot.
    int32_t SellAll(CQRNDatum date, int32_t security, int32_t lot, double pieces, double price,
                    double commission = 0.0) {
        return b.Sell(date, security, {{lot, pieces}}, price, commission).id;
    }

    DocBuilder b;
    CQRNDatum from = Day(1, 1, 2021);
    CQRNDatum to = Day(31, 3, 2021);
};

TEST_F(RealizedReportTest, SalesFromTheStartDateOnAreIncluded) {
    const int32_t s = b.Security("A");
    const int32_t lot = b.Buy(Day(1, 2, 2020), s, 40, 10.0).positionNo;
    b.Sell(Day(31, 12, 2020), s, {{lot, 10}}, 11.0);
    b.Sell(Day(1, 1, 2021), s, {{lot, 10}}, 12.0);
    b.Sell(Day(31, 3, 2021), s, {{lot, 10}}, 13.0);
    b.Sell(Day(1, 4, 2021), s, {{lot, 10}}, 14.0);
    b.doc.depot.holderName = "Erika Muster";
    b.doc.depot.depotNumber = "D-17";

    const auto table = Build();
    EXPECT_EQ(
        table->CellText(0, 0),
        "Realisierte Gewinne und Verluste von 01.01.2021 bis 31.03.2021 - D-17 - Erika Muster");
    EXPECT_EQ(table->CellText(1, Col(7)), "Verkauf-");
    EXPECT_EQ(table->CellText(2, Col(7)), "datum");
    EXPECT_EQ(FirstColumn(*table),
              (std::vector<std::string>{"A", "A", "Steuerpflichtig (Abgeltungssteuer)", "Summe"}));
    EXPECT_EQ(table->CellText(3, Col(7)), "01.01.2021");
    EXPECT_EQ(table->CellText(4, Col(7)), "31.03.2021");
    EXPECT_EQ(table->CellText(3, Col(17)), "12,00");
}

// 10 pieces at 50.00 with 5.00 commission on 1.2.2021, a dividend of 15.00, sold on
// 30.6.2021 at 60.00 with 6.00 commission (149 days).
TEST_F(RealizedReportTest, PositionRowShowsEveryColumn) {
    const int32_t s = b.Security("Alpha");
    const int32_t lot = b.Buy(Day(1, 2, 2021), s, 10, 50.0, 5.0).positionNo;
    b.Movement(Day(1, 5, 2021), "Dividenden-Gutschrift", 15.0, s, kIncome, {{lot, 10}});
    const int32_t sale = SellAll(Day(30, 6, 2021), s, lot, 10, 60.0, 6.0);
    to = Day(30, 6, 2021);
    const int32_t mask = b.doc.options.realized.columnMask | (1 << 26) | (1 << 13) | (1 << 19);
    b.doc.options.realized.columnMask = mask;

    struct Case {
        bool includeCommissions;
        std::string gainLoss, percent, annual, withDiv, withDivPercent, withDivAnnual;
    };
    // p.a. = (result / cost)^(365 / 149) - 1: (594 / 505) -> 48.8 %, (609 / 505) -> 58.2 %,
    // (600 / 500) -> 56.3 %, (615 / 500) -> 66.0 %.
    const Case cases[] = {
        {true, "+89,00", "+17,6%", "+48,8%", "+104,00", "+20,6%", "+58,2%"},
        {false, "+100,00", "+20,0%", "+56,3%", "+115,00", "+23,0%", "+66,0%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.includeCommissions);
        b.doc.options.realized.includeCommissions = c.includeCommissions ? 1 : 0;
        const auto table = Build();
        const int r = kFirstDataRow;
        const std::vector<std::pair<int, std::string>> expected = {
            {0, "Alpha"},      {1, "WAlpha"},          {5, "10"},
            {6, "01.02.2021"}, {7, "30.06.2021"},      {8, "149"},
            {9, "Stpfl. (A)"}, {10, "50,00"},          {11, "Euro"},
            {13, "50,00"},     {14, "500,00"},         {15, "5,00"},
            {16, "505,00"},    {17, "60,00"},          {18, "Euro"},
            {19, "60,00"},     {20, "600,00"},         {21, "6,00"},
            {22, "594,00"},    {23, c.gainLoss},       {25, c.percent},
            {26, c.annual},    {27, "15,00"},          {28, "3,0%"},
            {29, c.withDiv},   {30, c.withDivPercent}, {31, c.withDivAnnual},
        };
        for (const auto& [bit, text] : expected)
            EXPECT_EQ(table->CellText(r, Col(bit)), text) << bit;
        EXPECT_EQ(table->Rows()[r].user[kUserTransaction], sale);
        EXPECT_EQ(table->Rows()[r].user[kUserRowKind], 0);
        EXPECT_EQ(table->Rows()[r].user[kUserSecurity], s);
        EXPECT_EQ(table->ColourB(table->Rows()[r]), kOddRowGain);
        // One category and the total.
        ASSERT_EQ(table->Rows().size(), 6u);
        EXPECT_EQ(table->CellText(5, Col(23)), c.gainLoss);
        EXPECT_EQ(table->CellText(5, Col(31)), c.withDivAnnual);
    }
}

TEST_F(RealizedReportTest, SimulatedSalesOfOpenLotsAtTheEndDate) {
    const int32_t s = b.Security("Offen");
    const int32_t buy = b.Buy(Day(1, 2, 2021), s, 10, 50.0, 5.0).id;
    SetQuote(b.doc, s, Day(30, 3, 2021), 70.0);
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, kUnitsPerReference).id;
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 1, 2021), 1.1);  // 1.1 dollars = 1 euro
    const int32_t d = b.Security("Dollar", usd);
    b.Buy(Day(2, 2, 2021), d, 3, 9.0);
    SetQuote(b.doc, d, Day(31, 3, 2021), 11.0);

    const auto off = Build(false, false);
    EXPECT_EQ(FirstColumn(*off), (std::vector<std::string>{"Summe"}));

    const auto on = Build(false, true);
    ASSERT_EQ(on->Rows().size(), 7u);  // two positions, their category, the total
    const int r = kFirstDataRow;
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "Offen"},   {7, "31.03.2021"}, {8, "58"},      {17, "70,00"},   {18, "Euro"},
        {20, "700,00"}, {21, "0,00"},      {22, "700,00"}, {23, "+195,00"},
    };
    for (const auto& [bit, text] : expected) EXPECT_EQ(on->CellText(r, Col(bit)), text) << bit;
    EXPECT_EQ(on->Rows()[r].user[0], buy);
    EXPECT_EQ(on->Rows()[r].user[1], 1);  // no editor for a simulated sale
    // 11 dollars at 1.1 dollars per euro.
    EXPECT_EQ(on->CellText(r + 1, Col(17)), "10,00");
    EXPECT_EQ(on->CellText(r + 1, Col(18)), "Euro");
    EXPECT_EQ(on->CellText(r + 1, Col(20)), "30,00");

    const RealizedReportData data = ComputeRealizedReport(b.doc, from, to, false, true);
    ASSERT_EQ(data.positions.size(), 2u);
    EXPECT_TRUE(data.positions[0].simulated);
    EXPECT_EQ(data.positions[0].saleText, "Simulierter Verkauf");
}

// Sales in three groups: Abgeltungssteuer (bought 2021), "Steuerfrei" twice (categories 3 and
// 4 share name and abbreviation), and no category once the catch-all is gone.
TEST_F(RealizedReportTest, SumRowsPerTaxCategory) {
    from = Day(1, 1, 1997);
    const int32_t s = b.Security("A");
    const int32_t newLot = b.Buy(Day(1, 2, 2021), s, 10, 10.0).positionNo;
    SellAll(Day(1, 3, 2021), s, newLot, 10, 12.0);  // +20.00
    const int32_t oldLot = b.Buy(Day(1, 2, 2005), s, 10, 10.0).positionNo;
    SellAll(Day(1, 3, 2021), s, oldLot, 10, 15.0);  // +50.00, held 16 years
    const int32_t lot97 = b.Buy(Day(3, 2, 1997), s, 10, 10.0).positionNo;
    SellAll(Day(1, 9, 1997), s, lot97, 10, 13.0);  // +30.00, held 7 months
    const int32_t lot05 = b.Buy(Day(1, 2, 2005), s, 10, 10.0).positionNo;
    SellAll(Day(1, 10, 2005), s, lot05, 10, 9.0);  // -10.00, held 8 months: "Stpfl."

    struct Case {
        int taxSums;
        bool dropCatchAll;
        std::vector<std::string> sums;
        std::vector<std::string> gains;
    };
    const Case cases[] = {
        {1,
         false,
         {"Steuerpflichtig (Abgeltungssteuer)", "Steuerfrei", "Steuerpflichtig", "Gesamtsumme"},
         {"+20,00", "+80,00", "-10,00", "+90,00"}},
        {0, false, {"Summe"}, {"+90,00"}},
        {1,
         true,
         {"Steuerpflichtig (Abgeltungssteuer)", "Steuerfrei", "-", "Gesamtsumme"},
         {"+20,00", "+80,00", "-10,00", "+90,00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.taxSums << c.dropCatchAll);
        DocBuilder copy = b;
        copy.doc.options.realized.taxSums = c.taxSums;
        if (c.dropCatchAll) copy.doc.taxCategories.pop_back();
        const auto table = BuildRealizedReport(copy.doc, from, to, false, false);
        const int firstSum = kFirstDataRow + 4;
        ASSERT_EQ(table->Rows().size(), firstSum + c.sums.size());
        for (size_t i = 0; i < c.sums.size(); ++i) {
            const int r = firstSum + static_cast<int>(i);
            const ReportRow& row = table->Rows()[r];
            EXPECT_EQ(table->CellText(r, 0), c.sums[i]);
            EXPECT_EQ(row.cells[0].span, 2);  // the name and WKN columns
            EXPECT_EQ(table->CellText(r, Col(23)), c.gains[i]);
            EXPECT_EQ(table->CellText(r, Col(7)), "");
            EXPECT_EQ(row.user[0], -1);
            EXPECT_EQ(row.user[1], 255);
            const bool spaced = i == 0 || i + 1 == c.sums.size();
            EXPECT_EQ(row.spacingBefore, spaced ? b.doc.options.tables.outerMargin : 0);
            EXPECT_EQ(table->ColourB(row), c.gains[i][0] == '-' ? kTotalRowLoss : kTotalRowGain);
        }
        // The sale of 2005 shows its category, or "-" without one.
        const int r2005 = RowWith(*table, Col(7), "01.10.2005");
        ASSERT_GT(r2005, 0);
        EXPECT_EQ(table->CellText(r2005, Col(9)), c.dropCatchAll ? "-" : "Stpfl.");
    }

    // With a single group the total stays "Summe".
    from = Day(1, 1, 2021);
    to = Day(1, 3, 2021);
    b.doc.options.realized.sortKey = static_cast<int>(RealizedSortKey::GainLoss);
    b.doc.taxCategories.erase(b.doc.taxCategories.begin() + 1, b.doc.taxCategories.end());
    b.doc.taxCategories[0].usePurchasePeriod = 0;  // both 2021 sales match the first category
    const auto single = Build();
    EXPECT_EQ(FirstColumn(*single),
              (std::vector<std::string>{"A", "A", "Steuerpflichtig (Abgeltungssteuer)", "Summe"}));
}

TEST_F(RealizedReportTest, SaleOnTheBuyDateAnnualisesOverOneDay) {
    const int32_t s = b.Security("A");
    const int32_t lot = b.Buy(Day(1, 3, 2021), s, 10, 100.0).positionNo;
    SellAll(Day(1, 3, 2021), s, lot, 10, 101.0);
    b.doc.options.realized.annualisation = kLinear;
    const int32_t mask = b.doc.options.realized.columnMask | (1 << 26);
    b.doc.options.realized.columnMask = mask;
    const auto table = Build();
    EXPECT_EQ(table->CellText(kFirstDataRow, Col(8)), "0");
    EXPECT_EQ(table->CellText(kFirstDataRow, Col(26)), "+365,0%");  // 1 % in one day
    EXPECT_EQ(table->CellText(kFirstDataRow, Col(31)), "+365,0%");
}

// Fault kept out: a lot given away in an exchange lives on in the lot received for it (with
// the purchase amounts); listing it as a sale showed its whole purchase price as a loss.
TEST_F(RealizedReportTest, LotsGivenAwayInAnExchangeAreNoSales) {
    const int32_t a = b.Security("Alt");
    const int32_t n = b.Security("Neu");
    const int32_t lot = b.Buy(Day(1, 2, 2020), a, 10, 10.0).positionNo;
    b.Exchange(Day(1, 2, 2021), a, n, 10, 10, {{lot, 10}}, true);
    SetQuote(b.doc, n, Day(31, 3, 2021), 12.0);
    EXPECT_EQ(FirstColumn(*Build(false, false)), (std::vector<std::string>{"Summe"}));
    const auto simulated = Build(false, true);
    ASSERT_EQ(simulated->Rows().size(), 6u);
    EXPECT_EQ(simulated->CellText(kFirstDataRow, 0), "Neu");
    EXPECT_EQ(simulated->CellText(kFirstDataRow, Col(23)), "+20,00");
}

// Fault kept out: the "in %" columns were computed from the G/V already rounded to cents, and
// the double of a rounded amount such as 2.30 lies just below its decimal value, so an exact
// half was rounded down: proceeds of 202,30 on a cost basis of 200,00 showed +1,1%.
// 10 pieces bought at 20.00 on 1.2.2021 and sold on 1.3.2021 without costs.
TEST_F(RealizedReportTest, PercentagesRoundAnExactHalfAwayFromZero) {
    struct Case {
        double salePrice;
        double dividend;
        std::string gainLoss, percent, dividendPercent, withDividendsPercent;
    };
    const Case cases[] = {
        // 202,30 - 200,00 = 2,30 and 2,30 × 100 / 200,00 = 1,15 exactly, which rounds half
        // away from zero to 1,2 at one decimal. As doubles 202.30 - 200.00 is
        // 2.30000000000001137 and the rounded 2.30 is 2.29999999999999982: neither residue
        // may decide the half.
        {20.23, 0.0, "+2,30", "+1,2%", "0,0%", "+1,2%"},
        {19.77, 0.0, "-2,30", "-1,2%", "0,0%", "-1,2%"},  // -1,15 -> -1,2
        // 0,70 × 100 / 200,00 = 0,35 exactly -> 0,4 (200.70 - 200.00 is 0.69999999999998863).
        {20.07, 0.0, "+0,70", "+0,4%", "0,0%", "+0,4%"},
        {20.00, 2.30, "0,00", "0,0%", "1,2%", "+1,2%"},  // dividends of 1,15 %
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent + " " + c.dividendPercent);
        DocBuilder fresh;
        const int32_t s = fresh.Security("Halb");
        const int32_t lot = fresh.Buy(Day(1, 2, 2021), s, 10, 20.0).positionNo;
        if (c.dividend > 0.0)
            fresh.Movement(Day(15, 2, 2021), "Dividenden-Gutschrift", c.dividend, s, kIncome,
                           {{lot, 10}});
        fresh.Sell(Day(1, 3, 2021), s, {{lot, 10}}, c.salePrice);
        const int32_t mask = fresh.doc.options.realized.columnMask;
        const auto table = BuildRealizedReport(fresh.doc, from, to, false, false);
        ASSERT_EQ(table->Rows().size(), 6u);  // the sale, its category and the total
        for (int r : {kFirstDataRow, kFirstDataRow + 2}) {
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 16)), "200,00");
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 23)), c.gainLoss);
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 25)), c.percent);
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 28)), c.dividendPercent);
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, 30)), c.withDividendsPercent);
        }
    }
}

// Fault kept out: without a rate of the report currency at the end date the buy and sale
// prices converted at factor 1, so a report in US dollars before the first dollar rate showed
// the euro prices as dollar prices.
TEST_F(RealizedReportTest, ConvertedPricesAreZeroWithoutARate) {
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, kUnitsPerReference).id;
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 4, 2021), 1.25);  // 1.25 dollars = 1 euro
    const int32_t s = b.Security("Euroaktie");
    SellAll(Day(1, 3, 2021), s, b.Buy(Day(1, 2, 2021), s, 10, 50.0).positionNo, 10, 60.0);
    b.doc.options.realized.currencyId = usd;
    const int32_t mask = b.doc.options.realized.columnMask | (1 << 13) | (1 << 19);
    b.doc.options.realized.columnMask = mask;

    struct Case {
        CQRNDatum to;
        std::string buyPrice, salePrice;
    };
    const Case cases[] = {
        {Day(31, 3, 2021), "0,00", "0,00"},   // before the first dollar rate
        {Day(1, 4, 2021), "62,50", "75,00"},  // 50,00 and 60,00 euros at 1,25 dollars per euro
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to.FormatLong());
        const auto table = BuildRealizedReport(b.doc, from, c.to, false, false);
        EXPECT_EQ(table->CellText(2, ColumnOf(mask, 19)), "in US-Dollar");
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 10)), "50,00");
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 17)), "60,00");
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 13)), c.buyPrice);
        EXPECT_EQ(table->CellText(kFirstDataRow, ColumnOf(mask, 19)), c.salePrice);
    }
}

TEST_F(RealizedReportTest, SecurityFilterKeepsTheSelectedSecurities) {
    const int32_t a = b.Security("A");
    const int32_t z = b.Security("Z");
    SellAll(Day(1, 3, 2021), a, b.Buy(Day(1, 2, 2021), a, 1, 10.0).positionNo, 1, 11.0);
    SellAll(Day(2, 3, 2021), z, b.Buy(Day(1, 2, 2021), z, 1, 10.0).positionNo, 1, 11.0);
    b.doc.options.selectedSecurityIds = {z};
    EXPECT_EQ(FirstColumn(*Build(false)).size(), 4u);
    const std::vector<std::string> filtered = FirstColumn(*Build(true));
    ASSERT_EQ(filtered.size(), 3u);
    EXPECT_EQ(filtered[0], "Z");
}

TEST_F(RealizedReportTest, MergedSalesShowDashesAndKeepTheSums) {
    const int32_t s = b.Security("A");
    const int32_t lot = b.Buy(Day(1, 2, 2021), s, 30, 10.0).positionNo;
    b.Sell(Day(1, 3, 2021), s, {{lot, 10}}, 12.0, 1.0);
    b.Sell(Day(2, 3, 2021), s, {{lot, 20}}, 13.0, 1.0);
    b.doc.options.realized.mergePositions = 1;
    const int32_t mask = b.doc.options.realized.columnMask | (1 << 13) | (1 << 19);
    b.doc.options.realized.columnMask = mask;
    const auto table = Build();
    ASSERT_EQ(table->Rows().size(), 6u);
    const int r = kFirstDataRow;
    const std::vector<std::pair<int, std::string>> expected = {
        {5, "30"},          {6, "-"},       {7, "-"},      {8, "-"},       {9, "-"},
        {10, "-"},          {11, "-"},      {13, "10,00"}, {17, "-"},      {18, "-"},
        {19, "12,6666667"}, {20, "380,00"}, {21, "2,00"},  {22, "378,00"}, {23, "+78,00"},
    };
    b.doc.options.tables.maxPriceDecimals = 7;
    const auto precise = Build();
    for (const auto& [bit, text] : expected) EXPECT_EQ(precise->CellText(r, Col(bit)), text) << bit;
    EXPECT_EQ(precise->Rows()[r].user[1], 1);
    EXPECT_EQ(precise->CellText(r + 2, Col(23)), "+78,00");
    EXPECT_EQ(table->CellText(r, Col(19)), "12,67");
}

TEST_F(RealizedReportTest, SortsBySaleDateUnlessTheOptionsSayOtherwise) {
    const int32_t a = b.Security("A");
    const int32_t z = b.Security("Z");
    SellAll(Day(5, 3, 2021), a, b.Buy(Day(1, 2, 2021), a, 1, 10.0).positionNo, 1, 9.0);
    SellAll(Day(1, 3, 2021), z, b.Buy(Day(2, 2, 2021), z, 1, 10.0).positionNo, 1, 15.0);
    using K = RealizedSortKey;
    struct Case {
        int key;
        bool descending;
        std::string first;
    };
    const Case cases[] = {
        {-1, false, "Z"},
        {static_cast<int>(K::SaleDate), true, "A"},
        {static_cast<int>(K::PurchaseDate), false, "A"},
        {static_cast<int>(K::DaysInDepot), false, "Z"},
        {static_cast<int>(K::Proceeds), false, "A"},
        {static_cast<int>(K::AnnualisedWithDividends), true, "Z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        b.doc.options.realized.sortKey = c.key;
        b.doc.options.realized.sortDescending = c.descending ? 1 : 0;
        EXPECT_EQ(Build()->CellText(kFirstDataRow, 0), c.first);
    }
}

// The options page lists the sort keys in this order; the document names the second
// identifier and the two own categories.
TEST_F(RealizedReportTest, SortKeyTextsInKeyOrder) {
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
                                               "Verkaufdatum",
                                               "Tage im Depot",
                                               "Kaufwert",
                                               "Kaufprovision etc.",
                                               "Kaufpreis",
                                               "Verkaufwert",
                                               "Verkaufprovision etc.",
                                               "Verkauferlös",
                                               "G/V",
                                               "G/V in %",
                                               "G/V p.a. in %",
                                               "Dividende",
                                               "Dividende in %",
                                               "G/V inkl. Div.",
                                               "G/V inkl. Div. in %",
                                               "G/V inkl. Div. p.a. in %"};
    EXPECT_EQ(RealizedSortKeyTexts(b.doc), expected);
}

// Two sales of the first demonstration portfolio worked out from their transactions: 80 of
// the 200 Alpenbank shares bought on 17.1.2005, sold on 14.11.2005 within the year, and 40
// of the 100 Pacific Circuits shares bought in dollars on 5.4.2005, sold on 8.9.2020.
TEST(RealizedReportDemoTest, TwoSalesOfTheFirstDemoPortfolio) {
    const CFolari2Doc doc = MakeDemoPortfolio(1);
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
        findTransaction(TransactionType::Buy, bank->id, Day(17, 1, 2005));
    const CFL2Transaktion* bankSale =
        findTransaction(TransactionType::Sell, bank->id, Day(14, 11, 2005));
    const CFL2Transaktion* circuitsBuy =
        findTransaction(TransactionType::Buy, circuits->id, Day(5, 4, 2005));
    const CFL2Transaktion* circuitsSale =
        findTransaction(TransactionType::Sell, circuits->id, Day(8, 9, 2020));
    ASSERT_TRUE(bankBuy && bankSale && circuitsBuy && circuitsSale);
    ASSERT_EQ(bankBuy->quantity, 200 * kPiece);
    ASSERT_EQ(bankSale->quantity, 80 * kPiece);
    ASSERT_EQ(circuitsBuy->quantity, 100 * kPiece);
    ASSERT_EQ(circuitsSale->quantity, 40 * kPiece);

    const int32_t mask = doc.options.realized.columnMask;
    const auto table = BuildRealizedReport(doc, Day(1, 1, 2005), Day(31, 12, 2025), false, false);
    // Four sales (the exchange of 2014 is none), three category groups and the total.
    EXPECT_EQ(table->Rows().size(), static_cast<size_t>(kFirstDataRow + 4 + 4));

    struct Expected {
        const char* trace;
        const CFL2Transaktion* buy;
        const CFL2Transaktion* sale;
        const char* currency;
        const char* tax;
    };
    const Expected sales[] = {
        {"Alpenbank", bankBuy, bankSale, "Euro", "Stpfl."},
        {"Pacific Circuits", circuitsBuy, circuitsSale, "US-Dollar", "Stfr."},
    };
    for (const Expected& e : sales) {
        SCOPED_TRACE(e.trace);
        const CFL2Transaktion& buy = *e.buy;
        const CFL2Transaktion& sale = *e.sale;
        // The sold piece takes its share of every purchase amount of the lot.
        const auto share = [&](double amount) {
            return RoundTo(
                static_cast<double>(sale.quantity) * amount / static_cast<double>(buy.quantity), 2);
        };
        const double value = share(RoundTo(buy.marketValue1 * buy.rateQuote / buy.rateBase, 2));
        const double costs =
            share(RoundTo(buy.commission1 * buy.rateQuote / buy.rateBase, 2) + buy.commission2);
        const double price = share(buy.amount);
        // One sale of one lot: its amounts in full, converted at the sale's own rate.
        const double saleFactor = sale.rateQuote * (1.0 / sale.rateBase);
        const double saleValue = RoundTo(sale.marketValue1 * saleFactor, 2);
        const double saleCosts = RoundTo(sale.commission1 * saleFactor, 2) + sale.commission2;
        const double proceeds = sale.amount;
        const double gain = RoundTo(proceeds - price, 2);
        const int days = static_cast<int>(sale.date.DayNumber() - buy.date.DayNumber());
        const double annual = RoundTo(100 * (std::pow(proceeds / price, 365.0 / days) - 1), 1);
        const std::string percent = Num(RoundTo(gain * 100 / price, 1), 1, true) + "%";

        const int r = RowWith(*table, ColumnOf(mask, 7), sale.date.FormatLong());
        ASSERT_GT(r, 0);
        const std::vector<std::pair<int, std::string>> expected = {
            {5, Num(static_cast<double>(sale.quantity / kPiece), 0)},
            {6, buy.date.FormatLong()},
            {8, std::to_string(days)},
            {9, e.tax},
            {10, Num(buy.price, 2)},
            {11, e.currency},
            {14, Num(value, 2)},
            {15, Num(costs, 2)},
            {16, Num(price, 2)},
            {17, Num(sale.price, 2)},
            {18, e.currency},
            {20, Num(saleValue, 2)},
            {21, Num(saleCosts, 2)},
            {22, Num(proceeds, 2)},
            {23, Num(gain, 2, true)},
            {25, percent},
            {27, "0,00"},
            {28, "0,0%"},
            {29, Num(gain, 2, true)},
            {30, percent},
            {31, Num(annual, 1, true) + "%"},
        };
        for (const auto& [bit, text] : expected)
            EXPECT_EQ(table->CellText(r, ColumnOf(mask, bit)), text) << bit;
        EXPECT_EQ(table->Rows()[r].user[0], sale.id);
    }
    EXPECT_EQ(table->CellText(kFirstDataRow + 4, 0), "Steuerpflichtig (Abgeltungssteuer)");
    EXPECT_EQ(table->CellText(kFirstDataRow + 5, 0), "Steuerfrei");
    EXPECT_EQ(table->CellText(kFirstDataRow + 6, 0), "Steuerpflichtig");
    EXPECT_EQ(table->CellText(kFirstDataRow + 7, 0), "Gesamtsumme");
}

}  // namespace
}  // namespace pf::testing

#include "reports/gain_loss_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "position_report_test_util.h"
#include "samples/demo_portfolios.h"

namespace pf::testing {
namespace {

// Column 0 holds every label; the amounts of items, groups and sums stand in the last
// column, those of single sales and bookings in the one before.
constexpr int kAmount = 6;
constexpr int kDetail = 5;

uint64_t Bit(int bit) { return uint64_t{1} << bit; }

// The amount text of the first row labelled `label`, or "(missing)".
std::string AmountOf(const ReportTable& table, const std::string& label) {
    const int row = RowWith(table, 0, label);
    return row < 0 ? "(missing)" : table.CellText(row, kAmount);
}

std::vector<std::string> Labels(const ReportTable& table) {
    std::vector<std::string> labels;
    for (int r = 0; r < static_cast<int>(table.Rows().size()); ++r)
        labels.push_back(table.CellText(r, 0));
    return labels;
}

const GainLossItem& ItemOf(const GainLossStatement& s, int bit) {
    for (const GainLossSection& section : s.sections)
        for (const GainLossItem& item : section.items)
            if (item.bit == bit) return item;
    ADD_FAILURE() << "no item " << bit;
    static const GainLossItem none;
    return none;
}

// A small year: one round trip with costs on both sides, a dividend, interest, custody fees,
// a tax booking, and a fee before the period that must not count.
class GainLossTest : public ::testing::Test {
  protected:
    GainLossTest() {
        b.doc.depot.holderName = "Erika Muster";
        b.doc.depot.depotNumber = "D-17";
        b.doc.depot.accountNumber = "K-42";
        alpha = b.Security("Alpha", "A100");
        const auto buy = b.Buy(Day(1, 3, 2021), alpha, 10, 100.0, 5.0);
        saleId = b.Sell(Day(1, 9, 2021), alpha, {{buy.positionNo, 10}}, 120.0, 4.0).id;
        dividendId = b.Movement(Day(17, 5, 2021), "Dividenden-Gutschrift", 30.0, alpha, kIncome,
                                {{buy.positionNo, 10}})
                         .id;
        b.Movement(Day(31, 12, 2021), "Zinserträge (Haben-Zins)", 2.5);
        b.Movement(Day(1, 9, 2021), "Steuern", 50.0);
        b.Movement(Day(30, 6, 2021), "Depotgebühren", 12.0);
        b.Movement(Day(31, 12, 2020), "Depotgebühren", 99.0);
    }
    std::unique_ptr<ReportTable> Build() const { return BuildGainLossReport(b.doc, from, to); }

    DocBuilder b;
    int32_t alpha = -1;
    int32_t saleId = -1;
    int32_t dividendId = -1;
    CQRNDatum from = Day(1, 1, 2021);
    CQRNDatum to = Day(31, 12, 2021);
};

TEST_F(GainLossTest, HandWorkedYear) {
    b.doc.options.gainLoss.itemMask |=
        Bit(kGvCostsSubtotal) | Bit(kGvIncomeSubtotal) | Bit(kGvInterestSubtotal);
    const GainLossStatement s = ComputeGainLoss(b.doc, from, to);
    // Basis "Kaufwert": G/V = 10 × 120 - 10 × 100 = 200.00; the commissions 5.00 (buy) and
    // 4.00 (sale) are costs, with the custody fee 12.00: -21.00. Income 30.00, interest 2.50,
    // taxes -50.00. Total 200 - 21 + 30 + 2.5 - 50 = 161.50.
    ASSERT_EQ(s.groups.size(), 1u);
    EXPECT_EQ(s.groups[0].label, "Steuerpflichtig (Abgeltungssteuer)");
    EXPECT_DOUBLE_EQ(s.groups[0].gainLoss, 200.0);
    EXPECT_DOUBLE_EQ(s.groups[0].saleCosts, 4.0);
    EXPECT_DOUBLE_EQ(ItemOf(s, kGvTransactionCosts).purchaseCosts, -5.0);
    EXPECT_DOUBLE_EQ(ItemOf(s, kGvTransactionCosts).sum, -9.0);
    EXPECT_DOUBLE_EQ(ItemOf(s, kGvCustodyFees).sum, -12.0);
    const double sums[] = {200.0, -21.0, 30.0, 2.5, -50.0};
    const double running[] = {200.0, 179.0, 209.0, 211.5, 161.5};
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(s.sections[i].heading);
        EXPECT_DOUBLE_EQ(s.sections[i].sum, sums[i]);
        EXPECT_DOUBLE_EQ(s.sections[i].runningTotal, running[i]);
    }
    EXPECT_DOUBLE_EQ(s.total, 161.5);

    const auto table = Build();
    EXPECT_EQ(table->CellText(0, 0), "Gewinn- und Verlustauswertung für Erika Muster");
    EXPECT_EQ(table->CellText(1, 0), "01.01.2021-31.12.2021, Depot-Nr. D-17, Konto-Nr. K-42");
    const struct {
        const char* label;
        const char* amount;
    } lines[] = {
        {"Steuerpflichtig (Abgeltungssteuer)", "200,00 Euro"},
        {"Summe Realisierte Gewinne und Verluste", "200,00 Euro"},
        {"Transaktionskosten", "-5,00 Euro"},
        {"Transaktionskosten für Verkäufe Steuerpflichtig (Abgeltungssteuer)", "-4,00 Euro"},
        {"Limit-Gebühren", "0,00 Euro"},
        {"Depotgebühren", "-12,00 Euro"},
        {"Summe Kosten", "-21,00 Euro"},
        {"Dividenden-Gutschrift", "30,00 Euro"},
        {"Summe Erträge", "30,00 Euro"},
        {"Zinserträge (Haben-Zins)", "2,50 Euro"},
        {"Zinskosten (Soll-Zins)", "0,00 Euro"},
        {"Summe Steuern", "-50,00 Euro"},
        {"ENDSUMME", "161,50 Euro"},
    };
    for (const auto& [label, amount] : lines) {
        SCOPED_TRACE(label);
        EXPECT_EQ(AmountOf(*table, label), amount);
    }
    // The three subtotals in order: after the costs, the income and the interest.
    std::vector<std::string> subtotals;
    for (int r = 0; r < static_cast<int>(table->Rows().size()); ++r)
        if (table->CellText(r, 0) == "ZWISCHENSUMME")
            subtotals.push_back(table->CellText(r, kAmount));
    EXPECT_EQ(subtotals, (std::vector<std::string>{"179,00 Euro", "209,00 Euro", "211,50 Euro"}));

    // The sold position under its group, with the column titles.
    const int header = RowWith(*table, 0, "Verkauf");
    ASSERT_GE(header, 0);
    EXPECT_EQ(table->CellText(header, 1), "Kauf");
    EXPECT_EQ(table->CellText(header, 2), "Wertpapier (WKN)");
    EXPECT_EQ(table->CellText(header, 3), "Kaufwert");
    EXPECT_EQ(table->CellText(header, 4), "Verkaufwert");
    EXPECT_EQ(table->CellText(header, 5), "G/V");
    const int sale = header + 1;
    EXPECT_EQ(table->CellText(sale, 0), "01.09.2021");
    EXPECT_EQ(table->CellText(sale, 1), "01.03.2021");
    EXPECT_EQ(table->CellText(sale, 2), "Alpha (A100)");
    EXPECT_EQ(table->CellText(sale, 3), "1.000,00 Euro");
    EXPECT_EQ(table->CellText(sale, 4), "1.200,00 Euro");
    EXPECT_EQ(table->CellText(sale, kDetail), "200,00 Euro");
    EXPECT_EQ(table->Rows()[static_cast<size_t>(sale)].user[kUserTransaction], saleId);

    // The dividend's single booking: date, text, security, amount; it opens its movement.
    const int dividend = RowWith(*table, 0, "17.05.2021");
    ASSERT_GE(dividend, 0);
    EXPECT_EQ(table->CellText(dividend - 1, 1), "Text");
    EXPECT_EQ(table->CellText(dividend, 2), "Alpha (A100)");
    EXPECT_EQ(table->CellText(dividend, kDetail), "30,00 Euro");
    EXPECT_EQ(table->Rows()[static_cast<size_t>(dividend)].user[kUserTransaction], dividendId);

    // Every row is white, and the statement is drawn and printed as text only.
    for (const ReportRow& row : table->Rows()) {
        EXPECT_EQ(table->ColourA(row), kWhite);
        EXPECT_EQ(table->ColourB(row), kWhite);
    }
    EXPECT_EQ(table->Appearance().screenStyle, kStyleTextOnly);
    EXPECT_EQ(table->Appearance().printStyle, kStyleTextOnly);
}

TEST_F(GainLossTest, PurchaseCostsInThePriceMoveFromTheCostsIntoTheBasis) {
    b.doc.options.gainLoss.purchaseCostsInPrice = 1;
    const GainLossStatement s = ComputeGainLoss(b.doc, from, to);
    // Basis "Kaufpreis" 1,000.00 + 5.00: G/V 195.00; the costs keep the sale commission and
    // the custody fee, -16.00; the total stays 195 - 16 + 30 + 2.5 - 50 = 161.50.
    ASSERT_EQ(s.groups.size(), 1u);
    EXPECT_DOUBLE_EQ(s.groups[0].sales[0].purchaseBasis, 1005.0);
    EXPECT_DOUBLE_EQ(s.groups[0].gainLoss, 195.0);
    EXPECT_DOUBLE_EQ(s.sections[kGvSectionCosts].sum, -16.0);
    EXPECT_DOUBLE_EQ(s.total, 161.5);

    const auto table = Build();
    EXPECT_EQ(table->CellText(RowWith(*table, 0, "Verkauf"), 3), "Kaufpreis");
    EXPECT_EQ(RowWith(*table, 0, "Transaktionskosten"), -1);
}

TEST_F(GainLossTest, SaleRowsWithoutPurchaseAndSaleValue) {
    b.doc.options.gainLoss.itemMask &= ~Bit(kGvRealizedValues);
    const auto table = Build();
    const int header = RowWith(*table, 0, "Verkauf");
    ASSERT_GE(header, 0);
    EXPECT_EQ(table->CellText(header, 3), "");
    EXPECT_EQ(table->CellText(header, 4), "");
    EXPECT_EQ(table->CellText(header, kDetail), "G/V");
    EXPECT_EQ(table->CellText(header + 1, 3), "");
    EXPECT_EQ(table->CellText(header + 1, kDetail), "200,00 Euro");
    // Without the positions only the group line and the section's sum remain.
    b.doc.options.gainLoss.itemMask &= ~Bit(kGvRealizedPositions);
    const auto groups = Build();
    EXPECT_EQ(RowWith(*groups, 0, "Verkauf"), -1);
    EXPECT_EQ(groups->CellText(RowWith(*groups, 0, "Steuerpflichtig (Abgeltungssteuer)") + 1, 0),
              "Summe Realisierte Gewinne und Verluste");
    EXPECT_EQ(AmountOf(*groups, "Steuerpflichtig (Abgeltungssteuer)"), "200,00 Euro");
}

TEST_F(GainLossTest, OnlyTheFinalTotal) {
    b.doc.options.gainLoss.itemMask = Bit(kGvFinalTotal);
    const auto table = Build();
    // Nothing is listed, so nothing is counted.
    EXPECT_EQ(Labels(*table),
              (std::vector<std::string>{"Gewinn- und Verlustauswertung für Erika Muster",
                                        "01.01.2021-31.12.2021, Depot-Nr. D-17, Konto-Nr. K-42",
                                        "ENDSUMME"}));
    EXPECT_EQ(AmountOf(*table, "ENDSUMME"), "0,00 Euro");
}

TEST_F(GainLossTest, SwitchedOffItemsAreNeitherShownNorCounted) {
    const struct Case {
        const char* name;
        uint64_t off;
        double total;
    } cases[] = {
        // 161.50 without the taxes' -50.00, the dividend's 30.00, the custody fee's -12.00,
        // or the realized 200.00.
        {"Steuern", Bit(kGvTaxes), 211.5},
        {"Dividenden", Bit(kGvDividends), 131.5},
        {"Depotgebühren", Bit(kGvCustodyFees), 173.5},
        {"Realisiert", Bit(kGvRealized), -38.5},
        {"Kosten", Bit(kGvCosts), 182.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b.doc.options.gainLoss.itemMask = kDefaultGainLossItems & ~c.off;
        EXPECT_DOUBLE_EQ(ComputeGainLoss(b.doc, from, to).total, c.total);
    }
}

TEST_F(GainLossTest, SingleBookingsOfTheCosts) {
    const auto table = Build();
    // Under "Transaktionskosten" the purchase, under the sale line the sale, each negative;
    // the custody fee of 2020 lies before the period.
    const int costs = RowWith(*table, 0, "Transaktionskosten");
    ASSERT_GE(costs, 0);
    EXPECT_EQ(table->CellText(costs + 1, 0), "Datum");
    EXPECT_EQ(table->CellText(costs + 1, 1), "Vorgang");
    EXPECT_EQ(table->CellText(costs + 1, kDetail), "Betrag");
    EXPECT_EQ(table->CellText(costs + 2, 1), "Kauf");
    EXPECT_EQ(table->CellText(costs + 2, kDetail), "-5,00 Euro");
    const int sales =
        RowWith(*table, 0, "Transaktionskosten für Verkäufe Steuerpflichtig (Abgeltungssteuer)");
    ASSERT_GE(sales, 0);
    EXPECT_EQ(table->CellText(sales + 2, 1), "Verkauf");
    EXPECT_EQ(table->CellText(sales + 2, kDetail), "-4,00 Euro");
    EXPECT_EQ(RowWith(*table, 0, "31.12.2020"), -1);

    // Without the column titles the bookings follow their item directly; without the single
    // listing only the item lines remain.
    b.doc.options.gainLoss.itemMask &= ~Bit(kGvCostsTitles);
    auto plain = Build();
    EXPECT_EQ(plain->CellText(RowWith(*plain, 0, "Transaktionskosten") + 1, 1), "Kauf");
    b.doc.options.gainLoss.itemMask &= ~Bit(kGvCostsBookings);
    plain = Build();
    EXPECT_EQ(plain->CellText(RowWith(*plain, 0, "Transaktionskosten") + 1, 0),
              "Transaktionskosten für Verkäufe Steuerpflichtig (Abgeltungssteuer)");
}

TEST_F(GainLossTest, AReversedDividendReducesTheIncome) {
    // A reversal of 30.00 booked as a debit and a new credit of 10.00: 30 - 30 + 10 = 10.00.
    auto reversal = b.Movement(Day(20, 5, 2021), "Dividenden-Gutschrift", 30.0);
    reversal->kindOutflow = 1;
    b.Movement(Day(21, 5, 2021), "Dividenden-Gutschrift", 10.0);
    const GainLossStatement s = ComputeGainLoss(b.doc, from, to);
    EXPECT_DOUBLE_EQ(ItemOf(s, kGvDividends).sum, 10.0);
    EXPECT_DOUBLE_EQ(s.sections[kGvSectionIncome].sum, 10.0);
    // 161.50 - 30.00 + 10.00
    EXPECT_DOUBLE_EQ(s.total, 141.5);
    const auto table = Build();
    EXPECT_EQ(table->CellText(RowWith(*table, 0, "20.05.2021"), kDetail), "-30,00 Euro");
}

TEST_F(GainLossTest, WithoutGroupingOneGroupHoldsAllSales) {
    b.doc.options.gainLoss.groupByTaxCategory = 0;
    const GainLossStatement s = ComputeGainLoss(b.doc, from, to);
    ASSERT_EQ(s.groups.size(), 1u);
    EXPECT_EQ(s.groups[0].costLabel, "Transaktionskosten für Verkäufe");
    EXPECT_DOUBLE_EQ(s.groups[0].gainLoss, 200.0);
}

TEST_F(GainLossTest, EmptyAndReversedPeriods) {
    const struct Case {
        const char* name;
        CQRNDatum from;
        CQRNDatum to;
    } cases[] = {
        {"before every booking", Day(1, 1, 2019), Day(31, 12, 2019)},
        {"start after end", Day(31, 12, 2021), Day(1, 1, 2021)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GainLossStatement s = ComputeGainLoss(b.doc, c.from, c.to);
        EXPECT_TRUE(s.groups.empty());
        EXPECT_EQ(s.total, 0.0);
        const auto table = BuildGainLossReport(b.doc, c.from, c.to);
        EXPECT_EQ(AmountOf(*table, "ENDSUMME"), "0,00 Euro");
    }
}

TEST(GainLossGroups, SalesWithoutCategoryComeUnderSonstige) {
    DocBuilder b;
    // Without the catch-all category: a sale in 2009 of shares bought in June 2008 and held
    // nine months matches none of the others (buy before 2009, sale after 2008, under a year).
    b.doc.taxCategories.pop_back();
    const int32_t s = b.Security("Beta", "B200");
    const auto old = b.Buy(Day(2, 6, 2008), s, 10, 50.0);
    const auto recent = b.Buy(Day(2, 1, 2009), s, 10, 40.0);
    b.Sell(Day(2, 3, 2009), s, {{old.positionNo, 10}}, 45.0, 3.0);
    b.Sell(Day(3, 3, 2009), s, {{recent.positionNo, 10}}, 45.0, 2.0);
    const GainLossStatement st = ComputeGainLoss(b.doc, Day(1, 1, 2009), Day(31, 12, 2009));
    ASSERT_EQ(st.groups.size(), 2u);
    // Category groups first, in category order, then the sales without one:
    // 450 - 400 = 50.00 and 450 - 500 = -50.00.
    EXPECT_EQ(st.groups[0].label, "Steuerpflichtig (Abgeltungssteuer)");
    EXPECT_DOUBLE_EQ(st.groups[0].gainLoss, 50.0);
    EXPECT_EQ(st.groups[1].label, "Sonstige");
    EXPECT_DOUBLE_EQ(st.groups[1].gainLoss, -50.0);
    EXPECT_EQ(st.groups[1].costLabel, "Transaktionskosten für Verkäufe Sonst.");
    EXPECT_DOUBLE_EQ(st.groups[1].saleCosts, 3.0);
    EXPECT_DOUBLE_EQ(st.sections[kGvSectionRealized].sum, 0.0);
}

TEST(GainLossGroups, SalesAreListedByDate) {
    // Lots sold whole keep their place in the holdings computation (the order of the buys);
    // the statement lists them by sale date.
    DocBuilder b;
    const int32_t s = b.Security("Delta");
    const auto first = b.Buy(Day(1, 2, 2021), s, 1, 10.0);
    const auto second = b.Buy(Day(1, 3, 2021), s, 1, 10.0);
    b.Sell(Day(1, 5, 2021), s, {{first.positionNo, 1}}, 11.0);
    b.Sell(Day(1, 4, 2021), s, {{second.positionNo, 1}}, 12.0);
    const GainLossStatement st = ComputeGainLoss(b.doc, Day(1, 1, 2021), Day(31, 12, 2021));
    ASSERT_EQ(st.groups.size(), 1u);
    ASSERT_EQ(st.groups[0].sales.size(), 2u);
    EXPECT_EQ(st.groups[0].sales[0].saleDate, Day(1, 4, 2021));
    EXPECT_EQ(st.groups[0].sales[1].saleDate, Day(1, 5, 2021));
}

// 1 euro = 1,25 dollars from 1.7.2021, no rate before: 25,00 dollars on 1.8.2021 are
// 25 / 1.25 = 20.00 euros; the same amount on 1.5.2021 counts 0.
TEST(GainLossCurrency, BookingsConvertAtTheirDateAndWithoutARateCountZero) {
    DocBuilder b;
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, kUnitsPerReference).id;
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 7, 2021), 1.25);
    b.Movement(Day(1, 5, 2021), "Zinserträge (Haben-Zins)", 25.0, usd);
    b.Movement(Day(1, 8, 2021), "Zinserträge (Haben-Zins)", 25.0, usd);
    const GainLossStatement st = ComputeGainLoss(b.doc, Day(1, 1, 2021), Day(31, 12, 2021));
    const GainLossItem& interest = ItemOf(st, kGvInterestIncome);
    ASSERT_EQ(interest.bookings.size(), 2u);
    EXPECT_EQ(interest.bookings[0].amount, 0.0);
    EXPECT_DOUBLE_EQ(interest.bookings[1].amount, 20.0);
    EXPECT_DOUBLE_EQ(st.total, 20.0);
}

TEST(GainLossCosts, APartialSaleTakesItsShareOfTheBuyCommission) {
    // 10 pieces bought at 100.00 with 5.00 commission, 4 sold at 120.00 with 3.00 commission.
    DocBuilder b;
    const int32_t s = b.Security("Epsilon", "E500");
    const auto buy = b.Buy(Day(1, 3, 2021), s, 10, 100.0, 5.0);
    b.Sell(Day(1, 9, 2021), s, {{buy.positionNo, 4}}, 120.0, 3.0);
    const struct Case {
        const char* name;
        int32_t inPrice;
        double basis;
        double gainLoss;
        double costs;
        double total;
    } cases[] = {
        // "Kaufpreis": 400.00 + 4/10 × 5.00 = 402.00, G/V 480 - 402 = 78.00; the costs hold
        // the sale commission only; 78 - 3 = 75.00 (the other 3.00 of the buy commission stay
        // with the 6 pieces still held).
        {"Kaufpreis", 1, 402.0, 78.0, -3.0, 75.0},
        // "Kaufwert": G/V 480 - 400 = 80.00; the costs are the whole buy commission and the
        // sale commission, -8.00; 80 - 8 = 72.00.
        {"Kaufwert", 0, 400.0, 80.0, -8.0, 72.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b.doc.options.gainLoss.purchaseCostsInPrice = c.inPrice;
        const GainLossStatement st = ComputeGainLoss(b.doc, Day(1, 1, 2021), Day(31, 12, 2021));
        ASSERT_EQ(st.groups.size(), 1u);
        ASSERT_EQ(st.groups[0].sales.size(), 1u);
        EXPECT_DOUBLE_EQ(st.groups[0].sales[0].purchaseBasis, c.basis);
        EXPECT_DOUBLE_EQ(st.groups[0].sales[0].saleValue, 480.0);
        EXPECT_DOUBLE_EQ(st.groups[0].gainLoss, c.gainLoss);
        EXPECT_DOUBLE_EQ(st.sections[kGvSectionCosts].sum, c.costs);
        EXPECT_DOUBLE_EQ(st.total, c.total);
    }
}

TEST(GainLossCosts, MovementsAllocatedAsPurchaseCostsAreCountedOnce) {
    // A limit fee of 7.00 allocated to a lot as purchase costs: with "Kaufpreis" the basis
    // holds the commission only (500 + 5 = 505.00), the fee counts under "Limit-Gebühren".
    DocBuilder b;
    b.doc.options.gainLoss.purchaseCostsInPrice = 1;
    const int32_t s = b.Security("Gamma");
    const auto buy = b.Buy(Day(2, 2, 2021), s, 10, 50.0, 5.0);
    b.Movement(Day(3, 2, 2021), "Limit-Gebühren", 7.0, s, kPurchaseCosts, {{buy.positionNo, 10}});
    b.Sell(Day(2, 3, 2021), s, {{buy.positionNo, 10}}, 60.0);
    const GainLossStatement st = ComputeGainLoss(b.doc, Day(1, 1, 2021), Day(31, 12, 2021));
    ASSERT_EQ(st.groups.size(), 1u);
    EXPECT_DOUBLE_EQ(st.groups[0].sales[0].purchaseBasis, 505.0);
    EXPECT_DOUBLE_EQ(ItemOf(st, kGvLimitFees).sum, -7.0);
    // 600 - 505 - 7 = 88.00
    EXPECT_DOUBLE_EQ(st.total, 88.0);
}

TEST(GainLossDemo, FinalTotalIsTheSumOfTheSections) {
    const CFolari2Doc doc = MakeDemoPortfolio(1);
    const CQRNDatum from = Day(1, 1, 2013);
    const CQRNDatum to = Day(31, 12, 2013);
    const GainLossStatement s = ComputeGainLoss(doc, from, to);
    EXPECT_FALSE(s.groups.empty());
    double sum = 0.0;
    for (const GainLossSection& section : s.sections) {
        double items = 0.0;
        for (const GainLossItem& item : section.items)
            if (item.shown) items += item.sum;
        if (section.bit == kGvRealized)
            for (const GainLossGroup& g : s.groups) items += g.gainLoss;
        EXPECT_NEAR(section.sum, items, 0.005) << section.heading;
        sum += section.sum;
    }
    EXPECT_NEAR(s.total, sum, 0.005);
    const auto table = BuildGainLossReport(doc, from, to);
    EXPECT_EQ(AmountOf(*table, "ENDSUMME"),
              FormatNumber(s.total, 2, 2, false, ",", ".") + " " + s.currencyName);
}

}  // namespace
}  // namespace pf::testing

#include "reports/development_report.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"
#include "reports/development_rows.h"
#include "support/recording_canvas.h"

namespace pf {
namespace {

using testing::Day;

constexpr int32_t kDm = 1;

// A small depot over 1.3. to 8.3.2020, everything in euros:
//   2.3. deposit ("Kapitaleinlage") 1.000,00
//   3.3. buy 10 Alpha at 11,00 + 5,00 commission = 115,00 (lot 1)
//   4.3. buy 5 Beta at 20,00 = 100,00
//   5.3. split of Alpha 2:1 (lot 1: 20 pieces at 5,50)
//   6.3. buy 10 Alpha at 6,50 = 65,00 (lot 2)
//   7.3. sell the 5 Beta at 22,00 = 110,00
//   8.3. deposit 200,00
// Quotes: Alpha 1.3. 10,00, 3.3. 11,00, 4.3. 12,00, 6.3. 6,50 (after the split);
//         Beta 4.3. 20,00, 6.3. 21,00, 7.3. 22,00.
//
// Account K and paid-in capital P at the end of each day:
//   1.3.    0 /    0
//   2.3. 1000 / 1000
//   3.3.  885 / 1000   (1000 - 115)
//   4.3.  785 / 1000   (885 - 100)
//   5.3.  785 / 1000
//   6.3.  720 / 1000   (785 - 65)
//   7.3.  830 / 1000   (720 + 110)
//   8.3. 1030 / 1200   (830 + 200)
// Depot value V (quotes in the pieces of 8.3.: Alpha before the split halved) and invested
// capital I (with commissions):
//   3.3. V = 20 x 5,50 = 110                          I = 115
//   4.3. V = 20 x 6,00 + 5 x 20 = 220                 I = 115 + 100 = 215
//   5.3. V = 220                                      I = 215
//   6.3. V = 20 x 6,50 + 10 x 6,50 + 5 x 21 = 300     I = 215 + 65 = 280
//   7.3. V = 30 x 6,50 = 195                          I = 180
//   8.3. V = 195                                      I = 180
// Assets A = V + K: 1.3. 0, 2.3. 1000, 3.3. 995, 4.3. 1005, 5.3. 1005, 6.3. 1020,
//   7.3. 1025, 8.3. 1225.
class DevelopmentRowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        alpha = b.Security("Alpha", "Z1");
        beta = b.Security("Beta", "A9");
        b.Quote(alpha, Day(1, 3, 2020), 10.0);
        b.Quote(alpha, Day(3, 3, 2020), 11.0);
        b.Quote(alpha, Day(4, 3, 2020), 12.0);
        b.Quote(alpha, Day(6, 3, 2020), 6.5);
        b.Quote(beta, Day(4, 3, 2020), 20.0);
        b.Quote(beta, Day(6, 3, 2020), 21.0);
        b.Quote(beta, Day(7, 3, 2020), 22.0);
        b.Movement(Day(2, 3, 2020), "Kapitaleinlage", 1000.0);
        lot1 = b.Buy(Day(3, 3, 2020), alpha, 10, 11.0, 5.0).positionNo;
        betaLot = b.Buy(Day(4, 3, 2020), beta, 5, 20.0).positionNo;
        b.Split(Day(5, 3, 2020), alpha, 2, 1);
        lot2 = b.Buy(Day(6, 3, 2020), alpha, 10, 6.5).positionNo;
        // The sold lot takes the sale's number.
        betaLot = b.Sell(Day(7, 3, 2020), beta, {{betaLot, 5}}, 22.0).newNumbers.at(0);
        b.Movement(Day(8, 3, 2020), "Kapitaleinlage", 200.0);
        Options().itemMask = static_cast<int32_t>(0x3FFFFFFFu);  // every item
    }

    DevelopmentReportOptions& Options() { return b.doc.options.development; }
    DevelopmentRows Rows(CQRNDatum from = Day(1, 3, 2020), CQRNDatum to = Day(8, 3, 2020)) {
        return ComputeDevelopmentRows(b.doc, from, to);
    }
    static const DevelopmentDay& On(const DevelopmentRows& rows, CQRNDatum day) {
        return rows.days.at(day.DayNumber() - rows.from.DayNumber());
    }
    // A day of rows that are gone at the end of the statement would dangle.
    static const DevelopmentDay& On(DevelopmentRows&& rows, CQRNDatum day) = delete;

    testing::DocBuilder b;
    int32_t alpha = -1;
    int32_t beta = -1;
    int32_t lot1 = -1;
    int32_t lot2 = -1;
    int32_t betaLot = -1;
};

void ExpectPercent(const std::optional<double>& actual, std::optional<double> expected) {
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (expected) {
        EXPECT_NEAR(*actual, *expected, 1e-9);
    }
}

TEST(DevelopmentItems, SubItemsShowOnlyUnderTheirGroup) {
    const uint32_t price = 1u << kDevPositionPrice;
    const uint32_t invested = 1u << kDevInvested;
    const uint32_t balance = 1u << kDevBalance;
    const uint32_t dayChange = 1u << kDevAssetsDayChange;
    struct Case {
        const char* name;
        uint32_t mask;
        DevelopmentItem item;
        bool shown;
    };
    const Case cases[] = {
        {"price without the positions group", price, kDevPositionPrice, false},
        {"price with it", price | 1u, kDevPositionPrice, true},
        {"invested without the depot group", invested, kDevInvested, false},
        {"invested under the account group", invested | (1u << kDevAccount), kDevInvested, false},
        {"invested with its group", invested | (1u << kDevDepot), kDevInvested, true},
        {"balance with its group", balance | (1u << kDevAccount), kDevBalance, true},
        {"day change with its group", dayChange | (1u << kDevAssets), kDevAssetsDayChange, true},
        {"group alone", 1u << kDevDepot, kDevDepot, true},
        {"a bit that names no item", 0xFFFFFFFFu, static_cast<DevelopmentItem>(1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DevelopmentItemShown(c.mask, c.item), c.shown);
    }
    EXPECT_EQ(ShownDevelopmentItems(0xFFFFFFFFu, kDevAccount),
              (std::vector<DevelopmentItem>{kDevBalance, kDevLiquidityPercent}));
    EXPECT_TRUE(ShownDevelopmentItems(0xFFFFFFFFu & ~(1u << kDevAccount), kDevAccount).empty());
}

TEST_F(DevelopmentRowsTest, DepotGroupAroundBuySplitAndSale) {
    const DevelopmentRows rows = Rows();
    ASSERT_EQ(rows.days.size(), 8u);
    struct Case {
        CQRNDatum day;
        double invested, value, gain;
        std::optional<double> gainPercent;
    };
    const Case cases[] = {
        {Day(1, 3, 2020), 0, 0, 0, std::nullopt},  // nothing invested: no percentage
        {Day(2, 3, 2020), 0, 0, 0, std::nullopt},
        {Day(3, 3, 2020), 115, 110, -5, -5.0 / 115 * 100},  // -4,35 %
        {Day(4, 3, 2020), 215, 220, 5, 5.0 / 215 * 100},
        {Day(5, 3, 2020), 215, 220, 5, 5.0 / 215 * 100},    // the split changes nothing
        {Day(6, 3, 2020), 280, 300, 20, 20.0 / 280 * 100},  // 7,14 %
        {Day(7, 3, 2020), 180, 195, 15, 15.0 / 180 * 100},  // Beta gone on its sale day
        {Day(8, 3, 2020), 180, 195, 15, 15.0 / 180 * 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.FormatLong());
        const DevelopmentDay& d = On(rows, c.day);
        EXPECT_EQ(d.date, c.day);
        EXPECT_AMOUNT(d.invested, c.invested);
        EXPECT_AMOUNT(d.depotValue, c.value);
        EXPECT_AMOUNT(d.depotGain, c.gain);
        ExpectPercent(d.depotGainPercent, c.gainPercent);
        // V(1.3.) = 0: the change is V itself and has no percentage.
        EXPECT_AMOUNT(d.depotChange, c.value);
        EXPECT_FALSE(d.depotChangePercent.has_value());
    }

    // Without commissions the invested capital is the market value: 3.3. 110, gain 0.
    Options().includeCommissions = 0;
    const DevelopmentRows netRows = Rows();
    const DevelopmentDay& net = On(netRows, Day(3, 3, 2020));
    EXPECT_AMOUNT(net.invested, 110.0);
    EXPECT_AMOUNT(net.depotGain, 0.0);
    ExpectPercent(net.depotGainPercent, 0.0);
}

TEST_F(DevelopmentRowsTest, ChangesSinceTheStartAndAgainstThePreviousDay) {
    // Period 4.3. to 8.3.: V(start) = 220, A(start) = 1005, A(3.3.) = 995.
    const DevelopmentRows rows = Rows(Day(4, 3, 2020), Day(8, 3, 2020));
    struct Case {
        CQRNDatum day;
        double depotChange;
        double assetsChange;
        double dayChange;
        double previousAssets;
    };
    const Case cases[] = {
        {Day(4, 3, 2020), 0, 0, 10, 995},  // 1005 - 995
        {Day(5, 3, 2020), 0, 0, 0, 1005},
        {Day(6, 3, 2020), 80, 15, 15, 1005},     // 300 - 220; 1020 - 1005
        {Day(7, 3, 2020), -25, 20, 5, 1020},     // 195 - 220; 1025 - 1005
        {Day(8, 3, 2020), -25, 220, 200, 1025},  // the deposit shows as a change
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.FormatLong());
        const DevelopmentDay& d = On(rows, c.day);
        EXPECT_AMOUNT(d.depotChange, c.depotChange);
        ExpectPercent(d.depotChangePercent, c.depotChange / 220 * 100);
        EXPECT_AMOUNT(d.assetsChange, c.assetsChange);
        ExpectPercent(d.assetsChangePercent, c.assetsChange / 1005 * 100);
        ASSERT_TRUE(d.assetsDayChange.has_value());
        EXPECT_AMOUNT(*d.assetsDayChange, c.dayChange);
        ExpectPercent(d.assetsDayChangePercent, c.dayChange / c.previousAssets * 100);
    }
    // Against 0 assets there is no percentage: 2.3. gains 1000 from nothing.
    const DevelopmentRows oneDay = Rows(Day(2, 3, 2020), Day(2, 3, 2020));
    const DevelopmentDay& deposit = On(oneDay, Day(2, 3, 2020));
    EXPECT_AMOUNT(*deposit.assetsDayChange, 1000.0);
    EXPECT_FALSE(deposit.assetsDayChangePercent.has_value());
}

TEST_F(DevelopmentRowsTest, AccountAndAssetsAroundTheDeposits) {
    const DevelopmentRows rows = Rows();
    struct Case {
        CQRNDatum day;
        double balance;
        std::optional<double> liquidity;
        double paidIn, assets, gain;
        std::optional<double> gainPercent;
    };
    const Case cases[] = {
        {Day(1, 3, 2020), 0, std::nullopt, 0, 0, 0, std::nullopt},
        {Day(2, 3, 2020), 1000, 100.0, 1000, 1000, 0, 0.0},
        {Day(3, 3, 2020), 885, 885.0 / 995 * 100, 1000, 995, -5, -0.5},
        {Day(7, 3, 2020), 830, 830.0 / 1025 * 100, 1000, 1025, 25, 2.5},
        {Day(8, 3, 2020), 1030, 1030.0 / 1225 * 100, 1200, 1225, 25, 25.0 / 1200 * 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.FormatLong());
        const DevelopmentDay& d = On(rows, c.day);
        EXPECT_AMOUNT(d.balance, c.balance);
        ExpectPercent(d.liquidityPercent, c.liquidity);
        EXPECT_AMOUNT(d.paidIn, c.paidIn);
        EXPECT_AMOUNT(d.assets, c.assets);
        EXPECT_AMOUNT(d.assetsGain, c.gain);
        ExpectPercent(d.assetsGainPercent, c.gainPercent);
    }
}

TEST_F(DevelopmentRowsTest, CorrectionForDepositsRelativeToStartOrEnd) {
    Options().correctAccount = 1;
    Options().correctAssets = 1;
    // Relative to the start 3.3. (P = 1000): the balance is K - P(d) + 1000, the 200 paid in
    // on 8.3. are taken off; the paid-in capital stays 1000.
    //   3.3. K 885, A 995; 2.3. (the day before) A = 1000 - 1000 + 1000 = 1000
    //   7.3. K 830, A 1025
    //   8.3. K = 1030 - 1200 + 1000 = 830, A = 1225 - 200 = 1025
    DevelopmentRows rows = Rows(Day(3, 3, 2020), Day(8, 3, 2020));
    const DevelopmentDay& first = On(rows, Day(3, 3, 2020));
    EXPECT_AMOUNT(first.balance, 885.0);
    EXPECT_AMOUNT(*first.assetsDayChange, -5.0);  // 995 - 1000
    const DevelopmentDay& last = On(rows, Day(8, 3, 2020));
    EXPECT_AMOUNT(last.balance, 830.0);
    EXPECT_AMOUNT(last.assets, 1025.0);
    EXPECT_AMOUNT(last.paidIn, 1000.0);
    EXPECT_AMOUNT(last.assetsGain, 25.0);  // the same gain as without the correction
    EXPECT_AMOUNT(*last.assetsDayChange, 0.0);
    EXPECT_AMOUNT(last.assetsChange, 30.0);  // 1025 - 995
    ExpectPercent(last.assetsChangePercent, 30.0 / 995 * 100);
    // The liquidity ratio keeps the real balance: 1030 / 1225.
    ExpectPercent(last.liquidityPercent, 1030.0 / 1225 * 100);

    // Relative to the end (P = 1200): K - P(d) + 1200, the capital still to come is added.
    //   3.3. K = 885 - 1000 + 1200 = 1085, A = 995 + 200 = 1195
    //   8.3. K 1030, A 1225, both as they are
    Options().correctionRelativeToEnd = 1;
    rows = Rows(Day(3, 3, 2020), Day(8, 3, 2020));
    EXPECT_AMOUNT(On(rows, Day(3, 3, 2020)).balance, 1085.0);
    EXPECT_AMOUNT(On(rows, Day(3, 3, 2020)).assets, 1195.0);
    EXPECT_AMOUNT(On(rows, Day(3, 3, 2020)).paidIn, 1200.0);
    EXPECT_AMOUNT(On(rows, Day(3, 3, 2020)).assetsGain, -5.0);
    EXPECT_AMOUNT(On(rows, Day(8, 3, 2020)).balance, 1030.0);
    EXPECT_AMOUNT(On(rows, Day(8, 3, 2020)).assets, 1225.0);
    EXPECT_AMOUNT(*On(rows, Day(8, 3, 2020)).assetsDayChange, 0.0);  // 1225 - (1025 + 200)

    // Only the account corrected: the assets keep the deposit.
    Options().correctAssets = 0;
    Options().correctionRelativeToEnd = 0;
    rows = Rows(Day(3, 3, 2020), Day(8, 3, 2020));
    EXPECT_AMOUNT(On(rows, Day(8, 3, 2020)).balance, 830.0);
    EXPECT_AMOUNT(On(rows, Day(8, 3, 2020)).assets, 1225.0);
    EXPECT_AMOUNT(On(rows, Day(8, 3, 2020)).paidIn, 1200.0);
}

TEST_F(DevelopmentRowsTest, EachGroupInItsOwnCurrency) {
    Options().assetsCurrencyId = kDm;  // 1 EUR = 1,95583 DM
    const DevelopmentRows rows = Rows();
    const DevelopmentDay& d = On(rows, Day(3, 3, 2020));
    // Depot and account stay in euros.
    EXPECT_AMOUNT(d.depotValue, 110.0);
    EXPECT_AMOUNT(d.balance, 885.0);
    // Assets in DM, each series converted and rounded on its own:
    //   V 110 x 1,95583 = 215,1413 -> 215,14; K 885 x 1,95583 = 1730,90955 -> 1730,91;
    //   P 1000 x 1,95583 = 1955,83.
    EXPECT_AMOUNT(d.assets, 1946.05);
    EXPECT_AMOUNT(d.paidIn, 1955.83);
    EXPECT_AMOUNT(d.assetsGain, -9.78);
}

TEST_F(DevelopmentRowsTest, ColumnsPerLotWithPricesAndGains) {
    Options().columnPerLot = 1;
    const DevelopmentRows rows = Rows();
    // By name: the two Alpha lots in the order they were made, then Beta.
    ASSERT_EQ(rows.positions.size(), 3u);
    const DevelopmentPosition& a1 = rows.positions[0];
    const DevelopmentPosition& a2 = rows.positions[1];
    const DevelopmentPosition& bt = rows.positions[2];
    EXPECT_EQ(a1.positionNos, std::vector<int32_t>{lot1});
    EXPECT_EQ(a2.positionNos, std::vector<int32_t>{lot2});
    EXPECT_EQ(bt.positionNos, std::vector<int32_t>{betaLot});
    EXPECT_EQ(a1.securityId, alpha);
    EXPECT_EQ(bt.securityId, beta);
    EXPECT_EQ(a1.heldFrom, Day(3, 3, 2020));
    EXPECT_EQ(a1.heldUntil, Day(8, 3, 2020));
    EXPECT_EQ(bt.heldFrom, Day(4, 3, 2020));
    EXPECT_EQ(bt.heldUntil, Day(6, 3, 2020));  // the day before the sale

    struct Case {
        const char* name;
        const DevelopmentPosition* column;
        CQRNDatum day;
        std::optional<double> price;
        std::optional<double> gain;
    };
    const Case cases[] = {
        {"lot 1 the day before its buy", &a1, Day(2, 3, 2020), std::nullopt, std::nullopt},
        // 20 x 5,50 = 110 against 115 with the commission.
        {"lot 1 on its buy day", &a1, Day(3, 3, 2020), 11.0, -5.0 / 115 * 100},
        {"lot 1 before the split", &a1, Day(4, 3, 2020), 12.0, 5.0 / 115 * 100},
        // The 4.3. quote as seen on the split day: 12 / 2.
        {"lot 1 on the split day", &a1, Day(5, 3, 2020), 6.0, 5.0 / 115 * 100},
        {"lot 1 after the split", &a1, Day(6, 3, 2020), 6.5, 15.0 / 115 * 100},
        {"lot 2 before its buy", &a2, Day(5, 3, 2020), std::nullopt, std::nullopt},
        {"lot 2 on its buy day", &a2, Day(6, 3, 2020), 6.5, 0.0},
        {"Beta on its buy day", &bt, Day(4, 3, 2020), 20.0, 0.0},
        {"Beta the day before its sale", &bt, Day(6, 3, 2020), 21.0, 5.0},  // 105 / 100
        {"Beta on its sale day", &bt, Day(7, 3, 2020), std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectPercent(c.column->PriceOn(c.day), c.price);
        ExpectPercent(c.column->GainPercentOn(c.day), c.gain);
    }
}

TEST_F(DevelopmentRowsTest, ColumnsPerSecurityJoinTheLots) {
    const DevelopmentRows rows = Rows();
    ASSERT_EQ(rows.positions.size(), 2u);
    const DevelopmentPosition& a = rows.positions[0];
    EXPECT_EQ(a.securityId, alpha);
    EXPECT_EQ(a.positionNos, (std::vector<int32_t>{lot1, lot2}));
    EXPECT_EQ(a.heldFrom, Day(3, 3, 2020));
    // 6.3.: (130 + 65) against (115 + 65) = 15 / 180.
    ExpectPercent(a.GainPercentOn(Day(6, 3, 2020)), 15.0 / 180 * 100);
    ExpectPercent(a.GainPercentOn(Day(5, 3, 2020)), 5.0 / 115 * 100);
    ExpectPercent(a.PriceOn(Day(8, 3, 2020)), 6.5);
    EXPECT_EQ(rows.positions[1].securityId, beta);
}

TEST_F(DevelopmentRowsTest, SortKeysOfThePositionColumns) {
    Options().columnPerLot = 1;
    struct Case {
        DevelopmentSortKey key;
        std::vector<int32_t> lots;
    };
    const Case cases[] = {
        {kDevelopmentByName, {lot1, lot2, betaLot}},
        {kDevelopmentByWkn, {betaLot, lot1, lot2}},  // "A9" before "Z1"
        {kDevelopmentByPurchaseDate, {lot1, betaLot, lot2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Options().sortKey = c.key;
        const DevelopmentRows rows = Rows();
        std::vector<int32_t> lots;
        for (const DevelopmentPosition& p : rows.positions) lots.push_back(p.positionNos.front());
        EXPECT_EQ(lots, c.lots);
    }
}

TEST_F(DevelopmentRowsTest, PositionTextPlaceholders) {
    b.doc.FindSecurity(beta)->isin = "DE000BETA01";
    Options().positionText =
        "<BEZEICHNUNG> (<WKN>, <ISIN>/<KUERZEL>) <STUECK> St. <KURSWAEHRUNG> "
        "<KAUFDATUM> <KAUFKURS> - <VERKAUFDATUM> <VERKAUFKURS> [<STARTDATUM>-<ENDDATUM>]";
    Options().columnPerLot = 1;
    DevelopmentRows rows = Rows();
    ASSERT_EQ(rows.positions.size(), 3u);
    EXPECT_EQ(rows.positions[0].text,
              "Alpha (Z1, /) 20 St. EUR 03.03.2020 5,50 -   [01.03.2020-08.03.2020]");
    EXPECT_EQ(rows.positions[2].text,
              "Beta (A9, DE000BETA01/DE000BETA01) 5 St. EUR 04.03.2020 20,00 - 07.03.2020 22,00 "
              "[01.03.2020-08.03.2020]");

    // One column for Alpha: 20 + 10 pieces held on 8.3., bought from 3.3. at
    // (20 x 5,50 + 10 x 6,50) / 30 = 175 / 30 = 5,8333.
    Options().columnPerLot = 0;
    rows = Rows();
    EXPECT_EQ(rows.positions[0].text,
              "Alpha (Z1, /) 30 St. EUR 03.03.2020 5,83 -   [01.03.2020-08.03.2020]");
    // A period that ends before the sale: Beta is still held, no sale shows.
    rows = Rows(Day(1, 3, 2020), Day(6, 3, 2020));
    EXPECT_EQ(rows.positions[1].text,
              "Beta (A9, DE000BETA01/DE000BETA01) 5 St. EUR 04.03.2020 20,00 -   "
              "[01.03.2020-06.03.2020]");
}

TEST_F(DevelopmentRowsTest, OneDayPeriod) {
    Options().columnPerLot = 1;
    const DevelopmentRows rows = Rows(Day(6, 3, 2020), Day(6, 3, 2020));
    ASSERT_EQ(rows.days.size(), 1u);
    const DevelopmentDay& d = rows.days[0];
    EXPECT_AMOUNT(d.depotValue, 300.0);
    EXPECT_AMOUNT(d.depotChange, 0.0);
    ExpectPercent(d.depotChangePercent, 0.0);
    EXPECT_AMOUNT(d.assetsChange, 0.0);
    EXPECT_AMOUNT(*d.assetsDayChange, 15.0);  // 1020 - 1005 (5.3.)
    ASSERT_EQ(rows.positions.size(), 3u);
    for (const DevelopmentPosition& p : rows.positions) {
        EXPECT_EQ(p.heldFrom, Day(6, 3, 2020));
        EXPECT_EQ(p.heldUntil, Day(6, 3, 2020));
    }
    // A period that ends before it starts has nothing.
    const DevelopmentRows none = Rows(Day(7, 3, 2020), Day(6, 3, 2020));
    EXPECT_TRUE(none.days.empty());
    EXPECT_TRUE(none.positions.empty());
}

TEST_F(DevelopmentRowsTest, PositionsSoldBeforeThePeriodGetNoColumn) {
    // 7.3. to 8.3.: Beta was sold on 7.3.
    const DevelopmentRows rows = Rows(Day(7, 3, 2020), Day(8, 3, 2020));
    ASSERT_EQ(rows.positions.size(), 1u);
    EXPECT_EQ(rows.positions[0].securityId, alpha);
}

TEST_F(DevelopmentRowsTest, GroupsSwitchedOffAreNotComputed) {
    Options().itemMask = static_cast<int32_t>((1u << kDevPositionPrice) | (1u << kDevInvested) |
                                              (1u << kDevAssets) | (1u << kDevPaidIn));
    const DevelopmentRows rows = Rows();
    EXPECT_TRUE(rows.positions.empty());
    const DevelopmentDay& d = On(rows, Day(8, 3, 2020));
    EXPECT_AMOUNT(d.invested, 0.0);
    EXPECT_AMOUNT(d.paidIn, 1200.0);
}

// The table of the fixture over 1.3. to 8.3. with every item, one column per lot. Columns:
//   0 date; 1-3 Alpha lot 1 (price, %, text), 4-6 Alpha lot 2, 7-9 Beta;
//   10-15 depot (I, V, G/V, G/V %, change, change %); 16-17 account (K, liquidity);
//   18-25 assets (P, A, G/V, G/V %, change, change %, day change, day change %).
// Rows: 0 title, 1-3 headers, 4.. the days (1.3. is row 4, 3.3. row 6).
class DevelopmentTableTest : public DevelopmentRowsTest {
  protected:
    void SetUp() override {
        DevelopmentRowsTest::SetUp();
        Options().columnPerLot = 1;
    }
    std::unique_ptr<DevelopmentTable> Table(CQRNDatum from = Day(1, 3, 2020),
                                            CQRNDatum to = Day(8, 3, 2020)) {
        return BuildDevelopmentTableReport(b.doc, from, to);
    }
    static std::vector<std::string> Line(const DevelopmentTable& t, int row) {
        std::vector<std::string> texts;
        for (int c = 0; c < t.ColumnCount(); ++c) texts.emplace_back(t.CellText(row, c));
        return texts;
    }
};

TEST_F(DevelopmentTableTest, HeadersAndColumnTitles) {
    const auto t = Table();
    ASSERT_EQ(t->ColumnCount(), 26);
    ASSERT_EQ(t->RowCount(), 4 + 8);
    EXPECT_EQ(t->CellText(0, 0), "Depotentwicklung von 01.03.2020 bis 08.03.2020");
    const std::vector<std::string> groups = Line(*t, 1);
    EXPECT_EQ(groups[0], "Datum");
    EXPECT_EQ(groups[1], "Wertpapierpositionen");
    EXPECT_EQ(groups[10], "Depot");
    EXPECT_EQ(groups[16], "Konto");
    EXPECT_EQ(groups[18], "Vermögen");
    const std::vector<std::string> first = Line(*t, 2);
    const std::vector<std::string> second = Line(*t, 3);
    EXPECT_EQ(first[1], "Z1");  // a position's WKN over its columns
    EXPECT_EQ(first[7], "A9");
    EXPECT_EQ(second[1], "Kurs");
    EXPECT_EQ(second[2], "G/V in %");
    EXPECT_EQ(second[3], "");
    const std::vector<std::pair<std::string, std::string>> titles = {
        {"Inv. Kap.", "in EUR"},     {"Depotwert", "in EUR"},
        {"G/V", "in EUR"},           {"G/V", "in %"},
        {"Änd. gg. Anf.", "in EUR"}, {"Änd. gg. Anf.", "in %"},
        {"Kontostand", "in EUR"},    {"Liq.", "Quote"},
        {"Eing. Kap.", "in EUR"},    {"Vermögen", "in EUR"},
        {"G/V", "in EUR"},           {"G/V", "in %"},
        {"Änd. gg. Anf.", "in EUR"}, {"Änd. gg. Anf.", "in %"},
        {"gg.VT", "in EUR"},         {"gg.VT", "in %"}};
    for (size_t i = 0; i < titles.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(first[10 + i], titles[i].first);
        EXPECT_EQ(second[10 + i], titles[i].second);
    }

    // The assets in DM: their titles say so, the others stay in euros.
    Options().assetsCurrencyId = kDm;
    const auto dm = Table();
    EXPECT_EQ(dm->CellText(3, 10), "in EUR");
    EXPECT_EQ(dm->CellText(3, 18), "in DM");
}

TEST_F(DevelopmentTableTest, DayRows) {
    const auto t = Table();
    // 3.3. (row 6): lot 1 11,00 and -5 / 115 = -4,35 % shown with 1 decimal; lot 2 and Beta
    // not held yet. Depot 115 / 110 / -5; liquidity 885 / 995 = 88,94 %; assets day change
    // 995 - 1000 = -5 = -0,5 %.
    const std::vector<std::string> day3 = Line(*t, 6);
    EXPECT_EQ(day3[0], "03.03.2020");
    EXPECT_EQ(day3[1], "11,00");
    EXPECT_EQ(day3[2], "-4,3%");
    EXPECT_EQ(day3[4], "");
    EXPECT_EQ(day3[7], "");
    EXPECT_EQ(day3[10], "115,00");
    EXPECT_EQ(day3[11], "110,00");
    EXPECT_EQ(day3[12], "-5,00");
    EXPECT_EQ(day3[13], "-4,3%");
    EXPECT_EQ(day3[14], "110,00");
    EXPECT_EQ(day3[15], "");  // no percentage against V(1.3.) = 0
    EXPECT_EQ(day3[16], "885,00");
    EXPECT_EQ(day3[17], "88,9%");
    EXPECT_EQ(day3[19], "995,00");
    EXPECT_EQ(day3[24], "-5,00");
    EXPECT_EQ(day3[25], "-0,5%");
    // Beta on 6.3. (row 9) and on its sale day 7.3. (row 10).
    EXPECT_EQ(t->CellText(9, 7), "21,00");
    EXPECT_EQ(t->CellText(9, 8), "5,0%");
    EXPECT_EQ(t->CellText(10, 7), "");
    EXPECT_EQ(t->CellText(10, 8), "");
    // 8.3. (row 11): the deposit of 200 against 1025: +19,5 %; with 2 percent decimals
    // 200 / 1025 = 19,512... -> 19,51 %.
    EXPECT_EQ(t->CellText(11, 24), "200,00");
    EXPECT_EQ(t->CellText(11, 25), "19,5%");
    b.doc.options.lists.percentDecimals = 2;
    EXPECT_EQ(Table()->CellText(11, 25), "19,51%");
}

TEST_F(DevelopmentTableTest, UserValuesAndVerticalTexts) {
    Options().positionText = "<BEZEICHNUNG> <KAUFDATUM>";
    const auto t = Table();
    // Position cells carry their security on held days only.
    EXPECT_EQ(t->CellUser(6, 1), alpha);
    EXPECT_EQ(t->CellUser(9, 8), beta);
    EXPECT_EQ(t->CellUser(10, 8), -1);  // Beta sold
    EXPECT_EQ(t->CellUser(6, 10), -1);  // a depot cell
    EXPECT_TRUE(t->IsColumnVertical(3));

    RecordingCanvas screen;
    t->Layout(screen);
    // The row under a point in the date column of 3.3. carries that day.
    HitResult hit;
    for (int y = 0; y > -5000 && hit.row != 6; --y) hit = t->HitTest({t->ScreenX(0) + 1, y});
    ASSERT_EQ(hit.row, 6);
    EXPECT_EQ(hit.user[kUserDate], static_cast<int>(Day(3, 3, 2020).DayNumber()));
    hit = {};
    for (int y = 0; y > -5000 && hit.row != 6; --y) hit = t->HitTest({t->ScreenX(1) + 1, y});
    EXPECT_EQ(hit.cellUser, alpha);

    t->DrawScreen(screen, Rect{-100000, 100000, 100000, -100000});
    std::vector<std::string> vertical;
    for (const RecordingCanvas::Op& op : screen.Ops())
        if (op.kind == RecordingCanvas::Op::VerticalText) vertical.push_back(op.text);
    for (const char* text : {"Alpha 03.03.2020", "Alpha 06.03.2020", "Beta 04.03.2020"}) {
        SCOPED_TRACE(text);
        EXPECT_NE(std::find(vertical.begin(), vertical.end(), text), vertical.end());
    }
}

TEST_F(DevelopmentTableTest, ColumnsFollowTheMask) {
    // Positions with the price only, per security; the depot group off with its sub-items;
    // the account group with the balance only; the assets group on without sub-items.
    Options().columnPerLot = 0;
    Options().itemMask = static_cast<int32_t>((1u << kDevPositions) | (1u << kDevPositionPrice) |
                                              (1u << kDevInvested) | (1u << kDevAccount) |
                                              (1u << kDevBalance) | (1u << kDevAssets));
    const auto t = Table();
    ASSERT_EQ(t->ColumnCount(), 1 + 2 + 1);
    EXPECT_EQ(Line(*t, 1),
              (std::vector<std::string>{"Datum", "Wertpapierpositionen", "", "Konto"}));
    EXPECT_EQ(Line(*t, 3), (std::vector<std::string>{"", "Kurs", "Kurs", "in EUR"}));
    EXPECT_EQ(Line(*t, 11), (std::vector<std::string>{"08.03.2020", "6,50", "", "1.030,00"}));

    // An empty depot over one day: no position columns, the groups still there.
    testing::DocBuilder empty;
    empty.doc.options.development.itemMask = static_cast<int32_t>(0x3FFFFFFFu);
    const auto e = BuildDevelopmentTableReport(empty.doc, Day(1, 3, 2020), Day(1, 3, 2020));
    ASSERT_EQ(e->ColumnCount(), 1 + 6 + 2 + 8);
    EXPECT_EQ(e->RowCount(), 5);
    EXPECT_EQ(e->CellText(1, 1), "Depot");
    EXPECT_EQ(e->CellText(4, 1), "0,00");
    EXPECT_EQ(e->CellText(4, 4), "");  // no percentage of nothing invested
}

TEST(DevelopmentRows, EmptyDepot) {
    testing::DocBuilder b;
    b.doc.options.development.itemMask = static_cast<int32_t>(0x3FFFFFFFu);
    const DevelopmentRows rows = ComputeDevelopmentRows(b.doc, Day(1, 3, 2020), Day(3, 3, 2020));
    ASSERT_EQ(rows.days.size(), 3u);
    EXPECT_TRUE(rows.positions.empty());
    for (const DevelopmentDay& d : rows.days) {
        SCOPED_TRACE(d.date.FormatLong());
        EXPECT_AMOUNT(d.depotValue, 0.0);
        EXPECT_AMOUNT(d.assets, 0.0);
        EXPECT_FALSE(d.depotGainPercent.has_value());
        EXPECT_FALSE(d.depotChangePercent.has_value());
        EXPECT_FALSE(d.liquidityPercent.has_value());
        EXPECT_FALSE(d.assetsGainPercent.has_value());
        EXPECT_FALSE(d.assetsChangePercent.has_value());
        ASSERT_TRUE(d.assetsDayChange.has_value());
        EXPECT_AMOUNT(*d.assetsDayChange, 0.0);
        EXPECT_FALSE(d.assetsDayChangePercent.has_value());
    }
}

}  // namespace
}  // namespace pf

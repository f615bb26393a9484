#include "engine/holdings.h"

#include <gtest/gtest.h>

#include "engine_test_util.h"
#include "model/currency_conversion.h"

namespace pf::testing {
namespace {

constexpr int32_t kEur = 0;
constexpr int32_t kDm = 1;

// One portfolio through every kind of transaction; each lot field below was worked out by
// hand from the replay rules (amounts in EUR, the target currency).
class Scenario : public ::testing::Test {
  protected:
    void SetUp() override {
        CFolari2Doc& doc = b.doc;
        usd = doc.AddCurrency("USD", "US-Dollar", false, 1, 1, kEur, kUnitsPerReference).id;
        a = b.Security("Alpha");
        beta = b.Security("Beta", usd);
        c = b.Security("Gamma");
        d = b.Security("Delta");
        doc.stopTargets = {{5, 30.0, 40.0}};
        doc.accountCurrencyChanges = {{kDm, Day(1, 6, 2020)}};

        // #0: 100 Alpha at 10,00 + 9,90 costs.
        b.Buy(Day(2, 1, 2020), a, 100, 10.0, 9.90)->text = "erster Kauf";
        // #1: 50 Alpha at 12,00 EUR plus 3,00 EUR, settled in DM (rate 1 : 1,95583) plus
        // 5,00 DM: (600 + 3) × 1,95583 = 1179,37 DM, + 5 = 1184,37 DM.
        CFL2Transaktion buyDm;
        buyDm.type = TransactionType::Buy;
        buyDm.date = Day(3, 1, 2020);
        buyDm.securityId = a;
        buyDm.positionNo = b.doc.nextPositionNo++;
        buyDm.quantity = 50 * kPiece;
        buyDm.price = 12.0;
        buyDm.marketValue1 = 600.0;
        buyDm.commission1 = 3.0;
        buyDm.currency1 = kEur;
        buyDm.rateBase = 1.0;
        buyDm.rateQuote = 1.95583;
        buyDm.commission2 = 5.0;
        buyDm.currency2 = kDm;
        buyDm.amount = 1184.37;
        b.Insert(buyDm);
        // #2: 20 Beta at 50 USD + 2 USD, at 1,10 USD per EUR, + 4,90 EUR: 910,91 + 4,90.
        CFL2Transaktion buyUsd = buyDm;
        buyUsd.date = Day(4, 1, 2020);
        buyUsd.securityId = beta;
        buyUsd.positionNo = b.doc.nextPositionNo++;
        buyUsd.quantity = 20 * kPiece;
        buyUsd.price = 50.0;
        buyUsd.marketValue1 = 1000.0;
        buyUsd.commission1 = 2.0;
        buyUsd.currency1 = usd;
        buyUsd.rateBase = 1.1;
        buyUsd.rateQuote = 1.0;
        buyUsd.commission2 = 4.9;
        buyUsd.currency2 = kEur;
        buyUsd.amount = 915.81;
        b.Insert(buyUsd);
        b.doc.nextPositionNo = 3;
        // Dividend 10,00 on 100 + 50 pieces: 6,67 and the remainder 3,33.
        b.Movement(Day(1, 2, 2020), "Dividenden-Gutschrift", 10.0, a, kIncome, {{0, 100}, {1, 50}});
        // Sale of 120 Alpha at 11,00 less 12,00: all of #0 (becomes #3), 20 of #1 (piece #4).
        b.Sell(Day(1, 3, 2020), a, {{0, 100, 3}, {1, 20, 4}}, 11.0, 12.0)->text = "Verkauf";
        // Sale costs of 3,00 on the sold piece #4.
        b.Movement(Day(2, 3, 2020), "Sonstige Kosten", 3.0, a, kSaleCosts, {{4, 20}});
        // 2 : 1 split of Alpha after the sale.
        b.Split(Day(1, 4, 2020), a, 2, 1);
        // The whole lot #2 (20 Beta) becomes 30 Gamma (#5), keeping its purchase date; #6 is
        // the exchanged-out piece.
        b.Exchange(Day(1, 5, 2020), beta, c, 20, 30, {{2, 20, 5}}, true);
        // 30 of the 60 Alpha of #1 become 10 Delta (#7), dated on the exchange; piece #8.
        b.Exchange(Day(2, 5, 2020), a, d, 30, 10, {{1, 30, 7}}, false);
        // A dividend in DM after the account moved to DM: 19,56 DM = 10,00 EUR on #5.
        b.Movement(Day(1, 7, 2020), "Dividenden-Gutschrift", 19.56, c, kIncome, {{5, 30}}, kDm);
    }

    DocBuilder b;
    int32_t usd = -1, a = -1, beta = -1, c = -1, d = -1;
};

struct LotAmounts {
    double marketValue1, commission1, commission2, amount;
    double purchaseCosts, purchaseTotal, purchaseValue, income, saleCosts, saleProceeds;
};

void ExpectAmounts(const CFL2DepotPos& lot, const LotAmounts& e) {
    EXPECT_AMOUNT(lot.marketValue1, e.marketValue1);
    EXPECT_AMOUNT(lot.commission1, e.commission1);
    EXPECT_AMOUNT(lot.commission2, e.commission2);
    EXPECT_AMOUNT(lot.amount, e.amount);
    EXPECT_AMOUNT(lot.purchaseCosts, e.purchaseCosts);
    EXPECT_AMOUNT(lot.purchaseTotal, e.purchaseTotal);
    EXPECT_AMOUNT(lot.purchaseValue, e.purchaseValue);
    EXPECT_AMOUNT(lot.income, e.income);
    EXPECT_AMOUNT(lot.saleCosts, e.saleCosts);
    EXPECT_AMOUNT(lot.saleProceeds, e.saleProceeds);
}

TEST_F(Scenario, EveryLotFieldAfterTheWholeHistory) {
    const PositionList lots = b.Lots();
    // Creation order: the three buys, the piece sold from #1, the two exchanged-out pieces
    // and the new lot of the partial exchange after its piece.
    std::vector<int32_t> numbers;
    for (const CFL2DepotPos& lot : lots) numbers.push_back(lot.positionNo);
    ASSERT_EQ(numbers, (std::vector<int32_t>{3, 1, 5, 4, 6, 8, 7}));
    const int32_t sale = b.doc.transactions[4].id;

    {
        SCOPED_TRACE("#3: all of the first purchase, sold, then split 2:1");
        const CFL2DepotPos& lot = lots[0];
        EXPECT_EQ(lot.state, PositionState::Sold);
        EXPECT_EQ(lot.transactionId, sale);
        EXPECT_EQ(lot.securityId, a);
        EXPECT_EQ(lot.quantity, 200 * kPiece);
        EXPECT_EQ(lot.purchaseDate, Day(2, 1, 2020));
        EXPECT_EQ(lot.entryDate, Day(2, 1, 2020));
        EXPECT_EQ(lot.price, 5.0);
        EXPECT_EQ(lot.salePrice, 5.5);
        EXPECT_EQ(lot.text, "erster Kauf");
        EXPECT_EQ(lot.saleText, "Verkauf");
        EXPECT_EQ(lot.saleDate, Day(1, 3, 2020));
        // 100/120 of the sale: 1090,00 net, 1100,00 market value, 10,00 commission.
        EXPECT_AMOUNT(lot.saleAmount, 1090.0);
        EXPECT_AMOUNT(lot.saleMarketValue1, 1100.0);
        EXPECT_AMOUNT(lot.saleCommission2, 10.0);
        EXPECT_AMOUNT(lot.saleValue, 1100.0);
        ExpectAmounts(lot, {1000.0, 0.0, 9.9, 1009.9, 9.9, 1009.9, 1000.0, 6.67, 10.0, 1090.0});
    }
    {
        SCOPED_TRACE("#1: the DM purchase, 20 sold, split, half exchanged");
        const CFL2DepotPos& lot = lots[1];
        EXPECT_EQ(lot.state, PositionState::Open);
        EXPECT_EQ(lot.quantity, 30 * kPiece);
        EXPECT_EQ(lot.price, 6.0);
        EXPECT_EQ(lot.currency2, kDm);
        EXPECT_EQ(lot.rateQuote, 1.95583);
        // In EUR: costs (5,87 + 5,00 DM) → 5,56; total 1184,37 DM → 605,56; value 600,00.
        // 20/50 went with the sale, then half of the rest with the exchange.
        ExpectAmounts(lot, {180.0, 0.9, 1.5, 355.31, 1.67, 181.67, 180.0, 1.0, 0.0, 0.0});
    }
    {
        SCOPED_TRACE("#5: the USD purchase turned into Gamma by the exchange");
        const CFL2DepotPos& lot = lots[2];
        EXPECT_EQ(lot.securityId, c);
        EXPECT_EQ(lot.state, PositionState::Open);
        EXPECT_EQ(lot.fromExchange, 1);
        EXPECT_EQ(lot.quantity, 30 * kPiece);
        EXPECT_EQ(lot.price, 33.33);  // 50 / (30 / 20)
        EXPECT_EQ(lot.purchaseDate, Day(4, 1, 2020));
        EXPECT_EQ(lot.entryDate, Day(1, 5, 2020));
        EXPECT_EQ(lot.stopPrice, 30.0);
        EXPECT_EQ(lot.targetPrice, 40.0);
        EXPECT_EQ(lot.currency1, usd);
        EXPECT_EQ(lot.rateBase, 1.1);
        // Value 1000 / 1,10 = 909,09; costs 2 / 1,10 = 1,82 + 4,90; income 19,56 DM.
        ExpectAmounts(lot, {1000.0, 2.0, 4.9, 915.81, 6.72, 915.81, 909.09, 10.0, 0.0, 0.0});
    }
    {
        SCOPED_TRACE("#4: 20 pieces of #1 sold, with sale costs, then split");
        const CFL2DepotPos& lot = lots[3];
        EXPECT_EQ(lot.state, PositionState::Sold);
        EXPECT_EQ(lot.quantity, 40 * kPiece);
        EXPECT_EQ(lot.price, 6.0);
        EXPECT_EQ(lot.salePrice, 5.5);
        EXPECT_EQ(lot.purchaseDate, Day(3, 1, 2020));
        EXPECT_EQ(lot.currency2, kDm);
        EXPECT_EQ(lot.rateQuote, 1.95583);
        EXPECT_AMOUNT(lot.saleAmount, 218.0);  // the remainders of the sale
        EXPECT_AMOUNT(lot.saleMarketValue1, 220.0);
        EXPECT_AMOUNT(lot.saleCommission2, 2.0);
        ExpectAmounts(lot, {240.0, 1.2, 2.0, 473.75, 2.22, 242.22, 240.0, 1.33, 5.0, 215.0});
    }
    {
        SCOPED_TRACE("#6: the exchanged-out piece of the whole lot");
        const CFL2DepotPos& lot = lots[4];
        EXPECT_EQ(lot.state, PositionState::ExchangedOut);
        EXPECT_EQ(lot.securityId, beta);
        EXPECT_EQ(lot.quantity, 20 * kPiece);
        EXPECT_EQ(lot.price, 50.0);
        EXPECT_EQ(lot.saleDate, Day(1, 5, 2020));
        EXPECT_EQ(lot.fromExchange, 0);
        EXPECT_EQ(lot.stopPrice, 0.0);
        ExpectAmounts(lot, {1000.0, 2.0, 4.9, 915.81, 6.72, 915.81, 909.09, 0.0, 0.0, 0.0});
    }
    {
        SCOPED_TRACE("#8 and #7: the partial exchange");
        const CFL2DepotPos& out = lots[5];
        EXPECT_EQ(out.state, PositionState::ExchangedOut);
        EXPECT_EQ(out.securityId, a);
        EXPECT_EQ(out.quantity, 30 * kPiece);
        EXPECT_EQ(out.purchaseDate, Day(3, 1, 2020));
        EXPECT_EQ(out.saleDate, Day(2, 5, 2020));
        const LotAmounts half{180.0, 0.9, 1.5, 355.31, 1.67, 181.67, 180.0, 1.0, 0.0, 0.0};
        ExpectAmounts(out, half);
        const CFL2DepotPos& fresh = lots[6];
        EXPECT_EQ(fresh.state, PositionState::Open);
        EXPECT_EQ(fresh.securityId, d);
        EXPECT_EQ(fresh.fromExchange, 1);
        EXPECT_EQ(fresh.quantity, 10 * kPiece);
        EXPECT_EQ(fresh.price, 18.0);
        EXPECT_EQ(fresh.purchaseDate, Day(2, 5, 2020));  // the exchange date
        EXPECT_EQ(fresh.entryDate, Day(2, 5, 2020));
        EXPECT_EQ(fresh.currency2, kDm);
        EXPECT_EQ(fresh.rateQuote, 1.95583);
        EXPECT_EQ(fresh.saleDate, CQRNDatum());
        ExpectAmounts(fresh, half);
    }
}

TEST_F(Scenario, OpenOnlyAtADateAndInAnotherCurrency) {
    HoldingsQuery q;
    q.openOnly = true;
    q.limitByDate = true;
    q.limitDate = Day(15, 3, 2020);  // after the sale, before the split
    const PositionList lots = b.Lots(q);
    ASSERT_EQ(lots.size(), 2u);  // #0 was sold whole
    EXPECT_EQ(lots[0].positionNo, 1);
    EXPECT_EQ(lots[0].quantity, 30 * kPiece);
    EXPECT_EQ(lots[0].price, 12.0);
    EXPECT_EQ(lots[1].positionNo, 2);

    // The same lots in DM: amounts in DM stay as booked, EUR amounts are converted.
    q.targetCurrency = kDm;
    const PositionList dm = b.Lots(q);
    EXPECT_AMOUNT(LotNo(dm, 2).purchaseTotal, RoundTo(915.81 * 1.95583, 2));
    // A variable currency cannot be reached with fixed factors: 0.
    q.targetCurrency = usd;
    EXPECT_EQ(LotNo(b.Lots(q), 2).purchaseTotal, 0.0);
}

TEST(Holdings, ThreeItemSaleSharesItsAmountsByQuantity) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    for (int i = 0; i < 3; ++i) b.Buy(Day(2, 1, 2020), s, 10.0 * (i + 1), 1.0);
    CFL2Transaktion& sale = b.Sell(Day(3, 1, 2020), s, {{0, 10}, {1, 20}, {2, 30}}, 2.0);
    sale.amount = 100.0;
    const PositionList lots = b.Lots();
    EXPECT_AMOUNT(LotNo(lots, 3).saleAmount, 16.67);
    EXPECT_AMOUNT(LotNo(lots, 4).saleAmount, 33.33);
    EXPECT_AMOUNT(LotNo(lots, 5).saleAmount, 50.0);
}

TEST(Holdings, WholeAndPartialSales) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    b.Buy(Day(2, 1, 2020), s, 10, 5.0);
    b.Buy(Day(2, 1, 2020), s, 10, 6.0);
    // A buy and a sale on one day: the buy is replayed first.
    b.Buy(Day(3, 1, 2020), s, 4, 7.0);
    b.Sell(Day(3, 1, 2020), s, {{0, 10, 10}, {1, 4, 11}, {2, 4, 12}}, 8.0);
    const PositionList lots = b.Lots();
    ASSERT_EQ(lots.size(), 4u);
    EXPECT_EQ(lots[0].positionNo, 10);  // the whole lot keeps its record under the new number
    EXPECT_EQ(lots[0].state, PositionState::Sold);
    EXPECT_EQ(lots[1].positionNo, 1);  // the rest of the partly sold lot stays open
    EXPECT_EQ(lots[1].state, PositionState::Open);
    EXPECT_EQ(lots[1].quantity, 6 * kPiece);
    EXPECT_EQ(lots[2].positionNo, 12);  // the lot bought that day, sold whole
    EXPECT_EQ(lots[3].positionNo, 11);  // the piece appended at the end
    EXPECT_EQ(lots[3].state, PositionState::Sold);
    EXPECT_EQ(lots[3].quantity, 4 * kPiece);
}

TEST(Holdings, LimitsExclusionsAndSalesOnTheLimitDate) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    b.Buy(Day(2, 1, 2020), s, 10, 5.0);
    const int32_t later = b.Buy(Day(5, 1, 2020), s, 10, 5.0).id;
    b.Sell(Day(5, 1, 2020), s, {{0, 10}}, 6.0);

    struct Case {
        const char* what;
        HoldingsQuery query;
        std::vector<int32_t> numbers;
    };
    HoldingsQuery limit;
    limit.limitByDate = true;
    limit.limitDate = Day(4, 1, 2020);
    HoldingsQuery onDay = limit;
    onDay.limitDate = Day(5, 1, 2020);
    HoldingsQuery withoutSales = onDay;
    withoutSales.excludeSalesOnLimitDate = true;
    HoldingsQuery excluded;
    excluded.excludedTransactionId = later;
    HoldingsQuery open;
    open.openOnly = true;
    const Case cases[] = {
        {"everything", {}, {2, 1}},
        {"up to the day before", limit, {0}},
        {"up to the day, sale included", onDay, {2, 1}},
        {"up to the day, sales of that day left out", withoutSales, {0, 1}},
        {"one transaction left out", excluded, {2}},
        {"open lots only", open, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int32_t> numbers;
        for (const CFL2DepotPos& lot : b.Lots(c.query)) numbers.push_back(lot.positionNo);
        EXPECT_EQ(numbers, c.numbers);
    }
}

TEST(Holdings, ReferenceModeUndoesSplitsAfterTheReferenceDate) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    b.Buy(Day(2, 1, 2020), s, 10, 9.0);   // untouched by sales
    b.Buy(Day(3, 1, 2020), s, 10, 12.0);  // partly sold after the split
    b.Buy(Day(1, 3, 2020), s, 10, 7.0);   // bought after the reference date
    b.Split(Day(1, 2, 2020), s, 3, 1);
    b.Sell(Day(2, 2, 2020), s, {{1, 6}}, 5.0);

    HoldingsQuery q;
    q.referenceMode = true;
    q.referenceDate = Day(15, 1, 2020);
    q.openOnly = true;
    const PositionList lots = b.Lots(q);
    ASSERT_EQ(lots.size(), 2u);
    EXPECT_EQ(lots[0].positionNo, 0);
    EXPECT_EQ(lots[0].quantity, 10 * kPiece);
    EXPECT_EQ(lots[0].price, 9.0);
    EXPECT_EQ(lots[1].positionNo, 1);
    EXPECT_EQ(lots[1].quantity, 0);  // consumed after the split
    EXPECT_EQ(lots[1].price, 12.0);  // 4,00 × 3

    // A reference date after the split shows the lots as they are.
    q.referenceDate = Day(1, 3, 2020);
    const PositionList now = b.Lots(q);
    ASSERT_EQ(now.size(), 3u);
    EXPECT_EQ(now[0].quantity, 30 * kPiece);
    EXPECT_EQ(now[0].price, 3.0);
    EXPECT_EQ(now[1].quantity, 24 * kPiece);
}

TEST(Holdings, ExchangeOfThreeLotsGivesTheRemainderToTheLast) {
    DocBuilder b;
    const int32_t from = b.Security("Alt");
    const int32_t to = b.Security("Neu");
    for (int i = 0; i < 3; ++i) b.Buy(Day(2, 1, 2020), from, 10, 3.0);
    b.Exchange(Day(3, 1, 2020), from, to, 30, 20, {{0, 10}, {1, 10}, {2, 10}}, true);
    HoldingsQuery open;
    open.openOnly = true;
    const PositionList lots = b.Lots(open);
    ASSERT_EQ(lots.size(), 3u);
    EXPECT_EQ(lots[0].quantity, 66'666'667);
    EXPECT_EQ(lots[1].quantity, 66'666'667);
    EXPECT_EQ(lots[2].quantity, 66'666'666);
    EXPECT_EQ(lots[0].price, 4.5);
}

TEST(Holdings, DamagedDataIsSkippedNotFatal) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    b.Buy(Day(2, 1, 2020), s, 10, 5.0);
    b.Sell(Day(3, 1, 2020), s, {{77, 5}}, 6.0);                                // a missing lot
    b.Split(Day(4, 1, 2020), s, 0, 1);                                         // ratio 0
    b.Split(Day(5, 1, 2020), s, 1, 0);                                         // ratio infinite
    b.Exchange(Day(6, 1, 2020), s, 999, 0, 5, {{0, 0}}, true);                 // zero pieces
    b.Movement(Day(7, 1, 2020), "Steuern", 5.0, s, kPurchaseCosts, {{0, 0}});  // total 0
    CFL2Transaktion odd;
    odd.type = static_cast<TransactionType>(33);
    odd.date = Day(8, 1, 2020);
    b.Insert(odd);
    EXPECT_NO_THROW(b.Lots());
    HoldingsQuery q;
    q.referenceMode = true;
    q.referenceDate = Day(3, 1, 2020);
    EXPECT_NO_THROW(b.Lots(q));
}

TEST(Holdings, MovementWithoutPiecesBooksEverythingToItsLastItem) {
    // Damaged data: items that add up to 0 pieces would divide by zero.
    DocBuilder b;
    const int32_t s = b.Security("S");
    b.Buy(Day(2, 1, 2020), s, 10, 5.0);
    b.Buy(Day(2, 1, 2020), s, 10, 5.0);
    b.Movement(Day(3, 1, 2020), "Dividenden-Gutschrift", 8.0, s, kIncome, {{0, 0}, {1, 0}});
    const PositionList lots = b.Lots();
    EXPECT_EQ(lots[0].income, 0.0);
    EXPECT_EQ(lots[1].income, 8.0);
}

TEST(Holdings, LookupByNumberTakesTheFirstLotWithThatNumber) {
    // Two purchases that (in damaged data) share a number: like a search from the front,
    // the sale takes the first.
    DocBuilder b;
    const int32_t s = b.Security("S");
    b.Buy(Day(2, 1, 2020), s, 10, 5.0, 0.0, 7);
    b.Buy(Day(2, 1, 2020), s, 20, 6.0, 0.0, 7);
    b.Sell(Day(3, 1, 2020), s, {{7, 10, 8}}, 6.0);
    b.Sell(Day(4, 1, 2020), s, {{7, 5, 9}}, 6.0);  // now the second lot is the first #7
    const PositionList lots = b.Lots();
    EXPECT_EQ(lots[0].positionNo, 8);
    EXPECT_EQ(lots[1].positionNo, 7);
    EXPECT_EQ(lots[1].quantity, 15 * kPiece);
}

TEST(Holdings, QuantityRounding) {
    struct Case {
        Quantity q;
        double factor;
        Quantity expected;
    };
    const Case cases[] = {
        {10 * kPiece, 2.0 / 3.0, 66'666'667},  // 66,666,666.67 rounds up
        {1, 0.5, 1},                           // half a unit rounds up
        {1, 0.4, 0},
        {30 * kPiece, 1.0 / 3.0, 100'000'000},
        {kPiece, 0.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        EXPECT_EQ(MultiplyQuantity(c.q, c.factor), c.expected);
    }
}

}  // namespace
}  // namespace pf::testing

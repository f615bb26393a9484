#include "engine/trade_entry.h"

#include <gtest/gtest.h>

#include "engine/stop_target.h"
#include "engine_test_util.h"

namespace pf::testing {
namespace {

constexpr int32_t kEur = 0;
constexpr int32_t kDm = 1;

TEST(TradeSums, PurchaseAndSaleCalculations) {
    struct Case {
        const char* what;
        bool sale;
        Quantity quantity;
        double price, commission1;
        int32_t currency1;
        double rateBase, rateQuote, commission2;
        TradeSums expected;
    };
    const Case cases[] = {
        {"2 pieces at 10,125 plus 5,00 in the base currency",
         false,
         2 * kPiece,
         10.125,
         0.0,
         kEur,
         1,
         1,
         5.0,
         {20.25, 20.25, 20.25, 25.25}},
        {"purchase in DM settled in EUR",
         false,
         10 * kPiece,
         19.5583,
         3.0,
         kDm,
         1.95583,
         1.0,
         4.9,
         {195.58, 198.58, 101.53, 106.43}},
        {"sale in DM settled in EUR",
         true,
         10 * kPiece,
         19.5583,
         3.0,
         kDm,
         1.95583,
         1.0,
         4.9,
         {195.58, 192.58, 98.46, 93.56}},
        {"fractional pieces",
         false,
         15'000'000,
         3.33,
         0.0,
         kEur,
         1,
         1,
         0.0,
         {5.0, 5.0, 5.0, 5.0}},  // 1,5 × 3,33 = 4,995 → 5,00
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TradeSums s = c.sale ? SaleSums(c.quantity, c.price, c.commission1, c.currency1,
                                              c.rateBase, c.rateQuote, c.commission2, kEur)
                                   : PurchaseSums(c.quantity, c.price, c.commission1, c.currency1,
                                                  c.rateBase, c.rateQuote, c.commission2, kEur);
        EXPECT_AMOUNT(s.marketValue, c.expected.marketValue);
        EXPECT_AMOUNT(s.subtotal, c.expected.subtotal);
        EXPECT_AMOUNT(s.converted, c.expected.converted);
        EXPECT_AMOUNT(s.amount, c.expected.amount);
    }
}

TEST(TradeSums, CalculationLine) {
    DocBuilder b;
    b.doc.initialAccountCurrencyId = kDm;
    // Same currencies: market value + commission 2 = amount, then into the account currency.
    EXPECT_EQ(TradeCalculationLine(b.doc, false, Day(1, 2, 2020), 2 * kPiece, 10.125, 0, kEur, 1, 1,
                                   5, kEur),
              "20,25 Euro + 5,00 Euro = 25,25 Euro > 49,38 Deutsche Mark");
    // Different currencies: the text before the first "= " is dropped.
    EXPECT_EQ(TradeCalculationLine(b.doc, true, Day(1, 2, 2020), 10 * kPiece, 19.5583, 3, kDm,
                                   1.95583, 1, 4.9, kEur),
              "192,58 Deutsche Mark > 98,46 Euro - 4,90 Euro = 93,56 Euro > 182,99 Deutsche Mark");
    b.doc.initialAccountCurrencyId = kEur;
    EXPECT_EQ(
        TradeCalculationLine(b.doc, false, Day(1, 2, 2020), kPiece, 1, 0, kEur, 1, 1, 0, kEur),
        "1,00 Euro + 0,00 Euro = 1,00 Euro");
}

TEST(TradeSums, DefaultRatePairs) {
    DocBuilder b;
    const int32_t usd = b.doc.AddCurrency("USD", "US-Dollar", false, 1, 1, kEur, 0).id;
    const RatePair same = DefaultRatePair(b.doc, kEur, kEur);
    EXPECT_TRUE(same.fixed);
    EXPECT_EQ(same.base, 1.0);
    const RatePair dm = DefaultRatePair(b.doc, kDm, kEur);  // 1,95583 DM = 1 EUR
    EXPECT_TRUE(dm.fixed);
    EXPECT_EQ(dm.base, 1.95583);
    EXPECT_EQ(dm.quote, 1.0);
    EXPECT_FALSE(DefaultRatePair(b.doc, usd, kEur).fixed);  // typed by the user
}

TradeFields Purchase(int32_t security, CQRNDatum date, double pieces, double price) {
    TradeFields f;
    f.date = date;
    f.securityId = security;
    f.quantity = DocBuilder::Pieces(pieces);
    f.price = price;
    f.marketValue1 = MarketValue(f.quantity, price);
    f.amount = f.marketValue1;
    return f;
}

TEST(TradeEntry, AddAndChangePurchase) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    TradeFields f = Purchase(s, Day(5, 2, 2020), 10, 5.0);
    f.stopPrice = 4.5;
    f.targetPrice = 7.0;
    const int32_t id = AddPurchase(b.doc, f);
    const CFL2Transaktion* t = b.doc.FindTransaction(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->type, TransactionType::Buy);
    EXPECT_EQ(t->positionNo, 0);
    EXPECT_EQ(b.doc.nextPositionNo, 1);
    EXPECT_EQ(StopOf(b.doc, 0), 4.5);
    EXPECT_EQ(TargetOf(b.doc, 0), 7.0);
    EXPECT_EQ(b.doc.lastTransactionDate, Day(5, 2, 2020));
    EXPECT_TRUE(b.doc.IsModified());

    // A later buy exists; moving this one after it re-sorts the list and keeps id and lot.
    b.Buy(Day(10, 2, 2020), s, 1, 1.0);
    f.date = Day(20, 2, 2020);
    f.stopPrice = 0;
    EXPECT_TRUE(ChangePurchase(b.doc, id, f));
    EXPECT_EQ(b.doc.transactions.back().id, id);
    EXPECT_EQ(b.doc.transactions.back().positionNo, 0);
    EXPECT_EQ(StopOf(b.doc, 0), 0.0);
    EXPECT_FALSE(ChangePurchase(b.doc, 999, f));
    EXPECT_FALSE(ChangePurchase(b.doc, b.doc.transactions.front().id + 1000, f));
}

TEST(TradeEntry, AddSaleTakesTheSelectedQuantitiesAndChangeKeepsSoldPieceNumbers) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    const int32_t other = b.Security("T");
    b.Buy(Day(2, 1, 2020), s, 20, 5.0);     // #0
    b.Buy(Day(3, 1, 2020), s, 20, 6.0);     // #1
    b.Buy(Day(3, 1, 2020), other, 5, 1.0);  // #2: another security, never allocated
    b.Buy(Day(4, 1, 2020), s, 20, 7.0);     // #3

    PositionList lots = b.Lots();
    lots[0].selectedQuantity = 20 * kPiece;
    lots[1].selectedQuantity = 10 * kPiece;
    lots[2].selectedQuantity = 5 * kPiece;
    TradeFields f = Purchase(s, Day(10, 1, 2020), 30, 8.0);
    const int32_t id = AddSale(b.doc, f, lots);
    const CFL2Transaktion* sale = b.doc.FindTransaction(id);
    ASSERT_EQ(sale->allocations.size(), 2u);
    EXPECT_EQ(sale->allocations[0], (CFL2PosInfo{4, 0, 20 * kPiece}));
    EXPECT_EQ(sale->allocations[1], (CFL2PosInfo{5, 1, 10 * kPiece}));

    // Editing: lot #0 stays in the sale and keeps its sold piece #4; #3 is new and gets #6.
    HoldingsQuery q;
    q.excludedTransactionId = id;
    lots = b.Lots(q);
    lots[0].selectedQuantity = 5 * kPiece;
    lots[3].selectedQuantity = 20 * kPiece;
    f.quantity = 25 * kPiece;
    EXPECT_TRUE(ChangeSale(b.doc, id, f, lots));
    sale = b.doc.FindTransaction(id);
    ASSERT_EQ(sale->allocations.size(), 2u);
    EXPECT_EQ(sale->allocations[0], (CFL2PosInfo{4, 0, 5 * kPiece}));
    EXPECT_EQ(sale->allocations[1], (CFL2PosInfo{6, 3, 20 * kPiece}));

    // Another security: every item takes a fresh number.
    lots[2].selectedQuantity = 5 * kPiece;
    f.securityId = other;
    EXPECT_TRUE(ChangeSale(b.doc, id, f, lots));
    sale = b.doc.FindTransaction(id);
    ASSERT_EQ(sale->allocations.size(), 1u);
    EXPECT_EQ(sale->allocations[0], (CFL2PosInfo{7, 2, 5 * kPiece}));
}

TEST(TradeEntry, RememberedDateForNewTransactions) {
    DocBuilder b;
    const int32_t s = b.Security("S");
    EXPECT_EQ(b.doc.NewTransactionDate(Day(9, 9, 2020)), Day(9, 9, 2020));
    AddPurchase(b.doc, Purchase(s, Day(5, 2, 2020), 1, 1));
    EXPECT_EQ(b.doc.NewTransactionDate(Day(9, 9, 2020)), Day(9, 9, 2020));  // option off
    b.doc.options.rememberTransactionDate = 1;
    EXPECT_EQ(b.doc.NewTransactionDate(Day(9, 9, 2020)), Day(5, 2, 2020));
}

TEST(TradeEntry, ChangedFixedRateRecomputesPurchasesAndSales) {
    DocBuilder b(1 | 2);  // DM and öS
    const int32_t s = b.Security("S", kDm);
    CFL2Transaktion& buy = b.Buy(Day(2, 1, 2020), s, 10, 19.5583, 4.9);
    buy.currency1 = kDm;
    buy.commission1 = 3.0;
    buy.rateBase = 1.95583;
    buy.amount = 999.0;  // to be replaced
    const int32_t buyId = buy.id;
    CFL2Transaktion& sale = b.Sell(Day(3, 1, 2020), s, {{0, 10}}, 19.5583, 4.9);
    sale.currency1 = kDm;
    sale.commission1 = 3.0;
    const int32_t saleId = sale.id;
    b.Buy(Day(4, 1, 2020), s, 1, 1.0);  // EUR on both sides: untouched

    b.doc.FindCurrency(kDm)->fixedRate1 = 2.0;  // the user changed the fixed rate
    b.doc.SetModified(false);
    EXPECT_EQ(RecomputeForFixedRate(b.doc, kDm), 2);
    const CFL2Transaktion* p = b.doc.FindTransaction(buyId);
    EXPECT_EQ(p->rateBase, 2.0);
    EXPECT_EQ(p->rateQuote, 1.0);
    EXPECT_AMOUNT(p->amount, RoundTo(1.0 * (195.58 + 3.0) / 2.0, 2) + 4.9);  // 99,29 + 4,90
    EXPECT_AMOUNT(b.doc.FindTransaction(saleId)->amount, RoundTo((195.58 - 3.0) / 2.0, 2) - 4.9);
    EXPECT_TRUE(b.doc.IsModified());
    EXPECT_EQ(RecomputeForFixedRate(b.doc, kEur), 0);  // the base currency has no rate
}

}  // namespace
}  // namespace pf::testing

#include "engine/trade_form.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/stop_target.h"
#include "engine_test_util.h"

namespace pf::testing {
namespace {

constexpr int32_t kEur = 0;
constexpr int32_t kDm = 1;

struct FormCase {
    const char* what;
    std::function<void()> change;  // applied to a copy of the valid form
    const char* text;              // nullptr: accepted
    const char* field;
};

// A document with Alpha and Beta, the euro, the mark and the floating US dollar.
class TradeFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        usd = b.doc.AddCurrency("USD", "US-Dollar", false, 1, 1, kEur, 0).id;
        alpha = b.Security("Alpha AG", "A1");
        beta = b.Security("Beta AG", "B2");
        // Whole fields of a purchase that passes: 10 at 12,50 plus 4,90 in euro.
        purchase.date = Day(2, 3, 2020);
        purchase.name = "Alpha AG";
        purchase.code = "A1";
        purchase.quantity = "10";
        purchase.price = "12,50";
        purchase.commission2 = "4,90";
    }

    // Runs `cases` on copies of `form` (through `current`, which each change edits).
    template <class Form>
    void ExpectOrder(const Form& form, Form& current, const char* title,
                     const std::vector<FormCase>& cases) {
        for (const FormCase& c : cases) {
            SCOPED_TRACE(c.what);
            current = form;
            c.change();
            const MaybeMessage m = current.Check(b.doc);
            if (c.text == nullptr) {
                EXPECT_FALSE(m) << m->text;
                continue;
            }
            ASSERT_TRUE(m);
            EXPECT_EQ(*m, (Message{title, c.text, MessageIcon::Information, c.field}));
        }
    }

    DocBuilder b;
    int32_t usd = -1, alpha = -1, beta = -1;
    PurchaseForm purchase;
};

const char* const kCommission =
    "Bitte geben Sie einen Wert für Provision, Courtage und Spesen ein!";

TEST_F(TradeFormTest, PurchaseMessagesComeInTheirOrder) {
    PurchaseForm f;
    const std::vector<FormCase> cases = {
        {"valid", [] {}, nullptr, ""},
        {"name empty, before the code", [&] { f.name = f.code = ""; },
         "Bitte geben Sie die Bezeichnung des gekauften Wertpapiers ein!", "name"},
        {"code empty, before the quantity", [&] { f.code = f.quantity = ""; },
         "Bitte geben Sie die Wertpapier-Kennnummer des gekauften Wertpapiers ein!", "code"},
        {"name and code of two securities", [&] { f.code = "B2"; },
         "Ein Wertpapier mit dieser Bezeichnung und Wertpapier-Kennnummer befindet sich nicht in "
         "der Datenbank!",
         "name"},
        {"name in another case", [&] { f.name = "alpha ag"; },
         "Ein Wertpapier mit dieser Bezeichnung und Wertpapier-Kennnummer befindet sich nicht in "
         "der Datenbank!",
         "name"},
        {"no currency 1, before the quantity",
         [&] {
             f.currency1 = -1;
             f.quantity = "x";
         },
         "Bitte wählen Sie eine Währung aus!", "currency1"},
        {"currency 2 not a fixed-rate currency", [&] { f.currency2 = usd; },
         "Bitte wählen Sie eine Währung aus!", "currency2"},
        {"currency that does not exist", [&] { f.currency1 = 99; },
         "Bitte wählen Sie eine Währung aus!", "currency1"},
        {"quantity not a number", [&] { f.quantity = "zehn"; },
         "Bitte geben Sie eine korrekte Stückzahl an!", "quantity"},
        {"quantity zero", [&] { f.quantity = "0,00"; },
         "Bitte geben Sie eine Stückzahl größer Null an!", "quantity"},
        {"quantity below one unit", [&] { f.quantity = "0,00000001"; },
         "Bitte geben Sie eine Stückzahl größer Null an!", "quantity"},
        {"smallest quantity", [&] { f.quantity = "0,0000001"; }, nullptr, ""},
        {"price empty", [&] { f.price = ""; }, "Bitte geben Sie einen korrekten Kaufkurs ein!",
         "price"},
        {"price negative", [&] { f.price = "-1"; }, "Bitte geben Sie einen korrekten Kaufkurs ein!",
         "price"},
        {"commission 1 ignored with one currency", [&] { f.commission1 = "x"; }, nullptr, ""},
        {"commission 1 with two currencies",
         [&] {
             f.currency1 = usd;
             f.commission1 = "";
         },
         kCommission, "commission1"},
        {"rate base empty",
         [&] {
             f.currency1 = usd;
             f.rateBase = "";
             f.rateQuote = "";
         },
         "Bitte geben Sie einen Devisenkurs ein!", "rateBase"},
        {"rate quote not a number",
         [&] {
             f.currency1 = usd;
             f.rateQuote = "1,1 $";
         },
         "Bitte geben Sie einen Devisenkurs ein!", "rateQuote"},
        {"rate base truncates to zero",
         [&] {
             f.currency1 = usd;
             f.rateBase = "0,00000009";
             f.rateQuote = "0";
         },
         "Bitte geben Sie einen Wert größer Null an!", "rateBase"},
        {"rate quote zero",
         [&] {
             f.currency1 = usd;
             f.rateQuote = "0,0000000";
         },
         "Bitte geben Sie einen Wert größer Null an!", "rateQuote"},
        {"smallest rate",
         [&] {
             f.currency1 = usd;
             f.rateQuote = "0,0000001";
         },
         nullptr, ""},
        {"fixed rate of the mark: the typed rate is not read",
         [&] {
             f.currency1 = kDm;
             f.rateBase = f.rateQuote = "";
         },
         nullptr, ""},
        {"commission 2 empty", [&] { f.commission2 = ""; }, kCommission, "commission2"},
        {"commission 2 with an empty part", [&] { f.commission2 = "4,90+"; }, kCommission,
         "commission2"},
        {"stop not a price", [&] { f.stop = "12,3,4"; },
         "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!", "stop"},
        {"stop with a sign, before the target",
         [&] {
             f.stop = "-1";
             f.target = "x";
         },
         "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!", "stop"},
        {"target not a price", [&] { f.target = "hoch"; },
         "Bitte geben Sie einen korrekten Zielkurs ein oder lassen Sie das Feld frei!", "target"},
        {"blank stop and target", [&] { f.stop = f.target = "  "; }, nullptr, ""},
    };
    ExpectOrder(purchase, f, "Kauf", cases);
}

TEST_F(TradeFormTest, PurchaseIsStoredWithItsAmountAndPrices) {
    int heard = 0;
    b.doc.AddEditListener([&] { ++heard; });
    purchase.quantity = "1.000,5";
    purchase.price = "10,125";
    purchase.commission2 = "4,90+1,50";
    purchase.stop = "9,5";
    purchase.target = "15";
    purchase.text = "Erstkauf";
    const int32_t id = purchase.Apply(b.doc);
    ASSERT_NE(id, -1);
    EXPECT_EQ(heard, 1) << "one edit, although the stop and target prices are set as well";

    const CFL2Transaktion& t = *b.doc.FindTransaction(id);
    EXPECT_EQ(t.type, TransactionType::Buy);
    EXPECT_EQ(t.securityId, alpha);
    EXPECT_EQ(t.quantity, 10'005'000'000);
    // 1.000,5 × 10,125 = 10.130,0625 → 10.130,06; plus 6,40.
    EXPECT_AMOUNT(t.marketValue1, 10130.06);
    EXPECT_AMOUNT(t.commission2, 6.40);
    EXPECT_AMOUNT(t.amount, 10136.46);
    EXPECT_EQ(t.rateBase, 1.0);
    EXPECT_EQ(t.commission1, 0.0);
    EXPECT_EQ(t.text, "Erstkauf");
    EXPECT_EQ(StopOf(b.doc, t.positionNo), 9.5);
    EXPECT_EQ(TargetOf(b.doc, t.positionNo), 15.0);
    EXPECT_EQ(b.doc.lastTransactionDate, Day(2, 3, 2020));

    // A refused form changes nothing.
    purchase.price = "";
    const size_t count = b.doc.transactions.size();
    EXPECT_EQ(purchase.Apply(b.doc), -1);
    EXPECT_EQ(b.doc.transactions.size(), count);
    EXPECT_EQ(heard, 1);
}

TEST_F(TradeFormTest, PurchaseInDmSettledInEuro) {
    purchase.currency1 = kDm;
    purchase.quantity = "10";
    purchase.price = "19,5583";
    purchase.commission1 = "3";
    purchase.rateBase = purchase.rateQuote = "7";  // locked: the fixed factors count
    const std::optional<TradeFields> v = purchase.Values(b.doc);
    ASSERT_TRUE(v);
    // (195,58 + 3,00) / 1,95583 = 101,53; + 4,90.
    EXPECT_EQ(v->rateBase, 1.95583);
    EXPECT_EQ(v->rateQuote, 1.0);
    EXPECT_AMOUNT(v->amount, 106.43);
    EXPECT_EQ(purchase.CalculationLine(b.doc, false),
              "198,58 Deutsche Mark > 101,53 Euro + 4,90 Euro = 106,43 Euro");
}

TEST_F(TradeFormTest, EditedPurchaseKeepsWhatLaterTransactionsNeed) {
    const Made buy = b.Buy(Day(1, 2, 2020), alpha, 10, 12.0);
    SetStop(b.doc, buy.positionNo, 11.0);
    b.Sell(Day(1, 3, 2020), alpha, {{buy.positionNo, 4}}, 13.0);

    PurchaseForm form = PurchaseForm::ForEdit(b.doc, buy.id, Day(9, 9, 2020));
    EXPECT_EQ(form.editedId, buy.id);
    EXPECT_EQ(form.name, "Alpha AG");
    EXPECT_EQ(form.quantity, "10");
    EXPECT_EQ(form.price, "12,00");
    EXPECT_EQ(form.stop, "11,00");
    EXPECT_EQ(form.target, "");

    // The sale took 4: a smaller entry counts as 4 pieces and one unit.
    form.quantity = "2";
    ASSERT_EQ(form.Apply(b.doc), buy.id);
    EXPECT_EQ(b.doc.FindTransaction(buy.id)->quantity, 40'000'001);
    EXPECT_EQ(b.doc.nextPositionNo, 2) << "no new lot for an edit";

    // The sale on 1.3. is the latest date the purchase may move to.
    form.date = Day(2, 3, 2020);
    const MaybeMessage m = form.Check(b.doc);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field, "date");
    EXPECT_EQ(m->text,
              "Bitte wählen Sie ein Kaufdatum bis zum 01.03.2020, da spätere Transaktionen diese "
              "Position verwenden!");
    form.date = Day(1, 3, 2020);
    EXPECT_FALSE(form.Check(b.doc));

    // Everything sold: the quantity field is locked and the stored quantity stays.
    const Made whole = b.Buy(Day(1, 2, 2020), beta, 5, 1.0);
    b.Sell(Day(1, 3, 2020), beta, {{whole.positionNo, 5}}, 1.0);
    PurchaseForm locked = PurchaseForm::ForEdit(b.doc, whole.id, Day(9, 9, 2020));
    locked.quantity = "500";
    ASSERT_EQ(locked.Apply(b.doc), whole.id);
    EXPECT_EQ(b.doc.FindTransaction(whole.id)->quantity, 5 * kPiece);
}

// --- Sale ---------------------------------------------------------------------------------

class SaleFormTest : public TradeFormTest {
  protected:
    void SetUp() override {
        TradeFormTest::SetUp();
        first = b.Buy(Day(1, 2, 2020), alpha, 20, 10.0).positionNo;
        second = b.Buy(Day(3, 2, 2020), alpha, 20, 11.0).positionNo;
        // A dividend of 10.3. on all pieces of the second lot.
        b.Movement(Day(10, 3, 2020), "Dividenden-Gutschrift", 5.0, alpha, kIncome, {{second, 20}});
        sale.date = Day(1, 3, 2020);
        sale.nameSecurityId = sale.codeSecurityId = alpha;
        sale.quantity = "10";
        sale.price = "15";
        sale.oldestFirst = true;
    }

    int32_t first = -1, second = -1;
    SaleForm sale;
};

TEST_F(SaleFormTest, MessagesComeInTheirOrder) {
    SaleForm f;
    const std::vector<FormCase> cases = {
        {"valid", [] {}, nullptr, ""},
        {"nothing to sell on the date, before the name",
         [&] {
             f.date = Day(31, 1, 2020);
             f.nameSecurityId = -1;
         },
         "An diesem Tag befinden sich keine Wertpapiere im Depot, die verkauft werden können!",
         "date"},
        {"no name", [&] { f.nameSecurityId = -1; },
         "Bitte wählen Sie eine Wertpapierbezeichnung aus!", "name"},
        {"no code, before the currencies",
         [&] {
             f.codeSecurityId = -1;
             f.currency1 = -1;
         },
         "Bitte wählen Sie eine Wertpapier-Kennnummer aus!", "code"},
        {"no currency 2", [&] { f.currency2 = -1; }, "Bitte wählen Sie eine Währung aus!",
         "currency2"},
        {"quantity zero", [&] { f.quantity = "0"; },
         "Bitte geben Sie eine Stückzahl größer Null an!", "quantity"},
        {"price", [&] { f.price = "15 EUR"; }, "Bitte geben Sie einen korrekten Verkaufkurs ein!",
         "price"},
        {"commission 2", [&] { f.commission2 = ""; }, kCommission, "commission2"},
        {"more than the lots hold", [&] { f.quantity = "40,0000001"; },
         "So viele Wertpapiere befinden sich nicht im Depot!", "quantity"},
        {"all there is", [&] { f.quantity = "40"; },
         // The second lot would go whole while the dividend still needs it.
         "Position 2 kann frühestens am 10.03.2020 verkauft werden, da an diesem Tag eine "
         "Kontobewegung vorhanden ist, die sich auf diese Position bezieht!",
         "date"},
        {"part of the second lot before the dividend", [&] { f.quantity = "25"; },
         "Position 2 kann frühestens am 10.03.2020 verkauft werden, da an diesem Tag eine "
         "Kontobewegung vorhanden ist, die sich auf diese Position bezieht!",
         "date"},
        {"on the dividend's day the sale comes after it",
         [&] {
             f.quantity = "25";
             f.date = Day(10, 3, 2020);
         },
         nullptr, ""},
        {"by hand without a distribution", [&] { f.oldestFirst = false; },
         "Bitte teilen Sie die verkauften Stücke auf die verschiedenen Positionen auf!",
         "distribute"},
        {"by hand, distributed short",
         [&] {
             f.oldestFirst = false;
             f.distributed = {{first, 6 * kPiece}};
         },
         "Bitte teilen Sie die verkauften Stücke auf die verschiedenen Positionen auf!",
         "distribute"},
        {"by hand, distributed",
         [&] {
             f.oldestFirst = false;
             f.distributed = {{first, 6 * kPiece}, {second, 4 * kPiece}};
             f.date = Day(10, 3, 2020);
         },
         nullptr, ""},
    };
    ExpectOrder(sale, f, "Verkauf", cases);
}

TEST_F(SaleFormTest, SaleTakesTheSelectedLotsAndAnEditKeepsTheSoldPieces) {
    sale.oldestFirst = false;
    sale.distributed = {{first, 5 * kPiece}, {second, 5 * kPiece}};
    sale.date = Day(10, 3, 2020);
    sale.commission2 = "2,50";
    const PositionList lots = sale.Lots(b.doc);
    ASSERT_EQ(lots.size(), 2u);
    EXPECT_EQ(lots[1].selectedQuantity, 5 * kPiece);
    LotSelection shown = sale.Selection(b.doc);
    EXPECT_EQ(shown.quantity, 10 * kPiece);
    EXPECT_EQ(shown.lotCount, 2u);
    EXPECT_TRUE(shown.listEnabled && shown.oldestFirstEnabled && shown.distributeEnabled);
    SaleForm tooMany = sale;
    tooMany.quantity = "50";
    EXPECT_EQ(tooMany.Selection(b.doc).quantity, 40 * kPiece) << "lowered to what the lots hold";

    const int32_t id = sale.Apply(b.doc);
    ASSERT_NE(id, -1);
    const CFL2Transaktion* t = b.doc.FindTransaction(id);
    ASSERT_EQ(t->allocations.size(), 2u);
    const int32_t piece = t->allocations[0].newPositionNo;
    EXPECT_EQ(t->allocations[0], (CFL2PosInfo{piece, first, 5 * kPiece}));
    EXPECT_EQ(t->allocations[1], (CFL2PosInfo{piece + 1, second, 5 * kPiece}));
    EXPECT_AMOUNT(t->amount, 147.50);  // 10 × 15,00 - 2,50

    // Edited: the earlier allocation is offered again and the first lot keeps its sold piece.
    SaleForm edit = SaleForm::ForEdit(b.doc, id, Day(9, 9, 2020));
    EXPECT_EQ(edit.quantity, "10");
    EXPECT_EQ(edit.commission2, "2,50");
    EXPECT_EQ(edit.distributed, sale.distributed);
    EXPECT_FALSE(edit.Check(b.doc));
    edit.quantity = "8";
    edit.distributed.erase(second);
    edit.distributed[first] = 8 * kPiece;
    ASSERT_EQ(edit.Apply(b.doc), id);
    t = b.doc.FindTransaction(id);
    ASSERT_EQ(t->allocations.size(), 1u);
    EXPECT_EQ(t->allocations[0], (CFL2PosInfo{piece, first, 8 * kPiece}));
}

TEST_F(SaleFormTest, LockedLotsKeepTheEarlierAllocation) {
    sale.date = Day(10, 3, 2020);
    const int32_t id = sale.Apply(b.doc);
    const int32_t piece = b.doc.FindTransaction(id)->allocations[0].newPositionNo;
    // Sale costs booked on the sold piece lock the list.
    b.Movement(Day(12, 3, 2020), "Sonstige Kosten", 1.0, alpha, kSaleCosts, {{piece, 10}});

    SaleForm edit = SaleForm::ForEdit(b.doc, id, Day(9, 9, 2020));
    EXPECT_TRUE(edit.LotsLocked(b.doc));
    const LotSelection shown = edit.Selection(b.doc);
    EXPECT_FALSE(shown.listEnabled || shown.oldestFirstEnabled || shown.distributeEnabled);
    edit.oldestFirst = true;  // disabled: not read
    edit.quantity = "12";
    const MaybeMessage m = edit.Check(b.doc);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field, "distribute");
    edit.quantity = "10";
    EXPECT_FALSE(edit.Check(b.doc));
}

}  // namespace
}  // namespace pf::testing

#include "engine/transaction_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/holdings.h"
#include "engine/split_exchange.h"
#include "engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;
using testing::Made;

constexpr Quantity P = kPiece;
using Items = std::vector<std::pair<int32_t, Quantity>>;  // {position number, quantity}

const std::string kReferenced =
    "Diese Transaktion kann nicht gelöscht werden, da andere Transaktionen vorhanden sind, die "
    "sich auf diese hier beziehen!";
const std::string kSplitFollowed =
    "Dieser Aktiensplit kann nicht mehr gelöscht werden, da nach dem Split bereits weitere "
    "Transaktionen mit diesem Wertpapier eingegeben wurden!";
const std::string kSplitPermanent = "Dieser Aktiensplit kann nicht mehr gelöscht werden!";
const std::string kQuestion = "Möchten Sie diese Transaktion wirklich löschen?";

// A document with two securities; purchases, sales and movements made with the builder,
// splits and exchanges with the document operations.
class EditorTest : public ::testing::Test {
  protected:
    EditorTest() : b(0) {
        alpha = b.Security("Alpha AG", "A00001");
        beta = b.Security("Beta AG", "B00001");
        usd = doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, 0).id;
    }

    static double Pieces(Quantity q) { return static_cast<double>(q) / P; }

    Made Buy(int32_t security, CQRNDatum date, Quantity quantity, double price) {
        return b.Buy(date, security, Pieces(quantity), price);
    }

    // A sale at 10,00 of {position number, quantity} items.
    int32_t Sell(int32_t security, CQRNDatum date, const Items& items) {
        std::vector<DocBuilder::Item> sold;
        for (auto [no, q] : items) sold.push_back({no, Pieces(q)});
        return b.Sell(date, security, sold, 10.0).id;
    }

    // A movement of 5,00 allocated to {position number, quantity} items: a dividend, or
    // other costs for any other allocation kind.
    int32_t Movement(CQRNDatum date, int32_t security, int32_t allocKind, const Items& items) {
        std::vector<std::pair<int32_t, double>> lots;
        for (auto [no, q] : items) lots.emplace_back(no, Pieces(q));
        return b
            .Movement(date, allocKind == kIncome ? "Dividenden-Gutschrift" : "Sonstige Kosten", 5.0,
                      security, static_cast<AllocationKind>(allocKind), lots)
            .id;
    }

    // An exchange of the given lots of alpha into beta; returns its id.
    int32_t Exchange(CQRNDatum date, const Items& items, Quantity newPieces) {
        PositionList lots = SellableLots(doc, date);
        Quantity old = 0;
        for (auto [no, q] : items)
            for (CFL2DepotPos& lot : lots)
                if (lot.positionNo == no) lot.selectedQuantity = q, old += q;
        ExchangeFields f;
        f.date = date;
        f.sourceSecurityId = alpha;
        f.oldPieces = old;
        f.targetSecurityId = beta;
        f.newPieces = newPieces;
        return AddExchange(doc, f, lots);
    }

    int32_t Split(int32_t security, CQRNDatum date, bool permanent) {
        SplitFields f;
        f.securityId = security;
        f.date = date;
        f.newPieces = 2 * P;
        f.oldPieces = 1 * P;
        f.permanent = permanent;
        return AddSplit(doc, f, 2);
    }

    // Expects CheckDelete to refuse with `text`, and DeleteTransaction to keep everything.
    void ExpectRefused(int32_t id, const std::string& text) {
        const MaybeMessage m = CheckDelete(doc, id, "Transaktions-Editor");
        ASSERT_TRUE(m);
        EXPECT_EQ(*m, (Message{"Transaktions-Editor", text, MessageIcon::Information, ""}));
        const auto before = doc.transactions;
        doc.SetModified(false);
        EXPECT_FALSE(DeleteTransaction(doc, id));
        EXPECT_EQ(doc.transactions, before);
        EXPECT_FALSE(doc.IsModified());
    }

    // Expects the question, then deletes.
    void ExpectDeleted(int32_t id) {
        const MaybeMessage m = CheckDelete(doc, id, "Titel");
        ASSERT_TRUE(m);
        EXPECT_EQ(*m, (Message{"Titel", kQuestion, MessageIcon::Question, ""}));
        doc.SetModified(false);
        EXPECT_TRUE(DeleteTransaction(doc, id));
        EXPECT_EQ(doc.FindTransaction(id), nullptr);
        EXPECT_TRUE(doc.IsModified());
    }

    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    int32_t alpha = -1, beta = -1, usd = -1;
};

// --- Deleting ----------------------------------------------------------------------------

TEST_F(EditorTest, PartlySoldPurchaseGoesOnlyAfterItsSale) {
    const Made buy = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    const int32_t sale = Sell(alpha, Day(1, 3, 2011), {{buy.positionNo, 4 * P}});
    ExpectRefused(buy.id, kReferenced);
    ExpectDeleted(sale);
    ExpectDeleted(buy.id);
    EXPECT_TRUE(doc.transactions.empty());
}

TEST_F(EditorTest, SaleWhosePiecesAMovementNeeds) {
    const Made buy = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    const int32_t sale = Sell(alpha, Day(1, 3, 2011), {{buy.positionNo, 4 * P}});
    const int32_t soldPiece = doc.FindTransaction(sale)->allocations[0].newPositionNo;

    // Sale costs booked to the sold piece: the sale goes only after the movement.
    const int32_t costs = Movement(Day(5, 3, 2011), alpha, kSaleCosts, {{soldPiece, 4 * P}});
    ExpectRefused(sale, kReferenced);
    ExpectDeleted(costs);  // movements can always go
    ExpectDeleted(sale);
}

TEST_F(EditorTest, SaleWithMovementOnItsSourceLot) {
    const Made buy = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    const int32_t sale = Sell(alpha, Day(1, 3, 2011), {{buy.positionNo, 4 * P}});
    // On the sale day the movement precedes the sale and does not depend on it.
    Movement(Day(1, 3, 2011), alpha, kIncome, {{buy.positionNo, 10 * P}});
    EXPECT_FALSE(SaleLotsLocked(doc, sale));
    EXPECT_TRUE(CheckDelete(doc, sale, "Transaktions-Editor")->IsQuestion());
    // After the sale it is allocated to what the sale left.
    Movement(Day(2, 3, 2011), alpha, kIncome, {{buy.positionNo, 6 * P}});
    EXPECT_TRUE(SaleLotsLocked(doc, sale));
    ExpectRefused(sale, kReferenced);
    ExpectRefused(buy.id, kReferenced);
}

TEST_F(EditorTest, ExchangeWhoseNewLotIsUsed) {
    const Made buy = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    const int32_t exchange = Exchange(Day(1, 3, 2011), {{buy.positionNo, 10 * P}}, 5 * P);
    const int32_t newLot = doc.FindTransaction(exchange)->allocations[0].newPositionNo;
    ExpectRefused(buy.id, kReferenced);

    const int32_t sale = Sell(beta, Day(1, 4, 2011), {{newLot, 2 * P}});
    ExpectRefused(exchange, kReferenced);
    ExpectDeleted(sale);
    ExpectDeleted(exchange);
}

TEST_F(EditorTest, PartialExchangeWithLaterMovementOnTheRest) {
    const Made buy = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    const int32_t exchange = Exchange(Day(1, 3, 2011), {{buy.positionNo, 4 * P}}, 2 * P);
    const int32_t movement = Movement(Day(1, 4, 2011), alpha, kIncome, {{buy.positionNo, 6 * P}});
    ExpectRefused(exchange, kReferenced);
    ExpectDeleted(movement);
    ExpectDeleted(exchange);
}

TEST_F(EditorTest, SplitDeletion) {
    const Made buy = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);

    // Not permanent, nothing after it: deletable, and the split list follows.
    const int32_t free = Split(alpha, Day(1, 3, 2011), false);
    ASSERT_EQ(doc.FindSecurity(alpha)->splits.size(), 1u);
    ExpectDeleted(free);
    EXPECT_TRUE(doc.FindSecurity(alpha)->splits.empty());

    const int32_t permanent = Split(alpha, Day(1, 3, 2011), true);
    ExpectRefused(permanent, kSplitPermanent);

    // A later transaction wins over the permanent text; one on the split day counts too.
    Sell(alpha, Day(1, 3, 2011), {{buy.positionNo, 2 * P}});
    ExpectRefused(permanent, kSplitFollowed);

    // Beta receives lots by exchange on the split day: that counts as a transaction with it.
    const int32_t betaSplit = Split(beta, Day(1, 4, 2011), false);
    ExpectDeleted(betaSplit);
    const int32_t betaSplit2 = Split(beta, Day(1, 4, 2011), false);
    Exchange(Day(1, 4, 2011), {{buy.positionNo, 4 * P}}, 8 * P);
    ExpectRefused(betaSplit2, kSplitFollowed);
}

TEST_F(EditorTest, UnknownIdIsNotDeleted) {
    doc.SetModified(false);
    EXPECT_FALSE(CheckDelete(doc, 42, "Transaktions-Editor"));
    EXPECT_FALSE(DeleteTransaction(doc, 42));
    EXPECT_FALSE(doc.IsModified());
}

// --- List --------------------------------------------------------------------------------

TEST_F(EditorTest, DescriptionsAndRows) {
    const Made buy = Buy(alpha, Day(1, 2, 2011), 12'345'000'000, 10.125);
    const Made usdBuy = b.Buy(Day(2, 2, 2011), beta, 2, 1.5);  // currency 1 other than the base
    usdBuy->currency1 = usd;
    usdBuy->amount = 2.5;
    const int32_t sale = Sell(alpha, Day(1, 3, 2011), {{buy.positionNo, 5 * P}});
    const int32_t split = Split(alpha, Day(1, 4, 2011), false);
    const int32_t exchange = Exchange(Day(1, 5, 2011), {{buy.positionNo, 5'000'000}}, 3 * P);
    const int32_t linked = Movement(Day(1, 6, 2011), alpha, kIncome, {{buy.positionNo, P}});
    const Made deposit = b.Movement(Day(1, 7, 2011), "Kapitaleinlage", 1234.5);
    deposit->text = "Einzahlung";

    struct Case {
        int32_t id;
        const char* description;
    };
    const Case cases[] = {
        {buy.id, "Alpha AG - 1.234,5 St. zu 10,125 Euro"},
        {usdBuy.id, "Beta AG - 2 St. zu 1,50 US-Dollar"},
        {sale, "Alpha AG - 5 St. zu 10,00 Euro"},
        {split, "Alpha AG - 2:1"},
        {exchange, "Alpha AG (0,5 St.) > Beta AG (3 St.)"},
        {linked, "Dividenden-Gutschrift - Alpha AG"},
        {deposit.id, "Kapitaleinlage"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(TransactionDescription(doc, *doc.FindTransaction(c.id)), c.description);
    }
    doc.options.decimalSeparator = ".";
    doc.options.thousandsSeparator = ",";
    EXPECT_EQ(TransactionDescription(doc, *doc.FindTransaction(buy.id)),
              "Alpha AG - 1,234.5 St. zu 10.125 Euro");
    doc.options.decimalSeparator = ",";
    doc.options.thousandsSeparator = ".";

    // The period bounds are inclusive; splits and exchanges show no amount.
    const std::vector<EditorRow> rows = EditorRows(doc, Day(1, 3, 2011), Day(1, 7, 2011));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (EditorRow{"01.03.2011", "Verkauf", "Alpha AG - 5 St. zu 10,00 Euro", "",
                                  "50,00", "Euro", sale}));
    EXPECT_EQ(rows[1],
              (EditorRow{"01.04.2011", "Aktiensplit", "Alpha AG - 2:1", "", "", "", split}));
    EXPECT_EQ(rows[2].type, "Umtausch");
    EXPECT_EQ(rows[2].amount, "");
    EXPECT_EQ(rows[2].currency, "");
    EXPECT_EQ(rows[3].type, "Kontobewegung");
    EXPECT_EQ(rows[4], (EditorRow{"01.07.2011", "Kontobewegung", "Kapitaleinlage", "Einzahlung",
                                  "1.234,50", "Euro", deposit.id}));
    EXPECT_EQ(EditorRows(doc, Day(2, 2, 2011), Day(2, 2, 2011)).at(0).type, "Kauf");
    EXPECT_TRUE(EditorRows(doc, Day(2, 7, 2011), Day(1, 1, 2012)).empty());

    const EditorSelection picked = SelectEditorRow(rows, split);
    EXPECT_EQ(picked.row, 1);
    EXPECT_TRUE(picked.editEnabled && picked.deleteEnabled);
    for (int32_t absent : {-1, buy.id}) {  // none, or outside the period
        const EditorSelection s = SelectEditorRow(rows, absent);
        EXPECT_EQ(s.row, -1);
        EXPECT_FALSE(s.editEnabled || s.deleteEnabled);
    }
}

TEST(EditorPeriodTest, DefaultIsTheCurrentMonth) {
    struct Case {
        CQRNDatum today, from, to;
    };
    const Case cases[] = {
        {Day(15, 2, 2012), Day(1, 2, 2012), Day(29, 2, 2012)},
        {Day(28, 2, 2011), Day(1, 2, 2011), Day(28, 2, 2011)},
        {Day(1, 12, 2010), Day(1, 12, 2010), Day(31, 12, 2010)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.today.FormatLong());
        const EditorPeriod p = DefaultEditorPeriod(c.today);
        EXPECT_EQ(p.from, c.from);
        EXPECT_EQ(p.to, c.to);
    }
}

// --- Edit limits -------------------------------------------------------------------------

TEST_F(EditorTest, PurchaseEditLimits) {
    const Made buy = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    PurchaseLimits l = PurchaseEditLimits(doc, buy.id);
    EXPECT_FALSE(l.latestDate);
    EXPECT_EQ(l.minimumQuantity, 0);
    EXPECT_FALSE(l.quantityLocked);

    Sell(alpha, Day(1, 4, 2011), {{buy.positionNo, 3 * P}});
    Sell(alpha, Day(1, 3, 2011), {{buy.positionNo, 2 * P}});
    l = PurchaseEditLimits(doc, buy.id);
    EXPECT_EQ(l.latestDate, Day(1, 3, 2011));  // the earliest use
    EXPECT_EQ(l.takenQuantity, 5 * P);
    EXPECT_EQ(l.minimumQuantity, 5 * P + 1);
    EXPECT_FALSE(l.quantityLocked);

    // An exchange of the rest uses up the lot; it is replayed before purchases of its day.
    Exchange(Day(1, 3, 2011), {{buy.positionNo, 5 * P}}, 5 * P);
    l = PurchaseEditLimits(doc, buy.id);
    EXPECT_EQ(l.latestDate, Day(28, 2, 2011));
    EXPECT_EQ(l.takenQuantity, 10 * P);
    EXPECT_EQ(l.minimumQuantity, 0);
    EXPECT_TRUE(l.quantityLocked);

    // A movement allocated to the lot locks the quantity.
    const Made other = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    Movement(Day(1, 5, 2011), alpha, kIncome, {{other.positionNo, 10 * P}});
    l = PurchaseEditLimits(doc, other.id);
    EXPECT_EQ(l.latestDate, Day(1, 5, 2011));
    EXPECT_EQ(l.takenQuantity, 0);
    EXPECT_TRUE(l.quantityLocked);

    EXPECT_FALSE(PurchaseEditLimits(doc, 999).latestDate);
}

TEST_F(EditorTest, PurchaseEditLimitsAcrossASplit) {
    // 1:10 reverse split: 100 pieces become 10; selling 5 of them takes 50 bought pieces.
    const Made buy = Buy(alpha, Day(1, 2, 2011), 100 * P, 1.0);
    SplitFields f;
    f.securityId = alpha;
    f.date = Day(1, 3, 2011);
    f.newPieces = 1 * P;
    f.oldPieces = 10 * P;
    AddSplit(doc, f, 2);
    Sell(alpha, Day(1, 4, 2011), {{buy.positionNo, 5 * P}});

    const PurchaseLimits l = PurchaseEditLimits(doc, buy.id);
    EXPECT_EQ(l.takenQuantity, 50 * P);
    EXPECT_EQ(l.minimumQuantity, 50 * P + 1);
    EXPECT_FALSE(l.quantityLocked);
    // Moving the purchase past the split would leave the lot unsplit: 100 pieces where the
    // sale counts in tenths.
    EXPECT_EQ(l.latestDate, Day(28, 2, 2011));
}

TEST_F(EditorTest, EarlierSelection) {
    const Made a = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    const Made b = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    const int32_t sale = Sell(alpha, Day(1, 3, 2011), {{a.positionNo, 4 * P}, {b.positionNo, P}});
    EXPECT_EQ(EarlierSelection(*doc.FindTransaction(sale)),
              (std::map<int32_t, Quantity>{{a.positionNo, 4 * P}, {b.positionNo, P}}));
    EXPECT_FALSE(SaleLotsLocked(doc, sale));
    EXPECT_FALSE(SaleLotsLocked(doc, a.id));  // not a sale
}

TEST_F(EditorTest, DeleteFormAsksBeforeItDeletesAndIsHeardOnce) {
    int heard = 0;
    doc.AddEditListener([&] { ++heard; });
    const Made buy = Buy(alpha, Day(1, 2, 2011), 10 * P, 10.0);
    const int32_t sale = Sell(alpha, Day(1, 3, 2011), {{buy.positionNo, 4 * P}});

    TransactionDeleteForm refused{buy.id};
    EXPECT_EQ(refused.Check(doc),
              (Message{"Transaktions-Editor", kReferenced, MessageIcon::Information, ""}));
    EXPECT_FALSE(refused.Apply(doc));
    EXPECT_EQ(heard, 0);

    const TransactionDeleteForm asked{sale, "Titel"};
    EXPECT_EQ(asked.Check(doc), (Message{"Titel", kQuestion, MessageIcon::Question, ""}));
    EXPECT_TRUE(asked.Apply(doc));
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(refused.Apply(doc)) << "nothing refers to the purchase any more";
    EXPECT_TRUE(doc.transactions.empty());
    EXPECT_EQ(heard, 2);
}

}  // namespace
}  // namespace pf

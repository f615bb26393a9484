#include "engine/split_exchange.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/holdings.h"
#include "engine/split_exchange_form.h"
#include "engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

constexpr Quantity P = kPiece;

// A document with three securities; transactions are made with the builder, position
// numbers from the document's counter.
class SplitExchangeTest : public ::testing::Test {
  protected:
    SplitExchangeTest() : b(0) {
        alpha = b.Security("Alpha AG", "A00001");
        beta = b.Security("Beta AG", "B00001");
        gamma = b.Security("Gamma AG", "C00001");
    }

    // A dividend allocated to lots: {position number, pieces}.
    int32_t Dividend(CQRNDatum date, int32_t security,
                     std::vector<std::pair<int32_t, double>> items) {
        return b.Movement(date, "Dividenden-Gutschrift", 10.0, security, kIncome, items).id;
    }

    // The split dialog filled in for `security` on `date`, by default 2 new for 1 old.
    SplitForm SplitEntry(int32_t security, CQRNDatum date, const std::string& newPieces = "2",
                         const std::string& oldPieces = "1") const {
        SplitForm f;
        f.date = date;
        f.nameSecurityId = f.codeSecurityId = security;
        f.newPieces = newPieces;
        f.oldPieces = oldPieces;
        return f;
    }

    ExchangeFields Exchange(CQRNDatum date, int32_t from, Quantity old, int32_t to, Quantity neu) {
        ExchangeFields f;
        f.date = date;
        f.sourceSecurityId = from;
        f.oldPieces = old;
        f.targetSecurityId = to;
        f.newPieces = neu;
        return f;
    }

    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    int32_t alpha = -1, beta = -1, gamma = -1;
};

SplitFields Split(int32_t security, CQRNDatum date, Quantity newPieces, Quantity oldPieces,
                  bool permanent = false) {
    SplitFields f;
    f.securityId = security;
    f.date = date;
    f.newPieces = newPieces;
    f.oldPieces = oldPieces;
    f.permanent = permanent;
    return f;
}

// --- Split -------------------------------------------------------------------------------

TEST_F(SplitExchangeTest, TenForOneSplitScalesLotAndQuotesSeenAfterIt) {
    b.Buy(Day(1, 3, 2011), alpha, 5, 100.0);
    b.Quote(alpha, Day(1, 3, 2011), 100.0);
    doc.SetModified(false);

    const int32_t id = AddSplit(doc, Split(alpha, Day(1, 4, 2011), 10 * P, 1 * P), 2);
    ASSERT_NE(id, -1);
    const CFL2Transaktion* t = doc.FindTransaction(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->type, TransactionType::Split);
    EXPECT_DOUBLE_EQ(t->splitRatio, 10.0);
    EXPECT_EQ(t->linkFlag, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.lastTransactionDate, Day(1, 4, 2011));

    const PositionList lots = b.OpenLots();
    ASSERT_EQ(lots.size(), 1u);
    EXPECT_EQ(lots[0].quantity, 50 * P);
    EXPECT_DOUBLE_EQ(lots[0].price, 10.0);

    // Stored quote untouched; read through the rebuilt split list.
    const CFL2Wertpapier& s = *doc.FindSecurity(alpha);
    EXPECT_DOUBLE_EQ(s.quotes[0].value, 100.0);
    EXPECT_DOUBLE_EQ(s.PriceAt(Day(1, 3, 2011), Day(2, 4, 2011)), 10.0);
    EXPECT_DOUBLE_EQ(s.PriceAt(Day(1, 3, 2011), Day(31, 3, 2011)), 100.0);
}

TEST_F(SplitExchangeTest, PermanentSplitDividesEarlierQuotesOnceAndRestoresThemBefore) {
    CFL2Wertpapier& s = *doc.FindSecurity(alpha);
    s.quotes.SetQuote(Day(1, 3, 2011), 100.0);
    s.quotes.SetQuote(Day(2, 3, 2011), 101.0);
    s.quotes.SetQuote(Day(1, 4, 2011), 10.5);  // on the split day: already in new units
    doc.FindSecurity(beta)->quotes.SetQuote(Day(1, 3, 2011), 100.0);

    const int32_t id = AddSplit(doc, Split(alpha, Day(1, 4, 2011), 10 * P, 1 * P, true), 2);
    ASSERT_NE(id, -1);
    EXPECT_EQ(doc.FindTransaction(id)->linkFlag, 1);
    const CFL2Wertpapier& a = *doc.FindSecurity(alpha);
    EXPECT_DOUBLE_EQ(a.quotes[0].value, 10.0);
    EXPECT_DOUBLE_EQ(a.quotes[1].value, 10.1);
    EXPECT_DOUBLE_EQ(a.quotes[2].value, 10.5);
    EXPECT_DOUBLE_EQ(doc.FindSecurity(beta)->quotes[0].value, 100.0);

    EXPECT_DOUBLE_EQ(a.PriceAt(Day(2, 3, 2011), Day(2, 3, 2011)), 101.0);  // viewed before
    EXPECT_DOUBLE_EQ(a.PriceAt(Day(2, 3, 2011), Day(1, 4, 2011)), 10.1);   // viewed after

    // Rounded to the dialog's decimals.
    const int32_t third = AddSplit(doc, Split(beta, Day(1, 4, 2011), 3 * P, 1 * P, true), 3);
    ASSERT_NE(third, -1);
    EXPECT_DOUBLE_EQ(doc.FindSecurity(beta)->quotes[0].value, 33.333);
}

TEST_F(SplitExchangeTest, ChangeSplit) {
    CFL2Wertpapier& s = *doc.FindSecurity(alpha);
    s.quotes.SetQuote(Day(1, 3, 2011), 100.0);
    const int32_t id = AddSplit(doc, Split(alpha, Day(1, 4, 2011), 2 * P, 1 * P), 2);
    EXPECT_DOUBLE_EQ(doc.FindSecurity(alpha)->quotes[0].value, 100.0);

    // Editing without the option changes the values and nothing stored.
    SplitFields edit = Split(alpha, Day(2, 4, 2011), 4 * P, 1 * P);
    edit.text = "neu";
    edit.permanent = true;  // not read by ChangeSplit
    ASSERT_TRUE(ChangeSplit(doc, id, edit, false, 2));
    const CFL2Transaktion* t = doc.FindTransaction(id);
    EXPECT_EQ(t->date, Day(2, 4, 2011));
    EXPECT_DOUBLE_EQ(t->splitRatio, 4.0);
    EXPECT_EQ(t->text, "neu");
    EXPECT_EQ(t->linkFlag, 0);
    EXPECT_DOUBLE_EQ(doc.FindSecurity(alpha)->quotes[0].value, 100.0);
    ASSERT_EQ(doc.FindSecurity(alpha)->splits.size(), 1u);
    EXPECT_DOUBLE_EQ(doc.FindSecurity(alpha)->splits[0].ratio, 4.0);

    // Asking for the permanent adjustment divides by the new ratio.
    ASSERT_TRUE(ChangeSplit(doc, id, edit, true, 2));
    EXPECT_EQ(doc.FindTransaction(id)->linkFlag, 1);
    EXPECT_DOUBLE_EQ(doc.FindSecurity(alpha)->quotes[0].value, 25.0);

    // Regression: editing a permanent split again must not divide the stored quotes a second
    // time nor change the ratio they were divided by; only the text follows the dialog.
    SplitFields again = Split(beta, Day(5, 4, 2011), 8 * P, 1 * P);
    again.text = "nochmal";
    ASSERT_TRUE(ChangeSplit(doc, id, again, true, 2));
    t = doc.FindTransaction(id);
    EXPECT_DOUBLE_EQ(doc.FindSecurity(alpha)->quotes[0].value, 25.0);
    EXPECT_EQ(t->securityId, alpha);
    EXPECT_EQ(t->date, Day(2, 4, 2011));
    EXPECT_DOUBLE_EQ(t->splitRatio, 4.0);
    EXPECT_EQ(t->text, "nochmal");

    EXPECT_FALSE(ChangeSplit(doc, 999, edit, false, 2));
    EXPECT_FALSE(ChangeSplit(doc, id, Split(alpha, Day(2, 4, 2011), 0, 1 * P), false, 2));
    EXPECT_EQ(AddSplit(doc, Split(alpha, Day(2, 4, 2011), 1 * P, 0), 2), -1);
}

TEST_F(SplitExchangeTest, SplitEarliestDate) {
    b.Buy(Day(10, 3, 2011), alpha, 5, 100.0);
    b.Buy(Day(1, 2, 2011), alpha, 5, 100.0);
    b.Buy(Day(1, 5, 2011), beta, 5, 100.0);  // another security does not count
    const std::string refusal =
        "Ein Aktiensplit ist für dieses Wertpapier frühestens am 11.03.2011 möglich, da vorher "
        "bereits Transaktionen mit diesem Wertpapier vorhanden sind!";

    struct Case {
        CQRNDatum date;
        bool refused;
    };
    const Case cases[] = {
        {Day(1, 1, 2011), true}, {Day(10, 3, 2011), true}, {Day(11, 3, 2011), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.FormatLong());
        const MaybeMessage m = SplitEntry(alpha, c.date).Check(doc);
        ASSERT_EQ(m.has_value(), c.refused);
        if (m) {
            EXPECT_EQ(*m, (Message{"Aktiensplit", refusal, MessageIcon::Information, "date"}));
        }
    }
    EXPECT_FALSE(SplitEntry(gamma, Day(1, 1, 2011)).Check(doc));
}

TEST_F(SplitExchangeTest, SplitEarliestDateCountsExchangeIntoTheSecurity) {
    b.Buy(Day(1, 2, 2011), alpha, 10, 10.0);
    PositionList lots = SellableLots(doc, Day(1, 3, 2011));
    lots[0].selectedQuantity = 10 * P;
    AddExchange(doc, Exchange(Day(1, 3, 2011), alpha, 10 * P, beta, 5 * P), lots);
    // A split of the target on the exchange day would be replayed before the new lots exist.
    const MaybeMessage m = SplitEntry(beta, Day(1, 3, 2011)).Check(doc);
    ASSERT_TRUE(m);
    EXPECT_NE(m->text.find("frühestens am 02.03.2011 möglich"), std::string::npos);
    EXPECT_FALSE(SplitEntry(beta, Day(2, 3, 2011)).Check(doc));
}

TEST_F(SplitExchangeTest, EditedSplitIsCheckedOnlyWhileNothingFollowsIt) {
    b.Buy(Day(1, 2, 2011), alpha, 5, 100.0);
    const int32_t split = AddSplit(doc, Split(alpha, Day(1, 3, 2011), 2 * P, 1 * P), 2);
    SplitForm tooEarly = SplitForm::ForEdit(doc, split, Day(1, 1, 2011));
    tooEarly.date = Day(1, 1, 2011);
    EXPECT_TRUE(tooEarly.DateRuleApplies(doc));
    EXPECT_TRUE(tooEarly.Check(doc));

    b.Buy(Day(1, 3, 2011), alpha, 5, 50.0);  // on the split day: counts as after it
    EXPECT_FALSE(tooEarly.DateRuleApplies(doc));
    EXPECT_FALSE(tooEarly.Check(doc));

    const int32_t permanent = AddSplit(doc, Split(beta, Day(1, 3, 2011), 2 * P, 1 * P, true), 2);
    EXPECT_FALSE(SplitForm::ForEdit(doc, permanent, Day(1, 1, 2011)).DateRuleApplies(doc));
    EXPECT_TRUE(SplitForm::New(doc, Day(1, 1, 2011)).DateRuleApplies(doc));
}

TEST_F(SplitExchangeTest, PermanentQuestionText) {
    const std::string expected =
        "Wenn Sie die Option 'alle Wertpapierkurse vor dem Splitdatum dauerhaft anpassen' "
        "aktivieren, werden alle Kurse für dieses Wertpapier vor dem Splitdatum durch 2,5 "
        "geteilt.\nDer Aktiensplit kann dann nicht mehr rückgängig gemacht werden!\n\nWenn Sie "
        "die Option nicht aktivieren, bleiben die Kurse in der Datenbank unverändert und "
        "werden stattdessen bei jedem Zugriff entsprechend geteilt. Der Aktiensplit kann "
        "dadurch wieder rückgängig gemacht werden.\n\nMöchten Sie den Aktiensplit wirklich mit "
        "aktivierter Option 'alle Wertpapierkurse vor dem Splitdatum dauerhaft anpassen' "
        "durchführen?";
    // Asked once the fields pass, before anything is stored.
    const auto question = [&](const std::string& newPieces, const std::string& oldPieces) {
        SplitForm f = SplitEntry(alpha, Day(1, 3, 2011), newPieces, oldPieces);
        f.permanent = true;
        const MaybeMessage m = f.Check(doc);
        EXPECT_TRUE(m);
        return m.value_or(Message{});
    };
    const Message m = question("5", "2");
    EXPECT_EQ(m.title, "Aktiensplit");
    EXPECT_TRUE(m.IsQuestion());
    EXPECT_EQ(m.text, expected);

    struct Case {
        const char* newPieces;
        const char* oldPieces;
        const char* shown;
    };
    const Case cases[] = {{"10", "1", " durch 10 geteilt"},
                          {"1", "3", " durch 0,3333333 geteilt"},
                          {"1000", "1", " durch 1.000 geteilt"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_NE(question(c.newPieces, c.oldPieces).text.find(c.shown), std::string::npos);
    }
}

TEST_F(SplitExchangeTest, SplitFormOrderAndThePermanentSplitAfterYes) {
    b.Buy(Day(1, 2, 2011), alpha, 5, 100.0);
    b.Quote(alpha, Day(1, 2, 2011), 100.0);
    SplitForm f;
    const struct {
        const char* what;
        std::function<void()> change;
        const char* text;  // nullptr: accepted
        const char* field;
    } cases[] = {
        {"valid", [] {}, nullptr, ""},
        {"no name, before the pieces",
         [&] {
             f.nameSecurityId = -1;
             f.newPieces = "";
         },
         "Bitte wählen Sie eine Wertpapierbezeichnung aus!", "name"},
        {"no code", [&] { f.codeSecurityId = -1; },
         "Bitte wählen Sie eine Wertpapier-Kennnummer aus!", "code"},
        {"new pieces not a number, before the old ones",
         [&] {
             f.newPieces = "zwei";
             f.oldPieces = "0";
         },
         "Bitte geben Sie eine korrekte Stückzahl an!", "newPieces"},
        {"new pieces zero", [&] { f.newPieces = "0"; },
         "Bitte geben Sie eine Stückzahl größer Null an!", "newPieces"},
        {"old pieces empty", [&] { f.oldPieces = ""; },
         "Bitte geben Sie eine korrekte Stückzahl an!", "oldPieces"},
        {"old pieces zero, before the date",
         [&] {
             f.oldPieces = "0";
             f.date = Day(1, 1, 2011);
         },
         "Bitte geben Sie eine Stückzahl größer Null an!", "oldPieces"},
        {"fractional pieces", [&] { f.oldPieces = "1,5"; }, nullptr, ""},
        {"on the day of the purchase", [&] { f.date = Day(1, 2, 2011); },
         "Ein Aktiensplit ist für dieses Wertpapier frühestens am 02.02.2011 möglich, da vorher "
         "bereits Transaktionen mit diesem Wertpapier vorhanden sind!",
         "date"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        f = SplitEntry(alpha, Day(1, 3, 2011));
        c.change();
        const MaybeMessage m = f.Check(doc);
        if (c.text == nullptr) {
            EXPECT_FALSE(m) << m->text;
            continue;
        }
        ASSERT_TRUE(m);
        EXPECT_EQ(*m, (Message{"Aktiensplit", c.text, MessageIcon::Information, c.field}));
        EXPECT_EQ(f.Apply(doc), -1);
    }

    // The permanent option asks first; Apply is what happens after Yes.
    int heard = 0;
    doc.AddEditListener([&] { ++heard; });
    f = SplitEntry(alpha, Day(1, 3, 2011), "4", "1");
    f.permanent = true;
    f.roundDecimals = 1;
    ASSERT_TRUE(f.Check(doc));
    EXPECT_TRUE(f.Check(doc)->IsQuestion());
    const int32_t id = f.Apply(doc);
    ASSERT_NE(id, -1);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(doc.FindTransaction(id)->linkFlag, 1);
    EXPECT_DOUBLE_EQ(doc.FindSecurity(alpha)->quotes[0].value, 25.0);

    // Edited, it is permanent already: no question, and the quotes are not divided again.
    SplitForm edit = SplitForm::ForEdit(doc, id, Day(1, 1, 2012));
    EXPECT_TRUE(edit.permanent);
    EXPECT_EQ(edit.newPieces, "4");
    edit.text = "Aufteilung";
    EXPECT_FALSE(edit.Check(doc));
    ASSERT_EQ(edit.Apply(doc), id);
    EXPECT_EQ(doc.FindTransaction(id)->text, "Aufteilung");
    EXPECT_DOUBLE_EQ(doc.FindSecurity(alpha)->quotes[0].value, 25.0);
}

TEST_F(SplitExchangeTest, ExchangeFormStoresTheSelectedLots) {
    const int32_t l1 = b.Buy(Day(1, 2, 2011), alpha, 10, 10.0).positionNo;
    const int32_t l2 = b.Buy(Day(2, 2, 2011), alpha, 10, 10.0).positionNo;
    int heard = 0;
    doc.AddEditListener([&] { ++heard; });

    ExchangeForm form = ExchangeForm::New(doc, Day(1, 3, 2011));
    form.sourceNameId = form.sourceCodeId = alpha;
    form.oldPieces = "15";
    form.targetName = "Beta AG";
    form.targetCode = "B00001";
    form.newPieces = "3";
    form.keepPurchaseDate = true;
    EXPECT_EQ(form.Check(doc)->field, "distribute");
    form.distributed = {{l1, 5 * P}, {l2, 10 * P}};
    const PositionList lots = form.Lots(doc);
    ASSERT_EQ(lots.size(), 2u);
    EXPECT_EQ(lots[0].selectedQuantity, 5 * P);

    const int32_t first = doc.nextPositionNo;
    const int32_t id = form.Apply(doc);
    ASSERT_NE(id, -1);
    EXPECT_EQ(heard, 1);
    const CFL2Transaktion* t = doc.FindTransaction(id);
    EXPECT_EQ(t->otherId, beta);
    EXPECT_EQ(t->allocKind, 1);
    EXPECT_EQ(t->allocations,
              (std::vector<CFL2PosInfo>{{first, l1, 5 * P}, {first + 2, l2, 10 * P}}));

    // Edited: the earlier allocation is offered; the second lot keeps its new number.
    ExchangeForm edit = ExchangeForm::ForEdit(doc, id, Day(1, 1, 2012));
    EXPECT_EQ(edit.targetName, "Beta AG");
    EXPECT_EQ(edit.oldPieces, "15");
    EXPECT_EQ(edit.distributed, form.distributed);
    edit.oldPieces = "10";
    edit.distributed.erase(l1);
    ASSERT_EQ(edit.Apply(doc), id);
    EXPECT_EQ(doc.FindTransaction(id)->allocations,
              (std::vector<CFL2PosInfo>{{first + 2, l2, 10 * P}}));
}

// --- Exchange ----------------------------------------------------------------------------

TEST_F(SplitExchangeTest, ThreeLotsOfTenIntoTwenty) {
    for (unsigned i = 1; i <= 3; ++i) b.Buy(Day(i, 2, 2011), alpha, 10, 10.0);
    PositionList lots = SellableLots(doc, Day(1, 3, 2011));
    SelectOldestFirst(lots, alpha, 30 * P);
    const int32_t first = doc.nextPositionNo;
    doc.SetModified(false);

    const int32_t id =
        AddExchange(doc, Exchange(Day(1, 3, 2011), alpha, 30 * P, beta, 20 * P), lots);
    const CFL2Transaktion& t = *doc.FindTransaction(id);
    EXPECT_EQ(t.type, TransactionType::Exchange);
    EXPECT_EQ(t.otherId, beta);
    ASSERT_EQ(t.allocations.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.allocations[i].positionNo, lots[i].positionNo);
        EXPECT_EQ(t.allocations[i].newPositionNo, first + 2 * i);
        EXPECT_EQ(t.allocations[i].quantity, 10 * P);
    }
    EXPECT_EQ(doc.nextPositionNo, first + 6);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.lastTransactionDate, Day(1, 3, 2011));

    const PositionList open = b.OpenLots();
    ASSERT_EQ(open.size(), 3u);
    const Quantity expected[] = {66666667, 66666667, 66666666};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(open[i].securityId, beta);
        EXPECT_EQ(open[i].quantity, expected[i]);
    }
}

TEST_F(SplitExchangeTest, ChangeExchangeKeepsNumbersOfUnchangedSourceLots) {
    b.Buy(Day(1, 2, 2011), alpha, 10, 10.0);
    const int32_t l2 = b.Buy(Day(2, 2, 2011), alpha, 10, 10.0).positionNo;
    const int32_t l3 = b.Buy(Day(3, 2, 2011), alpha, 10, 10.0).positionNo;
    b.Buy(Day(3, 2, 2011), gamma, 10, 10.0);
    PositionList lots = SellableLots(doc, Day(1, 3, 2011));
    SelectOldestFirst(lots, alpha, 20 * P);
    const int32_t id =
        AddExchange(doc, Exchange(Day(1, 3, 2011), alpha, 20 * P, beta, 10 * P), lots);
    const int32_t n2 = doc.FindTransaction(id)->allocations[1].newPositionNo;

    // The edited exchange's lots are offered again.
    lots = SellableLots(doc, Day(1, 3, 2011), id);
    ASSERT_EQ(AvailableTotal(lots, alpha), 30 * P);
    SelectManually(lots, alpha, 20 * P, {{l2, 10 * P}, {l3, 10 * P}});
    const int32_t fresh = doc.nextPositionNo;
    ExchangeFields edit = Exchange(Day(2, 3, 2011), alpha, 20 * P, beta, 10 * P);
    edit.keepPurchaseDate = true;
    edit.text = "Fusion";
    ASSERT_TRUE(ChangeExchange(doc, id, edit, lots));
    const CFL2Transaktion* t = doc.FindTransaction(id);
    ASSERT_EQ(t->allocations.size(), 2u);
    EXPECT_EQ(t->allocations[0], (CFL2PosInfo{n2, l2, 10 * P}));
    EXPECT_EQ(t->allocations[1], (CFL2PosInfo{fresh, l3, 10 * P}));
    EXPECT_EQ(t->date, Day(2, 3, 2011));
    EXPECT_EQ(t->allocKind, 1);
    EXPECT_EQ(t->text, "Fusion");
    EXPECT_EQ(doc.nextPositionNo, fresh + 2);

    // Another source security: every item takes a fresh pair.
    lots = SellableLots(doc, Day(2, 3, 2011), id);
    SelectOldestFirst(lots, gamma, 10 * P);
    ASSERT_TRUE(
        ChangeExchange(doc, id, Exchange(Day(2, 3, 2011), gamma, 10 * P, beta, 5 * P), lots));
    t = doc.FindTransaction(id);
    ASSERT_EQ(t->allocations.size(), 1u);
    EXPECT_EQ(t->allocations[0].newPositionNo, fresh + 2);
    EXPECT_FALSE(ChangeExchange(doc, 999, edit, lots));
}

TEST_F(SplitExchangeTest, ExchangeChecks) {
    b.Buy(Day(1, 2, 2011), alpha, 10, 10.0);
    const int32_t l2 = b.Buy(Day(2, 2, 2011), alpha, 10, 10.0).positionNo;
    b.Buy(Day(1, 2, 2011), gamma, 10, 10.0);
    const CQRNDatum day = Day(1, 3, 2011);
    // A dividend on the exchange day allocated to all ten pieces of the second lot.
    Dividend(day, alpha, {{l2, 10}});

    // The dialog filled in for an exchange that passes: the first lot, oldest first.
    ExchangeForm entry;
    entry.date = day;
    entry.sourceNameId = entry.sourceCodeId = alpha;
    entry.oldPieces = "10";
    entry.targetName = "Beta AG";
    entry.targetCode = "B00001";
    entry.newPieces = "1";
    entry.oldestFirst = true;

    ExchangeForm early = entry;
    early.date = Day(1, 1, 2011);
    EXPECT_EQ(early.Check(doc)->text,
              "An diesem Tag befinden sich keine Wertpapiere im Depot, die umgetauscht werden "
              "können!");
    EXPECT_FALSE(entry.Check(doc));

    struct TargetCase {
        const char* name;
        const char* code;
        const char* text;  // nullptr: accepted
        const char* field;
    };
    const TargetCase targets[] = {
        {"", "B00001", "Bitte geben Sie eine Wertpapierbezeichnung ein!", "targetName"},
        {"Beta AG", "", "Bitte geben Sie die Wertpapier-Kennnummer ein!", "targetCode"},
        {"Beta AG", "C00001",
         "Ein Wertpapier mit dieser Bezeichnung und Wertpapier-Kennnummer befindet sich nicht "
         "in der Datenbank!",
         "targetName"},
        {"Alpha AG", "A00001", "Bitte wählen Sie unterschiedliche Wertpapiere aus!", "targetName"},
        {"Beta AG", "B00001", nullptr, ""},
    };
    for (const TargetCase& c : targets) {
        SCOPED_TRACE(std::string(c.name) + "/" + c.code);
        ExchangeForm form = entry;
        form.targetName = c.name;
        form.targetCode = c.code;
        const MaybeMessage m = form.Check(doc);
        ASSERT_EQ(m.has_value(), c.text != nullptr);
        if (m) {
            EXPECT_EQ(m->title, "Umtausch");
            EXPECT_EQ(m->text, c.text);
            EXPECT_EQ(m->field, c.field);
        }
    }
    CFolari2Doc stored = doc;
    const int32_t id = entry.Apply(stored);
    ASSERT_NE(stored.FindTransaction(id), nullptr);
    EXPECT_EQ(stored.FindTransaction(id)->otherId, beta);

    struct SelectionCase {
        const char* what;
        Quantity oldPieces;
        std::vector<Quantity> selected;  // per lot of alpha; -1 none
        bool oldestFirst;
        const char* text;  // nullptr: accepted
    };
    const SelectionCase selections[] = {
        {"more than available",
         21 * P,
         {10 * P, 10 * P},
         true,
         "So viele Wertpapiere befinden sich nicht im Depot!"},
        {"first lot only", 10 * P, {10 * P, 0}, true, nullptr},
        {"part of the second lot, needed by the dividend that day",
         15 * P,
         {10 * P, 5 * P},
         true,
         "Position 2 kann frühestens am 02.03.2011 umgetauscht werden, da am Vortag eine "
         "Kontobewegung vorhanden ist, die sich auf diese Position bezieht!"},
        // The message names the row of the list even when the first lot has no selection.
        {"only the second lot",
         5 * P,
         {-1, 5 * P},
         false,
         "Position 2 kann frühestens am 02.03.2011 umgetauscht werden, da am Vortag eine "
         "Kontobewegung vorhanden ist, die sich auf diese Position bezieht!"},
        // Exchanging the whole lot renumbers it, so the dividend would lose its lot.
        {"whole second lot",
         10 * P,
         {-1, 10 * P},
         false,
         "Position 2 kann frühestens am 02.03.2011 umgetauscht werden, da am Vortag eine "
         "Kontobewegung vorhanden ist, die sich auf diese Position bezieht!"},
        {"whole first lot, manual", 10 * P, {10 * P, -1}, false, nullptr},
        {"selection short, oldest first",
         12 * P,
         {10 * P, 0},
         true,
         "Bitte geben Sie eine korrekte Stückzahl ein!"},
        {"selection short, manual",
         12 * P,
         {10 * P, -1},
         false,
         "Bitte teilen Sie die umgetauschten Stücke auf die verschiedenen Positionen auf!"},
    };
    for (const SelectionCase& c : selections) {
        SCOPED_TRACE(c.what);
        PositionList lots = SellableLots(doc, day);
        const std::vector<size_t> rows = LotsOfSecurity(lots, alpha);
        ASSERT_EQ(rows.size(), 2u);
        for (size_t i = 0; i < rows.size(); ++i) lots[rows[i]].selectedQuantity = c.selected[i];
        const MaybeMessage m = CheckExchangeSelection(
            doc, lots, Exchange(day, alpha, c.oldPieces, beta, 1 * P), c.oldestFirst);
        ASSERT_EQ(m.has_value(), c.text != nullptr);
        if (m) {
            EXPECT_EQ(m->title, "Umtausch");
            EXPECT_EQ(m->text, c.text);
        }
    }

    // With a single lot the short selection asks for a correct quantity even in manual mode.
    PositionList lots = SellableLots(doc, day);
    for (CFL2DepotPos& lot : lots) lot.selectedQuantity = lot.quantity / 2;
    const MaybeMessage single =
        CheckExchangeSelection(doc, lots, Exchange(day, gamma, 6 * P, beta, 1 * P), false);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->text, "Bitte geben Sie eine korrekte Stückzahl ein!");
    EXPECT_EQ(single->field, "oldPieces");
}

TEST_F(SplitExchangeTest, SourceCannotBeExchangedOnTheDayItIsCreated) {
    b.Buy(Day(1, 2, 2011), alpha, 10, 10.0);
    b.Buy(Day(1, 2, 2011), beta, 10, 10.0);
    PositionList lots = SellableLots(doc, Day(1, 3, 2011));
    SelectOldestFirst(lots, alpha, 10 * P);
    const int32_t id =
        AddExchange(doc, Exchange(Day(1, 3, 2011), alpha, 10 * P, beta, 5 * P), lots);

    // Whether the exchange dialog refuses `source` on `date` for this reason; the form is
    // otherwise complete (into Gamma, oldest first), `edited` the exchange being edited.
    const std::string refusal =
        "Dieses Wertpapier kann am gewählten Datum nicht umgetauscht werden!";
    const auto refused = [&](CQRNDatum date, int32_t source, int32_t edited = -1) {
        ExchangeForm form = ExchangeForm::ForEdit(doc, edited, date);
        form.date = date;
        form.sourceNameId = form.sourceCodeId = source;
        form.oldPieces = "1";
        form.targetName = "Gamma AG";
        form.targetCode = "C00001";
        form.newPieces = "1";
        form.oldestFirst = true;
        const MaybeMessage m = form.Check(doc);
        if (m && m->text == refusal) {
            EXPECT_EQ(m->field, "date");
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused(Day(1, 3, 2011), beta));
    EXPECT_FALSE(refused(Day(2, 3, 2011), beta));
    EXPECT_FALSE(refused(Day(1, 3, 2011), alpha));
    EXPECT_FALSE(refused(Day(1, 3, 2011), beta, id));  // itself, edited
}

// --- Lot selection -----------------------------------------------------------------------

TEST_F(SplitExchangeTest, SellableLotsAtADate) {
    const int32_t early = b.Buy(Day(1, 2, 2011), alpha, 10, 10.0).positionNo;
    b.Buy(Day(1, 4, 2011), alpha, 10, 10.0);
    b.Buy(Day(1, 2, 2011), gamma, 10, 10.0);
    AddSplit(doc, Split(alpha, Day(1, 5, 2011), 2 * P, 1 * P), 2);

    // Reference mode: lots bought later are left out, later splits undone.
    const PositionList lots = SellableLots(doc, Day(1, 3, 2011));
    ASSERT_EQ(LotsOfSecurity(lots, alpha).size(), 1u);
    EXPECT_EQ(lots[LotsOfSecurity(lots, alpha)[0]].positionNo, early);
    EXPECT_EQ(AvailableTotal(lots, alpha), 10 * P);
    EXPECT_EQ(AvailableTotal(lots, beta), 0);
    EXPECT_EQ(AvailableTotal(lots, -1), 9'999'999'999'999'999);
    EXPECT_EQ(SecuritiesWithLots(doc, lots), (std::vector<int32_t>{alpha, gamma}));
    EXPECT_EQ(AvailableTotal(SellableLots(doc, Day(1, 6, 2011)), alpha), 40 * P);
}

TEST_F(SplitExchangeTest, SelectionModes) {
    b.Buy(Day(1, 2, 2011), alpha, 20, 10.0);
    b.Buy(Day(1, 2, 2011), gamma, 5, 10.0);
    const int32_t second = b.Buy(Day(2, 2, 2011), alpha, 20, 10.0).positionNo;
    const int32_t third = b.Buy(Day(3, 2, 2011), alpha, 20, 10.0).positionNo;
    PositionList lots = SellableLots(doc, Day(1, 3, 2011));
    const auto selected = [&] {
        std::vector<Quantity> q;
        for (size_t i : LotsOfSecurity(lots, alpha)) q.push_back(lots[i].selectedQuantity);
        return q;
    };

    SelectOldestFirst(lots, alpha, 30 * P);
    EXPECT_EQ(selected(), (std::vector<Quantity>{20 * P, 10 * P, 0}));
    EXPECT_EQ(lots[LotsOfSecurity(lots, gamma)[0]].selectedQuantity, -1);  // untouched

    // Remembered choices cut to the lot and to the entered quantity; none stays -1.
    SelectManually(lots, alpha, 30 * P, {{second, 25 * P}, {third, 15 * P}});
    EXPECT_EQ(selected(), (std::vector<Quantity>{-1, 20 * P, 10 * P}));

    std::map<int32_t, Quantity> none;
    LotSelection s = RefreshLotSelection(lots, alpha, 70 * P, false, none);
    EXPECT_EQ(s.quantity, 60 * P);  // lowered to the available total
    EXPECT_EQ(s.lotCount, 3u);
    EXPECT_TRUE(s.listEnabled && s.oldestFirstEnabled && s.distributeEnabled);
    EXPECT_EQ(selected(), (std::vector<Quantity>{-1, -1, -1}));

    s = RefreshLotSelection(lots, alpha, 25 * P, true, none);
    EXPECT_EQ(s.quantity, 25 * P);
    EXPECT_FALSE(s.distributeEnabled);
    EXPECT_EQ(selected(), (std::vector<Quantity>{20 * P, 5 * P, 0}));

    // A single lot is always taken oldest first.
    s = RefreshLotSelection(lots, gamma, 3 * P, false, none);
    EXPECT_EQ(lots[LotsOfSecurity(lots, gamma)[0]].selectedQuantity, 3 * P);
    EXPECT_FALSE(s.oldestFirstEnabled || s.distributeEnabled);
    EXPECT_TRUE(s.listEnabled);

    s = RefreshLotSelection(lots, -1, 3 * P, false, none);
    EXPECT_EQ(s.quantity, 3 * P);
    EXPECT_FALSE(s.listEnabled || s.oldestFirstEnabled || s.distributeEnabled);
}

TEST(LotDistribution, Bounds) {
    struct Case {
        Quantity remaining, total, lot;
        QuantityBounds bounds;
    };
    const Case cases[] = {
        {30 * P, 40 * P, 20 * P, {10 * P, 20 * P}},  // the other lot can take only 20
        {10 * P, 40 * P, 20 * P, {0, 10 * P}},
        {40 * P, 40 * P, 20 * P, {20 * P, 20 * P}},  // everything: no choice
        {5 * P, 5 * P, 5 * P, {5 * P, 5 * P}},       // last lot takes the rest
        {0, 20 * P, 20 * P, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.remaining) + "/" + std::to_string(c.total));
        EXPECT_EQ(DistributeBounds(c.remaining, c.total, c.lot), c.bounds);
    }
    const QuantityBounds b{10 * P, 20 * P};
    EXPECT_EQ(ClampToBounds(5 * P, b), 10 * P);
    EXPECT_EQ(ClampToBounds(25 * P, b), 20 * P);
    EXPECT_EQ(ClampToBounds(15 * P, b), 15 * P);
    EXPECT_EQ(DistributeBoundsText({0, 12'345'000'000'000}, NumberFormat{}),
              "mindestens 0 Stück\nhöchstens 1.234.500 Stück");
    EXPECT_EQ(DistributeBoundsText({5, 25'000'000}, NumberFormat{}),
              "mindestens 0,0000005 Stück\nhöchstens 2,5 Stück");
}

TEST_F(SplitExchangeTest, LatestAllocationDate) {
    const int32_t lot = b.Buy(Day(1, 2, 2011), alpha, 10, 10.0).positionNo;
    const int32_t other = b.Buy(Day(1, 2, 2011), alpha, 10, 10.0).positionNo;
    Dividend(Day(1, 4, 2011), alpha, {{lot, 4}, {other, 10}});
    Dividend(Day(1, 3, 2011), alpha, {{lot, 10}});
    Dividend(Day(1, 5, 2011), alpha, {{other, 2}});

    struct Case {
        int32_t positionNo;
        Quantity keeps;
        std::optional<CQRNDatum> latest;
    };
    const Case cases[] = {
        {lot, 0, Day(1, 4, 2011)},      // every movement needs more than nothing
        {lot, 4 * P, Day(1, 3, 2011)},  // 4 pieces suffice for the April movement
        {lot, 10 * P, std::nullopt},    // strictly greater
        {other, 2 * P, Day(1, 4, 2011)}, {other, 1 * P, Day(1, 5, 2011)}, {99, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.positionNo) + " keeps " + std::to_string(c.keeps));
        EXPECT_EQ(LatestAllocationDate(doc, c.positionNo, c.keeps), c.latest);
    }
}

}  // namespace
}  // namespace pf

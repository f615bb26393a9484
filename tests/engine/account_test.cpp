#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/account_currency.h"
#include "engine/account_movements.h"
#include "engine/balance_series.h"
#include "engine/holdings.h"
#include "engine/movement_form.h"
#include "engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;
using testing::LotNo;

constexpr int32_t kEuro = 0;
constexpr int32_t kMark = 1;  // the first legacy currency: 1.95583 DM = 1 EUR

// Adds a movement linked to `security`, allocated automatically on its date.
int32_t AddLinkedMovement(DocBuilder& b, CQRNDatum date, const std::string& kind, int32_t security,
                          int32_t allocKind, double amount) {
    CFolari2Doc& doc = b.doc;
    PositionList lots = AllocationLots(doc, date, security);
    AutoAllocate(lots);
    MovementFields f;
    f.date = date;
    f.kindId = b.Kind(kind);
    f.amount = amount;
    f.currencyId = kEuro;
    f.linked = true;
    f.securityId = security;
    f.allocKind = allocKind;
    return AddMovement(doc, f, lots);
}

TEST(AccountMovement, DividendIsSharedOverTheLotsByQuantityWithTheRemainderOnTheLast) {
    struct Case {
        std::vector<int64_t> pieces;
        double amount;
        std::vector<double> income;
    };
    const Case cases[] = {
        {{30, 10}, 10.00, {7.50, 2.50}},
        {{1, 1, 1}, 10.00, {3.33, 3.33, 3.34}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pieces.size());
        DocBuilder b;
        CFolari2Doc& doc = b.doc;
        const int32_t share = b.Security("Alpha AG", "100001");
        std::vector<int32_t> numbers;
        for (int64_t p : c.pieces)
            numbers.push_back(b.Buy(Day(1, 2, 2010), share, p, 10.0).positionNo);
        const int32_t id = AddLinkedMovement(b, Day(1, 5, 2010), "Dividenden-Gutschrift", share,
                                             kIncome, c.amount);
        ASSERT_NE(id, -1);

        const CFL2Transaktion* t = doc.FindTransaction(id);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->type, TransactionType::AccountMovement);
        EXPECT_EQ(t->kindOutflow, 0);
        EXPECT_EQ(t->kindCapital, 0);
        EXPECT_EQ(t->linkFlag, 1);
        EXPECT_EQ(t->securityId, share);
        ASSERT_EQ(t->allocations.size(), c.pieces.size());
        Quantity total = 0;
        for (size_t i = 0; i < c.pieces.size(); ++i) {
            EXPECT_EQ(t->allocations[i],
                      (CFL2PosInfo{numbers[i], numbers[i], c.pieces[i] * kPiece}));
            total += c.pieces[i] * kPiece;
        }
        EXPECT_EQ(t->quantity, total);

        const PositionList lots = b.Lots();
        for (size_t i = 0; i < numbers.size(); ++i)
            EXPECT_DOUBLE_EQ(LotNo(lots, numbers[i]).income, c.income[i]) << i;
    }
}

// What each allocation kind does to a lot, for an inflow and an outflow of 5,00.
TEST(AccountMovement, AllocationKindDecidesWhichAmountsOfTheLotChange) {
    struct Case {
        const char* kind;
        int32_t allocKind;
        bool sellFirst;
        double purchaseCosts, purchaseTotal, income, saleCosts, saleProceeds;
    };
    // The lot: 10 pieces bought for 100,00 without costs; when sold, for 120,00.
    const Case cases[] = {
        {"Limit-Gebühren", kPurchaseCosts, false, 5.0, 105.0, 0.0, 0.0, 0.0},
        {"Sonstige Erträge", kPurchaseCosts, false, -5.0, 95.0, 0.0, 0.0, 0.0},
        {"Steuern", kIncome, false, 0.0, 100.0, -5.0, 0.0, 0.0},
        {"Steuern", kSaleCosts, true, 0.0, 100.0, 0.0, 5.0, 115.0},
        {"Sonstige Erträge", kSaleCosts, true, 0.0, 100.0, 0.0, -5.0, 125.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.allocKind));
        DocBuilder b;
        const int32_t share = b.Security("Alpha AG", "100001");
        int32_t lot = b.Buy(Day(1, 2, 2010), share, 10, 10.0).positionNo;
        if (c.sellFirst) lot = b.Sell(Day(1, 3, 2010), share, {{lot, 10}}, 12.0).newNumbers[0];
        ASSERT_NE(AddLinkedMovement(b, Day(1, 5, 2010), c.kind, share, c.allocKind, 5.0), -1);

        const PositionList lots = b.Lots();
        const CFL2DepotPos& p = LotNo(lots, lot);
        EXPECT_DOUBLE_EQ(p.purchaseCosts, c.purchaseCosts);
        EXPECT_DOUBLE_EQ(p.purchaseTotal, c.purchaseTotal);
        EXPECT_DOUBLE_EQ(p.income, c.income);
        EXPECT_DOUBLE_EQ(p.saleCosts, c.saleCosts);
        EXPECT_DOUBLE_EQ(p.saleProceeds, c.saleProceeds);
    }
}

TEST(AccountMovement, LotsOfferedOnADate) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const int32_t alpha = b.Security("Alpha AG", "100001");
    const int32_t beta = b.Security("Beta AG", "100002");
    const int32_t gamma = b.Security("Gamma AG", "100003");
    const int32_t a1 = b.Buy(Day(1, 2, 2010), alpha, 10, 10.0).positionNo;
    const int32_t a2 = b.Buy(Day(2, 2, 2010), alpha, 20, 10.0).positionNo;
    const int32_t sold = b.Sell(Day(1, 3, 2010), alpha, {{a1, 10}, {a2, 20}}, 10.0).newNumbers[1];
    const int32_t b1 = b.Buy(Day(1, 2, 2010), beta, 10, 10.0).positionNo;
    const int32_t b2 = b.Buy(Day(1, 2, 2010), beta, 5, 10.0).positionNo;
    b.Sell(Day(1, 3, 2010), beta, {{b2, 5}}, 10.0);

    // Exchange of the whole Beta lot into Gamma on 1.4.: Beta keeps only an exchanged-out
    // piece, which takes no allocation.
    b.Exchange(Day(1, 4, 2010), beta, gamma, 10, 10, {{b1, 10}}, false);

    // On the sale date the sale is not replayed yet: both Alpha lots are open.
    PositionList lots = AllocationLots(doc, Day(1, 3, 2010), alpha);
    ASSERT_EQ(lots.size(), 2u);
    EXPECT_EQ(lots[0].state, PositionState::Open);
    EXPECT_EQ(OpenTotal(lots), 30 * kPiece);

    // A day later every Alpha lot is sold: the movement goes to the sold lots in full.
    lots = AllocationLots(doc, Day(2, 3, 2010), alpha);
    ASSERT_EQ(lots.size(), 2u);
    EXPECT_EQ(lots[1].positionNo, sold);
    EXPECT_EQ(OpenTotal(lots), 0);
    AutoAllocate(lots);
    EXPECT_EQ(lots[0].selectedQuantity, 10 * kPiece);
    EXPECT_EQ(lots[1].selectedQuantity, 20 * kPiece);

    // With an open lot beside a sold one, the sold one gets nothing.
    lots = AllocationLots(doc, Day(2, 3, 2010), beta);
    ASSERT_EQ(lots.size(), 2u);
    AutoAllocate(lots);
    EXPECT_EQ(lots[0].selectedQuantity, 10 * kPiece);
    EXPECT_EQ(lots[1].selectedQuantity, 0);

    const PositionList holdings = MovementHoldings(doc, Day(2, 4, 2010));
    lots = AllocationLots(holdings, beta);
    ASSERT_EQ(lots.size(), 1u);
    EXPECT_EQ(lots[0].state, PositionState::Sold);
    EXPECT_EQ(SecuritiesWithLots(doc, holdings), (std::vector<int32_t>{alpha, beta, gamma}));
    EXPECT_EQ(SecuritiesWithLots(doc, MovementHoldings(doc, Day(1, 1, 2010))),
              std::vector<int32_t>{});

    EXPECT_TRUE(LinkEnabled(doc, b.Kind("Steuern"), holdings));
    EXPECT_FALSE(LinkEnabled(doc, b.Kind("Kapitaleinlage"), holdings));
    EXPECT_FALSE(LinkEnabled(doc, b.Kind("Steuern"), PositionList{}));
}

TEST(AccountMovement, ManualAllocationIsRememberedByNumberAndCutToTheLot) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const int32_t alpha = b.Security("Alpha AG", "100001");
    const int32_t a1 = b.Buy(Day(1, 2, 2010), alpha, 10, 10.0).positionNo;
    const int32_t a2 = b.Buy(Day(2, 2, 2010), alpha, 20, 10.0).positionNo;
    b.Buy(Day(3, 2, 2010), alpha, 30, 10.0).positionNo;
    PositionList lots = AllocationLots(doc, Day(1, 3, 2010), alpha);
    ASSERT_EQ(lots.size(), 3u);

    ManualAllocation manual;
    RememberAllocation(manual, lots[0], 15 * kPiece);  // more than the lot holds
    RememberAllocation(manual, lots[1], 5 * kPiece);
    EXPECT_EQ(manual[a1], 10 * kPiece);
    EXPECT_EQ(manual[a2], 5 * kPiece);

    Allocate(lots, false, manual);
    EXPECT_EQ(lots[0].selectedQuantity, 10 * kPiece);
    EXPECT_EQ(lots[1].selectedQuantity, 5 * kPiece);
    EXPECT_EQ(lots[2].selectedQuantity, -1);

    // A remembered entry above a lot that shrank meanwhile is cut again.
    manual[a2] = 25 * kPiece;
    ManualAllocate(lots, manual);
    EXPECT_EQ(lots[1].selectedQuantity, 20 * kPiece);

    Allocate(lots, true, manual);
    EXPECT_EQ(lots[2].selectedQuantity, 30 * kPiece);

    // With a single lot the allocation is automatic whatever the mode.
    PositionList single(lots.begin(), lots.begin() + 1);
    single[0].selectedQuantity = -1;
    EXPECT_TRUE(UsesAutomaticAllocation(false, single));
    Allocate(single, false, ManualAllocation{});
    EXPECT_EQ(single[0].selectedQuantity, 10 * kPiece);

    const std::vector<AllocationRow> rows = AllocationRows(doc, lots);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].number, "2");
    EXPECT_EQ(rows[1].purchaseDate, "02.02.2010");
    EXPECT_EQ(rows[1].saleDate, "-");
    EXPECT_EQ(rows[1].quantity, "20");
    EXPECT_EQ(rows[1].allocated, "20");
    EXPECT_EQ(rows[1].positionNo, a2);
}

TEST(AccountMovement, AllocationEntryIsReadAsPiecesAndRefusedWhenNotAQuantity) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const int32_t alpha = b.Security("Alpha AG", "100001");
    const int32_t a1 = b.Buy(Day(1, 2, 2010), alpha, 10, 10.0).positionNo;
    const PositionList lots = AllocationLots(doc, Day(1, 3, 2010), alpha);
    ASSERT_EQ(lots.size(), 1u);

    struct Case {
        const char* entry;
        bool accepted;
        Quantity stored;  // what the lot keeps afterwards (the earlier 4 pieces when refused)
    };
    const Case cases[] = {
        {"2,5", true, 25'000'000},
        {"10", true, 10 * kPiece},
        {"1.000", true, 10 * kPiece},  // the thousands separator is ignored; cut to the lot
        {"0", true, 0},
        {"", false, 4 * kPiece},
        {"-3", false, 4 * kPiece},
        {"drei", false, 4 * kPiece},
        {"1,5,0", false, 4 * kPiece},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ManualAllocation manual{{a1, 4 * kPiece}};
        const MaybeMessage m = EnterAllocation(doc, manual, lots[0], c.entry);
        if (c.accepted) {
            EXPECT_FALSE(m.has_value());
        } else {
            ASSERT_TRUE(m.has_value());
            EXPECT_EQ(m->title, "Zuordnen");
            EXPECT_EQ(m->text, "Bitte geben Sie eine korrekte Stückzahl ein!");
            EXPECT_EQ(m->field, kAllocationPiecesField);
            EXPECT_FALSE(m->IsQuestion());
        }
        EXPECT_EQ(manual[a1], c.stored);
    }
}

TEST(AccountMovement, AddStoresTheKindFlagsAndDropsTheSecurityWhenNotLinked) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const int32_t alpha = b.Security("Alpha AG", "100001");
    b.Buy(Day(1, 2, 2010), alpha, 10, 10.0).positionNo;
    PositionList lots = AllocationLots(doc, Day(1, 3, 2010), alpha);
    AutoAllocate(lots);
    doc.SetModified(false);
    const int32_t expectedId = doc.nextTransactionId;

    MovementFields f;
    f.date = Day(1, 3, 2010);
    f.kindId = b.Kind("Kapitalentnahme");
    f.amount = 250.0;
    f.currencyId = kMark;
    f.text = "Entnahme";
    f.linked = false;
    f.securityId = alpha;  // stale choice of the boxes; not linked, so not stored
    const int32_t id = AddMovement(doc, f, lots);
    EXPECT_EQ(id, expectedId);
    EXPECT_EQ(doc.nextTransactionId, expectedId + 1);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.lastTransactionDate.has_value());
    EXPECT_EQ(*doc.lastTransactionDate, Day(1, 3, 2010));

    const CFL2Transaktion* t = doc.FindTransaction(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->otherId, f.kindId);
    EXPECT_EQ(t->kindOutflow, 1);
    EXPECT_EQ(t->kindCapital, 1);
    EXPECT_EQ(t->amount, 250.0);
    EXPECT_EQ(t->currency2, kMark);
    EXPECT_EQ(t->text, "Entnahme");
    EXPECT_EQ(t->linkFlag, 0);
    EXPECT_EQ(t->securityId, -1);
    EXPECT_EQ(t->quantity, 0);
    EXPECT_TRUE(t->allocations.empty());

    // A kind that does not exist stores nothing.
    f.kindId = 999;
    EXPECT_EQ(AddMovement(doc, f, lots), -1);
    EXPECT_EQ(doc.transactions.size(), 2u);
}

TEST(AccountMovement, ChangeKeepsTheIdAndMovesTheMovementToItsNewPlace) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const int32_t alpha = b.Security("Alpha AG", "100001");
    const int32_t lot = b.Buy(Day(5, 3, 2010), alpha, 10, 10.0).positionNo;
    b.Movement(Day(1, 3, 2010), "Kapitaleinlage", 1000.0, kEuro);
    const int32_t moved = doc.transactions.front().id;
    doc.lastTransactionDate.reset();
    doc.SetModified(false);

    PositionList lots = AllocationLots(doc, Day(10, 3, 2010), alpha);
    AutoAllocate(lots);
    MovementFields f;
    f.date = Day(10, 3, 2010);
    f.kindId = b.Kind("Sonstige Kosten");
    f.amount = 12.5;
    f.currencyId = kEuro;
    f.linked = true;
    f.securityId = alpha;
    f.allocKind = kSaleCosts;
    ASSERT_TRUE(ChangeMovement(doc, moved, f, lots));

    ASSERT_EQ(doc.transactions.size(), 2u);
    EXPECT_EQ(doc.transactions[0].type, TransactionType::Buy);
    const CFL2Transaktion& t = doc.transactions[1];
    EXPECT_EQ(t.id, moved);
    EXPECT_EQ(t.date, Day(10, 3, 2010));
    EXPECT_EQ(t.kindOutflow, 1);
    EXPECT_EQ(t.kindCapital, 0);
    EXPECT_EQ(t.amount, 12.5);
    EXPECT_EQ(t.allocKind, kSaleCosts);
    EXPECT_EQ(t.securityId, alpha);
    EXPECT_EQ(t.allocations, (std::vector<CFL2PosInfo>{{lot, lot, 10 * kPiece}}));
    EXPECT_EQ(t.quantity, 10 * kPiece);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.lastTransactionDate.has_value());

    // Only account movements can be changed here.
    const int32_t buyId = doc.transactions[0].id;
    EXPECT_FALSE(ChangeMovement(doc, buyId, f, lots));
    EXPECT_FALSE(ChangeMovement(doc, 999, f, lots));
    EXPECT_EQ(doc.transactions[0].type, TransactionType::Buy);
}

TEST(AccountMovement, OkChecksInTheirOrder) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const int32_t alpha = b.Security("Alpha AG", "100001");
    b.Buy(Day(1, 2, 2010), alpha, 10, 10.0);
    b.Buy(Day(2, 2, 2010), alpha, 5, 10.0);  // two lots: the allocation can be left to the user

    MovementForm base;
    base.date = Day(1, 3, 2010);
    base.kindId = b.Kind("Dividenden-Gutschrift");
    base.currencyId = kEuro;
    base.amount = "10,00";
    base.linked = true;
    base.nameSecurityId = alpha;
    base.codeSecurityId = alpha;
    base.allocKind = kIncome;
    base.automatic = true;

    struct Case {
        const char* name;
        void (*change)(MovementForm&);
        const char* message;  // nullptr: accepted
        const char* field;
    };
    const Case cases[] = {
        {"accepted", [](MovementForm&) {}, nullptr, ""},
        {"no kind", [](MovementForm& e) { e.kindId = 999; }, "Bitte wählen Sie einen Vorgang aus!",
         kMovementKindField},
        {"no currency",
         [](MovementForm& e) {
             e.currencyId = -1;
             e.amount = "x";
         },
         "Bitte wählen Sie eine Währung aus!", kMovementCurrencyField},
        {"empty amount", [](MovementForm& e) { e.amount = ""; },
         "Bitte geben Sie einen korrekten Betrag ein!", kMovementAmountField},
        {"not a number", [](MovementForm& e) { e.amount = "10,00 EUR"; },
         "Bitte geben Sie einen korrekten Betrag ein!", kMovementAmountField},
        {"below a cent", [](MovementForm& e) { e.amount = "0,004"; },
         "Bitte geben Sie einen Betrag ungleich Null ein!", kMovementAmountField},
        {"one cent", [](MovementForm& e) { e.amount = "0,01"; }, nullptr, ""},
        {"no name", [](MovementForm& e) { e.nameSecurityId = -1; },
         "Bitte wählen Sie eine Wertpapierbezeichnung aus!", kMovementNameField},
        {"no code", [](MovementForm& e) { e.codeSecurityId = -1; },
         "Bitte wählen Sie eine Wertpapier-Kennnummer aus!", kMovementCodeField},
        {"no allocation", [](MovementForm& e) { e.automatic = false; },
         "Bitte ordnen Sie den Betrag den Wertpapierpositionen zu!", kMovementAllocateField},
        {"nothing held: link dropped",
         [](MovementForm& e) {
             e.date = Day(1, 1, 2010);
             e.nameSecurityId = e.codeSecurityId = -1;
         },
         nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MovementForm form = base;
        c.change(form);
        const MaybeMessage m = form.Check(doc);
        if (c.message == nullptr) {
            EXPECT_FALSE(m.has_value()) << m->text;
            continue;
        }
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(m->title, "Kontobewegung");
        EXPECT_EQ(m->text, c.message);
        EXPECT_EQ(m->field, c.field);
        EXPECT_EQ(m->icon, MessageIcon::Information);
    }

    MovementForm sum = base;
    sum.amount = "4,90+1,50+2";
    std::optional<MovementFields> fields = sum.Values(doc);
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->amount, 8.40);
    EXPECT_TRUE(fields->linked);
    EXPECT_EQ(fields->securityId, alpha);

    MovementForm nothingHeld = base;
    nothingHeld.date = Day(1, 1, 2010);
    fields = nothingHeld.Values(doc);
    ASSERT_TRUE(fields.has_value());
    EXPECT_FALSE(fields->linked);
    EXPECT_EQ(fields->securityId, -1);
}

TEST(AccountMovement, FormStoresTheAllocationAndAnEditStartsFromIt) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const int32_t alpha = b.Security("Alpha AG", "100001");
    const int32_t first = b.Buy(Day(1, 2, 2010), alpha, 30, 10.0).positionNo;
    const int32_t second = b.Buy(Day(2, 2, 2010), alpha, 10, 10.0).positionNo;
    int heard = 0;
    doc.AddEditListener([&] { ++heard; });

    MovementForm form = MovementForm::New(doc, Day(1, 3, 2010));
    EXPECT_EQ(form.date, Day(1, 3, 2010));
    EXPECT_EQ(form.kindId, b.Kind("Kapitaleinlage"));
    EXPECT_EQ(form.currencyId, kEuro);
    EXPECT_FALSE(form.LinkEnabled(doc)) << "a deposit cannot be linked";
    form.kindId = b.Kind("Dividenden-Gutschrift");
    EXPECT_TRUE(form.LinkEnabled(doc));
    form.amount = "10";
    form.linked = true;
    form.nameSecurityId = form.codeSecurityId = alpha;
    form.allocKind = kIncome;
    EXPECT_EQ(form.CalculationLine(doc), "10,00 Euro");

    const int32_t id = form.Apply(doc);
    ASSERT_NE(id, -1);
    EXPECT_EQ(heard, 1);
    const CFL2Transaktion* t = doc.FindTransaction(id);
    EXPECT_EQ(t->allocations, (std::vector<CFL2PosInfo>{{first, first, 30 * kPiece},
                                                        {second, second, 10 * kPiece}}));
    EXPECT_EQ(t->amount, 10.0);
    // 7,50 and the remainder 2,50.
    EXPECT_DOUBLE_EQ(LotNo(b.Lots(), second).income, 2.50);

    // Edited: by hand, from the earlier allocation; the first lot alone takes it now.
    MovementForm edit = MovementForm::ForEdit(doc, id, Day(9, 9, 2010));
    EXPECT_FALSE(edit.automatic);
    EXPECT_EQ(edit.amount, "10,00");
    EXPECT_EQ(edit.manual, (ManualAllocation{{first, 30 * kPiece}, {second, 10 * kPiece}}));
    edit.manual.erase(second);
    ASSERT_EQ(edit.Apply(doc), id);
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(doc.FindTransaction(id)->allocations,
              (std::vector<CFL2PosInfo>{{first, first, 30 * kPiece}}));

    // A kind that allows no link stores no security, even with the box ticked.
    edit.kindId = b.Kind("Depotgebühren");
    ASSERT_EQ(edit.Apply(doc), id);
    EXPECT_EQ(doc.FindTransaction(id)->securityId, -1);
    EXPECT_TRUE(doc.FindTransaction(id)->allocations.empty());
}

TEST(AccountMovement, CalculationLine) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    doc.accountCurrencyChanges.push_back({kMark, Day(1, 1, 2000)});
    doc.initialAccountCurrencyId = kEuro;
    struct Case {
        const char* kind;
        int32_t currency;
        CQRNDatum date;
        const char* amount;
        const char* line;
    };
    const Case cases[] = {
        {"Steuern", kEuro, Day(1, 6, 1999), "1234,5", "-1.234,50 Euro"},
        {"Dividenden-Gutschrift", kEuro, Day(1, 6, 2000), "100",
         "100,00 Euro > 195,58 Deutsche Mark"},
        {"Steuern", kMark, Day(1, 6, 1999), "100", "-100,00 Deutsche Mark > -51,13 Euro"},
        {"Steuern", kMark, Day(1, 6, 2000), "1+1", "-2,00 Deutsche Mark"},
        {"Steuern", kEuro, Day(1, 6, 1999), "zwei", "0,00 Euro"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(MovementCalculationLine(doc, c.date, b.Kind(c.kind), c.currency, c.amount),
                  c.line);
    }
}

TEST(AccountCurrency, ChangeIsRefusedOrAskedAndInsertedInDateOrder) {
    DocBuilder b(1, "DM");
    CFolari2Doc& doc = b.doc;
    doc.SetModified(false);
    AccountCurrencyForm form(doc);
    EXPECT_EQ(form.initialCurrency, kMark);
    EXPECT_TRUE(form.InitialCurrencyEnabled());
    EXPECT_EQ(AccountCurrencyForm::Currencies(doc), (std::vector<int32_t>{kEuro, kMark}));

    Message m = form.CheckAddChange(doc, Day(1, 1, 2002), kMark);
    EXPECT_EQ(m.title, "Kontowährung");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(m.text, "An diesem Datum wird das Konto bereits in Deutsche Mark geführt!");

    m = form.CheckAddChange(doc, Day(1, 1, 2002), kEuro);
    EXPECT_EQ(m.icon, MessageIcon::Question);
    EXPECT_EQ(m.text, "Möchten Sie die Kontowährung ab 01.01.2002 auf Euro umstellen?");
    form.AddChange(Day(1, 1, 2002), kEuro);
    EXPECT_FALSE(form.InitialCurrencyEnabled());

    EXPECT_EQ(form.CheckAddChange(doc, Day(1, 1, 2002), kMark).text,
              "An diesem Datum wurde die Kontowährung bereits umgestellt!");
    // After the change the account is in euro; before it still in mark.
    EXPECT_EQ(form.CheckAddChange(doc, Day(2, 1, 2002), kEuro).text,
              "An diesem Datum wird das Konto bereits in Euro geführt!");
    EXPECT_EQ(form.CheckAddChange(doc, Day(1, 1, 2001), kEuro).icon, MessageIcon::Question);
    EXPECT_EQ(form.CheckAddChange(doc, Day(1, 1, 2003), kMark).icon, MessageIcon::Question);

    form.AddChange(Day(1, 1, 2003), kMark);
    form.AddChange(Day(1, 1, 2001), kEuro);
    ASSERT_EQ(form.changes.size(), 3u);
    EXPECT_EQ(form.changes[0], (CFL2KtoWUmst{kEuro, Day(1, 1, 2001)}));
    EXPECT_EQ(form.changes[1], (CFL2KtoWUmst{kEuro, Day(1, 1, 2002)}));
    EXPECT_EQ(form.changes[2], (CFL2KtoWUmst{kMark, Day(1, 1, 2003)}));
    EXPECT_EQ(form.Rows(doc)[2].date, "01.01.2003");
    EXPECT_EQ(form.Rows(doc)[2].currencyName, "Deutsche Mark");

    const MaybeMessage question = form.DeleteQuestion(1);
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->icon, MessageIcon::Question);
    EXPECT_EQ(question->text, "Währungsumstellung am 01.01.2002 löschen?");
    form.DeleteChange(1);
    EXPECT_FALSE(form.DeleteQuestion(2).has_value());
    form.DeleteChange(2);
    ASSERT_EQ(form.changes.size(), 2u);

    // The document is untouched until OK.
    EXPECT_TRUE(doc.accountCurrencyChanges.empty());
    EXPECT_FALSE(doc.IsModified());
    form.WriteBack(doc);
    EXPECT_EQ(doc.accountCurrencyChanges, form.changes);
    EXPECT_EQ(doc.initialAccountCurrencyId, kMark);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.AccountCurrencyAt(Day(1, 6, 2002)), kEuro);
    EXPECT_EQ(doc.AccountCurrencyAt(Day(1, 6, 2003)), kMark);
}

TEST(AccountCurrency, OkWritesTheFormBackAsOneEdit) {
    DocBuilder b(1, "DM");
    int heard = 0;
    b.doc.AddEditListener([&] { ++heard; });
    AccountCurrencyForm form(b.doc);
    form.AddChange(Day(1, 1, 2002), kEuro);
    form.AddChange(Day(1, 1, 2003), kMark);
    EXPECT_FALSE(form.Check(b.doc));
    EXPECT_EQ(heard, 0) << "the buttons work on the form";
    EXPECT_TRUE(form.Apply(b.doc));
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(b.doc.accountCurrencyChanges.size(), 2u);
}

void ExpectSeries(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t d = 0; d < expected.size(); ++d) EXPECT_DOUBLE_EQ(actual[d], expected[d]) << d;
}

TEST(BalanceSeries, CashOfPurchasesSalesAndMovementsDayByDay) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const int32_t alpha = b.Security("Alpha AG", "100001");
    b.Movement(Day(28, 2, 2010), "Kapitaleinlage", 1000.0, kEuro);
    const int32_t lot = b.Buy(Day(2, 3, 2010), alpha, 30, 10.0).positionNo;  // 300,00
    b.Movement(Day(3, 3, 2010), "Kapitaleinlage", 500.0, kEuro);
    b.Movement(Day(4, 3, 2010), "Dividenden-Gutschrift", 20.0, kEuro);
    b.Movement(Day(5, 3, 2010), "Kapitalentnahme", 200.0, kEuro);
    b.Sell(Day(6, 3, 2010), alpha, {{lot, 10}}, 15.0);
    b.Movement(Day(8, 3, 2010), "Kapitaleinlage", 9999.0, kEuro);  // after the period

    // From the day before the first transaction to 7.3.
    BalanceSeriesResult s =
        BalanceSeries(doc, Day(27, 2, 2010), Day(7, 3, 2010), kEuro, false, false);
    ExpectSeries(s.balance, {0, 1000, 1000, 700, 1200, 1220, 1020, 1170, 1170});
    ExpectSeries(s.capital, {0, 1000, 1000, 1000, 1500, 1500, 1300, 1300, 1300});

    // The same in mark: the running euro values converted and rounded each day.
    s = BalanceSeries(doc, Day(4, 3, 2010), Day(4, 3, 2010), kMark, false, false);
    ExpectSeries(s.balance, {2386.11});  // 1220 × 1.95583 = 2386.1126
    ExpectSeries(s.capital, {2933.75});  // 1500 × 1.95583 = 2933.745

    // 1.3. to 5.3.: balance 1000, 700, 1200, 1220, 1020 against capital 1000, 1000, 1500,
    // 1500, 1300. Net of the capital paid in since the start, and since the end.
    s = BalanceSeries(doc, Day(1, 3, 2010), Day(5, 3, 2010), kEuro, true, false);
    ExpectSeries(s.balance, {1000, 700, 700, 720, 720});
    ExpectSeries(s.capital, {1000, 1000, 1000, 1000, 1000});
    s = BalanceSeries(doc, Day(1, 3, 2010), Day(5, 3, 2010), kEuro, true, true);
    ExpectSeries(s.balance, {1300, 1000, 1000, 1020, 1020});
    ExpectSeries(s.capital, {1300, 1300, 1300, 1300, 1300});

    s = BalanceSeries(doc, Day(5, 3, 2010), Day(4, 3, 2010), kEuro, true, true);
    EXPECT_TRUE(s.balance.empty());
    EXPECT_TRUE(s.capital.empty());
}

TEST(BalanceSeries, AccountCurrencyChangeConvertsTheRunningBalanceAtTheNextTransaction) {
    DocBuilder b(1, "DM");
    CFolari2Doc& doc = b.doc;
    b.Movement(Day(1, 12, 2001), "Kapitaleinlage", 1000.0, kMark);
    b.Movement(Day(2, 12, 2001), "Dividenden-Gutschrift", 0.01, kMark);
    b.Movement(Day(3, 12, 2001), "Dividenden-Gutschrift", 0.01, kMark);
    doc.accountCurrencyChanges.push_back({kEuro, Day(1, 1, 2002)});
    b.Movement(Day(10, 1, 2002), "Kapitalentnahme", 100.0, kEuro);

    // Until 9.1. the account holds 1000,02 DM (511,30 EUR, capital 511,29 EUR). On 10.1. the
    // balance and the capital are converted (511,30 and 511,29 EUR) before the withdrawal.
    // Had each cent been converted on its own, the euro balance would be 411,31.
    BalanceSeriesResult s =
        BalanceSeries(doc, Day(9, 1, 2002), Day(10, 1, 2002), kEuro, false, false);
    ExpectSeries(s.balance, {511.30, 411.30});
    ExpectSeries(s.capital, {511.29, 411.29});

    // In mark the days before show the mark balance exactly; afterwards the euro values
    // converted back: 411,30 × 1.95583 = 804.4329, 411,29 × 1.95583 = 804.4133.
    s = BalanceSeries(doc, Day(1, 1, 2002), Day(10, 1, 2002), kMark, false, false);
    EXPECT_DOUBLE_EQ(s.balance.front(), 1000.02);
    EXPECT_DOUBLE_EQ(s.balance.back(), 804.43);
    EXPECT_DOUBLE_EQ(s.capital.front(), 1000.0);
    EXPECT_DOUBLE_EQ(s.capital.back(), 804.41);
}

TEST(BalanceSeries, AmountsThatCannotBeConvertedCountAsZero) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    const AddResult usd = doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, 0);
    ASSERT_EQ(usd.result, DocResult::Ok);
    b.Movement(Day(1, 3, 2010), "Kapitaleinlage", 100.0, kEuro);
    b.Movement(Day(2, 3, 2010), "Sonstige Erträge", 50.0, usd.id);

    BalanceSeriesResult s =
        BalanceSeries(doc, Day(2, 3, 2010), Day(2, 3, 2010), kEuro, false, false);
    ExpectSeries(s.balance, {100.0});
    s = BalanceSeries(doc, Day(2, 3, 2010), Day(2, 3, 2010), usd.id, false, false);
    ExpectSeries(s.balance, {0.0});
    ExpectSeries(s.capital, {0.0});
}

}  // namespace
}  // namespace pf

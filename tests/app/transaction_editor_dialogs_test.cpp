#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <ostream>
#include <string>
#include <vector>

#include "app/dialogs/transaction_dialogs.h"
#include "app/dialogs/transaction_editor_dialog.h"
#include "app/dialogs/transaction_filter_dialog.h"
#include "app/widget_parts.h"
#include "dialog_test.h"
#include "engine/account_movements.h"
#include "engine/engine_test_util.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;
using testing::Made;

// What the fake runners were asked to do, in order.
struct RunnerCall {
    std::string kind;
    int32_t id;
    CQRNDatum today;
    bool operator==(const RunnerCall&) const = default;
};
void PrintTo(const RunnerCall& c, std::ostream* out) {
    *out << c.kind << "(" << c.id << ", " << c.today.DayNumber() << ")";
}
std::vector<RunnerCall>& Calls() {
    static std::vector<RunnerCall> calls;
    return calls;
}
// The date of the movement the fake movement runner adds for a new transaction.
CQRNDatum& NewMovementDate() {
    static CQRNDatum date;
    return date;
}

// A new movement is added through the engine and its id returned; an edited one keeps its
// id, as after OK.
int32_t FakeMovement(QWidget*, CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    Calls().push_back({"movement", id, today});
    if (id >= 0) return id;
    MovementFields fields;
    fields.date = NewMovementDate();
    fields.kindId = doc.FindAccountMovementKindByName("Kapitaleinlage")->id;
    fields.amount = 250.0;
    fields.text = "Neu";
    return AddMovement(doc, fields, {});
}
// The other kinds: "Abbrechen".
int32_t FakePurchase(QWidget*, CFolari2Doc&, int32_t id, CQRNDatum today) {
    Calls().push_back({"purchase", id, today});
    return -1;
}
int32_t FakeSale(QWidget*, CFolari2Doc&, int32_t id, CQRNDatum today) {
    Calls().push_back({"sale", id, today});
    return -1;
}
int32_t FakeSplit(QWidget*, CFolari2Doc&, int32_t id, CQRNDatum today) {
    Calls().push_back({"split", id, today});
    return -1;
}
int32_t FakeExchange(QWidget*, CFolari2Doc&, int32_t id, CQRNDatum today) {
    Calls().push_back({"exchange", id, today});
    return -1;
}

const TransactionDialogRunners kFakes{&FakePurchase, &FakeSale, &FakeMovement, &FakeSplit,
                                      &FakeExchange};

class TransactionEditorTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        Calls().clear();
        NewMovementDate() = Day(18, 3, 2020);
        alpha = b.Security("Alpha");
        beta = b.Security("Beta");
        gamma = b.Security("Gamma");
        gammaBuy = b.Buy(Day(2, 3, 2020), gamma, 4, 10.0).id;
        const Made buy = b.Buy(Day(3, 3, 2020), alpha, 10, 50.0);
        alphaBuy = buy.id;
        sale = b.Sell(Day(10, 3, 2020), alpha, {{buy.positionNo, 4}}, 55.0).id;
        movement = b.Movement(Day(12, 3, 2020), "Kapitaleinlage", 1000.0).id;
        split = b.Split(Day(20, 3, 2020), beta, 2, 1).id;
        const int32_t gammaLot = b.doc.FindTransaction(gammaBuy)->positionNo;
        exchange = b.Exchange(Day(25, 3, 2020), gamma, beta, 4, 2, {{gammaLot, 4}}, false).id;
        aprilBuy = b.Buy(Day(5, 4, 2020), beta, 5, 20.0).id;
        b.doc.SetModified(false);
    }

    static void Select(QTreeWidget* list, int row) {
        list->setCurrentItem(list->topLevelItem(row));
    }

    DocBuilder b;
    int32_t alpha = -1, beta = -1, gamma = -1;
    int32_t gammaBuy = -1, alphaBuy = -1, sale = -1, movement = -1, split = -1, exchange = -1,
            aprilBuy = -1;
    const CQRNDatum today = Day(15, 3, 2020);
};

TEST_F(TransactionEditorTest, ListsTheMonthOfTodayWithItsColumnsAndCount) {
    TransactionEditorDialog dialog(b.doc, today, kFakes);
    EXPECT_EQ(dialog.windowTitle(), u"Transaktions-Editor"_s);
    auto* from = Find<QDateEdit>(&dialog, "from");
    auto* to = Find<QDateEdit>(&dialog, "to");
    auto* list = Find<QTreeWidget>(&dialog, "transactions");
    auto* count = Find<QLabel>(&dialog, "rowCount");
    EXPECT_EQ(from->date(), QDate(2020, 3, 1));
    EXPECT_EQ(to->date(), QDate(2020, 3, 31));

    QStringList headers;
    for (int i = 0; i < list->columnCount(); ++i) headers << list->headerItem()->text(i);
    EXPECT_EQ(headers, (QStringList{u"Datum"_s, u"Transaktion"_s, u"Vorgang/Wertpapier"_s,
                                    u"Text"_s, u"Betrag"_s, u"W."_s}));
    EXPECT_EQ(Column(list, 0), (QStringList{u"02.03.2020"_s, u"03.03.2020"_s, u"10.03.2020"_s,
                                            u"12.03.2020"_s, u"20.03.2020"_s, u"25.03.2020"_s}));
    EXPECT_EQ(Column(list, 1), (QStringList{u"Kauf"_s, u"Kauf"_s, u"Verkauf"_s, u"Kontobewegung"_s,
                                            u"Aktiensplit"_s, u"Umtausch"_s}));
    EXPECT_EQ(list->topLevelItem(3)->text(2), u"Kapitaleinlage"_s);
    EXPECT_EQ(list->topLevelItem(4)->text(2), u"Beta - 2:1"_s);
    EXPECT_EQ(Column(list, 4), (QStringList{u"40,00"_s, u"500,00"_s, u"220,00"_s, u"1.000,00"_s,
                                            QString(), QString()}));
    EXPECT_EQ(list->topLevelItem(3)->text(5), u"Euro"_s);
    EXPECT_TRUE(list->topLevelItem(1)->textAlignment(4) & Qt::AlignRight);
    EXPECT_TRUE(list->headerItem()->textAlignment(4) & Qt::AlignRight);
    EXPECT_EQ(count->text(), u"6 Transaktionen"_s);
    // Nothing is chosen yet, so nothing can be edited or deleted.
    EXPECT_EQ(dialog.SelectedId(), -1);
    EXPECT_FALSE(Find<QPushButton>(&dialog, "edit")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(&dialog, "delete")->isEnabled());
    Select(list, 2);
    EXPECT_EQ(dialog.SelectedId(), sale);
    EXPECT_TRUE(Find<QPushButton>(&dialog, "edit")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(&dialog, "delete")->isEnabled());
}

TEST_F(TransactionEditorTest, EachDateBoundsTheOtherAndRebuildsTheList) {
    TransactionEditorDialog dialog(b.doc, today, kFakes);
    auto* from = Find<QDateEdit>(&dialog, "from");
    auto* to = Find<QDateEdit>(&dialog, "to");
    auto* list = Find<QTreeWidget>(&dialog, "transactions");
    auto* count = Find<QLabel>(&dialog, "rowCount");
    EXPECT_EQ(from->maximumDate(), QDate(2020, 3, 31));
    EXPECT_EQ(to->minimumDate(), QDate(2020, 3, 1));
    EXPECT_EQ(from->minimumDate(), QDate(1970, 1, 2));
    EXPECT_EQ(to->maximumDate(), QDate(2038, 1, 18));
    // The captions' mnemonics reach the pickers.
    int captions = 0;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == u"V&on:"_s) captions += label->buddy() == from ? 1 : 0;
        if (label->text() == u"B&is:"_s) captions += label->buddy() == to ? 1 : 0;
    }
    EXPECT_EQ(captions, 2);

    Select(list, 2);  // the sale of 10.3., which stays chosen while it is listed
    to->setDate(QDate(2020, 3, 10));
    EXPECT_EQ(from->maximumDate(), QDate(2020, 3, 10));
    EXPECT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(count->text(), u"3 Transaktionen"_s);
    EXPECT_EQ(dialog.SelectedId(), sale);

    from->setDate(QDate(2020, 3, 12));  // beyond the to-date: held at it
    EXPECT_EQ(from->date(), QDate(2020, 3, 10));
    EXPECT_EQ(to->minimumDate(), QDate(2020, 3, 10));
    EXPECT_EQ(count->text(), u"1 Transaktion"_s);
    EXPECT_EQ(dialog.SelectedId(), sale);

    to->setDate(QDate(2020, 4, 30));
    from->setDate(QDate(2020, 4, 1));
    EXPECT_EQ(Column(list, 1), QStringList{u"Kauf"_s});
    EXPECT_EQ(dialog.SelectedId(), -1);
    EXPECT_FALSE(Find<QPushButton>(&dialog, "edit")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(&dialog, "delete")->isEnabled());

    to->setDate(QDate(2020, 4, 1));
    EXPECT_EQ(count->text(), u"0 Transaktionen"_s);
}

TEST_F(TransactionEditorTest, OpenedOnATransactionShowsItsMonthWithItChosen) {
    TransactionEditorDialog dialog(b.doc, today, kFakes, aprilBuy);
    EXPECT_EQ(dialog.From(), Day(1, 4, 2020));
    EXPECT_EQ(dialog.To(), Day(30, 4, 2020));
    EXPECT_EQ(dialog.SelectedId(), aprilBuy);
    EXPECT_TRUE(Find<QPushButton>(&dialog, "edit")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(&dialog, "delete")->isEnabled());
    // An id that is not stored opens the month of today.
    TransactionEditorDialog unknown(b.doc, today, kFakes, 999);
    EXPECT_EQ(unknown.From(), Day(1, 3, 2020));
    EXPECT_EQ(unknown.SelectedId(), -1);
}

TEST_F(TransactionEditorTest, AddButtonsOpenTheirRunnerAndChooseTheNewTransaction) {
    TransactionEditorDialog dialog(b.doc, today, kFakes);
    auto* list = Find<QTreeWidget>(&dialog, "transactions");
    const struct {
        const char* button;
        const char* text;
        const char* kind;
    } buttons[] = {
        {"purchase", "&Kauf...", "purchase"},          {"sale", "&Verkauf...", "sale"},
        {"movement", "Konto&bewegung...", "movement"}, {"exchange", "&Umtausch...", "exchange"},
        {"split", "&Aktiensplit...", "split"},
    };
    Select(list, 0);
    for (const auto& button : buttons) {
        SCOPED_TRACE(button.button);
        Calls().clear();
        auto* push = Find<QPushButton>(&dialog, button.button);
        EXPECT_EQ(push->text(), QString::fromUtf8(button.text));
        push->click();
        ASSERT_EQ(Calls().size(), 1u);
        EXPECT_EQ(Calls()[0], (RunnerCall{button.kind, -1, today}));
    }
    // The movement runner added one on 18.3., which is listed and chosen; the others were
    // cancelled and left the list alone.
    EXPECT_EQ(list->topLevelItemCount(), 7);
    const int32_t added = dialog.SelectedId();
    ASSERT_NE(b.doc.FindTransaction(added), nullptr);
    EXPECT_EQ(b.doc.FindTransaction(added)->text, "Neu");
    EXPECT_EQ(list->currentItem()->text(0), u"18.03.2020"_s);
    EXPECT_EQ(list->currentItem()->text(3), u"Neu"_s);
    EXPECT_EQ(Find<QLabel>(&dialog, "rowCount")->text(), u"7 Transaktionen"_s);
    EXPECT_TRUE(Find<QPushButton>(&dialog, "edit")->isEnabled());

    // A new transaction outside the period is not listed: nothing is chosen.
    NewMovementDate() = Day(1, 5, 2020);
    Find<QPushButton>(&dialog, "movement")->click();
    EXPECT_EQ(list->topLevelItemCount(), 7);
    EXPECT_EQ(dialog.SelectedId(), -1);
    EXPECT_FALSE(Find<QPushButton>(&dialog, "edit")->isEnabled());
}

TEST_F(TransactionEditorTest, EditOpensTheRunnerOfTheChosenKind) {
    TransactionEditorDialog dialog(b.doc, today, kFakes);
    auto* list = Find<QTreeWidget>(&dialog, "transactions");
    const struct {
        int row;
        const char* kind;
        int32_t id;
    } cases[] = {
        {0, "purchase", gammaBuy}, {2, "sale", sale},         {3, "movement", movement},
        {4, "split", split},       {5, "exchange", exchange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        Calls().clear();
        Select(list, c.row);
        Find<QPushButton>(&dialog, "edit")->click();
        ASSERT_EQ(Calls().size(), 1u);
        EXPECT_EQ(Calls()[0], (RunnerCall{c.kind, c.id, today}));
        // Cancelled or changed, the transaction stays chosen.
        EXPECT_EQ(dialog.SelectedId(), c.id);
    }
    // A double click on a row does the same.
    Calls().clear();
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0], (RunnerCall{"purchase", alphaBuy, today}));
    EXPECT_FALSE(b.doc.IsModified());
}

TEST_F(TransactionEditorTest, DeleteRefusesOrAsksAndDeletesOnlyAfterYes) {
    TransactionEditorDialog dialog(b.doc, today, kFakes);
    dialog.show();
    auto* list = Find<QTreeWidget>(&dialog, "transactions");
    auto* remove = Find<QPushButton>(&dialog, "delete");
    EXPECT_EQ(remove->text(), u"&Löschen"_s);
    const size_t before = b.doc.transactions.size();

    // The purchase of Alpha was partly sold: refused, nothing changes.
    Select(list, 1);
    remove->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Transaktions-Editor");
    EXPECT_EQ(shown()[0].text,
              "Diese Transaktion kann nicht gelöscht werden, da andere Transaktionen vorhanden "
              "sind, die sich auf diese hier beziehen!");
    EXPECT_FALSE(shown()[0].IsQuestion());
    EXPECT_EQ(b.doc.transactions.size(), before);
    EXPECT_EQ(dialog.SelectedId(), alphaBuy);

    // The movement: asked; No keeps it.
    shown().clear();
    answer() = QMessageBox::No;
    Select(list, 3);
    remove->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_TRUE(shown()[0].IsQuestion());
    EXPECT_EQ(shown()[0].text, "Möchten Sie diese Transaktion wirklich löschen?");
    EXPECT_EQ(b.doc.transactions.size(), before);
    EXPECT_FALSE(b.doc.IsModified());
    EXPECT_EQ(list->topLevelItemCount(), 6);

    // Yes deletes it; the list is read again without a chosen row.
    answer() = QMessageBox::Yes;
    remove->click();
    EXPECT_EQ(b.doc.transactions.size(), before - 1);
    EXPECT_EQ(b.doc.FindTransaction(movement), nullptr);
    EXPECT_TRUE(b.doc.IsModified());
    EXPECT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(Find<QLabel>(&dialog, "rowCount")->text(), u"5 Transaktionen"_s);
    EXPECT_EQ(dialog.SelectedId(), -1);
    EXPECT_FALSE(remove->isEnabled());

    // Once the sale is gone, its purchase may go too.
    Select(list, 2);
    ASSERT_EQ(dialog.SelectedId(), sale);
    remove->click();
    Select(list, 1);
    ASSERT_EQ(dialog.SelectedId(), alphaBuy);
    remove->click();
    EXPECT_EQ(b.doc.FindTransaction(alphaBuy), nullptr);
    EXPECT_EQ(Column(list, 1), (QStringList{u"Kauf"_s, u"Aktiensplit"_s, u"Umtausch"_s}));
}

// --- Transaktionsfilter ---

class TransactionFilterDialogTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        auto add = [&](const char* name, const char* wkn, const char* type, const char* country) {
            CFL2Wertpapier s;
            s.name = name;
            s.wkn = wkn;
            s.type = type;
            s.country = country;
            return doc.AddSecurity(s).id;
        };
        doc.NewDocument({}, Day(1, 1, 2020));
        alpha = add("Alpha AG", "A10000", "Aktie", "DE");
        beta = add("Beta Fonds", "B20000", "Fonds", "");
        gamma = add("Gamma Inc.", "C30000", "Aktie", "US");
        doc.options.selectedSecurityIds = {beta};
        doc.SetModified(false);
    }

    static std::vector<bool> Ticks(QListWidget* list) {
        std::vector<bool> ticks;
        for (int i = 0; i < list->count(); ++i)
            ticks.push_back(list->item(i)->checkState() == Qt::Checked);
        return ticks;
    }

    CFolari2Doc doc;
    int32_t alpha = -1, beta = -1, gamma = -1;
};

TEST_F(TransactionFilterDialogTest, GroupsEnableTheirConditions) {
    TransactionFilterDialog dialog(doc);
    EXPECT_EQ(dialog.windowTitle(), u"Transaktionsfilter"_s);
    const struct {
        const char* name;
        const char* text;
    } labels[] = {
        {"showPurchases", "&Käufe anzeigen"},
        {"showSales", "&Verkäufe anzeigen"},
        {"tradesOnlySelected", "&nur ausgewählte Wertpapiere"},
        {"tradesTextActive", "&Text"},
        {"tradesAmountActive", "&Betrag von/bis"},
        {"showMovements", "K&ontobewegungen anzeigen"},
        {"movementsOnlySelected", "n&ur ausgewählte Wertpapiere"},
        {"movementsOnlySelectedKinds", "nu&r ausgewählte Vorgänge"},
        {"movementsTextActive", "T&ext"},
        {"movementsAmountActive", "Betrag von/bi&s"},
        {"showSplits", "&Aktiensplits anzeigen"},
        {"showExchanges", "Umtaus&che anzeigen"},
        {"corporateOnlySelected", "nur ausgewählte Wert&papiere"},
        {"corporateTextActive", "Te&xt"},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.name);
        EXPECT_EQ(Find<QCheckBox>(&dialog, l.name)->text(), QString::fromUtf8(l.text));
    }
    auto* match = Find<QComboBox>(&dialog, "tradesMatch");
    ASSERT_EQ(match->count(), 3);
    EXPECT_EQ(match->itemText(1), u"enthält"_s);

    auto enabled = [&](const char* name) { return Find<QWidget>(&dialog, name)->isEnabled(); };
    // A new document shows everything, with every condition off.
    EXPECT_TRUE(enabled("tradesOnlySelected"));
    EXPECT_TRUE(enabled("tradesTextActive"));
    EXPECT_FALSE(enabled("tradesText"));
    EXPECT_FALSE(enabled("tradesMatch"));
    EXPECT_FALSE(enabled("tradesAmountFrom"));
    EXPECT_FALSE(enabled("kinds"));

    Find<QCheckBox>(&dialog, "tradesTextActive")->setChecked(true);
    Find<QCheckBox>(&dialog, "tradesAmountActive")->setChecked(true);
    EXPECT_TRUE(enabled("tradesText"));
    EXPECT_TRUE(enabled("tradesMatch"));
    EXPECT_TRUE(enabled("tradesAmountFrom"));
    EXPECT_TRUE(enabled("tradesAmountTo"));
    EXPECT_TRUE(enabled("tradesCurrency"));
    // Purchases and sales hidden: their conditions go grey, ticked or not.
    Find<QCheckBox>(&dialog, "showPurchases")->setChecked(false);
    EXPECT_TRUE(enabled("tradesText"));
    Find<QCheckBox>(&dialog, "showSales")->setChecked(false);
    for (const char* name : {"tradesOnlySelected", "tradesTextActive", "tradesText",
                             "tradesAmountActive", "tradesAmountFrom", "tradesCurrency"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(enabled(name));
    }

    Find<QCheckBox>(&dialog, "movementsOnlySelectedKinds")->setChecked(true);
    EXPECT_TRUE(enabled("kinds"));
    Find<QCheckBox>(&dialog, "showMovements")->setChecked(false);
    for (const char* name : {"movementsOnlySelected", "movementsOnlySelectedKinds", "kinds",
                             "movementsTextActive", "movementsAmountActive"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(enabled(name));
    }

    Find<QCheckBox>(&dialog, "corporateTextActive")->setChecked(true);
    Find<QCheckBox>(&dialog, "showSplits")->setChecked(false);
    EXPECT_TRUE(enabled("corporateText"));
    Find<QCheckBox>(&dialog, "showExchanges")->setChecked(false);
    EXPECT_FALSE(enabled("corporateText"));
    EXPECT_FALSE(enabled("corporateOnlySelected"));
}

TEST_F(TransactionFilterDialogTest, ChoicesTickAndUntickSecuritiesByAttribute) {
    TransactionFilterDialog dialog(doc);
    auto* securities = Find<QListWidget>(&dialog, "securities");
    auto* choices = Find<QComboBox>(&dialog, "choices");
    ASSERT_EQ(securities->count(), 3);
    bool captioned = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == u"&Wertpapiere"_s) captioned = label->buddy() == securities;
    EXPECT_TRUE(captioned);
    EXPECT_EQ(securities->item(0)->text(), u"Alpha AG (A10000)"_s);
    EXPECT_EQ(Ticks(securities), (std::vector<bool>{false, true, false}));
    QStringList entries;
    for (int i = 0; i < choices->count(); ++i) entries << choices->itemText(i);
    EXPECT_EQ(entries,
              (QStringList{u"Alle Wertpapiere"_s, u"Typ: Aktie"_s, u"Typ: Fonds"_s,
                           u"Branche: (kein Eintrag)"_s, u"Land: DE"_s, u"Land: US"_s,
                           u"Land: (kein Eintrag)"_s, u"Index/Marktsegment: (kein Eintrag)"_s}));
    auto* choose = Find<QPushButton>(&dialog, "choose");
    auto* unchoose = Find<QPushButton>(&dialog, "unchoose");
    EXPECT_EQ(choose->text(), u"Auswä&hlen"_s);
    EXPECT_EQ(unchoose->text(), u"Abwäh&len"_s);

    choices->setCurrentIndex(1);  // Typ: Aktie
    choose->click();
    EXPECT_EQ(Ticks(securities), (std::vector<bool>{true, true, true}));
    choices->setCurrentIndex(4);  // Land: DE
    unchoose->click();
    EXPECT_EQ(Ticks(securities), (std::vector<bool>{false, true, true}));
    choices->setCurrentIndex(0);
    unchoose->click();
    EXPECT_EQ(Ticks(securities), (std::vector<bool>{false, false, false}));
    choices->setCurrentIndex(6);  // Land: (kein Eintrag)
    choose->click();
    EXPECT_EQ(Ticks(securities), (std::vector<bool>{false, true, false}));
    // Choosing only ticks; the document changes on OK.
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TransactionFilterDialogTest, OkRefusesABadAmountAndStoresTheSettings) {
    TransactionFilterDialog dialog(doc);
    dialog.show();
    Find<QCheckBox>(&dialog, "showSales")->setChecked(false);
    Find<QCheckBox>(&dialog, "tradesTextActive")->setChecked(true);
    Find<QComboBox>(&dialog, "tradesMatch")->setCurrentIndex(2);
    Find<QLineEdit>(&dialog, "tradesText")->setText(u"Spar"_s);
    Find<QCheckBox>(&dialog, "movementsAmountActive")->setChecked(true);
    Find<QLineEdit>(&dialog, "movementsAmountFrom")->setText(u"4,90+1,50"_s);
    Find<QLineEdit>(&dialog, "movementsAmountTo")->setText(u"zehn"_s);
    auto* currency = Find<QComboBox>(&dialog, "movementsCurrency");
    currency->setCurrentIndex(currency->count() - 1);
    Find<QCheckBox>(&dialog, "movementsOnlySelectedKinds")->setChecked(true);
    Find<QListWidget>(&dialog, "kinds")->item(2)->setCheckState(Qt::Checked);
    Find<QListWidget>(&dialog, "securities")->item(0)->setCheckState(Qt::Checked);
    const DocumentOptions before = doc.options;

    ClickOk(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Transaktionsfilter");
    EXPECT_EQ(shown()[0].text, "Bitte geben Sie einen korrekten Betrag ein!");
    EXPECT_EQ(dialog.focusWidget(), Find<QWidget>(&dialog, "movementsAmountTo"));
    EXPECT_TRUE(doc.options == before);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(dialog.isVisible());

    Find<QLineEdit>(&dialog, "movementsAmountTo")->setText(u"1.000"_s);
    ClickOk(&dialog);
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(doc.IsModified());
    const TransactionFilter& f = doc.options.transactionFilter;
    EXPECT_EQ(f.showPurchases, 1);
    EXPECT_EQ(f.showSales, 0);
    EXPECT_TRUE(f.tradesText == (FilterText{1, kTextStartsWith, "Spar"}));
    EXPECT_EQ(f.movementsAmount.active, 1);
    EXPECT_EQ(f.movementsAmount.from, 6.40);
    EXPECT_EQ(f.movementsAmount.to, 1000.0);
    EXPECT_EQ(f.movementsAmount.currencyId, doc.currencies.back().id);
    EXPECT_EQ(f.movementsOnlySelectedKinds, 1);
    EXPECT_EQ(f.movementKindIds, std::vector<int32_t>{doc.accountMovementKinds[2].id});
    EXPECT_EQ(doc.options.selectedSecurityIds, (std::vector<int32_t>{alpha, beta}));

    // Opened again, the dialog shows what was stored.
    TransactionFilterDialog again(doc);
    EXPECT_FALSE(Find<QCheckBox>(&again, "showSales")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(&again, "movementsAmountFrom")->text(), u"6,40"_s);
    EXPECT_EQ(Find<QLineEdit>(&again, "movementsAmountTo")->text(), u"1.000,00"_s);
    EXPECT_EQ(Find<QComboBox>(&again, "tradesMatch")->currentIndex(), 2);
}

}  // namespace
}  // namespace pf

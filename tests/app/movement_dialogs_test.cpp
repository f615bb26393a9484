#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/dialogs/account_currency_dialog.h"
#include "app/dialogs/allocation_dialog.h"
#include "app/dialogs/movement_dialog.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/widget_parts.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "engine/movement_form.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;
using testing::LotNo;

constexpr int32_t kMark = 1;  // "Deutsche Mark", 1,95583 DM = 1 EUR

// A document of 1.1.2020 in euros with the mark: "Alpha AG" (WKN 100001) bought twice,
// 30 pieces on 3.2.2020 and 10 on 2.3.2020, and "Beta AG" (100002) with 5 pieces of
// 3.2.2020. New movements are entered on 15.5.2020.
class MovementDialogsTest : public DialogTest {
  protected:
    MovementDialogsTest() {
        alpha = b.Security("Alpha AG", "100001");
        beta = b.Security("Beta AG", "100002");
        firstBuy = b.Buy(Day(3, 2, 2020), alpha, 30, 10.0);
        a1 = firstBuy.positionNo;
        a2 = b.Buy(Day(2, 3, 2020), alpha, 10, 12.0).positionNo;
        b.Buy(Day(3, 2, 2020), beta, 5, 20.0);
        doc().SetModified(false);
    }
    CFolari2Doc& doc() { return b.doc; }

    // A dividend of `amount` on 15.5.2020 linked to Alpha, booked as income.
    static void TypeAlphaDividend(QWidget* dialog, const QString& amount) {
        Choose(dialog, "kind", u"Dividenden-Gutschrift"_s);
        Find<QLineEdit>(dialog, "amount")->setText(amount);
        Find<QCheckBox>(dialog, "linked")->setChecked(true);
        Choose(dialog, "name", u"Alpha AG"_s);
        Find<QRadioButton>(dialog, "income")->setChecked(true);
    }

    // Answers the "Zuordnen" steps that the next command opens, one list of tries per step in
    // order: each try is typed and OK pressed, a refused one leaves the step open for the
    // next; an empty list presses Abbrechen. Records what each step showed when it opened.
    struct Step {
        QString position, purchaseDate, saleDate, quantity, text, entry;
        bool closed = false;  // after its last try
    };
    // The fixture owns each walk's step function: a step that captured its own owner would
    // never be freed.
    std::shared_ptr<std::vector<Step>> AnswerWalk(std::vector<QStringList> tries) {
        auto seen = std::make_shared<std::vector<Step>>();
        auto pending = std::make_shared<std::deque<QStringList>>(tries.begin(), tries.end());
        auto* next = walks_.emplace_back(std::make_unique<std::function<void()>>()).get();
        *next = [seen, pending, next] {
            if (pending->empty()) return;
            auto* d = qobject_cast<AllocationDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            auto* pieces = Find<QLineEdit>(d, "pieces");
            seen->push_back(
                {Find<QLabel>(d, "position")->text(), Find<QLabel>(d, "purchaseDate")->text(),
                 Find<QLabel>(d, "saleDate")->text(), Find<QLabel>(d, "quantity")->text(),
                 Find<QLabel>(d, "text")->text(), pieces->text()});
            const QStringList step = pending->front();
            pending->pop_front();
            // The next step opens when this one closes.
            QTimer::singleShot(0, *next);
            if (step.isEmpty()) {
                pending->clear();
                d->reject();
                return;
            }
            for (const QString& entry : step) {
                pieces->setText(entry);
                ClickOk(d);
            }
            seen->back().closed = !d->isVisible();
        };
        QTimer::singleShot(0, *next);
        return seen;
    }

    std::vector<std::unique_ptr<std::function<void()>>> walks_;
    DocBuilder b;
    int32_t alpha = -1;
    int32_t beta = -1;
    testing::Made firstBuy;
    int32_t a1 = -1;
    int32_t a2 = -1;
    const CQRNDatum today = Day(15, 5, 2020);
};

TEST_F(MovementDialogsTest, NewMovementShowsItsFieldsAndEnablesTheLinkAsTheKindAndDateAllow) {
    MovementDialog dialog(doc(), MovementForm::New(doc(), today));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Kontobewegung"_s);
    EXPECT_EQ(LabelOf(&dialog, "date"), u"&Datum"_s);
    EXPECT_EQ(LabelOf(&dialog, "kind"), u"&Vorgang"_s);
    EXPECT_EQ(LabelOf(&dialog, "amount"), u"&Betrag"_s);
    EXPECT_EQ(LabelOf(&dialog, "currency"), u"&Währung"_s);
    EXPECT_EQ(LabelOf(&dialog, "text"), u"&Text"_s);
    EXPECT_EQ(LabelOf(&dialog, "name"), u"B&ezeichnung"_s);
    EXPECT_EQ(LabelOf(&dialog, "code"), u"WK&N"_s);
    EXPECT_EQ(Find<QCheckBox>(&dialog, "linked")->text(), u"Bez&ug zu Wertpapier herstellen"_s);
    EXPECT_EQ(Find<QGroupBox>(&dialog, "bookAs")->title(), u"Betrag verbuchen als:"_s);
    EXPECT_EQ(Find<QRadioButton>(&dialog, "purchaseCosts")->text(),
              u"beim Kauf anfallende &Kosten"_s);
    EXPECT_EQ(Find<QRadioButton>(&dialog, "income")->text(), u"D&ividenden u. a. Erträge"_s);
    EXPECT_EQ(Find<QRadioButton>(&dialog, "saleCosts")->text(),
              u"bei&m Verkauf anfallende Kosten"_s);
    EXPECT_EQ(Find<QCheckBox>(&dialog, "automatic")->text(), u"&automatisch zuordnen"_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "allocate")->text(), u"&zuordnen..."_s);
    auto* lots = Find<QTreeWidget>(&dialog, "lots");
    QStringList headers;
    for (int i = 0; i < lots->columnCount(); ++i) headers << lots->headerItem()->text(i);
    EXPECT_EQ(headers, (QStringList{u"Pos."_s, u"Kaufdatum"_s, u"Verkaufdatum"_s, u"Stück"_s,
                                    u"Zuordnung"_s, u"Text"_s}));

    // A new movement: today, the first kind, the account currency, purchase costs.
    EXPECT_EQ(Find<QDateEdit>(&dialog, "date")->date(), ToQDate(today));
    auto* kind = Find<QComboBox>(&dialog, "kind");
    EXPECT_EQ(kind->count(), 14);
    EXPECT_EQ(kind->currentText(), u"Kapitaleinlage"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "currency")->currentText(), u"Euro"_s);
    EXPECT_EQ(Items(Find<QComboBox>(&dialog, "currency")),
              (QStringList{u"Euro"_s, u"Deutsche Mark"_s}));
    EXPECT_TRUE(Find<QRadioButton>(&dialog, "purchaseCosts")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(&dialog, "automatic")->isChecked());

    // "Kapitaleinlage" takes no security.
    auto* linked = Find<QCheckBox>(&dialog, "linked");
    EXPECT_FALSE(linked->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(&dialog, "name")->isEnabled());
    EXPECT_FALSE(Find<QGroupBox>(&dialog, "bookAs")->isEnabled());

    Choose(&dialog, "kind", u"Dividenden-Gutschrift"_s);
    EXPECT_TRUE(linked->isEnabled());
    EXPECT_FALSE(Find<QGroupBox>(&dialog, "bookAs")->isEnabled());
    linked->setChecked(true);
    EXPECT_TRUE(Find<QGroupBox>(&dialog, "bookAs")->isEnabled());
    EXPECT_TRUE(Find<QComboBox>(&dialog, "name")->isEnabled());
    EXPECT_EQ(Items(Find<QComboBox>(&dialog, "name")), (QStringList{u"Alpha AG"_s, u"Beta AG"_s}));
    EXPECT_EQ(Items(Find<QComboBox>(&dialog, "code")), (QStringList{u"100001"_s, u"100002"_s}));
    EXPECT_EQ(Find<QComboBox>(&dialog, "name")->currentIndex(), -1);

    // The two boxes name one security; Alpha's two lots are allocated in full.
    Choose(&dialog, "code", u"100001"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "name")->currentText(), u"Alpha AG"_s);
    EXPECT_EQ(Column(&dialog, "lots", 0), (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 1), (QStringList{u"03.02.2020"_s, u"02.03.2020"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 2), (QStringList{u"-"_s, u"-"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 3), (QStringList{u"30"_s, u"10"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 4), (QStringList{u"30"_s, u"10"_s}));
    EXPECT_TRUE(Find<QCheckBox>(&dialog, "automatic")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(&dialog, "allocate")->isEnabled());
    Find<QCheckBox>(&dialog, "automatic")->setChecked(false);
    EXPECT_TRUE(Find<QPushButton>(&dialog, "allocate")->isEnabled());
    EXPECT_EQ(Column(&dialog, "lots", 4), (QStringList{u""_s, u""_s}));

    // Beta has one lot: it is allocated whatever the box says, and nothing is to distribute.
    Choose(&dialog, "name", u"Beta AG"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "code")->currentText(), u"100002"_s);
    EXPECT_EQ(Column(&dialog, "lots", 4), QStringList{u"5"_s});
    EXPECT_FALSE(Find<QCheckBox>(&dialog, "automatic")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(&dialog, "allocate")->isEnabled());

    // Unticked, the link's parts are disabled again.
    linked->setChecked(false);
    EXPECT_FALSE(Find<QComboBox>(&dialog, "name")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(&dialog, "code")->isEnabled());
    EXPECT_FALSE(Find<QTreeWidget>(&dialog, "lots")->isEnabled());
    linked->setChecked(true);

    // Before the first purchase nothing is held: no security to link, Beta not chosen any
    // more. Back on a later date Alpha and Beta are offered again.
    Find<QDateEdit>(&dialog, "date")->setDate(QDate(2020, 2, 2));
    EXPECT_FALSE(linked->isEnabled());
    EXPECT_EQ(Find<QComboBox>(&dialog, "name")->count(), 0);
    Find<QDateEdit>(&dialog, "date")->setDate(QDate(2020, 2, 3));
    EXPECT_TRUE(linked->isEnabled());
    EXPECT_EQ(Find<QComboBox>(&dialog, "name")->count(), 2);
    EXPECT_EQ(Find<QComboBox>(&dialog, "name")->currentIndex(), -1);
    // On 3.2.2020 Alpha has only its first lot.
    Choose(&dialog, "name", u"Alpha AG"_s);
    EXPECT_EQ(Column(&dialog, "lots", 3), QStringList{u"30"_s});
}

// The calculation line: an outflow is negative; a currency other than the account's is
// converted with the fixed rate (12,50 DM / 1,95583 = 6,3911... EUR).
TEST_F(MovementDialogsTest, CalculationLineFollowsKindAmountAndCurrency) {
    MovementDialog dialog(doc(), MovementForm::New(doc(), today));
    dialog.show();
    auto* line = Find<QLabel>(&dialog, "calculation");
    struct Case {
        QString kind, amount, currency, line;
    };
    const Case cases[] = {
        {u"Kapitaleinlage"_s, u""_s, u"Euro"_s, u"0,00 Euro"_s},
        {u"Kapitaleinlage"_s, u"1.000"_s, u"Euro"_s, u"1.000,00 Euro"_s},
        {u"Kapitalentnahme"_s, u"10+2,50"_s, u"Euro"_s, u"-12,50 Euro"_s},
        {u"Kapitalentnahme"_s, u"10+2,50"_s, u"Deutsche Mark"_s,
         u"-12,50 Deutsche Mark > -6,39 Euro"_s},
        {u"Dividenden-Gutschrift"_s, u"10+2,50"_s, u"Deutsche Mark"_s,
         u"12,50 Deutsche Mark > 6,39 Euro"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        Choose(&dialog, "kind", c.kind);
        Choose(&dialog, "currency", c.currency);
        Find<QLineEdit>(&dialog, "amount")->setText(c.amount);
        EXPECT_EQ(line->text(), c.line);
    }
}

TEST_F(MovementDialogsTest, DepositEnteredThroughTheRunnerReachesTheDocument) {
    const size_t before = doc().transactions.size();
    int heard = 0;
    doc().AddEditListener([&] { ++heard; });
    WhenModal<MovementDialog>([](MovementDialog& d) {
        Find<QLineEdit>(&d, "amount")->setText(u"1.000+500"_s);
        Find<QLineEdit>(&d, "text")->setText(u"Einzahlung"_s);
        ClickOk(&d);
    });
    const int32_t id = RunMovementDialog(nullptr, doc(), -1, today);
    EXPECT_TRUE(shown().empty());
    ASSERT_NE(id, -1);
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(doc().IsModified());
    ASSERT_EQ(doc().transactions.size(), before + 1);
    const CFL2Transaktion* t = doc().FindTransaction(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->type, TransactionType::AccountMovement);
    EXPECT_EQ(t->date, today);
    EXPECT_EQ(t->otherId, b.Kind("Kapitaleinlage"));
    EXPECT_EQ(t->kindCapital, 1);
    EXPECT_EQ(t->amount, 1500.0);
    EXPECT_EQ(t->currency2, 0);
    EXPECT_EQ(t->text, "Einzahlung");
    EXPECT_EQ(t->securityId, -1);
    EXPECT_TRUE(t->allocations.empty());

    // Abbrechen: -1 and nothing stored.
    WhenModal<MovementDialog>([](MovementDialog& d) {
        Find<QLineEdit>(&d, "amount")->setText(u"5"_s);
        d.reject();
    });
    EXPECT_EQ(RunMovementDialog(nullptr, doc(), -1, today), -1);
    EXPECT_EQ(doc().transactions.size(), before + 1);
}

// 10,00 over 30 and 10 pieces: 7,50 and the remainder 2,50 as income.
TEST_F(MovementDialogsTest, DividendAllocatedAutomaticallyToEveryOpenLot) {
    MovementDialog dialog(doc(), MovementForm::New(doc(), today));
    dialog.show();
    TypeAlphaDividend(&dialog, u"10,00"_s);
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const CFL2Transaktion* t = doc().FindTransaction(dialog.TransactionId());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->securityId, alpha);
    EXPECT_EQ(t->linkFlag, 1);
    EXPECT_EQ(t->allocKind, kIncome);
    EXPECT_EQ(t->allocations,
              (std::vector<CFL2PosInfo>{{a1, a1, 30 * kPiece}, {a2, a2, 10 * kPiece}}));
    EXPECT_EQ(t->quantity, 40 * kPiece);
    const PositionList lots = b.Lots();
    EXPECT_AMOUNT(LotNo(lots, a1).income, 7.50);
    EXPECT_AMOUNT(LotNo(lots, a2).income, 2.50);
}

// By hand 20 of the 30 pieces of the first lot and 10 (99 cut to the lot) of the second:
// 10,00 × 20 / 30 = 6,67 and the remainder 3,33.
TEST_F(MovementDialogsTest, DividendAllocatedByHandThroughTheWalk) {
    firstBuy->text = "erster Kauf";
    MovementDialog dialog(doc(), MovementForm::New(doc(), today));
    dialog.show();
    TypeAlphaDividend(&dialog, u"10,00"_s);
    Find<QCheckBox>(&dialog, "automatic")->setChecked(false);
    auto* allocate = Find<QPushButton>(&dialog, "allocate");

    // First walk: a wrong entry is refused and the step stays open, then 20; Abbrechen on
    // the second lot keeps the first entry.
    auto seen = AnswerWalk({{u"zwanzig"_s, u"20"_s}, {}});
    allocate->click();
    ASSERT_EQ(seen->size(), 2u);
    const Step& first = (*seen)[0];
    EXPECT_EQ(first.position, u"1"_s);
    EXPECT_EQ(first.purchaseDate, u"03.02.2020"_s);
    EXPECT_EQ(first.saleDate, u"-"_s);
    EXPECT_EQ(first.quantity, u"30"_s);
    EXPECT_EQ(first.text, u"erster Kauf"_s);
    EXPECT_EQ(first.entry, u""_s);
    EXPECT_TRUE(first.closed);
    EXPECT_EQ((*seen)[1].position, u"2"_s);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Zuordnen");
    EXPECT_EQ(shown()[0].text, "Bitte geben Sie eine korrekte Stückzahl ein!");
    EXPECT_EQ(Column(&dialog, "lots", 4), (QStringList{u"20"_s, u""_s}));
    shown().clear();

    // Second walk: each step starts with the lot's allocation; 99 is cut to the lot's 10.
    seen = AnswerWalk({{u"20"_s}, {u"99"_s}});
    allocate->click();
    ASSERT_EQ(seen->size(), 2u);
    EXPECT_EQ((*seen)[0].entry, u"20"_s);
    EXPECT_EQ((*seen)[1].entry, u""_s);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(Column(&dialog, "lots", 4), (QStringList{u"20"_s, u"10"_s}));

    // Switching to automatic and back keeps the entries of the walk.
    Find<QCheckBox>(&dialog, "automatic")->setChecked(true);
    EXPECT_EQ(Column(&dialog, "lots", 4), (QStringList{u"30"_s, u"10"_s}));
    Find<QCheckBox>(&dialog, "automatic")->setChecked(false);
    EXPECT_EQ(Column(&dialog, "lots", 4), (QStringList{u"20"_s, u"10"_s}));

    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const CFL2Transaktion* t = doc().FindTransaction(dialog.TransactionId());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->allocations,
              (std::vector<CFL2PosInfo>{{a1, a1, 20 * kPiece}, {a2, a2, 10 * kPiece}}));
    EXPECT_EQ(t->quantity, 30 * kPiece);
    const PositionList lots = b.Lots();
    EXPECT_AMOUNT(LotNo(lots, a1).income, 6.67);
    EXPECT_AMOUNT(LotNo(lots, a2).income, 3.33);
}

TEST_F(MovementDialogsTest, RefusalsPutTheFocusOnTheirFieldAndLeaveTheDocumentAlone) {
    struct Case {
        const char* what;
        std::function<void(QWidget*)> change;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"no currency", [](QWidget* d) { Find<QComboBox>(d, "currency")->setCurrentIndex(-1); },
         "Bitte wählen Sie eine Währung aus!", "currency"},
        {"empty amount", [](QWidget* d) { Find<QLineEdit>(d, "amount")->clear(); },
         "Bitte geben Sie einen korrekten Betrag ein!", "amount"},
        {"amount with a sign", [](QWidget* d) { Find<QLineEdit>(d, "amount")->setText(u"-5"_s); },
         "Bitte geben Sie einen korrekten Betrag ein!", "amount"},
        {"below a cent", [](QWidget* d) { Find<QLineEdit>(d, "amount")->setText(u"0,004"_s); },
         "Bitte geben Sie einen Betrag ungleich Null ein!", "amount"},
        {"no security", [](QWidget* d) { Find<QComboBox>(d, "name")->setCurrentIndex(-1); },
         "Bitte wählen Sie eine Wertpapierbezeichnung aus!", "name"},
        // The code box names the same security: clearing it clears the name too.
        {"no code", [](QWidget* d) { Find<QComboBox>(d, "code")->setCurrentIndex(-1); },
         "Bitte wählen Sie eine Wertpapierbezeichnung aus!", "name"},
        {"nothing allocated by hand",
         [](QWidget* d) { Find<QCheckBox>(d, "automatic")->setChecked(false); },
         "Bitte ordnen Sie den Betrag den Wertpapierpositionen zu!", "allocate"},
    };
    const size_t before = doc().transactions.size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown().clear();
        MovementDialog dialog(doc(), MovementForm::New(doc(), today));
        dialog.show();
        TypeAlphaDividend(&dialog, u"10,00"_s);
        c.change(&dialog);
        Find<QLineEdit>(&dialog, "text")->setFocus();
        ClickOk(&dialog);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "Kontobewegung");
        EXPECT_EQ(shown()[0].text, c.text);
        EXPECT_EQ(shown()[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialog.focusWidget(), Find<QWidget>(&dialog, c.focus));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.TransactionId(), -1);
        EXPECT_EQ(doc().transactions.size(), before);
        EXPECT_FALSE(doc().IsModified());
    }
}

// An edited movement shows its values and its earlier allocation by hand; OK changes it in
// place (same id) and keeps the allocation.
TEST_F(MovementDialogsTest, EditedMovementStartsFromItsStoredValuesAndAllocation) {
    const testing::Made tax = b.Movement(Day(10, 4, 2020), "Steuern", 50.0, alpha, kSaleCosts,
                                         {{a1, 20}, {a2, 5}}, kMark);
    tax->text = "Quellensteuer";
    const int32_t id = tax.id;
    doc().SetModified(false);

    MovementDialog dialog(doc(), MovementForm::ForEdit(doc(), id, today));
    dialog.show();
    EXPECT_EQ(Find<QDateEdit>(&dialog, "date")->date(), QDate(2020, 4, 10));
    EXPECT_EQ(Find<QComboBox>(&dialog, "kind")->currentText(), u"Steuern"_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "amount")->text(), u"50,00"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "currency")->currentText(), u"Deutsche Mark"_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "text")->text(), u"Quellensteuer"_s);
    EXPECT_TRUE(Find<QCheckBox>(&dialog, "linked")->isChecked());
    EXPECT_EQ(Find<QComboBox>(&dialog, "name")->currentText(), u"Alpha AG"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "code")->currentText(), u"100001"_s);
    EXPECT_TRUE(Find<QRadioButton>(&dialog, "saleCosts")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(&dialog, "automatic")->isChecked());
    EXPECT_TRUE(Find<QPushButton>(&dialog, "allocate")->isEnabled());
    EXPECT_EQ(Column(&dialog, "lots", 4), (QStringList{u"20"_s, u"5"_s}));
    // 50,00 DM is an outflow of 50 / 1,95583 = 25,5646... EUR.
    EXPECT_EQ(Find<QLabel>(&dialog, "calculation")->text(),
              u"-50,00 Deutsche Mark > -25,56 Euro"_s);

    Find<QLineEdit>(&dialog, "amount")->setText(u"60"_s);
    Choose(&dialog, "currency", u"Euro"_s);
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(dialog.TransactionId(), id);
    const size_t count = doc().transactions.size();
    const CFL2Transaktion* t = doc().FindTransaction(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->amount, 60.0);
    EXPECT_EQ(t->currency2, 0);
    EXPECT_EQ(t->text, "Quellensteuer");
    EXPECT_EQ(t->allocKind, kSaleCosts);
    EXPECT_EQ(t->allocations,
              (std::vector<CFL2PosInfo>{{a1, a1, 20 * kPiece}, {a2, a2, 5 * kPiece}}));
    EXPECT_EQ(doc().transactions.size(), count);
    EXPECT_TRUE(doc().IsModified());
}

// "Kontowährung" on the document of the fixture: the account starts in euros, no change.
class AccountCurrencyDialogTest : public MovementDialogsTest {
  protected:
    static void SetDate(QWidget* d, int day, int month, int year) {
        Find<QDateEdit>(d, "date")->setDate(QDate(year, month, day));
    }
    static void ClickChange(QWidget* d) { Find<QPushButton>(d, "change")->click(); }
};

TEST_F(AccountCurrencyDialogTest, ChangeIsAskedForRefusedWhereItChangesNothingAndWrittenOnOk) {
    AccountCurrencyDialog dialog(doc(), today);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Kontowährung"_s);
    EXPECT_EQ(LabelOf(&dialog, "initialCurrency"), u"Währung zu &Beginn"_s);
    EXPECT_EQ(LabelOf(&dialog, "targetCurrency"), u"Währung &umstellen auf"_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "change")->text(), u"&Währung umstellen"_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "undoChange")->text(), u"Umstellung &rückgängig machen"_s);
    auto* list = Find<QTreeWidget>(&dialog, "changes");
    EXPECT_EQ(list->headerItem()->text(0), u"Umstellungsdatum"_s);
    EXPECT_EQ(list->headerItem()->text(1), u"Umstellung auf"_s);
    auto* initial = Find<QComboBox>(&dialog, "initialCurrency");
    EXPECT_EQ(Items(initial), (QStringList{u"Euro"_s, u"Deutsche Mark"_s}));
    EXPECT_EQ(initial->currentText(), u"Euro"_s);
    EXPECT_TRUE(initial->isEnabled());
    EXPECT_EQ(Find<QComboBox>(&dialog, "targetCurrency")->currentText(), u"Euro"_s);
    EXPECT_EQ(Find<QDateEdit>(&dialog, "date")->date(), ToQDate(today));
    EXPECT_FALSE(Find<QPushButton>(&dialog, "undoChange")->isEnabled());

    // The account is in euros already.
    ClickChange(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Kontowährung");
    EXPECT_EQ(shown()[0].text, "An diesem Datum wird das Konto bereits in Euro geführt!");
    EXPECT_EQ(shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(list->topLevelItemCount(), 0);

    // Starting in marks, the move to the euro on 1.1.2002 is asked for; No adds nothing.
    Choose(&dialog, "initialCurrency", u"Deutsche Mark"_s);
    SetDate(&dialog, 1, 1, 2002);
    shown().clear();
    answer() = QMessageBox::No;
    ClickChange(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Möchten Sie die Kontowährung ab 01.01.2002 auf Euro umstellen?");
    EXPECT_TRUE(shown()[0].IsQuestion());
    EXPECT_EQ(list->topLevelItemCount(), 0);
    answer() = QMessageBox::Yes;
    ClickChange(&dialog);
    EXPECT_EQ(Column(&dialog, "changes", 0), QStringList{u"01.01.2002"_s});
    EXPECT_EQ(Column(&dialog, "changes", 1), QStringList{u"Euro"_s});
    EXPECT_FALSE(initial->isEnabled());

    // A second change on the same day, and one to the currency in force, are refused.
    shown().clear();
    Choose(&dialog, "targetCurrency", u"Deutsche Mark"_s);
    ClickChange(&dialog);
    SetDate(&dialog, 1, 6, 2001);
    ClickChange(&dialog);
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0].text, "An diesem Datum wurde die Kontowährung bereits umgestellt!");
    EXPECT_EQ(shown()[1].text, "An diesem Datum wird das Konto bereits in Deutsche Mark geführt!");
    EXPECT_EQ(list->topLevelItemCount(), 1);

    // Nothing reaches the document before OK; OK writes the initial currency and the list.
    EXPECT_EQ(doc().initialAccountCurrencyId, 0);
    EXPECT_TRUE(doc().accountCurrencyChanges.empty());
    EXPECT_FALSE(doc().IsModified());
    ClickOk(&dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc().initialAccountCurrencyId, kMark);
    EXPECT_EQ(doc().accountCurrencyChanges, (std::vector<CFL2KtoWUmst>{{0, Day(1, 1, 2002)}}));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(doc().AccountCurrencyAt(Day(31, 12, 2001)), kMark);
    EXPECT_EQ(doc().AccountCurrencyAt(Day(1, 1, 2002)), 0);
}

TEST_F(AccountCurrencyDialogTest, UndoAsksFirstAndAbbrechenKeepsTheDocument) {
    doc().initialAccountCurrencyId = kMark;
    doc().accountCurrencyChanges = {{0, Day(1, 1, 2002)}};
    doc().SetModified(false);

    WhenModal<AccountCurrencyDialog>([](AccountCurrencyDialog& d) {
        auto* list = Find<QTreeWidget>(&d, "changes");
        auto* undo = Find<QPushButton>(&d, "undoChange");
        list->setCurrentItem(list->topLevelItem(0));
        EXPECT_TRUE(undo->isEnabled());
        answer() = QMessageBox::No;
        undo->click();
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].text, "Währungsumstellung am 01.01.2002 löschen?");
        EXPECT_TRUE(shown()[0].IsQuestion());
        EXPECT_EQ(list->topLevelItemCount(), 1);
        answer() = QMessageBox::Yes;
        undo->click();
        EXPECT_EQ(list->topLevelItemCount(), 0);
        EXPECT_FALSE(undo->isEnabled());
        EXPECT_TRUE(Find<QComboBox>(&d, "initialCurrency")->isEnabled());
        d.reject();
    });
    EXPECT_FALSE(RunAccountCurrencyDialog(nullptr, doc(), today));
    EXPECT_EQ(doc().accountCurrencyChanges.size(), 1u);
    EXPECT_EQ(doc().initialAccountCurrencyId, kMark);
    EXPECT_FALSE(doc().IsModified());

    // The same steps with OK: the change is gone from the document.
    shown().clear();
    WhenModal<AccountCurrencyDialog>([](AccountCurrencyDialog& d) {
        auto* list = Find<QTreeWidget>(&d, "changes");
        list->setCurrentItem(list->topLevelItem(0));
        Find<QPushButton>(&d, "undoChange")->click();
        ClickOk(&d);
    });
    EXPECT_TRUE(RunAccountCurrencyDialog(nullptr, doc(), today));
    EXPECT_TRUE(doc().accountCurrencyChanges.empty());
    EXPECT_EQ(doc().initialAccountCurrencyId, kMark);
    EXPECT_TRUE(doc().IsModified());
}

}  // namespace
}  // namespace pf

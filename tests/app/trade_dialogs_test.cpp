#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/distribute_dialog.h"
#include "app/dialogs/security_dialog.h"
#include "app/dialogs/trade_dialog.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/widget_parts.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "engine/stop_target.h"
#include "engine/trade_form.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

constexpr Quantity kPiece = 10'000'000;
constexpr int32_t kEuro = 0;
constexpr int32_t kMark = 1;

// A document in euros with the mark and the floating US dollar: "Alpha AG" (100001) bought
// 20 at 10 on 3.2.2020 and 20 at 12 on 2.3.2020, "Beta AG" (100002, quoted in dollars)
// bought 15 at 20 on 3.2.2020. New transactions are entered on 15.5.2020.
class TradeDialogsTest : public DialogTest {
  protected:
    TradeDialogsTest() {
        usd = b.doc.AddCurrency("USD", "US-Dollar", false, 1, 1, kEuro, 0).id;
        alpha = b.Security("Alpha AG", "100001");
        beta = b.Security("Beta AG", "100002", usd);
        a1 = b.Buy(Day(3, 2, 2020), alpha, 20, 10.0).positionNo;
        a2 = b.Buy(Day(2, 3, 2020), alpha, 20, 12.0).positionNo;
        b1 = b.Buy(Day(3, 2, 2020), beta, 15, 20.0).positionNo;
        doc().SetModified(false);
    }
    CFolari2Doc& doc() { return b.doc; }

    static QString Text(QWidget* root, const char* name) {
        if (auto* edit = root->findChild<QLineEdit*>(QString::fromLatin1(name)))
            return edit->text();
        if (auto* box = root->findChild<QComboBox*>(QString::fromLatin1(name)))
            return box->currentText();
        return Find<QLabel>(root, name)->text();
    }
    static bool Enabled(QWidget* root, const char* name) {
        return Find<QWidget>(root, name)->isEnabled();
    }
    static void TypeName(QWidget* root, const char* box, const QString& text) {
        Find<QComboBox>(root, box)->setEditText(text);
    }
    // The one box shown is the refusal `title`/`text`, and the focus is on `field`.
    static void ExpectRefusal(QWidget* dialog, const char* title, const char* text,
                              const char* field) {
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, title);
        EXPECT_EQ(shown()[0].text, text);
        EXPECT_EQ(shown()[0].icon, MessageIcon::Information);
        EXPECT_TRUE(HasFocus(dialog, field)) << field;
        EXPECT_TRUE(dialog->isVisible());
    }

    // Answers the steps of an "Aufteilen" walk in turn: each entry is typed into the next
    // step and confirmed (an empty entry: Abbrechen). `bounds` receives each step's bounds
    // text and `positions` its "Position:".
    static void WalkSteps(std::vector<QString> entries, QStringList* bounds,
                          QStringList* positions) {
        auto* timer = new QTimer;
        auto left = std::make_shared<std::vector<QString>>(std::move(entries));
        QObject::connect(timer, &QTimer::timeout, [=] {
            auto* step = qobject_cast<DistributeDialog*>(QApplication::activeModalWidget());
            // The steps may share one address, so each is marked when it is answered.
            if (step == nullptr || !step->isVisible() || step->property("answered").toBool())
                return;
            step->setProperty("answered", true);
            bounds->push_back(Find<QLabel>(step, "bounds")->text());
            positions->push_back(Find<QLabel>(step, "position")->text());
            const QString entry = left->front();
            left->erase(left->begin());
            if (entry.isEmpty()) {
                step->reject();
            } else {
                Type(step, "pieces", entry);
                ClickOk(step);
            }
            if (left->empty()) timer->deleteLater();
        });
        timer->start(5);
    }

    DocBuilder b;
    int32_t usd = -1;
    int32_t alpha = -1;
    int32_t beta = -1;
    int32_t a1 = -1;
    int32_t a2 = -1;
    int32_t b1 = -1;
    const CQRNDatum today = Day(15, 5, 2020);
};

// --- "Kauf" ----------------------------------------------------------------------------------

TEST_F(TradeDialogsTest, PurchaseShowsItsFieldsAndEntersAPurchaseInTheBaseCurrency) {
    int32_t id = -1;
    WhenModal<PurchaseDialog>([&](PurchaseDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Kauf"_s);
        const std::vector<std::pair<const char*, QString>> labels = {
            {"date", u"&Datum"_s},
            {"name", u"&Bezeichnung"_s},
            {"code", u"&WKN"_s},
            {"quantity", u"&Stück"_s},
            {"price", u"&Kaufkurs"_s},
            {"currency1", u"Wä&hrung 1"_s},
            {"commission1", u"Provis.+&C.+S."_s},
            {"rateBase", u"De&visenkurs"_s},
            {"currency2", u"Wäh&rung 2"_s},
            {"commission2", u"&Provision+Courtage+Spesen"_s},
            {"stop", u"St&oppkurs"_s},
            {"target", u"&Zielkurs"_s},
            {"text", u"&Text"_s},
        };
        for (const auto& [field, label] : labels) {
            SCOPED_TRACE(field);
            EXPECT_EQ(LabelOf(&d, field), label);
        }
        EXPECT_EQ(Find<QDateEdit>(&d, "date")->date(), ToQDate(today));
        EXPECT_EQ(Items(&d, "name"), (QStringList{u"Alpha AG"_s, u"Beta AG"_s}));
        EXPECT_EQ(Items(&d, "code"), (QStringList{u"100001"_s, u"100002"_s}));
        EXPECT_TRUE(Find<QComboBox>(&d, "name")->isEditable());
        // Currency 1 lists every currency, currency 2 only the fixed-rate ones.
        EXPECT_EQ(Items(&d, "currency1"),
                  (QStringList{u"Euro"_s, u"Deutsche Mark"_s, u"US-Dollar"_s}));
        EXPECT_EQ(Items(&d, "currency2"), (QStringList{u"Euro"_s, u"Deutsche Mark"_s}));
        // One currency: no commission 1, the rate pair 1 : 1, all locked.
        EXPECT_EQ(Text(&d, "currency1"), u"Euro"_s);
        EXPECT_EQ(Text(&d, "currency2"), u"Euro"_s);
        EXPECT_EQ(Text(&d, "commission1"), u"0,00"_s);
        EXPECT_EQ(Text(&d, "rateBase"), u"1,00"_s);
        EXPECT_EQ(Text(&d, "rateQuote"), u"1,00"_s);
        EXPECT_EQ(Text(&d, "rateBaseName"), u"Euro  ="_s);
        EXPECT_EQ(Text(&d, "rateQuoteName"), u"Euro"_s);
        for (const char* locked : {"commission1", "rateBase", "rateQuote"}) {
            SCOPED_TRACE(locked);
            EXPECT_FALSE(Enabled(&d, locked));
        }

        // The code follows the name, and the stop and target labels the quote currency.
        Choose(&d, "name", u"Beta AG"_s);
        EXPECT_EQ(Text(&d, "code"), u"100002"_s);
        EXPECT_EQ(LabelOf(&d, "stop"), u"St&oppkurs US-Dollar"_s);
        EXPECT_EQ(LabelOf(&d, "target"), u"&Zielkurs US-Dollar"_s);
        Choose(&d, "code", u"100001"_s);
        EXPECT_EQ(Text(&d, "name"), u"Alpha AG"_s);
        EXPECT_EQ(LabelOf(&d, "stop"), u"St&oppkurs Euro"_s);

        // 2 × 10,125 = 20,25; + 5,00 = 25,25.
        Type(&d, "quantity", u"2"_s);
        Type(&d, "price", u"10,125"_s);
        Type(&d, "commission2", u"5"_s);
        EXPECT_EQ(Text(&d, "calculation"), u"20,25 Euro + 5,00 Euro = 25,25 Euro"_s);
        Type(&d, "commission2", u"4,90+0,10"_s);
        EXPECT_EQ(Text(&d, "calculation"), u"20,25 Euro + 5,00 Euro = 25,25 Euro"_s);
        Type(&d, "stop", u"9,5"_s);
        Leave(&d, "stop");
        EXPECT_EQ(Text(&d, "stop"), u"9,50"_s);
        Type(&d, "text", u"Erstkauf"_s);
        ClickOk(&d);
        EXPECT_TRUE(shown().empty());
        EXPECT_FALSE(d.isVisible());
    });
    id = RunPurchaseDialog(nullptr, doc(), -1, today);

    ASSERT_GE(id, 0);
    const CFL2Transaktion* t = doc().FindTransaction(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->type, TransactionType::Buy);
    EXPECT_EQ(t->date, today);
    EXPECT_EQ(t->securityId, alpha);
    EXPECT_EQ(t->quantity, 2 * kPiece);
    EXPECT_EQ(t->price, 10.125);
    EXPECT_DOUBLE_EQ(t->marketValue1, 20.25);
    EXPECT_DOUBLE_EQ(t->commission2, 5.0);
    EXPECT_DOUBLE_EQ(t->amount, 25.25);
    EXPECT_EQ(t->currency1, kEuro);
    EXPECT_EQ(t->currency2, kEuro);
    EXPECT_EQ(t->text, "Erstkauf");
    EXPECT_EQ(StopOf(doc(), t->positionNo), 9.5);
    EXPECT_EQ(TargetOf(doc(), t->positionNo), 0.0);
    EXPECT_TRUE(doc().IsModified());
    // The next new transaction starts on the date of this one.
    EXPECT_EQ(doc().lastTransactionDate, today);
}

TEST_F(TradeDialogsTest, PurchaseInAForeignCurrencyUnlocksTheRatesAndKeepsWhatWasTyped) {
    PurchaseDialog d(doc(), PurchaseForm::New(doc(), today));
    d.show();
    Choose(&d, "name", u"Beta AG"_s);
    Choose(&d, "currency1", u"US-Dollar"_s);
    EXPECT_TRUE(Enabled(&d, "commission1"));
    EXPECT_TRUE(Enabled(&d, "rateBase"));
    EXPECT_TRUE(Enabled(&d, "rateQuote"));
    EXPECT_EQ(Text(&d, "rateBaseName"), u"US-Dollar  ="_s);
    EXPECT_EQ(Text(&d, "rateQuoteName"), u"Euro"_s);
    TypeByHand(&d, "rateBase", u"1,25"_s);
    Leave(&d, "rateBase");
    Type(&d, "quantity", u"10"_s);
    Type(&d, "price", u"12,5"_s);
    Leave(&d, "price");
    EXPECT_EQ(Text(&d, "price"), u"12,50"_s);
    Type(&d, "commission1", u"2,50"_s);
    Type(&d, "commission2", u"4,90"_s);
    // 125,00 + 2,50 = 127,50 dollars; / 1,25 = 102,00 euros; + 4,90 = 106,90.
    EXPECT_EQ(Text(&d, "calculation"),
              u"127,50 US-Dollar > 102,00 Euro + 4,90 Euro = 106,90 Euro"_s);

    // The mark's fixed factors replace the typed rates, and come off again with the dollar.
    Choose(&d, "currency1", u"Deutsche Mark"_s);
    EXPECT_EQ(Text(&d, "rateBase"), u"1,95583"_s);
    EXPECT_EQ(Text(&d, "rateQuote"), u"1,00"_s);
    EXPECT_FALSE(Enabled(&d, "rateBase"));
    EXPECT_FALSE(Enabled(&d, "rateQuote"));
    EXPECT_TRUE(Enabled(&d, "commission1"));
    Choose(&d, "currency1", u"US-Dollar"_s);
    EXPECT_EQ(Text(&d, "rateBase"), u"1,25"_s);
    EXPECT_EQ(Text(&d, "rateQuote"), u"1,00"_s);
    EXPECT_TRUE(Enabled(&d, "rateBase"));

    ClickOk(&d);
    EXPECT_TRUE(shown().empty());
    ASSERT_GE(d.TransactionId(), 0);
    const CFL2Transaktion* t = doc().FindTransaction(d.TransactionId());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->securityId, beta);
    EXPECT_EQ(t->currency1, usd);
    EXPECT_EQ(t->rateBase, 1.25);
    EXPECT_EQ(t->rateQuote, 1.0);
    EXPECT_DOUBLE_EQ(t->commission1, 2.5);
    EXPECT_DOUBLE_EQ(t->amount, 106.90);
}

TEST_F(TradeDialogsTest, PurchaseRefusalsComeInOrderWithTheFocusOnTheirField) {
    struct Case {
        const char* what;
        std::function<void(QWidget*)> change;
        const char* text;
        const char* field;
    };
    const char* const kCommission =
        "Bitte geben Sie einen Wert für Provision, Courtage und Spesen ein!";
    const std::vector<Case> cases = {
        {"no name", [](QWidget* d) { TypeName(d, "name", {}); },
         "Bitte geben Sie die Bezeichnung des gekauften Wertpapiers ein!", "name"},
        {"no code", [](QWidget* d) { TypeName(d, "code", {}); },
         "Bitte geben Sie die Wertpapier-Kennnummer des gekauften Wertpapiers ein!", "code"},
        {"name and code of two securities", [](QWidget* d) { TypeName(d, "code", u"100002"_s); },
         "Ein Wertpapier mit dieser Bezeichnung und Wertpapier-Kennnummer befindet sich nicht "
         "in der Datenbank!",
         "name"},
        {"quantity not a number", [](QWidget* d) { Type(d, "quantity", u"zehn"_s); },
         "Bitte geben Sie eine korrekte Stückzahl an!", "quantity"},
        {"quantity zero", [](QWidget* d) { Type(d, "quantity", u"0"_s); },
         "Bitte geben Sie eine Stückzahl größer Null an!", "quantity"},
        {"price empty", [](QWidget* d) { Type(d, "price", {}); },
         "Bitte geben Sie einen korrekten Kaufkurs ein!", "price"},
        {"commission 1 of a dollar purchase",
         [](QWidget* d) {
             Choose(d, "currency1", u"US-Dollar"_s);
             Type(d, "commission1", {});
         },
         kCommission, "commission1"},
        {"rate quote empty",
         [](QWidget* d) {
             Choose(d, "currency1", u"US-Dollar"_s);
             Type(d, "rateQuote", {});
         },
         "Bitte geben Sie einen Devisenkurs ein!", "rateQuote"},
        {"rate base zero",
         [](QWidget* d) {
             Choose(d, "currency1", u"US-Dollar"_s);
             Type(d, "rateBase", u"0"_s);
         },
         "Bitte geben Sie einen Wert größer Null an!", "rateBase"},
        {"commission 2 with an empty part", [](QWidget* d) { Type(d, "commission2", u"4,90+"_s); },
         kCommission, "commission2"},
        {"stop not a price", [](QWidget* d) { Type(d, "stop", u"tief"_s); },
         "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!", "stop"},
        {"target not a price", [](QWidget* d) { Type(d, "target", u"-3"_s); },
         "Bitte geben Sie einen korrekten Zielkurs ein oder lassen Sie das Feld frei!", "target"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown().clear();
        PurchaseDialog d(doc(), PurchaseForm::New(doc(), today));
        d.show();
        Choose(&d, "name", u"Alpha AG"_s);
        Type(&d, "quantity", u"10"_s);
        Type(&d, "price", u"12,50"_s);
        c.change(&d);
        ClickOk(&d);
        ExpectRefusal(&d, "Kauf", c.text, c.field);
        EXPECT_EQ(doc().transactions.size(), 3u);
        EXPECT_FALSE(doc().IsModified());
    }
}

TEST_F(TradeDialogsTest, AnUnknownCodeOpensTheNewSecurityDialogAndTakesTheNewSecurity) {
    PurchaseDialog d(doc(), PurchaseForm::New(doc(), today));
    d.show();
    TypeName(&d, "name", u"Gamma AG"_s);
    TypeName(&d, "code", u"100003"_s);
    int32_t added = -1;
    WhenModal<SecurityDialog>([&](SecurityDialog& s) {
        EXPECT_EQ(s.windowTitle(), u"Neues Wertpapier"_s);
        EXPECT_EQ(Find<QLineEdit>(&s, "name")->text(), u"Gamma AG"_s);
        EXPECT_EQ(Find<QLineEdit>(&s, "wkn")->text(), u"100003"_s);
        ClickOk(&s);
        EXPECT_TRUE(shown().empty()) << shown()[0].text;
        added = s.SecurityId();
    });
    Leave(&d, "code");
    ASSERT_GE(added, 0);
    EXPECT_EQ(doc().FindSecurity(added)->name, "Gamma AG");
    EXPECT_EQ(Items(&d, "name"), (QStringList{u"Alpha AG"_s, u"Beta AG"_s, u"Gamma AG"_s}));
    EXPECT_EQ(Find<QComboBox>(&d, "name")->currentData().toInt(), added);
    EXPECT_EQ(Find<QComboBox>(&d, "code")->currentData().toInt(), added);
    EXPECT_EQ(LabelOf(&d, "stop"), u"St&oppkurs Euro"_s);

    // A known name just chooses its security; Abbrechen in "Neues Wertpapier" leaves the
    // labels without a currency.
    TypeName(&d, "name", u"Beta AG"_s);
    Leave(&d, "name");
    EXPECT_EQ(Text(&d, "code"), u"100002"_s);
    EXPECT_EQ(LabelOf(&d, "stop"), u"St&oppkurs US-Dollar"_s);
    bool asked = false;
    WhenModal<SecurityDialog>([&](SecurityDialog& s) {
        asked = true;
        s.reject();
    });
    TypeName(&d, "name", u"Delta AG"_s);
    Leave(&d, "name");
    EXPECT_TRUE(asked);
    EXPECT_EQ(doc().securities.size(), 3u);
    EXPECT_EQ(LabelOf(&d, "stop"), u"St&oppkurs"_s);
    EXPECT_EQ(LabelOf(&d, "target"), u"&Zielkurs"_s);
}

TEST_F(TradeDialogsTest, EditedPurchaseKeepsTheLimitsOfItsLaterUsers) {
    // The sale of 5 pieces from the first lot on 1.4.2020.
    b.Sell(Day(1, 4, 2020), alpha, {{a1, 5}}, 15.0);
    const int32_t buyId = doc().transactions.front().id;
    ASSERT_EQ(doc().FindTransaction(buyId)->positionNo, a1);
    {
        PurchaseDialog d(doc(), PurchaseForm::ForEdit(doc(), buyId, today));
        d.show();
        EXPECT_EQ(Find<QDateEdit>(&d, "date")->date(), ToQDate(Day(3, 2, 2020)));
        EXPECT_EQ(Find<QDateEdit>(&d, "date")->maximumDate(), ToQDate(Day(1, 4, 2020)));
        EXPECT_EQ(Text(&d, "name"), u"Alpha AG"_s);
        EXPECT_EQ(Text(&d, "quantity"), u"20"_s);
        EXPECT_EQ(Text(&d, "price"), u"10,00"_s);
        EXPECT_TRUE(Enabled(&d, "quantity"));
        // Fewer pieces than the sale took become 5 pieces and one unit.
        Type(&d, "quantity", u"3"_s);
        Leave(&d, "quantity");
        EXPECT_EQ(Text(&d, "quantity"), u"5,0000001"_s);
        Type(&d, "quantity", u"18"_s);
        Type(&d, "price", u"10,50"_s);
        ClickOk(&d);
        EXPECT_TRUE(shown().empty());
        EXPECT_EQ(d.TransactionId(), buyId);
    }
    const CFL2Transaktion* t = doc().FindTransaction(buyId);
    EXPECT_EQ(t->quantity, 18 * kPiece);
    EXPECT_DOUBLE_EQ(t->amount, 189.0);
    EXPECT_EQ(doc().transactions.size(), 4u);

    // Every piece of the second lot sold: the quantity is locked.
    b.Sell(Day(2, 4, 2020), alpha, {{a2, 20}}, 15.0);
    int32_t secondBuy = -1;
    for (const CFL2Transaktion& x : doc().transactions)
        if (x.type == TransactionType::Buy && x.positionNo == a2) secondBuy = x.id;
    PurchaseDialog d(doc(), PurchaseForm::ForEdit(doc(), secondBuy, today));
    EXPECT_FALSE(Enabled(&d, "quantity"));
    EXPECT_EQ(Text(&d, "quantity"), u"20"_s);
}

// --- "Verkauf" -----------------------------------------------------------------------------

TEST_F(TradeDialogsTest, SaleWithTheOldestLotsFirst) {
    int32_t id = -1;
    WhenModal<SaleDialog>([&](SaleDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Verkauf"_s);
        EXPECT_EQ(LabelOf(&d, "price"), u"Verkauf&kurs"_s);
        EXPECT_EQ(Find<QCheckBox>(&d, "oldestFirst")->text(), u"ält&este Positionen verkaufen"_s);
        EXPECT_EQ(Find<QPushButton>(&d, "distribute")->text(), u"a&ufteilen..."_s);
        EXPECT_EQ(Items(&d, "name"), (QStringList{u"Alpha AG"_s, u"Beta AG"_s}));
        EXPECT_EQ(Find<QComboBox>(&d, "name")->currentIndex(), -1);
        EXPECT_FALSE(Enabled(&d, "lots"));
        EXPECT_FALSE(Enabled(&d, "oldestFirst"));
        EXPECT_FALSE(Enabled(&d, "distribute"));

        Choose(&d, "code", u"100001"_s);
        EXPECT_EQ(Text(&d, "name"), u"Alpha AG"_s);
        EXPECT_EQ(Column(&d, "lots", 0), (QStringList{u"1"_s, u"2"_s}));
        EXPECT_EQ(Column(&d, "lots", 1), (QStringList{u"03.02.2020"_s, u"02.03.2020"_s}));
        EXPECT_EQ(Column(&d, "lots", 2), (QStringList{u"10,00"_s, u"12,00"_s}));
        EXPECT_EQ(Column(&d, "lots", 3), (QStringList{u"Euro"_s, u"Euro"_s}));
        EXPECT_EQ(Column(&d, "lots", 4), (QStringList{u"20"_s, u"20"_s}));
        EXPECT_TRUE(Enabled(&d, "oldestFirst"));
        EXPECT_TRUE(Enabled(&d, "distribute"));

        Find<QCheckBox>(&d, "oldestFirst")->setChecked(true);
        EXPECT_FALSE(Enabled(&d, "distribute"));
        Type(&d, "quantity", u"30"_s);
        EXPECT_EQ(Column(&d, "lots", 5), (QStringList{u"20"_s, u"10"_s}));
        Type(&d, "price", u"15"_s);
        Type(&d, "commission2", u"5"_s);
        // 30 × 15 = 450,00; - 5,00 = 445,00.
        EXPECT_EQ(Text(&d, "calculation"), u"450,00 Euro - 5,00 Euro = 445,00 Euro"_s);
        ClickOk(&d);
        EXPECT_TRUE(shown().empty()) << shown()[0].text;
    });
    id = RunSaleDialog(nullptr, doc(), -1, today);
    ASSERT_GE(id, 0);
    const CFL2Transaktion* t = doc().FindTransaction(id);
    EXPECT_EQ(t->type, TransactionType::Sell);
    EXPECT_EQ(t->securityId, alpha);
    EXPECT_EQ(t->quantity, 30 * kPiece);
    EXPECT_DOUBLE_EQ(t->amount, 445.0);
    ASSERT_EQ(t->allocations.size(), 2u);
    EXPECT_EQ(t->allocations[0].positionNo, a1);
    EXPECT_EQ(t->allocations[0].quantity, 20 * kPiece);
    EXPECT_EQ(t->allocations[1].positionNo, a2);
    EXPECT_EQ(t->allocations[1].quantity, 10 * kPiece);
}

TEST_F(TradeDialogsTest, SaleWithTheLotsChosenByHandThroughAufteilen) {
    SaleDialog d(doc(), SaleForm::New(doc(), today));
    d.show();
    Choose(&d, "name", u"Alpha AG"_s);
    Type(&d, "quantity", u"30"_s);
    Type(&d, "price", u"15"_s);
    // Without oldest first nothing is chosen yet.
    EXPECT_EQ(Column(&d, "lots", 5), (QStringList{QString(), QString()}));
    ClickOk(&d);
    ExpectRefusal(&d, "Verkauf",
                  "Bitte teilen Sie die verkauften Stücke auf die verschiedenen Positionen auf!",
                  "distribute");

    // R = 30 of T = 40: the first lot gives 10 to 20 (5 becomes 10), the second then 20.
    QStringList bounds;
    QStringList positions;
    WalkSteps({u"5"_s, u"20"_s}, &bounds, &positions);
    Find<QPushButton>(&d, "distribute")->click();
    EXPECT_EQ(positions, (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(bounds, (QStringList{u"mindestens 10 Stück\nhöchstens 20 Stück"_s,
                                   u"mindestens 20 Stück\nhöchstens 20 Stück"_s}));
    EXPECT_EQ(Column(&d, "lots", 5), (QStringList{u"10"_s, u"20"_s}));

    shown().clear();
    ClickOk(&d);
    EXPECT_TRUE(shown().empty()) << shown()[0].text;
    const CFL2Transaktion* t = doc().FindTransaction(d.TransactionId());
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->allocations.size(), 2u);
    EXPECT_EQ(t->allocations[0].positionNo, a1);
    EXPECT_EQ(t->allocations[0].quantity, 10 * kPiece);
    EXPECT_EQ(t->allocations[1].positionNo, a2);
    EXPECT_EQ(t->allocations[1].quantity, 20 * kPiece);
}

TEST_F(TradeDialogsTest, AufteilenStepRefusesAnEntryThatIsNoQuantity) {
    CFL2DepotPos shownLot;
    shownLot.positionNo = a1;
    shownLot.quantity = 20 * kPiece;
    shownLot.price = 10.125;
    shownLot.currency1 = kEuro;
    shownLot.purchaseDate = Day(3, 2, 2020);
    shownLot.text = "Erstkauf";
    DistributeDialog step(doc(), shownLot, 1, QuantityBounds{10 * kPiece, 20 * kPiece},
                          u"Stück &verkaufen"_s);
    step.show();
    EXPECT_EQ(step.windowTitle(), u"Aufteilen"_s);
    EXPECT_EQ(LabelOf(&step, "pieces"), u"Stück &verkaufen"_s);
    EXPECT_EQ(Text(&step, "purchaseDate"), u"03.02.2020"_s);
    EXPECT_EQ(Text(&step, "price"), u"10,125 Euro"_s);
    EXPECT_EQ(Text(&step, "quantity"), u"20"_s);
    EXPECT_EQ(Text(&step, "text"), u"Erstkauf"_s);
    // Nothing chosen before: the entry starts at the minimum.
    EXPECT_EQ(Text(&step, "pieces"), u"10"_s);
    Type(&step, "pieces", u"zwölf"_s);
    ClickOk(&step);
    ExpectRefusal(&step, "Aufteilen", "Bitte geben Sie eine korrekte Stückzahl ein!", "pieces");
    Type(&step, "pieces", u"25"_s);
    ClickOk(&step);
    EXPECT_EQ(step.Entry(), 20 * kPiece);
}

TEST_F(TradeDialogsTest, SaleDateChangeComputesTheLotsAgain) {
    SaleDialog d(doc(), SaleForm::New(doc(), today));
    d.show();
    Choose(&d, "name", u"Alpha AG"_s);
    Type(&d, "quantity", u"50"_s);
    Leave(&d, "quantity");
    // Only 40 are there.
    EXPECT_EQ(Text(&d, "quantity"), u"40"_s);

    // On 15.2.2020 only the first lot of Alpha was bought.
    Find<QDateEdit>(&d, "date")->setDate(ToQDate(Day(15, 2, 2020)));
    EXPECT_EQ(Text(&d, "name"), u"Alpha AG"_s);
    EXPECT_EQ(Column(&d, "lots", 1), (QStringList{u"03.02.2020"_s}));
    EXPECT_EQ(Text(&d, "quantity"), u"20"_s);
    EXPECT_FALSE(Enabled(&d, "oldestFirst"));
    EXPECT_EQ(Column(&d, "lots", 5), (QStringList{u"20"_s}));

    // Before the first purchase nothing can be sold.
    Find<QDateEdit>(&d, "date")->setDate(ToQDate(Day(31, 1, 2020)));
    EXPECT_TRUE(Items(&d, "name").isEmpty());
    EXPECT_EQ(Find<QTreeWidget>(&d, "lots")->topLevelItemCount(), 0);
    ClickOk(&d);
    ExpectRefusal(&d, "Verkauf",
                  "An diesem Tag befinden sich keine Wertpapiere im Depot, die verkauft werden "
                  "können!",
                  "date");
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(TradeDialogsTest, SaleBeforeADividendOnTheWholeLotIsRefused) {
    // The dividend of 1.5.2020 is allocated to all 20 pieces of the first lot.
    b.Movement(Day(1, 5, 2020), "Dividenden-Gutschrift", 30.0, alpha, kIncome, {{a1, 20}});
    doc().SetModified(false);
    SaleDialog d(doc(), SaleForm::New(doc(), Day(15, 4, 2020)));
    d.show();
    Choose(&d, "name", u"Alpha AG"_s);
    Find<QCheckBox>(&d, "oldestFirst")->setChecked(true);
    Type(&d, "quantity", u"10"_s);
    Type(&d, "price", u"15"_s);
    ClickOk(&d);
    ExpectRefusal(&d, "Verkauf",
                  "Position 1 kann frühestens am 01.05.2020 verkauft werden, da an diesem Tag "
                  "eine Kontobewegung vorhanden ist, die sich auf diese Position bezieht!",
                  "date");
    EXPECT_FALSE(doc().IsModified());

    // Dated on the dividend's day, the sale goes through.
    shown().clear();
    Find<QDateEdit>(&d, "date")->setDate(ToQDate(Day(1, 5, 2020)));
    ClickOk(&d);
    EXPECT_TRUE(shown().empty()) << shown()[0].text;
    EXPECT_GE(d.TransactionId(), 0);
}

TEST_F(TradeDialogsTest, EditedSaleOffersItsEarlierChoiceAndLocksItWhenAMovementNeedsIt) {
    const int32_t saleId = b.Sell(Day(1, 4, 2020), alpha, {{a1, 5}, {a2, 7}}, 15.0).id;
    {
        SaleDialog d(doc(), SaleForm::ForEdit(doc(), saleId, today));
        d.show();
        EXPECT_EQ(Find<QDateEdit>(&d, "date")->date(), ToQDate(Day(1, 4, 2020)));
        EXPECT_EQ(Text(&d, "name"), u"Alpha AG"_s);
        EXPECT_EQ(Text(&d, "quantity"), u"12"_s);
        // The sale's own pieces are offered again, with its earlier choice.
        EXPECT_EQ(Column(&d, "lots", 4), (QStringList{u"20"_s, u"20"_s}));
        EXPECT_EQ(Column(&d, "lots", 5), (QStringList{u"5"_s, u"7"_s}));
        EXPECT_TRUE(Enabled(&d, "lots"));
        EXPECT_TRUE(Enabled(&d, "distribute"));
    }
    // A movement allocated to a sold piece: list, box and button stay disabled.
    const int32_t soldPiece = doc().FindTransaction(saleId)->allocations[0].newPositionNo;
    b.Movement(Day(2, 4, 2020), "Steuern", 3.0, alpha, kSaleCosts, {{soldPiece, 5}});
    SaleDialog d(doc(), SaleForm::ForEdit(doc(), saleId, today));
    EXPECT_EQ(Column(&d, "lots", 5), (QStringList{u"5"_s, u"7"_s}));
    EXPECT_FALSE(Enabled(&d, "lots"));
    EXPECT_FALSE(Enabled(&d, "oldestFirst"));
    EXPECT_FALSE(Enabled(&d, "distribute"));
}

}  // namespace
}  // namespace pf

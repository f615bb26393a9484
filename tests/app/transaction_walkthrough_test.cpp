// A user's way through the transaction commands of the main window: two purchases (one in
// dollars), a dividend allocated to the lots, a partial sale of the oldest lots, a 2:1 split,
// a 3:2 exchange, an account-currency change, a stop price, the tax categories, the
// transaction filter and the editor; then a double click on a holdings row opens the editor
// on that row's purchase. Every dialog is opened from its menu command.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <vector>

#include "app/dialogs/transaction_editor_dialog.h"
#include "app/report_view.h"
#include "engine/engine_test_util.h"
#include "engine/split_exchange.h"
#include "engine/stop_target.h"
#include "quotes/currency_form.h"
#include "reports/report_object.h"
#include "reports/report_table.h"
#include "window_walk.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

constexpr Quantity kPiece = 10'000'000;
constexpr int32_t kMark = 1;  // "Deutsche Mark" of the new document

class TransactionWalkthrough : public WindowWalk {
  protected:
    void SetUp() override {
        WindowWalk::SetUp();
        // Three securities and a dollar with a variable rate, no transaction yet; the account
        // starts in euros.
        DocBuilder b;
        b.Security("Alpha AG", "100001");
        b.Security("Gamma AG", "100003");
        CurrencyForm usd = CurrencyForm::New(b.doc);
        usd.symbol = "USD";
        usd.name = "US-Dollar";
        const int32_t dollar = usd.Apply(b.doc);
        ASSERT_GE(dollar, 0);
        b.Security("Beta Inc", "100002", dollar);
        OpenWindowOn(b.doc, Day(15, 9, 2020));
    }

    int32_t SecurityId(const std::string& name) {
        for (const CFL2Wertpapier& s : Doc().securities)
            if (s.name == name) return s.id;
        return -1;
    }
    // The open lots of `security` on `date` as (pieces, price) in list order.
    std::vector<std::pair<Quantity, double>> LotsOn(CQRNDatum date, const std::string& security) {
        std::vector<std::pair<Quantity, double>> lots;
        for (const CFL2DepotPos& lot : SellableLots(Doc(), date))
            if (lot.securityId == SecurityId(security)) lots.emplace_back(lot.quantity, lot.price);
        return lots;
    }
    static void SetDate(QWidget& d, int day, int month, int year) {
        Find<QDateEdit>(&d, "date")->setDate(QDate(year, month, day));
    }
    // The one transaction of `type` on `date`.
    const CFL2Transaktion* Entered(TransactionType type, CQRNDatum date) {
        const CFL2Transaktion* found = nullptr;
        for (const CFL2Transaktion& t : Doc().transactions)
            if (t.type == type && t.date == date) {
                EXPECT_EQ(found, nullptr) << "two on one day";
                found = &t;
            }
        EXPECT_NE(found, nullptr);
        return found;
    }
};

TEST_F(TransactionWalkthrough, APortfolioEnteredFromTheMenus) {
    // Purchases: two of Alpha in euros, one of Beta in dollars at 1,25 dollars to the euro.
    struct Purchase {
        QDate date;
        QString name, quantity, price, currency, rate, commission1, commission2, calculation;
    };
    const std::vector<Purchase> purchases = {
        // 20 × 10,125 = 202,50; + 5,00 = 207,50.
        {QDate(2020, 2, 3),
         u"Alpha AG"_s,
         u"20"_s,
         u"10,125"_s,
         u"Euro"_s,
         {},
         {},
         u"5"_s,
         u"202,50 Euro + 5,00 Euro = 207,50 Euro"_s},
        {QDate(2020, 3, 2),
         u"Alpha AG"_s,
         u"10"_s,
         u"12"_s,
         u"Euro"_s,
         {},
         {},
         {},
         u"120,00 Euro + 0,00 Euro = 120,00 Euro"_s},
        // 10 × 50 = 500,00 + 2,50 = 502,50 dollars; / 1,25 = 402,00 euros; + 4,90 = 406,90.
        {QDate(2020, 3, 2), u"Beta Inc"_s, u"10"_s, u"50"_s, u"US-Dollar"_s, u"1,25"_s, u"2,50"_s,
         u"4,90"_s, u"502,50 US-Dollar > 402,00 Euro + 4,90 Euro = 406,90 Euro"_s},
    };
    for (const Purchase& p : purchases) {
        Run("actionPurchase", [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), u"Kauf"_s);
            Find<QDateEdit>(&d, "date")->setDate(p.date);
            Choose(&d, "name", p.name);
            Choose(&d, "currency1", p.currency);
            if (!p.rate.isEmpty()) {
                TypeByHand(&d, "rateBase", p.rate);
                Leave(&d, "rateBase");
            }
            Type(&d, "quantity", p.quantity);
            Type(&d, "price", p.price);
            if (!p.commission1.isEmpty()) Type(&d, "commission1", p.commission1);
            if (!p.commission2.isEmpty()) Type(&d, "commission2", p.commission2);
            EXPECT_EQ(Find<QLabel>(&d, "calculation")->text(), p.calculation);
            ClickOk(&d);
            EXPECT_FALSE(d.isVisible());
        });
    }
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(document->IsModified());
    // The frame's own part of the title; a maximised view adds its title after it.
    EXPECT_TRUE(window->windowTitle().startsWith(u"Portfolaris - Depot *"_s))
        << window->windowTitle().toStdString();
    ASSERT_EQ(Doc().transactions.size(), 3u);
    EXPECT_DOUBLE_EQ(Doc().transactions[0].amount, 207.50);
    const auto& dollarBuy = Doc().transactions[2];
    EXPECT_EQ(dollarBuy.securityId, SecurityId("Beta Inc"));
    EXPECT_DOUBLE_EQ(dollarBuy.amount, 406.90);
    EXPECT_EQ(dollarBuy.rateBase, 1.25);
    const int32_t alpha1 = Doc().transactions[0].positionNo;
    const int32_t alpha2 = Doc().transactions[1].positionNo;

    // A dividend of 30,00 on Alpha, allocated by pieces to both lots.
    Run("actionMovement", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Kontobewegung"_s);
        SetDate(d, 15, 5, 2020);
        Choose(&d, "kind", u"Dividenden-Gutschrift"_s);
        Type(&d, "amount", u"30"_s);
        Find<QCheckBox>(&d, "linked")->setChecked(true);
        Choose(&d, "name", u"Alpha AG"_s);
        Find<QRadioButton>(&d, "income")->setChecked(true);
        ClickOk(&d);
        EXPECT_FALSE(d.isVisible());
    });
    const CFL2Transaktion* dividend = Entered(TransactionType::AccountMovement, Day(15, 5, 2020));
    ASSERT_NE(dividend, nullptr);
    EXPECT_DOUBLE_EQ(dividend->amount, 30.0);
    EXPECT_EQ(dividend->allocations, (std::vector<CFL2PosInfo>{{alpha1, alpha1, 20 * kPiece},
                                                               {alpha2, alpha2, 10 * kPiece}}));

    // 25 Alpha sold, the oldest lots first: 25 × 15 = 375,00; - 5,00 = 370,00.
    Run("actionSale", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Verkauf"_s);
        SetDate(d, 1, 6, 2020);
        Choose(&d, "name", u"Alpha AG"_s);
        Find<QCheckBox>(&d, "oldestFirst")->setChecked(true);
        Type(&d, "quantity", u"25"_s);
        Type(&d, "price", u"15"_s);
        Type(&d, "commission2", u"5"_s);
        EXPECT_EQ(Column(&d, "lots", 5), (QStringList{u"20"_s, u"5"_s}));
        EXPECT_EQ(Find<QLabel>(&d, "calculation")->text(),
                  u"375,00 Euro - 5,00 Euro = 370,00 Euro"_s);
        ClickOk(&d);
        EXPECT_FALSE(d.isVisible());
    });
    const CFL2Transaktion* sale = Entered(TransactionType::Sell, Day(1, 6, 2020));
    ASSERT_NE(sale, nullptr);
    EXPECT_DOUBLE_EQ(sale->amount, 370.0);
    EXPECT_EQ(sale->quantity, 25 * kPiece);

    // A 2:1 split of Alpha: the 5 pieces left at 12,00 become 10 at 6,00.
    Run("actionSplit", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Aktiensplit"_s);
        SetDate(d, 1, 7, 2020);
        Choose(&d, "name", u"Alpha AG"_s);
        Type(&d, "newPieces", u"2"_s);
        Type(&d, "oldPieces", u"1"_s);
        ClickOk(&d);
        EXPECT_FALSE(d.isVisible());
    });
    using Lots = std::vector<std::pair<Quantity, double>>;
    EXPECT_EQ(LotsOn(Day(1, 7, 2020), "Alpha AG"), (Lots{{10 * kPiece, 6.0}}));

    // Beta exchanged into Gamma, 3 new for 2 old: 10 Beta become 15 Gamma.
    Run("actionExchange", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Umtausch"_s);
        SetDate(d, 3, 8, 2020);
        Choose(&d, "sourceName", u"Beta Inc"_s);
        Type(&d, "oldPieces", u"10"_s);
        Find<QCheckBox>(&d, "oldestFirst")->setChecked(true);
        Choose(&d, "targetName", u"Gamma AG"_s);
        Type(&d, "newPieces", u"15"_s);
        ClickOk(&d);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(LotsOn(Day(3, 8, 2020), "Beta Inc").empty());
    const Lots gamma = LotsOn(Day(3, 8, 2020), "Gamma AG");
    ASSERT_EQ(gamma.size(), 1u);
    EXPECT_EQ(gamma[0].first, 15 * kPiece);

    // A stop price for Alpha's lot.
    Run("actionStopTarget", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Stopp- und Zielkurse"_s);
        auto* lots = Find<QTreeWidget>(&d, "lots");
        for (int i = 0; i < lots->topLevelItemCount(); ++i)
            if (lots->topLevelItem(i)->text(0) == u"Alpha AG"_s)
                lots->setCurrentItem(lots->topLevelItem(i));
        Type(&d, "stop", u"5,50"_s);
        Click(d, "apply");
        Click(d, "close");
    });
    EXPECT_EQ(StopOf(Doc(), alpha2), 5.5);

    // The account was kept in marks until the euro came.
    Run("actionAccountCurrency", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Kontowährung"_s);
        Choose(&d, "initialCurrency", u"Deutsche Mark"_s);
        SetDate(d, 1, 1, 2002);
        Choose(&d, "targetCurrency", u"Euro"_s);
        Click(d, "change");
        ClickOk(&d);
    });
    EXPECT_EQ(Doc().AccountCurrencyAt(Day(31, 12, 2001)), kMark);
    EXPECT_EQ(Doc().AccountCurrencyAt(Day(1, 1, 2002)), 0);

    // The tax categories and the transaction filter open and close again.
    Run("actionTaxCategories", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Steuerpflicht"_s);
        EXPECT_GT(Find<QTreeWidget>(&d, "categories")->topLevelItemCount(), 0);
        Click(d, "close");
    });
    Run("actionTransactionFilter", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Transaktionsfilter"_s);
        ClickOk(&d);
        EXPECT_FALSE(d.isVisible());
    });

    // The editor lists all seven transactions of 2020.
    Run("actionTransactionEditor", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Transaktions-Editor"_s);
        Find<QDateEdit>(&d, "from")->setDate(QDate(2020, 1, 1));
        EXPECT_EQ(Column(&d, "transactions", 1),
                  (QStringList{u"Kauf"_s, u"Kauf"_s, u"Kauf"_s, u"Kontobewegung"_s, u"Verkauf"_s,
                               u"Aktiensplit"_s, u"Umtausch"_s}));
        Click(d, "close");
    });
    // The only box of the walk: the account-currency question, answered Yes.
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Möchten Sie die Kontowährung ab 01.01.2002 auf Euro umstellen?");
}

TEST_F(TransactionWalkthrough, DoubleClickOnAHoldingsRowOpensTheEditorOnItsPurchase) {
    for (const QDate date : {QDate(2020, 2, 3), QDate(2020, 3, 2)}) {
        Run("actionPurchase", [&](QDialog& d) {
            Find<QDateEdit>(&d, "date")->setDate(date);
            Choose(&d, "name", u"Alpha AG"_s);
            Type(&d, "quantity", u"10"_s);
            Type(&d, "price", u"12"_s);
            ClickOk(&d);
        });
    }
    ASSERT_EQ(Doc().transactions.size(), 2u);

    // The holdings view lists a row per lot; the second one belongs to the second purchase.
    ReportView* view = window->ActiveView();
    const auto& table = dynamic_cast<const ReportTable&>(*view->Report());
    const double ppu = view->PixelsPerUnit();
    std::vector<const ReportRow*> lotRows;
    for (const ReportRow& row : table.Rows())
        if (row.user[kUserTransaction] >= 0) lotRows.push_back(&row);
    ASSERT_EQ(lotRows.size(), 2u);
    EXPECT_EQ(lotRows[1]->user[kUserTransaction], Doc().transactions[1].id);

    int32_t selected = -1;
    QDate from;
    QTimer::singleShot(0, [&] {
        auto* editor = qobject_cast<TransactionEditorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        selected = editor->SelectedId();
        from = Find<QDateEdit>(editor, "from")->date();
        editor->reject();
    });
    const QPointF at(30, (-lotRows[1]->screenY + 5) * ppu);
    QMouseEvent click(QEvent::MouseButtonDblClick, at, view->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &click);
    // The editor shows the purchase's month with the purchase chosen.
    EXPECT_EQ(selected, Doc().transactions[1].id);
    EXPECT_EQ(from, QDate(2020, 3, 1));
}

}  // namespace
}  // namespace pf

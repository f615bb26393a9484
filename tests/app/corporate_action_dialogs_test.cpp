#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/dialogs/distribute_dialog.h"
#include "app/dialogs/exchange_dialog.h"
#include "app/dialogs/split_dialog.h"
#include "app/dialogs/stop_target_dialog.h"
#include "app/dialogs/tax_categories_dialog.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/widget_parts.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "engine/split_exchange.h"
#include "engine/split_exchange_form.h"
#include "engine/stop_target.h"
#include "engine/tax_categories.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

constexpr Quantity kPiece = 10'000'000;

// A document in euros: "Alpha AG" (100001) bought 10 at 100 on 3.2.2020 and 10 at 120 on
// 2.3.2020, with quotes of 90 on 31.1.2020 and 110 on 28.2.2020; "Beta AG" (100002) bought
// 15 at 20 on 3.2.2020 and 15 at 24 on 2.3.2020; "Gamma AG" (100003) never bought. New
// transactions are entered on 15.5.2020.
class CorporateActionDialogsTest : public DialogTest {
  protected:
    CorporateActionDialogsTest() {
        alpha = b.Security("Alpha AG", "100001");
        beta = b.Security("Beta AG", "100002");
        gamma = b.Security("Gamma AG", "100003");
        a1 = b.Buy(Day(3, 2, 2020), alpha, 10, 100.0).positionNo;
        a2 = b.Buy(Day(2, 3, 2020), alpha, 10, 120.0).positionNo;
        b1 = b.Buy(Day(3, 2, 2020), beta, 15, 20.0).positionNo;
        b2 = b.Buy(Day(2, 3, 2020), beta, 15, 24.0).positionNo;
        b.Quote(alpha, Day(31, 1, 2020), 90.0);
        b.Quote(alpha, Day(28, 2, 2020), 110.0);
        doc().SetModified(false);
    }
    CFolari2Doc& doc() { return b.doc; }

    // The open lots of `security` on `date` as (pieces, price) in list order.
    std::vector<std::pair<Quantity, double>> LotsOn(CQRNDatum date, int32_t security) {
        std::vector<std::pair<Quantity, double>> lots;
        for (const CFL2DepotPos& lot : SellableLots(doc(), date))
            if (lot.securityId == security) lots.emplace_back(lot.quantity, lot.price);
        return lots;
    }

    DocBuilder b;
    int32_t alpha = -1;
    int32_t beta = -1;
    int32_t gamma = -1;
    int32_t a1 = -1;
    int32_t a2 = -1;
    int32_t b1 = -1;
    int32_t b2 = -1;
    const CQRNDatum today = Day(15, 5, 2020);
};

// --- "Aktiensplit" -----------------------------------------------------------------------

TEST_F(CorporateActionDialogsTest, SplitDialogShowsItsFieldsAndEntersATwoForOneSplit) {
    int32_t id = -1;
    WhenModal<SplitDialog>([&](SplitDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Aktiensplit"_s);
        EXPECT_EQ(LabelOf(&d, "date"), u"Split&datum"_s);
        EXPECT_EQ(LabelOf(&d, "name"), u"&Bezeichnung"_s);
        EXPECT_EQ(LabelOf(&d, "code"), u"&WKN"_s);
        EXPECT_EQ(LabelOf(&d, "text"), u"&Text"_s);
        EXPECT_EQ(LabelOf(&d, "newPieces"), u"&neue Aktien für"_s);
        EXPECT_EQ(LabelOf(&d, "oldPieces"), u"&alte Aktie(n)"_s);
        EXPECT_EQ(LabelOf(&d, "roundDecimals"), u"Kurse &runden auf"_s);
        EXPECT_EQ(Find<QCheckBox>(&d, "permanent")->text(),
                  u"all&e Wertpapierkurse vor dem Splitdatum dauerhaft anpassen:"_s);
        EXPECT_EQ(Find<QDateEdit>(&d, "date")->date(), ToQDate(today));
        EXPECT_EQ(Items(Find<QComboBox>(&d, "name")),
                  (QStringList{u"Alpha AG"_s, u"Beta AG"_s, u"Gamma AG"_s}));
        EXPECT_EQ(Find<QComboBox>(&d, "name")->currentIndex(), -1);
        EXPECT_FALSE(Find<QCheckBox>(&d, "permanent")->isChecked());
        EXPECT_EQ(Find<QSpinBox>(&d, "roundDecimals")->value(), 2);
        // The decimals count only for a permanent adjustment.
        EXPECT_FALSE(Find<QSpinBox>(&d, "roundDecimals")->isEnabled());
        Find<QCheckBox>(&d, "permanent")->setChecked(true);
        EXPECT_TRUE(Find<QSpinBox>(&d, "roundDecimals")->isEnabled());
        Find<QCheckBox>(&d, "permanent")->setChecked(false);

        // The name picks the code and the code the name.
        Choose(&d, "code", u"100002"_s);
        EXPECT_EQ(Find<QComboBox>(&d, "name")->currentText(), u"Beta AG"_s);
        Choose(&d, "name", u"Alpha AG"_s);
        EXPECT_EQ(Find<QComboBox>(&d, "code")->currentText(), u"100001"_s);
        Type(&d, "newPieces", u"2"_s);
        Type(&d, "oldPieces", u"1"_s);
        Type(&d, "text", u"Aktiensplit 2:1"_s);
        ClickOk(&d);
        EXPECT_TRUE(shown().empty());
        EXPECT_FALSE(d.isVisible());
    });
    id = RunSplitDialog(nullptr, doc(), -1, today);

    ASSERT_GE(id, 0);
    const CFL2Transaktion* t = doc().FindTransaction(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->type, TransactionType::Split);
    EXPECT_EQ(t->date, today);
    EXPECT_EQ(t->securityId, alpha);
    EXPECT_EQ(t->newPieces, 2 * kPiece);
    EXPECT_EQ(t->oldPieces, 1 * kPiece);
    EXPECT_DOUBLE_EQ(t->splitRatio, 2.0);
    EXPECT_EQ(t->text, "Aktiensplit 2:1");
    EXPECT_EQ(t->linkFlag, 0);
    EXPECT_TRUE(doc().IsModified());
    // Every lot of Alpha holds twice the pieces at half the price from the split on; Beta
    // is untouched, and so are the stored quotes.
    using Lots = std::vector<std::pair<Quantity, double>>;
    EXPECT_EQ(LotsOn(Day(14, 5, 2020), alpha), (Lots{{10 * kPiece, 100.0}, {10 * kPiece, 120.0}}));
    EXPECT_EQ(LotsOn(Day(15, 5, 2020), alpha), (Lots{{20 * kPiece, 50.0}, {20 * kPiece, 60.0}}));
    EXPECT_EQ(LotsOn(Day(15, 5, 2020), beta), (Lots{{15 * kPiece, 20.0}, {15 * kPiece, 24.0}}));
    EXPECT_EQ(doc().FindSecurity(alpha)->quotes[0].value, 90.0);
}

TEST_F(CorporateActionDialogsTest, PermanentSplitAsksFirstAndNoKeepsTheDialogOpen) {
    SplitDialog dialog(doc(), SplitForm::New(doc(), today));
    dialog.show();
    Choose(&dialog, "name", u"Alpha AG"_s);
    Type(&dialog, "newPieces", u"2"_s);
    Type(&dialog, "oldPieces", u"1"_s);
    Find<QCheckBox>(&dialog, "permanent")->setChecked(true);
    Find<QSpinBox>(&dialog, "roundDecimals")->setValue(1);

    answer() = QMessageBox::No;
    ClickOk(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_TRUE(shown()[0].IsQuestion());
    EXPECT_EQ(shown()[0].title, "Aktiensplit");
    EXPECT_EQ(shown()[0].text.rfind("Wenn Sie die Option 'alle Wertpapierkurse vor dem "
                                    "Splitdatum dauerhaft anpassen' aktivieren, werden alle "
                                    "Kurse für dieses Wertpapier vor dem Splitdatum durch 2 "
                                    "geteilt.\nDer Aktiensplit kann dann nicht mehr rückgängig "
                                    "gemacht werden!",
                                    0),
              0u)
        << shown()[0].text;
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(doc().transactions.size(), 4u);
    EXPECT_FALSE(doc().IsModified());

    answer() = QMessageBox::Yes;
    ClickOk(&dialog);
    EXPECT_EQ(shown().size(), 2u);
    EXPECT_FALSE(dialog.isVisible());
    const CFL2Transaktion* t = doc().FindTransaction(dialog.TransactionId());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->linkFlag, 1);
    // The stored quotes before the split are halved, to one decimal as chosen.
    const QuoteHistory& quotes = doc().FindSecurity(alpha)->quotes;
    ASSERT_EQ(quotes.size(), 2u);
    EXPECT_EQ(quotes[0].value, 45.0);
    EXPECT_EQ(quotes[1].value, 55.0);
}

TEST_F(CorporateActionDialogsTest, EditedSplitLocksWhatLaterTransactionsDependOn) {
    const int32_t later = b.Split(Day(1, 4, 2020), alpha, 2, 1).id;
    b.Buy(Day(2, 4, 2020), alpha, 5, 70.0);
    const int32_t free = b.Split(Day(1, 4, 2020), beta, 3, 1).id;
    const int32_t permanent = b.Split(Day(1, 5, 2020), gamma, 5, 1, true).id;
    doc().SetModified(false);
    const char* locked[] = {"date", "name", "code", "newPieces", "oldPieces"};

    struct Case {
        const char* what;
        int32_t id;
        bool fieldsLocked;
        bool permanentBoxEnabled;
    };
    const Case cases[] = {
        {"a purchase after the split", later, true, true},
        {"nothing after the split", free, false, true},
        {"permanent", permanent, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SplitDialog dialog(doc(), SplitForm::ForEdit(doc(), c.id, today));
        dialog.show();
        for (const char* field : locked) {
            SCOPED_TRACE(field);
            EXPECT_EQ(Find<QWidget>(&dialog, field)->isEnabled(), !c.fieldsLocked);
        }
        EXPECT_TRUE(Find<QWidget>(&dialog, "text")->isEnabled());
        EXPECT_EQ(Find<QCheckBox>(&dialog, "permanent")->isEnabled(), c.permanentBoxEnabled);
    }

    // The split with a later purchase shows its values; only its text changes.
    SplitDialog dialog(doc(), SplitForm::ForEdit(doc(), later, today));
    dialog.show();
    EXPECT_EQ(Find<QDateEdit>(&dialog, "date")->date(), QDate(2020, 4, 1));
    EXPECT_EQ(Find<QComboBox>(&dialog, "name")->currentText(), u"Alpha AG"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "code")->currentText(), u"100001"_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "newPieces")->text(), u"2"_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "oldPieces")->text(), u"1"_s);
    Type(&dialog, "text", u"geändert"_s);
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(dialog.TransactionId(), later);
    const CFL2Transaktion* t = doc().FindTransaction(later);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, "geändert");
    EXPECT_EQ(t->date, Day(1, 4, 2020));
    EXPECT_EQ(t->newPieces, 2 * kPiece);
}

TEST_F(CorporateActionDialogsTest, SplitRefusalsPutTheFocusOnTheirField) {
    struct Case {
        const char* what;
        std::function<void(QWidget*)> change;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"no security", [](QWidget* d) { Find<QComboBox>(d, "name")->setCurrentIndex(-1); },
         "Bitte wählen Sie eine Wertpapierbezeichnung aus!", "name"},
        {"new pieces not a number", [](QWidget* d) { Type(d, "newPieces", u"zwei"_s); },
         "Bitte geben Sie eine korrekte Stückzahl an!", "newPieces"},
        {"new pieces empty", [](QWidget* d) { Type(d, "newPieces", u""_s); },
         "Bitte geben Sie eine korrekte Stückzahl an!", "newPieces"},
        {"old pieces zero", [](QWidget* d) { Type(d, "oldPieces", u"0"_s); },
         "Bitte geben Sie eine Stückzahl größer Null an!", "oldPieces"},
        {"on the day of the last purchase",
         [](QWidget* d) { Find<QDateEdit>(d, "date")->setDate(QDate(2020, 3, 2)); },
         "Ein Aktiensplit ist für dieses Wertpapier frühestens am 03.03.2020 möglich, da "
         "vorher bereits Transaktionen mit diesem Wertpapier vorhanden sind!",
         "date"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown().clear();
        SplitDialog dialog(doc(), SplitForm::New(doc(), today));
        dialog.show();
        Choose(&dialog, "name", u"Alpha AG"_s);
        Type(&dialog, "newPieces", u"2"_s);
        Type(&dialog, "oldPieces", u"1"_s);
        c.change(&dialog);
        Find<QLineEdit>(&dialog, "text")->setFocus();
        ClickOk(&dialog);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "Aktiensplit");
        EXPECT_EQ(shown()[0].text, c.text);
        EXPECT_TRUE(HasFocus(&dialog, c.focus));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(doc().transactions.size(), 4u);
        EXPECT_FALSE(doc().IsModified());
    }
}

// --- "Umtausch" --------------------------------------------------------------------------

TEST_F(CorporateActionDialogsTest, ExchangeDialogListsTheLotsAndExchangesThreeForTwo) {
    ExchangeDialog dialog(doc(), ExchangeForm::New(doc(), today));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Umtausch"_s);
    EXPECT_EQ(LabelOf(&dialog, "date"), u"Umtausch&datum"_s);
    EXPECT_EQ(LabelOf(&dialog, "sourceName"), u"von &Bezeichnung"_s);
    EXPECT_EQ(LabelOf(&dialog, "sourceCode"), u"von &WKN"_s);
    EXPECT_EQ(LabelOf(&dialog, "oldPieces"), u"&Stück alt"_s);
    EXPECT_EQ(LabelOf(&dialog, "targetName"), u"i&n Bezeichnung"_s);
    EXPECT_EQ(LabelOf(&dialog, "targetCode"), u"in W&KN"_s);
    EXPECT_EQ(LabelOf(&dialog, "newPieces"), u"Stü&ck neu"_s);
    EXPECT_EQ(LabelOf(&dialog, "text"), u"&Text"_s);
    EXPECT_EQ(Find<QRadioButton>(&dialog, "newPurchaseDate")->text(),
              u"U&mtauschdatum als neues Kaufdatum"_s);
    EXPECT_EQ(Find<QRadioButton>(&dialog, "keepPurchaseDate")->text(),
              u"u&rsprüngliches Kaufdatum beibehalten"_s);
    EXPECT_TRUE(Find<QRadioButton>(&dialog, "newPurchaseDate")->isChecked());
    EXPECT_EQ(Find<QCheckBox>(&dialog, "oldestFirst")->text(), u"ält&este Positionen umtauschen"_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "distribute")->text(), u"a&ufteilen..."_s);
    EXPECT_EQ(Headers(&dialog, "lots"), (QStringList{u"Pos."_s, u"Kaufdatum"_s, u"Kaufkurs"_s,
                                                     u""_s, u"Stück"_s, u"Umtausch"_s, u"Text"_s}));
    // The source lists hold the securities with lots on the date; the target lists all.
    EXPECT_EQ(Items(Find<QComboBox>(&dialog, "sourceName")),
              (QStringList{u"Alpha AG"_s, u"Beta AG"_s}));
    EXPECT_EQ(Items(Find<QComboBox>(&dialog, "targetCode")),
              (QStringList{u"100001"_s, u"100002"_s, u"100003"_s}));
    EXPECT_EQ(Find<QTreeWidget>(&dialog, "lots")->topLevelItemCount(), 0);
    EXPECT_FALSE(Find<QTreeWidget>(&dialog, "lots")->isEnabled());

    Choose(&dialog, "sourceCode", u"100002"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "sourceName")->currentText(), u"Beta AG"_s);
    EXPECT_EQ(Column(&dialog, "lots", 0), (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 1), (QStringList{u"03.02.2020"_s, u"02.03.2020"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 2), (QStringList{u"20,00"_s, u"24,00"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 3), (QStringList{u"Euro"_s, u"Euro"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 4), (QStringList{u"15"_s, u"15"_s}));
    EXPECT_TRUE(Find<QCheckBox>(&dialog, "oldestFirst")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(&dialog, "distribute")->isEnabled());

    Type(&dialog, "oldPieces", u"30"_s);
    Find<QCheckBox>(&dialog, "oldestFirst")->setChecked(true);
    EXPECT_FALSE(Find<QPushButton>(&dialog, "distribute")->isEnabled());
    EXPECT_EQ(Column(&dialog, "lots", 5), (QStringList{u"15"_s, u"15"_s}));

    // Picking the target's name from the list shows its code.
    auto* targetName = Find<QComboBox>(&dialog, "targetName");
    targetName->setCurrentIndex(targetName->findText(u"Gamma AG"_s));
    emit targetName->activated(targetName->currentIndex());
    EXPECT_EQ(Find<QComboBox>(&dialog, "targetCode")->currentText(), u"100003"_s);
    Type(&dialog, "newPieces", u"20"_s);
    Find<QRadioButton>(&dialog, "keepPurchaseDate")->setChecked(true);
    Type(&dialog, "text", u"Fusion"_s);
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(dialog.isVisible());

    const CFL2Transaktion* t = doc().FindTransaction(dialog.TransactionId());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->type, TransactionType::Exchange);
    EXPECT_EQ(t->securityId, beta);
    EXPECT_EQ(t->otherId, gamma);
    EXPECT_EQ(t->oldPieces, 30 * kPiece);
    EXPECT_EQ(t->newPieces, 20 * kPiece);
    EXPECT_EQ(t->allocKind, 1);
    EXPECT_EQ(t->text, "Fusion");
    ASSERT_EQ(t->allocations.size(), 2u);
    // Both Beta lots are gone; each becomes 10 Gamma at the lot's cost per new piece, with
    // its purchase date kept.
    using Lots = std::vector<std::pair<Quantity, double>>;
    EXPECT_EQ(LotsOn(Day(16, 5, 2020), beta), Lots{});
    EXPECT_EQ(LotsOn(Day(16, 5, 2020), gamma), (Lots{{10 * kPiece, 30.0}, {10 * kPiece, 36.0}}));
    std::vector<CQRNDatum> dates;
    for (const CFL2DepotPos& lot : SellableLots(doc(), Day(16, 5, 2020)))
        if (lot.securityId == gamma) dates.push_back(lot.purchaseDate);
    EXPECT_EQ(dates, (std::vector<CQRNDatum>{Day(3, 2, 2020), Day(2, 3, 2020)}));
}

TEST_F(CorporateActionDialogsTest, ExchangeRefusalsPutTheFocusOnTheirField) {
    struct Case {
        const char* what;
        std::function<void(QWidget*)> change;
        const char* text;
        const char* focus;
    };
    const auto target = [](QWidget* d, const QString& name, const QString& code) {
        Find<QComboBox>(d, "targetName")->setEditText(name);
        Find<QComboBox>(d, "targetCode")->setEditText(code);
    };
    const Case cases[] = {
        {"no source", [](QWidget* d) { Find<QComboBox>(d, "sourceName")->setCurrentIndex(-1); },
         "Bitte wählen Sie eine Wertpapierbezeichnung aus!", "sourceName"},
        {"no target name", [&](QWidget* d) { target(d, u""_s, u"100003"_s); },
         "Bitte geben Sie eine Wertpapierbezeichnung ein!", "targetName"},
        {"no target code", [&](QWidget* d) { target(d, u"Gamma AG"_s, u""_s); },
         "Bitte geben Sie die Wertpapier-Kennnummer ein!", "targetCode"},
        {"name and code of two securities",
         [&](QWidget* d) { target(d, u"Gamma AG"_s, u"100001"_s); },
         "Ein Wertpapier mit dieser Bezeichnung und Wertpapier-Kennnummer befindet sich nicht "
         "in der Datenbank!",
         "targetName"},
        {"into itself", [&](QWidget* d) { target(d, u"Beta AG"_s, u"100002"_s); },
         "Bitte wählen Sie unterschiedliche Wertpapiere aus!", "targetName"},
        {"old pieces not a number", [](QWidget* d) { Type(d, "oldPieces", u"x"_s); },
         "Bitte geben Sie eine korrekte Stückzahl an!", "oldPieces"},
        {"new pieces zero", [](QWidget* d) { Type(d, "newPieces", u"0"_s); },
         "Bitte geben Sie eine Stückzahl größer Null an!", "newPieces"},
        {"more than the depot holds", [](QWidget* d) { Type(d, "oldPieces", u"31"_s); },
         "So viele Wertpapiere befinden sich nicht im Depot!", "oldPieces"},
        {"two lots, nothing distributed",
         [](QWidget* d) { Find<QCheckBox>(d, "oldestFirst")->setChecked(false); },
         "Bitte teilen Sie die umgetauschten Stücke auf die verschiedenen Positionen auf!",
         "distribute"},
        {"no lot on the date",
         [](QWidget* d) { Find<QDateEdit>(d, "date")->setDate(QDate(2020, 1, 15)); },
         "An diesem Tag befinden sich keine Wertpapiere im Depot, die umgetauscht werden "
         "können!",
         "date"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown().clear();
        ExchangeDialog dialog(doc(), ExchangeForm::New(doc(), today));
        dialog.show();
        Choose(&dialog, "sourceName", u"Beta AG"_s);
        Type(&dialog, "oldPieces", u"30"_s);
        Find<QCheckBox>(&dialog, "oldestFirst")->setChecked(true);
        target(&dialog, u"Gamma AG"_s, u"100003"_s);
        Type(&dialog, "newPieces", u"20"_s);
        c.change(&dialog);
        Find<QLineEdit>(&dialog, "text")->setFocus();
        ClickOk(&dialog);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "Umtausch");
        EXPECT_EQ(shown()[0].text, c.text);
        EXPECT_TRUE(HasFocus(&dialog, c.focus));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(doc().transactions.size(), 4u);
        EXPECT_FALSE(doc().IsModified());
    }
}

// "a&ufteilen..." walks the lots with the bounds of each step; an entry beyond a bound is
// set to it, and the list shows what the walk chose.
TEST_F(CorporateActionDialogsTest, ExchangeDistributesThePiecesLotByLot) {
    ExchangeDialog dialog(doc(), ExchangeForm::New(doc(), today));
    dialog.show();
    Choose(&dialog, "sourceName", u"Beta AG"_s);
    Type(&dialog, "oldPieces", u"20"_s);
    Find<QComboBox>(&dialog, "targetName")->setEditText(u"Gamma AG"_s);
    Find<QComboBox>(&dialog, "targetCode")->setEditText(u"100003"_s);
    Type(&dialog, "newPieces", u"4"_s);

    std::vector<QString> bounds;
    std::vector<QString> positions;
    std::function<void()> step = [&] {
        auto* d = qobject_cast<DistributeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), u"Aufteilen"_s);
        EXPECT_EQ(LabelOf(d, "pieces"), u"Stück &umtauschen"_s);
        bounds.push_back(Find<QLabel>(d, "bounds")->text());
        positions.push_back(Find<QLabel>(d, "position")->text());
        if (bounds.size() == 1) {
            // Not a number: refused, the step stays open.
            Find<QLineEdit>(d, "pieces")->setText(u"viele"_s);
            ClickOk(d);
            EXPECT_TRUE(d->isVisible());
            ASSERT_EQ(shown().size(), 1u);
            EXPECT_EQ(shown()[0].title, "Aufteilen");
            EXPECT_EQ(shown()[0].text, "Bitte geben Sie eine korrekte Stückzahl ein!");
            // Below the minimum of 5: set to 5.
            Find<QLineEdit>(d, "pieces")->setText(u"2"_s);
            QTimer::singleShot(0, step);
        } else {
            Find<QLineEdit>(d, "pieces")->setText(u"15"_s);
        }
        ClickOk(d);
        EXPECT_FALSE(d->isVisible());
    };
    QTimer::singleShot(0, step);
    Find<QPushButton>(&dialog, "distribute")->click();

    EXPECT_EQ(positions, (std::vector<QString>{u"1"_s, u"2"_s}));
    // 20 to take from 15 + 15: the first lot gives 5 to 15, the rest comes from the second.
    EXPECT_EQ(bounds, (std::vector<QString>{u"mindestens 5 Stück\nhöchstens 15 Stück"_s,
                                            u"mindestens 15 Stück\nhöchstens 15 Stück"_s}));
    EXPECT_EQ(Column(&dialog, "lots", 5), (QStringList{u"5"_s, u"15"_s}));
    ClickOk(&dialog);
    EXPECT_EQ(shown().size(), 1u);
    const CFL2Transaktion* t = doc().FindTransaction(dialog.TransactionId());
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->allocations.size(), 2u);
    EXPECT_EQ(t->allocations[0].quantity, 5 * kPiece);
    EXPECT_EQ(t->allocations[1].quantity, 15 * kPiece);
}

// Old pieces above what the source's lots hold are lowered to that total when the field is
// left; a text that is no quantity stays for OK to refuse.
TEST_F(CorporateActionDialogsTest, ExchangeLowersTheOldPiecesToTheLotsTotal) {
    ExchangeDialog dialog(doc(), ExchangeForm::New(doc(), today));
    dialog.show();
    Choose(&dialog, "sourceName", u"Beta AG"_s);
    auto* oldPieces = Find<QLineEdit>(&dialog, "oldPieces");
    oldPieces->setText(u"40"_s);
    emit oldPieces->editingFinished();
    EXPECT_EQ(oldPieces->text(), u"30"_s);
    oldPieces->setText(u"1.0,5"_s);
    emit oldPieces->editingFinished();
    EXPECT_EQ(oldPieces->text(), u"10,5"_s);
    oldPieces->setText(u"viele"_s);
    emit oldPieces->editingFinished();
    EXPECT_EQ(oldPieces->text(), u"viele"_s);
}

// An edited exchange shows its values, offers its own lots again with the earlier pieces
// per lot, and OK changes it in place.
TEST_F(CorporateActionDialogsTest, EditedExchangeOffersItsLotsWithTheEarlierSelection) {
    const int32_t id =
        b.Exchange(Day(1, 4, 2020), beta, gamma, 20, 10, {{b1, 5}, {b2, 15}}, false).id;
    doc().SetModified(false);
    int32_t returned = -1;
    WhenModal<ExchangeDialog>([&](ExchangeDialog& d) {
        EXPECT_EQ(Find<QDateEdit>(&d, "date")->date(), QDate(2020, 4, 1));
        EXPECT_TRUE(Find<QRadioButton>(&d, "newPurchaseDate")->isChecked());
        EXPECT_EQ(Find<QComboBox>(&d, "sourceName")->currentText(), u"Beta AG"_s);
        EXPECT_EQ(Find<QComboBox>(&d, "targetName")->currentText(), u"Gamma AG"_s);
        EXPECT_EQ(Find<QComboBox>(&d, "targetCode")->currentText(), u"100003"_s);
        EXPECT_EQ(Find<QLineEdit>(&d, "oldPieces")->text(), u"20"_s);
        EXPECT_EQ(Find<QLineEdit>(&d, "newPieces")->text(), u"10"_s);
        // Both Beta lots are whole again, with the pieces the exchange took from each.
        EXPECT_EQ(Column(&d, "lots", 4), (QStringList{u"15"_s, u"15"_s}));
        EXPECT_EQ(Column(&d, "lots", 5), (QStringList{u"5"_s, u"15"_s}));
        Type(&d, "newPieces", u"12"_s);
        ClickOk(&d);
        EXPECT_TRUE(shown().empty());
    });
    returned = RunExchangeDialog(nullptr, doc(), id, today);
    EXPECT_EQ(returned, id);
    const CFL2Transaktion* t = doc().FindTransaction(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->newPieces, 12 * kPiece);
    ASSERT_EQ(t->allocations.size(), 2u);
    EXPECT_EQ(t->allocations[0].quantity, 5 * kPiece);
    EXPECT_EQ(t->allocations[1].quantity, 15 * kPiece);
    EXPECT_TRUE(doc().IsModified());

    // Abbrechen returns -1 and changes nothing.
    doc().SetModified(false);
    WhenModal<ExchangeDialog>([](ExchangeDialog& d) { d.reject(); });
    EXPECT_EQ(RunExchangeDialog(nullptr, doc(), id, today), -1);
    EXPECT_FALSE(doc().IsModified());
}

// --- "Stopp- und Zielkurse" ---------------------------------------------------------------

// Alpha gets a third lot of 5 at 130 on 1.4.2020, and its first lot is sold on 2.4.2020:
// the open lots are Alpha's second and third and both of Beta's.
class StopTargetDialogTest : public CorporateActionDialogsTest {
  protected:
    StopTargetDialogTest() {
        a3 = b.Buy(Day(1, 4, 2020), alpha, 5, 130.0).positionNo;
        b.Sell(Day(2, 4, 2020), alpha, {{a1, 10}}, 140.0);
        doc().SetModified(false);
    }
    static QTreeWidgetItem* RowOf(QWidget* dialog, int32_t positionNo) {
        auto* list = Find<QTreeWidget>(dialog, "lots");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->data(0, Qt::UserRole).toInt() == positionNo)
                return list->topLevelItem(i);
        ADD_FAILURE() << "no row for " << positionNo;
        return nullptr;
    }
    static void Select(QWidget* dialog, int32_t positionNo) {
        if (QTreeWidgetItem* item = RowOf(dialog, positionNo))
            Find<QTreeWidget>(dialog, "lots")->setCurrentItem(item);
    }

    int32_t a3 = -1;
};

TEST_F(StopTargetDialogTest, ListsTheOpenLotsAndStoresThePricesOfOneLot) {
    StopTargetDialog dialog(doc(), today);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Stopp- und Zielkurse"_s);
    EXPECT_EQ(LabelOf(&dialog, "order"), u"&Sortierung:"_s);
    EXPECT_EQ(LabelOf(&dialog, "quoteDate"), u"&Kursdatum:"_s);
    EXPECT_EQ(LabelOf(&dialog, "stop"), u"St&oppkurs"_s);
    EXPECT_EQ(LabelOf(&dialog, "target"), u"&Zielkurs"_s);
    EXPECT_EQ(Find<QCheckBox>(&dialog, "allLots")->text(),
              u"für alle Positionen dieses Wertpapiers"_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "apply")->text(), u"Ü&bernehmen"_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "close")->text(), u"Schließen"_s);
    EXPECT_EQ(Items(Find<QComboBox>(&dialog, "order")),
              (QStringList{u"Bezeichnung"_s, u"WKN"_s, u"Kaufdatum"_s}));
    EXPECT_EQ(Headers(&dialog, "lots"),
              (QStringList{u"Bezeichnung"_s, u"WKN"_s, u"Kauf"_s, u"Stück"_s, u"Kaufkurs"_s,
                           u"Kurs"_s, u"Stoppkurs"_s, u"Zielkurs"_s}));
    EXPECT_EQ(Find<QDateEdit>(&dialog, "quoteDate")->date(), ToQDate(today));

    // The sold lot is not listed.
    EXPECT_EQ(Column(&dialog, "lots", 0),
              (QStringList{u"Alpha AG"_s, u"Alpha AG"_s, u"Beta AG"_s, u"Beta AG"_s}));
    Choose(&dialog, "order", u"Kaufdatum"_s);
    EXPECT_EQ(Column(&dialog, "lots", 2),
              (QStringList{u"03.02.2020"_s, u"02.03.2020"_s, u"02.03.2020"_s, u"01.04.2020"_s}));
    QTreeWidgetItem* second = RowOf(&dialog, a2);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text(3), u"10"_s);
    EXPECT_EQ(second->text(4), u"120,00"_s);
    EXPECT_EQ(second->text(5), u"110,00"_s);        // the quote of 28.2.2020
    EXPECT_EQ(RowOf(&dialog, b1)->text(5), u""_s);  // Beta has no quote
    Find<QDateEdit>(&dialog, "quoteDate")->setDate(QDate(2020, 2, 15));
    EXPECT_EQ(RowOf(&dialog, a2)->text(5), u"90,00"_s);

    // Nothing selected: nothing to enter.
    for (const char* field : {"stop", "target", "allLots", "apply"}) {
        SCOPED_TRACE(field);
        EXPECT_FALSE(Find<QWidget>(&dialog, field)->isEnabled());
    }
    Select(&dialog, a2);
    for (const char* field : {"stop", "target", "allLots", "apply"}) {
        SCOPED_TRACE(field);
        EXPECT_TRUE(Find<QWidget>(&dialog, field)->isEnabled());
    }
    EXPECT_EQ(Find<QLineEdit>(&dialog, "stop")->text(), u""_s);
    Type(&dialog, "stop", u"95"_s);
    Type(&dialog, "target", u"150,5"_s);
    Find<QPushButton>(&dialog, "apply")->click();
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(StopOf(doc(), a2), 95.0);
    EXPECT_EQ(TargetOf(doc(), a2), 150.5);
    EXPECT_EQ(StopOf(doc(), a3), 0.0);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_TRUE(dialog.Changed());
    EXPECT_EQ(RowOf(&dialog, a2)->text(6), u"95,00"_s);
    EXPECT_EQ(RowOf(&dialog, a2)->text(7), u"150,50"_s);
    EXPECT_EQ(RowOf(&dialog, a3)->text(6), u""_s);

    // "0" means no stop: the field empties when left, and 0 is stored.
    Type(&dialog, "stop", u"0"_s);
    Leave(&dialog, "stop");
    EXPECT_EQ(Find<QLineEdit>(&dialog, "stop")->text(), u""_s);
    Find<QPushButton>(&dialog, "apply")->click();
    EXPECT_EQ(StopOf(doc(), a2), 0.0);
    EXPECT_EQ(TargetOf(doc(), a2), 150.5);
    EXPECT_EQ(RowOf(&dialog, a2)->text(6), u""_s);
}

// Another order or quote date rebuilds the list; the selected lot stays selected and what
// was typed into its fields stays.
TEST_F(StopTargetDialogTest, KeepsTheSelectionAndTheTypedPricesWhenTheListIsRebuilt) {
    StopTargetDialog dialog(doc(), today);
    dialog.show();
    Select(&dialog, a3);
    Type(&dialog, "stop", u"77"_s);
    Choose(&dialog, "order", u"WKN"_s);
    Find<QDateEdit>(&dialog, "quoteDate")->setDate(QDate(2020, 2, 15));
    auto* current = Find<QTreeWidget>(&dialog, "lots")->currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->data(0, Qt::UserRole).toInt(), a3);
    EXPECT_TRUE(current->isSelected());
    EXPECT_EQ(Find<QLineEdit>(&dialog, "stop")->text(), u"77"_s);
    Find<QPushButton>(&dialog, "apply")->click();
    EXPECT_EQ(StopOf(doc(), a3), 77.0);
}

TEST_F(StopTargetDialogTest, SetsEveryOpenLotOfTheSecurityAndLeavesTheSoldOneAlone) {
    bool changed = false;
    WhenModal<StopTargetDialog>([&](StopTargetDialog& d) {
        // Opened for the third lot: its row is selected and its fields ready.
        auto* selected = Find<QTreeWidget>(&d, "lots")->currentItem();
        ASSERT_NE(selected, nullptr);
        EXPECT_EQ(selected->data(0, Qt::UserRole).toInt(), a3);
        EXPECT_TRUE(Find<QLineEdit>(&d, "stop")->isEnabled());
        Type(&d, "stop", u"100"_s);
        Type(&d, "target", u"200"_s);
        Find<QCheckBox>(&d, "allLots")->setChecked(true);
        Find<QPushButton>(&d, "apply")->click();
        EXPECT_EQ(RowOf(&d, a2)->text(6), u"100,00"_s);
        EXPECT_EQ(RowOf(&d, a3)->text(7), u"200,00"_s);
        EXPECT_EQ(RowOf(&d, b1)->text(6), u""_s);
        // Another row clears the box.
        Select(&d, b1);
        EXPECT_FALSE(Find<QCheckBox>(&d, "allLots")->isChecked());
    });
    changed = RunStopTargetDialog(nullptr, doc(), a3, today);
    EXPECT_TRUE(changed);
    for (const int32_t lot : {a2, a3}) {
        SCOPED_TRACE(lot);
        EXPECT_EQ(StopOf(doc(), lot), 100.0);
        EXPECT_EQ(TargetOf(doc(), lot), 200.0);
    }
    for (const int32_t lot : {a1, b1, b2}) {
        SCOPED_TRACE(lot);
        EXPECT_EQ(StopOf(doc(), lot), 0.0);
        EXPECT_EQ(TargetOf(doc(), lot), 0.0);
    }
}

TEST_F(StopTargetDialogTest, RefusesAPriceThatIsNoNumberAndStoresNothing) {
    struct Case {
        const char* what;
        QString stop, target;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"stop", u"zehn"_s, u"150"_s,
         "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!", "stop"},
        {"target", u"95"_s, u"1,2,3"_s,
         "Bitte geben Sie einen korrekten Zielkurs ein oder lassen Sie das Feld frei!", "target"},
        {"both: the stop first", u"-"_s, u"x"_s,
         "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!", "stop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown().clear();
        StopTargetDialog dialog(doc(), today, a2);
        dialog.show();
        Type(&dialog, "stop", c.stop);
        Type(&dialog, "target", c.target);
        Find<QCheckBox>(&dialog, "allLots")->setFocus();
        Find<QPushButton>(&dialog, "apply")->click();
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "Stopp- und Zielkurse");
        EXPECT_EQ(shown()[0].text, c.text);
        EXPECT_TRUE(HasFocus(&dialog, c.focus));
        EXPECT_FALSE(dialog.Changed());
        EXPECT_TRUE(doc().stopTargets.empty());
        EXPECT_FALSE(doc().IsModified());
    }
}

// --- "Steuerpflicht" ------------------------------------------------------------------------

// The five categories of a new document.
class TaxCategoriesDialogTest : public CorporateActionDialogsTest {
  protected:
    TaxCategoriesDialogTest() {
        doc().taxCategories.clear();
        doc().SeedTaxCategories();
        doc().SetModified(false);
    }
    static void SelectRow(QWidget* dialog, int row) {
        auto* list = Find<QTreeWidget>(dialog, "categories");
        list->setCurrentItem(list->topLevelItem(row));
    }
    static QStringList Row(QWidget* dialog, int row) {
        auto* item = Find<QTreeWidget>(dialog, "categories")->topLevelItem(row);
        QStringList texts;
        for (int i = 0; item != nullptr && i < item->columnCount(); ++i) texts << item->text(i);
        return texts;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const CFL2StPflKateg& c : doc().taxCategories) names.push_back(c.name);
        return names;
    }
    static void Click(QWidget* dialog, const char* button) {
        Find<QPushButton>(dialog, button)->click();
    }
};

TEST_F(TaxCategoriesDialogTest, ListsTheCategoriesWithTheirConditions) {
    TaxCategoriesDialog dialog(doc());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Steuerpflicht"_s);
    EXPECT_EQ(Headers(&dialog, "categories"),
              (QStringList{u"Bezeichnung"_s, u"Abk."_s, u"Verkaufzeitraum"_s, u"Kaufzeitraum"_s,
                           u"Zeit im Depot"_s, u"Halbeinkünftverfahren"_s}));
    EXPECT_EQ(Find<QTreeWidget>(&dialog, "categories")->topLevelItemCount(), 5);
    EXPECT_EQ(Row(&dialog, 0),
              (QStringList{u"Steuerpflichtig (Abgeltungssteuer)"_s, u"Stpfl. (A)"_s,
                           u"ab 01.01.2009"_s, u"ab 01.01.2009"_s, u"beliebig"_s, u"beliebig"_s}));
    EXPECT_EQ(
        Row(&dialog, 1),
        (QStringList{u"Steuerpflichtig (Halbeinkünfteverfahren)"_s, u"Stpfl. (HE)"_s,
                     u"von 01.01.2002 bis 31.12.2008"_s, u"beliebig"_s, u"kleiner als 12 Monate"_s,
                     u"Wertpapier unterliegt dem Halbeinkünfteverfahren"_s}));
    EXPECT_EQ(Row(&dialog, 3),
              (QStringList{u"Steuerfrei"_s, u"Stfr."_s, u"bis 31.12.1998"_s, u"beliebig"_s,
                           u"größer gleich 6 Monate"_s, u"beliebig"_s}));

    struct Case {
        const char* button;
        QString text;
    };
    const Case buttons[] = {
        {"add", u"&Neu"_s},          {"edit", u"&Bearbeiten"_s},     {"remove", u"&Löschen"_s},
        {"moveUp", u"Na&ch oben"_s}, {"moveDown", u"Nach &unten"_s}, {"close", u"Schließen"_s}};
    for (const Case& c : buttons) {
        SCOPED_TRACE(c.button);
        EXPECT_EQ(Find<QPushButton>(&dialog, c.button)->text(), c.text);
    }
    // The ends of the list cannot move past the end.
    struct Enabled {
        int row;
        bool up, down;
    };
    for (const Enabled e :
         {Enabled{0, false, true}, Enabled{2, true, true}, Enabled{4, true, false}}) {
        SCOPED_TRACE(e.row);
        SelectRow(&dialog, e.row);
        EXPECT_TRUE(Find<QPushButton>(&dialog, "edit")->isEnabled());
        EXPECT_TRUE(Find<QPushButton>(&dialog, "remove")->isEnabled());
        EXPECT_EQ(Find<QPushButton>(&dialog, "moveUp")->isEnabled(), e.up);
        EXPECT_EQ(Find<QPushButton>(&dialog, "moveDown")->isEnabled(), e.down);
    }
}

TEST_F(TaxCategoriesDialogTest, AddsEditsMovesAndDeletesACategory) {
    TaxCategoriesDialog dialog(doc());
    dialog.show();

    // "&Neu": every condition off, its controls disabled until its box is ticked.
    WhenModal<TaxCategoryDialog>([](TaxCategoryDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Steuerpflicht"_s);
        EXPECT_EQ(LabelOf(&d, "name"), u"B&ezeichnung"_s);
        EXPECT_EQ(LabelOf(&d, "abbreviation"), u"Abk&ürzung"_s);
        struct Condition {
            const char* box;
            QString text;
            std::vector<const char*> controls;
        };
        const Condition conditions[] = {
            {"useSalePeriod",
             u"&Verkauf im Zeitraum (von/bis):"_s,
             {"salePeriodFrom", "salePeriodTo"}},
            {"usePurchasePeriod",
             u"&Kauf im Zeitraum (von/bis):"_s,
             {"purchasePeriodFrom", "purchasePeriodTo"}},
            {"useHoldingTime",
             u"&Zeit im Depot:"_s,
             {"holdingTimeComparison", "holdingTimeValue", "holdingTimeUnit"}},
            {"useHalfIncome", u"&Halbeinkünfteverfahren:"_s, {"halfIncomeOption"}},
        };
        for (const Condition& c : conditions) {
            SCOPED_TRACE(c.box);
            auto* box = Find<QCheckBox>(&d, c.box);
            EXPECT_EQ(box->text(), c.text);
            EXPECT_FALSE(box->isChecked());
            for (const char* control : c.controls)
                EXPECT_FALSE(Find<QWidget>(&d, control)->isEnabled()) << control;
            box->setChecked(true);
            for (const char* control : c.controls)
                EXPECT_TRUE(Find<QWidget>(&d, control)->isEnabled()) << control;
            box->setChecked(false);
        }
        EXPECT_EQ(Items(Find<QComboBox>(&d, "holdingTimeComparison")),
                  (QStringList{u"kleiner als"_s, u"kleiner gleich"_s, u"größer als"_s,
                               u"größer gleich"_s}));
        EXPECT_EQ(Items(Find<QComboBox>(&d, "holdingTimeUnit")),
                  (QStringList{u"Tage"_s, u"Monate"_s, u"Jahre"_s}));
        EXPECT_EQ(Items(Find<QComboBox>(&d, "halfIncomeOption")),
                  (QStringList{u"Wertpapier unterliegt dem Halbeinkünfteverfahren"_s,
                               u"Wertpapier unterliegt nicht dem Halbeinkünfteverfahren"_s}));
        // The pickers reach from the first to the last day a file can hold.
        auto* from = Find<QDateEdit>(&d, "salePeriodFrom");
        EXPECT_EQ(from->date(), QDate(1970, 1, 2));
        EXPECT_EQ(from->minimumDate(), QDate(1970, 1, 2));
        EXPECT_EQ(Find<QDateEdit>(&d, "salePeriodTo")->date(), QDate(2038, 1, 18));
        EXPECT_EQ(from->maximumDate(), QDate(2038, 1, 18));

        Find<QLineEdit>(&d, "name")->setText(u"Spekulationsfrist"_s);
        Find<QLineEdit>(&d, "abbreviation")->setText(u"Spek."_s);
        Find<QCheckBox>(&d, "useSalePeriod")->setChecked(true);
        from->setDate(QDate(2020, 1, 1));
        Find<QCheckBox>(&d, "useHoldingTime")->setChecked(true);
        Choose(&d, "holdingTimeComparison", u"kleiner gleich"_s);
        Find<QSpinBox>(&d, "holdingTimeValue")->setValue(2);
        Choose(&d, "holdingTimeUnit", u"Jahre"_s);
        ClickOk(&d);
        EXPECT_FALSE(d.isVisible());
    });
    Click(&dialog, "add");
    ASSERT_EQ(doc().taxCategories.size(), 6u);
    const CFL2StPflKateg& added = doc().taxCategories.back();
    EXPECT_EQ(added.name, "Spekulationsfrist");
    EXPECT_EQ(added.abbreviation, "Spek.");
    EXPECT_EQ(added.useSalePeriod, 1);
    EXPECT_EQ(added.salePeriodFrom, Day(1, 1, 2020));
    EXPECT_EQ(added.usePurchasePeriod, 0);
    EXPECT_EQ(added.useHoldingTime, 1);
    EXPECT_EQ(added.holdingTimeComparison, 1);
    EXPECT_EQ(added.holdingTimeValue, 2);
    EXPECT_EQ(added.holdingTimeUnit, 2);
    EXPECT_EQ(added.useHalfIncome, 0);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_TRUE(dialog.Changed());
    // The new row is listed last and selected.
    EXPECT_EQ(Row(&dialog, 5),
              (QStringList{u"Spekulationsfrist"_s, u"Spek."_s, u"ab 01.01.2020"_s, u"beliebig"_s,
                           u"kleiner gleich 2 Jahre"_s, u"beliebig"_s}));
    EXPECT_FALSE(Find<QPushButton>(&dialog, "moveDown")->isEnabled());

    // "&Bearbeiten" shows the category and stores into it.
    WhenModal<TaxCategoryDialog>([](TaxCategoryDialog& d) {
        EXPECT_EQ(Find<QLineEdit>(&d, "name")->text(), u"Spekulationsfrist"_s);
        EXPECT_TRUE(Find<QCheckBox>(&d, "useHoldingTime")->isChecked());
        EXPECT_EQ(Find<QComboBox>(&d, "holdingTimeUnit")->currentText(), u"Jahre"_s);
        Find<QLineEdit>(&d, "abbreviation")->setText(u"Spek. 2"_s);
        Find<QCheckBox>(&d, "useSalePeriod")->setChecked(false);
        ClickOk(&d);
    });
    Click(&dialog, "edit");
    ASSERT_EQ(doc().taxCategories.size(), 6u);
    EXPECT_EQ(doc().taxCategories[5].abbreviation, "Spek. 2");
    EXPECT_EQ(doc().taxCategories[5].useSalePeriod, 0);
    // Switched off, the period keeps its dates.
    EXPECT_EQ(doc().taxCategories[5].salePeriodFrom, Day(1, 1, 2020));
    EXPECT_EQ(Row(&dialog, 5)[2], u"beliebig"_s);

    // Abbrechen changes nothing.
    WhenModal<TaxCategoryDialog>([](TaxCategoryDialog& d) {
        Find<QLineEdit>(&d, "name")->setText(u"verworfen"_s);
        d.reject();
    });
    Click(&dialog, "edit");
    EXPECT_EQ(doc().taxCategories[5].name, "Spekulationsfrist");

    // Up: it is evaluated before the catch-all category and stays selected.
    Click(&dialog, "moveUp");
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"Steuerpflichtig (Abgeltungssteuer)",
                                        "Steuerpflichtig (Halbeinkünfteverfahren)", "Steuerfrei",
                                        "Steuerfrei", "Spekulationsfrist", "Steuerpflichtig"}));
    EXPECT_EQ(Row(&dialog, 4)[0], u"Spekulationsfrist"_s);
    Click(&dialog, "moveDown");
    EXPECT_EQ(Names().back(), "Spekulationsfrist");
    Click(&dialog, "moveUp");

    // "&Löschen" asks first; No keeps it.
    answer() = QMessageBox::No;
    Click(&dialog, "remove");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_TRUE(shown()[0].IsQuestion());
    EXPECT_EQ(shown()[0].title, "Steuerpflicht");
    EXPECT_EQ(shown()[0].text, "Wirklich löschen?");
    EXPECT_EQ(doc().taxCategories.size(), 6u);
    answer() = QMessageBox::Yes;
    Click(&dialog, "remove");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Steuerpflichtig (Abgeltungssteuer)",
                                                 "Steuerpflichtig (Halbeinkünfteverfahren)",
                                                 "Steuerfrei", "Steuerfrei", "Steuerpflichtig"}));
    EXPECT_EQ(Find<QTreeWidget>(&dialog, "categories")->topLevelItemCount(), 5);
}

TEST_F(TaxCategoriesDialogTest, DoubleClickOnARowEditsIt) {
    TaxCategoriesDialog dialog(doc());
    dialog.show();
    WhenModal<TaxCategoryDialog>([](TaxCategoryDialog& d) {
        EXPECT_EQ(Find<QLineEdit>(&d, "name")->text(), u"Steuerfrei"_s);
        EXPECT_EQ(Find<QDateEdit>(&d, "salePeriodTo")->date(), QDate(1998, 12, 31));
        EXPECT_EQ(Find<QComboBox>(&d, "holdingTimeComparison")->currentText(), u"größer gleich"_s);
        EXPECT_EQ(Find<QSpinBox>(&d, "holdingTimeValue")->value(), 6);
        Find<QSpinBox>(&d, "holdingTimeValue")->setValue(7);
        ClickOk(&d);
    });
    SelectRow(&dialog, 3);
    auto* list = Find<QTreeWidget>(&dialog, "categories");
    emit list->itemDoubleClicked(list->topLevelItem(3), 0);
    EXPECT_EQ(doc().taxCategories[3].holdingTimeValue, 7);
    EXPECT_EQ(Row(&dialog, 3)[4], u"größer gleich 7 Monate"_s);
    EXPECT_TRUE(dialog.Changed());
}

TEST_F(TaxCategoriesDialogTest, EditorRefusesTextTheFileCannotHold) {
    struct Case {
        const char* field;
        QString name, abbreviation;
        const char* text;
    };
    const Case cases[] = {
        {"name", u"Ωmega"_s, u"Ω"_s,
         "Das Feld „Bezeichnung“ enthält das Zeichen „Ω“, das in der Datei nicht gespeichert "
         "werden kann. Bitte ändern Sie die Eingabe!"},
        {"abbreviation", u"Omega"_s, u"→"_s,
         "Das Feld „Abkürzung“ enthält das Zeichen „→“, das in der Datei nicht gespeichert "
         "werden kann. Bitte ändern Sie die Eingabe!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        shown().clear();
        TaxCategoryDialog editor(doc(), TaxCategoryForm::ForEdit(doc(), 2));
        editor.show();
        Find<QLineEdit>(&editor, "name")->setText(c.name);
        Find<QLineEdit>(&editor, "abbreviation")->setText(c.abbreviation);
        Find<QCheckBox>(&editor, "useHalfIncome")->setFocus();
        ClickOk(&editor);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "Steuerpflicht");
        EXPECT_EQ(shown()[0].text, c.text);
        EXPECT_TRUE(HasFocus(&editor, c.field));
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(doc().taxCategories[2].name, "Steuerfrei");
        EXPECT_FALSE(doc().IsModified());
    }
}

TEST_F(TaxCategoriesDialogTest, ClosingWithoutAChangeReportsNone) {
    WhenModal<TaxCategoriesDialog>([](TaxCategoriesDialog& d) { d.reject(); });
    EXPECT_FALSE(RunTaxCategoriesDialog(nullptr, doc()));
    EXPECT_FALSE(doc().IsModified());
}

}  // namespace
}  // namespace pf

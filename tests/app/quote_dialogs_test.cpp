// The dialogs "Kurse eingeben", "Devisenkurse eingeben" and "Kurse löschen" end to end under
// the offscreen platform: what they show, that a field acts when it is left (by Tab, by a
// click elsewhere, or implicitly by paging, a new date or closing) and what deletion reports.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/quote_delete_dialog.h"
#include "app/dialogs/quote_entry_dialog.h"
#include "app/dialogs/rate_entry_dialog.h"
#include "app/widget_parts.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "model/document.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

const CQRNDatum kDay = Day(3, 2, 2020);

// Shows the dialog as the active window, so focus changes reach its fields as they do for
// the user.
void Activate(QWidget& dialog) {
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(dialog.isActiveWindow());
}

void Key(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

std::optional<double> QuoteOf(const CFolari2Doc& doc, int32_t security, CQRNDatum date) {
    double value = 0;
    if (doc.FindSecurity(security)->quotes.QuoteOn(date, value) == 0) return std::nullopt;
    return value;
}

std::optional<double> RateOf(const CFolari2Doc& doc, int32_t currency, CQRNDatum date) {
    double value = 0;
    if (doc.FindCurrency(currency)->rates.QuoteOn(date, value) == 0) return std::nullopt;
    return value;
}

QString Text(QWidget* root, const char* name) {
    auto* label = root->findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return label != nullptr ? label->text() : QString();
}

// "S01" .. "S25" in that order, every one with a price of 5.0 on kDay.
class QuoteEntryDialogTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        for (int i = 1; i <= 25; ++i) {
            char name[8];
            std::snprintf(name, sizeof name, "S%02d", i);
            ids.push_back(b.Security(name));
            b.Quote(ids.back(), kDay, 5.0);
        }
        b.doc.SetModified(false);
    }

    QLineEdit* Price(QWidget* dialog, int row) {
        return Find<QLineEdit>(dialog, ("price" + std::to_string(row)).c_str());
    }

    DocBuilder b;
    std::vector<int32_t> ids;
};

TEST_F(QuoteEntryDialogTest, TwentyFiveSecuritiesGiveTwoPagesThatWrapAround) {
    QuoteEntryDialog dialog(b.doc, kDay);
    Activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), u"Kurse eingeben"_s);
    EXPECT_EQ(Text(&dialog, "pageLine"), u"Seite 1 von 2"_s);
    auto* filter = Find<QComboBox>(&dialog, "filter");
    ASSERT_EQ(filter->count(), 3);
    EXPECT_EQ(filter->itemText(0), u"alle Wertpapiere"_s);
    EXPECT_EQ(filter->itemText(1), u"Wertpapiere im Depot"_s);
    EXPECT_EQ(filter->itemText(2), u"ausgewählte Wertpapiere"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "label")->itemText(2), u"ISIN/Kürzel"_s);
    EXPECT_EQ(Find<QDateEdit>(&dialog, "date")->date(), QDate(2020, 2, 3));
    EXPECT_EQ(Text(&dialog, "label0"), u"S01"_s);
    EXPECT_EQ(Price(&dialog, 0)->text(), u"5,00"_s);
    EXPECT_EQ(Text(&dialog, "currency0"), u"EUR"_s);
    EXPECT_EQ(Text(&dialog, "label19"), u"S20"_s);
    auto* next = Find<QPushButton>(&dialog, "next");
    EXPECT_TRUE(next->isDefault()) << "Enter pages on while a further page exists";
    EXPECT_FALSE(next->icon().isNull());
    EXPECT_FALSE(next->toolTip().isEmpty());

    // Previous on the first page wraps to the last: five rows, the rest hidden and disabled.
    Find<QPushButton>(&dialog, "previous")->click();
    EXPECT_EQ(Text(&dialog, "pageLine"), u"Seite 2 von 2"_s);
    EXPECT_EQ(Text(&dialog, "label0"), u"S21"_s);
    EXPECT_EQ(Text(&dialog, "label4"), u"S25"_s);
    for (int row = 0; row < 20; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Price(&dialog, row)->isHidden(), row >= 5);
        EXPECT_EQ(Price(&dialog, row)->isEnabled(), row < 5);
    }
    EXPECT_FALSE(next->isDefault());

    // A price on the second page, left by Tab.
    TypeInto(Price(&dialog, 1), u"12,5"_s);
    Key(Price(&dialog, 1), Qt::Key_Tab);
    EXPECT_EQ(QuoteOf(b.doc, ids[21], kDay), 12.5);
    EXPECT_EQ(Price(&dialog, 1)->text(), u"12,50"_s);
    EXPECT_TRUE(dialog.Changed());
    EXPECT_TRUE(b.doc.IsModified());

    next->click();  // from the last page to the first
    EXPECT_EQ(Text(&dialog, "pageLine"), u"Seite 1 von 2"_s);
    EXPECT_EQ(Text(&dialog, "label0"), u"S01"_s);
    EXPECT_FALSE(Price(&dialog, 19)->isHidden());
    EXPECT_TRUE(shown().empty());
}

TEST_F(QuoteEntryDialogTest, LeavingAFieldDeletesStoresOrFallsBack) {
    struct Case {
        const char* what;
        QString typed;
        std::optional<double> stored;
        QString shown;
        bool changed;
    };
    const Case cases[] = {
        {"empty deletes the quote", u""_s, std::nullopt, u""_s, true},
        {"a price replaces it", u"1.234,5678"_s, 1234.5678, u"1.234,5678"_s, true},
        {"a bad price falls back", u"12,3x"_s, 5.0, u"5,00"_s, false},
        {"eight decimals fall back", u"0,12345678"_s, 5.0, u"5,00"_s, false},
        {"a sign falls back", u"-4"_s, 5.0, u"5,00"_s, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocBuilder copy = b;
        QuoteEntryDialog dialog(copy.doc, kDay);
        Activate(dialog);
        TypeInto(Price(&dialog, 2), c.typed);
        Price(&dialog, 3)->setFocus(Qt::MouseFocusReason);  // a click into the next field
        EXPECT_EQ(QuoteOf(copy.doc, ids[2], kDay), c.stored);
        EXPECT_EQ(Price(&dialog, 2)->text(), c.shown);
        EXPECT_EQ(dialog.Changed(), c.changed);
        EXPECT_EQ(copy.doc.IsModified(), c.changed);
    }
}

TEST_F(QuoteEntryDialogTest, ATypedPriceIsNeverLostWhileTheFieldStillHasTheFocus) {
    struct Case {
        const char* what;
        void (*act)(QWidget* dialog);
    };
    const Case cases[] = {
        {"Enter pages on",
         [](QWidget* d) { Key(d->findChild<QLineEdit*>(u"price0"_s), Qt::Key_Return); }},
        {"next clicked without taking the focus",
         [](QWidget* d) { d->findChild<QPushButton*>(u"next"_s)->click(); }},
        {"previous clicked",
         [](QWidget* d) { d->findChild<QPushButton*>(u"previous"_s)->click(); }},
        {"another date",
         [](QWidget* d) {
             d->findChild<QDateEdit*>(u"date"_s)->setDate({2020, 2, 4});
         }},
        {"another order",
         [](QWidget* d) { d->findChild<QComboBox*>(u"order"_s)->setCurrentIndex(1); }},
        {"Schließen", [](QWidget* d) { d->findChild<QPushButton*>(u"close"_s)->click(); }},
        {"Escape", [](QWidget* d) { Key(d->findChild<QLineEdit*>(u"price0"_s), Qt::Key_Escape); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocBuilder copy = b;
        QuoteEntryDialog dialog(copy.doc, kDay);
        Activate(dialog);
        TypeInto(Price(&dialog, 0), u"7,25"_s);
        c.act(&dialog);
        EXPECT_EQ(QuoteOf(copy.doc, ids[0], kDay), 7.25) << "stored at the date it was typed for";
        EXPECT_TRUE(dialog.Changed());
    }
}

TEST_F(QuoteEntryDialogTest, EnterOnTheFirstPageShowsTheSecondWithTheTypedPriceKept) {
    QuoteEntryDialog dialog(b.doc, kDay);
    Activate(dialog);
    TypeInto(Price(&dialog, 0), u"7,25"_s);
    Key(Price(&dialog, 0), Qt::Key_Return);
    EXPECT_EQ(Text(&dialog, "pageLine"), u"Seite 2 von 2"_s);
    // The field that kept the focus now belongs to S21 and shows its price.
    EXPECT_EQ(Price(&dialog, 0)->text(), u"5,00"_s);
    Key(Price(&dialog, 0), Qt::Key_Tab);
    EXPECT_EQ(QuoteOf(b.doc, ids[20], kDay), 5.0);
    Find<QPushButton>(&dialog, "previous")->click();
    EXPECT_EQ(Price(&dialog, 0)->text(), u"7,25"_s);
    EXPECT_EQ(QuoteOf(b.doc, ids[0], kDay), 7.25);
}

TEST_F(QuoteEntryDialogTest, ANewDateShowsTheQuotesOfThatDay) {
    b.Quote(ids[0], Day(4, 2, 2020), 6.5);
    QuoteEntryDialog dialog(b.doc, kDay);
    Activate(dialog);
    Find<QDateEdit>(&dialog, "date")->setDate({2020, 2, 4});
    EXPECT_EQ(Price(&dialog, 0)->text(), u"6,50"_s);
    EXPECT_EQ(Price(&dialog, 1)->text(), u""_s);
    EXPECT_FALSE(dialog.Changed());
}

TEST_F(QuoteEntryDialogTest, OpenedForASecurityShowsItsPageWithTheFieldFocused) {
    QuoteEntryDialog dialog(b.doc, kDay, ids[22]);
    Activate(dialog);
    EXPECT_EQ(Text(&dialog, "pageLine"), u"Seite 2 von 2"_s);
    EXPECT_EQ(Text(&dialog, "label2"), u"S23"_s);
    EXPECT_EQ(dialog.focusWidget(), Price(&dialog, 2));
    EXPECT_EQ(Price(&dialog, 2)->selectedText(), u"5,00"_s);
}

TEST_F(QuoteEntryDialogTest, LabelAndOrderFollowTheLists) {
    b.doc.FindSecurity(ids[0])->wkn = "ZZZ";  // S01 sorts last by number
    QuoteEntryDialog dialog(b.doc, kDay);
    Activate(dialog);
    Find<QComboBox>(&dialog, "label")->setCurrentIndex(kKeyWkn);
    EXPECT_EQ(Text(&dialog, "label0"), u"ZZZ"_s);
    Find<QComboBox>(&dialog, "order")->setCurrentIndex(kKeyWkn);
    EXPECT_EQ(Text(&dialog, "label0"), u"WS02"_s);
    Find<QPushButton>(&dialog, "next")->click();
    EXPECT_EQ(Text(&dialog, "label4"), u"ZZZ"_s);

    // "ausgewählte Wertpapiere": the document's selection only, on one page.
    b.doc.options.selectedSecurityIds = {ids[4], ids[0]};
    Find<QComboBox>(&dialog, "filter")->setCurrentIndex(kSelectedSecurities);
    EXPECT_EQ(Text(&dialog, "pageLine"), u"Seite 1 von 1"_s);
    EXPECT_EQ(Text(&dialog, "label0"), u"WS05"_s);
    EXPECT_EQ(Text(&dialog, "label1"), u"ZZZ"_s);
    EXPECT_TRUE(Price(&dialog, 2)->isHidden());
}

class RateEntryDialogTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        usd = b.doc.AddCurrency("USD", "US-Dollar", false, 1, 1, 0, kUnitsPerReference).id;
        gbp = b.doc.AddCurrency("GBP", "Pfund", false, 1, 1, 0, kReferencePerUnit).id;
        b.doc.FindCurrency(gbp)->rates.SetQuote(kDay, 0.85);
        b.doc.SetModified(false);
    }

    DocBuilder b;
    int32_t usd = -1;
    int32_t gbp = -1;
};

TEST_F(RateEntryDialogTest, RowsShowBothSidesAndTheQuoteFormatChoosesTheField) {
    RateEntryDialog dialog(b.doc, kDay);
    Activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), u"Devisenkurse eingeben"_s);
    EXPECT_EQ(Text(&dialog, "pageLine"), u"Seite 1 von 1"_s);
    EXPECT_FALSE(Find<QPushButton>(&dialog, "next")->isDefault());
    // By symbol: GBP (the rate on the right), then USD (on the left); EUR and DM are fixed.
    EXPECT_EQ(Text(&dialog, "name0"), u"Pfund"_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "left0")->text(), u"1"_s);
    EXPECT_FALSE(Find<QLineEdit>(&dialog, "left0")->isEnabled());
    EXPECT_EQ(Text(&dialog, "symbol0"), u"GBP  ="_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "right0")->text(), u"0,8500"_s);
    EXPECT_TRUE(Find<QLineEdit>(&dialog, "right0")->isEnabled());
    EXPECT_EQ(Text(&dialog, "reference0"), u"EUR"_s);
    EXPECT_EQ(Text(&dialog, "name1"), u"US-Dollar"_s);
    EXPECT_TRUE(Find<QLineEdit>(&dialog, "left1")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(&dialog, "left1")->text(), u""_s);
    EXPECT_FALSE(Find<QLineEdit>(&dialog, "right1")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(&dialog, "right1")->text(), u"1"_s);
    EXPECT_TRUE(Find<QLineEdit>(&dialog, "left2")->isHidden());

    auto* order = Find<QComboBox>(&dialog, "order");
    EXPECT_EQ(order->itemText(kRatesBySymbol), u"Symbol"_s);
    EXPECT_EQ(order->itemText(kRatesByName), u"Bezeichnung"_s);
    b.doc.FindCurrency(usd)->name = "Dollar";  // by name it now comes first
    order->setCurrentIndex(kRatesByName);
    EXPECT_EQ(Text(&dialog, "name0"), u"Dollar"_s);
    EXPECT_EQ(Text(&dialog, "name1"), u"Pfund"_s);
    EXPECT_TRUE(Find<QLineEdit>(&dialog, "left0")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(&dialog, "left1")->isEnabled());
    order->setCurrentIndex(kRatesBySymbol);
    EXPECT_EQ(Text(&dialog, "name0"), u"Pfund"_s);
}

TEST_F(RateEntryDialogTest, ADollarRateIsStoredAndZeroFallsBack) {
    RateEntryDialog dialog(b.doc, kDay);
    Activate(dialog);
    auto* field = Find<QLineEdit>(&dialog, "left1");
    TypeInto(field, u"1,085"_s);
    Key(field, Qt::Key_Tab);
    EXPECT_EQ(RateOf(b.doc, usd, kDay), 1.085);
    EXPECT_EQ(field->text(), u"1,0850"_s);
    EXPECT_TRUE(dialog.Changed());

    b.doc.SetModified(false);
    TypeInto(field, u"0"_s);
    Key(field, Qt::Key_Tab);
    EXPECT_EQ(RateOf(b.doc, usd, kDay), 1.085) << "a rate of 0 is never stored";
    EXPECT_EQ(field->text(), u"1,0850"_s);
    EXPECT_FALSE(b.doc.IsModified());

    TypeInto(field, u""_s);
    dialog.reject();  // closing leaves the field
    EXPECT_EQ(RateOf(b.doc, usd, kDay), std::nullopt);
    EXPECT_TRUE(b.doc.IsModified());
    EXPECT_TRUE(shown().empty());
}

// "Zeta" (never held) and "alpha": bought 10.1.2020, half sold 20.1., the rest sold 30.1.,
// bought again 10.2.2020. Both have quotes on the 5th, 10th, 20th, 25th and 30th of January
// and on 5 and 10 February.
class QuoteDeleteDialogTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        zeta = b.Security("Zeta");
        alpha = b.Security("alpha");
        const testing::Made lot = b.Buy(Day(10, 1, 2020), alpha, 10, 5.0);
        b.Sell(Day(20, 1, 2020), alpha, {{lot.positionNo, 5}}, 6.0);
        b.Sell(Day(30, 1, 2020), alpha, {{lot.positionNo, 5}}, 6.0);
        b.Buy(Day(10, 2, 2020), alpha, 1, 5.0);
        for (const int32_t s : {zeta, alpha})
            for (const CQRNDatum d :
                 {Day(5, 1, 2020), Day(10, 1, 2020), Day(20, 1, 2020), Day(25, 1, 2020),
                  Day(30, 1, 2020), Day(5, 2, 2020), Day(10, 2, 2020)})
                b.Quote(s, d, 1.0);
        b.doc.SetModified(false);
    }

    size_t QuoteCount(const CFolari2Doc& doc, int32_t security) const {
        return doc.FindSecurity(security)->quotes.size();
    }

    DocBuilder b;
    int32_t zeta = -1;
    int32_t alpha = -1;
};

TEST_F(QuoteDeleteDialogTest, ListsChoicesAndEnablesThePeriodForTheThirdRuleOnly) {
    QuoteDeleteDialog dialog(b.doc, kDay);
    Activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), u"Kurse löschen"_s);
    auto* list = Find<QListWidget>(&dialog, "securities");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), u"alpha"_s) << "by name, case-blind";
    EXPECT_EQ(list->item(1)->text(), u"Zeta"_s);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Find<QPushButton>(&dialog, "markAll")->text(), u"&alle Wertpapiere markieren"_s);
    EXPECT_EQ(Find<QRadioButton>(&dialog, "rule0")->text(),
              u"alle Kurse löschen, an denen sich das Wertpapier nicht im &Depot befindet"_s);
    EXPECT_EQ(Find<QRadioButton>(&dialog, "rule1")->text(), u"alle &Kurse löschen"_s);
    EXPECT_EQ(Find<QRadioButton>(&dialog, "rule2")->text(),
              u"Kurse löschen für folgenden &Zeitraum:"_s);
    EXPECT_TRUE(Find<QRadioButton>(&dialog, "rule0")->isChecked());
    EXPECT_EQ(Find<QDateEdit>(&dialog, "from")->date(), QDate(2020, 2, 3));
    EXPECT_EQ(Find<QDateEdit>(&dialog, "to")->date(), QDate(2020, 2, 3));

    const char* const rules[] = {"rule0", "rule1", "rule2", "rule1"};
    for (const char* rule : rules) {
        SCOPED_TRACE(rule);
        Find<QRadioButton>(&dialog, rule)->setChecked(true);
        const bool period = std::string(rule) == "rule2";
        EXPECT_EQ(Find<QDateEdit>(&dialog, "from")->isEnabled(), period);
        EXPECT_EQ(Find<QDateEdit>(&dialog, "to")->isEnabled(), period);
    }

    Find<QPushButton>(&dialog, "markAll")->click();
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
}

TEST_F(QuoteDeleteDialogTest, EachRuleAsksThenDeletesAndReportsTheCount) {
    struct Case {
        const char* what;
        bool all;  // "alle Wertpapiere markieren", else alpha alone is ticked
        const char* rule;
        QDate from;
        QDate to;
        const char* result;
        size_t alphaLeft;
        size_t zetaLeft;
    };
    const Case cases[] = {
        // alpha is held from 10.1. to 29.1. and from 10.2.: 5.1., 30.1. and 5.2. go.
        {"not held", false, "rule0", {}, {}, "Es wurden 3 Kurse gelöscht.", 4, 7},
        {"not held, all", true, "rule0", {}, {}, "Es wurden 10 Kurse gelöscht.", 4, 0},
        {"all quotes", true, "rule1", {}, {}, "Es wurden 14 Kurse gelöscht.", 0, 0},
        {"period",
         false,
         "rule2",
         {2020, 1, 10},
         {2020, 1, 25},
         "Es wurden 3 Kurse gelöscht.",
         4,
         7},
        {"from after to",
         true,
         "rule2",
         {2020, 1, 25},
         {2020, 1, 10},
         "Es wurden 0 Kurse gelöscht.",
         7,
         7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown().clear();
        DocBuilder copy = b;
        QuoteDeleteDialog dialog(copy.doc, kDay);
        Activate(dialog);
        if (c.all)
            Find<QPushButton>(&dialog, "markAll")->click();
        else
            Find<QListWidget>(&dialog, "securities")->item(0)->setCheckState(Qt::Checked);
        Find<QRadioButton>(&dialog, c.rule)->setChecked(true);
        if (c.from.isValid()) {
            Find<QDateEdit>(&dialog, "from")->setDate(c.from);
            Find<QDateEdit>(&dialog, "to")->setDate(c.to);
        }
        Find<QPushButton>(&dialog, "delete")->click();
        ASSERT_EQ(shown().size(), 2u);
        EXPECT_EQ(shown()[0],
                  Message::Question("Kurse löschen", "Möchten Sie die Kurse wirklich löschen?"));
        EXPECT_EQ(shown()[1], (Message{"Kurse löschen", c.result, MessageIcon::Information, ""}));
        EXPECT_EQ(QuoteCount(copy.doc, alpha), c.alphaLeft);
        EXPECT_EQ(QuoteCount(copy.doc, zeta), c.zetaLeft);
        EXPECT_EQ(copy.doc.IsModified(), c.alphaLeft + c.zetaLeft < 14);
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open for further deletions";
    }
}

TEST_F(QuoteDeleteDialogTest, NoToTheQuestionDeletesNothing) {
    answer() = QMessageBox::No;
    QuoteDeleteDialog dialog(b.doc, kDay);
    Activate(dialog);
    Find<QPushButton>(&dialog, "markAll")->click();
    Find<QRadioButton>(&dialog, "rule1")->setChecked(true);
    Find<QPushButton>(&dialog, "delete")->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_TRUE(shown()[0].IsQuestion());
    EXPECT_EQ(QuoteCount(b.doc, alpha), 7u);
    EXPECT_FALSE(b.doc.IsModified());
}

}  // namespace
}  // namespace pf

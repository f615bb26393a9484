// The currency dialog and the currency editor under the offscreen platform: enable rules,
// labels that follow the typed symbol, refusals with their focus, and the document changes
// of OK, "Löschen" and the editor's own commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/dialogs/currency_dialog.h"
#include "app/dialogs/currency_editor_dialog.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "model/document.h"
#include "quotes/currency_form.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

constexpr int32_t kMark = 1;  // DocBuilder's first legacy currency

class CurrencyDialogTest : public DialogTest {
  protected:
    // EUR 0, DM 1, FF 2 and a variable USD that refers to DM.
    CurrencyDialogTest() : b((1u << 7) | 1u) {
        usd = b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, kMark, kReferencePerUnit).id;
    }

    struct Widgets {
        QLineEdit* symbol;
        QLineEdit* name;
        QRadioButton* variable;
        QRadioButton* fixed;
        QComboBox* reference;
        QRadioButton* unitsPerReference;
        QRadioButton* referencePerUnit;
        QLineEdit* rate1;
        QLabel* symbolLine;
        QLineEdit* rate2;
        QLabel* baseSymbol;
    };
    static Widgets Of(QWidget* d) {
        return {Find<QLineEdit>(d, "symbol"),
                Find<QLineEdit>(d, "name"),
                Find<QRadioButton>(d, "rateKind"),
                Find<QRadioButton>(d, "fixedRateKind"),
                Find<QComboBox>(d, "reference"),
                Find<QRadioButton>(d, "unitsPerReference"),
                Find<QRadioButton>(d, "referencePerUnit"),
                Find<QLineEdit>(d, "fixedRate1"),
                Find<QLabel>(d, "symbolLine"),
                Find<QLineEdit>(d, "fixedRate2"),
                Find<QLabel>(d, "baseSymbol")};
    }

    DocBuilder b;
    int32_t usd = -1;
};

TEST_F(CurrencyDialogTest, NewCurrencyFollowsTheRateKindAndTheTypedSymbol) {
    CurrencyDialog dialog(b.doc, CurrencyForm::New(b.doc));
    dialog.show();
    const Widgets w = Of(&dialog);
    EXPECT_EQ(dialog.windowTitle(), u"Neue Währung"_s);
    EXPECT_EQ(w.variable->text(), u"&variabler Kurs:"_s);
    EXPECT_EQ(w.fixed->text(), u"&fester Kurs:"_s);
    EXPECT_TRUE(w.variable->isChecked());
    EXPECT_TRUE(w.unitsPerReference->isChecked());
    EXPECT_EQ(w.rate1->text(), u"1,00"_s);
    EXPECT_EQ(w.rate2->text(), u"1,00"_s);
    EXPECT_EQ(w.baseSymbol->text(), u"EUR"_s);
    // Each label's mnemonic reaches its field.
    struct Label {
        QString text;
        QWidget* field;
    };
    for (const Label& l : {Label{u"&Symbol"_s, w.symbol}, Label{u"&Bezeichnung"_s, w.name},
                           Label{u"Bezugs&währung:"_s, w.reference}}) {
        SCOPED_TRACE(l.text.toStdString());
        const QLabel* label = nullptr;
        for (const QLabel* candidate : dialog.findChildren<QLabel*>())
            if (candidate->text() == l.text) label = candidate;
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->buddy(), l.field);
    }

    // Only the fixed currencies are references; the base currency comes preselected.
    ASSERT_EQ(w.reference->count(), 3);
    EXPECT_EQ(w.reference->itemText(0), u"EUR"_s);
    EXPECT_EQ(w.reference->itemText(1), u"DM"_s);
    EXPECT_EQ(w.reference->itemText(2), u"FF"_s);
    EXPECT_EQ(w.reference->currentText(), u"EUR"_s);

    // Each typed character and each reference changes the quote-format labels.
    w.symbol->setText(u"CHF"_s);
    EXPECT_EQ(w.unitsPerReference->text(), u"&x,xx CHF = 1 EUR"_s);
    EXPECT_EQ(w.referencePerUnit->text(), u"&1 CHF = x,xx EUR"_s);
    EXPECT_EQ(w.symbolLine->text(), u"CHF  ="_s);
    w.reference->setCurrentIndex(1);
    EXPECT_EQ(w.unitsPerReference->text(), u"&x,xx CHF = 1 DM"_s);
    EXPECT_EQ(w.referencePerUnit->text(), u"&1 CHF = x,xx DM"_s);
    // An "&" in the symbol is shown, not taken for a second mnemonic.
    w.symbol->setText(u"S&P"_s);
    EXPECT_EQ(w.unitsPerReference->text(), u"&x,xx S&&P = 1 DM"_s);
    EXPECT_EQ(w.symbolLine->text(), u"S&P  ="_s);

    struct State {
        const char* kind;
        bool fixed;
    };
    for (const State& s : {State{"fixed", true}, State{"variable", false}}) {
        SCOPED_TRACE(s.kind);
        (s.fixed ? w.fixed : w.variable)->setChecked(true);
        EXPECT_TRUE(w.variable->isEnabled());
        EXPECT_TRUE(w.fixed->isEnabled());
        EXPECT_EQ(w.rate1->isEnabled(), s.fixed);
        EXPECT_EQ(w.rate2->isEnabled(), s.fixed);
        EXPECT_EQ(w.reference->isEnabled(), !s.fixed);
        EXPECT_EQ(w.unitsPerReference->isEnabled(), !s.fixed);
        EXPECT_EQ(w.referencePerUnit->isEnabled(), !s.fixed);
    }
}

TEST_F(CurrencyDialogTest, TheBaseCurrencyKeepsItsFixedRateAndOnlyItsNamesChange) {
    CurrencyDialog dialog(b.doc, CurrencyForm::ForEdit(b.doc, 0));
    dialog.show();
    const Widgets w = Of(&dialog);
    EXPECT_EQ(dialog.windowTitle(), u"Währung bearbeiten"_s);
    EXPECT_EQ(w.symbol->text(), u"EUR"_s);
    EXPECT_TRUE(w.fixed->isChecked());
    EXPECT_FALSE(w.variable->isEnabled());
    EXPECT_FALSE(w.fixed->isEnabled());
    EXPECT_FALSE(w.rate1->isEnabled());
    EXPECT_FALSE(w.rate2->isEnabled());
    EXPECT_FALSE(w.reference->isEnabled());
    EXPECT_FALSE(w.unitsPerReference->isEnabled());
    EXPECT_FALSE(w.referencePerUnit->isEnabled());
    EXPECT_TRUE(w.symbol->isEnabled());
    EXPECT_TRUE(w.name->isEnabled());
    // The base currency is not its own reference.
    EXPECT_EQ(w.reference->findText(u"EUR"_s), -1);

    w.name->setText(u"Euro (EUR)"_s);
    w.rate1->setText(u"kein Kurs"_s);  // disabled, not read
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.CurrencyId(), 0);
    EXPECT_EQ(b.doc.FindCurrency(0)->name, "Euro (EUR)");
    EXPECT_EQ(b.doc.FindCurrency(0)->fixedRate1, 1.0);
}

TEST_F(CurrencyDialogTest, RefusalsKeepTheDialogOpenAndFocusTheirField) {
    struct Case {
        const char* what;
        int32_t edited;  // -1: a new currency
        std::function<void(const Widgets&)> type;
        const char* text;
        const char* focus;
    };
    const auto fixedRates = [](const char* symbol, const char* r1, const char* r2) {
        return [=](const Widgets& w) {
            w.symbol->setText(QString::fromUtf8(symbol));
            w.fixed->setChecked(true);
            w.rate1->setText(QString::fromUtf8(r1));
            w.rate2->setText(QString::fromUtf8(r2));
        };
    };
    const Case cases[] = {
        {"first rate not a number", -1, fixedRates("ATS", "abc", "1"),
         "Bitte geben Sie einen Wechselkurs ein!", "fixedRate1"},
        {"second rate empty", -1, fixedRates("ATS", "13,7603", ""),
         "Bitte geben Sie einen Wechselkurs ein!", "fixedRate2"},
        {"first rate 0", -1, fixedRates("ATS", "0", "1"),
         "Bitte geben Sie einen Wert größer Null an!", "fixedRate1"},
        {"second rate 0 at 7 decimals", -1, fixedRates("ATS", "1", "0,00000004"),
         "Bitte geben Sie einen Wert größer Null an!", "fixedRate2"},
        {"empty symbol", -1, [](const Widgets&) {},
         "Bitte geben Sie ein Symbol für die Währung ein!", "symbol"},
        {"symbol of another currency", -1, fixedRates("FF", "2", "1"),
         "Eine Währung mit diesem Symbol existiert bereits!", "symbol"},
        {"edited currency takes another's symbol", usd,
         [](const Widgets& w) { w.symbol->setText(u"DM"_s); },
         "Eine Währung mit diesem Symbol existiert bereits!", "symbol"},
        {"no reference chosen", -1,
         [](const Widgets& w) {
             w.symbol->setText(u"CHF"_s);
             w.reference->setCurrentIndex(-1);
         },
         "Bitte wählen Sie eine Bezugswährung aus!", "reference"},
        {"the reference of USD turned variable", kMark,
         [](const Widgets& w) { w.variable->setChecked(true); },
         "Diese Währung ist die Bezugswährung einer Währung mit variablem Kurs und muss einen "
         "festen Kurs behalten!",
         "rateKind"},
    };
    const CFolari2Doc before = b.doc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown().clear();
        CurrencyDialog dialog(b.doc, c.edited < 0 ? CurrencyForm::New(b.doc)
                                                  : CurrencyForm::ForEdit(b.doc, c.edited));
        dialog.show();
        const Widgets w = Of(&dialog);
        c.type(w);
        ClickOk(&dialog);
        ASSERT_EQ(shown().size(), 1u);
        // The box carries title and text; the field shows as the focus.
        EXPECT_EQ(shown()[0].title, "Neue Währung");
        EXPECT_EQ(shown()[0].text, c.text);
        EXPECT_EQ(shown()[0].icon, MessageIcon::Information);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.CurrencyId(), -1);
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), QString::fromLatin1(c.focus));
        EXPECT_EQ(b.doc.currencies, before.currencies);
        dialog.reject();
    }
}

TEST_F(CurrencyDialogTest, OkCreatesFixedAndVariableCurrencies) {
    {
        CurrencyDialog dialog(b.doc, CurrencyForm::New(b.doc));
        dialog.show();
        const Widgets w = Of(&dialog);
        w.symbol->setText(u"öS"_s);
        w.name->setText(u"Österreichische Schilling"_s);
        w.fixed->setChecked(true);
        w.rate1->setText(u"13,7603"_s);
        w.rate2->setText(u"1"_s);
        ClickOk(&dialog);
        EXPECT_TRUE(shown().empty());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const CFL2Waehrung* c = b.doc.FindCurrency(dialog.CurrencyId());
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->symbol, "öS");
        EXPECT_EQ(c->name, "Österreichische Schilling");
        EXPECT_EQ(c->isFixed, 1);
        EXPECT_EQ(c->fixedRate1, 13.7603);
        EXPECT_EQ(c->fixedRate2, 1.0);
    }
    {
        CurrencyDialog dialog(b.doc, CurrencyForm::New(b.doc));
        dialog.show();
        const Widgets w = Of(&dialog);
        w.symbol->setText(u"GBP"_s);
        w.name->setText(u"Britisches Pfund"_s);
        w.reference->setCurrentIndex(w.reference->findText(u"FF"_s));
        w.referencePerUnit->setChecked(true);
        w.rate1->setText(u"nicht gelesen"_s);  // a variable rate has no fixed pair
        ClickOk(&dialog);
        EXPECT_TRUE(shown().empty());
        const CFL2Waehrung* c = b.doc.FindCurrency(dialog.CurrencyId());
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->symbol, "GBP");
        EXPECT_EQ(c->isFixed, 0);
        EXPECT_EQ(c->referenceCurrencyId, 2);
        EXPECT_EQ(c->quoteFormat, kReferencePerUnit);
        EXPECT_EQ(c->fixedRate1, 1.0);
    }
}

TEST_F(CurrencyDialogTest, EditShowsTheStoredCurrencyAndTakesTheChange) {
    {
        // A variable currency shows its own reference and quote format.
        CurrencyDialog dialog(b.doc, CurrencyForm::ForEdit(b.doc, usd));
        const Widgets w = Of(&dialog);
        EXPECT_TRUE(w.variable->isChecked());
        EXPECT_EQ(w.reference->currentText(), u"DM"_s);
        EXPECT_TRUE(w.referencePerUnit->isChecked());
        EXPECT_EQ(w.referencePerUnit->text(), u"&1 USD = x,xx DM"_s);
    }
    CurrencyDialog dialog(b.doc, CurrencyForm::ForEdit(b.doc, kMark));
    dialog.show();
    const Widgets w = Of(&dialog);
    EXPECT_EQ(dialog.windowTitle(), u"Währung bearbeiten"_s);
    EXPECT_EQ(w.symbol->text(), u"DM"_s);
    EXPECT_EQ(w.name->text(), u"Deutsche Mark"_s);
    EXPECT_TRUE(w.fixed->isChecked());
    EXPECT_EQ(w.rate1->text(), u"1,95583"_s);
    EXPECT_EQ(w.rate2->text(), u"1,00"_s);
    EXPECT_EQ(w.symbolLine->text(), u"DM  ="_s);
    EXPECT_TRUE(w.rate1->isEnabled());
    EXPECT_FALSE(w.reference->isEnabled());

    w.name->setText(u"D-Mark"_s);
    w.rate1->setText(u"2"_s);
    b.doc.SetModified(false);
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(dialog.CurrencyId(), kMark);
    EXPECT_EQ(b.doc.currencies.size(), 4u);
    const CFL2Waehrung* c = b.doc.FindCurrency(kMark);
    EXPECT_EQ(c->name, "D-Mark");
    EXPECT_EQ(c->fixedRate1, 2.0);
    EXPECT_EQ(c->fixedRate2, 1.0);
    EXPECT_TRUE(b.doc.IsModified());
}

TEST_F(CurrencyDialogTest, RunCurrencyDialogReturnsTheIdOrMinusOne) {
    WhenModal<CurrencyDialog>([](CurrencyDialog& d) { d.reject(); });
    EXPECT_EQ(RunCurrencyDialog(nullptr, b.doc, kMark), -1);

    WhenModal<CurrencyDialog>([](CurrencyDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Neue Währung"_s);
        Find<QLineEdit>(&d, "symbol")->setText(u"CHF"_s);
        ClickOk(&d);
    });
    const int32_t chf = RunCurrencyDialog(nullptr, b.doc, -1);
    ASSERT_GE(chf, 0);
    EXPECT_EQ(b.doc.FindCurrency(chf)->symbol, "CHF");
}

class CurrencyEditorTest : public CurrencyDialogTest {
  protected:
    QStringList Texts(QTreeWidget* list, int column) const {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(column);
        return texts;
    }
};

TEST_F(CurrencyEditorTest, ListsTheCurrenciesWithTheirRatesAtTheDate) {
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 2, 2020), 0.5);
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(5, 2, 2020), 0.6);
    CurrencyEditorDialog dialog(b.doc, Day(3, 2, 2020));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Währungs-Editor"_s);
    auto* list = Find<QTreeWidget>(&dialog, "currencies");
    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_EQ(list->headerItem()->text(0), u"Symbol"_s);
    EXPECT_EQ(list->headerItem()->text(1), u"Bezeichnung"_s);
    EXPECT_EQ(list->headerItem()->text(2), u"Typ"_s);
    EXPECT_EQ(list->headerItem()->text(3), u"Kurs"_s);
    EXPECT_EQ(Texts(list, 0), (QStringList{u"EUR"_s, u"DM"_s, u"FF"_s, u"USD"_s}));
    EXPECT_EQ(Texts(list, 2), (QStringList{u"Hauptwährung"_s, u"fester Kurs"_s, u"fester Kurs"_s,
                                           u"variabler Kurs"_s}));
    // USD: 1 USD = 0,5 DM, the rate in force on 3.2.2020, with 4 decimals.
    EXPECT_EQ(Texts(list, 3), (QStringList{u""_s, u"1,95583 DM = 1 EUR"_s, u"6,55957 FF = 1 EUR"_s,
                                           u"1 USD = 0,5000 DM"_s}));
    EXPECT_EQ(Find<QPushButton>(&dialog, "new")->text(), u"&Neu..."_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "edit")->text(), u"&Bearbeiten..."_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "delete")->text(), u"&Löschen"_s);
    EXPECT_EQ(Find<QPushButton>(&dialog, "close")->text(), u"Schließen"_s);
}

TEST_F(CurrencyEditorTest, EditAndDeleteNeedAChosenRow) {
    CurrencyEditorDialog dialog(b.doc, Day(3, 2, 2020));
    dialog.show();
    auto* edit = Find<QPushButton>(&dialog, "edit");
    auto* remove = Find<QPushButton>(&dialog, "delete");
    dialog.Select(-1);
    EXPECT_EQ(dialog.SelectedId(), -1);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    dialog.Select(2);
    EXPECT_EQ(dialog.SelectedId(), 2);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
}

TEST_F(CurrencyEditorTest, EditingAndAddingRefreshTheList) {
    CurrencyEditorDialog dialog(b.doc, Day(3, 2, 2020));
    dialog.show();
    auto* list = Find<QTreeWidget>(&dialog, "currencies");

    // A double click edits: the new rate shows at once (with at least 2 decimals) and DM
    // stays chosen.
    dialog.Select(kMark);
    WhenModal<CurrencyDialog>([](CurrencyDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Währung bearbeiten"_s);
        Find<QLineEdit>(&d, "fixedRate1")->setText(u"2"_s);
        ClickOk(&d);
    });
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    EXPECT_EQ(list->topLevelItem(1)->text(3), u"2,00 DM = 1 EUR"_s);
    EXPECT_EQ(dialog.SelectedId(), kMark);

    WhenModal<CurrencyDialog>([](CurrencyDialog& d) {
        Find<QLineEdit>(&d, "symbol")->setText(u"CHF"_s);
        Find<QLineEdit>(&d, "name")->setText(u"Schweizer Franken"_s);
        ClickOk(&d);
    });
    Find<QPushButton>(&dialog, "new")->click();
    EXPECT_EQ(Texts(list, 0), (QStringList{u"EUR"_s, u"DM"_s, u"FF"_s, u"USD"_s, u"CHF"_s}));
    EXPECT_EQ(list->topLevelItem(4)->text(1), u"Schweizer Franken"_s);
    EXPECT_EQ(dialog.SelectedId(), b.doc.FindCurrencyBySymbol("CHF")->id);

    // Abbrechen changes nothing.
    WhenModal<CurrencyDialog>([](CurrencyDialog& d) {
        Find<QLineEdit>(&d, "symbol")->setText(u"XYZ"_s);
        d.reject();
    });
    Find<QPushButton>(&dialog, "new")->click();
    EXPECT_EQ(list->topLevelItemCount(), 5);
    EXPECT_TRUE(shown().empty());
}

TEST_F(CurrencyEditorTest, DeleteRefusesACurrencyInUseAndAsksForAnUnusedOne) {
    b.Security("Mark-Aktie", kMark);
    CurrencyEditorDialog dialog(b.doc, Day(3, 2, 2020));
    dialog.show();
    auto* list = Find<QTreeWidget>(&dialog, "currencies");
    auto* remove = Find<QPushButton>(&dialog, "delete");
    const Message refusal =
        Message::Refusal("Währungs-Editor", "Diese Währung kann nicht gelöscht werden!");
    const Message question =
        Message::Question("Währungs-Editor", "Möchten Sie diese Währung wirklich löschen?");

    // The base currency, the quote currency of a security, the reference of USD.
    for (const int32_t id : {0, kMark}) {
        SCOPED_TRACE(id);
        shown().clear();
        dialog.Select(id);
        remove->click();
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0], refusal);
        EXPECT_EQ(b.doc.currencies.size(), 4u);
        EXPECT_EQ(list->topLevelItemCount(), 4);
    }

    // FF is free: No keeps it, Yes deletes it and the row after it is chosen.
    shown().clear();
    answer() = QMessageBox::No;
    dialog.Select(2);
    remove->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], question);
    EXPECT_NE(b.doc.FindCurrency(2), nullptr);
    EXPECT_EQ(list->topLevelItemCount(), 4);

    shown().clear();
    answer() = QMessageBox::Yes;
    b.doc.SetModified(false);
    remove->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], question);
    EXPECT_EQ(b.doc.FindCurrency(2), nullptr);
    EXPECT_TRUE(b.doc.IsModified());
    EXPECT_EQ(Texts(list, 0), (QStringList{u"EUR"_s, u"DM"_s, u"USD"_s}));
    EXPECT_EQ(dialog.SelectedId(), usd);
}

}  // namespace
}  // namespace pf

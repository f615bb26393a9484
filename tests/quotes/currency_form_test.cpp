#include "quotes/currency_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

constexpr int32_t kMark = 1;  // DocBuilder's first legacy currency

CurrencyForm FixedForm(const CFolari2Doc& doc, const std::string& symbol, const char* r1,
                       const char* r2) {
    CurrencyForm form = CurrencyForm::New(doc);
    form.symbol = symbol;
    form.name = "Name";
    form.fixed = true;
    form.fixedRate1 = r1;
    form.fixedRate2 = r2;
    return form;
}

TEST(CurrencyForm, NewAndEnableRules) {
    DocBuilder b;
    const CurrencyForm form = CurrencyForm::New(b.doc);
    EXPECT_EQ(form.Title(), "Neue Währung");
    EXPECT_FALSE(form.fixed);
    EXPECT_EQ(form.referenceId, 0);
    EXPECT_EQ(form.fixedRate1, "1,00");
    EXPECT_TRUE(form.RateKindEnabled());
    EXPECT_FALSE(form.FixedRatesEnabled());
    EXPECT_TRUE(form.ReferenceEnabled());
    EXPECT_TRUE(form.QuoteFormatEnabled());

    CurrencyForm fixed = form;
    fixed.fixed = true;
    EXPECT_TRUE(fixed.FixedRatesEnabled());
    EXPECT_FALSE(fixed.ReferenceEnabled());
    EXPECT_FALSE(fixed.QuoteFormatEnabled());

    const CurrencyForm base = CurrencyForm::ForEdit(b.doc, 0);
    EXPECT_EQ(base.Title(), "Währung bearbeiten");
    EXPECT_TRUE(base.fixed);
    EXPECT_FALSE(base.RateKindEnabled());
    EXPECT_FALSE(base.FixedRatesEnabled());
}

TEST(CurrencyForm, ReferenceListAndLabels) {
    DocBuilder b((1u << 7) | 1u);  // EUR 0, DM 1, FF 2
    const int32_t usd = b.doc.AddCurrency("USD", "US-Dollar", false, 1, 1, kMark, 1).id;
    CurrencyForm form = CurrencyForm::New(b.doc);
    EXPECT_EQ(form.ReferenceChoices(b.doc),
              (std::vector<CurrencyChoice>{{0, "EUR"}, {1, "DM"}, {2, "FF"}}));
    form.symbol = "CHF";
    EXPECT_EQ(form.QuoteFormatLabel(b.doc, kUnitsPerReference), "&x,xx CHF = 1 EUR");
    EXPECT_EQ(form.QuoteFormatLabel(b.doc, kReferencePerUnit), "&1 CHF = x,xx EUR");
    EXPECT_EQ(form.SymbolLine(), "CHF  =");
    EXPECT_EQ(CurrencyForm::BaseSymbol(b.doc), "EUR");

    // An edited variable currency preselects its own reference; a fixed one is not its own.
    const CurrencyForm dollar = CurrencyForm::ForEdit(b.doc, usd);
    EXPECT_EQ(dollar.referenceId, kMark);
    EXPECT_EQ(dollar.quoteFormat, 1);
    EXPECT_EQ(dollar.QuoteFormatLabel(b.doc, kReferencePerUnit), "&1 USD = x,xx DM");
    const CurrencyForm mark = CurrencyForm::ForEdit(b.doc, kMark);
    EXPECT_EQ(mark.ReferenceChoices(b.doc), (std::vector<CurrencyChoice>{{0, "EUR"}, {2, "FF"}}));
    EXPECT_EQ(mark.fixedRate1, "1,95583");
    EXPECT_EQ(mark.fixedRate2, "1,00");
}

TEST(CurrencyForm, MessageOrder) {
    DocBuilder b;  // EUR 0, DM 1
    const int32_t usd = b.doc.AddCurrency("USD", "US-Dollar", false, 1, 1, kMark, 0).id;
    struct Case {
        const char* what;
        CurrencyForm form;
        const char* text;
        const char* field;
    };
    auto variable = [&](const std::string& symbol, int32_t reference) {
        CurrencyForm f = CurrencyForm::New(b.doc);
        f.symbol = symbol;
        f.name = "Name";
        f.referenceId = reference;
        return f;
    };
    CurrencyForm gone = variable("XYZ", 0);
    gone.editedId = 77;
    CurrencyForm markVariable = CurrencyForm::ForEdit(b.doc, kMark);
    markVariable.fixed = false;
    CurrencyForm badName = variable("CHF", 0);
    badName.name = "Franken \xE2\x82\xBD";  // the rouble sign
    const Case cases[] = {
        {"edited currency gone", gone, "Diese Währung existiert nicht mehr!", kCurrencySymbolField},
        {"rate 1 unreadable, before the empty symbol", FixedForm(b.doc, "", "x", "y"),
         "Bitte geben Sie einen Wechselkurs ein!", kCurrencyFixedRate1Field},
        {"rate 1 empty", FixedForm(b.doc, "XX", "", "1"), "Bitte geben Sie einen Wechselkurs ein!",
         kCurrencyFixedRate1Field},
        {"rate 2 unreadable before rate 1 zero", FixedForm(b.doc, "XX", "0", "-1"),
         "Bitte geben Sie einen Wechselkurs ein!", kCurrencyFixedRate2Field},
        {"rate 1 zero", FixedForm(b.doc, "XX", "0", "0"),
         "Bitte geben Sie einen Wert größer Null an!", kCurrencyFixedRate1Field},
        {"rate 1 zero at 7 decimals", FixedForm(b.doc, "XX", "0,00000009", "1"),
         "Bitte geben Sie einen Wert größer Null an!", kCurrencyFixedRate1Field},
        {"rate 2 zero", FixedForm(b.doc, "XX", "1", "0,0"),
         "Bitte geben Sie einen Wert größer Null an!", kCurrencyFixedRate2Field},
        {"reference of a variable currency turned variable", markVariable,
         "Diese Währung ist die Bezugswährung einer Währung mit variablem Kurs und muss einen "
         "festen Kurs behalten!",
         kCurrencyRateKindField},
        {"variable reference", variable("CHF", usd), "Bitte wählen Sie eine Bezugswährung aus!",
         kCurrencyReferenceField},
        {"no reference", variable("CHF", -1), "Bitte wählen Sie eine Bezugswährung aus!",
         kCurrencyReferenceField},
        {"empty symbol", variable("", 0), "Bitte geben Sie ein Symbol für die Währung ein!",
         kCurrencySymbolField},
        {"duplicate symbol", FixedForm(b.doc, "DM", "1", "1"),
         "Eine Währung mit diesem Symbol existiert bereits!", kCurrencySymbolField},
        {"name the file cannot store", badName,
         "Das Feld „Bezeichnung“ enthält das Zeichen „\xE2\x82\xBD“, das in der Datei nicht "
         "gespeichert werden kann. Bitte ändern Sie die Eingabe!",
         kCurrencyNameField},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MaybeMessage m = c.form.Check(b.doc);
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(*m, Message::Refusal("Neue Währung", c.text, c.field));
        CFolari2Doc before = b.doc;
        b.doc.SetModified(false);
        EXPECT_EQ(c.form.Apply(b.doc), -1);
        EXPECT_FALSE(b.doc.IsModified());
        EXPECT_EQ(b.doc.currencies, before.currencies);
    }
}

TEST(CurrencyForm, AnAccountCurrencyKeepsItsFixedRate) {
    struct Case {
        const char* use;
        void (*make)(CFolari2Doc& doc);
    };
    const Case cases[] = {
        {"initial account currency",
         [](CFolari2Doc& doc) { doc.initialAccountCurrencyId = kMark; }},
        {"account currency change",
         [](CFolari2Doc& doc) {
             CFL2KtoWUmst change;
             change.currencyId = kMark;
             change.date = Day(1, 1, 2001);
             doc.accountCurrencyChanges.push_back(change);
         }},
        {"account side of a transaction",
         [](CFolari2Doc& doc) {
             CFL2Transaktion t;
             t.currency2 = kMark;
             doc.transactions.push_back(t);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.use);
        DocBuilder b;
        c.make(b.doc);
        CurrencyForm form = CurrencyForm::ForEdit(b.doc, kMark);
        form.fixed = false;
        EXPECT_EQ(form.Check(b.doc),
                  Message::Refusal("Neue Währung",
                                   "Diese Währung wird als Kontowährung verwendet und muss einen "
                                   "festen Kurs behalten!",
                                   kCurrencyRateKindField));
        EXPECT_EQ(form.Apply(b.doc), -1);
        EXPECT_EQ(b.doc.FindCurrency(kMark)->isFixed, 1);
        // Its name and rate may still change.
        form.fixed = true;
        form.name = "D-Mark";
        EXPECT_EQ(form.Apply(b.doc), kMark);
    }
}

TEST(CurrencyForm, ApplyAddsAndChanges) {
    DocBuilder b;  // EUR 0, DM 1
    int heard = 0;
    b.doc.AddEditListener([&] { ++heard; });

    const int32_t ats = FixedForm(b.doc, "ATS", "13,7603", "1").Apply(b.doc);
    ASSERT_EQ(ats, 2);
    const CFL2Waehrung* c = b.doc.FindCurrency(ats);
    EXPECT_EQ(c->isFixed, 1);
    EXPECT_EQ(c->fixedRate1, 13.7603);
    EXPECT_EQ(c->fixedRate2, 1.0);
    EXPECT_EQ(heard, 1);

    CurrencyForm dollar = CurrencyForm::New(b.doc);
    dollar.symbol = "USD";
    dollar.name = "US-Dollar";
    dollar.fixed = false;
    dollar.fixedRate1 = "nicht gelesen";  // a variable currency ignores its fixed fields
    dollar.referenceId = kMark;
    dollar.quoteFormat = kReferencePerUnit;
    EXPECT_FALSE(dollar.Check(b.doc).has_value());
    const int32_t usd = dollar.Apply(b.doc);
    c = b.doc.FindCurrency(usd);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->isFixed, 0);
    EXPECT_EQ(c->fixedRate1, 1.0);
    EXPECT_EQ(c->referenceCurrencyId, kMark);
    EXPECT_EQ(c->quoteFormat, kReferencePerUnit);

    // Editing keeps the symbol without calling it a duplicate, and keeps the rate history.
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(3, 2, 2020), 0.5);
    CurrencyForm edit = CurrencyForm::ForEdit(b.doc, usd);
    edit.name = "Dollar";
    edit.quoteFormat = kUnitsPerReference;
    EXPECT_EQ(edit.Apply(b.doc), usd);
    c = b.doc.FindCurrency(usd);
    EXPECT_EQ(c->name, "Dollar");
    EXPECT_EQ(c->quoteFormat, kUnitsPerReference);
    EXPECT_EQ(c->rates.size(), 1u);

    // The base currency keeps 1 : 1 whatever its hidden rate fields hold.
    CurrencyForm base = CurrencyForm::ForEdit(b.doc, 0);
    base.name = "Euro (EUR)";
    base.fixedRate1 = "abc";
    EXPECT_EQ(base.Apply(b.doc), 0);
    EXPECT_EQ(b.doc.FindCurrency(0)->name, "Euro (EUR)");
    EXPECT_EQ(b.doc.FindCurrency(0)->fixedRate1, 1.0);
    EXPECT_EQ(heard, 4);
}

TEST(CurrencyForm, ANewFixedRateIsTakenIntoPurchasesAndSales) {
    DocBuilder b;  // EUR 0, DM 1 (1.95583)
    const int32_t s = b.Security("Mark-Aktie", kMark);
    const testing::Made buy = b.Buy(Day(3, 2, 2020), s, 10, 10.0);  // 100 DM
    buy->currency1 = kMark;
    buy->currency2 = 0;
    int heard = 0;
    b.doc.AddEditListener([&] { ++heard; });

    // Only the name changes: the purchase keeps what it has.
    CurrencyForm form = CurrencyForm::ForEdit(b.doc, kMark);
    form.name = "D-Mark";
    EXPECT_EQ(form.Apply(b.doc), kMark);
    EXPECT_EQ(buy->amount, 100.0);
    EXPECT_EQ(buy->rateBase, 1.0);

    // 2 DM = 1 EUR: the pair becomes 2 : 1 and 100 DM give 50 EUR, heard as one edit.
    form = CurrencyForm::ForEdit(b.doc, kMark);
    form.fixedRate1 = "2";
    EXPECT_EQ(form.Apply(b.doc), kMark);
    EXPECT_EQ(buy->rateBase, 2.0);
    EXPECT_EQ(buy->rateQuote, 1.0);
    EXPECT_EQ(buy->amount, 50.0);
    EXPECT_EQ(heard, 2);
}

TEST(CurrencyEditor, RowsTypesAndRateTexts) {
    DocBuilder b((1u << 5) | 1u);  // EUR 0, DM 1, Lit 2
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1, 1, 0, kUnitsPerReference).id;
    const int32_t gbp = b.doc.AddCurrency("GBP", "Pfund", false, 1, 1, kMark, kReferencePerUnit).id;
    const int32_t odd = b.doc.AddCurrency("XAU", "Unze", true, 0.5, 2.5, 0, 0).id;
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 2, 2020), 1.1);
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(5, 2, 2020), 1.2);
    (void)gbp;
    (void)odd;
    const std::vector<CurrencyEditorRow> rows = CurrencyEditorRows(b.doc, Day(3, 2, 2020));
    struct Expected {
        const char* symbol;
        const char* type;
        const char* rate;
    };
    const Expected expected[] = {
        {"EUR", "Hauptwährung", ""},
        {"DM", "fester Kurs", "1,95583 DM = 1 EUR"},
        {"Lit", "fester Kurs", "1.936,27 Lit = 1 EUR"},
        {"USD", "variabler Kurs", "1,1000 USD = 1 EUR"},  // the rate in force on 3.2.
        {"GBP", "variabler Kurs", "1 GBP = 1,0000 DM"},   // no rate yet: factor 1
        {"XAU", "fester Kurs", "0,50 XAU = 2,50 EUR"},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].symbol);
        EXPECT_EQ(rows[i].symbol, expected[i].symbol);
        EXPECT_EQ(rows[i].type, expected[i].type);
        EXPECT_EQ(rows[i].rate, expected[i].rate);
    }
    EXPECT_EQ(std::string(kCurrencyEditorColumns[3]), "Kurs");
}

TEST(CurrencyEditor, DeleteAsksOrRefusesACurrencyInUse) {
    DocBuilder b((1u << 7) | 1u);  // EUR 0, DM 1, FF 2
    b.Security("Mark-Aktie", kMark);
    const int32_t free = 2;
    const Message refusal =
        Message::Refusal("Währungs-Editor", "Diese Währung kann nicht gelöscht werden!");
    for (const int32_t id : {0, kMark, 99}) {
        SCOPED_TRACE(id);
        const CurrencyDeleteForm form{id};
        EXPECT_EQ(form.Check(b.doc), refusal);
        EXPECT_FALSE(form.Apply(b.doc));
    }
    EXPECT_EQ(b.doc.currencies.size(), 3u);

    const CurrencyDeleteForm form{free};
    EXPECT_EQ(form.Check(b.doc),
              Message::Question("Währungs-Editor", "Möchten Sie diese Währung wirklich löschen?"));
    b.doc.SetModified(false);
    EXPECT_TRUE(form.Apply(b.doc));
    EXPECT_EQ(b.doc.FindCurrency(free), nullptr);
    EXPECT_TRUE(b.doc.IsModified());
}

}  // namespace
}  // namespace pf

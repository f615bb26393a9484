#include "engine/security_form.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/engine_test_util.h"
#include "engine/security_templates.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

// A document of 1.1.2020 with the euro (0) and the mark (1); "Alpha" (WKN "111") and "Beta"
// ("222") in euros.
class SecurityFormTest : public ::testing::Test {
  protected:
    SecurityFormTest() {
        alpha = b.Security("Alpha", "111");
        beta = b.Security("Beta", "222");
    }
    CFolari2Doc& doc() { return b.doc; }

    SecurityForm NewForm(const std::string& name, const std::string& wkn) {
        SecurityForm form = SecurityForm::New(doc());
        form.name = name;
        form.wkn = wkn;
        return form;
    }

    DocBuilder b;
    int32_t alpha = -1;
    int32_t beta = -1;
};

void ExpectRefusal(const MaybeMessage& m, const std::string& title, const std::string& text,
                   const std::string& field) {
    ASSERT_TRUE(m.has_value()) << text;
    EXPECT_EQ(m->title, title);
    EXPECT_EQ(m->text, text);
    EXPECT_EQ(m->icon, MessageIcon::Information);
    EXPECT_EQ(m->field, field);
}

TEST_F(SecurityFormTest, NewSecurityStartsWithTheBaseCurrencyAndTheInternetDefaults) {
    const SecurityForm form = SecurityForm::New(doc());
    EXPECT_EQ(form.id, -1);
    EXPECT_EQ(form.Title(), "Neues Wertpapier");
    EXPECT_EQ(form.quoteCurrencyId, 0);
    EXPECT_EQ(form.internetUrl, "http://");
    EXPECT_EQ(form.internetTextBeforeQuote, "Kurs:");
    EXPECT_FALSE(form.internetImport);
    EXPECT_EQ(form.quoteDecimals, 2);
}

// The document's codes as the dialog shows them: text, title and focus field.
TEST_F(SecurityFormTest, DocumentCodesBecomeTheirMessages) {
    // A third security whose name equals Beta's WKN shows that the last hit in list order
    // decides between codes 11 and 12.
    b.Security("222", "333");
    struct Case {
        const char* what;
        int32_t id;  // -1 new
        const char* name;
        const char* wkn;
        const char* text;  // empty: accepted
        const char* field;
    };
    const char* kName = "Bitte geben Sie eine Bezeichnung für das Wertpapier ein!";
    const char* kWkn = "Bitte geben Sie eine Wertpapier-Kennnummer für das Wertpapier ein!";
    const char* kNameExists = "Ein Wertpapier mit dieser Bezeichnung existiert bereits!";
    const char* kWknExists = "Ein Wertpapier mit dieser Wertpapier-Kennnummer existiert bereits!";
    const Case cases[] = {
        {"1: empty name", -1, "", "999", kName, "name"},
        {"1 before 2", -1, "", "", kName, "name"},
        {"2: empty WKN", -1, "Neu", "", kWkn, "wkn"},
        {"11: name exists", -1, "Alpha", "999", kNameExists, "name"},
        {"12: WKN exists", -1, "Neu", "111", kWknExists, "wkn"},
        {"name of Alpha, WKN of Beta: Beta comes later", -1, "Alpha", "222", kWknExists, "wkn"},
        {"name of Gamma, WKN of Beta: Gamma comes later", -1, "222", "222", kNameExists, "name"},
        {"letter case differs: no duplicate", -1, "alpha", "999", "", ""},
        {"edit 1", 0, "", "111", kName, "name"},
        {"edit 2", 0, "Alpha", "", kWkn, "wkn"},
        {"edit keeps its own name and WKN", 0, "Alpha", "111", "", ""},
        {"edit 11", 0, "Beta", "111", kNameExists, "name"},
        {"edit 12", 0, "Alpha", "333", kWknExists, "wkn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SecurityForm form =
            c.id < 0 ? SecurityForm::New(doc()) : SecurityForm::ForEdit(doc(), alpha);
        form.name = c.name;
        form.wkn = c.wkn;
        const MaybeMessage m = form.Check(doc());
        if (*c.text == '\0') {
            EXPECT_FALSE(m.has_value()) << m->text;
            continue;
        }
        ExpectRefusal(m, c.id < 0 ? "Neues Wertpapier" : "Wertpapier bearbeiten", c.text, c.field);
        const size_t count = doc().securities.size();
        doc().SetModified(false);
        EXPECT_EQ(form.Apply(doc()), -1);
        EXPECT_EQ(doc().securities.size(), count);
        EXPECT_FALSE(doc().IsModified());
    }
}

TEST_F(SecurityFormTest, CodeOfAnUnknownSecurity) {
    SecurityForm form = SecurityForm::ForEdit(doc(), alpha);
    ASSERT_TRUE(doc().DeleteSecurity(alpha));
    ExpectRefusal(form.Check(doc()), "Wertpapier bearbeiten",
                  "Das Wertpapier ist nicht mehr vorhanden!", "");
    EXPECT_EQ(form.Apply(doc()), -1);
    EXPECT_EQ(doc().securities.size(), 1u);
}

TEST_F(SecurityFormTest, QuoteCurrencyMustExist) {
    for (int32_t currency : {-1, 7}) {
        SCOPED_TRACE(currency);
        SecurityForm form = NewForm("Neu", "999");
        form.quoteCurrencyId = currency;
        ExpectRefusal(form.Check(doc()), "Neues Wertpapier",
                      "Bitte wählen Sie die Währung für die Wertpapierkurse aus!", "quoteCurrency");
        EXPECT_EQ(form.Apply(doc()), -1);
    }
}

// "Ω" has no place in Windows-1252, "€" has.
TEST_F(SecurityFormTest, TextTheFileCannotStoreIsRefusedAtItsField) {
    doc().options.isinLabel = "ISIN-Nr.";
    doc().options.ownCategoryCaption2 = "Strategie";
    struct Case {
        std::string SecurityForm::*member;
        const char* caption;
        const char* field;
    };
    const Case cases[] = {
        {&SecurityForm::name, "Bezeichnung", "name"},
        {&SecurityForm::wkn, "WKN", "wkn"},
        {&SecurityForm::isin, "ISIN-Nr.", "isin"},
        {&SecurityForm::type, "Typ", "type"},
        {&SecurityForm::sector, "Branche", "sector"},
        {&SecurityForm::country, "Land", "country"},
        {&SecurityForm::index, "Index/Marktsegment", "index"},
        {&SecurityForm::category1, "Eigene Kategorie 1", "category1"},
        {&SecurityForm::category2, "Strategie", "category2"},
        {&SecurityForm::remarks, "Bemerkungen", "remarks"},
        {&SecurityForm::internetUrl, "Adresse/URL", "internetUrl"},
        {&SecurityForm::internetTextBeforeQuote, "Text vor Kurs", "internetTextBeforeQuote"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        SecurityForm form = NewForm("Neu", "999");
        form.*c.member += "Ω";
        ExpectRefusal(form.Check(doc()), "Neues Wertpapier",
                      std::string("Das Feld „") + c.caption +
                          "“ enthält das Zeichen „Ω“, das in der Datei nicht gespeichert werden "
                          "kann. Bitte ändern Sie die Eingabe!",
                      c.field);
        EXPECT_EQ(form.Apply(doc()), -1);
        form.*c.member = "Zins 5 € p. a.";
        EXPECT_FALSE(form.Check(doc()).has_value());
    }
    // An empty name is reported before text the file cannot store.
    SecurityForm form = NewForm("", "999");
    form.remarks = "Ω";
    EXPECT_EQ(form.Check(doc())->field, "name");
}

TEST_F(SecurityFormTest, KeyFiguresAreReadWithTheDocumentSeparators) {
    struct Case {
        const char* text;
        bool negativeAllowed;  // earnings and cash flow
        bool accepted;
        bool entered;
        double value;
    };
    const Case cases[] = {
        {"", true, true, false, 0.0},
        {"   ", true, true, false, 0.0},
        {"1.234,50", true, true, true, 1234.5},
        {"0", true, true, true, 0.0},
        {"-2,5", true, true, true, -2.5},
        {"-2,5", false, false, false, 0.0},
        {"1,23456789", false, true, true, 1.2345678},
        {"1.5.", true, true, true, 15.0},
        {"1,2,3", true, false, false, 0.0},
        {"abc", false, false, false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SecurityForm form = NewForm("Neu", "999");
        std::string& field = c.negativeAllowed ? form.cashFlow : form.dividend;
        field = c.text;
        const MaybeMessage m = form.Check(doc());
        if (!c.accepted) {
            ExpectRefusal(m, "Neues Wertpapier", "Bitte geben Sie eine gültige Zahl ein!",
                          c.negativeAllowed ? "cashFlow" : "dividend");
            continue;
        }
        EXPECT_FALSE(m.has_value());
        CFolari2Doc copy = doc();
        const int32_t id = form.Apply(copy);
        ASSERT_GE(id, 0);
        const CFL2Wertpapier& s = *copy.FindSecurity(id);
        const int bit = c.negativeAllowed ? kFigureCashFlow : kFigureDividend;
        EXPECT_EQ((s.figuresSet & bit) != 0, c.entered);
        EXPECT_EQ(s.figuresSet & ~bit, 0);
        EXPECT_DOUBLE_EQ(c.negativeAllowed ? s.cashFlow : s.dividend, c.value);
    }
}

TEST_F(SecurityFormTest, FirstBadKeyFigureGetsTheFocus) {
    SecurityForm form = NewForm("", "999");
    form.earnings2 = "x";
    form.dividend = "y";
    EXPECT_EQ(form.Check(doc())->field, "earnings2");
    form.earnings1 = "z";
    EXPECT_EQ(form.Check(doc())->field, "earnings1");
}

TEST_F(SecurityFormTest, EveryFieldIsStoredAndReadBack) {
    doc().options.decimalSeparator = ".";
    doc().options.thousandsSeparator = "'";
    SecurityForm form = NewForm("Gamma AG", "GAM111");
    form.isin = "DE000GAM1111";
    form.quoteCurrencyId = 1;
    form.type = "Aktie";
    form.sector = "Chemie";
    form.country = "Deutschland";
    form.index = "DAX";
    form.earnings1 = "1'234.5";
    form.earnings2 = "-0.75";
    form.halfIncomeProcedure = true;
    form.noManualQuotes = true;
    form.noChart = true;
    form.category1 = "Kern";
    form.category2 = "Langfrist";
    form.remarks = "Zeile 1\r\nZeile 2";
    form.internetImport = true;
    form.internetUrl = "http://kurse.example/GAM111.htm";
    form.internetTextBeforeQuote = "Letzter:";
    form.internetDecimalSeparator = 1;
    form.vtplus = {true, "714", "2", "10/3/16/3", "GAMMA", "0/3/4/3", 1};
    ASSERT_FALSE(form.Check(doc()).has_value());

    int heard = 0;
    doc().AddEditListener([&] { ++heard; });
    const int32_t id = form.Apply(doc());
    ASSERT_GE(id, 0);
    EXPECT_EQ(heard, 1);
    const CFL2Wertpapier& s = *doc().FindSecurity(id);
    EXPECT_EQ(s.creationKind, 1);
    EXPECT_EQ(s.quoteCurrencyId, 1);
    EXPECT_EQ(s.earnings1, 1234.5);
    EXPECT_EQ(s.earnings2, -0.75);
    EXPECT_EQ(s.figuresSet, kFigureEarnings1 | kFigureEarnings2);
    EXPECT_EQ(s.vtplusControlText2, "0/3/4/3");
    EXPECT_EQ(s.vtplusDecimalSeparator, 1);
    EXPECT_EQ(s.internetDecimalSeparator, 1);
    EXPECT_EQ(s.halfIncomeProcedure, 1);

    SecurityForm back = SecurityForm::ForEdit(doc(), id);
    EXPECT_EQ(back.Title(), "Wertpapier bearbeiten");
    EXPECT_EQ(back.earnings1, "1'234.50");
    EXPECT_EQ(back.earnings2, "-0.75");
    EXPECT_EQ(back.dividend, "");
    EXPECT_EQ(back.cashFlow, "");
    // Apart from the canonical number texts, the form reads back as it was typed.
    back.earnings1 = form.earnings1;
    back.id = form.id;
    EXPECT_EQ(back.name, form.name);
    EXPECT_EQ(back.remarks, form.remarks);
    EXPECT_EQ(back.vtplus, form.vtplus);
    EXPECT_EQ(back.internetUrl, form.internetUrl);
    EXPECT_EQ(back.category2, form.category2);
    EXPECT_TRUE(back.noChart && back.noManualQuotes && back.internetImport);
}

TEST_F(SecurityFormTest, EditingKeepsWhatTheDialogDoesNotShow) {
    CFL2Wertpapier& stored = *doc().FindSecurity(alpha);
    stored.aux1 = 5;
    stored.aux2 = "alt";
    stored.creationKind = 2;
    stored.aux5 = 9;
    b.Quote(alpha, Day(2, 1, 2020), 12.5);

    SecurityForm form = SecurityForm::ForEdit(doc(), alpha);
    form.name = "Alpha neu";
    form.dividend = "";
    ASSERT_FALSE(form.Check(doc()).has_value()) << "same currency: no question";
    EXPECT_EQ(form.Apply(doc()), alpha);
    const CFL2Wertpapier& s = *doc().FindSecurity(alpha);
    EXPECT_EQ(s.name, "Alpha neu");
    EXPECT_EQ(s.aux1, 5);
    EXPECT_EQ(s.aux2, "alt");
    EXPECT_EQ(s.creationKind, 2);
    EXPECT_EQ(s.aux5, 9);
    ASSERT_EQ(s.quotes.Items().size(), 1u);
    EXPECT_EQ(s.quotes.Items()[0].value, 12.5);
}

// 100 DM = 100 / 1,95583 EUR = 51,129188... EUR; 10 EUR = 19,5583 DM.
TEST_F(SecurityFormTest, ChangingTheQuoteCurrencyAsksAndConvertsTheHistory) {
    const int32_t mark = b.Security("Mark AG", "DM1", 1);
    b.Quote(mark, Day(2, 1, 2020), 100.0);
    b.Quote(mark, Day(3, 1, 2020), 195.583);

    SecurityForm form = SecurityForm::ForEdit(doc(), mark);
    form.quoteCurrencyId = 0;
    const MaybeMessage question = form.Check(doc());
    ASSERT_TRUE(question.has_value());
    EXPECT_TRUE(question->IsQuestion());
    EXPECT_EQ(question->title, "Wertpapier bearbeiten");
    EXPECT_EQ(question->text,
              "Sie haben die Währung für die Wertpapierkurse geändert.\nAlle vorhandenen Kurse "
              "werden nun von DM auf EUR umgestellt.");
    EXPECT_EQ(question->field, "quoteDecimals");

    struct Case {
        int decimals;
        double first;  // 0 = refused
        double second;
    };
    const Case cases[] = {
        {2, 51.13, 100.0},      {4, 51.1292, 100.0}, {0, 51.0, 100.0},
        {7, 51.1291881, 100.0}, {-1, 0.0, 0.0},      {8, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.decimals);
        CFolari2Doc copy = doc();
        copy.SetModified(false);
        SecurityForm answered = form;
        answered.quoteDecimals = c.decimals;
        const int32_t id = answered.Apply(copy);
        const CFL2Wertpapier& s = *copy.FindSecurity(mark);
        if (c.first == 0.0) {
            EXPECT_EQ(id, -1);
            EXPECT_FALSE(copy.IsModified());
            EXPECT_EQ(s.quoteCurrencyId, 1);
            EXPECT_EQ(s.quotes.Items()[0].value, 100.0);
            continue;
        }
        EXPECT_EQ(id, mark);
        EXPECT_EQ(s.quoteCurrencyId, 0);
        ASSERT_EQ(s.quotes.Items().size(), 2u);
        EXPECT_DOUBLE_EQ(s.quotes.Items()[0].value, c.first);
        EXPECT_DOUBLE_EQ(s.quotes.Items()[1].value, c.second);
    }

    // Back from the euro into the mark: 10 EUR = 19,5583 DM, rounded to 2 decimals.
    const int32_t euro = b.Security("Euro AG", "EU1");
    b.Quote(euro, Day(2, 1, 2020), 10.0);
    SecurityForm toMark = SecurityForm::ForEdit(doc(), euro);
    toMark.quoteCurrencyId = 1;
    EXPECT_NE(toMark.Check(doc())->text.find("von EUR auf DM"), std::string::npos);
    ASSERT_EQ(toMark.Apply(doc()), euro);
    EXPECT_DOUBLE_EQ(doc().FindSecurity(euro)->quotes.Items()[0].value, 19.56);
}

TEST_F(SecurityFormTest, ANewSecurityInAnotherCurrencyIsNotAsked) {
    SecurityForm form = NewForm("Neu", "999");
    form.quoteCurrencyId = 1;
    EXPECT_FALSE(form.Check(doc()).has_value());
}

TEST_F(SecurityFormTest, VtplusFields) {
    const char* kSubpage = "Bitte geben Sie als Unterseite eine Zahl von 1 bis 99 ein!";
    const char* kBox =
        "Bitte geben Sie die Position in der Form Spalte/Zeile/Spalte/Zeile ein (Spalten 0 bis "
        "39)!";
    struct Case {
        const char* subpage;
        const char* quotePosition;
        const char* controlPosition;
        const char* text;  // empty: accepted
        const char* field;
    };
    const Case cases[] = {
        {"", "", "", "", ""},
        {"1", "0/0/39/0", "", "", ""},
        {"99", "30/1/5/2", "5/1/5/1", "", ""},  // across a line break; a single character
        {"01", "1/2/3/2", "", "", ""},
        {"0", "", "", kSubpage, "vtplusSubpage"},
        {"100", "", "", kSubpage, "vtplusSubpage"},
        {"-1", "", "", kSubpage, "vtplusSubpage"},
        {"1a", "", "", kSubpage, "vtplusSubpage"},
        {"", "1/2/3", "", kBox, "vtplusQuotePosition"},
        {"", "1/2/3/4/5", "", kBox, "vtplusQuotePosition"},
        {"", "40/0/41/0", "", kBox, "vtplusQuotePosition"},
        {"", "5/1/3/1", "", kBox, "vtplusQuotePosition"},
        {"", "5/2/6/1", "", kBox, "vtplusQuotePosition"},
        {"", " 1/2/3/2", "", kBox, "vtplusQuotePosition"},
        {"", "1/2/3/2", "a/b/c/d", kBox, "vtplusControlText2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.subpage) + " " + c.quotePosition + " " + c.controlPosition);
        VtplusFields fields;
        fields.subpage = c.subpage;
        fields.quotePosition = c.quotePosition;
        fields.controlPosition = c.controlPosition;
        const MaybeMessage m = CheckVtplusFields(fields);
        if (*c.text == '\0') {
            EXPECT_FALSE(m.has_value()) << m->text;
            continue;
        }
        ExpectRefusal(m, "Daten für Kursimport aus dem Videotext", c.text, c.field);
        // The security dialog reports the same under its own title.
        SecurityForm form = NewForm("Neu", "999");
        form.vtplus = fields;
        ExpectRefusal(form.Check(doc()), "Neues Wertpapier", c.text, c.field);
    }
    VtplusFields fields;
    fields.controlText = "Ω";
    EXPECT_EQ(CheckVtplusFields(fields)->field, "vtplusControlText");
}

TEST_F(SecurityFormTest, CaptionsFollowTheDocumentOptions) {
    doc().options.earningsYear1 = "2024";
    doc().options.earningsYear2 = "2025e";
    doc().options.ownCategoryCaption1 = "";
    doc().options.ownCategoryCaption2 = "Risiko";
    doc().options.isinLabel = "Kürzel";
    const SecurityCaptions c = SecurityCaptionsOf(doc());
    EXPECT_EQ(c.earnings1, "&Gew. 2024");
    EXPECT_EQ(c.earnings2, "G&ew. 2025e");
    EXPECT_EQ(c.category1, "EK1");
    EXPECT_EQ(c.category2, "Risiko");
    EXPECT_EQ(c.isin, "Kürzel");
}

// --- Templates ---

TemplateSource Source(const std::string& url, const std::string& text = "Kurs:") {
    TemplateSource s;
    s.name = "Alpha";
    s.wkn = "111";
    s.shortCode = "ALP";
    s.url = url;
    s.textBeforeQuote = text;
    return s;
}

TEST(SecurityTemplates, MakingATemplateRefusesWhatCannotBeMadeInto) {
    const char* kTitle = "Wertpapier bearbeiten";
    struct Case {
        const char* what;
        TemplateSource source;
        const char* text;
        const char* field;
    };
    TemplateSource noIdentifiers = Source("http://kurse.example/111");
    noIdentifiers.wkn.clear();
    noIdentifiers.name.clear();
    noIdentifiers.shortCode.clear();
    const Case cases[] = {
        {"empty address", Source(""),
         "Sie müssen zuerst eine Adresse (URL) eingeben, bevor Sie eine neue Vorlage erzeugen "
         "können!",
         "internetUrl"},
        {"no identifier in the address", Source("http://kurse.example/alpha"),
         "Damit Sie eine neue Vorlage erzeugen können, muss in der Adresse (URL) entweder die "
         "WKN, die ISIN (Kürzel) oder die Wertpapierbezeichnung vorkommen!",
         "internetUrl"},
        {"empty values never occur", noIdentifiers,
         "Damit Sie eine neue Vorlage erzeugen können, muss in der Adresse (URL) entweder die "
         "WKN, die ISIN (Kürzel) oder die Wertpapierbezeichnung vorkommen!",
         "internetUrl"},
        {"empty recognition text", Source("http://kurse.example/111", ""),
         "Sie müssen zuerst unter 'Text vor Kurs' einen Erkennungstext eingeben, bevor Sie eine "
         "neue Vorlage erzeugen können!",
         "internetTextBeforeQuote"},
        {"separator in the address", Source("http://kurse.example/111?x=*******"),
         "Die Adresse (URL) darf keine sieben Sterne (*******) hintereinander enthalten, wenn "
         "daraus eine Vorlage erzeugt werden soll!",
         "internetUrl"},
        {"separator in the recognition text", Source("http://kurse.example/111", "*******Kurs"),
         "Der Text vor Kurs darf keine sieben Sterne (*******) hintereinander enthalten, wenn "
         "daraus eine Vorlage erzeugt werden soll!",
         "internetTextBeforeQuote"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRefusal(CheckMakeTemplate(c.source, kTitle), kTitle, c.text, c.field);
        CFolari2Doc doc;
        EXPECT_EQ(AddTemplate(doc, c.source, kTitle)->text, c.text);
        EXPECT_TRUE(std::as_const(doc).InternetTemplates().empty());
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST(SecurityTemplates, MakingATemplatePutsPlaceholdersInTheAddress) {
    struct Case {
        const char* what;
        TemplateSource source;
        int32_t separator;
        const char* expected;
    };
    TemplateSource bezWkn = Source("http://k.example/BEZ/Alpha");
    bezWkn.wkn = "BEZ";
    TemplateSource nameHoldsWkn = Source("http://k.example/Alpha111?w=111");
    nameHoldsWkn.name = "Alpha111";
    const Case cases[] = {
        {"number", Source("http://kurse.example/111.htm"), 0,
         "http://kurse.example/***WKN***.htm*******Kurs:*******K"},
        {"every kind, every occurrence", Source("http://k.example/Alpha/111/ALP?n=Alpha&w=111"), 1,
         "http://k.example/***BEZ***/***WKN***/***KRZ***?n=***BEZ***&w=***WKN***"
         "*******Kurs:*******P"},
        {"case-sensitive", Source("http://k.example/alpha/111"), 0,
         "http://k.example/alpha/***WKN**********Kurs:*******K"},
        {"the name first, its digits are not the number", nameHoldsWkn, 0,
         "http://k.example/***BEZ***?w=***WKN**********Kurs:*******K"},
        {"a number that looks like a placeholder part", bezWkn, 0,
         "http://k.example/***WKN***/***BEZ**********Kurs:*******K"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TemplateSource source = c.source;
        source.decimalSeparator = c.separator;
        EXPECT_EQ(MakeTemplate(source), c.expected);
    }
}

TEST(SecurityTemplates, AddingStoresATemplateOnce) {
    CFolari2Doc doc;
    int heard = 0;
    doc.AddEditListener([&] { ++heard; });
    const TemplateSource source = Source("http://kurse.example/111.htm");
    EXPECT_FALSE(AddTemplate(doc, source, "Neues Wertpapier").has_value());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(heard, 1);
    ASSERT_EQ(std::as_const(doc).InternetTemplates().size(), 1u);

    // Another security with the same source gives the same template.
    TemplateSource other = Source("http://kurse.example/222.htm");
    other.wkn = "222";
    doc.SetModified(false);
    ExpectRefusal(AddTemplate(doc, other, "Neues Wertpapier"), "Neues Wertpapier",
                  "Diese Vorlage ist bereits vorhanden!", "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(heard, 1);
    other.decimalSeparator = 1;
    EXPECT_FALSE(AddTemplate(doc, other, "Neues Wertpapier").has_value());
    EXPECT_EQ(std::as_const(doc).InternetTemplates().size(), 2u);
}

TEST(SecurityTemplates, UsingFillsInTheTemplatesTheSecurityCanServe) {
    CFolari2Doc doc;
    TemplateSource security = Source("http://");
    EXPECT_EQ(TemplateRows(doc, security).hint, "Es sind noch keine Vorlagen vorhanden.");
    EXPECT_TRUE(TemplateRows(doc, security).rows.empty());

    // The last two addresses end in a placeholder, which runs into the separator.
    const std::string sep = kTemplateSeparator;
    doc.InternetTemplates() = {
        "http://a.example/***WKN***.htm" + sep + "Kurs:" + sep + "K",
        "http://b.example/?s=***KRZ***&n=***BEZ***" + sep + "Last" + sep + "P",
        "http://c.example/***KRZ***/***BEZ***/***WKN***" + sep + "Geld" + sep + "P",
    };
    ASSERT_EQ(doc.InternetTemplates()[2],
              "http://c.example/***KRZ***/***BEZ***/***WKN**********Geld*******P");
    struct Case {
        const char* what;
        const char* name;
        const char* wkn;
        const char* shortCode;
        std::vector<TemplateRow> rows;
        const char* hint;
    };
    const char* kMore =
        "Es sind weitere Vorlagen verfügbar, diese benötigen aber folgende Angaben: ";
    const Case cases[] = {
        {"every value",
         "Alpha",
         "111",
         "ALP",
         {{0, "http://a.example/111.htm", "Kurs:", 0},
          {1, "http://b.example/?s=ALP&n=Alpha", "Last", 1},
          {2, "http://c.example/ALP/Alpha/111", "Geld", 1}},
         ""},
        {"no short code",
         "Alpha",
         "111",
         "",
         {{0, "http://a.example/111.htm", "Kurs:", 0}},
         "ISIN/Kürzel"},
        {"nothing but the short code", "", "", "ALP", {}, "Bezeichnung, WKN"},
        {"no value at all", "", "", "", {}, "Bezeichnung, WKN, ISIN/Kürzel"},
        {"a value holding a placeholder is taken as it is",
         "***WKN***",
         "111",
         "X",
         {{0, "http://a.example/111.htm", "Kurs:", 0},
          {1, "http://b.example/?s=X&n=***WKN***", "Last", 1},
          {2, "http://c.example/X/***WKN***/111", "Geld", 1}},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        security.name = c.name;
        security.wkn = c.wkn;
        security.shortCode = c.shortCode;
        const TemplateChoice choice = TemplateRows(doc, security);
        EXPECT_EQ(choice.rows, c.rows);
        EXPECT_EQ(choice.hint, *c.hint == '\0' ? std::string() : kMore + std::string(c.hint));
    }
    EXPECT_EQ(TemplateRow{}.SeparatorText(), "Komma");
    EXPECT_EQ((TemplateRow{0, "", "", 1}).SeparatorText(), "Punkt");
}

TEST(SecurityTemplates, DamagedTemplatesAreShownAsFarAsTheyGo) {
    CFolari2Doc doc;
    doc.InternetTemplates() = {"http://a.example/***WKN***", "http://b.example/*******Kurs:", "",
                               "http://c.example/*******Kurs***********P"};
    const TemplateChoice choice = TemplateRows(doc, Source("http://"));
    const std::vector<TemplateRow> expected = {
        {0, "http://a.example/111", "", 0},
        {1, "http://b.example/", "Kurs:", 0},
        {2, "", "", 0},
        {3, "http://c.example/", "Kurs****", 1},  // a recognition text ending in stars
    };
    EXPECT_EQ(choice.rows, expected);
}

TEST(SecurityTemplates, UsingAndDeletingFromTheSecurityDialog) {
    DocBuilder b;
    CFolari2Doc& doc = b.doc;
    SecurityForm form = SecurityForm::New(doc);
    form.name = "Alpha";
    form.wkn = "111";
    form.internetUrl = "http://kurse.example/111.htm";
    form.internetTextBeforeQuote = "Schluss:";
    form.internetDecimalSeparator = 1;
    ASSERT_FALSE(AddTemplate(doc, form.Template(), form.Title()).has_value());
    EXPECT_EQ(std::as_const(doc).InternetTemplates().back(),
              "http://kurse.example/***WKN***.htm*******Schluss:*******P");

    SecurityForm other = SecurityForm::New(doc);
    other.name = "Beta";
    other.wkn = "222";
    const TemplateChoice choice = TemplateRows(doc, other.Template());
    ASSERT_EQ(choice.rows.size(), 1u);
    other.UseTemplate(choice.rows[0]);
    EXPECT_EQ(other.internetUrl, "http://kurse.example/222.htm");
    EXPECT_EQ(other.internetTextBeforeQuote, "Schluss:");
    EXPECT_EQ(other.internetDecimalSeparator, 1);
    EXPECT_FALSE(other.internetImport) << "using a template does not switch the import on";

    doc.SetModified(false);
    EXPECT_FALSE(DeleteTemplate(doc, 1));
    EXPECT_FALSE(DeleteTemplate(doc, -1));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(DeleteTemplate(doc, choice.rows[0].templateIndex));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(std::as_const(doc).InternetTemplates().empty());
}

// --- "Wertpapier-Editor" ---

TEST_F(SecurityFormTest, EditorListsEverySecurityByName) {
    doc().options.isinLabel = "Kürzel";
    const int32_t gamma = b.Security("alpha2", "333", 1);
    b.Quote(gamma, Day(2, 1, 2020), 1.0);
    b.Quote(gamma, Day(3, 1, 2020), 2.0);
    doc().FindSecurity(beta)->isin = "BET";
    const SecurityEditorForm editor;
    const std::vector<SecurityEditorRow> expected = {
        {alpha, "Alpha", "111", "", "EUR", "0"},
        {gamma, "alpha2", "333", "", "DM", "2"},
        {beta, "Beta", "222", "BET", "EUR", "0"},
    };
    EXPECT_EQ(editor.Rows(doc()), expected);
    EXPECT_EQ(SecurityEditorColumns(doc()),
              (std::vector<std::string>{"Bezeichnung", "WKN", "Kürzel", "Kurse in", "Kurse"}));
}

TEST_F(SecurityFormTest, EditorDeletesOnlyWhatNoTransactionUses) {
    b.Buy(Day(2, 1, 2020), alpha, 10, 5.0);
    SecurityEditorForm editor;
    EXPECT_FALSE(editor.HasSelection(doc()));
    EXPECT_FALSE(editor.Check(doc()).has_value());
    EXPECT_FALSE(editor.Apply(doc()));

    editor.selectedId = alpha;
    ExpectRefusal(editor.Check(doc()), "Wertpapier-Editor",
                  "Dieses Wertpapier kann nicht gelöscht werden, da es in Transaktionen "
                  "verwendet wird!",
                  "");
    doc().SetModified(false);
    EXPECT_FALSE(editor.Apply(doc()));
    EXPECT_NE(doc().FindSecurity(alpha), nullptr);
    EXPECT_FALSE(doc().IsModified());

    editor.selectedId = beta;
    const MaybeMessage question = editor.Check(doc());
    ASSERT_TRUE(question.has_value());
    EXPECT_TRUE(question->IsQuestion());
    EXPECT_EQ(question->title, "Wertpapier-Editor");
    EXPECT_EQ(question->text, "Möchten Sie dieses Wertpapier wirklich löschen?");
    int heard = 0;
    doc().AddEditListener([&] { ++heard; });
    EXPECT_TRUE(editor.Apply(doc()));
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(doc().FindSecurity(beta), nullptr);
    EXPECT_FALSE(editor.HasSelection(doc()));

    editor.selectedId = alpha;
    EXPECT_EQ(editor.EditSelected(doc()).name, "Alpha");
    EXPECT_EQ(editor.NewSecurity(doc()).internetUrl, "http://");
}

}  // namespace
}  // namespace pf

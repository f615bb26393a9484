#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/document.h"
#include "shell/depot_data_form.h"
#include "shell/general_options_form.h"
#include "shell/new_file_wizard_form.h"
#include "shell/options_sheet.h"
#include "shell/text_output_form.h"

namespace pf {
namespace {

const CQRNDatum kToday = DateOf(15, 6, 2026);

// --- New-file wizard ---

// The rates carry every significant decimal and group their thousands: the lira's text
// once read "1936,27 Lit = 1 EUR".
TEST(NewFileWizardForm, LegacyRowsCarryTheRateWithEverySignificantDecimal) {
    const std::vector<std::vector<std::string>> expected = {
        {"Deutsche Mark", "DM", "1,95583 DM = 1 EUR"},
        {"Österreichische Schilling", "öS", "13,7603 öS = 1 EUR"},
        {"Niederländische Gulden", "hFl", "2,20371 hFl = 1 EUR"},
        {"Belgische Francs", "bfr", "40,3399 bfr = 1 EUR"},
        {"Luxemburgische Francs", "lfr", "40,3399 lfr = 1 EUR"},
        {"Italienische Lire", "Lit", "1.936,27 Lit = 1 EUR"},
        {"Spanische Peseten", "Ptas", "166,386 Ptas = 1 EUR"},
        {"Französische Francs", "FF", "6,55957 FF = 1 EUR"},
        {"Portugiesische Escudos", "PTE", "200,482 PTE = 1 EUR"},
        {"Irische Pfund", "IEP", "0,787564 IEP = 1 EUR"},
        {"Finnische Markkaa", "FIM", "5,94573 FIM = 1 EUR"},
    };
    const auto rows = NewFileWizardForm::LegacyRows();
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].name, expected[i][0]);
        EXPECT_EQ(rows[i].symbol, expected[i][1]);
        EXPECT_EQ(rows[i].rateText, expected[i][2]);
    }
}

TEST(NewFileWizardForm, TicksFormTheMaskAndTheAccountCurrencyChoices) {
    NewFileWizardForm form;
    ASSERT_EQ(form.legacyChecked.size(), 11u);
    EXPECT_EQ(form.AccountCurrencyChoices(), std::vector<std::string>{"EUR"});
    EXPECT_EQ(form.Choices().legacyCurrencyMask, 0u);

    form.legacyChecked[0] = true;   // DM
    form.legacyChecked[5] = true;   // Lit
    form.legacyChecked[10] = true;  // FIM
    EXPECT_EQ(form.Choices().legacyCurrencyMask, (1u << 0) | (1u << 5) | (1u << 10));
    EXPECT_EQ(form.AccountCurrencyChoices(), (std::vector<std::string>{"EUR", "DM", "Lit", "FIM"}));

    // A symbol that page 1 no longer creates falls back to the first one.
    form.accountCurrencySymbol = "Lit";
    EXPECT_EQ(form.Choices().initialAccountCurrencySymbol, "Lit");
    form.legacyChecked[5] = false;
    EXPECT_EQ(form.EffectiveAccountCurrency(), "EUR");
    EXPECT_EQ(form.Choices().initialAccountCurrencySymbol, "EUR");

    // The own currency replaces the euro and its legacy currencies; the ticks stay aside.
    form.euroWithLegacy = false;
    form.ownSymbol = "  CHF ";
    form.ownName = "Schweizer Franken";
    EXPECT_EQ(form.AccountCurrencyChoices(), std::vector<std::string>{"CHF"});
    const NewDocumentChoices choices = form.Choices();
    EXPECT_EQ(choices.legacyCurrencyMask, 0u);
    EXPECT_EQ(choices.ownBaseSymbol, "CHF");
    EXPECT_EQ(choices.ownBaseName, "Schweizer Franken");
    EXPECT_EQ(choices.initialAccountCurrencySymbol, "CHF");
}

TEST(NewFileWizardForm, LeavingPage1NeedsASymbolOnlyForTheOwnCurrency) {
    NewFileWizardForm form;
    form.ownSymbol = "";
    EXPECT_FALSE(form.LeavePage1()) << "the euro choice needs no symbol";

    form.euroWithLegacy = false;
    for (const char* blank : {"", "   "}) {
        SCOPED_TRACE(blank);
        form.ownSymbol = blank;
        const MaybeMessage m = form.LeavePage1();
        ASSERT_TRUE(m);
        EXPECT_EQ(*m, (Message{"Neue Datei", "Bitte geben Sie ein Währungssymbol ein!",
                               MessageIcon::Information, "symbol"}));
        EXPECT_TRUE(form.AccountCurrencyChoices().empty());
    }
    form.ownSymbol = "CHF";
    EXPECT_FALSE(form.LeavePage1());

    // A name the file cannot hold would be lost on saving.
    form.ownName = "Franken ✓";
    const MaybeMessage m = form.LeavePage1();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field, "name");
    EXPECT_EQ(m->text,
              "Das Feld „Bezeichnung“ enthält das Zeichen „✓“, das in der Datei nicht "
              "gespeichert werden kann. Bitte ändern Sie die Eingabe!");
}

TEST(NewFileWizardForm, ChoicesBuildTheDocumentWithItsCurrenciesAndAccountCurrency) {
    struct Case {
        const char* what;
        bool euro;
        std::vector<size_t> ticked;
        std::string accountSymbol;
        std::vector<std::string> currencies;  // symbols in list order
        std::string accountCurrency;
    };
    const Case cases[] = {
        {"euro alone", true, {}, "EUR", {"EUR"}, "EUR"},
        {"euro, DM and FF, account in DM", true, {0, 7}, "DM", {"EUR", "DM", "FF"}, "DM"},
        {"an unticked account currency falls back", true, {1}, "DM", {"EUR", "öS"}, "EUR"},
        {"own currency", false, {0}, "EUR", {"CHF"}, "CHF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NewFileWizardForm form;
        form.euroWithLegacy = c.euro;
        for (size_t i : c.ticked) form.legacyChecked[i] = true;
        form.ownSymbol = "CHF";
        form.ownName = "Schweizer Franken";
        form.depot = {"Erika Muster", "Weg 1\n12345 Stadt", "10020030", "123456", "D-77"};
        form.accountCurrencySymbol = c.accountSymbol;

        CFolari2Doc doc;
        doc.NewDocument(form.Choices(), kToday);
        std::vector<std::string> symbols;
        for (const CFL2Waehrung& currency : doc.currencies) symbols.push_back(currency.symbol);
        EXPECT_EQ(symbols, c.currencies);
        const CFL2Waehrung* account = doc.FindCurrency(doc.initialAccountCurrencyId);
        ASSERT_NE(account, nullptr);
        EXPECT_EQ(account->symbol, c.accountCurrency);
        EXPECT_EQ(doc.depot, form.depot);
    }
}

// --- Options, page "Allgemein" ---

TEST(GeneralOptionsForm, ChecksComeInTheirOrder) {
    struct Case {
        const char* what;
        bool protect;
        std::string password, repetition, decimal, thousands;
        bool noGrouping;
        std::string text;  // empty: accepted
        std::string field;
    };
    const std::string kNoPassword = "Bitte geben Sie ein Kennwort ein!";
    const std::string kDiffer = "Die Kennwörter sind nicht identisch!";
    const std::string kSame =
        "Dezimaltrennzeichen und Tausendertrennzeichen dürfen nicht identisch sein!";
    const Case cases[] = {
        {"plain", false, "", "", ",", ".", false, "", ""},
        {"no password needed without protection", false, "", "x", ",", ".", false, "", ""},
        {"empty password comes first", true, "", "x", ".", ".", false, kNoPassword, "password"},
        {"repetition differs", true, "geheim", "Geheim", ".", ".", false, kDiffer, "repetition"},
        {"protected and matching", true, "geheim", "geheim", ",", ".", false, "", ""},
        {"equal separators", false, "", "", ".", ".", false, kSame, "decimalSeparator"},
        {"equal separators without grouping", false, "", "", ".", ".", true, "", ""},
        {"empty decimal separator", false, "", "", "", ".", false,
         "Bitte geben Sie ein Dezimaltrennzeichen ein!", "decimalSeparator"},
        {"digit as decimal separator", false, "", "", "1", ".", false,
         "Ziffern, Steuerzeichen, „+“ und „-“ können nicht als Dezimaltrennzeichen verwendet "
         "werden!",
         "decimalSeparator"},
        {"minus as thousands separator", false, "", "", ",", "-", false,
         "Ziffern, Steuerzeichen, „+“ und „-“ können nicht als Tausendertrennzeichen verwendet "
         "werden!",
         "thousandsSeparator"},
        {"plus ignored while grouping is off", false, "", "", ",", "+", true, "", ""},
        {"two characters", false, "", "", ",,", ".", false,
         "Das Dezimaltrennzeichen muss aus genau einem Zeichen bestehen!", "decimalSeparator"},
        {"typographic apostrophe is one storable character", false, "", "", ",", "’", false, "",
         ""},
        {"blank thousands separator", false, "", "", ",", " ", false, "", ""},
        {"unstorable thousands separator", false, "", "", ",", "\u2009", false,
         "Das Feld „Tausendertrennzeichen“ enthält das Zeichen „\u2009“, das in der Datei "
         "nicht gespeichert werden kann. Bitte ändern Sie die Eingabe!",
         "thousandsSeparator"},
        {"unstorable password", true, "π", "π", ",", ".", false,
         "Das Feld „Kennwort“ enthält das Zeichen „π“, das in der Datei nicht gespeichert "
         "werden kann. Bitte ändern Sie die Eingabe!",
         "password"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GeneralOptionsForm form;
        form.protect = c.protect;
        form.password = c.password;
        form.repetition = c.repetition;
        form.decimalSeparator = c.decimal;
        form.thousandsSeparator = c.thousands;
        form.noThousandsSeparator = c.noGrouping;
        const MaybeMessage m = form.Check();
        if (c.text.empty()) {
            EXPECT_FALSE(m) << m->text;
            continue;
        }
        ASSERT_TRUE(m);
        EXPECT_EQ(*m, (Message{"Optionen", c.text, MessageIcon::Information, c.field}));
    }
}

TEST(GeneralOptionsForm, RefusesCaptionsTheFileCannotHoldAndOddRounding) {
    GeneralOptionsForm form;
    form.splitRoundingDecimals = 8;
    ASSERT_TRUE(form.Check());
    EXPECT_EQ(form.Check()->field, "splitRoundingDecimals");
    form.splitRoundingDecimals = 7;
    form.earningsYears = "2026;2027";
    form.ownCategories = "Rohstoffe;Anleihen ☂";
    ASSERT_TRUE(form.Check());
    EXPECT_EQ(form.Check()->field, "ownCategories");
    form.ownCategories = "Rohstoffe;Anleihen €";  // the euro sign is in Windows-1252
    EXPECT_FALSE(form.Check());
    // The trend thresholds: -100 % and 1000 % are the ends of their range.
    form.trendStrongFall = -100.0;
    form.trendStrongRise = 1000.0;
    EXPECT_FALSE(form.Check());
    for (const double wrong : {-100.5, 1000.01, std::nan("")}) {
        form.trendFall = wrong;
        ASSERT_TRUE(form.Check()) << wrong;
        EXPECT_EQ(form.Check()->field, "trendStrongRise");
    }
}

TEST(GeneralOptionsForm, RoundTripThroughTheDocument) {
    CFolari2Doc doc;
    doc.NewDocument(NewDocumentChoices{}, kToday);
    doc.password = {"alt", 1};

    GeneralOptionsForm form = GeneralOptionsForm::FromDocument(doc);
    EXPECT_TRUE(form.protect);
    EXPECT_EQ(form.password, "alt");
    EXPECT_EQ(form.repetition, "alt");
    EXPECT_EQ(form.earningsYears, "2026;2027");
    EXPECT_EQ(form.ownCategories, "Eigene Kategorie 1;Eigene Kategorie 2");
    EXPECT_FALSE(form.noThousandsSeparator);
    EXPECT_FALSE(form.Check());

    // Unchanged, the page writes back what it read.
    CFolari2Doc same = doc;
    form.ApplyTo(same);
    EXPECT_EQ(same.options, doc.options);
    EXPECT_EQ(same.password, doc.password);

    form.password = form.repetition = "neu";
    form.periodFromChoice = kFromFixedDay;
    form.periodFromDate = DateOf(2, 1, 1970);
    form.periodToChoice = kToFixedDay;
    form.periodToDate = DateOf(18, 1, 2038);
    form.splitRoundingDecimals = 4;
    form.decimalSeparator = ".";
    form.thousandsSeparator = "x";  // ignored: no grouping
    form.noThousandsSeparator = true;
    form.earningsYears = "2030;2031;2032";  // split at the first ";"
    form.ownCategories = "Rohstoffe";       // no second part
    form.rememberTransactionDate = true;
    EXPECT_EQ(form.trendStrongRise, 1.0);  // the defaults of a new file
    EXPECT_EQ(form.trendStrongFall, -1.0);
    form.trendStrongRise = 2.5;
    form.trendRise = 0.5;
    form.trendStrongFall = -3.0;
    form.trendFall = -0.25;
    ASSERT_FALSE(form.Check());
    form.ApplyTo(doc);

    EXPECT_EQ(doc.password, (CQRNKennwort{"neu", 1}));
    const DocumentOptions& o = doc.options;
    EXPECT_EQ(o.periodFromChoice, kFromFixedDay);
    EXPECT_EQ(o.periodFromDate, DateOf(2, 1, 1970));
    EXPECT_EQ(o.periodToChoice, kToFixedDay);
    EXPECT_EQ(o.periodToDate, DateOf(18, 1, 2038));
    EXPECT_EQ(o.splitRoundingDecimals, 4);
    EXPECT_EQ(o.decimalSeparator, ".");
    EXPECT_EQ(o.thousandsSeparator, "");
    EXPECT_EQ(o.earningsYear1, "2030");
    EXPECT_EQ(o.earningsYear2, "2031;2032");
    EXPECT_EQ(o.ownCategoryCaption1, "Rohstoffe");
    EXPECT_EQ(o.ownCategoryCaption2, "");
    EXPECT_EQ(o.rememberTransactionDate, 1);
    EXPECT_EQ(o.internetQuotes, (InternetQuoteOptions{1, 2.5, 0.5, -3.0, -0.25}));

    // Reading back: no grouping shows as the ticked switch.
    const GeneralOptionsForm again = GeneralOptionsForm::FromDocument(doc);
    EXPECT_TRUE(again.noThousandsSeparator);
    EXPECT_EQ(again.ownCategories, "Rohstoffe;");

    // Protection off leaves no password in the file.
    form.protect = false;
    form.ApplyTo(doc);
    EXPECT_EQ(doc.password, (CQRNKennwort{"", 0}));
}

// --- The sheet "Optionen" ---

// A page that refuses or not as the test says and notes when it is written.
class RecordingPage : public OptionsPage {
  public:
    RecordingPage(std::string title, MaybeMessage refusal, std::vector<std::string>* applied)
        : title_(std::move(title)), refusal_(std::move(refusal)), applied_(applied) {}

    std::string Title() const override { return title_; }
    MaybeMessage Check() const override { return refusal_; }
    void ApplyTo(CFolari2Doc&) const override { applied_->push_back(title_); }

  private:
    std::string title_;
    MaybeMessage refusal_;
    std::vector<std::string>* applied_;
};

TEST(OptionsSheet, PagesAreCheckedInTabOrderAndAppliedAsOneEdit) {
    const Message refusal = Message::Refusal(kOptionsTitle, "Nein!", "field");
    struct Case {
        const char* what;
        bool firstRefuses, secondRefuses;
        std::optional<size_t> refusedPage;
    };
    const Case cases[] = {
        {"both pass", false, false, std::nullopt},
        {"second refuses", false, true, 1},
        {"both refuse: the first page counts", true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFolari2Doc doc;
        doc.NewDocument(NewDocumentChoices{}, kToday);
        int heard = 0;
        doc.AddEditListener([&] { ++heard; });
        std::vector<std::string> applied;
        OptionsSheet sheet;
        sheet.Add(std::make_unique<RecordingPage>(
            "Eins", c.firstRefuses ? MaybeMessage(refusal) : std::nullopt, &applied));
        sheet.Add(std::make_unique<RecordingPage>(
            "Zwei", c.secondRefuses ? MaybeMessage(refusal) : std::nullopt, &applied));

        const std::optional<OptionsRefusal> r = sheet.Check();
        ASSERT_EQ(r.has_value(), c.refusedPage.has_value());
        if (r) {
            EXPECT_EQ(r->page, *c.refusedPage);
            EXPECT_EQ(r->message, refusal);
        }
        EXPECT_EQ(sheet.Apply(doc), !r.has_value());
        const std::vector<std::string> written =
            r ? std::vector<std::string>{} : std::vector<std::string>{"Eins", "Zwei"};
        EXPECT_EQ(applied, written);
        EXPECT_EQ(heard, r ? 0 : 1);
        EXPECT_EQ(doc.IsModified(), !r.has_value());
    }
}

TEST(OptionsSheet, TheDocumentsSheetHasThePageAllgemein) {
    CFolari2Doc doc;
    doc.NewDocument(NewDocumentChoices{}, kToday);
    doc.password = {"alt", 1};
    OptionsSheet sheet = OptionsSheet::FromDocument(doc);
    ASSERT_GE(sheet.PageCount(), 1u);  // "Allgemein" first, then the report pages
    EXPECT_EQ(sheet.Page(0).Title(), "Allgemein");
    EXPECT_FALSE(sheet.Check());

    auto& general = dynamic_cast<GeneralOptionsPage&>(sheet.Page(0));
    general.form.repetition = "neu";
    const std::optional<OptionsRefusal> r = sheet.Check();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->page, 0u);
    EXPECT_EQ(r->message, (Message{"Optionen", "Die Kennwörter sind nicht identisch!",
                                   MessageIcon::Information, "repetition"}));
    EXPECT_FALSE(sheet.Apply(doc));
    EXPECT_EQ(doc.password.password, "alt");

    general.form.password = "neu";
    general.form.decimalSeparator = ".";
    general.form.thousandsSeparator = ",";
    EXPECT_TRUE(sheet.Apply(doc));
    EXPECT_EQ(doc.password.password, "neu");
    EXPECT_EQ(doc.options.decimalSeparator, ".");
    EXPECT_TRUE(doc.IsModified());
}

// --- Text output and depot data ---

TEST(TextOutputForm, TextFileNeedsANameTheClipboardDoesNot) {
    for (const char* name : {"", "  "}) {
        SCOPED_TRACE(name);
        const MaybeMessage m = TextOutputForm{TextOutputTarget::TextFile, 1, name}.Check();
        ASSERT_TRUE(m);
        EXPECT_EQ(*m, (Message{"Kopieren in Textdatei", "Bitte geben Sie einen Dateinamen ein!",
                               MessageIcon::Information, "fileName"}));
        EXPECT_FALSE((TextOutputForm{TextOutputTarget::Clipboard, 0, name}.Check()));
    }
    EXPECT_FALSE((TextOutputForm{TextOutputTarget::TextFile, 0, "/tmp/a.txt"}.Check()));
    EXPECT_STREQ(TextOutputForm::Title(TextOutputTarget::Clipboard), "Kopieren in Zwischenablage");
}

TEST(DepotDataForm, RefusesTheFirstTextTheFileCannotHold) {
    DepotDataForm form{{"Zoë Müller", "Straße 1\nParis", "D-1", "K-2", "B-3"}};
    EXPECT_FALSE(form.Check()) << "every character is in Windows-1252";

    form.data.depotNumber = "Depot ★";
    form.data.bankCode = "日本";
    const MaybeMessage m = form.Check();
    ASSERT_TRUE(m);
    EXPECT_EQ(*m, (Message{"Depotdaten",
                           "Das Feld „Depotnummer“ enthält das Zeichen „★“, das in der Datei "
                           "nicht gespeichert werden kann. Bitte ändern Sie die Eingabe!",
                           MessageIcon::Information, "depotNumber"}));

    // The wizard's second page refuses the same under its own title.
    NewFileWizardForm wizard;
    wizard.depot = form.data;
    ASSERT_TRUE(wizard.LeavePage2());
    EXPECT_EQ(wizard.LeavePage2()->title, "Neue Datei");
    EXPECT_EQ(wizard.LeavePage2()->field, "depotNumber");

    // Bytes that are not UTF-8 show as the replacement character.
    const MaybeMessage broken = CheckStorableText("a\xFF", "Adresse", "T", "f");
    ASSERT_TRUE(broken);
    EXPECT_NE(broken->text.find("„\uFFFD“"), std::string::npos);
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/engine_test_util.h"
#include "model/archive/document_file.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

namespace fs = std::filesystem;
using testing::Day;

// The file every test starts from, built by hand: the euro, the Deutsche Mark (fixed, id 1)
// and the US dollar (variable against the euro, 1,25 USD = 1 EUR on 01.02.2024 and 1,10 on
// 02.02.2024); "Beta" (WBeta) with quotes on 05., 10., 15., 20. and 25.01.2024, bought on
// 10.01. and sold completely on 20.01.2024; "Gamma" (WGamma) with quotes on 01. to 04.03.2024
// and no transactions.
class CliMasterData : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::DocBuilder b;
        const AddResult usd = b.doc.AddCurrency("USD", "US-Dollar", false, -1.0, -1.0,
                                                kBaseCurrencyId, kUnitsPerReference);
        ASSERT_EQ(usd.result, DocResult::Ok);
        CFL2Waehrung* dollar = b.doc.FindCurrency(usd.id);
        dollar->rates.SetQuote(Day(1, 2, 2024), 1.25);
        dollar->rates.SetQuote(Day(2, 2, 2024), 1.10);
        const int32_t beta = b.Security("Beta");
        for (int day : {5, 10, 15, 20, 25}) b.Quote(beta, Day(day, 1, 2024), 20.0 + day);
        const auto bought = b.Buy(Day(10, 1, 2024), beta, 10, 30.0);
        b.Sell(Day(20, 1, 2024), beta, {{bought.positionNo, 10}}, 40.0);
        const int32_t gamma = b.Security("Gamma");
        for (int day : {1, 2, 3, 4}) b.Quote(gamma, Day(day, 3, 2024), 50.0 + day);
        SaveDocumentFile(b.doc, File());
        original_ = Contents();
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        // 10 December 2026, noon UTC.
        const FixedClock clock(1796904000);
        return RunCli(args, out_, err_, clock);
    }
    std::string File() const { return (folder_ / "depot.fl2").string(); }
    std::string Contents() const { return testing::TempFolder::Contents(File()); }
    void Restore() const { std::ofstream(File(), std::ios::binary) << original_; }
    CFolari2Doc Read() const { return LoadDocumentFile(File(), ReadSettings{}).doc; }
    const CFL2Wertpapier* ByWkn(const CFolari2Doc& doc, const std::string& wkn) const {
        for (const CFL2Wertpapier& s : doc.securities)
            if (s.wkn == wkn) return &s;
        return nullptr;
    }
    std::vector<CQRNDatum> QuoteDates(const std::string& wkn) const {
        const CFolari2Doc doc = Read();
        std::vector<CQRNDatum> dates;
        if (const CFL2Wertpapier* s = ByWkn(doc, wkn))
            for (const CFL2Kurs& q : s->quotes.Items()) dates.push_back(q.date);
        return dates;
    }

    testing::TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string original_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliMasterData, AddListEditAndDeleteASecurity) {
    ASSERT_EQ(Run({"add-security",
                   File(),
                   "--name",
                   "Alpha AG",
                   "--wkn",
                   "A1",
                   "--isin",
                   "DE0000000001",
                   "--type",
                   "Aktie",
                   "--sector",
                   "Chemie",
                   "--country",
                   "Deutschland",
                   "--index",
                   "DAX",
                   "--earnings1",
                   "1.234,50",
                   "--earnings2",
                   "-0,5",
                   "--dividend",
                   "",
                   "--cash-flow",
                   "3",
                   "--half-income",
                   "1",
                   "--no-manual-quotes",
                   "0",
                   "--no-chart",
                   "1",
                   "--category1",
                   "Kern",
                   "--category2",
                   "Depot A",
                   "--remarks",
                   "erste Zeile\nzweite Zeile",
                   "--internet-import",
                   "1",
                   "--url",
                   "http://kurse.example/A1",
                   "--text-before-quote",
                   "Letzter:",
                   "--internet-decimal",
                   "punkt",
                   "--vtplus-import",
                   "1",
                   "--vtplus-page",
                   "520",
                   "--vtplus-subpage",
                   "2",
                   "--vtplus-quote-position",
                   "30/5/37/5",
                   "--vtplus-control-text",
                   "Alpha",
                   "--vtplus-control-position",
                   "0/5/10/5",
                   "--vtplus-decimal",
                   "komma"}),
              0)
        << err_.str();
    CFolari2Doc doc = Read();
    const CFL2Wertpapier* alpha = ByWkn(doc, "A1");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(out_.str(), std::to_string(alpha->id) + "\n");
    EXPECT_EQ(alpha->name, "Alpha AG");
    EXPECT_EQ(alpha->isin, "DE0000000001");
    EXPECT_EQ(alpha->quoteCurrencyId, kBaseCurrencyId);
    EXPECT_EQ(alpha->type, "Aktie");
    EXPECT_EQ(alpha->sector, "Chemie");
    EXPECT_EQ(alpha->country, "Deutschland");
    EXPECT_EQ(alpha->index, "DAX");
    // "1.234,50" in the document's format (decimal comma, thousands point) is 1234.5.
    EXPECT_EQ(alpha->earnings1, 1234.5);
    EXPECT_EQ(alpha->earnings2, -0.5);
    EXPECT_EQ(alpha->cashFlow, 3.0);
    EXPECT_EQ(alpha->figuresSet, kFigureEarnings1 | kFigureEarnings2 | kFigureCashFlow);
    EXPECT_EQ(alpha->halfIncomeProcedure, 1);
    EXPECT_EQ(alpha->noManualQuotes, 0);
    EXPECT_EQ(alpha->noChart, 1);
    EXPECT_EQ(alpha->category1, "Kern");
    EXPECT_EQ(alpha->category2, "Depot A");
    EXPECT_NE(alpha->remarks.find("zweite Zeile"), std::string::npos);
    EXPECT_EQ(alpha->internetImport, 1);
    EXPECT_EQ(alpha->internetUrl, "http://kurse.example/A1");
    EXPECT_EQ(alpha->internetTextBeforeQuote, "Letzter:");
    EXPECT_EQ(alpha->internetDecimalSeparator, 1);
    EXPECT_EQ(alpha->vtplusImport, 1);
    EXPECT_EQ(alpha->vtplusPage, "520");
    EXPECT_EQ(alpha->vtplusSubpage, "2");
    EXPECT_EQ(alpha->vtplusQuotePosition, "30/5/37/5");
    EXPECT_EQ(alpha->vtplusControlText, "Alpha");
    EXPECT_EQ(alpha->vtplusControlText2, "0/5/10/5");
    EXPECT_EQ(alpha->vtplusDecimalSeparator, 0);
    const int32_t alphaId = alpha->id;

    // The editor's order: by name.
    ASSERT_EQ(Run({"securities", File()}), 0) << err_.str();
    const std::string beta = std::to_string(ByWkn(doc, "WBeta")->id);
    const std::string gamma = std::to_string(ByWkn(doc, "WGamma")->id);
    EXPECT_EQ(out_.str(), "ID\tBezeichnung\tWKN\tISIN/Kürzel\tKurse in\tKurse\n" +
                              std::to_string(alphaId) + "\tAlpha AG\tA1\tDE0000000001\tEUR\t0\n" +
                              beta + "\tBeta\tWBeta\t\tEUR\t5\n" + gamma +
                              "\tGamma\tWGamma\t\tEUR\t4\n");

    // Two quotes in euros, then the quote currency becomes the dollar: each quote is
    // converted at its own date and rounded to 3 decimals.
    ASSERT_EQ(Run({"quote", File(), "--security", "A1", "--date", "01.02.2024", "100"}), 0)
        << err_.str();
    ASSERT_EQ(Run({"quote", File(), "--security", "A1", "--date", "02.02.2024", "12,3456789"}), 0)
        << err_.str();
    ASSERT_EQ(Run({"edit-security", File(), "--wkn", "A1", "--currency", "USD", "--quote-decimals",
                   "3", "--new-wkn", "A2", "--sector", ""}),
              0)
        << err_.str();
    EXPECT_EQ(out_.str(),
              "Sie haben die Währung für die Wertpapierkurse geändert.\n"
              "Alle vorhandenen Kurse werden nun von EUR auf USD umgestellt.\n");
    doc = Read();
    EXPECT_EQ(ByWkn(doc, "A1"), nullptr);
    alpha = ByWkn(doc, "A2");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->id, alphaId);
    EXPECT_EQ(alpha->sector, "");
    EXPECT_EQ(alpha->country, "Deutschland");  // not given, so kept
    EXPECT_EQ(alpha->earnings1, 1234.5);
    ASSERT_EQ(alpha->quotes.size(), 2u);
    // 100 EUR at 1,25 USD = 1 EUR: 125 USD; 12,3456789 EUR at 1,10: 13,58024679 -> 13,580.
    EXPECT_DOUBLE_EQ(alpha->quotes[0].value, 125.0);
    EXPECT_DOUBLE_EQ(alpha->quotes[1].value, 13.58);

    // Beta is used by its purchase and sale; Alpha by nothing.
    EXPECT_EQ(Run({"delete-security", File(), "--wkn", "WBeta"}), 1);
    EXPECT_EQ(err_.str(),
              "Dieses Wertpapier kann nicht gelöscht werden, da es in Transaktionen verwendet "
              "wird!\n");
    ASSERT_EQ(Run({"delete-security", File(), "--wkn", "A2"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "");
    doc = Read();
    EXPECT_EQ(doc.FindSecurity(alphaId), nullptr);
    EXPECT_NE(ByWkn(doc, "WBeta"), nullptr);
}

// Every refusal prints the dialog's message, exits with 1 and leaves the file as it was.
TEST_F(CliMasterData, RefusalsWriteNothing) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::string file = File();
    const Case cases[] = {
        {{"add-security", file, "--name", "Beta", "--wkn", "NEU"},
         "Ein Wertpapier mit dieser Bezeichnung existiert bereits!"},
        {{"add-security", file, "--name", "Neu", "--wkn", "WBeta"},
         "Ein Wertpapier mit dieser Wertpapier-Kennnummer existiert bereits!"},
        {{"add-security", file, "--wkn", "NEU"},
         "Bitte geben Sie eine Bezeichnung für das Wertpapier ein!"},
        {{"add-security", file, "--name", "Neu", "--wkn", ""},
         "Bitte geben Sie eine Wertpapier-Kennnummer für das Wertpapier ein!"},
        {{"add-security", file, "--name", "Neu", "--wkn", "NEU", "--dividend", "-1"},
         "Bitte geben Sie eine gültige Zahl ein!"},
        {{"add-security", file, "--name", "Neu", "--wkn", "NEU", "--earnings1", "1,2,3"},
         "Bitte geben Sie eine gültige Zahl ein!"},
        {{"add-security", file, "--name", "Neu", "--wkn", "NEU", "--vtplus-subpage", "100"},
         "Bitte geben Sie als Unterseite eine Zahl von 1 bis 99 ein!"},
        {{"add-security", file, "--name", "Neu \xE2\x82\xAC\xE2\x98\x83", "--wkn", "NEU"},
         "Das Feld „Bezeichnung“ enthält das Zeichen „\xE2\x98\x83“, das in der Datei nicht "
         "gespeichert werden kann. Bitte ändern Sie die Eingabe!"},
        {{"add-security", file, "--name", "Neu", "--wkn", "NEU", "--currency", "YEN"},
         "Die Währung \"YEN\" gibt es in dieser Datei nicht."},
        {{"edit-security", file, "--wkn", "WGamma", "--name", "Beta"},
         "Ein Wertpapier mit dieser Bezeichnung existiert bereits!"},
        {{"edit-security", file, "--wkn", "WGamma", "--new-wkn", "WBeta"},
         "Ein Wertpapier mit dieser Wertpapier-Kennnummer existiert bereits!"},
        {{"edit-security", file, "--wkn", "NEU"},
         "Ein Wertpapier mit der WKN \"NEU\" gibt es in dieser Datei nicht."},
        {{"delete-security", file, "--wkn", "WBeta"},
         "Dieses Wertpapier kann nicht gelöscht werden, da es in Transaktionen verwendet "
         "wird!"},
        {{"add-currency", file, "--symbol", "DM", "--name", "Mark", "--fixed", "1:1"},
         "Eine Währung mit diesem Symbol existiert bereits!"},
        {{"add-currency", file, "--symbol", "", "--name", "Leer", "--fixed", "1:1"},
         "Bitte geben Sie ein Symbol für die Währung ein!"},
        {{"add-currency", file, "--symbol", "CHF", "--name", "Franken", "--fixed", "0:1"},
         "Bitte geben Sie einen Wert größer Null an!"},
        {{"add-currency", file, "--symbol", "CHF", "--name", "Franken", "--fixed", "1:0,00000001"},
         "Bitte geben Sie einen Wert größer Null an!"},
        {{"add-currency", file, "--symbol", "CHF", "--name", "Franken", "--fixed", "eins:1"},
         "Bitte geben Sie einen Wechselkurs ein!"},
        {{"add-currency", file, "--symbol", "CHF", "--name", "Franken", "--variable", "--reference",
          "USD"},
         "Bitte wählen Sie eine Bezugswährung aus!"},
        {{"delete-currency", file, "--symbol", "EUR"}, "Diese Währung kann nicht gelöscht werden!"},
        {{"rate", file, "--currency", "USD", "--date", "05.02.2024", "0"},
         "Bitte geben Sie einen Wert größer Null an!"},
        {{"rate", file, "--currency", "USD", "--date", "05.02.2024", "-1,2"},
         "Bitte geben Sie einen korrekten Wechselkurs ein!"},
        {{"rate", file, "--currency", "DM", "--date", "05.02.2024", "2"},
         "Bitte wählen Sie eine Währung mit variablem Kurs aus!"},
        {{"quote", file, "--security", "WGamma", "--date", "05.03.2024", "-5"},
         "Bitte geben Sie einen korrekten Kurs ein!"},
        {{"quote", file, "--security", "WGamma", "--date", "05.03.2024", "1,12345678"},
         "Bitte geben Sie einen korrekten Kurs ein!"},
        {{"quote", file, "--security", "NEU", "--date", "05.03.2024", "1"},
         "Ein Wertpapier mit der WKN \"NEU\" gibt es in dieser Datei nicht."},
        {{"delete-quotes", file, "--security", "WGamma", "--security", "NEU", "--rule", "1"},
         "Ein Wertpapier mit der WKN \"NEU\" gibt es in dieser Datei nicht."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(Run(c.args), 1);
        EXPECT_EQ(err_.str(), c.message + "\n");
        EXPECT_EQ(out_.str(), "");
        EXPECT_TRUE(Contents() == original_);
    }
}

// A wrong call is a usage error (exit 2) before anything is written.
TEST_F(CliMasterData, UsageErrors) {
    const std::string file = File();
    const std::vector<std::string> cases[] = {
        {"add-security", file, "--name", "Neu", "--wkn", "NEU", "--half-income", "ja"},
        {"add-security", file, "--name", "Neu", "--wkn", "NEU", "--internet-decimal", "comma"},
        {"add-security", file, "--name", "Neu", "--wkn", "NEU", "--new-wkn", "X"},
        {"edit-security", file, "--name", "Neu"},
        {"edit-security", file, "--wkn", "WGamma", "--quote-decimals", "8"},
        {"delete-security", file},
        {"add-currency", file, "--symbol", "CHF", "--name", "Franken"},
        {"add-currency", file, "--symbol", "CHF", "--name", "F", "--fixed", "1:1", "--variable"},
        {"add-currency", file, "--symbol", "CHF", "--name", "Franken", "--fixed", "1,5"},
        {"add-currency", file, "--symbol", "CHF", "--name", "F", "--variable", "--quote-format",
         "2"},
        {"quote", file, "--security", "WGamma", "10"},
        {"quote", file, "--date", "05.03.2024", "10"},
        {"quote", file, "--security", "WGamma", "--date", "05.03.2024", "10", "11"},
        {"rate", file, "--currency", "USD", "--date", "05.02.2024"},
        {"delete-quotes", file, "--rule", "1"},
        {"delete-quotes", file, "--all", "--security", "WGamma", "--rule", "1"},
        {"delete-quotes", file, "--all", "--rule", "3"},
        {"delete-quotes", file, "--all"},
    };
    for (const std::vector<std::string>& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(Run(args), 2);
        EXPECT_NE(err_.str(), "");
        EXPECT_TRUE(Contents() == original_);
    }
}

// --dry-run prints what the command prints and writes nothing; the same command without it
// then prints the same and changes the file.
TEST_F(CliMasterData, DryRunWritesNothing) {
    const std::string file = File();
    const std::vector<std::string> cases[] = {
        {"add-security", file, "--name", "Neu", "--wkn", "NEU"},
        {"edit-security", file, "--wkn", "WGamma", "--currency", "USD"},
        {"delete-security", file, "--wkn", "WGamma"},
        {"add-currency", file, "--symbol", "CHF", "--name", "Franken", "--fixed", "1,5:1"},
        {"edit-currency", file, "--symbol", "USD", "--name", "Dollar"},
        {"delete-currency", file, "--symbol", "USD"},
        {"quote", file, "--security", "WGamma", "--date", "05.03.2024", "55"},
        {"rate", file, "--currency", "USD", "--date", "05.02.2024", "1,3"},
        {"delete-quotes", file, "--all", "--rule", "1"},
    };
    for (const std::vector<std::string>& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        std::vector<std::string> dry = args;
        dry.push_back("--dry-run");
        ASSERT_EQ(Run(dry), 0) << err_.str();
        const std::string printed = out_.str();
        EXPECT_TRUE(Contents() == original_);
        ASSERT_EQ(Run(args), 0) << err_.str();
        EXPECT_EQ(out_.str(), printed);
        EXPECT_FALSE(Contents() == original_);
        Restore();
    }
}

TEST_F(CliMasterData, CurrenciesFixedAndVariable) {
    ASSERT_EQ(
        Run({"add-currency", File(), "--symbol", "CHF", "--name", "Franken", "--fixed", "1,5:1"}),
        0)
        << err_.str();
    const std::string chfId = out_.str();
    ASSERT_EQ(Run({"add-currency", File(), "--symbol", "GBP", "--name", "Pfund", "--variable",
                   "--reference", "EUR", "--quote-format", "1"}),
              0)
        << err_.str();
    ASSERT_EQ(Run({"rate", File(), "--currency", "GBP", "--date", "01.02.2024", "1,1725"}), 0)
        << err_.str();

    const CFolari2Doc doc = Read();
    const CFL2Waehrung* chf = doc.FindCurrencyBySymbol("CHF");
    ASSERT_NE(chf, nullptr);
    EXPECT_EQ(chfId, std::to_string(chf->id) + "\n");
    EXPECT_EQ(chf->isFixed, 1);
    EXPECT_EQ(chf->fixedRate1, 1.5);
    EXPECT_EQ(chf->fixedRate2, 1.0);
    const CFL2Waehrung* gbp = doc.FindCurrencyBySymbol("GBP");
    ASSERT_NE(gbp, nullptr);
    EXPECT_EQ(gbp->isFixed, 0);
    EXPECT_EQ(gbp->referenceCurrencyId, kBaseCurrencyId);
    EXPECT_EQ(gbp->quoteFormat, kReferencePerUnit);

    // The editor's rows at 01.02.2024: USD at that day's rate, GBP as 1 GBP = r EUR.
    ASSERT_EQ(Run({"currencies", File(), "--date", "01.02.2024"}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "Symbol\tBezeichnung\tTyp\tKurs\n"
              "EUR\tEuro\tHauptwährung\t\n"
              "DM\tDeutsche Mark\tfester Kurs\t1,95583 DM = 1 EUR\n"
              "USD\tUS-Dollar\tvariabler Kurs\t1,2500 USD = 1 EUR\n"
              "CHF\tFranken\tfester Kurs\t1,50 CHF = 1 EUR\n"
              "GBP\tPfund\tvariabler Kurs\t1 GBP = 1,1725 EUR\n");

    ASSERT_EQ(Run({"edit-currency", File(), "--symbol", "CHF", "--new-symbol", "SFR", "--fixed",
                   "1,6:1"}),
              0)
        << err_.str();
    ASSERT_EQ(Run({"delete-currency", File(), "--symbol", "GBP"}), 0) << err_.str();
    ASSERT_EQ(Run({"currencies", File(), "--date", "02.02.2024"}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "Symbol\tBezeichnung\tTyp\tKurs\n"
              "EUR\tEuro\tHauptwährung\t\n"
              "DM\tDeutsche Mark\tfester Kurs\t1,95583 DM = 1 EUR\n"
              "USD\tUS-Dollar\tvariabler Kurs\t1,1000 USD = 1 EUR\n"
              "SFR\tFranken\tfester Kurs\t1,60 SFR = 1 EUR\n");
}

TEST_F(CliMasterData, QuoteSetReplaceAndDelete) {
    const auto quote = [&](std::vector<std::string> price) {
        std::vector<std::string> args = {"quote",  File(),   "--security",
                                         "WGamma", "--date", "05.03.2024"};
        args.insert(args.end(), price.begin(), price.end());
        return Run(args);
    };
    const auto stored = [&]() {
        const CFolari2Doc doc = Read();
        double value = 0.0;
        return ByWkn(doc, "WGamma")->quotes.QuoteOn(Day(5, 3, 2024), value) ? value : -1.0;
    };
    ASSERT_EQ(quote({"1.234,50"}), 0) << err_.str();
    EXPECT_EQ(stored(), 1234.5);
    ASSERT_EQ(quote({"56,1234567"}), 0) << err_.str();
    EXPECT_EQ(stored(), 56.1234567);
    EXPECT_EQ(QuoteDates("WGamma").size(), 5u);
    // No price, or an empty one, deletes the quote of the date.
    ASSERT_EQ(quote({}), 0) << err_.str();
    EXPECT_EQ(stored(), -1.0);
    EXPECT_EQ(QuoteDates("WGamma").size(), 4u);
    ASSERT_EQ(quote({"7"}), 0) << err_.str();
    ASSERT_EQ(quote({""}), 0) << err_.str();
    EXPECT_EQ(stored(), -1.0);
    EXPECT_EQ(out_.str(), "");

    ASSERT_EQ(Run({"rate", File(), "--currency", "USD", "--date", "02.02.2024", ""}), 0)
        << err_.str();
    EXPECT_EQ(Read().FindCurrencyBySymbol("USD")->rates.size(), 1u);
}

TEST_F(CliMasterData, DeleteQuotesByEachRule) {
    struct Case {
        std::vector<std::string> options;
        int deleted;
        std::vector<CQRNDatum> beta;  // Beta's quote dates afterwards
        size_t gamma;                 // Gamma's quote count afterwards
    };
    const std::vector<CQRNDatum> allBeta = {Day(5, 1, 2024), Day(10, 1, 2024), Day(15, 1, 2024),
                                            Day(20, 1, 2024), Day(25, 1, 2024)};
    const Case cases[] = {
        // Held from the purchase on 10.01. up to the day before the sale on 20.01.
        {{"--security", "WBeta", "--rule", "0"}, 3, {Day(10, 1, 2024), Day(15, 1, 2024)}, 4},
        {{"--security", "WGamma", "--rule", "0"}, 4, allBeta, 0},
        {{"--security", "WBeta", "--security", "WGamma", "--rule", "1"}, 9, {}, 0},
        {{"--security", "WGamma", "--rule", "1", "--security", "WGamma"}, 4, allBeta, 0},
        {{"--all", "--rule", "2", "--from", "02.03.2024", "--to", "03.03.2024"}, 2, allBeta, 2},
        {{"--all", "--rule", "2", "--from", "15.01.2024", "--to", "02.03.2024"},
         5,
         {Day(5, 1, 2024), Day(10, 1, 2024)},
         2},
        {{"--all", "--rule", "2", "--from", "03.03.2024", "--to", "02.03.2024"}, 0, allBeta, 4},
        // The period is used by rule 2 only.
        {{"--security", "WGamma", "--rule", "1", "--from", "02.03.2024", "--to", "02.03.2024"},
         4,
         allBeta,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.options));
        Restore();
        std::vector<std::string> args = {"delete-quotes", File()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(Run(args), 0) << err_.str();
        EXPECT_EQ(out_.str(), "Es wurden " + std::to_string(c.deleted) + " Kurse gelöscht.\n");
        EXPECT_EQ(QuoteDates("WBeta"), c.beta);
        EXPECT_EQ(QuoteDates("WGamma").size(), c.gamma);
    }
}

// A protected file is changed with --password and stays protected by it.
TEST_F(CliMasterData, ProtectedFileKeepsItsPassword) {
    const std::string file = (folder_ / "geheim.fl2").string();
    ASSERT_EQ(Run({"new", file, "--password", "Sesam"}), 0) << err_.str();
    EXPECT_EQ(Run({"add-security", file, "--name", "Neu", "--wkn", "NEU"}), 1);
    EXPECT_NE(err_.str().find("--password"), std::string::npos);
    ASSERT_EQ(Run({"add-security", file, "--name", "Neu", "--wkn", "NEU", "--password", "Sesam"}),
              0)
        << err_.str();
    ASSERT_EQ(Run({"quote", file, "--security", "NEU", "--date", "05.03.2024", "12,5", "--password",
                   "Sesam"}),
              0)
        << err_.str();
    EXPECT_EQ(Run({"securities", file}), 1);
    ASSERT_EQ(Run({"securities", file, "--password", "Sesam"}), 0) << err_.str();
    EXPECT_NE(out_.str().find("\tNeu\tNEU\t\tEUR\t1\n"), std::string::npos) << out_.str();
}

TEST_F(CliMasterData, HelpNamesTheCommandsAndTheAnsweredQuestions) {
    ASSERT_EQ(Run({"--help"}), 0);
    for (const char* text :
         {"add-security DATEI --name NAME --wkn WKN", "edit-security DATEI --wkn WKN",
          "delete-security DATEI --wkn WKN", "securities DATEI", "add-currency DATEI --symbol",
          "edit-currency DATEI --symbol", "delete-currency DATEI --symbol", "currencies DATEI",
          "quote DATEI --security WKN --date", "rate DATEI --currency SYMBOL --date",
          "delete-quotes DATEI (--security WKN", "--dry-run", "mit Ja beantwortet"})
        EXPECT_NE(out_.str().find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace pf

// The command line's quote file commands: import-quotes, export-quotes and quotes-from-text
// over a small file, with a settings profile of the test's own.
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

using testing::Day;

// "Alpha" (WAlpha, short code ALPHA1) with quotes 10,50 on 02.01.2020 and 1.234,50 on
// 03.01.2020; "Beta" (WBeta) without quotes, bought on 10.01.2020 and sold on 20.01.2020.
class CliQuoteFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::DocBuilder b;
        const int32_t alpha = b.Security("Alpha");
        b.doc.FindSecurity(alpha)->isin = "ALPHA1";
        b.Quote(alpha, Day(2, 1, 2020), 10.5);
        b.Quote(alpha, Day(3, 1, 2020), 1234.5);
        const int32_t beta = b.Security("Beta");
        const testing::Made lot = b.Buy(Day(10, 1, 2020), beta, 10, 5.0);
        b.Sell(Day(20, 1, 2020), beta, {{lot.positionNo, 10}}, 6.0);
        SaveDocumentFile(b.doc, File());
        original_ = Contents();
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        const FixedClock clock(1796904000);  // 10 December 2026
        return RunCli(args, out_, err_, clock);
    }
    std::string File() const { return (folder_ / "depot.fl2").string(); }
    std::string Profile() const { return (folder_ / "profile.ini").string(); }
    std::string Contents() const { return testing::TempFolder::Contents(File()); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return (folder_ / name).string();
    }
    std::vector<CFL2Kurs> Quotes(const std::string& wkn) const {
        const CFolari2Doc doc = LoadDocumentFile(File(), ReadSettings{}).doc;
        for (const CFL2Wertpapier& s : doc.securities)
            if (s.wkn == wkn) return s.quotes.Items();
        return {};
    }

    testing::TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string original_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliQuoteFiles, ExportedQuotesReadBackIntoAnotherSecurity) {
    const std::string exported = (folder_ / "alpha.txt").string();
    ASSERT_EQ(Run({"export-quotes", File(), "--security", "WAlpha", "-o", exported}), 0)
        << err_.str();
    EXPECT_EQ(out_.str(), "Kurse wurden exportiert.\n");
    EXPECT_EQ(testing::TempFolder::Contents(exported),
              "02.01.2020\t10,50\r\n03.01.2020\t1.234,50\r\n");

    ASSERT_EQ(Run({"import-quotes", File(), "--security", "WBeta", "--settings", Profile(),
                   "--format", "Datum und Kurs (getrennt durch Tabulator)", exported}),
              0)
        << err_.str();
    EXPECT_EQ(out_.str(),
              "2 Kurse gefunden\n02.01.2020\t10,50\n03.01.2020\t1.234,50\n"
              "2 Kurse neu oder geändert.\n");
    EXPECT_EQ(Quotes("WBeta"),
              (std::vector<CFL2Kurs>{{Day(2, 1, 2020), 10.5}, {Day(3, 1, 2020), 1234.5}}));
}

TEST_F(CliQuoteFiles, ImportOptionsAndItsRefusals) {
    const std::string yahoo = Write("table.csv",
                                    "Date,Open,High,Low,Close,Adj Close,Volume\n"
                                    "2020-01-05,1,1,1,1.50,1,100\n"
                                    "2020-01-15,1,1,1,2.25,1,100\n"
                                    "2020-01-25,1,1,1,null,null,null\n"
                                    "2020-01-26,1,1,1,3.00,1,100\n");
    const std::string yahooTitle = "Yahoo Historische Kurse (de.finance.yahoo.com)";
    // A dry run shows the quotes and changes nothing; null rows are left out.
    ASSERT_EQ(Run({"import-quotes", File(), "--security", "WBeta", "--settings", Profile(),
                   "--format", yahooTitle, "--dry-run", yahoo}),
              0)
        << err_.str();
    EXPECT_EQ(out_.str(),
              "3 Kurse gefunden\n05.01.2020\t1,50\n15.01.2020\t2,25\n26.01.2020\t3,00\n");
    EXPECT_EQ(Contents(), original_);
    // Only the day on which Beta was held (bought 10.01., sold 20.01.).
    ASSERT_EQ(Run({"import-quotes", File(), "--security", "WBeta", "--settings", Profile(),
                   "--format", yahooTitle, "--only-held", yahoo}),
              0);
    EXPECT_EQ(Quotes("WBeta"), (std::vector<CFL2Kurs>{{Day(15, 1, 2020), 2.25}}));

    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    // The price field has no terminator: found when the first price is read, and marked
    // right after the field's tag (12 + 7 + 1 + 6 = 26 characters consumed).
    const std::string faulty = "<WIEDERHOLE:<DATUM>;<KURS>>";
    const std::string semicolon = Write("semicolon.txt", "05.01.2020;1,50\n");
    const std::vector<Case> cases = {
        {{"--description", faulty, semicolon},
         "Fehler in der Formatbeschreibung!\nAb Position 26: >\n"},
        {{"--description", "<WIEDERHOLE:<DATUM>|<KURS><NZ>>", yahoo},
         "Es konnten keine Kursdaten eingelesen werden.\n\nEntweder enthält die Datei keine "
         "Kurse oder die Formatbeschreibung paßt nicht zur ausgewählten Datei!\n"},
        {{"--format", yahooTitle, (folder_ / "missing.csv").string()},
         "Datei kann nicht geöffnet werden!\n"},
        {{"--format", "Kein Format", yahoo},
         "Unbekanntes Format \"Kein Format\". Gespeicherte Formate:\n  " + yahooTitle +
             "\n  Datum und Kurs (getrennt durch Tabulator)\n  Datum und Kurs (getrennt durch "
             "Semikolon)\n  Datum und Kurs (in Anführungszeichen, getrennt durch Tabulator)\n"
             "  Datum und Kurs (in Anführungszeichen, getrennt durch Semikolon)\n"},
    };
    const std::string before = Contents();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.args[1]);
        std::vector<std::string> args = {"import-quotes", File(),       "--security",
                                         "WAlpha",        "--settings", Profile()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(Run(args), 1);
        EXPECT_EQ(err_.str(), c.message);
        EXPECT_EQ(Contents(), before);
    }
}

TEST_F(CliQuoteFiles, QuotesFromTextShowEachSecurityAndStoreTheRead) {
    const std::string page = Write("page.txt",
                                   "Kursliste\r\n"
                                   "ALPHA1: 1.300,00 EUR\r\n"
                                   "WBeta: n.a.\r\n");
    ASSERT_EQ(Run({"quotes-from-text", File(), "--settings", Profile(), "--format",
                   "Kursliste (kurse.direktbank.de)", "--identification", "3", "--date",
                   "04.01.2020", page}),
              0)
        << err_.str();
    // Alpha by its short code; without "Textzeichen ignorieren" " EUR" spoils the price.
    EXPECT_EQ(out_.str(),
              "Alpha\t\tEUR\tfehlerhafter Kurs\t\n"
              "Beta\t\tEUR\tfehlerhafter Kurs\t\n");

    const std::string clean = Write("clean.txt", "ALPHA1: 1.300,00\r\n");
    ASSERT_EQ(Run({"quotes-from-text", File(), "--settings", Profile(), "--format",
                   "Kursliste (kurse.direktbank.de)", "--identification", "1", "--date",
                   "04.01.2020", clean}),
              0);
    // 1300 against 1234,50 on 03.01.: 5.3 % up, a strong rise (icon 1).
    EXPECT_EQ(out_.str(), "Alpha\t1.300,00\tEUR\tokay\t1\n");
    EXPECT_EQ(Quotes("WAlpha").back(), (CFL2Kurs{Day(4, 1, 2020), 1300.0}));

    EXPECT_EQ(Run({"quotes-from-text", File(), "--settings", Profile(), "--format", "x",
                   "--identification", "4", "--date", "04.01.2020", clean}),
              2);
    EXPECT_EQ(err_.str(), "--identification erwartet 0, 1, 2 oder 3.\n");
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/engine_test_util.h"
#include "model/archive/document_file.h"
#include "shell/report_option_table.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

// A new document with the euro, the Deutsche Mark and a US dollar.
class CliOptions : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::DocBuilder b;
        ASSERT_EQ(b.doc
                      .AddCurrency("USD", "US-Dollar", false, -1.0, -1.0, kBaseCurrencyId,
                                   kUnitsPerReference)
                      .result,
                  DocResult::Ok);
        SaveDocumentFile(b.doc, File());
        original_ = testing::TempFolder::Contents(File());
    }
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        const FixedClock clock(1796904000);
        return RunCli(args, out_, err_, clock);
    }
    std::string File() const { return (folder_ / "depot.fl2").string(); }
    CFolari2Doc Read() const { return LoadDocumentFile(File(), ReadSettings{}).doc; }
    // The listing as name → value.
    std::map<std::string, std::string> Listed() const {
        std::map<std::string, std::string> values;
        std::istringstream in(out_.str());
        std::string line;
        while (std::getline(in, line)) {
            const size_t tab = line.find('\t');
            if (tab != std::string::npos) values[line.substr(0, tab)] = line.substr(tab + 1);
        }
        return values;
    }

    testing::TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string original_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliOptions, ListsEveryOptionWithItsValue) {
    ASSERT_EQ(Run({"options", File()}), 0) << err_.str();
    const auto values = Listed();
    EXPECT_EQ(values.size(), ReportOptionEntries().size());
    // Defaults as a new document has them; masks in hex, currencies by symbol.
    EXPECT_EQ(values.at("transactions.title"),
              "Transaktionen von <STARTDATUM> bis <ENDDATUM> - <INHABER>");
    // Bits 2, 5, 19, 20, 23, 24, 26: 0x4 + 0x20 + 0x80000 + 0x100000 + 0x800000 + 0x1000000
    // + 0x4000000 = 0x5980024.
    EXPECT_EQ(values.at("transactions.columns"), "0x5980024");
    EXPECT_EQ(values.at("transactions.sort1"), "2");
    // Bits 0 and 3-13 (0x3FF9), 15-22 (0x7F8000), 24-28 (0x1F000000), 30 (0x40000000) and
    // 32-34 (0x700000000): every item but the three subtotals 14, 23 and 29.
    EXPECT_EQ(values.at("gain-loss.items"), "0x75F7FBFF9");
    EXPECT_EQ(values.at("performance.currency"), "EUR");
    EXPECT_EQ(values.at("returns.order"), "3");
    EXPECT_EQ(values.at("reports.face"), "Arial");
}

TEST_F(CliOptions, SetChecksLikeThePageAndSavesOnlyWhenAllAreTaken) {
    ASSERT_EQ(Run({"options", File(), "--set", "movements.end-of-day-balance=1", "--set",
                   "returns.currency=USD", "--set", "transactions.columns=0x24", "--set",
                   "gain-loss.title2=Zeitraum <STARTDATUM>–<ENDDATUM>"}),
              0)
        << err_.str();
    const CFolari2Doc doc = Read();
    EXPECT_EQ(doc.options.movements.endOfDayBalance, 1);
    EXPECT_EQ(doc.options.returns.currencyId, doc.FindCurrencyBySymbol("USD")->id);
    EXPECT_EQ(doc.options.transactions.columnMask, 0x24);
    EXPECT_EQ(doc.options.gainLoss.title2, "Zeitraum <STARTDATUM>–<ENDDATUM>");
    EXPECT_EQ(Listed().at("returns.currency"), "USD");

    struct Case {
        const char* set;
        const char* message;
    };
    const Case refused[] = {
        {"tables.unknown=1", "Eine Option „tables.unknown“ gibt es nicht."},
        {"returns.order=4", "Der Wert von „returns.order“ muss eine ganze Zahl von 0 bis 3 sein."},
        {"tables.max-price-decimals=1",
         "Der Wert von „tables.max-price-decimals“ muss eine ganze Zahl von 2 bis 7 sein."},
        {"movements.end-of-day-balance=ja",
         "Der Wert von „movements.end-of-day-balance“ muss eine ganze Zahl von 0 bis 1 sein."},
        {"holdings.currency=CHF",
         "Eine Währung mit dem Symbol „CHF“ gibt es in dieser Datei nicht."},
        {"holdings.columns=0x1G", "Der Wert von „holdings.columns“ muss eine Zahl sein."},
    };
    const std::string before = testing::TempFolder::Contents(File());
    for (const Case& c : refused) {
        SCOPED_TRACE(c.set);
        // A valid change before the refused one is not saved either.
        EXPECT_EQ(Run({"options", File(), "--set", "returns.order=0", "--set", c.set}), 1);
        EXPECT_EQ(err_.str(), std::string(c.message) + "\n");
        EXPECT_EQ(testing::TempFolder::Contents(File()), before);
    }
    // Text the file cannot store.
    EXPECT_EQ(Run({"options", File(), "--set", "holdings.title=Depot ✓"}), 1);
    EXPECT_NE(err_.str().find("nicht gespeichert werden"), std::string::npos) << err_.str();
    // --dry-run shows the change and writes nothing.
    EXPECT_EQ(Run({"options", File(), "--set", "returns.order=0", "--dry-run"}), 0);
    EXPECT_EQ(Listed().at("returns.order"), "0");
    EXPECT_EQ(testing::TempFolder::Contents(File()), before);
}

TEST_F(CliOptions, ListsAndSetsTheOptionsOfTheListsAnalysisAndSecuritiesPages) {
    ASSERT_EQ(Run({"options", File()}), 0) << err_.str();
    auto values = Listed();
    EXPECT_EQ(values.at("lists.face"), "Arial");
    EXPECT_EQ(values.at("lists.vertical-text-distance"), "40");
    // Bits 0, 4, 8, 10-13, 16, 18, 20, 22-25: 0x1 + 0x10 + 0x100 + 0x3C00 + 0x10000 + 0x40000
    // + 0x100000 + 0x3C00000 = 0x3D53D11.
    EXPECT_EQ(values.at("development.items"), "0x3D53D11");
    EXPECT_EQ(values.at("development.assets-currency"), "EUR");
    EXPECT_EQ(values.at("quotes.split-handling"), "1");
    EXPECT_EQ(values.at("analysis.column-width"), "250");
    EXPECT_EQ(values.at("analysis.sort"), "-1");
    EXPECT_EQ(values.at("securities.title"), "Wertpapiere am <DATUM>");

    ASSERT_EQ(Run({"options", File(), "--set", "lists.face=Verdana", "--set",
                   "development.items=0x20000041", "--set", "development.account-currency=USD",
                   "--set", "quotes.split-handling=3", "--set", "analysis.column-width=300",
                   "--set", "securities.sort2=22", "--set", "securities.only-in-depot=1"}),
              0)
        << err_.str();
    const CFolari2Doc doc = Read();
    EXPECT_EQ(doc.options.lists.face, "Verdana");
    EXPECT_EQ(doc.options.development.itemMask, 0x20000041);
    EXPECT_EQ(doc.options.development.accountCurrencyId, doc.FindCurrencyBySymbol("USD")->id);
    EXPECT_EQ(doc.options.quotes.splitHandling, kSplitsAsStored);
    EXPECT_EQ(doc.options.analysis.columnWidth, 300);
    EXPECT_EQ(doc.options.securitiesList.sortKeys[1], kSecuritiesByRemarks);
    EXPECT_EQ(doc.options.securitiesList.onlyInDepot, 1);

    struct Case {
        const char* set;
        const char* message;
    };
    const Case refused[] = {
        // No repetition distance of 0 rows, as on the page.
        {"lists.vertical-text-distance=0",
         "Der Wert von „lists.vertical-text-distance“ muss eine ganze Zahl von 1 bis 1000 sein."},
        {"quotes.split-handling=4",
         "Der Wert von „quotes.split-handling“ muss eine ganze Zahl von 0 bis 3 sein."},
        {"analysis.column-width=9",
         "Der Wert von „analysis.column-width“ muss eine ganze Zahl von 10 bis 2000 sein."},
        {"securities.sort1=23",
         "Der Wert von „securities.sort1“ muss eine ganze Zahl von 0 bis 22 sein."},
        {"analysis.currency=CHF",
         "Eine Währung mit dem Symbol „CHF“ gibt es in dieser Datei nicht."},
    };
    const std::string before = testing::TempFolder::Contents(File());
    for (const Case& c : refused) {
        SCOPED_TRACE(c.set);
        EXPECT_EQ(Run({"options", File(), "--set", c.set}), 1);
        EXPECT_EQ(err_.str(), std::string(c.message) + "\n");
        EXPECT_EQ(testing::TempFolder::Contents(File()), before);
    }
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_commands.h"
#include "model/archive/document_file.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

namespace fs = std::filesystem;

class Cli : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        // 10 December 2026, noon UTC.
        const FixedClock clock(1796904000);
        return RunCli(args, out_, err_, clock);
    }
    std::string Path(const char* name) { return (folder_ / name).string(); }
    std::string Contents(const std::string& p) { return testing::TempFolder::Contents(p); }

    testing::TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(Cli, NewWritesAnEmptyDocumentThatInfoShows) {
    ASSERT_EQ(Run({"new", Path("neu.fl2"), "--legacy-mask", "129"}), 0) << err_.str();
    ASSERT_EQ(Run({"info", Path("neu.fl2")}), 0) << err_.str();
    const std::string info = out_.str();
    EXPECT_NE(info.find("Version: 32101001"), std::string::npos);
    EXPECT_NE(info.find("Anzahl: 3 Währungen, 0 Wertpapiere, 0 Transaktionen, 14 "
                        "Kontobewegungsarten"),
              std::string::npos)
        << info;
    EXPECT_NE(info.find("  1  DM  Deutsche Mark  fester Kurs 1.95583 DM = 1 EUR"),
              std::string::npos);
    EXPECT_NE(info.find("  2  FF  Französische Francs"), std::string::npos);
    EXPECT_EQ(err_.str(), "");
}

TEST_F(Cli, InfoListsSecuritiesAndTransactions) {
    ASSERT_EQ(Run({"sample", Path("beispiel.fl2")}), 0) << err_.str();
    ASSERT_EQ(Run({"info", Path("beispiel.fl2")}), 0) << err_.str();
    const std::string info = out_.str();
    EXPECT_NE(info.find("Depotinhaber: Erika Mustermann"), std::string::npos);
    EXPECT_NE(info.find("Adresse: Heidestraße 17 51147 Köln"), std::string::npos);
    EXPECT_NE(info.find("RCH100  Rheinchemie AG  (EUR)  261 Kurse vom 02.01.2024 bis 31.12.2024"),
              std::string::npos)
        << info;
    EXPECT_NE(info.find("  08.01.2024  Kauf  Rheinchemie AG  4.864,90 EUR"), std::string::npos);
    EXPECT_NE(info.find("  31.12.2024  Kontobewegung  Depotgebühren  29,75 EUR"),
              std::string::npos);
}

TEST_F(Cli, ResaveWritesTheSameBytes) {
    ASSERT_EQ(Run({"sample", Path("a.fl2")}), 0);
    ASSERT_EQ(Run({"resave", Path("a.fl2"), Path("b.fl2")}), 0) << err_.str();
    EXPECT_EQ(Contents(Path("a.fl2")), Contents(Path("b.fl2")));
}

TEST_F(Cli, ProtectedFileNeedsThePassword) {
    ASSERT_EQ(Run({"new", Path("geheim.fl2"), "--password", "Sesam"}), 0);
    EXPECT_EQ(Run({"info", Path("geheim.fl2")}), 1);
    EXPECT_NE(err_.str().find("Fehler beim Öffnen des Dokuments."), std::string::npos);
    EXPECT_NE(err_.str().find("--password"), std::string::npos);
    EXPECT_EQ(Run({"info", Path("geheim.fl2"), "--password", "sesam"}), 1);
    EXPECT_EQ(Run({"info", Path("geheim.fl2"), "--password", "Sesam"}), 0) << err_.str();
    EXPECT_NE(out_.str().find("Kennwortschutz: ja"), std::string::npos);
}

TEST_F(Cli, DamagedAndMissingFilesFailWithTheGermanMessage) {
    ASSERT_EQ(Run({"sample", Path("voll.fl2")}), 0);
    const std::string bytes = Contents(Path("voll.fl2"));
    std::ofstream(Path("kaputt.fl2"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    EXPECT_EQ(Run({"info", Path("kaputt.fl2")}), 1);
    EXPECT_TRUE(err_.str().starts_with("Unerwartetes Dateiformat.\n")) << err_.str();
    EXPECT_EQ(out_.str(), "");

    EXPECT_EQ(Run({"info", Path("fehlt.fl2")}), 1);
    EXPECT_TRUE(err_.str().starts_with("Fehler beim Öffnen des Dokuments.\n")) << err_.str();

    EXPECT_EQ(Run({"new", Path("fehlt/neu.fl2")}), 1);
    EXPECT_TRUE(err_.str().starts_with("Fehler beim Speichern des Dokuments.\n")) << err_.str();
}

TEST_F(Cli, LotsOfTheSamplePortfolio) {
    ASSERT_EQ(Run({"sample", Path("s.fl2")}), 0);
    ASSERT_EQ(Run({"lots", Path("s.fl2")}), 0) << err_.str();
    const std::string open = out_.str();
    EXPECT_TRUE(open.starts_with("Nr.\tZustand\tWertpapier\tStück\t"));
    EXPECT_NE(open.find("0\toffen\tRheinchemie AG\t100\t08.01.2024\t08.01.2024\t-\t48,55\t"
                        "4.855,00\t9,90\t4.864,90\t185,00\t"),
              std::string::npos)
        << open;
    EXPECT_NE(open.find("\tPacific Circuits Inc.\t15,5\t"), std::string::npos);
    EXPECT_EQ(open.find("verkauft"), std::string::npos);

    ASSERT_EQ(Run({"lots", Path("s.fl2"), "--all", "--currency", "DM"}), 0) << err_.str();
    EXPECT_NE(out_.str().find("\tverkauft\tNordwind Energie\t100\t15.02.2024\t15.02.2024\t"
                              "09.10.2024\t"),
              std::string::npos)
        << out_.str();
    // The account was credited 1.902,10 EUR for the sale: 3.720,18 DM.
    EXPECT_NE(out_.str().find("\t3.720,18\n"), std::string::npos);

    // Before the purchase of 15.02.2024 only the first lot exists.
    ASSERT_EQ(Run({"lots", Path("s.fl2"), "--date", "14.02.2024"}), 0);
    const std::string early = out_.str();
    EXPECT_EQ(std::count(early.begin(), early.end(), '\n'), 2);
    // Reference mode: what could be sold on 01.03.2024; the October sale is taken off.
    ASSERT_EQ(Run({"lots", Path("s.fl2"), "--date", "01.03.2024", "--reference"}), 0);
    EXPECT_NE(out_.str().find("1\toffen\tNordwind Energie\t150\t"), std::string::npos);

    EXPECT_EQ(Run({"lots", Path("s.fl2"), "--date", "31.02.2024"}), 1);
    EXPECT_NE(err_.str().find("kein gültiges Datum"), std::string::npos);
    EXPECT_EQ(Run({"lots", Path("s.fl2"), "--currency", "XYZ"}), 1);
}

TEST_F(Cli, SeriesPrintsDepotAndAccountPerDay) {
    ASSERT_EQ(Run({"sample", Path("s.fl2")}), 0);
    ASSERT_EQ(Run({"series", Path("s.fl2"), "--from", "08.10.2024", "--to", "09.10.2024"}), 0)
        << err_.str();
    std::istringstream lines(out_.str());
    std::string header, first, second, extra;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(header, "Datum\tV\tI\tK\tP");
    // The sale of 9.10. moves 1.902,10 into the account and takes its lot out of the depot.
    EXPECT_TRUE(first.starts_with("08.10.2024\t")) << first;
    EXPECT_TRUE(second.starts_with("09.10.2024\t")) << second;
    EXPECT_NE(second.find("\t20.000,00"), std::string::npos);  // paid-in capital
    EXPECT_FALSE(std::getline(lines, extra));

    EXPECT_EQ(Run({"series", Path("s.fl2"), "--from", "08.10.2024"}), 2);
    EXPECT_EQ(Run({"series", Path("s.fl2"), "--from", "09.10.2024", "--to", "08.10.2024"}), 1);
}

TEST_F(Cli, DemoWritesThreeReadablePortfolios) {
    ASSERT_EQ(Run({"demo", Path("demo")}), 0) << err_.str();
    for (const char* name : {"demo/Demo1.fl2", "demo/Demo2.fl2", "demo/Demo3.fl2"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Run({"info", Path(name)}), 0) << err_.str();
        EXPECT_NE(out_.str().find("Beispieldaten"), std::string::npos);
    }
}

TEST_F(Cli, UsageErrorsAndHelp) {
    struct Case {
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {{}, 2},
        {{"info"}, 2},
        {{"info", "a", "b"}, 2},
        {{"resave", "a"}, 2},
        {{"loeschen", "a"}, 2},
        {{"info", "a", "--password"}, 2},
        {{"info", "a", "--farbe", "rot"}, 2},
        {{"new", "a", "--legacy-mask", "4096"}, 2},
        {{"--help"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(Run(c.args), c.code);
    }
    Run({"--help"});
    for (const char* command : {"info DATEI", "resave QUELLE ZIEL", "new ZIEL", "sample ZIEL",
                                "demo ORDNER", "lots DATEI", "series DATEI"})
        EXPECT_NE(out_.str().find(command), std::string::npos) << command;
}

}  // namespace
}  // namespace pf

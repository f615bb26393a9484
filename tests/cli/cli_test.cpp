#include <gtest/gtest.h>

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
    for (const char* command : {"info DATEI", "resave QUELLE ZIEL", "new ZIEL", "sample ZIEL"})
        EXPECT_NE(out_.str().find(command), std::string::npos) << command;
}

}  // namespace
}  // namespace pf

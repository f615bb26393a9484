#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_commands.h"
#include "engine/engine_test_util.h"
#include "engine/stop_target.h"
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

// The fields of a tab-separated line.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// The line of `output` whose first field is `number`, or "".
std::string LineOfLot(const std::string& output, int32_t number) {
    std::istringstream lines(output);
    const std::string prefix = std::to_string(number) + "\t";
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with(prefix)) return line;
    return {};
}

// A lot of 10 pieces bought on 1.3.2021 at 50,00 with 5,00 costs, stop 40,00 and target
// 70,00; 4 of its pieces sold on 1.4.2021 at 60,00 with 2,00 costs; a 2-for-1 split on
// 1.6.2021. The expected fields are worked out by hand from these transactions.
TEST_F(Cli, LotsWithEveryField) {
    testing::DocBuilder b;
    const int32_t alpha = b.Security("Alpha");
    const auto bought = b.Buy(testing::Day(1, 3, 2021), alpha, 10, 50.0, 5.0);
    const int32_t lot = bought.positionNo;
    const int32_t buyId = bought.id;
    SetStop(b.doc, lot, 40.0);
    SetTarget(b.doc, lot, 70.0);
    const int32_t soldPiece = b.doc.nextPositionNo;
    const int32_t saleId = b.Sell(testing::Day(1, 4, 2021), alpha, {{lot, 4}}, 60.0, 2.0).id;
    b.Split(testing::Day(1, 6, 2021), alpha, 2, 1);
    SaveDocumentFile(b.doc, Path("lose.fl2"));

    const std::string header =
        "Nr.\tTransaktion\tWertpapier-ID\tWertpapier\tStück\tZustand\tAus Umtausch\t"
        "Kaufdatum\tEingang\tKurs\tKurswert 1\tProvision 1\tWährung 1\tDevisenbasis\t"
        "Devisenkurs\tProvision 2\tWährung 2\tBetrag\tText\tStoppkurs\tZielkurs\t"
        "Verkaufdatum\tVerkaufkurs\tVerkauf Kurswert 1\tVerkauf Provision 1\t"
        "Verkauf Währung 1\tVerkauf Devisenbasis\tVerkauf Devisenkurs\tVerkauf Provision 2\t"
        "Verkauf Währung 2\tVerkauf Betrag\tVerkauf Text\tKaufkosten\tKaufpreis\tErträge\t"
        "Verkaufkosten\tVerkauferlös\tKaufwert\tVerkaufwert\tAuswahl\tWiederherstellung\t"
        "Splitfaktor\tKurs vor Split\tStück vor Split\tSteuerpflicht";
    const std::vector<std::string> names = Fields(header);
    const std::string file = Path("lose.fl2");
    struct Case {
        std::vector<std::string> args;
        int32_t number;
        std::string expected;
    };
    const Case cases[] = {
        // The sold piece after the split: pieces doubled, both prices halved; it takes 4/10 of
        // the purchase amounts (costs 5,00 -> 2,00) and the whole sale; the stop and target
        // stay with the lot.
        {{"lots", file, "--all", "--fields", "all"},
         soldPiece,
         std::to_string(soldPiece) + "\t" + std::to_string(saleId) + "\t" + std::to_string(alpha) +
             "\tAlpha\t8\tverkauft\t0\t" +
             // purchase: dates, price, value 1, costs 1, currency 1, rate pair, costs 2,
             // currency 2, amount, text
             "01.03.2021\t01.03.2021\t25,00\t200,00\t0,00\t0\t1,00\t1,00\t2,00\t0\t202,00\t\t"
             "0,00\t0,00\t"  // stop and target
             // sale: date, price, value 1, costs 1, currency 1, rate pair, costs 2,
             // currency 2, net amount, text
             "01.04.2021\t30,00\t240,00\t0,00\t0\t1,00\t1,00\t2,00\t0\t238,00\t\t"
             // purchase costs and total, income, sale costs and proceeds, purchase and sale value
             "2,00\t202,00\t0,00\t2,00\t238,00\t200,00\t240,00\t"
             "-\t0\t0,00\t0,00\t0\t"  // selection, restore mark, factor, price, pieces
             "Stpfl. (A)"},
        // What could be sold on 15.5.2021: the 6 pieces left at their price before the split,
        // which the restore fields record (mark 1 = exact, factor 2).
        {{"lots", file, "--date", "15.05.2021", "--reference", "--fields", "all"},
         lot,
         std::to_string(lot) + "\t" + std::to_string(buyId) + "\t" + std::to_string(alpha) +
             "\tAlpha\t6\toffen\t0\t" +
             "01.03.2021\t01.03.2021\t50,00\t300,00\t0,00\t0\t1,00\t1,00\t3,00\t0\t303,00\t\t"
             "40,00\t70,00\t"
             "-\t0,00\t0,00\t0,00\t0\t0,00\t0,00\t0,00\t0\t0,00\t\t"
             "3,00\t303,00\t0,00\t0,00\t0,00\t300,00\t0,00\t"
             "-\t1\t2,00\t50,00\t6\t"
             "Stpfl. (A)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        ASSERT_EQ(Run(c.args), 0) << err_.str();
        const std::string output = out_.str();
        EXPECT_EQ(output.substr(0, output.find('\n')), header);
        const std::vector<std::string> fields = Fields(LineOfLot(output, c.number));
        const std::vector<std::string> expected = Fields(c.expected);
        ASSERT_EQ(expected.size(), names.size());
        ASSERT_EQ(fields.size(), names.size());
        for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(fields[i], expected[i]) << names[i];
    }

    EXPECT_EQ(Run({"lots", file, "--fields", "alle"}), 2);
    EXPECT_EQ(err_.str(), "Unbekannter Wert für --fields: alle (möglich ist nur all).\n");
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(Run({"lots", file, "--fields"}), 2);
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

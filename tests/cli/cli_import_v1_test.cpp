#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_commands.h"
#include "model/archive/first_generation_writer.h"
#include "support/full_document.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using testing::Day;
using testing::FlkFile;
using testing::FlkHistory;
using testing::FlkLot;

class ImportV1 : public ::testing::Test {
  protected:
    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        const FixedClock clock(1796904000);  // 10 December 2026
        return RunCli(args, out_, err_, clock);
    }
    std::string Path(const char* name) { return (folder_ / name).string(); }
    void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    testing::TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::ostringstream out_;
    std::ostringstream err_;
};

// One security with a bought lot, and two lots without a quote history.
FlkFile SmallFile() {
    FlkFile f;
    f.holderName = "Erika Mustermann";
    f.startDate = Day(1, 7, 1999);
    f.startBalance = 100000;  // 1000.00 DM
    FlkLot lot{"Alpha AG", "100100", 3, 0, {}, 0, {}};
    lot.purchase = {Day(2, 7, 1999), 2000, 500, 1, 1, "Kauf"};
    FlkLot orphan = lot;
    orphan.name = "Ohne Kurse";
    f.objects = {FlkHistory{"Alpha AG", "100100", {{2100, Day(2, 7, 1999)}}}, lot, orphan, orphan};
    return f;
}

TEST_F(ImportV1, ConvertsAndWritesACurrentFile) {
    WriteFile(Path("alt.flk"), WriteFlk(SmallFile()));
    ASSERT_EQ(Run({"import-v1", Path("alt.flk"), Path("neu.fl2")}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "Die Datei wurde aus einer Portfolaris1-Datei übernommen. 2 Positionen ohne "
              "Kursverlauf wurden nicht übernommen.\n");
    EXPECT_EQ(err_.str(), "");

    ASSERT_EQ(Run({"info", Path("neu.fl2")}), 0) << err_.str();
    const std::string info = out_.str();
    EXPECT_NE(info.find("Version: 32101001"), std::string::npos);
    EXPECT_NE(info.find("Depotinhaber: Erika Mustermann"), std::string::npos);
    EXPECT_NE(info.find("100100  Alpha AG  (EUR)  1 Kurse"), std::string::npos) << info;
    // 3 * 20.00 + 5.00 costs; the deposit of 1000.00 DM on the day before the start date.
    EXPECT_NE(info.find("  02.07.1999  Kauf  Alpha AG  65,00 DM"), std::string::npos) << info;
    EXPECT_NE(info.find("  30.06.1999  Kontobewegung  Kapitaleinlage  1.000,00 DM"),
              std::string::npos)
        << info;
}

TEST_F(ImportV1, ProtectedFileNeedsThePasswordAndKeepsIt) {
    FlkFile f = SmallFile();
    f.objects.resize(2);
    f.protectionActive = 1;
    f.password = "alt";
    WriteFile(Path("alt.flk"), WriteFlk(f));
    EXPECT_EQ(Run({"import-v1", Path("alt.flk"), Path("neu.fl2")}), 1);
    EXPECT_NE(err_.str().find("--password"), std::string::npos);
    ASSERT_EQ(Run({"import-v1", Path("alt.flk"), Path("neu.fl2"), "--password", "alt"}), 0)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
    // The converted file keeps the password.
    EXPECT_EQ(Run({"info", Path("neu.fl2")}), 1);
    EXPECT_EQ(Run({"info", Path("neu.fl2"), "--password", "alt"}), 0);
}

TEST_F(ImportV1, BadFilesFailWithTheMessageAndWriteNothing) {
    const std::string bytes = WriteFlk(SmallFile());
    WriteFile(Path("kurz.flk"), bytes.substr(0, bytes.size() - 3));
    EXPECT_EQ(Run({"import-v1", Path("kurz.flk"), Path("neu.fl2")}), 1);
    EXPECT_TRUE(err_.str().starts_with("Unerwartetes Dateiformat.\n")) << err_.str();
    EXPECT_NE(err_.str().find("Portfolaris1-Datei"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path("neu.fl2")));

    // A current file is not converted.
    ASSERT_EQ(Run({"sample", Path("neu.fl2")}), 0);
    EXPECT_EQ(Run({"import-v1", Path("neu.fl2"), Path("b.fl2")}), 1);
    EXPECT_NE(err_.str().find("ist keine Portfolaris1-Datei"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path("b.fl2")));

    EXPECT_EQ(Run({"import-v1", Path("fehlt.flk"), Path("b.fl2")}), 1);
    EXPECT_TRUE(err_.str().starts_with("Fehler beim Öffnen des Dokuments.\n")) << err_.str();
    EXPECT_EQ(Run({"import-v1", Path("alt.flk")}), 2);  // usage
}

}  // namespace
}  // namespace pf

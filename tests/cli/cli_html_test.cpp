// portfolaris-cli html: the holdings' HTML page of a file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_commands.h"
#include "model/archive/document_file.h"
#include "reports/html_page.h"
#include "samples/demo_portfolios.h"
#include "support/full_document.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

class CliHtml : public ::testing::Test {
  protected:
    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        const FixedClock clock(1796904000);  // 10 December 2026
        return RunCli(args, out_, err_, clock);
    }
    std::string Path(const char* name) const { return (folder_ / name).string(); }

    testing::TempFolder folder_{"cli_html"};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliHtml, WritesThePageOfTheDesktopProgram) {
    const CFolari2Doc demo = MakeDemoPortfolio(1);
    std::ofstream(Path("Demo1.fl2"), std::ios::binary) << WriteDocument(demo);

    ASSERT_EQ(Run({"html", Path("Demo1.fl2"), "--date", "30.06.2005", "--images",
                   "/opt/Bilder & Co", "-o", Path("seite.htm")}),
              0)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(
        testing::TempFolder::Contents(Path("seite.htm")),
        BuildHoldingsHtmlPage(demo, testing::Day(30, 6, 2005), "file:///opt/Bilder%20%26%20Co/"));
}

TEST_F(CliHtml, RefusesAMissingTargetAndReportsAnUnwritableOne) {
    std::ofstream(Path("Demo1.fl2"), std::ios::binary) << WriteDocument(MakeDemoPortfolio(1));
    EXPECT_EQ(Run({"html", Path("Demo1.fl2")}), 2);
    EXPECT_EQ(err_.str(), "html braucht -o.\n");

    std::ofstream(Path("datei")) << "x";
    EXPECT_EQ(Run({"html", Path("Demo1.fl2"), "-o", Path("datei") + "/seite.htm"}), 1);
    EXPECT_EQ(err_.str().rfind("HTML-Datei kann nicht erzeugt werden!\n", 0), 0u) << err_.str();

    EXPECT_EQ(Run({"html", Path("fehlt.fl2"), "-o", Path("seite.htm")}), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("seite.htm")));
}

}  // namespace
}  // namespace pf

// fetch-quotes against a real HTTP server on 127.0.0.1.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/engine_test_util.h"
#include "model/archive/document_file.h"
#include "support/http_test_server.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using testing::Day;

// "Alpha" and "Beta" with internet import, held since 01.12.2020; "Gamma" with internet
// import but never bought.
class CliInternet : public ::testing::Test {
  protected:
    void SetUp() override {
        // The requests go to 127.0.0.1 itself, never through a proxy of the environment.
        for (const char* name :
             {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            ::unsetenv(name);
        server.SetPage("/alpha", "Kurs: 12,50 EUR");
        server.SetPage("/beta", "nichts");
        testing::DocBuilder b;
        for (const char* name : {"Alpha", "Beta", "Gamma"}) {
            const int32_t id = b.Security(name);
            CFL2Wertpapier* s = b.doc.FindSecurity(id);
            s->internetImport = 1;
            s->internetTextBeforeQuote = "Kurs:";
            std::string path = name;
            for (char& ch : path) ch = static_cast<char>(std::tolower(ch));
            s->internetUrl = server.Url("/" + path);
            if (std::string(name) != "Gamma") b.Buy(Day(1, 12, 2020), id, 10, 10.0);
        }
        SaveDocumentFile(b.doc, File());
    }

    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        const FixedClock clock(1796904000);  // 10 December 2026
        return RunCli(args, out, err, clock);
    }
    std::string File() const { return (folder / "depot.fl2").string(); }
    size_t QuoteCount(const std::string& wkn) const {
        const CFolari2Doc doc = LoadDocumentFile(File(), ReadSettings{}).doc;
        for (const CFL2Wertpapier& s : doc.securities)
            if (s.wkn == wkn) return s.quotes.size();
        return 0;
    }

    testing::HttpTestServer server;
    testing::TempFolder folder{"cli_internet"};
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CliInternet, FetchesTheHeldSecuritiesAndStoresWhatWasRead) {
    ASSERT_EQ(Run({"fetch-quotes", File(), "--date", "04.01.2021", "--dry-run"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "Alpha\t12,50\tEUR\tKursabruf erfolgreich\t0\n"
              "Beta\t-\tEUR\tErkennungstext nicht gefunden\t\n");
    EXPECT_EQ(QuoteCount("WAlpha"), 0u);

    ASSERT_EQ(Run({"fetch-quotes", File(), "--date", "04.01.2021"}), 0) << err.str();
    EXPECT_EQ(QuoteCount("WAlpha"), 1u);
    EXPECT_EQ(QuoteCount("WBeta"), 0u);

    // One security, held or not; one without internet import is refused.
    ASSERT_EQ(Run({"fetch-quotes", File(), "--security", "WGamma", "--dry-run"}), 0);
    EXPECT_EQ(out.str(), "Gamma\t-\tEUR\tÖffnen der Seite fehlgeschlagen\t\n");
    EXPECT_EQ(Run({"fetch-quotes", File(), "--security", "NEU"}), 1);
}

}  // namespace
}  // namespace pf

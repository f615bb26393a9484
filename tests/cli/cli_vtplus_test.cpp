// vtplus-quotes against the stand-in teletext server, in-process and as the program
// portfolaris-vtplus started as a child process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/engine_test_util.h"
#include "model/archive/document_file.h"
#include "platform/vtplus_standin_server.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using testing::Day;

// "Index-Fonds" reads 15.234,56 from page 100 under the control text "BOERSE"; "Anleihe"
// reads 88,10 from subpage 2 but expects the control text "XETRA" where "Seite" stands;
// "Rohstoff" is on page 200, which is still loading. "Ohne" has no teletext import.
class CliVtplus : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::DocBuilder b;
        const auto add = [&](const std::string& name, const std::string& page,
                             const std::string& subpage, const std::string& box,
                             const std::string& control, const std::string& controlBox) {
            const int32_t id = b.Security(name);
            CFL2Wertpapier& s = *b.doc.FindSecurity(id);
            s.vtplusImport = 1;
            s.vtplusPage = page;
            s.vtplusSubpage = subpage;
            s.vtplusQuotePosition = box;
            s.vtplusControlText = control;
            s.vtplusControlText2 = controlBox;
            return id;
        };
        add("Index-Fonds", "100", "1", "10/1/18/1", "BOERSE", "0/0/5/0");
        add("Anleihe", "100", "2", "10/0/14/0", "XETRA", "0/0/4/0");
        add("Rohstoff", "200", "1", "10/0/14/0", "", "");
        b.Security("Ohne");
        SaveDocumentFile(b.doc, File());

        std::filesystem::create_directory(folder_ / "pages");
        Page("100.txt", "BOERSE FRANKFURT\r\nDAX       15.234,56\r\n");
        Page("100-2.txt", "Seite 2   88,10\r\n");
        Page("200.txt", "Gold      1.950,00\r\n");
        Page("200.status", "Loading");
    }

    void Page(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / "pages" / name, std::ios::binary) << text;
    }
    std::unique_ptr<VtplusStandinServer> StartServer() {
        std::string error;
        auto server = VtplusStandinServer::Start((folder_ / "pages").string(), Socket(), error);
        EXPECT_NE(server, nullptr) << error;
        return server;
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        const FixedClock clock(1796904000);  // 10 December 2026
        return RunCli(args, out_, err_, clock);
    }
    std::string File() const { return (folder_ / "depot.fl2").string(); }
    std::string Socket() const { return (folder_ / "vt.sock").string(); }
    // The quote of a security on a day, -1 when there is none.
    double QuoteOn(const std::string& name, CQRNDatum day) const {
        const CFolari2Doc doc = LoadDocumentFile(File(), ReadSettings{}).doc;
        for (const CFL2Wertpapier& s : doc.securities) {
            double value = 0.0;
            if (s.name == name) return s.quotes.QuoteOn(day, value) != 0 ? value : -1.0;
        }
        return -1.0;
    }

    testing::TempFolder folder_{"cli_vt"};
    std::ostringstream out_;
    std::ostringstream err_;
};

constexpr const char* kRows =
    "Anleihe\t88,10\tEUR\tfalscher Kontrolltext\t0\n"
    "Index-Fonds\t15.234,56\tEUR\tokay\t0\n"
    "Rohstoff\t\tEUR\tSeite noch nicht vollständig geladen\t\n";

TEST_F(CliVtplus, StoresByTheControlTextRule) {
    const auto server = StartServer();
    const CQRNDatum day = Day(5, 3, 2024);

    const std::string before = testing::TempFolder::Contents(File());
    ASSERT_EQ(
        Run({"vtplus-quotes", File(), "--socket", Socket(), "--date", "05.03.2024", "--dry-run"}),
        0)
        << err_.str();
    EXPECT_EQ(out_.str(), kRows);
    EXPECT_EQ(testing::TempFolder::Contents(File()), before);

    // Without --accept-wrong-control only the price under a matching control text.
    ASSERT_EQ(Run({"vtplus-quotes", File(), "--socket", Socket(), "--date", "05.03.2024"}), 0)
        << err_.str();
    EXPECT_EQ(out_.str(), kRows);
    EXPECT_EQ(QuoteOn("Index-Fonds", day), 15234.56);
    EXPECT_EQ(QuoteOn("Anleihe", day), -1.0);

    ASSERT_EQ(Run({"vtplus-quotes", File(), "--socket", Socket(), "--date", "05.03.2024",
                   "--accept-wrong-control"}),
              0)
        << err_.str();
    EXPECT_EQ(QuoteOn("Anleihe", day), 88.1);
    EXPECT_EQ(QuoteOn("Rohstoff", day), -1.0);
    // The price now equals the stored quote: unchanged trend (3).
    EXPECT_NE(out_.str().find("Index-Fonds\t15.234,56\tEUR\tokay\t3\n"), std::string::npos)
        << out_.str();

    // Without --date: today (10.12.2026 by the test's clock).
    ASSERT_EQ(Run({"vtplus-quotes", File(), "--socket", Socket()}), 0) << err_.str();
    EXPECT_EQ(QuoteOn("Index-Fonds", Day(10, 12, 2026)), 15234.56);

    EXPECT_EQ(Run({"vtplus-quotes", File(), "--socket", Socket(), "--date", "31.02.2024"}), 1);
}

TEST_F(CliVtplus, NoServerStoresNothing) {
    ASSERT_EQ(Run({"vtplus-quotes", File(), "--socket", Socket(), "--date", "05.03.2024",
                   "--accept-wrong-control"}),
              0)
        << err_.str();
    EXPECT_EQ(out_.str(),
              "Anleihe\t\tEUR\tkein Datenaustausch mit VTPlus möglich\t\n"
              "Index-Fonds\t\tEUR\tkein Datenaustausch mit VTPlus möglich\t\n"
              "Rohstoff\t\tEUR\tkein Datenaustausch mit VTPlus möglich\t\n");
    EXPECT_EQ(QuoteOn("Index-Fonds", Day(5, 3, 2024)), -1.0);
}

// The program itself: it serves until SIGTERM and removes its socket.
TEST_F(CliVtplus, ServerProgramAsChildProcess) {
    // The program says "Bereit: SOCKET" on its output once it listens.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 1);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    const std::string program = PF_VTPLUS_SERVER;
    const std::string pages = (folder_ / "pages").string();
    const std::string socket = Socket();
    std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>(pages.c_str()),
                               const_cast<char*>("--socket"), const_cast<char*>(socket.c_str()),
                               nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ready[1]);
    std::string said;
    pollfd wait{ready[0], POLLIN, 0};
    char c = 0;
    while (said.find('\n') == std::string::npos && ::poll(&wait, 1, 10'000) == 1 &&
           ::read(ready[0], &c, 1) == 1)
        said += c;
    ::close(ready[0]);
    EXPECT_EQ(said, "Bereit: " + socket + "\n");

    const int code = Run({"vtplus-quotes", File(), "--socket", Socket(), "--date", "05.03.2024"});
    const std::string rows = out_.str();
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);

    EXPECT_EQ(code, 0) << err_.str();
    EXPECT_EQ(rows, kRows);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(std::filesystem::exists(Socket()));
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/socket_dde_client.h"
#include "platform/vtplus_standin_server.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using namespace std::chrono_literals;
using testing::TempFolder;

void Write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// A 40-column row: `text` padded with blanks.
std::string Row(const std::string& text) { return text + std::string(40 - text.size(), ' '); }

TEST(VtplusStandinAnswers, PagesStatusAndBoxes) {
    TempFolder folder("vt_answers");
    const std::string dir = folder.Path().string();
    // Row 1 is longer than 40 columns (cut); the file ends without a line break.
    Write(folder / "100.txt", "Boerse\r\nDAX   15.234,56 " + std::string(40, 'x') + "\nEnde");
    Write(folder / "100-2.txt", "Seite zwei\n");
    Write(folder / "200.status", "loading\r\n");
    Write(folder / "notes.md", "not a page");

    struct Case {
        const char* topic;
        const char* item;
        std::optional<std::string> answer;
    };
    const std::string row1 = ("DAX   15.234,56 " + std::string(40, 'x')).substr(0, 40);
    const Case cases[] = {
        {"System", "Topics", std::string("System\t100\t200")},
        {"system", "TOPICS", std::string("System\t100\t200")},
        {"System", "Status", std::nullopt},
        {"100", "Status", std::string("Ready")},
        {"200", "status", std::string("loading")},
        {"100", "1,1", Row("Boerse") + "\r\n" + row1 + "\r\n" + Row("Ende")},
        {"100", "2,2", Row("Seite zwei")},
        // A subpage without a file answers nothing; so does a page known only by its status.
        {"100", "3,3", std::string()},
        {"200", "1,1", std::string()},
        // Boxes: columns 6 to 14 of row 1; one column; two rows; rows below the page blank.
        {"100", "1,1,,,B(6/1/14/1)", std::string("15.234,56")},
        {"100", "1,1,,,b(0/0/0/0)", std::string("B")},
        {"100", "1,1,,,B(0/1/2/2)", std::string("DAX\r\nEnd")},
        {"100", "1,1,,,B(37/2/39/4)", std::string("   \r\n   \r\n   ")},
        // Malformed: end before start, column 40, row beyond 99, subpage 0 or 100, other
        // forms, an unknown item.
        {"100", "1,1,,,B(5/0/4/0)", std::nullopt},
        {"100", "1,1,,,B(0/1/0/0)", std::nullopt},
        {"100", "1,1,,,B(0/0/40/0)", std::nullopt},
        {"100", "1,1,,,B(0/0/1/100)", std::nullopt},
        {"100", "1,1,,,B(0/0/1)", std::nullopt},
        {"100", "1,1,x,,B(0/0/1/0)", std::nullopt},
        {"100", "0,0", std::nullopt},
        {"100", "100,100", std::nullopt},
        {"100", "-1,1", std::nullopt},
        {"100", "Kurs", std::nullopt},
        // Topics that are no pages of the folder.
        {"300", "Status", std::nullopt},
        {"notes", "Status", std::nullopt},
        {"../100", "Status", std::nullopt},
        {"", "Status", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.topic) + " / " + c.item);
        EXPECT_EQ(VtplusStandinServer::Answer(dir, c.topic, c.item), c.answer);
    }
}

// Page and state files are read up to 1 MiB (1,048,576 bytes) and no further, whatever
// their size, and a short file is read whole.
TEST(VtplusStandinAnswers, FilesAreReadUpToOneMebibyte) {
    TempFolder folder("vt_large");
    const std::string dir = folder.Path().string();
    const std::size_t mebibyte = 1024 * 1024;
    // 1 MiB + 7 bytes: the state is cut after the 1,048,576th "A"; the tail "BBBBBBB" is
    // never read.
    Write(folder / "100.status", std::string(mebibyte, 'A') + "BBBBBBB");
    Write(folder / "200.status", "Ready \r\n");
    // Exactly 1 MiB, and 5,000 bytes (more than one piece of 4,096): read whole.
    Write(folder / "300.status", std::string(mebibyte - 1, 'C') + "D");
    Write(folder / "400.status", std::string(4999, 'E') + "F");
    EXPECT_EQ(VtplusStandinServer::Answer(dir, "100", "Status"), std::string(mebibyte, 'A'));
    EXPECT_EQ(VtplusStandinServer::Answer(dir, "200", "Status"), std::string("Ready"));
    EXPECT_EQ(VtplusStandinServer::Answer(dir, "300", "Status"),
              std::string(mebibyte - 1, 'C') + "D");
    EXPECT_EQ(VtplusStandinServer::Answer(dir, "400", "Status"), std::string(4999, 'E') + "F");
}

// The stand-in server on a socket of the test's own.
class VtplusServerTest : public ::testing::Test {
  protected:
    TempFolder folder{"vt_server"};
    std::string socketPath = (folder / "vt.sock").string();
    std::unique_ptr<VtplusStandinServer> server;

    void SetUp() override {
        Write(folder / "100.txt", "DAX   15.234,56\n");
        std::string error;
        server = VtplusStandinServer::Start(folder.Path().string(), socketPath, error);
        ASSERT_NE(server, nullptr) << error;
    }
};

TEST_F(VtplusServerTest, ConversationsOverTheSocket) {
    SocketDdeClient client(socketPath);
    DdeConnectResult page = client.Connect("VTPlus", "100");
    ASSERT_NE(page.conversation, nullptr);
    EXPECT_EQ(page.conversation->Request("Status"), "Ready");
    EXPECT_EQ(page.conversation->Request("1,1,,,B(6/0/14/0)"), "15.234,56");
    // The file is read at each request; a refused item leaves the conversation usable.
    Write(folder / "100.txt", "DAX   15.300,00\n");
    EXPECT_EQ(page.conversation->Request("nonsense"), std::nullopt);
    EXPECT_EQ(page.conversation->Request("1,1,,,B(6/0/14/0)"), "15.300,00");
    // Items that cannot be sent.
    EXPECT_EQ(page.conversation->Request(""), std::nullopt);
    EXPECT_EQ(page.conversation->Request("1,1\nREQUEST Status"), std::nullopt);

    struct Case {
        const char* service;
        std::string topic;
        DdeConnectFailure failure;
    };
    const Case refused[] = {
        {"VTPlus", "999", DdeConnectFailure::NoConversation},
        {"Other", "100", DdeConnectFailure::NoConversation},
        {"VTPlus", "", DdeConnectFailure::NoConversation},
        {"VTPlus", "1\n00", DdeConnectFailure::BadName},
        {"", "100", DdeConnectFailure::BadName},
        {"VT Plus", "100", DdeConnectFailure::BadName},
        {"VTPlus", std::string(256, '1'), DdeConnectFailure::BadName},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(std::string(c.service) + " / " + c.topic);
        const DdeConnectResult result = client.Connect(c.service, c.topic);
        EXPECT_EQ(result.conversation, nullptr);
        EXPECT_EQ(result.failure, c.failure);
    }
}

TEST_F(VtplusServerTest, StopEndsOpenConversationsAndRemovesTheSocket) {
    SocketDdeClient client(socketPath, 2000ms);
    DdeConnectResult open = client.Connect("VTPlus", "System");
    ASSERT_NE(open.conversation, nullptr);
    EXPECT_EQ(open.conversation->Request("Topics"), "System\t100");
    server->Stop();
    EXPECT_FALSE(std::filesystem::exists(socketPath));
    EXPECT_EQ(open.conversation->Request("Topics"), std::nullopt);
    EXPECT_EQ(client.Connect("VTPlus", "100").failure, DdeConnectFailure::NoServer);
}

TEST_F(VtplusServerTest, TooManyConversationsAtOnceAreTurnedAway) {
    SocketDdeClient client(socketPath, 2000ms);
    std::vector<std::unique_ptr<DdeConversation>> open;
    for (int i = 0; i < 64; ++i) {
        DdeConnectResult result = client.Connect("VTPlus", "100");
        ASSERT_NE(result.conversation, nullptr) << i;
        open.push_back(std::move(result.conversation));
    }
    const DdeConnectResult refused = client.Connect("VTPlus", "100");
    EXPECT_EQ(refused.conversation, nullptr);
    EXPECT_EQ(refused.failure, DdeConnectFailure::NoConversation);
    EXPECT_EQ(open.back()->Request("Status"), "Ready");
}

TEST(VtplusServerStart, SocketPathRules) {
    TempFolder folder("vt_start");
    std::string error;
    // A leftover socket file nobody answers on is replaced.
    const std::string path = (folder / "vt.sock").string();
    {
        auto first = VtplusStandinServer::Start(folder.Path().string(), path, error);
        ASSERT_NE(first, nullptr) << error;
        // While it answers, a second server may not take the socket.
        EXPECT_EQ(VtplusStandinServer::Start(folder.Path().string(), path, error), nullptr);
        EXPECT_NE(error.find("antwortet bereits"), std::string::npos) << error;
    }
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ::close(stale);
    EXPECT_NE(VtplusStandinServer::Start(folder.Path().string(), path, error), nullptr) << error;
    // A file that is not a socket is never removed.
    Write(folder / "plain", "keep me");
    EXPECT_EQ(
        VtplusStandinServer::Start(folder.Path().string(), (folder / "plain").string(), error),
        nullptr);
    EXPECT_EQ(TempFolder::Contents(folder / "plain"), "keep me");
    EXPECT_EQ(VtplusStandinServer::Start((folder / "missing").string(),
                                         (folder / "x.sock").string(), error),
              nullptr);
}

TEST(VtplusSocketPath, DefaultFollowsTheRuntimeFolder) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string restore = saved != nullptr ? saved : "";
    ::setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
    EXPECT_EQ(DefaultVtplusSocketPath(), "/run/user/1234/portfolaris-vtplus.sock");
    ::setenv("XDG_RUNTIME_DIR", "", 1);
    EXPECT_EQ(DefaultVtplusSocketPath(),
              "/tmp/portfolaris-vtplus-" + std::to_string(::getuid()) + ".sock");
    if (saved != nullptr)
        ::setenv("XDG_RUNTIME_DIR", restore.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}

// A server that accepts one connection, answers CONNECT with OK and then runs `script` on
// the connection: the misbehaving servers the client must survive.
class HostileServer {
  public:
    HostileServer(const std::string& path, std::function<void(int)> script) : path_(path) {
        listen_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.c_str(), path.size());
        EXPECT_EQ(::bind(listen_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
        ::listen(listen_, 1);
        thread_ = std::thread([this, script = std::move(script)] {
            const int fd = ::accept(listen_, nullptr, nullptr);
            if (fd < 0) return;
            std::string line;
            char c = 0;
            while (::recv(fd, &c, 1, 0) == 1 && c != '\n') line.push_back(c);
            Send(fd, "OK\n");
            script(fd);
            ::close(fd);
        });
    }
    ~HostileServer() {
        ::shutdown(listen_, SHUT_RDWR);
        thread_.join();
        ::close(listen_);
        ::unlink(path_.c_str());
    }
    static void Send(int fd, const std::string& bytes) {
        size_t at = 0;
        while (at < bytes.size()) {
            const ssize_t sent = ::send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
            if (sent <= 0) return;
            at += static_cast<size_t>(sent);
        }
    }
    static std::string ReadLine(int fd) {
        std::string line;
        char c = 0;
        while (::recv(fd, &c, 1, 0) == 1 && c != '\n') line.push_back(c);
        return line;
    }

  private:
    std::string path_;
    int listen_ = -1;
    std::thread thread_;
};

TEST(SocketDdeClientHostile, EndsAsFailureOrCutAnswer) {
    TempFolder folder("vt_hostile");
    const std::string path = (folder / "h.sock").string();
    using Script = std::function<void(int)>;
    const std::string megabyte(1024 * 1024, '7');
    struct Case {
        const char* name;
        Script script;
        std::optional<std::string> first;   // answer to the first request
        std::optional<std::string> second;  // answer to a second one
    };
    const Case cases[] = {
        {"closes mid-answer",
         [](int fd) {
             HostileServer::ReadLine(fd);
             HostileServer::Send(fd, "DATA 100\n0123456789");
         },
         std::nullopt, std::nullopt},
        {"sends 1 MB: cut at 2000 bytes, the rest dropped, the next request answered",
         [&](int fd) {
             HostileServer::ReadLine(fd);
             HostileServer::Send(fd, "DATA " + std::to_string(megabyte.size()) + "\n" + megabyte);
             HostileServer::ReadLine(fd);
             HostileServer::Send(fd, "DATA 2\nok");
         },
         std::string(2000, '7'), std::string("ok")},
        {"claims more than can be dropped: cut answer, then the conversation is gone",
         [&](int fd) {
             HostileServer::ReadLine(fd);
             HostileServer::Send(fd, "DATA 99999999999\n" + megabyte);
         },
         std::string(2000, '7'), std::nullopt},
        {"header without end", [&](int fd) { HostileServer::Send(fd, megabyte); }, std::nullopt,
         std::nullopt},
        {"malformed header",
         [](int fd) {
             HostileServer::ReadLine(fd);
             HostileServer::Send(fd, "DATA -5\nabc");
         },
         std::nullopt, std::nullopt},
        {"zero byte ends the text",
         [](int fd) {
             HostileServer::ReadLine(fd);
             HostileServer::Send(fd, std::string("DATA 7\n12,5\0xy", 14));
         },
         std::string("12,5"), std::nullopt},
        {"never answers: time-out",
         [](int fd) {
             HostileServer::ReadLine(fd);
             HostileServer::ReadLine(fd);  // blocks until the client hangs up
         },
         std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostileServer hostile(path, c.script);
        SocketDdeClient client(path, 500ms);
        const auto started = std::chrono::steady_clock::now();
        DdeConnectResult result = client.Connect("VTPlus", "100");
        ASSERT_NE(result.conversation, nullptr);
        EXPECT_EQ(result.conversation->Request("Status"), c.first);
        EXPECT_EQ(result.conversation->Request("Status"), c.second);
        result.conversation.reset();
        // Each exchange is bounded by the time-out (two requests at 500 ms), with room for
        // slow sanitizer builds.
        EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    }
}

TEST(SocketDdeClientHostile, ConnectWithoutAnswerIsNoConversation) {
    TempFolder folder("vt_silent");
    const std::string path = (folder / "s.sock").string();
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ::listen(listener, 1);  // the connection waits in the backlog, nobody answers
    SocketDdeClient client(path, 200ms);
    const DdeConnectResult result = client.Connect("VTPlus", "100");
    EXPECT_EQ(result.conversation, nullptr);
    EXPECT_EQ(result.failure, DdeConnectFailure::NoConversation);
    ::close(listener);
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/curl_http_client.h"
#include "support/http_test_server.h"

namespace pf {
namespace {

using testing::HttpTestServer;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Options for tests: no proxy from the environment, so 127.0.0.1 is asked directly.
CurlHttpOptions LocalOptions() {
    CurlHttpOptions options;
    options.environmentProxy = false;
    return options;
}

TEST(CurlHttpClient, AnswersByStatus) {
    HttpTestServer server;
    server.SetPage("/kurs", "<td>Kurs:</td><td>12,50</td>");
    server.SetPage("/weg", "<a href=\"/kurs\">hier</a>", 302, "/kurs");
    server.SetPage("/fehler", "Kurs: 1,00", 500);
    server.SetPage("/leer", "");
    struct Case {
        const char* path;
        int status;
        const char* body;
    };
    const Case cases[] = {
        {"/kurs", 200, "<td>Kurs:</td><td>12,50</td>"},
        // Not found, a redirect (not followed) and a server error: no page.
        {"/fehlt", 404, ""},
        {"/weg", 302, ""},
        {"/fehler", 500, ""},
        {"/leer", 200, ""},
    };
    CurlHttpClient client(LocalOptions());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const int before = server.Requests();
        const HttpResponse r = client.Get(server.Url(c.path));
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.body, c.body);
        // One request each: the redirect's Location is not visited.
        EXPECT_EQ(server.Requests(), before + 1);
        EXPECT_EQ(server.LastUserAgent(), CurlHttpClient::kUserAgent);
    }
}

TEST(CurlHttpClient, EachBlockOf1023BytesIsCutAtItsFirstZeroByte) {
    HttpTestServer server;
    // Block 1 (bytes 0..1022): 10 × 'A', a zero, 1012 × 'B'  -> "AAAAAAAAAA"
    // Block 2 (bytes 1023..2045): 5 × 'C', a zero, 'D', 1016 × 'E' -> "CCCCC"
    // Block 3 (bytes 2046..): "Kurs: 1,50" without a zero -> kept whole
    std::string body = std::string(10, 'A') + '\0' + std::string(1012, 'B');
    body += std::string(5, 'C') + '\0' + "D" + std::string(1016, 'E');
    ASSERT_EQ(body.size(), 2046u);
    body += "Kurs: 1,50";
    server.SetPage("/bin", body);
    // Binary bytes other than zero pass as they are.
    server.SetPage("/hoch", std::string("\xff\xfe\x80Kurs", 7));
    CurlHttpClient client(LocalOptions());
    EXPECT_EQ(client.Get(server.Url("/bin")).body, std::string(10, 'A') + "CCCCCKurs: 1,50");
    EXPECT_EQ(client.Get(server.Url("/hoch")).body, std::string("\xff\xfe\x80Kurs", 7));
}

TEST(CurlHttpClient, LimitsEndEndlessAndHugePagesWithWhatWasRead) {
    HttpTestServer server;
    server.SetHangingPage("/ewig", "<td>Kurs:</td><td>7,25");
    server.SetLargePage("/riesig", 12'000'000, "Kurs: 3,00");
    {
        CurlHttpOptions options = LocalOptions();
        options.totalTimeoutMs = 300;
        CurlHttpClient client(options);
        const auto start = Clock::now();
        const HttpResponse r = client.Get(server.Url("/ewig"));
        EXPECT_LT(SecondsSince(start), 5.0);
        EXPECT_EQ(r.status, 200);
        EXPECT_EQ(r.body.rfind("<td>Kurs:</td><td>7,25", 0), 0u) << r.body.substr(0, 40);
    }
    {
        CurlHttpOptions options = LocalOptions();
        options.maxBodyBytes = 1'000'000;
        CurlHttpClient client(options);
        const HttpResponse r = client.Get(server.Url("/riesig"));
        EXPECT_EQ(r.status, 200);
        EXPECT_EQ(r.body.size(), 1'000'000u);
    }
    // The default: 10 MB = 10,485,760 bytes of the 12,000,010 are kept.
    CurlHttpClient client(LocalOptions());
    EXPECT_EQ(client.Get(server.Url("/riesig")).body.size(), 10'485'760u);
    // The connection is usable for the next page after an aborted one.
    server.SetPage("/kurs", "Kurs: 1,00");
    EXPECT_EQ(client.Get(server.Url("/kurs")).body, "Kurs: 1,00");
}

TEST(CurlHttpClient, CancelEndsTheTransfer) {
    HttpTestServer server;
    server.SetHangingPage("/ewig", "Kurs: 1,00");
    CurlHttpClient client(LocalOptions());
    std::atomic<bool> cancel{true};
    // Cancelled before it starts: no request at all.
    EXPECT_EQ(client.Get(server.Url("/ewig"), &cancel).status, 0);
    EXPECT_EQ(server.Requests(), 0);

    cancel = false;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancel = true;
    });
    const auto start = Clock::now();
    const HttpResponse r = client.Get(server.Url("/ewig"), &cancel);
    const double seconds = SecondsSince(start);
    canceller.join();
    // The 30 s limit is far away; libcurl looks at the flag at least once a second.
    EXPECT_LT(seconds, 3.0);
    EXPECT_EQ(r.body.rfind("Kurs: 1,00", 0), 0u);
}

TEST(CurlHttpClient, OnlyHttpAndHttpsAreFetched) {
    HttpTestServer server;
    server.SetPage("/kurs", "Kurs: 1,00");
    const std::string hostPort = "127.0.0.1:" + std::to_string(server.Port());
    struct Case {
        std::string url;
        bool fetched;
    };
    const Case cases[] = {
        {"http://" + hostPort + "/kurs", true},
        {"HTTP://" + hostPort + "/kurs", true},
        {"ftp://" + hostPort + "/kurs", false},
        {"file:///etc/hostname", false},
        {"gopher://" + hostPort + "/kurs", false},
        {hostPort + "/kurs", false},
        {"", false},
        {"http://", false},
        {"http:// kaputt /kurs", false},
    };
    CurlHttpClient client(LocalOptions());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const HttpResponse r = client.Get(c.url);
        EXPECT_EQ(r.status, c.fetched ? 200 : 0);
        EXPECT_EQ(r.body, c.fetched ? "Kurs: 1,00" : "");
    }
    EXPECT_EQ(server.Requests(), 2);
}

TEST(CurlHttpClient, HostAndPortAreHonoured) {
    HttpTestServer first;
    HttpTestServer second;
    first.SetPage("/kurs", "erster");
    second.SetPage("/kurs", "zweiter");
    CurlHttpClient client(LocalOptions());
    EXPECT_EQ(client.Get(first.Url("/kurs")).body, "erster");
    EXPECT_EQ(client.Get(second.Url("/kurs")).body, "zweiter");
    // A port nobody listens on: the server of `first` is gone after this block.
    int closedPort = 0;
    {
        HttpTestServer gone;
        closedPort = gone.Port();
    }
    const HttpResponse r = client.Get("http://127.0.0.1:" + std::to_string(closedPort) + "/kurs");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.body, "");
}

TEST(CurlHttpClient, HttpsChecksCertificateAndHost) {
    HttpTestServer server(HttpTestServer::Scheme::Https);
    server.SetPage("/kurs", "Kurs: 2,50");
    CurlHttpOptions trusting = LocalOptions();
    trusting.caFile = server.CaFile();
    {
        CurlHttpClient client(trusting);
        const HttpResponse r = client.Get(server.Url("/kurs"));
        EXPECT_EQ(r.status, 200);
        EXPECT_EQ(r.body, "Kurs: 2,50");
        // The certificate names 127.0.0.1 only: "localhost" fails the host check.
        const HttpResponse other =
            client.Get("https://localhost:" + std::to_string(server.Port()) + "/kurs");
        EXPECT_EQ(other.status, 0);
        EXPECT_EQ(other.body, "");
    }
    // Without the test certificate among the trusted ones the page is refused.
    CurlHttpClient client(LocalOptions());
    const HttpResponse r = client.Get(server.Url("/kurs"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.body, "");
}

}  // namespace
}  // namespace pf

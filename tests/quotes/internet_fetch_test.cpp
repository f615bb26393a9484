#include "quotes/internet_fetch.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"
#include "platform/curl_http_client.h"
#include "quotes/internet_quotes.h"
#include "support/http_test_server.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;
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
    // Cancelled while the transfer runs: once the page's start is out and three pieces
    // after it (150 ms later), so that the client holds the start.
    std::thread canceller([&] {
        server.WaitForHangingWrites(4);
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

// Sets an environment variable for a scope and puts the earlier value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = ::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// The proxy named in the environment is asked for the page, as a browser set up the same
// way would. Both ends are local: the "proxy" is a test server, and the address it is
// asked for (127.0.0.2, port 1) has nobody listening, so a request that bypassed the proxy
// would fail instead of leaving the machine.
TEST(CurlHttpClient, UsesTheProxyOfTheEnvironment) {
    HttpTestServer proxy;
    const std::string target = "http://127.0.0.2:1/kurs";
    // A proxy gets the whole address as the request target.
    proxy.SetPage(target, "Kurs: 6,50");
    const std::string proxyUrl = proxy.Url("");
    const ScopedEnv httpProxy("http_proxy", proxyUrl);
    const ScopedEnv noProxy("no_proxy", "");
    const ScopedEnv noProxyUpper("NO_PROXY", "");
    CurlHttpOptions options;  // environment proxies on, as in the program
    const HttpResponse viaProxy = CurlHttpClient(options).Get(target);
    options.environmentProxy = false;
    const HttpResponse direct = CurlHttpClient(options).Get(target);
    EXPECT_EQ(viaProxy.status, 200);
    EXPECT_EQ(viaProxy.body, "Kurs: 6,50");
    EXPECT_EQ(direct.status, 0);
    EXPECT_EQ(proxy.Requests(), 1);
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

InternetFetchItem Item(int32_t id, std::string url, std::string recognition,
                       bool decimalPoint = false) {
    InternetFetchItem item;
    item.securityId = id;
    item.url = std::move(url);
    item.recognition = std::move(recognition);
    item.decimalPoint = decimalPoint;
    return item;
}

// Runs `items` to the end and returns them.
std::vector<InternetFetchItem> RunToEnd(std::vector<InternetFetchItem> items) {
    CurlHttpClient http(LocalOptions());
    InternetFetchRun run(std::move(items));
    run.Start(http);
    run.Wait();
    EXPECT_TRUE(run.Done());
    EXPECT_EQ(run.Processed(), run.Total());
    return run.Items();
}

TEST(InternetFetchRun, StatusesOfPagesGoodAndBad) {
    HttpTestServer server;
    server.SetPage("/komma", "<td>Kurs:</td><td>1.234,56 EUR</td>");
    server.SetPage("/punkt", "<td>Last</td><td>1,234.56 USD</td>");
    server.SetPage("/apostroph", "Kurs: 1'234.50 CHF");
    server.SetPage("/gross", "<B>AKTUELLER KURS:</B> 7,5");
    // The page's entity is decoded before the search, and so is the recognition text's.
    server.SetPage("/entity", "B&ouml;rsenkurs &amp; mehr: 12,50");
    server.SetPage("/umlaut", "Börsenkurs: 3,25");
    server.SetPage("/ohne", "<html>Wartungsarbeiten</html>");
    server.SetPage("/kein-trenner", "Kurs: 12 EUR");
    server.SetPage("/schlecht", "Kurs: ,50");
    server.SetPage("/nur-zahl", "12,75 EUR");
    server.SetPage("/weg", "Kurs: 1,00", 302, "/komma");
    // Other encodings: Windows-1252 "ö" (F6) does not match the UTF-8 recognition text;
    // UTF-16 ends at its first zero byte ("K").
    server.SetPage("/cp1252", "B\xf6rsenkurs: 5,25");
    server.SetPage("/utf16", std::string("K\0u\0r\0s\0:\0 \0\x31\0,\0\x35\0", 18));
    // A binary answer that starts with a zero byte: its first block is empty and so is the
    // rest of it as far as it goes.
    server.SetPage("/bin", std::string("\0\x01\x02Kurs: 3,00", 13));
    const std::string base = server.Url("");
    const std::string hostPort = "127.0.0.1:" + std::to_string(server.Port());
    struct Case {
        InternetFetchItem item;
        bool success;
        double price;
        std::string_view status;
    };
    const Case cases[] = {
        {Item(1, base + "/komma", "Kurs:"), true, 1234.56, kStatusQuoteRead},
        {Item(2, base + "/punkt", "Last", true), true, 1234.56, kStatusQuoteRead},
        {Item(3, base + "/apostroph", "Kurs:", true), true, 1234.5, kStatusQuoteRead},
        {Item(4, base + "/gross", "Aktueller Kurs:"), true, 7.5, kStatusQuoteRead},
        // "&amp;" is left alone in both, so they still meet.
        {Item(5, base + "/entity", "B&ouml;rsenkurs &amp; mehr:"), true, 12.5, kStatusQuoteRead},
        {Item(6, base + "/entity", "Börsenkurs"), true, 12.5, kStatusQuoteRead},
        {Item(7, base + "/umlaut", "B&ouml;rsenkurs:"), true, 3.25, kStatusQuoteRead},
        {Item(8, base + "/ohne", "Kurs:"), false, 0.0, kStatusTextNotFound},
        {Item(9, base + "/kein-trenner", "Kurs:"), false, 0.0, kStatusNoSeparator},
        {Item(10, base + "/schlecht", "Kurs:"), false, 0.0, kStatusBadQuote},
        // No recognition text: the search matches at the start of the page.
        {Item(11, base + "/nur-zahl", ""), true, 12.75, kStatusQuoteRead},
        {Item(12, base + "/fehlt", "Kurs:"), false, 0.0, kStatusOpenFailed},
        {Item(13, base + "/weg", "Kurs:"), false, 0.0, kStatusOpenFailed},
        {Item(14, base + "/cp1252", "Börsenkurs:"), false, 0.0, kStatusTextNotFound},
        {Item(15, base + "/utf16", "Kurs:"), false, 0.0, kStatusTextNotFound},
        {Item(16, base + "/bin", "Kurs:"), false, 0.0, kStatusOpenFailed},
        // Addresses that are not fetched.
        {Item(17, "", "Kurs:"), false, 0.0, kStatusOpenFailed},
        {Item(18, hostPort + "/komma", "Kurs:"), false, 0.0, kStatusOpenFailed},
        {Item(19, "ftp://" + hostPort + "/komma", "Kurs:"), false, 0.0, kStatusOpenFailed},
        {Item(20, "http://" + hostPort, "Kurs:"), false, 0.0, kStatusOpenFailed},
        {Item(21, "http:///komma", "Kurs:"), false, 0.0, kStatusOpenFailed},
        // The letter case of the scheme does not matter.
        {Item(22, "HTTP://" + hostPort + "/komma", "Kurs:"), true, 1234.56, kStatusQuoteRead},
    };
    std::vector<InternetFetchItem> items;
    for (const Case& c : cases) items.push_back(c.item);
    const std::vector<InternetFetchItem> done = RunToEnd(items);
    ASSERT_EQ(done.size(), std::size(cases));
    for (size_t i = 0; i < done.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.item.url + " / " + c.item.recognition);
        EXPECT_EQ(done[i].securityId, c.item.securityId);
        EXPECT_EQ(done[i].success, c.success);
        EXPECT_EQ(done[i].status, c.status);
        if (c.success) {
            EXPECT_DOUBLE_EQ(done[i].price, c.price);
        }
    }
}

// A name put into an address by a template: its space and umlaut go out as %20 and %C3%BC,
// which the server decodes back to the path.
TEST(InternetFetchRun, AddressesWithSpacesAndHttps) {
    HttpTestServer plain;
    plain.SetPage("/M\xc3\xbcller AG", "Kurs: 4,50");
    HttpTestServer secure(HttpTestServer::Scheme::Https);
    secure.SetPage("/kurs", "Kurs: 8,25");
    CurlHttpOptions options = LocalOptions();
    options.caFile = secure.CaFile();
    CurlHttpClient http(options);
    InternetFetchRun run(
        {Item(1, plain.Url("/M\xc3\xbcller AG"), "Kurs:"), Item(2, secure.Url("/kurs"), "Kurs:")});
    run.Start(http);
    run.Wait();
    EXPECT_EQ(run.Item(0).status, kStatusQuoteRead);
    EXPECT_DOUBLE_EQ(run.Item(0).price, 4.5);
    EXPECT_EQ(run.Item(1).status, kStatusQuoteRead);
    EXPECT_DOUBLE_EQ(run.Item(1).price, 8.25);
}

TEST(InternetFetchRun, CancelInTheMiddleEndsSoonAndLeavesLaterItemsReset) {
    HttpTestServer server;
    server.SetPage("/a", "Kurs: 1,00");
    server.SetHangingPage("/ewig", "Kurs: 2,00");
    const std::vector<InternetFetchItem> items = {
        Item(1, server.Url("/a"), "Kurs:"),    Item(2, server.Url("/a"), "Kurs:"),
        Item(3, server.Url("/ewig"), "Kurs:"), Item(4, server.Url("/a"), "Kurs:"),
        Item(5, server.Url("/a"), "Kurs:"),
    };
    CurlHttpClient http(LocalOptions());
    InternetFetchRun run(items);
    EXPECT_EQ(run.RowStatus(0), "");  // not started
    run.Start(http);
    // The page of item 3 never ends; the run waits in it (30 s limit) until cancelled.
    // Item 3's request arrives only after items 1 and 2 were counted; cancelled once its
    // page has begun (its start and three pieces after it are out).
    ASSERT_TRUE(server.WaitForRequests(3));
    ASSERT_TRUE(server.WaitForHangingWrites(4));
    ASSERT_EQ(run.Processed(), 2);
    EXPECT_FALSE(run.Done());
    EXPECT_EQ(run.RowStatus(1), kStatusQuoteRead);
    EXPECT_EQ(run.RowStatus(2), kStatusOpeningPage);
    EXPECT_EQ(run.RowStatus(3), "");

    const auto cancelStart = Clock::now();
    run.Cancel();
    run.Wait();
    EXPECT_LT(SecondsSince(cancelStart), 3.0);
    EXPECT_TRUE(run.Done());
    // Item 3's page had begun, so the run stopped without reading it; 4 and 5 were never
    // asked for.
    EXPECT_EQ(run.Processed(), 2);
    EXPECT_EQ(server.Requests(), 3);
    EXPECT_EQ(run.Item(2).status, kStatusOpeningPage);
    EXPECT_FALSE(run.Item(2).success);
    for (const int row : {3, 4}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(run.Item(row).status, "");
        EXPECT_FALSE(run.Item(row).success);
    }
}

TEST(InternetFetchRun, DestroyingARunningRunCancelsIt) {
    HttpTestServer server;
    server.SetHangingPage("/ewig", "Kurs: 2,00");
    CurlHttpClient http(LocalOptions());
    const auto start = Clock::now();
    {
        InternetFetchRun run({Item(1, server.Url("/ewig"), "Kurs:")});
        run.Start(http);
        server.WaitForRequests(1);
    }
    EXPECT_LT(SecondsSince(start), 3.0);
}

TEST(InternetFetchItems, FromTheDocument) {
    DocBuilder b;
    const int32_t held = b.Security("Beta");
    const int32_t off = b.Security("Alpha");
    const int32_t notHeld = b.Security("Gamma");
    CFL2Wertpapier& s = *b.doc.FindSecurity(held);
    s.internetImport = 1;
    s.internetUrl = "http://kurse.example/beta";
    s.internetTextBeforeQuote = "Kurs:";
    s.internetDecimalSeparator = 1;
    b.doc.FindSecurity(notHeld)->internetImport = 1;
    b.Buy(Day(10, 1, 2020), held, 1, 5.0);
    b.Buy(Day(10, 1, 2020), off, 1, 5.0);

    const std::vector<InternetFetchItem> all = InternetFetchItems(b.doc, Day(15, 1, 2020));
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].securityId, held);
    EXPECT_EQ(all[0].url, "http://kurse.example/beta");
    EXPECT_EQ(all[0].recognition, "Kurs:");
    EXPECT_TRUE(all[0].decimalPoint);
    EXPECT_FALSE(all[0].success);
    EXPECT_EQ(all[0].status, "");

    // One security: enabled is enough, held or not; disabled or unknown gives none.
    struct Case {
        int32_t id;
        size_t count;
    };
    for (const Case c : {Case{held, 1}, Case{notHeld, 1}, Case{off, 0}, Case{9999, 0}}) {
        SCOPED_TRACE(c.id);
        const std::vector<InternetFetchItem> one =
            InternetFetchItems(b.doc, Day(15, 1, 2020), c.id);
        ASSERT_EQ(one.size(), c.count);
        if (c.count == 1) {
            EXPECT_EQ(one[0].securityId, c.id);
        }
    }
    EXPECT_TRUE(InternetFetchItems(b.doc, Day(9, 1, 2020)).empty());
}

TEST(InternetFetchApply, StoresSucceededPricesInOneEdit) {
    DocBuilder b;
    const int32_t a = b.Security("A");
    const int32_t c = b.Security("C");
    const int32_t failed = b.Security("F");
    b.Quote(a, Day(15, 1, 2020), 10.0);
    b.doc.SetModified(false);
    int heard = 0;
    b.doc.AddEditListener([&] { ++heard; });

    std::vector<InternetFetchItem> items = {Item(a, "", ""), Item(c, "", ""), Item(failed, "", ""),
                                            Item(4711, "", "")};
    items[0].success = items[1].success = items[3].success = true;
    items[0].price = 11.5;
    items[1].price = 3.25;
    items[2].price = 99.0;  // not succeeded: not stored
    items[3].price = 1.0;   // security not in the document
    EXPECT_TRUE(ApplyInternetQuotes(b.doc, items, Day(15, 1, 2020)));
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(b.doc.IsModified());
    double value = 0.0;
    EXPECT_EQ(b.doc.FindSecurity(a)->quotes.QuoteOn(Day(15, 1, 2020), value), 1);
    EXPECT_DOUBLE_EQ(value, 11.5);  // replaced 10.0
    EXPECT_EQ(b.doc.FindSecurity(c)->quotes.QuoteOn(Day(15, 1, 2020), value), 1);
    EXPECT_DOUBLE_EQ(value, 3.25);
    EXPECT_TRUE(b.doc.FindSecurity(failed)->quotes.empty());

    // The same prices again, or no success at all: nothing changes, nobody is told.
    b.doc.SetModified(false);
    EXPECT_FALSE(ApplyInternetQuotes(b.doc, items, Day(15, 1, 2020)));
    for (InternetFetchItem& item : items) item.success = false;
    EXPECT_FALSE(ApplyInternetQuotes(b.doc, items, Day(16, 1, 2020)));
    EXPECT_EQ(heard, 1);
    EXPECT_FALSE(b.doc.IsModified());
}

TEST(InternetFetchRun, FiftySecuritiesServedLocally) {
    HttpTestServer server;
    DocBuilder b;
    std::vector<int32_t> ids;
    for (int i = 0; i < 50; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Aktie %02d", i);
        const int32_t id = b.Security(name);
        ids.push_back(id);
        CFL2Wertpapier& s = *b.doc.FindSecurity(id);
        s.internetImport = 1;
        s.internetUrl = server.Url("/kurs/" + std::to_string(i));
        s.internetTextBeforeQuote = "Kurs:";
        b.Buy(Day(10, 1, 2020), id, 1, 5.0);
        // A page of some 20 kB with the price near its end: i + 0,25.
        server.SetPage("/kurs/" + std::to_string(i),
                       std::string(20'000, ' ') + "Kurs: " + std::to_string(i) + ",25 EUR");
    }
    CurlHttpClient http(LocalOptions());
    InternetFetchRun run(InternetFetchItems(b.doc, Day(15, 1, 2020)));
    ASSERT_EQ(run.Total(), 50);
    const auto start = Clock::now();
    run.Start(http);
    // Meanwhile read as the dialog's timer does: only rows below the processed count.
    int shown = 0;
    while (!run.Done()) {
        const int processed = run.Processed();
        for (; shown < processed; ++shown) EXPECT_EQ(run.Item(shown).status, kStatusQuoteRead);
        std::this_thread::yield();
    }
    run.Wait();
    const double seconds = SecondsSince(start);
    std::printf("50 securities fetched in %.3f s\n", seconds);
    EXPECT_LT(seconds, 2.0);
    EXPECT_EQ(server.Requests(), 50);

    EXPECT_TRUE(ApplyInternetQuotes(b.doc, run.Items(), Day(15, 1, 2020)));
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE(i);
        double value = 0.0;
        ASSERT_EQ(b.doc.FindSecurity(ids[static_cast<size_t>(i)])
                      ->quotes.QuoteOn(Day(15, 1, 2020), value),
                  1);
        EXPECT_DOUBLE_EQ(value, i + 0.25);
    }
}

}  // namespace
}  // namespace pf

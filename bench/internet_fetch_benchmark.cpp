// Speed of the fast internet quote run.
//   50 securities, each with a page of about 20 kB on a local server (HTTP, or HTTPS with
//   a certificate made at start-up), the price near the page's end. One iteration is one
//   run as the dialog starts it: a new client, the worker thread, all 50 pages, the join.
//   The time is wall-clock time, since the work happens on the worker thread.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/curl_http_client.h"
#include "quotes/internet_fetch.h"
#include "support/http_test_server.h"

namespace {

using pf::testing::HttpTestServer;

constexpr int kSecurities = 50;

void BM_FastRun(benchmark::State& state) {
    const bool https = state.range(0) != 0;
    HttpTestServer server(https ? HttpTestServer::Scheme::Https : HttpTestServer::Scheme::Http);
    std::vector<pf::InternetFetchItem> items;
    for (int i = 0; i < kSecurities; ++i) {
        const std::string path = "/kurs/" + std::to_string(i);
        server.SetPage(path, std::string(20'000, ' ') + "Kurs: " + std::to_string(i) + ",25 EUR");
        pf::InternetFetchItem item;
        item.securityId = i;
        item.url = server.Url(path);
        item.recognition = "Kurs:";
        items.push_back(item);
    }
    pf::CurlHttpOptions options;
    options.environmentProxy = false;
    options.caFile = server.CaFile();
    for (auto _ : state) {
        pf::CurlHttpClient http(options);
        pf::InternetFetchRun run(items);
        run.Start(http);
        run.Wait();
        if (run.Processed() != kSecurities || !run.Item(kSecurities - 1).success)
            state.SkipWithError("a page was not read");
    }
    state.SetItemsProcessed(state.iterations() * kSecurities);
}
BENCHMARK(BM_FastRun)
    ->ArgName("https")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

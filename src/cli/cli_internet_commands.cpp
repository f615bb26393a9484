// fetch-quotes: the fast dialog "Kurse aus Internet" on the command line.

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands_list.h"
#include "model/document.h"
#include "platform/curl_http_client.h"
#include "quotes/internet_fetch.h"
#include "quotes/quote_result_rows.h"

namespace pf::cli {

int FetchQuotes(const Context& c) {
    std::optional<CQRNDatum> date;
    if (!DateOption(c, "--date", date)) return 1;
    const std::optional<std::string> wkn = c.args.Option("--security");
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CQRNDatum day = date.value_or(Today(c.clock));
        int32_t single = -1;
        if (wkn) {
            const CFL2Wertpapier* security = FindSecurityByWkn(doc, *wkn);
            if (security == nullptr) return UnknownSecurity(c, *wkn);
            single = security->id;
        }
        std::vector<InternetFetchItem> items = InternetFetchItems(doc, day, single);
        if (items.empty()) {
            c.err << (wkn ? "Für dieses Wertpapier ist der Kursimport aus dem Internet nicht "
                            "aktiviert.\n"
                          : "Für keines der Wertpapiere ist der Kursimport aus dem Internet "
                            "aktiviert.\n");
            return 1;
        }
        CurlHttpClient http;
        InternetFetchRun run(std::move(items));
        run.Start(http);
        run.Wait();
        // One line per security: name, price ("-" without one), currency, status and the
        // trend icon's number (empty without a price).
        QuoteResultRows rows(doc, day, "-");
        for (const InternetFetchItem& item : run.Items()) {
            const std::optional<QuoteResultRow> row =
                rows.Row(item.securityId, item.success, item.price, item.status);
            if (!row) continue;
            c.out << TsvField(row->name) << "\t" << row->priceText << "\t" << row->currency << "\t"
                  << row->status << "\t" << (row->icon >= 0 ? std::to_string(row->icon) : "")
                  << "\n";
        }
        if (!c.args.Flag("--dry-run")) ApplyInternetQuotes(doc, run.Items(), day);
        return 0;
    });
}

}  // namespace pf::cli

#include "quotes/internet_fetch.h"

#include <optional>

#include "model/document.h"
#include "platform/http_client.h"
#include "quotes/internet_quotes.h"

namespace pf {
namespace {

InternetFetchItem ItemOf(const CFL2Wertpapier& security) {
    InternetFetchItem item;
    item.securityId = security.id;
    item.url = security.internetUrl;
    item.recognition = security.internetTextBeforeQuote;
    item.decimalPoint = security.internetDecimalSeparator == 1;
    return item;
}

bool IsSet(const std::atomic<bool>* flag) {
    return flag != nullptr && flag->load(std::memory_order_relaxed);
}

}  // namespace

std::vector<InternetFetchItem> InternetFetchItems(const CFolari2Doc& doc, CQRNDatum date,
                                                  int32_t singleSecurityId) {
    std::vector<InternetFetchItem> items;
    if (singleSecurityId >= 0) {
        const CFL2Wertpapier* security = doc.FindSecurity(singleSecurityId);
        if (security != nullptr && security->internetImport != 0)
            items.push_back(ItemOf(*security));
        return items;
    }
    for (const int32_t id : InternetQuoteSecurities(doc, date))
        items.push_back(ItemOf(*doc.FindSecurity(id)));
    return items;
}

bool FetchInternetQuote(HttpClient& http, InternetFetchItem& item,
                        const std::atomic<bool>* cancel) {
    item.status = kStatusOpeningPage;
    std::string page;
    if (const std::optional<QuoteAddress> address = SplitQuoteAddress(item.url))
        page = http.Get(QuoteRequestUrl(*address), cancel).body;
    if (page.empty()) {
        item.status = kStatusOpenFailed;
        return true;
    }
    if (IsSet(cancel)) return false;
    page = DecodePageEntities(page);
    const PriceExtraction found =
        ExtractQuotePrice(page, DecodePageEntities(item.recognition), item.decimalPoint);
    if (found.found) {
        item.success = true;
        item.price = found.price;
        item.status = found.status;
    } else if (!(item.success && found.status == kStatusTextNotFound)) {
        item.status = found.status;
    }
    return true;
}

InternetFetchRun::InternetFetchRun(std::vector<InternetFetchItem> items)
    : items_(std::move(items)) {}

InternetFetchRun::~InternetFetchRun() {
    Cancel();
    Wait();
}

void InternetFetchRun::Start(HttpClient& http) {
    if (started_) return;
    started_ = true;
    worker_ = std::jthread([this, &http] { Work(http); });
}

void InternetFetchRun::Cancel() { cancel_.store(true, std::memory_order_relaxed); }

void InternetFetchRun::Wait() {
    if (worker_.joinable()) worker_.join();
}

std::string_view InternetFetchRun::RowStatus(int row) const {
    if (row < 0 || row >= Total()) return {};
    // Done first: once it is seen, every item is final.
    if (Done()) return Item(row).status;
    const int processed = Processed();
    if (row < processed) return Item(row).status;
    if (row == processed && started_) return kStatusOpeningPage;
    return {};
}

void InternetFetchRun::Work(HttpClient& http) {
    for (size_t i = 0; i < items_.size(); ++i) {
        InternetFetchItem& item = items_[i];
        bool finished = true;
        try {
            finished = FetchInternetQuote(http, item, &cancel_);
        } catch (...) {
            // Out of memory for a huge page, say: the item fails on its own like a page
            // that could not be opened, and the run goes on.
            item.status = kStatusOpenFailed;
        }
        if (!finished) break;
        // Publishes the item's results: the reader reads only items below this count.
        processed_.store(static_cast<int>(i + 1), std::memory_order_release);
        if (cancel_.load(std::memory_order_relaxed)) break;
    }
    done_.store(true, std::memory_order_release);
}

bool ApplyInternetQuotes(CFolari2Doc& doc, const std::vector<InternetFetchItem>& items,
                         CQRNDatum date) {
    return doc.Edit([&](CFolari2Doc& d) {
        bool changed = false;
        for (const InternetFetchItem& item : items) {
            if (!item.success) continue;
            CFL2Wertpapier* security = d.FindSecurity(item.securityId);
            if (security == nullptr) continue;
            if (security->quotes.SetQuote(date, item.price) == 1) changed = true;
        }
        return changed;
    });
}

bool ApplyInternetRun(CFolari2Doc& doc, const std::vector<InternetFetchItem>& items, CQRNDatum date,
                      bool fastFetchNext) {
    const bool quotes = ApplyInternetQuotes(doc, items, date);
    const int32_t mode = fastFetchNext ? 1 : 0;
    if ((doc.options.internetQuotes.fastFetch != 0) == fastFetchNext) return quotes;
    doc.Edit([&](CFolari2Doc& d) { d.options.internetQuotes.fastFetch = mode; });
    return true;
}

}  // namespace pf

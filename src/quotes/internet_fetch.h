#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "model/date.h"

namespace pf {

class CFolari2Doc;
class HttpClient;

// One security of an internet quote run: where its page is and how the price stands in it,
// and what the run found.
struct InternetFetchItem {
    int32_t securityId = -1;
    std::string url;            // the security's internetUrl
    std::string recognition;    // its internetTextBeforeQuote
    bool decimalPoint = false;  // internetDecimalSeparator == 1
    // Results. A new item is reset: no success, no status.
    bool success = false;
    double price = 0.0;  // in the security's quote currency; meaningful only with `success`
    std::string status;  // one of the kStatus... texts of internet_quotes.h, or empty
};

// The items of a run on `date`: with `singleSecurityId` >= 0 that one security when its
// internet import is enabled (held or not), else none; otherwise every enabled security held
// on `date`, by name (InternetQuoteSecurities). Items come reset.
std::vector<InternetFetchItem> InternetFetchItems(const CFolari2Doc& doc, CQRNDatum date,
                                                  int32_t singleSecurityId = -1);

// Page fetching and price reading for one item, on the calling thread. The item's status is
// first kStatusOpeningPage; then an address that is not fetched (SplitQuoteAddress) or an
// empty page gives kStatusOpenFailed, and otherwise the entities of the page and of the
// recognition text are decoded and the price is extracted. A kStatusTextNotFound does not
// replace the status of an item that already succeeded. Returns false, the status still
// kStatusOpeningPage, when `cancel` was set by the time a non-empty page had arrived: the
// run stops there without reading it.
bool FetchInternetQuote(HttpClient& http, InternetFetchItem& item,
                        const std::atomic<bool>* cancel = nullptr);

// The fast fetch: the pages of all items, one after the other, on a worker thread.
//
// Sharing with the dialog thread, without locks: the worker writes item i only before it
// publishes Processed() = i + 1 (release), and the reader reads only items below the
// Processed() it has seen (acquire). So rows 0 .. Processed()-1 are final and may be read at
// any time; the row Processed() is being fetched and shows kStatusOpeningPage, which
// RowStatus() returns for it without touching the item. Done() (release/acquire as well)
// means the worker has written its last item: from then on every item may be read, also the
// one a cancel stopped in the middle (it keeps kStatusOpeningPage) and the later ones (still
// reset).
class InternetFetchRun {
  public:
    explicit InternetFetchRun(std::vector<InternetFetchItem> items);
    // Cancels a running worker and waits for it.
    ~InternetFetchRun();
    InternetFetchRun(const InternetFetchRun&) = delete;
    InternetFetchRun& operator=(const InternetFetchRun&) = delete;

    // Starts the worker; once per run. `http` is used on the worker thread only and must
    // outlive the worker (until Wait() returned or the run is destroyed).
    void Start(HttpClient& http);
    // Asks the worker to stop: it looks at the flag during and after each page, so at most
    // the page being fetched is finished. Items not reached keep their reset state.
    void Cancel();
    // Waits until the worker has ended (at once when it never started).
    void Wait();

    int Total() const { return static_cast<int>(items_.size()); }
    // Items whose results are final, in order (acquire).
    int Processed() const { return processed_.load(std::memory_order_acquire); }
    // The worker has ended, normally or by cancel (acquire).
    bool Done() const { return done_.load(std::memory_order_acquire); }

    // Item `row` as far as it may be read now: valid for row < Processed(), or any row once
    // Done(). Reading any other row is a data race.
    const InternetFetchItem& Item(int row) const { return items_[static_cast<size_t>(row)]; }
    // The status to show in row `row` now: the item's status when it may be read,
    // kStatusOpeningPage for the row the worker is at, empty for rows not reached yet.
    std::string_view RowStatus(int row) const;
    // All items; only after Done().
    const std::vector<InternetFetchItem>& Items() const { return items_; }

  private:
    void Work(HttpClient& http);

    std::vector<InternetFetchItem> items_;
    std::atomic<int> processed_{0};
    std::atomic<bool> done_{false};
    std::atomic<bool> cancel_{false};
    bool started_ = false;
    std::jthread worker_;
};

// Stores the price of every item that succeeded as the quote of its security on `date` (an
// existing quote on that date gets the new price), in one document edit. Items of securities
// no longer in the document are passed over. Returns whether a quote was added or changed.
bool ApplyInternetQuotes(CFolari2Doc& doc, const std::vector<InternetFetchItem>& items,
                         CQRNDatum date);

// OK of either "Kurse aus Internet" dialog: the quotes as ApplyInternetQuotes stores them,
// then the fetch mode for the next time (a stored nonzero mode counts as fast). Returns
// whether a quote or the mode changed.
bool ApplyInternetRun(CFolari2Doc& doc, const std::vector<InternetFetchItem>& items, CQRNDatum date,
                      bool fastFetchNext);

}  // namespace pf

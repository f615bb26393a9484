#include "quotes/browser_fetch.h"

#include <utility>

#include "quotes/internet_quotes.h"

namespace pf {

BrowserFetchSequence::BrowserFetchSequence(std::vector<InternetFetchItem> items)
    : items_(std::move(items)) {}

BrowserFetchSequence::Step BrowserFetchSequence::Start() { return Begin(0); }

BrowserFetchSequence::Step BrowserFetchSequence::Begin(int index) {
    current_ = index;
    idleTicks_ = 0;
    idleSinceComplete_ = 0;
    complete_ = false;
    if (current_ >= Total()) return Step::Finished;
    InternetFetchItem& item = items_[static_cast<size_t>(current_)];
    item.success = false;
    item.price = 0.0;
    item.status = std::string(kStatusOpeningPage);
    return Step::Navigate;
}

const std::string& BrowserFetchSequence::CurrentUrl() const {
    static const std::string none;
    return current_ < Total() ? items_[static_cast<size_t>(current_)].url : none;
}

void BrowserFetchSequence::DocumentComplete(std::string_view bodyHtml, bool topLevel) {
    if (current_ >= Total()) return;
    InternetFetchItem& item = items_[static_cast<size_t>(current_)];
    const PriceExtraction found = ExtractQuotePrice(bodyHtml, item.recognition, item.decimalPoint);
    // A frame without the recognition text does not undo the price another one gave.
    if (!(item.success && found.status == kStatusTextNotFound)) {
        item.success = found.found;
        item.price = found.found ? found.price : 0.0;
        item.status = found.status;
    }
    if (topLevel) {
        complete_ = true;
        idleSinceComplete_ = 0;
    }
}

BrowserFetchSequence::Step BrowserFetchSequence::Tick(bool busy) {
    if (current_ >= Total()) return Step::Finished;
    if (busy) return Step::Wait;
    ++idleTicks_;
    if (complete_) ++idleSinceComplete_;
    if (idleTicks_ > kBrowserMaxIdleTicks ||
        (complete_ && idleSinceComplete_ > kBrowserTicksAfterComplete))
        return Begin(current_ + 1);
    return Step::Wait;
}

}  // namespace pf

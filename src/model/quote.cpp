#include "model/quote.h"

#include <algorithm>

namespace pf {

QuoteHistory::Position QuoteHistory::FindQuote(CQRNDatum date) const {
    if (quotes_.empty()) return {false, 0};
    size_t lo = 0;
    size_t hi = quotes_.size() - 1;
    while (lo + 1 < hi) {
        const size_t mid = (lo + hi) / 2;
        if (quotes_[mid].date <= date) {
            lo = mid;
            if (quotes_[mid].date == date) hi = mid;
        } else {
            hi = mid;
        }
    }
    for (size_t i = lo; i <= hi; ++i) {
        if (quotes_[i].date == date) return {true, i};
        if (quotes_[i].date > date) return {false, i};
    }
    return {false, quotes_.size()};
}

int QuoteHistory::SetQuote(CQRNDatum date, double value) {
    const Position pos = FindQuote(date);
    if (pos.found) {
        if (quotes_[pos.index].value == value) return 0;
        quotes_[pos.index].value = value;
        return 1;
    }
    quotes_.insert(quotes_.begin() + static_cast<std::ptrdiff_t>(pos.index), CFL2Kurs{date, value});
    return 1;
}

int QuoteHistory::DeleteQuote(CQRNDatum date) {
    const Position pos = FindQuote(date);
    if (!pos.found) return 0;
    quotes_.erase(quotes_.begin() + static_cast<std::ptrdiff_t>(pos.index));
    return 1;
}

int QuoteHistory::ClearQuotes() {
    if (quotes_.empty()) return 0;
    quotes_.clear();
    return 1;
}

int QuoteHistory::QuoteOn(CQRNDatum date, double& value) const {
    const Position pos = FindQuote(date);
    if (!pos.found) return 0;
    value = quotes_[pos.index].value;
    return 1;
}

const CFL2Kurs* QuoteHistory::LatestOnOrBefore(CQRNDatum date) const {
    const Position pos = FindQuote(date);
    if (pos.found) return &quotes_[pos.index];
    if (pos.index == 0) return nullptr;
    return &quotes_[pos.index - 1];
}

bool QuoteHistory::Normalise() {
    const auto byDate = [](const CFL2Kurs& a, const CFL2Kurs& b) { return a.date < b.date; };
    const auto sameDate = [](const CFL2Kurs& a, const CFL2Kurs& b) { return a.date == b.date; };
    const bool strictlyAscending = std::adjacent_find(quotes_.begin(), quotes_.end(),
                                                      [](const CFL2Kurs& a, const CFL2Kurs& b) {
                                                          return !(a.date < b.date);
                                                      }) == quotes_.end();
    if (strictlyAscending) return false;
    std::stable_sort(quotes_.begin(), quotes_.end(), byDate);
    // Of equal dates the last stored wins: reverse, keep the first of each run, reverse back.
    std::reverse(quotes_.begin(), quotes_.end());
    quotes_.erase(std::unique(quotes_.begin(), quotes_.end(), sameDate), quotes_.end());
    std::reverse(quotes_.begin(), quotes_.end());
    return true;
}

}  // namespace pf

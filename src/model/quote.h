#pragma once

#include <cstddef>
#include <vector>

#include "model/date.h"

namespace pf {

// One quote: for a security the price of one piece in its quote currency, for a currency
// the exchange rate in the sense of the currency's quote format.
struct CFL2Kurs {
    static constexpr int kSchema = 1;
    CQRNDatum date;
    double value = 0.0;

    bool operator==(const CFL2Kurs&) const = default;
};

// A quote history: strictly ascending by date, at most one quote per date. All lookups are
// binary searches; insertion keeps the order, so the list never needs sorting.
class QuoteHistory {
  public:
    struct Position {
        bool found;
        size_t index;  // where the quote is, or where it would be inserted
    };

    Position FindQuote(CQRNDatum date) const;
    // 1 if a quote was added or its value changed; 0 if the same value was already there.
    int SetQuote(CQRNDatum date, double value);
    int DeleteQuote(CQRNDatum date);
    int ClearQuotes();
    // 1 and the stored value if a quote exists on exactly that date.
    int QuoteOn(CQRNDatum date, double& value) const;
    // The quote on `date` or else the latest before it; nullptr if there is none.
    const CFL2Kurs* LatestOnOrBefore(CQRNDatum date) const;

    size_t size() const { return quotes_.size(); }
    bool empty() const { return quotes_.empty(); }
    const CFL2Kurs& operator[](size_t i) const { return quotes_[i]; }
    CFL2Kurs& operator[](size_t i) { return quotes_[i]; }
    const std::vector<CFL2Kurs>& Items() const { return quotes_; }
    // Direct access for the file reader, which appends quotes in stored order.
    std::vector<CFL2Kurs>& MutableItems() { return quotes_; }
    // Restores the order after quotes were appended directly: sorts by date and keeps the
    // last of several quotes on one date, as setting them one after another would. Returns
    // whether anything changed.
    bool Normalise();

    bool operator==(const QuoteHistory&) const = default;

  private:
    std::vector<CFL2Kurs> quotes_;
};

}  // namespace pf

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/holdings.h"
#include "model/date.h"
#include "quotes/trend.h"

namespace pf {

class CFolari2Doc;

// One row of the result lists of the quote dialogs that fetch current prices ("Kurse aus
// Text", "Kurse aus Internet", "Kurse aus VTPlus"): "Wertpapier", "Kurs", "W.", "Status" and
// the trend icon.
struct QuoteResultRow {
    int32_t securityId = -1;
    std::string name;
    std::string priceText;  // document number format, 2 to 7 decimals; else the unread text
    std::string currency;   // the quote currency's symbol
    std::string status;
    int icon = -1;  // trend icon 0..7 (TrendIcon) for a price read, else -1

    bool operator==(const QuoteResultRow&) const = default;
};

// Makes the rows of one list: the trend of a price read is judged against the security's
// quote on or before `date` (split-adjusted as seen from `date`, as a price lookup does), the
// document's thresholds and the alert prices of the security's open lots after all
// transactions (computed once, at the first price read).
class QuoteResultRows {
  public:
    // `unreadPriceText` is what "Kurs" shows without a price; the thresholds are the
    // document's unless given.
    QuoteResultRows(const CFolari2Doc& doc, CQRNDatum date, std::string unreadPriceText = {},
                    std::optional<TrendThresholds> thresholds = std::nullopt);

    // Nothing for a security that is no longer in the document.
    std::optional<QuoteResultRow> Row(int32_t securityId, bool priceRead, double price,
                                      std::string status);

  private:
    const CFolari2Doc& doc_;
    CQRNDatum date_;
    std::string unreadPriceText_;
    TrendThresholds thresholds_;
    std::optional<PositionList> lots_;
};

}  // namespace pf

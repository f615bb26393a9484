#include "quotes/quote_result_rows.h"

#include <utility>

#include "engine/number_entry.h"
#include "model/document.h"

namespace pf {

QuoteResultRows::QuoteResultRows(const CFolari2Doc& doc, CQRNDatum date,
                                 std::string unreadPriceText,
                                 std::optional<TrendThresholds> thresholds)
    : doc_(doc),
      date_(date),
      unreadPriceText_(std::move(unreadPriceText)),
      thresholds_(thresholds.value_or(TrendThresholdsOf(doc.options))) {}

std::optional<QuoteResultRow> QuoteResultRows::Row(int32_t securityId, bool priceRead, double price,
                                                   std::string status) {
    const CFL2Wertpapier* security = doc_.FindSecurity(securityId);
    if (security == nullptr) return std::nullopt;
    QuoteResultRow row;
    row.securityId = securityId;
    row.name = security->name;
    if (const CFL2Waehrung* currency = doc_.FindCurrency(security->quoteCurrencyId))
        row.currency = currency->symbol;
    row.status = std::move(status);
    if (!priceRead) {
        row.priceText = unreadPriceText_;
        return row;
    }
    row.priceText =
        FormatDecimal(price, NumberFormatOf(doc_.options), kPriceMinDecimals, kPriceMaxDecimals);
    if (!lots_) lots_ = ComputeHoldings(doc_, HoldingsQuery{});
    const AlertPrices alerts = AlertPricesOf(doc_, *lots_, securityId);
    row.icon =
        TrendIcon(price, security->PriceAt(date_, date_), alerts.upper, alerts.lower, thresholds_);
    return row;
}

}  // namespace pf

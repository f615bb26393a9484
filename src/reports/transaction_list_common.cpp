#include "reports/transaction_list_common.h"

#include <algorithm>
#include <utility>

#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/position_report_common.h"
#include "reports/report_format.h"

namespace pf {

bool HasConversionRate(const CFolari2Doc& doc, int32_t currency, CQRNDatum date) {
    const CFL2Waehrung* c = doc.FindCurrency(currency);
    if (c == nullptr || c->id == kBaseCurrencyId || c->isFixed != 0) return true;
    return c->rates.LatestOnOrBefore(date) != nullptr;
}

Amount AmountAtDate(const CFolari2Doc& doc, Amount amount, int32_t from, int32_t to,
                    CQRNDatum date) {
    if (from == to) return RoundTo(amount, 2);
    // A variable currency without a rate would otherwise be converted with the factor 1.
    if (!HasConversionRate(doc, from, date) || !HasConversionRate(doc, to, date)) return 0.0;
    return ConvertAtDate(doc, amount, date, from, to, 2);
}

std::string ListTitle(const CFolari2Doc& doc, const std::string& titleTemplate, CQRNDatum from,
                      CQRNDatum to) {
    std::string title = titleTemplate;
    title = ReplacePlaceholder(title, "<STARTDATUM>", from.FormatLong());
    title = ReplacePlaceholder(title, "<ENDDATUM>", to.FormatLong());
    title = ReplacePlaceholder(title, "<DEPOTNUMMER>", doc.depot.depotNumber);
    title = ReplacePlaceholder(title, "<KONTONUMMER>", doc.depot.accountNumber);
    title = ReplacePlaceholder(title, "<INHABER>", doc.depot.holderName);
    return title;
}

ReportColumn ListColumn(int bit, std::string header1, std::string header2, int alignment) {
    ReportColumn column;
    column.bit = bit;
    column.header1 = std::move(header1);
    column.header2 = std::move(header2);
    column.alignment = alignment;
    return column;
}

std::string InCurrencyHeader(const CFolari2Doc& doc, int32_t currencyId) {
    return "in " + CurrencyNameOf(doc, currencyId);
}

std::string ListAmountText(double amount, const DocumentOptions& options) {
    return FormatNumber(amount, 2, 2, false, options);
}

std::string ListPriceText(double price, int maxDecimals, const DocumentOptions& options) {
    return FormatNumber(price, 2, std::clamp(maxDecimals, 2, 15), false, options);
}

RowStyle ListRowStyle(int index, Colour odd, Colour even) {
    const bool isOdd = index % 2 == 0;
    RowStyle style;
    style.colourA = isOdd ? kOddRowGrey : kEvenRowGrey;
    style.colourB = isOdd ? odd : even;
    return style;
}

}  // namespace pf

#include "quotes/price_entry.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace pf {

std::optional<double> ParseEntryPrice(std::string_view text, const NumberFormat& format) {
    const std::string& decimal = format.decimalSeparator;
    const size_t at = decimal.empty() ? std::string_view::npos : text.find(decimal);
    if (at != std::string_view::npos) {
        const std::string_view decimals = text.substr(at + decimal.size());
        const auto digits = std::count_if(decimals.begin(), decimals.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        });
        if (digits > kEntryMaxDecimals) return std::nullopt;
    }
    return ParseDecimal(text, format, kEntryMaxDecimals, false);
}

bool IsBlankEntry(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < '!'; });
}

std::string QuoteText(double price, const NumberFormat& format) {
    return FormatDecimal(price, format, kQuoteMinDecimals, kEntryMaxDecimals);
}

std::string RateText(double rate, const NumberFormat& format) {
    return FormatDecimal(rate, format, kRateMinDecimals, kEntryMaxDecimals);
}

int PageCountOf(size_t count, int perPage) {
    const size_t pages = (count + static_cast<size_t>(perPage) - 1) / static_cast<size_t>(perPage);
    return std::max(1, static_cast<int>(pages));
}

namespace {

int ClampPage(int page, int pageCount) { return std::clamp(page, 0, std::max(pageCount, 1) - 1); }

}  // namespace

int NextPage(int page, int pageCount) {
    const int p = ClampPage(page, pageCount);
    return p + 1 < pageCount ? p + 1 : 0;
}

int PreviousPage(int page, int pageCount) {
    const int p = ClampPage(page, pageCount);
    return p > 0 ? p - 1 : std::max(pageCount, 1) - 1;
}

std::string PageLineOf(int page, int pageCount) {
    return "Seite " + std::to_string(page + 1) + " von " + std::to_string(pageCount);
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace pf

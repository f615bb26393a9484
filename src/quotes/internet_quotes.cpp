#include "quotes/internet_quotes.h"

#include <algorithm>
#include <cstdio>

#include "engine/holdings.h"
#include "engine/number_entry.h"
#include "engine/position_queries.h"
#include "model/document.h"
#include "quotes/price_entry.h"

namespace pf {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiUpperCopy(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
    return upper;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string ProgressText(const char* pattern, int processed, int total) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, processed, total);
    return buffer;
}

}  // namespace

std::string FastProgressText(int processed, int total) {
    return ProgressText("\r\nFortschritt: %d/%d", processed, total);
}

std::string BrowserProgressText(int processed, int total) {
    return ProgressText("Fortschritt:\r\n%d/%d", processed, total);
}

std::optional<QuoteAddress> SplitQuoteAddress(std::string_view url) {
    if (url.size() < 8) return std::nullopt;
    const std::string head = AsciiUpperCopy(url.substr(0, 8));
    size_t schemeLength = 0;
    if (head.starts_with("HTTP://")) {
        schemeLength = 7;
    } else if (head.starts_with("HTTPS://")) {
        schemeLength = 8;
    } else {
        return std::nullopt;
    }
    const std::string_view rest = url.substr(schemeLength);
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos || slash == 0) return std::nullopt;
    return QuoteAddress{std::string(rest.substr(0, slash)), std::string(rest.substr(slash + 1)),
                        schemeLength == 8};
}

std::string QuoteRequestUrl(const QuoteAddress& address) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = address.secure ? "https://" : "http://";
    url += address.host;
    url += '/';
    for (const char c : address.object) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        } else {
            url += c;
        }
    }
    return url;
}

std::string DecodePageEntities(std::string_view text) {
    struct Entity {
        std::string_view from;
        std::string_view to;
    };
    static constexpr Entity kEntities[] = {
        {"&auml;", "ä"}, {"&ouml;", "ö"}, {"&uuml;", "ü"},  {"&Auml;", "Ä"},
        {"&Ouml;", "Ö"}, {"&Uuml;", "Ü"}, {"&szlig;", "ß"},
    };
    std::string result(text);
    for (const Entity& e : kEntities) {
        if (result.find(e.from) == std::string::npos) continue;
        std::string next;
        next.reserve(result.size());
        size_t from = 0;
        for (size_t at = result.find(e.from); at != std::string::npos;
             at = result.find(e.from, from)) {
            next.append(result, from, at - from);
            next.append(e.to);
            from = at + e.from.size();
        }
        next.append(result, from, std::string::npos);
        result = std::move(next);
    }
    return result;
}

PriceExtraction ExtractQuotePrice(std::string_view page, std::string_view recognition,
                                  bool decimalPoint) {
    PriceExtraction out;
    size_t at = page.find(recognition);
    // ASCII upper-casing keeps every byte in place, so the offset found in the copies is the
    // offset in the page.
    if (at == std::string_view::npos) at = AsciiUpperCopy(page).find(AsciiUpperCopy(recognition));
    if (at == std::string_view::npos) {
        out.status = kStatusTextNotFound;
        return out;
    }
    const std::string_view behind = page.substr(at + recognition.size());
    const char separator = decimalPoint ? '.' : ',';
    const char grouping = decimalPoint ? ',' : '.';
    const size_t sep = behind.find(separator);
    if (sep == std::string_view::npos) {
        out.status = kStatusNoSeparator;
        return out;
    }
    // Walk back over digits and grouping characters, then copy the digits forwards (no
    // prepending, so a long run of digits costs linear time).
    size_t begin = sep;
    while (begin > 0) {
        const char c = behind[begin - 1];
        if (!IsDigit(c) && c != grouping && c != '\'') break;
        --begin;
    }
    std::string number;
    for (size_t i = begin; i < sep; ++i)
        if (IsDigit(behind[i])) number += behind[i];
    if (number.empty()) {
        out.status = kStatusBadQuote;
        return out;
    }
    number += ',';
    for (size_t i = sep + 1; i < behind.size() && IsDigit(behind[i]); ++i) number += behind[i];
    const std::optional<double> price = ParseQuotePrice(number, ',');
    if (!price) {
        out.status = kStatusBadQuote;
        return out;
    }
    out.found = true;
    out.price = *price;
    out.status = kStatusQuoteRead;
    return out;
}

std::vector<int32_t> InternetQuoteSecurities(const CFolari2Doc& doc, CQRNDatum date) {
    const PositionList lots = ComputeHoldings(doc, HoldingsQuery{});
    std::vector<const CFL2Wertpapier*> picked;
    for (const CFL2Wertpapier& s : doc.securities) {
        if (s.internetImport == 0 || !IsHeldAt(lots, s.id, date)) continue;
        // Before the first item whose name is greater: equal names keep document order.
        const auto place = std::upper_bound(picked.begin(), picked.end(), &s,
                                            [](const CFL2Wertpapier* a, const CFL2Wertpapier* b) {
                                                return LessIgnoringCase(a->name, b->name);
                                            });
        picked.insert(place, &s);
    }
    std::vector<int32_t> ids;
    ids.reserve(picked.size());
    for (const CFL2Wertpapier* s : picked) ids.push_back(s->id);
    return ids;
}

}  // namespace pf

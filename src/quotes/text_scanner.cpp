#include "quotes/text_scanner.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "engine/number_entry.h"
#include "model/document.h"

namespace pf {

namespace {

// `text` cut into its UTF-8 characters; a byte that does not begin a well-formed sequence
// stands alone.
std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead >= 0xF0 && lead <= 0xF7   ? 4
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                                                       : 1;
        if (i + length > text.size()) length = 1;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next < 0x80 || next > 0xBF) {
                length = 1;
                break;
            }
        }
        out.push_back(text.substr(i, length));
        i += length;
    }
    return out;
}

// The first occurrence of `key` (not empty) in `text`. A page of a megabyte is searched for
// a hundred keys, most of them near its end, so the search skips ahead instead of trying
// every position.
size_t FindFirst(std::string_view text, std::string_view key) {
    if (key.size() == 1) return text.find(key[0]);
    const auto it = std::search(text.begin(), text.end(),
                                std::boyer_moore_horspool_searcher(key.begin(), key.end()));
    return it == text.end() ? std::string_view::npos : static_cast<size_t>(it - text.begin());
}

// The earliest position at or after `from` where one of `terminators` begins.
size_t FindFirstOf(std::string_view text, const std::vector<std::string_view>& terminators,
                   size_t from) {
    size_t best = std::string_view::npos;
    for (const std::string_view t : terminators) {
        // Only an occurrence before the best one so far can win.
        const std::string_view window =
            best == std::string_view::npos ? text : text.substr(0, best + t.size() - 1);
        const size_t pos = window.find(t, from);
        if (pos != std::string_view::npos) best = pos;
    }
    return best;
}

std::optional<double> ReadPrice(std::string_view text, const TextQuoteFormat& format) {
    const char decimal = format.decimalPoint ? '.' : ',';
    if (!format.ignoreOtherCharacters) return ParseQuotePrice(text, decimal);
    std::string kept;
    for (const char c : text)
        if ((c >= '0' && c <= '9') || c == '.' || c == ',') kept += c;
    return ParseQuotePrice(kept, decimal);
}

}  // namespace

std::vector<std::string> IdentificationTexts(const std::string& isinLabel) {
    return {"WKN", isinLabel, "WKN, " + isinLabel, isinLabel + ", WKN"};
}

std::string NoSeparatorStatus(const std::string& isinLabel) {
    return "kein Trennzeichen zwischen WKN/" + isinLabel + " und Kurs";
}

std::vector<TextQuoteItem> ScanTextQuotes(const CFolari2Doc& doc, std::string_view text,
                                          const TextQuoteFormat& format, int identification) {
    const std::string separatorText = SeparatorTokensReplaced(format.separators);
    const std::string terminatorText = SeparatorTokensReplaced(format.terminators);
    const std::vector<std::string_view> separators = Characters(separatorText);
    const std::vector<std::string_view> terminators = Characters(terminatorText);
    if (identification < kIdentifyByWkn || identification > kIdentifySecondIdThenWkn)
        identification = kIdentifyByWkn;

    std::vector<TextQuoteItem> items;
    for (const CFL2Wertpapier& security : doc.securities) {
        std::vector<const std::string*> keys;
        switch (identification) {
            case kIdentifyByWkn:
                keys = {&security.wkn};
                break;
            case kIdentifyBySecondId:
                keys = {&security.isin};
                break;
            case kIdentifyWknThenSecondId:
                keys = {&security.wkn, &security.isin};
                break;
            default:
                keys = {&security.isin, &security.wkn};
                break;
        }
        size_t keyAt = std::string_view::npos;
        const std::string* key = nullptr;
        for (const std::string* k : keys) {
            if (k->empty()) continue;
            keyAt = FindFirst(text, *k);
            if (keyAt != std::string_view::npos) {
                key = k;
                break;
            }
        }
        if (key == nullptr) continue;

        TextQuoteItem item;
        item.securityId = security.id;
        size_t last = keyAt + key->size() - 1;  // the last character read so far
        bool separated = true;
        for (const std::string_view s : separators) {
            const size_t pos = text.find(s, last + 1);
            if (pos == std::string_view::npos) {
                separated = false;
                break;
            }
            last = pos + s.size() - 1;
        }
        if (!separated) {
            item.status = NoSeparatorStatus(doc.options.isinLabel);
        } else {
            const size_t priceStart = last + 1;
            const size_t priceEnd = FindFirstOf(text, terminators, priceStart);
            if (priceEnd == std::string_view::npos) {
                item.status = kStatusNoTerminator;
            } else {
                const std::optional<double> price =
                    ReadPrice(text.substr(priceStart, priceEnd - priceStart), format);
                if (price && *price > 0.0) {
                    item.priceRead = true;
                    item.price = *price;
                    item.status = kStatusOkay;
                } else {
                    item.status = kStatusBadPrice;
                }
            }
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace pf

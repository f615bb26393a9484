#include "quotes/text_scanner.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_map>

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

// The first occurrence of every key in `text` (npos for one that is absent or empty). A
// page of a megabyte is searched for a hundred keys, most of them near its end, so the keys
// of four bytes or more are looked for together in one sweep: a table of their first two
// bytes rejects most positions at once, the rest are compared with the keys that begin
// with the same four bytes. The sweep goes from the front and records only a key's first
// hit, so the result is the same as searching for each key on its own.
std::vector<size_t> FirstOccurrences(std::string_view text,
                                     const std::vector<std::string_view>& keys) {
    constexpr size_t npos = std::string_view::npos;
    std::vector<size_t> found(keys.size(), npos);
    const auto prefix4 = [](const char* p) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    };
    const auto prefix2 = [](const char* p) {
        return static_cast<size_t>(static_cast<unsigned char>(p[0])) << 8 |
               static_cast<unsigned char>(p[1]);
    };
    std::vector<bool> startsKey(1 << 16, false);
    std::unordered_map<uint32_t, std::vector<size_t>> byPrefix;
    size_t open = 0;
    for (size_t k = 0; k < keys.size(); ++k) {
        const std::string_view key = keys[k];
        if (key.empty()) continue;
        if (key.size() < 4) {
            found[k] = text.find(key);
            continue;
        }
        startsKey[prefix2(key.data())] = true;
        byPrefix[prefix4(key.data())].push_back(k);
        ++open;
    }
    for (size_t i = 0; open > 0 && i + 4 <= text.size(); ++i) {
        if (!startsKey[prefix2(text.data() + i)]) continue;
        const auto bucket = byPrefix.find(prefix4(text.data() + i));
        if (bucket == byPrefix.end()) continue;
        for (const size_t k : bucket->second) {
            if (found[k] != npos || keys[k].size() > text.size() - i) continue;
            if (text.compare(i, keys[k].size(), keys[k]) != 0) continue;
            found[k] = i;
            --open;
        }
    }
    return found;
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

    // Per security the key of the first pass and of the second (empty: no second pass).
    std::vector<std::string_view> keys;
    for (const CFL2Wertpapier& security : doc.securities) {
        switch (identification) {
            case kIdentifyByWkn:
                keys.insert(keys.end(), {security.wkn, {}});
                break;
            case kIdentifyBySecondId:
                keys.insert(keys.end(), {security.isin, {}});
                break;
            case kIdentifyWknThenSecondId:
                keys.insert(keys.end(), {security.wkn, security.isin});
                break;
            default:
                keys.insert(keys.end(), {security.isin, security.wkn});
                break;
        }
    }
    const std::vector<size_t> positions = FirstOccurrences(text, keys);

    std::vector<TextQuoteItem> items;
    for (size_t s = 0; s < doc.securities.size(); ++s) {
        const CFL2Wertpapier& security = doc.securities[s];
        size_t keyAt = positions[2 * s];
        std::string_view key = keys[2 * s];
        if (keyAt == std::string_view::npos) {
            keyAt = positions[2 * s + 1];
            key = keys[2 * s + 1];
        }
        if (keyAt == std::string_view::npos) continue;

        TextQuoteItem item;
        item.securityId = security.id;
        size_t last = keyAt + key.size() - 1;  // the last character read so far
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

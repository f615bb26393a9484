// Feeds arbitrary separator formats, keys and pasted texts to the "Kurse aus Text" scanner.
// The input has three fields separated by zero bytes:
//   1. the format: "1" or "2" for the built-in formats 0001 and 0002, a stored format text
//      ("Titel*+*:*+*<NZ>*+*01*+*XXXX*+*"), or else up to three lines: separators,
//      terminators and the flags ("1" for decimal point, then "1" for ignoring other
//      characters);
//   2. the securities: the first byte is the identification choice ('0' to '3'; any other
//      byte gives a choice outside the list), then one line per security, "WKN<TAB>ISIN";
//   3. the text to scan.
// Besides crashes and sanitizer reports, a result is a fault when an item stands for a
// security whose keys are not in the text or is missing for one whose key is, when the
// items leave the document's order, when a price read is not a positive finite number
// within the cap, or when the status does not match the price. A stored format that parses
// must read back the same after it is written again.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_fields.h"
#include "model/document.h"
#include "quotes/text_quote_formats.h"
#include "quotes/text_scanner.h"

namespace {

using pf::fuzz::Check;

constexpr std::size_t kMaxSecurities = 24;

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

pf::TextQuoteFormat FormatOf(std::string_view field) {
    if (field == "1") return *pf::TextQuoteFormat::Parse(pf::DefaultTextFormat0001());
    if (field == "2") return *pf::TextQuoteFormat::Parse(pf::DefaultTextFormat0002());
    if (const std::optional<pf::TextQuoteFormat> stored = pf::TextQuoteFormat::Parse(field)) {
        const std::optional<pf::TextQuoteFormat> again =
            pf::TextQuoteFormat::Parse(stored->Assemble());
        Check(again && *again == *stored);
        return *stored;
    }
    const std::vector<std::string_view> lines = Lines(field);
    pf::TextQuoteFormat format;
    format.title = "Fuzz";
    if (lines.size() > 0) format.separators = lines[0];
    if (lines.size() > 1) format.terminators = lines[1];
    if (lines.size() > 2) {
        format.decimalPoint = lines[2].size() > 0 && lines[2][0] == '1';
        format.ignoreOtherCharacters = lines[2].size() > 1 && lines[2][1] == '1';
    }
    return format;
}

bool IsKnownStatus(const std::string& status, const std::string& isinLabel) {
    return status == pf::kStatusOkay || status == pf::kStatusBadPrice ||
           status == pf::kStatusNoTerminator || status == pf::NoSeparatorStatus(isinLabel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> fields = pf::fuzz::SplitFields(input, 3);
    const pf::TextQuoteFormat format = FormatOf(fields[0]);

    std::string_view securities = fields[1];
    const int identification = securities.empty() ? 0 : securities[0] - '0';
    if (!securities.empty()) securities.remove_prefix(1);
    pf::CFolari2Doc doc;
    for (const std::string_view line : Lines(securities)) {
        if (doc.securities.size() == kMaxSecurities) break;
        pf::CFL2Wertpapier security;
        security.id = static_cast<int32_t>(doc.securities.size()) + 1;
        const std::size_t tab = line.find('\t');
        security.wkn = std::string(line.substr(0, tab));
        if (tab != std::string_view::npos) security.isin = std::string(line.substr(tab + 1));
        doc.securities.push_back(std::move(security));
    }

    const std::string_view text = fields[2];
    const std::vector<pf::TextQuoteItem> items =
        pf::ScanTextQuotes(doc, text, format, identification);

    // Which securities the text names, searched the plain way, one key after the other.
    std::size_t next = 0;
    for (const pf::CFL2Wertpapier& security : doc.securities) {
        const auto present = [&](const std::string& key) {
            return !key.empty() && text.find(key) != std::string_view::npos;
        };
        bool named = false;
        switch (identification) {
            case pf::kIdentifyBySecondId:
                named = present(security.isin);
                break;
            case pf::kIdentifyWknThenSecondId:
            case pf::kIdentifySecondIdThenWkn:
                named = present(security.wkn) || present(security.isin);
                break;
            default:
                named = present(security.wkn);
                break;
        }
        const bool listed = next < items.size() && items[next].securityId == security.id;
        Check(named == listed);
        if (!listed) continue;
        const pf::TextQuoteItem& item = items[next++];
        Check(IsKnownStatus(item.status, doc.options.isinLabel));
        Check(item.priceRead == (item.status == pf::kStatusOkay));
        if (item.priceRead)
            Check(std::isfinite(item.price) && item.price > 0.0 &&
                  item.price <= pf::fuzz::kMaxPrice);
    }
    Check(next == items.size());
    return 0;
}

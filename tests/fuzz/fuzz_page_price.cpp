// Feeds arbitrary web pages and recognition texts to the price extraction of the internet
// quotes, after the page's umlaut entities are decoded as a run decodes them. The input is
// one byte of flags (bit 0: decimal point, else decimal comma), the recognition text, a
// zero byte and the page.
// Besides crashes and sanitizer reports, decoding is a fault when it lets a decoded entity
// stand, grows the text, changes a text without "&" or changes its own result again; the
// extraction is a fault when its status does not fit what it found or a price it found is
// not a finite number from 0 up to the cap.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_fields.h"
#include "quotes/internet_quotes.h"

namespace {

using pf::fuzz::Check;

void CheckDecoded(std::string_view page, const std::string& decoded) {
    Check(decoded.size() <= page.size());
    if (page.find('&') == std::string_view::npos) Check(decoded == page);
    for (const std::string_view entity :
         {"&auml;", "&ouml;", "&uuml;", "&Auml;", "&Ouml;", "&Uuml;", "&szlig;"})
        Check(decoded.find(entity) == std::string::npos);
    Check(pf::DecodePageEntities(decoded) == decoded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool decimalPoint = (data[0] & 1) != 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::vector<std::string_view> fields = pf::fuzz::SplitFields(input, 2);
    const std::string_view recognition = fields[0];

    const std::string page = pf::DecodePageEntities(fields[1]);
    CheckDecoded(fields[1], page);

    const pf::PriceExtraction result = pf::ExtractQuotePrice(page, recognition, decimalPoint);
    Check(result.found == (result.status == pf::kStatusQuoteRead));
    if (result.found)
        Check(std::isfinite(result.price) && result.price >= 0.0 &&
              result.price <= pf::fuzz::kMaxPrice);
    else
        Check(result.status == pf::kStatusTextNotFound || result.status == pf::kStatusNoSeparator ||
              result.status == pf::kStatusBadQuote);
    if (result.status != pf::kStatusTextNotFound)
        Check(recognition.empty() || page.size() >= recognition.size());
    else
        Check(page.find(recognition) == std::string::npos);
    return 0;
}

// Feeds arbitrary texts to the readers of typed numbers: piece counts, decimal numbers
// (prices, rates, amounts), sums of amounts and the prices of imported quote files. The
// input starts with three bytes:
//   1. the separators: below 0x80 one of a table of settings a user can choose; from 0x80
//      up the two bytes after the header are the separators as a portfolio file stores
//      them (one Windows-1252 byte each, 0 for none: decimal, then thousands), read and
//      made safe as the document does;
//   2. the decimals of a decimal number: the low four bits the most, the high four bits the
//      least that are shown;
//   3. flags: bit 0 allows a "-", bit 1 reads quote prices with a decimal point.
// The rest is the text. Every reader is given the same text. Besides crashes and sanitizer
// reports, a value read is a fault when it lies outside what the reader promises (a sign
// where none is allowed, beyond the cap, not finite) or when its canonical text does not
// read back as the very same value.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/number_entry.h"
#include "fuzz_fields.h"
#include "model/document_options.h"
#include "model/text_codec.h"

namespace {

using pf::fuzz::Check;

const pf::NumberFormat kFormats[] = {
    {",", "."},
    {".", ","},
    {",", ""},
    {".", ""},
    {",", "\xE2\x80\x99"},
    {".", "'"},
    {",", " "},
    {",", "\xC2\xA0"},
    {".", "\xE2\x80\x99"},
};

constexpr pf::Quantity kMaxQuantity = 999'999'999 * pf::kPiece + (pf::kPiece - 1);

void CheckQuantity(std::string_view text, const pf::NumberFormat& format) {
    const std::optional<pf::Quantity> quantity = pf::ParseQuantity(text, format);
    if (!quantity) return;
    Check(*quantity >= 0 && *quantity <= kMaxQuantity);
    const std::string shown = pf::FormatQuantity(*quantity, format);
    Check(pf::ParseQuantity(shown, format) == quantity);
}

void CheckDecimal(std::string_view text, const pf::NumberFormat& format, int minDecimals,
                  int maxDecimals, bool allowNegative) {
    const std::optional<double> value = pf::ParseDecimal(text, format, maxDecimals, allowNegative);
    if (!value) return;
    // The integer part is capped at 999,999,999; with more than 7 decimals the nearest double
    // can be 10^9 itself.
    Check(std::isfinite(*value) && std::fabs(*value) <= 1e9);
    // 10^9 itself has no text that reads back (its integer part would be cut to 999,999,999).
    // The entry fields keep at most 7 decimals, where this cannot happen.
    if (std::fabs(*value) == 1e9) {
        Check(maxDecimals > pf::kPriceMaxDecimals);
        return;
    }
    // "-0" reads as plain zero, and without allowNegative nothing is below zero.
    if (*value == 0.0 || !allowNegative) Check(!std::signbit(*value));
    const std::string shown = pf::FormatDecimal(*value, format, minDecimals, maxDecimals);
    const std::optional<double> again = pf::ParseDecimal(shown, format, maxDecimals, true);
    Check(again && *again == *value);
    Check(pf::FormatDecimal(*again, format, minDecimals, maxDecimals) == shown);
}

void CheckAmountSum(std::string_view text, const pf::NumberFormat& format) {
    const std::optional<double> sum = pf::ParseAmountSum(text, format);
    // A text of one part is that part as an amount field reads it.
    if (text.find('+') == std::string_view::npos)
        Check(sum == pf::ParseDecimal(text, format, pf::kAmountDecimals));
    if (!sum) return;
    Check(std::isfinite(*sum) && *sum >= 0.0 && !std::signbit(*sum));
    // Whole cents: 100 times the sum lies within rounding of an integer.
    const double cents = *sum * 100.0;
    Check(std::fabs(cents - std::round(cents)) <= 1e-6 * std::max(1.0, cents));
    if (*sum < 1e9) {
        const std::string shown = pf::FormatDecimal(*sum, format, 2, 2);
        Check(pf::ParseDecimal(shown, format, pf::kAmountDecimals) == sum);
    }
}

void CheckQuotePrice(std::string_view text, char decimalSeparator) {
    const std::optional<double> price = pf::ParseQuotePrice(text, decimalSeparator);
    if (!price) return;
    Check(std::isfinite(*price) && *price >= 0.0 && *price <= pf::fuzz::kMaxPrice);
    const pf::NumberFormat plain{std::string(1, decimalSeparator), ""};
    const std::string shown = pf::FormatDecimal(*price, plain, 0, pf::kPriceMaxDecimals);
    Check(pf::ParseQuotePrice(shown, decimalSeparator) == price);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const uint8_t choice = data[0];
    const int maxDecimals = data[1] & 0x0F;
    const int minDecimals = data[1] >> 4;
    const bool allowNegative = (data[2] & 1) != 0;
    const char quoteSeparator = (data[2] & 2) != 0 ? '.' : ',';
    std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);

    pf::NumberFormat format;
    if (choice < 0x80) {
        format = kFormats[choice % std::size(kFormats)];
    } else {
        if (text.size() < 2) return 0;
        const auto stored = [](char byte) {
            return byte == 0 ? std::string() : pf::Windows1252ToUtf8(std::string_view(&byte, 1));
        };
        pf::DocumentOptions options;
        options.decimalSeparator = stored(text[0]);
        options.thousandsSeparator = stored(text[1]);
        format = pf::NumberFormatOf(options);
        text.remove_prefix(2);
    }

    CheckQuantity(text, format);
    CheckDecimal(text, format, minDecimals, maxDecimals, allowNegative);
    CheckAmountSum(text, format);
    CheckQuotePrice(text, quoteSeparator);
    return 0;
}

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quotes/text_quote_formats.h"

namespace pf {

class CFolari2Doc;

// Which key of a security "&Identifikation" looks for, and in which order.
enum TextIdentification : int {
    kIdentifyByWkn = 0,            // "WKN"
    kIdentifyBySecondId = 1,       // the document's label of `isin`
    kIdentifyWknThenSecondId = 2,  // "WKN, " + label: the WKN, where absent the second key
    kIdentifySecondIdThenWkn = 3,  // label + ", WKN"
};

// The four choices as the list shows them, in the order of TextIdentification.
std::vector<std::string> IdentificationTexts(const std::string& isinLabel);

// One security found in the text.
struct TextQuoteItem {
    int32_t securityId = -1;
    bool priceRead = false;
    double price = 0.0;  // valid when priceRead
    std::string status;  // "okay" or what went wrong

    bool operator==(const TextQuoteItem&) const = default;
};

inline constexpr std::string_view kStatusOkay = "okay";
inline constexpr std::string_view kStatusBadPrice = "fehlerhafter Kurs";
inline constexpr std::string_view kStatusNoTerminator = "kein Trennzeichen hinter Kurs";
// "kein Trennzeichen zwischen WKN/" + label + " und Kurs".
std::string NoSeparatorStatus(const std::string& isinLabel);

// Looks for every security of `doc`, in document order, in `text` (UTF-8) and reads the
// price behind it:
//  - the key is the security's `wkn` or `isin` as `identification` says (two tries for the
//    choices 2 and 3, the second only when the first key is empty or absent; a choice
//    outside 0..3 counts as 0); an empty key is skipped; the first occurrence counts, exact
//    and case-sensitive, also inside a longer word or number;
//  - each separator character (after token replacement) is looked for strictly after the
//    previous position, starting at the key's last character; one missing gives
//    NoSeparatorStatus;
//  - the price runs from right after the last separator to the first terminator character
//    (which may stand right there: the price is then empty); none gives
//    kStatusNoTerminator;
//  - the price is read as a quote file's price (ParseQuotePrice) with the format's decimal
//    separator, the other of "," and "." grouping; with ignoreOtherCharacters every byte
//    other than a digit, "," and "." is dropped first. Unreadable, or 0, gives
//    kStatusBadPrice (a quote of 0 would stand for "no quote" in every valuation).
// Separators and terminators are whole UTF-8 characters, so "€" or "§" work as one.
// Securities whose key is not in the text get no item.
std::vector<TextQuoteItem> ScanTextQuotes(const CFolari2Doc& doc, std::string_view text,
                                          const TextQuoteFormat& format, int identification);

}  // namespace pf

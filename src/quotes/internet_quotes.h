#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/date.h"

namespace pf {

class CFolari2Doc;

// Status texts of one item of an internet quote run.
inline constexpr std::string_view kStatusOpeningPage = "Öffne Internetseite";
inline constexpr std::string_view kStatusOpenFailed = "Öffnen der Seite fehlgeschlagen";
inline constexpr std::string_view kStatusTextNotFound = "Erkennungstext nicht gefunden";
inline constexpr std::string_view kStatusNoSeparator =
    "Kein Dezimaltrennzeichen hinter Erkennungstext";
inline constexpr std::string_view kStatusQuoteRead = "Kursabruf erfolgreich";
inline constexpr std::string_view kStatusBadQuote = "Fehlerhafter Kurs";

// The progress line of the fast dialog, "\r\nFortschritt: 3/10" (processed, total).
std::string FastProgressText(int processed, int total);
// The progress line of the browser dialog, "Fortschritt:\r\n3/10".
std::string BrowserProgressText(int processed, int total);

// A quote page address split for an HTTP GET: `host` is what stands between the scheme and
// the first "/", `object` what follows that "/" (without it; may be empty); `secure` for
// "https://".
struct QuoteAddress {
    std::string host;
    std::string object;
    bool secure = false;

    bool operator==(const QuoteAddress&) const = default;
};

// nullopt when the address is not fetched: shorter than 8 characters, beginning with neither
// "http://" nor "https://" (letter case ignored), without a "/" after the host, or with that
// "/" right after the scheme (no host). The host is taken as written, a ":port" included.
// "https://" is fetched as well, since quote pages are served over https today.
std::optional<QuoteAddress> SplitQuoteAddress(std::string_view url);

// The address an HTTP client is given for `address`: "http://" or "https://", the host, "/"
// and the object, in which spaces, control characters and bytes from 0x80 up (the bytes of
// a UTF-8 letter, say from a security's name put into a template) are written as "%XX".
// Everything else, "%" and "#" included, is passed on as typed.
std::string QuoteRequestUrl(const QuoteAddress& address);

// Replaces the umlaut entities &auml; &ouml; &uuml; &Auml; &Ouml; &Uuml; and &szlig; (in
// this order, each occurrence once, left to right) by their characters in UTF-8, the
// encoding of all of the program's texts. No other entity is decoded, "&amp;" included, so
// "&amp;auml;" stays as it is.
std::string DecodePageEntities(std::string_view text);

// What ExtractQuotePrice read from a page. `price` is meaningful only when `found`;
// `status` is one of kStatusTextNotFound, kStatusNoSeparator, kStatusQuoteRead,
// kStatusBadQuote.
struct PriceExtraction {
    bool found = false;
    double price = 0.0;
    std::string status;
};

// Reads the price that follows `recognition` in `page`:
// 1. `recognition` is searched case-sensitively, then in ASCII upper-case copies of both
//    (bytes from 0x80 up, such as the bytes of a UTF-8 umlaut, are compared as they are).
// 2. In the text behind the first match, the first decimal separator ('.' when
//    `decimalPoint`, else ',') is looked for.
// 3. The integer part is the run of digits right before that separator, read backwards and
//    passing over grouping characters ("." in comma mode, "," in point mode, and "'" in
//    both); it never reaches back into the recognition text.
// 4. The digits directly after the separator are the decimals; the price is parsed like a
//    quote file price (at most 7 decimals kept, the integer part capped at 999,999,999).
// An empty integer part ("Kurs: ,50") gives kStatusBadQuote. An empty `recognition` matches
// at the start of the page.
// A run keeps an item's earlier success when a later document of the same page (a frame of
// the browser dialog) gives kStatusTextNotFound; that choice belongs to the caller, this
// function only reports what it found in `page`.
PriceExtraction ExtractQuotePrice(std::string_view page, std::string_view recognition,
                                  bool decimalPoint);

// The securities of an internet quote run for all securities: every security with
// `internetImport` set that is held on `date`, ordered by name ignoring ASCII letter case;
// securities whose names compare equal keep their order in the document.
std::vector<int32_t> InternetQuoteSecurities(const CFolari2Doc& doc, CQRNDatum date);

}  // namespace pf

#pragma once

// The holdings as a static HTML page: the positions, merging, sorting, currency and figures
// of the holdings report (ComputeHoldingsReport) in two rows per position, with trend
// arrows, highlighted stop and target prices and a sum row. The page is built here as
// bytes; where it is written and how it is opened is the caller's business.

#include <array>
#include <string>
#include <string_view>

#include "model/date.h"
#include "model/document_options.h"

namespace pf {

class CFolari2Doc;

// The file names of the page's images, relative to the image folder.
inline constexpr const char* kHtmlBlackRule = "blline.gif";  // under the header, at the end
inline constexpr const char* kHtmlGreyRule = "grline.gif";   // between two positions
// Every image the page may reference: the two rules and the trend arrows "ar1.gif" (strong
// rise) .. "ar5.gif" (strong fall), 19 × 19 pixels.
inline constexpr std::array<const char*, 7> kHtmlImageFiles = {
    kHtmlBlackRule, kHtmlGreyRule, "ar1.gif", "ar2.gif", "ar3.gif", "ar4.gif", "ar5.gif"};

// The page of the holdings at `reportDate`, as Windows-1252 bytes with "\r\n" line ends.
// `imageBaseUrl` is the absolute URL of the folder with the page's images, ending in "/"
// (made by FolderFileUrl). Every text taken from the document goes through HtmlEscape; a
// character that Windows-1252 cannot hold is written as a numeric reference "&#N;" (a
// malformed UTF-8 sequence as "&#65533;"), so nothing is dropped.
std::string BuildHoldingsHtmlPage(const CFolari2Doc& doc, CQRNDatum reportDate,
                                  const std::string& imageBaseUrl);

// "file:///" URL of an absolute folder path, ending in "/": the leading "/" of the path is
// not repeated, and each byte outside A-Z a-z 0-9 - . _ ~ / is percent-encoded (the UTF-8
// bytes of the path, upper-case hex). "/opt/pf data" gives "file:///opt/pf%20data/".
std::string FolderFileUrl(const std::string& absoluteFolder);

// A UTF-8 text for HTML text and attribute values: & < > " ' as &amp; &lt; &gt; &quot;
// &#39;; every other byte unchanged.
std::string HtmlEscape(std::string_view utf8);

// The four CSS font sizes of a setting "a;b;c;d" (sehrgrossfett, grossfett, normal, small).
// Blanks around an entry are trimmed; a missing or empty entry, or one with a character
// other than an ASCII letter, digit, '.' or '%', is "10pt", so a setting cannot break out of
// the style block. Entries after the fourth are ignored.
std::array<std::string, 4> HtmlFontSizes(std::string_view setting);

// The trend arrow of a position: 0 none, 1..5 = ar1.gif..ar5.gif. With q = currentPrice /
// previousQuote and the thresholds in percent: 3 when 1 + trendFall/100 <= q <= 1 +
// trendRise/100 (unchanged); else, above the band (q > 1 + trendRise/100), 1 when q > 1 +
// trendStrongRise/100 and 2 otherwise; else (below the band) 5 when q < 1 +
// trendStrongFall/100 and 4 otherwise. The band is tested first, so thresholds that overlap
// still give exactly one arrow. 0 without a positive previous quote or current price. The
// caller passes 0 as previous quote when the current price is not from the report date.
int HtmlTrendArrow(double currentPrice, double previousQuote, const InternetQuoteOptions& t);

}  // namespace pf

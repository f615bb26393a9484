#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/number_entry.h"

namespace pf {

// Decimals of the quote and rate entry fields: a security's price is shown with 2 to 7
// decimals, an exchange rate with 4 to 7; neither may be typed with more than 7.
inline constexpr int kQuoteMinDecimals = 2;
inline constexpr int kRateMinDecimals = 4;
inline constexpr int kEntryMaxDecimals = 7;

// A price or exchange rate as typed in an entry field, with the document's separators
// (thousands separators and blanks ignored wherever they stand). Unlike ParseDecimal, which
// cuts further decimals off, a text with more than 7 digits after the decimal separator is
// refused: the user would otherwise store a value other than the one typed. A sign, any
// other character or a text without a digit is refused too. "1.234,50" gives 1234.5 with
// decimal comma and point grouping.
std::optional<double> ParseEntryPrice(std::string_view text, const NumberFormat& format);

// Whether a field counts as empty: nothing but blanks (characters below "!").
bool IsBlankEntry(std::string_view text);

// The text an entry field shows for a stored price (2 to 7 decimals) or rate (4 to 7).
std::string QuoteText(double price, const NumberFormat& format);
std::string RateText(double rate, const NumberFormat& format);

// Pages of an entry dialog: ceil(count / perPage), at least 1.
int PageCountOf(size_t count, int perPage);
// Paging wraps around: "next" on the last page goes to the first, "previous" on the first
// to the last. A page outside 0 .. pageCount - 1 is brought back into it first.
int NextPage(int page, int pageCount);
int PreviousPage(int page, int pageCount);
// The line under an entry page, "Seite 2 von 3" (`page` from 0).
std::string PageLineOf(int page, int pageCount);

// Case-blind ordering of labels (ASCII letters folded; other bytes compared as they are).
bool LessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace pf

#pragma once

#include <cstdint>
#include <string>

#include "model/document_options.h"
#include "model/rounding.h"  // RoundTo, the rounding of every report value
#include "platform/canvas.h"
#include "reports/report_object.h"

namespace pf {

class CFolari2Doc;

// Number text of the reports: x is rounded with RoundTo(x, maxDecimals) first. The integer
// part is grouped by threes from the right and the groups joined by `thousandsSeparator`
// (an empty separator writes the digits without grouping). A "-" precedes a value that is
// negative after rounding, also when its integer part is 0 ("-0,5"); with `plusSign` a
// value that is positive after rounding gets a "+"; zero gets no sign. Decimals: when
// maxDecimals > 0 and minDecimals > 0 or the rounded fraction is not zero, the decimal
// separator and at least minDecimals, at most maxDecimals digits follow; zeros beyond
// minDecimals at the end are dropped. Decimal counts are taken from 0 to 15 (RoundTo's
// range); a minimum above the maximum is lowered to it. A value that is not finite gives
// an empty text.
std::string FormatNumber(double x, int minDecimals, int maxDecimals, bool plusSign,
                         const std::string& decimalSeparator,
                         const std::string& thousandsSeparator);
// The same with the document's separators. A damaged setting is made safe as for number
// entry: an empty decimal separator becomes ",", a thousands separator equal to the decimal
// separator is dropped.
std::string FormatNumber(double x, int minDecimals, int maxDecimals, bool plusSign,
                         const DocumentOptions& options);

// Decimals needed to show a piece count (1/10,000,000 piece): 0 for whole pieces, else
// 7 minus the trailing zeros of the fraction (1..7). The sign does not matter.
int PieceDecimals(int64_t pieces);

// Replaces every occurrence of `placeholder` (case-sensitive) from left to right; the
// inserted value is not searched again. An empty placeholder changes nothing.
std::string ReplacePlaceholder(std::string text, const std::string& placeholder,
                               const std::string& value);

// The screen scale factor that suits a screen of the canvas's horizontal pixels per inch:
// 1.5 below 70, 1.25 up to 94, 1.0 above 104, 1.1 for 95..104.
double DeriveScreenScale(Canvas& screen);
// The document's screen scale factor for building a report. While the document has not
// determined its factor yet (a new document, or a file that does not store one), it is
// derived from the screen, stored in the options and the flag cleared. This does not mark
// the document modified: only viewing a report must not make closing ask to save.
double DetermineScreenScale(CFolari2Doc& doc, Canvas& screen);

// The screen and print styles and the print margins of the table options, as the table
// reports take them at build time.
ReportAppearance TableReportAppearance(const TableAppearance& tables);

// Row colours of the table reports. Colour list A is used by the style "Graustufen", list B
// by "Farbe"; reports without a gain or loss pass the grey value for both lists. Data rows
// are counted from the first data row: 1, 3, 5, ... are odd, 2, 4, 6, ... even. Gain and
// loss follow the sign of the row's gain/loss (loss = negative).
inline constexpr Colour kTitleRowColour = Rgb(205, 205, 205);
inline constexpr Colour kColumnTitleRowColour = Rgb(225, 225, 225);
inline constexpr Colour kOddRowGrey = Rgb(240, 240, 240);
inline constexpr Colour kOddRowGain = Rgb(175, 255, 175);
inline constexpr Colour kOddRowLoss = Rgb(255, 175, 175);
inline constexpr Colour kEvenRowGrey = Rgb(248, 248, 248);
inline constexpr Colour kEvenRowGain = Rgb(200, 255, 200);
inline constexpr Colour kEvenRowLoss = Rgb(255, 200, 200);
inline constexpr Colour kTotalRowGrey = Rgb(225, 225, 225);
inline constexpr Colour kTotalRowGain = Rgb(150, 255, 150);
inline constexpr Colour kTotalRowLoss = Rgb(255, 150, 150);
inline constexpr Colour kFootnoteRowColour = kWhite;

}  // namespace pf

#pragma once

// What the depot analysis ("Depotanalyse") and the depot distribution ("Depotverteilung")
// show, as plain data: the positions or groups with their values, and the rows of the
// transposed table (one column per position or group after the label column). The builders
// in depot_analysis_report.h put these rows into an AnalysisTable.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "reports/position_report_common.h"
#include "reports/price_walk.h"

namespace pf {

class CFolari2Doc;
struct DocumentOptions;

// ---- Rows of a transposed table ----

enum class AnalysisLineKind {
    Text,  // the label and one text per data column
    Bars,  // the label and per data column up to three horizontal bars
    Gap,   // empty space of `gap` (0.1 mm)
};

struct AnalysisLine {
    AnalysisLineKind kind = AnalysisLineKind::Text;
    std::string label;
    // Text: one text per data column (possibly fewer: missing ones are empty), aligned
    // left for names and right for numbers.
    std::vector<std::string> texts;
    TextAlign align = TextAlign::Left;
    // Bars: one colour per bar (1 to 3), drawn top down, and per data column one value per
    // colour; a value that is not a number (NaN) draws no bar, an empty list none at all.
    std::vector<Colour> colours;
    std::vector<std::vector<double>> bars;
    std::string unit;  // shown after a bar's value, e.g. "%"
    int decimals = 0;  // of the values written beside the bars
    int lines = 1;     // height of a bar row in text lines
    int gap = 0;
    // A row that names the columns (the positions' names, a section's groups): drawn in
    // the title font; with `repeat` it is printed again at the top of every page down.
    bool heading = false;
    bool repeat = false;
};

// Colours of the bars.
inline constexpr Colour kBarRed = Rgb(255, 0, 0);
inline constexpr Colour kBarYellow = Rgb(255, 255, 0);
inline constexpr Colour kBarGreen = Rgb(0, 192, 0);
inline constexpr Colour kBarBlue = Rgb(0, 0, 255);

// ---- Depot analysis ----

// A percent figure of the analysis: RoundTo((a - b) / b × 100, decimals), none when b is
// not positive (no quote, or a zero or negative price that gives no meaningful distance).
std::optional<double> PercentAbove(double a, double b, int decimals);

// One column of the depot analysis: an open position (or, merged, the lots of one security)
// at the end date. Amounts are in the analysis currency, prices in the security's quote
// currency split-adjusted as seen from the end date.
struct AnalysisPosition {
    PositionRecord record;  // pieces, amounts, stop/target, derived G/V values
    // Earliest purchase date of the lots in this column: the range of the quote walk starts
    // at the later of it and the start date.
    CQRNDatum firstPurchase;
    bool marked = false;  // stop or target reached: the name gets "*"
    // Purchase value / pieces in the analysis currency ("Kaufkurs"); 0 without pieces.
    Price averageBuyPrice = 0.0;
    // The price at the end date by the price lookup (the latest quote on or before it; 0
    // without one): what stop and target, the value, the G/V and the depot share use.
    Price currentPrice = 0.0;
    bool hasCurrentPrice = false;  // "-" without any quote on or before the end date
    // The quotes from the start of the range to the end date; hasQuotes false without any.
    PriceWalk walk;
    // The G/V at the lowest, the current and the highest price (with the dividends when the
    // option says so), 2 decimals; min and max exist only with quotes in the range.
    std::optional<Amount> minGainLoss;
    Amount currentGainLoss = 0.0;
    std::optional<Amount> maxGainLoss;
    // Percent distances, rounded to the percent decimals; none where a base is missing.
    std::optional<double> aboveStop;    // (current - stop) / stop
    std::optional<double> belowTarget;  // (target - current) / current
    std::optional<double> aboveStart;   // (last - first) / first, over the range
    std::optional<double> aboveLow;     // (last - low) / low
    std::optional<double> belowHigh;    // (high - last) / last
    std::optional<double> fromHigh;     // (last - high) / high, 0 or below
    std::optional<double> drawdown;     // the largest fall from a peak in the range
    std::optional<double> depotShare;   // value / depot value × 100
};

struct DepotAnalysisData {
    CQRNDatum start;
    CQRNDatum end;  // the report date: the holdings and the current price are taken here
    int32_t currencyId = 0;
    std::string currencySymbol;
    Amount depotValue = 0.0;  // sum of the positions' values
    std::vector<AnalysisPosition> positions;
};

// The open positions at `end` (merged per security when the analysis options say so,
// sorted like the holdings with the analysis's key and direction), each with its range walk
// over the quotes from the later of `start` and its purchase date up to `end`. The holdings
// are replayed in the base currency and their amounts converted into the analysis currency
// at the end date.
DepotAnalysisData ComputeDepotAnalysis(const CFolari2Doc& doc, CQRNDatum start, CQRNDatum end);

// The rows of the depot analysis in the order the table shows them; data column i is
// positions[i]. "Kurs am" + end date appears twice: first the price lookup (the latest quote
// on or before the end date, which values the position and judges stop and target), then,
// after low and high, the last quote of the range ("-" without quotes in it). "Anfang" is
// the first quote of the range.
std::vector<AnalysisLine> DepotAnalysisLines(const DepotAnalysisData& data, const CFolari2Doc& doc);

// ---- Depot distribution ----

struct DistributionMember {
    int32_t securityId = -1;
    std::string name;
    std::string wkn;
};

struct DistributionGroup {
    std::string name;
    int32_t securityId = -1;      // the section by security: the group's security, else -1
    Amount value = 0.0;           // 2 decimals, in the analysis currency
    std::optional<double> share;  // value / total × 100, percent decimals; none for total <= 0
    std::vector<DistributionMember> members;  // by name
};

struct DistributionSection {
    std::string title;                      // "Wertpapier", "Wertpapiertyp", ...
    bool listsMembers = false;              // the attribute sections list their securities
    Colour colour = kBarBlue;               // of the section's bars
    std::vector<DistributionGroup> groups;  // by name, the group without attribute last
};

// Name of the group of securities whose attribute is empty.
inline constexpr const char* kNoAttributeGroup = "(ohne)";

struct DepotDistributionData {
    CQRNDatum date;
    int32_t currencyId = 0;
    std::string currencySymbol;
    Amount total = 0.0;
    // By security, type, branch, country, index/market segment.
    std::vector<DistributionSection> sections;
};

// The value of every open position at `date` in the analysis currency (2 decimals), grouped
// by security, type, branch, country and index/market segment. An empty depot gives the five
// sections without groups.
DepotDistributionData ComputeDepotDistribution(const CFolari2Doc& doc, CQRNDatum date);

// The rows of the distribution: per section its name, the group names, "Wert (symbol)", the
// bars of the shares, "Anteil in %", and for the attribute sections the members ("Wertpapier"
// and "WKN", one pair of rows per member place) and a gap. Data column i is group i of each
// section.
std::vector<AnalysisLine> DepotDistributionLines(const DepotDistributionData& data,
                                                 const DocumentOptions& options);

// The most groups of any section: the data columns the distribution table needs.
int DistributionColumnCount(const DepotDistributionData& data);

}  // namespace pf

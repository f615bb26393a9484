#pragma once

#include <memory>
#include <vector>

#include "reports/analysis_table.h"
#include "reports/depot_analysis_rows.h"
#include "reports/report_object.h"
#include "reports/view_state.h"

namespace pf {

class CFolari2Doc;

// Row colours of the analysis tables: list A in greys, list B in light blues, by the parity
// of the text rows; the name rows (positions, a section's groups) in the column-title grey;
// bar rows white, so that the bars stand out.
inline constexpr Colour kAnalysisOddRowB = Rgb(225, 240, 255);
inline constexpr Colour kAnalysisEvenRowB = Rgb(240, 247, 255);

// Puts `lines` into a new AnalysisTable of `dataColumns` item columns (plus the label
// column) laid out with the page "DEPOTANALYSE/-VERTEILUNG" (face, font height, margin, text
// spacing, column widths, print margins), the display styles of the table reports and the
// document's separators and screen scale. `columnUsers` (possibly empty) gives each item
// column's user value.
std::unique_ptr<AnalysisTable> FillAnalysisTable(const CFolari2Doc& doc, int dataColumns,
                                                 const std::vector<AnalysisLine>& lines,
                                                 const std::vector<int>& columnUsers);

// "Depotanalyse" over the period of the view (state.periodFrom to state.periodTo; the
// positions are those at periodTo): one column per position, whose user value is the
// security's id.
std::unique_ptr<ReportObject> BuildDepotAnalysis(const CFolari2Doc& doc, const ViewState& state);

// "Depotverteilung" at state.reportDate: one column per group of the largest section.
std::unique_ptr<ReportObject> BuildDepotDistribution(const CFolari2Doc& doc,
                                                     const ViewState& state);

}  // namespace pf

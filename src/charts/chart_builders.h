#pragma once

// Charts and diagrams built from the document and its chart options.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "charts/diagram.h"
#include "charts/security_chart.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

// The title of the chart of a document without a chartable security.
inline constexpr const char* kNoSecurityTitle = "<keine Wertpapiere vorhanden>";
// <BEZEICHNUNGEN> of a positions diagram without any selected position found.
inline constexpr const char* kNoPositionsText = "<keine Wertpapierpositionen ausgewählt>";

// The range a chart or diagram draws: `start` becomes the day before `end` unless it lies
// before it.
void OrderChartRange(CQRNDatum& start, CQRNDatum& end);

// The security whose chart a view shows: `securityId` when it exists and may be charted
// ("keine Chartanzeige" off), else the first security that may; -1 for none.
int32_t ChartSecurityFor(const CFolari2Doc& doc, int32_t securityId);

// The chart of `securityId` (none for -1 or an unknown id) over start..end. `splitHandling`
// 0..3 overrides the document's option; -1 takes it.
std::unique_ptr<SecurityChart> BuildSecurityChart(const CFolari2Doc& doc, int32_t securityId,
                                                  CQRNDatum start, CQRNDatum end,
                                                  int splitHandling = -1);

// The development measures 0..14 and position measures 0..4: standard title (empty for an
// unknown type) and whether the value is a percentage.
std::string DevelopmentMeasureTitle(int type);
bool DevelopmentMeasureIsPercent(int type);
std::string PositionMeasureTitle(int type);
bool PositionMeasureIsPercent(int type);

std::unique_ptr<Diagram> BuildDevelopmentDiagram(const CFolari2Doc& doc, CQRNDatum start,
                                                 CQRNDatum end, int type);
// `positions`: position numbers of the holdings computation.
std::unique_ptr<Diagram> BuildPositionsDiagram(const CFolari2Doc& doc, CQRNDatum start,
                                               CQRNDatum end, int type,
                                               const std::vector<int32_t>& positions);

}  // namespace pf

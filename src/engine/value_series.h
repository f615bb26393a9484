#pragma once

#include <cstdint>
#include <vector>

#include "engine/holdings.h"
#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

// The depot's value and invested capital for every day from `from` to `to` inclusive, in
// `currency`: every lot counts from its entry date until the day before its sale. A lot's
// value on a day is its quantity times the last quote on or before that day, expressed in
// the piece units of `to` (splits), rounded to cents and converted at that day.
struct ValueSeriesResult {
    std::vector<Amount> values;
    std::vector<Amount> invested;  // purchase totals (useTotal) or purchase market values
};
ValueSeriesResult ValueSeries(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                              int32_t currency, bool useTotal);
// The same from lots already replayed, for a caller that needs the lots itself: `lots` must
// be ComputeHoldings' result with limitDate `to` and targetCurrency `currency`.
ValueSeriesResult ValueSeries(const CFolari2Doc& doc, const PositionList& lots, CQRNDatum from,
                              CQRNDatum to, int32_t currency, bool useTotal);

}  // namespace pf

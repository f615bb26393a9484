#pragma once

#include <cstdint>
#include <vector>

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

}  // namespace pf

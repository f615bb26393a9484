#pragma once

#include <optional>

#include "model/date.h"

namespace pf {

class CFolari2Doc;

struct DisplayPeriod {
    CQRNDatum from;
    CQRNDatum to;
};

// The period a new child window starts with, from the general options: from the first
// transaction (today when there is none), the first day of the current year or month, or
// the fixed day; to today or the fixed day. A start after the end is moved to the end.
DisplayPeriod InitialPeriod(const CFolari2Doc& doc, CQRNDatum today);

// The period of a report made on the command line: to `to` (default today), from `from`
// (default 1 January of the end's year; in 1970 that day lies before the first valid day,
// which the default date then stands for). The period is not corrected: a start after the
// end is the caller's error to report.
DisplayPeriod CommandLinePeriod(std::optional<CQRNDatum> from, std::optional<CQRNDatum> to,
                                CQRNDatum today);

}  // namespace pf

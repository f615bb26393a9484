#pragma once

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

}  // namespace pf

#pragma once

#include <string_view>

#include "model/date.h"

namespace pf {

// Reads the date of an imported quote: three parts separated by ".", ",", "-" or "/" (spaces
// already removed), day first (`yearFirst` false) or year first. The middle part may be a
// month name, recognised by its letters (Jan, Feb, Mär/Mrz/Mar, Apr, Mai/May, Jun, Jul, Aug,
// Sep, Okt/Oct, Nov, Dez/Dec, in any case; further letters and digits after the name are
// passed over). A year below 100 is 20xx below 50 and 19xx otherwise. False, with `out`
// unchanged, for anything else or a day the calendar does not have (31.02.2010).
bool ParseImportDate(std::string_view text, bool yearFirst, CQRNDatum& out);

}  // namespace pf

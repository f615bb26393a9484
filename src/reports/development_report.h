#pragma once

#include <memory>

#include "model/date.h"
#include "reports/development_table.h"
#include "reports/report_object.h"
#include "reports/view_state.h"

namespace pf {

class CFolari2Doc;

// The development table ("Depotentwicklung") of the days from..to inclusive, from the
// content ComputeDevelopmentRows gives, with the appearance of the options' "LISTEN" page.
//
// Columns: the date; per position column (in the order of the rows) its shown sub-items:
// the price (right, `lists.priceDecimals` decimals), the gain/loss in percent and a narrow
// column with the position text as a vertical text over the days it was held; then the
// shown items of the depot, account and assets groups. A group without a shown column is
// left out with its header.
// Rows:
//  - the title "Depotentwicklung von <start> bis <end>";
//  - three header lines kept in one frame: "Datum" and the group headers
//    ("Wertpapierpositionen" over all position columns, "Depot", "Konto", "Vermögen"), then
//    the column titles in two lines (a position's WKN over its columns, then "Kurs" and
//    "G/V in %"; for the groups e.g. "Inv. Kap." / "in EUR", "Liq." / "Quote");
//  - one row per day: the date, amounts with 2 decimals, percentages with
//    `lists.percentDecimals` decimals and "%", nothing where a value is missing (a position
//    not held, no quote, a percentage of a base of 0). Rows alternate between the greys
//    (240,240,240) and (248,248,248), starting with the first.
// User values: every day row has its day number in user[kUserDate] (a double click enters
// quotes at that date); the cells of a position on its held days and its vertical text
// have the security's id as their own user value (a double click opens the security).
std::unique_ptr<DevelopmentTable> BuildDevelopmentTableReport(const CFolari2Doc& doc,
                                                              CQRNDatum from, CQRNDatum to);
std::unique_ptr<ReportObject> BuildDevelopmentTable(const CFolari2Doc& doc, const ViewState& state);

}  // namespace pf

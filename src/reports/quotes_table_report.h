#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "reports/development_table.h"
#include "reports/report_object.h"
#include "reports/view_state.h"

namespace pf {

class CFolari2Doc;
struct CFL2Wertpapier;

// The securities the quotes table ("Kurse") shows, in column order: those that pass the
// filter of the options (all; those with a stored quote dated from..to inclusive; those
// ticked for the table, CFL2Wertpapier::aux1 == 1), sorted by name, WKN or ISIN/short code
// without regard to case (ASCII and the Latin-1 letters such as Ä/ä); equal keys keep the
// document order.
// The date from which prices are seen under "Behandlung von Splits" (SplitHandling): before
// every split, the period's end `to`, or after every split (a day in 2100, beyond the last
// valid date, which only serves as a comparison). The stored mode needs no date; it gets
// `to`.
CQRNDatum SplitViewingDate(int32_t splitHandling, CQRNDatum to);

std::vector<const CFL2Wertpapier*> QuotesTableSecurities(const CFolari2Doc& doc, CQRNDatum from,
                                                         CQRNDatum to);

// The title of a security's column: the options' template with <BEZEICHNUNG>, <WKN>,
// <KUERZEL> and <ISIN> (both the ISIN-or-short-code field) and <KURSWAEHRUNG> (the quote
// currency's symbol) replaced.
std::string QuotesColumnTitle(const CFolari2Doc& doc, const CFL2Wertpapier& security);

// The quotes table of the period state.periodFrom..state.periodTo (both included; an empty
// period has no day rows). Columns: the date, then per security its price column (right
// aligned) and a narrow column with its title as a vertical text over all day rows. Rows:
// the title "Kurse von <start> bis <end>", the column titles ("Datum"), one row per
// calendar day with the day number in the row's first user value. A price is shown only
// on days with a stored quote, adjusted for splits as the options say, with exactly
// `lists.priceDecimals` decimals; every price cell carries the security's id as its user
// value. Appearance from the options' "LISTEN" page.
std::unique_ptr<DevelopmentTable> BuildQuotesTableReport(const CFolari2Doc& doc, CQRNDatum from,
                                                         CQRNDatum to);
std::unique_ptr<ReportObject> BuildQuotesTable(const CFolari2Doc& doc, const ViewState& state);

}  // namespace pf

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"
#include "reports/report_object.h"
#include "reports/report_table.h"
#include "reports/view_state.h"

namespace pf {

class CFolari2Doc;
struct CFL2Wertpapier;

// One row of the securities list: a security with the values of the report date. A value
// that is absent shows "-" (ratios, price, drawdown).
struct SecuritiesListRow {
    const CFL2Wertpapier* security = nullptr;

    // The price p in the quote currency: the quote on the report date, or with "letzten Kurs
    // verwenden" the last quote on or before it. Split-adjusted as seen from the report date,
    // so it is on the level of the pieces held on that day.
    bool hasPrice = false;
    Price price = 0.0;

    // Key ratios, each only with a positive price and its figure entered: KGV = p / earnings
    // per share and KCV = p / cash flow per share for a positive figure, Dividendenrendite
    // = dividend per share / p × 100 (percent). Unrounded; the table shows 2 decimals.
    bool hasPriceEarnings1 = false;
    double priceEarnings1 = 0.0;
    bool hasPriceEarnings2 = false;
    double priceEarnings2 = 0.0;
    bool hasDividendYield = false;
    double dividendYield = 0.0;
    bool hasPriceCashFlow = false;
    double priceCashFlow = 0.0;

    // Largest fall from a peak over the whole quote history, in percent (WalkPrices); the
    // quotes are put on one split level first. Absent without a positive peak.
    bool hasDrawdown = false;
    double maxDrawdown = 0.0;

    Quantity pieces = 0;  // open pieces in the depot at the end of the report date
    int64_t quoteCount = 0;
    std::string remarks;  // on one line: each line break (CR LF, LF, CR) and tab one space
};

// The securities of the document in the list's order: all of them, or with "nur Wertpapiere
// im Depot" those with open pieces at the report date; sorted by up to three keys with one
// direction. Texts compare byte by byte, numbers numerically; rows without a value for a key
// ("-") come last in either direction; equal rows keep the document's order.
std::vector<SecuritiesListRow> SecuritiesListRows(const CFolari2Doc& doc, CQRNDatum reportDate);

// The report "Wertpapiere" at `reportDate`: title, the two column-title rows and one row per
// security (user value kUserSecurity = the security's id, the others -1).
std::unique_ptr<ReportTable> BuildSecuritiesListReport(const CFolari2Doc& doc,
                                                       CQRNDatum reportDate);

// The view's builder: the list at state.reportDate.
std::unique_ptr<ReportObject> BuildSecuritiesList(const CFolari2Doc& doc, const ViewState& state);

}  // namespace pf

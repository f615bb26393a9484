#pragma once

#include <memory>
#include <span>
#include <string>

#include "model/date.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;

// Ids of the report views. The number is what a child window stores and what the
// dispatcher is asked for.
enum ViewId : int {
    kViewHoldings = 1,
    kViewRealized = 2,
    kViewTransactions = 3,
    kViewAccountMovements = 4,
    kViewSecurities = 5,
    kViewGainLossEvaluation = 21,
    kViewPerformance = 22,
    kViewReturns = 23,
    kViewDevelopment = 51,
    kViewQuotes = 52,
    kViewDevelopmentDiagram = 101,
    kViewPositionDiagram = 102,
    kViewChart = 151,
    kViewDepotAnalysis = 201,
    kViewDepotDistribution = 202,
};

// One entry of the "Ansicht" menu and the view selector.
struct ViewInfo {
    int id;
    const char* title;     // as the selector lists it
    const char* shortcut;  // menu shortcut, "" for none
};

// Every view in the order of the view selector (not in id order).
std::span<const ViewInfo> ViewTable();
// The entry of `id`, or nullptr for an unknown id.
const ViewInfo* FindView(int id);

// The view id of a view name as the command line spells it ("holdings" 1, "realized" 2),
// or 0 for a name without a report.
int ViewIdFromName(const std::string& name);

// What a child window hands to the dispatcher besides the view id: the dates of its dialog
// bar and its two switches. Reports at one date (holdings) use `reportDate`; reports over
// a period use `periodFrom` to `periodTo`, both days included.
struct ViewState {
    CQRNDatum reportDate;
    CQRNDatum periodFrom;
    CQRNDatum periodTo;
    bool securityFilter = false;  // only the document's selected securities
    bool simulateSales = false;   // open positions valued as if sold at periodTo
};

// A new report table for a table view: 1 holdings at reportDate, 2 realized gains and
// losses over the period. nullptr for every other id (they have no table report here yet).
std::unique_ptr<ReportTable> BuildReport(const CFolari2Doc& doc, int viewId,
                                         const ViewState& state);

}  // namespace pf

#pragma once

#include <memory>
#include <span>
#include <string>

#include "reports/report_object.h"
#include "reports/view_state.h"

namespace pf {

class CFolari2Doc;

// Ids of the views. The number is what a child window stores and what the catalogue builds
// the content for.
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

// Controls of the dialog bar a view shows besides the view selector and the first date
// picker (always there); the second date picker follows from whether the view is at one
// date or over a period.
enum ViewControl : unsigned {
    kNoControls = 0,
    kDevelopmentMeasureControl = 1u << 0,  // development diagram: what it draws
    kPositionMeasureControl = 1u << 1,     // position diagram: what it draws
    kChoosePositionsControl = 1u << 2,     // "Auswählen..." of the position diagram
    kSecuritySelectorControl = 1u << 3,    // "Wertpapier" of the chart with its picture button
    kFilterSwitchControl = 1u << 4,        // security or transaction filter, second button
    kSimulatedSaleControl = 1u << 5,       // realized gains: open positions as if sold
    kHtmlViewControl = 1u << 6,            // "HTML-Ansicht" of the holdings
};

// Builds the content of a view from the document and the window's dialog-bar state.
using ViewBuilder = std::unique_ptr<ReportObject> (*)(const CFolari2Doc& doc,
                                                      const ViewState& state);

// One view: the only place that knows it. The desktop program's menu, view selector,
// dialog bar, printing and text output and the command line all read this entry.
struct ViewEntry {
    int id;
    const char* title;     // the view selector's text and the window title, "Depotbestand"
    const char* menuText;  // "&Ansicht" menu text with its mnemonic, "&Depotbestand"
    const char* shortcut;  // "Strg+1", "" for none
    const char* cliName;   // name on the command line, "" for a view without content
    bool oneDate;          // at one date (the report date) rather than over a period
    unsigned controls;     // ViewControl bits
    ViewBuilder builder;   // nullptr while the view has no content: it shows its title
};

// Every view in the order of the view selector and the menu (not in id order).
std::span<const ViewEntry> ViewCatalogue();
// The entry of `id`, or nullptr for an unknown id.
const ViewEntry* FindView(int id);
// The entry of a command-line name ("holdings", "realized"), or nullptr.
const ViewEntry* FindViewByCliName(const std::string& name);
// The view id of a command-line name, or 0 for a name without a view.
int ViewIdFromName(const std::string& name);

// Which controls of the dialog bar a view shows (all off for an unknown id).
struct DialogBarControls {
    bool secondDate = false;          // "bis" and the period's end: views over a period
    bool developmentMeasure = false;  // development diagram: what it draws
    bool positionMeasure = false;     // position diagram: what it draws
    bool choosePositions = false;     // "Auswählen..." of the position diagram
    bool securitySelector = false;    // "Wertpapier" of the chart, with its picture button
    bool filterSwitch = false;        // security or transaction filter with its second button
    bool simulatedSale = false;       // realized gains: open positions valued as if sold
    bool htmlView = false;            // "HTML-Ansicht" of the holdings

    bool operator==(const DialogBarControls&) const = default;
};
DialogBarControls ControlsForView(int viewId);
// Whether the view reports at one date (holdings, securities list, distribution).
bool IsOneDateView(int viewId);

// The content the view's builder makes, or nullptr for a view without content (or an
// unknown id). The catalogue names it with the view's title.
std::unique_ptr<ReportObject> BuildReport(const CFolari2Doc& doc, int viewId,
                                          const ViewState& state);
// What a window shows: the content, or the view's title page when there is none. nullptr
// only for an unknown id.
std::unique_ptr<ReportObject> BuildViewContent(const CFolari2Doc& doc, int viewId,
                                               const ViewState& state);

}  // namespace pf

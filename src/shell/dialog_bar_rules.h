#pragma once

#include <cstdint>
#include <map>
#include <span>

#include "model/date.h"
#include "reports/report_dispatcher.h"

namespace pf {

// Which controls of the dialog bar a view shows besides the view selector and the first
// date picker (always shown).
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

// Items of the measure selectors of the two diagrams, in the order of their measure types.
std::span<const char* const> DevelopmentMeasureItems();
std::span<const char* const> PositionMeasureItems();

// Whether the view reports at one date (holdings, securities list, distribution).
bool IsOneDateView(int viewId);

// Everything a child window keeps of the dialog bar. The first date picker shows the report
// date for views at one date and the period's start for views over a period; both are kept,
// so switching views does not lose either.
struct ChildViewState {
    int viewId = kViewHoldings;
    CQRNDatum reportDate;
    CQRNDatum periodFrom;
    CQRNDatum periodTo;
    // The filter switch, kept separately for each view that has one (2, 3, 23).
    std::map<int, bool> filterOn;
    bool simulateSales = false;
    int developmentMeasure = 0;
    int positionMeasure = 0;
    int32_t chartSecurityId = -1;

    bool FilterOn() const;
    void SetFilterOn(bool on);
    // The first picker's date for the current view, and setting it.
    CQRNDatum FirstDate() const;
    void SetFirstDate(CQRNDatum date);
    // What the report dispatcher is given.
    ViewState ToViewState() const;
};

}  // namespace pf

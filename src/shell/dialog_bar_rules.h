#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "model/date.h"
#include "shell/view_catalogue.h"

namespace pf {

class CFolari2Doc;

// The securities the chart's selector "Wertpapier" lists: those of the document whose
// `noChart` is 0, in stored order (ids). Which of them a window shows is ChartSecurityFor
// (charts/chart_builders.h).
std::vector<int32_t> ChartSecurityIds(const CFolari2Doc& doc);

// Items of the measure selectors of the two diagrams, in the order of their measure types.
std::span<const char* const> DevelopmentMeasureItems();
std::span<const char* const> PositionMeasureItems();

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
    std::vector<int32_t> selectedPositions;  // position numbers chosen for the position diagram
    int32_t chartSecurityId = -1;

    bool FilterOn() const;
    void SetFilterOn(bool on);
    // The first picker's date for the current view, and setting it.
    CQRNDatum FirstDate() const;
    void SetFirstDate(CQRNDatum date);
    // What the view's builder is given: every value, with the switches of views that do not
    // have them off.
    ViewState ToViewState() const;
};

}  // namespace pf

#include "shell/dialog_bar_rules.h"

#include <algorithm>

#include "model/document.h"

namespace pf {

namespace {

constexpr const char* kDevelopmentMeasures[] = {
    "Depotwert",
    "Investiertes Kapital",
    "Depot - Gewinn/Verlust",
    "Depot - Gewinn/Verlust in %",
    "Depotwert seit Anfangsdatum",
    "Depotwert seit Anfangsdatum in %",
    "Kontostand",
    "Liquiditätsquote in %",
    "Vermögen",
    "Eingezahltes Kapital",
    "Vermögen - Gewinn/Verlust",
    "Vermögen - Gewinn/Verlust in %",
    "Vermögen seit Anfangsdatum",
    "Vermögen seit Anfangsdatum in %",
    "Vermögen - G/V seit Anfangsdatum",
};

constexpr const char* kPositionMeasures[] = {
    "Wert",
    "Gewinn/Verlust",
    "Gewinn/Verlust in %",
    "G/V seit Anfangsdatum",
    "G/V seit Anfangsdatum in %",
};

}  // namespace

std::vector<int32_t> ChartSecurityIds(const CFolari2Doc& doc) {
    std::vector<int32_t> ids;
    for (const CFL2Wertpapier& s : doc.securities)
        if (s.noChart == 0) ids.push_back(s.id);
    return ids;
}

std::span<const char* const> DevelopmentMeasureItems() { return kDevelopmentMeasures; }
std::span<const char* const> PositionMeasureItems() { return kPositionMeasures; }

bool ChildViewState::FilterOn() const {
    auto it = filterOn.find(viewId);
    return it != filterOn.end() && it->second;
}

void ChildViewState::SetFilterOn(bool on) {
    if (ControlsForView(viewId).filterSwitch) filterOn[viewId] = on;
}

CQRNDatum ChildViewState::FirstDate() const {
    return IsOneDateView(viewId) ? reportDate : periodFrom;
}

void ChildViewState::SetFirstDate(CQRNDatum date) {
    if (IsOneDateView(viewId))
        reportDate = date;
    else
        periodFrom = date;
}

ViewState ChildViewState::ToViewState() const {
    ViewState s;
    s.reportDate = reportDate;
    s.periodFrom = periodFrom;
    s.periodTo = periodTo;
    s.securityFilter = FilterOn();
    s.simulateSales = ControlsForView(viewId).simulatedSale && simulateSales;
    s.developmentMeasure = developmentMeasure;
    s.positionMeasure = positionMeasure;
    s.selectedPositions = selectedPositions;
    s.chartSecurityId = chartSecurityId;
    return s;
}

}  // namespace pf

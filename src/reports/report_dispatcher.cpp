#include "reports/report_dispatcher.h"

#include <array>

#include "reports/holdings_report.h"
#include "reports/realized_report.h"

namespace pf {

namespace {

constexpr std::array<ViewInfo, 15> kViews = {{
    {kViewHoldings, "Depotbestand", "Strg+1"},
    {kViewRealized, "Realisierte G+V", "Strg+2"},
    {kViewTransactions, "Transaktionen", "Strg+3"},
    {kViewAccountMovements, "Kontobewegungen", "Strg+4"},
    {kViewSecurities, "Wertpapiere", ""},
    {kViewDevelopment, "Depotentwicklung", "Strg+5"},
    {kViewQuotes, "Kurse", "Strg+6"},
    {kViewDevelopmentDiagram, "Diagramm - Depotentwicklung", "Strg+7"},
    {kViewPositionDiagram, "Diagramm - Wertpapierpos.", "Strg+8"},
    {kViewChart, "Charts", "Strg+9"},
    {kViewDepotAnalysis, "Depotanalyse", "Strg+0"},
    {kViewDepotDistribution, "Depotverteilung", ""},
    {kViewGainLossEvaluation, "Gewinn-/Verlustauswertung", ""},
    {kViewPerformance, "Performanceanalyse", ""},
    {kViewReturns, "Renditeberechnung", ""},
}};

}  // namespace

std::span<const ViewInfo> ViewTable() { return kViews; }

const ViewInfo* FindView(int id) {
    for (const ViewInfo& view : kViews)
        if (view.id == id) return &view;
    return nullptr;
}

int ViewIdFromName(const std::string& name) {
    if (name == "holdings") return kViewHoldings;
    if (name == "realized") return kViewRealized;
    return 0;
}

std::unique_ptr<ReportTable> BuildReport(const CFolari2Doc& doc, int viewId,
                                         const ViewState& state) {
    switch (viewId) {
        case kViewHoldings:
            return BuildHoldingsReport(doc, state.reportDate);
        case kViewRealized:
            return BuildRealizedReport(doc, state.periodFrom, state.periodTo, state.securityFilter,
                                       state.simulateSales);
        default:
            return nullptr;
    }
}

}  // namespace pf

#include "shell/view_catalogue.h"

#include <array>

#include "charts/chart_builders.h"
#include "model/document.h"
#include "reports/depot_analysis_report.h"
#include "reports/development_report.h"
#include "reports/gain_loss_report.h"
#include "reports/holdings_report.h"
#include "reports/movements_report.h"
#include "reports/performance_report.h"
#include "reports/quotes_table_report.h"
#include "reports/realized_report.h"
#include "reports/returns_report.h"
#include "reports/securities_list_report.h"
#include "reports/title_page.h"
#include "reports/transactions_report.h"

namespace pf {

namespace {

std::unique_ptr<ReportObject> Holdings(const CFolari2Doc& doc, const ViewState& state) {
    return BuildHoldingsReport(doc, state.reportDate);
}

std::unique_ptr<ReportObject> Realized(const CFolari2Doc& doc, const ViewState& state) {
    return BuildRealizedReport(doc, state.periodFrom, state.periodTo, state.securityFilter,
                               state.simulateSales);
}

std::unique_ptr<ReportObject> Transactions(const CFolari2Doc& doc, const ViewState& state) {
    return BuildTransactionsReport(doc, state.periodFrom, state.periodTo, state.securityFilter);
}

std::unique_ptr<ReportObject> Movements(const CFolari2Doc& doc, const ViewState& state) {
    return BuildMovementsReport(doc, state.periodFrom, state.periodTo);
}

std::unique_ptr<ReportObject> GainLoss(const CFolari2Doc& doc, const ViewState& state) {
    return BuildGainLossReport(doc, state.periodFrom, state.periodTo);
}

std::unique_ptr<ReportObject> Performance(const CFolari2Doc& doc, const ViewState& state) {
    return BuildPerformanceReport(doc, state.periodFrom, state.periodTo);
}

std::unique_ptr<ReportObject> Returns(const CFolari2Doc& doc, const ViewState& state) {
    return BuildReturnsReport(doc, state.periodFrom, state.periodTo, state.securityFilter);
}

std::unique_ptr<ReportObject> DevelopmentDiagram(const CFolari2Doc& doc, const ViewState& state) {
    return BuildDevelopmentDiagram(doc, state.periodFrom, state.periodTo, state.developmentMeasure);
}

std::unique_ptr<ReportObject> PositionsDiagram(const CFolari2Doc& doc, const ViewState& state) {
    return BuildPositionsDiagram(doc, state.periodFrom, state.periodTo, state.positionMeasure,
                                 state.selectedPositions);
}

std::unique_ptr<ReportObject> Chart(const CFolari2Doc& doc, const ViewState& state) {
    return BuildSecurityChart(doc, ChartSecurityFor(doc, state.chartSecurityId), state.periodFrom,
                              state.periodTo);
}

constexpr bool kOneDate = true;
constexpr bool kPeriod = false;

// clang-format off
constexpr std::array<ViewEntry, 15> kViews = {{
    {kViewHoldings, "Depotbestand", "&Depotbestand", "Strg+1", "holdings", kOneDate,
     kHtmlViewControl, &Holdings},
    {kViewRealized, "Realisierte G+V", "&Realisierte G+V", "Strg+2", "realized", kPeriod,
     kFilterSwitchControl | kSimulatedSaleControl, &Realized},
    {kViewTransactions, "Transaktionen", "&Transaktionen", "Strg+3", "transactions", kPeriod,
     kFilterSwitchControl, &Transactions},
    {kViewAccountMovements, "Kontobewegungen", "&Kontobewegungen", "Strg+4", "movements", kPeriod,
     kNoControls, &Movements},
    {kViewSecurities, "Wertpapiere", "&Wertpapiere", "", "securities", kOneDate, kNoControls,
     &BuildSecuritiesList},
    {kViewDevelopment, "Depotentwicklung", "Depot&entwicklung", "Strg+5", "development", kPeriod,
     kNoControls, &BuildDevelopmentTable},
    {kViewQuotes, "Kurse", "K&urse", "Strg+6", "quotes", kPeriod, kNoControls, &BuildQuotesTable},
    {kViewDevelopmentDiagram, "Diagramm - Depotentwicklung", "Diagra&mm - Depotentwicklung",
     "Strg+7", "development-diagram", kPeriod, kDevelopmentMeasureControl, &DevelopmentDiagram},
    {kViewPositionDiagram, "Diagramm - Wertpapierpos.", "Diagramm - Wertpap&ierpositionen",
     "Strg+8", "positions-diagram", kPeriod, kPositionMeasureControl | kChoosePositionsControl,
     &PositionsDiagram},
    {kViewChart, "Charts", "&Charts", "Strg+9", "chart", kPeriod, kSecuritySelectorControl,
     &Chart},
    {kViewDepotAnalysis, "Depotanalyse", "Depot&analyse", "Strg+0", "analysis", kPeriod,
     kNoControls, &BuildDepotAnalysis},
    {kViewDepotDistribution, "Depotverteilung", "Depot&verteilung", "", "distribution", kOneDate,
     kNoControls, &BuildDepotDistribution},
    {kViewGainLossEvaluation, "Gewinn-/Verlustauswertung", "&Gewinn-/Verlustauswertung", "", "gv",
     kPeriod, kNoControls, &GainLoss},
    {kViewPerformance, "Performanceanalyse", "&Performanceanalyse", "", "performance", kPeriod,
     kNoControls, &Performance},
    {kViewReturns, "Renditeberechnung", "Rendite&berechnung", "", "returns", kPeriod,
     kFilterSwitchControl, &Returns},
}};
// clang-format on

}  // namespace

std::span<const ViewEntry> ViewCatalogue() { return kViews; }

const ViewEntry* FindView(int id) {
    for (const ViewEntry& view : kViews)
        if (view.id == id) return &view;
    return nullptr;
}

const ViewEntry* FindViewByCliName(const std::string& name) {
    if (name.empty()) return nullptr;
    for (const ViewEntry& view : kViews)
        if (name == view.cliName) return &view;
    return nullptr;
}

int ViewIdFromName(const std::string& name) {
    const ViewEntry* view = FindViewByCliName(name);
    return view != nullptr ? view->id : 0;
}

DialogBarControls ControlsForView(int viewId) {
    const ViewEntry* view = FindView(viewId);
    if (view == nullptr) return {};
    const auto has = [&](ViewControl control) { return (view->controls & control) != 0; };
    DialogBarControls c;
    c.secondDate = !view->oneDate;
    c.developmentMeasure = has(kDevelopmentMeasureControl);
    c.positionMeasure = has(kPositionMeasureControl);
    c.choosePositions = has(kChoosePositionsControl);
    c.securitySelector = has(kSecuritySelectorControl);
    c.filterSwitch = has(kFilterSwitchControl);
    c.simulatedSale = has(kSimulatedSaleControl);
    c.htmlView = has(kHtmlViewControl);
    return c;
}

bool IsOneDateView(int viewId) {
    const ViewEntry* view = FindView(viewId);
    return view != nullptr && view->oneDate;
}

std::unique_ptr<ReportObject> BuildReport(const CFolari2Doc& doc, int viewId,
                                          const ViewState& state) {
    const ViewEntry* view = FindView(viewId);
    if (view == nullptr || view->builder == nullptr) return nullptr;
    std::unique_ptr<ReportObject> report = view->builder(doc, state);
    if (report) report->SetTitle(view->title);
    return report;
}

std::unique_ptr<ReportObject> BuildViewContent(const CFolari2Doc& doc, int viewId,
                                               const ViewState& state) {
    const ViewEntry* view = FindView(viewId);
    if (view == nullptr) return nullptr;
    if (std::unique_ptr<ReportObject> report = BuildReport(doc, viewId, state)) return report;
    const TableAppearance& tables = doc.options.tables;
    return std::make_unique<TitlePage>(view->title, tables.face, tables.titleFontHeight,
                                       doc.options.screenScaleFactor);
}

}  // namespace pf

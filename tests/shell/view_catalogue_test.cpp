#include "shell/view_catalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>

#include "model/document.h"
#include "reports/holdings_report.h"
#include "reports/realized_report.h"
#include "reports/report_table.h"
#include "samples/demo_portfolios.h"
#include "shell/dialog_bar_rules.h"

namespace pf {
namespace {

TEST(ViewCatalogueTest, ListsEveryViewInSelectorOrder) {
    const std::span<const ViewEntry> views = ViewCatalogue();
    ASSERT_EQ(views.size(), 15u);
    const int order[] = {1, 2, 3, 4, 5, 51, 52, 101, 102, 151, 201, 202, 21, 22, 23};
    std::set<std::string> shortcuts;
    for (size_t i = 0; i < views.size(); ++i) {
        SCOPED_TRACE(views[i].title);
        EXPECT_EQ(views[i].id, order[i]);
        EXPECT_EQ(FindView(views[i].id), &views[i]);
        if (*views[i].shortcut != '\0') {
            EXPECT_TRUE(shortcuts.insert(views[i].shortcut).second) << "shortcut used twice";
        }
    }
    EXPECT_EQ(shortcuts.size(), 10u);  // Strg+0 to Strg+9

    struct Case {
        int id;
        const char* title;
        const char* shortcut;
    };
    const Case cases[] = {
        {1, "Depotbestand", "Strg+1"},
        {2, "Realisierte G+V", "Strg+2"},
        {5, "Wertpapiere", ""},
        {52, "Kurse", "Strg+6"},
        {102, "Diagramm - Wertpapierpos.", "Strg+8"},
        {201, "Depotanalyse", "Strg+0"},
        {21, "Gewinn-/Verlustauswertung", ""},
        {23, "Renditeberechnung", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const ViewEntry* view = FindView(c.id);
        ASSERT_NE(view, nullptr);
        EXPECT_STREQ(view->title, c.title);
        EXPECT_STREQ(view->shortcut, c.shortcut);
    }
    for (int unknown : {0, 6, 20, 24, 50, 103, 203, -1}) EXPECT_EQ(FindView(unknown), nullptr);
}

TEST(ViewCatalogueTest, NamesOfTheCommandLine) {
    EXPECT_EQ(ViewIdFromName("holdings"), kViewHoldings);
    EXPECT_EQ(ViewIdFromName("realized"), kViewRealized);
    EXPECT_EQ(ViewIdFromName("transactions"), kViewTransactions);
    EXPECT_EQ(ViewIdFromName("movements"), kViewAccountMovements);
    EXPECT_EQ(ViewIdFromName("gv"), kViewGainLossEvaluation);
    EXPECT_EQ(ViewIdFromName("performance"), kViewPerformance);
    EXPECT_EQ(ViewIdFromName("returns"), kViewReturns);
    EXPECT_EQ(ViewIdFromName("securities"), kViewSecurities);
    EXPECT_EQ(ViewIdFromName("development"), kViewDevelopment);
    EXPECT_EQ(ViewIdFromName("quotes"), kViewQuotes);
    EXPECT_EQ(ViewIdFromName("analysis"), kViewDepotAnalysis);
    EXPECT_EQ(ViewIdFromName("distribution"), kViewDepotDistribution);
    EXPECT_EQ(ViewIdFromName("development-diagram"), kViewDevelopmentDiagram);
    EXPECT_EQ(ViewIdFromName("positions-diagram"), kViewPositionDiagram);
    EXPECT_EQ(ViewIdFromName("chart"), kViewChart);
    for (const char* other : {"", "Holdings", "realised", "1", "depotbestand", "charts"})
        EXPECT_EQ(ViewIdFromName(other), 0) << other;
}

class Dispatcher : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { doc_ = new CFolari2Doc(MakeDemoPortfolio(1)); }
    static void TearDownTestSuite() {
        delete doc_;
        doc_ = nullptr;
    }
    static std::string TextOf(const std::unique_ptr<ReportObject>& report) {
        return report ? report->Text(kTabSeparated, "\n") : "(none)";
    }
    static std::string TextOf(const std::unique_ptr<ReportTable>& table) {
        return table ? table->Text(kTabSeparated, "\n") : "(none)";
    }
    // The first cell of a report built as a table (its title row).
    static std::string TitleCellOf(const std::unique_ptr<ReportObject>& report) {
        const auto* table = dynamic_cast<const ReportTable*>(report.get());
        return table != nullptr ? table->CellText(0, 0) : "(no table)";
    }
    static CFolari2Doc* doc_;
};
CFolari2Doc* Dispatcher::doc_ = nullptr;

TEST_F(Dispatcher, HoldingsAreBuiltAtTheReportDate) {
    ViewState state;
    state.reportDate = DateOf(30, 6, 2012);
    state.periodFrom = DateOf(1, 1, 2010);  // the period must not matter
    state.periodTo = DateOf(31, 12, 2020);
    state.simulateSales = true;
    const auto table = BuildReport(*doc_, kViewHoldings, state);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(TextOf(table), TextOf(BuildHoldingsReport(*doc_, state.reportDate)));
    EXPECT_NE(TitleCellOf(table).find("30.06.2012"), std::string::npos) << TitleCellOf(table);
}

TEST_F(Dispatcher, RealizedGainsGetThePeriodAndBothSwitches) {
    CFolari2Doc doc = *doc_;
    ASSERT_FALSE(doc.securities.empty());
    doc.options.selectedSecurityIds = {doc.securities.front().id};
    ViewState state;
    state.reportDate = DateOf(1, 1, 2008);  // the report date must not matter
    state.periodFrom = DateOf(1, 1, 2006);
    state.periodTo = DateOf(31, 12, 2015);

    std::set<std::string> texts;
    for (bool filter : {false, true}) {
        for (bool simulate : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "filter " << filter << ", simulate " << simulate);
            state.securityFilter = filter;
            state.simulateSales = simulate;
            const auto table = BuildReport(doc, kViewRealized, state);
            ASSERT_NE(table, nullptr);
            const std::string text = TextOf(table);
            EXPECT_EQ(text, TextOf(BuildRealizedReport(doc, state.periodFrom, state.periodTo,
                                                       filter, simulate)));
            texts.insert(text);
            const std::string title = TitleCellOf(table);
            EXPECT_NE(title.find("von 01.01.2006 bis 31.12.2015"), std::string::npos) << title;
        }
    }
    // Every combination of the switches gives another report, so a mix-up shows above.
    EXPECT_EQ(texts.size(), 4u);
}

TEST_F(Dispatcher, ViewsWithoutContentGiveNothing) {
    ViewState state;
    state.reportDate = state.periodTo = DateOf(31, 12, 2015);
    for (const ViewEntry& view : ViewCatalogue()) {
        SCOPED_TRACE(view.title);
        // Every table view builds its report; the others have no builder yet.
        EXPECT_EQ(BuildReport(*doc_, view.id, state) != nullptr, view.builder != nullptr);
    }
    for (int unknown : {0, -1, 7, 999}) EXPECT_EQ(BuildReport(*doc_, unknown, state), nullptr);
}

TEST(ViewCatalogueTest, MenuTextsAndCommandLineNames) {
    struct Case {
        int id;
        const char* menuText;
        const char* cliName;
    };
    const Case cases[] = {
        {kViewHoldings, "&Depotbestand", "holdings"},
        {kViewRealized, "&Realisierte G+V", "realized"},
        {kViewDevelopment, "Depot&entwicklung", "development"},
        {kViewDevelopmentDiagram, "Diagra&mm - Depotentwicklung", "development-diagram"},
        {kViewPositionDiagram, "Diagramm - Wertpap&ierpositionen", "positions-diagram"},
        {kViewDepotDistribution, "Depot&verteilung", "distribution"},
        {kViewReturns, "Rendite&berechnung", "returns"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const ViewEntry* view = FindView(c.id);
        ASSERT_NE(view, nullptr);
        EXPECT_STREQ(view->menuText, c.menuText);
        EXPECT_STREQ(view->cliName, c.cliName);
    }
    // Every mnemonic is unique in the menu, and a view is reachable from the command line
    // exactly when it has content.
    std::set<char> mnemonics;
    for (const ViewEntry& view : ViewCatalogue()) {
        SCOPED_TRACE(view.title);
        const char* amp = std::strchr(view.menuText, '&');
        ASSERT_NE(amp, nullptr);
        EXPECT_TRUE(mnemonics.insert(static_cast<char>(std::tolower(amp[1]))).second);
        EXPECT_EQ(*view.cliName != '\0', view.builder != nullptr);
        if (*view.cliName != '\0') {
            EXPECT_EQ(FindViewByCliName(view.cliName), &view);
        }
    }
    EXPECT_EQ(FindViewByCliName(""), nullptr);
}

TEST_F(Dispatcher, EveryViewHasContentNamedByItsTitle) {
    ViewState state;
    state.reportDate = state.periodTo = DateOf(31, 12, 2015);
    state.periodFrom = DateOf(1, 1, 2015);
    for (const ViewEntry& view : ViewCatalogue()) {
        SCOPED_TRACE(view.title);
        const std::unique_ptr<ReportObject> content = BuildViewContent(*doc_, view.id, state);
        ASSERT_NE(content, nullptr);
        EXPECT_EQ(content->Title(), view.title);
        // Only content of its own prints; a title page does not. The analysis tables, charts
        // and diagrams print but have no text.
        EXPECT_EQ(content->CanPrint(), view.builder != nullptr);
        const bool drawing = view.id == kViewDepotAnalysis || view.id == kViewDepotDistribution ||
                             view.id == kViewDevelopmentDiagram ||
                             view.id == kViewPositionDiagram || view.id == kViewChart;
        EXPECT_EQ(content->HasText(), view.builder != nullptr && !drawing);
    }
    EXPECT_EQ(BuildViewContent(*doc_, 999, state), nullptr);
}

TEST(ChildViewStateTest, HandsEveryDialogBarValueToTheBuilder) {
    ChildViewState s;
    s.viewId = kViewPositionDiagram;
    s.reportDate = DateOf(10, 12, 2026);
    s.periodFrom = DateOf(1, 1, 2026);
    s.periodTo = DateOf(30, 11, 2026);
    s.developmentMeasure = 7;
    s.positionMeasure = 3;
    s.selectedPositions = {4, 9};
    s.chartSecurityId = 12;
    s.simulateSales = true;  // kept for the realized view, off for this one
    const ViewState v = s.ToViewState();
    EXPECT_EQ(v.reportDate, s.reportDate);
    EXPECT_EQ(v.periodFrom, s.periodFrom);
    EXPECT_EQ(v.periodTo, s.periodTo);
    EXPECT_EQ(v.developmentMeasure, 7);
    EXPECT_EQ(v.positionMeasure, 3);
    EXPECT_EQ(v.selectedPositions, (std::vector<int32_t>{4, 9}));
    EXPECT_EQ(v.chartSecurityId, 12);
    EXPECT_FALSE(v.simulateSales);
    s.viewId = kViewRealized;
    EXPECT_TRUE(s.ToViewState().simulateSales);
}

}  // namespace
}  // namespace pf

#include "reports/report_dispatcher.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/document.h"
#include "reports/holdings_report.h"
#include "reports/realized_report.h"
#include "samples/demo_portfolios.h"

namespace pf {
namespace {

TEST(ViewTable, ListsEveryViewInSelectorOrder) {
    const std::span<const ViewInfo> views = ViewTable();
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
        const ViewInfo* view = FindView(c.id);
        ASSERT_NE(view, nullptr);
        EXPECT_STREQ(view->title, c.title);
        EXPECT_STREQ(view->shortcut, c.shortcut);
    }
    for (int unknown : {0, 6, 20, 24, 50, 103, 203, -1}) EXPECT_EQ(FindView(unknown), nullptr);
}

TEST(ViewTable, NamesOfTheCommandLine) {
    EXPECT_EQ(ViewIdFromName("holdings"), kViewHoldings);
    EXPECT_EQ(ViewIdFromName("realized"), kViewRealized);
    for (const char* other : {"", "Holdings", "realised", "1", "depotbestand", "transactions"})
        EXPECT_EQ(ViewIdFromName(other), 0) << other;
}

class Dispatcher : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { doc_ = new CFolari2Doc(MakeDemoPortfolio(1)); }
    static void TearDownTestSuite() {
        delete doc_;
        doc_ = nullptr;
    }
    static std::string TextOf(const std::unique_ptr<ReportTable>& table) {
        return table ? table->Text(kTabSeparated, "\n") : "(none)";
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
    EXPECT_NE(table->CellText(0, 0).find("30.06.2012"), std::string::npos) << table->CellText(0, 0);
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
            const std::string& title = table->CellText(0, 0);
            EXPECT_NE(title.find("von 01.01.2006 bis 31.12.2015"), std::string::npos) << title;
        }
    }
    // Every combination of the switches gives another report, so a mix-up shows above.
    EXPECT_EQ(texts.size(), 4u);
}

TEST_F(Dispatcher, ViewsWithoutATableReportGiveNothing) {
    ViewState state;
    state.reportDate = state.periodTo = DateOf(31, 12, 2015);
    for (const ViewInfo& view : ViewTable()) {
        SCOPED_TRACE(view.title);
        const bool hasTable = view.id == kViewHoldings || view.id == kViewRealized;
        EXPECT_EQ(BuildReport(*doc_, view.id, state) != nullptr, hasTable);
    }
    for (int unknown : {0, -1, 7, 999}) EXPECT_EQ(BuildReport(*doc_, unknown, state), nullptr);
}

}  // namespace
}  // namespace pf

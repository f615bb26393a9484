#pragma once

#include <gtest/gtest.h>

#include <tuple>

#include "model/document.h"

namespace pf::testing {

// The report options as tuples, which the test framework prints field by field.
inline auto Fields(const TableAppearance& t) {
    return std::tie(t.screenStyle, t.printStyle, t.face, t.outerMargin, t.columnGap, t.columnMargin,
                    t.titleFontHeight, t.columnTitleFontHeight, t.rowFontHeight, t.repeatTitle,
                    t.repeatColumnTitles, t.marginLeft, t.marginTop, t.marginRight, t.marginBottom,
                    t.percentDecimals, t.maxPriceDecimals, t.colourWithDividends);
}
inline auto Fields(const HoldingsReportOptions& h) {
    return std::tie(h.columnMask, h.title, h.sortKey, h.sortDescending, h.includeCommissions,
                    h.mergePositions, h.bracketOldQuotes, h.currencyId, h.annualisation,
                    h.extraInfo);
}
inline auto Fields(const RealizedReportOptions& r) {
    return std::tie(r.columnMask, r.title, r.taxSums, r.sortKey, r.sortDescending,
                    r.includeCommissions, r.mergePositions, r.currencyId, r.annualisation,
                    r.extraInfo);
}

inline auto Fields(const TransactionsReportOptions& t) {
    return std::tie(t.columnMask, t.title, t.sortKeys, t.sortDescending, t.currencyId);
}
inline auto Fields(const MovementsReportOptions& m) {
    return std::tie(m.columnMask, m.title, m.endOfDayBalance, m.currencyId);
}
inline auto Fields(const ReportsAppearance& r) {
    return std::tie(r.face, r.columnGap, r.outerMargin, r.title1FontHeight, r.title2FontHeight,
                    r.largeFontHeight, r.smallFontHeight, r.marginLeft, r.marginTop, r.marginRight,
                    r.marginBottom);
}
inline auto Fields(const GainLossReportOptions& g) {
    return std::tie(g.itemMask, g.title1, g.title2, g.title1Large, g.title2Large, g.currencyId,
                    g.groupByTaxCategory, g.purchaseCostsInPrice, g.securityInTexts);
}
inline auto Fields(const PerformanceReportOptions& p) {
    return std::tie(p.title1, p.title2, p.currencyId, p.purchaseCostsInCapital, p.showPeriods,
                    p.periodsEndAtMonthEnd);
}
inline auto Fields(const ReturnsReportOptions& r) {
    return std::tie(r.title1, r.title2, r.currencyId, r.withoutTaxes, r.showPayments,
                    r.paymentsInNegative, r.order);
}
inline auto Fields(const ListsAppearance& l) {
    return std::tie(l.screenStyle, l.printStyle, l.face, l.outerMargin, l.normalFontHeight,
                    l.columnTitleFontHeight, l.verticalFontHeight, l.dateColumnEveryPage,
                    l.marginLeft, l.marginTop, l.marginRight, l.marginBottom, l.repeatColumnTitles,
                    l.priceDecimals, l.percentDecimals, l.repeatVerticalTexts,
                    l.verticalTextDistance);
}
inline auto Fields(const DevelopmentReportOptions& d) {
    return std::tie(d.itemMask, d.positionText, d.depotCurrencyId, d.accountCurrencyId,
                    d.assetsCurrencyId, d.sortKey, d.columnPerLot, d.equalWidths,
                    d.includeCommissions, d.correctAccount, d.correctAssets,
                    d.correctionRelativeToEnd);
}
inline auto Fields(const QuotesTableOptions& q) {
    return std::tie(q.filter, q.titleTemplate, q.sortKey, q.equalWidths, q.splitHandling);
}
inline auto Fields(const AnalysisOptions& a) {
    return std::tie(a.face, a.fontHeight, a.outerMargin, a.textSpacing, a.columnWidth,
                    a.firstColumnWidth, a.marginLeft, a.marginTop, a.marginRight, a.marginBottom,
                    a.sortKey, a.sortDescending, a.includeCommissions, a.includeDividends,
                    a.mergePositions, a.priceDecimals, a.percentDecimals, a.currencyId,
                    a.stopTarget);
}
inline auto Fields(const SecuritiesListOptions& s) {
    return std::tie(s.columnMask, s.title, s.sortKeys, s.sortDescending, s.useLastPrice,
                    s.onlyInDepot);
}

inline auto Fields(const DiagramsAppearance& g) {
    return std::tie(g.face, g.width, g.height, g.border, g.innerMargin, g.labelFontHeight,
                    g.titleFontHeight);
}
inline auto Fields(const ChartOptions& c) {
    return std::tuple(c.title, c.lineWidth, c.lineColour, c.averages[0].enabled,
                      c.averages[0].period, c.averages[0].width, c.averages[0].colour,
                      c.averages[1].enabled, c.averages[1].period, c.averages[1].width,
                      c.averages[1].colour, c.averages[2].enabled, c.averages[2].period,
                      c.averages[2].width, c.averages[2].colour, c.markers, c.markerWidth,
                      c.buyColour, c.sellColour, c.splitHandling);
}
inline auto Fields(const DiagramOptions& d) {
    return std::tie(d.developmentTitle, d.positionsTitle, d.developmentLineWidth,
                    d.developmentLineColour, d.positionsLineWidth, d.positionsLineColour,
                    d.currencyId, d.includeCommissions, d.correctAccount, d.correctAssets,
                    d.correctionRelativeToEnd);
}

// Compares two documents part by part, so that a failure names the part that differs.
inline void ExpectSameDocument(const CFolari2Doc& actual, const CFolari2Doc& expected) {
    EXPECT_EQ(actual.nextKindId, expected.nextKindId);
    EXPECT_EQ(actual.nextPositionNo, expected.nextPositionNo);
    EXPECT_EQ(actual.nextTransactionId, expected.nextTransactionId);
    EXPECT_EQ(actual.nextCurrencyId, expected.nextCurrencyId);
    EXPECT_EQ(actual.nextSecurityId, expected.nextSecurityId);
    EXPECT_TRUE(actual.accountMovementKinds == expected.accountMovementKinds) << "kinds";
    ASSERT_EQ(actual.transactions.size(), expected.transactions.size());
    for (size_t i = 0; i < actual.transactions.size(); ++i)
        EXPECT_TRUE(actual.transactions[i] == expected.transactions[i]) << "transaction " << i;
    ASSERT_EQ(actual.currencies.size(), expected.currencies.size());
    for (size_t i = 0; i < actual.currencies.size(); ++i)
        EXPECT_TRUE(actual.currencies[i] == expected.currencies[i]) << "currency " << i;
    ASSERT_EQ(actual.securities.size(), expected.securities.size());
    for (size_t i = 0; i < actual.securities.size(); ++i)
        EXPECT_TRUE(actual.securities[i] == expected.securities[i]) << "security " << i;
    EXPECT_TRUE(actual.depot == expected.depot) << "master data";
    EXPECT_EQ(actual.initialAccountCurrencyId, expected.initialAccountCurrencyId);
    EXPECT_TRUE(actual.accountCurrencyChanges == expected.accountCurrencyChanges);
    EXPECT_TRUE(actual.speculationPeriodChanges == expected.speculationPeriodChanges);
    EXPECT_TRUE(actual.stopTargets == expected.stopTargets);
    EXPECT_TRUE(actual.taxCategories == expected.taxCategories);
    EXPECT_TRUE(actual.password == expected.password);

    const DocumentOptions& a = actual.options;
    const DocumentOptions& e = expected.options;
    EXPECT_EQ(a.decimalSeparator, e.decimalSeparator);
    EXPECT_EQ(a.thousandsSeparator, e.thousandsSeparator);
    EXPECT_EQ(a.splitRoundingDecimals, e.splitRoundingDecimals);
    EXPECT_EQ(a.periodFromChoice, e.periodFromChoice);
    EXPECT_EQ(a.periodToChoice, e.periodToChoice);
    EXPECT_EQ(a.periodFromDate, e.periodFromDate);
    EXPECT_EQ(a.periodToDate, e.periodToDate);
    EXPECT_EQ(a.earningsYear1, e.earningsYear1);
    EXPECT_EQ(a.earningsYear2, e.earningsYear2);
    EXPECT_EQ(a.ownCategoryCaption1, e.ownCategoryCaption1);
    EXPECT_EQ(a.ownCategoryCaption2, e.ownCategoryCaption2);
    EXPECT_EQ(Fields(a.tables), Fields(e.tables));
    EXPECT_EQ(Fields(a.holdings), Fields(e.holdings));
    EXPECT_EQ(Fields(a.realized), Fields(e.realized));
    EXPECT_EQ(Fields(a.transactions), Fields(e.transactions));
    EXPECT_EQ(Fields(a.movements), Fields(e.movements));
    EXPECT_EQ(Fields(a.reports), Fields(e.reports));
    EXPECT_EQ(Fields(a.gainLoss), Fields(e.gainLoss));
    EXPECT_EQ(Fields(a.performance), Fields(e.performance));
    EXPECT_EQ(Fields(a.returns), Fields(e.returns));
    EXPECT_EQ(Fields(a.lists), Fields(e.lists));
    EXPECT_EQ(Fields(a.development), Fields(e.development));
    EXPECT_EQ(Fields(a.quotes), Fields(e.quotes));
    EXPECT_EQ(Fields(a.analysis), Fields(e.analysis));
    EXPECT_EQ(Fields(a.securitiesList), Fields(e.securitiesList));
    EXPECT_EQ(Fields(a.diagramsAppearance), Fields(e.diagramsAppearance));
    EXPECT_EQ(Fields(a.chart), Fields(e.chart));
    EXPECT_EQ(Fields(a.diagrams), Fields(e.diagrams));
    // Catches a field that was added to a struct but not to its Fields().
    EXPECT_TRUE(a.tables == e.tables && a.holdings == e.holdings && a.realized == e.realized);
    EXPECT_TRUE(a.transactions == e.transactions && a.movements == e.movements &&
                a.reports == e.reports && a.gainLoss == e.gainLoss &&
                a.performance == e.performance && a.returns == e.returns);
    EXPECT_TRUE(a.lists == e.lists && a.development == e.development && a.quotes == e.quotes &&
                a.analysis == e.analysis && a.securitiesList == e.securitiesList);
    EXPECT_TRUE(a.diagramsAppearance == e.diagramsAppearance && a.chart == e.chart &&
                a.diagrams == e.diagrams);
    EXPECT_EQ(a.isinLabel, e.isinLabel);
    EXPECT_EQ(a.selectedSecurityIds, e.selectedSecurityIds);
    EXPECT_TRUE(a.transactionFilter == e.transactionFilter);
    EXPECT_EQ(a.rememberTransactionDate, e.rememberTransactionDate);
    EXPECT_EQ(a.internetQuotes, e.internetQuotes);
    EXPECT_EQ(a.screenScaleFactor, e.screenScaleFactor);
    EXPECT_EQ(a.scaleNotYetDetermined, e.scaleNotYetDetermined);
    for (const auto& [name, as, es] : {std::tuple{"settings", &a.settingsSlots, &e.settingsSlots},
                                       std::tuple{"trailer", &a.trailerSlots, &e.trailerSlots}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(as->ints, es->ints);
        EXPECT_EQ(as->strings, es->strings);
        EXPECT_EQ(as->doubles, es->doubles);
        EXPECT_EQ(as->intLists, es->intLists);
        EXPECT_EQ(as->stringLists, es->stringLists);
    }
}

}  // namespace pf::testing

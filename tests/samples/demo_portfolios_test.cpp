#include "samples/demo_portfolios.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/holdings.h"
#include "engine/tax_categories.h"
#include "support/full_document.h"

namespace pf::testing {
namespace {

std::set<TransactionType> TypesOf(const CFolari2Doc& doc) {
    std::set<TransactionType> types;
    for (const CFL2Transaktion& t : doc.transactions) types.insert(t.type);
    return types;
}

TEST(DemoPortfolios, EuroInvestorShowsEveryKindOfTransactionAndSeveralTaxCategories) {
    const CFolari2Doc doc = MakeDemoPortfolio(1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_NE(doc.depot.holderName.find("Beispieldaten"), std::string::npos);
    EXPECT_EQ(TypesOf(doc),
              (std::set<TransactionType>{TransactionType::Split, TransactionType::Exchange,
                                         TransactionType::Buy, TransactionType::AccountMovement,
                                         TransactionType::Sell}));
    const CFL2Waehrung* usd = doc.FindCurrencyBySymbol("USD");
    ASSERT_NE(usd, nullptr);
    EXPECT_FALSE(usd->isFixed);
    EXPECT_GT(usd->rates.size(), 5000u);

    const PositionList lots = ComputeHoldings(doc, {});
    std::set<int> categories;
    bool partialSale = false;
    bool income = false;
    for (const CFL2DepotPos& lot : lots) {
        income |= lot.income > 0;
        if (lot.state != PositionState::Sold) continue;
        const CFL2Wertpapier* s = doc.FindSecurity(lot.securityId);
        categories.insert(
            MatchTaxCategory(doc, lot.purchaseDate, lot.saleDate, s->halfIncomeProcedure != 0));
        // A lot that was sold in part leaves an open lot with the same purchase transaction.
        for (const CFL2DepotPos& other : lots)
            partialSale |= other.state == PositionState::Open &&
                           other.purchaseDate == lot.purchaseDate &&
                           other.securityId == lot.securityId && other.positionNo != lot.positionNo;
    }
    EXPECT_GE(categories.size(), 3u);
    EXPECT_TRUE(partialSale);
    EXPECT_TRUE(income);
}

TEST(DemoPortfolios, MarkPortfolioMovesItsAccountToTheEuro) {
    const CFolari2Doc doc = MakeDemoPortfolio(2);
    const CFL2Waehrung* dm = doc.FindCurrencyBySymbol("DM");
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(doc.initialAccountCurrencyId, dm->id);
    ASSERT_EQ(doc.accountCurrencyChanges.size(), 1u);
    EXPECT_EQ(doc.accountCurrencyChanges[0].date, Day(1, 1, 2002));
    EXPECT_EQ(doc.accountCurrencyChanges[0].currencyId, kBaseCurrencyId);
    EXPECT_NE(doc.FindCurrencyBySymbol("FF"), nullptr);
    EXPECT_LT(doc.transactions.front().date, Day(1, 1, 1997));
}

TEST(DemoPortfolios, AreTheSameEveryTime) {
    const CFolari2Doc a = MakeDemoPortfolio(2);
    const CFolari2Doc b = MakeDemoPortfolio(2);
    EXPECT_TRUE(a.transactions == b.transactions);
    EXPECT_TRUE(a.securities == b.securities);
}

}  // namespace
}  // namespace pf::testing

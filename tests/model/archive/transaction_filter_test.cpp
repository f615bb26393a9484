// The transaction filter travels with the file: every field is written and read back, files
// from before the filter existed get a filter that shows everything.

#include <gtest/gtest.h>

#include "model/archive/archive_test_util.h"
#include "model/archive/old_file_builder.h"
#include "model/document.h"

namespace pf::testing {
namespace {

TransactionFilter EveryFieldAwayFromItsDefault() {
    TransactionFilter f;
    f.showPurchases = 0;
    f.showSales = 0;
    f.tradesOnlySelected = 1;
    f.tradesText = {1, kTextStartsWith, "Sparplan ä"};
    f.tradesAmount = {1, 100.5, 2500.25, 1};
    f.showMovements = 0;
    f.movementsOnlySelected = 1;
    f.movementsOnlySelectedKinds = 1;
    f.movementKindIds = {7, 2, 70000};
    f.movementsText = {1, kTextContains, "Dividende"};
    f.movementsAmount = {1, -20.0, 0.01, 2};
    f.showSplits = 0;
    f.showExchanges = 0;
    f.corporateOnlySelected = 1;
    f.corporateText = {1, kTextEquals, "Umtausch Ö"};
    return f;
}

TEST(TransactionFilterFile, NewDocumentShowsEverythingWithoutConditions) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(15, 6, 2022));
    const TransactionFilter& f = doc.options.transactionFilter;
    for (const int32_t shown :
         {f.showPurchases, f.showSales, f.showMovements, f.showSplits, f.showExchanges})
        EXPECT_EQ(shown, 1);
    for (const int32_t condition :
         {f.tradesOnlySelected, f.tradesText.active, f.tradesAmount.active, f.movementsOnlySelected,
          f.movementsOnlySelectedKinds, f.movementsText.active, f.movementsAmount.active,
          f.corporateOnlySelected, f.corporateText.active})
        EXPECT_EQ(condition, 0);
    EXPECT_TRUE(f.movementKindIds.empty());
}

TEST(TransactionFilterFile, EveryFieldSurvivesSavingAndReading) {
    CFolari2Doc doc = MakeFullDocument();
    doc.options.transactionFilter = EveryFieldAwayFromItsDefault();
    const std::string bytes = WriteDocument(doc);
    const ReadResult again = Read(bytes, doc.password.password);
    EXPECT_EQ(again.unreadBytes, 0u);
    EXPECT_TRUE(again.doc.options.transactionFilter == EveryFieldAwayFromItsDefault());
    // The neighbouring options and unnamed slots are not disturbed by the filter's fields.
    EXPECT_EQ(again.doc.options.selectedSecurityIds, doc.options.selectedSecurityIds);
    EXPECT_EQ(again.doc.options.settingsSlots, doc.options.settingsSlots);
    EXPECT_EQ(again.doc.options.decimalSeparator, doc.options.decimalSeparator);
    EXPECT_EQ(again.doc.options.isinLabel, doc.options.isinLabel);
    EXPECT_EQ(WriteDocument(again.doc), bytes);
}

TEST(TransactionFilterFile, FilesWithoutTheFilterGetTheDefaults) {
    for (const uint32_t version : {20101001u, 20201004u, 20301001u}) {
        SCOPED_TRACE(version);
        const ReadResult r = Read(BuildOldFile(version).bytes);
        EXPECT_EQ(r.unreadBytes, 0u);
        EXPECT_TRUE(r.doc.options.transactionFilter == TransactionFilter());
    }
    // The first version with the filter reads it.
    const ReadResult r = Read(BuildOldFile(20301002).bytes);
    EXPECT_FALSE(r.doc.options.transactionFilter == TransactionFilter());
    EXPECT_EQ(r.doc.options.transactionFilter.movementKindIds.size(), 2u);
}

}  // namespace
}  // namespace pf::testing

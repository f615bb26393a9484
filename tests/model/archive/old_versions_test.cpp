// Files of every format version, written by hand from the published layout, must be read
// with the stored values in the right fields and everything newer at its default.

#include <gtest/gtest.h>

#include "model/archive/archive_test_util.h"
#include "model/archive/document_compare.h"
#include "model/archive/old_file_builder.h"

namespace pf::testing {
namespace {

// Every version at which the layout changes, with its neighbours on both sides.
std::vector<uint32_t> VersionsAroundThresholds() {
    const uint32_t thresholds[] = {
        20101001, 20101002, 20101003, 20101004, 20101005, 20101006, 20101007, 20101009,
        20101010, 20201001, 20201003, 20201004, 20301001, 20701001, 20701002, 30001000,
        30001001, 30001003, 30101000, 30401000, 30501000, 30501002, 30701000, 30801000,
        30901000, 30901001, 31001000, 31201001, 31401000, 31501000, 31501001, 31601000,
        31701000, 31801000, 31901000, 32001000, 32101001};
    std::vector<uint32_t> versions;
    for (const uint32_t t : thresholds)
        for (const uint32_t v : {t - 1, t, t + 1})
            if (v >= 20101001 && v <= 32101001) versions.push_back(v);
    return versions;
}

TEST(OldVersions, EachVersionReadsItsElementsAndDefaultsTheRest) {
    for (const uint32_t version : VersionsAroundThresholds()) {
        SCOPED_TRACE(version);
        const OldFile file = BuildOldFile(version);
        const ReadResult result = Read(file.bytes);
        EXPECT_EQ(result.version, version);
        EXPECT_EQ(result.unreadBytes, 0u) << "layout out of step";
        EXPECT_EQ(result.olderVersion, version < 32101001);
        EXPECT_FALSE(result.doc.IsModified());
        ExpectSameDocument(result.doc, file.expected);
    }
}

TEST(OldVersions, ResavingWritesTheCurrentVersionAndKeepsEverything) {
    for (const uint32_t version : {20101001u, 20201002u, 30001002u, 31001001u, 32001001u}) {
        SCOPED_TRACE(version);
        ReadResult old = Read(BuildOldFile(version).bytes);
        const std::string saved = WriteDocument(old.doc);
        const ReadResult again = Read(saved);
        // The saved file stores the scale factor, so it is known from then on.
        old.doc.options.scaleNotYetDetermined = false;
        EXPECT_EQ(again.version, kCurrentFileVersion);
        EXPECT_FALSE(again.olderVersion);
        EXPECT_EQ(again.unreadBytes, 0u);
        ExpectSameDocument(again.doc, old.doc);
        EXPECT_EQ(WriteDocument(again.doc), saved);
    }
}

TEST(OldVersions, OldestVersionTwoFileHasOnlyDefaults) {
    const ReadResult r = Read(BuildOldFile(20101001).bytes);
    const CFolari2Doc& doc = r.doc;
    EXPECT_EQ(doc.initialAccountCurrencyId, 0);
    EXPECT_TRUE(doc.accountCurrencyChanges.empty());
    EXPECT_TRUE(doc.taxCategories.empty());
    EXPECT_EQ(doc.options.decimalSeparator, ",");
    EXPECT_EQ(doc.options.thousandsSeparator, ".");
    EXPECT_EQ(doc.options.splitRoundingDecimals, 2);
    EXPECT_EQ(doc.options.periodFromDate, Day(15, 6, 2022));
    EXPECT_EQ(doc.options.earningsYear1, "2022");
    EXPECT_EQ(doc.options.earningsYear2, "2023");
    EXPECT_EQ(doc.options.ownCategoryCaption1, "Eigene Kategorie 1");
    EXPECT_EQ(doc.options.screenScaleFactor, 1.0);
    EXPECT_TRUE(doc.options.scaleNotYetDetermined);
    // Report options without a stored slot keep their defaults rather than 0; the column
    // masks are not moved to other bits either.
    EXPECT_EQ(static_cast<uint32_t>(doc.options.holdings.columnMask), kDefaultHoldingsColumns);
    EXPECT_EQ(static_cast<uint32_t>(doc.options.realized.columnMask), kDefaultRealizedColumns);
    EXPECT_EQ(doc.options.holdings.annualisation, kExponential);
    EXPECT_EQ(doc.options.realized.taxSums, 1);
    EXPECT_EQ(doc.options.tables.face, "Arial");
    EXPECT_EQ(doc.options.tables.screenStyle, 3);
    EXPECT_EQ(doc.options.tables.marginLeft, 150);
    EXPECT_EQ(doc.options.isinLabel, "ISIN/Kürzel");
}

TEST(OldVersions, IntermediateVersionSkipsTheRetiredTrailerLists) {
    // 31501002 lies between 31001000 and 32101001: each trailer integer list is followed by
    // two string lists and three integers that are read and dropped.
    const OldFile file = BuildOldFile(31501002);
    const ReadResult r = Read(file.bytes);
    EXPECT_EQ(r.unreadBytes, 0u);
    EXPECT_EQ(r.doc.options.trailerSlots.intLists, file.expected.options.trailerSlots.intLists);
    EXPECT_EQ(r.doc.options.screenScaleFactor, 1.75);
    EXPECT_FALSE(r.doc.options.scaleNotYetDetermined);
}

TEST(OldVersions, ColumnMasksOfOldVersionsMoveToTheirCurrentBits) {
    struct Case {
        uint32_t version;
        uint32_t mask1;
        uint32_t mask2;
    };
    // Stored masks 0xF0000035 and 0x800000F3.
    const Case cases[] = {
        // Bits 28-31 move down to 27-30, then bits 4-5 (4-7) move up by one.
        {20101008, 0x78000065u, 0x400001E3u},
        // Only the second adjustment.
        {20101009, 0xF0000065u, 0x800001E3u},
        {30901000, 0xF0000065u, 0x800001E3u},
        // Current layout: unchanged.
        {30901001, 0xF0000035u, 0x800000F3u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const ReadResult r = Read(BuildOldFile(c.version).bytes);
        EXPECT_EQ(static_cast<uint32_t>(r.doc.options.holdings.columnMask), c.mask1);
        EXPECT_EQ(static_cast<uint32_t>(r.doc.options.realized.columnMask), c.mask2);
    }
}

TEST(OldVersions, OlderRecordSchemasGetDefaults) {
    for (int schema = 1; schema <= 11; ++schema) {
        SCOPED_TRACE(schema);
        const OldFile file = BuildOldFile(kCurrentFileVersion, schema, schema <= 5 ? 1 : 2);
        const ReadResult r = Read(file.bytes);
        EXPECT_EQ(r.unreadBytes, 0u);
        ExpectSameDocument(r.doc, file.expected);
    }
}

TEST(OldVersions, SplitOfSchemaOneCountsAsApplied) {
    const ReadResult r = Read(BuildOldFile(kCurrentFileVersion).bytes);
    ASSERT_EQ(r.doc.transactions.size(), 2u);
    EXPECT_EQ(r.doc.transactions[0].type, TransactionType::Split);
    EXPECT_EQ(r.doc.transactions[0].linkFlag, 1);
    EXPECT_EQ(r.doc.transactions[1].linkFlag, 0);  // only splits
    // The split list of the security is rebuilt from it.
    ASSERT_EQ(r.doc.securities[0].splits.size(), 1u);
    EXPECT_EQ(r.doc.securities[0].splits[0].permanent, 1);
}

}  // namespace
}  // namespace pf::testing

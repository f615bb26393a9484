#include "engine/stop_target.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/holdings.h"
#include "engine/position_sort.h"
#include "engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;

// A portfolio of securities, buys and sales in the base currency.
class StopTargetTest : public ::testing::Test {
  protected:
    StopTargetTest() : b(0) {}

    int32_t AddSecurity(const std::string& name, const std::string& wkn) {
        return b.Security(name, wkn);
    }

    // Returns the position number of the new lot.
    int32_t Buy(int32_t security, CQRNDatum date, int pieces, double price) {
        return b.Buy(date, security, pieces, price).positionNo;
    }

    // Sells `pieces` of lot `positionNo`; returns the number of the sold piece.
    int32_t Sell(int32_t security, CQRNDatum date, int32_t positionNo, int pieces, double price) {
        return b.Sell(date, security, {{positionNo, static_cast<double>(pieces)}}, price)
            .newNumbers[0];
    }

    std::vector<int32_t> RowNumbers(StopTargetOrder order) {
        std::vector<int32_t> numbers;
        for (const StopTargetRow& row : StopTargetRows(doc, order, Day(1, 6, 2021)))
            numbers.push_back(row.positionNo);
        return numbers;
    }

    testing::DocBuilder b;
    CFolari2Doc& doc = b.doc;
};

TEST(StopTargetReachedTest, BoundariesAndStopBeforeTarget) {
    struct Case {
        double stop, target, quote;
        bool stopReached, targetReached;
    };
    const Case cases[] = {
        {95.0, 0.0, 95.0, true, false},  // the stop itself counts
        {95.0, 0.0, 95.01, false, false},
        {95.0, 0.0, 12.0, true, false},
        {0.0, 120.0, 120.0, false, true},  // the target itself counts
        {0.0, 120.0, 119.99, false, false},
        {0.0, 0.0, 0.0, false, false},     // 0 = no stop, even at a quote of 0
        {-5.0, -5.0, -5.0, false, false},  // negative prices mean none as well
        {100.0, 90.0, 95.0, true, false},  // both reached: stop only
        {100.0, 90.0, 100.5, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "stop " << c.stop << " target " << c.target << " quote " << c.quote);
        CFL2DepotPos lot;
        lot.stopPrice = c.stop;
        lot.targetPrice = c.target;
        EXPECT_EQ(StopReached(lot, c.quote), c.stopReached);
        EXPECT_EQ(TargetReached(lot, c.quote), c.targetReached);
    }
}

TEST_F(StopTargetTest, SetAppendsWithTheOtherPriceZeroThenUpdates) {
    SetStop(doc, 7, 80.0);
    ASSERT_EQ(doc.stopTargets.size(), 1u);
    EXPECT_EQ(doc.stopTargets[0], (CFL2StoppZielKurs{7, 80.0, 0.0}));
    EXPECT_TRUE(doc.IsModified());

    SetTarget(doc, 9, 150.0);
    SetTarget(doc, 7, 120.0);
    SetStop(doc, 7, 85.0);
    ASSERT_EQ(doc.stopTargets.size(), 2u);
    EXPECT_EQ(doc.stopTargets[0], (CFL2StoppZielKurs{7, 85.0, 120.0}));
    EXPECT_EQ(doc.stopTargets[1], (CFL2StoppZielKurs{9, 0.0, 150.0}));

    doc.SetModified(false);
    SetTarget(doc, 9, 0.0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(TargetOf(doc, 9), 0.0);
    EXPECT_EQ(StopOf(doc, 3), 0.0);  // no entry
    EXPECT_EQ(TargetOf(doc, 3), 0.0);
}

TEST_F(StopTargetTest, LastEntryOfANumberWinsForReadingAndWriting) {
    // A damaged file may hold two entries for one number.
    doc.stopTargets = {{4, 10.0, 20.0}, {5, 1.0, 2.0}, {4, 11.0, 21.0}};
    EXPECT_EQ(StopOf(doc, 4), 11.0);
    EXPECT_EQ(TargetOf(doc, 4), 21.0);

    // Writing the first entry would leave the change invisible behind the last one.
    SetStop(doc, 4, 12.0);
    SetTarget(doc, 4, 22.0);
    EXPECT_EQ(StopOf(doc, 4), 12.0);
    EXPECT_EQ(TargetOf(doc, 4), 22.0);
    EXPECT_EQ(doc.stopTargets[0], (CFL2StoppZielKurs{4, 10.0, 20.0}));
    EXPECT_EQ(doc.stopTargets.size(), 3u);
}

TEST_F(StopTargetTest, RowsHoldOpenLotsInTheChosenOrder) {
    const int32_t beta = AddSecurity("Beta AG", "B2");
    const int32_t alpha = AddSecurity("Alpha AG", "C3");
    const int32_t gamma = AddSecurity("Gamma AG", "A1");
    doc.FindSecurity(alpha)->quotes.SetQuote(Day(1, 3, 2021), 11.5);
    doc.FindSecurity(alpha)->quotes.SetQuote(Day(1, 7, 2021), 99.0);  // after the quote date

    const int32_t b1 = Buy(beta, Day(10, 1, 2020), 5, 20.0);
    const int32_t a1 = Buy(alpha, Day(5, 1, 2020), 10, 10.0);
    const int32_t g1 = Buy(gamma, Day(20, 1, 2020), 1, 30.0);
    const int32_t a2 = Buy(alpha, Day(1, 2, 2020), 4, 12.0);
    const int32_t sold = Sell(alpha, Day(1, 3, 2020), a2, 4, 13.0);
    const int32_t b2 = Buy(beta, Day(2, 1, 2020), 3, 21.0);
    const int32_t piece = Sell(beta, Day(3, 3, 2020), b1, 2, 22.0);  // b1 stays open with 3
    SetStop(doc, a1, 9.0);
    SetTarget(doc, a1, 15.0);

    // The replay lists b2, a1, b1, g1; the equal names of b2 and b1 stay in that order here.
    EXPECT_EQ(RowNumbers(StopTargetOrder::Name), (std::vector<int32_t>{a1, b2, b1, g1}));
    EXPECT_EQ(RowNumbers(StopTargetOrder::Wkn), (std::vector<int32_t>{g1, b1, b2, a1}));
    EXPECT_EQ(RowNumbers(StopTargetOrder::PurchaseDate), (std::vector<int32_t>{b2, a1, b1, g1}));
    (void)sold;
    (void)piece;

    const std::vector<StopTargetRow> rows =
        StopTargetRows(doc, StopTargetOrder::Name, Day(31, 5, 2021));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (StopTargetRow{a1, alpha, "Alpha AG", "C3", "05.01.2020", 10 * kPiece, 10.0,
                                      11.5, 9.0, 15.0}));
    EXPECT_EQ(rows[2].positionNo, b1);
    EXPECT_EQ(rows[2].quantity, 3 * kPiece);  // what the partial sale left
    EXPECT_EQ(rows[2].quote, 0.0);            // no quote at all

    // Before the first quote there is none.
    EXPECT_EQ(StopTargetRows(doc, StopTargetOrder::Name, Day(28, 2, 2021))[0].quote, 0.0);
}

TEST_F(StopTargetTest, FieldTexts) {
    EXPECT_EQ(StopTargetFieldText(doc, 0.0), "");
    EXPECT_EQ(StopTargetFieldText(doc, -1.0), "");
    EXPECT_EQ(StopTargetFieldText(doc, 1234.5), "1.234,50");
    EXPECT_EQ(StopTargetFieldText(doc, 1.2345678), "1,2345678");

    struct Case {
        std::string typed, shown;
    };
    const Case cases[] = {
        {"0", ""}, {"0,00", ""},     {"-3", ""},     {" ", ""},
        {"", ""},  {"12,5", "12,5"}, {"abc", "abc"}, {"1,2,3", "1,2,3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(StopTargetFieldOnLeave(doc, c.typed), c.shown);
    }
}

TEST_F(StopTargetTest, ApplyRefusesAWrongFieldAndStoresNothing) {
    const int32_t sec = AddSecurity("Alpha AG", "A1");
    const int32_t lot = Buy(sec, Day(5, 1, 2020), 10, 10.0);
    SetStop(doc, lot, 8.0);
    const std::vector<CFL2StoppZielKurs> before = doc.stopTargets;

    struct Case {
        std::string stop, target, text, field;
    };
    const Case cases[] = {
        {"abc", "12",
         "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!",
         kStopField},
        {"9", "1,2,3",
         "Bitte geben Sie einen korrekten Zielkurs ein oder lassen Sie das Feld frei!",
         kTargetField},
        // The stop field is checked first.
        {"x", "y", "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!",
         kStopField},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stop + " / " + c.target);
        doc.SetModified(false);
        const StopTargetApplied r = ApplyStopTarget(doc, lot, {c.stop, c.target, true});
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(*r.message,
                  (Message{"Stopp- und Zielkurse", c.text, MessageIcon::Information, c.field}));
        EXPECT_TRUE(r.positionNos.empty());
        EXPECT_EQ(doc.stopTargets, before);
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(StopTargetTest, ApplyReadsEmptyAndZeroAsNoPrice) {
    const int32_t sec = AddSecurity("Alpha AG", "A1");
    const int32_t lot = Buy(sec, Day(5, 1, 2020), 10, 10.0);
    SetStop(doc, lot, 8.0);
    SetTarget(doc, lot, 14.0);
    doc.SetModified(false);

    StopTargetApplied r = ApplyStopTarget(doc, lot, {"0", "", false});
    EXPECT_FALSE(r.message.has_value());
    EXPECT_EQ(r.positionNos, std::vector<int32_t>{lot});
    EXPECT_EQ(StopOf(doc, lot), 0.0);
    EXPECT_EQ(TargetOf(doc, lot), 0.0);
    EXPECT_TRUE(doc.IsModified());

    // Grouping and up to 7 decimals; a negative price is no price.
    r = ApplyStopTarget(doc, lot, {"1.234,1234567", "-2", false});
    EXPECT_FALSE(r.message.has_value());
    EXPECT_DOUBLE_EQ(StopOf(doc, lot), 1234.1234567);
    EXPECT_EQ(TargetOf(doc, lot), 0.0);
    EXPECT_EQ(doc.stopTargets.size(), 1u);
}

TEST_F(StopTargetTest, ApplyForAllLotsSetsOpenLotsOfTheSecurityOnly) {
    const int32_t sec = AddSecurity("Alpha AG", "A1");
    const int32_t other = AddSecurity("Beta AG", "B2");
    const int32_t l1 = Buy(sec, Day(5, 1, 2020), 10, 10.0);
    const int32_t l2 = Buy(sec, Day(6, 1, 2020), 10, 10.0);
    const int32_t l3 = Buy(sec, Day(7, 1, 2020), 10, 10.0);
    const int32_t l4 = Buy(sec, Day(8, 1, 2020), 10, 10.0);
    const int32_t otherLot = Buy(other, Day(8, 1, 2020), 10, 10.0);
    const int32_t soldWhole = Sell(sec, Day(1, 2, 2020), l4, 10, 11.0);
    const int32_t soldPiece = Sell(sec, Day(2, 2, 2020), l2, 4, 11.0);  // l2 stays open

    // Without the check box only the selected number.
    ApplyStopTarget(doc, l3, {"7", "", false});
    EXPECT_EQ(StopOf(doc, l3), 7.0);
    EXPECT_EQ(StopOf(doc, l1), 0.0);

    const StopTargetApplied r = ApplyStopTarget(doc, l3, {"8,5", "13", true});
    EXPECT_FALSE(r.message.has_value());
    EXPECT_EQ(r.positionNos, (std::vector<int32_t>{l3, l1, l2}));
    for (const int32_t n : {l1, l2, l3}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(StopOf(doc, n), 8.5);
        EXPECT_EQ(TargetOf(doc, n), 13.0);
    }
    for (const int32_t n : {l4, soldWhole, soldPiece, otherLot}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(StopOf(doc, n), 0.0);
        EXPECT_EQ(TargetOf(doc, n), 0.0);
    }

    // The rows show the new prices; so do the lots of the next replay.
    for (const StopTargetRow& row : StopTargetRows(doc, StopTargetOrder::Name, Day(1, 6, 2021)))
        EXPECT_EQ(row.stopPrice, row.securityId == sec ? 8.5 : 0.0);
    for (const CFL2DepotPos& lot : ComputeHoldings(doc, HoldingsQuery{})) {
        if (lot.positionNo == l1) {
            EXPECT_EQ(lot.targetPrice, 13.0);
        }
    }
}

// --- SortPositions ---

class PositionSortTest : public StopTargetTest {
  protected:
    // A lot identified by its number.
    CFL2DepotPos Lot(int32_t number, int32_t security, CQRNDatum purchase, int pieces, double price,
                     double value, double total, CQRNDatum sale, double proceeds) {
        CFL2DepotPos lot;
        lot.positionNo = number;
        lot.securityId = security;
        lot.purchaseDate = purchase;
        lot.quantity = pieces * kPiece;
        lot.price = price;
        lot.purchaseValue = value;
        lot.purchaseTotal = total;
        lot.saleDate = sale;
        lot.saleProceeds = proceeds;
        return lot;
    }

    static std::vector<int32_t> Numbers(const PositionList& lots) {
        std::vector<int32_t> numbers;
        for (const CFL2DepotPos& lot : lots) numbers.push_back(lot.positionNo);
        return numbers;
    }
};

TEST_F(PositionSortTest, EveryKeyInBothDirections) {
    const int32_t beta = AddSecurity("Beta", "B2");
    const int32_t alpha = AddSecurity("alpha", "C3");  // lower case sorts after upper case
    const int32_t gamma = AddSecurity("Gamma", "A1");
    const int32_t umlaut = AddSecurity("Äpfel", "D4");  // UTF-8 bytes sort after ASCII
    const PositionList lots = {
        Lot(1, beta, Day(10, 1, 2020), 5, 20.0, 100.0, 104.0, Day(3, 2, 2021), 50.0),
        Lot(2, alpha, Day(5, 1, 2020), 10, 10.0, 300.0, 101.0, Day(1, 2, 2021), -5.0),
        Lot(3, gamma, Day(20, 1, 2020), 1, 30.0, 30.0, 102.0, Day(4, 2, 2021), 0.0),
        Lot(4, umlaut, Day(1, 1, 2020), 7, 15.0, 105.0, 103.0, Day(2, 2, 2021), 10.0),
    };

    struct Case {
        PositionSortKey key;
        std::vector<int32_t> ascending;
    };
    const Case cases[] = {
        {PositionSortKey::SecurityName, {1, 3, 2, 4}},
        {PositionSortKey::Wkn, {3, 1, 2, 4}},
        {PositionSortKey::PurchaseDate, {4, 2, 1, 3}},
        {PositionSortKey::SaleDate, {2, 4, 1, 3}},
        {PositionSortKey::Quantity, {3, 1, 4, 2}},
        {PositionSortKey::Price, {2, 4, 1, 3}},
        {PositionSortKey::PurchaseValue, {3, 1, 4, 2}},
        {PositionSortKey::PurchaseTotal, {2, 3, 4, 1}},
        {PositionSortKey::SaleProceeds, {2, 3, 4, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.key));
        PositionList up = lots;
        SortPositions(up, doc, c.key, false);
        EXPECT_EQ(Numbers(up), c.ascending);

        PositionList down = lots;
        SortPositions(down, doc, c.key, true);
        EXPECT_EQ(Numbers(down), std::vector<int32_t>(c.ascending.rbegin(), c.ascending.rend()));
    }
}

TEST_F(PositionSortTest, TiesFollowTheExchangeOrder) {
    const CQRNDatum d = Day(1, 1, 2020);
    // Ascending over quantities 2, 1, 2, 1 (lots 1 to 4): lot 1 swaps with lot 2, then, at
    // the second place, with lot 4, so the equal lots 1 and 3 end up reversed. Descending
    // over 1, 2, 1, 2 mirrors it.
    struct Case {
        std::vector<int> pieces;
        bool descending;
        std::vector<int32_t> order;
    };
    const Case cases[] = {
        {{2, 1, 2, 1}, false, {2, 4, 3, 1}},
        {{1, 2, 1, 2}, true, {2, 4, 3, 1}},
        {{2, 1, 2, 1}, true, {1, 3, 2, 4}},
        {{5, 5, 5, 5}, false, {1, 2, 3, 4}},  // all equal: nothing moves
        {{5, 5, 5, 5}, true, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pieces[0] << c.pieces[1] << c.pieces[2]
                                          << c.pieces[3] << (c.descending ? " down" : " up"));
        PositionList lots;
        for (size_t i = 0; i < c.pieces.size(); ++i)
            lots.push_back(Lot(static_cast<int32_t>(i + 1), 0, d, c.pieces[i], 0, 0, 0, d, 0));
        SortPositions(lots, doc, PositionSortKey::Quantity, c.descending);
        EXPECT_EQ(Numbers(lots), c.order);
    }
}

TEST_F(PositionSortTest, KeepLastLeavesTheTrailingLotsInPlace) {
    const CQRNDatum d = Day(1, 1, 2020);
    // Two trailing total rows that would sort first.
    const PositionList lots = {Lot(1, 0, d, 3, 0, 0, 0, d, 0), Lot(2, 0, d, 2, 0, 0, 0, d, 0),
                               Lot(3, 0, d, 4, 0, 0, 0, d, 0), Lot(90, 0, d, 0, 0, 0, 0, d, 0),
                               Lot(91, 0, d, 1, 0, 0, 0, d, 0)};
    struct Case {
        int keepLast;
        std::vector<int32_t> order;
    };
    const Case cases[] = {
        {2, {2, 1, 3, 90, 91}}, {0, {90, 91, 2, 1, 3}}, {-1, {90, 91, 2, 1, 3}},  // treated as 0
        {4, {1, 2, 3, 90, 91}},  // one lot left to sort
        {9, {1, 2, 3, 90, 91}},  // more than there are
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keepLast);
        PositionList sorted = lots;
        SortPositions(sorted, doc, PositionSortKey::Quantity, false, c.keepLast);
        EXPECT_EQ(Numbers(sorted), c.order);
    }
}

TEST_F(StopTargetTest, FormSelectsARowChecksBothFieldsAndStores) {
    const int32_t sec = AddSecurity("Alpha AG", "A1");
    const int32_t l1 = Buy(sec, Day(5, 1, 2020), 10, 10.0);
    const int32_t l2 = Buy(sec, Day(6, 1, 2020), 10, 10.0);
    SetStop(doc, l1, 8.0);
    int heard = 0;
    doc.AddEditListener([&] { ++heard; });

    StopTargetForm form;
    form.quoteDate = Day(1, 6, 2021);
    EXPECT_FALSE(form.Check(doc)) << "nothing selected, nothing to check";
    EXPECT_TRUE(form.Apply(doc).empty());

    const std::vector<StopTargetRow> rows = form.Rows(doc);
    ASSERT_EQ(rows.size(), 2u);
    form.input.forAllLotsOfSecurity = true;
    form.Select(doc, rows[0]);
    EXPECT_EQ(form.positionNo, l1);
    EXPECT_EQ(form.input.stopText, "8,00");
    EXPECT_EQ(form.input.targetText, "");
    EXPECT_FALSE(form.input.forAllLotsOfSecurity) << "cleared on every selection";

    form.input.stopText = "acht";
    form.input.targetText = "zwölf";
    EXPECT_EQ(form.Check(doc),
              (Message{"Stopp- und Zielkurse",
                       "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld "
                       "frei!",
                       MessageIcon::Information, "stop"}));
    form.input.stopText = "";
    EXPECT_EQ(form.Check(doc)->field, "target");
    EXPECT_TRUE(form.Apply(doc).empty());
    EXPECT_EQ(heard, 0);

    form.input.targetText = "12";
    form.input.forAllLotsOfSecurity = true;
    EXPECT_FALSE(form.Check(doc));
    EXPECT_EQ(form.Apply(doc), (std::vector<int32_t>{l1, l2}));
    EXPECT_EQ(heard, 1) << "both lots in one edit";
    EXPECT_EQ(StopOf(doc, l1), 0.0);
    EXPECT_EQ(TargetOf(doc, l2), 12.0);
}

}  // namespace
}  // namespace pf

#include "reports/transactions_report.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "position_report_test_util.h"
#include "reports/report_format.h"
#include "reports/transaction_filter_match.h"

namespace pf::testing {
namespace {

constexpr int32_t kAllTransactionColumns = (1 << 2) | (1 << 5) | (1 << 8) | (1 << 11) | (1 << 14) |
                                           (1 << 15) | (1 << 17) | (1 << 19) | (1 << 20) |
                                           (1 << 23) | (1 << 24) | (1 << 26);

class TransactionsReportTest : public ::testing::Test {
  protected:
    std::unique_ptr<ReportTable> Build(bool filter = false) const {
        return BuildTransactionsReport(b.doc, from, to, filter);
    }
    int Col(int bit) const { return ColumnOf(b.doc.options.transactions.columnMask, bit); }
    // The transaction ids of the data rows, in row order.
    static std::vector<int> Ids(const ReportTable& table) {
        std::vector<int> ids;
        for (size_t r = kFirstDataRow; r < table.Rows().size(); ++r)
            ids.push_back(table.Rows()[r].user[kUserTransaction]);
        return ids;
    }

    DocBuilder b;
    CQRNDatum from = Day(1, 1, 2021);
    CQRNDatum to = Day(31, 12, 2021);
};

// One transaction of each type in 2021, plus a buy before the period:
//   buy   1.2.  Alpha 10 at 50,00 + 5,00 costs = 505,00
//   movement 1.3. dividend 15,00 linked to Alpha
//   split 1.4.  Alpha 2:1
//   exchange 1.5. 20 Alpha for 10 Beta
//   sale  1.6.  10 Beta at 60,00 - 6,00 costs = 594,00
TEST_F(TransactionsReportTest, EveryColumnOfEveryType) {
    const int32_t alpha = b.Security("Alpha");
    const int32_t beta = b.Security("Beta");
    b.Buy(Day(31, 12, 2020), alpha, 1, 40.0);  // before the period: no row
    const Made buy = b.Buy(Day(1, 2, 2021), alpha, 10, 50.0, 5.0);
    buy->text = "erster Kauf";
    const Made dividend = b.Movement(Day(1, 3, 2021), "Dividenden-Gutschrift", 15.0, alpha, kIncome,
                                     {{buy.positionNo, 10}});
    const Made split = b.Split(Day(1, 4, 2021), alpha, 2, 1);
    const Made exchange =
        b.Exchange(Day(1, 5, 2021), alpha, beta, 20, 10, {{buy.positionNo, 20}}, false);
    const Made sale = b.Sell(Day(1, 6, 2021), beta, {{exchange.newNumbers[0], 10}}, 60.0, 6.0);
    b.Buy(Day(1, 1, 2022), beta, 1, 40.0);  // after the period: no row
    b.doc.options.transactions.columnMask = kAllTransactionColumns;
    b.doc.depot.holderName = "Erika Muster";

    const auto table = Build();
    EXPECT_EQ(table->CellText(0, 0), "Transaktionen von 01.01.2021 bis 31.12.2021 - Erika Muster");
    const std::vector<std::pair<int, std::vector<std::string>>> headers = {
        {2, {"Datum", ""}},
        {5, {"Transaktion", ""}},
        {8, {"Vorgang oder", "Wertpapier"}},
        {11, {"Stück", ""}},
        {14, {"Kurs", ""}},
        {15, {"W.", ""}},
        {17, {"Kurs", "in Euro"}},
        {19, {"Vorgang oder", "Wertpapier"}},
        {20, {"Text", ""}},
        {23, {"Betrag", ""}},
        {24, {"W.", ""}},
        {26, {"Betrag", "in Euro"}},
    };
    for (const auto& [bit, lines] : headers) {
        SCOPED_TRACE(bit);
        EXPECT_EQ(table->CellText(1, Col(bit)), lines[0]);
        EXPECT_EQ(table->CellText(2, Col(bit)), lines[1]);
    }
    ASSERT_EQ(Ids(*table), (std::vector<int>{buy.id, dividend.id, split.id, exchange.id, sale.id}));

    // Columns 2, 5, 8, 11, 14, 15, 17, 19, 20, 23, 24, 26 of each row.
    const std::vector<std::vector<std::string>> expected = {
        {"01.02.2021", "Kauf", "Alpha", "10", "50,00", "Euro", "50,00",
         "Alpha - 10 St. zu 50,00 Euro", "erster Kauf", "505,00", "Euro", "505,00"},
        {"01.03.2021", "Kontobewegung", "Dividenden-Gutschrift", "", "", "", "",
         "Dividenden-Gutschrift - Alpha", "", "15,00", "Euro", "15,00"},
        {"01.04.2021", "Aktiensplit", "Alpha", "", "", "", "", "Alpha - 2:1", "", "", "", ""},
        {"01.05.2021", "Umtausch", "Alpha > Beta", "", "", "", "", "Alpha (20 St.) > Beta (10 St.)",
         "", "", "", ""},
        {"01.06.2021", "Verkauf", "Beta", "10", "60,00", "Euro", "60,00",
         "Beta - 10 St. zu 60,00 Euro", "", "594,00", "Euro", "594,00"},
    };
    const int bits[] = {2, 5, 8, 11, 14, 15, 17, 19, 20, 23, 24, 26};
    for (size_t r = 0; r < expected.size(); ++r)
        for (size_t c = 0; c < std::size(bits); ++c) {
            SCOPED_TRACE(::testing::Message() << "row " << r << " column " << bits[c]);
            EXPECT_EQ(table->CellText(kFirstDataRow + static_cast<int>(r), Col(bits[c])),
                      expected[r][c]);
        }
}

TEST_F(TransactionsReportTest, RowsAreColouredByTypeAndPlace) {
    const int32_t alpha = b.Security("Alpha");
    const int32_t beta = b.Security("Beta");
    const Made buy = b.Buy(Day(1, 2, 2021), alpha, 10, 50.0);
    b.Movement(Day(1, 3, 2021), "Kapitaleinlage", 100.0);
    b.Split(Day(1, 4, 2021), alpha, 2, 1);
    const Made exchange =
        b.Exchange(Day(1, 5, 2021), alpha, beta, 20, 10, {{buy.positionNo, 20}}, false);
    b.Sell(Day(1, 6, 2021), beta, {{exchange.newNumbers[0], 10}}, 60.0);
    b.Buy(Day(1, 7, 2021), alpha, 1, 50.0);

    const auto table = Build();
    struct Case {
        Colour a, b;
    };
    // Odd data rows (1st, 3rd, ...) take the first colour of their type, even rows the second.
    const Case cases[] = {
        {Rgb(240, 240, 240), Rgb(175, 255, 175)},  // 1 buy
        {Rgb(248, 248, 248), Rgb(201, 238, 255)},  // 2 movement
        {Rgb(240, 240, 240), Rgb(255, 255, 165)},  // 3 split
        {Rgb(248, 248, 248), Rgb(255, 210, 238)},  // 4 exchange
        {Rgb(240, 240, 240), Rgb(255, 175, 175)},  // 5 sale
        {Rgb(248, 248, 248), Rgb(200, 255, 200)},  // 6 buy
    };
    ASSERT_EQ(table->Rows().size(), kFirstDataRow + std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i + 1);
        const ReportRow& row = table->Rows()[kFirstDataRow + i];
        EXPECT_EQ(table->ColourA(row), cases[i].a);
        EXPECT_EQ(table->ColourB(row), cases[i].b);
        EXPECT_EQ(row.spacingBefore, i == 0 ? b.doc.options.tables.outerMargin : 0);
    }
}

// A price in dollars paid from a euro account at 1,25 dollars per euro, and the report in
// marks (1 euro = 1,95583 marks, fixed).
TEST_F(TransactionsReportTest, PricesAndAmountsInTheReportCurrency) {
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, kUnitsPerReference).id;
    const int32_t s = b.Security("Dollaraktie", usd);
    CFL2Transaktion t;
    t.type = TransactionType::Buy;
    t.date = Day(1, 2, 2021);
    t.securityId = s;
    t.positionNo = b.doc.nextPositionNo++;
    t.quantity = DocBuilder::Pieces(10);
    t.price = 100.0;  // dollars
    t.currency1 = usd;
    t.currency2 = 0;  // euro
    t.rateBase = 1.25;
    t.rateQuote = 1.0;
    t.marketValue1 = 1000.0;
    t.amount = 800.0;  // euros
    b.Insert(t);
    b.doc.options.transactions.columnMask = kAllTransactionColumns;

    struct Case {
        int32_t currency;
        int maxPriceDecimals;
        std::string header, price, amount;
    };
    const Case cases[] = {
        // 100 dollars * 1 / 1,25 = 80,00 euros a piece.
        {0, 2, "in Euro", "80,00", "800,00"},
        // 80 * 1,95583 = 156,4664 marks; 800 * 1,95583 = 1.564,664 -> 1.564,66.
        {1, 2, "in Deutsche Mark", "156,47", "1.564,66"},
        {1, 4, "in Deutsche Mark", "156,4664", "1.564,66"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header + " " + std::to_string(c.maxPriceDecimals));
        b.doc.options.transactions.currencyId = c.currency;
        b.doc.options.tables.maxPriceDecimals = c.maxPriceDecimals;
        const auto table = Build();
        EXPECT_EQ(table->CellText(2, Col(17)), c.header);
        EXPECT_EQ(table->CellText(2, Col(26)), c.header);
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(14)), "100,00");
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(15)), "US-Dollar");
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(17)), c.price);
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(23)), "800,00");
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(24)), "Euro");
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(26)), c.amount);
    }
}

TEST_F(TransactionsReportTest, ConvertedColumnsAreZeroWithoutARate) {
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, kUnitsPerReference).id;
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 4, 2021), 1.25);  // 1,25 dollars = 1 euro
    const int32_t s = b.Security("Euroaktie");
    b.Buy(Day(1, 3, 2021), s, 10, 50.0);  // before the first dollar rate
    b.Buy(Day(1, 4, 2021), s, 10, 50.0);
    b.doc.options.transactions.columnMask = kAllTransactionColumns;
    b.doc.options.transactions.currencyId = usd;

    const auto table = Build();
    ASSERT_EQ(table->Rows().size(), kFirstDataRow + 2u);
    EXPECT_EQ(table->CellText(kFirstDataRow, Col(17)), "0,00");
    EXPECT_EQ(table->CellText(kFirstDataRow, Col(26)), "0,00");
    EXPECT_EQ(table->CellText(kFirstDataRow, Col(23)), "500,00");
    // 50 * 1,25 = 62,50 dollars a piece, 500 * 1,25 = 625,00 dollars.
    EXPECT_EQ(table->CellText(kFirstDataRow + 1, Col(17)), "62,50");
    EXPECT_EQ(table->CellText(kFirstDataRow + 1, Col(26)), "625,00");
}

// Stored order (by date): M1 1.2. deposit 1.000,00 "b", M2 2.2. deposit 500,00 "a",
// B1 3.2. buy of Alpha for 500,00 "b", M3 4.2. deposit 400,00 "a"; entered in the order
// B1, M3, M1, M2 (ids 0 to 3). The expected orders are worked through the exchange sort by
// hand; rows with equal keys need not keep their stored order.
TEST_F(TransactionsReportTest, SortKeysAndTheExchangeSortsOrderOfTies) {
    const int32_t alpha = b.Security("Alpha");
    const Made b1 = b.Buy(Day(3, 2, 2021), alpha, 10, 50.0);
    const Made m3 = b.Movement(Day(4, 2, 2021), "Kapitaleinlage", 400.0);
    const Made m1 = b.Movement(Day(1, 2, 2021), "Kapitaleinlage", 1000.0);
    const Made m2 = b.Movement(Day(2, 2, 2021), "Kapitaleinlage", 500.0);
    b1->text = "b";
    m3->text = "a";
    m1->text = "b";
    m2->text = "a";
    const std::map<int, std::string> names = {
        {b1.id, "B1"}, {m1.id, "M1"}, {m2.id, "M2"}, {m3.id, "M3"}};

    using K = TransactionSortKey;
    struct Case {
        const char* name;
        std::array<int32_t, 3> keys;
        bool descending;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {"no keys",
         {kTransactionsUnsorted, kTransactionsUnsorted, kTransactionsUnsorted},
         false,
         {"M1", "M2", "B1", "M3"}},
        {"no keys, descending",
         {kTransactionsUnsorted, kTransactionsUnsorted, kTransactionsUnsorted},
         true,
         {"M1", "M2", "B1", "M3"}},
        {"execution", {kTransactionsByExecution, K{}, K{}}, false, {"M1", "M2", "B1", "M3"}},
        {"execution descending",
         {kTransactionsByExecution, K{}, K{}},
         true,
         {"M3", "B1", "M2", "M1"}},
        {"entry", {kTransactionsByEntry, K{}, K{}}, false, {"B1", "M3", "M1", "M2"}},
        {"date descending", {kTransactionsByDate, K{}, K{}}, true, {"M3", "B1", "M2", "M1"}},
        // i=0: M1<->B1 -> B1 M2 M1 M3; nothing else moves: M2 now ahead of M1.
        {"type", {kTransactionsByType, K{}, K{}}, false, {"B1", "M2", "M1", "M3"}},
        {"none, then type",
         {kTransactionsUnsorted, kTransactionsByType, K{}},
         false,
         {"B1", "M2", "M1", "M3"}},
        // "Kapitaleinlage" sorts after "Alpha": the same steps as by type.
        {"description", {kTransactionsByDescription, K{}, K{}}, false, {"B1", "M2", "M1", "M3"}},
        // i=0: M1<->M2, M2<->B1 -> B1 M1 M2 M3; i=1: M1<->M2 -> B1 M2 M1 M3, M2 = M3 stays;
        // i=2: M1<->M3 -> B1 M2 M3 M1.
        {"type, text",
         {kTransactionsByType, kTransactionsByText, K{}},
         false,
         {"B1", "M2", "M3", "M1"}},
        // As above, but at i=1 M2 (500) <-> M3 (400) -> B1 M3 M1 M2; i=2: M1<->M2.
        {"type, text, amount",
         {kTransactionsByType, kTransactionsByText, kTransactionsByAmount},
         false,
         {"B1", "M3", "M2", "M1"}},
        // i=0: M1<->M2 -> M2 M1 B1 M3, M2<->M3 -> M3 M1 B1 M2; i=1: M1<->B1 -> M3 B1 M1 M2,
        // B1 = M2 stays; i=2: M1<->M2. A stable order would put M2 before B1.
        {"amount", {kTransactionsByAmount, K{}, K{}}, false, {"M3", "B1", "M2", "M1"}},
        // Descending swaps when the first is smaller: i=1: M2 "a" <-> B1 "b".
        {"text descending", {kTransactionsByText, K{}, K{}}, true, {"M1", "B1", "M2", "M3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b.doc.options.transactions.sortKeys = c.keys;
        b.doc.options.transactions.sortDescending = c.descending ? 1 : 0;
        std::vector<std::string> order;
        for (int id : Ids(*Build())) order.push_back(names.at(id));
        EXPECT_EQ(order, c.order);
    }
}

// Texts compare byte by byte as UTF-8: upper case before lower case, "Ä" (0xC3 0x84) after
// every ASCII letter, an empty text first. Stored order T0 "apfel", T1 "Äpfel", T2 "",
// T3 "Zinsen", T4 "apfel", T5 "Zinsen", dated 1.2. to 6.2.
TEST_F(TransactionsReportTest, TextKeysCompareBytes) {
    const char* texts[] = {"apfel", "Äpfel", "", "Zinsen", "apfel", "Zinsen"};
    std::map<int, std::string> names;
    for (int i = 0; i < 6; ++i) {
        const Made m = b.Movement(Day(1 + i, 2, 2021), "Kapitaleinlage", 100.0);
        m->text = texts[i];
        names[m.id] = "T" + std::to_string(i);
    }
    struct Case {
        bool descending;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        // i=0: T0 "apfel" <-> T2 "" -> T2 T1 T0 T3 T4 T5; i=1: T1 <-> T0 -> T2 T0 T1 ..., T0
        // <-> T3 -> T2 T3 T1 T0 T4 T5; i=2: T1 <-> T0 -> T2 T3 T0 T1 T4 T5, T0 <-> T5 ->
        // T2 T3 T5 T1 T4 T0; i=3: T1 <-> T4 -> T2 T3 T5 T4 T1 T0, T4 = T0 stays; i=4: T1
        // <-> T0 -> T2 T3 T5 T4 T0 T1.
        {false, {"T2", "T3", "T5", "T4", "T0", "T1"}},
        // i=0: T0 <-> T1 -> T1 T0 T2 T3 T4 T5; i=1: T0 = T4 stays; i=2: T2 <-> T3 -> T1 T0
        // T3 T2 T4 T5, T3 <-> T4 -> T1 T0 T4 T2 T3 T5; i=3: T2 <-> T3 -> ... T3 T2 T5,
        // T3 = T5 stays; i=4: T2 <-> T5 -> T1 T0 T4 T3 T5 T2.
        {true, {"T1", "T0", "T4", "T3", "T5", "T2"}},
    };
    b.doc.options.transactions.sortKeys = {kTransactionsByText, kTransactionsUnsorted,
                                           kTransactionsUnsorted};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.descending);
        b.doc.options.transactions.sortDescending = c.descending ? 1 : 0;
        std::vector<std::string> order;
        for (int id : Ids(*Build())) order.push_back(names.at(id));
        EXPECT_EQ(order, c.order);
    }
}

TEST_F(TransactionsReportTest, FilterSwitchAppliesTheTransactionFilter) {
    const int32_t alpha = b.Security("Alpha");
    const Made buy = b.Buy(Day(1, 2, 2021), alpha, 10, 50.0);
    const Made deposit = b.Movement(Day(1, 3, 2021), "Kapitaleinlage", 100.0);
    const Made split = b.Split(Day(1, 4, 2021), alpha, 2, 1);
    b.doc.options.transactionFilter.showMovements = 0;
    b.doc.options.transactionFilter.showSplits = 0;

    EXPECT_EQ(Ids(*Build(false)), (std::vector<int>{buy.id, deposit.id, split.id}));
    EXPECT_EQ(Ids(*Build(true)), (std::vector<int>{buy.id}));
}

TEST(TransactionFilterTextTest, MatchModes) {
    struct Case {
        int32_t active, match;
        std::string condition, text;
        bool matches;
    };
    const Case cases[] = {
        {0, kTextEquals, "Dividende", "Zins", true},  // an inactive condition lets all pass
        {1, kTextEquals, "Dividende", "Dividende", true},
        {1, kTextEquals, "Dividende", "Dividende 2021", false},
        {1, kTextEquals, "dividende", "Dividende", false},  // case-sensitive
        {1, kTextEquals, "", "", true},
        {1, kTextEquals, "", "x", false},
        {1, kTextContains, "2021", "Dividende 2021", true},
        {1, kTextContains, "2022", "Dividende 2021", false},
        {1, kTextContains, "", "x", true},
        {1, kTextStartsWith, "Div", "Dividende", true},
        {1, kTextStartsWith, "dende", "Dividende", false},
        {1, kTextStartsWith, "Dividende 2021!", "Dividende", false},
        {1, 7, "Dividende", "Dividende", true},  // an unknown mode compares the whole text
        {1, 7, "Div", "Dividende", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition + " / " + c.text + " / " + std::to_string(c.match));
        FilterText condition;
        condition.active = c.active;
        condition.match = c.match;
        condition.text = c.condition;
        EXPECT_EQ(MatchesFilterText(condition, c.text), c.matches);
    }
}

class TransactionFilterTest : public ::testing::Test {
  protected:
    bool Passes(const Made& t) const { return TransactionFilterMatcher(b.doc).Passes(t); }
    TransactionFilter& filter() { return b.doc.options.transactionFilter; }

    DocBuilder b;
};

TEST_F(TransactionFilterTest, ShowFlagsOfEachGroup) {
    const int32_t alpha = b.Security("Alpha");
    const int32_t beta = b.Security("Beta");
    const Made buy = b.Buy(Day(1, 2, 2021), alpha, 10, 50.0);
    const Made sale = b.Sell(Day(1, 3, 2021), alpha, {{buy.positionNo, 5}}, 60.0);
    const Made deposit = b.Movement(Day(1, 3, 2021), "Kapitaleinlage", 100.0);
    const Made split = b.Split(Day(1, 4, 2021), alpha, 2, 1);
    const Made exchange =
        b.Exchange(Day(1, 5, 2021), alpha, beta, 10, 5, {{buy.positionNo, 10}}, false);

    struct Case {
        int32_t TransactionFilter::*flag;
        const Made* hidden;
    };
    const Case cases[] = {
        {&TransactionFilter::showPurchases, &buy},      {&TransactionFilter::showSales, &sale},
        {&TransactionFilter::showMovements, &deposit},  {&TransactionFilter::showSplits, &split},
        {&TransactionFilter::showExchanges, &exchange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hidden->id);
        filter() = TransactionFilter{};
        filter().*c.flag = 0;
        for (const Made* t : {&buy, &sale, &deposit, &split, &exchange})
            EXPECT_EQ(Passes(*t), t != c.hidden) << "transaction " << t->id;
    }
}

TEST_F(TransactionFilterTest, OnlySelectedSecurities) {
    const int32_t alpha = b.Security("Alpha");
    const int32_t beta = b.Security("Beta");
    const Made buyAlpha = b.Buy(Day(1, 2, 2021), alpha, 10, 50.0);
    const Made buyBeta = b.Buy(Day(1, 2, 2021), beta, 10, 50.0);
    const Made dividend = b.Movement(Day(1, 3, 2021), "Dividenden-Gutschrift", 15.0, beta, kIncome,
                                     {{buyBeta.positionNo, 10}});
    const Made deposit = b.Movement(Day(1, 3, 2021), "Kapitaleinlage", 100.0);
    const Made exchange =
        b.Exchange(Day(1, 5, 2021), alpha, beta, 10, 5, {{buyAlpha.positionNo, 10}}, false);
    b.doc.options.selectedSecurityIds = {beta};
    filter().tradesOnlySelected = 1;
    filter().movementsOnlySelected = 1;
    filter().corporateOnlySelected = 1;

    EXPECT_FALSE(Passes(buyAlpha));
    EXPECT_TRUE(Passes(buyBeta));
    EXPECT_TRUE(Passes(dividend));
    EXPECT_FALSE(Passes(deposit));  // no security at all
    EXPECT_TRUE(Passes(exchange));  // the security received is selected
    b.doc.options.selectedSecurityIds = {alpha};
    EXPECT_TRUE(Passes(exchange));  // the security given is selected
    EXPECT_FALSE(Passes(dividend));
}

TEST_F(TransactionFilterTest, KindsTextsAndAmounts) {
    const int32_t alpha = b.Security("Alpha");
    const Made buy = b.Buy(Day(1, 2, 2021), alpha, 10, 50.0);  // 500,00 euros
    const Made deposit = b.Movement(Day(1, 3, 2021), "Kapitaleinlage", 100.0);
    const Made fee = b.Movement(Day(1, 3, 2021), "Depotgebühren", 20.0);
    deposit->text = "Einzahlung März";
    fee->text = "Gebühr";

    filter().movementsOnlySelectedKinds = 1;
    filter().movementKindIds = {b.Kind("Depotgebühren")};
    EXPECT_FALSE(Passes(deposit));
    EXPECT_TRUE(Passes(fee));

    filter() = TransactionFilter{};
    filter().movementsText = {1, kTextStartsWith, "Einzahlung"};
    EXPECT_TRUE(Passes(deposit));
    EXPECT_FALSE(Passes(fee));
    EXPECT_TRUE(Passes(buy));  // the trades have their own condition

    // Both bounds belong to the range; in marks the 500,00 euros are 977,92 (500 * 1,95583
    // = 977,915 rounded half up).
    struct Case {
        double from, to;
        int32_t currency;
        bool passes;
    };
    const Case cases[] = {
        {500.0, 500.0, 0, true},   {100.0, 499.99, 0, false}, {500.01, 900.0, 0, false},
        {977.92, 977.92, 1, true}, {500.0, 977.91, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << ".." << c.to << " in " << c.currency);
        filter() = TransactionFilter{};
        filter().tradesAmount = {1, c.from, c.to, c.currency};
        EXPECT_EQ(Passes(buy), c.passes);
        EXPECT_TRUE(Passes(deposit));
    }
}

}  // namespace
}  // namespace pf::testing

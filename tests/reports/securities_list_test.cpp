#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "model/document_options.h"
#include "position_report_test_util.h"
#include "reports/securities_columns.h"
#include "reports/securities_list_report.h"

namespace pf::testing {
namespace {

// The column table is shared by the report and its options page: the bits, the option names
// the page lists and the header lines must stay as the users know them.
TEST(SecuritiesColumnsTest, BitsNamesAndHeaders) {
    DocumentOptions options;
    options.isinLabel = "Kürzel";
    options.ownCategoryCaption1 = "Region";
    options.ownCategoryCaption2 = "Risiko";
    const std::vector<SecuritiesColumn> columns = SecuritiesColumns(options, "05.03.2024");

    struct Case {
        int bit;
        const char* name;
        const char* header1;
        const char* header2;
        int alignment;
    };
    const Case cases[] = {
        {0, "Bezeichnung", "Bezeichnung", "", kAlignLeft},
        {1, "WKN", "WKN", "", kAlignLeft},
        {2, "Kürzel", "Kürzel", "", kAlignLeft},
        {3, "Währung", "Währ.", "", kAlignLeft},
        {6, "Typ", "Typ", "", kAlignLeft},
        {7, "Branche", "Branche", "", kAlignLeft},
        {8, "Land", "Land", "", kAlignLeft},
        {9, "Index/Marktsegment", "Index/", "Marktsegment", kAlignLeft},
        {10, "Region", "Region", "", kAlignLeft},
        {11, "Risiko", "Risiko", "", kAlignLeft},
        {12, "Gewinn je Aktie in Jahr 1", "Gewinn", "je Aktie", kAlignRight},
        {13, "Gewinn je Aktie in Jahr 2", "Gewinn", "je Aktie", kAlignRight},
        {14, "Dividende je Aktie", "Dividende", "je Aktie", kAlignRight},
        {15, "Cash Flow je Aktie", "Cash Flow", "je Aktie", kAlignRight},
        {17, "Halbeinkünfteverfahren", "Halbeink.-", "verfahren", kAlignLeft},
        {19, "aktueller Kurs", "Kurs am", "05.03.2024", kAlignRight},
        {20, "KGV für Jahr 1", "KGV", "", kAlignRight},
        {21, "KGV für Jahr 2", "KGV", "", kAlignRight},
        {22, "Dividendenrendite", "Divid.-", "rendite", kAlignRight},
        {23, "KCV", "KCV", "", kAlignRight},
        {24, "Maximum Drawdown", "Maximum", "Drawdown", kAlignRight},
        {25, "Stück im Depot", "Stück", "im Depot", kAlignRight},
        {27, "Anzahl Kurse in Datenbank", "Anzahl", "Kurse", kAlignRight},
        {29, "Kursimport aus Videotext", "aus VT", "", kAlignLeft},
        {30, "Kursimport aus Internet", "aus Internet", "", kAlignLeft},
        {31, "Bemerkungen", "Bemerkungen", "", kAlignLeft},
    };
    ASSERT_EQ(columns.size(), std::size(cases));
    for (size_t i = 0; i < columns.size(); ++i) {
        SCOPED_TRACE(cases[i].bit);
        EXPECT_EQ(columns[i].bit, cases[i].bit);
        EXPECT_EQ(columns[i].optionName, cases[i].name);
        EXPECT_EQ(columns[i].header1, cases[i].header1);
        EXPECT_EQ(columns[i].header2, cases[i].header2);
        EXPECT_EQ(columns[i].alignment, cases[i].alignment);
    }
}

TEST(SecuritiesColumnsTest, SortKeyTextsFollowTheKeyNumbers) {
    DocumentOptions options;
    options.isinLabel = "Kürzel";
    options.ownCategoryCaption2 = "Risiko";
    const std::vector<std::string> texts = SecuritiesSortKeyTexts(options);
    ASSERT_EQ(texts.size(), static_cast<size_t>(kSecuritiesByRemarks) + 1);
    EXPECT_EQ(texts[kSecuritiesUnsorted], "(keine Sortierung)");
    EXPECT_EQ(texts[kSecuritiesByIsin], "Kürzel");
    EXPECT_EQ(texts[kSecuritiesByCategory2], "Risiko");
    EXPECT_EQ(texts[kSecuritiesByHalfIncome], "Halbeinkünfteverfahren");
    EXPECT_EQ(texts[kSecuritiesByDrawdown], "Maximum Drawdown");
    EXPECT_EQ(texts[kSecuritiesByRemarks], "Bemerkungen");
}

// ---- The report ----

// Every bit that selects a column (bits 4, 5, 16, 18, 26 and 28 select none).
constexpr int32_t kAllSecuritiesColumns = static_cast<int32_t>(
    0xFFFFFFFFu & ~((1u << 4) | (1u << 5) | (1u << 16) | (1u << 18) | (1u << 26) | (1u << 28)));

class SecuritiesListTest : public ::testing::Test {
  protected:
    std::unique_ptr<ReportTable> Build() const { return BuildSecuritiesListReport(b.doc, date); }
    int Col(int bit) const { return ColumnOf(b.doc.options.securitiesList.columnMask, bit); }
    CFL2Wertpapier& Sec(int32_t id) { return *b.doc.FindSecurity(id); }
    // The cell of `bit` in the row of the security named `name`.
    static std::string Cell(const ReportTable& table, int nameColumn, const std::string& name,
                            int column) {
        const int row = RowWith(table, nameColumn, name);
        EXPECT_GE(row, kFirstDataRow) << name;
        return row >= 0 ? table.CellText(row, column) : std::string("<no row>");
    }
    // The names of the data rows in row order (column 0 shows the name).
    static std::vector<std::string> Names(const ReportTable& table) {
        std::vector<std::string> names;
        for (int r = kFirstDataRow; r < static_cast<int>(table.Rows().size()); ++r)
            names.push_back(table.CellText(r, 0));
        return names;
    }

    void SetUp() override { b.doc.options.securitiesList.columnMask = kAllSecuritiesColumns; }

    DocBuilder b;
    CQRNDatum date = Day(5, 3, 2024);
};

TEST_F(SecuritiesListTest, TitleHeadersAndUserValues) {
    const int32_t alpha = b.Security("Alpha");
    b.doc.depot.holderName = "Erika Muster";
    b.doc.depot.depotNumber = "4711";
    b.doc.options.securitiesList.columnMask = (1 << 0) | (1 << 2) | (1 << 9) | (1 << 19);

    auto table = Build();
    EXPECT_EQ(table->CellText(0, 0), "Wertpapiere am 05.03.2024");
    const std::vector<std::string> first = {"Bezeichnung", "ISIN/Kürzel", "Index/", "Kurs am"};
    const std::vector<std::string> second = {"", "", "Marktsegment", "05.03.2024"};
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(table->CellText(1, c), first[static_cast<size_t>(c)]);
        EXPECT_EQ(table->CellText(2, c), second[static_cast<size_t>(c)]);
    }
    ASSERT_EQ(table->Rows().size(), 4u);
    EXPECT_EQ(table->Rows()[3].user[kUserSecurity], alpha);
    EXPECT_EQ(table->Rows()[3].user[kUserTransaction], -1);
    EXPECT_EQ(table->Rows()[1].user[kUserSecurity], -1);

    b.doc.options.securitiesList.title = "Liste <DEPOTNUMMER> <INHABER> <DATUM>";
    EXPECT_EQ(Build()->CellText(0, 0), "Liste 4711 Erika Muster 05.03.2024");

    // No column at all still gives a table with its title and rows.
    b.doc.options.securitiesList.columnMask = 0;
    b.doc.options.securitiesList.title = "Wertpapiere am <DATUM>";
    table = Build();
    EXPECT_EQ(table->CellText(0, 0), "Wertpapiere am 05.03.2024");
    EXPECT_EQ(table->Rows().size(), 4u);
}

// The quote of the report date; with "letzten Kurs verwenden" the last one on or before it,
// split-adjusted as seen from the report date.
TEST_F(SecuritiesListTest, PriceRule) {
    const int32_t a = b.Security("Alpha");
    b.Quote(a, Day(1, 3, 2024), 10.0);
    b.Quote(a, Day(5, 3, 2024), 12.5);
    b.Quote(a, Day(8, 3, 2024), 14.0);  // after every report date but one
    const int32_t s = b.Security("Split");
    b.Quote(s, Day(1, 3, 2024), 30.0);
    b.Split(Day(4, 3, 2024), s, 3, 1);  // 3 new pieces for 1 old

    struct Case {
        CQRNDatum date;
        bool useLast;
        const char* alpha;
        const char* split;
    };
    const Case cases[] = {
        {Day(5, 3, 2024), false, "12,50", "-"},
        {Day(5, 3, 2024), true, "12,50", "10,00"},  // 30 / 3 after the split
        {Day(6, 3, 2024), false, "-", "-"},
        {Day(6, 3, 2024), true, "12,50", "10,00"},
        {Day(3, 3, 2024), true, "10,00", "30,00"},  // before the split: unchanged
        {Day(29, 2, 2024), true, "-", "-"},         // before the first quote
        {Day(1, 3, 2024), false, "10,00", "30,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.FormatLong() + (c.useLast ? " last" : " exact"));
        b.doc.options.securitiesList.useLastPrice = c.useLast ? 1 : 0;
        date = c.date;
        const auto table = Build();
        EXPECT_EQ(Cell(*table, Col(0), "Alpha", Col(19)), c.alpha);
        EXPECT_EQ(Cell(*table, Col(0), "Split", Col(19)), c.split);
    }
}

// Key figures show only when entered; the ratios need a positive price and, for KGV and KCV,
// a positive figure.
TEST_F(SecuritiesListTest, FiguresAndRatios) {
    b.doc.options.securitiesList.useLastPrice = 0;
    struct Case {
        const char* name;
        double price;  // < -1000: no quote
        int32_t set;
        double e1, e2, div, cf;
        // Columns 12, 13, 14, 15, 20, 21, 22, 23.
        std::vector<std::string> expected;
    };
    const int32_t all = kFigureEarnings1 | kFigureEarnings2 | kFigureDividend | kFigureCashFlow;
    const Case cases[] = {
        // 50 / 2,5 = 20; 50 / 4 = 12,5; 1,5 / 50 × 100 = 3; 50 / 8 = 6,25
        {"A",
         50.0,
         all,
         2.5,
         4.0,
         1.5,
         8.0,
         {"2,50", "4,00", "1,50", "8,00", "20,00", "12,50", "3,00%", "6,25"}},
        // 50 / 3 = 16,666.. -> 16,67; 1,234 / 50 × 100 = 2,468 -> 2,47 (figures at 2 decimals)
        {"B",
         50.0,
         kFigureEarnings1 | kFigureDividend,
         3.0,
         4.0,
         1.234,
         8.0,
         {"3,00", "", "1,23", "", "16,67", "-", "2,47%", "-"}},
        // Nothing entered: the values are there but not shown.
        {"C", 50.0, 0, 2.5, 4.0, 1.5, 8.0, {"", "", "", "", "-", "-", "-", "-"}},
        // Zero and negative bases give no KGV or KCV; a dividend of 0 is a yield of 0.
        {"D",
         50.0,
         all,
         0.0,
         -2.0,
         0.0,
         -1.0,
         {"0,00", "-2,00", "0,00", "-1,00", "-", "-", "0,00%", "-"}},
        // No price, a price of 0 and a negative price: no ratio.
        {"E",
         -2000.0,
         all,
         2.5,
         4.0,
         1.5,
         8.0,
         {"2,50", "4,00", "1,50", "8,00", "-", "-", "-", "-"}},
        {"F", 0.0, all, 2.5, 4.0, 1.5, 8.0, {"2,50", "4,00", "1,50", "8,00", "-", "-", "-", "-"}},
        {"G", -5.0, all, 2.5, 4.0, 1.5, 8.0, {"2,50", "4,00", "1,50", "8,00", "-", "-", "-", "-"}},
        // 50 / 1e-320 overflows to infinity: "-", not an empty cell.
        {"H", 50.0, kFigureEarnings1, 1e-320, 0, 0, 0, {"0,00", "", "", "", "-", "-", "-", "-"}},
    };
    for (const Case& c : cases) {
        const int32_t id = b.Security(c.name);
        CFL2Wertpapier& s = Sec(id);
        if (c.price > -1000.0) b.Quote(id, date, c.price);
        s.figuresSet = c.set;
        s.earnings1 = c.e1;
        s.earnings2 = c.e2;
        s.dividend = c.div;
        s.cashFlow = c.cf;
    }
    const auto table = Build();
    const int bits[] = {12, 13, 14, 15, 20, 21, 22, 23};
    for (const Case& c : cases) {
        for (size_t i = 0; i < std::size(bits); ++i) {
            SCOPED_TRACE(std::string(c.name) + " bit " + std::to_string(bits[i]));
            EXPECT_EQ(Cell(*table, Col(0), c.name, Col(bits[i])), c.expected[i]);
        }
    }
    EXPECT_EQ(Cell(*table, Col(0), "E", Col(19)), "-");
    EXPECT_EQ(Cell(*table, Col(0), "F", Col(19)), "0,00");
}

// The drawdown walks every quote, also those after the report date.
TEST_F(SecuritiesListTest, MaximumDrawdownOverTheWholeHistory) {
    struct Case {
        const char* name;
        std::vector<double> prices;  // on consecutive days from 1.3.2024
        const char* expected;
    };
    const Case cases[] = {
        // Dips 100 -> 80 (20 %) and 120 -> 60, still open after the last quote:
        // 1 - 60 / 120 = 50 %.
        {"Zwei Dips", {100, 80, 120, 60, 90}, "50,0%"},
        {"steigend", {10, 11, 12}, "0,0%"},
        // Open at the end: 1 - 90 / 120 = 25 %.
        {"offen", {100, 120, 90}, "25,0%"},
        {"ein Kurs", {42}, "0,0%"},
        {"ohne Kurse", {}, "-"},
        {"null und negativ", {0, -5}, "-"},
    };
    for (const Case& c : cases) {
        const int32_t id = b.Security(c.name);
        for (size_t i = 0; i < c.prices.size(); ++i)
            b.Quote(id, Day(1 + static_cast<int>(i), 3, 2024), c.prices[i]);
    }
    date = Day(2, 3, 2024);
    auto table = Build();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Cell(*table, Col(0), c.name, Col(24)), c.expected);
    }
    b.doc.options.tables.percentDecimals = 2;
    table = Build();
    EXPECT_EQ(Cell(*table, Col(0), "Zwei Dips", Col(24)), "50,00%");
}

// A split is not a fall: the quotes are put on one level before the walk. Without that the
// 2:1 split below would show as a drawdown of 1 - 50 / 100 = 50 %.
TEST_F(SecuritiesListTest, DrawdownIgnoresSplits) {
    const int32_t plain = b.Security("einfach");
    b.Quote(plain, Day(1, 3, 2024), 100.0);
    b.Quote(plain, Day(15, 3, 2024), 50.0);
    b.Quote(plain, Day(20, 3, 2024), 55.0);
    b.Split(Day(10, 3, 2024), plain, 2, 1);
    // A permanent split has divided the stored quotes before it already.
    const int32_t permanent = b.Security("dauerhaft");
    b.Quote(permanent, Day(1, 3, 2024), 50.0);
    b.Quote(permanent, Day(15, 3, 2024), 40.0);
    b.Quote(permanent, Day(20, 3, 2024), 55.0);
    b.Split(Day(10, 3, 2024), permanent, 2, 1, true);

    for (const CQRNDatum d : {Day(5, 3, 2024), Day(25, 3, 2024)}) {
        SCOPED_TRACE(d.FormatLong());
        date = d;
        const auto table = Build();
        EXPECT_EQ(Cell(*table, Col(0), "einfach", Col(24)), "0,0%");
        // 50 -> 40: 1 - 40 / 50 = 20 %.
        EXPECT_EQ(Cell(*table, Col(0), "dauerhaft", Col(24)), "20,0%");
    }
}

// "Stück im Depot" at the report date, and "nur Wertpapiere im Depot".
TEST_F(SecuritiesListTest, PiecesAndOnlyInDepot) {
    const int32_t sold = b.Security("verkauft");
    const int32_t held = b.Security("gehalten");
    b.Security("nie gekauft");
    const Made buy = b.Buy(Day(1, 2, 2024), sold, 10, 20.0);
    b.Sell(Day(1, 3, 2024), sold, {{buy.positionNo, 10}}, 25.0);
    b.Buy(Day(1, 2, 2024), held, 2.5, 40.0);
    b.Buy(Day(10, 2, 2024), held, 3, 40.0);

    struct Case {
        CQRNDatum date;
        bool onlyInDepot;
        std::vector<std::string> names;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        // 2,5 + 3 = 5,5; one decimal for the whole column.
        {Day(15, 2, 2024), false, {"verkauft", "gehalten", "nie gekauft"}, {"10,0", "5,5", "0,0"}},
        {Day(15, 2, 2024), true, {"verkauft", "gehalten"}, {"10,0", "5,5"}},
        // The sale on 1.3. counts on its own day.
        {Day(1, 3, 2024), true, {"gehalten"}, {"5,5"}},
        {Day(5, 2, 2024), false, {"verkauft", "gehalten", "nie gekauft"}, {"10,0", "2,5", "0,0"}},
        {Day(31, 1, 2024), true, {}, {}},
    };
    b.doc.options.securitiesList.columnMask = (1 << 0) | (1 << 25);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.FormatLong() + (c.onlyInDepot ? " only" : " all"));
        date = c.date;
        b.doc.options.securitiesList.onlyInDepot = c.onlyInDepot ? 1 : 0;
        const auto table = Build();
        EXPECT_EQ(Names(*table), c.names);
        for (size_t i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(table->CellText(kFirstDataRow + static_cast<int>(i), 1), c.pieces[i]);
    }
}

TEST_F(SecuritiesListTest, TextColumns) {
    const int32_t dollar = b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, 1).id;
    const int32_t id = b.Security("Alpha", "A1B2C3", dollar);
    CFL2Wertpapier& s = Sec(id);
    s.isin = "DE0001234567";
    s.type = "Aktie";
    s.sector = "Chemie";
    s.country = "USA";
    s.index = "S&P 500";
    s.category1 = "Kern";
    s.category2 = "hoch";
    s.halfIncomeProcedure = 1;
    s.vtplusImport = 0;
    s.internetImport = 1;
    s.remarks = "erste Zeile\r\nzweite\tZeile\nEnde";
    b.Quote(id, Day(1, 1, 2024), 1.0);
    b.Quote(id, Day(2, 1, 2024), 1.0);
    b.Quote(id, Day(3, 1, 2024), 1.0);

    const auto table = Build();
    struct Case {
        int bit;
        const char* text;
    };
    const Case cases[] = {
        {0, "Alpha"},     {1, "A1B2C3"},  {2, "DE0001234567"},
        {3, "US-Dollar"}, {6, "Aktie"},   {7, "Chemie"},
        {8, "USA"},       {9, "S&P 500"}, {10, "Kern"},
        {11, "hoch"},     {17, "ja"},     {27, "3"},
        {29, "nein"},     {30, "ja"},     {31, "erste Zeile zweite Zeile Ende"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bit);
        EXPECT_EQ(table->CellText(kFirstDataRow, Col(c.bit)), c.text);
    }
}

// Up to three keys with one direction: texts in byte order, numbers by value, "-" last in
// both directions, equal rows in the document's order.
TEST_F(SecuritiesListTest, SortByThreeKeys) {
    struct Entry {
        const char* name;
        const char* type;
        double earnings;  // KGV = 100 / earnings; 0 = not entered
    };
    const Entry securities[] = {
        {"Delta", "Aktie", 10.0},                                                      // KGV 10
        {"Alpha", "Aktie", 0.0},                                                       // "-"
        {"Charlie", "Fonds", 0.0}, {"Bravo", "Aktie", 10.0}, {"Echo", "Aktie", 20.0},  // KGV 5
        {"Foxtrot", "Fonds", 0.0}, {"Äther", "Aktie", 0.0},
    };
    for (const Entry& sec : securities) {
        const int32_t id = b.Security(sec.name);
        b.Quote(id, date, 100.0);
        Sec(id).type = sec.type;
        if (sec.earnings > 0.0) {
            Sec(id).figuresSet = kFigureEarnings1;
            Sec(id).earnings1 = sec.earnings;
        }
    }
    SecuritiesListOptions& o = b.doc.options.securitiesList;
    o.columnMask = 1;  // the name only

    struct Case {
        std::array<int32_t, 3> keys;
        bool descending;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {{kSecuritiesUnsorted, kSecuritiesUnsorted, kSecuritiesUnsorted},
         false,
         {"Delta", "Alpha", "Charlie", "Bravo", "Echo", "Foxtrot", "Äther"}},
        // "Ä" is beyond "Z" in byte order.
        {{kSecuritiesByName, kSecuritiesUnsorted, kSecuritiesUnsorted},
         false,
         {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Äther"}},
        {{kSecuritiesByType, kSecuritiesByPriceEarnings1, kSecuritiesByName},
         false,
         {"Echo", "Bravo", "Delta", "Alpha", "Äther", "Charlie", "Foxtrot"}},
        {{kSecuritiesByType, kSecuritiesByPriceEarnings1, kSecuritiesByName},
         true,
         {"Foxtrot", "Charlie", "Delta", "Bravo", "Echo", "Äther", "Alpha"}},
        // An unsorted first key is skipped; the equal KGV of Delta and Bravo keep their order.
        {{kSecuritiesUnsorted, kSecuritiesByPriceEarnings1, kSecuritiesUnsorted},
         false,
         {"Echo", "Delta", "Bravo", "Alpha", "Charlie", "Foxtrot", "Äther"}},
        {{kSecuritiesByPriceEarnings1, kSecuritiesUnsorted, kSecuritiesUnsorted},
         true,
         {"Delta", "Bravo", "Echo", "Alpha", "Charlie", "Foxtrot", "Äther"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.keys[0]) + "/" + std::to_string(c.keys[1]) + "/" +
                     std::to_string(c.keys[2]) + (c.descending ? " desc" : " asc"));
        o.sortKeys = c.keys;
        o.sortDescending = c.descending ? 1 : 0;
        EXPECT_EQ(Names(*Build()), c.order);
    }
}

TEST_F(SecuritiesListTest, ViewBuilderUsesTheReportDate) {
    const int32_t id = b.Security("Alpha");
    b.Quote(id, Day(1, 3, 2024), 10.0);
    ViewState state;
    state.reportDate = Day(2, 3, 2024);
    const auto report = BuildSecuritiesList(b.doc, state);
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->HasText());
    const std::string text = report->Text(1, "\n");
    EXPECT_NE(text.find("Wertpapiere am 02.03.2024"), std::string::npos) << text;
}

}  // namespace
}  // namespace pf::testing

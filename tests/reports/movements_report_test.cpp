#include "reports/movements_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "position_report_test_util.h"
#include "reports/report_format.h"

namespace pf::testing {
namespace {

constexpr int32_t kAllMovementColumns = (1 << 2) | (1 << 5) | (1 << 8) | (1 << 11) | (1 << 14) |
                                        (1 << 15) | (1 << 17) | (1 << 18) | (1 << 21) | (1 << 24) |
                                        (1 << 25) | (1 << 27);

class MovementsReportTest : public ::testing::Test {
  protected:
    std::unique_ptr<ReportTable> Build() const { return BuildMovementsReport(b.doc, from, to); }
    int Col(int bit) const { return ColumnOf(b.doc.options.movements.columnMask, bit); }
    // The texts of column `bit` from the first data row on.
    std::vector<std::string> Column(const ReportTable& table, int bit) const {
        std::vector<std::string> texts;
        for (int r = kFirstDataRow; r < static_cast<int>(table.Rows().size()); ++r)
            texts.push_back(table.CellText(r, Col(bit)));
        return texts;
    }

    DocBuilder b;
    CQRNDatum from = Day(1, 1, 2021);
    CQRNDatum to = Day(31, 12, 2021);
};

// A deposit of 1.000,00 before the period, then on 1.2.2021 a buy of 505,00, a dividend of
// 15,00 and custody fees of 20,00, a split (no booking) and on 1.3.2021 a sale for 294,00.
// Balances: 1000 - 505 = 495; + 15 = 510; - 20 = 490; + 294 = 784.
class MovementsReportBookingsTest : public MovementsReportTest {
  protected:
    void SetUp() override {
        alpha = b.Security("Alpha");
        b.Movement(Day(15, 12, 2020), "Kapitaleinlage", 1000.0);
        buy = b.Buy(Day(1, 2, 2021), alpha, 10, 50.0, 5.0);
        buy->text = "Kauf Alpha";
        dividend = b.Movement(Day(1, 2, 2021), "Dividenden-Gutschrift", 15.0, alpha, kIncome,
                              {{buy.positionNo, 10}});
        fees = b.Movement(Day(1, 2, 2021), "Depotgebühren", 20.0);
        b.Split(Day(1, 3, 2021), alpha, 2, 1);
        sale = b.Sell(Day(1, 3, 2021), alpha, {{buy.positionNo, 5}}, 60.0, 6.0);
        b.Buy(Day(1, 1, 2022), alpha, 1, 40.0);  // after the period
    }

    int32_t alpha = -1;
    Made buy, dividend, fees, sale;
};

TEST_F(MovementsReportBookingsTest, EveryColumnAndTheRunningBalance) {
    b.doc.options.movements.columnMask = kAllMovementColumns;
    b.doc.depot.holderName = "Erika Muster";
    b.doc.depot.accountNumber = "K-42";

    const auto table = Build();
    EXPECT_EQ(table->CellText(0, 0),
              "Kontobewegungen von 01.01.2021 bis 31.12.2021 - K-42 - Erika Muster");
    const std::vector<std::pair<int, std::vector<std::string>>> headers = {
        {2, {"Datum", ""}},
        {5, {"Vorgang", ""}},
        {8, {"Wertpapier", ""}},
        {11, {"Text", ""}},
        {14, {"Betrag", ""}},
        {15, {"W.", ""}},
        {17, {"Betrag", "auf Konto"}},
        {18, {"W.", ""}},
        {21, {"Betrag", "in Euro"}},
        {24, {"Kontostand", ""}},
        {25, {"W.", ""}},
        {27, {"Kontostand", "in Euro"}},
    };
    for (const auto& [bit, lines] : headers) {
        SCOPED_TRACE(bit);
        EXPECT_EQ(table->CellText(1, Col(bit)), lines[0]);
        EXPECT_EQ(table->CellText(2, Col(bit)), lines[1]);
    }

    // Columns 2, 5, 8, 11, 14, 15, 17, 18, 21, 24, 25, 27 of each row.
    const std::vector<std::vector<std::string>> expected = {
        {"01.02.2021", "Kauf", "Alpha", "Kauf Alpha", "505,00", "Euro", "-505,00", "Euro",
         "-505,00", "495,00", "Euro", "495,00"},
        {"01.02.2021", "Dividenden-Gutschrift", "Alpha", "", "15,00", "Euro", "15,00", "Euro",
         "15,00", "510,00", "Euro", "510,00"},
        {"01.02.2021", "Depotgebühren", "", "", "20,00", "Euro", "-20,00", "Euro", "-20,00",
         "490,00", "Euro", "490,00"},
        {"01.03.2021", "Verkauf", "Alpha", "", "294,00", "Euro", "294,00", "Euro", "294,00",
         "784,00", "Euro", "784,00"},
    };
    ASSERT_EQ(table->Rows().size(), kFirstDataRow + expected.size());
    const int bits[] = {2, 5, 8, 11, 14, 15, 17, 18, 21, 24, 25, 27};
    for (size_t r = 0; r < expected.size(); ++r)
        for (size_t c = 0; c < std::size(bits); ++c) {
            SCOPED_TRACE(::testing::Message() << "row " << r << " column " << bits[c]);
            EXPECT_EQ(table->CellText(kFirstDataRow + static_cast<int>(r), Col(bits[c])),
                      expected[r][c]);
        }

    // Debits red, credits green; odd rows the stronger shade. User value 0: the booking.
    struct Case {
        int id;
        Colour a, b;
    };
    const Case cases[] = {
        {buy.id, Rgb(240, 240, 240), Rgb(255, 175, 175)},
        {dividend.id, Rgb(248, 248, 248), Rgb(200, 255, 200)},
        {fees.id, Rgb(240, 240, 240), Rgb(255, 175, 175)},
        {sale.id, Rgb(248, 248, 248), Rgb(200, 255, 200)},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i + 1);
        const ReportRow& row = table->Rows()[kFirstDataRow + i];
        EXPECT_EQ(row.user[kUserTransaction], cases[i].id);
        EXPECT_EQ(table->ColourA(row), cases[i].a);
        EXPECT_EQ(table->ColourB(row), cases[i].b);
        EXPECT_EQ(row.spacingBefore, i == 0 ? b.doc.options.tables.outerMargin : 0);
    }
}

TEST_F(MovementsReportBookingsTest, EndOfDayBalanceOnTheLastBookingOfEachDate) {
    b.doc.options.movements.columnMask = kAllMovementColumns;
    b.doc.options.movements.endOfDayBalance = 1;
    const auto table = Build();
    EXPECT_EQ(Column(*table, 24), (std::vector<std::string>{"", "", "490,00", "784,00"}));
    EXPECT_EQ(Column(*table, 25), (std::vector<std::string>{"", "", "Euro", "Euro"}));
    EXPECT_EQ(Column(*table, 27), (std::vector<std::string>{"", "", "490,00", "784,00"}));
    // The amounts stay on every row.
    EXPECT_EQ(Column(*table, 17),
              (std::vector<std::string>{"-505,00", "15,00", "-20,00", "294,00"}));
}

TEST_F(MovementsReportBookingsTest, PeriodStartsLater) {
    // The sale alone is shown; everything before is in its balance. The last date of the
    // period is included.
    struct Case {
        CQRNDatum from, to;
        std::vector<std::string> balances;
    };
    const Case cases[] = {
        {Day(2, 2, 2021), Day(31, 12, 2021), {"784,00"}},
        {Day(1, 2, 2021), Day(1, 2, 2021), {"495,00", "510,00", "490,00"}},
        {Day(1, 1, 2020), Day(14, 12, 2020), {}},
        {Day(1, 1, 2020), Day(15, 12, 2020), {"1.000,00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from.FormatLong() + " " + c.to.FormatLong());
        from = c.from;
        to = c.to;
        EXPECT_EQ(Column(*Build(), 24), c.balances);
    }
}

// An account in marks changed to euros on 1.3.2021 (1 euro = 1,95583 marks, fixed).
TEST_F(MovementsReportTest, AccountCurrencyChangeConvertsTheBalance) {
    DocBuilder dm(1, "DM");
    const int32_t mark = 1;
    ASSERT_EQ(dm.doc.initialAccountCurrencyId, mark);
    dm.Movement(Day(1, 2, 2021), "Kapitaleinlage", 1955.83, mark);
    dm.doc.accountCurrencyChanges.push_back({0, Day(1, 3, 2021)});
    // Euros booked before the change go in as marks: 100 * 1,95583 = 195,583 -> 195,58.
    dm.Movement(Day(15, 2, 2021), "Sonstige Erträge", 100.0, 0);
    // 1.955,83 + 195,58 = 2.151,41 marks = 1.100,00 euros at the change; then 50 euros out.
    dm.Movement(Day(1, 3, 2021), "Sonstige Kosten", 50.0, 0);
    dm.doc.options.movements.columnMask = kAllMovementColumns;
    dm.doc.options.movements.currencyId = 0;

    const auto table = BuildMovementsReport(dm.doc, from, to);
    const auto column = [&](int bit) {
        std::vector<std::string> texts;
        for (int r = kFirstDataRow; r < static_cast<int>(table->Rows().size()); ++r)
            texts.push_back(table->CellText(r, ColumnOf(kAllMovementColumns, bit)));
        return texts;
    };
    EXPECT_EQ(column(17), (std::vector<std::string>{"1.955,83", "195,58", "-50,00"}));
    EXPECT_EQ(column(18), (std::vector<std::string>{"Deutsche Mark", "Deutsche Mark", "Euro"}));
    EXPECT_EQ(column(24), (std::vector<std::string>{"1.955,83", "2.151,41", "1.050,00"}));
    // In euros: 1.955,83 / 1,95583 = 1.000,00; 2.151,41 / 1,95583 = 1.099,9985 -> 1.100,00.
    EXPECT_EQ(column(21), (std::vector<std::string>{"1.000,00", "100,00", "-50,00"}));
    EXPECT_EQ(column(27), (std::vector<std::string>{"1.000,00", "1.100,00", "1.050,00"}));
}

TEST_F(MovementsReportTest, ReportCurrencyWithoutARateGivesZero) {
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, kUnitsPerReference).id;
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 4, 2021), 1.25);  // 1,25 dollars = 1 euro
    b.Movement(Day(1, 3, 2021), "Kapitaleinlage", 100.0);
    b.Movement(Day(1, 4, 2021), "Kapitalentnahme", 20.0);
    b.doc.options.movements.columnMask = kAllMovementColumns;
    b.doc.options.movements.currencyId = usd;

    const auto table = Build();
    EXPECT_EQ(table->CellText(2, Col(21)), "in US-Dollar");
    EXPECT_EQ(Column(*table, 17), (std::vector<std::string>{"100,00", "-20,00"}));
    EXPECT_EQ(Column(*table, 24), (std::vector<std::string>{"100,00", "80,00"}));
    // -20 * 1,25 = -25,00 dollars; the balance 80 * 1,25 = 100,00 dollars.
    EXPECT_EQ(Column(*table, 21), (std::vector<std::string>{"0,00", "-25,00"}));
    EXPECT_EQ(Column(*table, 27), (std::vector<std::string>{"0,00", "100,00"}));
}

}  // namespace
}  // namespace pf::testing

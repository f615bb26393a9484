#include "reports/returns_report.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "position_report_test_util.h"
#include "samples/demo_portfolios.h"

namespace pf::testing {
namespace {

// One payment row as the table shows it.
struct PaymentRow {
    std::string date, security, description, amount, direction;
    int32_t transactionId;

    bool operator==(const PaymentRow&) const = default;
};

void PrintTo(const PaymentRow& r, std::ostream* os) {
    *os << r.date << " | " << r.security << " | " << r.description << " | " << r.amount << " | "
        << r.direction << " | " << r.transactionId;
}

// The rows between the payments' column titles and "Summe Einzahlungen".
std::vector<PaymentRow> PaymentRows(const ReportTable& table) {
    std::vector<PaymentRow> rows;
    const int header = RowWith(table, 0, "Datum");
    const int sums = RowWith(table, 0, "Summe Einzahlungen");
    if (header < 0 || sums < 0) return rows;
    for (int r = header + 1; r < sums; ++r)
        rows.push_back({table.CellText(r, 0), table.CellText(r, 1), table.CellText(r, 2),
                        table.CellText(r, 3), table.CellText(r, 4),
                        table.Rows()[static_cast<size_t>(r)].user[kUserTransaction]});
    return rows;
}

// Security rows of the rates, from "Alle Wertpapiere" on: label and rate.
std::vector<std::pair<std::string, std::string>> RateRows(const ReportTable& table,
                                                          int rateColumn) {
    std::vector<std::pair<std::string, std::string>> rows;
    int r = RowWith(table, 0, "Alle Wertpapiere");
    if (r < 0) return rows;
    for (; r < static_cast<int>(table.Rows().size()); ++r) {
        if (table.CellText(r, 0) == "Zahlungsströme (Ein-/Auszahlungen):") break;
        rows.emplace_back(table.CellText(r, 0), table.CellText(r, rateColumn));
    }
    return rows;
}

// A small portfolio over the year 2021 (the period 31.12.2020 to 31.12.2021):
// - Alpha: 10 pieces bought 1.6.2020, worth 60,00 each at the start; a dividend of 30,00 and
//   taxes of 8,00 on 1.5.2021; all 10 exchanged on 1.9.2021 into 5 Gamma at Alpha's quote
//   of 70,00 (value 700,00).
// - Delta: 1 piece bought on the start date at 100,00 (so it is a start holding, not a
//   purchase of the period), worth 110,00 at the end.
// - Beta: 20 pieces bought 1.3.2021 at 10,00 with 5,00 commission (205,00); 10 of them sold
//   1.7.2021 at 12,00 with 2,00 commission (118,00); the rest worth 13,00 each at the end.
// - Gamma: the 5 pieces from the exchange, worth 150,00 each at the end.
// A purchase after the period and a deposit without a security add no payment.
class ReturnsReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        b.doc.depot.holderName = "Erika Muster";
        alpha = b.Security("Alpha");
        beta = b.Security("Beta");
        gamma = b.Security("Gamma");
        delta = b.Security("Delta");
        SetQuote(b.doc, alpha, Day(1, 6, 2020), 50.0);
        SetQuote(b.doc, alpha, Day(31, 12, 2020), 60.0);
        SetQuote(b.doc, alpha, Day(1, 9, 2021), 70.0);
        SetQuote(b.doc, delta, Day(31, 12, 2020), 100.0);
        SetQuote(b.doc, delta, Day(31, 12, 2021), 110.0);
        SetQuote(b.doc, beta, Day(1, 3, 2021), 10.0);
        SetQuote(b.doc, beta, Day(31, 12, 2021), 13.0);
        SetQuote(b.doc, gamma, Day(1, 9, 2021), 140.0);
        SetQuote(b.doc, gamma, Day(31, 12, 2021), 150.0);

        const int32_t alphaLot = b.Buy(Day(1, 6, 2020), alpha, 10, 50.0).positionNo;
        b.Buy(Day(31, 12, 2020), delta, 1, 100.0);
        b.Movement(Day(15, 1, 2021), "Kapitaleinlage", 1000.0);
        const Made buy = b.Buy(Day(1, 3, 2021), beta, 20, 10.0, 5.0);
        const int32_t betaLot = buy.positionNo;
        buyBeta = buy.id;
        dividend = b.Movement(Day(1, 5, 2021), "Dividenden-Gutschrift", 30.0, alpha, kIncome,
                              {{alphaLot, 10}})
                       .id;
        taxes = b.Movement(Day(1, 5, 2021), "Steuern", 8.0, alpha, kIncome, {{alphaLot, 10}}).id;
        sale = b.Sell(Day(1, 7, 2021), beta, {{betaLot, 10}}, 12.0, 2.0).id;
        exchange = b.Exchange(Day(1, 9, 2021), alpha, gamma, 10, 5, {{alphaLot, 10}}, true).id;
        b.Buy(Day(1, 1, 2022), beta, 1, 13.0);
    }

    std::unique_ptr<ReportTable> Build(bool filter = false) const {
        return BuildReturnsReport(b.doc, from, to, filter);
    }

    DocBuilder b;
    CQRNDatum from = Day(31, 12, 2020);
    CQRNDatum to = Day(31, 12, 2021);
    int32_t alpha = -1, beta = -1, gamma = -1, delta = -1;
    int32_t buyBeta = -1, dividend = -1, taxes = -1, sale = -1, exchange = -1;
};

TEST_F(ReturnsReportTest, CollectsEveryPaymentOfThePeriod) {
    const auto table = Build();
    ASSERT_EQ(table->ColumnCount(), 5);
    const std::vector<PaymentRow> expected = {
        // Open lots at the end of the start date, in the order of the lots.
        {"31.12.2020", "Alpha (WAlpha)", "Anfangsbestand", "600,00", "E", -1},
        {"31.12.2020", "Delta (WDelta)", "Anfangsbestand", "100,00", "E", -1},
        {"01.03.2021", "Beta (WBeta)", "Kauf", "205,00", "E", buyBeta},
        {"01.05.2021", "Alpha (WAlpha)", "Dividenden-Gutschrift", "30,00", "A", dividend},
        {"01.05.2021", "Alpha (WAlpha)", "Steuern", "8,00", "E", taxes},
        {"01.07.2021", "Beta (WBeta)", "Verkauf", "118,00", "A", sale},
        {"01.09.2021", "Alpha (WAlpha)", "Umtausch in Gamma (WGamma)", "700,00", "A", exchange},
        {"01.09.2021", "Gamma (WGamma)", "Aus Umtausch Alpha (WAlpha)", "700,00", "E", exchange},
        // Open lots at the end: the Alpha lot became the Gamma lot, then Delta, then what is
        // left of the Beta lot. 5 x 150 = 750, 1 x 110, 10 x 13 = 130.
        {"31.12.2021", "Gamma (WGamma)", "Endbestand", "750,00", "A", -1},
        {"31.12.2021", "Delta (WDelta)", "Endbestand", "110,00", "A", -1},
        {"31.12.2021", "Beta (WBeta)", "Endbestand", "130,00", "A", -1},
    };
    EXPECT_EQ(PaymentRows(*table), expected);

    // In: 600 + 100 + 205 + 8 + 700 = 1613; out: 30 + 118 + 700 + 750 + 110 + 130 = 1838.
    const int sums = RowWith(*table, 0, "Summe Einzahlungen");
    ASSERT_GE(sums, 0);
    EXPECT_EQ(table->CellText(sums, 3), "1.613,00");
    EXPECT_EQ(table->CellText(sums + 1, 0), "Summe Auszahlungen");
    EXPECT_EQ(table->CellText(sums + 1, 3), "1.838,00");
    EXPECT_EQ(table->CellText(sums + 2, 0), "Gewinn/Verlust");
    EXPECT_EQ(table->CellText(sums + 2, 3), "225,00");
    for (int r = sums; r < sums + 3; ++r) {
        EXPECT_EQ(table->Rows()[static_cast<size_t>(r)].cells[0].span, 3);
        EXPECT_EQ(table->Rows()[static_cast<size_t>(r)].user[kUserTransaction], -1);
    }
}

TEST_F(ReturnsReportTest, TaxesLeftOutOnRequest) {
    b.doc.options.returns.withoutTaxes = 1;
    const auto table = Build();
    for (const PaymentRow& row : PaymentRows(*table)) EXPECT_NE(row.description, "Steuern");
    EXPECT_EQ(PaymentRows(*table).size(), 10u);
    // 1613 - 8 = 1605 in; 1838 - 1605 = 233.
    const int sums = RowWith(*table, 0, "Summe Einzahlungen");
    EXPECT_EQ(table->CellText(sums, 3), "1.605,00");
    EXPECT_EQ(table->CellText(sums + 2, 3), "233,00");
}

TEST_F(ReturnsReportTest, TitlesRatesAndHeader) {
    b.doc.options.returns.order = kReturnsByName;
    const auto table = Build();
    EXPECT_EQ(table->CellText(0, 0), "Renditeberechnung für Erika Muster");
    EXPECT_EQ(table->CellText(1, 0), "Zeitraum: 31.12.2020-31.12.2021");
    EXPECT_EQ(table->CellText(2, 0), "Renditen (Effektivzins/interner Zinsfuß):");
    const auto rates = RateRows(*table, 3);
    ASSERT_EQ(rates.size(), 5u);
    EXPECT_EQ(rates[0].first, "Alle Wertpapiere");
    EXPECT_EQ(rates[1].first, "Alpha (WAlpha)");
    EXPECT_EQ(rates[2].first, "Beta (WBeta)");
    EXPECT_EQ(rates[3].first, "Delta (WDelta)");
    EXPECT_EQ(rates[4].first, "Gamma (WGamma)");
    // Delta: -100 on 31.12.2020, +110 365 days later: 10 %.
    EXPECT_EQ(rates[3].second, "10,000 %");
    // Gamma: -700 on 1.9.2021, +750 121 days later: (750/700)^(365/121) - 1
    // = exp(0.0689929 * 3.0165289) - 1 = exp(0.2081190) - 1 = 0.231360.
    EXPECT_EQ(rates[4].second, "23,136 %");

    const int header = RowWith(*table, 0, "Datum");
    ASSERT_GE(header, 0);
    EXPECT_EQ(table->CellText(header - 1, 0), "Zahlungsströme (Ein-/Auszahlungen):");
    EXPECT_EQ(table->CellText(header, 1), "Wertpapier (WKN)");
    EXPECT_EQ(table->CellText(header, 2), "Vorgang");
    EXPECT_EQ(table->CellText(header, 3), "Betrag (Euro)");
    EXPECT_EQ(table->CellText(header, 4), "E/A");
    for (const ReportRow& row : table->Rows()) {
        EXPECT_EQ(table->ColourA(row), kWhite);
        EXPECT_EQ(table->ColourB(row), kWhite);
    }
    EXPECT_EQ(table->Appearance().screenStyle, kStyleTextOnly);
    EXPECT_EQ(table->Appearance().printStyle, kStyleTextOnly);
}

TEST_F(ReturnsReportTest, PaymentsInNegativeAndWithoutPaymentList) {
    b.doc.options.returns.paymentsInNegative = 1;
    auto table = Build();
    const std::vector<PaymentRow> rows = PaymentRows(*table);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0].amount, "-600,00");  // E
    EXPECT_EQ(rows[3].amount, "30,00");    // A
    const int sums = RowWith(*table, 0, "Summe Einzahlungen");
    EXPECT_EQ(table->CellText(sums, 3), "-1.613,00");
    EXPECT_EQ(table->CellText(sums + 1, 3), "1.838,00");
    EXPECT_EQ(table->CellText(sums + 2, 3), "225,00");

    b.doc.options.returns.showPayments = 0;
    b.doc.options.returns.title2.clear();
    table = Build();
    EXPECT_EQ(table->ColumnCount(), 2);
    EXPECT_EQ(RowWith(*table, 0, "Datum"), -1);
    EXPECT_EQ(RowWith(*table, 0, "Zahlungsströme (Ein-/Auszahlungen):"), -1);
    EXPECT_EQ(table->CellText(1, 0), "Renditen (Effektivzins/interner Zinsfuß):");
    const auto rates = RateRows(*table, 1);
    EXPECT_EQ(rates.size(), 5u);
    EXPECT_EQ(table->Rows().size(), 7u);  // title, heading, all, four securities
}

TEST_F(ReturnsReportTest, SecurityFilterKeepsTheSelectedSecuritiesPayments) {
    b.doc.options.selectedSecurityIds = {alpha};
    const auto table = Build(true);
    const std::vector<PaymentRow> rows = PaymentRows(*table);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].description, "Anfangsbestand");
    EXPECT_EQ(rows[1].description, "Dividenden-Gutschrift");
    EXPECT_EQ(rows[2].description, "Steuern");
    EXPECT_EQ(rows[3].description, "Umtausch in Gamma (WGamma)");
    EXPECT_EQ(RateRows(*table, 3).size(), 2u);  // all, Alpha
}

TEST_F(ReturnsReportTest, EmptyAndReversedPeriods) {
    struct Case {
        const char* name;
        CQRNDatum from, to;
        size_t payments;
    };
    const Case cases[] = {
        // One day: each open lot is a start and an end holding of the same value on the same
        // date; they cancel, so no rate can be found.
        {"one day", Day(1, 10, 2021), Day(1, 10, 2021), 6},
        {"start after end", Day(31, 12, 2021), Day(31, 12, 2020), 0},
        {"before the first transaction", Day(1, 1, 2019), Day(31, 12, 2019), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto table = BuildReturnsReport(b.doc, c.from, c.to, false);
        EXPECT_EQ(PaymentRows(*table).size(), c.payments);
        for (const auto& [label, rate] : RateRows(*table, 3)) EXPECT_EQ(rate, "-") << label;
    }
}

// Securities held through a whole ordinary year: rates 10 %, -50 %, none (no quote, value 0
// at both ends) and above 10000 %.
TEST(ReturnsOrderTest, SortsSecuritiesByTheChosenKey) {
    DocBuilder b;
    const CQRNDatum from = Day(31, 12, 2020);
    const CQRNDatum to = Day(31, 12, 2021);
    struct Holding {
        const char* name;
        const char* wkn;
        double start, end;
    };
    const Holding holdings[] = {
        {"Cäsar", "A3", 100.0, 110.0},  // 10 %
        {"Berta", "A1", 100.0, 50.0},   // -50 %
        {"Anton", "A4", 0.0, 0.0},      // no quote: "-"
        {"Dora", "A2", 1.0, 200.0},     // 19900 %
    };
    for (const Holding& h : holdings) {
        const int32_t s = b.Security(h.name, h.wkn);
        b.Buy(Day(1, 6, 2020), s, 1, 1.0);
        if (h.start > 0.0) SetQuote(b.doc, s, from, h.start);
        if (h.end > 0.0) SetQuote(b.doc, s, to, h.end);
    }
    const std::map<std::string, std::string> expectedRate = {
        {"Cäsar (A3)", "10,000 %"},
        {"Berta (A1)", "-50,000 %"},
        {"Anton (A4)", "-"},
        {"Dora (A2)", "> 10.000,000 %"},
    };
    struct Case {
        int32_t order;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {kReturnsByName, {"Anton (A4)", "Berta (A1)", "Cäsar (A3)", "Dora (A2)"}},
        {kReturnsByWkn, {"Berta (A1)", "Dora (A2)", "Cäsar (A3)", "Anton (A4)"}},
        {kReturnsByRateAscending, {"Berta (A1)", "Cäsar (A3)", "Dora (A2)", "Anton (A4)"}},
        {kReturnsByRateDescending, {"Dora (A2)", "Cäsar (A3)", "Berta (A1)", "Anton (A4)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        b.doc.options.returns.order = c.order;
        const auto table = BuildReturnsReport(b.doc, from, to, false);
        const auto rates = RateRows(*table, 3);
        ASSERT_EQ(rates.size(), 5u);
        std::vector<std::string> labels;
        for (size_t i = 1; i < rates.size(); ++i) labels.push_back(rates[i].first);
        EXPECT_EQ(labels, c.labels);
        for (size_t i = 1; i < rates.size(); ++i) {
            SCOPED_TRACE(rates[i].first);
            EXPECT_EQ(rates[i].second, expectedRate.at(rates[i].first));
        }
    }
}

// Investments that end worthless (no quote at all, so the end holding is worth 0,00). The
// end date then nets to 0 and is dropped: with two purchases only money put in is left and
// the rate creeps towards -100 %; with a single purchase one date is left, which gives no
// rate.
TEST(ReturnsLossTest, WorthlessAtTheEnd) {
    struct Case {
        const char* name;
        std::vector<CQRNDatum> purchases;
        std::string rate;
    };
    const Case cases[] = {
        {"two purchases", {Day(1, 2, 2021), Day(1, 3, 2021)}, "-100,000 %"},
        {"one purchase", {Day(1, 2, 2021)}, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocBuilder b;
        const int32_t s = b.Security("Pleite");
        for (CQRNDatum date : c.purchases) b.Buy(date, s, 10, 10.0);
        const auto table = BuildReturnsReport(b.doc, Day(31, 12, 2020), Day(31, 12, 2021), false);
        const std::vector<PaymentRow> rows = PaymentRows(*table);
        ASSERT_EQ(rows.size(), 2 * c.purchases.size());  // each lot ends as an end holding
        EXPECT_EQ(rows.back().description, "Endbestand");
        EXPECT_EQ(rows.back().amount, "0,00");
        const auto rates = RateRows(*table, 3);
        ASSERT_EQ(rates.size(), 2u);
        EXPECT_EQ(rates[0].second, c.rate);
        EXPECT_EQ(rates[1].second, c.rate);
    }
}

// Amounts convert into the report currency at their own dates: 1 euro = 1,25 dollars up to
// 30.6.2021, 1,50 from 1.7.2021.
TEST(ReturnsCurrencyTest, ConvertsAtThePaymentDate) {
    DocBuilder b;
    const int32_t usd =
        b.doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, 0, kUnitsPerReference).id;
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 1, 2021), 1.25);
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(1, 7, 2021), 1.5);
    const int32_t s = b.Security("Alpha");
    const int32_t lot = b.Buy(Day(1, 3, 2021), s, 10, 10.0).positionNo;
    b.Sell(Day(1, 8, 2021), s, {{lot, 10}}, 12.0);
    b.doc.options.returns.currencyId = usd;

    const auto table = BuildReturnsReport(b.doc, Day(31, 12, 2020), Day(31, 12, 2021), false);
    const std::vector<PaymentRow> rows = PaymentRows(*table);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].amount, "125,00");  // 100,00 euros x 1,25
    EXPECT_EQ(rows[1].amount, "180,00");  // 120,00 euros x 1,50
    EXPECT_EQ(table->CellText(RowWith(*table, 0, "Datum"), 3), "Betrag (US-Dollar)");
}

// The two small demonstration portfolios (the large third one is the benchmark's): the euro
// one from 2005 and the Deutsche Mark one from 1996, whose account moves to the euro.
TEST(ReturnsDemoTest, DemonstrationPortfoliosBuild) {
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        const CFolari2Doc doc = MakeDemoPortfolio(n);
        const auto table = BuildReturnsReport(doc, Day(1, 1, 2000), Day(31, 12, 2030), false);
        const std::vector<PaymentRow> rows = PaymentRows(*table);
        EXPECT_FALSE(rows.empty());
        for (const PaymentRow& row : rows) {
            EXPECT_TRUE(row.direction == "E" || row.direction == "A");
            EXPECT_NE(row.amount.substr(0, 1), "-");
        }
    }
}

}  // namespace
}  // namespace pf::testing

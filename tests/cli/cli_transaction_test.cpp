#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/engine_test_util.h"
#include "engine/stop_target.h"
#include "model/archive/document_file.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using testing::Day;

// The file every test starts from: the euro, the Deutsche Mark (fixed, id 1) and the US
// dollar (variable); "Alpha" (WAlpha) bought 20 at 10,00 on 10.01.2024 and 20 at 12,00 on
// 15.01.2024; "Beta" (WBeta) bought 30 on 10.01. and 10 on 12.01.2024; "Gamma" (WGamma)
// without transactions; "Delta" (WDelta) bought 10 on 05.01. and sold completely on
// 08.01.2024.
class CliTransactions : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::DocBuilder b;
        const AddResult usd = b.doc.AddCurrency("USD", "US-Dollar", false, -1.0, -1.0,
                                                kBaseCurrencyId, kUnitsPerReference);
        ASSERT_EQ(usd.result, DocResult::Ok);
        usd_ = usd.id;
        alpha_ = b.Security("Alpha");
        beta_ = b.Security("Beta");
        gamma_ = b.Security("Gamma");
        delta_ = b.Security("Delta");
        alpha1_ = b.Buy(Day(10, 1, 2024), alpha_, 20, 10.0).positionNo;
        alpha2_ = b.Buy(Day(15, 1, 2024), alpha_, 20, 12.0).positionNo;
        beta1_ = b.Buy(Day(10, 1, 2024), beta_, 30, 20.0).positionNo;
        const auto beta2 = b.Buy(Day(12, 1, 2024), beta_, 10, 22.0);
        beta2_ = beta2.positionNo;
        beta2BuyId_ = beta2.id;
        const auto delta = b.Buy(Day(5, 1, 2024), delta_, 10, 5.0);
        deltaBuyId_ = delta.id;
        deltaSold_ =
            b.Sell(Day(8, 1, 2024), delta_, {{delta.positionNo, 10}}, 6.0).newNumbers.at(0);
        SaveDocumentFile(b.doc, File());
        original_ = Contents();
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        // 10 December 2026, noon UTC.
        const FixedClock clock(1796904000);
        return RunCli(args, out_, err_, clock);
    }
    std::string File() const { return (folder_ / "depot.fl2").string(); }
    std::string Contents() const { return testing::TempFolder::Contents(File()); }
    void Restore() const { std::ofstream(File(), std::ios::binary) << original_; }
    CFolari2Doc Read() const { return LoadDocumentFile(File(), ReadSettings{}).doc; }
    // The transaction whose id the command printed.
    CFL2Transaktion Printed(const CFolari2Doc& doc) const {
        const CFL2Transaktion* t = doc.FindTransaction(std::stoi(out_.str()));
        EXPECT_NE(t, nullptr) << out_.str();
        return t ? *t : CFL2Transaktion{};
    }
    // The allocation items of a transaction as (source lot, whole pieces).
    static std::vector<std::pair<int32_t, double>> Items(const CFL2Transaktion& t) {
        std::vector<std::pair<int32_t, double>> items;
        for (const CFL2PosInfo& i : t.allocations)
            items.emplace_back(i.positionNo, static_cast<double>(i.quantity) / kPiece);
        return items;
    }
    // The rows of `lots --all` as "number state name pieces ... income" with the given columns
    // (0-based) joined by blanks.
    std::vector<std::string> LotRows(const std::vector<size_t>& columns) {
        EXPECT_EQ(Run({"lots", File(), "--all"}), 0) << err_.str();
        std::vector<std::string> rows;
        std::istringstream in(out_.str());
        std::string line;
        std::getline(in, line);  // header
        while (std::getline(in, line)) {
            std::vector<std::string> fields;
            std::istringstream cells(line);
            for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
            std::string row;
            for (size_t c : columns) row += (row.empty() ? "" : " ") + fields.at(c);
            rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    std::string Pos(int32_t positionNo) const { return std::to_string(positionNo); }

    // A refused command: exit 1, exactly `message` on stderr, nothing on stdout, the file
    // unchanged.
    void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
        EXPECT_EQ(Run(args), 1);
        EXPECT_EQ(err_.str(), message + "\n");
        EXPECT_EQ(out_.str(), "");
        EXPECT_EQ(Contents(), original_);
    }

    testing::TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string original_;
    std::ostringstream out_;
    std::ostringstream err_;
    int32_t usd_ = -1;
    int32_t alpha_ = -1, beta_ = -1, gamma_ = -1, delta_ = -1;
    int32_t alpha1_ = -1, alpha2_ = -1, beta1_ = -1, beta2_ = -1;
    int32_t beta2BuyId_ = -1, deltaBuyId_ = -1;
    int32_t deltaSold_ = -1;  // the number of Delta's sold lot
};

struct RefusedCase {
    const char* name;
    std::vector<std::string> args;  // after the file
    std::string message;
};

TEST_F(CliTransactions, BuyIsStoredWithTheAmountsOfTheDialog) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        double marketValue;
        double amount;
        int32_t currency1;
    };
    const std::vector<Case> cases = {
        // 2 × 10,125 = 20,25; + 5,00 commission 2 = 25,25.
        {"base currency",
         {"--pieces", "2", "--price", "10,125", "--costs2", "5,00"},
         20.25,
         25.25,
         kBaseCurrencyId},
        // 10 × 12,50 = 125,00; + 2,50 = 127,50 USD; 127,50 × 1,00 / 1,25 = 102,00 EUR; + 1,00.
        {"dollar with rate",
         {"--pieces", "10", "--price", "12,50", "--currency", "USD", "--rate", "1,25:1,00",
          "--costs", "2,50", "--costs2", "1,00"},
         125.0,
         103.0,
         -2},
        // The Deutsche Mark has its fixed rate whatever --rate says: 195,58 DM / 1,95583 =
        // 99,998... EUR, rounded to 100,00.
        {"fixed rate",
         {"--pieces", "1", "--price", "195,583", "--currency", "DM", "--rate", "1:7"},
         195.58,
         100.0,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"buy",        File(),       "--date",
                                         "01.02.2024", "--security", "WGamma"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ASSERT_EQ(Run(args), 0) << err_.str();
        const CFolari2Doc doc = Read();
        const CFL2Transaktion t = Printed(doc);
        EXPECT_EQ(t.type, TransactionType::Buy);
        EXPECT_EQ(t.securityId, gamma_);
        EXPECT_EQ(t.date, Day(1, 2, 2024));
        EXPECT_DOUBLE_EQ(t.marketValue1, c.marketValue);
        EXPECT_DOUBLE_EQ(t.amount, c.amount);
        EXPECT_EQ(t.currency1, c.currency1 == -2 ? usd_ : c.currency1);
        EXPECT_EQ(t.currency2, kBaseCurrencyId);
        Restore();
    }
}

TEST_F(CliTransactions, BuyKeepsStopAndTargetOfTheNewLot) {
    ASSERT_EQ(Run({"buy", File(), "--date", "01.02.2024", "--security", "WGamma", "--pieces", "5",
                   "--price", "10", "--stop", "9,50", "--target", "12", "--text", "Erstkauf"}),
              0)
        << err_.str();
    const CFolari2Doc doc = Read();
    const CFL2Transaktion t = Printed(doc);
    EXPECT_EQ(t.text, "Erstkauf");
    EXPECT_EQ(StopOf(doc, t.positionNo), 9.5);
    EXPECT_EQ(TargetOf(doc, t.positionNo), 12.0);
}

TEST_F(CliTransactions, BuyRefusalsAreTheDialogsMessages) {
    const std::vector<RefusedCase> cases = {
        {"letters as pieces",
         {"--pieces", "zehn", "--price", "10"},
         "Bitte geben Sie eine korrekte Stückzahl an!"},
        {"no pieces",
         {"--pieces", "0", "--price", "10"},
         "Bitte geben Sie eine Stückzahl größer Null an!"},
        {"letters as price",
         {"--pieces", "1", "--price", "zehn"},
         "Bitte geben Sie einen korrekten Kaufkurs ein!"},
        {"rate of zero",
         {"--pieces", "1", "--price", "10", "--currency", "USD", "--rate", "0:1"},
         "Bitte geben Sie einen Wert größer Null an!"},
        {"empty commission 2",
         {"--pieces", "1", "--price", "10", "--costs2", ""},
         "Bitte geben Sie einen Wert für Provision, Courtage und Spesen ein!"},
        {"dollar as currency 2 (no fixed rate)",
         {"--pieces", "1", "--price", "10", "--currency2", "USD"},
         "Bitte wählen Sie eine Währung aus!"},
        {"wrong stop price",
         {"--pieces", "1", "--price", "10", "--stop", "tief"},
         "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!"},
        {"unknown security",
         {"--pieces", "1", "--price", "10", "--security", "W0"},
         "Ein Wertpapier mit der WKN \"W0\" gibt es in dieser Datei nicht."},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"buy",        File(),       "--date",
                                         "01.02.2024", "--security", "WGamma"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectRefused(args, c.message);
    }
}

TEST_F(CliTransactions, SaleTakesTheOldestLotsOrTheChosenOnes) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::pair<int32_t, double>> items;
    };
    const std::vector<Case> cases = {
        {"oldest first", {"--pieces", "30"}, {{alpha1_, 20}, {alpha2_, 10}}},
        {"the later lot only", {"--pieces", "5", "--lots", Pos(alpha2_) + ":5"}, {{alpha2_, 5}}},
        {"both lots by hand, decimal comma",
         {"--pieces", "7,5", "--lots", Pos(alpha1_) + ":2,5," + Pos(alpha2_) + ":5"},
         {{alpha1_, 2.5}, {alpha2_, 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"sell",       File(),   "--date",  "01.02.2024",
                                         "--security", "WAlpha", "--price", "15,00"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ASSERT_EQ(Run(args), 0) << err_.str();
        const CFL2Transaktion t = Printed(Read());
        EXPECT_EQ(t.type, TransactionType::Sell);
        EXPECT_EQ(Items(t), c.items);
        Restore();
    }
}

TEST_F(CliTransactions, SaleRefusals) {
    const std::string a1 = Pos(alpha1_);
    const std::string a2 = Pos(alpha2_);
    const std::vector<RefusedCase> cases = {
        {"more than held",
         {"--pieces", "41"},
         "So viele Wertpapiere befinden sich nicht im Depot!"},
        {"before every purchase",
         {"--pieces", "1", "--date", "04.01.2024"},
         "An diesem Tag befinden sich keine Wertpapiere im Depot, die verkauft werden können!"},
        {"letters as price",
         {"--pieces", "1", "--price", "x"},
         "Bitte geben Sie einen korrekten Verkaufkurs ein!"},
        {"lots short of the pieces",
         {"--pieces", "10", "--lots", a1 + ":5"},
         "Bitte teilen Sie die verkauften Stücke auf die verschiedenen Positionen auf!"},
        {"lots beyond the pieces",
         {"--pieces", "10", "--lots", a1 + ":5," + a2 + ":10"},
         "Die Stückzahlen von --lots ergeben zusammen 15 Stück, verkauft werden 10 Stück."},
        {"a lot of another security",
         {"--pieces", "5", "--lots", Pos(beta1_) + ":5"},
         "Position " + Pos(beta1_) +
             " gehört nicht zu den Positionen, die der Dialog an diesem Tag für dieses "
             "Wertpapier anbietet."},
        {"more than the lot holds",
         {"--pieces", "25", "--lots", a1 + ":25"},
         "Position " + a1 + " umfasst nur 20 Stück."},
        {"letters as lot pieces",
         {"--pieces", "5", "--lots", a1 + ":fünf"},
         "Bitte geben Sie eine korrekte Stückzahl ein!"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"sell",       File(),   "--date",  "01.02.2024",
                                         "--security", "WAlpha", "--price", "15,00"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectRefused(args, c.message);
    }
}

TEST_F(CliTransactions, DividendIsAllocatedToTheLots) {
    ASSERT_EQ(Run({"movement", File(), "--date", "01.02.2024", "--kind", "Dividenden-Gutschrift",
                   "--amount", "10,00", "--security", "WBeta", "--book-as", "1"}),
              0)
        << err_.str();
    const CFL2Transaktion t = Printed(Read());
    EXPECT_EQ(t.type, TransactionType::AccountMovement);
    EXPECT_EQ(t.securityId, beta_);
    EXPECT_EQ(t.allocKind, kIncome);
    EXPECT_EQ(Items(t), (std::vector<std::pair<int32_t, double>>{{beta1_, 30}, {beta2_, 10}}));
    // 10,00 over 40 pieces: 7,50 for the 30, the remainder 2,50 for the 10 (columns: number,
    // pieces, income).
    EXPECT_EQ(LotRows({0, 3, 11}),
              (std::vector<std::string>{Pos(alpha1_) + " 20 0,00", Pos(alpha2_) + " 20 0,00",
                                        Pos(beta1_) + " 30 7,50", Pos(beta2_) + " 10 2,50",
                                        Pos(deltaSold_) + " 10 0,00"}));
}

TEST_F(CliTransactions, MovementsWithoutLinkOrWithChosenLots) {
    ASSERT_EQ(Run({"movement", File(), "--date", "01.02.2024", "--kind", "Kapitaleinlage",
                   "--amount", "1.000+250,50", "--currency", "DM", "--text", "Einzahlung"}),
              0)
        << err_.str();
    CFL2Transaktion t = Printed(Read());
    EXPECT_EQ(t.amount, 1250.5);
    EXPECT_EQ(t.currency2, 1);
    EXPECT_EQ(t.securityId, -1);
    EXPECT_EQ(t.text, "Einzahlung");
    EXPECT_TRUE(t.allocations.empty());

    ASSERT_EQ(Run({"movement", File(), "--date", "01.02.2024", "--kind", "Steuern", "--amount", "3",
                   "--security", "WBeta", "--lots", Pos(beta2_) + ":4"}),
              0)
        << err_.str();
    t = Printed(Read());
    EXPECT_EQ(t.allocKind, kPurchaseCosts);
    EXPECT_EQ(t.currency2, kBaseCurrencyId);
    EXPECT_EQ(Items(t), (std::vector<std::pair<int32_t, double>>{{beta2_, 4}}));
}

TEST_F(CliTransactions, MovementRefusals) {
    const std::vector<RefusedCase> cases = {
        {"amount of 0,004",
         {"--amount", "0,004"},
         "Bitte geben Sie einen Betrag ungleich Null ein!"},
        {"letters as amount", {"--amount", "zehn"}, "Bitte geben Sie einen korrekten Betrag ein!"},
        {"currency without fixed rate",
         {"--currency", "USD"},
         "Bitte wählen Sie eine Währung aus!"},
        {"nothing allocated",
         {"--security", "WBeta", "--lots", Pos(beta1_) + ":0"},
         "Bitte ordnen Sie den Betrag den Wertpapierpositionen zu!"},
        {"a lot of another security",
         {"--security", "WBeta", "--lots", Pos(alpha1_) + ":1"},
         "Position " + Pos(alpha1_) +
             " gehört nicht zu den Positionen, die der Dialog an diesem Tag für dieses "
             "Wertpapier anbietet."},
        {"kind without securities",
         {"--kind", "Kapitaleinlage", "--security", "WBeta"},
         "Der Vorgang \"Kapitaleinlage\" kann nicht auf ein Wertpapier bezogen werden."},
        {"no lots on the day",
         {"--date", "02.01.2024", "--security", "WBeta"},
         "An diesem Tag befinden sich keine Wertpapiere im Depot, auf die sich die "
         "Kontobewegung beziehen kann."},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"movement",   File(),   "--date",
                                         "01.02.2024", "--kind", "Dividenden-Gutschrift",
                                         "--amount",   "5"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectRefused(args, c.message);
    }
}

TEST_F(CliTransactions, UnknownMovementKindListsTheKinds) {
    EXPECT_EQ(
        Run({"movement", File(), "--date", "01.02.2024", "--kind", "Dividende", "--amount", "5"}),
        1);
    EXPECT_EQ(err_.str().rfind("Den Vorgang \"Dividende\" gibt es in dieser Datei nicht. "
                               "Möglich sind:\n  Kapitaleinlage\n  Kapitalentnahme\n"
                               "  Dividenden-Gutschrift\n",
                               0),
              0u)
        << err_.str();
    EXPECT_EQ(Contents(), original_);
}

TEST_F(CliTransactions, SplitTwoForOne) {
    ASSERT_EQ(Run({"split", File(), "--date", "01.02.2024", "--security", "WBeta", "--new", "2",
                   "--old", "1"}),
              0)
        << err_.str();
    const CFL2Transaktion t = Printed(Read());
    EXPECT_EQ(t.type, TransactionType::Split);
    EXPECT_EQ(t.splitRatio, 2.0);
    // Columns: number, pieces, price; Beta's lots double, their prices halve.
    EXPECT_EQ(LotRows({0, 3, 7}),
              (std::vector<std::string>{Pos(alpha1_) + " 20 10,00", Pos(alpha2_) + " 20 12,00",
                                        Pos(beta1_) + " 60 10,00", Pos(beta2_) + " 20 11,00",
                                        Pos(deltaSold_) + " 10 5,00"}));
}

TEST_F(CliTransactions, SplitRefusals) {
    const std::vector<RefusedCase> cases = {
        {"before the last purchase",
         {"--date", "11.01.2024"},
         "Ein Aktiensplit ist für dieses Wertpapier frühestens am 13.01.2024 möglich, da vorher "
         "bereits Transaktionen mit diesem Wertpapier vorhanden sind!"},
        {"letters as new pieces", {"--new", "zwei"}, "Bitte geben Sie eine korrekte Stückzahl an!"},
        {"no old pieces", {"--old", "0"}, "Bitte geben Sie eine Stückzahl größer Null an!"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"split", File(),  "--date", "01.02.2024", "--security",
                                         "WBeta", "--new", "2",      "--old",      "1"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectRefused(args, c.message);
    }
}

TEST_F(CliTransactions, ExchangeThreeForTwo) {
    // 20 old Alpha pieces become 30 Gamma pieces; the oldest Alpha lot goes first.
    ASSERT_EQ(Run({"exchange", File(), "--date", "01.02.2024", "--from", "WAlpha", "--to", "WGamma",
                   "--old", "20", "--new", "30"}),
              0)
        << err_.str();
    const CFL2Transaktion t = Printed(Read());
    EXPECT_EQ(t.type, TransactionType::Exchange);
    EXPECT_EQ(t.otherId, gamma_);
    ASSERT_EQ(t.allocations.size(), 1u);
    EXPECT_EQ(t.allocations[0].positionNo, alpha1_);
    // Columns: state, name, pieces; the new Gamma lot holds 30 pieces.
    EXPECT_EQ(
        LotRows({1, 2, 3}),
        (std::vector<std::string>{"offen Alpha 20", "offen Beta 10", "offen Beta 30",
                                  "offen Gamma 30", "umgetauscht Alpha 20", "verkauft Delta 10"}));
}

TEST_F(CliTransactions, ExchangeOfAChosenLot) {
    ASSERT_EQ(
        Run({"exchange", File(), "--date", "01.02.2024", "--from", "WAlpha", "--to", "WGamma",
             "--old", "2", "--new", "3", "--lots", Pos(alpha2_) + ":2", "--keep-purchase-date"}),
        0)
        << err_.str();
    const CFL2Transaktion t = Printed(Read());
    EXPECT_EQ(Items(t), (std::vector<std::pair<int32_t, double>>{{alpha2_, 2}}));
    EXPECT_EQ(t.allocKind, 1);
}

TEST_F(CliTransactions, ExchangeRefusals) {
    const std::vector<RefusedCase> cases = {
        {"into the same security",
         {"--to", "WAlpha"},
         "Bitte wählen Sie unterschiedliche Wertpapiere aus!"},
        {"more than held", {"--old", "41"}, "So viele Wertpapiere befinden sich nicht im Depot!"},
        {"letters as new pieces", {"--new", "x"}, "Bitte geben Sie eine korrekte Stückzahl an!"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"exchange", File(),   "--date", "01.02.2024",
                                         "--from",   "WAlpha", "--to",   "WGamma",
                                         "--old",    "2",      "--new",  "3"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectRefused(args, c.message);
    }
}

TEST_F(CliTransactions, StopAndTargetAreSetAndCleared) {
    ASSERT_EQ(Run({"stop", File(), "--position", Pos(beta1_), "--stop", "18,50", "--target", "25"}),
              0)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
    CFolari2Doc doc = Read();
    EXPECT_EQ(StopOf(doc, beta1_), 18.5);
    EXPECT_EQ(TargetOf(doc, beta1_), 25.0);
    // Only the target is named: the stop price stays, "" clears the target.
    ASSERT_EQ(Run({"stop", File(), "--position", Pos(beta1_), "--target", ""}), 0) << err_.str();
    doc = Read();
    EXPECT_EQ(StopOf(doc, beta1_), 18.5);
    EXPECT_LE(TargetOf(doc, beta1_), 0.0);
}

TEST_F(CliTransactions, StopRefusals) {
    ExpectRefused({"stop", File(), "--position", Pos(beta1_), "--stop", "tief"},
                  "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!");
    ExpectRefused({"stop", File(), "--position", Pos(beta1_), "--target", "hoch"},
                  "Bitte geben Sie einen korrekten Zielkurs ein oder lassen Sie das Feld frei!");
    ExpectRefused({"stop", File(), "--position", Pos(deltaSold_), "--stop", "1"},
                  "Position " + Pos(deltaSold_) +
                      " ist keine offene Position; Stopp- und Zielkurse gibt es nur für "
                      "offene Positionen.");
}

TEST_F(CliTransactions, AccountCurrencyChange) {
    ASSERT_EQ(Run({"account-currency", File(), "--date", "01.01.2025", "--currency", "DM"}), 0)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
    const CFolari2Doc doc = Read();
    ASSERT_EQ(doc.accountCurrencyChanges.size(), 1u);
    EXPECT_EQ(doc.accountCurrencyChanges[0].date, Day(1, 1, 2025));
    EXPECT_EQ(doc.accountCurrencyChanges[0].currencyId, 1);
    EXPECT_EQ(doc.AccountCurrencyAt(Day(31, 12, 2024)), kBaseCurrencyId);
    EXPECT_EQ(doc.AccountCurrencyAt(Day(1, 1, 2025)), 1);
}

TEST_F(CliTransactions, AccountCurrencyRefusals) {
    ExpectRefused({"account-currency", File(), "--date", "01.01.2025", "--currency", "EUR"},
                  "An diesem Datum wird das Konto bereits in Euro geführt!");
    ExpectRefused({"account-currency", File(), "--date", "01.01.2025", "--currency", "USD"},
                  "Die Währung \"USD\" hat keinen festen Kurs; das Konto kann nur in einer "
                  "Währung mit festem Kurs geführt werden.");
}

TEST_F(CliTransactions, DeleteTransaction) {
    const CFolari2Doc before = Read();
    ExpectRefused({"delete-transaction", File(), "--id", std::to_string(deltaBuyId_)},
                  "Diese Transaktion kann nicht gelöscht werden, da andere Transaktionen "
                  "vorhanden sind, die sich auf diese hier beziehen!");
    ExpectRefused({"delete-transaction", File(), "--id", "999"},
                  "Eine Transaktion mit der Nummer 999 gibt es in dieser Datei nicht.");
    // The purchase of Beta's second lot: nothing refers to it.
    const int32_t beta2Buy = beta2BuyId_;
    ASSERT_EQ(Run({"delete-transaction", File(), "--id", std::to_string(beta2Buy)}), 0)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
    const CFolari2Doc after = Read();
    EXPECT_EQ(after.FindTransaction(beta2Buy), nullptr);
    EXPECT_EQ(after.transactions.size(), before.transactions.size() - 1);
}

TEST_F(CliTransactions, DryRunChecksAndPrintsButWritesNothing) {
    const std::vector<std::vector<std::string>> commands = {
        {"buy", File(), "--date", "01.02.2024", "--security", "WGamma", "--pieces", "1", "--price",
         "1"},
        {"sell", File(), "--date", "01.02.2024", "--security", "WAlpha", "--pieces", "1", "--price",
         "1"},
        {"movement", File(), "--date", "01.02.2024", "--kind", "Kapitaleinlage", "--amount", "1"},
        {"split", File(), "--date", "01.02.2024", "--security", "WBeta", "--new", "2", "--old", "1",
         "--permanent"},
        {"exchange", File(), "--date", "01.02.2024", "--from", "WAlpha", "--to", "WGamma", "--old",
         "2", "--new", "3"},
        {"stop", File(), "--position", Pos(beta1_), "--stop", "1"},
        {"account-currency", File(), "--date", "01.01.2025", "--currency", "DM"},
        {"delete-transaction", File(), "--id", std::to_string(beta2BuyId_)},
    };
    for (std::vector<std::string> args : commands) {
        SCOPED_TRACE(args[0]);
        args.push_back("--dry-run");
        EXPECT_EQ(Run(args), 0) << err_.str();
        EXPECT_EQ(err_.str(), "");
        EXPECT_EQ(Contents(), original_);
    }
}

TEST_F(CliTransactions, WrongUsageIsExitTwoAndWritesNothing) {
    const std::vector<std::vector<std::string>> commands = {
        {"buy", File(), "--date", "01.02.2024", "--pieces", "1", "--price", "1"},
        {"sell", File(), "--date", "01.02.2024", "--security", "WAlpha", "--pieces", "1", "--price",
         "1", "--lots", "1-5"},
        {"movement", File(), "--date", "01.02.2024", "--kind", "Steuern", "--amount", "1",
         "--book-as", "1"},
        {"movement", File(), "--date", "01.02.2024", "--kind", "Steuern", "--amount", "1",
         "--security", "WBeta", "--book-as", "3"},
        {"split", File(), "--security", "WBeta", "--new", "2", "--old", "1"},
        {"stop", File(), "--position", "eins"},
        {"delete-transaction", File()},
    };
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(Run(args), 2);
        EXPECT_NE(err_.str(), "");
        EXPECT_EQ(Contents(), original_);
    }
}

TEST_F(CliTransactions, ImpossibleDateIsRefused) {
    EXPECT_EQ(Run({"buy", File(), "--date", "30.02.2024", "--security", "WGamma", "--pieces", "1",
                   "--price", "1"}),
              1);
    EXPECT_NE(err_.str().find("kein gültiges Datum"), std::string::npos) << err_.str();
    EXPECT_EQ(Contents(), original_);
}

}  // namespace
}  // namespace pf

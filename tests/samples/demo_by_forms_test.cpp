// Demo1's history entered the way a user enters it: the new-file wizard, the currency and
// security dialogs, then every purchase, sale, movement, split and exchange through the form
// models of their dialogs, with the texts typed in the document's number format. The result
// must match the demonstration portfolio built through the engine's operations, to the cent
// and the day.
//
// The user enters the history in date order, as the dialogs' date rules require (a split
// only after the security's last transaction, an exchange only of lots that no later
// movement needs); the demonstration builder does the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/account_currency.h"
#include "engine/balance_series.h"
#include "engine/holdings.h"
#include "engine/movement_form.h"
#include "engine/security_form.h"
#include "engine/split_exchange_form.h"
#include "engine/stop_target.h"
#include "engine/tax_categories.h"
#include "engine/trade_form.h"
#include "model/document.h"
#include "quotes/currency_form.h"
#include "samples/demo_portfolios.h"
#include "shell/new_file_wizard_form.h"

namespace pf::testing {
namespace {

const CQRNDatum kToday = DateOf(31, 12, 2025);

// A number as the user types it: a decimal comma, no thousands points.
std::string Typed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// A whole number of cents as typed ("241,50").
std::string TypedCents(long long cents) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%lld,%02lld", cents / 100, cents % 100);
    return buffer;
}

// The first weekday on or after `date`.
CQRNDatum Weekday(CQRNDatum date) {
    while (!date.IsWeekday()) date = CQRNDatum(date.DayNumber() + 1);
    return date;
}

const CFL2Wertpapier* ByWkn(const CFolari2Doc& doc, const std::string& wkn) {
    for (const CFL2Wertpapier& s : doc.securities)
        if (s.wkn == wkn) return &s;
    return nullptr;
}

long long Cents(double amount) { return std::llround(amount * 100); }
long long Millionths(double price) { return std::llround(price * 1e7); }

// Enters the dialogs' values one after the other. Every OK must pass its check and change the
// document; a refusal is reported with its text.
class User {
  public:
    explicit User(CFolari2Doc& doc) : doc_(doc) {}

    template <class Form>
    int32_t Ok(const Form& form, const std::string& what) {
        SCOPED_TRACE(what);
        const MaybeMessage m = form.Check(doc_);
        EXPECT_FALSE(m) << m->title << ": " << m->text << " (" << m->field << ")";
        const int32_t id = form.Apply(doc_);
        EXPECT_GE(id, 0);
        return id;
    }

    const CFL2Wertpapier& Security(const char* wkn) const {
        const CFL2Wertpapier* s = ByWkn(doc_, wkn);
        EXPECT_NE(s, nullptr) << wkn;
        return *s;
    }

    // The price the user reads from the quote list: that day's quote, to the cent.
    std::string Quote(const CFL2Wertpapier& s, CQRNDatum date) const {
        return Typed(s.PriceAt(date, date), 2);
    }

    // Fills currency 1 (the security's) and currency 2 (the account's); a dollar price is
    // converted at the day's rate "r USD = 1,00 EUR".
    void Currencies(TradeEntry& f, const CFL2Wertpapier& s) const {
        f.currency1 = s.quoteCurrencyId;
        f.currency2 = doc_.AccountCurrencyAt(f.date);
        if (f.currency1 != f.currency2) {
            f.commission1 = "0,00";
            f.rateBase = Typed(doc_.FindCurrency(f.currency1)->RateAt(f.date), 4);
            f.rateQuote = "1,00";
        }
    }

    void Buy(CQRNDatum date, const char* wkn, const char* pieces, const char* commission,
             const char* text = "") {
        const CFL2Wertpapier& s = Security(wkn);
        PurchaseForm f = PurchaseForm::New(doc_, kToday);
        f.date = date;
        f.name = s.name;
        f.code = s.wkn;
        f.quantity = pieces;
        f.price = Quote(s, date);
        Currencies(f, s);
        f.commission2 = commission;
        f.text = text;
        Ok(f, "Kauf " + s.name + " " + date.FormatLong());
    }

    // The lots to sell are the oldest ones ("älteste Positionen verkaufen").
    void Sell(CQRNDatum date, const char* wkn, const char* pieces, const char* commission,
              const char* text) {
        const CFL2Wertpapier& s = Security(wkn);
        SaleForm f = SaleForm::New(doc_, kToday);
        f.date = date;
        f.nameSecurityId = f.codeSecurityId = s.id;
        f.quantity = pieces;
        f.price = Quote(s, date);
        Currencies(f, s);
        f.commission2 = commission;
        f.oldestFirst = true;
        f.text = text;
        Ok(f, "Verkauf " + s.name + " " + date.FormatLong());
    }

    // A movement in the account currency; with a security it is linked and allocated to its
    // lots automatically.
    void Movement(CQRNDatum date, const char* kind, const std::string& amount, const char* text,
                  const char* wkn = nullptr, int32_t allocKind = kIncome) {
        MovementForm f = MovementForm::New(doc_, kToday);
        f.date = date;
        const CFL2KontoVorgang* k = doc_.FindAccountMovementKindByName(kind);
        ASSERT_NE(k, nullptr) << kind;
        f.kindId = k->id;
        f.currencyId = doc_.AccountCurrencyAt(date);
        f.amount = amount;
        f.text = text;
        if (wkn != nullptr) {
            f.linked = true;
            f.nameSecurityId = f.codeSecurityId = Security(wkn).id;
            f.allocKind = allocKind;
            f.automatic = true;
            EXPECT_TRUE(f.LinkEnabled(doc_)) << kind << " " << date.FormatLong();
        }
        Ok(f, std::string(kind) + " " + date.FormatLong());
    }

    CFolari2Doc& doc_;
};

// What the user enters, as one dated step; the steps are entered in date order.
struct Step {
    CQRNDatum date;
    std::function<void(User&)> enter;
};

CFolari2Doc EnterDemo1(const CFolari2Doc& demo) {
    CFolari2Doc doc;

    // "Datei > Neu...": the euro without legacy currencies, the account in euro.
    NewFileWizardForm wizard;
    wizard.depot.holderName = "Demo-Depot 1 (Beispieldaten)";
    wizard.depot.holderAddress = "Beispieldaten zur Demonstration\nMusterweg 1\n12345 Musterstadt";
    wizard.depot.depotNumber = "DEMO-DEPOT";
    wizard.depot.accountNumber = "DEMO-KONTO";
    wizard.depot.bankCode = "000 000 00";
    wizard.accountCurrencySymbol = "EUR";
    EXPECT_FALSE(wizard.LeavePage1());
    EXPECT_FALSE(wizard.LeavePage2());
    doc.NewDocument(wizard.Choices(), kToday);

    // "Neue Währung": the dollar with a variable rate, "x,xx USD = 1 EUR".
    CurrencyForm usd = CurrencyForm::New(doc);
    usd.symbol = "USD";
    usd.name = "US-Dollar";
    usd.fixed = false;
    usd.quoteFormat = kUnitsPerReference;
    User user(doc);
    const int32_t usdId = user.Ok(usd, "Neue Währung USD");
    doc.FindCurrency(usdId)->rates = demo.FindCurrencyBySymbol("USD")->rates;

    // "Neues Wertpapier", six times.
    struct NewSecurity {
        const char* name;
        const char* wkn;
        const char* isin;
        bool dollar;
        const char* type;
        const char* sector;
        const char* country;
    };
    const NewSecurity securities[] = {
        {"Rheinchemie AG", "RCH100", "DE000RCH1006", false, "Aktie", "Chemie", "Deutschland"},
        {"Hansa Logistik AG", "HLG200", "DE000HLG2002", false, "Aktie", "Transport", "Deutschland"},
        {"Hansa Logistik Holding SE", "HLH210", "DE000HLH2108", false, "Aktie", "Transport",
         "Deutschland"},
        {"Alpenbank AG", "ALP300", "DE000ALP3000", false, "Aktie", "Banken", "Deutschland"},
        {"Europa Aktienfonds", "EAF400", "DE000EAF4004", false, "Fonds", "Mischfonds", "Europa"},
        {"Pacific Circuits Inc.", "PCI500", "US6951234567", true, "Aktie", "Technologie", "USA"},
    };
    for (const NewSecurity& n : securities) {
        SecurityForm f = SecurityForm::New(doc);
        f.name = n.name;
        f.wkn = n.wkn;
        f.isin = n.isin;
        f.quoteCurrencyId = n.dollar ? usdId : kBaseCurrencyId;
        f.type = n.type;
        f.sector = n.sector;
        f.country = n.country;
        const int32_t id = user.Ok(f, std::string("Neues Wertpapier ") + n.name);
        if (id < 0) continue;
        doc.FindSecurity(id)->quotes = ByWkn(demo, n.wkn)->quotes;
    }

    std::vector<Step> steps;
    const auto at = [&steps](CQRNDatum date, std::function<void(User&)> enter) {
        steps.push_back({date, std::move(enter)});
    };
    at(DateOf(3, 1, 2005), [](User& u) {
        u.Movement(DateOf(3, 1, 2005), "Kapitaleinlage", "60.000,00", "Startkapital");
    });
    at(DateOf(10, 1, 2005),
       [](User& u) { u.Buy(DateOf(10, 1, 2005), "RCH100", "150", "9,90", "Erstkauf"); });
    at(DateOf(17, 1, 2005), [](User& u) { u.Buy(DateOf(17, 1, 2005), "ALP300", "200", "9,90"); });
    at(DateOf(1, 2, 2005),
       [](User& u) { u.Buy(DateOf(1, 2, 2005), "EAF400", "120", "0,00", "Sparplan"); });
    at(DateOf(7, 3, 2005), [](User& u) { u.Buy(DateOf(7, 3, 2005), "HLG200", "300", "9,90"); });
    at(DateOf(5, 4, 2005), [](User& u) { u.Buy(DateOf(5, 4, 2005), "PCI500", "100", "14,90"); });
    at(DateOf(14, 11, 2005), [](User& u) {
        u.Sell(DateOf(14, 11, 2005), "ALP300", "80", "9,90", "Teilverkauf (Spekulationsfrist)");
    });
    at(DateOf(6, 3, 2006), [](User& u) { u.Buy(DateOf(6, 3, 2006), "RCH100", "60", "9,90"); });
    for (int year = 2005; year <= 2025; ++year) {
        const unsigned y = static_cast<unsigned>(year);
        // Rheinchemie pays 0,80 a piece in 2005, 5 cents more each year, on the pieces held:
        // 150, then 210 from 2006 on, and 420 after the 2:1 split of July 2011.
        const long long chemiePieces = year == 2005 ? 150 : year <= 2011 ? 210 : 420;
        const std::string chemie = TypedCents(chemiePieces * (80 + 5 * (year - 2005)));
        const CQRNDatum may = Weekday(DateOf(20, 5, y));
        at(may, [=](User& u) {
            u.Movement(may, "Dividenden-Gutschrift", chemie, "Dividende", "RCH100");
        });
        // Hansa Logistik pays 0,45 on its 300 pieces until it is exchanged in November 2014;
        // from 2015 on the Holding pays 0,60 on the 200 pieces received.
        const CQRNDatum june = Weekday(DateOf(12, 6, y));
        at(june, [=](User& u) {
            if (year <= 2014)
                u.Movement(june, "Dividenden-Gutschrift", "135,00", "Dividende", "HLG200");
            else
                u.Movement(june, "Dividenden-Gutschrift", "120,00", "Dividende", "HLH210");
        });
        const CQRNDatum december = Weekday(DateOf(20, 12, y));
        at(december,
           [=](User& u) { u.Movement(december, "Depotgebühren", "35,70", "Depotentgelt"); });
        if (year >= 2006) {
            const CQRNDatum february = Weekday(DateOf(1, 2, y));
            const std::string pieces = std::to_string(10 + (year % 3) * 5);
            at(february,
               [=](User& u) { u.Buy(february, "EAF400", pieces.c_str(), "0,00", "Sparplan"); });
        }
    }
    at(DateOf(15, 4, 2008), [](User& u) {
        u.Sell(DateOf(15, 4, 2008), "ALP300", "120", "9,90", "Verkauf (steuerfrei)");
    });
    at(DateOf(2, 3, 2009),
       [](User& u) { u.Movement(DateOf(2, 3, 2009), "Kapitaleinlage", "25.000,00", "Zuzahlung"); });
    at(DateOf(9, 3, 2009),
       [](User& u) { u.Buy(DateOf(9, 3, 2009), "ALP300", "250", "9,90", "Wiedereinstieg"); });
    // The limit fee is linked to the new Alpenbank lot as purchase costs.
    at(DateOf(10, 3, 2009), [](User& u) {
        u.Movement(DateOf(10, 3, 2009), "Limit-Gebühren", "2,50", "Limitgebühr", "ALP300",
                   kPurchaseCosts);
    });
    at(DateOf(1, 7, 2011), [](User& u) {
        SplitForm f = SplitForm::New(u.doc_, kToday);
        f.date = DateOf(1, 7, 2011);
        f.nameSecurityId = f.codeSecurityId = u.Security("RCH100").id;
        f.newPieces = "2";
        f.oldPieces = "1";
        f.text = "Aktiensplit";
        u.Ok(f, "Aktiensplit");
    });
    at(DateOf(16, 5, 2013), [](User& u) {
        u.Sell(DateOf(16, 5, 2013), "ALP300", "100", "9,90", "Teilverkauf (Abgeltungsteuer)");
    });
    // Every Hansa Logistik piece, 3 old for 2 new, keeping the purchase date.
    at(DateOf(3, 11, 2014), [](User& u) {
        ExchangeForm f = ExchangeForm::New(u.doc_, kToday);
        f.date = DateOf(3, 11, 2014);
        f.keepPurchaseDate = true;
        f.sourceNameId = f.sourceCodeId = u.Security("HLG200").id;
        f.oldPieces = "300";
        f.targetName = "Hansa Logistik Holding SE";
        f.targetCode = "HLH210";
        f.newPieces = "200";
        f.oldestFirst = true;
        f.text = "Umtausch nach Verschmelzung";
        u.Ok(f, "Umtausch");
    });
    at(DateOf(8, 9, 2020),
       [](User& u) { u.Sell(DateOf(8, 9, 2020), "PCI500", "40", "14,90", "Gewinnmitnahme"); });
    at(DateOf(5, 10, 2021), [](User& u) { u.Buy(DateOf(5, 10, 2021), "PCI500", "25", "14,90"); });
    at(DateOf(30, 12, 2021), [](User& u) {
        u.Movement(DateOf(30, 12, 2021), "Steuern", "148,37", "Abgeltungsteuer 2021");
    });

    std::stable_sort(steps.begin(), steps.end(),
                     [](const Step& a, const Step& b) { return a.date < b.date; });
    for (const Step& step : steps) step.enter(user);
    return doc;
}

// One lot as a line that names its security by WKN and gives prices to 7 decimals and amounts
// to the cent, so that two documents compare independently of ids and position numbers.
std::string LotLine(const CFolari2Doc& doc, const CFL2DepotPos& p) {
    const CFL2Wertpapier* s = doc.FindSecurity(p.securityId);
    const auto symbol = [&doc](int32_t id) {
        const CFL2Waehrung* c = doc.FindCurrency(id);
        return c != nullptr ? c->symbol : "?";
    };
    std::string line = s != nullptr ? s->wkn : "?";
    const auto add = [&line](const std::string& name, const std::string& value) {
        line += " " + name + "=" + value;
    };
    const auto date = [](CQRNDatum d) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u", d.Year(), d.Month(), d.Day());
        return std::string(buffer);
    };
    add("purchase", date(p.purchaseDate));
    add("state", std::to_string(static_cast<int>(p.state)));
    add("pieces", std::to_string(p.quantity));
    add("entry", date(p.entryDate));
    add("fromExchange", std::to_string(p.fromExchange));
    add("price", std::to_string(Millionths(p.price)));
    add("value1", std::to_string(Cents(p.marketValue1)));
    add("commission1", std::to_string(Cents(p.commission1)));
    add("currency1", symbol(p.currency1));
    add("rate",
        std::to_string(Millionths(p.rateBase)) + ":" + std::to_string(Millionths(p.rateQuote)));
    add("commission2", std::to_string(Cents(p.commission2)));
    add("currency2", symbol(p.currency2));
    add("amount", std::to_string(Cents(p.amount)));
    add("text", p.text);
    add("costs", std::to_string(Cents(p.purchaseCosts)));
    add("total", std::to_string(Cents(p.purchaseTotal)));
    add("income", std::to_string(Cents(p.income)));
    add("purchaseValue", std::to_string(Cents(p.purchaseValue)));
    if (p.state != PositionState::Open) {
        add("sale", date(p.saleDate));
        add("salePrice", std::to_string(Millionths(p.salePrice)));
        add("saleValue1", std::to_string(Cents(p.saleMarketValue1)));
        add("saleRate", std::to_string(Millionths(p.saleRateBase)) + ":" +
                            std::to_string(Millionths(p.saleRateQuote)));
        add("saleCommission2", std::to_string(Cents(p.saleCommission2)));
        add("saleAmount", std::to_string(Cents(p.saleAmount)));
        add("saleText", p.saleText);
        add("saleCosts", std::to_string(Cents(p.saleCosts)));
        add("proceeds", std::to_string(Cents(p.saleProceeds)));
        add("saleValue", std::to_string(Cents(p.saleValue)));
    }
    add("stop", std::to_string(Millionths(p.stopPrice)));
    add("target", std::to_string(Millionths(p.targetPrice)));
    return line;
}

// Every lot after replaying the transactions up to `date`, sorted by its line.
std::vector<std::string> Lots(const CFolari2Doc& doc, CQRNDatum date, bool soldOnly = false) {
    HoldingsQuery query;
    query.limitByDate = true;
    query.limitDate = date;
    std::vector<std::string> lines;
    for (const CFL2DepotPos& p : ComputeHoldings(doc, query))
        if (!soldOnly || p.state == PositionState::Sold) lines.push_back(LotLine(doc, p));
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The lines only one side has, so that a difference names the lot instead of printing both
// lists.
void ExpectSameLots(const std::vector<std::string>& mine, const std::vector<std::string>& demo) {
    std::vector<std::string> missing;
    std::vector<std::string> extra;
    std::set_difference(demo.begin(), demo.end(), mine.begin(), mine.end(),
                        std::back_inserter(missing));
    std::set_difference(mine.begin(), mine.end(), demo.begin(), demo.end(),
                        std::back_inserter(extra));
    for (const std::string& line : missing) ADD_FAILURE() << "only in Demo1: " << line;
    for (const std::string& line : extra) ADD_FAILURE() << "only entered: " << line;
}

class DemoByForms : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        demo = std::make_unique<CFolari2Doc>(MakeDemoPortfolio(1));
        byForms = std::make_unique<CFolari2Doc>(EnterDemo1(*demo));
    }
    static void TearDownTestSuite() {
        byForms.reset();
        demo.reset();
    }

    static std::unique_ptr<CFolari2Doc> demo;
    static std::unique_ptr<CFolari2Doc> byForms;
};

std::unique_ptr<CFolari2Doc> DemoByForms::demo;
std::unique_ptr<CFolari2Doc> DemoByForms::byForms;

TEST_F(DemoByForms, TheWizardAndTheMasterDataDialogsGiveDemo1sDepotCurrenciesAndSecurities) {
    const CFolari2Doc& mine = *byForms;
    EXPECT_EQ(mine.depot, demo->depot);
    EXPECT_EQ(mine.initialAccountCurrencyId, demo->initialAccountCurrencyId);
    EXPECT_EQ(mine.accountCurrencyChanges, demo->accountCurrencyChanges);
    ASSERT_EQ(mine.currencies.size(), demo->currencies.size());
    const CFL2Waehrung* usd = mine.FindCurrencyBySymbol("USD");
    const CFL2Waehrung* demoUsd = demo->FindCurrencyBySymbol("USD");
    ASSERT_NE(usd, nullptr);
    EXPECT_EQ(usd->name, demoUsd->name);
    EXPECT_EQ(usd->isFixed, demoUsd->isFixed);
    EXPECT_EQ(usd->referenceCurrencyId, demoUsd->referenceCurrencyId);
    EXPECT_EQ(usd->quoteFormat, demoUsd->quoteFormat);
    EXPECT_EQ(usd->fixedRate1, demoUsd->fixedRate1);
    EXPECT_EQ(usd->fixedRate2, demoUsd->fixedRate2);
    EXPECT_TRUE(*usd == *demoUsd) << "another field of the currency differs";
    ASSERT_EQ(mine.securities.size(), demo->securities.size());
    for (const CFL2Wertpapier& expected : demo->securities) {
        SCOPED_TRACE(expected.wkn);
        const CFL2Wertpapier* s = ByWkn(mine, expected.wkn);
        ASSERT_NE(s, nullptr);
        CFL2Wertpapier stored = *s;
        stored.id = expected.id;  // ids may be handed out in another order
        stored.quoteCurrencyId = expected.quoteCurrencyId;
        EXPECT_EQ(mine.FindCurrency(s->quoteCurrencyId)->symbol,
                  demo->FindCurrency(expected.quoteCurrencyId)->symbol);
        EXPECT_EQ(stored.name, expected.name);
        EXPECT_EQ(stored.isin, expected.isin);
        EXPECT_EQ(stored.type, expected.type);
        EXPECT_EQ(stored.sector, expected.sector);
        EXPECT_EQ(stored.country, expected.country);
        EXPECT_EQ(stored.internetUrl, expected.internetUrl);
        EXPECT_EQ(stored.internetTextBeforeQuote, expected.internetTextBeforeQuote);
        EXPECT_TRUE(stored == expected) << "another field of the security differs";
    }
}

TEST_F(DemoByForms, EveryTransactionOfDemo1IsEnteredThroughTheDialogs) {
    EXPECT_EQ(byForms->transactions.size(), demo->transactions.size());
}

TEST_F(DemoByForms, HoldingsMatchDemo1LotByLot) {
    for (const CQRNDatum date :
         {DateOf(31, 12, 2005), DateOf(31, 12, 2011), DateOf(31, 12, 2014), DateOf(31, 12, 2025)}) {
        SCOPED_TRACE(date.FormatLong());
        const std::vector<std::string> expected = Lots(*demo, date);
        EXPECT_FALSE(expected.empty());
        ExpectSameLots(Lots(*byForms, date), expected);
    }
}

TEST_F(DemoByForms, RealizedSalesMatchDemo1) {
    const std::vector<std::string> expected = Lots(*demo, kToday, true);
    // Alpenbank 80 (2005), 120 (2008) and 100 (2013), Pacific Circuits 40 (2020).
    EXPECT_EQ(expected.size(), 4u);
    ExpectSameLots(Lots(*byForms, kToday, true), expected);
}

TEST_F(DemoByForms, AccountBalanceSeriesMatchesDemo1) {
    const CQRNDatum from = DateOf(1, 1, 2005);
    const BalanceSeriesResult expected = BalanceSeries(*demo, from, kToday, 0, false, false);
    const BalanceSeriesResult mine = BalanceSeries(*byForms, from, kToday, 0, false, false);
    ASSERT_EQ(mine.balance.size(), expected.balance.size());
    ASSERT_FALSE(expected.balance.empty());
    for (size_t i = 0; i < expected.balance.size(); ++i) {
        const CQRNDatum day(from.DayNumber() + static_cast<uint32_t>(i));
        ASSERT_EQ(Cents(mine.balance[i]), Cents(expected.balance[i])) << day.FormatLong();
        ASSERT_EQ(Cents(mine.capital[i]), Cents(expected.capital[i])) << day.FormatLong();
    }
    // 60.000 + 25.000 paid in.
    EXPECT_EQ(Cents(mine.capital.back()), 8'500'000);
}

// Beyond Demo1, on a copy of the entered document: the account moves to a fixed-rate currency
// of the user's own from 2026 on.
TEST_F(DemoByForms, AnAccountCurrencyChangeReachesTheDocumentAndTheAccount) {
    CFolari2Doc doc = *byForms;
    User user(doc);
    CurrencyForm mark = CurrencyForm::New(doc);
    mark.symbol = "DM";
    mark.name = "Deutsche Mark";
    mark.fixed = true;
    mark.fixedRate1 = "1,95583";
    mark.fixedRate2 = "1,00";
    const int32_t dm = user.Ok(mark, "Neue Währung DM");
    ASSERT_GE(dm, 0);

    AccountCurrencyForm form(doc);
    EXPECT_EQ(AccountCurrencyForm::Currencies(doc), (std::vector<int32_t>{kBaseCurrencyId, dm}));
    const CQRNDatum change = DateOf(2, 1, 2026);
    EXPECT_EQ(form.CheckAddChange(doc, change, kBaseCurrencyId),
              Message::Refusal("Kontowährung",
                               "An diesem Datum wird das Konto bereits in Euro "
                               "geführt!"));
    EXPECT_EQ(form.CheckAddChange(doc, change, dm),
              Message::Question("Kontowährung",
                                "Möchten Sie die Kontowährung ab 02.01.2026 auf Deutsche Mark "
                                "umstellen?"));
    form.AddChange(change, dm);
    EXPECT_EQ(form.CheckAddChange(doc, change, kBaseCurrencyId).text,
              "An diesem Datum wurde die Kontowährung bereits umgestellt!");
    EXPECT_FALSE(form.Check(doc));
    EXPECT_TRUE(form.Apply(doc));
    EXPECT_EQ(doc.accountCurrencyChanges, (std::vector<CFL2KtoWUmst>{{dm, change}}));
    EXPECT_EQ(doc.AccountCurrencyAt(DateOf(1, 1, 2026)), kBaseCurrencyId);
    EXPECT_EQ(doc.AccountCurrencyAt(change), dm);

    // The first fee in marks: 69,82 DM are 35,70 EUR (69,82 / 1,95583 = 35,6984).
    user.Movement(DateOf(20, 1, 2026), "Depotgebühren", "69,82", "Depotentgelt");
    const CQRNDatum from = DateOf(19, 1, 2026);
    const CQRNDatum to = DateOf(20, 1, 2026);
    const BalanceSeriesResult marks = BalanceSeries(doc, from, to, dm, false, false);
    ASSERT_EQ(marks.balance.size(), 2u);
    EXPECT_EQ(Cents(marks.balance[0]) - Cents(marks.balance[1]), 6982);
    const BalanceSeriesResult euros = BalanceSeries(doc, from, to, kBaseCurrencyId, false, false);
    const BalanceSeriesResult before =
        BalanceSeries(*demo, kToday, kToday, kBaseCurrencyId, false, false);
    ASSERT_EQ(euros.balance.size(), 2u);
    EXPECT_EQ(Cents(euros.balance[0]), Cents(before.balance[0]));
    EXPECT_EQ(Cents(euros.balance[1]), Cents(before.balance[0]) - 3570);
}

// Stop and target prices for one lot, then a target for every lot of the fund.
TEST_F(DemoByForms, StopAndTargetPricesReachTheLots) {
    CFolari2Doc doc = *byForms;
    StopTargetForm form;
    form.quoteDate = kToday;
    const std::vector<StopTargetRow> rows = form.Rows(doc);
    const auto row = [&rows](const char* wkn, const char* purchaseDate) {
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const StopTargetRow& r) {
            return r.wkn == wkn && r.purchaseDate == purchaseDate;
        });
        EXPECT_NE(it, rows.end()) << wkn << " " << purchaseDate;
        return it != rows.end() ? *it : StopTargetRow{};
    };
    const StopTargetRow first = row("RCH100", "10.01.2005");
    EXPECT_EQ(first.quantity, 300 * kPiece);  // 150 before the split

    form.Select(doc, first);
    EXPECT_EQ(form.input.stopText, "");
    EXPECT_EQ(form.input.targetText, "");
    form.input.stopText = "15,0x";
    form.input.targetText = "40,00";
    const std::vector<CFL2StoppZielKurs> unchanged = doc.stopTargets;
    EXPECT_EQ(form.Check(doc), Message::Refusal("Stopp- und Zielkurse",
                                                "Bitte geben Sie einen korrekten Stoppkurs ein "
                                                "oder lassen Sie das Feld frei!",
                                                "stop"));
    EXPECT_TRUE(form.Apply(doc).empty());
    EXPECT_EQ(doc.stopTargets, unchanged);

    form.input.stopText = "15,00";
    EXPECT_FALSE(form.Check(doc));
    EXPECT_EQ(form.Apply(doc), (std::vector<int32_t>{first.positionNo}));

    form.Select(doc, row("EAF400", "01.02.2005"));
    form.input.targetText = "150,00";
    form.input.forAllLotsOfSecurity = true;
    EXPECT_FALSE(form.Check(doc));
    // The fund was bought in 2005 and every year from 2006 to 2025 and never sold.
    EXPECT_EQ(form.Apply(doc).size(), 21u);

    HoldingsQuery open;
    open.openOnly = true;
    for (const CFL2DepotPos& lot : ComputeHoldings(doc, open)) {
        const std::string wkn = doc.FindSecurity(lot.securityId)->wkn;
        SCOPED_TRACE(wkn + " " + lot.purchaseDate.FormatLong());
        const bool chosen = lot.positionNo == first.positionNo;
        EXPECT_EQ(lot.stopPrice, chosen ? 15.0 : 0.0);
        EXPECT_EQ(lot.targetPrice, chosen ? 40.0 : wkn == "EAF400" ? 150.0 : 0.0);
    }
}

// A category of the user's own for sales from 2026 on, moved to the top of the list.
TEST_F(DemoByForms, ATaxCategoryReachesTheDocument) {
    CFolari2Doc doc = *byForms;
    const std::vector<CFL2StPflKateg> before = doc.taxCategories;
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(MatchTaxCategory(doc, DateOf(10, 1, 2005), DateOf(15, 1, 2026), false),
              MatchTaxCategory(before, DateOf(10, 1, 2005), DateOf(15, 1, 2026), false));

    TaxCategoryForm form = TaxCategoryForm::New();
    form.category.name = "Verkauf ab 2026 \u2192 neu";  // the arrow is not in Windows-1252
    form.category.abbreviation = "Stpfl. 26";
    form.category.useSalePeriod = 1;
    form.category.salePeriodFrom = DateOf(1, 1, 2026);
    const MaybeMessage refused = form.Check(doc);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->title, "Steuerpflicht");
    EXPECT_EQ(form.Apply(doc), -1);
    EXPECT_EQ(doc.taxCategories, before);

    form.category.name = "Verkauf ab 2026";
    EXPECT_FALSE(form.Check(doc));
    const int index = form.Apply(doc);
    ASSERT_EQ(index, static_cast<int>(before.size()));
    EXPECT_EQ(doc.taxCategories[static_cast<size_t>(index)], form.category);
    EXPECT_EQ(TaxCategoryForm::ForEdit(doc, index).category, form.category);

    int top = index;
    while (top > 0) top = MoveTaxCategoryUp(doc, top);
    EXPECT_EQ(doc.taxCategories.front(), form.category);
    EXPECT_EQ(MatchTaxCategory(doc, DateOf(10, 1, 2005), DateOf(15, 1, 2026), false), 0);
    EXPECT_NE(MatchTaxCategory(doc, DateOf(10, 1, 2005), DateOf(31, 12, 2025), false), 0);
}

}  // namespace
}  // namespace pf::testing

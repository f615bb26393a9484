#include "samples/demo_portfolios.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine/account_currency.h"
#include "engine/account_movements.h"
#include "engine/split_exchange.h"
#include "engine/trade_entry.h"
#include "model/currency_conversion.h"
#include "platform/seeded_random.h"

namespace pf {

namespace {

// Writes a portfolio step by step in date order, as a user would enter it.
class DemoBuilder {
  public:
    DemoBuilder(uint32_t legacyMask, const char* holder, const char* accountSymbol,
                CQRNDatum created) {
        NewDocumentChoices choices;
        choices.legacyCurrencyMask = legacyMask;
        choices.depot.holderName = holder;
        choices.depot.holderAddress =
            "Beispieldaten zur Demonstration\nMusterweg 1\n12345 Musterstadt";
        choices.depot.depotNumber = "DEMO-DEPOT";
        choices.depot.accountNumber = "DEMO-KONTO";
        choices.depot.bankCode = "000 000 00";
        choices.initialAccountCurrencySymbol = accountSymbol;
        doc.NewDocument(choices, created);
    }

    int32_t Currency(const char* symbol, const char* name, double rate, double drift,
                     CQRNDatum from, CQRNDatum to, uint64_t seed) {
        const int32_t id =
            doc.AddCurrency(symbol, name, false, 1, 1, kBaseCurrencyId, kUnitsPerReference).id;
        SeededRandom random(seed);
        double r = rate;
        CFL2Waehrung* c = doc.FindCurrency(id);
        for (uint32_t day = from.DayNumber(); day <= to.DayNumber(); ++day) {
            if (!CQRNDatum(day).IsWeekday()) continue;
            r *= std::exp(drift / 260 + 0.006 * random.Normal());
            c->rates.SetQuote(CQRNDatum(day), RoundTo(r, 4));
        }
        return id;
    }

    // A security with a geometric random walk of weekday quotes.
    int32_t Security(const std::string& name, const std::string& wkn, const std::string& isin,
                     int32_t quoteCurrency, double price, double drift, double volatility,
                     CQRNDatum from, CQRNDatum to, uint64_t seed, const char* type = "Aktie",
                     const char* sector = "", const char* country = "Deutschland") {
        CFL2Wertpapier s;
        s.name = name;
        s.wkn = wkn;
        s.isin = isin;
        s.quoteCurrencyId = quoteCurrency;
        s.type = type;
        s.sector = sector;
        s.country = country;
        s.internetUrl = "http://";
        s.internetTextBeforeQuote = "Kurs:";
        const int32_t id = doc.AddSecurity(s).id;
        SeededRandom random(seed);
        CFL2Wertpapier* stored = doc.FindSecurity(id);
        for (uint32_t day = from.DayNumber(); day <= to.DayNumber(); ++day) {
            if (!CQRNDatum(day).IsWeekday()) continue;
            price *= std::exp(drift / 260 + volatility / std::sqrt(260.0) * random.Normal());
            price = std::max(price, 0.5);
            stored->quotes.SetQuote(CQRNDatum(day), RoundTo(price, 2));
        }
        return id;
    }

    // The last quote on or before `date`, rounded to cents as a broker would fill it.
    double Quote(int32_t security, CQRNDatum date) const {
        return RoundTo(doc.FindSecurity(security)->PriceAt(date, date), 2);
    }

    TradeFields Trade(bool sale, CQRNDatum date, int32_t security, Quantity quantity,
                      double commission) const {
        TradeFields f;
        f.date = date;
        f.securityId = security;
        f.quantity = quantity;
        f.price = Quote(security, date);
        f.currency1 = doc.FindSecurity(security)->quoteCurrencyId;
        f.currency2 = doc.AccountCurrencyAt(date);
        const RatePair pair = DefaultRatePair(doc, f.currency1, f.currency2);
        if (pair.fixed) {
            f.rateBase = pair.base;
            f.rateQuote = pair.quote;
        } else {  // a dollar price: r dollars = 1 unit of the reference currency
            f.rateBase = doc.FindCurrency(f.currency1)->RateAt(date);
            f.rateQuote = 1.0;
        }
        f.commission2 = commission;
        const TradeSums s = sale ? SaleSums(quantity, f.price, 0, f.currency1, f.rateBase,
                                            f.rateQuote, commission, f.currency2)
                                 : PurchaseSums(quantity, f.price, 0, f.currency1, f.rateBase,
                                                f.rateQuote, commission, f.currency2);
        f.marketValue1 = s.marketValue;
        f.amount = s.amount;
        return f;
    }

    int32_t Buy(CQRNDatum date, int32_t security, double pieces, double commission = 9.90,
                const char* text = "") {
        TradeFields f = Trade(false, date, security, Pieces(pieces), commission);
        f.text = text;
        return AddPurchase(doc, f);
    }

    // Sells the oldest lots first; does nothing when fewer pieces are held.
    int32_t Sell(CQRNDatum date, int32_t security, double pieces, double commission = 9.90,
                 const char* text = "") {
        PositionList lots = SellableLots(doc, date);
        const Quantity quantity = Pieces(pieces);
        if (AvailableTotal(lots, security) < quantity) return -1;
        SelectOldestFirst(lots, security, quantity);
        TradeFields f = Trade(true, date, security, quantity, commission);
        f.text = text;
        return AddSale(doc, f, lots);
    }

    Quantity Held(CQRNDatum date, int32_t security) const {
        return AvailableTotal(SellableLots(doc, date), security);
    }

    // A movement of the named kind; a security link allocates it to all lots automatically.
    int32_t Movement(CQRNDatum date, const char* kind, double amount, const char* text,
                     int32_t security = -1, AllocationKind allocation = kIncome) {
        MovementFields f;
        f.date = date;
        f.kindId = doc.FindAccountMovementKindByName(kind)->id;
        f.amount = amount;
        f.currencyId = doc.AccountCurrencyAt(date);
        f.text = text;
        PositionList lots;
        if (security >= 0) {
            lots = AllocationLots(MovementHoldings(doc, date), security);
            if (lots.empty()) return -1;
            AutoAllocate(lots);
            f.linked = true;
            f.securityId = security;
            f.allocKind = allocation;
        }
        return AddMovement(doc, f, lots);
    }

    // A dividend per piece held on `date`, in the account currency.
    void Dividend(CQRNDatum date, int32_t security, double perPiece) {
        const Quantity held = Held(date, security);
        if (held <= 0) return;
        const double amount = RoundTo(static_cast<double>(held) / kPiece * perPiece, 2);
        Movement(date, "Dividenden-Gutschrift", amount, "Dividende", security);
    }

    void Split(CQRNDatum date, int32_t security, double newPieces, double oldPieces) {
        SplitFields f;
        f.date = date;
        f.securityId = security;
        f.newPieces = Pieces(newPieces);
        f.oldPieces = Pieces(oldPieces);
        f.text = "Aktiensplit";
        AddSplit(doc, f, 2);
    }

    // Exchanges every piece of `from` held on `date` into `to` at old : new.
    void Exchange(CQRNDatum date, int32_t from, int32_t to, double oldPer, double newPer) {
        PositionList lots = SellableLots(doc, date);
        const Quantity held = AvailableTotal(lots, from);
        if (held <= 0) return;
        SelectOldestFirst(lots, from, held);
        ExchangeFields f;
        f.date = date;
        f.sourceSecurityId = from;
        f.targetSecurityId = to;
        f.oldPieces = held;
        f.newPieces = MultiplyQuantity(held, newPer / oldPer);
        f.keepPurchaseDate = true;
        f.text = "Umtausch nach Verschmelzung";
        AddExchange(doc, f, lots);
    }

    void SwitchAccountTo(CQRNDatum date, int32_t currency) {
        AccountCurrencyForm form(doc);
        form.AddChange(date, currency);
        form.WriteBack(doc);
    }

    static Quantity Pieces(double pieces) {
        return static_cast<Quantity>(std::llround(pieces * kPiece));
    }

    // The first weekday on or after `date`.
    static CQRNDatum Weekday(CQRNDatum date) {
        while (!date.IsWeekday()) date = CQRNDatum(date.DayNumber() + 1);
        return date;
    }

    CFolari2Doc Finish() {
        doc.lastTransactionDate.reset();
        doc.SetModified(false);
        return std::move(doc);
    }

    CFolari2Doc doc;
};

CFolari2Doc EuroInvestor() {
    const CQRNDatum start = DateOf(3, 1, 2005);
    const CQRNDatum end = DateOf(31, 12, 2025);
    DemoBuilder b(0, "Demo-Depot 1 (Beispieldaten)", "EUR", end);
    const int32_t usd = b.Currency("USD", "US-Dollar", 1.35, -0.01, start, end, 11);
    const int32_t chemie = b.Security("Rheinchemie AG", "RCH100", "DE000RCH1006", 0, 38.0, 0.04,
                                      0.18, start, end, 101, "Aktie", "Chemie");
    const int32_t logistik = b.Security("Hansa Logistik AG", "HLG200", "DE000HLG2002", 0, 22.0,
                                        0.03, 0.20, start, end, 102, "Aktie", "Transport");
    const int32_t holding = b.Security("Hansa Logistik Holding SE", "HLH210", "DE000HLH2108", 0,
                                       30.0, 0.04, 0.18, start, end, 103, "Aktie", "Transport");
    const int32_t bank = b.Security("Alpenbank AG", "ALP300", "DE000ALP3000", 0, 54.0, 0.02, 0.22,
                                    start, end, 104, "Aktie", "Banken");
    const int32_t fonds = b.Security("Europa Aktienfonds", "EAF400", "DE000EAF4004", 0, 61.0, 0.05,
                                     0.16, start, end, 105, "Fonds", "Mischfonds", "Europa");
    const int32_t circuits =
        b.Security("Pacific Circuits Inc.", "PCI500", "US6951234567", usd, 45.0, 0.07, 0.22, start,
                   end, 106, "Aktie", "Technologie", "USA");

    b.Movement(start, "Kapitaleinlage", 60000.0, "Startkapital");
    b.Buy(DateOf(10, 1, 2005), chemie, 150, 9.90, "Erstkauf");
    b.Buy(DateOf(17, 1, 2005), bank, 200);
    b.Buy(DateOf(1, 2, 2005), fonds, 120, 0.0, "Sparplan");
    b.Buy(DateOf(7, 3, 2005), logistik, 300);
    b.Buy(DateOf(5, 4, 2005), circuits, 100, 14.90);
    b.Sell(DateOf(14, 11, 2005), bank, 80, 9.90, "Teilverkauf (Spekulationsfrist)");  // < 12 months
    b.Buy(DateOf(6, 3, 2006), chemie, 60);
    for (unsigned year = 2005; year <= 2025; ++year) {
        b.Dividend(DemoBuilder::Weekday(DateOf(20, 5, year)), chemie, 0.80 + 0.05 * (year - 2005));
        b.Dividend(DemoBuilder::Weekday(DateOf(12, 6, year)), logistik, 0.45);
        b.Dividend(DemoBuilder::Weekday(DateOf(12, 6, year)), holding, 0.60);
        // The split and the exchange in their place in time, so that later dividends are
        // worked out on the pieces held then.
        if (year == 2011) b.Split(DateOf(1, 7, 2011), chemie, 2, 1);
        if (year == 2014) b.Exchange(DateOf(3, 11, 2014), logistik, holding, 3, 2);
        b.Movement(DemoBuilder::Weekday(DateOf(20, 12, year)), "Depotgebühren", 35.70,
                   "Depotentgelt");
        if (year >= 2006)
            b.Buy(DemoBuilder::Weekday(DateOf(1, 2, year)), fonds, 10 + (year % 3) * 5, 0.0,
                  "Sparplan");
    }
    b.Sell(DateOf(15, 4, 2008), bank, 120, 9.90, "Verkauf (steuerfrei)");  // held over a year
    b.Movement(DateOf(2, 3, 2009), "Kapitaleinlage", 25000.0, "Zuzahlung");
    b.Buy(DateOf(9, 3, 2009), bank, 250, 9.90, "Wiedereinstieg");
    b.Movement(DateOf(10, 3, 2009), "Limit-Gebühren", 2.50, "Limitgebühr", bank, kPurchaseCosts);
    b.Sell(DateOf(16, 5, 2013), bank, 100, 9.90, "Teilverkauf (Abgeltungsteuer)");
    b.Sell(DateOf(8, 9, 2020), circuits, 40, 14.90, "Gewinnmitnahme");
    b.Buy(DateOf(5, 10, 2021), circuits, 25, 14.90);
    b.Movement(DateOf(30, 12, 2021), "Steuern", 148.37, "Abgeltungsteuer 2021");
    return b.Finish();
}

CFolari2Doc MarkPortfolio() {
    const CQRNDatum start = DateOf(2, 1, 1996);
    const CQRNDatum end = DateOf(30, 12, 2005);
    const int32_t dm = 1;
    const int32_t ff = 2;  // the legacy mask below seeds DM (1), öS, hFl, then FF
    DemoBuilder b((1u << 0) | (1u << 1) | (1u << 2) | (1u << 7), "Demo-Depot 2 (Beispieldaten, DM)",
                  "DM", end);
    const int32_t franc = b.doc.FindCurrencyBySymbol("FF")->id;
    (void)ff;
    const int32_t versorger = b.Security("Westfalen Versorgung AG", "WVG110", "DE000WVG1100", dm,
                                         48.0, 0.04, 0.20, start, end, 201, "Aktie", "Versorger");
    const int32_t maschinen =
        b.Security("Schwaben Maschinenbau AG", "SMB120", "DE000SMB1207", dm, 95.0, 0.06, 0.30,
                   start, end, 202, "Aktie", "Maschinenbau");
    const int32_t telekom = b.Security("Nordtel AG", "NTL130", "DE000NTL1304", dm, 40.0, 0.02, 0.45,
                                       start, end, 203, "Aktie", "Telekommunikation");
    const int32_t vins = b.Security("Vins de Provence S.A.", "VDP140", "FR0000VDP140", franc, 180.0,
                                    0.03, 0.22, start, end, 204, "Aktie", "Getränke", "Frankreich");

    b.Movement(start, "Kapitaleinlage", 100000.0, "Einzahlung");
    b.Buy(DateOf(15, 1, 1996), versorger, 300, 25.0);
    b.Buy(DateOf(12, 2, 1996), maschinen, 100, 25.0);
    b.Buy(DateOf(18, 11, 1996), telekom, 500, 25.0, "Neuemission");
    b.Buy(DateOf(3, 3, 1997), vins, 80, 35.0);
    for (unsigned year = 1996; year <= 2005; ++year) {
        b.Dividend(DemoBuilder::Weekday(DateOf(15, 5, year)), versorger, year < 2002 ? 2.10 : 1.10);
        b.Dividend(DemoBuilder::Weekday(DateOf(20, 6, year)), maschinen, year < 2002 ? 3.00 : 1.60);
        b.Movement(DemoBuilder::Weekday(DateOf(15, 12, year)), "Depotgebühren",
                   year < 2002 ? 60.0 : 30.68, "Depotentgelt");
    }
    b.Sell(DateOf(6, 3, 2000), telekom, 300, 25.0, "Verkauf am Höchststand");
    b.Sell(DateOf(10, 7, 2001), maschinen, 50, 25.0);
    b.SwitchAccountTo(DateOf(1, 1, 2002), kBaseCurrencyId);
    b.Buy(DateOf(14, 1, 2002), versorger, 100, 12.50, "erster Kauf in Euro");
    b.Sell(DateOf(2, 9, 2003), vins, 80, 15.0);
    b.Movement(DateOf(30, 12, 2003), "Zinserträge (Haben-Zins)", 84.12, "Zinsen 2003");
    return b.Finish();
}

CFolari2Doc LargePortfolio() {
    const CQRNDatum start = DateOf(3, 1, 2005);
    const CQRNDatum end = DateOf(31, 12, 2024);
    DemoBuilder b(1, "Demo-Depot 3 (Beispieldaten, groß)", "EUR", end);
    SeededRandom random(300);
    std::vector<int32_t> securities;
    const char* sectors[] = {"Chemie",    "Banken",       "Technologie", "Versorger",
                             "Transport", "Maschinenbau", "Pharma",      "Handel"};
    for (int i = 0; i < 100; ++i) {
        const std::string n = std::to_string(100 + i);
        securities.push_back(b.Security(
            "Musteraktie " + n + " AG", "MA" + n + "0", "DE000MA" + n + "00", 0,
            10.0 + random.Below(190), 0.02 + 0.06 * random.Uniform(),
            0.15 + 0.30 * random.Uniform(), start, end, 1000 + i, "Aktie", sectors[i % 8]));
    }
    b.Movement(start, "Kapitaleinlage", 5'000'000.0, "Startkapital");
    // One transaction every weekday: buys, sales of half of a holding, dividends.
    for (uint32_t day = start.DayNumber() + 7; day <= end.DayNumber(); ++day) {
        const CQRNDatum date(day);
        if (!date.IsWeekday()) continue;
        if (date.Month() == 1 && date.Day() <= 7 && date.DayNumber() - start.DayNumber() > 300 &&
            date.DayOfWeek() == 0)  // the first Monday of a year
            b.Movement(date, "Kapitaleinlage", 400'000.0, "Jahreseinzahlung");
        const int32_t s = securities[static_cast<size_t>(random.Below(100))];
        const int what = random.Below(10);
        if (what < 5) {
            b.Buy(date, s, 10 + random.Below(200));
        } else if (what < 8) {
            const Quantity held = b.Held(date, s);
            if (held >= 2 * kPiece) b.Sell(date, s, static_cast<double>(held / kPiece / 2));
        } else {
            b.Dividend(date, s, 0.2 + random.Below(200) / 100.0);
        }
    }
    return b.Finish();
}

}  // namespace

CFolari2Doc MakeDemoPortfolio(int number) {
    switch (number) {
        case 1:
            return EuroInvestor();
        case 2:
            return MarkPortfolio();
        default:
            return LargePortfolio();
    }
}

}  // namespace pf

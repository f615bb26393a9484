#include "samples/sample_portfolio.h"

#include <cmath>

namespace pf {

namespace {

int32_t AddSampleSecurity(CFolari2Doc& doc, const char* name, const char* wkn, const char* isin,
                          int32_t currency, double startPrice, CQRNDatum from, CQRNDatum to) {
    CFL2Wertpapier s;
    s.name = name;
    s.wkn = wkn;
    s.isin = isin;
    s.quoteCurrencyId = currency;
    const int32_t id = doc.AddSecurity(s).id;
    CFL2Wertpapier* stored = doc.FindSecurity(id);
    // A gentle wave around a rising trend, on weekdays only.
    for (uint32_t day = from.DayNumber(), i = 0; day <= to.DayNumber(); ++day, ++i) {
        if (!CQRNDatum(day).IsWeekday()) continue;
        const double price = startPrice * (1.0 + 0.0004 * i + 0.05 * std::sin(i / 20.0));
        stored->quotes.SetQuote(CQRNDatum(day), RoundTo(price, 2));
    }
    return id;
}

void AddMovement(CFolari2Doc& doc, CQRNDatum date, const char* kindName, double amount,
                 int32_t securityId, const char* text, std::vector<CFL2PosInfo> allocations = {}) {
    const CFL2KontoVorgang* kind = doc.FindAccountMovementKindByName(kindName);
    CFL2Transaktion t;
    t.id = doc.nextTransactionId++;
    t.type = TransactionType::AccountMovement;
    t.date = date;
    t.otherId = kind->id;
    t.kindOutflow = kind->isOutflow;
    t.kindCapital = kind->isCapital;
    t.amount = amount;
    t.currency2 = kBaseCurrencyId;
    t.securityId = securityId;
    t.linkFlag = securityId >= 0 ? 1 : 0;
    t.allocKind = kIncome;
    t.text = text;
    for (const CFL2PosInfo& item : allocations) t.quantity += item.quantity;
    t.allocations = std::move(allocations);
    doc.InsertTransactionSorted(t, true);
}

CFL2Transaktion Trade(CFolari2Doc& doc, TransactionType type, CQRNDatum date, int32_t security,
                      Quantity pieces, double price, double commission) {
    CFL2Transaktion t;
    t.id = doc.nextTransactionId++;
    t.type = type;
    t.date = date;
    t.securityId = security;
    t.quantity = pieces;
    t.price = price;
    t.marketValue1 = RoundTo(price * static_cast<double>(pieces) / kPiece, 2);
    t.commission1 = commission;
    t.commission2 = 0.0;
    t.currency1 = t.currency2 = kBaseCurrencyId;
    t.amount =
        type == TransactionType::Buy ? t.marketValue1 + commission : t.marketValue1 - commission;
    return t;
}

}  // namespace

CFolari2Doc MakeSamplePortfolio(CQRNDatum today) {
    CFolari2Doc doc;
    NewDocumentChoices choices;
    choices.legacyCurrencyMask = 1;  // DM
    choices.depot = {"Erika Mustermann", "Heidestraße 17\n51147 Köln", "370 100 50", "1234567890",
                     "987654321"};
    doc.NewDocument(choices, today);
    const int32_t usd =
        doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, kBaseCurrencyId, kUnitsPerReference)
            .id;

    const CQRNDatum from = DateOf(2, 1, 2024);
    const CQRNDatum to = DateOf(31, 12, 2024);
    CFL2Waehrung* dollar = doc.FindCurrency(usd);
    for (uint32_t day = from.DayNumber(); day <= to.DayNumber(); day += 7)
        dollar->rates.SetQuote(CQRNDatum(day), RoundTo(1.08 + 0.02 * std::sin(day / 30.0), 4));

    const int32_t chemie = AddSampleSecurity(doc, "Rheinchemie AG", "RCH100", "DE000RCH1006",
                                             kBaseCurrencyId, 48.20, from, to);
    const int32_t energie = AddSampleSecurity(doc, "Nordwind Energie", "NWE220", "DE000NWE2201",
                                              kBaseCurrencyId, 17.35, from, to);
    const int32_t tech = AddSampleSecurity(doc, "Pacific Circuits Inc.", "PCI330", "US6951234567",
                                           usd, 132.10, from, to);

    AddMovement(doc, DateOf(2, 1, 2024), "Kapitaleinlage", 20000.0, -1, "Startkapital");
    CFL2Transaktion buy1 =
        Trade(doc, TransactionType::Buy, DateOf(8, 1, 2024), chemie, 100 * kPiece, 48.55, 9.90);
    buy1.positionNo = doc.nextPositionNo++;
    doc.InsertTransactionSorted(buy1, true);
    CFL2Transaktion buy2 =
        Trade(doc, TransactionType::Buy, DateOf(15, 2, 2024), energie, 250 * kPiece, 17.80, 9.90);
    buy2.positionNo = doc.nextPositionNo++;
    buy2.text = "Sparplan";
    doc.InsertTransactionSorted(buy2, true);
    // Bought in dollars, settled in euros at 1.09 dollars per euro.
    CFL2Transaktion buy3 = Trade(doc, TransactionType::Buy, DateOf(4, 3, 2024), tech,
                                 15 * kPiece + kPiece / 2, 131.40, 0.0);
    buy3.currency1 = usd;
    buy3.rateBase = 1.09;
    buy3.rateQuote = 1.0;
    buy3.commission2 = 14.90;
    buy3.amount = RoundTo(buy3.marketValue1 * buy3.rateQuote / buy3.rateBase, 2) + 14.90;
    buy3.positionNo = doc.nextPositionNo++;
    doc.InsertTransactionSorted(buy3, true);
    AddMovement(doc, DateOf(24, 5, 2024), "Dividenden-Gutschrift", 185.00, chemie, "Dividende 2023",
                {{buy1.positionNo, buy1.positionNo, buy1.quantity}});
    CFL2Transaktion sell =
        Trade(doc, TransactionType::Sell, DateOf(9, 10, 2024), energie, 100 * kPiece, 19.12, 9.90);
    sell.allocations.push_back({doc.nextPositionNo++, buy2.positionNo, 100 * kPiece});
    doc.InsertTransactionSorted(sell, true);
    AddMovement(doc, DateOf(31, 12, 2024), "Depotgebühren", 29.75, -1, "Depotentgelt 2024");
    doc.RebuildSplitLists();
    return doc;
}

}  // namespace pf

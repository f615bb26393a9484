#include "engine/trade_entry.h"

#include <algorithm>

#include "engine/number_entry.h"
#include "engine/stop_target.h"
#include "model/currency_conversion.h"
#include "model/document.h"

namespace pf {

namespace {

bool IsFixedRate(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr && (c->id == kBaseCurrencyId || c->isFixed != 0);
}

TradeSums Sums(bool sale, Quantity quantity, Price price, Amount commission1, int32_t currency1,
               Rate rateBase, Rate rateQuote, Amount commission2, int32_t currency2) {
    TradeSums s;
    s.marketValue = MarketValue(quantity, price);
    const double sign = sale ? -1.0 : 1.0;
    if (currency1 != currency2) {
        s.subtotal = sale ? s.marketValue - commission1 : s.marketValue + commission1;
        s.converted = RoundTo(s.subtotal * rateQuote / rateBase, 2);
    } else {
        s.subtotal = s.marketValue;
        s.converted = s.marketValue;
    }
    s.amount = s.converted + sign * commission2;
    return s;
}

CFL2Transaktion* FindOfType(CFolari2Doc& doc, int32_t id, TransactionType type) {
    for (CFL2Transaktion& t : doc.transactions)
        if (t.id == id) return t.type == type ? &t : nullptr;
    return nullptr;
}

void TakeFields(CFL2Transaktion& t, const TradeFields& f) {
    t.date = f.date;
    t.securityId = f.securityId;
    t.quantity = f.quantity;
    t.price = f.price;
    t.marketValue1 = f.marketValue1;
    t.commission1 = f.commission1;
    t.currency1 = f.currency1;
    t.rateBase = f.rateBase;
    t.rateQuote = f.rateQuote;
    t.commission2 = f.commission2;
    t.currency2 = f.currency2;
    t.amount = f.amount;
    t.text = f.text;
}

// Removes the transaction `id` from the list and hands it back for re-insertion.
CFL2Transaktion Take(CFolari2Doc& doc, int32_t id) {
    const auto it = std::find_if(doc.transactions.begin(), doc.transactions.end(),
                                 [id](const CFL2Transaktion& t) { return t.id == id; });
    CFL2Transaktion t = std::move(*it);
    doc.transactions.erase(it);
    return t;
}

void Store(CFolari2Doc& doc, CFL2Transaktion t) {
    doc.InsertTransactionSorted(std::move(t), true);
    doc.RebuildSplitLists();
}

// One allocation item per lot of the security with a selected quantity, in list order;
// `numberFor` gives the number of the sold piece.
template <class NumberFor>
std::vector<CFL2PosInfo> Allocation(int32_t securityId, const PositionList& lots,
                                    NumberFor numberFor) {
    std::vector<CFL2PosInfo> items;
    for (const CFL2DepotPos& lot : lots) {
        if (lot.securityId != securityId || lot.selectedQuantity <= 0) continue;
        items.push_back({numberFor(lot.positionNo), lot.positionNo, lot.selectedQuantity});
    }
    return items;
}

}  // namespace

Amount MarketValue(Quantity quantity, Price price) {
    return RoundTo(static_cast<double>(quantity) / kPiece * price, 2);
}

TradeSums PurchaseSums(Quantity quantity, Price price, Amount commission1, int32_t currency1,
                       Rate rateBase, Rate rateQuote, Amount commission2, int32_t currency2) {
    return Sums(false, quantity, price, commission1, currency1, rateBase, rateQuote, commission2,
                currency2);
}

TradeSums SaleSums(Quantity quantity, Price price, Amount commission1, int32_t currency1,
                   Rate rateBase, Rate rateQuote, Amount commission2, int32_t currency2) {
    return Sums(true, quantity, price, commission1, currency1, rateBase, rateQuote, commission2,
                currency2);
}

std::string TradeCalculationLine(const CFolari2Doc& doc, bool sale, CQRNDatum date,
                                 Quantity quantity, Price price, Amount commission1,
                                 int32_t currency1, Rate rateBase, Rate rateQuote,
                                 Amount commission2, int32_t currency2) {
    const NumberFormat format = NumberFormatOf(doc.options);
    const auto money = [&](double value, int32_t currency) {
        const CFL2Waehrung* c = doc.FindCurrency(currency);
        return FormatDecimal(value, format, 2, 2) + " " + (c ? c->name : std::string());
    };
    const std::string op = sale ? " - " : " + ";
    const TradeSums s = Sums(sale, quantity, price, commission1, currency1, rateBase, rateQuote,
                             commission2, currency2);
    std::string line = money(s.marketValue, currency1);
    if (currency1 != currency2) {
        line += op + money(commission1, currency1) + " = " + money(s.subtotal, currency1) + " > " +
                money(s.converted, currency2);
        line.erase(0, line.find("= ") + 2);
    }
    line += op + money(commission2, currency2) + " = " + money(s.amount, currency2);
    const int32_t account = doc.AccountCurrencyAt(date);
    if (account != currency2)
        line += " > " + money(ConvertFixed(doc, s.amount, currency2, account, 2), account);
    return line;
}

RatePair DefaultRatePair(const CFolari2Doc& doc, int32_t currency1, int32_t currency2) {
    if (currency1 == currency2) return {true, 1.0, 1.0};
    if (!IsFixedRate(doc, currency1)) return {};
    const FixedFactors f = FixedRateFactors(doc, currency1, currency2);
    if (!f.ok) return {};
    return {true, f.divisor, f.multiplier};
}

int32_t AddPurchase(CFolari2Doc& doc, const TradeFields& fields) {
    int32_t id = -1;
    doc.Edit([&] {
        CFL2Transaktion t;
        t.id = id = doc.nextTransactionId++;
        t.type = TransactionType::Buy;
        t.positionNo = doc.nextPositionNo++;
        TakeFields(t, fields);
        SetStop(doc, t.positionNo, fields.stopPrice);
        SetTarget(doc, t.positionNo, fields.targetPrice);
        doc.lastTransactionDate = fields.date;
        Store(doc, std::move(t));
    });
    return id;
}

bool ChangePurchase(CFolari2Doc& doc, int32_t id, const TradeFields& fields) {
    return doc.Edit([&] {
        if (FindOfType(doc, id, TransactionType::Buy) == nullptr) return false;
        CFL2Transaktion t = Take(doc, id);
        TakeFields(t, fields);
        SetStop(doc, t.positionNo, fields.stopPrice);
        SetTarget(doc, t.positionNo, fields.targetPrice);
        Store(doc, std::move(t));
        return true;
    });
}

int32_t AddSale(CFolari2Doc& doc, const TradeFields& fields, const PositionList& lots) {
    int32_t id = -1;
    doc.Edit([&] {
        CFL2Transaktion t;
        t.id = id = doc.nextTransactionId++;
        t.type = TransactionType::Sell;
        TakeFields(t, fields);
        t.allocations =
            Allocation(fields.securityId, lots, [&](int32_t) { return doc.nextPositionNo++; });
        doc.lastTransactionDate = fields.date;
        Store(doc, std::move(t));
    });
    return id;
}

bool ChangeSale(CFolari2Doc& doc, int32_t id, const TradeFields& fields, const PositionList& lots) {
    return doc.Edit([&] {
        if (FindOfType(doc, id, TransactionType::Sell) == nullptr) return false;
        CFL2Transaktion t = Take(doc, id);
        const bool sameSecurity = t.securityId == fields.securityId;
        const std::vector<CFL2PosInfo> old = std::move(t.allocations);
        TakeFields(t, fields);
        t.allocations = Allocation(fields.securityId, lots, [&](int32_t source) {
            if (sameSecurity)
                for (const CFL2PosInfo& item : old)
                    if (item.positionNo == source) return item.newPositionNo;
            return doc.nextPositionNo++;
        });
        Store(doc, std::move(t));
        return true;
    });
}

int RecomputeForFixedRate(CFolari2Doc& doc, int32_t currency) {
    if (currency == kBaseCurrencyId) return 0;
    int changed = 0;
    doc.Edit([&] {
        for (CFL2Transaktion& t : doc.transactions) {
            const bool buy = t.type == TransactionType::Buy;
            if (!buy && t.type != TransactionType::Sell) continue;
            if (!(t.currency1 == currency ||
                  (t.currency2 == currency && IsFixedRate(doc, t.currency1))))
                continue;
            const FixedFactors f = FixedRateFactors(doc, t.currency1, t.currency2);
            if (!f.ok) continue;  // only fixed pairs have a rate to take over
            t.rateBase = f.divisor;
            t.rateQuote = f.multiplier;
            const double mv = RoundTo(static_cast<double>(t.quantity) / kPiece * t.price, 2);
            const bool differ = t.currency1 != t.currency2;
            if (buy)
                t.amount =
                    (differ ? RoundTo(t.rateQuote * (mv + t.commission1) / t.rateBase, 2) : mv) +
                    t.commission2;
            else
                t.amount =
                    (differ ? RoundTo((mv - t.commission1) * t.rateQuote / t.rateBase, 2) : mv) -
                    t.commission2;
            ++changed;
        }
        return changed > 0;
    });
    return changed;
}

}  // namespace pf

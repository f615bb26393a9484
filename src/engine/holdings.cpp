#include "engine/holdings.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "model/currency_conversion.h"
#include "model/document.h"

namespace pf {

namespace {

constexpr size_t kNotFound = static_cast<size_t>(-1);

// Finds a lot by number exactly as a front-to-back search of the list would (the first lot
// with that number), without searching: each number keeps its first index and how many
// lots carry it. Only a number carried by several lots needs a search when its first lot
// is renumbered, which valid data never does.
class PositionIndex {
  public:
    explicit PositionIndex(const PositionList& lots) : lots_(lots) {}

    size_t Find(int32_t number) const {
        const auto it = entries_.find(number);
        return it == entries_.end() ? kNotFound : it->second.first;
    }
    void Add(int32_t number, size_t index) {
        auto [it, added] = entries_.try_emplace(number, Entry{index, 1});
        if (!added) {
            it->second.first = std::min(it->second.first, index);
            ++it->second.count;
        }
    }
    void Renumber(size_t index, int32_t from, int32_t to) {
        if (from == to) return;
        auto it = entries_.find(from);
        if (--it->second.count == 0) {
            entries_.erase(it);
        } else if (it->second.first == index) {
            size_t next = index + 1;
            while (lots_[next].positionNo != from) ++next;
            it->second.first = next;
        }
        Add(to, index);
    }

  private:
    struct Entry {
        size_t first;
        size_t count;
    };
    const PositionList& lots_;
    std::unordered_map<int32_t, Entry> entries_;
};

struct StopTarget {
    double stop = 0.0;
    double target = 0.0;
};

// The stop and target of each position number; the last entry of a number counts.
std::unordered_map<int32_t, StopTarget> StopTargets(const CFolari2Doc& doc) {
    std::unordered_map<int32_t, StopTarget> result;
    for (const CFL2StoppZielKurs& e : doc.stopTargets)
        result[e.positionNo] = {e.stopPrice, e.targetPrice};
    return result;
}

// The ten amounts that a lot splits in proportion when part of it leaves.
constexpr Amount CFL2DepotPos::*kProportionalAmounts[] = {
    &CFL2DepotPos::marketValue1,  &CFL2DepotPos::commission1,   &CFL2DepotPos::commission2,
    &CFL2DepotPos::amount,        &CFL2DepotPos::purchaseCosts, &CFL2DepotPos::purchaseTotal,
    &CFL2DepotPos::purchaseValue, &CFL2DepotPos::income,        &CFL2DepotPos::saleCosts,
    &CFL2DepotPos::saleProceeds,
};

// k / quantity of `value`, rounded. Only damaged data has a total of 0 pieces; its items
// then get nothing and the last item takes the whole remainder, instead of amounts that
// would be infinite or not a number.
double ShareOf(Quantity k, double value, Quantity quantity) {
    if (quantity == 0) return 0.0;
    return RoundTo(static_cast<double>(k) * value / static_cast<double>(quantity), 2);
}

SplitRestoreMark DerivedFrom(SplitRestoreMark source) {
    return source != SplitRestoreMark::None ? SplitRestoreMark::Derived : SplitRestoreMark::None;
}

class Replay {
  public:
    Replay(const CFolari2Doc& doc, const HoldingsQuery& query)
        : doc_(doc),
          query_(query),
          index_(lots_),
          stopTargets_(StopTargets(doc)),
          priceDecimals_(doc.options.splitRoundingDecimals) {}

    PositionList Run() {
        for (const CFL2Transaktion& t : doc_.transactions) {
            if (t.id == query_.excludedTransactionId) continue;
            if (query_.limitByDate && t.date > query_.limitDate) continue;
            switch (t.type) {
                case TransactionType::Split:
                    Split(t);
                    break;
                case TransactionType::Exchange:
                    Exchange(t);
                    break;
                case TransactionType::Buy:
                    Buy(t);
                    break;
                case TransactionType::AccountMovement:
                    Movement(t);
                    break;
                case TransactionType::Sell:
                    Sell(t);
                    break;
                default:
                    break;  // unknown types change no lot
            }
        }
        RemoveLots();
        if (query_.referenceMode) RestoreReferenceState();
        return std::move(lots_);
    }

  private:
    size_t Append(CFL2DepotPos lot) {
        lots_.push_back(std::move(lot));
        const size_t index = lots_.size() - 1;
        index_.Add(lots_[index].positionNo, index);
        return index;
    }
    void Renumber(size_t index, int32_t number) {
        const int32_t old = lots_[index].positionNo;
        lots_[index].positionNo = number;
        index_.Renumber(index, old, number);
    }
    StopTarget StopTargetOf(int32_t number) const {
        const auto it = stopTargets_.find(number);
        return it == stopTargets_.end() ? StopTarget{} : it->second;
    }

    void Split(const CFL2Transaktion& t) {
        const double r = t.splitRatio;
        for (CFL2DepotPos& lot : lots_) {
            if (lot.securityId != t.securityId) continue;
            if (query_.referenceMode && query_.referenceDate < t.date) {
                if (lot.restoreMark == SplitRestoreMark::None) {
                    lot.restoreFactor = 1.0;
                    lot.savedPrice = lot.price;
                    lot.savedQuantity = lot.quantity;
                    lot.restoreMark = SplitRestoreMark::Exact;
                }
                lot.restoreFactor *= r;
            }
            lot.price = RoundTo(lot.price / r, priceDecimals_);
            if (lot.state == PositionState::Sold)
                lot.salePrice = RoundTo(lot.salePrice / r, priceDecimals_);
            lot.quantity = MultiplyQuantity(lot.quantity, r);
        }
    }

    // A new lot holding `k` pieces of `source` (which is not changed): dates, rate pair,
    // price, texts, currencies and security copied, the ten amounts in proportion (or
    // copied when it is all of the source).
    static CFL2DepotPos PieceOf(const CFL2DepotPos& source, Quantity k) {
        CFL2DepotPos piece;
        piece.purchaseDate = source.purchaseDate;
        piece.entryDate = source.entryDate;
        piece.rateBase = source.rateBase;
        piece.rateQuote = source.rateQuote;
        piece.price = source.price;
        for (const auto field : kProportionalAmounts)
            piece.*field =
                k == source.quantity ? source.*field : ShareOf(k, source.*field, source.quantity);
        piece.quantity = k;
        piece.text = source.text;
        piece.currency1 = source.currency1;
        piece.currency2 = source.currency2;
        piece.securityId = source.securityId;
        piece.fromExchange = source.fromExchange;
        piece.restoreMark = DerivedFrom(source.restoreMark);
        piece.selectedQuantity = -1;
        return piece;
    }

    // Takes `piece` out of the lot at `index`: amounts and quantity.
    void Reduce(size_t index, const CFL2DepotPos& piece) {
        CFL2DepotPos& lot = lots_[index];
        for (const auto field : kProportionalAmounts) lot.*field -= piece.*field;
        lot.quantity -= piece.quantity;
        if (lot.restoreMark != SplitRestoreMark::None) lot.restoreMark = SplitRestoreMark::Consumed;
    }

    void Exchange(const CFL2Transaktion& t) {
        const double ratio = static_cast<double>(t.newPieces) / static_cast<double>(t.oldPieces);
        Quantity remaining = t.newPieces;
        const size_t count = t.allocations.size();
        for (size_t i = 0; i < count; ++i) {
            const CFL2PosInfo& item = t.allocations[i];
            const size_t e = index_.Find(item.positionNo);
            if (e == kNotFound) continue;
            const bool partial = item.quantity != lots_[e].quantity;
            const SplitRestoreMark sourceMark = lots_[e].restoreMark;

            CFL2DepotPos out = PieceOf(lots_[e], item.quantity);
            out.saleDate = t.date;
            out.transactionId = t.id;
            out.state = PositionState::ExchangedOut;
            out.positionNo = item.newPositionNo + 1;

            CFL2DepotPos fresh;
            if (partial) {
                fresh = out;  // the ten amounts, rate pair, text and currencies of the piece
                fresh.saleDate = CQRNDatum();
            }
            CFL2DepotPos& source = lots_[e];
            CFL2DepotPos& m = partial ? fresh : source;
            m.purchaseDate = t.allocKind ? source.purchaseDate : t.date;
            m.entryDate = t.date;
            m.price = RoundTo(source.price / ratio, priceDecimals_);
            Quantity newQuantity;
            if (i + 1 == count) {
                newQuantity = remaining;
            } else {
                newQuantity = MultiplyQuantity(item.quantity, ratio);
                remaining -= newQuantity;
            }
            m.quantity = newQuantity;
            m.securityId = t.otherId;
            const StopTarget st = StopTargetOf(item.newPositionNo);
            m.stopPrice = st.stop;
            m.targetPrice = st.target;
            m.transactionId = t.id;
            m.state = PositionState::Open;
            m.fromExchange = 1;
            m.selectedQuantity = -1;
            m.restoreMark = DerivedFrom(sourceMark);

            if (partial) {
                Reduce(e, out);
                Append(std::move(out));
                fresh.positionNo = item.newPositionNo;
                Append(std::move(fresh));
            } else {
                Renumber(e, item.newPositionNo);
                Append(std::move(out));
            }
        }
    }

    void Buy(const CFL2Transaktion& t) {
        CFL2DepotPos lot;
        lot.state = PositionState::Open;
        lot.fromExchange = 0;
        lot.transactionId = t.id;
        lot.purchaseDate = lot.entryDate = t.date;
        lot.price = t.price;
        lot.marketValue1 = t.marketValue1;
        lot.commission1 = t.commission1;
        lot.currency1 = t.currency1;
        lot.rateBase = t.rateBase;
        lot.rateQuote = t.rateQuote;
        lot.commission2 = t.commission2;
        lot.currency2 = t.currency2;
        lot.amount = t.amount;
        lot.quantity = t.quantity;
        lot.text = t.text;
        lot.positionNo = t.positionNo;
        lot.securityId = t.securityId;
        const StopTarget st = StopTargetOf(t.positionNo);
        lot.stopPrice = st.stop;
        lot.targetPrice = st.target;
        lot.selectedQuantity = -1;

        const double cv = RoundTo(t.marketValue1 * t.rateQuote / t.rateBase, 2);
        const double costs = RoundTo(t.commission1 * t.rateQuote / t.rateBase, 2) + t.commission2;
        if (t.currency2 == query_.targetCurrency) {
            lot.purchaseValue = cv;
            lot.purchaseCosts = costs;
            lot.purchaseTotal = t.amount;
        } else {
            const FixedFactors f = FixedRateFactors(doc_, t.currency2, query_.targetCurrency);
            if (f.ok) {
                lot.purchaseCosts = RoundTo(costs * f.multiplier / f.divisor, 2);
                lot.purchaseTotal = RoundTo(t.amount * f.multiplier / f.divisor, 2);
                lot.purchaseValue = RoundTo(cv * f.multiplier / f.divisor, 2);
            }
        }
        Append(std::move(lot));
    }

    void Movement(const CFL2Transaktion& t) {
        if (!t.linkFlag || t.securityId == -1) return;
        const double a = t.currency2 == query_.targetCurrency
                             ? t.amount
                             : ConvertFixed(doc_, t.amount, t.currency2, query_.targetCurrency, 2);
        double rest = a;
        const size_t count = t.allocations.size();
        for (size_t i = 0; i < count; ++i) {
            const CFL2PosInfo& item = t.allocations[i];
            const size_t w = index_.Find(item.positionNo);
            if (w == kNotFound) continue;
            const double share = i + 1 == count ? rest : ShareOf(item.quantity, a, t.quantity);
            rest -= share;
            const double s = t.kindOutflow ? -share : share;
            CFL2DepotPos& lot = lots_[w];
            switch (t.allocKind) {
                case kPurchaseCosts:
                    lot.purchaseCosts -= s;
                    lot.purchaseTotal -= s;
                    break;
                case kIncome:
                    lot.income += s;
                    break;
                case kSaleCosts:
                    lot.saleCosts -= s;
                    lot.saleProceeds += s;
                    break;
                default:
                    break;
            }
        }
    }

    void Sell(const CFL2Transaktion& t) {
        if (query_.limitByDate && query_.excludeSalesOnLimitDate && !(t.date < query_.limitDate))
            return;
        double restAmount = t.amount;
        double restMarketValue = t.marketValue1;
        double restCommission1 = t.commission1;
        double restCommission2 = t.commission2;
        const size_t count = t.allocations.size();
        for (size_t i = 0; i < count; ++i) {
            const CFL2PosInfo& item = t.allocations[i];
            const size_t v = index_.Find(item.positionNo);
            if (v == kNotFound) continue;
            size_t sold = v;
            if (item.quantity != lots_[v].quantity) {
                CFL2DepotPos piece = PieceOf(lots_[v], item.quantity);
                Reduce(v, piece);
                sold = Append(std::move(piece));
            }
            Renumber(sold, item.newPositionNo);
            CFL2DepotPos& lot = lots_[sold];
            lot.transactionId = t.id;
            lot.state = PositionState::Sold;
            lot.saleDate = t.date;
            lot.saleRateBase = t.rateBase;
            lot.saleRateQuote = t.rateQuote;
            lot.salePrice = t.price;
            lot.saleCurrency1 = t.currency1;
            lot.saleCurrency2 = t.currency2;
            if (i + 1 == count) {
                lot.saleAmount = restAmount;
                lot.saleMarketValue1 = restMarketValue;
                lot.saleCommission1 = restCommission1;
                lot.saleCommission2 = restCommission2;
            } else {
                lot.saleAmount = ShareOf(lot.quantity, t.amount, t.quantity);
                lot.saleMarketValue1 = ShareOf(lot.quantity, t.marketValue1, t.quantity);
                lot.saleCommission1 = ShareOf(lot.quantity, t.commission1, t.quantity);
                lot.saleCommission2 = ShareOf(lot.quantity, t.commission2, t.quantity);
                restAmount -= lot.saleAmount;
                restMarketValue -= lot.saleMarketValue1;
                restCommission1 -= lot.saleCommission1;
                restCommission2 -= lot.saleCommission2;
            }
            lot.saleText = t.text;

            const double costs =
                RoundTo(lot.saleCommission1 * lot.saleRateQuote * (1.0 / lot.saleRateBase), 2) +
                lot.saleCommission2;
            const double saleValue =
                RoundTo(lot.saleMarketValue1 * lot.saleRateQuote * (1.0 / lot.saleRateBase), 2);
            if (t.currency2 == query_.targetCurrency) {
                lot.saleValue = saleValue;
                lot.saleCosts += costs;
                lot.saleProceeds += lot.saleAmount;
            } else {
                const FixedFactors f = FixedRateFactors(doc_, t.currency2, query_.targetCurrency);
                if (f.ok) {
                    lot.saleValue = RoundTo(saleValue * f.multiplier / f.divisor, 2);
                    lot.saleCosts += RoundTo(costs * f.multiplier / f.divisor, 2);
                    lot.saleProceeds += RoundTo(lot.saleAmount * f.multiplier / f.divisor, 2);
                } else {
                    lot.saleValue = 0.0;
                }
            }
        }
    }

    void RemoveLots() {
        std::erase_if(lots_, [&](const CFL2DepotPos& lot) {
            const bool closed =
                lot.state == PositionState::Sold || lot.state == PositionState::ExchangedOut;
            return (query_.openOnly && closed) ||
                   (query_.referenceMode && (lot.purchaseDate > query_.referenceDate ||
                                             lot.entryDate > query_.referenceDate));
        });
    }

    void RestoreReferenceState() {
        for (CFL2DepotPos& lot : lots_) {
            switch (lot.restoreMark) {
                case SplitRestoreMark::Exact:
                    lot.price = lot.savedPrice;
                    lot.quantity = lot.savedQuantity;
                    break;
                case SplitRestoreMark::Consumed:
                case SplitRestoreMark::Derived:
                    lot.price = RoundTo(lot.restoreFactor * lot.price, priceDecimals_);
                    lot.quantity = 0;
                    break;
                default:
                    break;
            }
        }
    }

    const CFolari2Doc& doc_;
    const HoldingsQuery& query_;
    PositionList lots_;
    PositionIndex index_;
    std::unordered_map<int32_t, StopTarget> stopTargets_;
    int priceDecimals_;
};

}  // namespace

Quantity MultiplyQuantity(Quantity q, double f) {
    const double scaled = static_cast<double>(q) * f * 10.0 + 5.0;
    // Damaged data (a ratio of 0, infinity or NaN) must not reach an undefined conversion.
    if (!(std::fabs(scaled) < 9.2e18)) return 0;
    return static_cast<Quantity>(scaled) / 10;
}

PositionList ComputeHoldings(const CFolari2Doc& doc, const HoldingsQuery& query) {
    return Replay(doc, query).Run();
}

}  // namespace pf

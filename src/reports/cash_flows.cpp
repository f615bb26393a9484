#include "reports/cash_flows.h"

#include <algorithm>

#include "engine/holdings.h"
#include "model/currency_conversion.h"
#include "model/document.h"

namespace pf {

namespace {

bool Selected(const CFolari2Doc& doc, int32_t securityId) {
    const std::vector<int32_t>& ids = doc.options.selectedSecurityIds;
    return std::find(ids.begin(), ids.end(), securityId) != ids.end();
}

// `pieces` of the security at its quote of `date` (split-adjusted as seen from that day),
// rounded to cents in the quote currency, then converted into `currency`. 0 for an unknown
// security or one without a quote up to `date`.
Amount MarketValue(const CFolari2Doc& doc, int32_t securityId, Quantity pieces, CQRNDatum date,
                   int32_t currency) {
    const CFL2Wertpapier* security = doc.FindSecurity(securityId);
    if (security == nullptr) return 0.0;
    const Price price = security->PriceAt(date, date);
    const Amount value = RoundTo(static_cast<double>(pieces) * 1e-7 * price, 2);
    return ConvertAtDate(doc, value, date, security->quoteCurrencyId, currency, 2);
}

class Collector {
  public:
    Collector(const CFolari2Doc& doc, const CashFlowOptions& options)
        : doc_(doc), options_(options) {}

    void Holdings(CQRNDatum date, FlowKind kind) {
        HoldingsQuery query;
        query.openOnly = true;
        query.limitByDate = true;
        query.limitDate = date;
        query.targetCurrency = options_.currencyId;
        const bool start = kind == FlowKind::StartHolding;
        for (const CFL2DepotPos& lot : ComputeHoldings(doc_, query))
            Add(lot.securityId, date, start ? kStartHoldingText : kEndHoldingText,
                MarketValue(doc_, lot.securityId, lot.quantity, date, options_.currencyId),
                start ? FlowDirection::In : FlowDirection::Out, kind, -1);
    }

    void Transaction(const CFL2Transaktion& t) {
        switch (t.type) {
            case TransactionType::Buy:
                Add(t.securityId, t.date, "Kauf", Booked(t), FlowDirection::In,
                    FlowKind::Transaction, t.id);
                break;
            case TransactionType::Sell:
                Add(t.securityId, t.date, "Verkauf", Booked(t), FlowDirection::Out,
                    FlowKind::Transaction, t.id);
                break;
            case TransactionType::Exchange: {
                Amount value =
                    MarketValue(doc_, t.securityId, t.oldPieces, t.date, options_.currencyId);
                if (value == 0.0)
                    value = MarketValue(doc_, t.otherId, t.newPieces, t.date, options_.currencyId);
                Add(t.securityId, t.date, "Umtausch in " + SecurityText(doc_, t.otherId), value,
                    FlowDirection::Out, FlowKind::Transaction, t.id);
                Add(t.otherId, t.date, "Aus Umtausch " + SecurityText(doc_, t.securityId), value,
                    FlowDirection::In, FlowKind::Transaction, t.id);
                break;
            }
            case TransactionType::AccountMovement: {
                if (t.linkFlag == 0 || t.securityId == -1) break;
                const CFL2KontoVorgang* kind = doc_.FindAccountMovementKind(t.otherId);
                const std::string name =
                    kind != nullptr ? kind->name : TransactionTypeLabel(t.type);
                if (options_.withoutTaxes && name == kTaxKindName) break;
                // Costs leave the account and go into the investment; income comes out of it.
                Add(t.securityId, t.date, name, Booked(t),
                    t.kindOutflow != 0 ? FlowDirection::In : FlowDirection::Out,
                    FlowKind::Transaction, t.id);
                break;
            }
            case TransactionType::Split:
            default:
                break;
        }
    }

    std::vector<CashFlowEntry> Take() { return std::move(entries_); }

  private:
    // The amount booked on the account, converted at the booking date.
    Amount Booked(const CFL2Transaktion& t) const {
        return ConvertAtDate(doc_, t.amount, t.date, t.currency2, options_.currencyId, 2);
    }

    void Add(int32_t securityId, CQRNDatum date, std::string description, Amount amount,
             FlowDirection direction, FlowKind kind, int32_t transactionId) {
        if (options_.securityFilter && !Selected(doc_, securityId)) return;
        CashFlowEntry e;
        e.securityId = securityId;
        e.date = date;
        e.securityText = SecurityText(doc_, securityId);
        e.description = std::move(description);
        e.amount = amount;
        e.direction = direction;
        e.kind = kind;
        e.transactionId = transactionId;
        entries_.push_back(std::move(e));
    }

    const CFolari2Doc& doc_;
    const CashFlowOptions& options_;
    std::vector<CashFlowEntry> entries_;
};

}  // namespace

std::string SecurityText(const CFolari2Doc& doc, int32_t securityId) {
    const CFL2Wertpapier* security = doc.FindSecurity(securityId);
    if (security == nullptr) return {};
    return security->name + " (" + security->wkn + ")";
}

std::vector<CashFlowEntry> CollectCashFlows(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                            const CashFlowOptions& options) {
    if (to < from) return {};
    Collector collector(doc, options);
    collector.Holdings(from, FlowKind::StartHolding);
    for (const CFL2Transaktion& t : doc.transactions) {
        if (t.date <= from) continue;
        if (t.date > to) break;  // the list is sorted by date
        collector.Transaction(t);
    }
    collector.Holdings(to, FlowKind::EndHolding);
    return collector.Take();
}

}  // namespace pf

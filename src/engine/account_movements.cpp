#include "engine/account_movements.h"

#include <algorithm>
#include <optional>

#include "engine/number_entry.h"
#include "model/currency_conversion.h"
#include "model/document.h"

namespace pf {

namespace {

// Fills every field of `t` that the movement's values decide. False when the kind is
// missing, so that no movement without a kind is stored.
bool FillMovement(const CFolari2Doc& doc, CFL2Transaktion& t, const MovementFields& fields,
                  const PositionList& lots) {
    const CFL2KontoVorgang* kind = doc.FindAccountMovementKind(fields.kindId);
    if (kind == nullptr) return false;
    t.type = TransactionType::AccountMovement;
    t.date = fields.date;
    t.otherId = kind->id;
    t.kindOutflow = kind->isOutflow;
    t.kindCapital = kind->isCapital;
    t.amount = fields.amount;
    t.currency2 = fields.currencyId;
    t.text = fields.text;
    t.allocKind = fields.allocKind;
    t.linkFlag = fields.linked ? 1 : 0;
    t.securityId = fields.linked ? fields.securityId : -1;
    t.allocations.clear();
    t.quantity = 0;
    if (t.linkFlag != 0 && t.securityId != -1) {
        for (const CFL2DepotPos& lot : lots) {
            if (lot.securityId != t.securityId || lot.selectedQuantity <= 0) continue;
            t.allocations.push_back({lot.positionNo, lot.positionNo, lot.selectedQuantity});
            t.quantity += lot.selectedQuantity;
        }
    }
    return true;
}

std::string CurrencyName(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr ? c->name : std::string();
}

}  // namespace

int32_t AddMovement(CFolari2Doc& doc, const MovementFields& fields, const PositionList& lots) {
    int32_t id = -1;
    doc.Edit([&] {
        CFL2Transaktion t;
        if (!FillMovement(doc, t, fields, lots)) return false;
        t.id = id = doc.nextTransactionId++;
        doc.InsertTransactionSorted(std::move(t), true);
        doc.RebuildSplitLists();
        doc.lastTransactionDate = fields.date;
        return true;
    });
    return id;
}

bool ChangeMovement(CFolari2Doc& doc, int32_t id, const MovementFields& fields,
                    const PositionList& lots) {
    return doc.Edit([&] {
        const auto it = std::find_if(doc.transactions.begin(), doc.transactions.end(),
                                     [id](const CFL2Transaktion& t) { return t.id == id; });
        if (it == doc.transactions.end() || it->type != TransactionType::AccountMovement)
            return false;
        CFL2Transaktion t = *it;
        if (!FillMovement(doc, t, fields, lots)) return false;
        doc.transactions.erase(it);
        doc.InsertTransactionSorted(std::move(t), true);
        doc.RebuildSplitLists();
        return true;
    });
}

PositionList MovementHoldings(const CFolari2Doc& doc, CQRNDatum date,
                              int32_t excludedTransactionId) {
    HoldingsQuery query;
    query.referenceMode = false;
    query.openOnly = false;
    query.limitByDate = true;
    query.limitDate = date;
    query.excludeSalesOnLimitDate = true;
    query.targetCurrency = kBaseCurrencyId;
    query.excludedTransactionId = excludedTransactionId;
    return ComputeHoldings(doc, query);
}

bool LinkEnabled(const CFolari2Doc& doc, int32_t kindId, const PositionList& holdings) {
    const CFL2KontoVorgang* kind = doc.FindAccountMovementKind(kindId);
    return kind != nullptr && kind->allowsSecurityLink != 0 && !holdings.empty();
}

PositionList AllocationLots(const PositionList& holdings, int32_t securityId) {
    PositionList lots;
    for (const CFL2DepotPos& lot : holdings)
        if (lot.securityId == securityId && lot.state != PositionState::ExchangedOut)
            lots.push_back(lot);
    return lots;
}

PositionList AllocationLots(const CFolari2Doc& doc, CQRNDatum date, int32_t securityId,
                            int32_t excludedTransactionId) {
    return AllocationLots(MovementHoldings(doc, date, excludedTransactionId), securityId);
}

Quantity OpenTotal(const PositionList& lots) {
    Quantity total = 0;
    for (const CFL2DepotPos& lot : lots)
        if (lot.state == PositionState::Open) total += lot.quantity;
    return total;
}

void RememberAllocation(ManualAllocation& manual, const CFL2DepotPos& lot, Quantity entered) {
    manual[lot.positionNo] = std::clamp<Quantity>(entered, 0, std::max<Quantity>(lot.quantity, 0));
}

MaybeMessage EnterAllocation(const CFolari2Doc& doc, ManualAllocation& manual,
                             const CFL2DepotPos& lot, std::string_view entry) {
    const std::optional<Quantity> pieces = ParseQuantity(entry, NumberFormatOf(doc.options));
    if (!pieces)
        return Message::Refusal(kAllocationTitle, "Bitte geben Sie eine korrekte Stückzahl ein!",
                                kAllocationPiecesField);
    RememberAllocation(manual, lot, *pieces);
    return std::nullopt;
}

bool UsesAutomaticAllocation(bool automaticMode, const PositionList& lots) {
    return automaticMode || lots.size() < 2;
}

void AutoAllocate(PositionList& lots) {
    const bool anyOpen = OpenTotal(lots) > 0;
    for (CFL2DepotPos& lot : lots) {
        if (lot.state == PositionState::Open)
            lot.selectedQuantity = lot.quantity;
        else
            lot.selectedQuantity = anyOpen ? 0 : lot.quantity;
    }
}

void ManualAllocate(PositionList& lots, const ManualAllocation& manual) {
    for (CFL2DepotPos& lot : lots) {
        const auto it = manual.find(lot.positionNo);
        lot.selectedQuantity = it == manual.end() ? -1 : std::min(it->second, lot.quantity);
    }
}

void Allocate(PositionList& lots, bool automaticMode, const ManualAllocation& manual) {
    if (UsesAutomaticAllocation(automaticMode, lots))
        AutoAllocate(lots);
    else
        ManualAllocate(lots, manual);
}

std::vector<AllocationRow> AllocationRows(const CFolari2Doc& doc, const PositionList& lots) {
    const NumberFormat format = NumberFormatOf(doc.options);
    std::vector<AllocationRow> rows;
    rows.reserve(lots.size());
    for (size_t i = 0; i < lots.size(); ++i) {
        const CFL2DepotPos& lot = lots[i];
        const bool sold = lot.state == PositionState::Sold;
        AllocationRow row;
        row.number = std::to_string(i + 1);
        row.purchaseDate = lot.purchaseDate.FormatLong();
        row.saleDate = lot.state == PositionState::Open ? "-" : lot.saleDate.FormatLong();
        row.quantity = FormatQuantity(lot.quantity, format);
        if (lot.selectedQuantity >= 0) row.allocated = FormatQuantity(lot.selectedQuantity, format);
        row.text = sold ? lot.saleText : lot.text;
        row.positionNo = lot.positionNo;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string MovementCalculationLine(const CFolari2Doc& doc, CQRNDatum date, int32_t kindId,
                                    int32_t currencyId, std::string_view amountText) {
    const NumberFormat format = NumberFormatOf(doc.options);
    double amount = ParseAmountSum(amountText, format).value_or(0.0);
    const CFL2KontoVorgang* kind = doc.FindAccountMovementKind(kindId);
    if (kind != nullptr && kind->isOutflow != 0) amount = -amount;

    std::string line = FormatDecimal(amount, format, kAmountDecimals, kAmountDecimals) + " " +
                       CurrencyName(doc, currencyId);
    const int32_t accountCurrency = doc.AccountCurrencyAt(date);
    if (accountCurrency != currencyId) {
        const double converted = ConvertFixed(doc, amount, currencyId, accountCurrency, 2);
        line += " > " + FormatDecimal(converted, format, kAmountDecimals, kAmountDecimals) + " " +
                CurrencyName(doc, accountCurrency);
    }
    return line;
}

}  // namespace pf

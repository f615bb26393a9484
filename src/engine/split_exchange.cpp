#include "engine/split_exchange.h"

#include <algorithm>

#include "engine/split_exchange_form.h"
#include "model/document.h"

namespace pf {

namespace {

CQRNDatum NextDay(CQRNDatum d) { return CQRNDatum(d.DayNumber() + 1); }

void RemoveTransaction(CFolari2Doc& doc, int32_t id) {
    auto& list = doc.transactions;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [id](const CFL2Transaktion& t) { return t.id == id; }),
               list.end());
}

const CFL2Transaktion* FindOfType(const CFolari2Doc& doc, int32_t id, TransactionType type) {
    const CFL2Transaktion* t = doc.FindTransaction(id);
    return t != nullptr && t->type == type ? t : nullptr;
}

// Divides the stored quotes of the security dated before `date` once and for all.
void DivideQuotesBefore(CFolari2Doc& doc, int32_t securityId, CQRNDatum date, double ratio,
                        int roundDecimals) {
    CFL2Wertpapier* s = doc.FindSecurity(securityId);
    if (s == nullptr) return;
    const int decimals = std::clamp(roundDecimals, 0, 15);
    for (CFL2Kurs& q : s->quotes.MutableItems()) {
        if (q.date >= date) break;  // the history is ascending
        q.value = RoundTo(q.value / ratio, decimals);
    }
}

bool SplitFieldsValid(const CFolari2Doc& doc, const SplitFields& f) {
    return doc.FindSecurity(f.securityId) != nullptr && f.newPieces > 0 && f.oldPieces > 0;
}

double RatioOf(const SplitFields& f) {
    return static_cast<double>(f.newPieces) / static_cast<double>(f.oldPieces);
}

void FinishChange(CFolari2Doc& doc, CFL2Transaktion t) {
    doc.InsertTransactionSorted(std::move(t), true);
    doc.RebuildSplitLists();
}

// The allocation items of an exchange from the selection in `lots`. `keep` maps source lot
// numbers to the new numbers they keep; every other item takes a fresh pair.
std::vector<CFL2PosInfo> ExchangeItems(CFolari2Doc& doc, const PositionList& lots,
                                       int32_t sourceSecurityId,
                                       const std::map<int32_t, int32_t>& keep) {
    std::vector<CFL2PosInfo> items;
    for (const CFL2DepotPos& lot : lots) {
        if (lot.securityId != sourceSecurityId || lot.selectedQuantity <= 0) continue;
        CFL2PosInfo item;
        item.positionNo = lot.positionNo;
        item.quantity = lot.selectedQuantity;
        const auto kept = keep.find(lot.positionNo);
        if (kept != keep.end()) {
            item.newPositionNo = kept->second;
        } else {
            item.newPositionNo = doc.nextPositionNo;
            doc.nextPositionNo += 2;
        }
        items.push_back(item);
    }
    return items;
}

void TakeExchangeFields(CFL2Transaktion& t, const ExchangeFields& f) {
    t.date = f.date;
    t.securityId = f.sourceSecurityId;
    t.oldPieces = f.oldPieces;
    t.otherId = f.targetSecurityId;
    t.newPieces = f.newPieces;
    t.allocKind = f.keepPurchaseDate ? 1 : 0;
    t.text = f.text;
}

}  // namespace

bool ConcernsSecurity(const CFL2Transaktion& t, int32_t securityId) {
    switch (t.type) {
        case TransactionType::Split:
            return false;
        case TransactionType::Exchange:
            return t.securityId == securityId || t.otherId == securityId;
        case TransactionType::AccountMovement:
            return t.linkFlag != 0 && t.securityId == securityId;
        default:
            return t.securityId == securityId;
    }
}

// --- Lot selection ---------------------------------------------------------------------

PositionList SellableLots(const CFolari2Doc& doc, CQRNDatum date, int32_t excludedTransactionId) {
    HoldingsQuery query;
    query.referenceMode = true;
    query.referenceDate = date;
    query.openOnly = true;
    query.targetCurrency = kBaseCurrencyId;
    query.excludedTransactionId = excludedTransactionId;
    return ComputeHoldings(doc, query);
}

std::vector<size_t> LotsOfSecurity(const PositionList& lots, int32_t securityId) {
    std::vector<size_t> indexes;
    for (size_t i = 0; i < lots.size(); ++i)
        if (lots[i].securityId == securityId) indexes.push_back(i);
    return indexes;
}

Quantity AvailableTotal(const PositionList& lots, int32_t securityId) {
    if (securityId == -1) return kUnlimitedAvailable;
    Quantity total = 0;
    for (const CFL2DepotPos& lot : lots)
        if (lot.securityId == securityId) total += lot.quantity;
    return total;
}

void SelectOldestFirst(PositionList& lots, int32_t securityId, Quantity quantity) {
    Quantity remaining = std::max<Quantity>(quantity, 0);
    for (CFL2DepotPos& lot : lots) {
        if (lot.securityId != securityId) continue;
        lot.selectedQuantity = std::min(remaining, lot.quantity);
        remaining -= lot.selectedQuantity;
    }
}

void SelectManually(PositionList& lots, int32_t securityId, Quantity quantity,
                    const std::map<int32_t, Quantity>& remembered) {
    Quantity sum = 0;
    for (CFL2DepotPos& lot : lots) {
        if (lot.securityId != securityId) continue;
        const auto it = remembered.find(lot.positionNo);
        if (it == remembered.end() || it->second < 0) {
            lot.selectedQuantity = -1;
            continue;
        }
        // A remembered choice can exceed the lot when the date moved to a day on which the
        // lot was smaller; taking more than the lot holds would drive it negative.
        const Quantity choice = std::min(it->second, lot.quantity);
        lot.selectedQuantity = std::max<Quantity>(0, std::min(choice, quantity - sum));
        sum += lot.selectedQuantity;
    }
}

LotSelection RefreshLotSelection(PositionList& lots, int32_t securityId, Quantity entered,
                                 bool oldestFirst, const std::map<int32_t, Quantity>& remembered) {
    LotSelection result;
    result.quantity = entered;
    if (securityId == -1) return result;
    result.lotCount = LotsOfSecurity(lots, securityId).size();
    result.listEnabled = true;
    result.oldestFirstEnabled = result.lotCount >= 2;
    result.distributeEnabled = result.lotCount >= 2 && !oldestFirst;
    if (oldestFirst || result.lotCount == 1)
        SelectOldestFirst(lots, securityId, entered);
    else
        SelectManually(lots, securityId, entered, remembered);
    result.quantity = std::min(entered, AvailableTotal(lots, securityId));
    return result;
}

QuantityBounds DistributeBounds(Quantity remaining, Quantity availableTotal, Quantity lotQuantity) {
    const Quantity min = remaining - (availableTotal - lotQuantity);
    return {std::max<Quantity>(min, 0), std::min(remaining, lotQuantity)};
}

Quantity ClampToBounds(Quantity entry, QuantityBounds bounds) {
    if (entry < bounds.min) return bounds.min;
    if (entry > bounds.max) return bounds.max;
    return entry;
}

std::string DistributeBoundsText(QuantityBounds bounds, const NumberFormat& format) {
    return "mindestens " + FormatQuantity(bounds.min, format) + " Stück\nhöchstens " +
           FormatQuantity(bounds.max, format) + " Stück";
}

std::optional<CQRNDatum> LatestAllocationDate(const CFolari2Doc& doc, int32_t positionNo,
                                              Quantity quantity) {
    std::optional<CQRNDatum> latest;
    for (const CFL2Transaktion& t : doc.transactions) {
        if (t.type != TransactionType::AccountMovement) continue;
        for (const CFL2PosInfo& item : t.allocations) {
            if (item.positionNo != positionNo || item.quantity <= quantity) continue;
            if (!latest || t.date > *latest) latest = t.date;
        }
    }
    return latest;
}

std::optional<AllocationConflict> FindAllocationConflict(const CFolari2Doc& doc,
                                                         const PositionList& lots,
                                                         int32_t securityId, CQRNDatum date,
                                                         bool sameDayBlocks) {
    const std::vector<size_t> rows = LotsOfSecurity(lots, securityId);
    for (size_t row = 0; row < rows.size(); ++row) {
        const CFL2DepotPos& lot = lots[rows[row]];
        if (lot.selectedQuantity <= 0) continue;
        const auto latest =
            LatestAllocationDate(doc, lot.positionNo, lot.quantity - lot.selectedQuantity);
        if (latest && (*latest > date || (sameDayBlocks && *latest == date)))
            return AllocationConflict{static_cast<int>(row) + 1, *latest};
    }
    return std::nullopt;
}

// --- Split -----------------------------------------------------------------------------

int32_t AddSplit(CFolari2Doc& doc, const SplitFields& fields, int roundDecimals) {
    if (!SplitFieldsValid(doc, fields)) return -1;
    int32_t id = -1;
    doc.Edit([&] {
        CFL2Transaktion t;
        t.id = id = doc.nextTransactionId++;
        t.type = TransactionType::Split;
        t.date = fields.date;
        t.securityId = fields.securityId;
        t.newPieces = fields.newPieces;
        t.oldPieces = fields.oldPieces;
        t.splitRatio = RatioOf(fields);
        t.text = fields.text;
        t.linkFlag = fields.permanent ? 1 : 0;
        if (fields.permanent)
            DivideQuotesBefore(doc, t.securityId, t.date, t.splitRatio, roundDecimals);
        FinishChange(doc, std::move(t));
        doc.lastTransactionDate = fields.date;
    });
    return id;
}

bool ChangeSplit(CFolari2Doc& doc, int32_t id, const SplitFields& fields, bool makePermanent,
                 int roundDecimals) {
    const CFL2Transaktion* found = FindOfType(doc, id, TransactionType::Split);
    if (found == nullptr || !SplitFieldsValid(doc, fields)) return false;
    CFL2Transaktion t = *found;
    return doc.Edit([&] {
        RemoveTransaction(doc, id);
        if (t.linkFlag == 0) {
            t.date = fields.date;
            t.securityId = fields.securityId;
            t.newPieces = fields.newPieces;
            t.oldPieces = fields.oldPieces;
            t.splitRatio = RatioOf(fields);
            if (makePermanent) {
                t.linkFlag = 1;
                DivideQuotesBefore(doc, t.securityId, t.date, t.splitRatio, roundDecimals);
            }
        }
        t.text = fields.text;
        FinishChange(doc, std::move(t));
    });
}

// --- Exchange --------------------------------------------------------------------------

int32_t AddExchange(CFolari2Doc& doc, const ExchangeFields& fields, const PositionList& lots) {
    int32_t id = -1;
    doc.Edit([&] {
        CFL2Transaktion t;
        t.id = id = doc.nextTransactionId++;
        t.type = TransactionType::Exchange;
        TakeExchangeFields(t, fields);
        t.allocations = ExchangeItems(doc, lots, fields.sourceSecurityId, {});
        FinishChange(doc, std::move(t));
        doc.lastTransactionDate = fields.date;
    });
    return id;
}

bool ChangeExchange(CFolari2Doc& doc, int32_t id, const ExchangeFields& fields,
                    const PositionList& lots) {
    const CFL2Transaktion* found = FindOfType(doc, id, TransactionType::Exchange);
    if (found == nullptr) return false;
    CFL2Transaktion t = *found;
    return doc.Edit([&] {
        std::map<int32_t, int32_t> keep;
        if (t.securityId == fields.sourceSecurityId)
            for (const CFL2PosInfo& item : t.allocations)
                keep.emplace(item.positionNo, item.newPositionNo);
        RemoveTransaction(doc, id);
        TakeExchangeFields(t, fields);
        t.allocations = ExchangeItems(doc, lots, fields.sourceSecurityId, keep);
        FinishChange(doc, std::move(t));
    });
}

MaybeMessage CheckExchangeSelection(const CFolari2Doc& doc, const PositionList& lots,
                                    const ExchangeFields& fields, bool oldestFirst) {
    const auto refusal = [](std::string text, const char* field) {
        return Message::Refusal(kExchangeTitle, std::move(text), field);
    };
    const int32_t source = fields.sourceSecurityId;
    if (fields.oldPieces > AvailableTotal(lots, source))
        return refusal("So viele Wertpapiere befinden sich nicht im Depot!",
                       kExchangeOldPiecesField);
    // An exchange sorts before the account movements of its day, so a movement on the day
    // itself needs the lot as well.
    if (const auto conflict = FindAllocationConflict(doc, lots, source, fields.date, true))
        return refusal("Position " + std::to_string(conflict->listPosition) +
                           " kann frühestens am " + NextDay(conflict->latestDate).FormatLong() +
                           " umgetauscht werden, da am Vortag eine Kontobewegung vorhanden ist, "
                           "die sich auf diese Position bezieht!",
                       kExchangeDateField);
    Quantity selected = 0;
    for (const size_t i : LotsOfSecurity(lots, source))
        if (lots[i].selectedQuantity > 0) selected += lots[i].selectedQuantity;
    if (selected == fields.oldPieces) return std::nullopt;
    if (LotsOfSecurity(lots, source).size() < 2 || oldestFirst)
        return refusal("Bitte geben Sie eine korrekte Stückzahl ein!", kExchangeOldPiecesField);
    return refusal(
        "Bitte teilen Sie die umgetauschten Stücke auf die verschiedenen Positionen "
        "auf!",
        kExchangeDistributeField);
}

}  // namespace pf

#include "engine/transaction_editor.h"

#include <algorithm>
#include <cmath>

#include "engine/number_entry.h"
#include "engine/split_exchange.h"
#include "model/document.h"

namespace pf {

namespace {

constexpr const char* kReferencedText =
    "Diese Transaktion kann nicht gelöscht werden, da andere Transaktionen vorhanden sind, die "
    "sich auf diese hier beziehen!";

bool IsMovement(const CFL2Transaktion& t) { return t.type == TransactionType::AccountMovement; }

// Whether some transaction other than `self` that `filter` accepts has an allocation item
// taking from or allocated to lot `positionNo`.
template <typename Filter>
bool Refers(const CFolari2Doc& doc, const CFL2Transaktion& self, int32_t positionNo,
            Filter filter) {
    for (const CFL2Transaktion& t : doc.transactions) {
        if (t.id == self.id || !filter(t)) continue;
        for (const CFL2PosInfo& item : t.allocations)
            if (item.positionNo == positionNo) return true;
    }
    return false;
}

// The refusal text for deleting `t`, or nullptr when it may go.
const char* RefusalOf(const CFolari2Doc& doc, const CFL2Transaktion& t) {
    const auto any = [](const CFL2Transaktion&) { return true; };
    const auto movementAfter = [&t](const CFL2Transaktion& m) {
        return IsMovement(m) && m.date > t.date;
    };
    switch (t.type) {
        case TransactionType::Buy:
            return Refers(doc, t, t.positionNo, any) ? kReferencedText : nullptr;
        case TransactionType::Sell:
            for (const CFL2PosInfo& item : t.allocations)
                if (Refers(doc, t, item.newPositionNo, IsMovement) ||
                    Refers(doc, t, item.positionNo, movementAfter))
                    return kReferencedText;
            return nullptr;
        case TransactionType::Exchange:
            for (const CFL2PosInfo& item : t.allocations)
                if (Refers(doc, t, item.newPositionNo, any) ||
                    Refers(doc, t, item.positionNo, movementAfter))
                    return kReferencedText;
            return nullptr;
        case TransactionType::Split: {
            const bool later = std::any_of(
                doc.transactions.begin(), doc.transactions.end(), [&](const CFL2Transaktion& o) {
                    return ConcernsSecurity(o, t.securityId) && o.date >= t.date;
                });
            if (later)
                return "Dieser Aktiensplit kann nicht mehr gelöscht werden, da nach dem Split "
                       "bereits weitere Transaktionen mit diesem Wertpapier eingegeben wurden!";
            if (t.linkFlag != 0) return "Dieser Aktiensplit kann nicht mehr gelöscht werden!";
            return nullptr;
        }
        default:
            return nullptr;  // account movements: nothing refers to them
    }
}

std::string SecurityName(const CFolari2Doc& doc, int32_t id) {
    const CFL2Wertpapier* s = doc.FindSecurity(id);
    return s != nullptr ? s->name : std::string();
}

std::string CurrencyName(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr ? c->name : std::string();
}

CQRNDatum DayBefore(CQRNDatum d) { return d.DayNumber() > 0 ? CQRNDatum(d.DayNumber() - 1) : d; }

// Product of the ratios of the security's splits in (after, upTo]: a split on the day of a
// sale or exchange is replayed before it, one on the purchase day before the purchase.
double SplitFactor(const CFolari2Doc& doc, int32_t securityId, CQRNDatum after, CQRNDatum upTo) {
    double factor = 1.0;
    for (const CFL2Transaktion& s : doc.transactions)
        if (s.type == TransactionType::Split && s.securityId == securityId && s.date > after &&
            s.date <= upTo)
            factor *= s.splitRatio;
    return factor;
}

}  // namespace

MaybeMessage CheckDelete(const CFolari2Doc& doc, int32_t id, const std::string& title) {
    const CFL2Transaktion* t = doc.FindTransaction(id);
    if (t == nullptr) return std::nullopt;
    if (const char* refusal = RefusalOf(doc, *t))
        return Message{title, refusal, MessageIcon::Information, ""};
    return Message{title, "Möchten Sie diese Transaktion wirklich löschen?", MessageIcon::Question,
                   ""};
}

bool DeleteTransaction(CFolari2Doc& doc, int32_t id) {
    const CFL2Transaktion* t = doc.FindTransaction(id);
    if (t == nullptr || RefusalOf(doc, *t) != nullptr) return false;
    return doc.Edit([&] {
        std::erase_if(doc.transactions, [id](const CFL2Transaktion& x) { return x.id == id; });
        doc.RebuildSplitLists();
    });
}

std::string TransactionDescription(const CFolari2Doc& doc, const CFL2Transaktion& t) {
    const NumberFormat format = NumberFormatOf(doc.options);
    switch (t.type) {
        case TransactionType::Buy:
        case TransactionType::Sell:
            return SecurityName(doc, t.securityId) + " - " + FormatQuantity(t.quantity, format) +
                   " St. zu " +
                   FormatDecimal(t.price, format, kPriceMinDecimals, kPriceMaxDecimals) + " " +
                   CurrencyName(doc, t.currency1);
        case TransactionType::Split:
            return SecurityName(doc, t.securityId) + " - " + FormatQuantity(t.newPieces, format) +
                   ":" + FormatQuantity(t.oldPieces, format);
        case TransactionType::AccountMovement: {
            const CFL2KontoVorgang* kind = doc.FindAccountMovementKind(t.otherId);
            std::string text = kind != nullptr ? kind->name : std::string();
            if (t.linkFlag != 0 && t.securityId != -1)
                text += " - " + SecurityName(doc, t.securityId);
            return text;
        }
        default:  // Exchange, and unknown types read as one
            return SecurityName(doc, t.securityId) + " (" + FormatQuantity(t.oldPieces, format) +
                   " St.) > " + SecurityName(doc, t.otherId) + " (" +
                   FormatQuantity(t.newPieces, format) + " St.)";
    }
}

std::vector<EditorRow> EditorRows(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to) {
    const NumberFormat format = NumberFormatOf(doc.options);
    std::vector<EditorRow> rows;
    for (const CFL2Transaktion& t : doc.transactions) {
        if (t.date < from || t.date > to) continue;
        EditorRow row;
        row.date = t.date.FormatLong();
        row.type = TransactionTypeLabel(t.type);
        row.description = TransactionDescription(doc, t);
        row.text = t.text;
        const bool withAmount = t.type == TransactionType::Buy || t.type == TransactionType::Sell ||
                                t.type == TransactionType::AccountMovement;
        if (withAmount) {
            row.amount = FormatDecimal(t.amount, format, kAmountDecimals, kAmountDecimals);
            row.currency = CurrencyName(doc, t.currency2);
        }
        row.transactionId = t.id;
        rows.push_back(std::move(row));
    }
    return rows;
}

EditorPeriod DefaultEditorPeriod(CQRNDatum today) {
    const CQRNDatum::Parts p = today.Split();
    EditorPeriod period{today, today};
    period.from.Set(1, p.month, p.year);
    period.to.Set(CQRNDatum::DaysInMonth(p.month, p.year), p.month, p.year);
    return period;
}

EditorSelection SelectEditorRow(const std::vector<EditorRow>& rows, int32_t selectId) {
    EditorSelection selection;
    if (selectId == -1) return selection;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].transactionId != selectId) continue;
        selection.row = static_cast<int>(i);
        selection.editEnabled = selection.deleteEnabled = true;
        break;
    }
    return selection;
}

PurchaseLimits PurchaseEditLimits(const CFolari2Doc& doc, int32_t purchaseId) {
    PurchaseLimits limits;
    const CFL2Transaktion* p = doc.FindTransaction(purchaseId);
    if (p == nullptr || p->type != TransactionType::Buy) return limits;

    const auto cap = [&](CQRNDatum d) {
        if (!limits.latestDate || d < *limits.latestDate) limits.latestDate = d;
    };
    Quantity takenExact = 0;   // taken before any split: same units as the purchase
    double takenScaled = 0.0;  // taken after splits, converted back to purchase units
    bool movementAllocated = false;
    for (const CFL2Transaktion& t : doc.transactions) {
        if (t.id == p->id) continue;
        const bool takes = t.type == TransactionType::Sell || t.type == TransactionType::Exchange;
        if (!takes && !IsMovement(t)) continue;
        for (const CFL2PosInfo& item : t.allocations) {
            if (item.positionNo != p->positionNo) continue;
            cap(t.type == TransactionType::Exchange ? DayBefore(t.date) : t.date);
            if (IsMovement(t)) {
                movementAllocated = true;
                continue;
            }
            const double factor = SplitFactor(doc, p->securityId, p->date, t.date);
            if (factor == 1.0)
                takenExact += item.quantity;
            else
                takenScaled += static_cast<double>(item.quantity) / factor;
        }
    }
    if (takenScaled > 0.0) {
        // Round up to the unit, but forgive the last bits of a division that should be exact.
        const double nearest = std::round(takenScaled);
        takenExact += static_cast<Quantity>(
            std::abs(takenScaled - nearest) < 1e-6 ? nearest : std::ceil(takenScaled));
    }
    limits.takenQuantity = takenExact;

    if (limits.latestDate) {
        for (const CFL2Transaktion& s : doc.transactions) {
            if (s.type != TransactionType::Split || s.securityId != p->securityId) continue;
            if (s.date > p->date && s.date <= *limits.latestDate) {
                limits.latestDate = DayBefore(s.date);
                break;  // the list is sorted, so this is the earliest such split
            }
        }
    }
    if (limits.takenQuantity > 0 && limits.takenQuantity < p->quantity)
        limits.minimumQuantity = limits.takenQuantity + 1;
    limits.quantityLocked = limits.takenQuantity >= p->quantity || movementAllocated;
    return limits;
}

bool SaleLotsLocked(const CFolari2Doc& doc, int32_t saleId) {
    const CFL2Transaktion* sale = doc.FindTransaction(saleId);
    if (sale == nullptr || sale->type != TransactionType::Sell) return false;
    const auto movementAfter = [sale](const CFL2Transaktion& m) {
        return IsMovement(m) && m.date > sale->date;
    };
    for (const CFL2PosInfo& item : sale->allocations)
        if (Refers(doc, *sale, item.newPositionNo, IsMovement) ||
            Refers(doc, *sale, item.positionNo, movementAfter))
            return true;
    return false;
}

std::map<int32_t, Quantity> EarlierSelection(const CFL2Transaktion& t) {
    std::map<int32_t, Quantity> selection;
    for (const CFL2PosInfo& item : t.allocations) selection[item.positionNo] += item.quantity;
    return selection;
}

static_assert(EntryForm<TransactionDeleteForm>);

}  // namespace pf

#include "model/transaction.h"

namespace pf {

const char* TransactionTypeLabel(TransactionType type) {
    switch (type) {
        case TransactionType::Split:
            return "Aktiensplit";
        case TransactionType::Buy:
            return "Kauf";
        case TransactionType::AccountMovement:
            return "Kontobewegung";
        case TransactionType::Sell:
            return "Verkauf";
        default:
            return "Umtausch";
    }
}

bool SortsBefore(const CFL2Transaktion& a, const CFL2Transaktion& b) {
    if (a.date != b.date) return a.date < b.date;
    if (a.type != b.type) return static_cast<int32_t>(a.type) < static_cast<int32_t>(b.type);
    return a.id < b.id;
}

}  // namespace pf

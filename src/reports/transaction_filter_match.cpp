#include "reports/transaction_filter_match.h"

#include <algorithm>

#include "model/document.h"
#include "model/rounding.h"
#include "model/transaction.h"
#include "reports/transaction_list_common.h"

namespace pf {

bool MatchesFilterText(const FilterText& condition, const std::string& text) {
    if (condition.active == 0) return true;
    switch (condition.match) {
        case kTextContains:
            return text.find(condition.text) != std::string::npos;
        case kTextStartsWith:
            return text.starts_with(condition.text);
        default:
            return text == condition.text;
    }
}

namespace {

std::vector<int32_t> Sorted(std::vector<int32_t> ids) {
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool Contains(const std::vector<int32_t>& sorted, int32_t id) {
    return std::binary_search(sorted.begin(), sorted.end(), id);
}

}  // namespace

TransactionFilterMatcher::TransactionFilterMatcher(const CFolari2Doc& doc)
    : doc_(doc),
      filter_(doc.options.transactionFilter),
      selected_(Sorted(doc.options.selectedSecurityIds)),
      kinds_(Sorted(doc.options.transactionFilter.movementKindIds)) {}

bool TransactionFilterMatcher::IsSelected(int32_t securityId) const {
    return securityId != -1 && Contains(selected_, securityId);
}

bool TransactionFilterMatcher::AmountPasses(const FilterAmount& condition,
                                            const CFL2Transaktion& t) const {
    if (condition.active == 0) return true;
    const Amount amount = AmountAtDate(doc_, t.amount, t.currency2, condition.currencyId, t.date);
    // The bounds were entered with 2 decimals; rounding them keeps a value that reads equal
    // to a bound inside the range.
    return RoundTo(condition.from, 2) <= amount && amount <= RoundTo(condition.to, 2);
}

bool TransactionFilterMatcher::Passes(const CFL2Transaktion& t) const {
    const TransactionFilter& f = filter_;
    switch (t.type) {
        case TransactionType::Buy:
        case TransactionType::Sell: {
            const bool shown =
                t.type == TransactionType::Buy ? f.showPurchases != 0 : f.showSales != 0;
            if (!shown) return false;
            if (f.tradesOnlySelected != 0 && !IsSelected(t.securityId)) return false;
            return MatchesFilterText(f.tradesText, t.text) && AmountPasses(f.tradesAmount, t);
        }
        case TransactionType::AccountMovement: {
            if (f.showMovements == 0) return false;
            if (f.movementsOnlySelected != 0 && (t.linkFlag == 0 || !IsSelected(t.securityId)))
                return false;
            if (f.movementsOnlySelectedKinds != 0 && !Contains(kinds_, t.otherId)) return false;
            return MatchesFilterText(f.movementsText, t.text) && AmountPasses(f.movementsAmount, t);
        }
        case TransactionType::Split:
            if (f.showSplits == 0) return false;
            if (f.corporateOnlySelected != 0 && !IsSelected(t.securityId)) return false;
            return MatchesFilterText(f.corporateText, t.text);
        default:  // Exchange, and unknown types read as one
            if (f.showExchanges == 0) return false;
            if (f.corporateOnlySelected != 0 && !IsSelected(t.securityId) && !IsSelected(t.otherId))
                return false;
            return MatchesFilterText(f.corporateText, t.text);
    }
}

}  // namespace pf

#include "engine/position_sort.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <unordered_map>

#include "model/document.h"

namespace pf {
namespace {

// Texts of a security by id; a missing security has empty texts.
template <typename Lookup>
const std::string& NameOf(const Lookup& find, int32_t securityId) {
    static const std::string empty;
    const CFL2Wertpapier* s = find(securityId);
    return s != nullptr ? s->name : empty;
}

template <typename Lookup>
const std::string& WknOf(const Lookup& find, int32_t securityId) {
    static const std::string empty;
    const CFL2Wertpapier* s = find(securityId);
    return s != nullptr ? s->wkn : empty;
}

// `find` maps a security id to the security or nullptr.
template <typename Lookup>
int CompareBy(const CFL2DepotPos& a, const CFL2DepotPos& b, PositionSortKey key,
              const Lookup& find) {
    using K = PositionSortKey;
    // clang-format off
    switch (key) {
        case K::SecurityName:  return CompareTexts(NameOf(find, a.securityId), NameOf(find, b.securityId));
        case K::Wkn:           return CompareTexts(WknOf(find, a.securityId), WknOf(find, b.securityId));
        case K::PurchaseDate:  return CompareValues(a.purchaseDate, b.purchaseDate);
        case K::SaleDate:      return CompareValues(a.saleDate, b.saleDate);
        case K::Quantity:      return CompareValues(a.quantity, b.quantity);
        case K::Price:         return CompareValues(a.price, b.price);
        case K::PurchaseValue: return CompareValues(a.purchaseValue, b.purchaseValue);
        case K::PurchaseTotal: return CompareValues(a.purchaseTotal, b.purchaseTotal);
        case K::SaleProceeds:  return CompareValues(a.saleProceeds, b.saleProceeds);
    }
    // clang-format on
    return 0;
}

}  // namespace

int ComparePositions(const CFL2DepotPos& a, const CFL2DepotPos& b, const CFolari2Doc& doc,
                     PositionSortKey key) {
    return CompareBy(a, b, key, [&doc](int32_t id) { return doc.FindSecurity(id); });
}

void SortPositions(PositionList& lots, const CFolari2Doc& doc, PositionSortKey key, bool descending,
                   int keepLast) {
    const size_t size = lots.size();
    const size_t kept = keepLast <= 0 ? 0 : std::min(size, static_cast<size_t>(keepLast));
    const size_t end = size - kept;
    // The sort makes a quadratic number of comparisons; look each security up once.
    std::unordered_map<int32_t, const CFL2Wertpapier*> securities;
    for (const CFL2Wertpapier& s : doc.securities) securities.try_emplace(s.id, &s);
    const auto find = [&securities](int32_t id) -> const CFL2Wertpapier* {
        const auto it = securities.find(id);
        return it == securities.end() ? nullptr : it->second;
    };

    ExchangeSort(
        lots.begin(), lots.begin() + static_cast<std::ptrdiff_t>(end),
        [&](const CFL2DepotPos& a, const CFL2DepotPos& b) { return CompareBy(a, b, key, find); },
        descending);
}

}  // namespace pf

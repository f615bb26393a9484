#pragma once

#include <algorithm>
#include <iterator>
#include <string>

#include "engine/holdings.h"

namespace pf {

class CFolari2Doc;

// What lots are ordered by. Adding a key: one value here and one line in ComparePositions
// (the compiler warns about a key without its line).
enum class PositionSortKey {
    SecurityName,  // name of the lot's security
    Wkn,           // WKN (code) of the lot's security
    PurchaseDate,
    SaleDate,
    Quantity,
    Price,          // purchase price per piece
    PurchaseValue,  // purchase market value, target currency
    PurchaseTotal,  // purchase amount plus allocated costs, target currency
    SaleProceeds,   // net proceeds less allocated sale costs, target currency
};

// < 0, 0 or > 0 as lot `a` sorts before, with or after lot `b` by `key`. Equal keys compare
// 0 (no further tie-break). Security texts are compared byte by byte as UTF-8, so "Ä" sorts
// after "Z"; a lot whose security is missing has an empty name and WKN.
int ComparePositions(const CFL2DepotPos& a, const CFL2DepotPos& b, const CFolari2Doc& doc,
                     PositionSortKey key);

// The three-way comparisons of the sort keys: -1, 0 or 1 as `a` sorts before, with or after
// `b`. Texts compare byte by byte as UTF-8 (std::string compares as unsigned char).
template <typename T>
int CompareValues(const T& a, const T& b) {
    return (b < a) - (a < b);
}
inline int CompareTexts(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
}

// The exchange sort that every list of lots is ordered with, so that ties come out the same
// in the engine and in the reports: for each place i from the first, every later element k
// is compared with the element now at i (`compare` returns < 0, 0 or > 0), and the two are
// swapped when the element at i sorts after element k (before it, when descending). Elements
// with equal keys therefore do not keep their original order. Quadratic in the length.
template <std::random_access_iterator Iterator, typename Compare>
void ExchangeSort(Iterator first, Iterator last, Compare compare, bool descending) {
    for (Iterator i = first; i != last; ++i) {
        for (Iterator k = std::next(i); k != last; ++k) {
            const int c = compare(*i, *k);
            if (descending ? c < 0 : c > 0) std::iter_swap(i, k);
        }
    }
}

// Reorders the first (size - keepLast) lots in place; the last keepLast lots (total rows a
// report has appended) keep their places. keepLast is clamped to 0..size.
//
// The order is that of ExchangeSort, and callers rely on it for ties.
void SortPositions(PositionList& lots, const CFolari2Doc& doc, PositionSortKey key, bool descending,
                   int keepLast = 0);

}  // namespace pf

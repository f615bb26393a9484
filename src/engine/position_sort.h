#pragma once

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

// Reorders the first (size - keepLast) lots in place; the last keepLast lots (total rows a
// report has appended) keep their places. keepLast is clamped to 0..size.
//
// The order is that of a plain exchange sort, and callers rely on it for ties: for each
// place i from the first, every later lot k is compared with the lot now at i, and the two
// are swapped when lot i sorts after lot k (before it, when descending). Lots with equal
// keys therefore do not keep their original order.
void SortPositions(PositionList& lots, const CFolari2Doc& doc, PositionSortKey key, bool descending,
                   int keepLast = 0);

}  // namespace pf

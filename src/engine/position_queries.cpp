#include "engine/position_queries.h"

#include <algorithm>

#include "model/document.h"

namespace pf {

bool IsHeldAt(const PositionList& lots, int32_t securityId, CQRNDatum date) {
    for (const CFL2DepotPos& lot : lots) {
        if (lot.securityId != securityId || lot.entryDate > date) continue;
        if (lot.state == PositionState::Open || lot.saleDate > date) return true;
    }
    return false;
}

std::vector<int32_t> SecuritiesWithLots(const CFolari2Doc& doc, const PositionList& lots) {
    std::vector<int32_t> ids;
    for (const CFL2Wertpapier& s : doc.securities) {
        const bool held = std::any_of(lots.begin(), lots.end(), [&](const CFL2DepotPos& lot) {
            return lot.securityId == s.id;
        });
        if (held) ids.push_back(s.id);
    }
    return ids;
}

}  // namespace pf

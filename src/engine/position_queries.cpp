#include "engine/position_queries.h"

namespace pf {

bool IsHeldAt(const PositionList& lots, int32_t securityId, CQRNDatum date) {
    for (const CFL2DepotPos& lot : lots) {
        if (lot.securityId != securityId || lot.entryDate > date) continue;
        if (lot.state == PositionState::Open || lot.saleDate > date) return true;
    }
    return false;
}

}  // namespace pf

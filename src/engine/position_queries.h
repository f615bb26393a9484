#pragma once

#include <cstdint>
#include <vector>

#include "engine/holdings.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

// Whether a security is in the depot at `date` according to a computed position list: some
// lot of it entered by then and is open, or was closed only after that date.
bool IsHeldAt(const PositionList& lots, int32_t securityId, CQRNDatum date);

// The securities that have at least one lot in `lots`, in the order of the document's
// security list (the choices of the security boxes of the transaction dialogs).
std::vector<int32_t> SecuritiesWithLots(const CFolari2Doc& doc, const PositionList& lots);

}  // namespace pf

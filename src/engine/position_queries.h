#pragma once

#include <cstdint>

#include "engine/holdings.h"
#include "model/date.h"

namespace pf {

// Whether a security is in the depot at `date` according to a computed position list: some
// lot of it entered by then and is open, or was closed only after that date.
bool IsHeldAt(const PositionList& lots, int32_t securityId, CQRNDatum date);

}  // namespace pf

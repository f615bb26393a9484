#pragma once

#include <cstdint>
#include <vector>

#include "model/date.h"

namespace pf {

// Everything of a child window's dialog bar that a view's content may depend on; the
// builder of each view takes what it needs. Views at one date use `reportDate`; views over
// a period use `periodFrom` to `periodTo`, both days included.
struct ViewState {
    CQRNDatum reportDate;
    CQRNDatum periodFrom;
    CQRNDatum periodTo;
    bool securityFilter = false;  // only the document's selected securities (transactions:
                                  // the transaction filter)
    bool simulateSales = false;   // realized gains: open positions valued as if sold at periodTo
    int developmentMeasure = 0;   // development diagram: which measure it draws
    int positionMeasure = 0;      // position diagram: which measure it draws
    std::vector<int32_t> selectedPositions;  // position diagram: position numbers chosen
    int32_t chartSecurityId = -1;            // chart: the security shown, -1 for none
};

}  // namespace pf

#pragma once

#include "model/document.h"

namespace pf {

// A small portfolio to look at: three securities with a year of quotes, a variable
// currency, purchases, a sale and account movements.
CFolari2Doc MakeSamplePortfolio(CQRNDatum today);

}  // namespace pf

#include "model/currency.h"

namespace pf {

double CFL2Waehrung::RateAt(CQRNDatum date) const {
    const CFL2Kurs* quote = rates.LatestOnOrBefore(date);
    return quote ? quote->value : 1.0;
}

double CFL2Waehrung::FactorAt(CQRNDatum date) const {
    const double rate = RateAt(date);
    return quoteFormat == kReferencePerUnit ? rate : 1.0 / rate;
}

}  // namespace pf

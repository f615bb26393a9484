#include "model/security.h"

namespace pf {

double CFL2Wertpapier::SplitAdjust(double value, CQRNDatum quoteDate, CQRNDatum viewDate) const {
    bool changed = false;
    for (const CFL2SplitInfo& s : splits) {
        if (quoteDate >= s.date) continue;
        if (!s.permanent && viewDate >= s.date) {
            value = value / s.ratio;
            changed = true;
        } else if (s.permanent && viewDate < s.date) {
            value = value * s.ratio;
            changed = true;
        }
    }
    return changed ? RoundTo(value, 7) : value;
}

double CFL2Wertpapier::PriceAt(CQRNDatum date, CQRNDatum viewDate) const {
    const CFL2Kurs* quote = quotes.LatestOnOrBefore(date);
    if (quote == nullptr) return 0.0;
    return SplitAdjust(quote->value, quote->date, viewDate);
}

int CFL2Wertpapier::ExactPriceAt(CQRNDatum date, CQRNDatum viewDate, double& value) const {
    double raw = 0.0;
    if (!quotes.QuoteOn(date, raw)) return 0;
    value = SplitAdjust(raw, date, viewDate);
    return 1;
}

}  // namespace pf

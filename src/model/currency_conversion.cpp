#include "model/currency_conversion.h"

#include "model/document.h"
#include "model/rounding.h"

namespace pf {

namespace {

bool IsFixed(const CFL2Waehrung& c) { return c.id == kBaseCurrencyId || c.isFixed != 0; }

// The base currency counts as 1.0 / 1.0 whatever its record holds.
double Rate1(const CFL2Waehrung& c) { return c.id == kBaseCurrencyId ? 1.0 : c.fixedRate1; }
double Rate2(const CFL2Waehrung& c) { return c.id == kBaseCurrencyId ? 1.0 : c.fixedRate2; }

}  // namespace

FixedFactors FixedRateFactors(const CFolari2Doc& doc, int32_t a, int32_t b) {
    const CFL2Waehrung* ca = doc.FindCurrency(a);
    const CFL2Waehrung* cb = doc.FindCurrency(b);
    if (ca == nullptr || cb == nullptr || !IsFixed(*ca) || !IsFixed(*cb)) return {};
    if (a == b) return {true, 1.0, 1.0};
    if (a == kBaseCurrencyId) return {true, Rate2(*cb), Rate1(*cb)};
    if (b == kBaseCurrencyId) return {true, Rate1(*ca), Rate2(*ca)};
    return {true, Rate2(*cb) * Rate1(*ca), Rate1(*cb) * Rate2(*ca)};
}

double ConvertFixed(const CFolari2Doc& doc, double amount, int32_t a, int32_t b, int decimals) {
    if (a != b) {
        const FixedFactors f = FixedRateFactors(doc, a, b);
        amount = f.ok ? amount * f.multiplier / f.divisor : 0.0;
    }
    return RoundTo(amount, decimals);
}

double ConvertAtDate(const CFolari2Doc& doc, double amount, CQRNDatum date, int32_t a, int32_t b,
                     int decimals) {
    if (a == b) return RoundTo(amount, decimals);
    const CFL2Waehrung* ca = doc.FindCurrency(a);
    const CFL2Waehrung* cb = doc.FindCurrency(b);
    const bool aVariable = ca != nullptr && !IsFixed(*ca);
    const bool bVariable = cb != nullptr && !IsFixed(*cb);
    if (!aVariable && !bVariable) return ConvertFixed(doc, amount, a, b, decimals);
    if (aVariable) {
        amount = amount * ca->FactorAt(date);
        a = ca->referenceCurrencyId;
    }
    if (bVariable) {
        if (a != cb->referenceCurrencyId)
            amount = ConvertFixed(doc, amount, a, cb->referenceCurrencyId, 7);
        amount = amount / cb->FactorAt(date);
    } else if (a != b) {
        amount = ConvertFixed(doc, amount, a, b, 7);
    }
    return RoundTo(amount, decimals);
}

}  // namespace pf

#pragma once

#include <cstdint>
#include <string>

#include "engine/holdings.h"
#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

// The values a purchase or sale dialog hands over on OK.
struct TradeFields {
    CQRNDatum date;
    int32_t securityId = -1;
    Quantity quantity = 0;
    Price price = 0.0;
    Amount marketValue1 = 0.0;
    Amount commission1 = 0.0;
    int32_t currency1 = 0;
    Rate rateBase = 1.0;
    Rate rateQuote = 1.0;
    Amount commission2 = 0.0;
    int32_t currency2 = 0;
    Amount amount = 0.0;  // purchase: debited; sale: net proceeds credited
    std::string text;
    // Purchase only: stored for the lot's position number (0 = none).
    Price stopPrice = 0.0;
    Price targetPrice = 0.0;
};

// The running calculation of a purchase or sale. When currency 1 differs from currency 2,
// commission 1 is added (purchase) or taken off (sale) in currency 1 and the subtotal is
// converted with the rate pair; otherwise the market value is taken as it is.
struct TradeSums {
    Amount marketValue = 0.0;  // RoundTo(quantity / 10,000,000 × price, 2), currency 1
    Amount subtotal = 0.0;     // market value ± commission 1, currency 1
    Amount converted = 0.0;    // in currency 2
    Amount amount = 0.0;       // converted ± commission 2, currency 2
};
Amount MarketValue(Quantity quantity, Price price);
TradeSums PurchaseSums(Quantity quantity, Price price, Amount commission1, int32_t currency1,
                       Rate rateBase, Rate rateQuote, Amount commission2, int32_t currency2);
TradeSums SaleSums(Quantity quantity, Price price, Amount commission1, int32_t currency1,
                   Rate rateBase, Rate rateQuote, Amount commission2, int32_t currency2);

// The calculation line under the fields, e.g. "100,00 US-Dollar + 2,00 US-Dollar = 102,00
// US-Dollar > 92,73 Euro + 4,90 Euro = 97,63 Euro" (amounts with 2 decimals and the
// document's separators, each followed by the currency's name; with currencies that differ
// the text up to the first "= " is dropped, and a conversion into the account currency at
// the date follows when that differs from currency 2).
std::string TradeCalculationLine(const CFolari2Doc& doc, bool sale, CQRNDatum date,
                                 Quantity quantity, Price price, Amount commission1,
                                 int32_t currency1, Rate rateBase, Rate rateQuote,
                                 Amount commission2, int32_t currency2);

// The rate pair a dialog shows for two currencies: 1 : 1 when they are the same, the fixed
// factors (divisor : multiplier) when currency 1 is a fixed-rate currency; otherwise
// nothing (the user types it) — `fixed` says whether the fields are locked.
struct RatePair {
    bool fixed = false;
    Rate base = 1.0;
    Rate quote = 1.0;
};
RatePair DefaultRatePair(const CFolari2Doc& doc, int32_t currency1, int32_t currency2);

// Adds a purchase with a new id and position number and stores its stop and target price
// for that number. Remembers the date for the next new transaction. Returns the id.
int32_t AddPurchase(CFolari2Doc& doc, const TradeFields& fields);
// Overwrites the purchase `id` (nothing happens if there is none) and re-sorts it.
bool ChangePurchase(CFolari2Doc& doc, int32_t id, const TradeFields& fields);

// Adds a sale whose allocation takes the `selectedQuantity` of every lot of the security in
// `lots` (list order), each sold piece with a new position number. Returns the id.
int32_t AddSale(CFolari2Doc& doc, const TradeFields& fields, const PositionList& lots);
// Overwrites the sale `id` and rebuilds its allocation the same way; with the security
// unchanged, a lot that the old allocation already took keeps the number of its sold
// piece, so that movements and stop/target entries referring to it stay valid.
bool ChangeSale(CFolari2Doc& doc, int32_t id, const TradeFields& fields, const PositionList& lots);

// After the rate of the fixed-rate currency `currency` (not the base currency) changed:
// every purchase and sale with currency 1 = it, or with currency 2 = it and a fixed-rate
// currency 1, gets the new fixed rate pair and its amount worked out again. The stored
// market value stays. Returns how many transactions changed.
int RecomputeForFixedRate(CFolari2Doc& doc, int32_t currency);

}  // namespace pf

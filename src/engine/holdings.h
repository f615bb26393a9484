#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

enum class PositionState : int32_t { Open = 0, Sold = 1, ExchangedOut = 2 };

// How a lot is put back to its state at the reference date after later splits.
enum class SplitRestoreMark : int32_t { None = 0, Exact = 1, Consumed = 2, Derived = 10 };

// One lot of the depot, built by ComputeHoldings and never stored. Prices and the purchase
// and sale amounts are in the currencies of their transactions; the seven fields from
// purchaseCosts to saleValue are in the computation's target currency.
struct CFL2DepotPos {
    int32_t positionNo = -1;
    int32_t transactionId =
        -1;  // the buy or exchange that made it, or the sale or exchange that closed it
    int32_t securityId = -1;
    Quantity quantity = 0;
    PositionState state = PositionState::Open;
    int32_t fromExchange = 0;  // created by an exchange ("Aus Umtausch")
    CQRNDatum purchaseDate;
    CQRNDatum entryDate;  // when the lot entered the depot in its present form
    Price price = 0.0;
    Amount marketValue1 = 0.0;
    Amount commission1 = 0.0;
    int32_t currency1 = 0;
    Rate rateBase = 1.0;
    Rate rateQuote = 1.0;
    Amount commission2 = 0.0;
    int32_t currency2 = 0;
    Amount amount = 0.0;
    std::string text;
    Price stopPrice = 0.0;
    Price targetPrice = 0.0;

    CQRNDatum saleDate;  // or the exchange date of an exchanged-out piece
    Price salePrice = 0.0;
    Amount saleMarketValue1 = 0.0;
    Amount saleCommission1 = 0.0;
    int32_t saleCurrency1 = 0;
    Rate saleRateBase = 0.0;
    Rate saleRateQuote = 0.0;
    Amount saleCommission2 = 0.0;
    int32_t saleCurrency2 = 0;
    Amount saleAmount = 0.0;
    std::string saleText;

    // In the target currency.
    Amount purchaseCosts = 0.0;  // commissions at purchase plus allocated purchase costs
    Amount purchaseTotal = 0.0;  // purchase amount plus allocated purchase costs
    Amount income = 0.0;         // allocated dividends and other income
    Amount saleCosts = 0.0;      // commissions at sale plus allocated sale costs
    Amount saleProceeds = 0.0;   // net proceeds less allocated sale costs
    Amount purchaseValue = 0.0;  // purchase market value
    Amount saleValue = 0.0;      // sale market value

    // Pieces chosen for this lot in a sale, exchange or allocation; -1 = none.
    Quantity selectedQuantity = -1;

    SplitRestoreMark restoreMark = SplitRestoreMark::None;
    double restoreFactor = 0.0;  // product of the ratios of splits after the reference date
    Price savedPrice = 0.0;      // price before the first such split
    Quantity savedQuantity = 0;  // quantity before the first such split

    bool operator==(const CFL2DepotPos&) const = default;
};

// The lots of one computation, in the order in which they were created.
using PositionList = std::vector<CFL2DepotPos>;

// What ComputeHoldings replays and keeps.
struct HoldingsQuery {
    // Replay everything, then keep the lots that had entered the depot by referenceDate, with
    // their quantities and prices as they were on that date (undoing later splits).
    bool referenceMode = false;
    CQRNDatum referenceDate;
    // Drop sold and exchanged-out lots at the end.
    bool openOnly = false;
    // Replay only transactions dated on or before limitDate; with excludeSalesOnLimitDate,
    // sales on limitDate itself are left out too.
    bool limitByDate = false;
    CQRNDatum limitDate;
    bool excludeSalesOnLimitDate = false;
    // Currency of the seven target-currency fields.
    int32_t targetCurrency = 0;
    // A transaction to leave out (the one being edited); -1 = none.
    int32_t excludedTransactionId = -1;
};

// Replays the document's transactions into lots. Stored data that does not fit together
// (allocation items naming missing lots, zero quantities or ratios, unknown ids or types)
// never stops the replay: missing lots are skipped, unknown types ignored.
PositionList ComputeHoldings(const CFolari2Doc& doc, const HoldingsQuery& query);

// q · f with the quantity rounding of the replay: trunc(q · f · 10 + 5) / 10.
Quantity MultiplyQuantity(Quantity q, double f);

}  // namespace pf

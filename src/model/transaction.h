#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"

namespace pf {

// Kind of a transaction. On one day the kinds sort in this order. A stored value outside
// the list is kept as it is.
enum class TransactionType : int32_t {
    Split = 10,
    Exchange = 15,
    Buy = 20,
    AccountMovement = 50,
    Sell = 100,
};

// "Aktiensplit", "Umtausch", "Kauf", "Kontobewegung", "Verkauf"; any unknown value reads
// as "Umtausch".
const char* TransactionTypeLabel(TransactionType type);

// How an account movement related to a security is booked (CFL2Transaktion::allocKind).
enum AllocationKind : int32_t {
    kPurchaseCosts = 0,  // costs arising on purchase
    kIncome = 1,         // dividends and other income
    kSaleCosts = 2,      // costs arising on sale
};

// One allocation item of a sale, exchange or account movement: how many pieces of which
// lot were given up (and, for an exchange, the number of the lot created from it).
struct CFL2PosInfo {
    static constexpr int kSchema = 1;
    int32_t newPositionNo = -1;
    int32_t positionNo = -1;
    Quantity quantity = 0;

    bool operator==(const CFL2PosInfo&) const = default;
};

// A transaction. Fields appear in the order in which they are stored; the comment of each
// says what it holds for which type.
struct CFL2Transaktion {
    static constexpr int kSchema = 2;

    int32_t id = -1;
    TransactionType type = TransactionType::Buy;
    int32_t securityId = -1;  // bought, sold, split or given in exchange; movement: related
    int32_t positionNo = -1;  // buy: number of the new lot
    int32_t currency2 = 0;    // account side
    Amount amount = 0.0;      // buy: total price with costs; sell: net proceeds; movement
    std::string text;
    Price price = 0.0;  // per piece, in currency1
    Amount marketValue1 = 0.0;
    Amount commission1 = 0.0;
    int32_t currency1 = 0;  // security side
    Rate rateBase = 1.0;    // currency2 value = currency1 value * rateQuote / rateBase
    Rate rateQuote = 1.0;
    Amount commission2 = 0.0;
    int32_t otherId = -1;  // exchange: security received; movement: its kind
    int32_t kindOutflow = 0;
    int32_t kindCapital = 0;
    int32_t linkFlag = 0;     // movement: relates to securityId; split: quotes divided for good
    int32_t allocKind = 0;    // movement: AllocationKind; exchange: keep the purchase date
    double splitRatio = 1.0;  // newPieces / oldPieces
    Quantity quantity = 0;
    Quantity oldPieces = 0;
    Quantity newPieces = 0;
    CQRNDatum date;
    std::vector<CFL2PosInfo> allocations;

    bool operator==(const CFL2Transaktion&) const = default;
};

// The order of the transaction list: date, then type, then id.
bool SortsBefore(const CFL2Transaktion& a, const CFL2Transaktion& b);

}  // namespace pf

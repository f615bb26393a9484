#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

// Which way a payment flows, seen from the investment: "E" (Einzahlung) puts money into it,
// "A" (Auszahlung) takes money out of it.
enum class FlowDirection { In, Out };

// Where a payment comes from.
enum class FlowKind { StartHolding, Transaction, EndHolding };

// One payment of the return calculation.
struct CashFlowEntry {
    int32_t securityId = -1;
    CQRNDatum date;
    std::string securityText;  // name " (" WKN ")"
    std::string description;   // column "Vorgang"
    Amount amount = 0.0;       // in the report currency, 2 decimals, positive as entered
    FlowDirection direction = FlowDirection::In;
    FlowKind kind = FlowKind::Transaction;
    int32_t transactionId = -1;  // the transaction behind it; -1 for start and end holdings

    // The amount with the sign the rate search uses: In negative, Out positive.
    Amount Signed() const { return direction == FlowDirection::In ? -amount : amount; }
};

struct CashFlowOptions {
    int32_t currencyId = 0;       // report currency
    bool withoutTaxes = false;    // leave out movements of the kind "Steuern"
    bool securityFilter = false;  // only the document's selected securities
};

inline constexpr const char* kStartHoldingText = "Anfangsbestand";
inline constexpr const char* kEndHoldingText = "Endbestand";
inline constexpr const char* kTaxKindName = "Steuern";

// The security as the return calculation names it: name " (" WKN ")"; empty for an unknown id.
std::string SecurityText(const CFolari2Doc& doc, int32_t securityId);

// The payments of every security from `from` to `to`, each converted into the report currency
// at its date and rounded to 2 decimals, in this order:
// - every lot open at the end of `from`: "Anfangsbestand", In, its pieces at that day's quote;
// - every transaction dated after `from` and up to `to`, in transaction order: a purchase
//   ("Kauf", In) and a sale ("Verkauf", Out) with their booked amounts; an exchange with two
//   payments of the same value, "Umtausch in " + the received security (Out, on the given
//   security) and "Aus Umtausch " + the given security (In, on the received one); an account
//   movement linked to a security with its kind's name and its amount, In for a kind that
//   takes money from the account (costs), Out for one that credits it (income);
// - every lot open at the end of `to`: "Endbestand", Out, its pieces at that day's quote.
// Splits are no payments. The value of an exchange is the given pieces at the given
// security's quote of the day, or, when that security has no quote, the received pieces at
// the received security's quote. A period that ends before it starts has no payments.
std::vector<CashFlowEntry> CollectCashFlows(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                            const CashFlowOptions& options);

}  // namespace pf

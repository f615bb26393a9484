#pragma once

// The gain/loss evaluation ("Gewinn- und Verlustauswertung"): a statement of a period in five
// sections (realized gains and losses, costs, income, interest, taxes) with their sums, the
// running subtotals and the final total.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;

// Bits of the item mask (GainLossReportOptions::itemMask): which lines the statement shows
// and which amounts it counts.
enum GainLossItemBit : int {
    kGvRealized = 0,           // "Realisierte Gewinne u. Verluste"
    kGvRealizedTitles = 3,     // "  + Spaltentitel"
    kGvRealizedPositions = 4,  // "  + Wertpapierpositionen"
    kGvRealizedValues = 5,     // "  + Kauf-/Verkaufwert"
    kGvCosts = 6,              // "Kosten"
    kGvTransactionCosts = 7,   // "  ... Transaktionskosten"
    kGvLimitFees = 8,          // "  ... Limit-Gebühren"
    kGvIncomeExpenses = 9,     // "  ... Werbungskosten"
    kGvCustodyFees = 10,       // "  ... Depotgebühren"
    kGvOtherCosts = 11,        // "  ... Sonstige Kosten"
    kGvCostsTitles = 12,       // "  + Spaltentitel"
    kGvCostsBookings = 13,     // "  + Einzelaufstellung"
    kGvCostsSubtotal = 14,     // "ZWISCHENSUMME"
    kGvIncome = 15,            // income section
    kGvDividends = 16,         // "  ... Dividenden-Gutschrift"
    kGvCoupons = 17,           // "  ... Coupon-Gutschrift"
    kGvRightsSales = 18,       // "  ... Bezugsrechtsverkauf"
    kGvDistributions = 19,     // "  ... Ausschüttung"
    kGvOtherIncome = 20,       // "  ... Sonstige Erträge"
    kGvIncomeTitles = 21,      // "  + Spaltentitel"
    kGvIncomeBookings = 22,    // "  + Einzelaufstellung"
    kGvIncomeSubtotal = 23,    // "ZWISCHENSUMME"
    kGvInterest = 24,          // "Zinsen"
    kGvInterestIncome = 25,    // "  ... Zinserträge"
    kGvInterestExpenses = 26,  // "  ... Zinskosten"
    kGvInterestTitles = 27,    // "  + Spaltentitel"
    kGvInterestBookings = 28,  // "  + Einzelaufstellung"
    kGvInterestSubtotal = 29,  // "ZWISCHENSUMME"
    kGvTaxes = 30,             // "Steuern": the section and its one item
    kGvTaxesTitles = 32,       // "  + Spaltentitel"
    kGvTaxesBookings = 33,     // "  + Einzelaufstellung"
    kGvFinalTotal = 34,        // "ENDSUMME"
};

// One position sold in the period. Amounts in the report currency, 2 decimals.
struct GainLossSale {
    int32_t transactionId = -1;  // the sale
    int32_t securityId = -1;
    CQRNDatum saleDate;
    CQRNDatum purchaseDate;
    std::string securityText;  // name " (" WKN ")"
    // "Kaufpreis" (purchase value plus the commissions paid on the purchase) or "Kaufwert"
    // (purchase value), as the options choose.
    Amount purchaseBasis = 0.0;
    Amount saleValue = 0.0;  // "Verkaufwert", without the sale costs
    Amount gainLoss = 0.0;   // sale value - purchase basis
    Amount saleCosts = 0.0;  // commissions of the sale (counted under the costs)
};

// The sales of one tax-category group (or of all sales without grouping).
struct GainLossGroup {
    std::string label;      // the category's name, "Sonstige" without category;
                            // "Alle Verkäufe" without grouping
    std::string costLabel;  // its line of sale costs: "Transaktionskosten für Verkäufe[ name]"
    std::vector<GainLossSale> sales;  // by sale date
    Amount gainLoss = 0.0;
    Amount saleCosts = 0.0;  // positive
};

// A booking behind an item: an account movement, or a purchase or sale with costs.
struct GainLossBooking {
    int32_t transactionId = -1;
    int32_t securityId = -1;  // -1 when not linked
    CQRNDatum date;
    std::string text;          // the movement's text; "Kauf" or "Verkauf" for trade costs
    std::string securityText;  // name " (" WKN ")", empty when not linked
    // Signed, in the report currency, converted at the booking date with 2 decimals (0 when a
    // currency with variable rate has no rate on or before that date). Credits are positive,
    // debits negative: a cost is negative, a reversed dividend too.
    Amount amount = 0.0;
};

// One line of the costs, income, interest or taxes section.
struct GainLossItem {
    int bit = -1;  // GainLossItemBit
    std::string label;
    bool shown = false;  // its bit and its section's bit are set: shown and counted
    Amount sum = 0.0;    // sum of the bookings' signed amounts, 2 decimals
    std::vector<GainLossBooking> bookings;  // in transaction-list order
    // The transaction costs item only: `bookings` are the period's purchases with costs and
    // `purchaseCosts` their signed sum; `sum` adds the sale costs of every group.
    Amount purchaseCosts = 0.0;
};

struct GainLossSection {
    int bit = -1;  // the section's bit
    std::string heading;
    bool shown = false;
    std::vector<GainLossItem> items;
    Amount sum = 0.0;           // of the shown items (realized: of the groups), 2 decimals
    Amount runningTotal = 0.0;  // the sums of the shown sections up to this one
};

// The whole statement as numbers, before any layout.
struct GainLossStatement {
    CQRNDatum from;
    CQRNDatum to;
    int32_t currencyId = 0;
    std::string currencyName;
    bool costsInPurchasePrice = false;  // the basis is "Kaufpreis", else "Kaufwert"
    std::vector<GainLossGroup> groups;  // the groups with at least one sale, category order
    // Realized, costs, income, interest, taxes. The realized section has no items; the
    // transaction costs item of the costs section counts the commissions of the period's buys
    // (none when they are part of the purchase price) and the commissions of its sales.
    std::vector<GainLossSection> sections;
    Amount total = 0.0;  // "ENDSUMME": the sums of the shown sections
};

// Section indexes of GainLossStatement::sections.
enum GainLossSectionIndex : int {
    kGvSectionRealized = 0,
    kGvSectionCosts = 1,
    kGvSectionIncome = 2,
    kGvSectionInterest = 3,
    kGvSectionTaxes = 4,
};

// The statement from `from` to `to` (both included) with the options of the gain/loss
// evaluation (options.gainLoss). A section or item whose bit is off is computed but neither
// shown nor counted in the sums. A start after the end gives empty sections.
GainLossStatement ComputeGainLoss(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to);

// The report "Gewinn- und Verlustauswertung" in the appearance of the reports (options.reports),
// text only, every row white. Rows of a sale and of a booking carry its transaction as
// kUserTransaction and its security as kUserSecurity; every other row -1.
std::unique_ptr<ReportTable> BuildGainLossReport(const CFolari2Doc& doc, CQRNDatum from,
                                                 CQRNDatum to);

}  // namespace pf

#pragma once

// What the holdings report and the realized gains and losses report share: the record of
// one row made from a lot, its holding period and tax category, merging of the lots of one
// security, sum records, the derived values, the decimals of the number columns, row styles
// and cell texts. The column type and the cell writers the column tables share are in
// position_columns.h, sorting in position_sort_keys.h.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/holdings.h"
#include "model/date.h"
#include "model/document_options.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "reports/annualisation.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;
struct CFL2Wertpapier;

enum class RecordKind {
    Position,     // one lot, or the lots of one security when merged
    CategorySum,  // the sales of one tax category (realized report)
    Total,        // the total of all rows
};

// One row of a position report. Amounts are in the report currency unless a field says
// otherwise; prices are per piece.
struct PositionRecord {
    RecordKind kind = RecordKind::Position;

    // The lot: its security, the transaction behind the row (the buy for an open lot, the
    // sale for a sold one) and its number. -1 on sum records.
    int32_t securityId = -1;
    int32_t transactionId = -1;
    int32_t positionNo = -1;

    // Texts of the security; empty when the security is missing.
    std::string name;
    std::string wkn;
    std::string isin;
    std::string type;
    std::string sector;
    std::string country;
    std::string index;
    std::string category1;
    std::string category2;
    int32_t quoteCurrencyId = -1;
    std::string quoteCurrencyName;
    bool subjectToHalfIncome = false;

    Quantity quantity = 0;
    CQRNDatum purchaseDate;
    int daysInDepot = 0;  // report date (holdings) or sale date (realized) - purchase date

    // Index into the document's tax categories, -1 = none; with its two names.
    int taxCategory = -1;
    std::string taxName;
    std::string taxAbbreviation;

    Price buyPrice = 0.0;  // in the buy currency (currency 1 of the purchase)
    int32_t buyCurrencyId = -1;
    std::string buyCurrencyName;
    Price buyPriceReport = 0.0;  // 7 decimals

    Amount purchaseValue = 0.0;  // "Kaufwert", without costs
    Amount purchaseCosts = 0.0;  // "Provision, Courtage, Spesen"
    Amount purchasePrice = 0.0;  // "Kaufpreis", purchase value plus costs
    Amount dividends = 0.0;      // dividends and other income

    // Holdings: the valuation at the report date. The current price is in the quote
    // currency, split-adjusted as seen from the report date; 0 when there is no quote.
    Price currentPrice = 0.0;
    bool currentPriceFromReportDate = false;
    Price currentPriceReport = 0.0;  // 7 decimals
    Amount currentValue = 0.0;       // 2 decimals

    // Realized: the sale (or the simulated sale at the end date).
    CQRNDatum saleDate;
    Price salePrice = 0.0;  // in the sale currency (currency 1 of the sale)
    int32_t saleCurrencyId = -1;
    std::string saleCurrencyName;
    Price salePriceReport = 0.0;  // 7 decimals
    Amount saleValue = 0.0;       // "Verkaufwert", pieces × sale price
    Amount saleCosts = 0.0;
    Amount proceeds = 0.0;  // "Verkauferlös", sale value less sale costs
    std::string saleText;
    bool simulated = false;  // an open lot shown as if sold at the end date

    // Derived values (ComputeDerivedValues). The cost basis is the purchase price with
    // commissions included, else the purchase value; the result basis is the current value
    // (holdings), or the proceeds with commissions included, else the sale value (realized).
    Amount costBasis = 0.0;
    Amount resultBasis = 0.0;
    Amount gainLoss = 0.0;               // result basis - cost basis, 2 decimals
    Amount gainLossWithDividends = 0.0;  // gainLoss + dividends, 2 decimals
    // Percentages exist only for a positive cost basis; the reports show "-" otherwise.
    bool hasPercentages = false;
    double gainLossPercent = 0.0;  // all percentages rounded to the report's decimals
    double dividendPercent = 0.0;
    double gainLossWithDividendsPercent = 0.0;
    double annualisedPercent = 0.0;               // "G/V p.a."; 10001 and -10001 are caps
    double annualisedWithDividendsPercent = 0.0;  // "G/V inkl. Div. p.a."

    // One item per lot: the days the lot was held (at least 1) and its cost basis.
    std::vector<CashFlowItem> cashFlows;

    // Holdings: stop and target price (0 = none) and whether the current price reached them
    // (a lot that reached both counts as stop reached only).
    Price stopPrice = 0.0;
    Price targetPrice = 0.0;
    bool stopReached = false;
    bool targetReached = false;

    bool merged = false;  // several lots of one security folded into this row
    int lotCount = 1;     // lots in this row (sum records: rows added)

    // Sum records: the text of the row ("Summe", a category's name, "-").
    std::string label;
};

// Fills the security texts and the quote currency of a record; a missing security leaves
// them empty.
void SetSecurityTexts(const CFolari2Doc& doc, const CFL2Wertpapier* security,
                      PositionRecord& record);

// The name of a currency, or "" when it does not exist.
std::string CurrencyNameOf(const CFolari2Doc& doc, int32_t currencyId);

// A per-piece price of a transaction in the report currency: unchanged when `currency1` is
// the report currency; else price × rateQuote ÷ rateBase rounded to 7 decimals (the rate of
// the transaction, into `currency2`), then converted from currency 2 into the report
// currency with the rates of `date` when they differ. 0 for a rate base of 0, and 0 when
// that conversion needs the rate of a currency with variable rate that has none on or
// before `date` (rather than the factor 1 that a conversion without rates uses).
Price PriceInReportCurrency(const CFolari2Doc& doc, Price price, int32_t currency1, Rate rateBase,
                            Rate rateQuote, int32_t currency2, int32_t reportCurrency,
                            CQRNDatum date);

// The record of one lot with its purchase side: security, pieces, purchase date, buy price
// (also in the report currency, converted with the rates of `rateDate`), the purchase
// amounts and dividends in the report currency (the lot's target-currency fields), stop and
// target price. `transactionId` is the lot's: the buy for an open lot, the sale for a sold one.
PositionRecord LotRecord(const CFolari2Doc& doc, const CFL2DepotPos& lot, int32_t reportCurrency,
                         CQRNDatum rateDate);

// The holding period of a lot record that ends on `end` (the report date, or the sale
// date): the days in the depot, the lot's cash flow (at least 1 day, its cost basis) and the
// tax category that applies to a sale on `end`.
void SetHoldingPeriod(const CFolari2Doc& doc, PositionRecord& record, CQRNDatum end,
                      bool includeCommissions);

// Folds every later record of the same security into the first one and removes it, keeping
// the order of the rest: pieces and every amount are added, the buy (and sale) price in the
// report currency becomes the average RoundTo(value / pieces, 7), the stop price the higher
// one, the target price the lower positive one, the cash flows are concatenated and the
// record is flagged as merged. A record without a later partner stays as it is.
void MergePositions(std::vector<PositionRecord>& records);

// Adds a position to a sum record: pieces, the purchase and sale amounts, dividends,
// current value and the cash flows.
void AddToSum(PositionRecord& sum, const PositionRecord& position);

// How the derived values are computed.
struct DerivedValueOptions {
    bool includeCommissions = true;  // cost basis = purchase price, else purchase value
    bool realized = false;           // the result basis comes from the sale
    int percentDecimals = 1;
    int annualisation = kExponential;  // AnnualisationMethod
};

// Cost and result basis, G/V with and without dividends, the percentages and the annualised
// rates (targets: the result basis, and the result basis plus dividends). The percentages
// come from the unrounded difference result basis - cost basis (PercentOf); the G/V amounts
// are rounded to cents, which is what the table shows, colours by and what the
// annualisation tests for zero.
void ComputeDerivedValues(PositionRecord& record, const DerivedValueOptions& options);

// RoundTo(part × 100 ÷ base, decimals) for two money amounts, with the half decided on the
// decimal value: report amounts are sums of cents, and as doubles they carry a binary residue
// that must not tip a half (202.30 - 200.00 is 2.30000000000001137, 100.35 - 100.00 is
// 0.34999999999999432; as cents the quotients are exactly 1.15 and 0.35, which round to 1.2
// and 0.4 at one decimal). When both amounts are whole cents to within a thousandth of a cent
// the quotient is worked out on the cent counts with integers and rounded half away from
// zero; other amounts, and quotients beyond the 64-bit range, take the double formula.
// `decimals` is taken from 0 to 15; `base` must not be 0.
double PercentOf(Amount part, Amount base, int decimals);

// The cost basis of a lot: its purchase price or, without commissions, its purchase value.
inline Amount CostBasisOf(const PositionRecord& r, bool includeCommissions) {
    return includeCommissions ? r.purchasePrice : r.purchaseValue;
}

// Days between two dates (later - earlier), negative when `to` lies before `from`.
inline int DaysBetween(CQRNDatum from, CQRNDatum to) {
    return static_cast<int>(static_cast<int64_t>(to.DayNumber()) - from.DayNumber());
}

// The decimals a price needs: it is rounded to 7 decimals and its trailing zeros dropped
// (0..7).
int PriceDecimalsNeeded(double price);
// The decimals of a price column: at least 2, at most `maxDecimals`, and within these bounds
// as many as the most precise price needs. A maximum below 2 leaves 2.
int ColumnPriceDecimals(const std::vector<double>& prices, int maxDecimals);

// The decimals that the "Stück" column and the price columns use for every row of a table.
struct ColumnDecimals {
    int pieces = 0;    // the largest PieceDecimals of the positions and the total
    int buyPrice = 2;  // in the buy currency
    int buyPriceReport = 2;
    int currentPrice = 2;  // in the quote currency (holdings)
    int currentPriceReport = 2;
    int salePrice = 2;  // in the sale currency (realized)
    int salePriceReport = 2;
};
// The decimals of the positions' columns (ColumnPriceDecimals with "max. Dezimalstellen für
// Kurse"). Prices in the buy or sale currency leave merged rows out, which show "-" there.
ColumnDecimals ColumnDecimalsOf(const std::vector<PositionRecord>& positions,
                                const PositionRecord& total, int maxPriceDecimals);

// Piece counts with exactly `decimals` decimals (0..7), grouped like every report number.
std::string FormatPieces(Quantity pieces, int decimals, const DocumentOptions& options);

// ---- Rows ----

// The style of data row `index` (0 = the first data row) with a gain or a loss: colours by
// parity and by gain or loss, user values -1; font, spacing and user values are the caller's.
RowStyle DataRowStyle(int index, bool loss);
// Total and sum rows: colours by gain or loss, user values -1 and 255.
RowStyle SumRowStyle(bool loss);
// Whether a record counts as a loss for its colour: its G/V, or G/V incl. dividends when
// "Farbgebung Depotpositionen" says so.
bool IsLoss(const PositionRecord& record, const TableAppearance& appearance);

// Texts of amounts and percentages with the document's separators.
std::string AmountText(double amount, const DocumentOptions& options, bool plusSign = false);
std::string PriceText(double price, int decimals, const DocumentOptions& options);
// With `decimals` decimals and "%"; "-" when the record has no percentages.
std::string PercentText(const PositionRecord& record, double percent, int decimals, bool plusSign,
                        const DocumentOptions& options);
// The annualised rate with its caps; "-" when the record has no percentages.
std::string AnnualisedCellText(const PositionRecord& record, double percent, int decimals,
                               const DocumentOptions& options);

}  // namespace pf

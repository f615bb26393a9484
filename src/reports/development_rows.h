#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"

namespace pf {

class CFolari2Doc;

// Items of the development table, by their bit in DevelopmentReportOptions::itemMask.
enum DevelopmentItem : int {
    kDevPositions = 0,  // group: one column (group) per position
    kDevPositionPrice = 4,
    kDevPositionGainPercent = 5,
    kDevPositionText = 6,
    kDevDepot = 8,  // group, depot currency
    kDevInvested = 10,
    kDevDepotValue = 11,
    kDevDepotGain = 12,
    kDevDepotGainPercent = 13,
    kDevDepotChange = 14,
    kDevDepotChangePercent = 15,
    kDevAccount = 16,  // group, account currency
    kDevBalance = 18,
    kDevLiquidityPercent = 19,
    kDevAssets = 20,  // group, assets currency
    kDevPaidIn = 22,
    kDevAssetsValue = 23,
    kDevAssetsGain = 24,
    kDevAssetsGainPercent = 25,
    kDevAssetsChange = 26,
    kDevAssetsChangePercent = 27,
    kDevAssetsDayChange = 28,
    kDevAssetsDayChangePercent = 29,
};

// The group item a sub-item belongs to (a group item is its own group).
DevelopmentItem DevelopmentGroupOf(DevelopmentItem item);
// Whether `item` is shown under `mask`: a group item when its bit is set, a sub-item when
// its bit and its group's bit are set. Bits that name no item are never shown.
bool DevelopmentItemShown(uint32_t mask, DevelopmentItem item);
// The sub-items shown under `mask` within `group` (a group item), in the order of the
// item list.
std::vector<DevelopmentItem> ShownDevelopmentItems(uint32_t mask, DevelopmentItem group);

// One position column: a lot (one column per lot) or every lot of a security.
struct DevelopmentPosition {
    int32_t securityId = -1;
    std::vector<int32_t> positionNos;  // its lots, in the order the replay created them
    // The first and the last day on which one of its lots was held (a lot is held from its
    // entry date to the day before its sale or exchange), within the period. Between them
    // a column of several lots may have days on which none was held.
    CQRNDatum heldFrom;
    CQRNDatum heldUntil;
    // The "Text:" template with its placeholders replaced.
    std::string text;
    // Entry k belongs to the day heldFrom + k (up to heldUntil); empty on days the position
    // was not held. `price` is the last quote on or before the day, as it was quoted then
    // (adjusted only for the splits up to that day). `gainPercent` is the value on the day
    // against the purchase basis, in the depot currency; empty without a quote or with a
    // basis of 0. Each is filled only while its item is shown, else it stays empty.
    std::vector<std::optional<Price>> price;
    std::vector<std::optional<double>> gainPercent;

    // The values of one day; empty outside heldFrom..heldUntil.
    std::optional<Price> PriceOn(CQRNDatum day) const;
    std::optional<double> GainPercentOn(CQRNDatum day) const;
};

// The depot, account and assets figures of one day. Amounts are in the currency of their
// group and rounded to cents; a percentage is empty where its base is 0. Only the groups
// whose item is on are computed; the others stay 0 and empty.
struct DevelopmentDay {
    CQRNDatum date;
    // Depot: invested capital I and value V (ValueSeries).
    Amount invested = 0.0;
    Amount depotValue = 0.0;
    Amount depotGain = 0.0;  // V - I
    std::optional<double> depotGainPercent;
    Amount depotChange = 0.0;  // V(d) - V(start)
    std::optional<double> depotChangePercent;
    // Account: balance K (BalanceSeries), corrected when chosen.
    Amount balance = 0.0;
    std::optional<double> liquidityPercent;
    // Assets: paid-in capital P and assets A = V + K (K corrected when chosen).
    Amount paidIn = 0.0;
    Amount assets = 0.0;
    Amount assetsGain = 0.0;  // A - P
    std::optional<double> assetsGainPercent;
    Amount assetsChange = 0.0;  // A(d) - A(start)
    std::optional<double> assetsChangePercent;
    std::optional<Amount> assetsDayChange;  // A(d) - A(d - 1); empty without a previous day
    std::optional<double> assetsDayChangePercent;
};

struct DevelopmentRows {
    CQRNDatum from;
    CQRNDatum to;
    std::vector<DevelopmentPosition> positions;  // in column order
    std::vector<DevelopmentDay> days;            // one per day from `from` to `to`
};

// The content of the development table for the days `from` to `to` inclusive, with the
// document's development options (item mask, currencies, sort key, one column per lot,
// commissions, correction) and its lists settings (price decimals of <KAUFKURS> and
// <VERKAUFKURS>). Nothing (no days, no positions) when `from` is after `to`.
//
// Positions: the lots of the replay up to `to` (in the depot currency) that were held on at
// least one day of the period; with "one column per lot" off, the lots of one security
// share a column. Columns are ordered by the security's name or WKN (byte order) or by the
// purchase date (the earliest of the column's lots); ties keep the order of creation.
//
// Arithmetic (every amount rounded to cents, percentages not rounded):
// - gain/loss of a position: (sum of value - sum of basis) / basis x 100 over the column's
//   lots held on the day; value = quote (as of the end date's pieces) x pieces, rounded,
//   converted at the day; basis = purchase total with costs when commissions are included,
//   else the purchase market value;
// - depot: gain = V - I, percent = gain / I x 100; change = V(d) - V(start), percent =
//   change / V(start) x 100 (0 on the start date);
// - account: liquidity ratio = K / A x 100 with the uncorrected balance and the depot value
//   in the account currency;
// - assets: gain = A - P, percent = gain / P x 100; change = A(d) - A(start) (0 on the start
//   date), percent against A(start); day change = A(d) - A(d - 1), percent against A(d - 1),
//   where the start date compares with the day before it;
// - every percentage divides by the absolute value of its base, so its sign is that of the
//   change, and is empty when the base is 0.
// Correction for capital deposits and withdrawals (of the balance and/or of the assets,
// relative to the start or the end date): the corrected balance on day d is K(d) - P(d) +
// P(ref), that is, the capital paid in between the reference date and d is taken off (or,
// relative to the end, the capital still to be paid in up to the end is added), so that
// deposits and withdrawals do not show as changes. With the assets corrected, their paid-in
// capital is P(ref) on every day, so that the assets' gain/loss is the same as without the
// correction.
DevelopmentRows ComputeDevelopmentRows(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to);

}  // namespace pf

#pragma once

#include <cstdint>
#include <string>

#include "model/date.h"

namespace pf {

// A kind of account movement ("Kapitaleinlage", "Steuern", ...).
struct CFL2KontoVorgang {
    static constexpr int kSchema = 1;
    std::string name;
    int32_t id = -1;
    int32_t isOutflow = 0;           // the amount leaves the account
    int32_t allowsSecurityLink = 0;  // may relate to a security and be booked to its lots
    int32_t isCapital = 0;           // capital paid in or withdrawn

    bool operator==(const CFL2KontoVorgang&) const = default;
};

// From `date` on, the settlement account is held in `currencyId`.
struct CFL2KtoWUmst {
    static constexpr int kSchema = 1;
    int32_t currencyId = 0;
    CQRNDatum date;

    bool operator==(const CFL2KtoWUmst&) const = default;
};

// Stop and target price of one lot; at most one record per position number.
struct CFL2StoppZielKurs {
    static constexpr int kSchema = 1;
    int32_t positionNo = -1;
    double stopPrice = 0.0;
    double targetPrice = 0.0;

    bool operator==(const CFL2StoppZielKurs&) const = default;
};

// Holding-time comparison of a tax category.
enum HoldingTimeComparison : int32_t { kLessThan = 0, kAtMost = 1, kMoreThan = 2, kAtLeast = 3 };
enum HoldingTimeUnit : int32_t { kDays = 0, kMonths = 1, kYears = 2 };
enum HalfIncomeOption : int32_t { kSubjectToHalfIncome = 0, kNotSubjectToHalfIncome = 1 };

// A tax-liability category: a set of optional conditions on a sale. The categories form an
// ordered list; a sale belongs to the first category whose conditions it meets.
struct CFL2StPflKateg {
    static constexpr int kSchema = 1;
    std::string name;
    std::string abbreviation;
    int32_t useSalePeriod = 0;
    int32_t usePurchasePeriod = 0;
    int32_t useHoldingTime = 0;
    int32_t useHalfIncome = 0;
    int32_t holdingTimeComparison = kLessThan;
    int32_t holdingTimeValue = 1;
    int32_t holdingTimeUnit = kMonths;
    int32_t halfIncomeOption = kSubjectToHalfIncome;
    CQRNDatum salePeriodFrom;
    CQRNDatum salePeriodTo;
    CQRNDatum purchasePeriodFrom;
    CQRNDatum purchasePeriodTo;

    bool operator==(const CFL2StPflKateg&) const = default;
};

// A change of the speculation period, kept as read and written back unchanged.
struct CFL2SpekFristUmst {
    static constexpr int kSchema = 1;
    CQRNDatum date;
    int32_t value1 = 0;
    int32_t value2 = 0;

    bool operator==(const CFL2SpekFristUmst&) const = default;
};

// The document password. Only the file holds it in an obscured form.
struct CQRNKennwort {
    static constexpr int kSchema = 1;
    std::string password;
    int32_t protectionActive = 0;

    bool operator==(const CQRNKennwort&) const = default;
};

}  // namespace pf

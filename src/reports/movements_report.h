#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/rounding.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;
struct CFL2Transaktion;

// One booking on the settlement account as the account-movements report shows it.
struct AccountBookingRow {
    const CFL2Transaktion* transaction = nullptr;
    bool debit = false;           // a purchase, or a movement whose kind takes money out
    int32_t accountCurrency = 0;  // the account currency in force at the booking
    Amount accountAmount = 0.0;   // signed, in the account currency, 2 decimals
    Amount reportAmount = 0.0;    // signed, in the report currency, 2 decimals
    Amount balance = 0.0;         // after the booking, in the account currency
    Amount reportBalance = 0.0;   // the same in the report currency
    bool showsBalance = true;     // the balance cells are filled
};

// The bookings (purchases, sales, account movements) with from <= date <= to, in list
// order, with the running account balance. The balance is walked from the first booking of
// the document, so bookings before `from` are in the first balance shown. Each booking adds
// its amount converted from its currency 2 into the account currency in force (RoundTo 2,
// 0 when the fixed factors fail), negative for a purchase and for a movement of a debit
// kind. The account currency changes at the first booking on or after each change date;
// the balance is then converted with the fixed factors (RoundTo 2). Values in the report
// currency (`reportCurrency`) are converted with the rates of the booking date (0 without a
// rate). With `endOfDayOnly` only the last booking of each date shows its balance.
std::vector<AccountBookingRow> AccountBookingRows(const CFolari2Doc& doc, CQRNDatum from,
                                                  CQRNDatum to, int32_t reportCurrency,
                                                  bool endOfDayOnly);

// The report "Kontobewegungen" over from..to with the options `doc.options.movements` and
// the appearance `doc.options.tables`: the title row, two column-title rows and one row per
// booking (user value 0: its transaction id). Columns by the bits of the column mask:
//  2 date, 5 "Kauf", "Verkauf" or the movement kind, 8 the security (empty when none),
//  11 text, 14 amount as booked and 15 its currency, 17 signed amount on the account and 18
//  the account currency, 21 signed amount in the report currency, 24 balance and 25 the
//  account currency, 27 balance in the report currency. Debits are red, credits green.
std::unique_ptr<ReportTable> BuildMovementsReport(const CFolari2Doc& doc, CQRNDatum from,
                                                  CQRNDatum to);

}  // namespace pf

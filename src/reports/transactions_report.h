#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/document_options.h"
#include "model/rounding.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;
struct CFL2Transaktion;

// One row of the transactions report with the values its sort keys compare.
struct TransactionListRow {
    const CFL2Transaktion* transaction = nullptr;
    size_t storedIndex = 0;   // place in the document's list: "Reihenfolge der Ausführung"
    std::string subject;      // "Vorgang oder Wertpapier" (SubjectText)
    Price reportPrice = 0.0;  // "Kurs": buy and sale, else 0
    Amount reportAmount = 0;  // "Betrag": buy, sale and movement, else 0
};

// The column "Vorgang oder Wertpapier": the security's name for a purchase, sale or split,
// the movement kind's name for an account movement, and for an exchange the name of the
// security given, " > " and the name of the security received. Missing records give empty
// names.
std::string SubjectText(const CFolari2Doc& doc, const CFL2Transaktion& t);

// Orders the rows by up to three keys (TransactionSortKey) with one direction, with the
// exchange sort of the lists (engine/position_sort.h): a later key decides only when the
// earlier ones are equal. The keys: date, stored order, id ("Reihenfolge der Eingabe"), type
// by its number (split, exchange, buy, movement, sale), subject and text byte by byte
// (UTF-8, so "Ä" sorts after "z"), amount in the report currency; "(keine Sortierung)" and
// unknown keys compare equal. Rows equal in all keys end up as that sort leaves them, which
// need not be their stored order.
// With every key "(keine Sortierung)" nothing moves. Quadratic in the rows.
void SortTransactionRows(std::vector<TransactionListRow>& rows, const std::array<int32_t, 3>& keys,
                         bool descending);

// The rows of the transactions report: every transaction with from <= date <= to (with
// `applyFilter`, only those the document's transaction filter lets through), with the
// values in the report currency of the options, sorted as the options say.
std::vector<TransactionListRow> TransactionRows(const CFolari2Doc& doc, CQRNDatum from,
                                                CQRNDatum to, bool applyFilter);

// Row colours by type (list B; odd data rows, even data rows).
inline constexpr Colour kBuyRowOdd = Rgb(175, 255, 175);
inline constexpr Colour kBuyRowEven = Rgb(200, 255, 200);
inline constexpr Colour kSaleRowOdd = Rgb(255, 175, 175);
inline constexpr Colour kSaleRowEven = Rgb(255, 200, 200);
inline constexpr Colour kMovementRowOdd = Rgb(175, 229, 255);
inline constexpr Colour kMovementRowEven = Rgb(201, 238, 255);
inline constexpr Colour kSplitRowOdd = Rgb(255, 255, 165);
inline constexpr Colour kSplitRowEven = Rgb(255, 255, 210);
inline constexpr Colour kExchangeRowOdd = Rgb(255, 165, 229);
inline constexpr Colour kExchangeRowEven = Rgb(255, 210, 238);

// The report "Transaktionen" over from..to with the options `doc.options.transactions` and
// the appearance `doc.options.tables`: the title row, two column-title rows and one row per
// transaction (user value 0: its id). Columns by the bits of the column mask:
//  2 date, 5 type, 8 subject, 11 pieces (buy, sale), 14 price and 15 its currency (buy,
//  sale), 17 price in the report currency (buy, sale), 19 description
//  (TransactionDescription), 20 text, 23 amount and 24 its currency (buy, sale, movement),
//  26 amount in the report currency (buy, sale, movement).
// Prices show 2 to "max. Dezimalstellen für Kurse" decimals, amounts 2; a conversion that
// lacks a rate shows 0.
std::unique_ptr<ReportTable> BuildTransactionsReport(const CFolari2Doc& doc, CQRNDatum from,
                                                     CQRNDatum to, bool applyFilter);

}  // namespace pf

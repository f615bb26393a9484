#include "reports/movements_report.h"

#include <utility>

#include "model/currency_conversion.h"
#include "model/document.h"
#include "model/transaction.h"
#include "reports/position_columns.h"
#include "reports/position_report_common.h"
#include "reports/report_format.h"
#include "reports/transaction_list_common.h"

namespace pf {

namespace {

bool IsBooking(const CFL2Transaktion& t) {
    return t.type == TransactionType::Buy || t.type == TransactionType::Sell ||
           t.type == TransactionType::AccountMovement;
}

std::vector<ReportColumn> MovementColumns(const std::string& inCurrency) {
    return {
        ListColumn(2, "Datum"),
        ListColumn(5, "Vorgang"),
        ListColumn(8, "Wertpapier"),
        ListColumn(11, "Text"),
        ListColumn(14, "Betrag", {}, kAlignRight),
        ListColumn(15, "W."),
        ListColumn(17, "Betrag", "auf Konto", kAlignRight),
        ListColumn(18, "W."),
        ListColumn(21, "Betrag", inCurrency, kAlignRight),
        ListColumn(24, "Kontostand", {}, kAlignRight),
        ListColumn(25, "W."),
        ListColumn(27, "Kontostand", inCurrency, kAlignRight),
    };
}

std::string Operation(const CFolari2Doc& doc, const CFL2Transaktion& t) {
    if (t.type == TransactionType::Buy || t.type == TransactionType::Sell)
        return TransactionTypeLabel(t.type);
    const CFL2KontoVorgang* kind = doc.FindAccountMovementKind(t.otherId);
    return kind != nullptr ? kind->name : std::string();
}

// The security a booking belongs to: that of a purchase or sale, or the one a movement is
// linked to.
std::string SecurityOf(const CFolari2Doc& doc, const CFL2Transaktion& t) {
    if (t.type == TransactionType::AccountMovement && t.linkFlag == 0) return {};
    const CFL2Wertpapier* s = doc.FindSecurity(t.securityId);
    return s != nullptr ? s->name : std::string();
}

std::string CellText(const CFolari2Doc& doc, const AccountBookingRow& row, int bit) {
    const CFL2Transaktion& t = *row.transaction;
    const DocumentOptions& o = doc.options;
    switch (bit) {
        case 2:
            return t.date.FormatLong();
        case 5:
            return Operation(doc, t);
        case 8:
            return SecurityOf(doc, t);
        case 11:
            return t.text;
        case 14:
            return ListAmountText(t.amount, o);
        case 15:
            return CurrencyNameOf(doc, t.currency2);
        case 17:
            return ListAmountText(row.accountAmount, o);
        case 18:
            return CurrencyNameOf(doc, row.accountCurrency);
        case 21:
            return ListAmountText(row.reportAmount, o);
        case 24:
            return row.showsBalance ? ListAmountText(row.balance, o) : std::string();
        case 25:
            return row.showsBalance ? CurrencyNameOf(doc, row.accountCurrency) : std::string();
        case 27:
            return row.showsBalance ? ListAmountText(row.reportBalance, o) : std::string();
        default:
            return {};
    }
}

}  // namespace

std::vector<AccountBookingRow> AccountBookingRows(const CFolari2Doc& doc, CQRNDatum from,
                                                  CQRNDatum to, int32_t reportCurrency,
                                                  bool endOfDayOnly) {
    std::vector<AccountBookingRow> rows;
    Amount balance = 0.0;
    int32_t accountCurrency = doc.initialAccountCurrencyId;
    size_t nextChange = 0;
    const auto& changes = doc.accountCurrencyChanges;
    for (const CFL2Transaktion& t : doc.transactions) {
        if (t.date > to) break;  // the list is sorted by date
        if (!IsBooking(t)) continue;
        for (; nextChange < changes.size() && changes[nextChange].date <= t.date; ++nextChange) {
            const int32_t next = changes[nextChange].currencyId;
            balance = ConvertFixed(doc, balance, accountCurrency, next, 2);
            accountCurrency = next;
        }
        const bool debit = t.type == TransactionType::Buy ||
                           (t.type == TransactionType::AccountMovement && t.kindOutflow != 0);
        const Amount signedAmount = debit ? -t.amount : t.amount;
        const Amount booked = ConvertFixed(doc, signedAmount, t.currency2, accountCurrency, 2);
        // Sums of cents carry binary residues; the balance is kept at cents.
        balance = RoundTo(balance + booked, 2);
        if (t.date < from) continue;

        AccountBookingRow row;
        row.transaction = &t;
        row.debit = debit;
        row.accountCurrency = accountCurrency;
        row.accountAmount = booked;
        row.reportAmount = AmountAtDate(doc, signedAmount, t.currency2, reportCurrency, t.date);
        row.balance = balance;
        row.reportBalance = AmountAtDate(doc, balance, accountCurrency, reportCurrency, t.date);
        rows.push_back(row);
    }
    if (endOfDayOnly)
        for (size_t i = 0; i + 1 < rows.size(); ++i)
            rows[i].showsBalance = rows[i + 1].transaction->date != rows[i].transaction->date;
    return rows;
}

std::unique_ptr<ReportTable> BuildMovementsReport(const CFolari2Doc& doc, CQRNDatum from,
                                                  CQRNDatum to) {
    const DocumentOptions& o = doc.options;
    const TableAppearance& appearance = o.tables;
    const MovementsReportOptions& options = o.movements;
    const std::vector<ReportColumn> columns =
        VisibleColumns(MovementColumns(InCurrencyHeader(doc, options.currencyId)),
                       static_cast<uint32_t>(options.columnMask));
    const std::vector<AccountBookingRow> rows =
        AccountBookingRows(doc, from, to, options.currencyId, options.endOfDayBalance != 0);

    auto table = std::make_unique<ReportTable>();
    const TableFonts fonts = StartPositionTable(*table, appearance, o.screenScaleFactor, columns,
                                                ListTitle(doc, options.title, from, to));
    std::vector<std::string> texts(columns.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const AccountBookingRow& r = rows[i];
        RowStyle style = r.debit ? ListRowStyle(static_cast<int>(i), kOddRowLoss, kEvenRowLoss)
                                 : ListRowStyle(static_cast<int>(i), kOddRowGain, kEvenRowGain);
        style.font = fonts.row;
        style.spacingBefore = i == 0 ? appearance.outerMargin : 0;
        style.user[kUserTransaction] = r.transaction->id;
        for (size_t c = 0; c < columns.size(); ++c) texts[c] = CellText(doc, r, columns[c].bit);
        SetRowTexts(*table, table->AddRow(style), texts);
    }
    return table;
}

}  // namespace pf

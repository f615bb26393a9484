#include "reports/transactions_report.h"

#include <algorithm>
#include <utility>

#include "engine/position_sort.h"
#include "engine/transaction_editor.h"
#include "model/document.h"
#include "model/transaction.h"
#include "reports/position_columns.h"
#include "reports/position_report_common.h"
#include "reports/report_format.h"
#include "reports/transaction_filter_match.h"
#include "reports/transaction_list_common.h"

namespace pf {

namespace {

std::string SecurityNameOf(const CFolari2Doc& doc, int32_t id) {
    const CFL2Wertpapier* s = doc.FindSecurity(id);
    return s != nullptr ? s->name : std::string();
}

bool IsTrade(const CFL2Transaktion& t) {
    return t.type == TransactionType::Buy || t.type == TransactionType::Sell;
}

bool HasAmount(const CFL2Transaktion& t) {
    return IsTrade(t) || t.type == TransactionType::AccountMovement;
}

// Types sort by their numbers, which is the order of the types on one day of the list.
int TypeRank(TransactionType type) { return static_cast<int>(type); }

std::pair<Colour, Colour> TypeColours(TransactionType type) {
    switch (type) {
        case TransactionType::Buy:
            return {kBuyRowOdd, kBuyRowEven};
        case TransactionType::Sell:
            return {kSaleRowOdd, kSaleRowEven};
        case TransactionType::AccountMovement:
            return {kMovementRowOdd, kMovementRowEven};
        case TransactionType::Split:
            return {kSplitRowOdd, kSplitRowEven};
        default:  // Exchange, and unknown types read as one
            return {kExchangeRowOdd, kExchangeRowEven};
    }
}

std::vector<ReportColumn> TransactionColumns(const std::string& inCurrency) {
    return {
        ListColumn(2, "Datum"),
        ListColumn(5, "Transaktion"),
        ListColumn(8, "Vorgang oder", "Wertpapier"),
        ListColumn(11, "Stück", {}, kAlignRight),
        ListColumn(14, "Kurs", {}, kAlignRight),
        ListColumn(15, "W."),
        ListColumn(17, "Kurs", inCurrency, kAlignRight),
        ListColumn(19, "Vorgang oder", "Wertpapier"),
        ListColumn(20, "Text"),
        ListColumn(23, "Betrag", {}, kAlignRight),
        ListColumn(24, "W."),
        ListColumn(26, "Betrag", inCurrency, kAlignRight),
    };
}

std::string CellText(const CFolari2Doc& doc, const TransactionListRow& row, int bit) {
    const CFL2Transaktion& t = *row.transaction;
    const DocumentOptions& o = doc.options;
    switch (bit) {
        case 2:
            return t.date.FormatLong();
        case 5:
            return TransactionTypeLabel(t.type);
        case 8:
            return row.subject;
        case 11:
            return IsTrade(t) ? FormatPieces(t.quantity, PieceDecimals(t.quantity), o)
                              : std::string();
        case 14:
            return IsTrade(t) ? ListPriceText(t.price, o.tables.maxPriceDecimals, o)
                              : std::string();
        case 15:
            return IsTrade(t) ? CurrencyNameOf(doc, t.currency1) : std::string();
        case 17:
            return IsTrade(t) ? ListPriceText(row.reportPrice, o.tables.maxPriceDecimals, o)
                              : std::string();
        case 19:
            return TransactionDescription(doc, t);
        case 20:
            return t.text;
        case 23:
            return HasAmount(t) ? ListAmountText(t.amount, o) : std::string();
        case 24:
            return HasAmount(t) ? CurrencyNameOf(doc, t.currency2) : std::string();
        case 26:
            return HasAmount(t) ? ListAmountText(row.reportAmount, o) : std::string();
        default:
            return {};
    }
}

}  // namespace

std::string SubjectText(const CFolari2Doc& doc, const CFL2Transaktion& t) {
    switch (t.type) {
        case TransactionType::Buy:
        case TransactionType::Sell:
        case TransactionType::Split:
            return SecurityNameOf(doc, t.securityId);
        case TransactionType::AccountMovement: {
            const CFL2KontoVorgang* kind = doc.FindAccountMovementKind(t.otherId);
            return kind != nullptr ? kind->name : std::string();
        }
        default:  // Exchange, and unknown types read as one
            return SecurityNameOf(doc, t.securityId) + " > " + SecurityNameOf(doc, t.otherId);
    }
}

namespace {

// The value of one key as a number: dates, ids, places and types are exact in a double, texts
// are replaced by their rank in byte order among the texts of all rows (equal texts share a
// rank), so comparing the numbers compares the keys.
using SortValues = std::array<double, 3>;

std::vector<double> TextRanks(const std::vector<TransactionListRow>& rows, bool subject) {
    const auto textOf = [subject](const TransactionListRow& r) -> const std::string& {
        return subject ? r.subject : r.transaction->text;
    };
    std::vector<uint32_t> order(rows.size());
    for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return CompareTexts(textOf(rows[a]), textOf(rows[b])) < 0;
    });
    std::vector<double> ranks(rows.size());
    double rank = 0.0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && textOf(rows[order[i - 1]]) != textOf(rows[order[i]])) rank += 1.0;
        ranks[order[i]] = rank;
    }
    return ranks;
}

}  // namespace

void SortTransactionRows(std::vector<TransactionListRow>& rows, const std::array<int32_t, 3>& keys,
                         bool descending) {
    // Keys that compare everything equal are dropped up front; without any key left the
    // exchange sort would not move a row, so it is skipped.
    std::vector<int32_t> active;
    for (int32_t key : keys)
        if (key >= kTransactionsByDate && key <= kTransactionsByAmount) active.push_back(key);
    if (active.empty()) return;

    // The sort is quadratic, so each row's keys are turned into numbers once; the exchange
    // sort then moves (values, row) pairs and sees the same comparisons as on the rows.
    std::vector<double> subjectRanks, textRanks;
    struct Entry {
        SortValues values{};
        uint32_t row = 0;
    };
    std::vector<Entry> entries(rows.size());
    for (size_t k = 0; k < active.size(); ++k) {
        if (active[k] == kTransactionsByDescription && subjectRanks.empty())
            subjectRanks = TextRanks(rows, true);
        if (active[k] == kTransactionsByText && textRanks.empty())
            textRanks = TextRanks(rows, false);
    }
    for (uint32_t i = 0; i < entries.size(); ++i) {
        const TransactionListRow& r = rows[i];
        entries[i].row = i;
        for (size_t k = 0; k < active.size(); ++k) {
            double& v = entries[i].values[k];
            switch (active[k]) {
                case kTransactionsByDate:
                    v = r.transaction->date.DayNumber();
                    break;
                case kTransactionsByExecution:
                    v = static_cast<double>(r.storedIndex);
                    break;
                case kTransactionsByEntry:
                    v = r.transaction->id;
                    break;
                case kTransactionsByType:
                    v = TypeRank(r.transaction->type);
                    break;
                case kTransactionsByDescription:
                    v = subjectRanks[i];
                    break;
                case kTransactionsByText:
                    v = textRanks[i];
                    break;
                default:  // kTransactionsByAmount
                    v = r.reportAmount;
                    break;
            }
        }
    }
    const size_t keyCount = active.size();
    ExchangeSort(
        entries.begin(), entries.end(),
        [keyCount](const Entry& a, const Entry& b) {
            for (size_t k = 0; k < keyCount; ++k)
                if (const int c = CompareValues(a.values[k], b.values[k]); c != 0) return c;
            return 0;
        },
        descending);

    std::vector<TransactionListRow> sorted;
    sorted.reserve(rows.size());
    for (const Entry& e : entries) sorted.push_back(std::move(rows[e.row]));
    rows = std::move(sorted);
}

std::vector<TransactionListRow> TransactionRows(const CFolari2Doc& doc, CQRNDatum from,
                                                CQRNDatum to, bool applyFilter) {
    const TransactionsReportOptions& options = doc.options.transactions;
    const int32_t currency = options.currencyId;
    const TransactionFilterMatcher filter(doc);
    std::vector<TransactionListRow> rows;
    for (size_t i = 0; i < doc.transactions.size(); ++i) {
        const CFL2Transaktion& t = doc.transactions[i];
        if (t.date < from || t.date > to) continue;
        if (applyFilter && !filter.Passes(t)) continue;
        TransactionListRow row;
        row.transaction = &t;
        row.storedIndex = i;
        row.subject = SubjectText(doc, t);
        if (IsTrade(t))
            row.reportPrice = PriceInReportCurrency(doc, t.price, t.currency1, t.rateBase,
                                                    t.rateQuote, t.currency2, currency, t.date);
        if (HasAmount(t))
            row.reportAmount = AmountAtDate(doc, t.amount, t.currency2, currency, t.date);
        rows.push_back(std::move(row));
    }
    SortTransactionRows(rows, options.sortKeys, options.sortDescending != 0);
    return rows;
}

std::unique_ptr<ReportTable> BuildTransactionsReport(const CFolari2Doc& doc, CQRNDatum from,
                                                     CQRNDatum to, bool applyFilter) {
    const DocumentOptions& o = doc.options;
    const TableAppearance& appearance = o.tables;
    const std::vector<ReportColumn> columns =
        VisibleColumns(TransactionColumns(InCurrencyHeader(doc, o.transactions.currencyId)),
                       static_cast<uint32_t>(o.transactions.columnMask));
    const std::vector<TransactionListRow> rows = TransactionRows(doc, from, to, applyFilter);

    auto table = std::make_unique<ReportTable>();
    const TableFonts fonts = StartPositionTable(*table, appearance, o.screenScaleFactor, columns,
                                                ListTitle(doc, o.transactions.title, from, to));
    std::vector<std::string> texts(columns.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const CFL2Transaktion& t = *rows[i].transaction;
        const auto [odd, even] = TypeColours(t.type);
        RowStyle style = ListRowStyle(static_cast<int>(i), odd, even);
        style.font = fonts.row;
        style.spacingBefore = i == 0 ? appearance.outerMargin : 0;
        style.user[kUserTransaction] = t.id;
        for (size_t c = 0; c < columns.size(); ++c)
            texts[c] = CellText(doc, rows[i], columns[c].bit);
        SetRowTexts(*table, table->AddRow(style), texts);
    }
    return table;
}

}  // namespace pf

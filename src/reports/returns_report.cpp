#include "reports/returns_report.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <utility>

#include "model/document.h"
#include "reports/position_report_common.h"
#include "reports/report_format.h"
#include "reports/statement_table.h"

namespace pf {

namespace {

// Rank of a result when sorting by rate: no result lowest, above the limit highest.
int RateRank(const InternalRate& r) {
    switch (r.outcome) {
        case InternalRate::Outcome::None:
            return 0;
        case InternalRate::Outcome::Found:
            return 1;
        case InternalRate::Outcome::AboveLimit:
            return 2;
    }
    return 0;
}

void SortSecurities(std::vector<SecurityReturn>& securities, int32_t order) {
    const auto byRate = [](bool descending) {
        return [descending](const SecurityReturn& a, const SecurityReturn& b) {
            const int ra = RateRank(a.rate);
            const int rb = RateRank(b.rate);
            // Without a result: last in both directions.
            if (ra == 0 || rb == 0) return ra != 0 && rb == 0;
            if (ra != rb) return descending ? ra > rb : ra < rb;
            if (ra != 1) return false;
            return descending ? a.rate.rate > b.rate.rate : a.rate.rate < b.rate.rate;
        };
    };
    switch (order) {
        case kReturnsByName:
            std::stable_sort(
                securities.begin(), securities.end(),
                [](const SecurityReturn& a, const SecurityReturn& b) { return a.name < b.name; });
            break;
        case kReturnsByWkn:
            std::stable_sort(
                securities.begin(), securities.end(),
                [](const SecurityReturn& a, const SecurityReturn& b) { return a.wkn < b.wkn; });
            break;
        case kReturnsByRateAscending:
            std::stable_sort(securities.begin(), securities.end(), byRate(false));
            break;
        default:  // kReturnsByRateDescending, also for an unknown stored value
            std::stable_sort(securities.begin(), securities.end(), byRate(true));
            break;
    }
}

}  // namespace

ReturnsReportData ComputeReturnsReport(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                       bool securityFilter) {
    const ReturnsReportOptions& options = doc.options.returns;
    ReturnsReportData data;
    data.currencyName = CurrencyNameOf(doc, options.currencyId);
    CashFlowOptions flows;
    flows.currencyId = options.currencyId;
    flows.withoutTaxes = options.withoutTaxes != 0;
    flows.securityFilter = securityFilter;
    data.payments = CollectCashFlows(doc, from, to, flows);

    std::vector<DatedPayment> all;
    all.reserve(data.payments.size());
    std::vector<std::vector<DatedPayment>> perSecurity;
    std::unordered_map<int32_t, size_t> indexOf;
    for (const CashFlowEntry& p : data.payments) {
        const DatedPayment payment{p.date, p.Signed()};
        all.push_back(payment);
        const auto [it, isNew] = indexOf.emplace(p.securityId, data.securities.size());
        if (isNew) {
            SecurityReturn s;
            s.securityId = p.securityId;
            if (const CFL2Wertpapier* security = doc.FindSecurity(p.securityId)) {
                s.name = security->name;
                s.wkn = security->wkn;
            }
            s.securityText = p.securityText;
            data.securities.push_back(std::move(s));
            perSecurity.emplace_back();
        }
        perSecurity[it->second].push_back(payment);
        (p.direction == FlowDirection::In ? data.sumIn : data.sumOut) += p.amount;
    }
    data.sumIn = RoundTo(data.sumIn, 2);
    data.sumOut = RoundTo(data.sumOut, 2);

    data.total = EffectiveRate(std::move(all));
    for (size_t i = 0; i < data.securities.size(); ++i)
        data.securities[i].rate = EffectiveRate(std::move(perSecurity[i]));
    SortSecurities(data.securities, options.order);
    return data;
}

std::unique_ptr<ReportTable> BuildReturnsReport(const CFolari2Doc& doc, CQRNDatum from,
                                                CQRNDatum to, bool securityFilter) {
    const DocumentOptions& o = doc.options;
    const ReturnsReportOptions& options = o.returns;
    const ReturnsReportData data = ComputeReturnsReport(doc, from, to, securityFilter);
    const bool showPayments = options.showPayments != 0;
    const bool inNegative = options.paymentsInNegative != 0;

    // Payment columns: date, security, description, amount, E/A. Without the payments a label
    // and a value column remain. Labels of rates and sums span up to the amount column.
    const int columns = showPayments ? 5 : 2;
    const int valueColumn = showPayments ? 3 : 1;
    const int labelSpan = valueColumn;

    StatementTable statement = StartStatementTable(doc, columns);
    ReportTable* table = statement.table.get();
    const int rowFont = statement.rowFont;
    const int subtitleFont = statement.subtitleFont;
    const int smallFont = statement.smallFont;
    table->SetColumnAlignment(valueColumn, kAlignRight);
    if (showPayments) table->SetColumnAlignment(4, kAlignCenter);

    const auto amountText = [&o](Amount x) { return FormatNumber(x, 2, 2, false, o); };
    const int gap = statement.gap;
    const bool hasTitle =
        AddStatementTitles(statement, StatementTitle(doc, options.title1, from, to),
                           StatementTitle(doc, options.title2, from, to), columns);

    table->SetCell(table->AddRow(WhiteRow(subtitleFont, hasTitle ? gap : 0)), 0,
                   "Renditen (Effektivzins/interner Zinsfuß):", columns, kAlignLeft);
    int row = table->AddRow(WhiteRow(rowFont, gap));
    table->SetCell(row, 0, "Alle Wertpapiere", labelSpan, kAlignLeft);
    table->SetCell(row, valueColumn, FormatRate(data.total, o));
    for (const SecurityReturn& s : data.securities) {
        RowStyle style = WhiteRow(rowFont, 0);
        style.user[kUserSecurity] = s.securityId;
        row = table->AddRow(style);
        table->SetCell(row, 0, s.securityText, labelSpan, kAlignLeft);
        table->SetCell(row, valueColumn, FormatRate(s.rate, o));
    }

    if (!showPayments) return std::move(statement.table);

    table->SetCell(table->AddRow(WhiteRow(subtitleFont, gap)), 0,
                   "Zahlungsströme (Ein-/Auszahlungen):", columns, kAlignLeft);
    row = table->AddRow(WhiteRow(smallFont, gap));
    table->SetCell(row, 0, "Datum");
    table->SetCell(row, 1, "Wertpapier (WKN)");
    table->SetCell(row, 2, "Vorgang");
    table->SetCell(row, 3, "Betrag (" + data.currencyName + ")");
    table->SetCell(row, 4, "E/A");

    for (const CashFlowEntry& p : data.payments) {
        const bool in = p.direction == FlowDirection::In;
        RowStyle style = WhiteRow(rowFont, 0);
        style.user[kUserTransaction] = p.transactionId;
        style.user[kUserRowKind] = 0;
        style.user[kUserSecurity] = p.securityId;
        row = table->AddRow(style);
        table->SetCell(row, 0, p.date.FormatLong());
        table->SetCell(row, 1, p.securityText);
        table->SetCell(row, 2, p.description);
        table->SetCell(row, 3, amountText(in && inNegative ? -p.amount : p.amount));
        table->SetCell(row, 4, in ? "E" : "A");
    }

    const struct {
        const char* label;
        Amount value;
    } sums[] = {
        {"Summe Einzahlungen", inNegative ? -data.sumIn : data.sumIn},
        {"Summe Auszahlungen", data.sumOut},
        {"Gewinn/Verlust", data.sumOut - data.sumIn},
    };
    for (size_t i = 0; i < std::size(sums); ++i) {
        RowStyle style = WhiteRow(rowFont, i == 0 ? gap : 0);
        style.user[kUserRowKind] = 255;
        row = table->AddRow(style);
        table->SetCell(row, 0, sums[i].label, 3, kAlignLeft);
        table->SetCell(row, 3, amountText(sums[i].value));
    }
    return std::move(statement.table);
}

}  // namespace pf

#include "reports/performance_report.h"

#include <optional>
#include <string>

#include "model/document.h"
#include "reports/performance_measures.h"
#include "reports/report_format.h"
#include "reports/statement_table.h"

namespace pf {

std::unique_ptr<ReportTable> BuildPerformanceReport(const CFolari2Doc& doc, CQRNDatum from,
                                                    CQRNDatum to) {
    const DocumentOptions& o = doc.options;
    const PerformanceReportOptions& options = o.performance;
    const PerformanceMeasures m = MeasurePerformance(
        PerformanceSeriesOf(doc, from, to, options.currencyId, options.purchaseCostsInCapital != 0),
        options.periodsEndAtMonthEnd != 0);
    const CFL2Waehrung* currency = doc.FindCurrency(options.currencyId);
    const std::string currencyName = currency != nullptr ? currency->name : std::string();

    // With the single periods the values stand in their "Performance" column.
    const bool periods = options.showPeriods != 0;
    const int valueColumn = periods ? 3 : 1;
    StatementTable t = StartStatementTable(doc, 5);
    ReportTable& table = *t.table;
    for (int c = 1; c < 5; ++c) table.SetColumnAlignment(c, kAlignRight);
    const int gap = t.gap;

    const auto amount = [&](double x) {
        return FormatNumber(x, 2, 2, false, o) + " " + currencyName;
    };
    const auto percent = [&](std::optional<double> x) {
        return x ? FormatNumber(*x, 2, 2, false, o) + " %" : std::string("-");
    };
    const auto line = [&](int font, int spacing, const std::string& label,
                          const std::string& value) {
        const int row = table.AddRow(WhiteRow(font, spacing));
        table.SetCell(row, 0, label, 1, kAlignLeft);
        if (!value.empty()) table.SetCell(row, valueColumn, value);
    };
    const auto heading = [&](int spacing, const std::string& text) {
        table.SetCell(table.AddRow(WhiteRow(t.subtitleFont, spacing)), 0, text, 5, kAlignLeft);
    };

    const bool titled =
        AddStatementTitles(t, StatementTitle(doc, options.title1, from, to),
                           StatementTitle(doc, options.title2, from, to), periods ? 4 : 2);
    heading(titled ? gap : 0, "Money-Weighted Rate of Return (MWR):");
    line(t.rowFont, gap, "Vermögen am " + from.FormatLong() + ":", amount(m.startAssets));
    line(t.rowFont, 0, "Vermögen am " + to.FormatLong() + ":", amount(m.endAssets));
    line(t.rowFont, 0, "Kapitaleinlagen/-entnahmen:", amount(m.flows));
    line(t.rowFont, gap, "Gewinn/Verlust:", amount(m.gain));
    line(t.rowFont, gap, "Durchschnittl. eingezahltes Kapital:", amount(m.averagePaidIn));
    line(t.rowFont, 0, "MWR bezogen auf eingezahltes Kapital:", percent(m.mwrPaidIn));
    line(t.rowFont, gap, "Durchschnittl. investiertes Kapital:", amount(m.averageInvested));
    line(t.rowFont, 0, "MWR bezogen auf investiertes Kapital:", percent(m.mwrInvested));
    heading(gap, "Time-Weighted Rate of Return (TWR):");
    line(t.rowFont, gap, "TWR:", percent(m.twr));
    if (!periods) return std::move(t.table);

    line(t.rowFont, gap, "Einzelperioden:", "");
    int row = table.AddRow(WhiteRow(t.smallFont, 0));
    table.SetCell(row, 0, "Zeitraum", 1, kAlignLeft);
    table.SetCell(row, 1, "Vermögen Anfang");
    table.SetCell(row, 2, "Vermögen Ende");
    table.SetCell(row, 3, "Performance");
    for (const PerformancePeriod& p : m.periods) {
        row = table.AddRow(WhiteRow(t.smallFont, 0));
        table.SetCell(row, 0, p.from.FormatLong() + "-" + p.to.FormatLong(), 1, kAlignLeft);
        table.SetCell(row, 1, amount(p.startAssets));
        table.SetCell(row, 2, amount(p.endAssets));
        table.SetCell(row, 3, percent(p.percent));
    }
    return std::move(t.table);
}

}  // namespace pf

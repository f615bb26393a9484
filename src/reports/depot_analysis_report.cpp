#include "reports/depot_analysis_report.h"

#include <algorithm>

#include "model/document.h"
#include "reports/report_format.h"

namespace pf {

std::unique_ptr<AnalysisTable> FillAnalysisTable(const CFolari2Doc& doc, int dataColumns,
                                                 const std::vector<AnalysisLine>& lines,
                                                 const std::vector<int>& columnUsers) {
    const DocumentOptions& o = doc.options;
    const AnalysisOptions& a = o.analysis;
    AnalysisTableSetup setup;
    setup.columnCount = std::max(0, dataColumns) + 1;
    setup.face = a.face;
    setup.textHeight = a.fontHeight;
    setup.titleHeight = a.fontHeight;
    setup.verticalHeight = a.fontHeight;
    setup.textSpacing = a.textSpacing;
    setup.columnWidth = a.columnWidth;
    setup.labelColumnWidth = a.firstColumnWidth;
    setup.margin = a.outerMargin;
    setup.decimalSeparator = o.decimalSeparator;
    setup.thousandsSeparator = o.thousandsSeparator;
    setup.scale = o.screenScaleFactor;

    auto table = std::make_unique<AnalysisTable>();
    table->Init(setup);
    ReportAppearance appearance = TableReportAppearance(o.tables);
    appearance.marginLeft = a.marginLeft;
    appearance.marginTop = a.marginTop;
    appearance.marginRight = a.marginRight;
    appearance.marginBottom = a.marginBottom;
    table->SetAppearance(appearance);

    int textRows = 0;
    for (const AnalysisLine& line : lines) {
        AnalysisRowStyle style;
        int row = -1;
        switch (line.kind) {
            case AnalysisLineKind::Gap:
                table->AddGapRow(std::max(1, line.gap));
                continue;
            case AnalysisLineKind::Bars:
                row = table->AddBarRow(line.label, std::max(1, line.lines), line.colours, line.unit,
                                       line.decimals, style);
                for (size_t c = 0; c < line.bars.size(); ++c)
                    table->SetBars(row, static_cast<int>(c) + 1, line.bars[c]);
                continue;
            case AnalysisLineKind::Text:
                break;
        }
        if (line.heading) {
            style.colourA = style.colourB = kColumnTitleRowColour;
            style.repeatOnEachPage = line.repeat;
        } else {
            const bool odd = textRows % 2 == 1;
            style.colourA = odd ? kOddRowGrey : kEvenRowGrey;
            style.colourB = odd ? kAnalysisOddRowB : kAnalysisEvenRowB;
        }
        row = table->AddTextRow(line.label, style,
                                line.heading ? kAnalysisTitleFont : kAnalysisNormalFont);
        for (size_t c = 0; c < line.texts.size(); ++c)
            table->SetText(row, static_cast<int>(c) + 1, line.texts[c], line.align);
        ++textRows;
    }
    for (size_t c = 0; c < columnUsers.size(); ++c)
        table->SetColumnUser(static_cast<int>(c) + 1, columnUsers[c]);
    return table;
}

std::unique_ptr<ReportObject> BuildDepotAnalysis(const CFolari2Doc& doc, const ViewState& state) {
    const DepotAnalysisData data = ComputeDepotAnalysis(doc, state.periodFrom, state.periodTo);
    std::vector<int> users;
    users.reserve(data.positions.size());
    for (const AnalysisPosition& a : data.positions) users.push_back(a.record.securityId);
    return FillAnalysisTable(doc, static_cast<int>(data.positions.size()),
                             DepotAnalysisLines(data, doc), users);
}

std::unique_ptr<ReportObject> BuildDepotDistribution(const CFolari2Doc& doc,
                                                     const ViewState& state) {
    const DepotDistributionData data = ComputeDepotDistribution(doc, state.reportDate);
    return FillAnalysisTable(doc, DistributionColumnCount(data),
                             DepotDistributionLines(data, doc.options), {});
}

}  // namespace pf

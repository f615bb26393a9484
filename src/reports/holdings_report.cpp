#include "reports/holdings_report.h"

#include <algorithm>
#include <utility>

#include "engine/holdings.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/report_format.h"

namespace pf {

namespace {

static_assert(static_cast<int>(HoldingsSortKey::AnnualisedWithDividends) + 1 ==
              kHoldingsSortKeyCount);

// The valuation at the report date, after merging (a merged row is valued as one holding).
void Value(const CFolari2Doc& doc, PositionRecord& r, CQRNDatum reportDate, int32_t currency) {
    const CFL2Wertpapier* security = doc.FindSecurity(r.securityId);
    r.currentPrice = 0.0;
    r.currentPriceFromReportDate = false;
    if (security != nullptr) {
        r.currentPrice = security->PriceAt(reportDate, reportDate);
        double exact = 0.0;
        r.currentPriceFromReportDate = security->ExactPriceAt(reportDate, reportDate, exact) == 1;
    }
    const int32_t quoteCurrency = security != nullptr ? security->quoteCurrencyId : currency;
    const Amount value = RoundTo(static_cast<double>(r.quantity) * 1e-7 * r.currentPrice, 2);
    r.currentValue = ConvertAtDate(doc, value, reportDate, quoteCurrency, currency, 2);
    r.currentPriceReport =
        ConvertAtDate(doc, r.currentPrice, reportDate, quoteCurrency, currency, 7);
    // Stop and target prices are entered against the security's own quotes.
    r.stopReached = r.stopPrice > 0.0 && r.currentPrice <= r.stopPrice;
    r.targetReached = !r.stopReached && r.targetPrice > 0.0 && r.currentPrice >= r.targetPrice;
}

}  // namespace

std::vector<std::string> HoldingsSortKeyTexts(const CFolari2Doc& doc) {
    return SortKeyTexts(kHoldingsSortKeys, doc.options);
}

std::vector<ReportColumn> HoldingsColumns(const ColumnContext& context) {
    const std::string in = "in " + context.currencyName;
    using enum Shown;
    namespace c = cells;
    // clang-format off
    return {
        {0,  "Bezeichnung", "", kAlignLeft, c::Name, OnAllRows},
        {1,  "WKN", "", kAlignLeft, c::Wkn, OnPositions},
        {2,  context.options.isinLabel, "", kAlignLeft, c::Isin, OnPositions},
        {3,  "Typ", "", kAlignLeft, c::Type, OnPositions},
        {4,  ExtraInfoHeader(context.options, context.extraInfo), "", kAlignLeft, c::ExtraInfo, OnPositions},
        {5,  "Stück", "", kAlignRight, c::Pieces, OnAllRows},
        {6,  "Kaufdatum", "", kAlignLeft, c::PurchaseDate, OnSingleLots},
        {7,  "Tage im", "Depot", kAlignRight, c::DaysInDepot, OnSingleLots},
        {8,  "Steuer", "", kAlignLeft, c::TaxCategory, OnSingleLots},
        {10, "Kaufkurs", "", kAlignRight, c::BuyPrice, OnSingleLots},
        {11, "Währ.", "", kAlignLeft, c::BuyCurrency, OnSingleLots},
        {13, "Kaufkurs", in, kAlignRight, c::BuyPriceReport, OnPositions},
        {14, "Kaufwert", in, kAlignRight, c::PurchaseValue, OnAllRows},
        {15, "Provision", in, kAlignRight, c::PurchaseCosts, OnAllRows},
        {16, "Kaufpreis", in, kAlignRight, c::PurchasePrice, OnAllRows},
        {18, "Kurs", "", kAlignRight, c::CurrentPrice, OnPositions},
        {19, "Währ.", "", kAlignLeft, c::QuoteCurrency, OnPositions},
        {21, "Kurs", in, kAlignRight, c::CurrentPriceReport, OnPositions},
        {22, "Wert", in, kAlignRight, c::CurrentValue, OnAllRows},
        {23, "G/V", in, kAlignRight, c::GainLoss, OnAllRows},
        {25, "G/V", "in %", kAlignRight, c::GainLossPercent, OnAllRows},
        {26, "G/V p.a.", "in %", kAlignRight, c::Annualised, OnAllRows},
        {27, "Dividende", in, kAlignRight, c::Dividends, OnAllRows},
        {28, "Dividende", "in %", kAlignRight, c::DividendPercent, OnAllRows},
        {29, "G/V inkl Div.", in, kAlignRight, c::GainLossWithDividends, OnAllRows},
        {30, "G/V inkl Div.", "in %", kAlignRight, c::GainLossWithDividendsPercent, OnAllRows},
        {31, "G/V inkl Div.", "p.a. in %", kAlignRight, c::AnnualisedWithDividends, OnAllRows},
    };
    // clang-format on
}

HoldingsReportData ComputeHoldingsReport(const CFolari2Doc& doc, CQRNDatum reportDate) {
    const HoldingsReportOptions& options = doc.options.holdings;
    HoldingsReportData data;
    data.reportDate = reportDate;
    data.currencyId = options.currencyId;
    data.currencyName = CurrencyNameOf(doc, options.currencyId);

    HoldingsQuery query;
    query.openOnly = true;
    query.limitByDate = true;
    query.limitDate = reportDate;
    query.targetCurrency = options.currencyId;
    const bool includeCommissions = options.includeCommissions != 0;
    for (const CFL2DepotPos& lot : ComputeHoldings(doc, query)) {
        PositionRecord r = LotRecord(doc, lot, options.currencyId, reportDate);
        SetHoldingPeriod(doc, r, reportDate, includeCommissions);
        data.positions.push_back(std::move(r));
    }

    if (options.mergePositions != 0) MergePositions(data.positions);

    DerivedValueOptions derived;
    derived.includeCommissions = includeCommissions;
    derived.realized = false;
    derived.percentDecimals = std::clamp(doc.options.tables.percentDecimals, 0, 15);
    derived.annualisation = options.annualisation;

    data.total.kind = RecordKind::Total;
    data.total.label = "Summe";
    data.total.lotCount = 0;
    for (PositionRecord& r : data.positions) {
        Value(doc, r, reportDate, options.currencyId);
        ComputeDerivedValues(r, derived);
        AddToSum(data.total, r);
        data.anyStopReached = data.anyStopReached || r.stopReached;
        data.anyTargetReached = data.anyTargetReached || r.targetReached;
    }
    ComputeDerivedValues(data.total, derived);

    SortRecords(
        data.positions,
        SortKeyField(kHoldingsSortKeys, options.sortKey, static_cast<int>(kDefaultHoldingsSortKey)),
        options.sortDescending != 0);
    data.decimals =
        ColumnDecimalsOf(data.positions, data.total, doc.options.tables.maxPriceDecimals);
    return data;
}

std::string HoldingsTitle(const CFolari2Doc& doc, CQRNDatum reportDate) {
    std::string title = doc.options.holdings.title;
    title = ReplacePlaceholder(title, "<DATUM>", reportDate.FormatLong());
    title = ReplacePlaceholder(title, "<DEPOTNUMMER>", doc.depot.depotNumber);
    return ReplacePlaceholder(title, "<INHABER>", doc.depot.holderName);
}

std::unique_ptr<ReportTable> BuildHoldingsReport(const CFolari2Doc& doc, CQRNDatum reportDate) {
    const DocumentOptions& o = doc.options;
    const TableAppearance& appearance = o.tables;
    const HoldingsReportData data = ComputeHoldingsReport(doc, reportDate);
    const ColumnContext context{.options = o,
                                .currencyName = data.currencyName,
                                .extraInfo = o.holdings.extraInfo,
                                .percentDecimals = std::clamp(o.tables.percentDecimals, 0, 15),
                                .bracketOldQuotes = o.holdings.bracketOldQuotes != 0,
                                .decimals = data.decimals};
    const std::vector<ReportColumn> columns =
        VisibleColumns(HoldingsColumns(context), static_cast<uint32_t>(o.holdings.columnMask));

    const std::string title = HoldingsTitle(doc, reportDate);

    auto table = std::make_unique<ReportTable>();
    const TableFonts fonts =
        StartPositionTable(*table, appearance, o.screenScaleFactor, columns, title);

    // Reached stops and targets are marked in the first identifying column shown.
    int markerColumn = -1;
    for (size_t c = 0; c < columns.size() && markerColumn < 0; ++c)
        if (columns[c].bit <= 2) markerColumn = static_cast<int>(c);
    const std::string targetMarker = data.anyStopReached ? "**" : "*";

    for (size_t i = 0; i < data.positions.size(); ++i) {
        const PositionRecord& r = data.positions[i];
        RowStyle style = DataRowStyle(static_cast<int>(i), IsLoss(r, appearance));
        style.font = fonts.row;
        style.spacingBefore = i == 0 ? appearance.outerMargin : 0;
        style.user[kUserTransaction] = r.transactionId;
        style.user[kUserRowKind] = r.merged ? 1 : 0;
        style.user[kUserSecurity] = r.securityId;
        style.user[kUserPosition] = r.merged ? -1 : r.positionNo;
        std::vector<std::string> texts = RowTexts(columns, r, context);
        if (markerColumn >= 0) {
            std::string& text = texts[static_cast<size_t>(markerColumn)];
            if (r.stopReached) text += "*";
            if (r.targetReached) text += targetMarker;
        }
        SetRowTexts(*table, table->AddRow(style), texts);
    }

    RowStyle totalStyle = SumRowStyle(IsLoss(data.total, appearance));
    totalStyle.font = fonts.row;
    totalStyle.spacingBefore = appearance.outerMargin;
    SetRowTexts(*table, table->AddRow(totalStyle), RowTexts(columns, data.total, context));

    if (data.anyStopReached || data.anyTargetReached) {
        std::string note;
        if (data.anyStopReached) {
            note = "* Stoppkurs erreicht";
            if (data.anyTargetReached) note += "    ** Zielkurs erreicht";
        } else {
            note = "* Zielkurs erreicht";
        }
        RowStyle noteStyle;
        noteStyle.colourA = noteStyle.colourB = kFootnoteRowColour;
        noteStyle.font = fonts.columnTitle;
        noteStyle.spacingBefore = appearance.outerMargin;
        const int row = table->AddRow(noteStyle);
        table->SetCell(row, 0, note, std::max(1, static_cast<int>(columns.size())), kAlignLeft);
    }
    return table;
}

}  // namespace pf

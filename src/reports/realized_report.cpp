#include "reports/realized_report.h"

#include <algorithm>
#include <utility>

#include "engine/holdings.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/report_format.h"

namespace pf {

namespace {

static_assert(static_cast<int>(RealizedSortKey::AnnualisedWithDividends) + 1 ==
              kRealizedSortKeyCount);

void SetSold(const CFolari2Doc& doc, const CFL2DepotPos& lot, CQRNDatum to, int32_t currency,
             PositionRecord& r) {
    r.saleDate = lot.saleDate;
    r.salePrice = lot.salePrice;
    r.saleCurrencyId = lot.saleCurrency1;
    r.saleCurrencyName = CurrencyNameOf(doc, lot.saleCurrency1);
    r.salePriceReport =
        PriceInReportCurrency(doc, lot.salePrice, lot.saleCurrency1, lot.saleRateBase,
                              lot.saleRateQuote, lot.saleCurrency2, currency, to);
    r.saleValue = lot.saleValue;
    r.saleCosts = lot.saleCosts;
    r.proceeds = lot.saleProceeds;
    r.saleText = lot.saleText;
}

// An open lot as if sold at the end date at that day's quote, converted into the report
// currency, without costs.
void SetSimulated(const CFolari2Doc& doc, CQRNDatum to, int32_t currency, PositionRecord& r) {
    const CFL2Wertpapier* security = doc.FindSecurity(r.securityId);
    Price price = 0.0;
    if (security != nullptr)
        price = ConvertAtDate(doc, security->PriceAt(to, to), to, security->quoteCurrencyId,
                              currency, 2);
    r.saleDate = to;
    r.salePrice = price;
    r.saleCurrencyId = currency;
    r.saleCurrencyName = CurrencyNameOf(doc, currency);
    r.salePriceReport = price;
    r.saleValue = RoundTo(price * static_cast<double>(r.quantity) * 1e-7, 2);
    r.saleCosts = 0.0;
    r.proceeds = r.saleValue;
    r.saleText = kSimulatedSaleText;
    r.simulated = true;
}

bool Selected(const CFolari2Doc& doc, int32_t securityId) {
    const std::vector<int32_t>& ids = doc.options.selectedSecurityIds;
    return std::find(ids.begin(), ids.end(), securityId) != ids.end();
}

}  // namespace

std::vector<std::string> RealizedSortKeyTexts(const CFolari2Doc& doc) {
    return SortKeyTexts(kRealizedSortKeys, doc.options);
}

std::vector<ReportColumn> RealizedColumns(const ColumnContext& context) {
    const std::string in = "in " + context.currencyName;
    using enum Shown;
    namespace c = cells;
    // Sum rows carry their label across the name, WKN and ISIN columns (the builder sets it).
    // clang-format off
    return {
        {0,  "Bezeichnung", "", kAlignLeft, c::Name, OnPositions},
        {1,  "WKN", "", kAlignLeft, c::Wkn, OnPositions},
        {2,  context.options.isinLabel, "", kAlignLeft, c::Isin, OnPositions},
        {3,  "Typ", "", kAlignLeft, c::Type, OnPositions},
        {4,  ExtraInfoHeader(context.options, context.extraInfo), "", kAlignLeft, c::ExtraInfo, OnPositions},
        {5,  "Stück", "", kAlignRight, c::Pieces, OnAllRows},
        {6,  "Kauf-", "datum", kAlignLeft, c::PurchaseDate, OnSingleLots},
        {7,  "Verkauf-", "datum", kAlignLeft, c::SaleDate, OnSingleLots},
        {8,  "Tage im", "Depot", kAlignRight, c::DaysInDepot, OnSingleLots},
        {9,  "Steuer", "", kAlignLeft, c::TaxCategory, OnSingleLots},
        {10, "Kauf-", "kurs", kAlignRight, c::BuyPrice, OnSingleLots},
        {11, "Währ.", "", kAlignLeft, c::BuyCurrency, OnSingleLots},
        {13, "Kaufkurs", in, kAlignRight, c::BuyPriceReport, OnPositions},
        {14, "Kaufwert", in, kAlignRight, c::PurchaseValue, OnAllRows},
        {15, "Kaufprov.", in, kAlignRight, c::PurchaseCosts, OnAllRows},
        {16, "Kaufpreis", in, kAlignRight, c::PurchasePrice, OnAllRows},
        {17, "Verkauf-", "kurs", kAlignRight, c::SalePrice, OnSingleLots},
        {18, "Währ.", "", kAlignLeft, c::SaleCurrency, OnSingleLots},
        {19, "Verkaufkurs", in, kAlignRight, c::SalePriceReport, OnPositions},
        {20, "Verkaufwert", in, kAlignRight, c::SaleValue, OnAllRows},
        {21, "Verkaufprov.", in, kAlignRight, c::SaleCosts, OnAllRows},
        {22, "Verkauferlös", in, kAlignRight, c::Proceeds, OnAllRows},
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

RealizedReportData ComputeRealizedReport(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                         bool securityFilter, bool simulateSales) {
    const RealizedReportOptions& options = doc.options.realized;
    RealizedReportData data;
    data.from = from;
    data.to = to;
    data.currencyId = options.currencyId;
    data.currencyName = CurrencyNameOf(doc, options.currencyId);
    const bool includeCommissions = options.includeCommissions != 0;

    HoldingsQuery query;
    query.limitByDate = true;
    query.limitDate = to;
    query.targetCurrency = options.currencyId;
    for (const CFL2DepotPos& lot : ComputeHoldings(doc, query)) {
        // Lots given away in an exchange live on in the lots received for them, with their
        // purchase amounts; they were not sold.
        if (lot.state == PositionState::ExchangedOut) continue;
        if (lot.state == PositionState::Sold && lot.saleDate < from) continue;
        if (lot.state == PositionState::Open && !simulateSales) continue;
        if (securityFilter && !Selected(doc, lot.securityId)) continue;
        // Prices of the purchase and the sale convert into the report currency at the end date.
        PositionRecord r = LotRecord(doc, lot, options.currencyId, to);
        if (lot.state == PositionState::Sold)
            SetSold(doc, lot, to, options.currencyId, r);
        else
            SetSimulated(doc, to, options.currencyId, r);
        SetHoldingPeriod(doc, r, r.saleDate, includeCommissions);
        data.positions.push_back(std::move(r));
    }

    // Sum records: categories with the same name and abbreviation share one, the sales
    // without a category get the last one.
    std::vector<PositionRecord> groups;
    std::vector<size_t> groupOfCategory;
    for (const CFL2StPflKateg& c : doc.taxCategories) {
        size_t g = 0;
        while (g < groups.size() &&
               !(groups[g].taxName == c.name && groups[g].taxAbbreviation == c.abbreviation))
            ++g;
        if (g == groups.size()) {
            PositionRecord sum;
            sum.kind = RecordKind::CategorySum;
            sum.label = c.name;
            sum.taxName = c.name;
            sum.taxAbbreviation = c.abbreviation;
            sum.lotCount = 0;
            groups.push_back(std::move(sum));
        }
        groupOfCategory.push_back(g);
    }
    PositionRecord none;
    none.kind = RecordKind::CategorySum;
    none.label = "-";
    none.lotCount = 0;
    groups.push_back(std::move(none));
    const size_t noneGroup = groups.size() - 1;

    data.total.kind = RecordKind::Total;
    data.total.lotCount = 0;
    for (const PositionRecord& r : data.positions) {
        const size_t g =
            r.taxCategory >= 0 ? groupOfCategory[static_cast<size_t>(r.taxCategory)] : noneGroup;
        AddToSum(groups[g], r);
        AddToSum(data.total, r);
    }

    if (options.mergePositions != 0) MergePositions(data.positions);

    DerivedValueOptions derived;
    derived.includeCommissions = includeCommissions;
    derived.realized = true;
    derived.percentDecimals = std::clamp(doc.options.tables.percentDecimals, 0, 15);
    derived.annualisation = options.annualisation;
    for (PositionRecord& r : data.positions) ComputeDerivedValues(r, derived);
    for (PositionRecord& g : groups) {
        if (g.lotCount == 0) continue;
        ComputeDerivedValues(g, derived);
        data.categorySums.push_back(std::move(g));
    }
    ComputeDerivedValues(data.total, derived);
    data.total.label =
        options.taxSums != 0 && data.categorySums.size() > 1 ? "Gesamtsumme" : "Summe";

    SortRecords(
        data.positions,
        SortKeyField(kRealizedSortKeys, options.sortKey, static_cast<int>(kDefaultRealizedSortKey)),
        options.sortDescending != 0);
    data.decimals =
        ColumnDecimalsOf(data.positions, data.total, doc.options.tables.maxPriceDecimals);
    return data;
}

std::unique_ptr<ReportTable> BuildRealizedReport(const CFolari2Doc& doc, CQRNDatum from,
                                                 CQRNDatum to, bool securityFilter,
                                                 bool simulateSales) {
    const DocumentOptions& o = doc.options;
    const TableAppearance& appearance = o.tables;
    const RealizedReportData data =
        ComputeRealizedReport(doc, from, to, securityFilter, simulateSales);
    const ColumnContext context{.options = o,
                                .currencyName = data.currencyName,
                                .extraInfo = o.realized.extraInfo,
                                .percentDecimals = std::clamp(o.tables.percentDecimals, 0, 15),
                                .decimals = data.decimals};
    const std::vector<ReportColumn> columns =
        VisibleColumns(RealizedColumns(context), static_cast<uint32_t>(o.realized.columnMask));

    std::string title = o.realized.title;
    title = ReplacePlaceholder(title, "<STARTDATUM>", from.FormatLong());
    title = ReplacePlaceholder(title, "<ENDDATUM>", to.FormatLong());
    title = ReplacePlaceholder(title, "<DEPOTNUMMER>", doc.depot.depotNumber);
    title = ReplacePlaceholder(title, "<INHABER>", doc.depot.holderName);

    auto table = std::make_unique<ReportTable>();
    const TableFonts fonts =
        StartPositionTable(*table, appearance, o.screenScaleFactor, columns, title);

    for (size_t i = 0; i < data.positions.size(); ++i) {
        const PositionRecord& r = data.positions[i];
        RowStyle style = DataRowStyle(static_cast<int>(i), IsLoss(r, appearance));
        style.font = fonts.row;
        style.spacingBefore = i == 0 ? appearance.outerMargin : 0;
        style.user[kUserTransaction] = r.transactionId;
        style.user[kUserRowKind] = r.merged || r.simulated ? 1 : 0;
        style.user[kUserSecurity] = r.securityId;
        style.user[kUserPosition] = r.merged ? -1 : r.positionNo;
        SetRowTexts(*table, table->AddRow(style), RowTexts(columns, r, context));
    }

    // The label of a sum row stands in the first of the name, WKN and ISIN columns shown and
    // spans all of them that are shown.
    int labelColumn = -1;
    int labelSpan = 0;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].bit > 2) break;
        if (labelColumn < 0) labelColumn = static_cast<int>(c);
        ++labelSpan;
    }

    std::vector<const PositionRecord*> sums;
    if (o.realized.taxSums != 0)
        for (const PositionRecord& g : data.categorySums) sums.push_back(&g);
    sums.push_back(&data.total);
    for (size_t i = 0; i < sums.size(); ++i) {
        const PositionRecord& s = *sums[i];
        RowStyle style = SumRowStyle(IsLoss(s, appearance));
        style.font = fonts.row;
        style.spacingBefore = i == 0 || i + 1 == sums.size() ? appearance.outerMargin : 0;
        const int row = table->AddRow(style);
        if (labelColumn >= 0) table->SetCell(row, labelColumn, s.label, labelSpan);
        SetRowTexts(*table, row, RowTexts(columns, s, context));
    }
    return table;
}

}  // namespace pf

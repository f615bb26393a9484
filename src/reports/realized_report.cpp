#include "reports/realized_report.h"

#include <algorithm>
#include <utility>

#include "engine/holdings.h"
#include "engine/tax_categories.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/report_format.h"

namespace pf {

namespace {

RecordField FieldOf(RealizedSortKey key) {
    using K = RealizedSortKey;
    using F = RecordField;
    switch (key) {
        case K::Name: return F::Name;
        case K::Wkn: return F::Wkn;
        case K::Isin: return F::Isin;
        case K::Type: return F::Type;
        case K::Sector: return F::Sector;
        case K::Country: return F::Country;
        case K::Index: return F::Index;
        case K::Category1: return F::Category1;
        case K::Category2: return F::Category2;
        case K::Quantity: return F::Quantity;
        case K::QuoteCurrency: return F::QuoteCurrency;
        case K::PurchaseDate: return F::PurchaseDate;
        case K::SaleDate: return F::SaleDate;
        case K::DaysInDepot: return F::DaysInDepot;
        case K::PurchaseValue: return F::PurchaseValue;
        case K::PurchaseCosts: return F::PurchaseCosts;
        case K::PurchasePrice: return F::PurchasePrice;
        case K::SaleValue: return F::SaleValue;
        case K::SaleCosts: return F::SaleCosts;
        case K::Proceeds: return F::Proceeds;
        case K::GainLoss: return F::GainLoss;
        case K::GainLossPercent: return F::GainLossPercent;
        case K::Annualised: return F::Annualised;
        case K::Dividends: return F::Dividends;
        case K::DividendPercent: return F::DividendPercent;
        case K::GainLossWithDividends: return F::GainLossWithDividends;
        case K::GainLossWithDividendsPercent: return F::GainLossWithDividendsPercent;
        case K::AnnualisedWithDividends: return F::AnnualisedWithDividends;
    }
    return F::SaleDate;
}

RealizedSortKey StoredKey(int32_t stored) {
    if (stored < 0 || stored >= kRealizedSortKeyCount) return kDefaultRealizedSortKey;
    return static_cast<RealizedSortKey>(stored);
}

// The purchase side of a lot; the sale side is filled by the caller.
PositionRecord LotRecord(const CFolari2Doc& doc, const CFL2DepotPos& lot, CQRNDatum to,
                         int32_t currency) {
    PositionRecord r;
    r.securityId = lot.securityId;
    r.transactionId = lot.transactionId;
    r.positionNo = lot.positionNo;
    SetSecurityTexts(doc, doc.FindSecurity(lot.securityId), r);
    r.quantity = lot.quantity;
    r.purchaseDate = lot.purchaseDate;
    r.buyPrice = lot.price;
    r.buyCurrencyId = lot.currency1;
    r.buyCurrencyName = CurrencyNameOf(doc, lot.currency1);
    r.buyPriceReport = PriceInReportCurrency(doc, lot.price, lot.currency1, lot.rateBase,
                                             lot.rateQuote, lot.currency2, currency, to);
    r.purchaseValue = lot.purchaseValue;
    r.purchaseCosts = lot.purchaseCosts;
    r.purchasePrice = lot.purchaseTotal;
    r.dividends = lot.income;
    r.stopPrice = lot.stopPrice;
    r.targetPrice = lot.targetPrice;
    return r;
}

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
    const DocumentOptions& o = doc.options;
    return {"Bezeichnung",
            "WKN",
            o.isinLabel,
            "Typ",
            "Branche",
            "Land",
            "Index/Marktsegment",
            o.ownCategoryCaption1,
            o.ownCategoryCaption2,
            "Stück",
            "Kurswährung",
            "Kaufdatum",
            "Verkaufdatum",
            "Tage im Depot",
            "Kaufwert",
            "Kaufprovision etc.",
            "Kaufpreis",
            "Verkaufwert",
            "Verkaufprovision etc.",
            "Verkauferlös",
            "G/V",
            "G/V in %",
            "G/V p.a. in %",
            "Dividende",
            "Dividende in %",
            "G/V inkl. Div.",
            "G/V inkl. Div. in %",
            "G/V inkl. Div. p.a. in %"};
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
        PositionRecord r = LotRecord(doc, lot, to, options.currencyId);
        if (lot.state == PositionState::Sold)
            SetSold(doc, lot, to, options.currencyId, r);
        else
            SetSimulated(doc, to, options.currencyId, r);
        r.daysInDepot = DaysBetween(r.purchaseDate, r.saleDate);
        r.cashFlows.push_back({std::max(1, r.daysInDepot), CostBasisOf(r, includeCommissions)});
        r.taxCategory = MatchTaxCategory(doc, r.purchaseDate, r.saleDate, r.subjectToHalfIncome);
        if (r.taxCategory >= 0) {
            const CFL2StPflKateg& c = doc.taxCategories[static_cast<size_t>(r.taxCategory)];
            r.taxName = c.name;
            r.taxAbbreviation = c.abbreviation;
        }
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
        const size_t g = r.taxCategory >= 0 ? groupOfCategory[static_cast<size_t>(r.taxCategory)]
                                            : noneGroup;
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

    SortRecords(data.positions, FieldOf(StoredKey(options.sortKey)), options.sortDescending != 0);

    std::vector<double> buy, buyReport, sale, saleReport;
    data.pieceDecimals = PieceDecimals(data.total.quantity);
    for (const PositionRecord& r : data.positions) {
        data.pieceDecimals = std::max(data.pieceDecimals, PieceDecimals(r.quantity));
        if (!r.merged) {
            buy.push_back(r.buyPrice);
            sale.push_back(r.salePrice);
        }
        buyReport.push_back(r.buyPriceReport);
        saleReport.push_back(r.salePriceReport);
    }
    const int maxDecimals = doc.options.tables.maxPriceDecimals;
    data.buyPriceDecimals = ColumnPriceDecimals(buy, maxDecimals);
    data.buyPriceReportDecimals = ColumnPriceDecimals(buyReport, maxDecimals);
    data.salePriceDecimals = ColumnPriceDecimals(sale, maxDecimals);
    data.salePriceReportDecimals = ColumnPriceDecimals(saleReport, maxDecimals);
    return data;
}

namespace {

std::vector<ColumnSpec> RealizedColumns(const CFolari2Doc& doc, const std::string& cur) {
    const DocumentOptions& o = doc.options;
    const std::string in = "in " + cur;
    return {
        {0, "Bezeichnung", "", kAlignLeft},
        {1, "WKN", "", kAlignLeft},
        {2, o.isinLabel, "", kAlignLeft},
        {3, "Typ", "", kAlignLeft},
        {4, ExtraInfoHeader(o, o.realized.extraInfo), "", kAlignLeft},
        {5, "Stück", "", kAlignRight},
        {6, "Kauf-", "datum", kAlignLeft},
        {7, "Verkauf-", "datum", kAlignLeft},
        {8, "Tage im", "Depot", kAlignRight},
        {9, "Steuer", "", kAlignLeft},
        {10, "Kauf-", "kurs", kAlignRight},
        {11, "Währ.", "", kAlignLeft},
        {13, "Kaufkurs", in, kAlignRight},
        {14, "Kaufwert", in, kAlignRight},
        {15, "Kaufprov.", in, kAlignRight},
        {16, "Kaufpreis", in, kAlignRight},
        {17, "Verkauf-", "kurs", kAlignRight},
        {18, "Währ.", "", kAlignLeft},
        {19, "Verkaufkurs", in, kAlignRight},
        {20, "Verkaufwert", in, kAlignRight},
        {21, "Verkaufprov.", in, kAlignRight},
        {22, "Verkauferlös", in, kAlignRight},
        {23, "G/V", in, kAlignRight},
        {25, "G/V", "in %", kAlignRight},
        {26, "G/V p.a.", "in %", kAlignRight},
        {27, "Dividende", in, kAlignRight},
        {28, "Dividende", "in %", kAlignRight},
        {29, "G/V inkl Div.", in, kAlignRight},
        {30, "G/V inkl Div.", "in %", kAlignRight},
        {31, "G/V inkl Div.", "p.a. in %", kAlignRight},
    };
}

// The text of column `bit` for a position or a sum record (whose label is placed by the
// caller). Text and price columns of sum records stay empty.
std::string CellText(int bit, const PositionRecord& r, const RealizedReportData& data,
                     const DocumentOptions& o) {
    const int p = std::clamp(o.tables.percentDecimals, 0, 15);
    switch (bit) {
        case 5: return FormatPieces(r.quantity, data.pieceDecimals, o);
        case 14: return AmountText(r.purchaseValue, o);
        case 15: return AmountText(r.purchaseCosts, o);
        case 16: return AmountText(r.purchasePrice, o);
        case 20: return AmountText(r.saleValue, o);
        case 21: return AmountText(r.saleCosts, o);
        case 22: return AmountText(r.proceeds, o);
        case 23: return AmountText(r.gainLoss, o, true);
        case 25: return PercentText(r, r.gainLossPercent, p, true, o);
        case 26: return AnnualisedCellText(r, r.annualisedPercent, p, o);
        case 27: return AmountText(r.dividends, o);
        case 28: return PercentText(r, r.dividendPercent, p, false, o);
        case 29: return AmountText(r.gainLossWithDividends, o, true);
        case 30: return PercentText(r, r.gainLossWithDividendsPercent, p, true, o);
        case 31: return AnnualisedCellText(r, r.annualisedWithDividendsPercent, p, o);
        default: break;
    }
    if (r.kind != RecordKind::Position) return {};
    switch (bit) {
        case 0: return r.name;
        case 1: return r.wkn;
        case 2: return r.isin;
        case 3: return r.type;
        case 4: return ExtraInfoText(r, o.realized.extraInfo);
        case 6: return r.merged ? "-" : r.purchaseDate.FormatLong();
        case 7: return r.merged ? "-" : r.saleDate.FormatLong();
        case 8: return r.merged ? "-" : std::to_string(r.daysInDepot);
        case 9: return r.merged || r.taxCategory < 0 ? "-" : r.taxAbbreviation;
        case 10: return r.merged ? "-" : PriceText(r.buyPrice, data.buyPriceDecimals, o);
        case 11: return r.merged ? "-" : r.buyCurrencyName;
        case 13: return PriceText(r.buyPriceReport, data.buyPriceReportDecimals, o);
        case 17: return r.merged ? "-" : PriceText(r.salePrice, data.salePriceDecimals, o);
        case 18: return r.merged ? "-" : r.saleCurrencyName;
        case 19: return PriceText(r.salePriceReport, data.salePriceReportDecimals, o);
        default: return {};
    }
}

}  // namespace

std::unique_ptr<ReportTable> BuildRealizedReport(const CFolari2Doc& doc, CQRNDatum from,
                                                 CQRNDatum to, bool securityFilter,
                                                 bool simulateSales) {
    const DocumentOptions& o = doc.options;
    const TableAppearance& appearance = o.tables;
    const RealizedReportData data =
        ComputeRealizedReport(doc, from, to, securityFilter, simulateSales);
    const std::vector<ColumnSpec> columns = VisibleColumns(
        RealizedColumns(doc, data.currencyName), static_cast<uint32_t>(o.realized.columnMask));

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
        const RowColours colours = DataRowColours(static_cast<int>(i), IsLoss(r, appearance));
        const int row = table->AddRow(colours.a, colours.b, fonts.row,
                                      i == 0 ? appearance.outerMargin : 0, 0, 0, false,
                                      r.transactionId, r.merged || r.simulated ? 1 : 0);
        for (size_t c = 0; c < columns.size(); ++c) {
            const std::string text = CellText(columns[c].bit, r, data, o);
            if (!text.empty()) table->SetCell(row, static_cast<int>(c), text);
        }
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
        const bool spaced = i == 0 || i + 1 == sums.size();
        const RowColours colours = SumRowColours(IsLoss(s, appearance));
        const int row = table->AddRow(colours.a, colours.b, fonts.row,
                                      spaced ? appearance.outerMargin : 0, 0, 0, false, -1, 255);
        if (labelColumn >= 0) table->SetCell(row, labelColumn, s.label, labelSpan);
        for (size_t c = 0; c < columns.size(); ++c) {
            if (columns[c].bit <= 2) continue;
            const std::string text = CellText(columns[c].bit, s, data, o);
            if (!text.empty()) table->SetCell(row, static_cast<int>(c), text);
        }
    }
    return table;
}

}  // namespace pf

#include "reports/holdings_report.h"

#include <algorithm>
#include <utility>

#include "engine/holdings.h"
#include "engine/tax_categories.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/report_format.h"

namespace pf {

namespace {

RecordField FieldOf(HoldingsSortKey key) {
    using K = HoldingsSortKey;
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
        case K::PurchaseValue: return F::PurchaseValue;
        case K::PurchaseCosts: return F::PurchaseCosts;
        case K::PurchasePrice: return F::PurchasePrice;
        case K::CurrentValue: return F::CurrentValue;
        case K::GainLoss: return F::GainLoss;
        case K::GainLossPercent: return F::GainLossPercent;
        case K::Annualised: return F::Annualised;
        case K::Dividends: return F::Dividends;
        case K::DividendPercent: return F::DividendPercent;
        case K::GainLossWithDividends: return F::GainLossWithDividends;
        case K::GainLossWithDividendsPercent: return F::GainLossWithDividendsPercent;
        case K::AnnualisedWithDividends: return F::AnnualisedWithDividends;
    }
    return F::PurchaseDate;
}

// The stored key; -1 and numbers outside the list mean the default.
HoldingsSortKey StoredKey(int32_t stored) {
    if (stored < 0 || stored >= kHoldingsSortKeyCount) return kDefaultHoldingsSortKey;
    return static_cast<HoldingsSortKey>(stored);
}

// One record per open lot, before merging: everything that belongs to the lot itself.
PositionRecord LotRecord(const CFolari2Doc& doc, const CFL2DepotPos& lot, CQRNDatum reportDate,
                         const HoldingsReportOptions& options) {
    PositionRecord r;
    r.securityId = lot.securityId;
    r.transactionId = lot.transactionId;
    r.positionNo = lot.positionNo;
    const CFL2Wertpapier* security = doc.FindSecurity(lot.securityId);
    SetSecurityTexts(doc, security, r);
    r.quantity = lot.quantity;
    r.purchaseDate = lot.purchaseDate;
    r.daysInDepot = DaysBetween(lot.purchaseDate, reportDate);
    r.taxCategory = MatchTaxCategory(doc, lot.purchaseDate, reportDate, r.subjectToHalfIncome);
    if (r.taxCategory >= 0) {
        const CFL2StPflKateg& category = doc.taxCategories[static_cast<size_t>(r.taxCategory)];
        r.taxName = category.name;
        r.taxAbbreviation = category.abbreviation;
    }
    r.buyPrice = lot.price;
    r.buyCurrencyId = lot.currency1;
    r.buyCurrencyName = CurrencyNameOf(doc, lot.currency1);
    r.buyPriceReport = PriceInReportCurrency(doc, lot.price, lot.currency1, lot.rateBase,
                                             lot.rateQuote, lot.currency2, options.currencyId,
                                             reportDate);
    r.purchaseValue = lot.purchaseValue;
    r.purchaseCosts = lot.purchaseCosts;
    r.purchasePrice = lot.purchaseTotal;
    r.dividends = lot.income;
    r.stopPrice = lot.stopPrice;
    r.targetPrice = lot.targetPrice;
    r.cashFlows.push_back({std::max(1, r.daysInDepot),
                           CostBasisOf(r, options.includeCommissions != 0)});
    return r;
}

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
    r.currentPriceReport = ConvertAtDate(doc, r.currentPrice, reportDate, quoteCurrency, currency, 7);
    // Stop and target prices are entered against the security's own quotes.
    r.stopReached = r.stopPrice > 0.0 && r.currentPrice <= r.stopPrice;
    r.targetReached = !r.stopReached && r.targetPrice > 0.0 && r.currentPrice >= r.targetPrice;
}

}  // namespace

std::vector<std::string> HoldingsSortKeyTexts(const CFolari2Doc& doc) {
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
            "Kaufwert",
            "Provision etc.",
            "Kaufpreis",
            "Wert",
            "G/V",
            "G/V in %",
            "G/V p.a. in %",
            "Dividende",
            "Dividende in %",
            "G/V inkl. Div.",
            "G/V inkl. Div. in %",
            "G/V inkl. Div. p.a. in %"};
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
    for (const CFL2DepotPos& lot : ComputeHoldings(doc, query))
        data.positions.push_back(LotRecord(doc, lot, reportDate, options));

    if (options.mergePositions != 0) MergePositions(data.positions);

    DerivedValueOptions derived;
    derived.includeCommissions = options.includeCommissions != 0;
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

    SortRecords(data.positions, FieldOf(StoredKey(options.sortKey)), options.sortDescending != 0);

    std::vector<double> buy, buyReport, current, currentReport;
    data.pieceDecimals = PieceDecimals(data.total.quantity);
    for (const PositionRecord& r : data.positions) {
        data.pieceDecimals = std::max(data.pieceDecimals, PieceDecimals(r.quantity));
        if (!r.merged) buy.push_back(r.buyPrice);
        buyReport.push_back(r.buyPriceReport);
        current.push_back(r.currentPrice);
        currentReport.push_back(r.currentPriceReport);
    }
    const int maxDecimals = doc.options.tables.maxPriceDecimals;
    data.buyPriceDecimals = ColumnPriceDecimals(buy, maxDecimals);
    data.buyPriceReportDecimals = ColumnPriceDecimals(buyReport, maxDecimals);
    data.currentPriceDecimals = ColumnPriceDecimals(current, maxDecimals);
    data.currentPriceReportDecimals = ColumnPriceDecimals(currentReport, maxDecimals);
    return data;
}

namespace {

std::vector<ColumnSpec> HoldingsColumns(const CFolari2Doc& doc, const std::string& cur) {
    const DocumentOptions& o = doc.options;
    const std::string in = "in " + cur;
    return {
        {0, "Bezeichnung", "", kAlignLeft},
        {1, "WKN", "", kAlignLeft},
        {2, o.isinLabel, "", kAlignLeft},
        {3, "Typ", "", kAlignLeft},
        {4, ExtraInfoHeader(o, o.holdings.extraInfo), "", kAlignLeft},
        {5, "Stück", "", kAlignRight},
        {6, "Kaufdatum", "", kAlignLeft},
        {7, "Tage im", "Depot", kAlignRight},
        {8, "Steuer", "", kAlignLeft},
        {10, "Kaufkurs", "", kAlignRight},
        {11, "Währ.", "", kAlignLeft},
        {13, "Kaufkurs", in, kAlignRight},
        {14, "Kaufwert", in, kAlignRight},
        {15, "Provision", in, kAlignRight},
        {16, "Kaufpreis", in, kAlignRight},
        {18, "Kurs", "", kAlignRight},
        {19, "Währ.", "", kAlignLeft},
        {21, "Kurs", in, kAlignRight},
        {22, "Wert", in, kAlignRight},
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

// The text of column `bit` for a position or the total. Text and price columns of the total
// stay empty.
std::string CellText(int bit, const PositionRecord& r, const HoldingsReportData& data,
                     const DocumentOptions& o) {
    const bool total = r.kind == RecordKind::Total;
    const int p = std::clamp(o.tables.percentDecimals, 0, 15);
    const bool bracket = o.holdings.bracketOldQuotes != 0 && !r.currentPriceFromReportDate;
    const auto bracketed = [bracket](std::string text) {
        return bracket ? "(" + text + ")" : text;
    };
    switch (bit) {
        case 0: return total ? r.label : r.name;
        case 5: return FormatPieces(r.quantity, data.pieceDecimals, o);
        case 14: return AmountText(r.purchaseValue, o);
        case 15: return AmountText(r.purchaseCosts, o);
        case 16: return AmountText(r.purchasePrice, o);
        case 22: return AmountText(r.currentValue, o);
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
    if (total) return {};
    switch (bit) {
        case 1: return r.wkn;
        case 2: return r.isin;
        case 3: return r.type;
        case 4: return ExtraInfoText(r, o.holdings.extraInfo);
        case 6: return r.merged ? "-" : r.purchaseDate.FormatLong();
        case 7: return r.merged ? "-" : std::to_string(r.daysInDepot);
        case 8: return r.merged || r.taxCategory < 0 ? "-" : r.taxAbbreviation;
        case 10: return r.merged ? "-" : PriceText(r.buyPrice, data.buyPriceDecimals, o);
        case 11: return r.merged ? "-" : r.buyCurrencyName;
        case 13: return PriceText(r.buyPriceReport, data.buyPriceReportDecimals, o);
        case 18: return bracketed(PriceText(r.currentPrice, data.currentPriceDecimals, o));
        case 19: return r.quoteCurrencyName;
        case 21:
            return bracketed(PriceText(r.currentPriceReport, data.currentPriceReportDecimals, o));
        default: return {};
    }
}

}  // namespace

std::unique_ptr<ReportTable> BuildHoldingsReport(const CFolari2Doc& doc, CQRNDatum reportDate) {
    const DocumentOptions& o = doc.options;
    const TableAppearance& appearance = o.tables;
    const HoldingsReportData data = ComputeHoldingsReport(doc, reportDate);
    const std::vector<ColumnSpec> columns = VisibleColumns(
        HoldingsColumns(doc, data.currencyName), static_cast<uint32_t>(o.holdings.columnMask));

    std::string title = o.holdings.title;
    title = ReplacePlaceholder(title, "<DATUM>", reportDate.FormatLong());
    title = ReplacePlaceholder(title, "<DEPOTNUMMER>", doc.depot.depotNumber);
    title = ReplacePlaceholder(title, "<INHABER>", doc.depot.holderName);

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
        const RowColours colours = DataRowColours(static_cast<int>(i), IsLoss(r, appearance));
        const int row = table->AddRow(colours.a, colours.b, fonts.row,
                                      i == 0 ? appearance.outerMargin : 0, 0, 0, false,
                                      r.transactionId, r.merged ? 1 : 0);
        for (size_t c = 0; c < columns.size(); ++c) {
            std::string text = CellText(columns[c].bit, r, data, o);
            if (static_cast<int>(c) == markerColumn) {
                if (r.stopReached) text += "*";
                if (r.targetReached) text += targetMarker;
            }
            if (!text.empty()) table->SetCell(row, static_cast<int>(c), text);
        }
    }

    const RowColours totalColours = SumRowColours(IsLoss(data.total, appearance));
    const int totalRow = table->AddRow(totalColours.a, totalColours.b, fonts.row,
                                       appearance.outerMargin, 0, 0, false, -1, 255);
    for (size_t c = 0; c < columns.size(); ++c) {
        const std::string text = CellText(columns[c].bit, data.total, data, o);
        if (!text.empty()) table->SetCell(totalRow, static_cast<int>(c), text);
    }

    if (data.anyStopReached || data.anyTargetReached) {
        std::string note;
        if (data.anyStopReached) {
            note = "* Stoppkurs erreicht";
            if (data.anyTargetReached) note += "    ** Zielkurs erreicht";
        } else {
            note = "* Zielkurs erreicht";
        }
        const int row = table->AddRow(kFootnoteRowColour, kFootnoteRowColour, fonts.columnTitle,
                                      appearance.outerMargin, 0, 0, false);
        table->SetCell(row, 0, note, std::max(1, static_cast<int>(columns.size())), kAlignLeft);
    }
    return table;
}

}  // namespace pf

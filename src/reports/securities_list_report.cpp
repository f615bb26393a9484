#include "reports/securities_list_report.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "engine/holdings.h"
#include "engine/position_sort.h"
#include "model/document.h"
#include "model/security.h"
#include "reports/position_columns.h"
#include "reports/position_report_common.h"
#include "reports/price_walk.h"
#include "reports/report_format.h"
#include "reports/securities_columns.h"
#include "reports/transaction_list_common.h"

namespace pf {

namespace {

// The open pieces of every security at the end of `date`.
std::map<int32_t, Quantity> PiecesAt(const CFolari2Doc& doc, CQRNDatum date) {
    HoldingsQuery query;
    query.openOnly = true;
    query.limitByDate = true;
    query.limitDate = date;
    std::map<int32_t, Quantity> pieces;
    for (const CFL2DepotPos& lot : ComputeHoldings(doc, query))
        pieces[lot.securityId] += lot.quantity;
    return pieces;
}

// The quotes of the whole history on the split level of the last quote, so that a split
// does not show as a fall (a permanent split's earlier quotes are already on that level).
std::vector<double> AdjustedHistory(const CFL2Wertpapier& s) {
    std::vector<double> prices;
    prices.reserve(s.quotes.size());
    if (s.quotes.empty()) return prices;
    const CQRNDatum last = s.quotes[s.quotes.size() - 1].date;
    for (const CFL2Kurs& q : s.quotes.Items())
        prices.push_back(s.SplitAdjust(q.value, q.date, last));
    return prices;
}

std::string OneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // CR LF: one
        line += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
    }
    return line;
}

SecuritiesListRow RowOf(const CFL2Wertpapier& s, CQRNDatum reportDate, bool useLastPrice,
                        Quantity pieces) {
    SecuritiesListRow row;
    row.security = &s;
    if (useLastPrice) {
        row.hasPrice = s.quotes.LatestOnOrBefore(reportDate) != nullptr;
        if (row.hasPrice) row.price = s.PriceAt(reportDate, reportDate);
    } else {
        row.hasPrice = s.ExactPriceAt(reportDate, reportDate, row.price) != 0;
    }
    if (!std::isfinite(row.price)) row.hasPrice = false;

    // A price of zero or below gives no meaningful ratio, and a ratio that overflows (a
    // figure near zero, a damaged value) is shown as "-" rather than as an empty cell.
    const double p = row.price;
    const auto ratio = [](bool entered, double value, bool& has, double& out) {
        if (entered && std::isfinite(value)) {
            has = true;
            out = value;
        }
    };
    if (row.hasPrice && p > 0.0 && std::isfinite(p)) {
        const int32_t set = s.figuresSet;
        ratio((set & kFigureEarnings1) != 0 && s.earnings1 > 0.0, p / s.earnings1,
              row.hasPriceEarnings1, row.priceEarnings1);
        ratio((set & kFigureEarnings2) != 0 && s.earnings2 > 0.0, p / s.earnings2,
              row.hasPriceEarnings2, row.priceEarnings2);
        ratio((set & kFigureDividend) != 0, s.dividend / p * 100.0, row.hasDividendYield,
              row.dividendYield);
        ratio((set & kFigureCashFlow) != 0 && s.cashFlow > 0.0, p / s.cashFlow,
              row.hasPriceCashFlow, row.priceCashFlow);
    }

    const PriceWalk walk = WalkPrices(AdjustedHistory(s));
    row.hasDrawdown = walk.hasDrawdown;
    row.maxDrawdown = walk.maxDrawdown;
    row.pieces = pieces;
    row.quoteCount = static_cast<int64_t>(s.quotes.size());
    row.remarks = OneLine(s.remarks);
    return row;
}

// One sort key's value of a row: a text or a number, or nothing ("-").
struct KeyValue {
    bool missing = false;
    bool isText = false;
    double number = 0.0;
    const std::string* text = nullptr;
};

// A value that is not finite (only a damaged file holds one) sorts with the missing ones,
// so that the comparison stays a strict ordering.
KeyValue Optional(bool present, double value) {
    return {!present || !std::isfinite(value), false, value, nullptr};
}
KeyValue Number(double value) { return Optional(true, value); }
KeyValue Text(const std::string& text) { return {false, true, 0.0, &text}; }

KeyValue KeyValueOf(const SecuritiesListRow& r, const std::string& currencyName, int32_t key) {
    const CFL2Wertpapier& s = *r.security;
    switch (key) {
        case kSecuritiesByName:
            return Text(s.name);
        case kSecuritiesByWkn:
            return Text(s.wkn);
        case kSecuritiesByIsin:
            return Text(s.isin);
        case kSecuritiesByCurrency:
            return Text(currencyName);
        case kSecuritiesByType:
            return Text(s.type);
        case kSecuritiesBySector:
            return Text(s.sector);
        case kSecuritiesByCountry:
            return Text(s.country);
        case kSecuritiesByIndex:
            return Text(s.index);
        case kSecuritiesByCategory1:
            return Text(s.category1);
        case kSecuritiesByCategory2:
            return Text(s.category2);
        case kSecuritiesByHalfIncome:
            return Number(s.halfIncomeProcedure != 0 ? 1 : 0);
        case kSecuritiesByPrice:
            return Optional(r.hasPrice, r.price);
        case kSecuritiesByPriceEarnings1:
            return Optional(r.hasPriceEarnings1, r.priceEarnings1);
        case kSecuritiesByPriceEarnings2:
            return Optional(r.hasPriceEarnings2, r.priceEarnings2);
        case kSecuritiesByDividendYield:
            return Optional(r.hasDividendYield, r.dividendYield);
        case kSecuritiesByPriceCashFlow:
            return Optional(r.hasPriceCashFlow, r.priceCashFlow);
        case kSecuritiesByDrawdown:
            return Optional(r.hasDrawdown, r.maxDrawdown);
        case kSecuritiesByPieces:
            return Number(static_cast<double>(r.pieces));
        case kSecuritiesByQuoteCount:
            return Number(static_cast<double>(r.quoteCount));
        case kSecuritiesByTeletextImport:
            return Number(s.vtplusImport != 0 ? 1 : 0);
        case kSecuritiesByInternetImport:
            return Number(s.internetImport != 0 ? 1 : 0);
        default:  // kSecuritiesByRemarks
            return Text(r.remarks);
    }
}

void SortRows(const CFolari2Doc& doc, std::vector<SecuritiesListRow>& rows,
              const std::array<int32_t, 3>& keys, bool descending) {
    std::vector<int32_t> active;
    for (int32_t key : keys)
        if (key > kSecuritiesUnsorted && key <= kSecuritiesByRemarks) active.push_back(key);
    if (active.empty()) return;

    struct Entry {
        std::array<KeyValue, 3> values{};
        size_t row = 0;
    };
    std::vector<std::string> currencyNames(rows.size());
    std::vector<Entry> entries(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        currencyNames[i] = CurrencyNameOf(doc, rows[i].security->quoteCurrencyId);
        entries[i].row = i;
        for (size_t k = 0; k < active.size(); ++k)
            entries[i].values[k] = KeyValueOf(rows[i], currencyNames[i], active[k]);
    }
    const size_t keyCount = active.size();
    const auto compare = [keyCount, descending](const Entry& a, const Entry& b) {
        for (size_t k = 0; k < keyCount; ++k) {
            const KeyValue& x = a.values[k];
            const KeyValue& y = b.values[k];
            // "-" sorts last whatever the direction.
            if (x.missing || y.missing) {
                if (x.missing != y.missing) return y.missing;
                continue;
            }
            const int c =
                x.isText ? CompareTexts(*x.text, *y.text) : CompareValues(x.number, y.number);
            if (c != 0) return descending ? c > 0 : c < 0;
        }
        return false;
    };
    std::stable_sort(entries.begin(), entries.end(), compare);

    std::vector<SecuritiesListRow> sorted;
    sorted.reserve(rows.size());
    for (const Entry& e : entries) sorted.push_back(rows[e.row]);
    rows = std::move(sorted);
}

std::string YesNo(bool yes) { return yes ? "ja" : "nein"; }

// Cell texts of the list.
struct CellContext {
    const CFolari2Doc& doc;
    const DocumentOptions& options;
    int priceDecimals = 2;
    int pieceDecimals = 0;
    int percentDecimals = 1;
};

std::string TwoDecimals(double value, const DocumentOptions& o) {
    return FormatNumber(value, 2, 2, false, o);
}

std::string FigureText(const CFL2Wertpapier& s, int32_t bit, double value,
                       const DocumentOptions& o) {
    return (s.figuresSet & bit) != 0 ? TwoDecimals(value, o) : std::string();
}

std::string RatioText(bool present, double value, const DocumentOptions& o, const char* unit = "") {
    return present ? TwoDecimals(value, o) + unit : "-";
}

std::string CellText(const SecuritiesListRow& r, int bit, const CellContext& c) {
    const CFL2Wertpapier& s = *r.security;
    const DocumentOptions& o = c.options;
    switch (bit) {
        case 0:
            return s.name;
        case 1:
            return s.wkn;
        case 2:
            return s.isin;
        case 3:
            return CurrencyNameOf(c.doc, s.quoteCurrencyId);
        case 6:
            return s.type;
        case 7:
            return s.sector;
        case 8:
            return s.country;
        case 9:
            return s.index;
        case 10:
            return s.category1;
        case 11:
            return s.category2;
        case 12:
            return FigureText(s, kFigureEarnings1, s.earnings1, o);
        case 13:
            return FigureText(s, kFigureEarnings2, s.earnings2, o);
        case 14:
            return FigureText(s, kFigureDividend, s.dividend, o);
        case 15:
            return FigureText(s, kFigureCashFlow, s.cashFlow, o);
        case 17:
            return YesNo(s.halfIncomeProcedure != 0);
        case 19:
            return r.hasPrice ? PriceText(r.price, c.priceDecimals, o) : "-";
        case 20:
            return RatioText(r.hasPriceEarnings1, r.priceEarnings1, o);
        case 21:
            return RatioText(r.hasPriceEarnings2, r.priceEarnings2, o);
        case 22:
            return RatioText(r.hasDividendYield, r.dividendYield, o, "%");
        case 23:
            return RatioText(r.hasPriceCashFlow, r.priceCashFlow, o);
        case 24:
            return r.hasDrawdown ? FormatNumber(r.maxDrawdown, c.percentDecimals, c.percentDecimals,
                                                false, o) +
                                       "%"
                                 : "-";
        case 25:
            return FormatPieces(r.pieces, c.pieceDecimals, o);
        case 27:
            return FormatNumber(static_cast<double>(r.quoteCount), 0, 0, false, o);
        case 29:
            return YesNo(s.vtplusImport != 0);
        case 30:
            return YesNo(s.internetImport != 0);
        case 31:
            return r.remarks;
        default:
            return {};
    }
}

}  // namespace

std::vector<SecuritiesListRow> SecuritiesListRows(const CFolari2Doc& doc, CQRNDatum reportDate) {
    const SecuritiesListOptions& options = doc.options.securitiesList;
    const std::map<int32_t, Quantity> pieces = PiecesAt(doc, reportDate);
    std::vector<SecuritiesListRow> rows;
    rows.reserve(doc.securities.size());
    for (const CFL2Wertpapier& s : doc.securities) {
        const auto held = pieces.find(s.id);
        const Quantity q = held != pieces.end() ? held->second : 0;
        if (options.onlyInDepot != 0 && q <= 0) continue;
        rows.push_back(RowOf(s, reportDate, options.useLastPrice != 0, q));
    }
    SortRows(doc, rows, options.sortKeys, options.sortDescending != 0);
    return rows;
}

std::unique_ptr<ReportTable> BuildSecuritiesListReport(const CFolari2Doc& doc,
                                                       CQRNDatum reportDate) {
    const DocumentOptions& o = doc.options;
    const TableAppearance& appearance = o.tables;
    const std::string date = reportDate.FormatLong();

    std::vector<ReportColumn> all;
    for (const SecuritiesColumn& c : SecuritiesColumns(o, date))
        all.push_back(ListColumn(c.bit, c.header1, c.header2, c.alignment));
    const std::vector<ReportColumn> columns =
        VisibleColumns(all, static_cast<uint32_t>(o.securitiesList.columnMask));
    const std::vector<SecuritiesListRow> rows = SecuritiesListRows(doc, reportDate);

    CellContext context{.doc = doc, .options = o};
    context.percentDecimals = std::clamp(appearance.percentDecimals, 0, 15);
    std::vector<double> prices;
    for (const SecuritiesListRow& r : rows) {
        if (r.hasPrice) prices.push_back(r.price);
        context.pieceDecimals = std::max(context.pieceDecimals, PieceDecimals(r.pieces));
    }
    context.priceDecimals = ColumnPriceDecimals(prices, appearance.maxPriceDecimals);

    std::string title = ReplacePlaceholder(o.securitiesList.title, "<DATUM>", date);
    title = ReplacePlaceholder(title, "<DEPOTNUMMER>", doc.depot.depotNumber);
    title = ReplacePlaceholder(title, "<KONTONUMMER>", doc.depot.accountNumber);
    title = ReplacePlaceholder(title, "<INHABER>", doc.depot.holderName);

    auto table = std::make_unique<ReportTable>();
    const TableFonts fonts =
        StartPositionTable(*table, appearance, o.screenScaleFactor, columns, title);
    std::vector<std::string> texts(columns.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        RowStyle style = ListRowStyle(static_cast<int>(i), kOddRowGrey, kEvenRowGrey);
        style.font = fonts.row;
        style.spacingBefore = i == 0 ? appearance.outerMargin : 0;
        style.user[kUserSecurity] = rows[i].security->id;
        for (size_t c = 0; c < columns.size(); ++c)
            texts[c] = CellText(rows[i], columns[c].bit, context);
        SetRowTexts(*table, table->AddRow(style), texts);
    }
    return table;
}

std::unique_ptr<ReportObject> BuildSecuritiesList(const CFolari2Doc& doc, const ViewState& state) {
    return BuildSecuritiesListReport(doc, state.reportDate);
}

}  // namespace pf

#include "reports/depot_analysis_rows.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>

#include "engine/holdings.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/holdings_report.h"
#include "reports/position_sort_keys.h"
#include "reports/report_format.h"

namespace pf {

namespace {

int PercentDecimals(const AnalysisOptions& o) { return std::clamp(o.percentDecimals, 0, 15); }
int PriceDecimals(const AnalysisOptions& o) { return std::clamp(o.priceDecimals, 0, 7); }

std::string CurrencySymbolOf(const CFolari2Doc& doc, int32_t currencyId) {
    const CFL2Waehrung* currency = doc.FindCurrency(currencyId);
    return currency != nullptr ? currency->symbol : std::string();
}

// The value of `pieces` at `price` (quote currency) in `currency` at `date`: rounded to cents
// in the quote currency first, as the holdings value a position.
Amount ValueAt(const CFolari2Doc& doc, Quantity pieces, Price price, int32_t quoteCurrency,
               int32_t currency, CQRNDatum date) {
    const Amount value = RoundTo(static_cast<double>(pieces) * 1e-7 * price, 2);
    return ConvertAtDate(doc, value, date, quoteCurrency, currency, 2);
}

// The open lots at `date`, replayed in the base currency.
PositionList OpenLotsAt(const CFolari2Doc& doc, CQRNDatum date) {
    HoldingsQuery query;
    query.openOnly = true;
    query.limitByDate = true;
    query.limitDate = date;
    query.targetCurrency = 0;
    return ComputeHoldings(doc, query);
}

// The split-adjusted quotes of `security` from `from` to `to` (both included), as seen from
// `to`, appended to `prices` (which is cleared first).
void QuotesInRange(const CFL2Wertpapier& security, CQRNDatum from, CQRNDatum to,
                   std::vector<double>& prices) {
    prices.clear();
    if (to < from) return;
    const std::vector<CFL2Kurs>& quotes = security.quotes.Items();
    auto first = std::lower_bound(quotes.begin(), quotes.end(), from,
                                  [](const CFL2Kurs& q, CQRNDatum d) { return q.date < d; });
    for (auto it = first; it != quotes.end() && !(to < it->date); ++it)
        prices.push_back(security.SplitAdjust(it->value, it->date, to));
}

std::string PercentCell(const std::optional<double>& percent, int decimals,
                        const DocumentOptions& options) {
    if (!percent) return "-";
    return FormatNumber(*percent, decimals, decimals, false, options) + "%";
}

std::string PriceCell(bool has, Price price, int decimals, const DocumentOptions& options) {
    return has ? PriceText(price, decimals, options) : "-";
}

AnalysisLine TextLine(std::string label, size_t columns, TextAlign align = TextAlign::Right) {
    AnalysisLine line;
    line.label = std::move(label);
    line.align = align;
    line.texts.reserve(columns);
    return line;
}

AnalysisLine BarLine(std::string label, std::vector<Colour> colours, std::string unit, int decimals,
                     size_t columns) {
    AnalysisLine line;
    line.kind = AnalysisLineKind::Bars;
    line.label = std::move(label);
    line.lines = static_cast<int>(colours.size());
    line.colours = std::move(colours);
    line.unit = std::move(unit);
    line.decimals = decimals;
    line.bars.resize(columns);
    return line;
}

constexpr double kNoBar = std::numeric_limits<double>::quiet_NaN();

double BarValue(const std::optional<double>& value) { return value ? *value : kNoBar; }

// The bars of one column: none when every value is missing.
std::vector<double> BarValues(std::initializer_list<std::optional<double>> values) {
    std::vector<double> bars;
    bool any = false;
    for (const std::optional<double>& v : values) {
        bars.push_back(BarValue(v));
        any = any || v.has_value();
    }
    if (!any) bars.clear();
    return bars;
}

}  // namespace

std::optional<double> PercentAbove(double a, double b, int decimals) {
    if (!(b > 0.0)) return std::nullopt;
    return RoundTo((a - b) / b * 100.0, decimals);
}

// ---- Depot analysis ----

DepotAnalysisData ComputeDepotAnalysis(const CFolari2Doc& doc, CQRNDatum start, CQRNDatum end) {
    const AnalysisOptions& o = doc.options.analysis;
    const int p = PercentDecimals(o);
    const bool includeCommissions = o.includeCommissions != 0;
    const bool includeDividends = o.includeDividends != 0;

    DepotAnalysisData data;
    data.start = start;
    data.end = end;
    data.currencyId = o.currencyId;
    data.currencySymbol = CurrencySymbolOf(doc, o.currencyId);

    std::vector<PositionRecord> records;
    std::map<int32_t, CQRNDatum> firstPurchase;  // per security, over its open lots
    for (const CFL2DepotPos& lot : OpenLotsAt(doc, end)) {
        PositionRecord r = LotRecord(doc, lot, o.currencyId, end);
        if (o.currencyId != 0) {
            r.purchaseValue = ConvertAtDate(doc, r.purchaseValue, end, 0, o.currencyId, 2);
            r.purchaseCosts = ConvertAtDate(doc, r.purchaseCosts, end, 0, o.currencyId, 2);
            r.purchasePrice = ConvertAtDate(doc, r.purchasePrice, end, 0, o.currencyId, 2);
            r.dividends = ConvertAtDate(doc, r.dividends, end, 0, o.currencyId, 2);
        }
        SetHoldingPeriod(doc, r, end, includeCommissions);
        auto [it, added] = firstPurchase.try_emplace(r.securityId, r.purchaseDate);
        if (!added && r.purchaseDate < it->second) it->second = r.purchaseDate;
        records.push_back(std::move(r));
    }
    if (o.mergePositions != 0) MergePositions(records);

    DerivedValueOptions derived;
    derived.includeCommissions = includeCommissions;
    derived.percentDecimals = p;
    derived.annualisation = doc.options.holdings.annualisation;
    for (PositionRecord& r : records) {
        const CFL2Wertpapier* security = doc.FindSecurity(r.securityId);
        const int32_t quoteCurrency =
            security != nullptr ? security->quoteCurrencyId : o.currencyId;
        const bool hasQuote =
            security != nullptr && security->quotes.LatestOnOrBefore(end) != nullptr;
        if (hasQuote) {
            r.currentPrice = security->PriceAt(end, end);
            double exact = 0.0;
            r.currentPriceFromReportDate = security->ExactPriceAt(end, end, exact) == 1;
        }
        r.currentValue = ValueAt(doc, r.quantity, r.currentPrice, quoteCurrency, o.currencyId, end);
        r.currentPriceReport =
            ConvertAtDate(doc, r.currentPrice, end, quoteCurrency, o.currencyId, 7);
        // The holdings' rule: stop and target are entered against the security's own quotes,
        // and a position that reached both counts as stop reached. A security without any
        // quote has no price that could have fallen to the stop: it reaches nothing.
        r.stopReached = hasQuote && r.stopPrice > 0.0 && r.currentPrice <= r.stopPrice;
        r.targetReached =
            hasQuote && !r.stopReached && r.targetPrice > 0.0 && r.currentPrice >= r.targetPrice;
        ComputeDerivedValues(r, derived);
        data.depotValue += r.currentValue;
    }
    data.depotValue = RoundTo(data.depotValue, 2);

    SortRecords(
        records,
        SortKeyField(kHoldingsSortKeys, o.sortKey, static_cast<int>(kDefaultHoldingsSortKey)),
        o.sortDescending != 0);

    std::vector<double> prices;
    data.positions.reserve(records.size());
    for (PositionRecord& r : records) {
        AnalysisPosition a;
        const CFL2Wertpapier* security = doc.FindSecurity(r.securityId);
        const bool hasCurrent =
            security != nullptr && security->quotes.LatestOnOrBefore(end) != nullptr;
        a.hasCurrentPrice = hasCurrent;
        a.firstPurchase = r.merged ? firstPurchase[r.securityId] : r.purchaseDate;
        a.marked = r.stopReached || r.targetReached;
        a.averageBuyPrice =
            r.quantity != 0 ? r.purchaseValue / (static_cast<double>(r.quantity) * 1e-7) : 0.0;
        a.currentPrice = hasCurrent ? r.currentPrice : 0.0;
        if (security != nullptr) {
            QuotesInRange(*security, std::max(start, a.firstPurchase), end, prices);
            a.walk = WalkPrices(prices);
        }
        const int32_t quoteCurrency =
            security != nullptr ? security->quoteCurrencyId : o.currencyId;
        const Amount extra = includeDividends ? r.dividends : 0.0;
        a.currentGainLoss = includeDividends ? r.gainLossWithDividends : r.gainLoss;
        if (a.walk.hasQuotes) {
            const auto gainAt = [&](Price price) {
                return RoundTo(ValueAt(doc, r.quantity, price, quoteCurrency, o.currencyId, end) -
                                   r.costBasis + extra,
                               2);
            };
            a.minGainLoss = gainAt(a.walk.low);
            a.maxGainLoss = gainAt(a.walk.high);
            a.aboveStart = PercentAbove(a.walk.last, a.walk.first, p);
            a.aboveLow = PercentAbove(a.walk.last, a.walk.low, p);
            a.belowHigh = PercentAbove(a.walk.high, a.walk.last, p);
            a.fromHigh = PercentAbove(a.walk.last, a.walk.high, p);
            if (a.walk.hasDrawdown) a.drawdown = RoundTo(a.walk.maxDrawdown, p);
        }
        if (hasCurrent && r.stopPrice > 0.0)
            a.aboveStop = PercentAbove(a.currentPrice, r.stopPrice, p);
        if (hasCurrent && r.targetPrice > 0.0)
            a.belowTarget = PercentAbove(r.targetPrice, a.currentPrice, p);
        if (data.depotValue > 0.0) a.depotShare = PercentOf(r.currentValue, data.depotValue, p);
        a.record = std::move(r);
        data.positions.push_back(std::move(a));
    }
    return data;
}

std::vector<AnalysisLine> DepotAnalysisLines(const DepotAnalysisData& data,
                                             const CFolari2Doc& doc) {
    const DocumentOptions& options = doc.options;
    const AnalysisOptions& o = options.analysis;
    const int p = PercentDecimals(o);
    const int pd = PriceDecimals(o);
    const size_t n = data.positions.size();
    const bool stopTarget = o.stopTarget != 0;
    const std::string withDividends = o.includeDividends != 0 ? " inkl. Div." : "";
    const std::string startText = data.start.FormatLong();
    const std::string endText = data.end.FormatLong();

    int pieceDecimals = 0;
    for (const AnalysisPosition& a : data.positions)
        pieceDecimals = std::max(pieceDecimals, PieceDecimals(a.record.quantity));

    std::vector<AnalysisLine> lines;
    const auto text = [&](std::string label, auto cell, TextAlign align = TextAlign::Right) {
        AnalysisLine line = TextLine(std::move(label), n, align);
        for (const AnalysisPosition& a : data.positions) line.texts.push_back(cell(a));
        lines.push_back(std::move(line));
    };
    const auto percent = [&](std::string label, std::optional<double> AnalysisPosition::*field) {
        text(std::move(label),
             [&](const AnalysisPosition& a) { return PercentCell(a.*field, p, options); });
    };
    const auto amount = [&](const std::optional<Amount>& value) {
        return value ? AmountText(*value, options, true) : std::string("-");
    };

    constexpr TextAlign left = TextAlign::Left;
    text(
        "Bezeichnung",
        [](const AnalysisPosition& a) { return a.record.name + (a.marked ? "*" : ""); }, left);
    lines.back().heading = true;
    lines.back().repeat = true;
    text(
        "WKN", [](const AnalysisPosition& a) { return a.record.wkn; }, left);
    text("Stück", [&](const AnalysisPosition& a) {
        return FormatPieces(a.record.quantity, pieceDecimals, options);
    });
    text("Kaufdatum", [](const AnalysisPosition& a) {
        return a.record.merged ? std::string("-") : a.record.purchaseDate.FormatLong();
    });
    text(
        "Kurswährung", [](const AnalysisPosition& a) { return a.record.quoteCurrencyName; }, left);
    text("Kaufkurs",
         [&](const AnalysisPosition& a) { return PriceText(a.averageBuyPrice, pd, options); });
    if (stopTarget) {
        text("Stoppkurs", [&](const AnalysisPosition& a) {
            return PriceCell(a.record.stopPrice > 0.0, a.record.stopPrice, pd, options);
        });
        text("Zielkurs", [&](const AnalysisPosition& a) {
            return PriceCell(a.record.targetPrice > 0.0, a.record.targetPrice, pd, options);
        });
    }
    text("Kurs am " + endText, [&](const AnalysisPosition& a) {
        return PriceCell(a.hasCurrentPrice, a.currentPrice, pd, options);
    });
    text("Tief ab " + startText, [&](const AnalysisPosition& a) {
        return PriceCell(a.walk.hasQuotes, a.walk.low, pd, options);
    });
    text("Hoch ab " + startText, [&](const AnalysisPosition& a) {
        return PriceCell(a.walk.hasQuotes, a.walk.high, pd, options);
    });
    text("Kurs am " + endText, [&](const AnalysisPosition& a) {
        return PriceCell(a.walk.hasQuotes, a.walk.last, pd, options);
    });
    if (stopTarget) {
        AnalysisLine stop = BarLine("über Stopp", {kBarRed}, "%", p, n);
        AnalysisLine target = BarLine("bis Ziel", {kBarGreen}, "%", p, n);
        for (size_t i = 0; i < n; ++i) {
            stop.bars[i] = BarValues({data.positions[i].aboveStop});
            target.bars[i] = BarValues({data.positions[i].belowTarget});
        }
        lines.push_back(std::move(stop));
        lines.push_back(std::move(target));
    }
    text("min. G/V" + withDividends,
         [&](const AnalysisPosition& a) { return amount(a.minGainLoss); });
    text("akt. G/V" + withDividends,
         [&](const AnalysisPosition& a) { return AmountText(a.currentGainLoss, options, true); });
    text("max. G/V" + withDividends,
         [&](const AnalysisPosition& a) { return amount(a.maxGainLoss); });
    AnalysisLine gains =
        BarLine("", {kBarRed, kBarYellow, kBarGreen}, " " + data.currencySymbol, 2, n);
    for (size_t i = 0; i < n; ++i) {
        const AnalysisPosition& a = data.positions[i];
        gains.bars[i] = BarValues({a.minGainLoss, a.currentGainLoss, a.maxGainLoss});
    }
    lines.push_back(std::move(gains));
    percent("% über Anfang", &AnalysisPosition::aboveStart);
    percent("% über Tief", &AnalysisPosition::aboveLow);
    percent("% bis Hoch", &AnalysisPosition::belowHigh);
    AnalysisLine distances = BarLine("", {kBarBlue, kBarRed, kBarGreen}, "%", p, n);
    for (size_t i = 0; i < n; ++i) {
        const AnalysisPosition& a = data.positions[i];
        distances.bars[i] = BarValues({a.aboveStart, a.aboveLow, a.belowHigh});
    }
    lines.push_back(std::move(distances));
    percent("% von Hoch", &AnalysisPosition::fromHigh);
    percent("Max. Drawdown", &AnalysisPosition::drawdown);
    percent("Depotanteil", &AnalysisPosition::depotShare);
    return lines;
}

// ---- Depot distribution ----

namespace {

struct Holding {
    const CFL2Wertpapier* security = nullptr;
    int32_t securityId = -1;
    Amount value = 0.0;
};

// Byte order of the names, the group without attribute last.
bool GroupBefore(const DistributionGroup& a, const DistributionGroup& b, bool noAttributeLast) {
    if (noAttributeLast) {
        const bool aNone = a.name == kNoAttributeGroup;
        const bool bNone = b.name == kNoAttributeGroup;
        if (aNone != bNone) return bNone;
    }
    return a.name < b.name;
}

DistributionSection GroupBy(const std::vector<Holding>& holdings, const char* title,
                            std::string CFL2Wertpapier::*attribute, Colour colour) {
    DistributionSection section;
    section.title = title;
    section.listsMembers = attribute != nullptr;
    section.colour = colour;
    std::map<std::string, DistributionGroup> groups;  // by attribute, or by security id
    for (const Holding& h : holdings) {
        const std::string name = h.security != nullptr ? h.security->name : std::string();
        std::string key;
        if (attribute == nullptr) {
            key = std::to_string(h.securityId);
        } else {
            key = h.security != nullptr ? h.security->*attribute : std::string();
            if (key.empty()) key = kNoAttributeGroup;
        }
        DistributionGroup& group = groups[key];
        if (attribute == nullptr) {
            group.name = name;
            group.securityId = h.securityId;
        } else {
            group.name = key;
            const bool known = std::any_of(
                group.members.begin(), group.members.end(),
                [&](const DistributionMember& m) { return m.securityId == h.securityId; });
            if (!known)
                group.members.push_back(
                    {h.securityId, name, h.security != nullptr ? h.security->wkn : std::string()});
        }
        group.value += h.value;
    }
    for (auto& [key, group] : groups) {
        group.value = RoundTo(group.value, 2);
        std::sort(group.members.begin(), group.members.end(),
                  [](const DistributionMember& a, const DistributionMember& b) {
                      return a.name < b.name;
                  });
        section.groups.push_back(std::move(group));
    }
    const bool noAttributeLast = attribute != nullptr;
    std::stable_sort(section.groups.begin(), section.groups.end(),
                     [&](const DistributionGroup& a, const DistributionGroup& b) {
                         return GroupBefore(a, b, noAttributeLast);
                     });
    return section;
}

}  // namespace

DepotDistributionData ComputeDepotDistribution(const CFolari2Doc& doc, CQRNDatum date) {
    const AnalysisOptions& o = doc.options.analysis;
    DepotDistributionData data;
    data.date = date;
    data.currencyId = o.currencyId;
    data.currencySymbol = CurrencySymbolOf(doc, o.currencyId);

    std::vector<Holding> holdings;
    for (const CFL2DepotPos& lot : OpenLotsAt(doc, date)) {
        Holding h;
        h.securityId = lot.securityId;
        h.security = doc.FindSecurity(lot.securityId);
        const int32_t quoteCurrency =
            h.security != nullptr ? h.security->quoteCurrencyId : o.currencyId;
        const Price price = h.security != nullptr ? h.security->PriceAt(date, date) : 0.0;
        h.value = ValueAt(doc, lot.quantity, price, quoteCurrency, o.currencyId, date);
        data.total += h.value;
        holdings.push_back(h);
    }
    data.total = RoundTo(data.total, 2);

    data.sections.push_back(GroupBy(holdings, "Wertpapier", nullptr, Rgb(0, 0, 255)));
    data.sections.push_back(
        GroupBy(holdings, "Wertpapiertyp", &CFL2Wertpapier::type, Rgb(255, 0, 0)));
    data.sections.push_back(GroupBy(holdings, "Branche", &CFL2Wertpapier::sector, Rgb(0, 160, 0)));
    data.sections.push_back(GroupBy(holdings, "Land", &CFL2Wertpapier::country, Rgb(255, 160, 0)));
    data.sections.push_back(
        GroupBy(holdings, "Index/Marktsegment", &CFL2Wertpapier::index, Rgb(160, 0, 160)));

    const int p = PercentDecimals(o);
    for (DistributionSection& section : data.sections)
        for (DistributionGroup& group : section.groups)
            if (data.total > 0.0) group.share = PercentOf(group.value, data.total, p);
    return data;
}

int DistributionColumnCount(const DepotDistributionData& data) {
    size_t columns = 0;
    for (const DistributionSection& section : data.sections)
        columns = std::max(columns, section.groups.size());
    return static_cast<int>(columns);
}

std::vector<AnalysisLine> DepotDistributionLines(const DepotDistributionData& data,
                                                 const DocumentOptions& options) {
    const int p = PercentDecimals(options.analysis);
    std::vector<AnalysisLine> lines;
    for (const DistributionSection& section : data.sections) {
        const size_t n = section.groups.size();
        AnalysisLine names = TextLine(section.title, n, TextAlign::Left);
        names.heading = true;
        AnalysisLine values = TextLine("Wert (" + data.currencySymbol + ")", n);
        AnalysisLine bars = BarLine("", {section.colour}, "%", p, n);
        AnalysisLine shares = TextLine("Anteil in %", n);
        size_t members = 0;
        for (size_t i = 0; i < n; ++i) {
            const DistributionGroup& group = section.groups[i];
            names.texts.push_back(group.name);
            values.texts.push_back(AmountText(group.value, options));
            bars.bars[i] = BarValues({group.share});
            shares.texts.push_back(group.share ? FormatNumber(*group.share, p, p, false, options)
                                               : std::string("-"));
            members = std::max(members, group.members.size());
        }
        lines.push_back(std::move(names));
        lines.push_back(std::move(values));
        lines.push_back(std::move(bars));
        lines.push_back(std::move(shares));
        if (section.listsMembers) {
            for (size_t m = 0; m < members; ++m) {
                AnalysisLine name = TextLine(m == 0 ? "Wertpapier" : "", n, TextAlign::Left);
                AnalysisLine wkn = TextLine(m == 0 ? "WKN" : "", n, TextAlign::Left);
                for (const DistributionGroup& group : section.groups) {
                    const bool has = m < group.members.size();
                    name.texts.push_back(has ? group.members[m].name : std::string());
                    wkn.texts.push_back(has ? group.members[m].wkn : std::string());
                }
                lines.push_back(std::move(name));
                lines.push_back(std::move(wkn));
            }
        }
        AnalysisLine gap;
        gap.kind = AnalysisLineKind::Gap;
        gap.gap = options.analysis.fontHeight;
        lines.push_back(std::move(gap));
    }
    return lines;
}

}  // namespace pf

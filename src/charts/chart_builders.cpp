#include "charts/chart_builders.h"

#include <algorithm>
#include <array>

#include "engine/balance_series.h"
#include "engine/holdings.h"
#include "engine/value_series.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/quotes_table_report.h"
#include "reports/report_format.h"

namespace pf {

namespace {

std::string CurrencySymbol(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr ? c->symbol : std::string();
}

// Whether a split transaction divides a marker's price under `splitHandling`.
bool SplitApplies(const CFL2Transaktion& split, int splitHandling, CQRNDatum end) {
    switch (splitHandling) {
        case kSplitsAdjustedBeforeEnd:
            return split.date <= end;
        case kSplitsFullyAdjusted:
            return true;
        case kSplitsAsStored:
            return split.linkFlag != 0;
        default:
            return false;
    }
}

void AddMarkers(const CFolari2Doc& doc, const CFL2Wertpapier& s, SecurityChart& chart,
                int splitHandling, CQRNDatum end) {
    const CQRNDatum view = SplitViewingDate(splitHandling, end);
    const auto& list = doc.transactions;
    for (size_t i = 0; i < list.size(); ++i) {
        const CFL2Transaktion& t = list[i];
        if (t.type == TransactionType::Exchange) {
            const bool target = t.otherId == s.id;
            if (!target && t.securityId != s.id) continue;
            const double quote = splitHandling == kSplitsAsStored ? s.PriceAt(t.date, t.date)
                                                                  : s.PriceAt(t.date, view);
            if (quote > 0)
                chart.AddMarker(t.date, quote, target ? SecurityChart::kBuy : SecurityChart::kSell);
            continue;
        }
        const bool sell = t.type == TransactionType::Sell;
        if ((!sell && t.type != TransactionType::Buy) || t.securityId != s.id) continue;
        double price = t.price;
        if (t.currency1 != s.quoteCurrencyId) {
            if (t.rateBase != 0) price = RoundTo(price * t.rateQuote / t.rateBase, 2);
            if (t.currency2 != s.quoteCurrencyId)
                price = ConvertAtDate(doc, price, t.date, t.currency2, s.quoteCurrencyId, 2);
        }
        for (size_t j = i + 1; j < list.size(); ++j) {
            const CFL2Transaktion& split = list[j];
            if (split.type != TransactionType::Split || split.securityId != s.id) continue;
            if (!SplitApplies(split, splitHandling, end) || split.oldPieces <= 0 ||
                split.newPieces <= 0)
                continue;
            price /= static_cast<double>(split.newPieces) / static_cast<double>(split.oldPieces);
        }
        chart.AddMarker(t.date, price, sell ? SecurityChart::kSell : SecurityChart::kBuy);
    }
}

std::string DiagramTitle(const CFolari2Doc& doc, std::string title, const std::string& standard,
                         CQRNDatum start, CQRNDatum end) {
    title = ReplacePlaceholder(std::move(title), "<STANDARDTITEL>", standard);
    title = ReplacePlaceholder(std::move(title), "<STARTDATUM>", start.FormatLong());
    title = ReplacePlaceholder(std::move(title), "<ENDDATUM>", end.FormatLong());
    title = ReplacePlaceholder(std::move(title), "<INHABER>", doc.depot.holderName);
    title = ReplacePlaceholder(std::move(title), "<KONTONUMMER>", doc.depot.accountNumber);
    return ReplacePlaceholder(std::move(title), "<DEPOTNUMMER>", doc.depot.depotNumber);
}

constexpr std::array<const char*, 15> kDevelopmentTitles = {
    "Depotwert",
    "Investiertes Kapital",
    "Depot - Gewinn/Verlust",
    "Depot - Gewinn/Verlust",
    "Depotwert seit Anfangsdatum",
    "Depotwert seit Anfangsdatum",
    "Kontostand",
    "Liquiditätsquote",
    "Vermögen",
    "Eingezahltes Kapital",
    "Vermögen - Gewinn/Verlust",
    "Vermögen - Gewinn/Verlust",
    "Vermögen seit Anfangsdatum",
    "Vermögen seit Anfangsdatum",
    "Vermögen - G/V seit Anfangsdatum",
};
constexpr std::array<const char*, 5> kPositionTitles = {
    "Wert", "Gewinn/Verlust", "Gewinn/Verlust", "G/V seit Anfangsdatum", "G/V seit Anfangsdatum"};

// A share in percent that is 0 when the base is not positive.
double Percent(double part, double base) { return base > 0 ? part / base * 100 : 0.0; }

}  // namespace

void OrderChartRange(CQRNDatum& start, CQRNDatum& end) {
    if (end.DayNumber() == 0) end = CQRNDatum(1);
    if (!(start < end)) start = CQRNDatum(end.DayNumber() - 1);
}

int32_t ChartSecurityFor(const CFolari2Doc& doc, int32_t securityId) {
    const CFL2Wertpapier* s = doc.FindSecurity(securityId);
    if (s != nullptr && s->noChart == 0) return s->id;
    for (const CFL2Wertpapier& candidate : doc.securities)
        if (candidate.noChart == 0) return candidate.id;
    return -1;
}

std::unique_ptr<SecurityChart> BuildSecurityChart(const CFolari2Doc& doc, int32_t securityId,
                                                  CQRNDatum start, CQRNDatum end,
                                                  int splitHandling) {
    OrderChartRange(start, end);
    const ChartOptions& o = doc.options.chart;
    if (splitHandling < kSplitsNotAdjusted || splitHandling > kSplitsAsStored)
        splitHandling = std::clamp(o.splitHandling, 0, 3);
    auto chart = std::make_unique<SecurityChart>();
    const CFL2Wertpapier* s = doc.FindSecurity(securityId);
    std::string title = kNoSecurityTitle;
    std::string subtitle;
    if (s != nullptr) {
        title = ReplacePlaceholder(o.title, "<BEZEICHNUNG>", s->name);
        title = ReplacePlaceholder(std::move(title), "<WKN>", s->wkn);
        title = ReplacePlaceholder(std::move(title), "<KUERZEL>", s->isin);
        title = ReplacePlaceholder(std::move(title), "<ISIN>", s->isin);
        title = ReplacePlaceholder(std::move(title), "<STARTDATUM>", start.FormatLong());
        title = ReplacePlaceholder(std::move(title), "<ENDDATUM>", end.FormatLong());
        subtitle = CurrencySymbol(doc, s->quoteCurrencyId);
    }
    chart->Setup(title, subtitle, start, end, PlotLookOf(doc.options), o.lineWidth,
                 static_cast<Colour>(o.lineColour));
    for (int i = 0; i < 3; ++i) {
        const MovingAverageOptions& a = o.averages[static_cast<size_t>(i)];
        if (a.enabled) chart->SetAverage(i, a.period, static_cast<Colour>(a.colour), a.width);
    }
    chart->SetMarkerStyle(o.markerWidth, static_cast<Colour>(o.buyColour),
                          static_cast<Colour>(o.sellColour));
    if (s == nullptr) return chart;

    const CQRNDatum view = SplitViewingDate(splitHandling, end);
    for (const CFL2Kurs& q : s->quotes.Items())
        chart->AddPoint(q.date, splitHandling == kSplitsAsStored
                                    ? q.value
                                    : s->SplitAdjust(q.value, q.date, view));
    if (o.markers) AddMarkers(doc, *s, *chart, splitHandling, end);
    return chart;
}

std::string DevelopmentMeasureTitle(int type) {
    return type >= 0 && type < 15 ? kDevelopmentTitles[static_cast<size_t>(type)] : "";
}
bool DevelopmentMeasureIsPercent(int type) {
    return type == 3 || type == 5 || type == 7 || type == 11 || type == 13;
}
std::string PositionMeasureTitle(int type) {
    return type >= 0 && type < 5 ? kPositionTitles[static_cast<size_t>(type)] : "";
}
bool PositionMeasureIsPercent(int type) { return type == 2 || type == 4; }

std::unique_ptr<Diagram> BuildDevelopmentDiagram(const CFolari2Doc& doc, CQRNDatum start,
                                                 CQRNDatum end, int type) {
    OrderChartRange(start, end);
    const DiagramOptions& o = doc.options.diagrams;
    const bool percent = DevelopmentMeasureIsPercent(type);
    auto diagram = std::make_unique<Diagram>();
    diagram->Setup(DiagramTitle(doc, o.developmentTitle, DevelopmentMeasureTitle(type), start, end),
                   percent ? "%" : CurrencySymbol(doc, o.currencyId), start, end,
                   PlotLookOf(doc.options), o.developmentLineWidth,
                   static_cast<Colour>(o.developmentLineColour), percent ? 3 : 2);
    if (type < 0 || type > 14) return diagram;

    const bool needsDepot = type <= 5 || type == 7 || type == 8 || type >= 10;
    const bool needsAccount = type >= 6;
    ValueSeriesResult depot;
    if (needsDepot) depot = ValueSeries(doc, start, end, o.currencyId, o.includeCommissions != 0);
    BalanceSeriesResult account;
    if (needsAccount) {
        const bool correct = type <= 7 ? o.correctAccount != 0 : o.correctAssets != 0;
        account =
            BalanceSeries(doc, start, end, o.currencyId, correct, o.correctionRelativeToEnd != 0);
    }
    const auto at = [](const std::vector<Amount>& series, size_t i) {
        return i < series.size() ? series[i] : 0.0;
    };
    const size_t days = diagram->Values().size();
    const double v0 = at(depot.values, 0);
    const double k0 = at(account.balance, 0);
    const double p0 = at(account.capital, 0);
    for (size_t i = 0; i < days; ++i) {
        const double v = at(depot.values, i);
        const double inv = at(depot.invested, i);
        const double k = at(account.balance, i);
        const double p = at(account.capital, i);
        double value = 0.0;
        switch (type) {
            case 0:
                value = v;
                break;
            case 1:
                value = inv;
                break;
            case 2:
                value = v - inv;
                break;
            case 3:
                value = inv > 0 ? (v - inv) / inv * 100 : 0.0;
                break;
            case 4:
                value = v - v0;
                break;
            case 5:
                value = Percent(v - v0, v0);
                break;
            case 6:
                value = k;
                break;
            case 7:
                value = v + k > 0 ? k * 100 / (v + k) : 0.0;
                break;
            case 8:
                value = v + k;
                break;
            case 9:
                value = p;
                break;
            case 10:
                value = v + k - p;
                break;
            case 11:
                value = Percent(v + k - p, p);
                break;
            case 12:
                value = v + k - v0 - k0;
                break;
            case 13:
                value = v0 + k0 > 0 ? (v + k - v0 - k0) * 100 / (v0 + k0) : 0.0;
                break;
            default:
                value = v + k - p - (v0 + k0 - p0);
                break;
        }
        diagram->SetValue(CQRNDatum(start.DayNumber() + static_cast<uint32_t>(i)), value);
    }
    return diagram;
}

std::unique_ptr<Diagram> BuildPositionsDiagram(const CFolari2Doc& doc, CQRNDatum start,
                                               CQRNDatum end, int type,
                                               const std::vector<int32_t>& positions) {
    OrderChartRange(start, end);
    const DiagramOptions& o = doc.options.diagrams;
    HoldingsQuery query;
    query.targetCurrency = o.currencyId;
    const PositionList all = ComputeHoldings(doc, query);
    std::vector<const CFL2DepotPos*> chosen;
    std::string names;
    std::vector<int32_t> named;
    for (const CFL2DepotPos& lot : all) {
        if (std::find(positions.begin(), positions.end(), lot.positionNo) == positions.end())
            continue;
        chosen.push_back(&lot);
        if (std::find(named.begin(), named.end(), lot.securityId) != named.end()) continue;
        named.push_back(lot.securityId);
        const CFL2Wertpapier* s = doc.FindSecurity(lot.securityId);
        if (s == nullptr) continue;
        names += (names.empty() ? "" : "+") + s->name;
    }
    if (names.empty()) names = kNoPositionsText;

    const bool percent = PositionMeasureIsPercent(type);
    auto diagram = std::make_unique<Diagram>();
    std::string title = ReplacePlaceholder(o.positionsTitle, "<BEZEICHNUNGEN>", names);
    diagram->Setup(DiagramTitle(doc, std::move(title), PositionMeasureTitle(type), start, end),
                   percent ? "%" : CurrencySymbol(doc, o.currencyId), start, end,
                   PlotLookOf(doc.options), o.positionsLineWidth,
                   static_cast<Colour>(o.positionsLineColour), percent ? 3 : 2);
    if (type < 0 || type > 4) return diagram;

    // The pieces of an open lot are those after every split, so its quotes are seen from
    // after every split.
    const CQRNDatum afterSplits = SplitViewingDate(kSplitsFullyAdjusted, end);
    const bool withCosts = o.includeCommissions != 0;
    double w0 = 0.0;
    double c0 = 0.0;
    const size_t days = diagram->Values().size();
    for (size_t i = 0; i < days; ++i) {
        const CQRNDatum t(start.DayNumber() + static_cast<uint32_t>(i));
        double w = 0.0;
        double c = 0.0;
        for (const CFL2DepotPos* lot : chosen) {
            if (t < lot->entryDate) continue;
            const bool closed = lot->state != PositionState::Open && lot->saleDate <= t;
            // A lot given away in an exchange lives on in the lot received for it: from the
            // exchange on it counts no more.
            if (closed && lot->state == PositionState::ExchangedOut) continue;
            c += withCosts ? lot->purchaseTotal : lot->purchaseValue;
            if (closed) {
                w += withCosts ? lot->saleProceeds : lot->saleValue;
                continue;
            }
            const CFL2Wertpapier* s = doc.FindSecurity(lot->securityId);
            if (s == nullptr) continue;
            // A lot sold before a later split keeps its pieces of that time.
            const CQRNDatum view = lot->state == PositionState::Open ? afterSplits : lot->saleDate;
            double value =
                RoundTo(static_cast<double>(lot->quantity) / kPiece * s->PriceAt(t, view), 2);
            if (s->quoteCurrencyId != o.currencyId)
                value = ConvertAtDate(doc, value, t, s->quoteCurrencyId, o.currencyId, 2);
            w += value;
        }
        if (i == 0) {
            w0 = w;
            c0 = c;
        }
        double value = 0.0;
        switch (type) {
            case 0:
                value = w;
                break;
            case 1:
                value = w - c;
                break;
            case 2:
                value = Percent(w - c, c);
                break;
            case 3:
                value = (w - c) - (w0 - c0);
                break;
            default:
                value = Percent(w - w0, w0);
                break;
        }
        diagram->SetValue(t, value);
    }
    return diagram;
}

}  // namespace pf

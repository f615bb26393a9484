#include "shell/report_option_table.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "engine/form_model.h"
#include "model/document.h"
#include "reports/holdings_report.h"
#include "reports/realized_report.h"
#include "shell/chart_option_pages.h"
#include "shell/list_option_pages.h"

namespace pf {

namespace {

constexpr const char* kTitle = "Optionen";

using K = ReportOptionKind;

// Accessors as plain functions, so that the table stays a constant list.
#define PF_NUMBER(path) [](DocumentOptions& o) -> int32_t* { return &o.path; }
#define PF_TEXT(path) [](DocumentOptions& o) -> std::string* { return &o.path; }

ReportOptionEntry Number(const char* name, int32_t min, int32_t max,
                         int32_t* (*number)(DocumentOptions&)) {
    return {name, K::Number, min, max, number};
}
ReportOptionEntry Switch(const char* name, int32_t* (*number)(DocumentOptions&)) {
    return {name, K::Switch, 0, 1, number};
}
ReportOptionEntry Text(const char* name, std::string* (*text)(DocumentOptions&)) {
    return {name, K::Text, 0, 0, nullptr, text};
}
ReportOptionEntry Currency(const char* name, int32_t* (*number)(DocumentOptions&)) {
    return {name, K::Currency, 0, 0, number};
}
ReportOptionEntry Mask(const char* name, int32_t* (*number)(DocumentOptions&)) {
    return {name, K::Mask, 0, 0, number};
}
ReportOptionEntry Colour(const char* name, int32_t* (*number)(DocumentOptions&)) {
    return {name, K::Colour, 0, 0, number};
}
ReportOptionEntry Width(const char* name, int32_t* (*number)(DocumentOptions&)) {
    return Number(name, kLineWidthRange.min, kLineWidthRange.max, number);
}

// Ranges of the spin and choice fields: font heights and distances in 0.1 mm.
constexpr int32_t kMaxHeight = 500;
constexpr int32_t kMaxDistance = 1000;

std::vector<ReportOptionEntry> MakeEntries() {
    return {
        // "TABELLEN >"
        Number("tables.screen-style", 0, 3, PF_NUMBER(tables.screenStyle)),
        Number("tables.print-style", 0, 3, PF_NUMBER(tables.printStyle)),
        Text("tables.face", PF_TEXT(tables.face)),
        Number("tables.outer-margin", 0, kMaxDistance, PF_NUMBER(tables.outerMargin)),
        Number("tables.column-gap", 0, kMaxDistance, PF_NUMBER(tables.columnGap)),
        Number("tables.column-margin", 0, kMaxDistance, PF_NUMBER(tables.columnMargin)),
        Number("tables.title-font", 1, kMaxHeight, PF_NUMBER(tables.titleFontHeight)),
        Number("tables.column-title-font", 1, kMaxHeight, PF_NUMBER(tables.columnTitleFontHeight)),
        Number("tables.row-font", 1, kMaxHeight, PF_NUMBER(tables.rowFontHeight)),
        Switch("tables.repeat-title", PF_NUMBER(tables.repeatTitle)),
        Switch("tables.repeat-column-titles", PF_NUMBER(tables.repeatColumnTitles)),
        Number("tables.margin-left", 0, kMaxDistance, PF_NUMBER(tables.marginLeft)),
        Number("tables.margin-right", 0, kMaxDistance, PF_NUMBER(tables.marginRight)),
        Number("tables.margin-top", 0, kMaxDistance, PF_NUMBER(tables.marginTop)),
        Number("tables.margin-bottom", 0, kMaxDistance, PF_NUMBER(tables.marginBottom)),
        Number("tables.percent-decimals", 0, 7, PF_NUMBER(tables.percentDecimals)),
        Number("tables.max-price-decimals", 2, 7, PF_NUMBER(tables.maxPriceDecimals)),
        Switch("tables.colour-with-dividends", PF_NUMBER(tables.colourWithDividends)),
        // "Depotbestand"
        Mask("holdings.columns", PF_NUMBER(holdings.columnMask)),
        Text("holdings.title", PF_TEXT(holdings.title)),
        Number("holdings.sort", -1, kHoldingsSortKeyCount - 1, PF_NUMBER(holdings.sortKey)),
        Switch("holdings.descending", PF_NUMBER(holdings.sortDescending)),
        Switch("holdings.commissions", PF_NUMBER(holdings.includeCommissions)),
        Switch("holdings.merge", PF_NUMBER(holdings.mergePositions)),
        Switch("holdings.brackets", PF_NUMBER(holdings.bracketOldQuotes)),
        Currency("holdings.currency", PF_NUMBER(holdings.currencyId)),
        Number("holdings.annualisation", 0, 2, PF_NUMBER(holdings.annualisation)),
        Number("holdings.extra-info", 0, 4, PF_NUMBER(holdings.extraInfo)),
        // "HTML-Ansicht konfigurieren"
        Number("html.security-data", 0, 2, PF_NUMBER(htmlPage.securityData)),
        Switch("html.buy-price", PF_NUMBER(htmlPage.buyPriceBesidePieces)),
        Switch("html.target-stop", PF_NUMBER(htmlPage.targetStopColumn)),
        Switch("html.potential-risk", PF_NUMBER(htmlPage.potentialRiskColumn)),
        Switch("html.dividends", PF_NUMBER(htmlPage.dividendColumns)),
        Text("html.font-sizes", PF_TEXT(htmlPage.fontSizes)),
        Switch("html.user-file", PF_NUMBER(htmlPage.userFile)),
        Text("html.file-name", PF_TEXT(htmlPage.userFileName)),
        // "Realisierte G+V"
        Mask("realized.columns", PF_NUMBER(realized.columnMask)),
        Text("realized.title", PF_TEXT(realized.title)),
        Switch("realized.tax-sums", PF_NUMBER(realized.taxSums)),
        Number("realized.sort", -1, kRealizedSortKeyCount - 1, PF_NUMBER(realized.sortKey)),
        Switch("realized.descending", PF_NUMBER(realized.sortDescending)),
        Switch("realized.commissions", PF_NUMBER(realized.includeCommissions)),
        Switch("realized.merge", PF_NUMBER(realized.mergePositions)),
        Currency("realized.currency", PF_NUMBER(realized.currencyId)),
        Number("realized.annualisation", 0, 2, PF_NUMBER(realized.annualisation)),
        Number("realized.extra-info", 0, 4, PF_NUMBER(realized.extraInfo)),
        // "Transaktionen"
        Mask("transactions.columns", PF_NUMBER(transactions.columnMask)),
        Text("transactions.title", PF_TEXT(transactions.title)),
        Number("transactions.sort1", 0, 7, PF_NUMBER(transactions.sortKeys[0])),
        Number("transactions.sort2", 0, 7, PF_NUMBER(transactions.sortKeys[1])),
        Number("transactions.sort3", 0, 7, PF_NUMBER(transactions.sortKeys[2])),
        Switch("transactions.descending", PF_NUMBER(transactions.sortDescending)),
        Currency("transactions.currency", PF_NUMBER(transactions.currencyId)),
        // "Kontobewegungen"
        Mask("movements.columns", PF_NUMBER(movements.columnMask)),
        Text("movements.title", PF_TEXT(movements.title)),
        Switch("movements.end-of-day-balance", PF_NUMBER(movements.endOfDayBalance)),
        Currency("movements.currency", PF_NUMBER(movements.currencyId)),
        // "REPORTE >"
        Text("reports.face", PF_TEXT(reports.face)),
        Number("reports.column-gap", 0, kMaxDistance, PF_NUMBER(reports.columnGap)),
        Number("reports.outer-margin", 0, kMaxDistance, PF_NUMBER(reports.outerMargin)),
        Number("reports.title1-font", 1, kMaxHeight, PF_NUMBER(reports.title1FontHeight)),
        Number("reports.title2-font", 1, kMaxHeight, PF_NUMBER(reports.title2FontHeight)),
        Number("reports.large-font", 1, kMaxHeight, PF_NUMBER(reports.largeFontHeight)),
        Number("reports.small-font", 1, kMaxHeight, PF_NUMBER(reports.smallFontHeight)),
        Number("reports.margin-left", 0, kMaxDistance, PF_NUMBER(reports.marginLeft)),
        Number("reports.margin-right", 0, kMaxDistance, PF_NUMBER(reports.marginRight)),
        Number("reports.margin-top", 0, kMaxDistance, PF_NUMBER(reports.marginTop)),
        Number("reports.margin-bottom", 0, kMaxDistance, PF_NUMBER(reports.marginBottom)),
        // "G/V-Auswertung"
        {"gain-loss.items", K::WideMask, 0, 0, nullptr, nullptr,
         [](DocumentOptions& o) -> uint64_t* { return &o.gainLoss.itemMask; }},
        Text("gain-loss.title1", PF_TEXT(gainLoss.title1)),
        Switch("gain-loss.title1-large", PF_NUMBER(gainLoss.title1Large)),
        Text("gain-loss.title2", PF_TEXT(gainLoss.title2)),
        Switch("gain-loss.title2-large", PF_NUMBER(gainLoss.title2Large)),
        Currency("gain-loss.currency", PF_NUMBER(gainLoss.currencyId)),
        Switch("gain-loss.by-tax-category", PF_NUMBER(gainLoss.groupByTaxCategory)),
        Switch("gain-loss.costs-in-purchase-price", PF_NUMBER(gainLoss.purchaseCostsInPrice)),
        Switch("gain-loss.security-in-texts", PF_NUMBER(gainLoss.securityInTexts)),
        // "Performance/Rendite"
        Text("performance.title1", PF_TEXT(performance.title1)),
        Text("performance.title2", PF_TEXT(performance.title2)),
        Currency("performance.currency", PF_NUMBER(performance.currencyId)),
        Switch("performance.costs-in-capital", PF_NUMBER(performance.purchaseCostsInCapital)),
        Switch("performance.show-periods", PF_NUMBER(performance.showPeriods)),
        Switch("performance.periods-end-at-month-end", PF_NUMBER(performance.periodsEndAtMonthEnd)),
        Text("returns.title1", PF_TEXT(returns.title1)),
        Text("returns.title2", PF_TEXT(returns.title2)),
        Currency("returns.currency", PF_NUMBER(returns.currencyId)),
        Switch("returns.without-taxes", PF_NUMBER(returns.withoutTaxes)),
        Switch("returns.show-payments", PF_NUMBER(returns.showPayments)),
        Switch("returns.payments-in-negative", PF_NUMBER(returns.paymentsInNegative)),
        Number("returns.order", 0, 3, PF_NUMBER(returns.order)),
        // "Wertpapiere"
        Mask("securities.columns", PF_NUMBER(securitiesList.columnMask)),
        Text("securities.title", PF_TEXT(securitiesList.title)),
        Number("securities.sort1", 0, kSecuritiesByRemarks, PF_NUMBER(securitiesList.sortKeys[0])),
        Number("securities.sort2", 0, kSecuritiesByRemarks, PF_NUMBER(securitiesList.sortKeys[1])),
        Number("securities.sort3", 0, kSecuritiesByRemarks, PF_NUMBER(securitiesList.sortKeys[2])),
        Switch("securities.descending", PF_NUMBER(securitiesList.sortDescending)),
        Switch("securities.last-price", PF_NUMBER(securitiesList.useLastPrice)),
        Switch("securities.only-in-depot", PF_NUMBER(securitiesList.onlyInDepot)),
        // "LISTEN >"
        Number("lists.screen-style", 0, 3, PF_NUMBER(lists.screenStyle)),
        Number("lists.print-style", 0, 3, PF_NUMBER(lists.printStyle)),
        Text("lists.face", PF_TEXT(lists.face)),
        Number("lists.outer-margin", 0, kMaxDistance, PF_NUMBER(lists.outerMargin)),
        Number("lists.normal-font", 1, kMaxHeight, PF_NUMBER(lists.normalFontHeight)),
        Number("lists.column-title-font", 1, kMaxHeight, PF_NUMBER(lists.columnTitleFontHeight)),
        Number("lists.vertical-font", 1, kMaxHeight, PF_NUMBER(lists.verticalFontHeight)),
        Switch("lists.date-column-every-page", PF_NUMBER(lists.dateColumnEveryPage)),
        Switch("lists.repeat-column-titles", PF_NUMBER(lists.repeatColumnTitles)),
        Number("lists.margin-left", 0, kMaxDistance, PF_NUMBER(lists.marginLeft)),
        Number("lists.margin-right", 0, kMaxDistance, PF_NUMBER(lists.marginRight)),
        Number("lists.margin-top", 0, kMaxDistance, PF_NUMBER(lists.marginTop)),
        Number("lists.margin-bottom", 0, kMaxDistance, PF_NUMBER(lists.marginBottom)),
        Number("lists.price-decimals", 2, 7, PF_NUMBER(lists.priceDecimals)),
        Number("lists.percent-decimals", 0, 7, PF_NUMBER(lists.percentDecimals)),
        Switch("lists.repeat-vertical-texts", PF_NUMBER(lists.repeatVerticalTexts)),
        Number("lists.vertical-text-distance", kVerticalTextDistanceRange.min,
               kVerticalTextDistanceRange.max, PF_NUMBER(lists.verticalTextDistance)),
        // "Depotentwicklung"
        Mask("development.items", PF_NUMBER(development.itemMask)),
        Text("development.text", PF_TEXT(development.positionText)),
        Currency("development.depot-currency", PF_NUMBER(development.depotCurrencyId)),
        Currency("development.account-currency", PF_NUMBER(development.accountCurrencyId)),
        Currency("development.assets-currency", PF_NUMBER(development.assetsCurrencyId)),
        Number("development.sort", 0, 2, PF_NUMBER(development.sortKey)),
        Switch("development.column-per-lot", PF_NUMBER(development.columnPerLot)),
        Switch("development.equal-widths", PF_NUMBER(development.equalWidths)),
        Switch("development.commissions", PF_NUMBER(development.includeCommissions)),
        Switch("development.correct-account", PF_NUMBER(development.correctAccount)),
        Switch("development.correct-assets", PF_NUMBER(development.correctAssets)),
        Switch("development.correction-relative-to-end",
               PF_NUMBER(development.correctionRelativeToEnd)),
        // "Kurse" (the ticks of "folgende Wertpapiere" are kept in the securities)
        Number("quotes.filter", 0, 2, PF_NUMBER(quotes.filter)),
        Text("quotes.text", PF_TEXT(quotes.titleTemplate)),
        Number("quotes.sort", 0, 2, PF_NUMBER(quotes.sortKey)),
        Switch("quotes.equal-widths", PF_NUMBER(quotes.equalWidths)),
        Number("quotes.split-handling", 0, 3, PF_NUMBER(quotes.splitHandling)),
        // "DEPOTANALYSE/-VERTEILUNG"
        Text("analysis.face", PF_TEXT(analysis.face)),
        Number("analysis.font", 1, kMaxHeight, PF_NUMBER(analysis.fontHeight)),
        Number("analysis.outer-margin", 0, kMaxDistance, PF_NUMBER(analysis.outerMargin)),
        Number("analysis.text-spacing", 0, kMaxDistance, PF_NUMBER(analysis.textSpacing)),
        Number("analysis.column-width", kAnalysisColumnWidthRange.min,
               kAnalysisColumnWidthRange.max, PF_NUMBER(analysis.columnWidth)),
        Number("analysis.first-column-width", kAnalysisColumnWidthRange.min,
               kAnalysisColumnWidthRange.max, PF_NUMBER(analysis.firstColumnWidth)),
        Number("analysis.margin-left", 0, kMaxDistance, PF_NUMBER(analysis.marginLeft)),
        Number("analysis.margin-right", 0, kMaxDistance, PF_NUMBER(analysis.marginRight)),
        Number("analysis.margin-top", 0, kMaxDistance, PF_NUMBER(analysis.marginTop)),
        Number("analysis.margin-bottom", 0, kMaxDistance, PF_NUMBER(analysis.marginBottom)),
        Number("analysis.sort", -1, kHoldingsSortKeyCount - 1, PF_NUMBER(analysis.sortKey)),
        Switch("analysis.descending", PF_NUMBER(analysis.sortDescending)),
        Switch("analysis.commissions", PF_NUMBER(analysis.includeCommissions)),
        Switch("analysis.dividends", PF_NUMBER(analysis.includeDividends)),
        Switch("analysis.merge", PF_NUMBER(analysis.mergePositions)),
        Number("analysis.price-decimals", 2, 7, PF_NUMBER(analysis.priceDecimals)),
        Number("analysis.percent-decimals", 0, 7, PF_NUMBER(analysis.percentDecimals)),
        Currency("analysis.currency", PF_NUMBER(analysis.currencyId)),
        Switch("analysis.stop-target", PF_NUMBER(analysis.stopTarget)),
        // "DIAGRAMME >"
        Text("diagrams-look.face", PF_TEXT(diagramsAppearance.face)),
        Number("diagrams-look.width", kDiagramSizeRange.min, kDiagramSizeRange.max,
               PF_NUMBER(diagramsAppearance.width)),
        Number("diagrams-look.height", kDiagramSizeRange.min, kDiagramSizeRange.max,
               PF_NUMBER(diagramsAppearance.height)),
        Number("diagrams-look.border", 0, kMaxDistance, PF_NUMBER(diagramsAppearance.border)),
        Number("diagrams-look.inner-margin", 0, kMaxDistance,
               PF_NUMBER(diagramsAppearance.innerMargin)),
        Number("diagrams-look.label-font", kDiagramFontHeightRange.min, kDiagramFontHeightRange.max,
               PF_NUMBER(diagramsAppearance.labelFontHeight)),
        Number("diagrams-look.title-font", kDiagramFontHeightRange.min, kDiagramFontHeightRange.max,
               PF_NUMBER(diagramsAppearance.titleFontHeight)),
        // "Depotentw./Wertp."
        Text("diagrams.development-title", PF_TEXT(diagrams.developmentTitle)),
        Width("diagrams.development-line-width", PF_NUMBER(diagrams.developmentLineWidth)),
        Colour("diagrams.development-line-colour", PF_NUMBER(diagrams.developmentLineColour)),
        Text("diagrams.positions-title", PF_TEXT(diagrams.positionsTitle)),
        Width("diagrams.positions-line-width", PF_NUMBER(diagrams.positionsLineWidth)),
        Colour("diagrams.positions-line-colour", PF_NUMBER(diagrams.positionsLineColour)),
        Currency("diagrams.currency", PF_NUMBER(diagrams.currencyId)),
        Switch("diagrams.commissions", PF_NUMBER(diagrams.includeCommissions)),
        Switch("diagrams.correct-account", PF_NUMBER(diagrams.correctAccount)),
        Switch("diagrams.correct-assets", PF_NUMBER(diagrams.correctAssets)),
        Switch("diagrams.correction-relative-to-end", PF_NUMBER(diagrams.correctionRelativeToEnd)),
        // "Charts"
        Text("chart.title", PF_TEXT(chart.title)),
        Width("chart.line-width", PF_NUMBER(chart.lineWidth)),
        Colour("chart.line-colour", PF_NUMBER(chart.lineColour)),
        Switch("chart.average1", PF_NUMBER(chart.averages[0].enabled)),
        Number("chart.average1.period", kAveragePeriodRange.min, kAveragePeriodRange.max,
               PF_NUMBER(chart.averages[0].period)),
        Width("chart.average1.width", PF_NUMBER(chart.averages[0].width)),
        Colour("chart.average1.colour", PF_NUMBER(chart.averages[0].colour)),
        Switch("chart.average2", PF_NUMBER(chart.averages[1].enabled)),
        Number("chart.average2.period", kAveragePeriodRange.min, kAveragePeriodRange.max,
               PF_NUMBER(chart.averages[1].period)),
        Width("chart.average2.width", PF_NUMBER(chart.averages[1].width)),
        Colour("chart.average2.colour", PF_NUMBER(chart.averages[1].colour)),
        Switch("chart.average3", PF_NUMBER(chart.averages[2].enabled)),
        Number("chart.average3.period", kAveragePeriodRange.min, kAveragePeriodRange.max,
               PF_NUMBER(chart.averages[2].period)),
        Width("chart.average3.width", PF_NUMBER(chart.averages[2].width)),
        Colour("chart.average3.colour", PF_NUMBER(chart.averages[2].colour)),
        Switch("chart.markers", PF_NUMBER(chart.markers)),
        Width("chart.marker-width", PF_NUMBER(chart.markerWidth)),
        Colour("chart.buy-colour", PF_NUMBER(chart.buyColour)),
        Colour("chart.sell-colour", PF_NUMBER(chart.sellColour)),
        Number("chart.split-handling", 0, 3, PF_NUMBER(chart.splitHandling)),
    };
}

#undef PF_NUMBER
#undef PF_TEXT

Message Refusal(const std::string& text) { return Message::Refusal(kTitle, text, ""); }

// "#RRGGBB" of a stored colour 0x02BBGGRR; the palette flag is not shown.
std::string ColourText(int32_t stored) {
    const auto v = static_cast<uint32_t>(stored);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", v & 0xFFu, v >> 8 & 0xFFu,
                  v >> 16 & 0xFFu);
    return buffer;
}

// The stored colour of "#RRGGBB" (hex digits in either case), with the palette flag; nothing
// for any other text.
std::optional<int32_t> ParseColour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    uint32_t rgb = 0;
    const char* first = text.data() + 1;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, rgb, 16);
    if (error != std::errc() || end != last) return std::nullopt;
    return StoredColour(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                        static_cast<int>(rgb & 0xFF));
}

std::string Hex(uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(value));
    return buffer;
}

// An integer of the whole text, decimal or with "0x" hexadecimal.
template <class T>
bool ParseWhole(const std::string& text, T& out) {
    int base = 10;
    size_t start = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    }
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, out, base);
    return first != last && error == std::errc() && end == last;
}

}  // namespace

const std::vector<ReportOptionEntry>& ReportOptionEntries() {
    static const std::vector<ReportOptionEntry> entries = MakeEntries();
    return entries;
}

std::string ReportOptionValue(const CFolari2Doc& doc, const ReportOptionEntry& entry) {
    // The accessors are shared with the setter; reading through them changes nothing.
    auto& options = const_cast<DocumentOptions&>(doc.options);
    switch (entry.kind) {
        case K::Text:
            return *entry.text(options);
        case K::WideMask:
            return Hex(*entry.wide(options));
        case K::Mask:
            return Hex(static_cast<uint32_t>(*entry.number(options)));
        case K::Colour:
            return ColourText(*entry.number(options));
        case K::Currency: {
            const CFL2Waehrung* c = doc.FindCurrency(*entry.number(options));
            return c != nullptr ? c->symbol : std::to_string(*entry.number(options));
        }
        case K::Number:
        case K::Switch:
            break;
    }
    return std::to_string(*entry.number(options));
}

MaybeMessage SetReportOption(CFolari2Doc& doc, const std::string& name, const std::string& value) {
    const ReportOptionEntry* entry = nullptr;
    for (const ReportOptionEntry& e : ReportOptionEntries())
        if (name == e.name) entry = &e;
    if (entry == nullptr) return Refusal("Eine Option „" + name + "“ gibt es nicht.");

    switch (entry->kind) {
        case K::Text: {
            if (MaybeMessage m = CheckStorableText(value, name, kTitle, "")) return m;
            doc.Edit([&](CFolari2Doc& d) { *entry->text(d.options) = value; });
            return std::nullopt;
        }
        case K::WideMask: {
            uint64_t mask = 0;
            if (!ParseWhole(value, mask))
                return Refusal("Der Wert von „" + name + "“ muss eine Zahl sein.");
            doc.Edit([&](CFolari2Doc& d) { *entry->wide(d.options) = mask; });
            return std::nullopt;
        }
        case K::Mask: {
            uint32_t mask = 0;
            if (!ParseWhole(value, mask))
                return Refusal("Der Wert von „" + name + "“ muss eine Zahl sein.");
            doc.Edit(
                [&](CFolari2Doc& d) { *entry->number(d.options) = static_cast<int32_t>(mask); });
            return std::nullopt;
        }
        case K::Currency: {
            const CFL2Waehrung* c = doc.FindCurrencyBySymbol(value);
            if (c == nullptr)
                return Refusal("Eine Währung mit dem Symbol „" + value +
                               "“ gibt es in dieser Datei nicht.");
            const int32_t id = c->id;
            doc.Edit([&](CFolari2Doc& d) { *entry->number(d.options) = id; });
            return std::nullopt;
        }
        case K::Colour: {
            const std::optional<int32_t> colour = ParseColour(value);
            if (!colour)
                return Refusal("Der Wert von „" + name +
                               "“ muss eine Farbe der Form #RRGGBB sein (z. B. #FF8000).");
            doc.Edit([&](CFolari2Doc& d) { *entry->number(d.options) = *colour; });
            return std::nullopt;
        }
        case K::Number:
        case K::Switch:
            break;
    }
    int32_t number = 0;
    if (!ParseWhole(value, number) || number < entry->min || number > entry->max)
        return Refusal("Der Wert von „" + name + "“ muss eine ganze Zahl von " +
                       std::to_string(entry->min) + " bis " + std::to_string(entry->max) +
                       " sein.");
    doc.Edit([&](CFolari2Doc& d) { *entry->number(d.options) = number; });
    return std::nullopt;
}

}  // namespace pf

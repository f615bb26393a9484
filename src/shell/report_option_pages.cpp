#include "shell/report_option_pages.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/form_model.h"
#include "model/document.h"
#include "reports/holdings_report.h"
#include "reports/realized_report.h"
#include "shell/chart_option_pages.h"
#include "shell/list_option_pages.h"

namespace pf {

namespace {

MaybeMessage CheckText(const std::string& text, const char* caption, const char* field) {
    return CheckStorableText(text, caption, kOptionsTitle, field);
}

std::vector<ColumnItem> Table(std::initializer_list<std::pair<int, const char*>> entries) {
    std::vector<ColumnItem> items;
    for (const auto& [bit, text] : entries) items.push_back({text, bit, false});
    return items;
}

std::vector<ChoiceItem> NumberedChoices(const std::vector<std::string>& texts) {
    std::vector<ChoiceItem> items;
    for (size_t i = 0; i < texts.size(); ++i) items.push_back({texts[i], static_cast<int32_t>(i)});
    return items;
}

// Byte offset of the `n`-th character of UTF-8 `text` (its size when there are fewer).
size_t ByteOffset(const std::string& text, size_t n) {
    size_t offset = 0;
    for (size_t chars = 0; offset < text.size() && chars < n; ++chars) {
        ++offset;
        while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80)
            ++offset;
    }
    return offset;
}

size_t CharacterCount(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

MaybeMessage CheckRange(int32_t value, FieldRange range, const char* caption, const char* field) {
    if (value >= range.min && value <= range.max) return std::nullopt;
    return Message::Refusal(kOptionsTitle,
                            std::string("Bitte geben Sie für „") + caption +
                                "“ eine ganze Zahl von " + std::to_string(range.min) + " bis " +
                                std::to_string(range.max) + " ein!",
                            field);
}

MaybeMessage FirstOf(std::initializer_list<MaybeMessage> checks) {
    for (const MaybeMessage& m : checks)
        if (m) return m;
    return std::nullopt;
}

int IndexOfValue(const std::vector<ChoiceItem>& items, int32_t value) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].value == value) return static_cast<int>(i);
    return -1;
}

std::vector<ColumnItem> ColumnItemsOf(const std::vector<ColumnItem>& table, uint64_t mask) {
    std::vector<ColumnItem> items = table;
    for (ColumnItem& item : items) item.checked = (mask >> item.bit & 1u) != 0;
    return items;
}

uint64_t MaskOf(const std::vector<ColumnItem>& items) {
    uint64_t mask = 0;
    for (const ColumnItem& item : items)
        if (item.checked) mask |= uint64_t{1} << item.bit;
    return mask;
}

std::vector<ColumnItem> HoldingsColumnTable(const DocumentOptions& options) {
    std::vector<ColumnItem> items = Table({
        {0, "Bezeichnung"},
        {1, "WKN"},
        {2, ""},
        {3, "Typ"},
        {4, "Zusatzinfo Branche/Land/Index"},
        {5, "Stück"},
        {6, "Kaufdatum"},
        {7, "Tage im Depot"},
        {8, "Steuerpflicht"},
        {10, "Kaufkurs (eigene Währung)"},
        {11, "Währung f. Kaufkurs"},
        {13, "Kaufkurs"},
        {14, "Kaufwert"},
        {15, "Provision, Courtage, Spesen"},
        {16, "Kaufpreis"},
        {18, "aktueller Kurs (eigene Währung)"},
        {19, "Währung f. akt. Kurs"},
        {21, "aktueller Kurs"},
        {22, "Wert"},
        {23, "Gewinn/Verlust"},
        {25, "Gewinn/Verlust in %"},
        {26, "Gewinn/Verlust pro Jahr in %"},
        {27, "Dividenden u. a. Erträge"},
        {28, "Dividenden u. a. Erträge in %"},
        {29, "Gewinn/Verlust inkl. Div."},
        {30, "Gewinn/Verlust inkl. Div. in %"},
        {31, "G/V inkl. Div. pro Jahr in %"},
    });
    items[2].text = options.isinLabel;
    return items;
}

std::vector<ColumnItem> RealizedColumnTable(const DocumentOptions& options) {
    std::vector<ColumnItem> items = Table({
        {0, "Bezeichnung"},
        {1, "WKN"},
        {2, ""},
        {3, "Typ"},
        {4, "Zusatzinfo Branche/Land/Index"},
        {5, "Stück"},
        {6, "Kaufdatum"},
        {7, "Verkaufdatum"},
        {8, "Tage im Depot"},
        {9, "Steuerpflicht"},
        {10, "Kaufkurs (eigene Währung)"},
        {11, "Währung f. Kaufkurs"},
        {13, "Kaufkurs"},
        {14, "Kaufwert"},
        {15, "Provision, Court., Sp. bei Kauf"},
        {16, "Kaufpreis"},
        {17, "Verkaufkurs (eigene Währung)"},
        {18, "Währung f. Verkaufkurs"},
        {19, "Verkaufkurs"},
        {20, "Verkaufwert"},
        {21, "Provision, Court., Sp. bei Verkauf"},
        {22, "Verkauferlös"},
        {23, "Gewinn/Verlust"},
        {25, "Gewinn/Verlust in %"},
        {26, "Gewinn/Verlust pro Jahr in %"},
        {27, "Dividenden u. a. Erträge"},
        {28, "Dividenden u. a. Erträge in %"},
        {29, "Gewinn/Verlust inkl. Div."},
        {30, "Gewinn/Verlust inkl. Div. in %"},
        {31, "G/V inkl. Div. pro Jahr in %"},
    });
    items[2].text = options.isinLabel;
    return items;
}

std::vector<ColumnItem> TransactionColumnTable() {
    return Table({
        {2, "Datum"},
        {5, "Transaktion"},
        {8, "Vorgang oder Wertpapier"},
        {11, "Stück"},
        {14, "Kurs (eigene Währung)"},
        {15, "Währung f. Kurs"},
        {17, "Kurs"},
        {19, "Vorg. o. Wertpap. m. St./Kurs"},
        {20, "Text"},
        {23, "Betrag (eigene Währung)"},
        {24, "Währung f. Betrag"},
        {26, "Betrag"},
    });
}

std::vector<ColumnItem> MovementColumnTable() {
    return Table({
        {2, "Datum"},
        {5, "Vorgang"},
        {8, "Wertpapier"},
        {11, "Text"},
        {14, "Betrag (eigene Währung)"},
        {15, "Währung f. Betrag"},
        {17, "Betrag auf Konto"},
        {18, "Kontowährung"},
        {21, "Betrag"},
        {24, "Kontostand (Kontowährung)"},
        {25, "Kontowährung"},
        {27, "Kontostand"},
    });
}

std::vector<ColumnItem> GainLossItemTable() {
    return Table({
        {0, "Realisierte Gewinne u. Verluste"},
        {3, "  + Spaltentitel"},
        {4, "  + Wertpapierpositionen"},
        {5, "  + Kauf-/Verkaufwert"},
        {6, "Kosten"},
        {7, "  ... Transaktionskosten"},
        {8, "  ... Limit-Gebühren"},
        {9, "  ... Werbungskosten"},
        {10, "  ... Depotgebühren"},
        {11, "  ... Sonstige Kosten"},
        {12, "  + Spaltentitel"},
        {13, "  + Einzelaufstellung"},
        {14, "ZWISCHENSUMME"},
        {15, "Erträge"},
        {16, "  ... Dividenden-Gutschrift"},
        {17, "  ... Coupon-Gutschrift"},
        {18, "  ... Bezugsrechtsverkauf"},
        {19, "  ... Ausschüttung"},
        {20, "  ... Sonstige Erträge"},
        {21, "  + Spaltentitel"},
        {22, "  + Einzelaufstellung"},
        {23, "ZWISCHENSUMME"},
        {24, "Zinsen"},
        {25, "  ... Zinserträge"},
        {26, "  ... Zinskosten"},
        {27, "  + Spaltentitel"},
        {28, "  + Einzelaufstellung"},
        {29, "ZWISCHENSUMME"},
        {30, "Steuern"},
        {32, "  + Spaltentitel"},
        {33, "  + Einzelaufstellung"},
        {34, "ENDSUMME"},
    });
}

std::vector<ChoiceItem> CurrencyChoices(const CFolari2Doc& doc) {
    std::vector<ChoiceItem> items;
    for (const CFL2Waehrung& c : doc.currencies) items.push_back({c.name, c.id});
    return items;
}

PlaceholderInsertion InsertPlaceholder(const std::string& text, size_t from, size_t length,
                                       const std::string& placeholder) {
    const size_t begin = ByteOffset(text, from);
    const size_t end = ByteOffset(text, from > SIZE_MAX - length ? SIZE_MAX : from + length);
    PlaceholderInsertion result;
    result.text = text.substr(0, begin) + placeholder + text.substr(end);
    result.cursor = CharacterCount(text.substr(0, begin)) + CharacterCount(placeholder);
    return result;
}

const std::vector<std::string>& HoldingsTitlePlaceholders() {
    static const std::vector<std::string> list = {"<DATUM>", "<DEPOTNUMMER>", "<INHABER>"};
    return list;
}
const std::vector<std::string>& RealizedTitlePlaceholders() {
    static const std::vector<std::string> list = {"<STARTDATUM>", "<ENDDATUM>", "<DEPOTNUMMER>",
                                                  "<INHABER>"};
    return list;
}
const std::vector<std::string>& TransactionTitlePlaceholders() {
    static const std::vector<std::string> list = {"<STARTDATUM>", "<ENDDATUM>", "<DEPOTNUMMER>",
                                                  "<KONTONUMMER>", "<INHABER>"};
    return list;
}
const std::vector<std::string>& StatementTitlePlaceholders() {
    static const std::vector<std::string> list = {"<STARTDATUM>",   "<ENDDATUM>",
                                                  "<DEPOTNUMMER>",  "<KONTONUMMER>",
                                                  "<BANKLEITZAHL>", "<INHABER>"};
    return list;
}

const std::vector<ChoiceItem>& DisplayStyleChoices() {
    static const std::vector<ChoiceItem> list = {
        {"nur Text", 0}, {"Gitternetzlinien", 1}, {"Graustufen", 2}, {"Farbe", 3}};
    return list;
}
const std::vector<ChoiceItem>& PositionColouringChoices() {
    static const std::vector<ChoiceItem> list = {{"G/V ohne Dividende", 0},
                                                 {"G/V mit Dividende", 1}};
    return list;
}
const std::vector<ChoiceItem>& AnnualisationChoices() {
    static const std::vector<ChoiceItem> list = {
        {"linear", kLinear}, {"exponentiell", kExponential}, {"stetig", kContinuous}};
    return list;
}
std::vector<ChoiceItem> ExtraInfoChoices(const DocumentOptions& options) {
    return {{"Branche", kSector},
            {"Land", kCountry},
            {"Index/Markts.", kIndex},
            {options.ownCategoryCaption1, kOwnCategory1},
            {options.ownCategoryCaption2, kOwnCategory2}};
}
const std::vector<ChoiceItem>& TaxSumChoices() {
    static const std::vector<ChoiceItem> list = {{"ohne", 0}, {"zusätzliche Summen", 1}};
    return list;
}
std::vector<ChoiceItem> HoldingsSortChoices(const CFolari2Doc& doc) {
    return NumberedChoices(HoldingsSortKeyTexts(doc));
}
std::vector<ChoiceItem> RealizedSortChoices(const CFolari2Doc& doc) {
    return NumberedChoices(RealizedSortKeyTexts(doc));
}
const std::vector<ChoiceItem>& TransactionSortChoices() {
    static const std::vector<ChoiceItem> list = {
        {"(keine Sortierung)", kTransactionsUnsorted},
        {"Datum", kTransactionsByDate},
        {"Reihenfolge der Ausführung", kTransactionsByExecution},
        {"Reihenfolge der Eingabe", kTransactionsByEntry},
        {"Transaktionstyp", kTransactionsByType},
        {"Vorgang oder Wertpapier", kTransactionsByDescription},
        {"Text", kTransactionsByText},
        {"Betrag", kTransactionsByAmount},
    };
    return list;
}
const std::vector<ChoiceItem>& ReturnsOrderChoices() {
    static const std::vector<ChoiceItem> list = {
        {"Bezeichnung", kReturnsByName},
        {"WKN", kReturnsByWkn},
        {"Rendite (aufsteigend)", kReturnsByRateAscending},
        {"Rendite (absteigend)", kReturnsByRateDescending}};
    return list;
}

// --- "TABELLEN >" ---

TablesOptionsPage TablesOptionsPage::FromDocument(const CFolari2Doc& doc) {
    TablesOptionsPage page;
    page.values = doc.options.tables;
    return page;
}

MaybeMessage TablesOptionsPage::Check() const {
    const TableAppearance& v = values;
    return FirstOf({
        CheckText(v.face, "Schriftart", kFaceField),
        CheckRange(v.outerMargin, kDistanceRange, "Feldabstand", "outerMargin"),
        CheckRange(v.columnGap, kDistanceRange, "Spaltenabstand", "columnGap"),
        CheckRange(v.columnMargin, kDistanceRange, "Spaltenrand", "columnMargin"),
        CheckRange(v.titleFontHeight, kFontHeightRange, "Überschrift", "titleFontHeight"),
        CheckRange(v.columnTitleFontHeight, kFontHeightRange, "Spaltentitel",
                   "columnTitleFontHeight"),
        CheckRange(v.rowFontHeight, kFontHeightRange, "Tabellenzeile", "rowFontHeight"),
        CheckRange(v.marginLeft, kDistanceRange, "Links", "marginLeft"),
        CheckRange(v.marginRight, kDistanceRange, "Rechts", "marginRight"),
        CheckRange(v.marginTop, kDistanceRange, "Oben", "marginTop"),
        CheckRange(v.marginBottom, kDistanceRange, "Unten", "marginBottom"),
        CheckRange(v.percentDecimals, kPercentDecimalsRange, "Dezimalstellen für Prozentwerte",
                   "percentDecimals"),
        CheckRange(v.maxPriceDecimals, kPriceDecimalsRange, "max. Dezimalstellen für Kurse",
                   "maxPriceDecimals"),
    });
}

void TablesOptionsPage::ApplyTo(CFolari2Doc& doc) const { doc.options.tables = values; }

// --- "Depotbestand" ---

HoldingsOptionsPage HoldingsOptionsPage::FromDocument(const CFolari2Doc& doc) {
    HoldingsOptionsPage page;
    page.values = doc.options.holdings;
    page.columns = ColumnItemsOf(HoldingsColumnTable(doc.options),
                                 static_cast<uint32_t>(page.values.columnMask));
    page.sortKeys = HoldingsSortChoices(doc);
    page.currencies = CurrencyChoices(doc);
    page.extraInfos = ExtraInfoChoices(doc.options);
    page.placeholders = HoldingsTitlePlaceholders();
    page.html = HtmlConfigForm::FromDocument(doc);
    return page;
}

MaybeMessage HoldingsOptionsPage::Check() const {
    if (MaybeMessage m = CheckText(values.title, "Titel", kTitleField)) return m;
    return htmlEdited ? html.Check() : std::nullopt;
}

void HoldingsOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.holdings = values;
    doc.options.holdings.columnMask = static_cast<int32_t>(static_cast<uint32_t>(MaskOf(columns)));
    if (htmlEdited) html.ApplyTo(doc);
}

// --- "Realisierte G+V" ---

RealizedOptionsPage RealizedOptionsPage::FromDocument(const CFolari2Doc& doc) {
    RealizedOptionsPage page;
    page.values = doc.options.realized;
    page.columns = ColumnItemsOf(RealizedColumnTable(doc.options),
                                 static_cast<uint32_t>(page.values.columnMask));
    page.sortKeys = RealizedSortChoices(doc);
    page.currencies = CurrencyChoices(doc);
    page.extraInfos = ExtraInfoChoices(doc.options);
    page.placeholders = RealizedTitlePlaceholders();
    return page;
}

MaybeMessage RealizedOptionsPage::Check() const {
    return CheckText(values.title, "Titel", kTitleField);
}

void RealizedOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.realized = values;
    doc.options.realized.columnMask = static_cast<int32_t>(static_cast<uint32_t>(MaskOf(columns)));
}

// --- "Transaktionen" ---

TransactionsOptionsPage TransactionsOptionsPage::FromDocument(const CFolari2Doc& doc) {
    TransactionsOptionsPage page;
    page.values = doc.options.transactions;
    page.columns =
        ColumnItemsOf(TransactionColumnTable(), static_cast<uint32_t>(page.values.columnMask));
    page.currencies = CurrencyChoices(doc);
    page.placeholders = TransactionTitlePlaceholders();
    return page;
}

MaybeMessage TransactionsOptionsPage::Check() const {
    return CheckText(values.title, "Titel", kTitleField);
}

void TransactionsOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.transactions = values;
    doc.options.transactions.columnMask =
        static_cast<int32_t>(static_cast<uint32_t>(MaskOf(columns)));
}

// --- "Kontobewegungen" ---

MovementsOptionsPage MovementsOptionsPage::FromDocument(const CFolari2Doc& doc) {
    MovementsOptionsPage page;
    page.values = doc.options.movements;
    page.columns =
        ColumnItemsOf(MovementColumnTable(), static_cast<uint32_t>(page.values.columnMask));
    page.currencies = CurrencyChoices(doc);
    page.placeholders = TransactionTitlePlaceholders();
    return page;
}

MaybeMessage MovementsOptionsPage::Check() const {
    return CheckText(values.title, "Titel", kTitleField);
}

void MovementsOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.movements = values;
    doc.options.movements.columnMask = static_cast<int32_t>(static_cast<uint32_t>(MaskOf(columns)));
}

// --- "REPORTE >" ---

ReportsOptionsPage ReportsOptionsPage::FromDocument(const CFolari2Doc& doc) {
    ReportsOptionsPage page;
    page.values = doc.options.reports;
    return page;
}

MaybeMessage ReportsOptionsPage::Check() const {
    const ReportsAppearance& v = values;
    return FirstOf({
        CheckText(v.face, "Schriftart", kFaceField),
        CheckRange(v.columnGap, kDistanceRange, "Spaltenabstand", "columnGap"),
        CheckRange(v.outerMargin, kDistanceRange, "Feldabstand", "outerMargin"),
        CheckRange(v.title1FontHeight, kFontHeightRange, "Überschrift 1", "title1FontHeight"),
        CheckRange(v.title2FontHeight, kFontHeightRange, "Überschrift 2", "title2FontHeight"),
        CheckRange(v.largeFontHeight, kFontHeightRange, "großer Text", "largeFontHeight"),
        CheckRange(v.smallFontHeight, kFontHeightRange, "kleiner Text", "smallFontHeight"),
        CheckRange(v.marginLeft, kDistanceRange, "Links", "marginLeft"),
        CheckRange(v.marginRight, kDistanceRange, "Rechts", "marginRight"),
        CheckRange(v.marginTop, kDistanceRange, "Oben", "marginTop"),
        CheckRange(v.marginBottom, kDistanceRange, "Unten", "marginBottom"),
    });
}

void ReportsOptionsPage::ApplyTo(CFolari2Doc& doc) const { doc.options.reports = values; }

// --- "G/V-Auswertung" ---

GainLossOptionsPage GainLossOptionsPage::FromDocument(const CFolari2Doc& doc) {
    GainLossOptionsPage page;
    page.values = doc.options.gainLoss;
    page.items = ColumnItemsOf(GainLossItemTable(), page.values.itemMask);
    page.currencies = CurrencyChoices(doc);
    page.placeholders = StatementTitlePlaceholders();
    return page;
}

MaybeMessage GainLossOptionsPage::Check() const {
    return FirstOf({CheckText(values.title1, "Titel 1", kTitle1Field),
                    CheckText(values.title2, "Titel 2", kTitle2Field)});
}

void GainLossOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.gainLoss = values;
    doc.options.gainLoss.itemMask = MaskOf(items);
}

// --- "Performance/Rendite" ---

PerformanceOptionsPage PerformanceOptionsPage::FromDocument(const CFolari2Doc& doc) {
    PerformanceOptionsPage page;
    page.performance = doc.options.performance;
    page.returns = doc.options.returns;
    page.currencies = CurrencyChoices(doc);
    page.placeholders = StatementTitlePlaceholders();
    return page;
}

MaybeMessage PerformanceOptionsPage::Check() const {
    return FirstOf({CheckText(performance.title1, "Titel 1", kTitle1Field),
                    CheckText(performance.title2, "Titel 2", kTitle2Field),
                    CheckText(returns.title1, "Titel 1", kReturnsTitle1Field),
                    CheckText(returns.title2, "Titel 2", kReturnsTitle2Field)});
}

void PerformanceOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.performance = performance;
    doc.options.returns = returns;
}

// --- The arrangement of the pages ---

namespace {

using PageMaker = std::unique_ptr<OptionsPage> (*)(const CFolari2Doc&);

template <class Page>
std::unique_ptr<OptionsPage> Make(const CFolari2Doc& doc) {
    return std::make_unique<Page>(Page::FromDocument(doc));
}

std::unique_ptr<OptionsPage> MakeGeneral(const CFolari2Doc& doc) {
    return std::make_unique<GeneralOptionsPage>(GeneralOptionsForm::FromDocument(doc));
}

struct PageEntry {
    const char* title;
    PageMaker make;
};

// Tab order of the full sheet.
constexpr std::array<PageEntry, 17> kPages = {{
    {"Allgemein", &MakeGeneral},
    {kTablesPageTitle, &Make<TablesOptionsPage>},
    {kHoldingsPageTitle, &Make<HoldingsOptionsPage>},
    {kRealizedPageTitle, &Make<RealizedOptionsPage>},
    {kTransactionsPageTitle, &Make<TransactionsOptionsPage>},
    {kMovementsPageTitle, &Make<MovementsOptionsPage>},
    {kSecuritiesPageTitle, &Make<SecuritiesOptionsPage>},
    {kListsPageTitle, &Make<ListsOptionsPage>},
    {kDevelopmentPageTitle, &Make<DevelopmentOptionsPage>},
    {kQuotesPageTitle, &Make<QuotesOptionsPage>},
    {kDiagramsPageTitle, &Make<DiagramsOptionsPage>},
    {kDiagramPageTitle, &Make<DiagramOptionsPage>},
    {kChartPageTitle, &Make<ChartOptionsPage>},
    {kAnalysisPageTitle, &Make<AnalysisOptionsPage>},
    {kReportsPageTitle, &Make<ReportsOptionsPage>},
    {kGainLossPageTitle, &Make<GainLossOptionsPage>},
    {kPerformancePageTitle, &Make<PerformanceOptionsPage>},
}};

// Each view with options: its own page and the appearance page of its group (nullptr where
// the view's page is its group's appearance page itself).
struct ViewPages {
    int viewId;
    const char* page;
    const char* group;
};
constexpr std::array<ViewPages, 15> kViewPages = {{
    {1, kHoldingsPageTitle, kTablesPageTitle},
    {2, kRealizedPageTitle, kTablesPageTitle},
    {3, kTransactionsPageTitle, kTablesPageTitle},
    {4, kMovementsPageTitle, kTablesPageTitle},
    {5, kSecuritiesPageTitle, kTablesPageTitle},
    {51, kDevelopmentPageTitle, kListsPageTitle},
    {52, kQuotesPageTitle, kListsPageTitle},
    {101, kDiagramPageTitle, kDiagramsPageTitle},
    {102, kDiagramPageTitle, kDiagramsPageTitle},
    {151, kChartPageTitle, kDiagramsPageTitle},
    {201, kAnalysisPageTitle, nullptr},
    {202, kAnalysisPageTitle, nullptr},
    {21, kGainLossPageTitle, kReportsPageTitle},
    {22, kPerformancePageTitle, kReportsPageTitle},
    {23, kPerformancePageTitle, kReportsPageTitle},
}};

}  // namespace

const std::vector<std::string>& AllOptionPageTitles() {
    static const std::vector<std::string> titles = [] {
        std::vector<std::string> list;
        for (const PageEntry& e : kPages) list.emplace_back(e.title);
        return list;
    }();
    return titles;
}

std::unique_ptr<OptionsPage> MakeOptionsPage(const std::string& title, const CFolari2Doc& doc) {
    for (const PageEntry& e : kPages)
        if (title == e.title) return e.make(doc);
    return nullptr;
}

std::vector<std::string> OptionPageTitlesOfView(int viewId) {
    for (const ViewPages& v : kViewPages) {
        if (v.viewId != viewId) continue;
        if (v.group == nullptr) return {v.page};
        return {v.page, v.group};
    }
    return {};
}

}  // namespace pf

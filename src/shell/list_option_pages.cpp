#include "shell/list_option_pages.h"

#include <initializer_list>
#include <utility>

#include "engine/form_model.h"
#include "model/document.h"
#include "reports/securities_columns.h"

namespace pf {

namespace {

std::vector<ColumnItem> Table(std::initializer_list<std::pair<int, const char*>> entries) {
    std::vector<ColumnItem> items;
    for (const auto& [bit, text] : entries) items.push_back({text, bit, false});
    return items;
}

MaybeMessage CheckText(const std::string& text, const char* caption, const char* field) {
    return CheckStorableText(text, caption, kOptionsTitle, field);
}

// The print margins, which every appearance page checks alike.
template <class Values>
MaybeMessage CheckMargins(const Values& v) {
    return FirstOf({
        CheckRange(v.marginLeft, kDistanceRange, "Links", "marginLeft"),
        CheckRange(v.marginRight, kDistanceRange, "Rechts", "marginRight"),
        CheckRange(v.marginTop, kDistanceRange, "Oben", "marginTop"),
        CheckRange(v.marginBottom, kDistanceRange, "Unten", "marginBottom"),
    });
}

}  // namespace

std::vector<ColumnItem> DevelopmentItemTable() {
    return Table({
        {0, "Wertpapierpositionen:"},
        {4, "   - Kurs"},
        {5, "   - Gewinn/Verlust in %"},
        {6, "   - Text"},
        {8, "Depot:"},
        {10, "   - investiertes Kapital"},
        {11, "   - Depotwert"},
        {12, "   - Gewinn/Verlust"},
        {13, "   - Gewinn/Verlust in %"},
        {14, "   - Änderung Depotw. gg. Anfang"},
        {15, "   - Änderung Depotw. gg. A. in %"},
        {16, "Konto:"},
        {18, "   - Kontostand"},
        {19, "   - Liquiditätsquote in %"},
        {20, "Vermögen:"},
        {22, "   - eingezahltes Kapital"},
        {23, "   - Vermögenswert"},
        {24, "   - Gewinn/Verlust"},
        {25, "   - Gewinn/Verlust in %"},
        {26, "   - Änderung Verm. gg. Anfang"},
        {27, "   - Änderung Verm. gg. Anf. in %"},
        {28, "   - Änderung Verm. gg. Vortag"},
        {29, "   - Änderung Verm. gg. Vor. in %"},
    });
}

std::vector<ColumnItem> SecuritiesColumnTable(const DocumentOptions& options) {
    std::vector<ColumnItem> items;
    for (const SecuritiesColumn& c : SecuritiesColumns(options))
        items.push_back({c.optionName, c.bit, false});
    return items;
}

const std::vector<ChoiceItem>& DevelopmentSortChoices() {
    static const std::vector<ChoiceItem> list = {{"Bezeichnung", kDevelopmentByName},
                                                 {"WKN", kDevelopmentByWkn},
                                                 {"Kaufdatum", kDevelopmentByPurchaseDate}};
    return list;
}

const std::vector<ChoiceItem>& QuotesFilterChoices() {
    static const std::vector<ChoiceItem> list = {
        {"&alle Wertpapiere", kQuotesOfAllSecurities},
        {"alle Wertpapiere mit &Kursen im Darstellungszeitraum", kQuotesOfSecuritiesWithQuotes},
        {"&folgende Wertpapiere:", kQuotesOfChosenSecurities}};
    return list;
}

std::vector<ChoiceItem> QuotesSortChoices(const DocumentOptions& options) {
    return {
        {"Bezeichnung", kQuotesByName}, {"WKN", kQuotesByWkn}, {options.isinLabel, kQuotesByIsin}};
}

const std::vector<ChoiceItem>& SplitHandlingChoices() {
    static const std::vector<ChoiceItem> list = {
        {"Kurse &nicht anpassen", kSplitsNotAdjusted},
        {"Anpassung bei Splits vor &Ende des Darstellungszeitraums", kSplitsAdjustedBeforeEnd},
        {"&vollständige Anpassung der Kurse", kSplitsFullyAdjusted},
        {"Kurse &unverändert aus Datenbank übernehmen", kSplitsAsStored}};
    return list;
}

std::vector<ChoiceItem> SecuritiesSortChoices(const DocumentOptions& options) {
    std::vector<ChoiceItem> items;
    const std::vector<std::string> texts = SecuritiesSortKeyTexts(options);
    for (size_t key = 0; key < texts.size(); ++key)
        items.push_back({texts[key], static_cast<int32_t>(key)});
    return items;
}

const std::vector<std::string>& DevelopmentTextPlaceholders() {
    static const std::vector<std::string> list = {
        "<BEZEICHNUNG>",  "<WKN>",         "<KUERZEL>",    "<ISIN>",
        "<KURSWAEHRUNG>", "<STUECK>",      "<KAUFDATUM>",  "<KAUFKURS>",
        "<VERKAUFDATUM>", "<VERKAUFKURS>", "<STARTDATUM>", "<ENDDATUM>"};
    return list;
}

const std::vector<std::string>& QuotesTextPlaceholders() {
    static const std::vector<std::string> list = {"<BEZEICHNUNG>", "<WKN>", "<KUERZEL>", "<ISIN>",
                                                  "<KURSWAEHRUNG>"};
    return list;
}

const std::vector<std::string>& SecuritiesTitlePlaceholders() {
    return HoldingsTitlePlaceholders();
}

// --- "LISTEN >" ---

ListsOptionsPage ListsOptionsPage::FromDocument(const CFolari2Doc& doc) {
    ListsOptionsPage page;
    page.values = doc.options.lists;
    return page;
}

MaybeMessage ListsOptionsPage::Check() const {
    const ListsAppearance& v = values;
    return FirstOf({
        CheckText(v.face, "Schriftart", kFaceField),
        CheckRange(v.outerMargin, kDistanceRange, "Feldabstand", "outerMargin"),
        CheckRange(v.normalFontHeight, kFontHeightRange, "normaler Text", "normalFontHeight"),
        CheckRange(v.columnTitleFontHeight, kFontHeightRange, "Spaltentitel",
                   "columnTitleFontHeight"),
        CheckRange(v.verticalFontHeight, kFontHeightRange, "vertikaler Text", "verticalFontHeight"),
        CheckMargins(v),
        CheckRange(v.priceDecimals, kPriceDecimalsRange, "Dezimalstellen für Kurse",
                   "priceDecimals"),
        CheckRange(v.percentDecimals, kPercentDecimalsRange, "Dezimalstellen für Prozentwerte",
                   "percentDecimals"),
        CheckRange(v.verticalTextDistance, kVerticalTextDistanceRange, "Abstand",
                   "verticalTextDistance"),
    });
}

void ListsOptionsPage::ApplyTo(CFolari2Doc& doc) const { doc.options.lists = values; }

// --- "Depotentwicklung" ---

DevelopmentOptionsPage DevelopmentOptionsPage::FromDocument(const CFolari2Doc& doc) {
    DevelopmentOptionsPage page;
    page.values = doc.options.development;
    page.items = ColumnItemsOf(DevelopmentItemTable(), static_cast<uint32_t>(page.values.itemMask));
    page.currencies = CurrencyChoices(doc);
    page.sortKeys = DevelopmentSortChoices();
    page.placeholders = DevelopmentTextPlaceholders();
    return page;
}

MaybeMessage DevelopmentOptionsPage::Check() const {
    return CheckText(values.positionText, "Text", kPositionTextField);
}

void DevelopmentOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.development = values;
    doc.options.development.itemMask = static_cast<int32_t>(static_cast<uint32_t>(MaskOf(items)));
}

// --- "Kurse" ---

QuotesOptionsPage QuotesOptionsPage::FromDocument(const CFolari2Doc& doc) {
    QuotesOptionsPage page;
    page.values = doc.options.quotes;
    for (const CFL2Wertpapier& s : doc.securities)
        page.securities.push_back({s.id, s.name, s.wkn, s.aux1 == 1});
    page.sortKeys = QuotesSortChoices(doc.options);
    page.placeholders = QuotesTextPlaceholders();
    return page;
}

MaybeMessage QuotesOptionsPage::Check() const {
    return CheckText(values.titleTemplate, "Text", kColumnTextField);
}

void QuotesOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.quotes = values;
    // Only a changed tick is written, so that a security's other values of aux1 stay as read.
    for (const SecurityTick& tick : securities) {
        CFL2Wertpapier* s = doc.FindSecurity(tick.id);
        if (s != nullptr && (s->aux1 == 1) != tick.checked) s->aux1 = tick.checked ? 1 : 0;
    }
}

// --- "DEPOTANALYSE/-VERTEILUNG" ---

AnalysisOptionsPage AnalysisOptionsPage::FromDocument(const CFolari2Doc& doc) {
    AnalysisOptionsPage page;
    page.values = doc.options.analysis;
    page.sortKeys = HoldingsSortChoices(doc);
    page.currencies = CurrencyChoices(doc);
    return page;
}

MaybeMessage AnalysisOptionsPage::Check() const {
    const AnalysisOptions& v = values;
    return FirstOf({
        CheckText(v.face, "Schriftart", kFaceField),
        CheckRange(v.fontHeight, kFontHeightRange, "Schriftgröße (Zeilenhöhe)", "fontHeight"),
        CheckRange(v.outerMargin, kDistanceRange, "Rand", "outerMargin"),
        CheckRange(v.textSpacing, kDistanceRange, "Textabstand", "textSpacing"),
        CheckRange(v.columnWidth, kAnalysisColumnWidthRange, "Spaltenbreite", "columnWidth"),
        CheckRange(v.firstColumnWidth, kAnalysisColumnWidthRange, "Breite erste Spalte",
                   "firstColumnWidth"),
        CheckMargins(v),
        CheckRange(v.priceDecimals, kPriceDecimalsRange, "Dezimalstellen für Kurse",
                   "priceDecimals"),
        CheckRange(v.percentDecimals, kPercentDecimalsRange, "Dezimalst. f. Prozentwerte",
                   "percentDecimals"),
    });
}

void AnalysisOptionsPage::ApplyTo(CFolari2Doc& doc) const { doc.options.analysis = values; }

// --- "Wertpapiere" ---

SecuritiesOptionsPage SecuritiesOptionsPage::FromDocument(const CFolari2Doc& doc) {
    SecuritiesOptionsPage page;
    page.values = doc.options.securitiesList;
    page.columns = ColumnItemsOf(SecuritiesColumnTable(doc.options),
                                 static_cast<uint32_t>(page.values.columnMask));
    page.sortKeys = SecuritiesSortChoices(doc.options);
    page.placeholders = SecuritiesTitlePlaceholders();
    return page;
}

MaybeMessage SecuritiesOptionsPage::Check() const {
    return CheckText(values.title, "Titel", kTitleField);
}

void SecuritiesOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.securitiesList = values;
    doc.options.securitiesList.columnMask =
        static_cast<int32_t>(static_cast<uint32_t>(MaskOf(columns)));
}

}  // namespace pf

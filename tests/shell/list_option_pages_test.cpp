#include "shell/list_option_pages.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_test_util.h"

namespace pf::testing {
namespace {

ColumnItem& ItemWithBit(std::vector<ColumnItem>& items, int bit) {
    for (ColumnItem& item : items)
        if (item.bit == bit) return item;
    ADD_FAILURE() << "no item with bit " << bit;
    return items.front();
}

// The page with `title` filled from the document.
std::unique_ptr<OptionsPage> MakePage(const std::string& title, const CFolari2Doc& doc) {
    if (title == kListsPageTitle)
        return std::make_unique<ListsOptionsPage>(ListsOptionsPage::FromDocument(doc));
    if (title == kDevelopmentPageTitle)
        return std::make_unique<DevelopmentOptionsPage>(DevelopmentOptionsPage::FromDocument(doc));
    if (title == kQuotesPageTitle)
        return std::make_unique<QuotesOptionsPage>(QuotesOptionsPage::FromDocument(doc));
    if (title == kAnalysisPageTitle)
        return std::make_unique<AnalysisOptionsPage>(AnalysisOptionsPage::FromDocument(doc));
    if (title == kSecuritiesPageTitle)
        return std::make_unique<SecuritiesOptionsPage>(SecuritiesOptionsPage::FromDocument(doc));
    return nullptr;
}

std::vector<int> TickedBits(const std::vector<ColumnItem>& items) {
    std::vector<int> bits;
    for (const ColumnItem& item : items)
        if (item.checked) bits.push_back(item.bit);
    return bits;
}

// --- Item and column lists ---

TEST(ListItemTables, DevelopmentItemsCarryTheirBitsAndTexts) {
    const std::vector<ColumnItem> items = DevelopmentItemTable();
    // Groups 0, 8, 16, 20 and their sub-items 4-6, 10-15, 18-19, 22-29: 4 + 3 + 6 + 2 + 8.
    ASSERT_EQ(items.size(), 23u);
    const std::pair<int, const char*> samples[] = {
        {0, "Wertpapierpositionen:"},
        {6, "   - Text"},
        {8, "Depot:"},
        {15, "   - Änderung Depotw. gg. A. in %"},
        {16, "Konto:"},
        {19, "   - Liquiditätsquote in %"},
        {20, "Vermögen:"},
        {29, "   - Änderung Verm. gg. Vor. in %"},
    };
    std::vector<ColumnItem> copy = items;
    for (const auto& [bit, text] : samples) {
        SCOPED_TRACE(bit);
        EXPECT_EQ(ItemWithBit(copy, bit).text, text);
    }
    // List order is bit order.
    for (size_t i = 1; i < items.size(); ++i) EXPECT_LT(items[i - 1].bit, items[i].bit);
}

TEST(ListItemTables, DevelopmentMaskRoundTripsThroughTheItems) {
    DocBuilder b;
    DevelopmentOptionsPage page = DevelopmentOptionsPage::FromDocument(b.doc);
    EXPECT_EQ(TickedBits(page.items),
              (std::vector<int>{0, 4, 8, 10, 11, 12, 13, 16, 18, 20, 22, 23, 24, 25}));

    for (ColumnItem& item : page.items) item.checked = false;
    ItemWithBit(page.items, 0).checked = true;
    ItemWithBit(page.items, 6).checked = true;
    ItemWithBit(page.items, 29).checked = true;
    page.values.itemMask = -1;  // not read: the items decide
    page.ApplyTo(b.doc);
    // 2^0 + 2^6 + 2^29 = 0x1 + 0x40 + 0x20000000
    EXPECT_EQ(static_cast<uint32_t>(b.doc.options.development.itemMask), 0x20000041u);
}

TEST(ListItemTables, SecuritiesColumnsNameTheirBitsAfterTheDocument) {
    DocBuilder b;
    b.doc.options.isinLabel = "Kürzel";
    b.doc.options.ownCategoryCaption1 = "Risiko";
    b.doc.options.ownCategoryCaption2 = "Depotbank";
    SecuritiesOptionsPage page = SecuritiesOptionsPage::FromDocument(b.doc);
    // 32 bits less 4, 5, 16, 18, 26, 28.
    ASSERT_EQ(page.columns.size(), 26u);
    EXPECT_EQ(ItemWithBit(page.columns, 2).text, "Kürzel");
    EXPECT_EQ(ItemWithBit(page.columns, 10).text, "Risiko");
    EXPECT_EQ(ItemWithBit(page.columns, 11).text, "Depotbank");
    EXPECT_EQ(ItemWithBit(page.columns, 17).text, "Halbeinkünfteverfahren");
    EXPECT_EQ(ItemWithBit(page.columns, 31).text, "Bemerkungen");
    // The default: everything but the own categories and the remarks.
    EXPECT_EQ(TickedBits(page.columns),
              (std::vector<int>{0,  1,  2,  3,  6,  7,  8,  9,  12, 13, 14, 15,
                                17, 19, 20, 21, 22, 23, 24, 25, 27, 29, 30}));

    for (ColumnItem& item : page.columns) item.checked = false;
    ItemWithBit(page.columns, 1).checked = true;
    ItemWithBit(page.columns, 31).checked = true;
    page.ApplyTo(b.doc);
    // 2^1 + 2^31 = 0x2 + 0x80000000
    EXPECT_EQ(static_cast<uint32_t>(b.doc.options.securitiesList.columnMask), 0x80000002u);
}

// --- Choice lists ---

TEST(ListChoices, SortKeysCarryTheStoredNumbers) {
    DocBuilder b;
    b.doc.options.isinLabel = "ISIN";
    b.doc.options.ownCategoryCaption2 = "Depotbank";
    const std::vector<ChoiceItem> securities = SecuritiesSortChoices(b.doc.options);
    ASSERT_EQ(securities.size(), 23u);
    const std::pair<int, const char*> samples[] = {
        {0, "(keine Sortierung)"}, {3, "ISIN"},
        {10, "Depotbank"},         {11, "Halbeinkünfteverfahren"},
        {17, "Maximum Drawdown"},  {22, "Bemerkungen"},
    };
    for (const auto& [value, text] : samples) {
        SCOPED_TRACE(value);
        const int index = IndexOfValue(securities, value);
        ASSERT_GE(index, 0);
        EXPECT_EQ(securities[static_cast<size_t>(index)].text, text);
    }
    EXPECT_EQ(securities[static_cast<size_t>(IndexOfValue(securities, kSecuritiesByRemarks))].text,
              "Bemerkungen");

    const std::vector<ChoiceItem> quotes = QuotesSortChoices(b.doc.options);
    ASSERT_EQ(quotes.size(), 3u);
    EXPECT_EQ(quotes[2].text, "ISIN");
    EXPECT_EQ(quotes[2].value, kQuotesByIsin);
    EXPECT_EQ(DevelopmentSortChoices().at(2).text, "Kaufdatum");
    EXPECT_EQ(DevelopmentSortChoices().at(2).value, kDevelopmentByPurchaseDate);
    EXPECT_EQ(SplitHandlingChoices().at(3).text, "Kurse &unverändert aus Datenbank übernehmen");
    EXPECT_EQ(SplitHandlingChoices().at(3).value, kSplitsAsStored);
    EXPECT_EQ(QuotesFilterChoices().at(2).value, kQuotesOfChosenSecurities);

    // The analysis sorts like the holdings: 24 keys, "Kaufdatum" among them.
    const AnalysisOptionsPage analysis = AnalysisOptionsPage::FromDocument(b.doc);
    ASSERT_EQ(analysis.sortKeys.size(), 24u);
    EXPECT_EQ(analysis.sortKeys[11].text, "Kaufdatum");
    EXPECT_EQ(analysis.currencies.size(), b.doc.currencies.size());
}

TEST(ListChoices, TextsOfferWhatTheirTablesReplace) {
    DocBuilder b;
    EXPECT_EQ(
        DevelopmentOptionsPage::FromDocument(b.doc).placeholders,
        (std::vector<std::string>{"<BEZEICHNUNG>", "<WKN>", "<KUERZEL>", "<ISIN>", "<KURSWAEHRUNG>",
                                  "<STUECK>", "<KAUFDATUM>", "<KAUFKURS>", "<VERKAUFDATUM>",
                                  "<VERKAUFKURS>", "<STARTDATUM>", "<ENDDATUM>"}));
    EXPECT_EQ(QuotesOptionsPage::FromDocument(b.doc).placeholders,
              (std::vector<std::string>{"<BEZEICHNUNG>", "<WKN>", "<KUERZEL>", "<ISIN>",
                                        "<KURSWAEHRUNG>"}));
    EXPECT_EQ(SecuritiesOptionsPage::FromDocument(b.doc).placeholders,
              (std::vector<std::string>{"<DATUM>", "<DEPOTNUMMER>", "<INHABER>"}));
}

// --- "Kurse": the ticks of the securities ---

TEST(QuotesPage, TicksComeFromTheSecuritiesAndGoBackIntoThem) {
    DocBuilder b;
    const int32_t alpha = b.Security("Alpha");
    const int32_t beta = b.Security("Beta");
    const int32_t gamma = b.Security("Gamma");
    b.doc.FindSecurity(beta)->aux1 = 1;
    b.doc.FindSecurity(gamma)->aux1 = 7;  // a value the page does not know: shown unticked

    QuotesOptionsPage page = QuotesOptionsPage::FromDocument(b.doc);
    ASSERT_EQ(page.securities.size(), 3u);
    EXPECT_EQ(page.securities[0].id, alpha);
    EXPECT_EQ(page.securities[0].name, "Alpha");
    EXPECT_EQ(page.securities[0].wkn, "WAlpha");
    EXPECT_FALSE(page.securities[0].checked);
    EXPECT_TRUE(page.securities[1].checked);
    EXPECT_FALSE(page.securities[2].checked);

    page.securities[0].checked = true;   // ticked
    page.securities[1].checked = false;  // unticked
    page.values.filter = kQuotesOfChosenSecurities;
    // A security deleted while the page was open is passed over.
    page.securities.push_back({9999, "Weg", "W0", true});
    page.ApplyTo(b.doc);
    EXPECT_EQ(b.doc.FindSecurity(alpha)->aux1, 1);
    EXPECT_EQ(b.doc.FindSecurity(beta)->aux1, 0);
    EXPECT_EQ(b.doc.FindSecurity(gamma)->aux1, 7);  // untouched tick, value kept
    EXPECT_EQ(b.doc.options.quotes.filter, kQuotesOfChosenSecurities);
}

// --- Checks ---

TEST(ListPageChecks, RefuseNumbersOutOfRangeAndUnstorableTextsWithTheFocusOnTheField) {
    struct Case {
        const char* what;
        std::function<MaybeMessage(const CFolari2Doc&)> check;
        const char* field;
        const char* text;  // the message, or nullptr for "any"
    };
    auto lists = [](std::function<void(ListsAppearance&)> change) {
        return [change](const CFolari2Doc& doc) {
            ListsOptionsPage page = ListsOptionsPage::FromDocument(doc);
            change(page.values);
            return page.Check();
        };
    };
    auto analysis = [](std::function<void(AnalysisOptions&)> change) {
        return [change](const CFolari2Doc& doc) {
            AnalysisOptionsPage page = AnalysisOptionsPage::FromDocument(doc);
            change(page.values);
            return page.Check();
        };
    };
    const std::string checkMark = "\u2713";  // not in Windows-1252
    const Case cases[] = {
        {"lists face", lists([&](auto& v) { v.face = "Arial " + checkMark; }), "face", nullptr},
        {"lists normal font 0", lists([](auto& v) { v.normalFontHeight = 0; }), "normalFontHeight",
         "Bitte geben Sie für „normaler Text“ eine ganze Zahl von 1 bis 500 ein!"},
        {"lists vertical font 501", lists([](auto& v) { v.verticalFontHeight = 501; }),
         "verticalFontHeight", nullptr},
        {"lists margin -1", lists([](auto& v) { v.marginBottom = -1; }), "marginBottom", nullptr},
        {"lists price decimals 1", lists([](auto& v) { v.priceDecimals = 1; }), "priceDecimals",
         nullptr},
        {"lists percent decimals 8", lists([](auto& v) { v.percentDecimals = 8; }),
         "percentDecimals", nullptr},
        // 0 rows between repetitions would repeat the vertical text without end.
        {"lists distance 0", lists([](auto& v) { v.verticalTextDistance = 0; }),
         "verticalTextDistance",
         "Bitte geben Sie für „Abstand“ eine ganze Zahl von 1 bis 1000 ein!"},
        {"analysis face", analysis([&](auto& v) { v.face = checkMark; }), "face", nullptr},
        {"analysis font 0", analysis([](auto& v) { v.fontHeight = 0; }), "fontHeight", nullptr},
        {"analysis column width 9", analysis([](auto& v) { v.columnWidth = 9; }), "columnWidth",
         nullptr},
        {"analysis first column 2001", analysis([](auto& v) { v.firstColumnWidth = 2001; }),
         "firstColumnWidth", nullptr},
        {"analysis text spacing", analysis([](auto& v) { v.textSpacing = 1001; }), "textSpacing",
         nullptr},
        {"analysis percent decimals", analysis([](auto& v) { v.percentDecimals = -1; }),
         "percentDecimals", nullptr},
        {"development text",
         [&](const CFolari2Doc& doc) {
             DevelopmentOptionsPage page = DevelopmentOptionsPage::FromDocument(doc);
             page.values.positionText = "<WKN> " + checkMark;
             return page.Check();
         },
         "positionText", nullptr},
        {"quotes text",
         [&](const CFolari2Doc& doc) {
             QuotesOptionsPage page = QuotesOptionsPage::FromDocument(doc);
             page.values.titleTemplate = checkMark;
             return page.Check();
         },
         "columnText", nullptr},
        {"securities title",
         [&](const CFolari2Doc& doc) {
             SecuritiesOptionsPage page = SecuritiesOptionsPage::FromDocument(doc);
             page.values.title = checkMark;
             return page.Check();
         },
         "title", nullptr},
    };
    DocBuilder b;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MaybeMessage m = c.check(b.doc);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->title, "Optionen");
        EXPECT_EQ(m->field, c.field);
        if (c.text != nullptr) {
            EXPECT_EQ(m->text, c.text);
        }
    }

    // The pages of a new document pass, and so do the edges of the ranges.
    for (const char* title : {kListsPageTitle, kDevelopmentPageTitle, kQuotesPageTitle,
                              kAnalysisPageTitle, kSecuritiesPageTitle}) {
        SCOPED_TRACE(title);
        EXPECT_FALSE(MakePage(title, b.doc)->Check());
    }
    ListsOptionsPage edges = ListsOptionsPage::FromDocument(b.doc);
    edges.values.verticalTextDistance = 1;
    edges.values.priceDecimals = 7;
    edges.values.percentDecimals = 0;
    edges.values.outerMargin = 0;
    EXPECT_FALSE(edges.Check());
}

// --- Reading and writing every field ---

TEST(ListPages, ReadAndWriteEveryFieldOfTheirOwnOptionsOnly) {
    DocBuilder b(0b1);  // the euro and the DM
    ASSERT_GE(b.doc.currencies.size(), 2u);
    const int32_t dm = b.doc.currencies[1].id;

    // Options different from every default, as a file could hold them.
    DocumentOptions stored = b.doc.options;
    stored.lists = {0, 2, "Courier New", 12, 45, 46, 47, 0, 100, 110, 120, 130, 0, 4, 3, 0, 25};
    stored.development = {
        0x11, "<WKN> <STUECK>", dm, dm, dm, kDevelopmentByPurchaseDate, 1, 1, 0, 1, 1, 1};
    stored.quotes = {kQuotesOfSecuritiesWithQuotes, "<WKN>", kQuotesByIsin, 1, kSplitsAsStored};
    stored.analysis = {
        "Times New Roman", 45, 25, 15, 300, 400, 101, 102, 103, 104, 5, 1, 0, 1, 1, 3, 2, dm, 0};
    stored.securitiesList = {
        0x7, "Liste <DATUM>", {kSecuritiesByType, kSecuritiesByName, kSecuritiesByRemarks}, 1, 0,
        1};

    using Copy = std::function<void(DocumentOptions & to, const DocumentOptions& from)>;
    const std::vector<std::pair<std::string, Copy>> owners = {
        {kListsPageTitle, [](auto& to, const auto& from) { to.lists = from.lists; }},
        {kDevelopmentPageTitle,
         [](auto& to, const auto& from) { to.development = from.development; }},
        {kQuotesPageTitle, [](auto& to, const auto& from) { to.quotes = from.quotes; }},
        {kAnalysisPageTitle, [](auto& to, const auto& from) { to.analysis = from.analysis; }},
        {kSecuritiesPageTitle,
         [](auto& to, const auto& from) { to.securitiesList = from.securitiesList; }},
    };
    for (const auto& [title, copy] : owners) {
        SCOPED_TRACE(title);
        DocBuilder d(0b1);
        d.doc.options = stored;
        const std::unique_ptr<OptionsPage> page = MakePage(title, d.doc);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->Title(), title);

        // Everything changed to the defaults after the page was filled: the page writes back
        // its own group as it read it and leaves the others alone.
        DocumentOptions defaults = DocBuilder(0b1).doc.options;
        d.doc.options = defaults;
        page->ApplyTo(d.doc);
        DocumentOptions expected = defaults;
        copy(expected, stored);
        EXPECT_EQ(d.doc.options, expected);
    }
}

TEST(ListPages, WrittenValuesAreTheOnesTheFormHolds) {
    DocBuilder b(0b1);
    const int32_t dm = b.doc.currencies[1].id;

    ListsOptionsPage lists = ListsOptionsPage::FromDocument(b.doc);
    lists.values.face = "Verdana";
    lists.values.verticalTextDistance = 7;
    lists.values.dateColumnEveryPage = 0;
    lists.ApplyTo(b.doc);
    EXPECT_EQ(b.doc.options.lists, lists.values);

    DevelopmentOptionsPage development = DevelopmentOptionsPage::FromDocument(b.doc);
    development.values.assetsCurrencyId = dm;
    development.values.correctionRelativeToEnd = 1;
    development.values.positionText = "<BEZEICHNUNG> (<KAUFDATUM>)";
    development.ApplyTo(b.doc);
    EXPECT_EQ(b.doc.options.development.assetsCurrencyId, dm);
    EXPECT_EQ(b.doc.options.development.correctionRelativeToEnd, 1);
    EXPECT_EQ(b.doc.options.development.positionText, "<BEZEICHNUNG> (<KAUFDATUM>)");
    EXPECT_EQ(static_cast<uint32_t>(b.doc.options.development.itemMask), kDefaultDevelopmentItems);

    AnalysisOptionsPage analysis = AnalysisOptionsPage::FromDocument(b.doc);
    analysis.values.sortKey = 0;
    analysis.values.sortDescending = 1;
    analysis.values.stopTarget = 0;
    analysis.values.currencyId = dm;
    analysis.ApplyTo(b.doc);
    EXPECT_EQ(b.doc.options.analysis, analysis.values);

    SecuritiesOptionsPage securities = SecuritiesOptionsPage::FromDocument(b.doc);
    securities.values.sortKeys = {kSecuritiesByDrawdown, kSecuritiesUnsorted, kSecuritiesByWkn};
    securities.values.onlyInDepot = 1;
    securities.values.useLastPrice = 0;
    securities.ApplyTo(b.doc);
    EXPECT_EQ(b.doc.options.securitiesList.sortKeys, securities.values.sortKeys);
    EXPECT_EQ(b.doc.options.securitiesList.onlyInDepot, 1);
    EXPECT_EQ(b.doc.options.securitiesList.useLastPrice, 0);
}

// --- The sheets of the views ---

TEST(ListOptionsSheets, ViewsOpenTheirPageAndTheAppearancePageOfTheirGroup) {
    DocBuilder b;
    auto titles = [](const OptionsSheet& sheet) {
        std::vector<std::string> list;
        for (size_t i = 0; i < sheet.PageCount(); ++i) list.push_back(sheet.Page(i).Title());
        return list;
    };
    const struct {
        int view;
        std::vector<std::string> pages;
    } cases[] = {
        {5, {"Wertpapiere", "TABELLEN >"}},
        {51, {"Depotentwicklung", "LISTEN >"}},
        {52, {"Kurse", "LISTEN >"}},
        // The analysis page is its group's appearance page too: it comes once.
        {201, {"DEPOTANALYSE/-VERTEILUNG"}},
        {202, {"DEPOTANALYSE/-VERTEILUNG"}},
        {101, {"Depotentw./Wertp.", "DIAGRAMME >"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        EXPECT_EQ(titles(OptionsSheet::ForView(b.doc, c.view)), c.pages);
    }
    // The full sheet has the new pages between the table reports and the reports.
    EXPECT_EQ(titles(OptionsSheet::FromDocument(b.doc)),
              (std::vector<std::string>{
                  "Allgemein", "TABELLEN >", "Depotbestand", "Realisierte G+V", "Transaktionen",
                  "Kontobewegungen", "Wertpapiere", "LISTEN >", "Depotentwicklung", "Kurse",
                  "DIAGRAMME >", "Depotentw./Wertp.", "Charts", "DEPOTANALYSE/-VERTEILUNG",
                  "REPORTE >", "G/V-Auswertung", "Performance/Rendite"}));
    // A refusal names the page it comes from: "Kurse" is the first page of view 52.
    OptionsSheet sheet = OptionsSheet::ForView(b.doc, 52);
    dynamic_cast<ListsOptionsPage&>(sheet.Page(1)).values.verticalTextDistance = 0;
    const std::optional<OptionsRefusal> refusal = sheet.Check();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->page, 1u);
    EXPECT_EQ(refusal->message.field, "verticalTextDistance");
    b.doc.SetModified(false);
    EXPECT_FALSE(sheet.Apply(b.doc));
    EXPECT_FALSE(b.doc.IsModified());
}

}  // namespace
}  // namespace pf::testing

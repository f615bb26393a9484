#include "shell/report_option_pages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/archive/document_file.h"
#include "reports/holdings_report.h"
#include "reports/report_table.h"

namespace pf::testing {
namespace {

template <class Page>
Page& As(OptionsSheet& sheet, size_t index) {
    return dynamic_cast<Page&>(sheet.Page(index));
}

ColumnItem& ItemWithBit(std::vector<ColumnItem>& items, int bit) {
    for (ColumnItem& item : items)
        if (item.bit == bit) return item;
    ADD_FAILURE() << "no item with bit " << bit;
    return items.front();
}

// --- Column lists ---

TEST(ColumnLists, HoldingsMaskRoundTripsThroughTheTickedItems) {
    DocBuilder b;
    // Bits 0, 1, 5 and 9; bit 9 selects no column and has no item.
    b.doc.options.holdings.columnMask = 0b10'0010'0011;
    HoldingsOptionsPage page = HoldingsOptionsPage::FromDocument(b.doc);
    ASSERT_EQ(page.columns.size(), 27u);  // 32 bits less 9, 12, 17, 20, 24
    std::vector<int> ticked;
    for (const ColumnItem& item : page.columns)
        if (item.checked) ticked.push_back(item.bit);
    EXPECT_EQ(ticked, (std::vector<int>{0, 1, 5}));
    EXPECT_EQ(page.columns[2].text, "ISIN/Kürzel");  // the document's label names bit 2

    ItemWithBit(page.columns, 1).checked = false;
    ItemWithBit(page.columns, 31).checked = true;
    page.ApplyTo(b.doc);
    // 1 (bit 0) + 32 (bit 5) + 2^31; bit 9 is gone since the mask is rebuilt from the items.
    EXPECT_EQ(static_cast<uint32_t>(b.doc.options.holdings.columnMask), 0x80000021u);
}

TEST(ColumnLists, GainLossItemsReachTheSecondWord) {
    DocBuilder b;
    GainLossOptionsPage page = GainLossOptionsPage::FromDocument(b.doc);
    ASSERT_EQ(page.items.size(), 32u);  // bits 0..34 less 1, 2 and 31
    EXPECT_EQ(page.items.back().text, "ENDSUMME");
    EXPECT_EQ(page.items.back().bit, 34);
    EXPECT_TRUE(page.items.back().checked);
    EXPECT_FALSE(ItemWithBit(page.items, 14).checked);  // ZWISCHENSUMME is off by default

    for (ColumnItem& item : page.items) item.checked = false;
    ItemWithBit(page.items, 33).checked = true;  // "  + Einzelaufstellung" of the taxes
    ItemWithBit(page.items, 34).checked = true;
    ItemWithBit(page.items, 14).checked = true;
    page.ApplyTo(b.doc);
    // 2^33 + 2^34 + 2^14 = 0x2'0000'0000 + 0x4'0000'0000 + 0x4000
    EXPECT_EQ(b.doc.options.gainLoss.itemMask, 0x6'0000'4000ull);

    const GainLossOptionsPage reopened = GainLossOptionsPage::FromDocument(b.doc);
    std::vector<int> ticked;
    for (const ColumnItem& item : reopened.items)
        if (item.checked) ticked.push_back(item.bit);
    EXPECT_EQ(ticked, (std::vector<int>{14, 33, 34}));
}

TEST(ColumnLists, TransactionAndMovementListsStartFromTheDefaults) {
    DocBuilder b;
    const TransactionsOptionsPage transactions = TransactionsOptionsPage::FromDocument(b.doc);
    std::vector<std::string> ticked;
    for (const ColumnItem& item : transactions.columns)
        if (item.checked) ticked.push_back(item.text);
    EXPECT_EQ(ticked, (std::vector<std::string>{
                          "Datum", "Transaktion", "Vorg. o. Wertpap. m. St./Kurs", "Text",
                          "Betrag (eigene Währung)", "Währung f. Betrag", "Betrag"}));
    const MovementsOptionsPage movements = MovementsOptionsPage::FromDocument(b.doc);
    ticked.clear();
    for (const ColumnItem& item : movements.columns)
        if (item.checked) ticked.push_back(item.text);
    EXPECT_EQ(ticked, (std::vector<std::string>{"Datum", "Vorgang", "Wertpapier", "Text",
                                                "Betrag auf Konto", "Kontostand (Kontowährung)",
                                                "Kontowährung"}));
}

// --- Choice lists ---

TEST(ChoiceLists, SortKeysAndCurrenciesCarryTheirValues) {
    DocBuilder b(0b11);  // euro, DM and the second legacy currency
    b.doc.options.ownCategoryCaption1 = "Risiko";
    const HoldingsOptionsPage holdings = HoldingsOptionsPage::FromDocument(b.doc);
    ASSERT_EQ(holdings.sortKeys.size(), 24u);
    EXPECT_EQ(holdings.sortKeys[11].text, "Kaufdatum");
    EXPECT_EQ(holdings.sortKeys[11].value, 11);
    EXPECT_EQ(holdings.sortKeys[7].text, "Risiko");
    EXPECT_EQ(holdings.extraInfos[3].text, "Risiko");
    EXPECT_EQ(holdings.extraInfos[3].value, kOwnCategory1);

    const RealizedOptionsPage realized = RealizedOptionsPage::FromDocument(b.doc);
    EXPECT_EQ(realized.sortKeys[12].text, "Verkaufdatum");
    EXPECT_EQ(IndexOfValue(realized.sortKeys, 12), 12);
    EXPECT_EQ(IndexOfValue(realized.sortKeys, -1), -1);  // the default key: no item

    const std::vector<ChoiceItem>& keys = TransactionSortChoices();
    ASSERT_EQ(keys.size(), 8u);
    EXPECT_EQ(keys[0].text, "(keine Sortierung)");
    EXPECT_EQ(keys[7].text, "Betrag");
    EXPECT_EQ(keys[7].value, kTransactionsByAmount);

    ASSERT_EQ(holdings.currencies.size(), b.doc.currencies.size());
    ASSERT_GE(holdings.currencies.size(), 3u);
    for (size_t i = 0; i < holdings.currencies.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(holdings.currencies[i].text, b.doc.currencies[i].name);
        EXPECT_EQ(holdings.currencies[i].value, b.doc.currencies[i].id);
    }
}

// --- Placeholders ---

TEST(Placeholders, ReplaceTheSelection) {
    struct Case {
        const char* text;
        size_t from, length;
        const char* expected;
        size_t cursor;
    } cases[] = {
        // Cursor at the end: "Depot am " has 9 characters, "<DATUM>" 7.
        {"Depot am ", 9, 0, "Depot am <DATUM>", 16},
        // Selection "X" replaced.
        {"Depot am X - Y", 9, 1, "Depot am <DATUM> - Y", 16},
        // Characters, not bytes: "für " has 4 characters (5 bytes).
        {"für X", 4, 1, "für <DATUM>", 11},
        // At the start, everything selected.
        {"alt", 0, 3, "<DATUM>", 7},
        // A range beyond the end is cut to the end.
        {"ab", 1, 99, "a<DATUM>", 8},
        {"ab", 5, 0, "ab<DATUM>", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PlaceholderInsertion r = InsertPlaceholder(c.text, c.from, c.length, "<DATUM>");
        EXPECT_EQ(r.text, c.expected);
        EXPECT_EQ(r.cursor, c.cursor);
    }
}

TEST(Placeholders, EachTitleOffersWhatItsReportReplaces) {
    DocBuilder b;
    EXPECT_EQ(HoldingsOptionsPage::FromDocument(b.doc).placeholders,
              (std::vector<std::string>{"<DATUM>", "<DEPOTNUMMER>", "<INHABER>"}));
    EXPECT_EQ(GainLossOptionsPage::FromDocument(b.doc).placeholders,
              (std::vector<std::string>{"<STARTDATUM>", "<ENDDATUM>", "<DEPOTNUMMER>",
                                        "<KONTONUMMER>", "<BANKLEITZAHL>", "<INHABER>"}));
}

// --- Checks ---

TEST(OptionPageChecks, RefuseUnstorableTitlesAndNumbersOutOfRange) {
    DocBuilder b;
    TablesOptionsPage tables = TablesOptionsPage::FromDocument(b.doc);
    EXPECT_FALSE(tables.Check());
    tables.values.rowFontHeight = 0;
    MaybeMessage m = tables.Check();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field, "rowFontHeight");
    tables.values.rowFontHeight = 50;
    tables.values.maxPriceDecimals = 8;
    m = tables.Check();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field, "maxPriceDecimals");

    PerformanceOptionsPage performance = PerformanceOptionsPage::FromDocument(b.doc);
    performance.returns.title2 = "Zeitraum \u2713";  // a check mark: not in Windows-1252
    m = performance.Check();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->title, "Optionen");
    EXPECT_EQ(m->field, kReturnsTitle2Field);
}

// --- Each page writes only its own options ---

TEST(OptionPages, ApplyToChangesOnlyTheirOwnOptions) {
    // Which options each page owns.
    using Copy = std::function<void(DocumentOptions & to, const DocumentOptions& from)>;
    const std::vector<std::pair<std::string, Copy>> owners = {
        {"TABELLEN >", [](auto& to, const auto& from) { to.tables = from.tables; }},
        {"Depotbestand", [](auto& to, const auto& from) { to.holdings = from.holdings; }},
        {"Realisierte G+V", [](auto& to, const auto& from) { to.realized = from.realized; }},
        {"Transaktionen", [](auto& to, const auto& from) { to.transactions = from.transactions; }},
        {"Kontobewegungen", [](auto& to, const auto& from) { to.movements = from.movements; }},
        {"REPORTE >", [](auto& to, const auto& from) { to.reports = from.reports; }},
        {"G/V-Auswertung", [](auto& to, const auto& from) { to.gainLoss = from.gainLoss; }},
        {"Performance/Rendite",
         [](auto& to, const auto& from) {
             to.performance = from.performance;
             to.returns = from.returns;
         }},
    };
    for (const auto& [title, copy] : owners) {
        SCOPED_TRACE(title);
        DocBuilder b;
        const DocumentOptions defaults = b.doc.options;
        const std::unique_ptr<OptionsPage> page = MakeOptionsPage(title, b.doc);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->Title(), title);

        // Every report option changed after the page was filled.
        DocumentOptions& o = b.doc.options;
        o.tables.rowFontHeight = 77;
        o.holdings.columnMask = 1;
        o.holdings.title = "H";
        o.realized.columnMask = 1;
        o.realized.sortKey = 3;
        o.transactions.columnMask = 4;
        o.transactions.sortKeys = {1, 2, 3};
        o.movements.endOfDayBalance = 1;
        o.reports.smallFontHeight = 33;
        o.gainLoss.itemMask = 1;
        o.performance.showPeriods = 0;
        o.returns.order = kReturnsByName;
        const DocumentOptions changed = o;

        page->ApplyTo(b.doc);
        DocumentOptions expected = changed;
        copy(expected, defaults);  // the page's own group goes back to what the page showed
        EXPECT_EQ(b.doc.options, expected);
    }
}

// --- The arrangement into sheets ---

TEST(OptionsSheets, FullSheetAndTheSheetsOfTheViews) {
    DocBuilder b;
    auto titles = [](const OptionsSheet& sheet) {
        std::vector<std::string> list;
        for (size_t i = 0; i < sheet.PageCount(); ++i) list.push_back(sheet.Page(i).Title());
        return list;
    };
    EXPECT_EQ(titles(OptionsSheet::FromDocument(b.doc)),
              (std::vector<std::string>{
                  "Allgemein", "TABELLEN >", "Depotbestand", "Realisierte G+V", "Transaktionen",
                  "Kontobewegungen", "Wertpapiere", "LISTEN >", "Depotentwicklung", "Kurse",
                  "DIAGRAMME >", "Depotentw./Wertp.", "Charts", "DEPOTANALYSE/-VERTEILUNG",
                  "REPORTE >", "G/V-Auswertung", "Performance/Rendite"}));
    const struct {
        int view;
        std::vector<std::string> pages;
    } cases[] = {
        {1, {"Depotbestand", "TABELLEN >"}},
        {2, {"Realisierte G+V", "TABELLEN >"}},
        {3, {"Transaktionen", "TABELLEN >"}},
        {4, {"Kontobewegungen", "TABELLEN >"}},
        {21, {"G/V-Auswertung", "REPORTE >"}},
        {22, {"Performance/Rendite", "REPORTE >"}},
        {23, {"Performance/Rendite", "REPORTE >"}},
        {5, {"Wertpapiere", "TABELLEN >"}},
        {101, {"Depotentw./Wertp.", "DIAGRAMME >"}},  // a diagram: its page and "DIAGRAMME >"
        {0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        EXPECT_EQ(titles(OptionsSheet::ForView(b.doc, c.view)), c.pages);
    }
}

// A column switched off on the page is gone from the report after saving and reopening.
TEST(OptionsSheets, ColumnSwitchedOffStaysOffAfterSaveAndReopen) {
    DocBuilder b;
    const int32_t security = b.Security("Alpha");
    b.Buy(Day(2, 1, 2020), security, 10, 50.0);
    const CQRNDatum date = Day(30, 6, 2020);
    auto headers = [&](const CFolari2Doc& doc) {
        const auto table = BuildHoldingsReport(doc, date);
        std::vector<std::string> list;
        for (int c = 0; c < table->ColumnCount(); ++c) list.push_back(table->CellText(1, c));
        return list;
    };
    const std::vector<std::string> before = headers(b.doc);
    ASSERT_NE(std::find(before.begin(), before.end(), "WKN"), before.end());

    OptionsSheet sheet = OptionsSheet::ForView(b.doc, 1);
    auto& page = As<HoldingsOptionsPage>(sheet, 0);
    ItemWithBit(page.columns, 1).checked = false;  // "WKN"
    ASSERT_TRUE(sheet.Apply(b.doc));
    EXPECT_TRUE(b.doc.IsModified());

    const std::string bytes = WriteDocument(b.doc);
    ReadSettings settings;
    settings.today = date;
    const ReadResult reopened = ReadDocument(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), settings);
    const std::vector<std::string> after = headers(reopened.doc);
    EXPECT_EQ(std::find(after.begin(), after.end(), "WKN"), after.end());
    EXPECT_EQ(after.size(), before.size() - 1);
}

}  // namespace
}  // namespace pf::testing

#include "shell/chart_option_pages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "charts/chart_builders.h"
#include "engine/engine_test_util.h"
#include "shell/dialog_bar_rules.h"
#include "shell/position_choice_form.h"
#include "shell/report_option_table.h"

namespace pf::testing {
namespace {

std::vector<std::string> Titles(const OptionsSheet& sheet) {
    std::vector<std::string> list;
    for (size_t i = 0; i < sheet.PageCount(); ++i) list.push_back(sheet.Page(i).Title());
    return list;
}

// --- Loading and writing back ---

TEST(ChartOptionPages, PagesShowTheStoredValuesAndOkWritesOnlyTheirOwnGroup) {
    DocBuilder b;
    b.doc.options.diagramsAppearance.width = 1234;
    b.doc.options.diagrams.positionsTitle = "Meine <BEZEICHNUNGEN>";
    b.doc.options.chart.averages[2].period = 7;

    DiagramsOptionsPage look = DiagramsOptionsPage::FromDocument(b.doc);
    DiagramOptionsPage diagram = DiagramOptionsPage::FromDocument(b.doc);
    ChartOptionsPage chart = ChartOptionsPage::FromDocument(b.doc);
    EXPECT_EQ(look.values.width, 1234);
    EXPECT_EQ(diagram.values.positionsTitle, "Meine <BEZEICHNUNGEN>");
    EXPECT_EQ(chart.values.averages[2].period, 7);

    const DocumentOptions before = b.doc.options;
    look.values.face = "Liberation Serif";
    look.values.titleFontHeight = 80;
    diagram.values.developmentLineColour = StoredColour(1, 2, 3);
    diagram.values.correctAssets = 1;
    diagram.values.correctionRelativeToEnd = 1;
    chart.values.averages[0].enabled = 0;
    chart.values.sellColour = StoredColour(10, 20, 30);
    chart.values.splitHandling = kSplitsAsStored;
    for (const OptionsPage* page :
         {static_cast<const OptionsPage*>(&look), static_cast<const OptionsPage*>(&diagram),
          static_cast<const OptionsPage*>(&chart)}) {
        SCOPED_TRACE(page->Title());
        EXPECT_FALSE(page->Check());
        page->ApplyTo(b.doc);
    }
    DocumentOptions expected = before;
    expected.diagramsAppearance = look.values;
    expected.diagrams = diagram.values;
    expected.chart = chart.values;
    EXPECT_EQ(b.doc.options, expected);
    EXPECT_EQ(b.doc.options.chart.sellColour, 0x021E140A);  // 0x02 BB=30 GG=20 RR=10
    EXPECT_EQ(b.doc.options.diagrams.correctionRelativeToEnd, 1);
}

TEST(ChartOptionPages, ListsAndPlaceholdersOfThePages) {
    DocBuilder b;
    const DiagramOptionsPage diagram = DiagramOptionsPage::FromDocument(b.doc);
    EXPECT_EQ(diagram.currencies.size(), CurrencyChoices(b.doc).size());
    EXPECT_EQ(diagram.developmentPlaceholders,
              (std::vector<std::string>{"<STANDARDTITEL>", "<STARTDATUM>", "<ENDDATUM>",
                                        "<INHABER>", "<KONTONUMMER>", "<DEPOTNUMMER>"}));
    // Only the positions diagram names its securities.
    EXPECT_EQ(diagram.positionsPlaceholders.size(), 7u);
    EXPECT_EQ(diagram.positionsPlaceholders.back(), "<BEZEICHNUNGEN>");

    const ChartOptionsPage chart = ChartOptionsPage::FromDocument(b.doc);
    EXPECT_EQ(chart.placeholders,
              (std::vector<std::string>{"<BEZEICHNUNG>", "<WKN>", "<KUERZEL>", "<ISIN>",
                                        "<STARTDATUM>", "<ENDDATUM>"}));
    // The four split modes in their stored order.
    ASSERT_EQ(chart.splitHandlings.size(), 4u);
    for (int32_t mode = 0; mode < 4; ++mode) EXPECT_EQ(chart.splitHandlings[mode].value, mode);
    EXPECT_EQ(chart.splitHandlings[3].text, "Kurse &unverändert aus Datenbank übernehmen");

    // A placeholder picked on "<PH>" replaces the selected "<WKN>" of the default title.
    const PlaceholderInsertion inserted =
        InsertPlaceholder(chart.values.title, 15, 5, "<ISIN>");  // "<BEZEICHNUNG> (<WKN>)"
    EXPECT_EQ(inserted.text, "<BEZEICHNUNG> (<ISIN>)");
}

// --- Checks ---

TEST(ChartOptionPages, RefuseValuesThatWouldBreakADrawingWithTheFocusOnTheField) {
    struct Case {
        const char* what;
        std::function<MaybeMessage(const CFolari2Doc&)> check;
        const char* field;
        const char* text;  // the message, or nullptr for "any"
    };
    auto look = [](std::function<void(DiagramsAppearance&)> change) {
        return [change](const CFolari2Doc& doc) {
            DiagramsOptionsPage page = DiagramsOptionsPage::FromDocument(doc);
            change(page.values);
            return page.Check();
        };
    };
    auto diagram = [](std::function<void(DiagramOptions&)> change) {
        return [change](const CFolari2Doc& doc) {
            DiagramOptionsPage page = DiagramOptionsPage::FromDocument(doc);
            change(page.values);
            return page.Check();
        };
    };
    auto chart = [](std::function<void(ChartOptions&)> change) {
        return [change](const CFolari2Doc& doc) {
            ChartOptionsPage page = ChartOptionsPage::FromDocument(doc);
            change(page.values);
            return page.Check();
        };
    };
    const std::string checkMark = "\u2713";  // not in Windows-1252
    const Case cases[] = {
        {"face", look([&](auto& v) { v.face = checkMark; }), "face", nullptr},
        {"width 99", look([](auto& v) { v.width = 99; }), "width",
         "Bitte geben Sie für „Breite“ eine ganze Zahl von 100 bis 5000 ein!"},
        {"height 0", look([](auto& v) { v.height = 0; }), "height", nullptr},
        {"border -1", look([](auto& v) { v.border = -1; }), "border", nullptr},
        {"inner margin 1001", look([](auto& v) { v.innerMargin = 1001; }), "innerMargin", nullptr},
        {"label font 9", look([](auto& v) { v.labelFontHeight = 9; }), "labelFontHeight",
         "Bitte geben Sie für „Beschriftung“ eine ganze Zahl von 10 bis 500 ein!"},
        {"title font 0", look([](auto& v) { v.titleFontHeight = 0; }), "titleFontHeight", nullptr},
        {"development title", diagram([&](auto& v) { v.developmentTitle = checkMark; }),
         "developmentTitle", nullptr},
        {"positions title", diagram([&](auto& v) { v.positionsTitle = checkMark; }),
         "positionsTitle", nullptr},
        {"positions line -1", diagram([](auto& v) { v.positionsLineWidth = -1; }),
         "positionsLineWidth", nullptr},
        {"chart title", chart([&](auto& v) { v.title = checkMark; }), "title", nullptr},
        {"chart line 101", chart([](auto& v) { v.lineWidth = 101; }), "lineWidth", nullptr},
        // An average over no quotes has no value; the third row names its own field.
        {"average 3 period 0", chart([](auto& v) { v.averages[2].period = 0; }), "average3Period",
         "Bitte geben Sie für „Tage“ eine ganze Zahl von 1 bis 10000 ein!"},
        {"average 1 width", chart([](auto& v) { v.averages[0].width = -1; }), "average1Width",
         nullptr},
        {"marker width", chart([](auto& v) { v.markerWidth = 101; }), "markerWidth", nullptr},
        {"split mode 4", chart([](auto& v) { v.splitHandling = 4; }), "splits", nullptr},
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
    // The edges themselves pass.
    EXPECT_FALSE(look([](auto& v) {
        v.width = 100;
        v.labelFontHeight = 10;
    })(b.doc));
    EXPECT_FALSE(chart([](auto& v) {
        v.averages[1].period = 1;
        v.averages[1].width = 0;
    })(b.doc));
}

// --- The sheets ---

TEST(ChartOptionPages, DiagramAndChartViewsOpenTheirPageWithDiagramsAppearance) {
    DocBuilder b;
    const struct {
        int view;
        std::vector<std::string> pages;
    } cases[] = {
        {101, {"Depotentw./Wertp.", "DIAGRAMME >"}},
        {102, {"Depotentw./Wertp.", "DIAGRAMME >"}},
        {151, {"Charts", "DIAGRAMME >"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        EXPECT_EQ(Titles(OptionsSheet::ForView(b.doc, c.view)), c.pages);
    }
    // A refusal of the appearance page names it, and nothing is written.
    OptionsSheet sheet = OptionsSheet::ForView(b.doc, 151);
    dynamic_cast<DiagramsOptionsPage&>(sheet.Page(1)).values.height = 50;
    const std::optional<OptionsRefusal> refusal = sheet.Check();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->page, 1u);
    EXPECT_EQ(refusal->message.field, "height");
    const DocumentOptions before = b.doc.options;
    EXPECT_FALSE(sheet.Apply(b.doc));
    EXPECT_EQ(b.doc.options, before);
}

// --- "Wertpapierpositionen auswählen" ---

class PositionChoiceTest : public ::testing::Test {
  protected:
    PositionChoiceTest() {
        zeta = b.Security("Zeta", "Z1");
        alpha = b.Security("Alpha", "A1");
        zetaLot = b.Buy(DateOf(3, 2, 2020), zeta, 5, 10.0).positionNo;
        alphaLate = b.Buy(DateOf(9, 3, 2020), alpha, 2.5, 20.0).positionNo;
        alphaEarly = b.Buy(DateOf(4, 2, 2020), alpha, 1000, 1.0).positionNo;
        sold = b.Sell(DateOf(1, 4, 2020), alpha, {{alphaEarly, 1000}}, 1.5).newNumbers.at(0);
    }
    DocBuilder b;
    int32_t zeta = -1, alpha = -1;
    int32_t zetaLot = -1, alphaLate = -1, alphaEarly = -1, sold = -1;
};

TEST_F(PositionChoiceTest, ListsEveryLotByNameAndPurchaseDateWithSaleDateOrOpen) {
    const PositionChoiceForm form = PositionChoiceForm::FromDocument(b.doc, {});
    // The whole purchase of "Alpha" on 4.2. was sold: one closed lot, then the later open one.
    ASSERT_EQ(form.lines.size(), 3u);
    const PositionChoiceLine& first = form.lines[0];
    EXPECT_EQ(first.positionNo, sold);
    EXPECT_EQ(first.name, "Alpha");
    EXPECT_EQ(first.wkn, "A1");
    EXPECT_EQ(first.purchaseDate, "04.02.2020");
    EXPECT_EQ(first.quantity, "1.000");
    EXPECT_EQ(first.saleDate, "01.04.2020");
    EXPECT_EQ(form.lines[1].positionNo, alphaLate);
    EXPECT_EQ(form.lines[1].quantity, "2,5");
    EXPECT_EQ(form.lines[1].saleDate, "offen");
    EXPECT_EQ(form.lines[2].name, "Zeta");
    EXPECT_EQ(form.lines[2].saleDate, "offen");
    for (const PositionChoiceLine& line : form.lines) EXPECT_FALSE(line.checked);
}

TEST_F(PositionChoiceTest, TicksTheStoredChoiceAndHandsBackTheTickedNumbers) {
    // 999 names no lot (its transaction was deleted): it is not kept.
    PositionChoiceForm form = PositionChoiceForm::FromDocument(b.doc, {zetaLot, 999});
    EXPECT_EQ(form.Chosen(), std::vector<int32_t>{zetaLot});
    form.MarkAll();
    EXPECT_EQ(form.Chosen(), (std::vector<int32_t>{sold, alphaLate, zetaLot}));
    form.MarkNone();
    EXPECT_TRUE(form.Chosen().empty());
    form.lines[1].checked = true;
    EXPECT_EQ(form.Chosen(), std::vector<int32_t>{alphaLate});
}

// --- The chart's security selector ---

TEST(ChartSecuritySelector, SkipsSecuritiesWithoutChartAndKeepsTheChoiceValid) {
    DocBuilder b;
    EXPECT_EQ(ChartSecurityFor(b.doc, 5), -1);  // no security at all
    const int32_t hidden = b.Security("Ohne Chart");
    b.doc.FindSecurity(hidden)->noChart = 1;
    EXPECT_TRUE(ChartSecurityIds(b.doc).empty());
    EXPECT_EQ(ChartSecurityFor(b.doc, hidden), -1);  // only a hidden one
    const int32_t first = b.Security("Erstes");
    const int32_t second = b.Security("Zweites");
    EXPECT_EQ(ChartSecurityIds(b.doc), (std::vector<int32_t>{first, second}));
    EXPECT_EQ(ChartSecurityFor(b.doc, second), second);
    EXPECT_EQ(ChartSecurityFor(b.doc, hidden), first);
    EXPECT_EQ(ChartSecurityFor(b.doc, -1), first);
}

// --- By name on the command line ---

const ReportOptionEntry& Entry(const std::string& name) {
    for (const ReportOptionEntry& e : ReportOptionEntries())
        if (name == e.name) return e;
    ADD_FAILURE() << "no option " << name;
    return ReportOptionEntries().front();
}

TEST(ChartOptionNames, ColoursReadAndWriteAsRgbTextWithThePaletteFlag) {
    DocBuilder b;
    // The default buy colour RGB(0, 240, 0) is stored 0x0200F000 and shown "#00F000".
    EXPECT_EQ(ReportOptionValue(b.doc, Entry("chart.buy-colour")), "#00F000");
    EXPECT_EQ(ReportOptionValue(b.doc, Entry("diagrams.development-line-colour")), "#0000A0");

    EXPECT_FALSE(SetReportOption(b.doc, "chart.average2.colour", "#12aB3c"));
    EXPECT_EQ(b.doc.options.chart.averages[1].colour, 0x023CAB12);  // 0x02 BB GG RR
    EXPECT_EQ(ReportOptionValue(b.doc, Entry("chart.average2.colour")), "#12AB3C");

    const DocumentOptions before = b.doc.options;
    for (const char* bad : {"12AB3C", "#12AB3", "#12AB3C0", "#12AB3G", "#-12AB3", ""}) {
        SCOPED_TRACE(bad);
        const MaybeMessage m = SetReportOption(b.doc, "chart.sell-colour", bad);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->text,
                  "Der Wert von „chart.sell-colour“ muss eine Farbe der Form #RRGGBB sein "
                  "(z. B. #FF8000).");
    }
    EXPECT_EQ(b.doc.options, before);
}

TEST(ChartOptionNames, NumbersKeepThePagesRanges) {
    const struct {
        const char* name;
        const char* tooLow;
        const char* lowest;
    } cases[] = {
        {"diagrams-look.width", "99", "100"}, {"diagrams-look.label-font", "9", "10"},
        {"chart.average3.period", "0", "1"},  {"chart.marker-width", "-1", "0"},
        {"chart.split-handling", "-1", "0"},
    };
    DocBuilder b;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(SetReportOption(b.doc, c.name, c.tooLow));
        EXPECT_FALSE(SetReportOption(b.doc, c.name, c.lowest));
        EXPECT_EQ(ReportOptionValue(b.doc, Entry(c.name)), c.lowest);
    }
    EXPECT_EQ(b.doc.options.chart.averages[2].period, 1);
    EXPECT_FALSE(SetReportOption(b.doc, "diagrams.currency", "DM"));
    EXPECT_EQ(ReportOptionValue(b.doc, Entry("diagrams.currency")), "DM");
}

}  // namespace
}  // namespace pf::testing

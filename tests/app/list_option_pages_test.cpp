// The option pages of the day-by-day tables, the depot analysis and the securities list in
// the sheet "Optionen": which pages the views open, what the widgets show and what OK writes.
#include "shell/list_option_pages.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/dialogs/list_option_page_views.h"
#include "app/dialogs/options_dialog.h"
#include "dialog_test.h"
#include "model/document.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

CFolari2Doc NewDoc() {
    CFolari2Doc doc;
    NewDocumentChoices choices;
    choices.legacyCurrencyMask = 1;  // the euro and the DM
    doc.NewDocument(choices, DateOf(15, 6, 2026));
    return doc;
}

int32_t AddSecurity(CFolari2Doc& doc, const std::string& name, const std::string& wkn) {
    CFL2Wertpapier s;
    s.name = name;
    s.wkn = wkn;
    const AddResult r = doc.AddSecurity(s);
    EXPECT_EQ(r.result, DocResult::Ok);
    return r.id;
}

QStringList Tabs(const OptionsDialog& dialog) {
    QStringList tabs;
    for (int i = 0; i < dialog.Pages()->count(); ++i) tabs << dialog.Pages()->tabText(i);
    return tabs;
}

QTreeWidgetItem* ItemWithData(QTreeWidget* list, int value) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->data(0, Qt::UserRole).toInt() == value)
            return list->topLevelItem(i);
    ADD_FAILURE() << "no item with " << value;
    return list->topLevelItem(0);
}

using ListOptionPagesTest = DialogTest;

TEST_F(ListOptionPagesTest, ViewsOpenTheirPagesWithTheAppearancePageOfTheirGroup) {
    const CFolari2Doc doc = NewDoc();
    const struct {
        int view;
        QStringList tabs;
        QString firstPage;
    } cases[] = {
        {5, {u"Wertpapiere"_s, u"TABELLEN >"_s}, u"securitiesPage"_s},
        {51, {u"Depotentwicklung"_s, u"LISTEN >"_s}, u"developmentPage"_s},
        {52, {u"Kurse"_s, u"LISTEN >"_s}, u"quotesPage"_s},
        {201, {u"DEPOTANALYSE/-VERTEILUNG"_s}, u"analysisPage"_s},
        {202, {u"DEPOTANALYSE/-VERTEILUNG"_s}, u"analysisPage"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        OptionsDialog dialog(doc, OptionPageTitlesOfView(c.view));
        EXPECT_EQ(Tabs(dialog), c.tabs);
        EXPECT_EQ(dialog.Pages()->widget(0)->objectName(), c.firstPage);
    }
    // The full sheet's factories follow its titles: each tab shows the page of its title.
    OptionsDialog full(doc);
    const QStringList tabs = Tabs(full);
    EXPECT_EQ(full.Pages()->widget(tabs.indexOf(u"LISTEN >"_s))->objectName(), u"listsPage"_s);
    EXPECT_EQ(full.Pages()->widget(tabs.indexOf(u"REPORTE >"_s))->objectName(), u"reportsPage"_s);
    EXPECT_EQ(full.Pages()->widget(tabs.indexOf(u"Performance/Rendite"_s))->objectName(),
              u"performancePage"_s);
}

TEST_F(ListOptionPagesTest, ListsPageRoundTripsEveryValue) {
    CFolari2Doc doc = NewDoc();
    doc.options.lists.repeatVerticalTexts = 0;
    OptionsDialog dialog(doc, {kListsPageTitle});
    QWidget* page = dialog.Pages()->widget(0);
    EXPECT_EQ(Find<QComboBox>(page, "screenStyle")->currentText(), u"Farbe"_s);
    EXPECT_EQ(Find<QSpinBox>(page, "verticalFontHeight")->value(), 40);
    EXPECT_EQ(LabelOf(page, "verticalTextDistance"), u"Ab&stand:"_s);
    EXPECT_EQ(LabelOf(page, "columnTitleFontHeight"), u"Spa&ltentitel:"_s);
    auto* distance = Find<QSpinBox>(page, "verticalTextDistance");
    EXPECT_FALSE(distance->isEnabled());  // no repetition, no distance
    EXPECT_EQ(distance->minimum(), 1);
    Find<QCheckBox>(page, "repeatVerticalTexts")->setChecked(true);
    EXPECT_TRUE(distance->isEnabled());

    Choose(page, "printStyle", u"Graustufen"_s);
    Find<QFontComboBox>(page, "face")->setCurrentText(u"Liberation Serif"_s);
    Find<QSpinBox>(page, "outerMargin")->setValue(12);
    Find<QSpinBox>(page, "normalFontHeight")->setValue(45);
    Find<QSpinBox>(page, "columnTitleFontHeight")->setValue(46);
    Find<QSpinBox>(page, "verticalFontHeight")->setValue(47);
    Find<QCheckBox>(page, "dateColumnEveryPage")->setChecked(false);
    Find<QCheckBox>(page, "repeatColumnTitles")->setChecked(false);
    Find<QSpinBox>(page, "marginLeft")->setValue(101);
    Find<QSpinBox>(page, "marginRight")->setValue(102);
    Find<QSpinBox>(page, "marginTop")->setValue(103);
    Find<QSpinBox>(page, "marginBottom")->setValue(104);
    Find<QSpinBox>(page, "priceDecimals")->setValue(4);
    Find<QSpinBox>(page, "percentDecimals")->setValue(3);
    distance->setValue(25);
    dialog.ApplyTo(doc);

    const ListsAppearance expected = {
        3, 2, "Liberation Serif", 12, 45, 46, 47, 0, 101, 103, 102, 104, 0, 4, 3, 1, 25};
    EXPECT_EQ(doc.options.lists, expected);
}

TEST_F(ListOptionPagesTest, DevelopmentPageRoundTripsItemsCurrenciesAndCorrection) {
    CFolari2Doc doc = NewDoc();
    ASSERT_GE(doc.currencies.size(), 2u);
    const int32_t dm = doc.currencies[1].id;
    OptionsDialog dialog(doc, OptionPageTitlesOfView(51));
    QWidget* page = dialog.Pages()->widget(0);
    auto* items = Find<QTreeWidget>(page, "items");
    EXPECT_EQ(ItemWithData(items, 19)->text(0), u"   - Liquiditätsquote in %"_s);
    EXPECT_EQ(ItemWithData(items, 19)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(ItemWithData(items, 18)->checkState(0), Qt::Checked);
    EXPECT_EQ(Find<QComboBox>(page, "sortKey")->currentText(), u"Bezeichnung"_s);
    EXPECT_TRUE(Find<QRadioButton>(page, "relativeToStart")->isChecked());

    ItemWithData(items, 19)->setCheckState(0, Qt::Checked);
    ItemWithData(items, 4)->setCheckState(0, Qt::Unchecked);
    Find<QComboBox>(page, "accountCurrency")->setCurrentIndex(1);
    Choose(page, "sortKey", u"Kaufdatum"_s);
    Find<QCheckBox>(page, "columnPerLot")->setChecked(true);
    Find<QCheckBox>(page, "equalWidths")->setChecked(true);
    Find<QCheckBox>(page, "includeCommissions")->setChecked(false);
    Find<QCheckBox>(page, "correctAssets")->setChecked(true);
    Find<QRadioButton>(page, "relativeToEnd")->setChecked(true);

    // "<STUECK>" from the placeholder button goes in place of the selected "<BEZEICHNUNG>".
    auto* text = Find<QLineEdit>(page, "positionText");
    text->selectAll();
    QMenu* menu = Find<QPushButton>(page, "positionTextPlaceholders")->menu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 12);
    EXPECT_EQ(menu->actions().at(5)->text(), u"<STUECK>"_s);
    menu->actions().at(5)->trigger();
    EXPECT_EQ(text->text(), u"<STUECK>"_s);

    dialog.ApplyTo(doc);
    const DevelopmentReportOptions& v = doc.options.development;
    // The default items with bit 19 on and bit 4 off: 2^19 = 0x80000, 2^4 = 0x10.
    EXPECT_EQ(static_cast<uint32_t>(v.itemMask), (kDefaultDevelopmentItems | 0x80000u) & ~0x10u);
    EXPECT_EQ(v.positionText, "<STUECK>");
    EXPECT_EQ(v.depotCurrencyId, 0);
    EXPECT_EQ(v.accountCurrencyId, dm);
    EXPECT_EQ(v.assetsCurrencyId, 0);
    EXPECT_EQ(v.sortKey, kDevelopmentByPurchaseDate);
    EXPECT_EQ(v.columnPerLot, 1);
    EXPECT_EQ(v.equalWidths, 1);
    EXPECT_EQ(v.includeCommissions, 0);
    EXPECT_EQ(v.correctAccount, 0);
    EXPECT_EQ(v.correctAssets, 1);
    EXPECT_EQ(v.correctionRelativeToEnd, 1);
}

TEST_F(ListOptionPagesTest, QuotesPageTicksSecuritiesAndChoosesFilterAndSplits) {
    CFolari2Doc doc = NewDoc();
    const int32_t alpha = AddSecurity(doc, "Alpha AG", "A00001");
    const int32_t beta = AddSecurity(doc, "Beta AG", "B00002");
    doc.FindSecurity(beta)->aux1 = 1;
    OptionsDialog dialog(doc, OptionPageTitlesOfView(52));
    QWidget* page = dialog.Pages()->widget(0);
    auto* securities = Find<QTreeWidget>(page, "securities");
    ASSERT_EQ(securities->topLevelItemCount(), 2);
    EXPECT_EQ(securities->topLevelItem(0)->text(0), u"Alpha AG"_s);
    EXPECT_EQ(securities->topLevelItem(0)->text(1), u"A00001"_s);
    EXPECT_EQ(ItemWithData(securities, beta)->checkState(0), Qt::Checked);
    EXPECT_TRUE(Find<QRadioButton>(page, "filter0")->isChecked());
    EXPECT_FALSE(securities->isEnabled());  // the ticks count only for "folgende Wertpapiere"
    EXPECT_TRUE(Find<QRadioButton>(page, "splits1")->isChecked());
    EXPECT_EQ(Find<QRadioButton>(page, "splits3")->text(),
              u"Kurse &unverändert aus Datenbank übernehmen"_s);

    Find<QRadioButton>(page, "filter2")->setChecked(true);
    EXPECT_TRUE(securities->isEnabled());
    ItemWithData(securities, alpha)->setCheckState(0, Qt::Checked);
    ItemWithData(securities, beta)->setCheckState(0, Qt::Unchecked);
    Find<QRadioButton>(page, "splits2")->setChecked(true);
    Choose(page, "sortKey", u"WKN"_s);
    Find<QCheckBox>(page, "equalWidths")->setChecked(true);
    Type(page, "columnText", u"<WKN>"_s);

    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    dialog.ApplyTo(doc);
    EXPECT_EQ(doc.options.quotes.filter, kQuotesOfChosenSecurities);
    EXPECT_EQ(doc.options.quotes.splitHandling, kSplitsFullyAdjusted);
    EXPECT_EQ(doc.options.quotes.sortKey, kQuotesByWkn);
    EXPECT_EQ(doc.options.quotes.equalWidths, 1);
    EXPECT_EQ(doc.options.quotes.titleTemplate, "<WKN>");
    EXPECT_EQ(doc.FindSecurity(alpha)->aux1, 1);
    EXPECT_EQ(doc.FindSecurity(beta)->aux1, 0);
}

TEST_F(ListOptionPagesTest, AnalysisPageRoundTripsAndRefusesAnUnstorableFace) {
    CFolari2Doc doc = NewDoc();
    const int32_t dm = doc.currencies.at(1).id;
    OptionsDialog dialog(doc, OptionPageTitlesOfView(201));
    dialog.show();
    QWidget* page = dialog.Pages()->widget(0);
    EXPECT_EQ(Find<QComboBox>(page, "sortKey")->currentText(), u"Kaufdatum"_s);  // stored -1
    EXPECT_EQ(LabelOf(page, "fontHeight"), u"Schriftgröße (&Zeilenhöhe):"_s);
    EXPECT_EQ(Find<QSpinBox>(page, "columnWidth")->value(), 250);

    Find<QFontComboBox>(page, "face")->setCurrentText(u"Schrift \u2713"_s);  // not storable
    ClickOk(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Optionen");
    EXPECT_TRUE(dialog.isVisible());
    QWidget* face = Find<QFontComboBox>(page, "face");
    EXPECT_TRUE(dialog.focusWidget() == face || face->isAncestorOf(dialog.focusWidget()));

    Find<QFontComboBox>(page, "face")->setCurrentText(u"Liberation Sans"_s);
    Find<QSpinBox>(page, "fontHeight")->setValue(45);
    Find<QSpinBox>(page, "outerMargin")->setValue(25);
    Find<QSpinBox>(page, "textSpacing")->setValue(15);
    Find<QSpinBox>(page, "columnWidth")->setValue(300);
    Find<QSpinBox>(page, "firstColumnWidth")->setValue(400);
    Find<QSpinBox>(page, "marginLeft")->setValue(101);
    Find<QSpinBox>(page, "marginRight")->setValue(102);
    Find<QSpinBox>(page, "marginTop")->setValue(103);
    Find<QSpinBox>(page, "marginBottom")->setValue(104);
    Choose(page, "sortKey", u"Bezeichnung"_s);
    Find<QRadioButton>(page, "descending")->setChecked(true);
    Find<QCheckBox>(page, "includeCommissions")->setChecked(false);
    Find<QCheckBox>(page, "includeDividends")->setChecked(true);
    Find<QCheckBox>(page, "mergePositions")->setChecked(true);
    Find<QSpinBox>(page, "priceDecimals")->setValue(3);
    Find<QSpinBox>(page, "percentDecimals")->setValue(2);
    Find<QComboBox>(page, "currency")->setCurrentIndex(1);
    Find<QCheckBox>(page, "stopTarget")->setChecked(false);
    shown().clear();
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    dialog.ApplyTo(doc);
    const AnalysisOptions expected = {
        "Liberation Sans", 45, 25, 15, 300, 400, 101, 103, 102, 104, 0, 1, 0, 1, 1, 3, 2, dm, 0};
    EXPECT_EQ(doc.options.analysis, expected);
}

TEST_F(ListOptionPagesTest, SecuritiesPageRoundTripsColumnsTitleAndSortKeys) {
    CFolari2Doc doc = NewDoc();
    doc.options.ownCategoryCaption1 = "Risiko";
    OptionsDialog dialog(doc, OptionPageTitlesOfView(5));
    QWidget* page = dialog.Pages()->widget(0);
    auto* columns = Find<QTreeWidget>(page, "columns");
    EXPECT_EQ(ItemWithData(columns, 10)->text(0), u"Risiko"_s);
    EXPECT_EQ(ItemWithData(columns, 10)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(Find<QComboBox>(page, "sortKey1")->currentText(), u"(keine Sortierung)"_s);
    EXPECT_TRUE(Items(page, "sortKey2").contains(u"Risiko"_s));
    EXPECT_EQ(Find<QLineEdit>(page, "title")->text(), u"Wertpapiere am <DATUM>"_s);

    ItemWithData(columns, 10)->setCheckState(0, Qt::Checked);
    ItemWithData(columns, 0)->setCheckState(0, Qt::Unchecked);
    Type(page, "title", u"Meine Wertpapiere"_s);
    Choose(page, "sortKey1", u"Risiko"_s);
    Choose(page, "sortKey3", u"Maximum Drawdown"_s);
    Find<QRadioButton>(page, "descending")->setChecked(true);
    Find<QCheckBox>(page, "useLastPrice")->setChecked(false);
    Find<QCheckBox>(page, "onlyInDepot")->setChecked(true);
    dialog.ApplyTo(doc);
    const SecuritiesListOptions& v = doc.options.securitiesList;
    // The default columns with bit 10 on (0x400) and bit 0 off (0x1).
    EXPECT_EQ(static_cast<uint32_t>(v.columnMask), (kDefaultSecuritiesColumns | 0x400u) & ~0x1u);
    EXPECT_EQ(v.title, "Meine Wertpapiere");
    EXPECT_EQ(v.sortKeys, (std::array<int32_t, 3>{kSecuritiesByCategory1, kSecuritiesUnsorted,
                                                  kSecuritiesByDrawdown}));
    EXPECT_EQ(v.sortDescending, 1);
    EXPECT_EQ(v.useLastPrice, 0);
    EXPECT_EQ(v.onlyInDepot, 1);
}

}  // namespace
}  // namespace pf

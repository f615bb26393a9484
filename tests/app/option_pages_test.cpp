// The report option pages in the sheet "Optionen": which pages a view's options command
// shows, what the widgets hold and what OK writes.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "app/dialogs/options_dialog.h"
#include "app/dialogs/report_option_page_views.h"
#include "app/document_handle.h"
#include "app/main_window.h"
#include "app/report_view.h"
#include "dialog_test.h"
#include "model/archive/document_file.h"
#include "model/document.h"
#include "platform/clipboard.h"
#include "platform/settings_store.h"
#include "qtcanvas/qt_string.h"
#include "reports/holdings_report.h"
#include "reports/report_table.h"
#include "samples/demo_portfolios.h"
#include "shell/report_option_pages.h"

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

QStringList Tabs(const OptionsDialog& dialog) {
    QStringList tabs;
    for (int i = 0; i < dialog.Pages()->count(); ++i) tabs << dialog.Pages()->tabText(i);
    return tabs;
}

QTreeWidgetItem* ItemWithBit(QTreeWidget* list, int bit) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->data(0, Qt::UserRole).toInt() == bit)
            return list->topLevelItem(i);
    ADD_FAILURE() << "no item with bit " << bit;
    return list->topLevelItem(0);
}

using OptionPagesTest = DialogTest;

TEST_F(OptionPagesTest, ViewSheetsShowTheViewsPageFirstAndTheFullSheetAllPages) {
    const CFolari2Doc doc = NewDoc();
    const struct {
        int view;
        QStringList tabs;
        QString firstPage;
    } cases[] = {
        {1, {u"Depotbestand"_s, u"TABELLEN >"_s}, u"holdingsPage"_s},
        {2, {u"Realisierte G+V"_s, u"TABELLEN >"_s}, u"realizedPage"_s},
        {3, {u"Transaktionen"_s, u"TABELLEN >"_s}, u"transactionsPage"_s},
        {4, {u"Kontobewegungen"_s, u"TABELLEN >"_s}, u"movementsPage"_s},
        {21, {u"G/V-Auswertung"_s, u"REPORTE >"_s}, u"gainLossPage"_s},
        {22, {u"Performance/Rendite"_s, u"REPORTE >"_s}, u"performancePage"_s},
        {23, {u"Performance/Rendite"_s, u"REPORTE >"_s}, u"performancePage"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        OptionsDialog dialog(doc, OptionPageTitlesOfView(c.view));
        EXPECT_EQ(Tabs(dialog), c.tabs);
        EXPECT_EQ(dialog.Pages()->widget(0)->objectName(), c.firstPage);
        EXPECT_EQ(dialog.Pages()->currentIndex(), 0);
    }

    OptionsDialog full(doc);
    EXPECT_EQ(Tabs(full),
              (QStringList{u"Allgemein"_s, u"TABELLEN >"_s, u"Depotbestand"_s, u"Realisierte G+V"_s,
                           u"Transaktionen"_s, u"Kontobewegungen"_s, u"Wertpapiere"_s,
                           u"LISTEN >"_s, u"Depotentwicklung"_s, u"Kurse"_s, u"DIAGRAMME >"_s,
                           u"Depotentw./Wertp."_s, u"Charts"_s, u"DEPOTANALYSE/-VERTEILUNG"_s,
                           u"REPORTE >"_s, u"G/V-Auswertung"_s, u"Performance/Rendite"_s}));
}

TEST_F(OptionPagesTest, HoldingsPageShowsTheDocumentAndWritesWhatWasChanged) {
    CFolari2Doc doc = NewDoc();
    doc.options.holdings.sortKey = -1;  // the default key "Kaufdatum"
    doc.options.holdings.currencyId = 1;
    OptionsDialog dialog(doc, OptionPageTitlesOfView(1));
    dialog.show();
    QWidget* page = dialog.Pages()->widget(0);

    EXPECT_TRUE(Find<QPushButton>(page, "htmlConfigure")->isEnabled());
    EXPECT_EQ(Find<QComboBox>(page, "sortKey")->currentText(), u"Kaufdatum"_s);
    EXPECT_EQ(Find<QComboBox>(page, "currency")->currentData().toInt(), 1);
    EXPECT_EQ(Find<QComboBox>(page, "annualisation")->currentText(), u"exponentiell"_s);
    EXPECT_EQ(LabelOf(page, "sortKey"), u"&Sortieren nach:"_s);
    EXPECT_EQ(LabelOf(page, "columns"), u"Anzuzeigende &Daten:"_s);
    auto* columns = Find<QTreeWidget>(page, "columns");
    EXPECT_EQ(columns->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(ItemWithBit(columns, 1)->text(0), u"WKN"_s);
    EXPECT_EQ(ItemWithBit(columns, 1)->checkState(0), Qt::Checked);
    EXPECT_EQ(ItemWithBit(columns, 3)->checkState(0), Qt::Unchecked);

    ItemWithBit(columns, 1)->setCheckState(0, Qt::Unchecked);
    ItemWithBit(columns, 3)->setCheckState(0, Qt::Checked);
    Choose(page, "sortKey", u"Bezeichnung"_s);
    Find<QRadioButton>(page, "descending")->setChecked(true);
    Choose(page, "annualisation", u"stetig"_s);
    Find<QCheckBox>(page, "bracketOldQuotes")->setChecked(true);
    // The appearance page of the group is in the same sheet.
    Find<QSpinBox>(dialog.Pages()->widget(1), "rowFontHeight")->setValue(60);

    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    doc.SetModified(false);
    dialog.ApplyTo(doc);
    EXPECT_TRUE(doc.IsModified());
    const uint32_t mask = static_cast<uint32_t>(doc.options.holdings.columnMask);
    EXPECT_EQ(mask, (kDefaultHoldingsColumns & ~(1u << 1)) | (1u << 3));
    EXPECT_EQ(doc.options.holdings.sortKey, 0);
    EXPECT_EQ(doc.options.holdings.sortDescending, 1);
    EXPECT_EQ(doc.options.holdings.annualisation, kContinuous);
    EXPECT_EQ(doc.options.holdings.bracketOldQuotes, 1);
    EXPECT_EQ(doc.options.holdings.currencyId, 1);
    EXPECT_EQ(doc.options.tables.rowFontHeight, 60);
}

TEST_F(OptionPagesTest, PlaceholderReplacesTheSelectionOfItsTitle) {
    CFolari2Doc doc = NewDoc();
    OptionsDialog dialog(doc, OptionPageTitlesOfView(21));
    dialog.show();
    QWidget* page = dialog.Pages()->widget(0);
    auto* title2 = Find<QLineEdit>(page, "title2");
    title2->setText(u"Zeitraum X bis Y"_s);
    title2->setSelection(9, 1);  // "X"

    QMenu* menu = Find<QPushButton>(page, "title2Placeholders")->menu();
    ASSERT_NE(menu, nullptr);
    QStringList offered;
    for (QAction* a : menu->actions()) offered << a->text();
    EXPECT_EQ(offered, (QStringList{u"<STARTDATUM>"_s, u"<ENDDATUM>"_s, u"<DEPOTNUMMER>"_s,
                                    u"<KONTONUMMER>"_s, u"<BANKLEITZAHL>"_s, u"<INHABER>"_s}));
    Find<QLineEdit>(page, "title1")->setFocus();  // wherever the focus was, it comes back
    menu->actions().at(0)->trigger();
    EXPECT_EQ(title2->text(), u"Zeitraum <STARTDATUM> bis Y"_s);
    EXPECT_EQ(dialog.focusWidget(), title2);
    EXPECT_EQ(title2->cursorPosition(), 21);  // 9 + 12 characters of "<STARTDATUM>"
    EXPECT_EQ(Find<QLineEdit>(page, "title1")->text(),
              u"Gewinn- und Verlustauswertung für <INHABER>"_s);  // the other title untouched

    // Without a selection the placeholder goes in at the cursor.
    title2->setCursorPosition(title2->text().size());
    menu->actions().at(1)->trigger();
    EXPECT_EQ(title2->text(), u"Zeitraum <STARTDATUM> bis Y<ENDDATUM>"_s);
}

TEST_F(OptionPagesTest, GainLossItemsAboveBit31AndSizesReachTheDocument) {
    CFolari2Doc doc = NewDoc();
    OptionsDialog dialog(doc, OptionPageTitlesOfView(21));
    QWidget* page = dialog.Pages()->widget(0);
    auto* items = Find<QTreeWidget>(page, "items");
    EXPECT_EQ(ItemWithBit(items, 34)->text(0), u"ENDSUMME"_s);
    ItemWithBit(items, 34)->setCheckState(0, Qt::Unchecked);
    ItemWithBit(items, 29)->setCheckState(0, Qt::Checked);
    Find<QRadioButton>(page, "title1Small")->setChecked(true);
    Find<QCheckBox>(page, "purchaseCostsInPrice")->setChecked(true);
    dialog.ApplyTo(doc);
    EXPECT_EQ(doc.options.gainLoss.itemMask,
              (kDefaultGainLossItems & ~(uint64_t{1} << 34)) | (uint64_t{1} << 29));
    EXPECT_EQ(doc.options.gainLoss.title1Large, 0);
    EXPECT_EQ(doc.options.gainLoss.title2Large, 0);
    EXPECT_EQ(doc.options.gainLoss.purchaseCostsInPrice, 1);
}

TEST_F(OptionPagesTest, TransactionSortKeysAndPerformanceChoices) {
    CFolari2Doc doc = NewDoc();
    OptionsDialog dialog(doc, {kTransactionsPageTitle, kPerformancePageTitle});
    QWidget* transactions = dialog.Pages()->widget(0);
    EXPECT_EQ(Find<QComboBox>(transactions, "sortKey1")->currentText(),
              u"Reihenfolge der Ausführung"_s);
    EXPECT_EQ(LabelOf(transactions, "sortKey2"), u"&2."_s);
    Choose(transactions, "sortKey1", u"Datum"_s);
    Choose(transactions, "sortKey2", u"Betrag"_s);
    QWidget* performance = dialog.Pages()->widget(1);
    EXPECT_EQ(Find<QComboBox>(performance, "order")->currentText(), u"Rendite (absteigend)"_s);
    Choose(performance, "order", u"WKN"_s);
    Find<QCheckBox>(performance, "periodsEndAtMonthEnd")->setChecked(true);
    dialog.ApplyTo(doc);
    EXPECT_EQ(doc.options.transactions.sortKeys,
              (std::array<int32_t, 3>{kTransactionsByDate, kTransactionsByAmount,
                                      kTransactionsUnsorted}));
    EXPECT_EQ(doc.options.returns.order, kReturnsByWkn);
    EXPECT_EQ(doc.options.performance.periodsEndAtMonthEnd, 1);
}

TEST_F(OptionPagesTest, RefusedTitleBringsItsPageToTheFront) {
    CFolari2Doc doc = NewDoc();
    OptionsDialog dialog(doc, OptionPageTitlesOfView(22));
    dialog.show();
    dialog.Pages()->setCurrentIndex(1);
    QWidget* page = dialog.Pages()->widget(0);
    Type(page, "returnsTitle1", u"Rendite \u2713"_s);  // a check mark: not storable
    ClickOk(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Optionen");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Pages()->currentIndex(), 0);
    EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(page, "returnsTitle1"));
    const std::string before = doc.options.returns.title1;
    EXPECT_FALSE(dialog.Sheet().Apply(doc));
    EXPECT_EQ(doc.options.returns.title1, before);
}

// A column switched off on the holdings page through the sheet is gone from the holdings
// report after the document was saved and read back.
TEST_F(OptionPagesTest, ColumnSwitchedOffIsGoneAfterSaveAndReopen) {
    CFolari2Doc doc = MakeDemoPortfolio(1);
    const CQRNDatum date = DateOf(15, 6, 2026);
    auto headers = [date](const CFolari2Doc& d) {
        const std::unique_ptr<ReportTable> table = BuildHoldingsReport(d, date);
        QStringList list;
        for (int c = 0; c < table->ColumnCount(); ++c) list << ToQString(table->CellText(1, c));
        return list;
    };
    const QStringList before = headers(doc);
    ASSERT_TRUE(before.contains(u"WKN"_s)) << before.join(u'|').toStdString();

    OptionsDialog dialog(doc, OptionPageTitlesOfView(1));
    dialog.show();
    auto* columns = Find<QTreeWidget>(dialog.Pages()->widget(0), "columns");
    QTreeWidgetItem* wkn = ItemWithBit(columns, 1);
    ASSERT_EQ(wkn->text(0), u"WKN"_s);
    wkn->setCheckState(0, Qt::Unchecked);
    ClickOk(&dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    doc.SetModified(false);
    dialog.ApplyTo(doc);
    EXPECT_TRUE(doc.IsModified());

    const std::string bytes = WriteDocument(doc);
    ReadSettings settings;
    settings.today = date;
    const ReadResult reopened = ReadDocument(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), settings);
    const QStringList after = headers(reopened.doc);
    EXPECT_FALSE(after.contains(u"WKN"_s)) << after.join(u'|').toStdString();
    EXPECT_EQ(after.size(), before.size() - 1);  // only that column went
    // The reopened page shows the column unticked.
    OptionsDialog again(reopened.doc, OptionPageTitlesOfView(1));
    EXPECT_EQ(ItemWithBit(Find<QTreeWidget>(again.Pages()->widget(0), "columns"), 1)->checkState(0),
              Qt::Unchecked);
}

// "Ansichtoptionen..." of the menu "Ansicht": enabled on views with options, opening the
// active view's page with the appearance page of its group.
TEST_F(OptionPagesTest, ViewOptionsCommandOpensTheActiveViewsPages) {
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    MainWindowSetup setup;
    setup.settings = &settings;
    setup.today = DateOf(10, 12, 2026);
    setup.clipboard = &clipboard;
    MainWindow w(setup);
    QAction* command = w.FindAction(u"actionViewOptions"_s);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), u"Ansicht&optionen..."_s);
    EXPECT_FALSE(command->isEnabled());  // no document

    NewDocumentChoices choices;
    DocumentHandle* document = w.NewDocument(choices);
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(command->isEnabled());  // the holdings
    w.SetActiveViewId(101);             // the diagrams have their pages too
    EXPECT_TRUE(command->isEnabled());
    w.SetActiveViewId(21);
    EXPECT_TRUE(command->isEnabled());

    QStringList tabs;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        tabs = Tabs(*dialog);
        Find<QCheckBox>(dialog, "securityInTexts")->setChecked(true);
        ClickOk(dialog);
    });
    document->SetModified(false);
    command->trigger();
    EXPECT_EQ(tabs, (QStringList{u"G/V-Auswertung"_s, u"REPORTE >"_s}));
    EXPECT_EQ(document->Doc().options.gainLoss.securityInTexts, 1);
    EXPECT_TRUE(document->IsModified());
    document->SetModified(false);
}

}  // namespace
}  // namespace pf

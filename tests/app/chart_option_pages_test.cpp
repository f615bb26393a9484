// The chart and diagram option pages in the sheet "Optionen" and the dialog-bar controls of
// the diagrams and the chart: what the widgets show, what OK writes, what the buttons open.
#include "shell/chart_option_pages.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "app/dialog_bar.h"
#include "app/dialogs/chart_option_page_views.h"
#include "app/dialogs/options_dialog.h"
#include "app/main_window.h"
#include "app/report_view.h"
#include "engine/engine_test_util.h"
#include "window_walk.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

QStringList Tabs(const OptionsDialog& dialog) {
    QStringList tabs;
    for (int i = 0; i < dialog.Pages()->count(); ++i) tabs << dialog.Pages()->tabText(i);
    return tabs;
}

// Clicks `button` and picks `colour` in the colour dialog it opens (or cancels it).
void PickColour(ColourButton* button, const QColor& colour, bool accept = true) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        dialog->setCurrentColor(colour);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    button->click();
    EXPECT_TRUE(seen);
}

using ChartOptionPagesTest = DialogTest;

TEST_F(ChartOptionPagesTest, ChartPageShowsTheOptionsAndOkWritesThem) {
    DocBuilder b;
    b.doc.options.chart.averages[2].enabled = 0;
    b.doc.options.chart.averages[2].period = 250;
    OptionsDialog dialog(b.doc, OptionPageTitlesOfView(151));
    EXPECT_EQ(Tabs(dialog), (QStringList{u"Charts"_s, u"DIAGRAMME >"_s}));
    QWidget* page = dialog.Pages()->widget(0);

    EXPECT_EQ(Find<QLineEdit>(page, "title")->text(), u"<BEZEICHNUNG> (<WKN>)"_s);
    EXPECT_EQ(Find<QSpinBox>(page, "average3Period")->value(), 250);
    // A switched-off average keeps its fields, disabled until it is switched on.
    EXPECT_FALSE(Find<QSpinBox>(page, "average3Period")->isEnabled());
    Find<QCheckBox>(page, "average3")->setChecked(true);
    EXPECT_TRUE(Find<QSpinBox>(page, "average3Period")->isEnabled());
    EXPECT_EQ(Find<QSpinBox>(page, "average1Period")->minimum(), 1);
    auto* splits = Find<QComboBox>(page, "splits");
    ASSERT_EQ(splits->count(), 4);
    EXPECT_EQ(splits->itemText(3), u"Kurse unverändert aus Datenbank übernehmen"_s);
    EXPECT_EQ(splits->currentData().toInt(), kSplitsAdjustedBeforeEnd);

    Find<QSpinBox>(page, "lineWidth")->setValue(7);
    Find<QSpinBox>(page, "average2Period")->setValue(55);
    Find<QSpinBox>(page, "markerWidth")->setValue(2);
    splits->setCurrentIndex(2);
    // The colour dialog's choice goes into the stored form with the palette flag:
    // RGB(1, 2, 3) -> 0x02 030201.
    auto* line = Find<ColourButton>(page, "lineColour");
    PickColour(line, QColor(1, 2, 3));
    EXPECT_EQ(line->StoredValue(), 0x02030201);
    // A cancelled dialog leaves the colour.
    auto* sell = Find<ColourButton>(page, "sellColour");
    PickColour(sell, QColor(9, 9, 9), false);
    EXPECT_EQ(sell->StoredValue(), StoredColour(240, 0, 0));
    PickColour(Find<ColourButton>(page, "buyColour"), QColor(0, 0, 255));

    dialog.ApplyTo(b.doc);
    const ChartOptions& c = b.doc.options.chart;
    EXPECT_EQ(c.lineWidth, 7);
    EXPECT_EQ(c.lineColour, 0x02030201);
    EXPECT_EQ(c.buyColour, 0x02FF0000);  // blue is the high byte
    EXPECT_EQ(c.sellColour, StoredColour(240, 0, 0));
    EXPECT_EQ(c.averages[1].period, 55);
    EXPECT_EQ(c.averages[2].enabled, 1);
    EXPECT_EQ(c.averages[2].period, 250);
    EXPECT_EQ(c.markerWidth, 2);
    EXPECT_EQ(c.splitHandling, kSplitsFullyAdjusted);
}

TEST_F(ChartOptionPagesTest, DiagramPagesShowTheOptionsAndOkWritesThem) {
    DocBuilder b;
    OptionsDialog dialog(b.doc, OptionPageTitlesOfView(102));
    EXPECT_EQ(Tabs(dialog), (QStringList{u"Depotentw./Wertp."_s, u"DIAGRAMME >"_s}));
    QWidget* diagram = dialog.Pages()->widget(0);
    QWidget* look = dialog.Pages()->widget(1);

    EXPECT_EQ(Find<QLineEdit>(diagram, "positionsTitle")->text(),
              u"<STANDARDTITEL> - <BEZEICHNUNGEN>"_s);
    EXPECT_TRUE(Find<QRadioButton>(diagram, "relativeToStart")->isChecked());
    Find<QLineEdit>(diagram, "developmentTitle")->setText(u"Entwicklung <ENDDATUM>"_s);
    Find<QSpinBox>(diagram, "positionsLineWidth")->setValue(12);
    PickColour(Find<ColourButton>(diagram, "positionsLineColour"), QColor(10, 20, 30));
    Find<QCheckBox>(diagram, "includeCommissions")->setChecked(false);
    Find<QCheckBox>(diagram, "correctAssets")->setChecked(true);
    Find<QRadioButton>(diagram, "relativeToEnd")->setChecked(true);
    auto* currency = Find<QComboBox>(diagram, "currency");
    ASSERT_GE(currency->count(), 2);
    currency->setCurrentIndex(1);
    const int32_t currencyId = currency->itemData(1).toInt();

    // Sizes cannot go below what a drawing needs.
    auto* width = Find<QSpinBox>(look, "width");
    EXPECT_EQ(width->minimum(), 100);
    EXPECT_EQ(Find<QSpinBox>(look, "labelFontHeight")->minimum(), 10);
    width->setValue(1500);
    Find<QSpinBox>(look, "titleFontHeight")->setValue(60);

    dialog.ApplyTo(b.doc);
    const DiagramOptions& d = b.doc.options.diagrams;
    EXPECT_EQ(d.developmentTitle, "Entwicklung <ENDDATUM>");
    EXPECT_EQ(d.positionsLineWidth, 12);
    EXPECT_EQ(d.positionsLineColour, 0x021E140A);
    EXPECT_EQ(d.developmentLineColour, StoredColour(0, 0, 160));  // untouched
    EXPECT_EQ(d.includeCommissions, 0);
    EXPECT_EQ(d.correctAssets, 1);
    EXPECT_EQ(d.correctAccount, 0);
    EXPECT_EQ(d.correctionRelativeToEnd, 1);
    EXPECT_EQ(d.currencyId, currencyId);
    EXPECT_EQ(b.doc.options.diagramsAppearance.width, 1500);
    EXPECT_EQ(b.doc.options.diagramsAppearance.titleFontHeight, 60);
}

// --- The dialog bar ---

class ChartDialogBar : public WindowWalk {
  protected:
    void SetUp() override {
        WindowWalk::SetUp();
        DocBuilder b;
        hidden = b.Security("Aaa ohne Chart", "100001");
        b.doc.FindSecurity(hidden)->noChart = 1;
        beta = b.Security("Beta AG", "100002");
        gamma = b.Security("Gamma AG", "100003");
        betaLot = b.Buy(Day(3, 2, 2020), beta, 10, 12.0).positionNo;
        gammaLot = b.Buy(Day(4, 2, 2020), gamma, 5, 20.0).positionNo;
        soldLot = b.Sell(Day(1, 3, 2020), gamma, {{gammaLot, 5}}, 21.0).newNumbers.at(0);
        hiddenLot = b.Buy(Day(5, 2, 2020), hidden, 1, 1.0).positionNo;
        OpenWindowOn(b.doc, Day(15, 9, 2020));
    }

    const ChildViewState& State() { return window->ActiveView()->State(); }

    // Clicks `button` of the dialog bar and works in the modal dialog it opens.
    void Click(QAbstractButton* button, const std::function<void(QDialog&)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            drive(*dialog);
            driven = true;
            if (dialog->isVisible()) dialog->reject();
        });
        button->click();
        EXPECT_TRUE(driven);
    }

    int32_t hidden = -1, beta = -1, gamma = -1;
    int32_t betaLot = -1, gammaLot = -1, soldLot = -1, hiddenLot = -1;
};

TEST_F(ChartDialogBar, SecuritySelectorSkipsSecuritiesWithoutChartAndStaysValid) {
    window->SetActiveViewId(kViewChart);
    auto* selector = Find<QComboBox>(window->Bar(), "chartSecurity");
    EXPECT_EQ(Items(selector), (QStringList{u"Beta AG"_s, u"Gamma AG"_s}));
    EXPECT_EQ(State().chartSecurityId, beta);  // not the first security, which has no chart
    EXPECT_EQ(selector->currentText(), u"Beta AG"_s);

    emit selector->activated(1);
    EXPECT_EQ(State().chartSecurityId, gamma);
    // Gamma leaves the charts: the window falls back on the first listed security.
    document->Doc().Edit([&](CFolari2Doc& d) { d.FindSecurity(gamma)->noChart = 1; });
    EXPECT_EQ(State().chartSecurityId, beta);
    EXPECT_EQ(Items(selector), QStringList{u"Beta AG"_s});
    document->Doc().Edit([&](CFolari2Doc& d) { d.FindSecurity(beta)->noChart = 1; });
    EXPECT_EQ(State().chartSecurityId, -1);
    EXPECT_EQ(selector->count(), 0);
}

TEST_F(ChartDialogBar, PictureButtonOpensTheChartPage) {
    window->SetActiveViewId(kViewChart);
    auto* button = Find<QToolButton>(window->Bar(), "chartButton");
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(button->isEnabled());
    QStringList tabs;
    Click(button, [&](QDialog& dialog) {
        auto* sheet = qobject_cast<OptionsDialog*>(&dialog);
        ASSERT_NE(sheet, nullptr);
        tabs = Tabs(*sheet);
        EXPECT_EQ(sheet->Pages()->currentIndex(), 0);
        Find<QSpinBox>(sheet, "lineWidth")->setValue(9);
        ClickOk(sheet);
    });
    EXPECT_EQ(tabs, (QStringList{u"Charts"_s, u"DIAGRAMME >"_s}));
    EXPECT_EQ(Doc().options.chart.lineWidth, 9);
}

TEST_F(ChartDialogBar, ChoosePositionsStoresTheTickedLotsInTheWindow) {
    window->SetActiveViewId(kViewPositionDiagram);
    auto* button = Find<QPushButton>(window->Bar(), "choosePositions");
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(button->isEnabled());
    Click(button, [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Wertpapierpositionen auswählen"_s);
        auto* list = Find<QTreeWidget>(&dialog, "positions");
        // Every lot, open and closed, including those of a security without chart.
        ASSERT_EQ(list->topLevelItemCount(), 3);
        QTreeWidgetItem* sold = list->topLevelItem(2);  // by name: Aaa, Beta, Gamma
        EXPECT_EQ(sold->data(0, Qt::UserRole).toInt(), soldLot);
        EXPECT_EQ(sold->text(4), u"01.03.2020"_s);
        EXPECT_EQ(list->topLevelItem(1)->text(4), u"offen"_s);
        Find<QPushButton>(&dialog, "markAll")->click();
        list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        ClickOk(&dialog);
    });
    EXPECT_EQ(State().selectedPositions, (std::vector<int32_t>{betaLot, soldLot}));

    // Reopened, the dialog shows the choice; "keine markieren" clears it, Cancel keeps it.
    Click(button, [&](QDialog& dialog) {
        auto* list = Find<QTreeWidget>(&dialog, "positions");
        EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
        EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Checked);
        Find<QPushButton>(&dialog, "markNone")->click();
        EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
        dialog.reject();
    });
    EXPECT_EQ(State().selectedPositions, (std::vector<int32_t>{betaLot, soldLot}));
    Click(button, [&](QDialog& dialog) {
        Find<QPushButton>(&dialog, "markNone")->click();
        ClickOk(&dialog);
    });
    EXPECT_TRUE(State().selectedPositions.empty());
}

}  // namespace
}  // namespace pf

#include "app/tools/screenshots_chart_option_pages.h"

#include <QApplication>
#include <QColorDialog>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

#include "app/dialogs/chart_option_page_views.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/position_choice_dialog.h"
#include "model/document.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

void ShowTab(OptionsDialog& sheet, const char* title) {
    QTabWidget* tabs = sheet.Pages();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == QString::fromUtf8(title)) tabs->setCurrentIndex(i);
    QApplication::processEvents();
}

}  // namespace

void ShootChartOptionPages(QWidget* parent, CFolari2Doc& doc,
                           const std::function<void(QWidget&, const QString& name)>& save) {
    {
        OptionsDialog sheet(doc, OptionPageTitlesOfView(151), parent);
        sheet.show();
        ShowTab(sheet, kChartPageTitle);
        save(sheet, u"options-chart"_s);
        // The colour dialog of the chart line, shot while it runs and then cancelled.
        if (auto* button = sheet.findChild<ColourButton*>(u"lineColour"_s)) {
            QTimer::singleShot(0, [&save] {
                if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
                    save(*dialog, u"options-chart-colour"_s);
                    dialog->reject();
                }
            });
            button->click();
        }
        ShowTab(sheet, kDiagramsPageTitle);
        save(sheet, u"options-diagrams-look"_s);
    }
    {
        OptionsDialog sheet(doc, OptionPageTitlesOfView(102), parent);
        sheet.show();
        ShowTab(sheet, kDiagramPageTitle);
        save(sheet, u"options-diagram"_s);
    }
    PositionChoiceDialog choice(doc, {}, parent);
    if (auto* list = choice.findChild<QTreeWidget*>(u"positions"_s))
        for (int i = 0; i < 2 && i < list->topLevelItemCount(); ++i)
            list->topLevelItem(i)->setCheckState(0, Qt::Checked);
    choice.show();
    QApplication::processEvents();
    save(choice, u"position-choice"_s);
    choice.hide();
}

}  // namespace pf

#include "app/tools/screenshots_option_pages.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "app/dialogs/html_config_dialog.h"
#include "app/dialogs/options_dialog.h"
#include "model/document.h"
#include "shell/report_option_pages.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

void ShootReportOptionPages(QWidget* parent, CFolari2Doc& doc,
                            const std::function<void(QWidget&, const QString& name)>& save) {
    const std::pair<const char*, QString> pages[] = {
        {kTablesPageTitle, u"options-tables"_s},
        {kHoldingsPageTitle, u"options-holdings"_s},
        {kRealizedPageTitle, u"options-realized"_s},
        {kTransactionsPageTitle, u"options-transactions"_s},
        {kMovementsPageTitle, u"options-movements"_s},
        {kReportsPageTitle, u"options-reports"_s},
        {kGainLossPageTitle, u"options-gain-loss"_s},
        {kPerformancePageTitle, u"options-performance"_s},
    };
    OptionsDialog sheet(doc, parent);
    sheet.show();
    for (const auto& [title, name] : pages) {
        QTabWidget* tabs = sheet.Pages();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QString::fromUtf8(title)) tabs->setCurrentIndex(i);
        QApplication::processEvents();
        save(sheet, name);
    }
    sheet.hide();

    // The placeholder list of the holdings title, popped up under its button.
    OptionsDialog view(doc, OptionPageTitlesOfView(1), parent);
    view.show();
    view.adjustSize();
    QApplication::processEvents();
    if (auto* button = view.findChild<QPushButton*>(u"titlePlaceholders"_s)) {
        QMenu* menu = button->menu();
        menu->popup(button->mapToGlobal(QPoint(0, button->height())));
        QApplication::processEvents();
        // The popup is a window of its own: a copy of it lies over the sheet for the picture.
        auto* copy = new QLabel(&view);
        copy->setPixmap(menu->grab());
        copy->adjustSize();
        // Under the button, kept inside the picture.
        const QPoint below = button->mapTo(&view, QPoint(0, button->height()));
        copy->move(std::min(below.x(), view.width() - copy->width()), below.y());
        copy->show();
        copy->raise();
        save(view, u"options-holdings-placeholders"_s);
        delete copy;
        menu->hide();
    }
    view.hide();

    // "HTML-Ansicht konfigurieren", opened from the holdings page.
    HtmlConfigDialog html(HtmlConfigForm::FromDocument(doc), parent);
    html.show();
    QApplication::processEvents();
    save(html, u"html-configure"_s);
    html.hide();
}

}  // namespace pf

#include "app/tools/screenshots_list_option_pages.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/dialogs/options_dialog.h"
#include "model/document.h"
#include "shell/list_option_pages.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// Each tab of `sheet` in front in turn, saved under the name given for its title.
void ShootTabs(OptionsDialog& sheet, const std::vector<std::pair<const char*, QString>>& names,
               const std::function<void(QWidget&, const QString& name)>& save) {
    QTabWidget* tabs = sheet.Pages();
    for (const auto& [title, name] : names) {
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QString::fromUtf8(title)) tabs->setCurrentIndex(i);
        QApplication::processEvents();
        save(sheet, name);
    }
}

}  // namespace

void ShootListOptionPages(QWidget* parent, CFolari2Doc& doc,
                          const std::function<void(QWidget&, const QString& name)>& save) {
    {
        OptionsDialog sheet(doc, OptionPageTitlesOfView(5), parent);
        sheet.show();
        ShootTabs(sheet, {{kSecuritiesPageTitle, u"options-securities"_s}}, save);
    }
    {
        OptionsDialog sheet(doc, OptionPageTitlesOfView(51), parent);
        sheet.show();
        ShootTabs(sheet, {{kDevelopmentPageTitle, u"options-development"_s}}, save);
    }
    {
        OptionsDialog sheet(doc, OptionPageTitlesOfView(52), parent);
        sheet.show();
        if (auto* chosen = sheet.findChild<QRadioButton*>(u"filter2"_s)) chosen->setChecked(true);
        ShootTabs(sheet,
                  {{kQuotesPageTitle, u"options-quotes"_s}, {kListsPageTitle, u"options-lists"_s}},
                  save);
    }
    {
        OptionsDialog sheet(doc, OptionPageTitlesOfView(201), parent);
        sheet.show();
        ShootTabs(sheet, {{kAnalysisPageTitle, u"options-analysis"_s}}, save);
    }

    // The placeholder list of the position text, popped up under its button.
    OptionsDialog view(doc, OptionPageTitlesOfView(51), parent);
    view.show();
    view.adjustSize();
    QApplication::processEvents();
    if (auto* button = view.findChild<QPushButton*>(u"positionTextPlaceholders"_s)) {
        QMenu* menu = button->menu();
        menu->popup(button->mapToGlobal(QPoint(0, button->height())));
        QApplication::processEvents();
        // The popup is a window of its own: a copy of it lies over the sheet for the picture,
        // under the button and kept inside the picture.
        auto* copy = new QLabel(&view);
        copy->setPixmap(menu->grab());
        copy->adjustSize();
        const QPoint below = button->mapTo(&view, QPoint(0, button->height()));
        copy->move(std::min(below.x(), view.width() - copy->width()),
                   std::min(below.y(), std::max(0, view.height() - copy->height())));
        copy->show();
        copy->raise();
        save(view, u"options-development-placeholders"_s);
        delete copy;
        menu->hide();
    }
    view.hide();
}

}  // namespace pf

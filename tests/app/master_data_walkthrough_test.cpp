// A user's way through the master data and price commands of the main window: a new
// security with its internet fields, quotes for 25 securities over two pages, a dollar rate,
// quote deletion by each rule, a currency with a fixed rate, and the holdings view showing
// the result. Every dialog is opened from its menu command and driven as the user would.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/document_handle.h"
#include "app/main_window.h"
#include "app/report_view.h"
#include "engine/engine_test_util.h"
#include "model/archive/document_file.h"
#include "platform/clipboard.h"
#include "platform/settings_store.h"
#include "qtcanvas/qt_string.h"
#include "quotes/currency_form.h"
#include "reports/report_table.h"
#include "support/temp_folder.h"
#include "window_walk.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

const CQRNDatum kToday = Day(10, 12, 2026);

class MasterDataWalkthrough : public WindowWalk {
  protected:
    void SetUp() override {
        WindowWalk::SetUp();
        // 24 securities "S01" .. "S24"; S01 held since 2020 with 10 pieces, S02 bought and
        // sold again in 2021; a dollar with a variable rate.
        DocBuilder b;
        std::vector<int32_t> ids;
        for (int i = 1; i <= 24; ++i) {
            char name[8];
            std::snprintf(name, sizeof name, "S%02d", i);
            ids.push_back(b.Security(name, std::string("W") + name));
        }
        const int32_t s01 = ids[0];
        const int32_t s02 = ids[1];
        b.Quote(ids[2], Day(1, 6, 2022), 30.0);
        b.Buy(Day(2, 1, 2020), s01, 10, 10.0);
        const auto bought = b.Buy(Day(4, 1, 2021), s02, 5, 20.0);
        b.Sell(Day(1, 7, 2021), s02, {{bought.positionNo, 5}}, 22.0);
        // Quotes of S02 while held, before and after.
        b.Quote(s02, Day(4, 1, 2021), 20.0);
        b.Quote(s02, Day(1, 3, 2021), 21.0);
        b.Quote(s02, Day(1, 12, 2020), 19.0);
        b.Quote(s02, Day(1, 12, 2021), 23.0);
        CurrencyForm usd = CurrencyForm::New(b.doc);
        usd.symbol = "USD";
        usd.name = "US-Dollar";
        ASSERT_GE(usd.Apply(b.doc), 0);

        OpenWindowOn(b.doc, kToday);
    }

    const CFL2Wertpapier* SecurityNamed(const std::string& name) {
        for (const CFL2Wertpapier& s : Doc().securities)
            if (s.name == name) return &s;
        return nullptr;
    }
    double QuoteOf(const char* name, CQRNDatum date) {
        double value = 0;
        const CFL2Wertpapier* s = SecurityNamed(name);
        return s != nullptr && s->quotes.QuoteOn(date, value) != 0 ? value : -1.0;
    }
    size_t QuoteCount(const char* name) { return SecurityNamed(name)->quotes.size(); }
};

TEST_F(MasterDataWalkthrough, SecuritiesQuotesRatesAndCurrenciesFromTheMenus) {
    // The commands sit in their menus with their shortcuts.
    EXPECT_EQ(window->FindAction(u"actionEnterQuotes"_s)->shortcut(), QKeySequence(u"Ctrl+E"_s));
    EXPECT_EQ(window->FindAction(u"actionEnterRates"_s)->shortcut(), QKeySequence(u"Ctrl+D"_s));
    auto* quotesMenu = window->menuBar()->findChild<QMenu*>(u"menuQuotes"_s);
    ASSERT_NE(quotesMenu, nullptr);
    EXPECT_EQ(quotesMenu->title(), u"&Kurse"_s);
    EXPECT_TRUE(quotesMenu->actions().contains(window->FindAction(u"actionCurrencyEditor"_s)));

    // 1. A new security with its master data and internet fields.
    Run("actionNewSecurity", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Neues Wertpapier"_s);
        Find<QLineEdit>(&d, "name")->setText(u"S25 Walk AG"_s);
        Find<QLineEdit>(&d, "wkn")->setText(u"WS25"_s);
        Find<QLineEdit>(&d, "sector")->setText(u"Maschinenbau"_s);
        Find<QCheckBox>(&d, "internetImport")->setChecked(true);
        Find<QLineEdit>(&d, "internetUrl")->setText(u"http://kurse.example/WS25.htm"_s);
        Find<QLineEdit>(&d, "internetTextBeforeQuote")->setText(u"Kurs:"_s);
        ClickOk(&d);
    });
    const CFL2Wertpapier* walk = SecurityNamed("S25 Walk AG");
    ASSERT_NE(walk, nullptr);
    EXPECT_EQ(walk->wkn, "WS25");
    EXPECT_EQ(walk->sector, "Maschinenbau");
    EXPECT_EQ(walk->internetUrl, "http://kurse.example/WS25.htm");
    EXPECT_TRUE(document->IsModified());

    // 2. Quotes for all 25 securities at today's date: 20 on page 1, 5 on page 2.
    Run("actionEnterQuotes", [](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>(u"pageLine"_s)->text(), u"Seite 1 von 2"_s);
        for (int row = 0; row < 20; ++row)
            TypeInto(Find<QLineEdit>(&d, ("price" + std::to_string(row)).c_str()),
                     QString::number(row + 1) + u",50"_s);
        Click(d, "next");
        EXPECT_EQ(d.findChild<QLabel*>(u"pageLine"_s)->text(), u"Seite 2 von 2"_s);
        for (int row = 0; row < 5; ++row)
            TypeInto(Find<QLineEdit>(&d, ("price" + std::to_string(row)).c_str()),
                     QString::number(row + 21) + u",50"_s);
        Click(d, "close");
    });
    EXPECT_DOUBLE_EQ(QuoteOf("S01", kToday), 1.5);
    EXPECT_DOUBLE_EQ(QuoteOf("S20", kToday), 20.5);
    EXPECT_DOUBLE_EQ(QuoteOf("S24", kToday), 24.5);
    EXPECT_DOUBLE_EQ(QuoteOf("S25 Walk AG", kToday), 25.5);

    // 3. The dollar rate at today's date.
    Run("actionEnterRates", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Devisenkurse eingeben"_s);
        TypeInto(Find<QLineEdit>(&d, "left0"), u"1,0850"_s);
        Click(d, "close");
    });
    double rate = 0;
    ASSERT_NE(Doc().FindCurrencyBySymbol("USD")->rates.QuoteOn(kToday, rate), 0);
    EXPECT_DOUBLE_EQ(rate, 1.085);

    // 4. Deleting by each rule: every answer Yes, the count reported each time.
    auto deleteQuotes = [&](const char* security, int rule, QDate from, QDate to) {
        Run("actionDeleteQuotes", [&](QDialog& d) {
            auto* list = Find<QListWidget>(&d, "securities");
            for (int i = 0; i < list->count(); ++i)
                if (list->item(i)->text() == QString::fromLatin1(security))
                    list->item(i)->setCheckState(Qt::Checked);
            Find<QRadioButton>(&d, ("rule" + std::to_string(rule)).c_str())->setChecked(true);
            if (rule == 2) {
                Find<QDateEdit>(&d, "from")->setDate(from);
                Find<QDateEdit>(&d, "to")->setDate(to);
            }
            Click(d, "delete");
            Click(d, "close");
        });
    };
    // Rule 0 on S02: held from 4.1.2021 until the sale on 1.7.2021, so the quotes of
    // 1.12.2020, 1.12.2021 and today go; 4.1. and 1.3.2021 stay.
    shown().clear();
    deleteQuotes("S02", 0, {}, {});
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0].text, "Möchten Sie die Kurse wirklich löschen?");
    EXPECT_EQ(shown()[1].text, "Es wurden 3 Kurse gelöscht.");
    EXPECT_EQ(QuoteCount("S02"), 2u);
    // Rule 2 with the period around 1.3.2021 only.
    shown().clear();
    deleteQuotes("S02", 2, QDate(2021, 2, 1), QDate(2021, 3, 31));
    EXPECT_EQ(shown().back().text, "Es wurden 1 Kurse gelöscht.");
    EXPECT_DOUBLE_EQ(QuoteOf("S02", Day(4, 1, 2021)), 20.0);
    // Rule 2 with from after to deletes nothing and says so.
    shown().clear();
    deleteQuotes("S02", 2, QDate(2021, 3, 31), QDate(2021, 2, 1));
    EXPECT_EQ(shown().back().text, "Es wurden 0 Kurse gelöscht.");
    // Rule 1 on S03: its quote of 2022 and today's go.
    shown().clear();
    deleteQuotes("S03", 1, {}, {});
    EXPECT_EQ(shown().back().text, "Es wurden 2 Kurse gelöscht.");
    EXPECT_EQ(QuoteCount("S03"), 0u);

    // 5. A currency with a fixed rate.
    Run("actionNewCurrency", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Neue Währung"_s);
        Find<QLineEdit>(&d, "symbol")->setText(u"DEM"_s);
        Find<QLineEdit>(&d, "name")->setText(u"Deutsche Mark"_s);
        Find<QRadioButton>(&d, "fixedRateKind")->setChecked(true);
        Find<QLineEdit>(&d, "fixedRate1")->setText(u"1,95583"_s);
        Find<QLineEdit>(&d, "fixedRate2")->setText(u"1,00"_s);
        ClickOk(&d);
    });
    const CFL2Waehrung* dem = Doc().FindCurrencyBySymbol("DEM");
    ASSERT_NE(dem, nullptr);
    EXPECT_TRUE(dem->isFixed);
    EXPECT_DOUBLE_EQ(dem->fixedRate1, 1.95583);

    // 6. The holdings view at today's date values S01's 10 pieces at the new 1,50.
    QApplication::processEvents();
    const auto& table = dynamic_cast<const ReportTable&>(*window->ActiveView()->Report());
    bool found = false;
    for (size_t r = 0; r < table.Rows().size() && !found; ++r) {
        if (table.CellText(static_cast<int>(r), 0) != "S01") continue;
        for (int c = 0; c < table.ColumnCount(); ++c)
            found = found || table.CellText(static_cast<int>(r), c) == "15,00";
    }
    EXPECT_TRUE(found) << "the holdings show S01 at 10 x 1,50";
}

}  // namespace
}  // namespace pf

// "Kurse aus Internet" with the embedded browser against a real HTTP server on 127.0.0.1:
// each page shown in turn, the price read from the page the browser built, OK storing the
// prices and the fetch mode.
#include "app/dialogs/browser_quotes_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTreeWidget>

#include "app/dialogs/trend_icons.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "model/document.h"
#include "support/http_test_server.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;

const CQRNDatum kToday = Day(4, 1, 2021);

TEST(BrowserQuotesDialog, ShowsEachPageAndOkStoresThePricesAndTheMode) {
    testing::HttpTestServer server;
    // The browser runs the page's script: the price exists only in the page it builds.
    server.SetPage("/beta",
                   "<html><body><div id='k'></div><script>document.getElementById('k')"
                   ".textContent = 'Kurs: 1.234,56 EUR';</script></body></html>");
    server.SetPage("/alpha", "<html><body>Kein Kurs hier</body></html>");
    testing::DocBuilder b;
    std::vector<InternetFetchItem> items;
    for (const char* name : {"alpha", "Beta"}) {
        const int32_t id = b.Security(name);
        InternetFetchItem item;
        item.securityId = id;
        item.url = server.Url(name == std::string("Beta") ? "/beta" : "/alpha");
        item.recognition = "Kurs:";
        items.push_back(item);
    }
    b.doc.options.internetQuotes.fastFetch = 0;
    b.doc.SetModified(false);

    BrowserQuotesDialog dialog(b.doc, items, kToday);
    dialog.show();
    QElapsedTimer clock;
    clock.start();
    while (!dialog.Finished() && clock.elapsed() < 30'000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_TRUE(dialog.Finished());
    auto* list = dialog.findChild<QTreeWidget*>(u"quotes"_s);
    QStringList prices, statuses;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        prices << list->topLevelItem(r)->text(1);
        statuses << list->topLevelItem(r)->text(3);
    }
    EXPECT_EQ(prices, (QStringList{u"-"_s, u"1.234,56"_s}));
    EXPECT_EQ(statuses,
              (QStringList{u"Erkennungstext nicht gefunden"_s, u"Kursabruf erfolgreich"_s}));

    dialog.findChild<QCheckBox*>(u"useFast"_s)->setChecked(true);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dialog.Changed());
    double value = 0;
    ASSERT_EQ(b.doc.FindSecurity(items[1].securityId)->quotes.QuoteOn(kToday, value), 1);
    EXPECT_EQ(value, 1234.56);
    EXPECT_EQ(b.doc.options.internetQuotes.fastFetch, 1);
}

}  // namespace
}  // namespace pf

// "Kurse aus Internet" (the fast dialog) against a real HTTP server on 127.0.0.1: the rows
// as the worker finishes them, OK storing the prices and the fetch mode, and "Abbrechen"
// while a page hangs.
#include "app/dialogs/internet_quotes_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTreeWidget>
#include <optional>
#include <string>

#include "app/dialogs/trend_icons.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "model/document.h"
#include "platform/curl_http_client.h"
#include "support/http_test_server.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;

const CQRNDatum kToday = Day(4, 1, 2021);

class InternetQuotesDialogTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        server.SetPage("/beta", "<td>Kurs:</td><td>1.234,56 EUR</td>");
        server.SetPage("/alpha", "<b>KURS: 12,5</b>");  // found in upper case
        for (const char* name : {"Beta", "alpha", "Gamma"}) {
            const int32_t id = b.Security(name);
            CFL2Wertpapier* s = b.doc.FindSecurity(id);
            s->internetImport = 1;
            s->internetTextBeforeQuote = "Kurs:";
            s->internetUrl =
                server.Url("/" + std::string(name == std::string("Beta")    ? "beta"
                                             : name == std::string("alpha") ? "alpha"
                                                                            : "missing"));
            b.Buy(Day(1, 12, 2020), id, 10, 10.0);
            ids.push_back(id);
        }
        b.Quote(ids[0], Day(30, 12, 2020), 1200.0);  // Beta: 1234,56 is 2.9 % more
        b.doc.SetModified(false);
    }

    static bool WaitUntilFinished(const InternetQuotesDialog& dialog) {
        QElapsedTimer clock;
        clock.start();
        // Until the progress timer's last look has shown every row and enabled OK.
        const QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        while (!(dialog.Finished() && ok->isEnabled()) && clock.elapsed() < 20'000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return dialog.Finished() && ok->isEnabled();
    }

    testing::HttpTestServer server;
    CurlHttpClient http{CurlHttpOptions{2'000, 5'000, 1'000'000, {}, false}};
    testing::DocBuilder b;
    std::vector<int32_t> ids;
};

TEST_F(InternetQuotesDialogTest, RowsComeInByNameAndOkStoresThePricesAndTheMode) {
    InternetQuotesDialog dialog(b.doc, InternetFetchItems(b.doc, kToday), kToday, http);
    auto* ok = Find<QDialogButtonBox>(&dialog, "")->button(QDialogButtonBox::Ok);
    ASSERT_TRUE(WaitUntilFinished(dialog));
    EXPECT_TRUE(ok->isEnabled());
    auto* list = Find<QTreeWidget>(&dialog, "quotes");
    EXPECT_EQ(Column(list, 0), (QStringList{u"alpha"_s, u"Beta"_s, u"Gamma"_s}));
    EXPECT_EQ(Column(list, 1), (QStringList{u"12,50"_s, u"1.234,56"_s, u"-"_s}));
    EXPECT_EQ(Column(list, 3), (QStringList{u"Kursabruf erfolgreich"_s, u"Kursabruf erfolgreich"_s,
                                            u"Öffnen der Seite fehlgeschlagen"_s}));
    // alpha has no earlier quote (icon 0), Beta rose by more than 1 % (icon 1).
    EXPECT_EQ(list->topLevelItem(0)->data(0, kTrendIconRole).toInt(), 0);
    EXPECT_EQ(list->topLevelItem(1)->data(0, kTrendIconRole).toInt(), 1);
    EXPECT_EQ(list->topLevelItem(2)->data(0, kTrendIconRole).toInt(), -1);

    Find<QCheckBox>(&dialog, "useBrowser")->setChecked(true);
    ok->click();
    EXPECT_TRUE(dialog.Changed());
    double value = 0;
    ASSERT_EQ(b.doc.FindSecurity(ids[0])->quotes.QuoteOn(kToday, value), 1);
    EXPECT_EQ(value, 1234.56);
    ASSERT_EQ(b.doc.FindSecurity(ids[1])->quotes.QuoteOn(kToday, value), 1);
    EXPECT_EQ(value, 12.5);
    EXPECT_EQ(b.doc.FindSecurity(ids[2])->quotes.size(), 0u);
    EXPECT_EQ(b.doc.options.internetQuotes.fastFetch, 0);
    EXPECT_TRUE(b.doc.IsModified());
}

TEST_F(InternetQuotesDialogTest, CancelWhileAPageHangsEndsAtOnceAndStoresNothing) {
    server.SetHangingPage("/beta", "<td>Kurs:</td><td>1.2");
    auto dialog = std::make_unique<InternetQuotesDialog>(b.doc, InternetFetchItems(b.doc, kToday),
                                                         kToday, http);
    auto* ok = Find<QDialogButtonBox>(dialog.get(), "")->button(QDialogButtonBox::Ok);
    // alpha is fetched, then the worker waits on Beta's page.
    QElapsedTimer clock;
    clock.start();
    while (server.Requests() < 2 && clock.elapsed() < 5'000) QApplication::processEvents();
    EXPECT_FALSE(ok->isEnabled());
    clock.restart();
    dialog->reject();
    EXPECT_LT(clock.elapsed(), 1'500);
    dialog.reset();
    EXPECT_EQ(b.doc.FindSecurity(ids[1])->quotes.size(), 0u);
    EXPECT_FALSE(b.doc.IsModified());
}

}  // namespace
}  // namespace pf

#include "quotes/vtplus_quotes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"
#include "platform/socket_dde_client.h"
#include "platform/vtplus_standin_server.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;
using testing::TempFolder;

void Write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

struct VtplusSetup {
    std::string page;
    std::string subpage = "1";
    std::string quotePosition;
    std::string controlText;
    std::string controlPosition;
    int decimalSeparator = 0;
};

int32_t VtplusSecurity(DocBuilder& b, const std::string& name, const VtplusSetup& setup,
                       bool enabled = true) {
    const int32_t id = b.Security(name);
    CFL2Wertpapier& s = *b.doc.FindSecurity(id);
    s.vtplusImport = enabled ? 1 : 0;
    s.vtplusPage = setup.page;
    s.vtplusSubpage = setup.subpage;
    s.vtplusQuotePosition = setup.quotePosition;
    s.vtplusControlText = setup.controlText;
    s.vtplusControlText2 = setup.controlPosition;
    s.vtplusDecimalSeparator = setup.decimalSeparator;
    return id;
}

// Pages of the stand-in server (columns counted from 0):
//   100  row 0 "BOERSE FRANKFURT", row 1 "DAX       15.234,56", row 2 "Dow Jones  1,234.50",
//        row 3 "Öl         n/a", row 4 "Gold       0,00"; subpage 2 row 0 "Seite 2   88,10"
//   200  status "loading"
class VtplusQuotesTest : public ::testing::Test {
  protected:
    TempFolder folder{"vt_quotes"};
    std::string socketPath = (folder / "vt.sock").string();
    std::unique_ptr<VtplusStandinServer> server;
    DocBuilder b;

    void SetUp() override {
        std::filesystem::create_directory(folder / "pages");
        // Windows-1252 on the wire: "Ö" is 0xD6.
        Write(folder / "pages" / "100.txt",
              "BOERSE FRANKFURT\r\nDAX       15.234,56\r\nDow Jones  1,234.50\r\n"
              "\xD6l         n/a\r\nGold       0,00\r\n");
        Write(folder / "pages" / "100-2.txt", "Seite 2   88,10\n");
        Write(folder / "pages" / "200.txt", "DAX       15.234,56\n");
        Write(folder / "pages" / "200.status", "loading\n");
        std::string error;
        server = VtplusStandinServer::Start((folder / "pages").string(), socketPath, error);
        ASSERT_NE(server, nullptr) << error;
    }
};

TEST_F(VtplusQuotesTest, StatusOfEachSecurity) {
    struct Case {
        const char* name;
        VtplusSetup setup;
        std::string_view status;
        bool priceRead;
        bool controlMatched;
        double price;
    };
    const Case cases[] = {
        // "boerse" matches "BOERSE" without regard to case; 15.234,56 with comma.
        {"okay", {"100", "1", "10/1/18/1", "boerse", "0/0/5/0"}, kVtplusOkay, true, true, 15234.56},
        // The control box over two rows "DAX" + "Dow" is compared without its line break.
        {"two-row control",
         {"100", "1", "10/1/18/1", "DAXDow", "0/1/2/2"},
         kVtplusOkay,
         true,
         true,
         15234.56},
        // Umlauts fold too: "öL" against "Öl".
        {"umlaut control",
         {"100", "1", "10/1/18/1", "öL", "0/3/1/3"},
         kVtplusOkay,
         true,
         true,
         15234.56},
        {"wrong control",
         {"100", "1", "10/1/18/1", "BOERSE BERLIN", "0/0/12/0"},
         kVtplusWrongControl,
         true,
         false,
         15234.56},
        {"control text empty",
         {"100", "1", "10/1/18/1", "", "0/0/5/0"},
         kVtplusMissingControl,
         true,
         false,
         15234.56},
        {"control box empty",
         {"100", "1", "10/1/18/1", "BOERSE", ""},
         kVtplusMissingControl,
         true,
         false,
         15234.56},
        // Decimal point: "," groups, 1,234.50 = 1234.5.
        {"decimal point",
         {"100", "1", "11/2/18/2", "BOERSE", "0/0/5/0", 1},
         kVtplusOkay,
         true,
         true,
         1234.5},
        // Read with comma, the point groups wherever it stands: 1,234.50 = 1,23450.
        {"comma",
         {"100", "1", "11/2/18/2", "BOERSE", "0/0/5/0", 0},
         kVtplusOkay,
         true,
         true,
         1.2345},
        {"no price",
         {"100", "1", "11/3/13/3", "BOERSE", "0/0/5/0"},
         kVtplusBadPrice,
         false,
         true,
         0.0},
        {"zero price",
         {"100", "1", "11/4/14/4", "BOERSE", "0/0/5/0"},
         kVtplusBadPrice,
         false,
         true,
         0.0},
        {"subpage 2", {"100", "2", "10/0/14/0", "", ""}, kVtplusMissingControl, true, false, 88.1},
        // A subpage without a file answers an empty box.
        {"missing subpage", {"100", "7", "10/0/14/0", "", ""}, kVtplusBadPrice, false, false, 0.0},
        {"page loading", {"200", "1", "10/0/18/0", "", ""}, kVtplusPageLoading, false, false, 0.0},
        {"unknown page", {"300", "1", "10/0/18/0", "", ""}, kVtplusPageNotFound, false, false, 0.0},
        {"empty page", {"", "1", "10/0/18/0", "", ""}, kVtplusPageNotFound, false, false, 0.0},
        // The server refuses a malformed box; the query stops there.
        {"malformed price box",
         {"100", "1", "18/1/10/1", "", ""},
         kVtplusExchangeFailed,
         false,
         false,
         0.0},
        {"malformed control box",
         {"100", "1", "10/1/18/1", "BOERSE", "x"},
         kVtplusExchangeFailed,
         false,
         false,
         0.0},
        // A page name Windows-1252 cannot carry never reaches the wire.
        {"page not sendable",
         {"1→0", "1", "10/1/18/1", "", ""},
         kVtplusExchangeFailed,
         false,
         false,
         0.0},
    };
    SocketDdeClient client(socketPath);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int32_t id = VtplusSecurity(b, c.name, c.setup);
        const VtplusItem item = QueryVtplusQuote(client, *b.doc.FindSecurity(id));
        EXPECT_EQ(item.securityId, id);
        EXPECT_EQ(item.status, c.status);
        EXPECT_EQ(item.priceRead, c.priceRead);
        EXPECT_EQ(item.controlMatched, c.controlMatched);
        if (c.priceRead) EXPECT_DOUBLE_EQ(item.price, c.price);
    }
}

TEST_F(VtplusQuotesTest, WithoutServerNothingIsReadOrStored) {
    VtplusSecurity(b, "A", {"100", "1", "10/1/18/1", "BOERSE", "0/0/5/0"});
    VtplusSecurity(b, "B", {"200", "1", "10/1/18/1", "", ""});
    server->Stop();
    SocketDdeClient client(socketPath);
    VtplusQuotesForm form = VtplusQuotesForm::Open(b.doc, client, Day(5, 3, 2024), {});
    ASSERT_EQ(form.items.size(), 2u);
    for (const VtplusItem& item : form.items) {
        EXPECT_EQ(item.status, kVtplusNoExchange);
        EXPECT_FALSE(item.priceRead);
    }
    EXPECT_TRUE(form.acceptWrongControl);
    b.doc.SetModified(false);
    EXPECT_FALSE(form.Apply(b.doc));
    EXPECT_FALSE(b.doc.IsModified());
}

TEST(VtplusItemList, ImportEnabledByNameIgnoringCase) {
    DocBuilder b;
    const int32_t beta = VtplusSecurity(b, "beta", {"100"});
    VtplusSecurity(b, "Aus", {"100"}, false);
    const int32_t alpha1 = VtplusSecurity(b, "Alpha", {"100"});
    const int32_t gamma = VtplusSecurity(b, "Gamma", {"100"});
    const int32_t alpha2 = VtplusSecurity(b, "alpha", {"100"});
    // Equal names without regard to case keep the document's order.
    EXPECT_EQ(VtplusSecurityIds(b.doc), (std::vector<int32_t>{alpha1, alpha2, beta, gamma}));
}

TEST(VtplusApply, OkRuleWithAndWithoutTheCheckBox) {
    DocBuilder b;
    const int32_t matched = b.Security("Matched");
    const int32_t wrong = b.Security("Wrong");
    const int32_t missing = b.Security("Missing");
    const int32_t unread = b.Security("Unread");
    const CQRNDatum day = Day(5, 3, 2024);
    b.Quote(matched, day, 10.0);  // an existing quote of the day gets the new price
    const std::vector<VtplusItem> items = {
        {matched, true, true, 11.5, std::string(kVtplusOkay)},
        {wrong, true, false, 20.0, std::string(kVtplusWrongControl)},
        {missing, true, false, 30.0, std::string(kVtplusMissingControl)},
        {unread, false, true, 40.0, std::string(kVtplusBadPrice)},
    };
    const auto quoteOf = [&](int32_t id) {
        double value = 0.0;
        return b.doc.FindSecurity(id)->quotes.QuoteOn(day, value) != 0 ? value : -1.0;
    };

    EXPECT_TRUE(ApplyVtplusQuotes(b.doc, items, day, false));
    EXPECT_EQ(quoteOf(matched), 11.5);
    EXPECT_EQ(quoteOf(wrong), -1.0);
    EXPECT_EQ(quoteOf(missing), -1.0);
    EXPECT_EQ(quoteOf(unread), -1.0);

    EXPECT_TRUE(ApplyVtplusQuotes(b.doc, items, day, true));
    EXPECT_EQ(quoteOf(wrong), 20.0);
    EXPECT_EQ(quoteOf(missing), 30.0);
    EXPECT_EQ(quoteOf(unread), -1.0);

    // The same prices again change nothing and leave the document unmodified.
    b.doc.SetModified(false);
    EXPECT_FALSE(ApplyVtplusQuotes(b.doc, items, day, true));
    EXPECT_FALSE(b.doc.IsModified());
}

TEST_F(VtplusQuotesTest, FormRowsAndOk) {
    const int32_t dax =
        VtplusSecurity(b, "DAX-Fonds", {"100", "1", "10/1/18/1", "boerse", "0/0/5/0"});
    const int32_t wrong = VtplusSecurity(b, "Anleihe", {"100", "2", "10/0/14/0", "X", "0/0/0/0"});
    const CQRNDatum day = Day(5, 3, 2024);
    // Last quote 15000: 15234.56 / 15000 = 1.0156 > 1 + 1/100 -> strong rise (1).
    b.Quote(dax, Day(4, 3, 2024), 15000.0);
    SocketDdeClient client(socketPath);
    VtplusQuotesForm form = VtplusQuotesForm::Open(b.doc, client, day, TrendThresholds{});
    const std::vector<VtplusQuoteRow> rows = form.Rows(b.doc);
    ASSERT_EQ(rows.size(), 2u);
    // "Anleihe" sorts first; no earlier quote -> icon 0.
    EXPECT_EQ(rows[0], (VtplusQuoteRow{wrong, "Anleihe", "88,10", "EUR",
                                       std::string(kVtplusWrongControl), 0}));
    EXPECT_EQ(rows[1],
              (VtplusQuoteRow{dax, "DAX-Fonds", "15.234,56", "EUR", std::string(kVtplusOkay), 1}));

    // Untick the box: only the matched price is stored.
    form.acceptWrongControl = false;
    EXPECT_TRUE(form.Apply(b.doc));
    EXPECT_EQ(b.doc.FindSecurity(dax)->PriceAt(day, day), 15234.56);
    EXPECT_EQ(b.doc.FindSecurity(wrong)->PriceAt(day, day), 0.0);

    // "&aktualisieren" reads the changed page.
    Write(folder / "pages" / "100.txt", "BOERSE\r\nDAX       15.300,00\r\n");
    form.Refresh(b.doc, client);
    ASSERT_EQ(form.items.size(), 2u);
    EXPECT_DOUBLE_EQ(form.items[1].price, 15300.0);
}

TEST(VtplusOffsets, RowAndColumnOfAMarkedRange) {
    // Row 0 "DAX 15,5" (8 characters) + CR LF, row 1 "Öl 7,25" + CR LF, row 2 "x\ny" with a
    // bare line feed.
    const std::string page = "DAX 15,5\r\n\xC3\x96l 7,25\r\nx\ny";
    struct Case {
        size_t offset;
        bool isEnd;
        VtplusTextPoint point;
    };
    const Case cases[] = {
        {0, false, {0, 0}},
        {4, false, {0, 4}},
        {8, true, {0, 7}},   // end of "15,5": inclusive column 7
        {9, false, {0, 8}},  // after the CR: the CR is not counted
        {10, false, {1, 0}},
        // Right after the line break: column -1 becomes 39 on the row before.
        {10, true, {0, 39}},
        // "Öl 7,25" counts characters, not UTF-8 bytes: offset 13 is after "Öl ".
        {13, false, {1, 3}},
        {17, true, {1, 6}},
        // A bare line feed counts as a row too.
        {21, true, {2, 39}},
        {21, false, {3, 0}},
        // Beyond the text: its end.
        {99, false, {3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset) + (c.isEnd ? " end" : " start"));
        EXPECT_EQ(VtplusOffsetToRowColumn(page, c.offset, c.isEnd), c.point);
    }
}

TEST_F(VtplusQuotesTest, SelectionDialog) {
    Write(folder / "pages" / "System.txt", "not listed as a page");
    SocketDdeClient client(socketPath);
    const VtplusSelection current{"555", "3", "1/1/2/1", "alt", "0/0/2/0", 1};
    VtplusSelectionForm form = VtplusSelectionForm::Open(client, current);
    EXPECT_EQ(form.pages, (std::vector<std::string>{"100", "200"}));
    EXPECT_EQ(form.selectedPage, 0);
    EXPECT_EQ(form.subpage, 1);
    ASSERT_EQ(form.pageText.substr(0, 42), "BOERSE FRANKFURT                        \r\n");
    // OK without marking keeps what the security had, with the chosen page and subpage.
    EXPECT_EQ(form.Result(), (VtplusSelection{"100", "1", "1/1/2/1", "alt", "0/0/2/0", 1}));

    // Nothing marked.
    const MaybeMessage none = form.TakeQuote(5, 5);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->title, "Kursauswahl aus VTPlus");
    EXPECT_EQ(none->text,
              "Bitte wählen Sie zuerst im Auswahlfeld den Kurs für das Wertpapier aus!");
    const MaybeMessage noControl = form.TakeControlText(0, 0);
    ASSERT_TRUE(noControl);
    EXPECT_EQ(noControl->text,
              "Bitte wählen Sie zuerst im Auswahlfeld den Kontrolltext für das Wertpapier aus!");

    // Row 1 starts at offset 42 (40 columns + CR LF); "15.234,56" is columns 10 to 18.
    EXPECT_FALSE(form.TakeQuote(52, 61));
    EXPECT_EQ(form.quoteShown, "\"15.234,56\" (10/1/18/1)");
    EXPECT_EQ(form.decimalSeparator, 0);
    // "1,234.50" holds a comma too, so the rule says comma.
    EXPECT_FALSE(form.TakeQuote(84 + 11, 84 + 19));
    EXPECT_EQ(form.quoteShown, "\"1,234.50\" (11/2/18/2)");
    EXPECT_EQ(form.decimalSeparator, 0);
    // "BOERSE" to the end of row 0 and the line break: control text without it, the box
    // ends at column 39 of row 0.
    EXPECT_FALSE(form.TakeControlText(0, 42));
    EXPECT_EQ(form.controlPosition, "0/0/39/0");
    EXPECT_EQ(form.controlText, "BOERSE FRANKFURT                        ");
    EXPECT_FALSE(form.TakeQuote(52, 61));

    // What was marked is what the query reads back.
    const VtplusSelection chosen = form.Result();
    EXPECT_EQ(chosen, (VtplusSelection{"100", "1", "10/1/18/1",
                                       "BOERSE FRANKFURT                        ", "0/0/39/0", 0}));
    const int32_t id =
        VtplusSecurity(b, "X",
                       {chosen.page, chosen.subpage, chosen.quotePosition, chosen.controlText,
                        chosen.controlPosition, chosen.decimalSeparator});
    const VtplusItem item = QueryVtplusQuote(client, *b.doc.FindSecurity(id));
    EXPECT_EQ(item.status, kVtplusOkay);
    EXPECT_DOUBLE_EQ(item.price, 15234.56);

    // Marked text without a comma: decimal point.
    form.SelectSubpage(client, 2);
    EXPECT_EQ(form.pageText.substr(0, 15), "Seite 2   88,10");
    EXPECT_FALSE(form.TakeQuote(10, 12));
    EXPECT_EQ(form.decimalSeparator, 1);

    // The page texts of the other outcomes.
    form.SelectSubpage(client, 7);
    EXPECT_EQ(form.pageText, "Seite wurde nicht\r\ngefunden!");
    form.SelectPage(client, 1);
    EXPECT_EQ(form.pageText, "Seite ist noch\r\nnicht vollständig\r\ngeladen!");
    // A page that went away after it was listed.
    std::filesystem::remove(folder / "pages" / "200.txt");
    std::filesystem::remove(folder / "pages" / "200.status");
    form.SelectPage(client, 1);
    EXPECT_EQ(form.pageText, "Keine Verbindung\nzu VTPlus!");
    // "&Neu laden" reads the list again: 200 is gone, 100 chosen.
    form.Reload(client);
    EXPECT_EQ(form.pages, (std::vector<std::string>{"100"}));
    EXPECT_EQ(form.selectedPage, 0);

    // No server: no pages.
    server->Stop();
    const VtplusSelectionForm empty = VtplusSelectionForm::Open(client, current);
    EXPECT_TRUE(empty.pages.empty());
    EXPECT_EQ(empty.pageText, "Keine Seiten gefunden!");
    EXPECT_EQ(empty.Result(), current);
}

}  // namespace
}  // namespace pf

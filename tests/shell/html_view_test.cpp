#include "shell/html_view.h"

#include <gtest/gtest.h>

#include <fstream>

#include "model/document.h"
#include "samples/demo_portfolios.h"
#include "support/full_document.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using testing::TempFolder;

// Remembers what the program asked the desktop to open.
class RecordingLauncher : public DesktopLauncher {
  public:
    explicit RecordingLauncher(bool works = true) : works_(works) {}
    bool OpenFile(const std::string& path) override {
        opened.push_back(path);
        return works_;
    }
    std::vector<std::string> opened;

  private:
    bool works_;
};

// A folder that nobody, not even the superuser, can create a file in: it lies below a
// regular file.
std::string Unwritable(const TempFolder& folder) {
    std::ofstream(folder / "datei") << "x";
    return (folder / "datei" / "ordner").string();
}

TEST(HtmlPageFile, TriesTheUserFileThenProgramAppDataAndHomeFolders) {
    TempFolder folder("html_places");
    const std::string blocked = Unwritable(folder);
    const std::filesystem::path appData = folder / "appdata" / "Portfolaris";  // not there yet
    HtmlPageOptions own;
    own.userFile = 1;
    own.userFileName = (folder / "eigene.htm").string();
    HtmlPageOptions ownBlocked = own;
    ownBlocked.userFileName = blocked + "/eigene.htm";
    HtmlPageOptions ownOffButNamed = own;
    ownOffButNamed.userFile = 0;

    struct Case {
        const char* what;
        HtmlPageOptions options;
        HtmlPagePlaces places;
        std::optional<std::filesystem::path> expected;
    } cases[] = {
        {"the user's file", own, {blocked, blocked, blocked}, folder / "eigene.htm"},
        {"user file unwritable: program folder",
         ownBlocked,
         {folder.Path().string(), blocked, blocked},
         folder / "depotbestand.htm"},
        {"the name alone does not count",
         ownOffButNamed,
         {folder.Path().string(), "", ""},
         folder / "depotbestand.htm"},
        {"program folder unwritable: application data, created",
         {},
         {blocked, appData.string(), blocked},
         appData / "depotbestand.htm"},
        {"then the home folder",
         {},
         {blocked, blocked, folder.Path().string()},
         folder / "depotbestand.htm"},
        {"nowhere", ownBlocked, {blocked, blocked, blocked}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(folder / "eigene.htm");
        std::filesystem::remove(folder / "depotbestand.htm");
        const std::optional<std::string> written = WriteHtmlPageFile("<html>", c.options, c.places);
        ASSERT_EQ(written.has_value(), c.expected.has_value());
        if (!c.expected) continue;
        EXPECT_EQ(*written, c.expected->string());
        EXPECT_EQ(TempFolder::Contents(*written), "<html>");
    }
}

TEST(HtmlPageFile, ReplacesAnOlderPage) {
    TempFolder folder("html_replace");
    std::ofstream(folder / "depotbestand.htm") << "an older and much longer page";
    ASSERT_TRUE(WriteHtmlPageFile("neu", {}, {folder.Path().string(), "", ""}));
    EXPECT_EQ(TempFolder::Contents(folder / "depotbestand.htm"), "neu");
}

TEST(ShowHtmlPage, WritesOpensAndReportsEachFailure) {
    TempFolder folder("html_show");
    const CFolari2Doc doc = MakeDemoPortfolio(1);
    const CQRNDatum date = testing::Day(30, 6, 2005);
    const HtmlPagePlaces places{folder.Path().string(), "", ""};

    RecordingLauncher browser;
    std::string written;
    EXPECT_EQ(ShowHtmlPage(doc, date, places, "/opt/Portfolaris Bilder", browser, &written),
              std::nullopt);
    ASSERT_EQ(browser.opened, std::vector<std::string>{(folder / "depotbestand.htm").string()});
    EXPECT_EQ(written, browser.opened[0]);
    const std::string page = TempFolder::Contents(written);
    EXPECT_NE(page.find("file:///opt/Portfolaris%20Bilder/blline.gif"), std::string::npos);
    EXPECT_NE(page.find("Depotbestand"), std::string::npos);

    RecordingLauncher broken(false);
    const MaybeMessage noBrowser = ShowHtmlPage(doc, date, places, "/opt", broken);
    ASSERT_TRUE(noBrowser);
    EXPECT_EQ(noBrowser->title, "Portfolaris");
    EXPECT_EQ(noBrowser->text, "Fehler bei Aufruf des Webbrowsers!");
    EXPECT_EQ(noBrowser->icon, MessageIcon::Exclamation);

    const std::string blocked = Unwritable(folder);
    RecordingLauncher unused;
    const MaybeMessage noFile =
        ShowHtmlPage(doc, date, {blocked, blocked, blocked}, "/opt", unused);
    ASSERT_TRUE(noFile);
    EXPECT_EQ(noFile->text, "HTML-Datei kann nicht erzeugt werden!");
    EXPECT_EQ(noFile->icon, MessageIcon::Exclamation);
    EXPECT_TRUE(unused.opened.empty());
}

TEST(HtmlConfigForm, ReadsChecksAndWritesTheDocument) {
    CFolari2Doc doc = MakeDemoPortfolio(1);
    doc.options.isinLabel = "ISIN";
    HtmlConfigForm form = HtmlConfigForm::FromDocument(doc);
    EXPECT_EQ(form.securityDataChoices,
              (std::vector<std::string>{"WKN, Typ", "WKN, ISIN", "ISIN, Typ"}));
    // A new document's settings.
    EXPECT_EQ(form.fontSizes, "12pt;10pt;8pt;8pt");
    EXPECT_FALSE(form.userFile);
    EXPECT_EQ(form.unchangedFrom, 0.0);
    EXPECT_EQ(form.unchangedTo, 0.0);
    EXPECT_EQ(form.strongFall, -1.0);
    EXPECT_EQ(form.strongRise, 1.0);
    EXPECT_EQ(form.Check(), std::nullopt);

    // The checks in their order: the empty name first, then what the file cannot store,
    // then the thresholds.
    form.userFile = true;
    form.fontSizes = "12pt→";
    form.strongRise = 5000;
    MaybeMessage m = form.Check();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->title, "HTML-Ansicht konfigurieren");
    EXPECT_EQ(m->text, "Bitte geben Sie einen Dateinamen an!");
    EXPECT_EQ(m->field, kHtmlFileNameField);
    form.fileName = "/tmp/seite.htm";
    m = form.Check();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field, kHtmlFontSizesField);
    form.fontSizes = "14pt;12pt";
    m = form.Check();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->field, kHtmlThresholdField);
    form.strongRise = 2.5;
    EXPECT_EQ(form.Check(), std::nullopt);

    form.securityData = kHtmlIsinType;
    form.buyPriceBesidePieces = true;
    form.dividendColumns = true;
    form.unchangedFrom = -0.5;
    form.unchangedTo = 0.5;
    form.ApplyTo(doc);
    const HtmlPageOptions& html = doc.options.htmlPage;
    EXPECT_EQ(html, (HtmlPageOptions{kHtmlIsinType, 1, 1, 1, 1, "14pt;12pt", 1, "/tmp/seite.htm"}));
    // The thresholds are the document's trend thresholds.
    EXPECT_EQ(doc.options.internetQuotes.trendFall, -0.5);
    EXPECT_EQ(doc.options.internetQuotes.trendRise, 0.5);
    EXPECT_EQ(doc.options.internetQuotes.trendStrongRise, 2.5);
    EXPECT_EQ(doc.options.internetQuotes.trendStrongFall, -1.0);
}

}  // namespace
}  // namespace pf

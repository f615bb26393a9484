// The shell's rules without a window: profile, recent files, dialog bar per view, start
// period, screen scale, opening and saving files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/archive/document_file.h"
#include "samples/demo_portfolios.h"
#include "shell/dialog_bar_rules.h"
#include "shell/document_session.h"
#include "shell/initial_period.h"
#include "shell/recent_files.h"
#include "shell/screen_scale.h"
#include "shell/window_settings.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

using testing::TempFolder;

TEST(WindowSettingsTest, EmptyProfileGivesDefaultsAndStartsMaximised) {
    MemorySettingsStore store;
    const WindowSettings s = ReadWindowSettings(store, 1920, 1080);
    EXPECT_EQ(s, (WindowSettings{1, 1, 50, 1870, 50, 1030}));
    EXPECT_TRUE(StartMaximised(s));
}

TEST(WindowSettingsTest, SavedRectangleIsUsedOnlyWhenKeptAndNotMaximised) {
    struct Case {
        int saveIt, maximised;
        bool startMaximised;
    };
    for (const Case& c :
         {Case{1, 0, false}, Case{1, 1, true}, Case{0, 0, true}, Case{0, 1, true}}) {
        MemorySettingsStore store;
        WriteWindowSettings(store, {c.saveIt, c.maximised, 10, 810, 20, 620});
        const WindowSettings s = ReadWindowSettings(store, 1920, 1080);
        EXPECT_EQ(s, (WindowSettings{c.saveIt, c.maximised, 10, 810, 20, 620}));
        EXPECT_EQ(StartMaximised(s), c.startMaximised) << c.saveIt << c.maximised;
    }
    EXPECT_FALSE(HasUsableRectangle({1, 0, 500, 100, 20, 620}));  // right of left: damaged
}

TEST(WindowSettingsTest, ExitKeepsTheStartValuesWhenSavingIsOff) {
    const WindowSettings start{1, 0, 10, 810, 20, 620};
    EXPECT_EQ(SettingsOnExit(start, true, false, 5, 6, 705, 506),
              (WindowSettings{1, 0, 5, 705, 6, 506}));
    // Maximised: the last normal rectangle stays for the next un-maximised start.
    EXPECT_EQ(SettingsOnExit(start, true, true, 0, 0, 1920, 1080),
              (WindowSettings{1, 1, 10, 810, 20, 620}));
    EXPECT_EQ(SettingsOnExit(start, false, true, 0, 0, 1920, 1080),
              (WindowSettings{0, 0, 10, 810, 20, 620}));
}

TEST(RecentFilesTest, FirstStartOffersTheDemosOnlyOnce) {
    MemorySettingsStore store;
    SeedDemoFiles(store, "/opt/pf");
    RecentFileList list;
    list.Load(store);
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"/opt/pf/Demo1.fl2", "/opt/pf/Demo2.fl2",
                                                      "/opt/pf/Demo3.fl2"}));
    store.SetString(kRecentFileSection, "File1", "/home/x/Mein.fl2");
    SeedDemoFiles(store, "/opt/pf");
    EXPECT_EQ(*store.GetString(kRecentFileSection, "File1"), "/home/x/Mein.fl2");
}

TEST(RecentFilesTest, AddPutsFirstDropsDuplicatesAndKeepsFour) {
    TempFolder folder("recent");
    RecentFileList list;
    for (const char* name : {"a.fl2", "b.fl2", "c.fl2", "d.fl2", "e.fl2"})
        list.Add((folder / name).string());
    // The same file through another spelling moves to the front instead of appearing twice.
    list.Add((folder.Path() / "sub" / ".." / "c.fl2").string());
    ASSERT_EQ(list.Files().size(), 4u);
    EXPECT_EQ(list.Files()[0], (folder / "c.fl2").string());
    EXPECT_EQ(list.Files()[1], (folder / "e.fl2").string());
    EXPECT_EQ(list.Files()[3], (folder / "b.fl2").string());

    MemorySettingsStore store;
    list.Save(store);
    RecentFileList reloaded;
    reloaded.Load(store);
    EXPECT_EQ(reloaded.Files(), list.Files());
    EXPECT_EQ(RecentFileMenuText(0, list.Files()[0]), "&1 c.fl2");
}

TEST(DialogBarRulesTest, ControlsPerView) {
    struct Case {
        int id;
        DialogBarControls controls;
    };
    // second date, development measure, position measure, choose, security, filter, sale, html
    const Case cases[] = {
        {kViewHoldings, {false, false, false, false, false, false, false, true}},
        {kViewRealized, {true, false, false, false, false, true, true, false}},
        {kViewTransactions, {true, false, false, false, false, true, false, false}},
        {kViewAccountMovements, {true, false, false, false, false, false, false, false}},
        {kViewSecurities, {false, false, false, false, false, false, false, false}},
        {kViewDevelopment, {true, false, false, false, false, false, false, false}},
        {kViewDevelopmentDiagram, {true, true, false, false, false, false, false, false}},
        {kViewPositionDiagram, {true, false, true, true, false, false, false, false}},
        {kViewChart, {true, false, false, false, true, false, false, false}},
        {kViewDepotDistribution, {false, false, false, false, false, false, false, false}},
        {kViewReturns, {true, false, false, false, false, true, false, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(ControlsForView(c.id), c.controls) << c.id;
    EXPECT_EQ(DevelopmentMeasureItems().size(), 15u);
    EXPECT_EQ(PositionMeasureItems().size(), 5u);
}

TEST(DialogBarRulesTest, FilterIsKeptPerViewAndTheFirstDateFollowsTheViewKind) {
    ChildViewState s;
    s.reportDate = DateOf(10, 12, 2026);
    s.periodFrom = DateOf(1, 1, 2026);
    s.periodTo = DateOf(10, 12, 2026);
    s.viewId = kViewRealized;
    s.SetFilterOn(true);
    s.simulateSales = true;
    s.viewId = kViewTransactions;
    EXPECT_FALSE(s.FilterOn());
    s.viewId = kViewHoldings;
    s.SetFilterOn(true);  // the holdings have no filter: nothing is kept
    EXPECT_FALSE(s.ToViewState().securityFilter);
    EXPECT_FALSE(s.ToViewState().simulateSales);
    s.SetFirstDate(DateOf(30, 6, 2026));
    EXPECT_EQ(s.reportDate, DateOf(30, 6, 2026));
    EXPECT_EQ(s.periodFrom, DateOf(1, 1, 2026));
    s.viewId = kViewRealized;
    EXPECT_EQ(s.FirstDate(), DateOf(1, 1, 2026));
    const ViewState v = s.ToViewState();
    EXPECT_TRUE(v.securityFilter);
    EXPECT_TRUE(v.simulateSales);
    EXPECT_EQ(v.reportDate, DateOf(30, 6, 2026));
}

TEST(InitialPeriodTest, FollowsTheGeneralOptions) {
    CFolari2Doc doc = MakeDemoPortfolio(1);
    const CQRNDatum today = DateOf(10, 12, 2026);
    struct Case {
        int from, to;
        CQRNDatum expectedFrom, expectedTo;
    };
    doc.options.periodFromDate = DateOf(15, 3, 2020);
    doc.options.periodToDate = DateOf(31, 12, 2025);
    const CQRNDatum first = doc.transactions.front().date;
    for (const Case& c :
         {Case{kFromFirstTransaction, kToToday, first, today},
          Case{kFromStartOfYear, kToToday, DateOf(1, 1, 2026), today},
          Case{kFromStartOfMonth, kToToday, DateOf(1, 12, 2026), today},
          Case{kFromFixedDay, kToFixedDay, DateOf(15, 3, 2020), DateOf(31, 12, 2025)},
          // a start after the end does not make an empty period
          Case{kFromStartOfYear, kToFixedDay, DateOf(31, 12, 2025), DateOf(31, 12, 2025)}}) {
        doc.options.periodFromChoice = c.from;
        doc.options.periodToChoice = c.to;
        const DisplayPeriod p = InitialPeriod(doc, today);
        EXPECT_EQ(p.from, c.expectedFrom) << c.from << "/" << c.to;
        EXPECT_EQ(p.to, c.expectedTo) << c.from << "/" << c.to;
    }
    CFolari2Doc empty;
    empty.options.periodFromChoice = kFromFirstTransaction;
    EXPECT_EQ(InitialPeriod(empty, today).from, today);
}

TEST(ScreenScaleTest, OnlyAChangeMarksTheDocument) {
    CFolari2Doc doc;
    doc.options.scaleNotYetDetermined = false;
    ASSERT_EQ(ScreenScaleCommands().size(), 8u);
    EXPECT_FALSE(SetScreenScale(doc, 1.0));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(SetScreenScale(doc, 1.25));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.options.screenScaleFactor, 1.25);
    int checked = 0;
    for (const ScreenScaleCommand& c : ScreenScaleCommands())
        checked += IsCurrentScreenScale(doc, c.factor);
    EXPECT_EQ(checked, 1);
}

class DocumentSessionTest : public ::testing::Test {
  protected:
    TempFolder folder{"session"};
    ReadSettings settings{DateOf(10, 12, 2026), [this]() -> std::optional<std::string> {
                              ++passwordQuestions;
                              return typedPassword;
                          }};
    std::optional<std::string> typedPassword;
    int passwordQuestions = 0;

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(DocumentSessionTest, OpensAndSavesWithTitleAndModifiedFlag) {
    CFolari2Doc doc = MakeDemoPortfolio(1);
    doc.SetModified();
    const std::string path = (folder / "Depot.fl2").string();
    ASSERT_FALSE(SaveDocument(doc, path));
    EXPECT_FALSE(doc.IsModified());
    OpenOutcome outcome = OpenPortfolioFile(path, settings);
    ASSERT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.opened->title, "Depot");
    EXPECT_FALSE(outcome.opened->olderVersion);
    EXPECT_EQ(outcome.opened->doc.securities.size(), doc.securities.size());
}

TEST_F(DocumentSessionTest, BadFilesGiveTheFrameworkMessages) {
    const std::string good = WriteDocument(MakeDemoPortfolio(1));
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"truncated.fl2", good.substr(0, good.size() / 2), "Unerwartetes Dateiformat."},
        {"text.fl2", "Dies ist keine Depotdatei.\n", "Unerwartetes Dateiformat."},
        {"empty.fl2", "", "Unerwartetes Dateiformat."},
    };
    for (const Case& c : cases) {
        const OpenOutcome outcome = OpenPortfolioFile(Write(c.name, c.bytes), settings);
        ASSERT_FALSE(outcome.opened) << c.name;
        ASSERT_TRUE(outcome.error) << c.name;
        EXPECT_EQ(outcome.error->title, kAppTitle);
        EXPECT_EQ(outcome.error->text.substr(0, std::string(c.message).size()), c.message)
            << c.name;
        EXPECT_EQ(outcome.error->icon, MessageIcon::Exclamation);
    }
    const OpenOutcome missing = OpenPortfolioFile((folder / "fehlt.fl2").string(), settings);
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(missing.error->text.substr(0, 34), "Fehler beim Öffnen des Dokuments.");
}

TEST_F(DocumentSessionTest, PasswordIsAskedAndAWrongOneOpensNothing) {
    CFolari2Doc doc = MakeDemoPortfolio(1);
    doc.password = {"Geheim", 1};
    const std::string path = (folder / "Geschuetzt.fl2").string();
    ASSERT_FALSE(SaveDocument(doc, path));
    for (const std::optional<std::string>& wrong :
         {std::optional<std::string>("geheim"), std::optional<std::string>()}) {
        typedPassword = wrong;
        const OpenOutcome outcome = OpenPortfolioFile(path, settings);
        EXPECT_FALSE(outcome.opened);
        ASSERT_TRUE(outcome.error);
        EXPECT_EQ(outcome.error->text.substr(0, 34), "Fehler beim Öffnen des Dokuments.");
    }
    typedPassword = "Geheim";
    EXPECT_TRUE(OpenPortfolioFile(path, settings).opened);
    EXPECT_EQ(passwordQuestions, 3);
}

TEST_F(DocumentSessionTest, FailedSaveKeepsTheOldFileAndTheModifiedMark) {
    CFolari2Doc doc = MakeDemoPortfolio(1);
    const std::string path = (folder / "Depot.fl2").string();
    ASSERT_FALSE(SaveDocument(doc, path));
    const std::string before = TempFolder::Contents(path);
    doc.depot.holderName = "Name mit €-Zeichen und ∑";  // ∑ has no place in the file's code page
    doc.SetModified();
    const MaybeMessage problem = SaveDocument(doc, path);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->text.substr(0, 36), "Fehler beim Speichern des Dokuments.");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(TempFolder::Contents(path), before);
    EXPECT_TRUE(SaveDocument(doc, (folder / "fehlt" / "Depot.fl2").string()));
}

TEST_F(DocumentSessionTest, FirstGenerationFilesAreRecognisedAndImportNamesFollowTheFile) {
    const std::string flk =
        Write("depot.flk", std::string("\x1B") + "PortfolarisDatei.1.07 xyz" + "data");
    EXPECT_TRUE(IsFirstGenerationFile(flk));
    EXPECT_FALSE(IsFirstGenerationFile(Write("other.fl2", WriteDocument(MakeDemoPortfolio(1)))));
    const OpenOutcome outcome = ImportPortfolioFile(flk, settings);
    ASSERT_TRUE(outcome.error);
    EXPECT_NE(outcome.error->text.find("Portfolaris1-Datei"), std::string::npos);

    EXPECT_EQ(ImportedTitle("/daten/depot.flk"), "depot (importiert)");
    EXPECT_EQ(ImportedSavePath("/daten/depot.flk"), "/daten/depot.fl2");
    EXPECT_EQ(ImportedSavePath("/daten/DEPOT.FLK"), "/daten/DEPOT.fl2");
    // An import of a file in the current format (renamed by hand) takes the same names.
    const std::string renamed = Write("alt.flk", WriteDocument(MakeDemoPortfolio(1)));
    const OpenOutcome imported = ImportPortfolioFile(renamed, settings);
    ASSERT_TRUE(imported.opened);
    EXPECT_EQ(imported.opened->title, "alt (importiert)");
    EXPECT_EQ(imported.opened->path, (folder / "alt.fl2").string());
    EXPECT_TRUE(imported.opened->doc.IsModified());
}

}  // namespace
}  // namespace pf

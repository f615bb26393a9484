#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "model/archive/document_file.h"
#include "samples/demo_portfolios.h"
#include "shell/view_catalogue.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

namespace fs = std::filesystem;

class CliReport : public ::testing::Test {
  protected:
    void SetUp() override { SaveDocumentFile(MakeDemoPortfolio(1), Path("Demo1.fl2")); }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        // 10 December 2026, noon UTC.
        const FixedClock clock(1796904000);
        return RunCli(args, out_, err_, clock);
    }
    std::string Path(const std::string& name) { return (folder_ / name).string(); }
    std::string Contents(const std::string& p) { return testing::TempFolder::Contents(p); }

    // The report as the table writes it, built from the saved file.
    std::string Expected(int viewId, const ViewState& state, int mode) {
        const ReadResult read = LoadDocumentFile(Path("Demo1.fl2"), {});
        const auto table = BuildReport(read.doc, viewId, state);
        return table ? table->Text(mode, "\n") : "(kein Bericht)";
    }

    testing::TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::ostringstream out_;
    std::ostringstream err_;
};

ViewState At(CQRNDatum date) {
    ViewState state;
    state.reportDate = date;
    return state;
}
ViewState Period(CQRNDatum from, CQRNDatum to, bool filter = false, bool simulate = false) {
    ViewState state;
    state.periodFrom = from;
    state.periodTo = to;
    state.securityFilter = filter;
    state.simulateSales = simulate;
    return state;
}

TEST_F(CliReport, DatesSwitchesAndFormatReachTheReport) {
    struct Case {
        std::vector<std::string> options;
        int viewId;
        ViewState state;
        int mode;
        const char* title;  // part of the first line
    };
    const Case cases[] = {
        {{}, kViewHoldings, At(DateOf(10, 12, 2026)), kFixedWidths, "Depotbestand am 10.12.2026"},
        {{"--date", "30.06.2012"},
         kViewHoldings,
         At(DateOf(30, 6, 2012)),
         kFixedWidths,
         "am 30.06.2012"},
        {{"--date", "30.06.2012", "--format", "tsv"},
         kViewHoldings,
         At(DateOf(30, 6, 2012)),
         kTabSeparated,
         "am 30.06.2012"},
        {{"--format", "text"},
         kViewHoldings,
         At(DateOf(10, 12, 2026)),
         kFixedWidths,
         "am 10.12.2026"},
        // Without --from the period starts on 1 January of the end year.
        {{},
         kViewRealized,
         Period(DateOf(1, 1, 2026), DateOf(10, 12, 2026)),
         kFixedWidths,
         "von 01.01.2026 bis 10.12.2026"},
        {{"--to", "31.12.2015"},
         kViewRealized,
         Period(DateOf(1, 1, 2015), DateOf(31, 12, 2015)),
         kFixedWidths,
         "von 01.01.2015 bis 31.12.2015"},
        {{"--from", "01.01.2005"},
         kViewRealized,
         Period(DateOf(1, 1, 2005), DateOf(10, 12, 2026)),
         kFixedWidths,
         "von 01.01.2005 bis 10.12.2026"},
        {{"--from", "01.01.2005", "--to", "31.12.2024", "--simulate", "--format", "tsv"},
         kViewRealized,
         Period(DateOf(1, 1, 2005), DateOf(31, 12, 2024), false, true),
         kTabSeparated,
         "von 01.01.2005 bis 31.12.2024"},
        {{"--to", "31.12.2024", "--filter"},
         kViewRealized,
         Period(DateOf(1, 1, 2024), DateOf(31, 12, 2024), true, false),
         kFixedWidths,
         "von 01.01.2024 bis 31.12.2024"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {
            "report", c.viewId == kViewHoldings ? "holdings" : "realized", Path("Demo1.fl2")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        ASSERT_EQ(Run(args), 0) << err_.str();
        EXPECT_EQ(err_.str(), "");
        const std::string text = out_.str();
        EXPECT_EQ(text, Expected(c.viewId, c.state, c.mode));
        EXPECT_NE(text.substr(0, text.find('\n')).find(c.title), std::string::npos) << text;
        EXPECT_EQ(text.find('\t') != std::string::npos, c.mode == kTabSeparated);
        EXPECT_EQ(text.find('\r'), std::string::npos);
    }
}

TEST_F(CliReport, SimulatedSalesAddTheOpenPositions) {
    const std::vector<std::string> base = {"report",     "realized",   Path("Demo1.fl2"),
                                           "--from",     "01.01.2005", "--to",
                                           "31.12.2024", "--format",   "tsv"};
    ASSERT_EQ(Run(base), 0) << err_.str();
    const std::string sold = out_.str();
    std::vector<std::string> simulate = base;
    simulate.push_back("--simulate");
    ASSERT_EQ(Run(simulate), 0) << err_.str();
    const std::string all = out_.str();
    const auto lines = [](const std::string& s) { return std::count(s.begin(), s.end(), '\n'); };
    EXPECT_GT(lines(all), lines(sold));
    // The lot of Rheinchemie bought on 10.01.2005 is still open: sold only in the simulation.
    EXPECT_EQ(sold.find("Rheinchemie AG\tRCH100\t300\t10.01.2005"), std::string::npos);
    EXPECT_NE(all.find("Rheinchemie AG\tRCH100\t300\t10.01.2005\t31.12.2024\t"), std::string::npos)
        << all;
}

TEST_F(CliReport, OutputFileHasWindowsLineEnds) {
    for (const char* format : {"text", "tsv"}) {
        SCOPED_TRACE(format);
        const std::vector<std::string> args = {
            "report", "holdings", Path("Demo1.fl2"), "--date", "31.12.2024", "--format", format};
        ASSERT_EQ(Run(args), 0);
        std::string expected;
        for (char ch : out_.str()) {
            if (ch == '\n') expected += '\r';
            expected += ch;
        }
        std::vector<std::string> toFile = args;
        toFile.insert(toFile.end(), {"-o", Path("bestand.txt")});
        ASSERT_EQ(Run(toFile), 0) << err_.str();
        EXPECT_EQ(out_.str(), "");
        EXPECT_EQ(Contents(Path("bestand.txt")), expected);
    }
}

TEST_F(CliReport, RefusalsSayWhy) {
    const std::string demo = Path("Demo1.fl2");
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"report", "holdings"}, 2, "Falsche Anzahl von Argumenten für report."},
        {{"report", "charts", demo}, 2, "Unbekannte Ansicht charts"},
        {{"report", "analysis", demo}, 2, "Depotanalyse hat keine Textausgabe"},
        {{"report", "distribution", demo, "--format", "tsv"},
         2,
         "Depotverteilung hat keine Textausgabe"},
        {{"report", "securities", demo, "--from", "01.01.2024"}, 2, "--from"},
        {{"report", "development", demo, "--date", "31.12.2024"}, 2, "--date"},
        {{"report", "holdings", demo, "--format", "html"}, 2, "Unbekanntes Format html"},
        {{"report", "holdings", demo, "--format", "pdf"}, 2, "bitte mit -o eine Ausgabedatei"},
        {{"report", "holdings", demo, "--format", "png"}, 2, "bitte mit -o eine Ausgabedatei"},
        {{"report", "holdings", demo, "--to", "31.12.2024"}, 2, "gelten nur für realized"},
        {{"report", "holdings", demo, "--simulate"}, 2, "gelten nur für realized"},
        {{"report", "holdings", demo, "--filter"}, 2, "gelten nur für realized"},
        {{"report", "realized", demo, "--date", "31.12.2024"}, 2, "--date gilt nur für holdings"},
        {{"report", "holdings", demo, "-o"}, 2, "-o erwartet einen Wert."},
        {{"report", "holdings", demo, "--date", "31.02.2024"}, 1, "kein gültiges Datum"},
        {{"report", "realized", demo, "--from", "01.01.2016", "--to", "31.12.2015"},
         1,
         "--to liegt vor --from."},
        {{"report", "holdings", Path("fehlt.fl2")}, 1, "Fehler beim Öffnen des Dokuments."},
        {{"report", "holdings", demo, "-o", Path("fehlt/bestand.txt")},
         1,
         "Datei kann nicht geöffnet werden"},
        {{"report", "holdings", demo, "--format", "png", "-o", Path("fehlt/bestand.png")}, 1, ""},
        {{"report", "holdings", demo, "--format", "pdf", "-o", Path("fehlt/bestand.pdf")}, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(Run(c.args), c.code);
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
        EXPECT_NE(err_.str(), "");
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_FALSE(fs::exists(Path("fehlt")));

    Run({"--help"});
    EXPECT_NE(out_.str().find("report ANSICHT DATEI"), std::string::npos);
}

// The lists, the depot analysis and distribution and the securities list take the dates of
// their catalogue rows; the tables write text, the analysis tables only pictures.
TEST_F(CliReport, ListsAndAnalysesTakeTheirDates) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        int viewId;
        ViewState state;
    };
    const Case cases[] = {
        {"development",
         {"--from", "01.01.2024", "--to", "31.03.2024"},
         kViewDevelopment,
         Period(DateOf(1, 1, 2024), DateOf(31, 3, 2024))},
        {"quotes",
         {"--from", "01.12.2024", "--to", "31.12.2024", "--format", "tsv"},
         kViewQuotes,
         Period(DateOf(1, 12, 2024), DateOf(31, 12, 2024))},
        {"securities", {"--date", "30.06.2012"}, kViewSecurities, At(DateOf(30, 6, 2012))},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"report", c.name, Path("Demo1.fl2")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        ASSERT_EQ(Run(args), 0) << err_.str();
        const int mode = args.back() == "tsv" ? kTabSeparated : kFixedWidths;
        const std::string text = out_.str();
        EXPECT_EQ(text, Expected(c.viewId, c.state, mode));
        EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 5);
    }
    for (const char* name : {"analysis", "distribution"}) {
        SCOPED_TRACE(name);
        const std::string pdf = Path(std::string(name) + ".pdf");
        ASSERT_EQ(Run({"report", name, Path("Demo1.fl2"), "--format", "pdf", "-o", pdf}), 0)
            << err_.str();
        EXPECT_TRUE(Contents(pdf).starts_with("%PDF-"));
    }
}

// Width and height of a PNG from its header chunk.
std::pair<uint32_t, uint32_t> PngSize(const std::string& bytes) {
    const auto at = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 24 |
               static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 16 |
               static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 2])) << 8 |
               static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 3]));
    };
    return {at(16), at(20)};
}

// Pages of a PDF: its page objects (Qt writes them uncompressed).
size_t PdfPages(const std::string& bytes) {
    size_t pages = 0;
    for (size_t at = bytes.find("/Type /Page"); at != std::string::npos;
         at = bytes.find("/Type /Page", at + 1))
        pages += bytes.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

TEST_F(CliReport, PngAndPdfFiles) {
    ASSERT_EQ(Run({"report", "holdings", Path("Demo1.fl2"), "--date", "31.12.2024", "--format",
                   "png", "-o", Path("bestand.png")}),
              0)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
    const std::string png = Contents(Path("bestand.png"));
    ASSERT_TRUE(png.starts_with("\x89PNG\r\n\x1a\n"));
    const auto [width, height] = PngSize(png);
    // 25 positions plus title, column titles and total at 96 pixels per inch: a wide,
    // not very high picture.
    EXPECT_GT(width, 1000u);
    EXPECT_GT(height, 300u);
    EXPECT_LT(height, width);

    // All default columns of the realized report need several A4 pages side by side.
    ASSERT_EQ(Run({"report", "realized", Path("Demo1.fl2"), "--from", "01.01.2005", "--to",
                   "31.12.2024", "--format", "pdf", "-o", Path("realisiert.pdf")}),
              0)
        << err_.str();
    const std::string wide = Contents(Path("realisiert.pdf"));
    ASSERT_TRUE(wide.starts_with("%PDF-"));
    EXPECT_GE(PdfPages(wide), 2u);
}

// The pictures follow the report options of the file: columns, print margins, screen scale.
TEST_F(CliReport, PngAndPdfUseTheOptionsOfTheFile) {
    const auto variant = [&](const char* name, auto change) {
        ReadResult read = LoadDocumentFile(Path("Demo1.fl2"), {});
        change(read.doc.options);
        SaveDocumentFile(read.doc, Path(name));
        return Path(name);
    };
    const auto pdfPages = [&](const std::string& file) {
        EXPECT_EQ(Run({"report", "realized", file, "--from", "01.01.2005", "--to", "31.12.2024",
                       "--format", "pdf", "-o", Path("seiten.pdf")}),
                  0)
            << err_.str();
        return PdfPages(Contents(Path("seiten.pdf")));
    };
    const auto pngWidth = [&](const std::string& file) {
        EXPECT_EQ(Run({"report", "holdings", file, "--date", "31.12.2024", "--format", "png", "-o",
                       Path("bild.png")}),
                  0)
            << err_.str();
        return PngSize(Contents(Path("bild.png"))).first;
    };

    const size_t pages = pdfPages(Path("Demo1.fl2"));
    EXPECT_EQ(
        pdfPages(variant("schmal.fl2", [](DocumentOptions& o) { o.realized.columnMask = 1; })),
        1u);  // "Bezeichnung" only
    EXPECT_GT(pdfPages(variant(
                  "raender.fl2",
                  [](DocumentOptions& o) { o.tables.marginLeft = o.tables.marginRight = 700; })),
              pages);

    const uint32_t width =
        pngWidth(variant("normal.fl2", [](DocumentOptions& o) { o.screenScaleFactor = 1.0; }));
    const uint32_t doubled =
        pngWidth(variant("doppelt.fl2", [](DocumentOptions& o) { o.screenScaleFactor = 2.0; }));
    EXPECT_GT(doubled, width * 19 / 10);
    EXPECT_LT(doubled, width * 21 / 10);
}

}  // namespace
}  // namespace pf

namespace pf {
namespace {

TEST_F(CliReport, ChartsAndDiagramsWriteTheirDrawingOrData) {
    // Two weeks of Alpenbank: the data lists each quote of the period with its averages.
    ASSERT_EQ(Run({"chart", Path("Demo1.fl2"), "--security", "ALP300", "--from", "03.10.2005",
                   "--to", "14.10.2005", "--format", "tsv"}),
              0)
        << err_.str();
    const std::string data = out_.str();
    EXPECT_EQ(data.rfind("# Titel\tAlpenbank AG (ALP300)\n# Einheit\tEUR\n"
                         "# Zeitraum\t03.10.2005\t14.10.2005\n# Wertachse\t",
                         0),
              0u)
        << data;
    EXPECT_NE(data.find("# Datumsachse\t0\tTage\n"), std::string::npos) << data;
    EXPECT_NE(data.find("Datum\tKurs\tGD38\tGD100\t\n03.10.2005\t57.86\t"), std::string::npos);
    EXPECT_NE(data.find("14.10.2005\t"), std::string::npos);
    EXPECT_EQ(data.find("17.10.2005\t"), std::string::npos);
    EXPECT_NE(data.find("# Markierungen\nDatum\tKurs\tArt\n"), std::string::npos);

    // A positions diagram without positions: its title says so, one line of 0 per day.
    ASSERT_EQ(Run({"diagram", "positions", Path("Demo1.fl2"), "--from", "01.03.2010", "--to",
                   "03.03.2010", "--format", "tsv"}),
              0)
        << err_.str();
    EXPECT_NE(out_.str().find("<keine Wertpapierpositionen ausgewählt>"), std::string::npos);
    EXPECT_NE(out_.str().find("Datum\tWert\n01.03.2010\t0\n02.03.2010\t0\n03.03.2010\t0\n"),
              std::string::npos)
        << out_.str();

    for (const char* name : {"chart.png", "chart.pdf"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(
            Run({"chart", Path("Demo1.fl2"), "--security", "RCH100", "--from", "01.01.2020", "--to",
                 "31.12.2020", "--width", "600", "--height", "300", "-o", Path(name)}),
            0)
            << err_.str();
        EXPECT_GT(fs::file_size(Path(name)), 1000u);
    }
    EXPECT_EQ(Run({"diagram", "development", Path("Demo1.fl2"), "--measure", "7", "--from",
                   "01.01.2010", "--to", "31.12.2012", "-o", Path("dev.png")}),
              0)
        << err_.str();
}

TEST_F(CliReport, ChartsAndDiagramsRefuseBadRequests) {
    struct Case {
        std::vector<std::string> args;
        int rc;
        const char* message;
    };
    const std::string demo = Path("Demo1.fl2");
    const Case cases[] = {
        {{"chart", demo, "--security", "XXX", "--format", "tsv"},
         1,
         "Kein Wertpapier mit der WKN XXX"},
        {{"chart", demo, "--format", "tsv"}, 2, "--security"},
        {{"chart", demo, "--security", "ALP300"}, 2, "braucht -o"},
        {{"chart", demo, "--security", "ALP300", "--split-mode", "4", "--format", "tsv"},
         2,
         "--split-mode muss"},
        {{"diagram", "development", demo, "--measure", "15", "--format", "tsv"},
         2,
         "--measure muss eine ganze Zahl von 0 bis 14"},
        {{"diagram", "positions", demo, "--measure", "5", "--format", "tsv"}, 2, "von 0 bis 4"},
        {{"diagram", "development", demo, "--positions", "1", "--format", "tsv"},
         2,
         "--positions gilt nur"},
        {{"diagram", "circle", demo, "--format", "tsv"}, 2, "Unbekanntes Diagramm circle"},
        {{"diagram", "development", demo, "--format", "text"}, 2, "Unbekanntes Format text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(Run(c.args), c.rc);
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
    }
}

}  // namespace
}  // namespace pf

#include "quotes/quote_import_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"
#include "platform/settings_store.h"
#include "quotes/quote_export.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

// A folder of its own for the files one test writes; removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("pf_quote_import_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

const char* const kTitle = "Kurse importieren";

TEST(QuoteImportForm, CheckOrderAndFocus) {
    DocBuilder b;
    const int32_t alpha = b.Security("Alpha");
    const Message noSecurity = Message::Refusal(
        kTitle,
        "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten importieren möchten!",
        "name");
    const Message noFile = Message::Refusal(kTitle,
                                            "Bitte geben Sie den Dateinamen einer Textdatei an, "
                                            "aus der Sie die Kursdaten importieren möchten!",
                                            "file");
    struct Case {
        const char* what;
        int32_t security;
        std::string file;
        MaybeMessage expected;
    };
    const Case cases[] = {
        {"nothing chosen, no file: the security first", -1, "", noSecurity},
        {"a security that is gone", 4711, "kurse.txt", noSecurity},
        {"no file", alpha, "", noFile},
        {"ready", alpha, "kurse.txt", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuoteImportForm form;
        form.securityId = c.security;
        form.file = c.file;
        EXPECT_EQ(form.Check(b.doc), c.expected);
        if (c.expected) {
            EXPECT_EQ(form.Run(b.doc).message, c.expected);
        }
    }
}

TEST(QuoteImportForm, FileProblems) {
    DocBuilder b;
    TempFolder folder;
    QuoteImportForm form;
    form.securityId = b.Security("Alpha");
    form.formats.SetDescription("<WIEDERHOLE:<DATUM>;<KURS><NZ>>");
    const Message cannotOpen{kTitle, "Datei kann nicht geöffnet werden!", MessageIcon::Exclamation,
                             ""};
    for (const std::filesystem::path& missing : {folder.Path() / "fehlt.txt", folder.Path()}) {
        SCOPED_TRACE(missing.string());
        form.file = missing.string();
        const QuoteImportRun run = form.Run(b.doc);
        EXPECT_EQ(run.message, cannotOpen);
        EXPECT_FALSE(run.HasResult());
    }

    // The size cap is the memory refusal; the buffer is left empty.
    const std::filesystem::path file = folder.Write("k.txt", "01.02.2020;1,5\n");
    std::string buffer = "alt";
    EXPECT_EQ(ReadQuoteFile(file, buffer, 14), QuoteFileRead::NoMemory);
    EXPECT_EQ(buffer, "");
    EXPECT_EQ(ReadQuoteFile(file, buffer, 15), QuoteFileRead::Ok);
    EXPECT_EQ(buffer, "01.02.2020;1,5\n");
    const std::filesystem::path empty = folder.Write("leer.txt", "");
    EXPECT_EQ(ReadQuoteFile(empty, buffer), QuoteFileRead::Ok);
    EXPECT_EQ(buffer, "");
}

TEST(QuoteImportForm, RemembersPerDocumentAndStoresTheFormats) {
    DocBuilder first;
    const int32_t alpha = first.Security("Alpha");
    const int32_t beta = first.Security("Beta");
    DocBuilder second;
    second.Security("Gamma");
    MemorySettingsStore settings;

    // Never closed: the first stored format's description, which the list shows.
    QuoteImportForm form = QuoteImportForm::Open(first.doc, settings);
    EXPECT_EQ(form.securityId, -1);
    EXPECT_EQ(form.file, "");
    ASSERT_EQ(form.formats.formats.size(), 5u);
    EXPECT_EQ(form.formats.description, form.formats.formats[0].description);
    EXPECT_EQ(form.formats.selected, 0);

    form.securityId = beta;
    form.file = "/tmp/beta.csv";
    form.formats.SetDescription("<WIEDERHOLE:<DATUM>;<KURS><NZ>>");
    form.formats.Append("Eigenes Format");
    first.doc.SetModified(false);
    form.Close(first.doc, settings);
    EXPECT_FALSE(first.doc.IsModified());
    EXPECT_EQ(settings.GetInt("Settings", "ImpForAnz"), 6);
    EXPECT_EQ(settings.GetString("Settings", "ImpFor006Tit"), "Eigenes Format");

    // The same document gets its choices back, the other one starts afresh but sees the new
    // format.
    const QuoteImportForm again = QuoteImportForm::Open(first.doc, settings);
    EXPECT_EQ(again.securityId, beta);
    EXPECT_EQ(again.file, "/tmp/beta.csv");
    EXPECT_EQ(again.formats.description, "<WIEDERHOLE:<DATUM>;<KURS><NZ>>");
    EXPECT_EQ(again.formats.selected, 5);
    const QuoteImportForm other = QuoteImportForm::Open(second.doc, settings);
    EXPECT_EQ(other.securityId, -1);
    EXPECT_EQ(other.file, "");
    EXPECT_EQ(other.formats.selected, 0);

    // Closed without a security: -1 is remembered, and the file and a description that
    // matches no stored format come back as typed.
    QuoteImportForm none = again;
    none.securityId = -1;
    none.formats.SetDescription("frei getippt");
    none.Close(first.doc, settings);
    EXPECT_EQ(first.doc.quoteDialogs.importSecurity, -1);
    const QuoteImportForm reopened = QuoteImportForm::Open(first.doc, settings);
    EXPECT_EQ(reopened.securityId, -1);
    EXPECT_EQ(reopened.file, "/tmp/beta.csv");
    EXPECT_EQ(reopened.formats.description, "frei getippt");
    EXPECT_EQ(reopened.formats.selected, -1);

    // A remembered security that was deleted since is not chosen again.
    QuoteImportForm withAlpha = reopened;
    withAlpha.securityId = alpha;
    withAlpha.Close(first.doc, settings);
    ASSERT_TRUE(first.doc.DeleteSecurity(alpha));
    EXPECT_EQ(QuoteImportForm::Open(first.doc, settings).securityId, -1);
}

// Alpha: 10 pieces bought 10.1.2020, sold 30.1.2020, 5 bought again 10.2.2020; Beta never
// held. The scan found quotes before, on and inside the holding and on the sale day.
class ImportResult : public ::testing::Test {
  protected:
    void SetUp() override {
        alpha = b.Security("Alpha", "A100");
        b.doc.FindSecurity(alpha)->isin = "DE0001234567";
        beta = b.Security("Beta");
        const testing::Made lot = b.Buy(Day(10, 1, 2020), alpha, 10, 5.0);
        b.Sell(Day(30, 1, 2020), alpha, {{lot.positionNo, 10}}, 6.0);
        b.Buy(Day(10, 2, 2020), alpha, 5, 5.0);
        scan.quotes = {{Day(9, 1, 2020), 1234.5},
                       {Day(10, 1, 2020), 0.1234567},
                       {Day(29, 1, 2020), 7.0},
                       {Day(30, 1, 2020), 8.25},
                       {Day(10, 2, 2020), 9.0}};
        b.doc.SetModified(false);
        b.doc.AddEditListener([this] { ++heard; });
    }

    DocBuilder b;
    int32_t alpha = -1;
    int32_t beta = -1;
    ImportScan scan;
    int heard = 0;
};

TEST_F(ImportResult, HeaderRowsAndCount) {
    b.doc.options.isinLabel = "Kürzel";
    const QuoteImportResult result(b.doc, alpha, scan);
    EXPECT_EQ(result.Name(), "Alpha");
    EXPECT_EQ(result.Wkn(), "A100");
    EXPECT_EQ(result.IsinCaption(), "Kürzel:");
    EXPECT_EQ(result.Isin(), "DE0001234567");
    EXPECT_EQ(result.CurrencySymbol(), "EUR");
    EXPECT_FALSE(result.OnlyHeld());
    EXPECT_EQ(result.CountText(), "5 Kurse gefunden");
    ASSERT_EQ(result.Rows().size(), 5u);
    EXPECT_EQ(result.Rows()[0].date, "09.01.2020");
    EXPECT_EQ(result.Rows()[0].price, "1.234,50");
    EXPECT_EQ(result.Rows()[1].price, "0,1234567");
    EXPECT_EQ(result.Rows()[3].price, "8,25");
    EXPECT_EQ(result.NoticeText(), "");

    ImportScan stopped = scan;
    stopped.stoppedEarly = true;
    stopped.stopLine = 12;
    EXPECT_EQ(QuoteImportResult(b.doc, alpha, stopped).NoticeText(),
              "Hinweis: In Zeile 12 paßt die Datei nicht mehr zur Formatbeschreibung; der Rest "
              "der Datei wurde nicht gelesen.");
}

TEST_F(ImportResult, OnlyHeldFilter) {
    struct Case {
        const char* what;
        int32_t security;
        bool onlyHeld;
        std::vector<CQRNDatum> shown;
    };
    // Held on the purchase day through 29.1. (the sale on 30.1. ends the lot) and again from
    // 10.2.
    const Case cases[] = {
        {"off: everything",
         alpha,
         false,
         {Day(9, 1, 2020), Day(10, 1, 2020), Day(29, 1, 2020), Day(30, 1, 2020), Day(10, 2, 2020)}},
        {"on", alpha, true, {Day(10, 1, 2020), Day(29, 1, 2020), Day(10, 2, 2020)}},
        {"never held", beta, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuoteImportResult result(b.doc, c.security, scan);
        result.SetOnlyHeld(b.doc, c.onlyHeld);
        std::vector<CQRNDatum> dates;
        for (const CFL2Kurs& q : result.Shown()) dates.push_back(q.date);
        EXPECT_EQ(dates, c.shown);
        EXPECT_EQ(result.Rows().size(), c.shown.size());
        EXPECT_EQ(result.CountText(), std::to_string(c.shown.size()) + " Kurse gefunden");
    }
    // Toggling back shows all again.
    QuoteImportResult result(b.doc, alpha, scan);
    result.SetOnlyHeld(b.doc, true);
    result.SetOnlyHeld(b.doc, false);
    EXPECT_EQ(result.Shown(), scan.quotes);
}

TEST_F(ImportResult, ApplyMarksModifiedOnlyOnChange) {
    b.Quote(alpha, Day(29, 1, 2020), 7.0);   // the same price: no change
    b.Quote(alpha, Day(30, 1, 2020), 99.0);  // replaced by 8.25
    b.doc.SetModified(false);

    QuoteImportResult held(b.doc, alpha, scan);
    held.SetOnlyHeld(b.doc, true);  // 10.1. (new), 29.1. (same), 10.2. (new)
    EXPECT_EQ(held.Apply(b.doc), 2);
    EXPECT_TRUE(b.doc.IsModified());
    EXPECT_EQ(heard, 1);
    const QuoteHistory& quotes = b.doc.FindSecurity(alpha)->quotes;
    EXPECT_EQ(quotes.size(), 4u);  // 10.1., 29.1., 30.1. (still 99) and 10.2.
    double value = 0;
    EXPECT_EQ(quotes.QuoteOn(Day(30, 1, 2020), value), 1);
    EXPECT_EQ(value, 99.0);

    const QuoteImportResult all(b.doc, alpha, scan);
    EXPECT_EQ(all.Apply(b.doc), 2);  // 9.1. new, 30.1. changed
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(quotes.QuoteOn(Day(30, 1, 2020), value), 1);
    EXPECT_EQ(value, 8.25);

    // Everything already there: nothing heard, the document stays unmodified.
    b.doc.SetModified(false);
    EXPECT_EQ(all.Apply(b.doc), 0);
    EXPECT_FALSE(b.doc.IsModified());
    EXPECT_EQ(heard, 2);

    // The security was deleted while the result was open.
    const QuoteImportResult gone(b.doc, beta, scan);
    ASSERT_TRUE(b.doc.DeleteSecurity(beta));
    b.doc.SetModified(false);
    EXPECT_EQ(gone.Apply(b.doc), 0);
    EXPECT_FALSE(b.doc.IsModified());
}

}  // namespace
}  // namespace pf

namespace pf {
namespace {

// Scans of real files through the form: the messages after the scan, the progress and the
// way back from an exported file.
class ImportScanRun : public ::testing::Test {
  protected:
    void SetUp() override {
        form.securityId = b.Security("Alpha");
        form.formats.formats = DefaultImportFormats();
    }
    QuoteImportRun RunOn(const std::string& bytes, const std::string& description) {
        form.file = folder.Write("kurse.txt", bytes).string();
        form.formats.SetDescription(description);
        return form.Run(b.doc, [this](int percent) { progress.push_back(percent); });
    }

    DocBuilder b;
    TempFolder folder;
    QuoteImportForm form;
    std::vector<int> progress;
};

TEST_F(ImportScanRun, MessagesAfterTheScan) {
    const std::string tab = DefaultImportFormats()[1].description;

    // An empty file gives no quotes: message 7, information icon, no focus.
    const QuoteImportRun empty = RunOn("", tab);
    EXPECT_EQ(empty.message,
              Message::Refusal(kTitle,
                               "Es konnten keine Kursdaten eingelesen werden.\n\nEntweder enthält "
                               "die Datei keine Kurse oder die Formatbeschreibung paßt nicht zur "
                               "ausgewählten Datei!"));

    // A field at the end of the description is faulty; the text selection starts where the
    // matcher found the fault, and no quote is offered.
    const std::string faultyDescription = "<WIEDERHOLE:\r\n  <DATUM> <TAB> <KURS>";
    const std::string text = "05.03.2011\t12,50\n";
    const QuoteImportRun faulty = RunOn(text, faultyDescription);
    EXPECT_EQ(faulty.message, (Message{kTitle, "Fehler in der Formatbeschreibung!",
                                       MessageIcon::Exclamation, "description"}));
    const ImportScan direct = ScanQuoteText(text, faultyDescription);
    ASSERT_TRUE(direct.faulty);
    EXPECT_EQ(faulty.selectionStart, direct.errorPosition);
    EXPECT_GT(faulty.selectionStart, 0u);
    EXPECT_LE(faulty.selectionStart, faultyDescription.size());
    EXPECT_TRUE(faulty.scan.quotes.empty());
}

TEST_F(ImportScanRun, ProgressAndTheLostLastLine) {
    // Windows line ends, the last line without its line feed: its quote is lost and the
    // result says where reading stopped.
    const std::string text = "05.03.2011;12,50\r\n07.03.2011;1.234,50\r\n08.03.2011;9,00";
    const QuoteImportRun run = RunOn(text, DefaultImportFormats()[2].description);
    ASSERT_TRUE(run.HasResult());
    EXPECT_EQ(run.scan.quotes,
              (std::vector<CFL2Kurs>{{Day(5, 3, 2011), 12.5}, {Day(7, 3, 2011), 1234.5}}));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

    const QuoteImportResult result(b.doc, form.securityId, run.scan);
    EXPECT_EQ(result.CountText(), "2 Kurse gefunden");
    EXPECT_EQ(result.NoticeText(),
              "Hinweis: Die letzte Zeile (Zeile 3) endet ohne Zeilenumbruch; sie wurde nicht "
              "oder nur zum Teil gelesen.");
}

TEST_F(ImportScanRun, ExportedQuotesReadBack) {
    // Prices with grouping, 7 decimals and whole numbers; dates across the years.
    const std::vector<CFL2Kurs> quotes = {{Day(2, 1, 1970), 0.0000001},
                                          {Day(5, 3, 2011), 12.5},
                                          {Day(7, 3, 2011), 1234567.8912345},
                                          {Day(8, 3, 2011), 3.0},
                                          {Day(18, 1, 2038), 999999999.0}};
    for (const CFL2Kurs& q : quotes) b.Quote(form.securityId, q.date, q.value);
    const std::string exported = ExportQuotesText(b.doc, form.securityId, QuoteExportOptions{});
    const QuoteImportRun run =
        RunOn(exported, "<WIEDERHOLE:\r\n    <DATUM> <TAB> <KURS> <NZ>\r\n>");
    ASSERT_TRUE(run.HasResult()) << run.message->text;
    EXPECT_EQ(run.scan.quotes, quotes);
    EXPECT_FALSE(run.scan.stoppedEarly);
    EXPECT_EQ(form.formats.selected, 1);  // the description is the stored tab format
}

}  // namespace
}  // namespace pf

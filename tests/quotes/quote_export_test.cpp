#include "quotes/quote_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// "Rheinchemie AG" (WKN RCH100) quoted in euro; "Leer" (WKN L1) without quotes.
class QuoteExport : public ::testing::Test {
  protected:
    void SetUp() override {
        rch = b.Security("Rheinchemie AG", "RCH100");
        empty = b.Security("Leer", "L1");
        b.Quote(rch, Day(5, 3, 2011), 12.5);
        b.Quote(rch, Day(7, 3, 2011), 1234.5);
        b.Quote(rch, Day(8, 3, 2011), 0.1234567);
    }
    DocBuilder b;
    int32_t rch = -1;
    int32_t empty = -1;
};

TEST_F(QuoteExport, Bytes) {
    struct Case {
        const char* what;
        bool name, wkn, currency;
        std::string separator;
        bool pointDecimals;  // decimal point, grouping by ","
        bool ofEmpty;
        std::string expected;
    };
    const std::string quotes =
        "05.03.2011\t12,50\r\n07.03.2011\t1.234,50\r\n08.03.2011\t0,1234567\r\n";
    const Case cases[] = {
        {"defaults: tab, grouping, 2 to 7 decimals", false, false, false, "<TAB>", false, false,
         quotes},
        {"separator ;", false, false, false, ";", false, false,
         "05.03.2011;12,50\r\n07.03.2011;1.234,50\r\n08.03.2011;0,1234567\r\n"},
        {"several characters, <tab> is not the tag", false, false, false, "<tab>", false, false,
         "05.03.2011<tab>12,50\r\n07.03.2011<tab>1.234,50\r\n08.03.2011<tab>0,1234567\r\n"},
        {"empty separator", false, false, false, "", false, false,
         "05.03.201112,50\r\n07.03.20111.234,50\r\n08.03.20110,1234567\r\n"},
        {"name and WKN lines, name first", true, true, false, "<TAB>", false, false,
         "Rheinchemie AG\r\nRCH100\r\n" + quotes},
        {"WKN line alone", false, true, false, "<TAB>", false, false, "RCH100\r\n" + quotes},
        {"currency after each price", false, false, true, " ", false, false,
         "05.03.2011 12,50 EUR\r\n07.03.2011 1.234,50 EUR\r\n08.03.2011 0,1234567 EUR\r\n"},
        {"the document's separators", false, false, false, ";", true, false,
         "05.03.2011;12.50\r\n07.03.2011;1,234.50\r\n08.03.2011;0.1234567\r\n"},
        {"no quotes: empty", false, false, true, "<TAB>", false, true, ""},
        {"no quotes: only the name and WKN lines", true, true, true, "<TAB>", false, true,
         "Leer\r\nL1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        b.doc.options.decimalSeparator = c.pointDecimals ? "." : ",";
        b.doc.options.thousandsSeparator = c.pointDecimals ? "," : ".";
        QuoteExportOptions options;
        options.writeName = c.name;
        options.writeWkn = c.wkn;
        options.currencyAfterPrice = c.currency;
        options.separator = c.separator;
        EXPECT_EQ(ExportQuotesText(b.doc, c.ofEmpty ? empty : rch, options), c.expected);
    }
    EXPECT_EQ(ExportQuotesText(b.doc, 999, {}), "");
}

TEST_F(QuoteExport, FormChecksThenWritesTheFile) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("pf_quote_export_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path target = folder / "kurse.txt";

    struct Case {
        const char* what;
        int32_t security;
        std::string file;
        Message expected;
    };
    const Case cases[] = {
        {"no security", -1, target.string(),
         Message::Refusal(
             "Kurse exportieren",
             "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten exportieren möchten!",
             "name")},
        {"a security that is gone comes first too", 4711, "",
         Message::Refusal(
             "Kurse exportieren",
             "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten exportieren möchten!",
             "name")},
        {"no file name", rch, "",
         Message::Refusal("Kurse exportieren",
                          "Bitte geben Sie den Dateinamen einer Textdatei an, in die Sie die "
                          "Kursdaten exportieren möchten!",
                          "file")},
        {"folder missing",
         rch,
         (folder / "fehlt" / "kurse.txt").string(),
         {"Kurse exportieren", "Datei kann nicht geöffnet werden!", MessageIcon::Exclamation, ""}},
        {"target is a folder",
         rch,
         folder.string(),
         {"Kurse exportieren", "Datei kann nicht geöffnet werden!", MessageIcon::Exclamation, ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuoteExportForm form;
        form.securityId = c.security;
        form.file = c.file;
        if (c.expected.icon == MessageIcon::Information) {
            EXPECT_EQ(form.Check(b.doc), c.expected);
        }
        EXPECT_EQ(form.Apply(b.doc), c.expected);
        EXPECT_FALSE(std::filesystem::exists(target));
    }

    // An existing file is replaced as a whole, and nothing else is left in the folder.
    std::ofstream(target, std::ios::binary) << "alter Inhalt, viel laenger als der neue Text\r\n";
    QuoteExportForm form;
    form.securityId = empty;
    form.file = target.string();
    form.options.writeWkn = true;
    EXPECT_EQ(form.Check(b.doc), std::nullopt);
    EXPECT_EQ(form.Apply(b.doc), (Message{"Kurse exportieren", "Kurse wurden exportiert.",
                                          MessageIcon::Information, ""}));
    EXPECT_EQ(ReadFile(target), "L1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace pf

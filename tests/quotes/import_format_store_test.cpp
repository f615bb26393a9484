#include "quotes/import_format_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace pf {
namespace {

const std::string kYahoo = "Yahoo Historische Kurse (de.finance.yahoo.com)";
const std::string kYahooNew =
    "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    <DATUM_JMT>,<TEXT>,<TEXT>,<TEXT>,\r\n"
    "    <KURS_PKT>,<TEXT><NZ>\r\n>";
const std::string kYahooOld =
    "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    <DATUM>,<TEXT>,<TEXT>,<TEXT>,\r\n"
    "    <KURS_PKT>,<TEXT><NZ>\r\n>";
const std::string kTab = "<WIEDERHOLE:\r\n    <DATUM> <TAB> <KURS> <NZ>\r\n>";

void Store(MemorySettingsStore& s, const std::vector<ImportFormat>& formats) {
    s.SetInt("Settings", "ImpForAnz", static_cast<int>(formats.size()));
    char key[32];
    for (size_t i = 0; i < formats.size(); ++i) {
        std::snprintf(key, sizeof key, "ImpFor%03zuTit", i + 1);
        s.SetString("Settings", key, formats[i].title);
        std::snprintf(key, sizeof key, "ImpFor%03zuBes", i + 1);
        s.SetString("Settings", key, formats[i].description);
    }
}

TEST(ImportFormatStore, AbsentOrMinusOneCountGivesTheFiveDefaults) {
    const std::vector<ImportFormat> expected = {
        {kYahoo, kYahooNew},
        {"Datum und Kurs (getrennt durch Tabulator)", kTab},
        {"Datum und Kurs (getrennt durch Semikolon)",
         "<WIEDERHOLE:\r\n    <DATUM> ; <KURS> <NZ>\r\n>"},
        {"Datum und Kurs (in Anführungszeichen, getrennt durch Tabulator)",
         "<WIEDERHOLE:\r\n    \"<DATUM>\" <TAB> \"<KURS>\" <NZ>\r\n>"},
        {"Datum und Kurs (in Anführungszeichen, getrennt durch Semikolon)",
         "<WIEDERHOLE:\r\n    \"<DATUM>\" ; \"<KURS>\" <NZ>\r\n>"},
    };
    EXPECT_EQ(kYahooNew.size(), 93u);
    MemorySettingsStore absent;
    EXPECT_EQ(LoadImportFormats(absent), expected);
    MemorySettingsStore minusOne;
    minusOne.SetInt("Settings", "ImpForAnz", -1);
    // Stray keys of an earlier profile do not count while the count says -1.
    minusOne.SetString("Settings", "ImpFor001Tit", "Alt");
    EXPECT_EQ(LoadImportFormats(minusOne), expected);
}

TEST(ImportFormatStore, YahooRules) {
    struct Case {
        const char* what;
        std::vector<ImportFormat> stored;
        std::vector<ImportFormat> loaded;
    };
    const Case cases[] = {
        {"only the first Yahoo title is taken",
         {{"Eigene", "<DATUM>;<KURS><NZ>"},
          {"Yahoo Historische Kurse (alt)", "A"},
          {kYahoo, kYahooOld},
          {"Tab", kTab}},
         {{"Eigene", "<DATUM>;<KURS><NZ>"}, {"Yahoo Historische Kurse (alt)", "A"}, {"Tab", kTab}}},
        {"the older description is upgraded under the exact default title",
         {{kYahoo, kYahooOld}},
         {{kYahoo, kYahooNew}}},
        {"another Yahoo title keeps the older description",
         {{"Yahoo Historische Kurse (finance.yahoo.de)", kYahooOld}},
         {{"Yahoo Historische Kurse (finance.yahoo.de)", kYahooOld}}},
        {"an edited description under the default title stays",
         {{kYahoo, kYahooOld + " "}},
         {{kYahoo, kYahooOld + " "}}},
        {"no Yahoo title: the default is appended",
         {{"Tab", kTab}},
         {{"Tab", kTab}, {kYahoo, kYahooNew}}},
        {"the 23 characters are compared with case",
         {{"yahoo Historische Kurse", "x"}},
         {{"yahoo Historische Kurse", "x"}, {kYahoo, kYahooNew}}},
        {"count 0: only the default Yahoo format", {}, {{kYahoo, kYahooNew}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySettingsStore s;
        Store(s, c.stored);
        EXPECT_EQ(LoadImportFormats(s), c.loaded);
    }
}

TEST(ImportFormatStore, MissingKeysOfADamagedProfile) {
    MemorySettingsStore s;
    s.SetInt("Settings", "ImpForAnz", 4);
    s.SetString("Settings", "ImpFor001Tit", "Nur Titel");
    s.SetString("Settings", "ImpFor002Bes", "<DATUM>;<KURS><NZ>");
    // Format 3: neither key; format 4 is the Yahoo format.
    s.SetString("Settings", "ImpFor004Tit", kYahoo);
    s.SetString("Settings", "ImpFor004Bes", kYahooNew);
    const std::vector<ImportFormat> expected = {
        {"Nur Titel", ""}, {"", "<DATUM>;<KURS><NZ>"}, {kYahoo, kYahooNew}};
    EXPECT_EQ(LoadImportFormats(s), expected);
}

TEST(ImportFormatStore, SaveWritesCountAndKeysAndLeavesHigherKeys) {
    MemorySettingsStore s;
    Store(s, {{"A", "a"}, {"B", "b"}, {"C", "c"}});
    SaveImportFormats(s, {{"X", "x"}, {kYahoo, kYahooNew}});
    EXPECT_EQ(s.GetInt("Settings", "ImpForAnz"), 2);
    EXPECT_EQ(s.GetString("Settings", "ImpFor001Tit"), "X");
    EXPECT_EQ(s.GetString("Settings", "ImpFor001Bes"), "x");
    EXPECT_EQ(s.GetString("Settings", "ImpFor002Tit"), kYahoo);
    EXPECT_EQ(s.GetString("Settings", "ImpFor002Bes"), kYahooNew);
    EXPECT_EQ(s.GetString("Settings", "ImpFor003Tit"), "C");
    EXPECT_EQ(s.GetString("Settings", "ImpFor003Bes"), "c");
    const std::vector<ImportFormat> reloaded = {{"X", "x"}, {kYahoo, kYahooNew}};
    EXPECT_EQ(LoadImportFormats(s), reloaded);

    // An empty list is stored as count 0, which loads as the Yahoo format alone.
    SaveImportFormats(s, {});
    EXPECT_EQ(s.GetInt("Settings", "ImpForAnz"), 0);
    EXPECT_EQ(LoadImportFormats(s), (std::vector<ImportFormat>{{kYahoo, kYahooNew}}));
}

TEST(ImportFormatList, ListFollowsTheDescription) {
    ImportFormatList list;
    // Two formats share a description: the last of them is shown.
    list.formats = {{"A", "a"}, {"B", "b"}, {"A2", "a"}};
    struct Case {
        std::string text;
        int selected;
    };
    const Case cases[] = {{"a", 2}, {"b", 1}, {"B", -1}, {"b ", -1}, {"", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        list.SetDescription(c.text);
        EXPECT_EQ(list.selected, c.selected);
        EXPECT_EQ(list.DeleteEnabled(), c.selected >= 0);
        EXPECT_EQ(list.SaveEnabled(), c.selected < 0);
    }

    list.Choose(0);
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.description, "a");
    list.Choose(7);
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(list.description, "a");
}

TEST(ImportFormatList, SaveAndDelete) {
    ImportFormatList list;
    list.formats = {{"A", "a"}};
    list.SetDescription("neu");

    EXPECT_EQ(
        ImportFormatList::CheckTitle(" \t"),
        Message::Refusal("Formatbeschreibung speichern",
                         "Bitte geben Sie einen erläuternden Text für die Formatbeschreibung ein!",
                         "title"));
    EXPECT_FALSE(list.Append(""));
    EXPECT_EQ(list.formats.size(), 1u);

    EXPECT_TRUE(list.Append("Neu"));
    EXPECT_EQ(list.formats, (std::vector<ImportFormat>{{"A", "a"}, {"Neu", "neu"}}));
    EXPECT_EQ(list.selected, 1);
    EXPECT_TRUE(list.DeleteEnabled());

    EXPECT_EQ(ImportFormatList::DeleteQuestion(),
              Message::Question("Kurse importieren",
                                "Möchten Sie diese Formatbeschreibung wirklich löschen?"));
    EXPECT_TRUE(list.DeleteSelected());
    EXPECT_EQ(list.formats, (std::vector<ImportFormat>{{"A", "a"}}));
    EXPECT_EQ(list.description, "neu");
    EXPECT_EQ(list.selected, -1);
    EXPECT_FALSE(list.DeleteSelected());
}

}  // namespace
}  // namespace pf

#include "quotes/text_quote_formats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace pf {
namespace {

TextQuoteFormat UserFormat(const std::string& title, const std::string& separators,
                           const std::string& terminators, bool point, bool ignore) {
    TextQuoteFormat f;
    f.title = title;
    f.separators = separators;
    f.terminators = terminators;
    f.decimalPoint = point;
    f.ignoreOtherCharacters = ignore;
    return f;
}

TEST(TextQuoteFormat, StoredTextHasFiveEndedFieldsAndReadsBack) {
    const TextQuoteFormat f = UserFormat("Meine Liste", "<TAB>=", "<NZ> ", true, false);
    EXPECT_EQ(f.Assemble(), "Meine Liste*+*<TAB>=*+*<NZ> *+*10*+*XXXX*+*");
    EXPECT_EQ(TextQuoteFormat::Parse(f.Assemble()), f);

    const std::optional<TextQuoteFormat> b = TextQuoteFormat::Parse(DefaultTextFormat0001());
    ASSERT_TRUE(b);
    EXPECT_EQ(b->title, "Kursliste (kurse.direktbank.de)");
    EXPECT_EQ(b->separators, ":");
    EXPECT_EQ(b->terminators, "<NZ>");
    EXPECT_FALSE(b->decimalPoint);
    EXPECT_FALSE(b->ignoreOtherCharacters);
    EXPECT_EQ(b->identifier, "0001");
}

TEST(TextQuoteFormat, DamagedStoredTextsGiveNothingOrReadFlagsLeniently) {
    struct Case {
        const char* text;
        bool parses;
        bool point;
        bool ignore;
    };
    const Case cases[] = {
        {"", false, false, false},
        {"Titel", false, false, false},
        {"Titel*+*:*+*|*+*00*+*", false, false, false},           // no identifier field
        {"Titel*+*:*+*|*+*00*+**+*", false, false, false},        // empty identifier
        {"*+*:*+*|*+*00*+*XXXX*+*", false, false, false},         // empty title
        {"Titel*+*:*+*|*+*00*+*XXXX", false, false, false},       // last field not ended
        {"Titel*+*:*+*|*+*01*+*XXXX*+*Rest", true, false, true},  // trailing text ignored
        {"Titel*+*:*+*|*+*1*+*XXXX*+*", true, true, false},       // one flag only
        {"Titel*+*:*+*|*+*ab*+*XXXX*+*", true, false, false},     // neither flag "1"
        {"Titel*+**+**+**+*XXXX*+*", true, false, false},         // empty middle fields kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<TextQuoteFormat> f = TextQuoteFormat::Parse(c.text);
        ASSERT_EQ(f.has_value(), c.parses);
        if (!f) continue;
        EXPECT_EQ(f->title, "Titel");
        EXPECT_EQ(f->decimalPoint, c.point);
        EXPECT_EQ(f->ignoreOtherCharacters, c.ignore);
        EXPECT_EQ(f->identifier, "XXXX");
    }
}

TEST(TextQuoteFormat, TokensBecomeTabAndCrLf) {
    EXPECT_EQ(SeparatorTokensReplaced("<TAB>;<NZ>x"), "\t;\r\nx");
    EXPECT_EQ(SeparatorTokensReplaced("<NZ><NZ>"), "\r\n\r\n");
    // Tokens are case-sensitive and must be complete.
    EXPECT_EQ(SeparatorTokensReplaced("<tab><NZ<TAB"), "<tab><NZ<TAB");
}

class TextFormatStore : public ::testing::Test {
  protected:
    void Put(const std::string& key, const std::string& value) {
        settings.SetString("Settings", key, value);
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const TextQuoteFormat& f : LoadTextQuoteFormats(settings)) titles.push_back(f.title);
        return titles;
    }
    MemorySettingsStore settings;
};

TEST_F(TextFormatStore, EmptyProfileGivesTheTwoBuiltins) {
    const std::vector<TextQuoteFormat> formats = LoadTextQuoteFormats(settings);
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(formats[0].Assemble(), DefaultTextFormat0001());
    EXPECT_EQ(formats[1].Assemble(),
              "Kursliste (kurse.direktbank.de) (altes Format)*+*|*+*|*+*00*+*0002*+*");
}

TEST_F(TextFormatStore, OlderBuiltinIsUpgradedButAChangedOneIsKept) {
    Put("KATFor0001", "Kursliste (kurse.direktbank.de)*+*|*+*|*+*00*+*0001*+*");
    EXPECT_EQ(LoadTextQuoteFormats(settings)[0].Assemble(), DefaultTextFormat0001());

    // The user's own version of 0001 (here: decimal point) is not the older default.
    const std::string changed = "Kursliste (kurse.direktbank.de)*+*|*+*|*+*10*+*0001*+*";
    Put("KATFor0001", changed);
    EXPECT_EQ(LoadTextQuoteFormats(settings)[0].Assemble(), changed);
}

TEST_F(TextFormatStore, DamagedBuiltinsFallBackToTheirDefaults) {
    Put("KATFor0001", "kaputt");
    // Naming another format, it would be saved under that name and come back twice.
    Put("KATFor0002", "Fremd*+*|*+*|*+*00*+*XXXX*+*");
    const std::vector<TextQuoteFormat> formats = LoadTextQuoteFormats(settings);
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(formats[0].Assemble(), DefaultTextFormat0001());
    EXPECT_EQ(formats[1].Assemble(), DefaultTextFormat0002());
}

TEST_F(TextFormatStore, UserFormatsRoundTripUnderNumberedKeys) {
    std::vector<TextQuoteFormat> formats = LoadTextQuoteFormats(settings);
    formats[1].terminators = "|<NZ>";  // an edited built-in keeps its key
    formats.push_back(UserFormat("Eins", "<TAB>", "<NZ>", false, true));
    formats.push_back(UserFormat("Zwei", "=", ";", true, false));
    SaveTextQuoteFormats(settings, formats);

    EXPECT_EQ(settings.GetInt("Settings", "KATForAnz"), 2);
    EXPECT_EQ(settings.GetString("Settings", "KATFor10001"), "Eins*+*<TAB>*+*<NZ>*+*01*+*XXXX*+*");
    EXPECT_EQ(settings.GetString("Settings", "KATFor10002"), "Zwei*+*=*+*;*+*10*+*XXXX*+*");
    EXPECT_EQ(settings.GetString("Settings", "KATFor0002"), formats[1].Assemble());
    EXPECT_EQ(LoadTextQuoteFormats(settings), formats);

    // Deleting one writes the smaller count; the key beyond it is no longer read.
    formats.erase(formats.begin() + 2);
    SaveTextQuoteFormats(settings, formats);
    EXPECT_EQ(settings.GetInt("Settings", "KATForAnz"), 1);
    EXPECT_EQ(settings.GetString("Settings", "KATFor10001"), "Zwei*+*=*+*;*+*10*+*XXXX*+*");
    EXPECT_EQ(LoadTextQuoteFormats(settings), formats);
}

TEST_F(TextFormatStore, CountIsReadUnderEitherSpellingAndMissingFormatsAreLeftOut) {
    Put("KATFor10001", "Alt*+*:*+*;*+*00*+*XXXX*+*");
    Put("KATFor10003", "Drei*+*:*+*;*+*00*+*XXXX*+*");
    Put("KATFor10004", "Vier*+*:*+*;*+*00*+*XXXX*+*");
    EXPECT_EQ(Titles().size(), 2u);  // no count: no user formats

    settings.SetInt("Settings", "KatForAnz", 3);
    const std::string b0 = "Kursliste (kurse.direktbank.de)";
    const std::string b1 = b0 + " (altes Format)";
    EXPECT_EQ(Titles(), (std::vector<std::string>{b0, b1, "Alt", "Drei"}));

    settings.SetInt("Settings", "KATForAnz", 1);  // the current spelling wins
    EXPECT_EQ(Titles(), (std::vector<std::string>{b0, b1, "Alt"}));

    settings.SetInt("Settings", "KATForAnz", -4);
    EXPECT_EQ(Titles().size(), 2u);
}

TEST(TextFormatForm, ChecksTitleThenSeparatorsThenTerminators) {
    struct Case {
        const char* title;
        const char* separators;
        const char* terminators;
        const char* text;  // nullptr: accepted
        const char* field;
    };
    const char* kTitle = "Bitte geben Sie eine Bezeichnung ein!";
    const char* kSeparators = "Bitte geben Sie ein oder mehrere Trennzeichen ein!";
    const Case cases[] = {
        {"", "", "", kTitle, "title"},
        {"a*+*b", ":", "|", kTitle, "title"},
        {"Liste *+", ":", "|", kTitle, "title"},  // would read back as "Liste " + garbage
        {"Liste", "", "", kSeparators, "separators"},
        {"Liste", ":", "", kSeparators, "terminators"},
        {"Liste", ":*+*", "|", kSeparators, "separators"},
        {"Liste", ":", "*+", kSeparators, "terminators"},
        {"Liste", " ", " ", nullptr, ""},  // a blank is a separator like any other
        {"Liste *", "+*", "*", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.title) + "|" + c.separators + "|" + c.terminators);
        TextFormatForm form = TextFormatForm::New();
        form.title = c.title;
        form.separators = c.separators;
        form.terminators = c.terminators;
        const MaybeMessage m = form.Check();
        if (c.text == nullptr) {
            EXPECT_FALSE(m);
            // What passes the check reads back unchanged.
            EXPECT_EQ(TextQuoteFormat::Parse(form.Result().Assemble()), form.Result());
            continue;
        }
        ASSERT_TRUE(m);
        EXPECT_EQ(*m, Message::Refusal("Neues Format", c.text, c.field));
    }
}

TEST(TextFormatForm, EditKeepsTheIdentifierAndNewGetsTheUserMark) {
    TextQuoteFormat builtin = *TextQuoteFormat::Parse(DefaultTextFormat0002());
    TextFormatForm edit = TextFormatForm::ForEdit(builtin);
    EXPECT_EQ(edit.DialogTitle(), "Format bearbeiten");
    edit.decimalPoint = true;
    builtin.decimalPoint = true;
    EXPECT_EQ(edit.Result(), builtin);
    edit.title = "";
    EXPECT_EQ(edit.Check()->title, "Format bearbeiten");

    TextFormatForm fresh = TextFormatForm::New();
    EXPECT_EQ(fresh.DialogTitle(), "Neues Format");
    fresh.identifier = "0001";  // ignored for a new format
    EXPECT_EQ(fresh.Result().identifier, "XXXX");

    EXPECT_EQ(TextFormatForm::SeparatorsCaption("ISIN/Kürzel"),
              "&Trennzeichen zwischen WKN/ISIN/Kürzel und Kurs:");
    EXPECT_EQ(DeleteTextFormatQuestion(),
              Message::Question("Kurse aus Text", "Möchten Sie dieses Format wirklich löschen?"));
}

}  // namespace
}  // namespace pf

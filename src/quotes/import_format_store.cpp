#include "quotes/import_format_store.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/settings_store.h"

namespace pf {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kCountKey = "ImpForAnz";
constexpr const char* kImportTitle = "Kurse importieren";

std::string Key(int number, const char* suffix) {
    char key[32];
    std::snprintf(key, sizeof key, "ImpFor%03d%s", number, suffix);
    return key;
}

bool IsYahooTitle(std::string_view title) { return title.starts_with(kYahooTitlePrefix); }

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

}  // namespace

std::string YahooFormatDescription() {
    return "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    <DATUM_JMT>,<TEXT>,<TEXT>,<TEXT>,\r\n"
           "    <KURS_PKT>,<TEXT><NZ>\r\n>";
}

std::string OlderYahooFormatDescription() {
    return "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    <DATUM>,<TEXT>,<TEXT>,<TEXT>,\r\n"
           "    <KURS_PKT>,<TEXT><NZ>\r\n>";
}

std::vector<ImportFormat> DefaultImportFormats() {
    return {
        {std::string(kYahooFormatTitle), YahooFormatDescription()},
        {"Datum und Kurs (getrennt durch Tabulator)",
         "<WIEDERHOLE:\r\n    <DATUM> <TAB> <KURS> <NZ>\r\n>"},
        {"Datum und Kurs (getrennt durch Semikolon)",
         "<WIEDERHOLE:\r\n    <DATUM> ; <KURS> <NZ>\r\n>"},
        {"Datum und Kurs (in Anführungszeichen, getrennt durch Tabulator)",
         "<WIEDERHOLE:\r\n    \"<DATUM>\" <TAB> \"<KURS>\" <NZ>\r\n>"},
        {"Datum und Kurs (in Anführungszeichen, getrennt durch Semikolon)",
         "<WIEDERHOLE:\r\n    \"<DATUM>\" ; \"<KURS>\" <NZ>\r\n>"},
    };
}

std::vector<ImportFormat> LoadImportFormats(const SettingsStore& settings) {
    const int count = settings.ReadInt(kSection, kCountKey, -1);
    if (count == -1) return DefaultImportFormats();

    std::vector<ImportFormat> formats;
    bool yahooSeen = false;
    const int last = std::min(count, kMaxStoredImportFormats);
    for (int i = 1; i <= last; ++i) {
        std::optional<std::string> title = settings.GetString(kSection, Key(i, "Tit"));
        std::optional<std::string> description = settings.GetString(kSection, Key(i, "Bes"));
        if (!title && !description) continue;
        ImportFormat format{title.value_or(""), description.value_or("")};
        if (IsYahooTitle(format.title)) {
            if (yahooSeen) continue;
            yahooSeen = true;
            if (format.title == kYahooFormatTitle &&
                format.description == OlderYahooFormatDescription())
                format.description = YahooFormatDescription();
        }
        formats.push_back(std::move(format));
    }
    if (!yahooSeen) formats.push_back({std::string(kYahooFormatTitle), YahooFormatDescription()});
    return formats;
}

void SaveImportFormats(SettingsStore& settings, const std::vector<ImportFormat>& formats) {
    settings.SetInt(kSection, kCountKey, static_cast<int>(formats.size()));
    for (size_t i = 0; i < formats.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        settings.SetString(kSection, Key(number, "Tit"), formats[i].title);
        settings.SetString(kSection, Key(number, "Bes"), formats[i].description);
    }
}

int ImportFormatList::FormatIndexFor(std::string_view text) const {
    for (size_t i = formats.size(); i-- > 0;)
        if (formats[i].description == text) return static_cast<int>(i);
    return -1;
}

void ImportFormatList::SetDescription(std::string text) {
    description = std::move(text);
    selected = FormatIndexFor(description);
}

void ImportFormatList::Choose(int index) {
    if (index < 0 || static_cast<size_t>(index) >= formats.size()) {
        selected = -1;
        return;
    }
    selected = index;
    description = formats[static_cast<size_t>(index)].description;
}

MaybeMessage ImportFormatList::CheckTitle(const std::string& title) {
    if (IsBlank(title))
        return Message::Refusal(
            kSaveFormatTitle,
            "Bitte geben Sie einen erläuternden Text für die Formatbeschreibung ein!",
            kSaveFormatTitleField);
    return std::nullopt;
}

bool ImportFormatList::Append(const std::string& title) {
    if (CheckTitle(title)) return false;
    formats.push_back({title, description});
    selected = static_cast<int>(formats.size()) - 1;
    return true;
}

Message ImportFormatList::DeleteQuestion() {
    return Message::Question(kImportTitle,
                             "Möchten Sie diese Formatbeschreibung wirklich löschen?");
}

bool ImportFormatList::DeleteSelected() {
    if (selected < 0 || static_cast<size_t>(selected) >= formats.size()) return false;
    formats.erase(formats.begin() + selected);
    selected = FormatIndexFor(description);
    return true;
}

}  // namespace pf

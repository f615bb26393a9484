#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/message.h"

namespace pf {

class SettingsStore;

// One stored description of a quote file: a one-line title for the "&Format:" list and the
// description in the format language (several lines, "\r\n" line breaks).
struct ImportFormat {
    std::string title;
    std::string description;

    bool operator==(const ImportFormat&) const = default;
};

// The title of the built-in format for the history files of the German Yahoo finance site.
inline constexpr std::string_view kYahooFormatTitle =
    "Yahoo Historische Kurse (de.finance.yahoo.com)";
// Every stored title beginning with these 23 characters counts as a Yahoo format.
inline constexpr std::string_view kYahooTitlePrefix = "Yahoo Historische Kurse";

// The current Yahoo description (year-first dates, 93 characters) and the older one with
// day-first dates that profiles written by earlier versions may still hold.
std::string YahooFormatDescription();
std::string OlderYahooFormatDescription();

// The five formats a profile starts with: the Yahoo format, then date and price separated
// by a tab or a semicolon, each bare and in quotation marks.
std::vector<ImportFormat> DefaultImportFormats();

// The stored formats of the profile's section "Settings". "ImpForAnz" absent or -1: the
// five defaults. Otherwise formats 1 to count under "ImpFor%03dTit" / "ImpFor%03dBes"
// (a count below 0 reads none; a count above kMaxStoredImportFormats, which only a damaged
// profile holds, reads that many). A title or description key that is missing reads as
// empty text; a format with both keys missing is left out. Of the titles beginning with
// kYahooTitlePrefix only the first is kept; if it is exactly kYahooFormatTitle with the
// older description, it gets the current one. Without any Yahoo title the Yahoo default is
// appended.
std::vector<ImportFormat> LoadImportFormats(const SettingsStore& settings);
inline constexpr int kMaxStoredImportFormats = 9999;

// Writes "ImpForAnz" = the count, then each title and description under its number (from
// 1). Keys of higher numbers stay in the profile; the count says they are not in use.
void SaveImportFormats(SettingsStore& settings, const std::vector<ImportFormat>& formats);

inline constexpr const char* kSaveFormatTitle = "Formatbeschreibung speichern";

// The format list and the description field of "Kurse importieren", kept in step: the list
// shows the stored format whose description equals the typed text, "S&peichern..." is
// offered for a text that is not stored yet and "&Löschen" for one that is.
class ImportFormatList {
  public:
    std::vector<ImportFormat> formats;
    std::string description;  // the text of "B&eschreibung:" as typed
    int selected = -1;        // index into `formats`; -1 = no list entry chosen

    // The last stored format whose description equals `text` exactly (case and line breaks
    // included); -1 for none.
    int FormatIndexFor(std::string_view text) const;

    // The user changed the description: the list follows (FormatIndexFor).
    void SetDescription(std::string text);
    // The user chose list entry `index`: its description is copied into the field. An index
    // outside the list clears the choice and leaves the text.
    void Choose(int index);

    bool SaveEnabled() const { return selected < 0; }
    bool DeleteEnabled() const { return selected >= 0; }

    // "Formatbeschreibung speichern": a title that is empty (or blanks only) is refused with
    // "Bitte geben Sie einen erläuternden Text für die Formatbeschreibung ein!", focus on
    // kSaveFormatTitleField; nothing otherwise.
    static MaybeMessage CheckTitle(const std::string& title);
    // Appends (title, current description) and selects it. Does nothing while CheckTitle
    // refuses the title; returns whether it appended.
    bool Append(const std::string& title);

    // "Möchten Sie diese Formatbeschreibung wirklich löschen?" (Yes/No, "Kurse importieren").
    static Message DeleteQuestion();
    // Removes the chosen format (after Yes); the text stays and the list follows it again.
    // Returns whether one was removed.
    bool DeleteSelected();
};

inline constexpr const char* kSaveFormatTitleField = "title";

}  // namespace pf

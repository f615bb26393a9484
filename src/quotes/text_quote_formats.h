#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/message.h"

namespace pf {

class SettingsStore;

// How a price stands behind a security's number or short code in a pasted text ("Kurse aus
// Text"). Separators and terminators are kept as typed, with the tokens "<TAB>" and "<NZ>";
// the scanner replaces them (SeparatorTokensReplaced).
struct TextQuoteFormat {
    std::string title;                   // shown in the "&Format" list
    std::string separators;              // characters that follow the key one after another
    std::string terminators;             // any one of them ends the price
    bool decimalPoint = false;           // "." is the decimal separator, else ","
    bool ignoreOtherCharacters = false;  // drop every character of the price that is not
                                         // a digit, "." or ","
    // Four digits for a built-in format ("0001", "0002"), kUserFormatIdentifier for one the
    // user made.
    std::string identifier = "XXXX";

    // The stored text: title, separators, terminators, the two flags ("0"/"1", decimal
    // point first) and the identifier, each followed by kFieldEnd.
    std::string Assemble() const;

    // Reads a stored text. A text without five fields each ended by kFieldEnd, or with an
    // empty title or identifier, is damaged and gives nothing. Text after the fifth field
    // is ignored; a flag character other than "1" (or a missing one) reads as not set.
    static std::optional<TextQuoteFormat> Parse(std::string_view text);

    bool operator==(const TextQuoteFormat&) const = default;
};

inline constexpr std::string_view kFieldEnd = "*+*";
inline constexpr std::string_view kUserFormatIdentifier = "XXXX";

// "<TAB>" becomes a tab and "<NZ>" a line end ("\r\n"); everything else stays.
std::string SeparatorTokensReplaced(std::string_view text);

// The title of the built-in formats, made for the quote list page of a direct bank.
inline constexpr std::string_view kBuiltinFormatTitle = "Kursliste (kurse.direktbank.de)";

// Stored defaults of the two built-in formats: 0001 reads the price after the next ":" up
// to the end of the line, 0002 (the bank's older page) between two "|". Both decimal comma.
std::string DefaultTextFormat0001();
std::string DefaultTextFormat0002();
// What earlier versions stored as 0001 ("|" as separator and terminator); it is replaced by
// the current default when read.
std::string OlderTextFormat0001();

// Most user formats the profile keeps ("KATFor10001" to "KATFor19999").
inline constexpr int kMaxUserTextFormats = 9999;

// The formats of the profile's section "Settings": "KATFor0001" and "KATFor0002" (their
// defaults when absent, damaged or holding another identifier; the older 0001 is upgraded),
// then the user formats "KATFor1%04d" for 1 to the count. The count is "KATForAnz", or
// "KatForAnz" when that is absent (the store compares names exactly, earlier versions wrote
// that spelling), else 0; it is taken as 0 to kMaxUserTextFormats. A missing or damaged
// user format is left out.
std::vector<TextQuoteFormat> LoadTextQuoteFormats(const SettingsStore& settings);

// Writes every format: a user format under the next "KATFor1%04d" (from 1, at most
// kMaxUserTextFormats of them), any other under "KATFor" + its identifier; then the count
// of user formats under "KATForAnz". Keys of higher numbers stay; the count says they are
// unused.
void SaveTextQuoteFormats(SettingsStore& settings, const std::vector<TextQuoteFormat>& formats);

// --- Dialog "Neues Format" / "Format bearbeiten" ---

inline constexpr const char* kQuotesFromTextTitle = "Kurse aus Text";
inline constexpr const char* kFormatTitleField = "title";
inline constexpr const char* kFormatSeparatorsField = "separators";
inline constexpr const char* kFormatTerminatorsField = "terminators";

struct TextFormatForm {
    bool editing = false;
    std::string identifier{kUserFormatIdentifier};  // kept when editing
    std::string title;                              // "&Bezeichnung:"
    std::string separators;              // "&Trennzeichen zwischen WKN/<label> und Kurs:"
    std::string terminators;             // "T&rennzeichen hinter Kurs:"
    bool decimalPoint = false;           // "&Punkt '.'", else "&Komma ','"
    bool ignoreOtherCharacters = false;  // "Text&zeichen im Kurs ignorieren"

    static TextFormatForm New();
    static TextFormatForm ForEdit(const TextQuoteFormat& format);

    // "Neues Format" or "Format bearbeiten".
    std::string DialogTitle() const;
    // The caption of the separators field with the document's label of the second
    // identifier.
    static std::string SeparatorsCaption(const std::string& isinLabel);

    // OK: an empty title, or one the stored text could not keep (containing "*+*" or ending
    // in "*+", which would run into the field end): "Bitte geben Sie eine Bezeichnung ein!"
    // (focus on the title). Then empty separators, then empty terminators, or either of them
    // not storable in the same way: "Bitte geben Sie ein oder mehrere Trennzeichen ein!"
    // (focus on that field). Titled with DialogTitle().
    MaybeMessage Check() const;
    // The format as typed (identifier kept when editing, kUserFormatIdentifier when new).
    TextQuoteFormat Result() const;
};

// "Möchten Sie dieses Format wirklich löschen?" (Yes/No, "Kurse aus Text").
Message DeleteTextFormatQuestion();

}  // namespace pf

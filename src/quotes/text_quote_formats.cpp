#include "quotes/text_quote_formats.h"

#include <algorithm>
#include <cstdio>

#include "platform/settings_store.h"

namespace pf {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kCountEntry = "KATForAnz";
constexpr const char* kOlderCountEntry = "KatForAnz";

std::string UserFormatKey(int number) {
    char key[24];
    std::snprintf(key, sizeof key, "KATFor1%04d", number);
    return key;
}

// A field that the stored text could not give back: kFieldEnd inside it, or an ending "*+"
// that would form kFieldEnd with the following field end.
bool Unstorable(std::string_view field) {
    return field.find(kFieldEnd) != std::string_view::npos || field.ends_with("*+");
}

TextQuoteFormat BuiltinOrDefault(const SettingsStore& settings, std::string_view identifier,
                                 const std::string& fallback) {
    const std::string key = "KATFor" + std::string(identifier);
    std::string stored = settings.GetString(kSection, key).value_or(fallback);
    if (identifier == "0001" && stored == OlderTextFormat0001()) stored = fallback;
    std::optional<TextQuoteFormat> format = TextQuoteFormat::Parse(stored);
    // A damaged entry, or one that names another format (which saving would write under that
    // other name), gives way to the default.
    if (!format || format->identifier != identifier) format = TextQuoteFormat::Parse(fallback);
    return *format;
}

}  // namespace

std::string TextQuoteFormat::Assemble() const {
    std::string text;
    for (const std::string_view field :
         {std::string_view(title), std::string_view(separators), std::string_view(terminators)}) {
        text += field;
        text += kFieldEnd;
    }
    text += decimalPoint ? '1' : '0';
    text += ignoreOtherCharacters ? '1' : '0';
    text += kFieldEnd;
    text += identifier;
    text += kFieldEnd;
    return text;
}

std::optional<TextQuoteFormat> TextQuoteFormat::Parse(std::string_view text) {
    std::string_view fields[5];
    size_t start = 0;
    for (std::string_view& field : fields) {
        const size_t end = text.find(kFieldEnd, start);
        if (end == std::string_view::npos) return std::nullopt;
        field = text.substr(start, end - start);
        start = end + kFieldEnd.size();
    }
    if (fields[0].empty() || fields[4].empty()) return std::nullopt;
    TextQuoteFormat format;
    format.title = fields[0];
    format.separators = fields[1];
    format.terminators = fields[2];
    format.decimalPoint = fields[3].size() > 0 && fields[3][0] == '1';
    format.ignoreOtherCharacters = fields[3].size() > 1 && fields[3][1] == '1';
    format.identifier = fields[4];
    return format;
}

std::string SeparatorTokensReplaced(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with("<TAB>")) {
            out += '\t';
            i += 5;
        } else if (text.substr(i).starts_with("<NZ>")) {
            out += "\r\n";
            i += 4;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string DefaultTextFormat0001() {
    return std::string(kBuiltinFormatTitle) + "*+*:*+*<NZ>*+*00*+*0001*+*";
}

std::string DefaultTextFormat0002() {
    return std::string(kBuiltinFormatTitle) + " (altes Format)*+*|*+*|*+*00*+*0002*+*";
}

std::string OlderTextFormat0001() {
    return std::string(kBuiltinFormatTitle) + "*+*|*+*|*+*00*+*0001*+*";
}

std::vector<TextQuoteFormat> LoadTextQuoteFormats(const SettingsStore& settings) {
    std::vector<TextQuoteFormat> formats;
    formats.push_back(BuiltinOrDefault(settings, "0001", DefaultTextFormat0001()));
    formats.push_back(BuiltinOrDefault(settings, "0002", DefaultTextFormat0002()));
    std::optional<int> count = settings.GetInt(kSection, kCountEntry);
    if (!count) count = settings.GetInt(kSection, kOlderCountEntry);
    const int n = std::clamp(count.value_or(0), 0, kMaxUserTextFormats);
    for (int i = 1; i <= n; ++i) {
        const std::optional<std::string> stored = settings.GetString(kSection, UserFormatKey(i));
        if (!stored) continue;
        if (std::optional<TextQuoteFormat> format = TextQuoteFormat::Parse(*stored))
            formats.push_back(std::move(*format));
    }
    return formats;
}

void SaveTextQuoteFormats(SettingsStore& settings, const std::vector<TextQuoteFormat>& formats) {
    int userFormats = 0;
    for (const TextQuoteFormat& format : formats) {
        if (format.identifier == kUserFormatIdentifier) {
            if (userFormats == kMaxUserTextFormats) continue;
            settings.SetString(kSection, UserFormatKey(++userFormats), format.Assemble());
        } else {
            settings.SetString(kSection, "KATFor" + format.identifier, format.Assemble());
        }
    }
    settings.SetInt(kSection, kCountEntry, userFormats);
}

TextFormatForm TextFormatForm::New() { return {}; }

TextFormatForm TextFormatForm::ForEdit(const TextQuoteFormat& format) {
    TextFormatForm form;
    form.editing = true;
    form.identifier = format.identifier;
    form.title = format.title;
    form.separators = format.separators;
    form.terminators = format.terminators;
    form.decimalPoint = format.decimalPoint;
    form.ignoreOtherCharacters = format.ignoreOtherCharacters;
    return form;
}

std::string TextFormatForm::DialogTitle() const {
    return editing ? "Format bearbeiten" : "Neues Format";
}

std::string TextFormatForm::SeparatorsCaption(const std::string& isinLabel) {
    return "&Trennzeichen zwischen WKN/" + isinLabel + " und Kurs:";
}

MaybeMessage TextFormatForm::Check() const {
    if (title.empty() || Unstorable(title))
        return Message::Refusal(DialogTitle(), "Bitte geben Sie eine Bezeichnung ein!",
                                kFormatTitleField);
    const char* kNoSeparators = "Bitte geben Sie ein oder mehrere Trennzeichen ein!";
    if (separators.empty() || Unstorable(separators))
        return Message::Refusal(DialogTitle(), kNoSeparators, kFormatSeparatorsField);
    if (terminators.empty() || Unstorable(terminators))
        return Message::Refusal(DialogTitle(), kNoSeparators, kFormatTerminatorsField);
    return std::nullopt;
}

TextQuoteFormat TextFormatForm::Result() const {
    TextQuoteFormat format;
    format.title = title;
    format.separators = separators;
    format.terminators = terminators;
    format.decimalPoint = decimalPoint;
    format.ignoreOtherCharacters = ignoreOtherCharacters;
    format.identifier = editing ? identifier : std::string(kUserFormatIdentifier);
    return format;
}

Message DeleteTextFormatQuestion() {
    return Message::Question(kQuotesFromTextTitle, "Möchten Sie dieses Format wirklich löschen?");
}

}  // namespace pf

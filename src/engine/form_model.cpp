#include "engine/form_model.h"

#include <string_view>

#include "model/text_codec.h"

namespace pf {

namespace {

constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

MaybeMessage CheckStorableText(const std::string& text, const std::string& caption,
                               const std::string& title, const std::string& field) {
    const std::string_view unstorable = FirstUnstorableCharacter(text);
    if (unstorable.empty()) return std::nullopt;
    // A lone byte of 0x80 or above is where the text is not valid UTF-8: it cannot be shown.
    const bool malformed =
        unstorable.size() == 1 && static_cast<unsigned char>(unstorable[0]) >= 0x80;
    const std::string character = malformed ? kReplacementCharacter : std::string(unstorable);
    return Message::Refusal(title,
                            "Das Feld „" + caption + "“ enthält das Zeichen „" + character +
                                "“, das in der Datei nicht gespeichert werden kann. Bitte "
                                "ändern Sie die Eingabe!",
                            field);
}

}  // namespace pf

#include "shell/depot_data_form.h"

#include <string_view>

#include "model/text_codec.h"

namespace pf {

namespace {

constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// The first character of `text` that Windows-1252 cannot hold, as UTF-8 for the message;
// a byte that does not start a well-formed UTF-8 sequence shows as U+FFFD. Empty when
// every character is storable.
std::string FirstUnstorableCharacter(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80   ? 1
                              : lead < 0xC0 ? 0
                              : lead < 0xE0 ? 2
                              : lead < 0xF0 ? 3
                              : lead < 0xF8 ? 4
                                            : 0;
        bool wellFormed = length != 0 && i + length <= text.size();
        for (size_t k = 1; wellFormed && k < length; ++k)
            wellFormed = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!wellFormed) return kReplacementCharacter;
        const std::string_view character = text.substr(i, length);
        if (!IsStorable(character)) return std::string(character);
        i += length;
    }
    return {};
}

}  // namespace

MaybeMessage CheckStorableText(const std::string& text, const std::string& caption,
                               const std::string& title, const std::string& field) {
    if (IsStorable(text)) return std::nullopt;
    std::string character = FirstUnstorableCharacter(text);
    if (character.empty()) character = kReplacementCharacter;
    return Message{title,
                   "Das Feld „" + caption + "“ enthält das Zeichen „" + character +
                       "“, das in der Datei nicht gespeichert werden kann. Bitte ändern Sie "
                       "die Eingabe!",
                   MessageIcon::Information, field};
}

MaybeMessage CheckDepotTexts(const DepotMasterData& data, const std::string& title) {
    const struct {
        const std::string& text;
        const char* caption;
        const char* field;
    } fields[] = {
        {data.holderName, "Name des Depotinhabers", kHolderNameField},
        {data.holderAddress, "Adresse des Depotinhabers", kHolderAddressField},
        {data.depotNumber, "Depotnummer", kDepotNumberField},
        {data.accountNumber, "Kontonummer", kAccountNumberField},
        {data.bankCode, "Bankleitzahl", kBankCodeField},
    };
    for (const auto& f : fields)
        if (MaybeMessage m = CheckStorableText(f.text, f.caption, title, f.field)) return m;
    return std::nullopt;
}

MaybeMessage DepotDataForm::Check() const { return CheckDepotTexts(data, kDepotDataTitle); }

}  // namespace pf

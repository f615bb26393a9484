#include "shell/depot_data_form.h"

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

#include "shell/depot_data_form.h"

namespace pf {

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

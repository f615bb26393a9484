#pragma once

#include <string>

#include "engine/form_model.h"
#include "engine/message.h"
#include "model/document.h"

namespace pf {

// --- Dialog "Depotdaten" ---

inline constexpr const char* kDepotDataTitle = "Depotdaten";
// Focus fields, shared with the second page of the new-file wizard.
inline constexpr const char* kHolderNameField = "holderName";
inline constexpr const char* kHolderAddressField = "holderAddress";
inline constexpr const char* kDepotNumberField = "depotNumber";
inline constexpr const char* kAccountNumberField = "accountNumber";
inline constexpr const char* kBankCodeField = "bankCode";

// The five master-data strings as typed. The address may hold line breaks ("\n").
struct DepotDataForm {
    DepotMasterData data;

    // The first text the file cannot hold, in the order of the fields on screen (name,
    // address, depot number, account number, bank code); title "Depotdaten".
    MaybeMessage Check() const;
};

// The storability check of the master data under the box title `title`, so that the
// wizard's second page refuses the same texts with its own title.
MaybeMessage CheckDepotTexts(const DepotMasterData& data, const std::string& title);

}  // namespace pf

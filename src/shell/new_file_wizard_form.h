#pragma once

#include <string>
#include <vector>

#include "engine/message.h"
#include "model/document.h"

namespace pf {

// --- Wizard "Neue Datei" ---

inline constexpr const char* kNewFileTitle = "Neue Datei";
inline constexpr const char* kNewFilePage1Title = "Neue Datei - Schritt 1 von 2";
inline constexpr const char* kNewFilePage2Title = "Neue Datei - Schritt 2 von 2";
// Focus fields of page 1; page 2 uses those of the depot data (depot_data_form.h).
inline constexpr const char* kOwnSymbolField = "symbol";
inline constexpr const char* kOwnNameField = "name";

// The wizard's fields as the user left them.
struct NewFileWizardForm {
    // Page 1: the euro with ticked legacy currencies, or a base currency of one's own.
    bool euroWithLegacy = true;
    std::vector<bool> legacyChecked = std::vector<bool>(LegacyCurrencies().size(), false);
    std::string ownSymbol;
    std::string ownName;
    // Page 2.
    DepotMasterData depot;
    std::string accountCurrencySymbol = "EUR";  // kept as text

    // One row of the legacy currency list (row i = bit i of the mask).
    struct LegacyRow {
        std::string name;      // "Deutsche Mark"
        std::string symbol;    // "DM"
        std::string rateText;  // "1,95583 DM = 1 EUR"
    };
    // The rate is written with a decimal comma, every significant decimal and the thousands
    // grouped by points ("1.936,27 Lit = 1 EUR").
    static std::vector<LegacyRow> LegacyRows();

    // Leaving page 1: with the own currency chosen, the symbol must not be blank
    // ("Bitte geben Sie ein Währungssymbol ein!"), and symbol and name must be storable.
    MaybeMessage LeavePage1() const;
    // Leaving page 2 (finishing): the master data must be storable; title "Neue Datei".
    MaybeMessage LeavePage2() const;

    // The currency symbols page 1 will create: "EUR" and the ticked legacy symbols in row
    // order, or the own symbol alone (nothing while it is blank).
    std::vector<std::string> AccountCurrencyChoices() const;
    // The account currency page 2 shows: `accountCurrencySymbol` when it is among the
    // choices, else the first choice.
    std::string EffectiveAccountCurrency() const;

    // What the new document is built from. Own symbol and name are trimmed of blanks at
    // both ends and only handed over with the second choice; the mask only with the first.
    NewDocumentChoices Choices() const;
};

}  // namespace pf

#pragma once

#include <cstdint>
#include <string>

#include "engine/account_movements.h"
#include "engine/form_model.h"
#include "engine/holdings.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

// Dialog "Kontobewegung" (form model, see engine/form_model.h): a new account movement, or
// the movement `editedId`.
struct MovementForm {
    CQRNDatum date;
    int32_t kindId = -1;      // "Vorgang"
    int32_t currencyId = -1;  // "Währung", a fixed-rate currency; -1 = none chosen
    std::string amount;       // "Betrag", sums with "+" allowed
    std::string text;
    bool linked = false;  // "Bez&ug zu Wertpapier herstellen"
    // The security chosen in the name box and in the code box (linked lists of the
    // securities with lots on the date; the name box counts); -1 = none.
    int32_t nameSecurityId = -1;
    int32_t codeSecurityId = -1;
    int32_t allocKind = kPurchaseCosts;  // "Betrag verbuchen als:"
    bool automatic = true;               // "&automatisch zuordnen"
    // The pieces per lot entered in the "Zuordnen" walk while the dialog is open; an
    // edited movement starts with its earlier allocation.
    ManualAllocation manual;
    int32_t editedId = -1;

    // A new movement: the date a new transaction starts with, the first kind, the account
    // currency on that date.
    static MovementForm New(const CFolari2Doc& doc, CQRNDatum today);
    // The movement `id` with its values and, by hand, its earlier allocation; a new form
    // when `id` is not an account movement.
    static MovementForm ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today);

    // The lots on the date (MovementHoldings, the edited movement left out); the security
    // boxes list their securities.
    PositionList Holdings(const CFolari2Doc& doc) const;
    // Whether the link box is enabled: the kind allows a link and some lot exists. A ticked
    // box that is not enabled does not link the movement.
    bool LinkEnabled(const CFolari2Doc& doc) const;
    // The lots of the chosen security offered for allocation, with the allocation the list
    // shows (automatic or from `manual`).
    PositionList Lots(const CFolari2Doc& doc) const;
    // The calculation line (MovementCalculationLine).
    std::string CalculationLine(const CFolari2Doc& doc) const;

    // The OK order, title "Kontobewegung":
    //  0. no kind of the document chosen (a file without kinds): "Bitte wählen Sie einen
    //     Vorgang aus!" (kind);
    //  1. no currency chosen: "Bitte wählen Sie eine Währung aus!" (currency);
    //  2. amount invalid: "Bitte geben Sie einen korrekten Betrag ein!" (amount);
    //  3. amount × 100 truncates to 0: "Bitte geben Sie einen Betrag ungleich Null ein!";
    //  then, for a linked movement (the link is dropped silently when the box is not
    //  enabled, above all when no lot exists on the date):
    //  4. no name chosen: "Bitte wählen Sie eine Wertpapierbezeichnung aus!" (name);
    //  5. no code chosen: "Bitte wählen Sie eine Wertpapier-Kennnummer aus!" (code);
    //  6. no lot with a positive allocation: "Bitte ordnen Sie den Betrag den
    //     Wertpapierpositionen zu!" ("zuordnen...").
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // The values AddMovement or ChangeMovement take, or nullopt while Check refuses.
    std::optional<MovementFields> Values(const CFolari2Doc& doc) const;
    // AddMovement or ChangeMovement with the checked values and the allocated lots; returns
    // the id, or -1 without a change (Check refuses, or the kind does not exist).
    int32_t Apply(CFolari2Doc& doc) const;
};

}  // namespace pf

#pragma once

#include <concepts>
#include <string>

#include "engine/message.h"

namespace pf {

class CFolari2Doc;

// The shape every entry dialog follows ("Kauf", "Verkauf", "Kontobewegung", "Aktiensplit",
// "Umtausch", "Stopp- und Zielkurse", ...):
//
//  - The form holds the fields as the user left them: texts exactly as typed, list choices
//    (ids, -1 = nothing chosen) and check states. Quantities, prices and amounts stay text;
//    only Check and Apply read them, with the document's separators. A dialog fills the form
//    from its widgets, a test fills it directly.
//  - Check(doc) runs the whole OK order of the dialog: number parsing, date rules and the
//    document's rules, in the order in which the dialog reports them. It returns the first
//    refusal (title = the dialog's name, information icon, `field` = the field that gets the
//    focus) or, where the dialog asks before it acts, the Yes/No question; nothing when OK
//    may go ahead. Check never changes the document.
//  - Apply(doc) performs the dialog's one document operation (AddPurchase, AddMovement,
//    AddSplit, ...), which goes through CFolari2Doc::Edit: the document is marked modified
//    and its views are told once. Apply checks again and changes nothing while Check
//    refuses; a question counts as answered with Yes, so the caller calls Apply only after
//    Yes. It returns what the operation returns: the id of the new or edited transaction
//    (-1 = nothing changed), an index, or whether anything changed.
//
// Focus fields are short names ("quantity", "rateBase"), one constant per field next to
// the form; the Qt dialogs give their widgets these names as objectName.
template <class Form>
concept EntryForm = requires(const Form& form, const CFolari2Doc& doc, CFolari2Doc& edited) {
    { form.Check(doc) } -> std::same_as<MaybeMessage>;
    form.Apply(edited);
};

// A file stores text in Windows-1252. For a `text` holding a character outside it, the
// refusal "Das Feld „<caption>“ enthält das Zeichen „<c>“, das in der Datei nicht
// gespeichert werden kann. Bitte ändern Sie die Eingabe!" titled `title` with focus on
// `field`; `c` is the first such character (U+FFFD for bytes that are not UTF-8). Nothing
// for storable text.
MaybeMessage CheckStorableText(const std::string& text, const std::string& caption,
                               const std::string& title, const std::string& field);

}  // namespace pf

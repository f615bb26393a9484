#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "engine/message.h"
#include "engine/security_templates.h"

namespace pf {

class CFolari2Doc;
struct CFL2Wertpapier;

// --- Dialog "Neues Wertpapier" / "Wertpapier bearbeiten" ---

inline constexpr const char* kNewSecurityTitle = "Neues Wertpapier";
inline constexpr const char* kEditSecurityTitle = "Wertpapier bearbeiten";

// Focus fields (the Qt dialog's objectNames). kInternetUrlField and kInternetTextField come
// with the template rules.
inline constexpr const char* kSecurityNameField = "name";
inline constexpr const char* kSecurityWknField = "wkn";
inline constexpr const char* kSecurityIsinField = "isin";
inline constexpr const char* kQuoteCurrencyField = "quoteCurrency";
inline constexpr const char* kSecurityTypeField = "type";
inline constexpr const char* kSectorField = "sector";
inline constexpr const char* kCountryField = "country";
inline constexpr const char* kIndexField = "index";
inline constexpr const char* kEarnings1Field = "earnings1";
inline constexpr const char* kEarnings2Field = "earnings2";
inline constexpr const char* kDividendField = "dividend";
inline constexpr const char* kCashFlowField = "cashFlow";
inline constexpr const char* kCategory1Field = "category1";
inline constexpr const char* kCategory2Field = "category2";
inline constexpr const char* kRemarksField = "remarks";
inline constexpr const char* kVtplusPageField = "vtplusPage";
inline constexpr const char* kVtplusSubpageField = "vtplusSubpage";
inline constexpr const char* kVtplusQuotePositionField = "vtplusQuotePosition";
inline constexpr const char* kVtplusControlTextField = "vtplusControlText";
inline constexpr const char* kVtplusControlPositionField = "vtplusControlText2";
// The field of the quote-conversion question ("Kurse &runden auf" n "Dezimalstellen").
inline constexpr const char* kQuoteDecimalsField = "quoteDecimals";

// The quotes of a security whose quote currency changes are rounded to 0 to 7 decimals
// (the quote history holds at most 7); 2 unless the user chooses otherwise.
inline constexpr int kMinQuoteDecimals = 0;
inline constexpr int kMaxQuoteDecimals = 7;
inline constexpr int kDefaultQuoteDecimals = 2;

// Captions of the fields that depend on the document, with their mnemonics.
struct SecurityCaptions {
    std::string isin;       // the document's caption of the second identifier
    std::string earnings1;  // "&Gew. " + first earnings year
    std::string earnings2;  // "G&ew. " + second earnings year
    std::string category1;  // the own categories' captions, "EK1" and "EK2" when unset
    std::string category2;
};
SecurityCaptions SecurityCaptionsOf(const CFolari2Doc& doc);

// The VTPlus fields ("Daten für Kursimport aus dem Videotext").
inline constexpr const char* kVtplusDataTitle = "Daten für Kursimport aus dem Videotext";
struct VtplusFields {
    bool import = false;           // "Kursimport aus dem Videotext mit VT&Plus"
    std::string page;              // "&Seite:", the DDE topic
    std::string subpage;           // "&Unterseite:", empty or 1 to 99
    std::string quotePosition;     // "Ku&rsposition:", "col/row/col/row"
    std::string controlText;       // "Kontrollte&xt:"
    std::string controlPosition;   // the control text's box, same form; may be empty
    int32_t decimalSeparator = 0;  // 0 "Ko&mma ','", 1 "&Punkt '.'"

    bool operator==(const VtplusFields&) const = default;
};

// OK of "Daten für Kursimport aus dem Videotext", in field order: text the file cannot
// store; a subpage that is neither empty nor a whole number from 1 to 99 ("Bitte geben Sie
// als Unterseite eine Zahl von 1 bis 99 ein!"); a price or control box that is neither
// empty nor four whole numbers "start column/start row/end column/end row" with columns
// 0 to 39 and the end not before the start ("Bitte geben Sie die Position in der Form
// Spalte/Zeile/Spalte/Zeile ein (Spalten 0 bis 39)!"). Titled kVtplusDataTitle, or `title`
// when the security dialog checks the fields again.
MaybeMessage CheckVtplusFields(const VtplusFields& fields,
                               const std::string& title = kVtplusDataTitle);

// The dialog as a form model (see engine/form_model.h). Every text as typed; the key
// figures as text, empty meaning "not entered".
struct SecurityForm {
    int32_t id = -1;  // the edited security; -1 for a new one

    std::string name;             // "B&ezeichnung"
    std::string wkn;              // "&WKN"
    std::string isin;             // the second identifier, under the document's caption
    int32_t quoteCurrencyId = 0;  // "K&urse in"; -1 = nothing chosen
    std::string type;             // "&Typ"
    std::string sector;           // "B&ranche"
    std::string country;          // "&Land"
    std::string index;            // "Inde&x/Marktsegment"
    std::string earnings1;        // the two earnings per share, dividend and cash flow
    std::string earnings2;
    std::string dividend;
    std::string cashFlow;
    bool halfIncomeProcedure = false;  // "&Halbeinkünfteverfahren"
    bool noManualQuotes = false;       // "keine manuelle Kur&serfassung"
    bool noChart = false;              // "keine Chartan&zeige"
    std::string category1;
    std::string category2;
    std::string remarks;  // "&Bemerkungen", may hold line breaks

    bool internetImport = false;  // "Kursimport aus dem &Internet von Adresse/URL:"
    std::string internetUrl;
    std::string internetTextBeforeQuote;   // "Text v&or Kurs:"
    int32_t internetDecimalSeparator = 0;  // "Dezimaltre&nn.:" 0 comma, 1 point

    VtplusFields vtplus;

    // The answer to the quote-conversion question: the decimals the converted quotes are
    // rounded to.
    int quoteDecimals = kDefaultQuoteDecimals;

    // A new security: quotes in the base currency, URL "http://" and text "Kurs:".
    static SecurityForm New(const CFolari2Doc& doc);
    // The stored fields of security `id` (key figures that were not entered stay empty;
    // entered ones with 2 to 7 decimals). An unknown id gives a new form that keeps the id,
    // which Check then reports.
    static SecurityForm ForEdit(const CFolari2Doc& doc, int32_t id);

    // "Neues Wertpapier" or "Wertpapier bearbeiten".
    std::string Title() const { return id < 0 ? kNewSecurityTitle : kEditSecurityTitle; }

    // OK, in this order: key figures that are neither empty nor a number (earnings and cash
    // flow may be negative, the dividend not; decimals after the 7th are dropped, as in every
    // number field of the transaction dialogs; "Bitte geben Sie eine gültige Zahl ein!"); the
    // VTPlus fields (CheckVtplusFields); a quote currency the document does
    // not hold ("Bitte wählen Sie die Währung für die Wertpapierkurse aus!"); the document's
    // codes: 1 "Bitte geben Sie eine Bezeichnung für das Wertpapier ein!", 2 "Bitte geben Sie
    // eine Wertpapier-Kennnummer für das Wertpapier ein!", 11 "Ein Wertpapier mit dieser
    // Bezeichnung existiert bereits!", 12 "Ein Wertpapier mit dieser Wertpapier-Kennnummer
    // existiert bereits!" (focus on the name for 1 and 11, else on the WKN), 21 "Das
    // Wertpapier ist nicht mehr vorhanden!"; text the file cannot store, in field order; last,
    // for an edited security whose quote currency changes, the question titled "Wertpapier
    // bearbeiten" whose field is kQuoteDecimalsField ("Sie haben die Währung für die
    // Wertpapierkurse geändert.\nAlle vorhandenen Kurse werden nun von <alt> auf <neu>
    // umgestellt."). Refusals are titled Title().
    MaybeMessage Check(const CFolari2Doc& doc) const;

    // AddSecurity or ModifySecurity in one edit. An edited security keeps what the dialog does
    // not show (the aux fields, its creation kind, its quotes); when its quote currency
    // changes, every quote is converted at its own date into the new currency and rounded to
    // `quoteDecimals` (the question counts as answered). Returns the security's id; -1 and no
    // change while Check refuses or `quoteDecimals` lies outside 0 to 7.
    int32_t Apply(CFolari2Doc& doc) const;

    // The internet fields with the identifiers, for the template rules.
    TemplateSource Template() const;
    // OK of "Vorlage verwenden": the row's address, recognition text and separator.
    void UseTemplate(const TemplateRow& row);
};
static_assert(EntryForm<SecurityForm>);

// --- "Wertpapier-Editor" ---

inline constexpr const char* kSecurityEditorTitle = "Wertpapier-Editor";

// One row of the editor's list.
struct SecurityEditorRow {
    int32_t securityId = -1;
    std::string name;        // "Bezeichnung"
    std::string wkn;         // "WKN"
    std::string isin;        // under the document's caption of the second identifier
    std::string currency;    // "Kurse in": the quote currency's symbol
    std::string quoteCount;  // "Kurse": the number of stored quotes

    bool operator==(const SecurityEditorRow&) const = default;
};

// The column titles, in column order.
std::vector<std::string> SecurityEditorColumns(const CFolari2Doc& doc);

// The editor: the list of securities with "&Neu...", "&Bearbeiten..." and "&Löschen". Its
// form-model part is "&Löschen": Check gives the refusal "Dieses Wertpapier kann nicht
// gelöscht werden, da es in Transaktionen verwendet wird!" for a security a transaction
// uses, else the question "Möchten Sie dieses Wertpapier wirklich löschen?"; Apply deletes
// after Yes.
struct SecurityEditorForm {
    int32_t selectedId = -1;  // the selected row's security; -1 = none

    // Every security, ordered by name without regard to case (then by id).
    std::vector<SecurityEditorRow> Rows(const CFolari2Doc& doc) const;
    // "&Neu..." and "&Bearbeiten..." (also a double click): the form of the security dialog.
    SecurityForm NewSecurity(const CFolari2Doc& doc) const { return SecurityForm::New(doc); }
    SecurityForm EditSelected(const CFolari2Doc& doc) const {
        return SecurityForm::ForEdit(doc, selectedId);
    }
    // Whether "&Bearbeiten..." and "&Löschen" are enabled: a security is selected.
    bool HasSelection(const CFolari2Doc& doc) const;

    // Nothing to check (and nothing to delete) without a selection.
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // Whether the security was deleted.
    bool Apply(CFolari2Doc& doc) const;
};
static_assert(EntryForm<SecurityEditorForm>);

}  // namespace pf

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/message.h"

namespace pf {

class CFolari2Doc;

// Address templates of the internet quote import. A template is the address with the
// security's name, number and short code replaced by placeholders, the recognition text and
// the decimal separator of the price, joined by kTemplateSeparator:
//     "http://kurse.example/***WKN***.htm*******Kurs:*******K"
// The last character is "P" for a decimal point and "K" for a decimal comma.
inline constexpr const char* kTemplateSeparator = "*******";
inline constexpr const char* kNamePlaceholder = "***BEZ***";
inline constexpr const char* kWknPlaceholder = "***WKN***";
inline constexpr const char* kShortCodePlaceholder = "***KRZ***";

// Focus fields of the internet fields in the security dialog.
inline constexpr const char* kInternetUrlField = "internetUrl";
inline constexpr const char* kInternetTextField = "internetTextBeforeQuote";

// The internet fields of a security as typed in its dialog, with the values the
// placeholders stand for.
struct TemplateSource {
    std::string name;       // replaced by ***BEZ***
    std::string wkn;        // ***WKN***
    std::string shortCode;  // ***KRZ***: the ISIN or ticker field
    std::string url;
    std::string textBeforeQuote;
    int32_t decimalSeparator = 0;  // 1 point, 0 comma
};

// "Vorlage erzeugen": the refusal (titled `title`, information icon, focus on the field
// concerned) when no template can be made from `source`: an empty address, an address in
// which neither name, number nor short code occurs (case-sensitive; an empty value never
// occurs), an empty recognition text, or an address or recognition text that holds the
// separator itself (the stored template could not be taken apart again). Nothing when a
// template can be made.
MaybeMessage CheckMakeTemplate(const TemplateSource& source, const std::string& title);

// The template of `source`: in the address every occurrence of the name becomes ***BEZ***,
// then of the number ***WKN***, then of the short code ***KRZ***. A later value is searched
// only in the text around the placeholders already set, so a number such as "BEZ" cannot
// break a placeholder. Does not check (see CheckMakeTemplate).
std::string MakeTemplate(const TemplateSource& source);

// "Vorlage erzeugen" on the document: the refusal of CheckMakeTemplate, else "Diese Vorlage
// ist bereits vorhanden!" when an equal template is stored, else the template is appended
// to the document's list in one edit. Returns the message shown, nothing after appending.
MaybeMessage AddTemplate(CFolari2Doc& doc, const TemplateSource& source, const std::string& title);

inline constexpr const char* kUseTemplateTitle = "Vorlage verwenden";

// One row of "Vorlage verwenden": a stored template filled in for the security.
struct TemplateRow {
    int32_t templateIndex = -1;    // index in the document's template list
    std::string url;               // "Adresse/URL"
    std::string textBeforeQuote;   // "Text vor Kurs"
    int32_t decimalSeparator = 0;  // "Dezimaltrennzeichen": 1 "Punkt", 0 "Komma"

    std::string SeparatorText() const { return decimalSeparator == 1 ? "Punkt" : "Komma"; }
    bool operator==(const TemplateRow&) const = default;
};

struct TemplateChoice {
    std::vector<TemplateRow> rows;
    // "Es sind noch keine Vorlagen vorhanden." without templates; "Es sind weitere Vorlagen
    // verfügbar, diese benötigen aber folgende Angaben: " and the kinds the left-out
    // templates need ("Bezeichnung", "WKN", "ISIN/Kürzel" in this order, joined by ", ");
    // else empty.
    std::string hint;
};

// The templates of the document in list order with the placeholders of the address filled
// in from `source` (one pass, so a name holding a placeholder is taken as it is). A template
// whose address needs a value that `source` lacks (empty) is left out and its kind noted in
// the hint. Parts of a template: the address up to the first separator, the recognition
// text up to the last separator, and the last character as the decimal separator.
TemplateChoice TemplateRows(const CFolari2Doc& doc, const TemplateSource& source);

// "Löschen" in "Vorlage verwenden": removes template `templateIndex` in one edit. Returns
// whether it removed one (false for an index outside the list).
bool DeleteTemplate(CFolari2Doc& doc, int32_t templateIndex);

}  // namespace pf

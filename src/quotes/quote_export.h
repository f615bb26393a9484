#pragma once

#include <cstdint>
#include <string>

#include "engine/form_model.h"

namespace pf {

class CFolari2Doc;

inline constexpr const char* kQuoteExportTitle = "Kurse exportieren";
// Focus fields of "Kurse exportieren".
inline constexpr const char* kExportNameField = "name";
inline constexpr const char* kExportFileField = "file";

// The layout of an exported quote file.
struct QuoteExportOptions {
    bool writeName = false;           // "Be&zeichnung speichern": the name line first
    bool writeWkn = false;            // "W&KN speichern": the WKN line (after the name line)
    bool currencyAfterPrice = false;  // "Wä&hrungssymbol nach jedem Kurs"
    std::string separator = "<TAB>";  // "&Trennzeichen:"; exactly "<TAB>" is one tab
};

// The bytes of the export of security `securityId`: the optional name and WKN lines, then
// one line per quote in history order: date "%02d.%02d.%04d", the separator, the price with
// the document's decimal and thousands separators and 2 to 7 decimals, optionally " " and
// the quote currency's symbol; every line ends in "\r\n". Text is written as UTF-8, like
// the program's other text files. An unknown security gives an empty text.
std::string ExportQuotesText(const CFolari2Doc& doc, int32_t securityId,
                             const QuoteExportOptions& options);

// Dialog "Kurse exportieren".
struct QuoteExportForm {
    int32_t securityId = -1;  // the "&Bezeichnung" and "&WKN" lists are one choice
    std::string file;
    QuoteExportOptions options;

    // 1. No security of the document chosen: "Bitte wählen Sie ein Wertpapier aus, für das
    //    Sie die Kursdaten exportieren möchten!", focus kExportNameField.
    // 2. Empty file name: "Bitte geben Sie den Dateinamen einer Textdatei an, in die Sie die
    //    Kursdaten exportieren möchten!", focus kExportFileField.
    MaybeMessage Check(const CFolari2Doc& doc) const;

    // "Kurse exportieren": the refusal of Check, or writes the file and returns "Kurse wurden
    // exportiert." (information icon), also for a security without quotes. The file is
    // written to a temporary file in the same folder and renamed over the target, so a
    // failed write leaves an existing file as it was; on failure "Datei kann nicht geöffnet
    // werden!" (exclamation icon). The document is never changed.
    Message Apply(const CFolari2Doc& doc) const;
};

}  // namespace pf

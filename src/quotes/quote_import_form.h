#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "model/quote.h"
#include "quotes/import_format.h"
#include "quotes/import_format_store.h"
#include "quotes/quote_file_read.h"

namespace pf {

class CFolari2Doc;
class SettingsStore;

inline constexpr const char* kQuoteImportTitle = "Kurse importieren";
// Focus fields of "Kurse importieren".
inline constexpr const char* kImportNameField = "name";  // "&Bezeichnung"
inline constexpr const char* kImportWknField = "wkn";    // "&WKN"
inline constexpr const char* kImportFileField = "file";
inline constexpr const char* kImportDescriptionField = "description";

// What "Import starten..." came to: a message to show (then nothing else happens), or the
// scan whose quotes "Importergebnis" offers.
struct QuoteImportRun {
    MaybeMessage message;
    // With "Fehler in der Formatbeschreibung!": the description is selected from this
    // byte offset to its end.
    size_t selectionStart = 0;
    ImportScan scan;

    bool HasResult() const { return !message.has_value(); }
};

// Dialog "Kurse importieren".
struct QuoteImportForm {
    int32_t securityId = -1;  // the "&Bezeichnung" and "&WKN" lists are one choice; -1 = none
    std::string file;
    ImportFormatList formats;  // the stored formats, the description and the list's choice

    // Loads the stored formats. If the dialog was closed before for this document, its
    // security (when it still exists), file and description come back; otherwise the
    // description of the first stored format. The list follows the description.
    static QuoteImportForm Open(const CFolari2Doc& doc, const SettingsStore& settings);

    // 1. No security of the document chosen: "Bitte wählen Sie ein Wertpapier aus, für das
    //    Sie die Kursdaten importieren möchten!", focus kImportNameField (the lists are one
    //    choice, so the name list never has a choice the WKN list lacks).
    // 2. Empty file name: "Bitte geben Sie den Dateinamen einer Textdatei an, aus der Sie die
    //    Kursdaten importieren möchten!", focus kImportFileField.
    MaybeMessage Check(const CFolari2Doc& doc) const;

    // "Import starten...": Check, then reads the file ("Datei kann nicht geöffnet werden!",
    // "Nicht genügend Speicher zum Einlesen der Datei!", exclamation icon) and scans it with
    // the description, `progress` hearing 0 to 100. A faulty description gives "Fehler in der
    // Formatbeschreibung!" (exclamation, focus kImportDescriptionField, selectionStart = the
    // error position); a scan without quotes "Es konnten keine Kursdaten eingelesen
    // werden. ..." (information icon). The document is not changed.
    QuoteImportRun Run(const CFolari2Doc& doc, const ImportProgress& progress = {}) const;

    // "Schließen": writes the formats to the profile and remembers the security (-1 when none
    // of the document is chosen), file and description in doc.quoteDialogs. This is not an
    // edit of the document; its modified flag stays.
    void Close(CFolari2Doc& doc, SettingsStore& settings) const;
};

// Dialog "Importergebnis": the quotes of one scan for one security.
class QuoteImportResult {
  public:
    struct Row {
        std::string date;   // "%02d.%02d.%04d"
        std::string price;  // the document's number format, 2 to 7 decimals
    };

    QuoteImportResult(const CFolari2Doc& doc, int32_t securityId, const ImportScan& scan);

    // The header: name, WKN, the second identifier's caption (the document's label + ":")
    // and value, and the quote currency's symbol. Empty texts for a security that is gone.
    const std::string& Name() const { return name_; }
    const std::string& Wkn() const { return wkn_; }
    const std::string& IsinCaption() const { return isinCaption_; }
    const std::string& Isin() const { return isin_; }
    const std::string& CurrencySymbol() const { return currency_; }

    // "&Kurs nur dann übernehmen, wenn sich das Wertpapier zu diesem Zeitpunkt im Depot
    // befindet" (off at the start). On, only the quotes of days on which the security is
    // held are shown: a lot of it began on or before the day and is open or ended after it.
    // The holdings are computed once per call.
    bool OnlyHeld() const { return onlyHeld_; }
    void SetOnlyHeld(const CFolari2Doc& doc, bool onlyHeld);

    const std::vector<CFL2Kurs>& Shown() const { return shown_; }
    const std::vector<Row>& Rows() const { return rows_; }
    // "%d Kurse gefunden" with the number shown.
    std::string CountText() const;
    // When the file stopped matching the description before its end, a notice naming the
    // line where reading stopped (or saying that the last line lacks its line feed); empty
    // otherwise.
    std::string NoticeText() const;

    // OK: sets every shown quote in the security's history in one edit, which is heard (and
    // marks the document modified) only when a quote was added or changed. Returns the
    // number added or changed; 0 when the security is gone.
    int Apply(CFolari2Doc& doc) const;

  private:
    void Fill(const CFolari2Doc& doc);

    int32_t securityId_;
    std::vector<CFL2Kurs> found_;
    bool stoppedEarly_ = false;
    int stopLine_ = 0;
    bool lastLineWithoutLineFeed_ = false;
    bool onlyHeld_ = false;
    std::vector<CFL2Kurs> shown_;
    std::vector<Row> rows_;
    std::string name_, wkn_, isinCaption_, isin_, currency_;
};

}  // namespace pf

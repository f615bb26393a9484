#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "model/date.h"
#include "quotes/quote_result_rows.h"
#include "quotes/text_quote_formats.h"
#include "quotes/text_scanner.h"
#include "quotes/trend.h"

namespace pf {

class CFolari2Doc;
class SettingsStore;

// One row of the list "Kurse" (an unread price shows nothing).
using QuotesFromTextRow = QuoteResultRow;

// Dialog "Kurse aus Text". Changing the text, the format or the identification through the
// member functions scans again; the dialog shows Rows() afterwards.
class QuotesFromTextForm {
  public:
    CQRNDatum date;                        // "&Datum": the date of the new quotes
    std::vector<TextQuoteFormat> formats;  // "&Format", in list order
    int selectedFormat = -1;               // index into `formats`; -1 none
    int identification = kIdentifyByWkn;   // "&Identifikation", TextIdentification
    std::string text;                      // "&Text"
    std::vector<TextQuoteItem> items;      // of the last scan

    // Date today, the profile's formats, the format whose title the document remembers (else
    // the first), the remembered identification (a value outside 0..3 gives 0), an empty text.
    static QuotesFromTextForm Open(const CFolari2Doc& doc, const SettingsStore& settings,
                                   CQRNDatum today);

    // The texts of "&Identifikation" and "&Format".
    static std::vector<std::string> IdentificationChoices(const CFolari2Doc& doc);
    std::vector<std::string> FormatTitles() const;
    const TextQuoteFormat* SelectedFormat() const;

    void SetText(const CFolari2Doc& doc, std::string newText);
    void SelectFormat(const CFolari2Doc& doc, int index);  // outside the list: none
    void SetIdentification(const CFolari2Doc& doc, int choice);
    // Discards the items and scans the text again with the selected format (no format: no
    // items).
    void Rescan(const CFolari2Doc& doc);

    // One row per item in scan order. The trend compares a price read with the security's
    // quote on or before `date` (split-adjusted as seen from `date`, as PriceAt looks it
    // up) and with the alert prices of its open lots after all transactions.
    std::vector<QuotesFromTextRow> Rows(const CFolari2Doc& doc) const;

    // "&aus Datei...": the whole file, read at once, becomes the text (bytes that are not
    // UTF-8 are read as Windows-1252), then a scan. A file that cannot be opened or read:
    // "Datei kann nicht geöffnet werden!"; one whose buffer cannot be had (or larger than
    // kMaxTextFileSize): "Nicht genügend Speicher zum Einlesen der Datei!". Both with the
    // exclamation icon, title "Kurse aus Text"; the text stays as it was.
    MaybeMessage LoadTextFile(const CFolari2Doc& doc, const std::string& path);
    static constexpr std::uintmax_t kMaxTextFileSize = std::uintmax_t{256} * 1024 * 1024;

    // Format maintenance. The format dialog for a new format, or for the selected one
    // (nothing while none is selected).
    static TextFormatForm NewFormatForm() { return TextFormatForm::New(); }
    std::optional<TextFormatForm> EditFormatForm() const;
    bool EditEnabled() const { return SelectedFormat() != nullptr; }
    bool DeleteEnabled() const { return SelectedFormat() != nullptr; }
    // After the format dialog's OK: appends the new format and selects it, or replaces the
    // selected one (its identifier stays), then scans. Nothing while the dialog's Check
    // refuses; returns whether the list changed.
    bool AddFormat(const CFolari2Doc& doc, const TextFormatForm& form);
    bool ReplaceSelectedFormat(const CFolari2Doc& doc, const TextFormatForm& form);
    // After Yes to DeleteTextFormatQuestion(): removes the selected format; the one that
    // took its place (else the one before) is selected. A built-in format comes back the
    // next time the dialog opens, since its profile entry stays.
    bool DeleteSelectedFormat(const CFolari2Doc& doc);
    // When the dialog ends, with OK or not.
    void SaveFormats(SettingsStore& settings) const;

    // OK needs no check.
    MaybeMessage Check(const CFolari2Doc&) const { return std::nullopt; }
    // Remembers the identification and the selected format's title in doc.quoteDialogs,
    // then inserts (date, price) for every item whose price was read in one edit (an
    // existing quote of that date gets the new price). Returns whether a quote changed; the
    // document is marked modified only then.
    bool Apply(CFolari2Doc& doc) const;
};

static_assert(EntryForm<QuotesFromTextForm>);

}  // namespace pf

#include "quotes/quote_import_form.h"

#include <new>
#include <system_error>
#include <utility>

#include "engine/holdings.h"
#include "engine/number_entry.h"
#include "engine/position_queries.h"
#include "model/document.h"
#include "platform/file_io.h"
#include "platform/settings_store.h"

namespace pf {

QuoteImportForm QuoteImportForm::Open(const CFolari2Doc& doc, const SettingsStore& settings) {
    QuoteImportForm form;
    form.formats.formats = LoadImportFormats(settings);
    const QuoteDialogMemory& memory = doc.quoteDialogs;
    if (memory.importSecurity >= -1) {
        if (doc.FindSecurity(memory.importSecurity) != nullptr)
            form.securityId = memory.importSecurity;
        form.file = memory.importFile;
        form.formats.SetDescription(memory.importDescription);
    } else {
        form.formats.SetDescription(form.formats.formats.empty()
                                        ? std::string()
                                        : form.formats.formats.front().description);
    }
    return form;
}

MaybeMessage QuoteImportForm::Check(const CFolari2Doc& doc) const {
    if (doc.FindSecurity(securityId) == nullptr)
        return Message::Refusal(
            kQuoteImportTitle,
            "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten importieren möchten!",
            kImportNameField);
    if (file.empty())
        return Message::Refusal(kQuoteImportTitle,
                                "Bitte geben Sie den Dateinamen einer Textdatei an, aus der Sie "
                                "die Kursdaten importieren möchten!",
                                kImportFileField);
    return std::nullopt;
}

QuoteImportRun QuoteImportForm::Run(const CFolari2Doc& doc, const ImportProgress& progress) const {
    QuoteImportRun run;
    if ((run.message = Check(doc))) return run;

    std::string text;
    switch (ReadQuoteFile(file, text)) {
        case QuoteFileRead::Ok:
            break;
        case QuoteFileRead::CannotOpen:
            run.message = Message{kQuoteImportTitle,
                                  "Datei kann nicht geöffnet werden!",
                                  MessageIcon::Exclamation,
                                  {}};
            return run;
        case QuoteFileRead::NoMemory:
            run.message = Message{kQuoteImportTitle,
                                  "Nicht genügend Speicher zum Einlesen der Datei!",
                                  MessageIcon::Exclamation,
                                  {}};
            return run;
    }

    if (progress) progress(0);
    run.scan = ScanQuoteText(text, formats.description, progress);
    if (progress) progress(100);
    if (run.scan.faulty) {
        run.message = Message{kQuoteImportTitle, "Fehler in der Formatbeschreibung!",
                              MessageIcon::Exclamation, kImportDescriptionField};
        run.selectionStart = run.scan.errorPosition;
        run.scan.quotes.clear();
    } else if (run.scan.quotes.empty()) {
        run.message = Message::Refusal(
            kQuoteImportTitle,
            "Es konnten keine Kursdaten eingelesen werden.\n\nEntweder enthält die Datei keine "
            "Kurse oder die Formatbeschreibung paßt nicht zur ausgewählten Datei!");
    }
    return run;
}

void QuoteImportForm::Close(CFolari2Doc& doc, SettingsStore& settings) const {
    SaveImportFormats(settings, formats.formats);
    QuoteDialogMemory& memory = doc.quoteDialogs;
    memory.importSecurity = doc.FindSecurity(securityId) != nullptr ? securityId : -1;
    memory.importFile = file;
    memory.importDescription = formats.description;
}

QuoteImportResult::QuoteImportResult(const CFolari2Doc& doc, int32_t securityId,
                                     const ImportScan& scan)
    : securityId_(securityId),
      found_(scan.quotes),
      stoppedEarly_(scan.stoppedEarly),
      stopLine_(scan.stopLine),
      lastLineWithoutLineFeed_(scan.inLastLineWithoutLineFeed) {
    isinCaption_ = doc.options.isinLabel + ":";
    if (const CFL2Wertpapier* s = doc.FindSecurity(securityId)) {
        name_ = s->name;
        wkn_ = s->wkn;
        isin_ = s->isin;
        if (const CFL2Waehrung* c = doc.FindCurrency(s->quoteCurrencyId)) currency_ = c->symbol;
    }
    Fill(doc);
}

void QuoteImportResult::SetOnlyHeld(const CFolari2Doc& doc, bool onlyHeld) {
    onlyHeld_ = onlyHeld;
    Fill(doc);
}

void QuoteImportResult::Fill(const CFolari2Doc& doc) {
    shown_.clear();
    rows_.clear();
    PositionList lots;
    if (onlyHeld_) lots = ComputeHoldings(doc, HoldingsQuery{});
    const NumberFormat format = NumberFormatOf(doc.options);
    for (const CFL2Kurs& quote : found_) {
        if (onlyHeld_ && !IsHeldAt(lots, securityId_, quote.date)) continue;
        shown_.push_back(quote);
        rows_.push_back({quote.date.FormatLong(),
                         FormatDecimal(quote.value, format, kPriceMinDecimals, kPriceMaxDecimals)});
    }
}

std::string QuoteImportResult::CountText() const {
    return std::to_string(shown_.size()) + " Kurse gefunden";
}

std::string QuoteImportResult::NoticeText() const {
    if (!stoppedEarly_) return {};
    if (lastLineWithoutLineFeed_)
        return "Hinweis: Die letzte Zeile (Zeile " + std::to_string(stopLine_) +
               ") endet ohne Zeilenumbruch; sie wurde nicht oder nur zum Teil gelesen.";
    return "Hinweis: In Zeile " + std::to_string(stopLine_) +
           " paßt die Datei nicht mehr zur Formatbeschreibung; der Rest der Datei wurde nicht "
           "gelesen.";
}

int QuoteImportResult::Apply(CFolari2Doc& doc) const {
    int changed = 0;
    doc.Edit([&] {
        CFL2Wertpapier* s = doc.FindSecurity(securityId_);
        if (s == nullptr) return false;
        for (const CFL2Kurs& quote : shown_) changed += s->quotes.SetQuote(quote.date, quote.value);
        return changed > 0;
    });
    return changed;
}

}  // namespace pf

#include "quotes/quote_export.h"

#include "engine/number_entry.h"
#include "model/document.h"
#include "platform/file_io.h"

namespace pf {

std::string ExportQuotesText(const CFolari2Doc& doc, int32_t securityId,
                             const QuoteExportOptions& options) {
    const CFL2Wertpapier* security = doc.FindSecurity(securityId);
    if (security == nullptr) return {};
    const std::string separator = options.separator == "<TAB>" ? "\t" : options.separator;
    std::string currency;
    if (options.currencyAfterPrice) {
        currency = " ";
        if (const CFL2Waehrung* c = doc.FindCurrency(security->quoteCurrencyId))
            currency += c->symbol;
    }
    const NumberFormat format = NumberFormatOf(doc.options);

    std::string text;
    if (options.writeName) text += security->name + "\r\n";
    if (options.writeWkn) text += security->wkn + "\r\n";
    for (const CFL2Kurs& quote : security->quotes.Items()) {
        text += quote.date.FormatLong();
        text += separator;
        text += FormatDecimal(quote.value, format, kPriceMinDecimals, kPriceMaxDecimals);
        text += currency;
        text += "\r\n";
    }
    return text;
}

MaybeMessage QuoteExportForm::Check(const CFolari2Doc& doc) const {
    if (doc.FindSecurity(securityId) == nullptr)
        return Message::Refusal(
            kQuoteExportTitle,
            "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten exportieren möchten!",
            kExportNameField);
    if (file.empty())
        return Message::Refusal(kQuoteExportTitle,
                                "Bitte geben Sie den Dateinamen einer Textdatei an, in die Sie "
                                "die Kursdaten exportieren möchten!",
                                kExportFileField);
    return std::nullopt;
}

Message QuoteExportForm::Apply(const CFolari2Doc& doc) const {
    if (MaybeMessage refusal = Check(doc)) return *refusal;
    std::string error;
    if (!WriteFileAtomically(file, ExportQuotesText(doc, securityId, options), error))
        return Message{
            kQuoteExportTitle, "Datei kann nicht geöffnet werden!", MessageIcon::Exclamation, {}};
    return Message{kQuoteExportTitle, "Kurse wurden exportiert.", MessageIcon::Information, {}};
}

static_assert(EntryForm<QuoteExportForm>);

}  // namespace pf

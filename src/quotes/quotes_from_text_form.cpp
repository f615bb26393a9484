#include "quotes/quotes_from_text_form.h"

#include <utility>

#include "engine/holdings.h"
#include "engine/number_entry.h"
#include "model/document.h"
#include "model/text_codec.h"
#include "quotes/quote_file_read.h"
#include "quotes/quote_result_rows.h"

namespace pf {

namespace {

bool IsUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next < 0x80 || next > 0xBF) return false;
        }
        i += length;
    }
    return true;
}

Message FileMessage(const char* text) {
    return Message{kQuotesFromTextTitle, text, MessageIcon::Exclamation, ""};
}

}  // namespace

QuotesFromTextForm QuotesFromTextForm::Open(const CFolari2Doc& doc, const SettingsStore& settings,
                                            CQRNDatum today) {
    QuotesFromTextForm form;
    form.date = today;
    form.formats = LoadTextQuoteFormats(settings);
    form.selectedFormat = form.formats.empty() ? -1 : 0;
    for (size_t i = 0; i < form.formats.size(); ++i) {
        if (form.formats[i].title == doc.quoteDialogs.textFormatTitle) {
            form.selectedFormat = static_cast<int>(i);
            break;
        }
    }
    const int remembered = doc.quoteDialogs.textIdentification;
    form.identification =
        remembered >= kIdentifyByWkn && remembered <= kIdentifySecondIdThenWkn ? remembered : 0;
    return form;
}

std::vector<std::string> QuotesFromTextForm::IdentificationChoices(const CFolari2Doc& doc) {
    return IdentificationTexts(doc.options.isinLabel);
}

std::vector<std::string> QuotesFromTextForm::FormatTitles() const {
    std::vector<std::string> titles;
    for (const TextQuoteFormat& f : formats) titles.push_back(f.title);
    return titles;
}

const TextQuoteFormat* QuotesFromTextForm::SelectedFormat() const {
    if (selectedFormat < 0 || static_cast<size_t>(selectedFormat) >= formats.size()) return nullptr;
    return &formats[static_cast<size_t>(selectedFormat)];
}

void QuotesFromTextForm::SetText(const CFolari2Doc& doc, std::string newText) {
    text = std::move(newText);
    Rescan(doc);
}

void QuotesFromTextForm::SelectFormat(const CFolari2Doc& doc, int index) {
    selectedFormat = index >= 0 && static_cast<size_t>(index) < formats.size() ? index : -1;
    Rescan(doc);
}

void QuotesFromTextForm::SetIdentification(const CFolari2Doc& doc, int choice) {
    identification = choice;
    Rescan(doc);
}

void QuotesFromTextForm::Rescan(const CFolari2Doc& doc) {
    items.clear();
    if (const TextQuoteFormat* format = SelectedFormat())
        items = ScanTextQuotes(doc, text, *format, identification);
}

std::vector<QuotesFromTextRow> QuotesFromTextForm::Rows(const CFolari2Doc& doc) const {
    QuoteResultRows maker(doc, date);
    std::vector<QuotesFromTextRow> rows;
    for (const TextQuoteItem& item : items)
        if (std::optional<QuoteResultRow> row =
                maker.Row(item.securityId, item.priceRead, item.price, item.status))
            rows.push_back(std::move(*row));
    return rows;
}

MaybeMessage QuotesFromTextForm::LoadTextFile(const CFolari2Doc& doc, const std::string& path) {
    const Message cannotOpen = FileMessage("Datei kann nicht geöffnet werden!");
    const Message noMemory = FileMessage("Nicht genügend Speicher zum Einlesen der Datei!");
    std::string bytes;
    switch (ReadQuoteFile(path, bytes, kMaxTextFileSize)) {
        case QuoteFileRead::Ok:
            break;
        case QuoteFileRead::CannotOpen:
            return cannotOpen;
        case QuoteFileRead::NoMemory:
            return noMemory;
    }
    SetText(doc, IsUtf8(bytes) ? std::move(bytes) : Windows1252ToUtf8(bytes));
    return std::nullopt;
}

std::optional<TextFormatForm> QuotesFromTextForm::EditFormatForm() const {
    const TextQuoteFormat* format = SelectedFormat();
    if (format == nullptr) return std::nullopt;
    return TextFormatForm::ForEdit(*format);
}

bool QuotesFromTextForm::AddFormat(const CFolari2Doc& doc, const TextFormatForm& form) {
    if (form.Check()) return false;
    TextFormatForm fresh = form;
    fresh.editing = false;
    formats.push_back(fresh.Result());
    SelectFormat(doc, static_cast<int>(formats.size()) - 1);
    return true;
}

bool QuotesFromTextForm::ReplaceSelectedFormat(const CFolari2Doc& doc, const TextFormatForm& form) {
    const TextQuoteFormat* selected = SelectedFormat();
    if (selected == nullptr || form.Check()) return false;
    TextFormatForm edited = form;
    edited.editing = true;
    edited.identifier = selected->identifier;
    formats[static_cast<size_t>(selectedFormat)] = edited.Result();
    Rescan(doc);
    return true;
}

bool QuotesFromTextForm::DeleteSelectedFormat(const CFolari2Doc& doc) {
    if (SelectedFormat() == nullptr) return false;
    formats.erase(formats.begin() + selectedFormat);
    const int count = static_cast<int>(formats.size());
    SelectFormat(doc, selectedFormat < count ? selectedFormat : count - 1);
    return true;
}

void QuotesFromTextForm::SaveFormats(SettingsStore& settings) const {
    SaveTextQuoteFormats(settings, formats);
}

bool QuotesFromTextForm::Apply(CFolari2Doc& doc) const {
    doc.quoteDialogs.textIdentification = identification;
    if (const TextQuoteFormat* format = SelectedFormat())
        doc.quoteDialogs.textFormatTitle = format->title;
    return doc.Edit([&](CFolari2Doc& d) {
        bool changed = false;
        for (const TextQuoteItem& item : items) {
            if (!item.priceRead) continue;
            CFL2Wertpapier* security = d.FindSecurity(item.securityId);
            if (security == nullptr) continue;
            if (security->quotes.SetQuote(date, item.price) != 0) changed = true;
        }
        return changed;
    });
}

}  // namespace pf

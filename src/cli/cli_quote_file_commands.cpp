// Quote histories from and into text files: the import with a format description, the
// export, and the quotes of many securities from a pasted text.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands_list.h"
#include "model/document.h"
#include "qtcanvas/qt_settings_store.h"
#include "qtcanvas/qt_string.h"
#include "quotes/quote_export.h"
#include "quotes/quote_import_form.h"
#include "quotes/quotes_from_text_form.h"

namespace pf::cli {

std::unique_ptr<SettingsStore> SettingsProfile(const Context& c) {
    if (const std::optional<std::string> ini = c.args.Option("--settings"))
        return std::make_unique<QtSettingsStore>(ToQString(*ini));
    return std::make_unique<QtSettingsStore>();
}

namespace {

// The description text from the end of the faulty description on: what the dialog selects.
std::string FaultyPart(const std::string& description, size_t position) {
    if (position >= description.size()) return "(Ende der Beschreibung)";
    return OneLine(description.substr(position));
}

}  // namespace

int ImportQuotes(const Context& c) {
    const std::optional<std::string> wkn = Required(c, "import-quotes", "--security");
    if (!wkn) return 2;
    const std::optional<std::string> title = c.args.Option("--format");
    const std::optional<std::string> typed = c.args.Option("--description");
    if (title.has_value() == typed.has_value()) {
        c.err << "import-quotes braucht entweder --format oder --description.\n";
        return 2;
    }
    const std::unique_ptr<SettingsStore> settings = SettingsProfile(c);
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Wertpapier* security = FindSecurityByWkn(doc, *wkn);
        if (security == nullptr) return UnknownSecurity(c, *wkn);
        QuoteImportForm form = QuoteImportForm::Open(doc, *settings);
        form.securityId = security->id;
        form.file = c.args.positional[1];
        if (typed) {
            form.formats.SetDescription(*typed);
        } else {
            const auto& formats = form.formats.formats;
            const auto it = std::find_if(formats.begin(), formats.end(),
                                         [&](const ImportFormat& f) { return f.title == *title; });
            if (it == formats.end()) {
                c.err << "Unbekanntes Format \"" << *title << "\". Gespeicherte Formate:\n";
                for (const ImportFormat& f : formats) c.err << "  " << f.title << "\n";
                return 1;
            }
            form.formats.Choose(static_cast<int>(it - formats.begin()));
        }
        const QuoteImportRun run = form.Run(doc);
        if (run.message) {
            c.err << run.message->text << "\n";
            if (run.message->field == kImportDescriptionField)
                c.err << "Ab Position " << run.selectionStart << ": "
                      << FaultyPart(form.formats.description, run.selectionStart) << "\n";
            return 1;
        }
        QuoteImportResult result(doc, security->id, run.scan);
        if (c.args.Flag("--only-held")) result.SetOnlyHeld(doc, true);
        c.out << result.CountText() << "\n";
        if (!result.NoticeText().empty()) c.out << result.NoticeText() << "\n";
        for (const QuoteImportResult::Row& row : result.Rows())
            c.out << row.date << "\t" << row.price << "\n";
        const int changed = c.args.Flag("--dry-run") ? 0 : result.Apply(doc);
        if (!c.args.Flag("--dry-run")) c.out << changed << " Kurse neu oder geändert.\n";
        return 0;
    });
}

int ExportQuotes(const Context& c) {
    const std::optional<std::string> wkn = Required(c, "export-quotes", "--security");
    if (!wkn) return 2;
    const std::optional<std::string> output = Required(c, "export-quotes", "-o");
    if (!output) return 2;
    const std::optional<ReadResult> loaded = Load(c.args.positional[0], c);
    if (!loaded) return 1;
    const CFL2Wertpapier* security = FindSecurityByWkn(loaded->doc, *wkn);
    if (security == nullptr) return UnknownSecurity(c, *wkn);
    QuoteExportForm form;
    form.securityId = security->id;
    form.file = *output;
    form.options.writeName = c.args.Flag("--name");
    form.options.writeWkn = c.args.Flag("--wkn");
    form.options.currencyAfterPrice = c.args.Flag("--currency");
    form.options.separator = c.args.Option("--separator").value_or(form.options.separator);
    if (const MaybeMessage refusal = form.Check(loaded->doc)) return Refuse(c, *refusal);
    const Message done = form.Apply(loaded->doc);
    if (done.icon != MessageIcon::Information) return Refuse(c, done);
    c.out << done.text << "\n";
    return 0;
}

int QuotesFromText(const Context& c) {
    const std::optional<std::string> title = Required(c, "quotes-from-text", "--format");
    if (!title) return 2;
    const std::optional<std::string> choice = Required(c, "quotes-from-text", "--identification");
    if (!choice) return 2;
    if (choice->size() != 1 || (*choice)[0] < '0' || (*choice)[0] > '3') {
        c.err << "--identification erwartet 0, 1, 2 oder 3.\n";
        return 2;
    }
    CQRNDatum date;
    if (const int code = RequiredDate(c, "quotes-from-text", "--date", date)) return code;
    const std::unique_ptr<SettingsStore> settings = SettingsProfile(c);
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        QuotesFromTextForm form = QuotesFromTextForm::Open(doc, *settings, date);
        const std::vector<std::string> titles = form.FormatTitles();
        const auto it = std::find(titles.begin(), titles.end(), *title);
        if (it == titles.end()) {
            c.err << "Unbekanntes Format \"" << *title << "\". Gespeicherte Formate:\n";
            for (const std::string& t : titles) c.err << "  " << t << "\n";
            return 1;
        }
        form.SelectFormat(doc, static_cast<int>(it - titles.begin()));
        form.SetIdentification(doc, (*choice)[0] - '0');
        if (const MaybeMessage failure = form.LoadTextFile(doc, c.args.positional[1]))
            return Refuse(c, *failure);
        // One line per security found: name, price, currency, status and the trend icon's
        // number (empty without a price).
        for (const QuotesFromTextRow& row : form.Rows(doc)) {
            c.out << TsvField(row.name) << "\t" << row.priceText << "\t" << row.currency << "\t"
                  << row.status << "\t" << (row.icon >= 0 ? std::to_string(row.icon) : "") << "\n";
        }
        if (!c.args.Flag("--dry-run")) form.Apply(doc);
        return 0;
    });
}

}  // namespace pf::cli

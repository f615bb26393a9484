#include "app/tools/screenshots_quote_files.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>

#include "app/dialogs/quote_export_dialog.h"
#include "app/dialogs/quote_import_dialog.h"
#include "app/dialogs/quote_import_result_dialog.h"
#include "app/dialogs/quotes_from_text_dialog.h"
#include "app/dialogs/trend_icons.h"
#include "engine/number_entry.h"
#include "model/document.h"
#include "platform/settings_store.h"
#include "quotes/import_format.h"
#include "quotes/import_format_store.h"
#include "quotes/quote_export.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

void ShootQuoteFileDialogs(QWidget* parent, const CFolari2Doc& doc,
                           const std::function<void(QWidget&, const QString& name)>& save) {
    CFolari2Doc copy = doc;
    MemorySettingsStore settings;
    if (copy.securities.empty()) return;
    const CFL2Wertpapier& first = copy.securities.front();
    {
        QuoteImportDialog dialog(copy, settings, parent);
        dialog.findChild<QComboBox*>(u"name"_s)->setCurrentIndex(0);
        dialog.findChild<QLineEdit*>(u"file"_s)->setText(u"/home/anna/Downloads/table.csv"_s);
        dialog.show();
        save(dialog, u"quote-import"_s);
    }
    {
        const std::string text = ExportQuotesText(copy, first.id, QuoteExportOptions{});
        const ImportScan scan = ScanQuoteText(text, DefaultImportFormats().at(1).description);
        QuoteImportResultDialog dialog(copy, QuoteImportResult(copy, first.id, scan), parent);
        dialog.show();
        save(dialog, u"quote-import-result"_s);
    }
    {
        QuoteExportDialog dialog(copy, parent);
        dialog.findChild<QComboBox*>(u"wkn"_s)->setCurrentIndex(0);
        dialog.findChild<QLineEdit*>(u"file"_s)->setText(u"/home/anna/kurse.txt"_s);
        dialog.findChild<QCheckBox*>(u"writeName"_s)->setChecked(true);
        dialog.show();
        save(dialog, u"quote-export"_s);
    }
    {
        QuotesFromTextDialog dialog(
            copy, settings,
            copy.securities.front().quotes.empty() ? CQRNDatum() : first.quotes.Items().back().date,
            parent);
        // A short quote page: every security's number with a price a little above its last
        // quote, the second one with text the price cannot hold.
        std::string page = "Kursliste\r\n";
        int i = 0;
        for (const CFL2Wertpapier& s : copy.securities) {
            const double last = s.quotes.empty() ? 10.0 : s.quotes.Items().back().value;
            page += s.name + " " + s.wkn + ": " +
                    (i++ == 1 ? "n.a." : FormatDecimal(last * (1.0 + 0.006 * i), {}, 2, 2)) +
                    "\r\n";
        }
        dialog.findChild<QPlainTextEdit*>(u"text"_s)->setPlainText(QString::fromStdString(page));
        dialog.show();
        save(dialog, u"quotes-from-text"_s);
        dialog.reject();
    }
    {
        // The trend icons 0 to 7, four times enlarged.
        QLabel strip(parent, Qt::Window);
        strip.setPixmap(TrendIconStrip().scaled(TrendIconStrip().size() * 4));
        strip.show();
        save(strip, u"trend-icons"_s);
    }
    {
        TextFormatDialog dialog(TextFormatForm::New(), copy.options.isinLabel, parent);
        dialog.show();
        save(dialog, u"text-format"_s);
    }
}

}  // namespace pf

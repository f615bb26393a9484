#include "app/tools/screenshots_quote_files.h"

#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/dialogs/quote_export_dialog.h"
#include "app/dialogs/quote_import_dialog.h"
#include "app/dialogs/quote_import_result_dialog.h"
#include "app/dialogs/quotes_from_text_dialog.h"
#include "app/dialogs/trend_icons.h"
#include "app/dialogs/vtplus_quotes_dialog.h"
#include "app/dialogs/vtplus_selection_dialog.h"
#include "engine/number_entry.h"
#include "model/document.h"
#include "platform/settings_store.h"
#include "platform/socket_dde_client.h"
#include "platform/vtplus_standin_server.h"
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
        // The teletext dialogs against the stand-in server with one page of quotes.
        const std::filesystem::path pages = std::filesystem::temp_directory_path() /
                                            ("pf_shots_vtplus_" + std::to_string(::getpid()));
        std::filesystem::create_directories(pages);
        std::ofstream page(pages / "100.txt");
        page << "BOERSE   Aktien Inland         14:05\n\n";
        int row = 0;
        for (CFL2Wertpapier& s : copy.securities) {
            if (row >= 8) break;
            const double last = s.quotes.empty() ? 10.0 : s.quotes.Items().back().value;
            std::string name = s.name.substr(0, 20);
            name.resize(22, ' ');
            page << name << FormatDecimal(last * 1.004, {}, 2, 2) << "\n";
            s.vtplusImport = 1;
            s.vtplusPage = "100";
            s.vtplusSubpage = "1";
            s.vtplusQuotePosition =
                "22/" + std::to_string(row + 2) + "/31/" + std::to_string(row + 2);
            s.vtplusControlText = "BOERSE";
            s.vtplusControlText2 = "0/0/5/0";
            ++row;
        }
        page.close();
        const std::string socket = (pages / "vt.sock").string();
        std::string error;
        auto server = VtplusStandinServer::Start(pages.string(), socket, error);
        if (server) {
            SocketDdeClient client(socket);
            {
                VtplusQuotesDialog dialog(
                    copy, client,
                    first.quotes.empty() ? CQRNDatum() : first.quotes.Items().back().date, parent);
                dialog.show();
                save(dialog, u"vtplus-quotes"_s);
            }
            {
                VtplusSelectionDialog dialog(client, VtplusSelection{}, parent);
                dialog.show();
                save(dialog, u"vtplus-selection"_s);
            }
            server->Stop();
        }
        std::error_code ignored;
        std::filesystem::remove_all(pages, ignored);
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

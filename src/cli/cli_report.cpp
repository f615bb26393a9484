#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "cli/cli_commands_list.h"
#include "qtcanvas/qt_canvas.h"
#include "qtcanvas/qt_output.h"
#include "reports/report_dispatcher.h"
#include "reports/report_table.h"

namespace pf::cli {

namespace {

// Resolution of the PNG output: the drawing as a common screen shows it.
constexpr int kScreenDpi = 96;

enum class Format { Text, Tsv, Pdf, Png };

bool ParseFormat(const std::string& name, Format& out) {
    if (name == "text")
        out = Format::Text;
    else if (name == "tsv")
        out = Format::Tsv;
    else if (name == "pdf")
        out = Format::Pdf;
    else if (name == "png")
        out = Format::Png;
    else
        return false;
    return true;
}

// The screen size of the table measured with the fonts of a screen of `dpi`; the same
// measurement that RenderPng's canvas makes, so nothing is cut off.
ReportSize MeasureOnScreen(ReportTable& table, int dpi) {
    EnsureGuiApplication();
    QImage probe(1, 1, QImage::Format_ARGB32);
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    probe.setDotsPerMeterX(dotsPerMeter);
    probe.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&probe);
    QtCanvas canvas(painter);
    return table.Layout(canvas);
}

bool WritePng(ReportTable& table, const CFolari2Doc& doc, const std::string& path,
              std::string& error) {
    const ReportSize size = MeasureOnScreen(table, kScreenDpi);
    const int style = doc.options.tables.screenStyle;
    return RenderPng(
        path, size.width, size.height, kScreenDpi,
        [&](Canvas& canvas) {
            table.Layout(canvas);
            table.DrawScreen(canvas, style, Rect{0, 0, size.width, -size.height});
        },
        error);
}

bool WritePdf(ReportTable& table, const CFolari2Doc& doc, const std::string& path,
              const std::string& title, std::string& error) {
    const TableAppearance& t = doc.options.tables;
    PdfDocument pdf;
    PdfDocument::Options options;  // A4 portrait
    options.title = title;
    if (!pdf.Open(path, options, error)) return false;
    table.Paginate(pdf.Page(), t.marginLeft, t.marginTop, t.marginRight, t.marginBottom);
    const int pages = table.PageCount();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !pdf.NewPage(error)) return false;
        table.PrintPage(pdf.Page(), t.printStyle, page);
    }
    return pdf.Finish(error);
}

}  // namespace

int Report(const Context& c) {
    const std::string& viewName = c.args.positional[0];
    const int viewId = ViewIdFromName(viewName);
    if (viewId == 0) {
        c.err << "Unbekannte Ansicht " << viewName << " (holdings oder realized).\n";
        return 2;
    }
    Format format = Format::Text;
    if (const auto name = c.args.Option("--format"); name && !ParseFormat(*name, format)) {
        c.err << "Unbekanntes Format " << *name << " (text, tsv, pdf oder png).\n";
        return 2;
    }
    const std::optional<std::string> output = c.args.Option("-o");
    if ((format == Format::Pdf || format == Format::Png) && !output) {
        c.err << "Für --format " << (format == Format::Pdf ? "pdf" : "png")
              << " bitte mit -o eine Ausgabedatei angeben.\n";
        return 2;
    }
    // Each view takes only the settings of its own dialog bar.
    const bool periodOptions = c.args.Option("--from") || c.args.Option("--to") ||
                               c.args.Flag("--filter") || c.args.Flag("--simulate");
    if (viewId == kViewHoldings && periodOptions) {
        c.err << "--from, --to, --filter und --simulate gelten nur für realized.\n";
        return 2;
    }
    if (viewId == kViewRealized && c.args.Option("--date")) {
        c.err << "--date gilt nur für holdings; realized nimmt --from und --to.\n";
        return 2;
    }

    std::optional<CQRNDatum> date;
    std::optional<CQRNDatum> from;
    std::optional<CQRNDatum> to;
    if (!DateOption(c, "--date", date) || !DateOption(c, "--from", from) ||
        !DateOption(c, "--to", to))
        return 1;
    const CQRNDatum today = Today(c.clock);
    ViewState state;
    state.reportDate = date.value_or(today);
    state.periodTo = to.value_or(today);
    // 1 January of the end year; in 1970 that day lies before the first valid day, which
    // the default date then stands for.
    state.periodFrom = from.value_or(DateOf(1, 1, state.periodTo.Year()));
    state.securityFilter = c.args.Flag("--filter");
    state.simulateSales = c.args.Flag("--simulate");
    if (viewId == kViewRealized && state.periodTo < state.periodFrom) {
        c.err << "--to liegt vor --from.\n";
        return 1;
    }

    const auto loaded = Load(c.args.positional[1], c);
    if (!loaded) return 1;
    const CFolari2Doc& doc = loaded->doc;
    const std::unique_ptr<ReportTable> table = BuildReport(doc, viewId, state);
    if (!table) {
        c.err << "Der Bericht konnte nicht erstellt werden.\n";
        return 1;
    }

    if (format == Format::Text || format == Format::Tsv) {
        const int mode = format == Format::Tsv ? kTabSeparated : kFixedWidths;
        if (!output) {
            c.out << table->Text(mode, "\n");
            return 0;
        }
        if (!table->WriteTextFile(mode, *output)) {
            c.err << "Datei kann nicht geöffnet werden\n" << *output << "\n";
            return 1;
        }
        return 0;
    }

    std::string error;
    const bool written = format == Format::Png
                             ? WritePng(*table, doc, *output, error)
                             : WritePdf(*table, doc, *output, FindView(viewId)->title, error);
    if (!written) {
        c.err << error << "\n" << *output << "\n";
        return 1;
    }
    return 0;
}

}  // namespace pf::cli

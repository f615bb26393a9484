#include "cli/cli_drawing_output.h"

#include <QImage>
#include <QPainter>

#include "qtcanvas/qt_canvas.h"
#include "qtcanvas/qt_output.h"

namespace pf::cli {

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

void WithScreenCanvas(int dpi, const std::function<void(Canvas&)>& use) {
    EnsureGuiApplication();
    QImage probe(1, 1, QImage::Format_ARGB32);
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    probe.setDotsPerMeterX(dotsPerMeter);
    probe.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&probe);
    QtCanvas canvas(painter);
    use(canvas);
}

ReportSize MeasureOnScreen(ReportObject& report, int dpi) {
    ReportSize size;
    WithScreenCanvas(dpi, [&](Canvas& canvas) { size = report.Layout(canvas); });
    return size;
}

bool WritePng(ReportObject& report, const std::string& path, std::string& error) {
    const ReportSize size = MeasureOnScreen(report, kScreenDpi);
    return RenderPng(
        path, size.width, size.height, kScreenDpi,
        [&](Canvas& canvas) {
            report.Layout(canvas);
            report.DrawScreen(canvas, Rect{0, 0, size.width, -size.height});
        },
        error);
}

bool WritePdf(ReportObject& report, const std::string& path, std::string& error) {
    PdfDocument pdf;
    PdfDocument::Options options;  // A4 portrait
    options.title = report.Title();
    if (!pdf.Open(path, options, error)) return false;
    const int printed =
        PrintReportPages(report, pdf.Page(), 0, 0, [&] { return pdf.NewPage(error); });
    return printed >= 0 && pdf.Finish(error);
}

}  // namespace pf::cli

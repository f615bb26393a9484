#include "app/printing.h"

#include <QPainter>
#include <QPrinter>

#include "qtcanvas/qt_canvas.h"
#include "reports/report_object.h"

namespace pf {

int PrintReport(ReportObject& report, QPrinter& printer, QString& error, int fromPage, int toPage) {
    // The report places everything from the paper's edge itself.
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QStringLiteral("Der Drucker konnte nicht gestartet werden.");
        return -1;
    }
    QtCanvas canvas(painter);
    const int printed =
        PrintReportPages(report, canvas, fromPage, toPage, [&] { return printer.newPage(); });
    if (printed < 0) error = QStringLiteral("Der Drucker hat die nächste Seite abgelehnt.");
    painter.end();
    return printed;
}

}  // namespace pf

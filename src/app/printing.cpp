#include "app/printing.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "model/document_options.h"
#include "qtcanvas/qt_canvas.h"
#include "reports/report_table.h"

namespace pf {

int PrintReportTable(ReportTable& table, const TableAppearance& t, QPrinter& printer,
                     QString& error, int fromPage, int toPage) {
    // The report places everything from the paper's edge itself.
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QStringLiteral("Der Drucker konnte nicht gestartet werden.");
        return -1;
    }
    QtCanvas canvas(painter);
    const PageGrid grid =
        table.Paginate(canvas, t.marginLeft, t.marginTop, t.marginRight, t.marginBottom);
    const int count = std::max(1, grid.across * grid.down);
    const int first = fromPage > 0 ? fromPage : 1;
    const int last = toPage > 0 ? std::min(toPage, count) : count;
    int printed = 0;
    for (int page = first; page <= last; ++page) {
        if (printed > 0 && !printer.newPage()) {
            error = QStringLiteral("Der Drucker hat die nächste Seite abgelehnt.");
            painter.end();
            return -1;
        }
        canvas.ClearClip();
        table.PrintPage(canvas, t.printStyle, page);
        ++printed;
    }
    painter.end();
    return printed;
}

}  // namespace pf

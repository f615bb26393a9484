#pragma once

#include <QImage>

#include "reports/report_object.h"

namespace pf {

// The screen drawing of a view as a picture at `dpi` pixels per inch on white, as the view
// shows it. A null image when there is nothing to draw or the picture would be too large
// (more than 16,000 pixels a side).
QImage ReportPicture(ReportObject& report, int dpi);

// Puts the picture of the view on the clipboard (charts and diagrams, which have no text);
// false when there is none.
bool CopyReportPicture(ReportObject& report, int dpi);

}  // namespace pf

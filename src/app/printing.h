#pragma once

#include <QString>

class QPrinter;

namespace pf {

class ReportObject;

// Prints the report on `printer` in its own print style and margins: it is paginated for
// this printer's paper, then pages fromPage..toPage (from 1; 0 = from the first / to the
// last) are printed. Returns the number of pages printed, or -1 with a German description
// in `error` when the printer cannot be started or refuses a page.
int PrintReport(ReportObject& report, QPrinter& printer, QString& error, int fromPage = 0,
                int toPage = 0);

}  // namespace pf

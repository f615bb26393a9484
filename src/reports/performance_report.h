#pragma once

#include <memory>

#include "model/date.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;

// The report "Performanceanalyse" from `from` to `to` with the document's performance options
// in the "REPORTE >" appearance: the money-weighted rate of return on the average paid-in and
// invested capital, the time-weighted rate of return and, when the option is on, its single
// periods. Values in the report currency with 2 decimals; "-" where a rate has no base.
std::unique_ptr<ReportTable> BuildPerformanceReport(const CFolari2Doc& doc, CQRNDatum from,
                                                    CQRNDatum to);

}  // namespace pf

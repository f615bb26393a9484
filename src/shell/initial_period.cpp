#include "shell/initial_period.h"

#include "model/document.h"

namespace pf {

DisplayPeriod InitialPeriod(const CFolari2Doc& doc, CQRNDatum today) {
    const DocumentOptions& o = doc.options;
    const CQRNDatum::Parts t = today.Split();
    DisplayPeriod p;
    switch (o.periodFromChoice) {
        case kFromFirstTransaction:
            p.from = doc.transactions.empty() ? today : doc.transactions.front().date;
            break;
        case kFromStartOfMonth:
            p.from = DateOf(1, t.month, t.year);
            break;
        case kFromFixedDay:
            p.from = o.periodFromDate;
            break;
        case kFromStartOfYear:
        default:
            p.from = DateOf(1, 1, t.year);
            break;
    }
    p.to = o.periodToChoice == kToFixedDay ? o.periodToDate : today;
    if (p.from > p.to) p.from = p.to;
    return p;
}

DisplayPeriod CommandLinePeriod(std::optional<CQRNDatum> from, std::optional<CQRNDatum> to,
                                CQRNDatum today) {
    DisplayPeriod p;
    p.to = to.value_or(today);
    p.from = from.value_or(DateOf(1, 1, p.to.Year()));
    return p;
}

}  // namespace pf

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/date.h"
#include "reports/cash_flows.h"
#include "reports/internal_rate.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;

// The rate of one security over its payments.
struct SecurityReturn {
    int32_t securityId = -1;
    std::string name;
    std::string wkn;
    std::string securityText;  // name " (" WKN ")"
    InternalRate rate;
};

// Everything the return calculation shows, in the report currency of its options.
struct ReturnsReportData {
    std::string currencyName;
    std::vector<CashFlowEntry> payments;  // in collection order
    InternalRate total;                   // over all payments ("Alle Wertpapiere")
    // One entry per security that has payments, in the order of the options ("Wertpapiere
    // sortieren nach:"). By rate, securities without a result come last in either direction,
    // above 10000 % counts as higher than every rate; equal keys keep the order in which the
    // securities first had a payment.
    std::vector<SecurityReturn> securities;
    Amount sumIn = 0.0;   // "Summe Einzahlungen", positive
    Amount sumOut = 0.0;  // "Summe Auszahlungen"
};

// The payments from `from` to `to` with the options of the return calculation
// (options.returns); with `securityFilter` only the securities of options.selectedSecurityIds.
ReturnsReportData ComputeReturnsReport(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to,
                                       bool securityFilter);

// The report "Renditeberechnung" in the appearance of the reports (options.reports), text only,
// every row white: the titles, the rates of all securities together and of each security,
// and with "Zahlungsströme anzeigen" the payments with their sums. A payment row carries the
// transaction behind it as user value kUserTransaction (-1 for start and end holdings) and its
// security as kUserSecurity; the sum rows carry 255 as kUserRowKind.
std::unique_ptr<ReportTable> BuildReturnsReport(const CFolari2Doc& doc, CQRNDatum from,
                                                CQRNDatum to, bool securityFilter);

}  // namespace pf

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/document_options.h"

namespace pf {

class CFolari2Doc;
struct CFL2Transaktion;

// Whether `text` meets a text condition of the transaction filter. A condition that is off
// matches everything. "ist gleich" compares the whole text, "enthält" looks for the condition
// anywhere in it, "beginnt mit" at its start; all three are case-sensitive and compare bytes
// (UTF-8), so an empty condition text matches only empty texts with "ist gleich" and every
// text with the other two. An unknown match mode is taken as "ist gleich".
bool MatchesFilterText(const FilterText& condition, const std::string& text);

// The rule of the filter switch of the transaction reports: which transactions the
// document's filter (options.transactionFilter with options.selectedSecurityIds) lets
// through. Each transaction is judged by the group of its type only:
// - purchases and sales: shown when "Käufe anzeigen" / "Verkäufe anzeigen" is on; with "nur
//   ausgewählte Wertpapiere" only for a selected security; the text condition on the
//   transaction's text; the amount condition on the booked amount converted into the
//   condition's currency at the transaction date (2 decimals, 0 without a rate), both bounds
//   included;
// - account movements: "Kontobewegungen anzeigen"; with "nur ausgewählte Wertpapiere" only
//   movements linked to a selected security (a movement without a security fails it); with
//   "nur ausgewählte Vorgänge" only the ticked kinds; text and amount as above;
// - splits and exchanges: "Aktiensplits anzeigen" / "Umtausche anzeigen"; with "nur
//   ausgewählte Wertpapiere" only when the split security, or either security of an
//   exchange, is selected; the text condition. A type outside the known ones counts as an
//   exchange.
// The matcher copies what it needs; the document must outlive it.
class TransactionFilterMatcher {
  public:
    explicit TransactionFilterMatcher(const CFolari2Doc& doc);
    bool Passes(const CFL2Transaktion& t) const;

  private:
    const CFolari2Doc& doc_;
    const TransactionFilter& filter_;
    std::vector<int32_t> selected_;  // sorted security ids
    std::vector<int32_t> kinds_;     // sorted movement kind ids

    bool IsSelected(int32_t securityId) const;
    bool AmountPasses(const FilterAmount& condition, const CFL2Transaktion& t) const;
};

}  // namespace pf

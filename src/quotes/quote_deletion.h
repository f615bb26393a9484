#pragma once

#include <cstdint>
#include <vector>

#include "engine/form_model.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

inline constexpr const char* kQuoteDeleteTitle = "Kurse löschen";

// Which quotes of the marked securities "Kurse löschen" removes.
enum QuoteDeleteRule : int {
    // "alle Kurse löschen, an denen sich das Wertpapier nicht im Depot befindet": every quote
    // on a day the security is not held (held: a lot began on or before the day and is still
    // open or ended after it)
    kDeleteWhereNotHeld = 0,
    kDeleteAll = 1,     // "alle Kurse löschen"
    kDeletePeriod = 2,  // "Kurse löschen für folgenden Zeitraum:": from <= date <= to
};

// Dialog "Kurse löschen".
struct QuoteDeleteForm {
    std::vector<int32_t> marked;  // the ticked securities
    int rule = kDeleteWhereNotHeld;
    CQRNDatum from;  // "von" and "bis", used by rule 2 only; from after to deletes nothing
    CQRNDatum to;

    // Nothing ticked, rule 0, both dates on `today`.
    static QuoteDeleteForm New(CQRNDatum today);
    // "alle Wertpapiere markieren".
    void MarkAll(const CFolari2Doc& doc);
    // The date pickers are enabled for rule 2 only.
    bool PeriodEnabled() const { return rule == kDeletePeriod; }

    // Always the question "Möchten Sie die Kurse wirklich löschen?" (Yes/No, title "Kurse
    // löschen"); deletion runs only after Yes.
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // Deletes by the rule, each security's quotes from the newest to the oldest, in one
    // edit (heard only when something was deleted). Returns the number deleted; an unknown
    // rule or security deletes nothing.
    int Apply(CFolari2Doc& doc) const;
    // "Es wurden %d Kurse gelöscht." (information icon, title "Kurse löschen"), also for 0.
    static Message Result(int deleted);
};

}  // namespace pf

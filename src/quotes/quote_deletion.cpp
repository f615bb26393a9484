#include "quotes/quote_deletion.h"

#include <string>

#include "engine/holdings.h"
#include "engine/position_queries.h"
#include "model/document.h"

namespace pf {

QuoteDeleteForm QuoteDeleteForm::New(CQRNDatum today) {
    QuoteDeleteForm form;
    form.from = form.to = today;
    return form;
}

void QuoteDeleteForm::MarkAll(const CFolari2Doc& doc) {
    marked.clear();
    for (const CFL2Wertpapier& s : doc.securities) marked.push_back(s.id);
}

MaybeMessage QuoteDeleteForm::Check(const CFolari2Doc&) const {
    return Message::Question(kQuoteDeleteTitle, "Möchten Sie die Kurse wirklich löschen?");
}

int QuoteDeleteForm::Apply(CFolari2Doc& doc) const {
    if (rule != kDeleteWhereNotHeld && rule != kDeleteAll && rule != kDeletePeriod) return 0;
    PositionList lots;
    if (rule == kDeleteWhereNotHeld) lots = ComputeHoldings(doc, HoldingsQuery{});
    int deleted = 0;
    doc.Edit([&] {
        for (const int32_t id : marked) {
            CFL2Wertpapier* s = doc.FindSecurity(id);
            if (s == nullptr) continue;
            for (size_t i = s->quotes.size(); i-- > 0;) {
                const CQRNDatum date = s->quotes[i].date;
                bool remove = false;
                switch (rule) {
                    case kDeleteWhereNotHeld:
                        remove = !IsHeldAt(lots, id, date);
                        break;
                    case kDeleteAll:
                        remove = true;
                        break;
                    case kDeletePeriod:
                        remove = from <= date && date <= to;
                        break;
                }
                if (remove) deleted += s->quotes.DeleteQuote(date);
            }
        }
        return deleted > 0;
    });
    return deleted;
}

Message QuoteDeleteForm::Result(int deleted) {
    return Message{kQuoteDeleteTitle,
                   "Es wurden " + std::to_string(deleted) + " Kurse gelöscht.",
                   MessageIcon::Information,
                   {}};
}

static_assert(EntryForm<QuoteDeleteForm>);

}  // namespace pf

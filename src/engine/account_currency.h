#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "engine/message.h"
#include "model/account_records.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

// The "Kontowährung" dialog: the initial account currency and the list of account-currency
// changes, edited on a copy and written back to the document on OK.
//
// A form model (see engine/form_model.h) whose buttons act on the form itself: adding a
// change is two steps, CheckAddChange returns either a refusal or the Yes/No question and
// after Yes the caller calls AddChange; deleting likewise: DeleteQuestion, then DeleteChange.
// OK has nothing to check; Apply writes the form back.
class AccountCurrencyForm {
  public:
    explicit AccountCurrencyForm(const CFolari2Doc& doc);

    // "Währung zu Beginn" and the changes, as edited so far.
    int32_t initialCurrency = 0;
    std::vector<CFL2KtoWUmst> changes;

    // The initial currency can only be chosen while no change exists.
    bool InitialCurrencyEnabled() const { return changes.empty(); }

    // The refusal (information icon) or the question (question icon) for a change to
    // `currency` from `date` on. The currency in force before `date` is that of the last
    // change (in list order) dated before it, else the initial currency.
    Message CheckAddChange(const CFolari2Doc& doc, CQRNDatum date, int32_t currency) const;
    // Inserts the change after every change dated before `date`. Call only after
    // CheckAddChange gave the question and the user answered Yes.
    void AddChange(CQRNDatum date, int32_t currency);

    // "Währungsumstellung am ... löschen?" for the change at `index`; nothing for an index
    // outside the list.
    MaybeMessage DeleteQuestion(size_t index) const;
    // Removes the change at `index`; an index outside the list changes nothing.
    void DeleteChange(size_t index);

    // The list rows: "Umstellungsdatum" (day.month.year) and "Umstellung auf" (currency name).
    struct Row {
        std::string date;
        std::string currencyName;
    };
    std::vector<Row> Rows(const CFolari2Doc& doc) const;

    // OK: every choice comes from a list, so nothing is refused.
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // OK: WriteBack.
    bool Apply(CFolari2Doc& doc) const { return WriteBack(doc); }
    // The document operation of OK: the initial currency and the changes replace the
    // document's, as one edit (also when they are the same). Returns true.
    bool WriteBack(CFolari2Doc& doc) const;

    // The currencies both boxes offer: the fixed-rate ones, in list order.
    static std::vector<int32_t> Currencies(const CFolari2Doc& doc);
};

}  // namespace pf

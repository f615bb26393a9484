#include "engine/movement_form.h"

#include <algorithm>

#include "engine/number_entry.h"
#include "engine/transaction_editor.h"
#include "model/document.h"

namespace pf {

namespace {

Message Refusal(const char* text, const char* field) {
    return Message::Refusal(kMovementTitle, text, field);
}

// The currency box lists the fixed-rate currencies (the base currency counts as one).
bool Offered(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr && (c->id == kBaseCurrencyId || c->isFixed != 0);
}

MaybeMessage Evaluate(const MovementForm& form, const CFolari2Doc& doc, MovementFields& out,
                      PositionList& lots) {
    // A file may come without any kind; without this the entry would fail without a word.
    if (doc.FindAccountMovementKind(form.kindId) == nullptr)
        return Refusal("Bitte wählen Sie einen Vorgang aus!", kMovementKindField);
    if (!Offered(doc, form.currencyId))
        return Refusal("Bitte wählen Sie eine Währung aus!", kMovementCurrencyField);
    const std::optional<double> amount = ParseAmountSum(form.amount, NumberFormatOf(doc.options));
    if (!amount)
        return Refusal("Bitte geben Sie einen korrekten Betrag ein!", kMovementAmountField);
    if (IsZeroAmount(*amount))
        return Refusal("Bitte geben Sie einen Betrag ungleich Null ein!", kMovementAmountField);

    out.date = form.date;
    out.kindId = form.kindId;
    out.amount = *amount;
    out.currencyId = form.currencyId;
    out.text = form.text;
    out.allocKind = form.allocKind;
    const PositionList holdings = form.Holdings(doc);
    out.linked = form.linked && LinkEnabled(doc, form.kindId, holdings);
    out.securityId = -1;
    lots.clear();
    if (!out.linked) return std::nullopt;

    if (form.nameSecurityId == -1)
        return Refusal("Bitte wählen Sie eine Wertpapierbezeichnung aus!", kMovementNameField);
    if (form.codeSecurityId == -1)
        return Refusal("Bitte wählen Sie eine Wertpapier-Kennnummer aus!", kMovementCodeField);
    out.securityId = form.nameSecurityId;
    lots = AllocationLots(holdings, out.securityId);
    Allocate(lots, form.automatic, form.manual);
    const bool allocated = std::any_of(
        lots.begin(), lots.end(), [](const CFL2DepotPos& lot) { return lot.selectedQuantity > 0; });
    if (!allocated)
        return Refusal("Bitte ordnen Sie den Betrag den Wertpapierpositionen zu!",
                       kMovementAllocateField);
    return std::nullopt;
}

}  // namespace

MovementForm MovementForm::New(const CFolari2Doc& doc, CQRNDatum today) {
    MovementForm form;
    form.date = doc.NewTransactionDate(today);
    if (!doc.accountMovementKinds.empty()) form.kindId = doc.accountMovementKinds.front().id;
    form.currencyId = doc.AccountCurrencyAt(form.date);
    return form;
}

MovementForm MovementForm::ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    const CFL2Transaktion* t = doc.FindTransaction(id);
    if (t == nullptr || t->type != TransactionType::AccountMovement) return New(doc, today);
    MovementForm form;
    form.date = t->date;
    form.kindId = t->otherId;
    form.currencyId = t->currency2;
    form.amount =
        FormatDecimal(t->amount, NumberFormatOf(doc.options), kAmountDecimals, kAmountDecimals);
    form.text = t->text;
    form.linked = t->linkFlag != 0 && t->securityId != -1;
    if (form.linked) form.nameSecurityId = form.codeSecurityId = t->securityId;
    form.allocKind = t->allocKind;
    form.automatic = false;
    form.manual = EarlierSelection(*t);
    form.editedId = id;
    return form;
}

PositionList MovementForm::Holdings(const CFolari2Doc& doc) const {
    return MovementHoldings(doc, date, editedId);
}

bool MovementForm::LinkEnabled(const CFolari2Doc& doc) const {
    return pf::LinkEnabled(doc, kindId, Holdings(doc));
}

PositionList MovementForm::Lots(const CFolari2Doc& doc) const {
    PositionList lots = AllocationLots(Holdings(doc), nameSecurityId);
    Allocate(lots, automatic, manual);
    return lots;
}

std::string MovementForm::CalculationLine(const CFolari2Doc& doc) const {
    return MovementCalculationLine(doc, date, kindId, currencyId, amount);
}

MaybeMessage MovementForm::Check(const CFolari2Doc& doc) const {
    MovementFields fields;
    PositionList lots;
    return Evaluate(*this, doc, fields, lots);
}

std::optional<MovementFields> MovementForm::Values(const CFolari2Doc& doc) const {
    MovementFields fields;
    PositionList lots;
    if (Evaluate(*this, doc, fields, lots)) return std::nullopt;
    return fields;
}

int32_t MovementForm::Apply(CFolari2Doc& doc) const {
    MovementFields fields;
    PositionList lots;
    if (Evaluate(*this, doc, fields, lots)) return -1;
    if (editedId == -1) return AddMovement(doc, fields, lots);
    return ChangeMovement(doc, editedId, fields, lots) ? editedId : -1;
}

static_assert(EntryForm<MovementForm>);

}  // namespace pf

#include "engine/account_currency.h"

#include "model/document.h"

namespace pf {

namespace {

constexpr const char* kTitle = "Kontowährung";

std::string CurrencyName(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr ? c->name : std::string();
}

}  // namespace

AccountCurrencyForm::AccountCurrencyForm(const CFolari2Doc& doc)
    : initialCurrency(doc.initialAccountCurrencyId), changes(doc.accountCurrencyChanges) {}

Message AccountCurrencyForm::CheckAddChange(const CFolari2Doc& doc, CQRNDatum date,
                                            int32_t currency) const {
    int32_t inForce = initialCurrency;
    for (const CFL2KtoWUmst& change : changes) {
        if (change.date == date)
            return {kTitle, "An diesem Datum wurde die Kontowährung bereits umgestellt!",
                    MessageIcon::Information, ""};
        if (change.date < date) inForce = change.currencyId;
    }
    const std::string name = CurrencyName(doc, currency);
    if (inForce == currency)
        return Message::Refusal(kTitle,
                                "An diesem Datum wird das Konto bereits in " + name + " geführt!");
    return Message::Question(kTitle, "Möchten Sie die Kontowährung ab " + date.FormatLong() +
                                         " auf " + name + " umstellen?");
}

void AccountCurrencyForm::AddChange(CQRNDatum date, int32_t currency) {
    size_t at = 0;
    for (size_t i = 0; i < changes.size(); ++i)
        if (changes[i].date < date) at = i + 1;
    changes.insert(changes.begin() + static_cast<std::ptrdiff_t>(at), CFL2KtoWUmst{currency, date});
}

MaybeMessage AccountCurrencyForm::DeleteQuestion(size_t index) const {
    if (index >= changes.size()) return std::nullopt;
    return Message{kTitle,
                   "Währungsumstellung am " + changes[index].date.FormatLong() + " löschen?",
                   MessageIcon::Question, ""};
}

void AccountCurrencyForm::DeleteChange(size_t index) {
    if (index >= changes.size()) return;
    changes.erase(changes.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<AccountCurrencyForm::Row> AccountCurrencyForm::Rows(const CFolari2Doc& doc) const {
    std::vector<Row> rows;
    rows.reserve(changes.size());
    for (const CFL2KtoWUmst& change : changes)
        rows.push_back({change.date.FormatLong(), CurrencyName(doc, change.currencyId)});
    return rows;
}

MaybeMessage AccountCurrencyForm::Check(const CFolari2Doc&) const { return std::nullopt; }

bool AccountCurrencyForm::WriteBack(CFolari2Doc& doc) const {
    return doc.Edit([&] {
        doc.initialAccountCurrencyId = initialCurrency;
        doc.accountCurrencyChanges = changes;
    });
}

std::vector<int32_t> AccountCurrencyForm::Currencies(const CFolari2Doc& doc) {
    std::vector<int32_t> ids;
    for (const CFL2Waehrung& c : doc.currencies)
        if (c.id == kBaseCurrencyId || c.isFixed != 0) ids.push_back(c.id);
    return ids;
}

static_assert(EntryForm<AccountCurrencyForm>);

}  // namespace pf

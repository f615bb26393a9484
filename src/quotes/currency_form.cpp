#include "quotes/currency_form.h"

#include <optional>

#include "engine/number_entry.h"
#include "engine/trade_entry.h"
#include "model/document.h"
#include "quotes/price_entry.h"

namespace pf {

namespace {

Message Refusal(const char* text, const char* field) {
    return Message::Refusal(kNewCurrencyTitle, text, field);
}

std::string FixedRateText(double rate, const NumberFormat& format) {
    return FormatDecimal(rate, format, kPriceMinDecimals, kPriceMaxDecimals);
}

std::string SymbolOf(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr ? c->symbol : std::string();
}

// Whether a variable currency other than `id` names `id` as its reference.
bool IsReferenceOfVariable(const CFolari2Doc& doc, int32_t id) {
    for (const CFL2Waehrung& c : doc.currencies)
        if (c.id != id && c.isFixed == 0 && c.referenceCurrencyId == id) return true;
    return false;
}

// Whether `id` is the settlement account's currency at some time or the account side of a
// transaction; the account is kept in fixed-rate currencies only.
bool IsAccountCurrency(const CFolari2Doc& doc, int32_t id) {
    if (doc.initialAccountCurrencyId == id) return true;
    for (const CFL2KtoWUmst& change : doc.accountCurrencyChanges)
        if (change.currencyId == id) return true;
    for (const CFL2Transaktion& t : doc.transactions)
        if (t.currency2 == id) return true;
    return false;
}

struct Checked {
    double fixedRate1 = -1.0;
    double fixedRate2 = -1.0;
};

MaybeMessage Evaluate(const CurrencyForm& form, const CFolari2Doc& doc, Checked& out) {
    const CFL2Waehrung* edited = nullptr;
    if (form.editedId != -1) {
        edited = doc.FindCurrency(form.editedId);
        if (edited == nullptr)
            return Refusal("Diese Währung existiert nicht mehr!", kCurrencySymbolField);
    }
    const bool fixed = form.fixed || form.EditsBaseCurrency();
    if (fixed && !form.EditsBaseCurrency()) {
        const NumberFormat format = NumberFormatOf(doc.options);
        const std::optional<double> r1 = ParseDecimal(form.fixedRate1, format, kPriceMaxDecimals);
        if (!r1) return Refusal("Bitte geben Sie einen Wechselkurs ein!", kCurrencyFixedRate1Field);
        const std::optional<double> r2 = ParseDecimal(form.fixedRate2, format, kPriceMaxDecimals);
        if (!r2) return Refusal("Bitte geben Sie einen Wechselkurs ein!", kCurrencyFixedRate2Field);
        if (IsZeroRate(*r1))
            return Refusal("Bitte geben Sie einen Wert größer Null an!", kCurrencyFixedRate1Field);
        if (IsZeroRate(*r2))
            return Refusal("Bitte geben Sie einen Wert größer Null an!", kCurrencyFixedRate2Field);
        out.fixedRate1 = *r1;
        out.fixedRate2 = *r2;
    }
    if (!fixed) {
        if (edited != nullptr && edited->isFixed != 0 && IsReferenceOfVariable(doc, edited->id))
            return Refusal(
                "Diese Währung ist die Bezugswährung einer Währung mit variablem Kurs und muss "
                "einen festen Kurs behalten!",
                kCurrencyRateKindField);
        if (edited != nullptr && edited->isFixed != 0 && IsAccountCurrency(doc, edited->id))
            return Refusal(
                "Diese Währung wird als Kontowährung verwendet und muss einen festen Kurs "
                "behalten!",
                kCurrencyRateKindField);
        bool offered = false;
        for (const CurrencyChoice& choice : form.ReferenceChoices(doc))
            offered = offered || choice.id == form.referenceId;
        if (!offered)
            return Refusal("Bitte wählen Sie eine Bezugswährung aus!", kCurrencyReferenceField);
    }
    if (form.symbol.empty())
        return Refusal("Bitte geben Sie ein Symbol für die Währung ein!", kCurrencySymbolField);
    const CFL2Waehrung* same = doc.FindCurrencyBySymbol(form.symbol);
    if (same != nullptr && same->id != form.editedId)
        return Refusal("Eine Währung mit diesem Symbol existiert bereits!", kCurrencySymbolField);
    if (MaybeMessage m =
            CheckStorableText(form.symbol, "Symbol", kNewCurrencyTitle, kCurrencySymbolField))
        return m;
    return CheckStorableText(form.name, "Bezeichnung", kNewCurrencyTitle, kCurrencyNameField);
}

}  // namespace

CurrencyForm CurrencyForm::New(const CFolari2Doc& doc) {
    CurrencyForm form;
    form.fixedRate1 = form.fixedRate2 = FixedRateText(1.0, NumberFormatOf(doc.options));
    form.referenceId = kBaseCurrencyId;
    form.quoteFormat = kUnitsPerReference;
    return form;
}

CurrencyForm CurrencyForm::ForEdit(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    if (c == nullptr) return New(doc);
    const NumberFormat format = NumberFormatOf(doc.options);
    CurrencyForm form;
    form.editedId = id;
    form.symbol = c->symbol;
    form.name = c->name;
    form.fixed = c->isFixed != 0 || id == kBaseCurrencyId;
    form.fixedRate1 = FixedRateText(c->fixedRate1, format);
    form.fixedRate2 = FixedRateText(c->fixedRate2, format);
    // A fixed currency keeps the base currency preselected should it become variable.
    form.referenceId = form.fixed ? kBaseCurrencyId : c->referenceCurrencyId;
    form.quoteFormat = c->quoteFormat;
    return form;
}

std::string CurrencyForm::Title() const {
    return editedId == -1 ? kNewCurrencyTitle : kEditCurrencyTitle;
}

std::vector<CurrencyChoice> CurrencyForm::ReferenceChoices(const CFolari2Doc& doc) const {
    std::vector<CurrencyChoice> choices;
    for (const CFL2Waehrung& c : doc.currencies)
        if ((c.isFixed != 0 || c.id == kBaseCurrencyId) && c.id != editedId)
            choices.push_back({c.id, c.symbol});
    return choices;
}

std::string CurrencyForm::QuoteFormatLabel(const CFolari2Doc& doc, int format) const {
    const std::string reference = SymbolOf(doc, referenceId);
    if (format == kReferencePerUnit) return "&1 " + symbol + " = x,xx " + reference;
    return "&x,xx " + symbol + " = 1 " + reference;
}

std::string CurrencyForm::BaseSymbol(const CFolari2Doc& doc) {
    return SymbolOf(doc, kBaseCurrencyId);
}

MaybeMessage CurrencyForm::Check(const CFolari2Doc& doc) const {
    Checked values;
    return Evaluate(*this, doc, values);
}

int32_t CurrencyForm::Apply(CFolari2Doc& doc) const {
    Checked v;
    if (Evaluate(*this, doc, v)) return -1;
    const bool isFixed = fixed || EditsBaseCurrency();
    int32_t id = -1;
    doc.Edit([&] {
        if (editedId == -1) {
            id = doc.AddCurrency(symbol, name, isFixed, v.fixedRate1, v.fixedRate2, referenceId,
                                 quoteFormat)
                     .id;
        } else {
            const CFL2Waehrung before = *doc.FindCurrency(editedId);
            if (doc.ModifyCurrency(editedId, symbol, name, isFixed, v.fixedRate1, v.fixedRate2,
                                   referenceId, quoteFormat) != DocResult::Ok)
                return false;
            id = editedId;
            // Purchases and sales in a fixed-rate currency carry its rate pair: a new fixed
            // rate is taken into them. A currency that only now becomes fixed keeps the rates
            // its transactions were entered with.
            const CFL2Waehrung& after = *doc.FindCurrency(editedId);
            if (before.isFixed != 0 && after.isFixed != 0 &&
                (before.fixedRate1 != after.fixedRate1 || before.fixedRate2 != after.fixedRate2))
                RecomputeForFixedRate(doc, editedId);
        }
        return id != -1;
    });
    return id;
}

std::vector<CurrencyEditorRow> CurrencyEditorRows(const CFolari2Doc& doc, CQRNDatum date) {
    const NumberFormat format = NumberFormatOf(doc.options);
    auto oneOrRate = [&](double rate) {
        return rate == 1.0 ? std::string("1") : FixedRateText(rate, format);
    };
    const std::string base = CurrencyForm::BaseSymbol(doc);
    std::vector<CurrencyEditorRow> rows;
    for (const CFL2Waehrung& c : doc.currencies) {
        CurrencyEditorRow row{c.id, c.symbol, c.name, {}, {}};
        if (c.id == kBaseCurrencyId) {
            row.type = "Hauptwährung";
        } else if (c.isFixed != 0) {
            row.type = "fester Kurs";
            row.rate = oneOrRate(c.fixedRate1) + " " + c.symbol + " = " + oneOrRate(c.fixedRate2) +
                       " " + base;
        } else {
            row.type = "variabler Kurs";
            const std::string rate = RateText(c.RateAt(date), format);
            const std::string reference = SymbolOf(doc, c.referenceCurrencyId);
            row.rate = c.quoteFormat == kReferencePerUnit
                           ? "1 " + c.symbol + " = " + rate + " " + reference
                           : rate + " " + c.symbol + " = 1 " + reference;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

MaybeMessage CurrencyDeleteForm::Check(const CFolari2Doc& doc) const {
    if (doc.FindCurrency(currencyId) == nullptr || doc.CurrencyInUse(currencyId))
        return Message::Refusal(kCurrencyEditorTitle, "Diese Währung kann nicht gelöscht werden!");
    return Message::Question(kCurrencyEditorTitle, "Möchten Sie diese Währung wirklich löschen?");
}

bool CurrencyDeleteForm::Apply(CFolari2Doc& doc) const {
    if (IsRefusal(Check(doc))) return false;
    return doc.Edit([&] { return doc.DeleteCurrency(currencyId); });
}

static_assert(EntryForm<CurrencyForm>);
static_assert(EntryForm<CurrencyDeleteForm>);

}  // namespace pf

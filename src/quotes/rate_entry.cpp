#include "quotes/rate_entry.h"

#include <algorithm>
#include <optional>

#include "engine/number_entry.h"
#include "model/document.h"
#include "quotes/price_entry.h"

namespace pf {

namespace {

bool IsVariable(const CFL2Waehrung* c) {
    return c != nullptr && c->id != kBaseCurrencyId && c->isFixed == 0;
}

std::string StoredRate(const CFolari2Doc& doc, const CFL2Waehrung& c, CQRNDatum date) {
    double value = 0.0;
    if (c.rates.QuoteOn(date, value) == 0) return {};
    return RateText(value, NumberFormatOf(doc.options));
}

// A typed rate that may be stored: readable and above 0 at 7 decimals.
std::optional<double> UsableRate(const std::string& text, const CFolari2Doc& doc) {
    const std::optional<double> rate = ParseEntryPrice(text, NumberFormatOf(doc.options));
    if (!rate || IsZeroRate(*rate)) return std::nullopt;
    return rate;
}

}  // namespace

std::vector<int32_t> RateEntryCurrencies(const CFolari2Doc& doc, int order) {
    std::vector<const CFL2Waehrung*> listed;
    for (const CFL2Waehrung& c : doc.currencies)
        if (IsVariable(&c)) listed.push_back(&c);
    std::stable_sort(listed.begin(), listed.end(),
                     [order](const CFL2Waehrung* a, const CFL2Waehrung* b) {
                         return order == kRatesByName ? LessIgnoringCase(a->name, b->name)
                                                      : LessIgnoringCase(a->symbol, b->symbol);
                     });
    std::vector<int32_t> ids;
    for (const CFL2Waehrung* c : listed) ids.push_back(c->id);
    return ids;
}

RateEntryPages RateEntryPages::Open(const CFolari2Doc& doc, CQRNDatum date) {
    RateEntryPages pages;
    pages.date = date;
    pages.Rebuild(doc);
    return pages;
}

void RateEntryPages::Rebuild(const CFolari2Doc& doc) {
    currencies = RateEntryCurrencies(doc, order);
    page = std::clamp(page, 0, PageCount() - 1);
    FillRows(doc);
}

int RateEntryPages::PageCount() const { return PageCountOf(currencies.size(), kRateRowsPerPage); }

std::string RateEntryPages::PageLine() const { return PageLineOf(page, PageCount()); }

void RateEntryPages::Next(const CFolari2Doc& doc) {
    page = NextPage(page, PageCount());
    FillRows(doc);
}

void RateEntryPages::Previous(const CFolari2Doc& doc) {
    page = PreviousPage(page, PageCount());
    FillRows(doc);
}

void RateEntryPages::FillRows(const CFolari2Doc& doc) {
    rows.clear();
    const size_t first = static_cast<size_t>(page) * kRateRowsPerPage;
    for (size_t i = first; i < currencies.size() && i < first + kRateRowsPerPage; ++i) {
        const CFL2Waehrung* c = doc.FindCurrency(currencies[i]);
        if (c == nullptr) continue;
        RateEntryRow row;
        row.currencyId = c->id;
        row.name = c->name;
        row.rateOnLeft = c->quoteFormat != kReferencePerUnit;
        row.left = row.right = "1";
        row.Rate() = StoredRate(doc, *c, date);
        row.symbolLine = c->symbol + "  =";
        const CFL2Waehrung* reference = doc.FindCurrency(c->referenceCurrencyId);
        row.reference = reference != nullptr ? reference->symbol : std::string();
        rows.push_back(std::move(row));
    }
}

bool RateEntryPages::LeaveRate(CFolari2Doc& doc, size_t row) {
    if (row >= rows.size()) return false;
    RateEntryRow& r = rows[row];
    CFL2Waehrung* c = doc.FindCurrency(r.currencyId);
    if (!IsVariable(c)) return false;
    bool edited = false;
    if (IsBlankEntry(r.Rate())) {
        edited = doc.Edit([&] { return c->rates.DeleteQuote(date) != 0; });
    } else if (const std::optional<double> rate = UsableRate(r.Rate(), doc)) {
        edited = doc.Edit([&] { return c->rates.SetQuote(date, *rate) != 0; });
    }
    r.Rate() = StoredRate(doc, *c, date);
    changed = changed || edited;
    return edited;
}

MaybeMessage RateForm::Check(const CFolari2Doc& doc) const {
    if (!IsVariable(doc.FindCurrency(currencyId)))
        return Message::Refusal(kRateEntryTitle,
                                "Bitte wählen Sie eine Währung mit variablem Kurs aus!",
                                kRateCurrencyField);
    if (IsBlankEntry(rate)) return std::nullopt;
    const std::optional<double> value = ParseEntryPrice(rate, NumberFormatOf(doc.options));
    if (!value)
        return Message::Refusal(kRateEntryTitle, "Bitte geben Sie einen korrekten Wechselkurs ein!",
                                kRateField);
    if (IsZeroRate(*value))
        return Message::Refusal(kRateEntryTitle, "Bitte geben Sie einen Wert größer Null an!",
                                kRateField);
    return std::nullopt;
}

bool RateForm::Apply(CFolari2Doc& doc) const {
    if (Check(doc)) return false;
    CFL2Waehrung* c = doc.FindCurrency(currencyId);
    if (IsBlankEntry(rate)) return doc.Edit([&] { return c->rates.DeleteQuote(date) != 0; });
    const double value = *UsableRate(rate, doc);
    return doc.Edit([&] { return c->rates.SetQuote(date, value) != 0; });
}

static_assert(EntryForm<RateForm>);

}  // namespace pf

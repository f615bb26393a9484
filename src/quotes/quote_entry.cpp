#include "quotes/quote_entry.h"

#include <algorithm>

#include "engine/holdings.h"
#include "engine/number_entry.h"
#include "engine/position_queries.h"
#include "model/document.h"
#include "quotes/price_entry.h"

namespace pf {

namespace {

const std::string& KeyOf(const CFL2Wertpapier& s, int key) {
    switch (key) {
        case kKeyWkn:
            return s.wkn;
        case kKeyIsin:
            return s.isin;
        default:
            return s.name;
    }
}

std::string CurrencySymbol(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr ? c->symbol : std::string();
}

// The stored quote at exactly `date` as the field shows it, or empty.
std::string StoredText(const CFolari2Doc& doc, const CFL2Wertpapier& s, CQRNDatum date) {
    double value = 0.0;
    if (s.quotes.QuoteOn(date, value) == 0) return {};
    return QuoteText(value, NumberFormatOf(doc.options));
}

}  // namespace

std::vector<int32_t> QuoteEntrySecurities(const CFolari2Doc& doc, CQRNDatum date, int filter,
                                          int order) {
    PositionList lots;
    if (filter == kHeldSecurities) lots = ComputeHoldings(doc, HoldingsQuery{});
    const auto& selected = doc.options.selectedSecurityIds;
    std::vector<const CFL2Wertpapier*> listed;
    for (const CFL2Wertpapier& s : doc.securities) {
        if (s.noManualQuotes != 0) continue;
        if (filter == kHeldSecurities && !IsHeldAt(lots, s.id, date)) continue;
        if (filter == kSelectedSecurities &&
            std::find(selected.begin(), selected.end(), s.id) == selected.end())
            continue;
        listed.push_back(&s);
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [order](const CFL2Wertpapier* a, const CFL2Wertpapier* b) {
                         return LessIgnoringCase(KeyOf(*a, order), KeyOf(*b, order));
                     });
    std::vector<int32_t> ids;
    for (const CFL2Wertpapier* s : listed) ids.push_back(s->id);
    return ids;
}

QuoteEntryPages QuoteEntryPages::Open(const CFolari2Doc& doc, CQRNDatum date, int32_t securityId) {
    QuoteEntryPages pages;
    pages.date = date;
    pages.Rebuild(doc);
    const auto at = std::find(pages.securities.begin(), pages.securities.end(), securityId);
    if (securityId != -1 && at != pages.securities.end()) {
        const auto index = static_cast<int>(at - pages.securities.begin());
        pages.page = index / kQuoteRowsPerPage;
        pages.focusRow = index % kQuoteRowsPerPage;
        pages.FillRows(doc);
    }
    return pages;
}

void QuoteEntryPages::Rebuild(const CFolari2Doc& doc) {
    securities = QuoteEntrySecurities(doc, date, filter, order);
    page = std::clamp(page, 0, PageCount() - 1);
    FillRows(doc);
}

int QuoteEntryPages::PageCount() const { return PageCountOf(securities.size(), kQuoteRowsPerPage); }

std::string QuoteEntryPages::PageLine() const { return PageLineOf(page, PageCount()); }

void QuoteEntryPages::Next(const CFolari2Doc& doc) {
    page = NextPage(page, PageCount());
    FillRows(doc);
}

void QuoteEntryPages::Previous(const CFolari2Doc& doc) {
    page = PreviousPage(page, PageCount());
    FillRows(doc);
}

void QuoteEntryPages::FillRows(const CFolari2Doc& doc) {
    rows.clear();
    const size_t first = static_cast<size_t>(page) * kQuoteRowsPerPage;
    for (size_t i = first; i < securities.size() && i < first + kQuoteRowsPerPage; ++i) {
        const CFL2Wertpapier* s = doc.FindSecurity(securities[i]);
        if (s == nullptr) continue;
        rows.push_back({s->id, KeyOf(*s, label), StoredText(doc, *s, date),
                        CurrencySymbol(doc, s->quoteCurrencyId)});
    }
}

bool QuoteEntryPages::LeavePrice(CFolari2Doc& doc, size_t row) {
    if (row >= rows.size()) return false;
    QuoteEntryRow& r = rows[row];
    CFL2Wertpapier* s = doc.FindSecurity(r.securityId);
    if (s == nullptr) return false;
    bool edited = false;
    if (IsBlankEntry(r.price)) {
        edited = doc.Edit([&] { return s->quotes.DeleteQuote(date) != 0; });
    } else if (const std::optional<double> price =
                   ParseEntryPrice(r.price, NumberFormatOf(doc.options))) {
        edited = doc.Edit([&] { return s->quotes.SetQuote(date, *price) != 0; });
    }
    r.price = StoredText(doc, *s, date);
    changed = changed || edited;
    return edited;
}

MaybeMessage QuoteForm::Check(const CFolari2Doc& doc) const {
    if (doc.FindSecurity(securityId) == nullptr)
        return Message::Refusal(kQuoteEntryTitle, "Bitte wählen Sie ein Wertpapier aus!",
                                kQuoteSecurityField);
    if (!IsBlankEntry(price) && !ParseEntryPrice(price, NumberFormatOf(doc.options)))
        return Message::Refusal(kQuoteEntryTitle, "Bitte geben Sie einen korrekten Kurs ein!",
                                kQuotePriceField);
    return std::nullopt;
}

bool QuoteForm::Apply(CFolari2Doc& doc) const {
    if (Check(doc)) return false;
    CFL2Wertpapier* s = doc.FindSecurity(securityId);
    if (IsBlankEntry(price)) return doc.Edit([&] { return s->quotes.DeleteQuote(date) != 0; });
    const double value = *ParseEntryPrice(price, NumberFormatOf(doc.options));
    return doc.Edit([&] { return s->quotes.SetQuote(date, value) != 0; });
}

static_assert(EntryForm<QuoteForm>);

}  // namespace pf

#include "shell/transaction_filter_form.h"

#include <algorithm>
#include <optional>
#include <set>

#include "engine/form_model.h"
#include "engine/number_entry.h"
#include "model/document.h"

namespace pf {

namespace {

constexpr const char* kAttributeNames[] = {"Typ", "Branche", "Land", "Index/Marktsegment"};

const std::string& AttributeOf(const TransactionFilterForm::SecurityRow& row, int attribute) {
    switch (attribute) {
        case 0:
            return row.type;
        case 1:
            return row.sector;
        case 2:
            return row.country;
        default:
            return row.index;
    }
}

bool Contains(const std::vector<int32_t>& ids, int32_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TransactionFilterForm::TextCondition TextFrom(const FilterText& t) {
    return {t.active != 0, t.match, t.text};
}

TransactionFilterForm::AmountCondition AmountFrom(const FilterAmount& a,
                                                  const NumberFormat& format) {
    return {a.active != 0, FormatDecimal(a.from, format, kAmountDecimals, kAmountDecimals),
            FormatDecimal(a.to, format, kAmountDecimals, kAmountDecimals), a.currencyId};
}

FilterText TextTo(const TransactionFilterForm::TextCondition& t) {
    return {t.active ? 1 : 0, t.match, t.text};
}

// An amount that does not read keeps `stored` (Check has refused it when it counts).
FilterAmount AmountTo(const TransactionFilterForm::AmountCondition& a, const FilterAmount& stored,
                      const NumberFormat& format) {
    FilterAmount result = stored;
    result.active = a.active ? 1 : 0;
    if (const std::optional<double> from = ParseAmountSum(a.from, format)) result.from = *from;
    if (const std::optional<double> to = ParseAmountSum(a.to, format)) result.to = *to;
    result.currencyId = a.currencyId;
    return result;
}

MaybeMessage CheckAmounts(const TransactionFilterForm::AmountCondition& a, bool counts,
                          const NumberFormat& format, const char* fromField, const char* toField) {
    if (!counts || !a.active) return std::nullopt;
    for (const auto& [text, field] : {std::pair{&a.from, fromField}, std::pair{&a.to, toField}})
        if (!ParseAmountSum(*text, format))
            return Message::Refusal(kTransactionFilterTitle,
                                    "Bitte geben Sie einen korrekten Betrag ein!", field);
    return std::nullopt;
}

}  // namespace

std::vector<std::string> FilterTextMatchNames() { return {"ist gleich", "enthält", "beginnt mit"}; }

TransactionFilterForm TransactionFilterForm::FromDocument(const CFolari2Doc& doc) {
    const TransactionFilter& f = doc.options.transactionFilter;
    const NumberFormat format = NumberFormatOf(doc.options);
    TransactionFilterForm form;
    form.showPurchases = f.showPurchases != 0;
    form.showSales = f.showSales != 0;
    form.tradesOnlySelected = f.tradesOnlySelected != 0;
    form.tradesText = TextFrom(f.tradesText);
    form.tradesAmount = AmountFrom(f.tradesAmount, format);
    form.showMovements = f.showMovements != 0;
    form.movementsOnlySelected = f.movementsOnlySelected != 0;
    form.movementsOnlySelectedKinds = f.movementsOnlySelectedKinds != 0;
    for (const CFL2KontoVorgang& k : doc.accountMovementKinds)
        form.kinds.push_back({k.id, k.name, Contains(f.movementKindIds, k.id)});
    form.movementsText = TextFrom(f.movementsText);
    form.movementsAmount = AmountFrom(f.movementsAmount, format);
    form.showSplits = f.showSplits != 0;
    form.showExchanges = f.showExchanges != 0;
    form.corporateOnlySelected = f.corporateOnlySelected != 0;
    form.corporateText = TextFrom(f.corporateText);

    for (const CFL2Wertpapier& s : doc.securities)
        form.securities.push_back({s.id, s.name + " (" + s.wkn + ")",
                                   Contains(doc.options.selectedSecurityIds, s.id), s.type,
                                   s.sector, s.country, s.index});
    for (const CFL2Waehrung& c : doc.currencies) form.currencies.push_back({c.id, c.name});

    // "Alle Wertpapiere", then per attribute its values in byte order, the securities
    // without an entry last.
    form.choices.push_back({"Alle Wertpapiere", -1, {}});
    for (int attribute = 0; attribute < 4; ++attribute) {
        std::set<std::string> values;
        bool anyEmpty = false;
        for (const SecurityRow& row : form.securities) {
            const std::string& value = AttributeOf(row, attribute);
            if (value.empty())
                anyEmpty = true;
            else
                values.insert(value);
        }
        const std::string name = kAttributeNames[attribute];
        for (const std::string& value : values)
            form.choices.push_back({name + ": " + value, attribute, value});
        if (anyEmpty) form.choices.push_back({name + ": (kein Eintrag)", attribute, {}});
    }
    return form;
}

void TransactionFilterForm::Choose(size_t choice, bool check) {
    if (choice >= choices.size()) return;
    const Choice& c = choices[choice];
    for (SecurityRow& row : securities)
        if (c.attribute < 0 || AttributeOf(row, c.attribute) == c.value) row.checked = check;
}

MaybeMessage TransactionFilterForm::Check(const CFolari2Doc& doc) const {
    const NumberFormat format = NumberFormatOf(doc.options);
    if (MaybeMessage m = CheckStorableText(tradesText.text, "Text", kTransactionFilterTitle,
                                           kFilterTradesTextField))
        return m;
    if (MaybeMessage m = CheckAmounts(tradesAmount, TradesEnabled(), format, kFilterTradesFromField,
                                      kFilterTradesToField))
        return m;
    if (MaybeMessage m = CheckStorableText(movementsText.text, "Text", kTransactionFilterTitle,
                                           kFilterMovementsTextField))
        return m;
    if (MaybeMessage m = CheckAmounts(movementsAmount, MovementsEnabled(), format,
                                      kFilterMovementsFromField, kFilterMovementsToField))
        return m;
    return CheckStorableText(corporateText.text, "Text", kTransactionFilterTitle,
                             kFilterCorporateTextField);
}

bool TransactionFilterForm::ApplyTo(CFolari2Doc& doc) const {
    if (Check(doc)) return false;
    const NumberFormat format = NumberFormatOf(doc.options);
    const TransactionFilter& stored = doc.options.transactionFilter;
    TransactionFilter f;
    f.showPurchases = showPurchases ? 1 : 0;
    f.showSales = showSales ? 1 : 0;
    f.tradesOnlySelected = tradesOnlySelected ? 1 : 0;
    f.tradesText = TextTo(tradesText);
    f.tradesAmount = AmountTo(tradesAmount, stored.tradesAmount, format);
    f.showMovements = showMovements ? 1 : 0;
    f.movementsOnlySelected = movementsOnlySelected ? 1 : 0;
    f.movementsOnlySelectedKinds = movementsOnlySelectedKinds ? 1 : 0;
    for (const KindRow& k : kinds)
        if (k.checked) f.movementKindIds.push_back(k.id);
    f.movementsText = TextTo(movementsText);
    f.movementsAmount = AmountTo(movementsAmount, stored.movementsAmount, format);
    f.showSplits = showSplits ? 1 : 0;
    f.showExchanges = showExchanges ? 1 : 0;
    f.corporateOnlySelected = corporateOnlySelected ? 1 : 0;
    f.corporateText = TextTo(corporateText);
    std::vector<int32_t> selected;
    for (const SecurityRow& row : securities)
        if (row.checked) selected.push_back(row.id);

    return doc.Edit([&](CFolari2Doc& d) {
        if (d.options.transactionFilter == f && d.options.selectedSecurityIds == selected)
            return false;
        d.options.transactionFilter = std::move(f);
        d.options.selectedSecurityIds = std::move(selected);
        return true;
    });
}

}  // namespace pf

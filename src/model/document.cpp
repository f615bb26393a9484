#include "model/document.h"

#include <algorithm>
#include <cstdio>

#include "model/currency_conversion.h"

namespace pf {

namespace {

// The former national currencies of the euro area, in the order of the wizard's bit mask.
constexpr LegacyCurrency kLegacyCurrencies[] = {
    {"DM", "Deutsche Mark", 1.95583},           {"öS", "Österreichische Schilling", 13.7603},
    {"hFl", "Niederländische Gulden", 2.20371}, {"bfr", "Belgische Francs", 40.3399},
    {"lfr", "Luxemburgische Francs", 40.3399},  {"Lit", "Italienische Lire", 1936.27},
    {"Ptas", "Spanische Peseten", 166.386},     {"FF", "Französische Francs", 6.55957},
    {"PTE", "Portugiesische Escudos", 200.482}, {"IEP", "Irische Pfund", 0.787564},
    {"FIM", "Finnische Markkaa", 5.94573},
};

struct KindSeed {
    const char* name;
    bool isOutflow;
    bool allowsSecurityLink;
    bool isCapital;
};

constexpr KindSeed kStandardKinds[] = {
    {"Kapitaleinlage", false, false, true},        {"Kapitalentnahme", true, false, true},
    {"Dividenden-Gutschrift", false, true, false}, {"Coupon-Gutschrift", false, true, false},
    {"Bezugsrechtsverkauf", false, true, false},   {"Ausschüttung", false, true, false},
    {"Limit-Gebühren", true, true, false},         {"Zinserträge (Haben-Zins)", false, true, false},
    {"Zinskosten (Soll-Zins)", true, true, false}, {"Steuern", true, true, false},
    {"Werbungskosten", true, true, false},         {"Sonstige Erträge", false, true, false},
    {"Sonstige Kosten", true, true, false},        {"Depotgebühren", true, false, false},
};

template <class List>
auto FindById(List& list, int32_t id) -> decltype(&list.front()) {
    for (auto& item : list)
        if (item.id == id) return &item;
    return nullptr;
}

}  // namespace

std::span<const LegacyCurrency> LegacyCurrencies() { return kLegacyCurrencies; }

int DocumentEditState::Add(Listener listener) {
    const int token = nextToken_++;
    listeners_.emplace_back(token, std::move(listener));
    return token;
}

void DocumentEditState::Remove(int token) {
    std::erase_if(listeners_, [token](const auto& entry) { return entry.first == token; });
}

void DocumentEditState::Notify() const {
    // Walks a copy, so that a listener may remove itself or another one while it runs; a
    // listener removed meanwhile is not called any more.
    const auto listeners = listeners_;
    for (const auto& entry : listeners) {
        const bool present = std::any_of(listeners_.begin(), listeners_.end(),
                                         [&](const auto& e) { return e.first == entry.first; });
        if (present) entry.second();
    }
}

void CFolari2Doc::EndEdit(bool changed) {
    edits_.changed = edits_.changed || changed;
    if (--edits_.depth > 0 || !edits_.changed) return;
    edits_.changed = false;
    modified_ = true;
    edits_.Notify();
}

DocumentOptions DefaultOptions(CQRNDatum today) {
    DocumentOptions o;
    o.periodFromDate = today;
    o.periodToDate = today;
    const unsigned year = today.Year();
    o.earningsYear1 = std::to_string(year);
    o.earningsYear2 = std::to_string(year + 1);
    return o;
}

void CFolari2Doc::NewDocument(const NewDocumentChoices& choices, CQRNDatum today) {
    *this = CFolari2Doc();
    options = DefaultOptions(today);
    if (!choices.ownBaseSymbol.empty()) {
        AddCurrency(choices.ownBaseSymbol, choices.ownBaseName, true, 1.0, 1.0, 0, 0);
    } else {
        AddCurrency("EUR", "Euro", true, 1.0, 1.0, 0, 0);
        for (unsigned bit = 0; bit < std::size(kLegacyCurrencies); ++bit) {
            if ((choices.legacyCurrencyMask >> bit & 1u) == 0) continue;
            const LegacyCurrency& c = kLegacyCurrencies[bit];
            AddCurrency(c.symbol, c.name, true, c.unitsPerEuro, 1.0, 0, 0);
        }
    }
    depot = choices.depot;
    if (const CFL2Waehrung* c = FindCurrencyBySymbol(choices.initialAccountCurrencySymbol))
        initialAccountCurrencyId = c->id;
    SeedAccountMovementKinds();
    SeedTaxCategories();
    modified_ = false;
}

void CFolari2Doc::SeedAccountMovementKinds() {
    for (const KindSeed& k : kStandardKinds)
        AddAccountMovementKind(k.name, k.isOutflow, k.allowsSecurityLink, k.isCapital);
}

void CFolari2Doc::SeedTaxCategories() {
    const CQRNDatum first = DateOf(2, 1, 1970);
    const CQRNDatum last = DateOf(18, 1, 2038);
    const CQRNDatum flatTaxStart = DateOf(1, 1, 2009);
    auto category = [&](const char* name, const char* abbreviation) {
        CFL2StPflKateg c;
        c.name = name;
        c.abbreviation = abbreviation;
        c.salePeriodFrom = c.salePeriodTo = flatTaxStart;
        c.purchasePeriodFrom = c.purchasePeriodTo = flatTaxStart;
        c.holdingTimeComparison = kLessThan;
        c.holdingTimeValue = 1;
        c.holdingTimeUnit = kMonths;
        c.halfIncomeOption = kSubjectToHalfIncome;
        return c;
    };
    taxCategories.clear();

    CFL2StPflKateg flatTax = category("Steuerpflichtig (Abgeltungssteuer)", "Stpfl. (A)");
    flatTax.useSalePeriod = 1;
    flatTax.salePeriodTo = last;
    flatTax.usePurchasePeriod = 1;
    flatTax.purchasePeriodTo = last;
    taxCategories.push_back(flatTax);

    CFL2StPflKateg halfIncome = category("Steuerpflichtig (Halbeinkünfteverfahren)", "Stpfl. (HE)");
    halfIncome.useSalePeriod = 1;
    halfIncome.salePeriodFrom = DateOf(1, 1, 2002);
    halfIncome.salePeriodTo = DateOf(31, 12, 2008);
    halfIncome.useHoldingTime = 1;
    halfIncome.holdingTimeValue = 12;
    halfIncome.useHalfIncome = 1;
    taxCategories.push_back(halfIncome);

    CFL2StPflKateg taxFree = category("Steuerfrei", "Stfr.");
    taxFree.useSalePeriod = 1;
    taxFree.salePeriodFrom = DateOf(1, 1, 1999);
    taxFree.salePeriodTo = last;
    taxFree.useHoldingTime = 1;
    taxFree.holdingTimeComparison = kAtLeast;
    taxFree.holdingTimeValue = 12;
    taxCategories.push_back(taxFree);

    CFL2StPflKateg taxFreeBefore1999 = category("Steuerfrei", "Stfr.");
    taxFreeBefore1999.useSalePeriod = 1;
    taxFreeBefore1999.salePeriodFrom = first;
    taxFreeBefore1999.salePeriodTo = DateOf(31, 12, 1998);
    taxFreeBefore1999.useHoldingTime = 1;
    taxFreeBefore1999.holdingTimeComparison = kAtLeast;
    taxFreeBefore1999.holdingTimeValue = 6;
    taxCategories.push_back(taxFreeBefore1999);

    taxCategories.push_back(category("Steuerpflichtig", "Stpfl."));
}

const CFL2Waehrung* CFolari2Doc::FindCurrency(int32_t id) const { return FindById(currencies, id); }
CFL2Waehrung* CFolari2Doc::FindCurrency(int32_t id) { return FindById(currencies, id); }
const CFL2Wertpapier* CFolari2Doc::FindSecurity(int32_t id) const {
    return FindById(securities, id);
}
CFL2Wertpapier* CFolari2Doc::FindSecurity(int32_t id) { return FindById(securities, id); }
const CFL2KontoVorgang* CFolari2Doc::FindAccountMovementKind(int32_t id) const {
    return FindById(accountMovementKinds, id);
}
const CFL2Transaktion* CFolari2Doc::FindTransaction(int32_t id) const {
    return FindById(transactions, id);
}

const CFL2Waehrung* CFolari2Doc::FindCurrencyBySymbol(const std::string& symbol) const {
    for (const CFL2Waehrung& c : currencies)
        if (c.symbol == symbol) return &c;
    return nullptr;
}

const CFL2KontoVorgang* CFolari2Doc::FindAccountMovementKindByName(const std::string& name) const {
    for (const CFL2KontoVorgang& k : accountMovementKinds)
        if (k.name == name) return &k;
    return nullptr;
}

AddResult CFolari2Doc::AddCurrency(const std::string& symbol, const std::string& name, bool isFixed,
                                   double fixedRate1, double fixedRate2,
                                   int32_t referenceCurrencyId, int32_t quoteFormat) {
    if (symbol.empty()) return {DocResult::FirstFieldEmpty, -1};
    if (FindCurrencyBySymbol(symbol) != nullptr) return {DocResult::FirstKeyExists, -1};
    CFL2Waehrung c;
    c.id = nextCurrencyId++;
    c.symbol = symbol;
    c.name = name;
    c.referenceCurrencyId = referenceCurrencyId;
    c.quoteFormat = quoteFormat;
    if (c.id == kBaseCurrencyId || !isFixed) {
        c.isFixed = c.id == kBaseCurrencyId ? 1 : 0;
        c.fixedRate1 = c.fixedRate2 = 1.0;
    } else {
        c.isFixed = 1;
        c.fixedRate1 = fixedRate1;
        c.fixedRate2 = fixedRate2;
    }
    currencies.push_back(std::move(c));
    modified_ = true;
    return {DocResult::Ok, currencies.back().id};
}

DocResult CFolari2Doc::ModifyCurrency(int32_t id, const std::string& symbol,
                                      const std::string& name, bool isFixed, double fixedRate1,
                                      double fixedRate2, int32_t referenceCurrencyId,
                                      int32_t quoteFormat) {
    CFL2Waehrung* c = FindCurrency(id);
    if (c == nullptr) return DocResult::UnknownId;
    if (symbol.empty()) return DocResult::FirstFieldEmpty;
    const CFL2Waehrung* same = FindCurrencyBySymbol(symbol);
    if (same != nullptr && same->id != id) return DocResult::FirstKeyExists;
    c->symbol = symbol;
    c->name = name;
    c->referenceCurrencyId = referenceCurrencyId;
    c->quoteFormat = quoteFormat;
    if (id == kBaseCurrencyId || !isFixed) {
        c->isFixed = id == kBaseCurrencyId ? 1 : 0;
        c->fixedRate1 = c->fixedRate2 = 1.0;
    } else {
        c->isFixed = 1;
        c->fixedRate1 = fixedRate1;
        c->fixedRate2 = fixedRate2;
    }
    modified_ = true;
    return DocResult::Ok;
}

bool CFolari2Doc::CurrencyInUse(int32_t id) const {
    if (id == kBaseCurrencyId) return true;
    if (initialAccountCurrencyId == id) return true;
    if (options.holdings.currencyId == id || options.realized.currencyId == id) return true;
    for (const CFL2Wertpapier& s : securities)
        if (s.quoteCurrencyId == id) return true;
    for (const CFL2Transaktion& t : transactions)
        if (t.currency1 == id || t.currency2 == id) return true;
    for (const CFL2KtoWUmst& change : accountCurrencyChanges)
        if (change.currencyId == id) return true;
    for (const CFL2Waehrung& c : currencies)
        if (c.id != id && c.isFixed == 0 && c.referenceCurrencyId == id) return true;
    return false;
}

bool CFolari2Doc::DeleteCurrency(int32_t id) {
    if (FindCurrency(id) == nullptr || CurrencyInUse(id)) return false;
    std::erase_if(currencies, [id](const CFL2Waehrung& c) { return c.id == id; });
    modified_ = true;
    return true;
}

DocResult CFolari2Doc::CheckSecurityKeys(const CFL2Wertpapier& s, int32_t ignoreId) const {
    if (s.name.empty()) return DocResult::FirstFieldEmpty;
    if (s.wkn.empty()) return DocResult::SecondFieldEmpty;
    DocResult result = DocResult::Ok;
    for (const CFL2Wertpapier& other : securities) {
        if (other.id == ignoreId) continue;
        if (other.name == s.name) result = DocResult::FirstKeyExists;
        if (other.wkn == s.wkn) result = DocResult::SecondKeyExists;
    }
    return result;
}

AddResult CFolari2Doc::AddSecurity(const CFL2Wertpapier& prototype) {
    const DocResult check = CheckSecurityKeys(prototype, -1);
    if (check != DocResult::Ok) return {check, -1};
    CFL2Wertpapier s = prototype;
    s.id = nextSecurityId++;
    s.quotes = QuoteHistory();
    s.splits.clear();
    securities.push_back(std::move(s));
    RebuildSplitLists();
    modified_ = true;
    return {DocResult::Ok, securities.back().id};
}

DocResult CFolari2Doc::ModifySecurity(int32_t id, const CFL2Wertpapier& edited, int quoteDecimals) {
    CFL2Wertpapier* s = FindSecurity(id);
    if (s == nullptr) return DocResult::UnknownId;
    const DocResult check = CheckSecurityKeys(edited, id);
    if (check != DocResult::Ok) return check;

    const int32_t oldCurrency = s->quoteCurrencyId;
    // Converting into a currency that does not exist would turn every quote into 0.0.
    if (edited.quoteCurrencyId != oldCurrency && FindCurrency(edited.quoteCurrencyId) == nullptr)
        return DocResult::UnknownId;
    CFL2Wertpapier updated = edited;
    updated.id = s->id;
    updated.quotes = std::move(s->quotes);
    updated.splits = std::move(s->splits);
    if (updated.quoteCurrencyId != oldCurrency) {
        for (CFL2Kurs& q : updated.quotes.MutableItems())
            q.value = ConvertAtDate(*this, q.value, q.date, oldCurrency, updated.quoteCurrencyId,
                                    quoteDecimals);
    }
    *s = std::move(updated);
    modified_ = true;
    return DocResult::Ok;
}

bool CFolari2Doc::IsSecurityUsed(int32_t id) const {
    return std::any_of(transactions.begin(), transactions.end(), [id](const CFL2Transaktion& t) {
        return t.securityId == id || (t.type == TransactionType::Exchange && t.otherId == id);
    });
}

bool CFolari2Doc::DeleteSecurity(int32_t id) {
    if (IsSecurityUsed(id)) return false;
    const auto removed =
        std::erase_if(securities, [id](const CFL2Wertpapier& s) { return s.id == id; });
    if (removed == 0) return false;
    modified_ = true;
    return true;
}

const std::vector<std::string>& CFolari2Doc::InternetTemplates() const {
    static const std::vector<std::string> kNone;
    const auto& lists = options.settingsSlots.stringLists;
    return lists.empty() ? kNone : lists.front();
}

std::vector<std::string>& CFolari2Doc::InternetTemplates() {
    // The settings block holds one list of strings; a document that was never read from a
    // file has no slots yet, and the writer takes slot 0 from here.
    auto& lists = options.settingsSlots.stringLists;
    if (lists.empty()) lists.emplace_back();
    return lists.front();
}

int32_t CFolari2Doc::AddAccountMovementKind(const std::string& name, bool isOutflow,
                                            bool allowsSecurityLink, bool isCapital) {
    CFL2KontoVorgang k;
    k.name = name;
    k.id = nextKindId++;
    k.isOutflow = isOutflow ? 1 : 0;
    k.allowsSecurityLink = allowsSecurityLink ? 1 : 0;
    k.isCapital = isCapital ? 1 : 0;
    accountMovementKinds.push_back(std::move(k));
    modified_ = true;
    return accountMovementKinds.back().id;
}

void CFolari2Doc::InsertTransactionSorted(CFL2Transaktion t, bool resort) {
    // Transactions that sort equal to `t` keep their place before it, so this is the upper
    // bound of `t` in the order (date, type, id).
    const auto at = std::upper_bound(
        transactions.begin(), transactions.end(), t,
        [](const CFL2Transaktion& a, const CFL2Transaktion& b) { return SortsBefore(a, b); });
    transactions.insert(at, std::move(t));
    if (resort) ResortTransactions();
    modified_ = true;
}

bool CFolari2Doc::ResortTransactions() {
    const bool inOrder = std::is_sorted(
        transactions.begin(), transactions.end(),
        [](const CFL2Transaktion& a, const CFL2Transaktion& b) { return SortsBefore(a, b); });
    if (inOrder) return false;
    // Sorted insertion of every transaction in the old order: a stable sort gives the same.
    std::stable_sort(
        transactions.begin(), transactions.end(),
        [](const CFL2Transaktion& a, const CFL2Transaktion& b) { return SortsBefore(a, b); });
    modified_ = true;
    return true;
}

int32_t CFolari2Doc::AccountCurrencyAt(CQRNDatum date) const {
    int32_t currency = initialAccountCurrencyId;
    for (const CFL2KtoWUmst& change : accountCurrencyChanges)
        if (change.date <= date) currency = change.currencyId;
    return currency;
}

CQRNDatum CFolari2Doc::NewTransactionDate(CQRNDatum today) const {
    return options.rememberTransactionDate && lastTransactionDate ? *lastTransactionDate : today;
}

void CFolari2Doc::RebuildSplitLists() {
    for (CFL2Wertpapier& s : securities) s.ClearSplits();
    for (const CFL2Transaktion& t : transactions) {
        if (t.type != TransactionType::Split) continue;
        if (CFL2Wertpapier* s = FindSecurity(t.securityId))
            s->AddSplit(t.date, t.linkFlag, t.splitRatio);
    }
}

}  // namespace pf

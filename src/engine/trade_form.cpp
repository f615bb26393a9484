#include "engine/trade_form.h"

#include <algorithm>

#include "engine/number_entry.h"
#include "engine/split_exchange.h"
#include "engine/stop_target.h"
#include "engine/transaction_editor.h"
#include "model/document.h"

namespace pf {

namespace {

constexpr const char* kCommissionText =
    "Bitte geben Sie einen Wert für Provision, Courtage und Spesen ein!";

// Whether a currency box offers `id`: currency 1 lists every currency, currency 2 only the
// fixed-rate ones (the base currency counts as one).
bool Offered(const CFolari2Doc& doc, int32_t id, bool fixedOnly) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c != nullptr && (!fixedOnly || c->id == kBaseCurrencyId || c->isFixed != 0);
}

// Nothing but the characters the number entry ignores: an empty optional field.
bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < '!'; });
}

const CFL2Transaktion* FindOfType(const CFolari2Doc& doc, int32_t id, TransactionType type) {
    const CFL2Transaktion* t = doc.FindTransaction(id);
    return t != nullptr && t->type == type ? t : nullptr;
}

// The texts of an existing purchase or sale as its dialog shows them.
void FillEntry(const CFolari2Doc& doc, const CFL2Transaktion& t, TradeEntry& e) {
    const NumberFormat format = NumberFormatOf(doc.options);
    const auto price = [&](double v) {
        return FormatDecimal(v, format, kPriceMinDecimals, kPriceMaxDecimals);
    };
    const auto amount = [&](double v) {
        return FormatDecimal(v, format, kAmountDecimals, kAmountDecimals);
    };
    e.date = t.date;
    e.quantity = FormatQuantity(t.quantity, format);
    e.price = price(t.price);
    e.commission1 = amount(t.commission1);
    e.currency1 = t.currency1;
    e.rateBase = price(t.rateBase);
    e.rateQuote = price(t.rateQuote);
    e.currency2 = t.currency2;
    e.commission2 = amount(t.commission2);
    e.text = t.text;
}

// A purchase's optional stop or target price: 0 when the field is empty; nullopt when it
// holds no valid price (2 to 7 decimals, no sign).
std::optional<Price> OptionalPrice(const std::string& text, const NumberFormat& format) {
    if (IsBlank(text)) return 0.0;
    return ParseDecimal(text, format, kPriceMaxDecimals);
}

const CFL2Wertpapier* SecurityByNameAndCode(const CFolari2Doc& doc, const std::string& name,
                                            const std::string& code) {
    for (const CFL2Wertpapier& s : doc.securities)
        if (s.name == name && s.wkn == code) return &s;
    return nullptr;
}

// The sale's lots and what the checks need of them.
struct SaleLots {
    PositionList all;       // every sellable lot on the date
    PositionList security;  // those of the chosen security, with the selection
    LotSelection selection;
};

}  // namespace

// --- Shared checks ------------------------------------------------------------------------

MaybeMessage CheckTradeEntry(const CFolari2Doc& doc, const TradeEntry& e, bool sale,
                             Quantity minimumQuantity, Quantity lockedQuantity, TradeFields& out) {
    const char* title = sale ? kSaleTitle : kPurchaseTitle;
    const auto refusal = [title](std::string text, const char* field) {
        return Message::Refusal(title, std::move(text), field);
    };
    const NumberFormat format = NumberFormatOf(doc.options);

    if (!Offered(doc, e.currency1, false))
        return refusal("Bitte wählen Sie eine Währung aus!", kTradeCurrency1Field);
    if (!Offered(doc, e.currency2, true))
        return refusal("Bitte wählen Sie eine Währung aus!", kTradeCurrency2Field);

    std::optional<Quantity> quantity = ParseQuantity(e.quantity, format);
    if (lockedQuantity > 0) quantity = lockedQuantity;
    if (!quantity)
        return refusal("Bitte geben Sie eine korrekte Stückzahl an!", kTradeQuantityField);
    if (minimumQuantity > 0 && *quantity < minimumQuantity) quantity = minimumQuantity;
    if (*quantity <= 0)
        return refusal("Bitte geben Sie eine Stückzahl größer Null an!", kTradeQuantityField);

    const std::optional<double> price = ParseDecimal(e.price, format, kPriceMaxDecimals);
    if (!price)
        return refusal(sale ? "Bitte geben Sie einen korrekten Verkaufkurs ein!"
                            : "Bitte geben Sie einen korrekten Kaufkurs ein!",
                       kTradePriceField);

    const bool differ = e.currency1 != e.currency2;
    double commission1 = 0.0;
    if (differ) {
        const std::optional<double> c1 = ParseAmountSum(e.commission1, format);
        if (!c1) return refusal(kCommissionText, kTradeCommission1Field);
        commission1 = *c1;
    }

    RatePair rates = DefaultRatePair(doc, e.currency1, e.currency2);
    if (!rates.fixed) {
        const std::optional<double> base = ParseDecimal(e.rateBase, format, kPriceMaxDecimals);
        if (!base) return refusal("Bitte geben Sie einen Devisenkurs ein!", kTradeRateBaseField);
        const std::optional<double> quote = ParseDecimal(e.rateQuote, format, kPriceMaxDecimals);
        if (!quote) return refusal("Bitte geben Sie einen Devisenkurs ein!", kTradeRateQuoteField);
        if (IsZeroRate(*base) || IsZeroRate(*quote))
            return refusal("Bitte geben Sie einen Wert größer Null an!",
                           IsZeroRate(*base) ? kTradeRateBaseField : kTradeRateQuoteField);
        rates.base = *base;
        rates.quote = *quote;
    }

    const std::optional<double> commission2 = ParseAmountSum(e.commission2, format);
    if (!commission2) return refusal(kCommissionText, kTradeCommission2Field);

    const TradeSums sums = sale ? SaleSums(*quantity, *price, commission1, e.currency1, rates.base,
                                           rates.quote, *commission2, e.currency2)
                                : PurchaseSums(*quantity, *price, commission1, e.currency1,
                                               rates.base, rates.quote, *commission2, e.currency2);
    out.date = e.date;
    out.quantity = *quantity;
    out.price = *price;
    out.marketValue1 = sums.marketValue;
    out.commission1 = commission1;
    out.currency1 = e.currency1;
    out.rateBase = rates.base;
    out.rateQuote = rates.quote;
    out.commission2 = *commission2;
    out.currency2 = e.currency2;
    out.amount = sums.amount;
    out.text = e.text;
    return std::nullopt;
}

std::string TradeEntry::CalculationLine(const CFolari2Doc& doc, bool sale) const {
    const NumberFormat format = NumberFormatOf(doc.options);
    const int32_t c1 = currency1 >= 0 ? currency1 : kBaseCurrencyId;
    const int32_t c2 = currency2 >= 0 ? currency2 : kBaseCurrencyId;
    RatePair rates = DefaultRatePair(doc, c1, c2);
    if (!rates.fixed) {
        rates.base = ParseDecimal(rateBase, format, kPriceMaxDecimals).value_or(0.0);
        rates.quote = ParseDecimal(rateQuote, format, kPriceMaxDecimals).value_or(0.0);
        // A rate of 0 is refused on OK; until then the line shows no conversion.
        if (IsZeroRate(rates.base)) rates.base = rates.quote = 1.0;
    }
    const double c1Amount = c1 != c2 ? ParseAmountSum(commission1, format).value_or(0.0) : 0.0;
    return TradeCalculationLine(doc, sale, date, ParseQuantity(quantity, format).value_or(0),
                                ParseDecimal(price, format, kPriceMaxDecimals).value_or(0.0),
                                c1Amount, c1, rates.base, rates.quote,
                                ParseAmountSum(commission2, format).value_or(0.0), c2);
}

// --- Purchase -----------------------------------------------------------------------------

PurchaseForm PurchaseForm::New(const CFolari2Doc& doc, CQRNDatum today) {
    PurchaseForm form;
    form.date = doc.NewTransactionDate(today);
    return form;
}

PurchaseForm PurchaseForm::ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    const CFL2Transaktion* t = FindOfType(doc, id, TransactionType::Buy);
    if (t == nullptr) return New(doc, today);
    PurchaseForm form;
    FillEntry(doc, *t, form);
    if (const CFL2Wertpapier* s = doc.FindSecurity(t->securityId)) {
        form.name = s->name;
        form.code = s->wkn;
    }
    form.stop = StopTargetFieldText(doc, StopOf(doc, t->positionNo));
    form.target = StopTargetFieldText(doc, TargetOf(doc, t->positionNo));
    form.editedId = id;
    return form;
}

namespace {

// The purchase's OK order; on success `out` holds what the document operation takes.
MaybeMessage EvaluatePurchase(const PurchaseForm& form, const CFolari2Doc& doc, TradeFields& out) {
    const auto refusal = [](std::string text, const char* field) {
        return Message::Refusal(kPurchaseTitle, std::move(text), field);
    };
    const CFL2Transaktion* edited = FindOfType(doc, form.editedId, TransactionType::Buy);
    PurchaseLimits limits;
    if (edited != nullptr) limits = PurchaseEditLimits(doc, form.editedId);
    if (limits.latestDate && form.date > *limits.latestDate)
        return refusal("Bitte wählen Sie ein Kaufdatum bis zum " + limits.latestDate->FormatLong() +
                           ", da spätere Transaktionen diese Position verwenden!",
                       kTradeDateField);

    if (form.name.empty())
        return refusal("Bitte geben Sie die Bezeichnung des gekauften Wertpapiers ein!",
                       kTradeNameField);
    if (form.code.empty())
        return refusal(
            "Bitte geben Sie die Wertpapier-Kennnummer des gekauften Wertpapiers "
            "ein!",
            kTradeCodeField);
    const CFL2Wertpapier* security = SecurityByNameAndCode(doc, form.name, form.code);
    if (security == nullptr)
        return refusal(
            "Ein Wertpapier mit dieser Bezeichnung und Wertpapier-Kennnummer "
            "befindet sich nicht in der Datenbank!",
            kTradeNameField);

    const Quantity locked = limits.quantityLocked ? edited->quantity : 0;
    if (MaybeMessage m = CheckTradeEntry(doc, form, false, limits.minimumQuantity, locked, out))
        return m;
    out.securityId = security->id;

    const NumberFormat format = NumberFormatOf(doc.options);
    const std::optional<Price> stop = OptionalPrice(form.stop, format);
    if (!stop)
        return refusal(
            "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld "
            "frei!",
            kTradeStopField);
    const std::optional<Price> target = OptionalPrice(form.target, format);
    if (!target)
        return refusal(
            "Bitte geben Sie einen korrekten Zielkurs ein oder lassen Sie das Feld "
            "frei!",
            kTradeTargetField);
    out.stopPrice = *stop;
    out.targetPrice = *target;
    return std::nullopt;
}

}  // namespace

MaybeMessage PurchaseForm::Check(const CFolari2Doc& doc) const {
    TradeFields ignored;
    return EvaluatePurchase(*this, doc, ignored);
}

std::optional<TradeFields> PurchaseForm::Values(const CFolari2Doc& doc) const {
    TradeFields fields;
    if (EvaluatePurchase(*this, doc, fields)) return std::nullopt;
    return fields;
}

int32_t PurchaseForm::Apply(CFolari2Doc& doc) const {
    const std::optional<TradeFields> fields = Values(doc);
    if (!fields) return -1;
    if (editedId == -1) return AddPurchase(doc, *fields);
    return ChangePurchase(doc, editedId, *fields) ? editedId : -1;
}

// --- Sale ---------------------------------------------------------------------------------

SaleForm SaleForm::New(const CFolari2Doc& doc, CQRNDatum today) {
    SaleForm form;
    form.date = doc.NewTransactionDate(today);
    return form;
}

SaleForm SaleForm::ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    const CFL2Transaktion* t = FindOfType(doc, id, TransactionType::Sell);
    if (t == nullptr) return New(doc, today);
    SaleForm form;
    FillEntry(doc, *t, form);
    form.nameSecurityId = form.codeSecurityId = t->securityId;
    form.distributed = EarlierSelection(*t);
    form.editedId = id;
    return form;
}

bool SaleForm::LotsLocked(const CFolari2Doc& doc) const {
    return editedId != -1 && SaleLotsLocked(doc, editedId);
}

namespace {

// The sellable lots on the form's date with the selection for the entered quantity (0 when
// the field does not parse), and those of the chosen security.
SaleLots SelectedLots(const SaleForm& form, const CFolari2Doc& doc) {
    SaleLots lots;
    lots.all = SellableLots(doc, form.date, form.editedId);
    const Quantity entered = ParseQuantity(form.quantity, NumberFormatOf(doc.options)).value_or(0);
    const bool locked = form.LotsLocked(doc);
    lots.selection = RefreshLotSelection(lots.all, form.nameSecurityId, entered,
                                         form.oldestFirst && !locked, form.distributed);
    if (locked)
        lots.selection.listEnabled = lots.selection.oldestFirstEnabled =
            lots.selection.distributeEnabled = false;
    for (const size_t i : LotsOfSecurity(lots.all, form.nameSecurityId))
        lots.security.push_back(lots.all[i]);
    return lots;
}

// The sale's OK order; on success `out` and `lots` hold what the document operation takes.
MaybeMessage EvaluateSale(const SaleForm& form, const CFolari2Doc& doc, TradeFields& out,
                          PositionList& lots) {
    const auto refusal = [](std::string text, const char* field) {
        return Message::Refusal(kSaleTitle, std::move(text), field);
    };
    SaleLots selected = SelectedLots(form, doc);
    if (selected.all.empty())
        return refusal(
            "An diesem Tag befinden sich keine Wertpapiere im Depot, die verkauft "
            "werden können!",
            kTradeDateField);
    if (form.nameSecurityId == -1)
        return refusal("Bitte wählen Sie eine Wertpapierbezeichnung aus!", kTradeNameField);
    if (form.codeSecurityId == -1)
        return refusal("Bitte wählen Sie eine Wertpapier-Kennnummer aus!", kTradeCodeField);
    if (MaybeMessage m = CheckTradeEntry(doc, form, true, 0, 0, out)) return m;
    out.securityId = form.nameSecurityId;

    const PositionList& own = selected.security;
    if (out.quantity > AvailableTotal(own, out.securityId))
        return refusal("So viele Wertpapiere befinden sich nicht im Depot!", kTradeQuantityField);
    if (const auto conflict = FindAllocationConflict(doc, own, out.securityId, out.date, false))
        return refusal("Position " + std::to_string(conflict->listPosition) +
                           " kann frühestens am " + conflict->latestDate.FormatLong() +
                           " verkauft werden, da an diesem Tag eine Kontobewegung vorhanden "
                           "ist, die sich auf diese Position bezieht!",
                       kTradeDateField);
    Quantity sum = 0;
    for (const CFL2DepotPos& lot : own) sum += std::max<Quantity>(lot.selectedQuantity, 0);
    if (sum != out.quantity) {
        const bool oldestFirst = form.oldestFirst && !form.LotsLocked(doc);
        if (own.size() >= 2 && !oldestFirst)
            return refusal(
                "Bitte teilen Sie die verkauften Stücke auf die verschiedenen "
                "Positionen auf!",
                kTradeDistributeField);
        return refusal("Bitte geben Sie eine korrekte Stückzahl ein!", kTradeQuantityField);
    }
    lots = own;
    return std::nullopt;
}

}  // namespace

PositionList SaleForm::Lots(const CFolari2Doc& doc) const {
    return SelectedLots(*this, doc).security;
}

LotSelection SaleForm::Selection(const CFolari2Doc& doc) const {
    return SelectedLots(*this, doc).selection;
}

MaybeMessage SaleForm::Check(const CFolari2Doc& doc) const {
    TradeFields fields;
    PositionList lots;
    return EvaluateSale(*this, doc, fields, lots);
}

int32_t SaleForm::Apply(CFolari2Doc& doc) const {
    TradeFields fields;
    PositionList lots;
    if (EvaluateSale(*this, doc, fields, lots)) return -1;
    if (editedId == -1) return AddSale(doc, fields, lots);
    return ChangeSale(doc, editedId, fields, lots) ? editedId : -1;
}

static_assert(EntryForm<PurchaseForm> && EntryForm<SaleForm>);

}  // namespace pf

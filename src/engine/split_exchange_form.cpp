#include "engine/split_exchange_form.h"

#include <algorithm>

#include "engine/number_entry.h"
#include "engine/transaction_editor.h"
#include "model/document.h"

namespace pf {

namespace {

CQRNDatum NextDay(CQRNDatum d) { return CQRNDatum(d.DayNumber() + 1); }

const CFL2Transaktion* FindOfType(const CFolari2Doc& doc, int32_t id, TransactionType type) {
    const CFL2Transaktion* t = doc.FindTransaction(id);
    return t != nullptr && t->type == type ? t : nullptr;
}

// A pieces field: not a quantity, or not above 0, is refused with focus on `field`.
MaybeMessage ReadPieces(const std::string& text, const NumberFormat& format, const char* title,
                        const char* field, Quantity& out) {
    const std::optional<Quantity> pieces = ParseQuantity(text, format);
    if (!pieces)
        return Message::Refusal(title, "Bitte geben Sie eine korrekte Stückzahl an!", field);
    if (*pieces <= 0)
        return Message::Refusal(title, "Bitte geben Sie eine Stückzahl größer Null an!", field);
    out = *pieces;
    return std::nullopt;
}

// --- Split ---

Message PermanentQuestion(const CFolari2Doc& doc, double ratio) {
    const std::string ratioText = FormatDecimal(ratio, NumberFormatOf(doc.options), 0, 7);
    return Message::Question(
        kSplitTitle,
        "Wenn Sie die Option 'alle Wertpapierkurse vor dem Splitdatum dauerhaft anpassen' "
        "aktivieren, werden alle Kurse für dieses Wertpapier vor dem Splitdatum durch " +
            ratioText +
            " geteilt.\nDer Aktiensplit kann dann nicht mehr rückgängig gemacht werden!\n\n"
            "Wenn Sie die Option nicht aktivieren, bleiben die Kurse in der Datenbank "
            "unverändert und werden stattdessen bei jedem Zugriff entsprechend geteilt. Der "
            "Aktiensplit kann dadurch wieder rückgängig gemacht werden.\n\nMöchten Sie den "
            "Aktiensplit wirklich mit aktivierter Option 'alle Wertpapierkurse vor dem "
            "Splitdatum dauerhaft anpassen' durchführen?");
}

// Whether storing the form makes the split permanent now: the box is ticked and the split
// is new or not permanent yet (an edited permanent split stays as it is).
bool BecomesPermanent(const SplitForm& form, const CFolari2Doc& doc) {
    if (!form.permanent) return false;
    const CFL2Transaktion* edited = FindOfType(doc, form.editedId, TransactionType::Split);
    return edited == nullptr || edited->linkFlag == 0;
}

// The split's OK order up to the question; on success `out` holds the values.
MaybeMessage EvaluateSplit(const SplitForm& form, const CFolari2Doc& doc, SplitFields& out) {
    if (form.nameSecurityId == -1)
        return Message::Refusal(kSplitTitle, "Bitte wählen Sie eine Wertpapierbezeichnung aus!",
                                kSplitNameField);
    if (form.codeSecurityId == -1)
        return Message::Refusal(kSplitTitle, "Bitte wählen Sie eine Wertpapier-Kennnummer aus!",
                                kSplitCodeField);
    const NumberFormat format = NumberFormatOf(doc.options);
    if (MaybeMessage m =
            ReadPieces(form.newPieces, format, kSplitTitle, kSplitNewPiecesField, out.newPieces))
        return m;
    if (MaybeMessage m =
            ReadPieces(form.oldPieces, format, kSplitTitle, kSplitOldPiecesField, out.oldPieces))
        return m;
    out.date = form.date;
    out.securityId = form.nameSecurityId;
    out.text = form.text;
    out.permanent = form.permanent;

    if (form.DateRuleApplies(doc)) {
        std::optional<CQRNDatum> latest;
        for (const CFL2Transaktion& t : doc.transactions)
            if (ConcernsSecurity(t, out.securityId) && (!latest || t.date > *latest))
                latest = t.date;
        if (latest && out.date <= *latest)
            return Message::Refusal(kSplitTitle,
                                    "Ein Aktiensplit ist für dieses Wertpapier frühestens am " +
                                        NextDay(*latest).FormatLong() +
                                        " möglich, da vorher bereits Transaktionen mit diesem "
                                        "Wertpapier vorhanden sind!",
                                    kSplitDateField);
    }
    return std::nullopt;
}

// --- Exchange ---

struct ExchangeLots {
    PositionList all;     // every lot on the date
    PositionList source;  // those of the source security, with the selection
    LotSelection selection;
};

ExchangeLots SelectedLots(const ExchangeForm& form, const CFolari2Doc& doc) {
    ExchangeLots lots;
    lots.all = SellableLots(doc, form.date, form.editedId);
    const Quantity entered = ParseQuantity(form.oldPieces, NumberFormatOf(doc.options)).value_or(0);
    lots.selection = RefreshLotSelection(lots.all, form.sourceNameId, entered, form.oldestFirst,
                                         form.distributed);
    for (const size_t i : LotsOfSecurity(lots.all, form.sourceNameId))
        lots.source.push_back(lots.all[i]);
    return lots;
}

MaybeMessage EvaluateExchange(const ExchangeForm& form, const CFolari2Doc& doc, ExchangeFields& out,
                              PositionList& lots) {
    const auto refusal = [](std::string text, const char* field) {
        return Message::Refusal(kExchangeTitle, std::move(text), field);
    };
    const ExchangeLots selected = SelectedLots(form, doc);
    if (selected.all.empty())
        return refusal(
            "An diesem Tag befinden sich keine Wertpapiere im Depot, die umgetauscht "
            "werden können!",
            kExchangeDateField);
    if (form.sourceNameId == -1)
        return refusal("Bitte wählen Sie eine Wertpapierbezeichnung aus!",
                       kExchangeSourceNameField);
    if (form.sourceCodeId == -1)
        return refusal("Bitte wählen Sie eine Wertpapier-Kennnummer aus!",
                       kExchangeSourceCodeField);
    const int32_t source = form.sourceNameId;
    for (const CFL2Transaktion& t : doc.transactions)
        if (t.type == TransactionType::Exchange && t.id != form.editedId && t.date == form.date &&
            t.otherId == source)
            return refusal("Dieses Wertpapier kann am gewählten Datum nicht umgetauscht werden!",
                           kExchangeDateField);

    if (form.targetName.empty())
        return refusal("Bitte geben Sie eine Wertpapierbezeichnung ein!", kExchangeTargetNameField);
    if (form.targetCode.empty())
        return refusal("Bitte geben Sie die Wertpapier-Kennnummer ein!", kExchangeTargetCodeField);
    const auto target =
        std::find_if(doc.securities.begin(), doc.securities.end(), [&](const CFL2Wertpapier& s) {
            return s.name == form.targetName && s.wkn == form.targetCode;
        });
    if (target == doc.securities.end())
        return refusal(
            "Ein Wertpapier mit dieser Bezeichnung und Wertpapier-Kennnummer befindet "
            "sich nicht in der Datenbank!",
            kExchangeTargetNameField);
    if (target->id == source)
        return refusal("Bitte wählen Sie unterschiedliche Wertpapiere aus!",
                       kExchangeTargetNameField);

    const NumberFormat format = NumberFormatOf(doc.options);
    if (MaybeMessage m = ReadPieces(form.oldPieces, format, kExchangeTitle, kExchangeOldPiecesField,
                                    out.oldPieces))
        return m;
    if (MaybeMessage m = ReadPieces(form.newPieces, format, kExchangeTitle, kExchangeNewPiecesField,
                                    out.newPieces))
        return m;
    out.date = form.date;
    out.sourceSecurityId = source;
    out.targetSecurityId = target->id;
    out.keepPurchaseDate = form.keepPurchaseDate;
    out.text = form.text;

    if (MaybeMessage m = CheckExchangeSelection(doc, selected.source, out, form.oldestFirst))
        return m;
    lots = selected.source;
    return std::nullopt;
}

}  // namespace

// --- SplitForm ----------------------------------------------------------------------------

SplitForm SplitForm::New(const CFolari2Doc& doc, CQRNDatum today) {
    SplitForm form;
    form.date = doc.NewTransactionDate(today);
    return form;
}

SplitForm SplitForm::ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    const CFL2Transaktion* t = FindOfType(doc, id, TransactionType::Split);
    if (t == nullptr) return New(doc, today);
    const NumberFormat format = NumberFormatOf(doc.options);
    SplitForm form;
    form.date = t->date;
    form.nameSecurityId = form.codeSecurityId = t->securityId;
    form.text = t->text;
    form.newPieces = FormatQuantity(t->newPieces, format);
    form.oldPieces = FormatQuantity(t->oldPieces, format);
    form.permanent = t->linkFlag != 0;
    form.editedId = id;
    return form;
}

bool SplitForm::DateRuleApplies(const CFolari2Doc& doc) const {
    if (editedId == -1) return true;
    const CFL2Transaktion* split = FindOfType(doc, editedId, TransactionType::Split);
    if (split == nullptr) return true;  // treated as new
    if (split->linkFlag != 0) return false;
    return std::none_of(doc.transactions.begin(), doc.transactions.end(),
                        [&](const CFL2Transaktion& t) {
                            return ConcernsSecurity(t, split->securityId) && t.date >= split->date;
                        });
}

MaybeMessage SplitForm::Check(const CFolari2Doc& doc) const {
    SplitFields fields;
    if (MaybeMessage m = EvaluateSplit(*this, doc, fields)) return m;
    if (BecomesPermanent(*this, doc))
        return PermanentQuestion(
            doc, static_cast<double>(fields.newPieces) / static_cast<double>(fields.oldPieces));
    return std::nullopt;
}

int32_t SplitForm::Apply(CFolari2Doc& doc) const {
    SplitFields fields;
    if (EvaluateSplit(*this, doc, fields)) return -1;
    if (editedId == -1) return AddSplit(doc, fields, roundDecimals);
    const bool makePermanent = BecomesPermanent(*this, doc);
    return ChangeSplit(doc, editedId, fields, makePermanent, roundDecimals) ? editedId : -1;
}

// --- ExchangeForm -------------------------------------------------------------------------

ExchangeForm ExchangeForm::New(const CFolari2Doc& doc, CQRNDatum today) {
    ExchangeForm form;
    form.date = doc.NewTransactionDate(today);
    return form;
}

ExchangeForm ExchangeForm::ForEdit(const CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    const CFL2Transaktion* t = FindOfType(doc, id, TransactionType::Exchange);
    if (t == nullptr) return New(doc, today);
    const NumberFormat format = NumberFormatOf(doc.options);
    ExchangeForm form;
    form.date = t->date;
    form.keepPurchaseDate = t->allocKind != 0;
    form.sourceNameId = form.sourceCodeId = t->securityId;
    form.oldPieces = FormatQuantity(t->oldPieces, format);
    if (const CFL2Wertpapier* target = doc.FindSecurity(t->otherId)) {
        form.targetName = target->name;
        form.targetCode = target->wkn;
    }
    form.newPieces = FormatQuantity(t->newPieces, format);
    form.text = t->text;
    form.distributed = EarlierSelection(*t);
    form.editedId = id;
    return form;
}

PositionList ExchangeForm::Lots(const CFolari2Doc& doc) const {
    return SelectedLots(*this, doc).source;
}

LotSelection ExchangeForm::Selection(const CFolari2Doc& doc) const {
    return SelectedLots(*this, doc).selection;
}

MaybeMessage ExchangeForm::Check(const CFolari2Doc& doc) const {
    ExchangeFields fields;
    PositionList lots;
    return EvaluateExchange(*this, doc, fields, lots);
}

int32_t ExchangeForm::Apply(CFolari2Doc& doc) const {
    ExchangeFields fields;
    PositionList lots;
    if (EvaluateExchange(*this, doc, fields, lots)) return -1;
    if (editedId == -1) return AddExchange(doc, fields, lots);
    return ChangeExchange(doc, editedId, fields, lots) ? editedId : -1;
}

static_assert(EntryForm<SplitForm> && EntryForm<ExchangeForm>);

}  // namespace pf

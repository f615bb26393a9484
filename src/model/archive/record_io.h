#pragma once

// One transfer function per record class reads or writes its fields in stored order. Io is
// ArchiveReader or ArchiveWriter; R is the record type, const when writing. A reader hands
// in the stored schema; fields that an older schema does not hold keep the defaults of the
// freshly constructed record.

#include <concepts>
#include <type_traits>

#include "model/account_records.h"
#include "model/archive/archive_classes.h"
#include "model/currency.h"
#include "model/quote.h"
#include "model/security.h"
#include "model/transaction.h"

namespace pf::record_io {

template <class R, class T>
concept RecordOf = std::same_as<std::remove_const_t<R>, T>;

inline std::vector<CFL2Kurs>& QuoteItems(QuoteHistory& h) { return h.MutableItems(); }
inline const std::vector<CFL2Kurs>& QuoteItems(const QuoteHistory& h) { return h.Items(); }

template <class Io, RecordOf<CFL2Kurs> R>
void Transfer(Io& io, R& k, int) {
    io.Double(k.value);
    io.Date(k.date);
}

// The reader takes quote histories in a tight loop of its own, which knows the two fields
// of CFL2Kurs above; the writer goes through the transfer function.
template <class Io>
void TransferQuotes(Io& io, auto& history) {
    if constexpr (Io::kReading)
        io.Quotes(QuoteItems(history));
    else
        io.Objects(QuoteItems(history), ClassId::Kurs,
                   [](Io& in, auto& k, int schema) { Transfer(in, k, schema); });
}

template <class Io, RecordOf<CFL2Wertpapier> R>
void Transfer(Io& io, R& s, int schema) {
    io.Str(s.name, "Bezeichnung des Wertpapiers");
    io.Str(s.isin, "ISIN oder Kürzel");
    io.Str(s.wkn, "WKN");
    io.Int(s.id);
    io.Int(s.quoteCurrencyId);
    io.Int(s.vtplusImport);
    io.Str(s.vtplusControlText, "Kontrolltext");
    io.Str(s.vtplusQuotePosition, "Kursposition");
    io.Str(s.vtplusPage, "Seite");
    io.Str(s.vtplusControlText2, "Kontrolltext");
    io.Str(s.vtplusSubpage, "Unterseite");
    io.Int(s.vtplusDecimalSeparator);
    io.Int(s.aux1);
    io.Str(s.aux2, "Wertpapier");
    io.Int(s.creationKind);
    io.Int(s.aux3);
    if (schema >= 5) io.Int(s.aux5);
    if (schema >= 6) io.Int(s.aux4);
    if (schema >= 7) {
        io.Str(s.type, "Typ");
        io.Str(s.sector, "Branche");
        io.Str(s.country, "Land");
        io.Str(s.index, "Index/Marktsegment");
        io.Double(s.earnings1);
        io.Double(s.earnings2);
        io.Double(s.dividend);
        io.Double(s.cashFlow);
        io.Int(s.figuresSet);
    }
    if (schema >= 8) {
        io.Int(s.noManualQuotes);
        io.Int(s.noChart);
    }
    if (schema >= 9) {
        io.Int(s.internetImport);
        io.Str(s.internetUrl, "Adresse/URL");
        io.Str(s.internetTextBeforeQuote, "Text vor Kurs");
        io.Int(s.internetDecimalSeparator);
    }
    if (schema >= 10) io.Int(s.halfIncomeProcedure);
    if (schema >= 11) {
        io.Str(s.category1, "Eigene Kategorie 1");
        io.Str(s.category2, "Eigene Kategorie 2");
        io.Str(s.remarks, "Bemerkungen");
    }
    TransferQuotes(io, s.quotes);
}

template <class Io, RecordOf<CFL2Waehrung> R>
void Transfer(Io& io, R& c, int schema) {
    io.Double(c.fixedRate1);
    io.Double(c.fixedRate2);
    io.Int(c.isFixed);
    io.Str(c.name, "Bezeichnung der Währung");
    io.Str(c.symbol, "Währungssymbol");
    io.Int(c.id);
    if (schema >= 2) {
        io.Int(c.quoteFormat);
        io.Int(c.referenceCurrencyId);
        TransferQuotes(io, c.rates);
    }
}

template <class Io, RecordOf<CFL2PosInfo> R>
void Transfer(Io& io, R& p, int) {
    io.Int(p.newPositionNo);
    io.Int(p.positionNo);
    io.Quantity(p.quantity);
}

template <class Io, RecordOf<CFL2Transaktion> R>
void Transfer(Io& io, R& t, int schema) {
    io.Int(t.id);
    io.Int(t.type);
    io.Int(t.securityId);
    io.Int(t.positionNo);
    io.Int(t.currency2);
    io.Double(t.amount);
    io.Str(t.text, "Text der Transaktion");
    io.Double(t.price);
    io.Double(t.marketValue1);
    io.Double(t.commission1);
    io.Int(t.currency1);
    io.Double(t.rateBase);
    io.Double(t.rateQuote);
    io.Double(t.commission2);
    io.Int(t.otherId);
    io.Int(t.kindOutflow);
    io.Int(t.kindCapital);
    io.Int(t.linkFlag);
    io.Int(t.allocKind);
    io.Double(t.splitRatio);
    io.Quantity(t.quantity);
    io.Quantity(t.oldPieces);
    io.Quantity(t.newPieces);
    io.Date(t.date);
    io.Objects(t.allocations, ClassId::PosInfo, [](Io& in, auto& p, int s) { Transfer(in, p, s); });
    if constexpr (Io::kReading) {
        // Splits of older files were always applied to the stored quotes.
        if (schema < 2 && t.type == TransactionType::Split) t.linkFlag = 1;
    }
}

template <class Io, RecordOf<CFL2KontoVorgang> R>
void Transfer(Io& io, R& k, int) {
    io.Int(k.allowsSecurityLink);
    io.Int(k.isOutflow);
    io.Int(k.isCapital);
    io.Str(k.name, "Kontobewegungsart");
    io.Int(k.id);
}

template <class Io, RecordOf<CFL2KtoWUmst> R>
void Transfer(Io& io, R& c, int) {
    io.Int(c.currencyId);
    io.Date(c.date);
}

template <class Io, RecordOf<CFL2StoppZielKurs> R>
void Transfer(Io& io, R& s, int) {
    io.Int(s.positionNo);
    io.Double(s.stopPrice);
    io.Double(s.targetPrice);
}

template <class Io, RecordOf<CFL2StPflKateg> R>
void Transfer(Io& io, R& c, int) {
    io.Str(c.name, "Bezeichnung der Steuerpflicht");
    io.Str(c.abbreviation, "Abkürzung der Steuerpflicht");
    io.Int(c.useSalePeriod);
    io.Int(c.usePurchasePeriod);
    io.Int(c.useHoldingTime);
    io.Int(c.useHalfIncome);
    io.Int(c.holdingTimeComparison);
    io.Int(c.holdingTimeValue);
    io.Int(c.holdingTimeUnit);
    io.Int(c.halfIncomeOption);
    io.Date(c.salePeriodFrom);
    io.Date(c.salePeriodTo);
    io.Date(c.purchasePeriodFrom);
    io.Date(c.purchasePeriodTo);
}

template <class Io, RecordOf<CFL2SpekFristUmst> R>
void Transfer(Io& io, R& c, int) {
    io.Int(c.value2);
    io.Int(c.value1);
    io.Date(c.date);
}

// An object list of one record class.
template <class Io, class List>
void TransferList(Io& io, List& list, ClassId cls) {
    io.Objects(list, cls, [](Io& in, auto& record, int schema) { Transfer(in, record, schema); });
}

}  // namespace pf::record_io

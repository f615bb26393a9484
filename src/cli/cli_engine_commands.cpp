#include "cli/cli_commands_list.h"
#include "engine/balance_series.h"
#include "engine/holdings.h"
#include "engine/number_entry.h"
#include "engine/value_series.h"

namespace pf::cli {

namespace {

const char* StateText(PositionState state) {
    switch (state) {
        case PositionState::Open: return "offen";
        case PositionState::Sold: return "verkauft";
        case PositionState::ExchangedOut: return "umgetauscht";
    }
    return "?";
}

}  // namespace

int Lots(const Context& c) {
    const auto result = Load(c.args.positional[0], c);
    if (!result) return 1;
    const CFolari2Doc& doc = result->doc;
    std::optional<CQRNDatum> date;
    HoldingsQuery query;
    if (!DateOption(c, "--date", date) || !CurrencyOption(c, doc, query.targetCurrency)) return 1;
    query.openOnly = !c.args.Flag("--all");
    if (c.args.Flag("--reference")) {
        query.referenceMode = true;
        query.referenceDate = date.value_or(Today(c.clock));
    } else if (date) {
        query.limitByDate = true;
        query.limitDate = *date;
    }

    const NumberFormat format = NumberFormatOf(doc.options);
    const auto money = [&](double v) { return Money(doc, v); };
    c.out << "Nr.\tZustand\tWertpapier\tStück\tKaufdatum\tEingang\tVerkaufdatum\tKurs\t"
             "Kaufwert\tKaufkosten\tKaufpreis\tErträge\tVerkaufwert\tVerkaufkosten\t"
             "Verkauferlös\n";
    for (const CFL2DepotPos& lot : ComputeHoldings(doc, query)) {
        const CFL2Wertpapier* security = doc.FindSecurity(lot.securityId);
        c.out << lot.positionNo << '\t' << StateText(lot.state) << '\t'
              << (security ? security->name : "?") << '\t' << FormatQuantity(lot.quantity, format)
              << '\t' << lot.purchaseDate.FormatLong() << '\t' << lot.entryDate.FormatLong()
              << '\t' << (lot.state == PositionState::Open ? "-" : lot.saleDate.FormatLong())
              << '\t' << FormatDecimal(lot.price, format, 2, 7) << '\t'
              << money(lot.purchaseValue) << '\t' << money(lot.purchaseCosts) << '\t'
              << money(lot.purchaseTotal) << '\t' << money(lot.income) << '\t'
              << money(lot.saleValue) << '\t' << money(lot.saleCosts) << '\t'
              << money(lot.saleProceeds) << '\n';
    }
    return 0;
}

int Series(const Context& c) {
    const auto result = Load(c.args.positional[0], c);
    if (!result) return 1;
    const CFolari2Doc& doc = result->doc;
    std::optional<CQRNDatum> from;
    std::optional<CQRNDatum> to;
    int32_t currency = kBaseCurrencyId;
    if (!DateOption(c, "--from", from) || !DateOption(c, "--to", to) ||
        !CurrencyOption(c, doc, currency))
        return 1;
    if (!from || !to) {
        c.err << "series braucht --from und --to.\n";
        return 2;
    }
    if (*to < *from) {
        c.err << "--to liegt vor --from.\n";
        return 1;
    }
    const ValueSeriesResult depot = ValueSeries(doc, *from, *to, currency, true);
    const BalanceSeriesResult account = BalanceSeries(doc, *from, *to, currency, false, false);
    c.out << "Datum\tV\tI\tK\tP\n";
    for (size_t i = 0; i < depot.values.size(); ++i) {
        const CQRNDatum day(from->DayNumber() + static_cast<uint32_t>(i));
        c.out << day.FormatLong() << '\t' << Money(doc, depot.values[i]) << '\t'
              << Money(doc, depot.invested[i]) << '\t' << Money(doc, account.balance[i]) << '\t'
              << Money(doc, account.capital[i]) << '\n';
    }
    return 0;
}

}  // namespace pf::cli

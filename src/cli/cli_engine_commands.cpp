#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_commands_list.h"
#include "engine/balance_series.h"
#include "engine/holdings.h"
#include "engine/number_entry.h"
#include "engine/tax_categories.h"
#include "engine/value_series.h"

namespace pf::cli {

namespace {

const char* StateText(PositionState state) {
    switch (state) {
        case PositionState::Open:
            return "offen";
        case PositionState::Sold:
            return "verkauft";
        case PositionState::ExchangedOut:
            return "umgetauscht";
    }
    return "?";
}

// The columns of `lots --fields all`: every field of the lot record in its order, the name
// of the security after its id, and the tax category last.
constexpr const char* kAllFieldsHeader =
    "Nr.\tTransaktion\tWertpapier-ID\tWertpapier\tStück\tZustand\tAus Umtausch\tKaufdatum\t"
    "Eingang\tKurs\tKurswert 1\tProvision 1\tWährung 1\tDevisenbasis\tDevisenkurs\t"
    "Provision 2\tWährung 2\tBetrag\tText\tStoppkurs\tZielkurs\tVerkaufdatum\tVerkaufkurs\t"
    "Verkauf Kurswert 1\tVerkauf Provision 1\tVerkauf Währung 1\tVerkauf Devisenbasis\t"
    "Verkauf Devisenkurs\tVerkauf Provision 2\tVerkauf Währung 2\tVerkauf Betrag\t"
    "Verkauf Text\tKaufkosten\tKaufpreis\tErträge\tVerkaufkosten\tVerkauferlös\tKaufwert\t"
    "Verkaufwert\tAuswahl\tWiederherstellung\tSplitfaktor\tKurs vor Split\tStück vor Split\t"
    "Steuerpflicht\n";

// A text as one tab-separated field: tabs and line ends become spaces.
std::string Field(std::string text) {
    text = OneLine(std::move(text));
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

// One line of `lots --fields all`. Ids and flags are written as numbers (currencies by id,
// 0 = the base currency), the state and dates as in the default listing ("-" for the sale
// date of an open lot), pieces with all their decimals ("-" for no selected quantity),
// amounts with 2 decimals, prices, rates and factors with 2 to 7. The tax category is the
// short name of the one that applies to a sale on the sale date, or on `evaluationDate` for
// an open lot; "-" for none.
void WriteAllFields(const Context& c, const CFolari2Doc& doc, const CFL2DepotPos& lot,
                    CQRNDatum evaluationDate) {
    const NumberFormat format = NumberFormatOf(doc.options);
    const auto money = [&](double v) { return Money(doc, v); };
    const auto decimal = [&](double v) { return FormatDecimal(v, format, 2, 7); };
    const auto pieces = [&](Quantity q) { return FormatQuantity(q, format); };
    const CFL2Wertpapier* security = doc.FindSecurity(lot.securityId);
    const bool open = lot.state == PositionState::Open;
    const int tax = MatchTaxCategory(doc, lot.purchaseDate, open ? evaluationDate : lot.saleDate,
                                     security != nullptr && security->halfIncomeProcedure != 0);

    const std::vector<std::string> fields = {
        std::to_string(lot.positionNo),
        std::to_string(lot.transactionId),
        std::to_string(lot.securityId),
        Field(security ? security->name : "?"),
        pieces(lot.quantity),
        StateText(lot.state),
        std::to_string(lot.fromExchange),
        lot.purchaseDate.FormatLong(),
        lot.entryDate.FormatLong(),
        decimal(lot.price),
        money(lot.marketValue1),
        money(lot.commission1),
        std::to_string(lot.currency1),
        decimal(lot.rateBase),
        decimal(lot.rateQuote),
        money(lot.commission2),
        std::to_string(lot.currency2),
        money(lot.amount),
        Field(lot.text),
        decimal(lot.stopPrice),
        decimal(lot.targetPrice),
        open ? "-" : lot.saleDate.FormatLong(),
        decimal(lot.salePrice),
        money(lot.saleMarketValue1),
        money(lot.saleCommission1),
        std::to_string(lot.saleCurrency1),
        decimal(lot.saleRateBase),
        decimal(lot.saleRateQuote),
        money(lot.saleCommission2),
        std::to_string(lot.saleCurrency2),
        money(lot.saleAmount),
        Field(lot.saleText),
        money(lot.purchaseCosts),
        money(lot.purchaseTotal),
        money(lot.income),
        money(lot.saleCosts),
        money(lot.saleProceeds),
        money(lot.purchaseValue),
        money(lot.saleValue),
        lot.selectedQuantity < 0 ? "-" : pieces(lot.selectedQuantity),
        std::to_string(static_cast<int32_t>(lot.restoreMark)),
        decimal(lot.restoreFactor),
        decimal(lot.savedPrice),
        pieces(lot.savedQuantity),
        tax >= 0 ? Field(doc.taxCategories[static_cast<size_t>(tax)].abbreviation) : "-",
    };
    for (size_t i = 0; i < fields.size(); ++i) c.out << (i == 0 ? "" : "\t") << fields[i];
    c.out << '\n';
}

}  // namespace

int Lots(const Context& c) {
    const std::optional<std::string> fields = c.args.Option("--fields");
    if (fields && *fields != "all") {
        c.err << "Unbekannter Wert für --fields: " << *fields << " (möglich ist nur all).\n";
        return 2;
    }
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

    if (fields) {
        // Open lots are classified as if sold on the day the lots were computed for.
        const CQRNDatum evaluationDate = date.value_or(Today(c.clock));
        c.out << kAllFieldsHeader;
        for (const CFL2DepotPos& lot : ComputeHoldings(doc, query))
            WriteAllFields(c, doc, lot, evaluationDate);
        return 0;
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
              << '\t' << lot.purchaseDate.FormatLong() << '\t' << lot.entryDate.FormatLong() << '\t'
              << (lot.state == PositionState::Open ? "-" : lot.saleDate.FormatLong()) << '\t'
              << FormatDecimal(lot.price, format, 2, 7) << '\t' << money(lot.purchaseValue) << '\t'
              << money(lot.purchaseCosts) << '\t' << money(lot.purchaseTotal) << '\t'
              << money(lot.income) << '\t' << money(lot.saleValue) << '\t' << money(lot.saleCosts)
              << '\t' << money(lot.saleProceeds) << '\n';
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

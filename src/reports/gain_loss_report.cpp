#include "reports/gain_loss_report.h"

#include <algorithm>
#include <utility>

#include "engine/holdings.h"
#include "model/currency_conversion.h"
#include "model/document.h"
#include "reports/position_report_common.h"
#include "reports/report_format.h"
#include "reports/statement_table.h"

namespace pf {

namespace {

bool Has(uint64_t mask, int bit) { return (mask >> bit & 1u) != 0; }

std::string SecurityText(const CFolari2Doc& doc, int32_t securityId) {
    const CFL2Wertpapier* s = doc.FindSecurity(securityId);
    return s != nullptr ? s->name + " (" + s->wkn + ")" : std::string();
}

// A currency with variable rate that has no rate on or before `date`: its conversions give 0
// here rather than the factor 1 of a currency without rates.
bool LacksRate(const CFolari2Doc& doc, int32_t currency, CQRNDatum date) {
    const CFL2Waehrung* c = doc.FindCurrency(currency);
    if (c == nullptr || c->id == kBaseCurrencyId || c->isFixed != 0) return false;
    return c->rates.LatestOnOrBefore(date) == nullptr;
}

// `amount` of `currency` in the report currency at `date`, 2 decimals; 0 without a rate.
Amount AtDate(const CFolari2Doc& doc, Amount amount, int32_t currency, int32_t report,
              CQRNDatum date) {
    if (currency == report) return RoundTo(amount, 2);
    if (LacksRate(doc, currency, date) || LacksRate(doc, report, date)) return 0.0;
    return ConvertAtDate(doc, amount, date, currency, report, 2);
}

// The commissions of a trade in its account currency (currency 2), worked out as the holdings
// computation works them out, so that a lot's "Kaufpreis" here matches its purchase costs
// there: commission 1 at the trade's rate, 2 decimals, plus commission 2. A purchase divides by
// the rate base, a sale multiplies by its reciprocal; the two differ in the last bit, which can
// tip a half cent. 0 for a damaged rate pair.
Amount PurchaseCommissions(Amount commission1, Amount commission2, Rate rateBase, Rate rateQuote) {
    if (rateBase == 0.0) return 0.0;
    return RoundTo(commission1 * rateQuote / rateBase, 2) + commission2;
}
Amount SaleCommissions(Amount commission1, Amount commission2, Rate rateBase, Rate rateQuote) {
    if (rateBase == 0.0) return 0.0;
    return RoundTo(commission1 * rateQuote * (1.0 / rateBase), 2) + commission2;
}

// The items of the sections fed by account movements: bit, label, the movement kind's name.
struct KindItem {
    int section;
    int bit;
    const char* label;
};
constexpr KindItem kKindItems[] = {
    {kGvSectionCosts, kGvLimitFees, "Limit-Gebühren"},
    {kGvSectionCosts, kGvIncomeExpenses, "Werbungskosten"},
    {kGvSectionCosts, kGvCustodyFees, "Depotgebühren"},
    {kGvSectionCosts, kGvOtherCosts, "Sonstige Kosten"},
    {kGvSectionIncome, kGvDividends, "Dividenden-Gutschrift"},
    {kGvSectionIncome, kGvCoupons, "Coupon-Gutschrift"},
    {kGvSectionIncome, kGvRightsSales, "Bezugsrechtsverkauf"},
    {kGvSectionIncome, kGvDistributions, "Ausschüttung"},
    {kGvSectionIncome, kGvOtherIncome, "Sonstige Erträge"},
    {kGvSectionInterest, kGvInterestIncome, "Zinserträge (Haben-Zins)"},
    {kGvSectionInterest, kGvInterestExpenses, "Zinskosten (Soll-Zins)"},
    {kGvSectionTaxes, kGvTaxes, "Steuern"},
};

// The sold lots of the period, grouped.
void CollectSales(const CFolari2Doc& doc, GainLossStatement& s, bool grouped) {
    const int32_t currency = s.currencyId;
    HoldingsQuery query;
    query.limitByDate = true;
    query.limitDate = s.to;
    query.targetCurrency = currency;

    // Groups: categories with the same name and abbreviation share one, as in the realized
    // report; the sales without a category come last.
    std::vector<GainLossGroup> groups;
    std::vector<std::pair<std::string, std::string>> keys;
    std::vector<size_t> groupOfCategory;
    if (grouped) {
        for (const CFL2StPflKateg& c : doc.taxCategories) {
            size_t g = 0;
            while (g < keys.size() && keys[g] != std::pair{c.name, c.abbreviation}) ++g;
            if (g == keys.size()) {
                keys.emplace_back(c.name, c.abbreviation);
                groups.push_back({c.name, "Transaktionskosten für Verkäufe " + c.name, {}, 0, 0});
            }
            groupOfCategory.push_back(g);
        }
        groups.push_back({"Sonstige", "Transaktionskosten für Verkäufe Sonst.", {}, 0, 0});
    } else {
        groups.push_back({"Alle Verkäufe", "Transaktionskosten für Verkäufe", {}, 0, 0});
    }
    const size_t noneGroup = groups.size() - 1;

    if (!(s.to < s.from)) {
        for (const CFL2DepotPos& lot : ComputeHoldings(doc, query)) {
            if (lot.state != PositionState::Sold || lot.saleDate < s.from) continue;
            PositionRecord r = LotRecord(doc, lot, currency, s.to);
            SetHoldingPeriod(doc, r, lot.saleDate, s.costsInPurchasePrice);

            GainLossSale sale;
            sale.transactionId = lot.transactionId;
            sale.securityId = lot.securityId;
            sale.saleDate = lot.saleDate;
            sale.purchaseDate = lot.purchaseDate;
            sale.securityText = SecurityText(doc, lot.securityId);
            // Only the commissions of the trades are transaction costs. Movements allocated to
            // the lot as costs are counted under their own kind and are left out here, so that
            // no amount is counted twice.
            const Amount buyCommissions = AtDate(
                doc,
                PurchaseCommissions(lot.commission1, lot.commission2, lot.rateBase, lot.rateQuote),
                lot.currency2, currency, lot.purchaseDate);
            sale.purchaseBasis = s.costsInPurchasePrice
                                     ? RoundTo(r.purchaseValue + buyCommissions, 2)
                                     : r.purchaseValue;
            sale.saleValue = lot.saleValue;
            sale.gainLoss = RoundTo(sale.saleValue - sale.purchaseBasis, 2);
            sale.saleCosts = AtDate(doc,
                                    SaleCommissions(lot.saleCommission1, lot.saleCommission2,
                                                    lot.saleRateBase, lot.saleRateQuote),
                                    lot.saleCurrency2, currency, lot.saleDate);

            const size_t g = !grouped || r.taxCategory < 0
                                 ? noneGroup
                                 : groupOfCategory[static_cast<size_t>(r.taxCategory)];
            groups[g].gainLoss += sale.gainLoss;
            groups[g].saleCosts += sale.saleCosts;
            groups[g].sales.push_back(std::move(sale));
        }
    }
    for (GainLossGroup& g : groups) {
        if (g.sales.empty()) continue;
        // The holdings computation lists a lot sold whole where it was bought; the statement
        // lists the sales in the order they happened.
        std::stable_sort(
            g.sales.begin(), g.sales.end(),
            [](const GainLossSale& a, const GainLossSale& b) { return a.saleDate < b.saleDate; });
        g.gainLoss = RoundTo(g.gainLoss, 2);
        g.saleCosts = RoundTo(g.saleCosts, 2);
        s.groups.push_back(std::move(g));
    }
}

// The purchases of the period with commissions, as negative bookings.
void CollectPurchaseCosts(const CFolari2Doc& doc, const GainLossStatement& s, GainLossItem& item) {
    Amount sum = 0.0;
    for (const CFL2Transaktion& t : doc.transactions) {
        if (t.type != TransactionType::Buy || t.date < s.from || s.to < t.date) continue;
        const Amount costs =
            PurchaseCommissions(t.commission1, t.commission2, t.rateBase, t.rateQuote);
        if (costs == 0.0) continue;
        GainLossBooking b;
        b.transactionId = t.id;
        b.securityId = t.securityId;
        b.date = t.date;
        b.text = TransactionTypeLabel(t.type);
        b.securityText = SecurityText(doc, t.securityId);
        b.amount = -AtDate(doc, costs, t.currency2, s.currencyId, t.date);
        sum += b.amount;
        item.bookings.push_back(std::move(b));
    }
    item.purchaseCosts = RoundTo(sum, 2);
}

// The movements of `kindName` in the period; none when the document has no such kind.
void CollectMovements(const CFolari2Doc& doc, const GainLossStatement& s, const char* kindName,
                      GainLossItem& item) {
    const CFL2KontoVorgang* kind = doc.FindAccountMovementKindByName(kindName);
    if (kind == nullptr) return;
    Amount sum = 0.0;
    for (const CFL2Transaktion& t : doc.transactions) {
        if (t.type != TransactionType::AccountMovement || t.otherId != kind->id ||
            t.date < s.from || s.to < t.date)
            continue;
        GainLossBooking b;
        b.transactionId = t.id;
        b.date = t.date;
        b.text = t.text;
        if (t.linkFlag != 0 && t.securityId != -1) {
            b.securityId = t.securityId;
            b.securityText = SecurityText(doc, t.securityId);
        }
        // The movement's own flag decides the sign: a credit of a cost kind (a refund) or a
        // debit of an income kind (a reversal) counts against its item.
        const Amount converted = AtDate(doc, t.amount, t.currency2, s.currencyId, t.date);
        b.amount = t.kindOutflow != 0 ? -converted : converted;
        sum += b.amount;
        item.bookings.push_back(std::move(b));
    }
    item.sum = RoundTo(sum, 2);
}

}  // namespace

GainLossStatement ComputeGainLoss(const CFolari2Doc& doc, CQRNDatum from, CQRNDatum to) {
    const GainLossReportOptions& options = doc.options.gainLoss;
    const uint64_t mask = options.itemMask;
    GainLossStatement s;
    s.from = from;
    s.to = to;
    s.currencyId = options.currencyId;
    s.currencyName = CurrencyNameOf(doc, options.currencyId);
    s.costsInPurchasePrice = options.purchaseCostsInPrice != 0;

    CollectSales(doc, s, options.groupByTaxCategory != 0);

    const struct {
        int bit;
        const char* heading;
    } sections[] = {
        {kGvRealized, "Realisierte Gewinne und Verluste"},
        {kGvCosts, "Kosten"},
        {kGvIncome, "Erträge"},
        {kGvInterest, "Zinsen"},
        {kGvTaxes, "Steuern"},
    };
    for (const auto& [bit, heading] : sections) {
        GainLossSection section;
        section.bit = bit;
        section.heading = heading;
        section.shown = Has(mask, bit);
        s.sections.push_back(std::move(section));
    }

    GainLossItem trade;
    trade.bit = kGvTransactionCosts;
    trade.label = "Transaktionskosten";
    if (!s.costsInPurchasePrice && !(to < from)) CollectPurchaseCosts(doc, s, trade);
    Amount tradeSum = trade.purchaseCosts;
    for (const GainLossGroup& g : s.groups) tradeSum -= g.saleCosts;
    trade.sum = RoundTo(tradeSum, 2);
    s.sections[kGvSectionCosts].items.push_back(std::move(trade));

    for (const KindItem& k : kKindItems) {
        GainLossItem item;
        item.bit = k.bit;
        item.label = k.label;
        if (!(to < from)) CollectMovements(doc, s, k.label, item);
        s.sections[static_cast<size_t>(k.section)].items.push_back(std::move(item));
    }

    Amount running = 0.0;
    for (GainLossSection& section : s.sections) {
        Amount sum = 0.0;
        if (&section == &s.sections[kGvSectionRealized]) {
            for (const GainLossGroup& g : s.groups) sum += g.gainLoss;
        } else {
            for (GainLossItem& item : section.items) {
                item.shown = section.shown && Has(mask, item.bit);
                if (item.shown) sum += item.sum;
            }
        }
        section.sum = RoundTo(sum, 2);
        if (section.shown) running = RoundTo(running + section.sum, 2);
        section.runningTotal = running;
    }
    s.total = running;
    return s;
}

namespace {

// The columns of the statement: the sale and buy date (or the booking's date and text), the
// security, the purchase basis and sale value, the amount of a sale or booking, and the
// amounts of the items, groups and sums.
enum Column : int {
    kDateColumn = 0,
    kSecondColumn = 1,
    kSecurityColumn = 2,
    kBasisColumn = 3,
    kSaleValueColumn = 4,
    kDetailColumn = 5,
    kSumColumn = 6,
    kColumnCount = 7,
};

class StatementWriter {
  public:
    StatementWriter(const CFolari2Doc& doc, const GainLossStatement& s) : doc_(doc), s_(s) {
        StatementTable t = StartStatementTable(doc, kColumnCount);
        table_ = std::move(t.table);
        rowFont_ = t.rowFont;
        titleFont_ = t.titleFont;
        subtitleFont_ = t.subtitleFont;
        smallFont_ = t.smallFont;
        gap_ = t.gap;
        for (int c : {kBasisColumn, kSaleValueColumn, kDetailColumn, kSumColumn})
            table_->SetColumnAlignment(c, kAlignRight);
    }

    std::unique_ptr<ReportTable> Finish() { return std::move(table_); }

    void Titles(const std::string& title1, bool large1, const std::string& title2, bool large2) {
        for (const auto& [text, large] : {std::pair{&title1, large1}, {&title2, large2}}) {
            if (text->empty()) continue;
            const int row = table_->AddRow(Row(large ? titleFont_ : subtitleFont_, 0));
            table_->SetCell(row, 0, *text, kColumnCount, kAlignLeft);
        }
    }

    void Heading(const std::string& text) {
        const int row = table_->AddRow(Row(subtitleFont_, 2 * gap_));
        table_->SetCell(row, 0, text, kColumnCount, kAlignLeft);
    }

    // A labelled amount: an item, a group, a section's sum, a subtotal or the total.
    void Line(const std::string& label, Amount amount, int spacingBefore = 0) {
        const int row = table_->AddRow(Row(rowFont_, spacingBefore));
        table_->SetCell(row, 0, label, kSumColumn, kAlignLeft);
        table_->SetCell(row, kSumColumn, Money(amount));
    }

    void SaleTitles(bool values) {
        const int row = table_->AddRow(Row(smallFont_, 0));
        table_->SetCell(row, kDateColumn, "Verkauf");
        table_->SetCell(row, kSecondColumn, "Kauf");
        table_->SetCell(row, kSecurityColumn, "Wertpapier (WKN)");
        if (values) {
            table_->SetCell(row, kBasisColumn, s_.costsInPurchasePrice ? "Kaufpreis" : "Kaufwert");
            table_->SetCell(row, kSaleValueColumn, "Verkaufwert");
        }
        table_->SetCell(row, kDetailColumn, "G/V");
    }

    void Sale(const GainLossSale& sale, bool values) {
        const int row = table_->AddRow(DetailRow(sale.transactionId, sale.securityId));
        table_->SetCell(row, kDateColumn, sale.saleDate.FormatLong());
        table_->SetCell(row, kSecondColumn, sale.purchaseDate.FormatLong());
        table_->SetCell(row, kSecurityColumn, sale.securityText);
        if (values) {
            table_->SetCell(row, kBasisColumn, Money(sale.purchaseBasis));
            table_->SetCell(row, kSaleValueColumn, Money(sale.saleValue));
        }
        table_->SetCell(row, kDetailColumn, Money(sale.gainLoss));
    }

    void BookingTitles(const char* textHeader) {
        const int row = table_->AddRow(Row(smallFont_, 0));
        table_->SetCell(row, kDateColumn, "Datum");
        table_->SetCell(row, kSecondColumn, textHeader);
        table_->SetCell(row, kSecurityColumn, "Wertpapier (WKN)");
        table_->SetCell(row, kDetailColumn, "Betrag");
    }

    void Booking(const GainLossBooking& b) {
        const int row = table_->AddRow(DetailRow(b.transactionId, b.securityId));
        table_->SetCell(row, kDateColumn, b.date.FormatLong());
        table_->SetCell(row, kSecondColumn, b.text);
        table_->SetCell(row, kSecurityColumn, b.securityText);
        table_->SetCell(row, kDetailColumn, Money(b.amount));
    }

    int Gap() const { return gap_; }

  private:
    static RowStyle Row(int font, int spacingBefore) { return WhiteRow(font, spacingBefore); }
    RowStyle DetailRow(int32_t transactionId, int32_t securityId) const {
        RowStyle style = Row(smallFont_, 0);
        style.user[kUserTransaction] = transactionId;
        style.user[kUserRowKind] = 0;
        style.user[kUserSecurity] = securityId;
        return style;
    }
    std::string Money(Amount x) const {
        return FormatNumber(x, 2, 2, false, doc_.options) + " " + s_.currencyName;
    }

    const CFolari2Doc& doc_;
    const GainLossStatement& s_;
    std::unique_ptr<ReportTable> table_;
    int rowFont_ = 0;  // "großer Text", the table's base font
    int titleFont_ = 0;
    int subtitleFont_ = 0;
    int smallFont_ = 0;
    int gap_ = 0;
};

// The bits of the column titles, single listing and subtotal of the four item sections
// (-1: none).
struct SectionBits {
    int titles;
    int bookings;
    int subtotal;
};
constexpr SectionBits kSectionBits[] = {
    {kGvRealizedTitles, kGvRealizedPositions, -1},
    {kGvCostsTitles, kGvCostsBookings, kGvCostsSubtotal},
    {kGvIncomeTitles, kGvIncomeBookings, kGvIncomeSubtotal},
    {kGvInterestTitles, kGvInterestBookings, kGvInterestSubtotal},
    {kGvTaxesTitles, kGvTaxesBookings, -1},
};

}  // namespace

std::unique_ptr<ReportTable> BuildGainLossReport(const CFolari2Doc& doc, CQRNDatum from,
                                                 CQRNDatum to) {
    const GainLossReportOptions& options = doc.options.gainLoss;
    const uint64_t mask = options.itemMask;
    const GainLossStatement s = ComputeGainLoss(doc, from, to);
    StatementWriter w(doc, s);
    w.Titles(StatementTitle(doc, options.title1, from, to), options.title1Large != 0,
             StatementTitle(doc, options.title2, from, to), options.title2Large != 0);

    for (size_t i = 0; i < s.sections.size(); ++i) {
        const GainLossSection& section = s.sections[i];
        if (!section.shown) continue;
        const SectionBits& bits = kSectionBits[i];
        const bool titles = Has(mask, bits.titles);
        const bool details = Has(mask, bits.bookings);
        w.Heading(section.heading);

        if (i == kGvSectionRealized) {
            const bool values = Has(mask, kGvRealizedValues);
            for (const GainLossGroup& g : s.groups) {
                w.Line(g.label, g.gainLoss, w.Gap());
                if (!details) continue;
                if (titles) w.SaleTitles(values);
                for (const GainLossSale& sale : g.sales) w.Sale(sale, values);
            }
        } else {
            for (const GainLossItem& item : section.items) {
                if (!item.shown) continue;
                if (item.bit == kGvTransactionCosts) {
                    if (!s.costsInPurchasePrice) {
                        w.Line(item.label, item.purchaseCosts, w.Gap());
                        if (details && !item.bookings.empty()) {
                            if (titles) w.BookingTitles("Vorgang");
                            for (const GainLossBooking& b : item.bookings) w.Booking(b);
                        }
                    }
                    for (const GainLossGroup& g : s.groups) {
                        w.Line(g.costLabel, -g.saleCosts, w.Gap());
                        if (!details) continue;
                        if (titles) w.BookingTitles("Vorgang");
                        for (const GainLossSale& sale : g.sales) {
                            if (sale.saleCosts == 0.0) continue;
                            GainLossBooking b;
                            b.transactionId = sale.transactionId;
                            b.securityId = sale.securityId;
                            b.date = sale.saleDate;
                            b.text = TransactionTypeLabel(TransactionType::Sell);
                            b.securityText = sale.securityText;
                            b.amount = -sale.saleCosts;
                            w.Booking(b);
                        }
                    }
                    continue;
                }
                w.Line(item.label, item.sum, w.Gap());
                if (!details || item.bookings.empty()) continue;
                if (titles) w.BookingTitles("Text");
                for (const GainLossBooking& b : item.bookings) w.Booking(b);
            }
        }
        w.Line("Summe " + section.heading, section.sum, w.Gap());
        if (bits.subtotal >= 0 && Has(mask, bits.subtotal))
            w.Line("ZWISCHENSUMME", section.runningTotal, w.Gap());
    }
    if (Has(mask, kGvFinalTotal)) w.Line("ENDSUMME", s.total, 2 * w.Gap());
    return w.Finish();
}

}  // namespace pf

#include "model/document.h"

#include <gtest/gtest.h>

#include <string>

#include "support/full_document.h"

namespace pf {
namespace {

using testing::Day;

struct LegacyRow {
    const char* symbol;
    const char* name;
    double unitsPerEuro;
};
const LegacyRow kLegacy[] = {
    {"DM", "Deutsche Mark", 1.95583},           {"öS", "Österreichische Schilling", 13.7603},
    {"hFl", "Niederländische Gulden", 2.20371}, {"bfr", "Belgische Francs", 40.3399},
    {"lfr", "Luxemburgische Francs", 40.3399},  {"Lit", "Italienische Lire", 1936.27},
    {"Ptas", "Spanische Peseten", 166.386},     {"FF", "Französische Francs", 6.55957},
    {"PTE", "Portugiesische Escudos", 200.482}, {"IEP", "Irische Pfund", 0.787564},
    {"FIM", "Finnische Markkaa", 5.94573},
};

void ExpectCurrency(const CFL2Waehrung& c, int32_t id, const char* symbol, const char* name,
                    double rate1) {
    EXPECT_EQ(c.id, id);
    EXPECT_EQ(c.symbol, symbol);
    EXPECT_EQ(c.name, name);
    EXPECT_EQ(c.isFixed, 1);
    EXPECT_EQ(c.fixedRate1, rate1);
    EXPECT_EQ(c.fixedRate2, 1.0);
    EXPECT_TRUE(c.rates.empty());
}

TEST(NewDocument, SeedsEuroAndTheTickedLegacyCurrenciesInTableOrder) {
    struct Case {
        uint32_t mask;
        const char* accountSymbol;
    };
    const Case cases[] = {
        {0, "EUR"}, {0x7FF, "FIM"}, {(1u << 7) | (1u << 0), "FF"}, {1u << 9, "DM"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.mask);
        NewDocumentChoices choices;
        choices.legacyCurrencyMask = k.mask;
        choices.initialAccountCurrencySymbol = k.accountSymbol;
        CFolari2Doc doc;
        doc.NewDocument(choices, Day(1, 6, 2010));

        ASSERT_FALSE(doc.currencies.empty());
        ExpectCurrency(doc.currencies[0], 0, "EUR", "Euro", 1.0);
        size_t next = 1;
        for (unsigned bit = 0; bit < std::size(kLegacy); ++bit) {
            if ((k.mask >> bit & 1u) == 0) continue;
            SCOPED_TRACE(kLegacy[bit].symbol);
            ASSERT_LT(next, doc.currencies.size());
            ExpectCurrency(doc.currencies[next], static_cast<int32_t>(next), kLegacy[bit].symbol,
                           kLegacy[bit].name, kLegacy[bit].unitsPerEuro);
            ++next;
        }
        EXPECT_EQ(doc.currencies.size(), next);
        EXPECT_EQ(doc.nextCurrencyId, static_cast<int32_t>(next));

        // The account starts in the chosen currency when it was seeded, else in the base.
        const CFL2Waehrung* account = doc.FindCurrencyBySymbol(k.accountSymbol);
        EXPECT_EQ(doc.initialAccountCurrencyId, account ? account->id : 0);
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST(NewDocument, OwnBaseCurrencyReplacesTheEuro) {
    NewDocumentChoices choices;
    choices.ownBaseSymbol = "CHF";
    choices.ownBaseName = "Schweizer Franken";
    choices.legacyCurrencyMask = 0x7FF;  // ignored with an own base currency
    choices.initialAccountCurrencySymbol = "CHF";
    CFolari2Doc doc;
    doc.NewDocument(choices, Day(1, 6, 2010));
    ASSERT_EQ(doc.currencies.size(), 1u);
    ExpectCurrency(doc.currencies[0], 0, "CHF", "Schweizer Franken", 1.0);
    EXPECT_EQ(doc.initialAccountCurrencyId, 0);
    EXPECT_EQ(doc.nextCurrencyId, 1);
}

TEST(NewDocument, SeedsTheStandardAccountMovementKinds) {
    struct Row {
        const char* name;
        int32_t isOutflow, allowsSecurityLink, isCapital;
    };
    const Row rows[] = {
        {"Kapitaleinlage", 0, 0, 1},         {"Kapitalentnahme", 1, 0, 1},
        {"Dividenden-Gutschrift", 0, 1, 0},  {"Coupon-Gutschrift", 0, 1, 0},
        {"Bezugsrechtsverkauf", 0, 1, 0},    {"Ausschüttung", 0, 1, 0},
        {"Limit-Gebühren", 1, 1, 0},         {"Zinserträge (Haben-Zins)", 0, 1, 0},
        {"Zinskosten (Soll-Zins)", 1, 1, 0}, {"Steuern", 1, 1, 0},
        {"Werbungskosten", 1, 1, 0},         {"Sonstige Erträge", 0, 1, 0},
        {"Sonstige Kosten", 1, 1, 0},        {"Depotgebühren", 1, 0, 0},
    };
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 6, 2010));
    ASSERT_EQ(doc.accountMovementKinds.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        const CFL2KontoVorgang& k = doc.accountMovementKinds[i];
        EXPECT_EQ(k.id, static_cast<int32_t>(i));
        EXPECT_EQ(k.name, rows[i].name);
        EXPECT_EQ(k.isOutflow, rows[i].isOutflow);
        EXPECT_EQ(k.allowsSecurityLink, rows[i].allowsSecurityLink);
        EXPECT_EQ(k.isCapital, rows[i].isCapital);
    }
    EXPECT_EQ(doc.nextKindId, 14);
}

TEST(NewDocument, SeedsTheFiveTaxCategories) {
    struct Row {
        const char* name;
        const char* abbreviation;
        int32_t useSale, useBuy, useHolding, useHalfIncome;
        CQRNDatum saleFrom, saleTo;       // checked when the sale period is on
        CQRNDatum buyFrom, buyTo;         // stored even when off
        int32_t comparison, value, unit;  // stored even when off
        int32_t halfIncomeOption;
    };
    const CQRNDatum y2009 = Day(1, 1, 2009), last = Day(18, 1, 2038);
    const Row rows[] = {
        {"Steuerpflichtig (Abgeltungssteuer)", "Stpfl. (A)", 1, 1, 0, 0, y2009, last, y2009, last,
         0, 1, 1, 0},
        {"Steuerpflichtig (Halbeinkünfteverfahren)", "Stpfl. (HE)", 1, 0, 1, 1, Day(1, 1, 2002),
         Day(31, 12, 2008), y2009, y2009, 0, 12, 1, 0},
        {"Steuerfrei", "Stfr.", 1, 0, 1, 0, Day(1, 1, 1999), last, y2009, y2009, 3, 12, 1, 0},
        {"Steuerfrei", "Stfr.", 1, 0, 1, 0, Day(2, 1, 1970), Day(31, 12, 1998), y2009, y2009, 3, 6,
         1, 0},
        {"Steuerpflichtig", "Stpfl.", 0, 0, 0, 0, {}, {}, y2009, y2009, 0, 1, 1, 0},
    };
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 6, 2010));
    ASSERT_EQ(doc.taxCategories.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i + 1);
        const Row& r = rows[i];
        const CFL2StPflKateg& c = doc.taxCategories[i];
        EXPECT_EQ(c.name, r.name);
        EXPECT_EQ(c.abbreviation, r.abbreviation);
        EXPECT_EQ(c.useSalePeriod, r.useSale);
        EXPECT_EQ(c.usePurchasePeriod, r.useBuy);
        EXPECT_EQ(c.useHoldingTime, r.useHolding);
        EXPECT_EQ(c.useHalfIncome, r.useHalfIncome);
        if (r.useSale) {
            EXPECT_EQ(c.salePeriodFrom, r.saleFrom);
            EXPECT_EQ(c.salePeriodTo, r.saleTo);
        }
        EXPECT_EQ(c.purchasePeriodFrom, r.buyFrom);
        EXPECT_EQ(c.purchasePeriodTo, r.buyTo);
        EXPECT_EQ(c.holdingTimeComparison, r.comparison);
        EXPECT_EQ(c.holdingTimeValue, r.value);
        EXPECT_EQ(c.holdingTimeUnit, r.unit);
        EXPECT_EQ(c.halfIncomeOption, r.halfIncomeOption);
    }
}

TEST(NewDocument, OptionDefaultsAndAFreshStart) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 6, 2010));
    CFL2Wertpapier s;
    s.name = "Alt";
    s.wkn = "1";
    doc.AddSecurity(s);
    doc.options.decimalSeparator = ".";
    doc.SetModified();

    NewDocumentChoices choices;
    choices.depot.holderName = "Erika Mustermann";
    const CQRNDatum today = Day(5, 3, 2011);
    doc.NewDocument(choices, today);

    EXPECT_TRUE(doc.securities.empty());
    EXPECT_TRUE(doc.transactions.empty());
    EXPECT_EQ(doc.nextSecurityId, 0);
    EXPECT_EQ(doc.depot.holderName, "Erika Mustermann");
    EXPECT_FALSE(doc.IsModified());

    const DocumentOptions& o = doc.options;
    EXPECT_EQ(o.decimalSeparator, ",");
    EXPECT_EQ(o.thousandsSeparator, ".");
    EXPECT_EQ(o.splitRoundingDecimals, 2);
    EXPECT_EQ(o.periodFromChoice, 1);
    EXPECT_EQ(o.periodToChoice, 0);
    EXPECT_EQ(o.periodFromDate, today);
    EXPECT_EQ(o.periodToDate, today);
    EXPECT_EQ(o.earningsYear1, "2011");
    EXPECT_EQ(o.earningsYear2, "2012");
    EXPECT_EQ(o.ownCategoryCaption1, "Eigene Kategorie 1");
    EXPECT_EQ(o.ownCategoryCaption2, "Eigene Kategorie 2");
    EXPECT_EQ(o.screenScaleFactor, 1.0);
    EXPECT_EQ(doc.initialAccountCurrencyId, 0);
}

TEST(Document, AddCurrency) {
    CFolari2Doc doc;
    // The first currency becomes the base: always fixed at 1.0 / 1.0.
    AddResult r = doc.AddCurrency("EUR", "Euro", false, 2.0, 3.0, 5, 1);
    EXPECT_EQ(r.result, DocResult::Ok);
    EXPECT_EQ(r.id, 0);
    EXPECT_TRUE(doc.IsModified());
    const CFL2Waehrung* base = doc.FindCurrency(0);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->isFixed, 1);
    EXPECT_EQ(base->fixedRate1, 1.0);
    EXPECT_EQ(base->fixedRate2, 1.0);

    r = doc.AddCurrency("USD", "US-Dollar", false, 7.0, 8.0, 0, 1);
    EXPECT_EQ(r.result, DocResult::Ok);
    EXPECT_EQ(r.id, 1);
    const CFL2Waehrung* usd = doc.FindCurrency(1);
    ASSERT_NE(usd, nullptr);
    EXPECT_EQ(usd->isFixed, 0);
    EXPECT_EQ(usd->fixedRate1, 1.0);  // variable currencies carry 1.0 / 1.0
    EXPECT_EQ(usd->fixedRate2, 1.0);
    EXPECT_EQ(usd->quoteFormat, 1);
    EXPECT_EQ(usd->referenceCurrencyId, 0);

    r = doc.AddCurrency("DM", "Deutsche Mark", true, 1.95583, 1.0, 0, 0);
    EXPECT_EQ(r.id, 2);
    EXPECT_EQ(doc.FindCurrency(2)->fixedRate1, 1.95583);
    EXPECT_EQ(doc.FindCurrency(2)->isFixed, 1);

    doc.SetModified(false);
    EXPECT_EQ(doc.AddCurrency("", "Leer", true, 1, 1, 0, 0).result, DocResult::FirstFieldEmpty);
    EXPECT_EQ(doc.AddCurrency("USD", "Noch einmal", true, 1, 1, 0, 0).result,
              DocResult::FirstKeyExists);
    EXPECT_EQ(doc.AddCurrency("USD", "", true, 1, 1, 0, 0).id, -1);
    EXPECT_EQ(doc.currencies.size(), 3u);
    EXPECT_EQ(doc.nextCurrencyId, 3);
    EXPECT_FALSE(doc.IsModified());
}

CFL2Wertpapier Security(const std::string& name, const std::string& wkn) {
    CFL2Wertpapier s;
    s.name = name;
    s.wkn = wkn;
    return s;
}

// Two securities, "Alpha" (WKN 111) and "Beta" (WKN 222), in that order.
class SecurityKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        NewDocumentChoices choices;
        choices.legacyCurrencyMask = 1;  // DM
        doc.NewDocument(choices, Day(1, 6, 2010));
        alpha = doc.AddSecurity(Security("Alpha", "111")).id;
        doc.AddSecurity(Security("Beta", "222"));
        doc.SetModified(false);
    }

    CFolari2Doc doc;
    int32_t alpha = -1;
};

TEST_F(SecurityKeys, AddSecurityCodes) {
    struct Case {
        const char* what;
        const char* name;
        const char* wkn;
        DocResult expected;
    };
    const Case cases[] = {
        {"empty name", "", "333", DocResult::FirstFieldEmpty},
        {"both empty", "", "", DocResult::FirstFieldEmpty},
        {"empty WKN", "Gamma", "", DocResult::SecondFieldEmpty},
        {"empty WKN, name taken", "Alpha", "", DocResult::SecondFieldEmpty},
        {"name taken", "Alpha", "333", DocResult::FirstKeyExists},
        {"WKN taken", "Gamma", "222", DocResult::SecondKeyExists},
        // The whole list is scanned; the last hit decides.
        {"name of first, WKN of second", "Alpha", "222", DocResult::SecondKeyExists},
        {"WKN of first, name of second", "Beta", "111", DocResult::FirstKeyExists},
        // Within one security the WKN is checked after the name.
        {"both of the same security", "Beta", "222", DocResult::SecondKeyExists},
        {"keys compare exactly", "alpha", "111 ", DocResult::Ok},
        {"new", "Gamma", "333", DocResult::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFolari2Doc copy = doc;
        const AddResult r = copy.AddSecurity(Security(c.name, c.wkn));
        EXPECT_EQ(r.result, c.expected);
        if (c.expected == DocResult::Ok) {
            EXPECT_EQ(r.id, 2);
            EXPECT_EQ(copy.securities.size(), 3u);
            EXPECT_TRUE(copy.IsModified());
        } else {
            EXPECT_EQ(r.id, -1);
            EXPECT_EQ(copy.securities, doc.securities);
            EXPECT_EQ(copy.nextSecurityId, doc.nextSecurityId);  // no id consumed
            EXPECT_FALSE(copy.IsModified());
        }
    }
}

TEST_F(SecurityKeys, AddSecurityTakesTheFieldsButNotIdQuotesOrSplits) {
    CFL2Wertpapier s = Security("Gamma", "333");
    s.id = 77;
    s.isin = "DE0001234567";
    s.quoteCurrencyId = 1;
    s.halfIncomeProcedure = 1;
    s.remarks = "Bemerkung";
    s.quotes.SetQuote(Day(1, 1, 2010), 5.0);
    s.AddSplit(Day(1, 1, 2010), 0, 2.0);
    const AddResult r = doc.AddSecurity(s);
    ASSERT_EQ(r.result, DocResult::Ok);
    const CFL2Wertpapier* added = doc.FindSecurity(r.id);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->id, 2);
    EXPECT_EQ(added->isin, "DE0001234567");
    EXPECT_EQ(added->quoteCurrencyId, 1);
    EXPECT_EQ(added->halfIncomeProcedure, 1);
    EXPECT_EQ(added->remarks, "Bemerkung");
    EXPECT_TRUE(added->quotes.empty());
    EXPECT_TRUE(added->splits.empty());
    EXPECT_EQ(doc.FindSecurity(77), nullptr);
}

TEST_F(SecurityKeys, ModifySecurityCodesIgnoreTheSecurityItself) {
    // Editing Alpha: Alpha's own keys no longer count, Beta's still do.
    struct Case {
        const char* what;
        const char* name;
        const char* wkn;
        DocResult expected;
    };
    const Case cases[] = {
        {"unchanged", "Alpha", "111", DocResult::Ok},
        {"renamed", "Alpha neu", "111", DocResult::Ok},
        {"empty name", "", "111", DocResult::FirstFieldEmpty},
        {"empty WKN", "Alpha", "", DocResult::SecondFieldEmpty},
        {"name of Beta", "Beta", "111", DocResult::FirstKeyExists},
        {"WKN of Beta", "Alpha", "222", DocResult::SecondKeyExists},
        {"both of Beta", "Beta", "222", DocResult::SecondKeyExists},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFolari2Doc copy = doc;
        CFL2Wertpapier edited = *copy.FindSecurity(alpha);
        edited.name = c.name;
        edited.wkn = c.wkn;
        EXPECT_EQ(copy.ModifySecurity(alpha, edited), c.expected);
        const CFL2Wertpapier* stored = copy.FindSecurity(alpha);
        ASSERT_NE(stored, nullptr);
        if (c.expected == DocResult::Ok) {
            EXPECT_EQ(stored->name, c.name);
            EXPECT_TRUE(copy.IsModified());
        } else {
            EXPECT_EQ(*stored, *doc.FindSecurity(alpha));
            EXPECT_FALSE(copy.IsModified());
        }
    }
    EXPECT_EQ(doc.ModifySecurity(42, Security("X", "Y")), DocResult::UnknownId);
    EXPECT_EQ(doc.ModifySecurity(42, Security("", "")), DocResult::UnknownId);
}

TEST_F(SecurityKeys, ModifySecurityConvertsQuotesWhenTheQuoteCurrencyChanges) {
    const int32_t usd = doc.AddCurrency("USD", "US-Dollar", false, 0, 0, 0, 0).id;
    doc.FindCurrency(usd)->rates.SetQuote(Day(1, 1, 2010), 1.25);  // 1.25 USD = 1 EUR
    doc.FindCurrency(usd)->rates.SetQuote(Day(1, 1, 2011), 2.0);   // 2 USD = 1 EUR

    CFL2Wertpapier* s = doc.FindSecurity(alpha);
    s->quoteCurrencyId = 1;  // DM
    s->quotes.SetQuote(Day(1, 6, 2010), 100.0);
    s->quotes.SetQuote(Day(1, 6, 2011), 19.5583);
    s->AddSplit(Day(1, 1, 2011), 0, 2.0);

    struct Case {
        const char* what;
        int32_t from, to;
        int decimals;
        double expected2010, expected2011;
    };
    const Case cases[] = {
        {"DM to EUR", 1, 0, 2, 51.13, 10.0},
        {"DM to EUR, 4 decimals", 1, 0, 4, 51.1292, 10.0},
        {"DM to USD at each quote's date", 1, usd, 2, 63.91, 20.0},
        {"unchanged currency leaves quotes alone", 1, 1, 0, 100.0, 19.5583},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFolari2Doc copy = doc;
        CFL2Wertpapier edited = *copy.FindSecurity(alpha);
        edited.quoteCurrencyId = c.to;
        edited.quotes.ClearQuotes();  // the dialog's copy of the quotes does not matter
        edited.splits.clear();
        ASSERT_EQ(copy.ModifySecurity(alpha, edited, c.decimals), DocResult::Ok);
        const CFL2Wertpapier* stored = copy.FindSecurity(alpha);
        EXPECT_EQ(stored->quoteCurrencyId, c.to);
        ASSERT_EQ(stored->quotes.size(), 2u);
        EXPECT_EQ(stored->quotes[0], (CFL2Kurs{Day(1, 6, 2010), c.expected2010}));
        EXPECT_EQ(stored->quotes[1], (CFL2Kurs{Day(1, 6, 2011), c.expected2011}));
        EXPECT_EQ(stored->splits, doc.FindSecurity(alpha)->splits);
    }

    // Regression: a quote currency that does not exist turned every quote into 0.0; the
    // change is now refused and the quotes stay as they were.
    CFL2Wertpapier edited = *doc.FindSecurity(alpha);
    edited.quoteCurrencyId = 99;
    EXPECT_EQ(doc.ModifySecurity(alpha, edited), DocResult::UnknownId);
    EXPECT_EQ(doc.FindSecurity(alpha)->quotes[0].value, 100.0);
    EXPECT_EQ(doc.FindSecurity(alpha)->quoteCurrencyId, 1);
}

TEST(Document, AccountMovementKindsAndLookups) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 6, 2010));
    const int32_t id = doc.AddAccountMovementKind("Kontoführung", true, false, true);
    EXPECT_EQ(id, 14);
    EXPECT_EQ(doc.nextKindId, 15);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.accountMovementKinds.size(), 15u);
    EXPECT_EQ(doc.accountMovementKinds.back(), (CFL2KontoVorgang{"Kontoführung", 14, 1, 0, 1}));
    EXPECT_EQ(doc.AddAccountMovementKind("Kontoführung", false, true, false), 15);

    EXPECT_EQ(doc.FindAccountMovementKind(14), &doc.accountMovementKinds[14]);
    EXPECT_EQ(doc.FindAccountMovementKind(99), nullptr);
    EXPECT_EQ(doc.FindAccountMovementKindByName("Steuern")->id, 9);
    EXPECT_EQ(doc.FindAccountMovementKindByName("Kontoführung")->id, 14);  // the first
    EXPECT_EQ(doc.FindAccountMovementKindByName("steuern"), nullptr);

    EXPECT_EQ(doc.FindCurrency(0)->symbol, "EUR");
    EXPECT_EQ(doc.FindCurrency(-1), nullptr);
    EXPECT_EQ(doc.FindCurrencyBySymbol("DM"), nullptr);
    EXPECT_EQ(doc.FindSecurity(0), nullptr);
    EXPECT_EQ(doc.FindTransaction(0), nullptr);
    CFL2Transaktion t;
    t.id = 7;
    doc.InsertTransactionSorted(t, false);
    EXPECT_EQ(doc.FindTransaction(7), &doc.transactions[0]);
}

TEST(Document, ModifyCurrencyCodesAndRateRules) {
    CFolari2Doc doc;
    NewDocumentChoices choices;
    choices.legacyCurrencyMask = 1;  // EUR 0, DM 1
    doc.NewDocument(choices, Day(1, 6, 2010));
    const int32_t usd = doc.AddCurrency("USD", "US-Dollar", false, 1, 1, 0, 0).id;
    doc.FindCurrency(usd)->rates.SetQuote(Day(1, 1, 2010), 1.25);
    doc.SetModified(false);

    EXPECT_EQ(doc.ModifyCurrency(99, "X", "X", false, 1, 1, 0, 0), DocResult::UnknownId);
    EXPECT_EQ(doc.ModifyCurrency(usd, "", "US-Dollar", false, 1, 1, 0, 0),
              DocResult::FirstFieldEmpty);
    EXPECT_EQ(doc.ModifyCurrency(usd, "DM", "US-Dollar", false, 1, 1, 0, 0),
              DocResult::FirstKeyExists);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.FindCurrency(usd)->symbol, "USD");

    // Keeping its own symbol is no duplicate; the rate history survives the change.
    EXPECT_EQ(doc.ModifyCurrency(usd, "USD", "Dollar", false, 5, 6, 1, 1), DocResult::Ok);
    const CFL2Waehrung* c = doc.FindCurrency(usd);
    EXPECT_EQ(c->name, "Dollar");
    EXPECT_EQ(c->isFixed, 0);
    EXPECT_EQ(c->fixedRate1, 1.0);
    EXPECT_EQ(c->fixedRate2, 1.0);
    EXPECT_EQ(c->referenceCurrencyId, 1);
    EXPECT_EQ(c->quoteFormat, 1);
    EXPECT_EQ(c->rates.size(), 1u);
    EXPECT_TRUE(doc.IsModified());

    EXPECT_EQ(doc.ModifyCurrency(usd, "USD", "Dollar", true, 0.9, 1.0, 0, 0), DocResult::Ok);
    EXPECT_EQ(c->isFixed, 1);
    EXPECT_EQ(c->fixedRate1, 0.9);

    // The base currency stays fixed at 1.0 / 1.0 whatever is passed.
    EXPECT_EQ(doc.ModifyCurrency(0, "EUR", "Euro (neu)", false, 3, 4, 1, 1), DocResult::Ok);
    EXPECT_EQ(doc.FindCurrency(0)->isFixed, 1);
    EXPECT_EQ(doc.FindCurrency(0)->fixedRate1, 1.0);
    EXPECT_EQ(doc.FindCurrency(0)->fixedRate2, 1.0);
    EXPECT_EQ(doc.FindCurrency(0)->name, "Euro (neu)");
}

TEST(Document, DeleteCurrencyRefusesEveryUse) {
    struct Case {
        const char* use;
        void (*make)(CFolari2Doc& doc, int32_t id);
    };
    const Case cases[] = {
        {"nothing", [](CFolari2Doc&, int32_t) {}},
        {"quote currency of a security",
         [](CFolari2Doc& doc, int32_t id) {
             CFL2Wertpapier s;
             s.name = "A";
             s.wkn = "1";
             s.quoteCurrencyId = id;
             doc.AddSecurity(s);
         }},
        {"security side of a transaction",
         [](CFolari2Doc& doc, int32_t id) {
             CFL2Transaktion t;
             t.currency1 = id;
             doc.transactions.push_back(t);
         }},
        {"account side of a transaction",
         [](CFolari2Doc& doc, int32_t id) {
             CFL2Transaktion t;
             t.currency2 = id;
             doc.transactions.push_back(t);
         }},
        {"initial account currency",
         [](CFolari2Doc& doc, int32_t id) { doc.initialAccountCurrencyId = id; }},
        {"account currency change",
         [](CFolari2Doc& doc, int32_t id) {
             CFL2KtoWUmst change;
             change.currencyId = id;
             doc.accountCurrencyChanges.push_back(change);
         }},
        {"reference of a variable currency",
         [](CFolari2Doc& doc, int32_t id) {
             doc.AddCurrency("USD", "US-Dollar", false, 1, 1, id, 0);
         }},
        {"holdings report currency",
         [](CFolari2Doc& doc, int32_t id) { doc.options.holdings.currencyId = id; }},
        {"realized report currency",
         [](CFolari2Doc& doc, int32_t id) { doc.options.realized.currencyId = id; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.use);
        CFolari2Doc doc;
        NewDocumentChoices choices;
        choices.legacyCurrencyMask = 1;  // EUR 0, DM 1
        doc.NewDocument(choices, Day(1, 6, 2010));
        const int32_t dm = 1;
        c.make(doc, dm);
        doc.SetModified(false);
        const bool free = std::string(c.use) == "nothing";
        EXPECT_EQ(doc.CurrencyInUse(dm), !free);
        EXPECT_EQ(doc.DeleteCurrency(dm), free);
        EXPECT_EQ(doc.FindCurrency(dm) == nullptr, free);
        EXPECT_EQ(doc.IsModified(), free);
        // The base currency and unknown ids are never deleted.
        EXPECT_FALSE(doc.DeleteCurrency(kBaseCurrencyId));
        EXPECT_FALSE(doc.DeleteCurrency(42));
        EXPECT_NE(doc.FindCurrency(kBaseCurrencyId), nullptr);
    }
}

}  // namespace
}  // namespace pf

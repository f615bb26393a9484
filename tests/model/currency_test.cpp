#include "model/currency.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/currency_conversion.h"
#include "model/document.h"
#include "support/full_document.h"

namespace pf {
namespace {

using testing::Day;

TEST(Currency, RateAtAndFactorAt) {
    CFL2Waehrung c;
    c.quoteFormat = kReferencePerUnit;
    EXPECT_EQ(c.RateAt(Day(1, 1, 2010)), 1.0);  // no rates at all
    EXPECT_EQ(c.FactorAt(Day(1, 1, 2010)), 1.0);
    c.quoteFormat = kUnitsPerReference;
    EXPECT_EQ(c.FactorAt(Day(1, 1, 2010)), 1.0);

    c.rates.SetQuote(Day(1, 3, 2010), 1.25);
    c.rates.SetQuote(Day(1, 4, 2010), 2.0);
    struct Case {
        CQRNDatum date;
        double rate;
    };
    const Case cases[] = {
        {Day(28, 2, 2010), 1.0}, {Day(1, 3, 2010), 1.25}, {Day(31, 3, 2010), 1.25},
        {Day(1, 4, 2010), 2.0},  {Day(18, 1, 2038), 2.0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.date.FormatLong());
        EXPECT_EQ(c.RateAt(k.date), k.rate);
        c.quoteFormat = kReferencePerUnit;
        EXPECT_EQ(c.FactorAt(k.date), k.rate);
        c.quoteFormat = kUnitsPerReference;
        EXPECT_EQ(c.FactorAt(k.date), 1.0 / k.rate);
    }
}

// A euro document with three legacy currencies, one fixed currency whose second rate is
// not 1 (so that swapped factors show), and variable currencies against the euro and
// against a legacy currency.
class CurrencyConversion : public ::testing::Test {
  protected:
    void SetUp() override {
        NewDocumentChoices choices;
        choices.legacyCurrencyMask = (1u << 0) | (1u << 5) | (1u << 7);  // DM, Lit, FF
        doc.NewDocument(choices, Day(1, 6, 2010));
        eur = doc.FindCurrencyBySymbol("EUR")->id;
        dm = doc.FindCurrencyBySymbol("DM")->id;
        lit = doc.FindCurrencyBySymbol("Lit")->id;
        ff = doc.FindCurrencyBySymbol("FF")->id;
        xyz = doc.AddCurrency("XYZ", "Drei zu zwei", true, 3.0, 2.0, 0, 0).id;
        // 1.25 USD = 1 EUR from 1.1.2010, 2 USD = 1 EUR from 1.1.2011.
        usd = doc.AddCurrency("USD", "US-Dollar", false, 0, 0, eur, kUnitsPerReference).id;
        doc.FindCurrency(usd)->rates.SetQuote(Day(1, 1, 2010), 1.25);
        doc.FindCurrency(usd)->rates.SetQuote(Day(1, 1, 2011), 2.0);
        // 1 CHF = 0.8 DM.
        chf = doc.AddCurrency("CHF", "Franken", false, 0, 0, dm, kReferencePerUnit).id;
        doc.FindCurrency(chf)->rates.SetQuote(Day(1, 1, 2010), 0.8);
        // A variable currency without any rate.
        gbp = doc.AddCurrency("GBP", "Pfund", false, 0, 0, eur, kReferencePerUnit).id;
    }

    CFolari2Doc doc;
    int32_t eur = -1, dm = -1, lit = -1, ff = -1, xyz = -1, usd = -1, chf = -1, gbp = -1;
    static constexpr int32_t kUnknown = 99;
};

TEST_F(CurrencyConversion, FixedRateFactors) {
    struct Case {
        const char* what;
        int32_t a, b;
        bool ok;
        double divisor, multiplier;
    };
    const Case cases[] = {
        {"EUR EUR", eur, eur, true, 1.0, 1.0},
        {"DM DM", dm, dm, true, 1.0, 1.0},
        {"EUR DM", eur, dm, true, 1.0, 1.95583},
        {"DM EUR", dm, eur, true, 1.95583, 1.0},
        {"EUR XYZ", eur, xyz, true, 2.0, 3.0},
        {"XYZ EUR", xyz, eur, true, 3.0, 2.0},
        {"DM FF", dm, ff, true, 1.0 * 1.95583, 6.55957 * 1.0},
        {"XYZ DM", xyz, dm, true, 1.0 * 3.0, 1.95583 * 2.0},
        {"DM XYZ", dm, xyz, true, 2.0 * 1.95583, 3.0 * 1.0},
        {"EUR USD", eur, usd, false, 0, 0},
        {"USD EUR", usd, eur, false, 0, 0},
        {"USD USD", usd, usd, false, 0, 0},
        {"DM unknown", dm, kUnknown, false, 0, 0},
        {"unknown unknown", kUnknown, kUnknown, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FixedFactors f = FixedRateFactors(doc, c.a, c.b);
        EXPECT_EQ(f.ok, c.ok);
        if (c.ok) {
            EXPECT_EQ(f.divisor, c.divisor);
            EXPECT_EQ(f.multiplier, c.multiplier);
        }
    }
}

TEST_F(CurrencyConversion, ConvertFixed) {
    struct Case {
        const char* what;
        double amount;
        int32_t a, b;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {"100 DM in EUR", 100.0, dm, eur, 2, 51.13},
        {"100 DM in EUR, 7 decimals", 100.0, dm, eur, 7, 51.1291881},
        {"100 EUR in DM", 100.0, eur, dm, 2, 195.58},
        {"DM to FF in one step", 100.0, dm, ff, 2, 335.39},
        {"1000 Lit in DM", 1000.0, lit, dm, 4, 1.0101},
        {"XYZ to EUR", 30.0, xyz, eur, 2, 20.0},
        {"same currency only rounds", 1.2345, dm, dm, 2, 1.23},
        {"same variable currency only rounds", 1.0625, usd, usd, 3, 1.063},
        {"variable currency gives 0", 100.0, usd, eur, 2, 0.0},
        {"unknown currency gives 0", 100.0, eur, kUnknown, 2, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ConvertFixed(doc, c.amount, c.a, c.b, c.decimals), c.expected);
    }
}

TEST_F(CurrencyConversion, ConvertAtDate) {
    const CQRNDatum d2010 = Day(1, 6, 2010);
    const CQRNDatum d2011 = Day(1, 6, 2011);
    struct Case {
        const char* what;
        double amount;
        CQRNDatum date;
        int32_t a, b;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {"same currency only rounds", 10.005, d2010, usd, usd, 1, 10.0},
        {"100 DM in EUR in 2010", 100.0, d2010, dm, eur, 2, 51.13},
        {"100 DM in EUR in 2038", 100.0, Day(18, 1, 2038), dm, eur, 2, 51.13},
        {"DM to FF", 100.0, d2010, dm, ff, 2, 335.39},
        {"USD to EUR in 2010", 100.0, d2010, usd, eur, 2, 80.0},
        {"USD to EUR in 2011", 100.0, d2011, usd, eur, 2, 50.0},
        {"USD before its first rate", 100.0, Day(1, 6, 2009), usd, eur, 2, 100.0},
        {"EUR to USD", 100.0, d2010, eur, usd, 2, 125.0},
        {"USD to DM through EUR", 100.0, d2010, usd, dm, 2, 156.47},
        {"DM to USD through EUR", 100.0, d2010, dm, usd, 2, 63.91},
        {"CHF to its own reference", 100.0, d2010, chf, dm, 2, 80.0},
        {"DM to CHF", 80.0, d2010, dm, chf, 2, 100.0},
        {"CHF to EUR", 100.0, d2010, chf, eur, 2, 40.9},
        {"USD to CHF", 100.0, d2010, usd, chf, 2, 195.58},
        {"GBP without rates, to EUR", 100.0, d2010, gbp, eur, 2, 100.0},
        {"GBP without rates, from EUR", 100.0, d2010, eur, gbp, 2, 100.0},
        {"unknown source", 100.0, d2010, kUnknown, eur, 2, 0.0},
        {"unknown target", 100.0, d2010, eur, kUnknown, 2, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ConvertAtDate(doc, c.amount, c.date, c.a, c.b, c.decimals), c.expected);
    }
}

// The base currency counts as 1.0 / 1.0 even when its record says otherwise.
TEST_F(CurrencyConversion, BaseCurrencyRecordIsNotConsulted) {
    CFL2Waehrung* base = doc.FindCurrency(kBaseCurrencyId);
    base->fixedRate1 = 7.0;
    base->fixedRate2 = 3.0;
    base->isFixed = 0;
    EXPECT_EQ(ConvertFixed(doc, 100.0, dm, eur, 2), 51.13);
    EXPECT_EQ(ConvertAtDate(doc, 100.0, Day(1, 6, 2010), usd, eur, 2), 80.0);
}

}  // namespace
}  // namespace pf

#include "quotes/rate_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

int32_t Variable(CFolari2Doc& doc, const std::string& symbol, const std::string& name,
                 int32_t quoteFormat = kUnitsPerReference, int32_t reference = 0) {
    return doc.AddCurrency(symbol, name, false, 1, 1, reference, quoteFormat).id;
}

TEST(RateEntryPages, VariableCurrenciesOnlySortedCaseBlindFiveToAPage) {
    DocBuilder b;  // EUR and DM are fixed and never listed
    const int32_t usd = Variable(b.doc, "USD", "US-Dollar");
    const int32_t chf = Variable(b.doc, "chf", "Schweizer Franken");
    const int32_t gbp = Variable(b.doc, "GBP", "britisches Pfund");
    const int32_t jpy = Variable(b.doc, "JPY", "Yen");
    const int32_t nok = Variable(b.doc, "NOK", "Norwegische Krone");
    const int32_t sek = Variable(b.doc, "SEK", "Schwedische Krone");

    EXPECT_EQ(RateEntryCurrencies(b.doc, kRatesBySymbol),
              (std::vector<int32_t>{chf, gbp, jpy, nok, sek, usd}));
    EXPECT_EQ(RateEntryCurrencies(b.doc, kRatesByName),
              (std::vector<int32_t>{gbp, nok, sek, chf, usd, jpy}));

    RateEntryPages pages = RateEntryPages::Open(b.doc, Day(3, 2, 2020));
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.rows.size(), 5u);
    EXPECT_TRUE(pages.NextIsDefault());
    pages.Previous(b.doc);
    EXPECT_EQ(pages.PageLine(), "Seite 2 von 2");
    ASSERT_EQ(pages.rows.size(), 1u);
    EXPECT_EQ(pages.rows[0].currencyId, usd);
    pages.Next(b.doc);
    EXPECT_EQ(pages.page, 0);
}

TEST(RateEntryPages, TheQuoteFormatChoosesTheEditableSide) {
    DocBuilder b;
    const int32_t usd = Variable(b.doc, "USD", "US-Dollar", kUnitsPerReference);
    const int32_t gbp = Variable(b.doc, "GBP", "Pfund", kReferencePerUnit, 1);  // against DM
    b.doc.FindCurrency(usd)->rates.SetQuote(Day(3, 2, 2020), 1.1);
    b.doc.FindCurrency(gbp)->rates.SetQuote(Day(3, 2, 2020), 2.25);
    const RateEntryPages pages = RateEntryPages::Open(b.doc, Day(3, 2, 2020));
    ASSERT_EQ(pages.rows.size(), 2u);
    const RateEntryRow& pound = pages.rows[0];
    EXPECT_EQ(pound.name, "Pfund");
    EXPECT_FALSE(pound.rateOnLeft);
    EXPECT_EQ(pound.left, "1");
    EXPECT_EQ(pound.right, "2,2500");
    EXPECT_EQ(pound.symbolLine, "GBP  =");
    EXPECT_EQ(pound.reference, "DM");
    const RateEntryRow& dollar = pages.rows[1];
    EXPECT_TRUE(dollar.rateOnLeft);
    EXPECT_EQ(dollar.left, "1,1000");
    EXPECT_EQ(dollar.right, "1");
    EXPECT_EQ(dollar.reference, "EUR");
}

TEST(RateEntryPages, LeavingARateFieldRefusesZero) {
    const CQRNDatum day = Day(3, 2, 2020);
    struct Case {
        const char* typed;
        bool changes;
        const char* shown;
        std::optional<double> after;
    };
    // A rate of 1.1 is stored on the day before each case.
    const Case cases[] = {
        {"", true, "", std::nullopt},
        {"1,25", true, "1,2500", 1.25},
        {"1.000,5", true, "1.000,5000", 1000.5},
        {"0", false, "1,1000", 1.1},
        {"0,00000001", false, "1,1000", 1.1},  // 8 decimals
        {"0,0000000", false, "1,1000", 1.1},   // zero at 7 decimals
        {"0,0000001", true, "0,0000001", 0.0000001},
        {"-1,2", false, "1,1000", 1.1},
        {"x", false, "1,1000", 1.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        DocBuilder b;
        const int32_t usd = Variable(b.doc, "USD", "US-Dollar", kReferencePerUnit);
        b.doc.FindCurrency(usd)->rates.SetQuote(day, 1.1);
        b.doc.SetModified(false);
        RateEntryPages pages = RateEntryPages::Open(b.doc, day);
        pages.rows[0].Rate() = c.typed;
        EXPECT_EQ(pages.LeaveRate(b.doc, 0), c.changes);
        EXPECT_EQ(pages.rows[0].Rate(), c.shown);
        EXPECT_EQ(pages.rows[0].left, "1");  // the other side is untouched
        EXPECT_EQ(pages.changed, c.changes);
        EXPECT_EQ(b.doc.IsModified(), c.changes);
        double value = 0.0;
        EXPECT_EQ(b.doc.FindCurrency(usd)->rates.QuoteOn(day, value) == 1, c.after.has_value());
        if (c.after) {
            EXPECT_EQ(value, *c.after);
        }
    }
}

TEST(RateForm, MessagesAndApply) {
    DocBuilder b;
    const int32_t usd = Variable(b.doc, "USD", "US-Dollar");
    const CQRNDatum day = Day(3, 2, 2020);
    struct Case {
        int32_t currency;
        const char* rate;
        const char* text;  // nullptr: accepted
        const char* field;
    };
    const Case cases[] = {
        {0, "1", "Bitte wählen Sie eine Währung mit variablem Kurs aus!", kRateCurrencyField},
        {1, "1", "Bitte wählen Sie eine Währung mit variablem Kurs aus!", kRateCurrencyField},
        {99, "1", "Bitte wählen Sie eine Währung mit variablem Kurs aus!", kRateCurrencyField},
        {usd, "abc", "Bitte geben Sie einen korrekten Wechselkurs ein!", kRateField},
        {usd, "-1", "Bitte geben Sie einen korrekten Wechselkurs ein!", kRateField},
        {usd, "0", "Bitte geben Sie einen Wert größer Null an!", kRateField},
        {usd, "0,00000009", "Bitte geben Sie einen korrekten Wechselkurs ein!", kRateField},
        {usd, "1,0850", nullptr, ""},
        {usd, "", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        const RateForm form{c.currency, day, c.rate};
        const MaybeMessage m = form.Check(b.doc);
        if (c.text == nullptr) {
            EXPECT_FALSE(m.has_value());
            continue;
        }
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(*m, Message::Refusal(kRateEntryTitle, c.text, c.field));
        EXPECT_FALSE(form.Apply(b.doc));
        EXPECT_TRUE(b.doc.FindCurrency(usd)->rates.empty());
    }
    EXPECT_TRUE((RateForm{usd, day, "1,085"}.Apply(b.doc)));
    EXPECT_EQ(b.doc.FindCurrency(usd)->RateAt(day), 1.085);
    EXPECT_TRUE((RateForm{usd, day, ""}.Apply(b.doc)));
    EXPECT_TRUE(b.doc.FindCurrency(usd)->rates.empty());
}

}  // namespace
}  // namespace pf

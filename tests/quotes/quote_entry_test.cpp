#include "quotes/quote_entry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

// Securities "S01" .. "Snn" with codes "WS01" .. in that order.
std::vector<int32_t> AddSecurities(DocBuilder& b, int count) {
    std::vector<int32_t> ids;
    for (int i = 1; i <= count; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "S%02d", i);
        ids.push_back(b.Security(name));
    }
    return ids;
}

std::vector<std::string> Labels(const QuoteEntryPages& pages) {
    std::vector<std::string> labels;
    for (const QuoteEntryRow& r : pages.rows) labels.push_back(r.label);
    return labels;
}

TEST(QuoteEntryPages, FortyFiveSecuritiesGiveThreePagesThatWrapAround) {
    DocBuilder b;
    AddSecurities(b, 45);
    QuoteEntryPages pages = QuoteEntryPages::Open(b.doc, Day(3, 2, 2020));
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(pages.page, 0);
    EXPECT_EQ(pages.PageLine(), "Seite 1 von 3");
    ASSERT_EQ(pages.rows.size(), 20u);
    EXPECT_EQ(pages.rows.front().label, "S01");
    EXPECT_TRUE(pages.NextIsDefault());

    pages.Previous(b.doc);  // from the first page to the last
    EXPECT_EQ(pages.page, 2);
    EXPECT_EQ(pages.PageLine(), "Seite 3 von 3");
    // The last page holds the remaining five; the other rows are hidden.
    EXPECT_EQ(Labels(pages), (std::vector<std::string>{"S41", "S42", "S43", "S44", "S45"}));
    EXPECT_FALSE(pages.NextIsDefault());

    pages.Next(b.doc);  // from the last page to the first
    EXPECT_EQ(pages.page, 0);
    pages.Next(b.doc);
    EXPECT_EQ(pages.page, 1);
    EXPECT_EQ(pages.rows.front().label, "S21");
    EXPECT_EQ(pages.rows.back().label, "S40");
}

TEST(QuoteEntryPages, AnEmptyListIsOnePage) {
    DocBuilder b;
    QuoteEntryPages pages = QuoteEntryPages::Open(b.doc, Day(3, 2, 2020));
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.PageLine(), "Seite 1 von 1");
    EXPECT_TRUE(pages.rows.empty());
    pages.Next(b.doc);
    pages.Previous(b.doc);
    EXPECT_EQ(pages.page, 0);
}

TEST(QuoteEntryPages, RowsShowTheQuoteAtExactlyTheDateAndTheCurrency) {
    DocBuilder b;  // EUR 0, DM 1
    const int32_t a = b.Security("Alpha");
    const int32_t m = b.Security("Mark", 1);
    b.Quote(a, Day(3, 2, 2020), 12.5);
    b.Quote(m, Day(31, 1, 2020), 7.0);  // an earlier quote is not shown
    b.Quote(a, Day(4, 2, 2020), 0.1234567);
    QuoteEntryPages pages = QuoteEntryPages::Open(b.doc, Day(3, 2, 2020));
    ASSERT_EQ(pages.rows.size(), 2u);
    EXPECT_EQ(pages.rows[0].price, "12,50");
    EXPECT_EQ(pages.rows[0].currency, "EUR");
    EXPECT_EQ(pages.rows[1].price, "");
    EXPECT_EQ(pages.rows[1].currency, "DM");

    pages.date = Day(4, 2, 2020);
    pages.Rebuild(b.doc);
    EXPECT_EQ(pages.rows[0].price, "0,1234567");
}

TEST(QuoteEntryPages, LeavingAFieldDeletesInsertsReplacesOrFallsBack) {
    const CQRNDatum day = Day(3, 2, 2020);
    const CQRNDatum other = Day(4, 2, 2020);
    struct Case {
        const char* what;
        bool stored;  // a quote of 10.0 exists on `day` before the field is left
        const char* typed;
        bool changes;
        const char* shown;
        std::optional<double> after;  // the quote on `day` afterwards
    };
    const Case cases[] = {
        {"empty deletes", true, "", true, "", std::nullopt},
        {"blanks count as empty", true, "  ", true, "", std::nullopt},
        {"empty without a quote", false, "", false, "", std::nullopt},
        {"grouped decimal comma", false, "1.234,50", true, "1.234,50", 1234.5},
        {"replaces", true, "11", true, "11,00", 11.0},
        {"same value", true, "10,000", false, "10,00", 10.0},
        {"seven decimals", false, "0,1234567", true, "0,1234567", 0.1234567},
        {"eight decimals fall back", true, "10,12345678", false, "10,00", 10.0},
        {"minus falls back", true, "-3", false, "10,00", 10.0},
        {"text falls back", true, "zehn", false, "10,00", 10.0},
        {"bad input without a quote empties", false, "x", false, "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocBuilder b;
        const int32_t a = b.Security("Alpha");
        if (c.stored) b.Quote(a, day, 10.0);
        b.Quote(a, other, 20.0);
        b.doc.SetModified(false);
        int heard = 0;
        b.doc.AddEditListener([&] { ++heard; });

        QuoteEntryPages pages = QuoteEntryPages::Open(b.doc, day);
        pages.rows[0].price = c.typed;
        EXPECT_EQ(pages.LeavePrice(b.doc, 0), c.changes);
        EXPECT_EQ(pages.rows[0].price, c.shown);
        EXPECT_EQ(pages.changed, c.changes);
        EXPECT_EQ(heard, c.changes ? 1 : 0);
        EXPECT_EQ(b.doc.IsModified(), c.changes);
        double value = 0.0;
        const CFL2Wertpapier& s = *b.doc.FindSecurity(a);
        EXPECT_EQ(s.quotes.QuoteOn(day, value) == 1, c.after.has_value());
        if (c.after) {
            EXPECT_EQ(value, *c.after);
        }
        // The other date is never touched.
        EXPECT_EQ(s.quotes.QuoteOn(other, value), 1);
        EXPECT_EQ(value, 20.0);
    }
}

TEST(QuoteEntryPages, ChangedFlagStaysSetAndRowsOutsideThePageDoNothing) {
    DocBuilder b;
    const int32_t a = b.Security("Alpha");
    QuoteEntryPages pages = QuoteEntryPages::Open(b.doc, Day(3, 2, 2020));
    pages.rows[0].price = "5";
    EXPECT_TRUE(pages.LeavePrice(b.doc, 0));
    EXPECT_FALSE(pages.LeavePrice(b.doc, 0));  // the same value again
    EXPECT_TRUE(pages.changed);
    EXPECT_FALSE(pages.LeavePrice(b.doc, 1));
    EXPECT_EQ(b.doc.FindSecurity(a)->quotes.size(), 1u);
}

TEST(QuoteEntryPages, FilterOrderAndLabel) {
    DocBuilder b;
    const int32_t held = b.Security("beta", "B2");
    const int32_t sold = b.Security("Alpha", "C3");
    const int32_t idle = b.Security("gamma", "A1");
    const int32_t skipped = b.Security("Delta", "D4");
    b.doc.FindSecurity(held)->isin = "DE0002";
    b.doc.FindSecurity(skipped)->noManualQuotes = 1;
    const testing::Made bought = b.Buy(Day(1, 2, 2020), held, 10, 5.0);
    const testing::Made soldLot = b.Buy(Day(1, 2, 2020), sold, 10, 5.0);
    b.Sell(Day(10, 2, 2020), sold, {{soldLot.positionNo, 10}}, 6.0);
    (void)bought;
    b.doc.options.selectedSecurityIds = {idle, skipped};

    struct Case {
        const char* what;
        CQRNDatum date;
        int filter;
        int order;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {"all by name, case-blind, without 'no manual quotes'",
         Day(5, 2, 2020),
         kAllSecurities,
         kKeyName,
         {sold, held, idle}},
        {"all by code", Day(5, 2, 2020), kAllSecurities, kKeyWkn, {idle, held, sold}},
        {"held while both are held", Day(5, 2, 2020), kHeldSecurities, kKeyName, {sold, held}},
        {"held on the day of the sale", Day(10, 2, 2020), kHeldSecurities, kKeyName, {held}},
        {"held before the purchase", Day(31, 1, 2020), kHeldSecurities, kKeyName, {}},
        {"selected", Day(5, 2, 2020), kSelectedSecurities, kKeyName, {idle}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(QuoteEntrySecurities(b.doc, c.date, c.filter, c.order), c.expected);
    }

    QuoteEntryPages pages = QuoteEntryPages::Open(b.doc, Day(5, 2, 2020));
    pages.label = kKeyIsin;
    pages.Rebuild(b.doc);
    EXPECT_EQ(Labels(pages), (std::vector<std::string>{"", "DE0002", ""}));
    pages.label = kKeyWkn;
    pages.order = kKeyWkn;
    pages.Rebuild(b.doc);
    EXPECT_EQ(Labels(pages), (std::vector<std::string>{"A1", "B2", "C3"}));
}

TEST(QuoteEntryPages, OpenedForOneSecurityShowsItsPageAndFocusesItsRow) {
    DocBuilder b;
    const std::vector<int32_t> ids = AddSecurities(b, 45);
    QuoteEntryPages pages = QuoteEntryPages::Open(b.doc, Day(3, 2, 2020), ids[22]);  // S23
    EXPECT_EQ(pages.page, 1);
    EXPECT_EQ(pages.focusRow, 2);
    EXPECT_EQ(pages.rows[2].securityId, ids[22]);

    pages = QuoteEntryPages::Open(b.doc, Day(3, 2, 2020), 999);
    EXPECT_EQ(pages.page, 0);
    EXPECT_EQ(pages.focusRow, -1);
}

TEST(QuoteEntryPages, RebuildKeepsThePageWhileItExists) {
    DocBuilder b;
    const std::vector<int32_t> ids = AddSecurities(b, 45);
    QuoteEntryPages pages = QuoteEntryPages::Open(b.doc, Day(3, 2, 2020));
    pages.Previous(b.doc);  // page 3
    pages.Rebuild(b.doc);
    EXPECT_EQ(pages.page, 2);
    b.doc.options.selectedSecurityIds = {ids[0], ids[1]};
    pages.filter = kSelectedSecurities;
    pages.Rebuild(b.doc);
    EXPECT_EQ(pages.page, 0);
    EXPECT_EQ(pages.rows.size(), 2u);
}

TEST(QuoteForm, MessagesAndApply) {
    DocBuilder b;
    const int32_t a = b.Security("Alpha");
    const CQRNDatum day = Day(3, 2, 2020);
    struct Case {
        int32_t security;
        const char* price;
        const char* text;  // nullptr: accepted
        const char* field;
    };
    const Case cases[] = {
        {-1, "5", "Bitte wählen Sie ein Wertpapier aus!", kQuoteSecurityField},
        {999, "5", "Bitte wählen Sie ein Wertpapier aus!", kQuoteSecurityField},
        {a, "-5", "Bitte geben Sie einen korrekten Kurs ein!", kQuotePriceField},
        {a, "1,123456789", "Bitte geben Sie einen korrekten Kurs ein!", kQuotePriceField},
        {a, "5 Euro", "Bitte geben Sie einen korrekten Kurs ein!", kQuotePriceField},
        {a, "1.234,50", nullptr, ""},
        {a, "", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.price);
        const QuoteForm form{c.security, day, c.price};
        const MaybeMessage m = form.Check(b.doc);
        if (c.text == nullptr) {
            EXPECT_FALSE(m.has_value());
            continue;
        }
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(*m, Message::Refusal(kQuoteEntryTitle, c.text, c.field));
        b.doc.SetModified(false);
        EXPECT_FALSE(form.Apply(b.doc));
        EXPECT_FALSE(b.doc.IsModified());
    }

    EXPECT_TRUE((QuoteForm{a, day, "1.234,50"}.Apply(b.doc)));
    double value = 0.0;
    ASSERT_EQ(b.doc.FindSecurity(a)->quotes.QuoteOn(day, value), 1);
    EXPECT_EQ(value, 1234.5);
    EXPECT_FALSE((QuoteForm{a, day, "1234,5"}.Apply(b.doc)));  // already stored
    EXPECT_TRUE((QuoteForm{a, day, ""}.Apply(b.doc)));
    EXPECT_TRUE(b.doc.FindSecurity(a)->quotes.empty());
    EXPECT_FALSE((QuoteForm{a, day, ""}.Apply(b.doc)));
}

}  // namespace
}  // namespace pf

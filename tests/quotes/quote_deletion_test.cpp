#include "quotes/quote_deletion.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

std::vector<CQRNDatum> Dates(const CFolari2Doc& doc, int32_t security) {
    std::vector<CQRNDatum> dates;
    for (const CFL2Kurs& q : doc.FindSecurity(security)->quotes.Items()) dates.push_back(q.date);
    return dates;
}

TEST(QuoteDeleteForm, AsksFirstAndReportsTheCountEvenForZero) {
    DocBuilder b;
    const QuoteDeleteForm form = QuoteDeleteForm::New(Day(3, 2, 2020));
    EXPECT_EQ(form.Check(b.doc),
              Message::Question("Kurse löschen", "Möchten Sie die Kurse wirklich löschen?"));
    EXPECT_EQ(QuoteDeleteForm::Result(0), (Message{"Kurse löschen", "Es wurden 0 Kurse gelöscht.",
                                                   MessageIcon::Information, ""}));
    EXPECT_EQ(QuoteDeleteForm::Result(12).text, "Es wurden 12 Kurse gelöscht.");
    EXPECT_FALSE(form.PeriodEnabled());
    QuoteDeleteForm period = form;
    period.rule = kDeletePeriod;
    EXPECT_TRUE(period.PeriodEnabled());
}

// Alpha: bought 10.1.2020, half sold 20.1., the rest sold 30.1.; bought again 10.2.2020.
// Beta: never held. Both have quotes on the 5th, 10th, 20th, 25th and 30th of January and
// on 5 and 10 February.
class QuoteDeletion : public ::testing::Test {
  protected:
    void SetUp() override {
        alpha = b.Security("Alpha");
        beta = b.Security("Beta");
        const testing::Made lot = b.Buy(Day(10, 1, 2020), alpha, 10, 5.0);
        b.Sell(Day(20, 1, 2020), alpha, {{lot.positionNo, 5}}, 6.0);
        b.Sell(Day(30, 1, 2020), alpha, {{lot.positionNo, 5}}, 6.0);
        b.Buy(Day(10, 2, 2020), alpha, 1, 5.0);
        for (const int32_t s : {alpha, beta})
            for (const CQRNDatum d : quoteDays) b.Quote(s, d, 1.0);
        b.doc.SetModified(false);
        b.doc.AddEditListener([this] { ++heard; });
    }

    DocBuilder b;
    int32_t alpha = -1;
    int32_t beta = -1;
    int heard = 0;
    const std::vector<CQRNDatum> quoteDays = {Day(5, 1, 2020),  Day(10, 1, 2020), Day(20, 1, 2020),
                                              Day(25, 1, 2020), Day(30, 1, 2020), Day(5, 2, 2020),
                                              Day(10, 2, 2020)};
};

TEST_F(QuoteDeletion, Rules) {
    struct Case {
        const char* what;
        int rule;
        CQRNDatum from;
        CQRNDatum to;
        int deleted;
        std::vector<CQRNDatum> alphaLeft;
    };
    const Case cases[] = {
        // Held from 10.1. (the purchase day) to 29.1. (sold on 30.1.) and again from 10.2.
        {"rule 0",
         kDeleteWhereNotHeld,
         {},
         {},
         3,
         {Day(10, 1, 2020), Day(20, 1, 2020), Day(25, 1, 2020), Day(10, 2, 2020)}},
        {"rule 1", kDeleteAll, {}, {}, 7, {}},
        {"rule 2",
         kDeletePeriod,
         Day(10, 1, 2020),
         Day(25, 1, 2020),
         3,
         {Day(5, 1, 2020), Day(30, 1, 2020), Day(5, 2, 2020), Day(10, 2, 2020)}},
        {"rule 2 one day",
         kDeletePeriod,
         Day(30, 1, 2020),
         Day(30, 1, 2020),
         1,
         {Day(5, 1, 2020), Day(10, 1, 2020), Day(20, 1, 2020), Day(25, 1, 2020), Day(5, 2, 2020),
          Day(10, 2, 2020)}},
        {"rule 2 from after to", kDeletePeriod, Day(25, 1, 2020), Day(10, 1, 2020), 0, quoteDays},
        {"an unknown rule", 3, {}, {}, 0, quoteDays},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocBuilder copy = b;
        QuoteDeleteForm form = QuoteDeleteForm::New(Day(3, 2, 2020));
        form.marked = {alpha, 999};  // an unknown id is passed over
        form.rule = c.rule;
        form.from = c.from;
        form.to = c.to;
        EXPECT_EQ(form.Apply(copy.doc), c.deleted);
        EXPECT_EQ(Dates(copy.doc, alpha), c.alphaLeft);
        EXPECT_EQ(Dates(copy.doc, beta), quoteDays);  // not marked
        EXPECT_EQ(copy.doc.IsModified(), c.deleted > 0);
    }
}

TEST_F(QuoteDeletion, EveryMarkedSecurityInOneEdit) {
    QuoteDeleteForm form = QuoteDeleteForm::New(Day(3, 2, 2020));
    form.MarkAll(b.doc);
    EXPECT_EQ(form.marked, (std::vector<int32_t>{alpha, beta}));
    form.rule = kDeleteWhereNotHeld;
    EXPECT_EQ(form.Apply(b.doc), 3 + 7);  // Beta was never held
    EXPECT_TRUE(b.doc.FindSecurity(beta)->quotes.empty());
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(b.doc.IsModified());
    // Nothing left to delete: no edit is heard.
    EXPECT_EQ(form.Apply(b.doc), 0);
    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace pf

#include "engine/tax_categories.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/full_document.h"

namespace pf {
namespace {

using testing::Day;

// Indices of the five categories of a new document.
constexpr int kFlatTax = 0;
constexpr int kHalfIncome = 1;
constexpr int kTaxFree = 2;
constexpr int kTaxFreeBefore1999 = 3;
constexpr int kTaxable = 4;

class TaxCategories : public ::testing::Test {
  protected:
    void SetUp() override { doc.NewDocument(NewDocumentChoices{}, Day(1, 6, 2010)); }

    std::vector<std::string> Abbreviations() const {
        std::vector<std::string> out;
        for (const CFL2StPflKateg& c : doc.taxCategories) out.push_back(c.abbreviation);
        return out;
    }

    CFolari2Doc doc;
};

// A category with only a holding-time condition.
CFL2StPflKateg HoldingRule(int32_t comparison, int32_t value, int32_t unit) {
    CFL2StPflKateg c;
    c.useHoldingTime = 1;
    c.holdingTimeComparison = comparison;
    c.holdingTimeValue = value;
    c.holdingTimeUnit = unit;
    return c;
}

TEST_F(TaxCategories, DefaultCategoriesClassifyTheWorkedExamples) {
    struct Case {
        const char* what;
        CQRNDatum purchase;
        CQRNDatum sale;
        bool halfIncome;
        int expected;
    };
    const Case cases[] = {
        {"sold 2010, bought 2009", Day(1, 3, 2009), Day(1, 3, 2010), true, kFlatTax},
        {"sold 2010, bought 2009, no half income", Day(1, 3, 2009), Day(1, 3, 2010), false,
         kFlatTax},
        {"2005, half income, 8 months", Day(1, 2, 2005), Day(1, 10, 2005), true, kHalfIncome},
        {"2005, held 2 years", Day(1, 3, 2003), Day(1, 3, 2005), true, kTaxFree},
        {"2005, held 2 years, no half income", Day(1, 3, 2003), Day(1, 3, 2005), false, kTaxFree},
        {"1997, held 7 months", Day(1, 1, 1997), Day(1, 8, 1997), false, kTaxFreeBefore1999},
        {"2005, 8 months, no half income", Day(1, 2, 2005), Day(1, 10, 2005), false, kTaxable},
        // Around the holding limits.
        {"exactly 12 months", Day(15, 3, 2004), Day(15, 3, 2005), true, kTaxFree},
        {"one day short of 12 months", Day(15, 3, 2004), Day(14, 3, 2005), true, kHalfIncome},
        {"one day short, no half income", Day(15, 3, 2004), Day(14, 3, 2005), false, kTaxable},
        {"1998, exactly 6 months from 28.2.", Day(28, 2, 1998), Day(28, 8, 1998), false,
         kTaxFreeBefore1999},
        {"1998, one day short of 6 months", Day(28, 2, 1998), Day(27, 8, 1998), false, kTaxable},
        // Around the period bounds.
        {"bought 31.12.2008, sold 2009 within a year", Day(31, 12, 2008), Day(1, 6, 2009), true,
         kTaxable},
        {"sold 31.12.2008 within a year", Day(1, 6, 2008), Day(31, 12, 2008), true, kHalfIncome},
        {"sold 1.1.2009, bought 1.1.2009", Day(1, 1, 2009), Day(1, 1, 2009), false, kFlatTax},
        {"sold 31.12.1998 after 7 months", Day(31, 5, 1998), Day(31, 12, 1998), false,
         kTaxFreeBefore1999},
        {"sold 1.1.1999 after 7 months", Day(1, 6, 1998), Day(1, 1, 1999), false, kTaxable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MatchTaxCategory(doc, c.purchase, c.sale, c.halfIncome), c.expected);
    }
}

TEST(HoldingTimeLimit, AddsDaysMonthsAndYearsWithTheDayCut) {
    struct Case {
        CQRNDatum purchase;
        int32_t value;
        int32_t unit;
        CQRNDatum expected;
    };
    const Case cases[] = {
        {Day(31, 1, 2005), 1, kMonths, Day(28, 2, 2005)},
        {Day(29, 1, 2005), 1, kMonths, Day(28, 2, 2005)},
        {Day(31, 1, 2004), 1, kMonths, Day(29, 2, 2004)},
        {Day(31, 3, 2005), 1, kMonths, Day(30, 4, 2005)},
        {Day(15, 11, 2005), 3, kMonths, Day(15, 2, 2006)},
        {Day(31, 12, 2005), 12, kMonths, Day(31, 12, 2006)},
        {Day(31, 8, 2005), 18, kMonths, Day(28, 2, 2007)},
        {Day(31, 8, 2005), 30, kMonths, Day(29, 2, 2008)},
        {Day(10, 5, 2005), 0, kMonths, Day(10, 5, 2005)},
        {Day(29, 2, 2004), 1, kYears, Day(28, 2, 2005)},
        {Day(29, 2, 2004), 4, kYears, Day(29, 2, 2008)},
        {Day(15, 7, 1999), 10, kYears, Day(15, 7, 2009)},
        {Day(1, 1, 2005), 10, kDays, Day(11, 1, 2005)},
        {Day(20, 12, 2005), 365, kDays, Day(20, 12, 2006)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.purchase.FormatLong() + " + " + std::to_string(c.value) + " unit " +
                     std::to_string(c.unit));
        EXPECT_EQ(HoldingTimeLimit(HoldingRule(kLessThan, c.value, c.unit), c.purchase),
                  static_cast<int64_t>(c.expected.DayNumber()));
    }
    EXPECT_EQ(HoldingTimeLimit(HoldingRule(kLessThan, 1, 3), Day(1, 1, 2005)), std::nullopt);
}

TEST(MatchesTaxCategory, ComparisonsAtTheLimit) {
    // Bought 31.1.2005 with a holding time of 1 month: the limit is 28.2.2005.
    struct Case {
        int32_t comparison;
        CQRNDatum sale;
        bool expected;
    };
    const Case cases[] = {
        {kLessThan, Day(27, 2, 2005), true},  {kLessThan, Day(28, 2, 2005), false},
        {kAtMost, Day(28, 2, 2005), true},    {kAtMost, Day(1, 3, 2005), false},
        {kMoreThan, Day(28, 2, 2005), false}, {kMoreThan, Day(1, 3, 2005), true},
        {kAtLeast, Day(27, 2, 2005), false},  {kAtLeast, Day(28, 2, 2005), true},
        {7, Day(28, 2, 2005), false},  // a damaged comparison is never met
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.comparison) + " " + c.sale.FormatLong());
        EXPECT_EQ(MatchesTaxCategory(HoldingRule(c.comparison, 1, kMonths), Day(31, 1, 2005),
                                     c.sale, false),
                  c.expected);
    }
}

// A limit after the last valid date (18.1.2038) lies after every sale. Keeping it at the
// default date 2.1.1970 instead would make every purchase of the last year "held at least
// 12 months" and so tax-free.
TEST_F(TaxCategories, LimitAfterTheLastValidDateLiesAfterEverySale) {
    EXPECT_EQ(HoldingTimeLimit(HoldingRule(kAtLeast, 12, kMonths), Day(1, 6, 2037)),
              static_cast<int64_t>(DayNumberOf(1, 6, 2038)));
    // The flat-tax category would take these purchases first; without it the holding time
    // decides between "Stfr." (index 0) and "Stpfl." (index 1).
    const std::vector<CFL2StPflKateg> list = {doc.taxCategories[kTaxFree],
                                              doc.taxCategories[kTaxable]};
    EXPECT_EQ(MatchTaxCategory(list, Day(1, 6, 2037), Day(1, 12, 2037), false), 1);
    EXPECT_EQ(MatchTaxCategory(list, Day(1, 6, 2037), Day(18, 1, 2038), false), 1);
    EXPECT_EQ(MatchTaxCategory(list, Day(1, 1, 2037), Day(18, 1, 2038), false), 0);
    EXPECT_EQ(MatchTaxCategory(list, Day(18, 1, 2037), Day(18, 1, 2038), false), 0);
    EXPECT_EQ(MatchTaxCategory(list, Day(19, 1, 2037), Day(18, 1, 2038), false), 1);

    struct Case {
        CFL2StPflKateg rule;
        bool expected;
    };
    const Case cases[] = {
        {HoldingRule(kLessThan, 10, kYears), true},
        {HoldingRule(kAtMost, 10, kYears), true},
        {HoldingRule(kMoreThan, 10, kYears), false},
        {HoldingRule(kAtLeast, 10, kYears), false},
        {HoldingRule(kAtLeast, 2'000'000'000, kYears), false},
        {HoldingRule(kAtLeast, 2'000'000'000, kMonths), false},
        {HoldingRule(kAtLeast, 2'000'000'000, kDays), false},
        {HoldingRule(kLessThan, 2'000'000'000, kDays), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(HoldingTimeColumnText(c.rule));
        EXPECT_EQ(MatchesTaxCategory(c.rule, Day(1, 1, 2030), Day(1, 1, 2035), false), c.expected);
    }
}

TEST(MatchesTaxCategory, HalfIncomeOptionAndSwitchedOffConditions) {
    CFL2StPflKateg subject;
    subject.useHalfIncome = 1;
    subject.halfIncomeOption = kSubjectToHalfIncome;
    CFL2StPflKateg notSubject = subject;
    notSubject.halfIncomeOption = kNotSubjectToHalfIncome;
    CFL2StPflKateg damaged = subject;
    damaged.halfIncomeOption = 2;

    const CQRNDatum bought = Day(1, 1, 2005);
    const CQRNDatum sold = Day(1, 2, 2005);
    EXPECT_TRUE(MatchesTaxCategory(subject, bought, sold, true));
    EXPECT_FALSE(MatchesTaxCategory(subject, bought, sold, false));
    EXPECT_FALSE(MatchesTaxCategory(notSubject, bought, sold, true));
    EXPECT_TRUE(MatchesTaxCategory(notSubject, bought, sold, false));
    EXPECT_FALSE(MatchesTaxCategory(damaged, bought, sold, true));
    EXPECT_FALSE(MatchesTaxCategory(damaged, bought, sold, false));

    // Switched-off conditions keep their values but are not looked at.
    CFL2StPflKateg off = HoldingRule(kLessThan, 1, 5);
    off.salePeriodFrom = off.salePeriodTo = Day(1, 1, 2020);
    off.purchasePeriodFrom = off.purchasePeriodTo = Day(1, 1, 2020);
    off.halfIncomeOption = 9;
    off.useHoldingTime = 0;
    EXPECT_TRUE(MatchesTaxCategory(off, bought, sold, true));
    EXPECT_EQ(MatchTaxCategory(std::vector<CFL2StPflKateg>{}, bought, sold, true), -1);
}

TEST_F(TaxCategories, CatchAllMovedToTheTopTakesEverySale) {
    int index = kTaxable;
    for (int expected = kTaxable - 1; expected >= 0; --expected) {
        index = MoveTaxCategoryUp(doc, index);
        EXPECT_EQ(index, expected);
    }
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Abbreviations(),
              (std::vector<std::string>{"Stpfl.", "Stpfl. (A)", "Stpfl. (HE)", "Stfr.", "Stfr."}));
    EXPECT_EQ(MatchTaxCategory(doc, Day(1, 3, 2009), Day(1, 3, 2010), true), 0);
    EXPECT_EQ(MatchTaxCategory(doc, Day(1, 3, 2003), Day(1, 3, 2005), true), 0);
    EXPECT_EQ(MatchTaxCategory(doc, Day(1, 1, 1997), Day(1, 8, 1997), false), 0);
}

TEST_F(TaxCategories, MovesAreRefusedAtTheEnds) {
    const std::vector<CFL2StPflKateg> before = doc.taxCategories;
    EXPECT_EQ(MoveTaxCategoryUp(doc, 0), -1);
    EXPECT_EQ(MoveTaxCategoryDown(doc, kTaxable), -1);
    EXPECT_EQ(MoveTaxCategoryUp(doc, -1), -1);
    EXPECT_EQ(MoveTaxCategoryDown(doc, 5), -1);
    EXPECT_EQ(doc.taxCategories, before);
    EXPECT_FALSE(doc.IsModified());

    EXPECT_EQ(MoveTaxCategoryDown(doc, kFlatTax), 1);
    EXPECT_EQ(Abbreviations(),
              (std::vector<std::string>{"Stpfl. (HE)", "Stpfl. (A)", "Stfr.", "Stfr.", "Stpfl."}));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TaxCategories, ButtonStatesFollowTheSelection) {
    struct Case {
        int selected;
        TaxCategoryButtons expected;
    };
    const Case cases[] = {
        {-1, {true, false, false, false, false}}, {0, {true, true, true, false, true}},
        {2, {true, true, true, true, true}},      {4, {true, true, true, true, false}},
        {5, {true, false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        EXPECT_EQ(TaxCategoryButtonStates(doc, c.selected), c.expected);
    }
    doc.taxCategories.resize(1);
    EXPECT_EQ(TaxCategoryButtonStates(doc, 0),
              (TaxCategoryButtons{true, true, true, false, false}));
}

TEST_F(TaxCategories, AppendReplaceAndDeleteMarkTheDocumentModified) {
    CFL2StPflKateg own = HoldingRule(kMoreThan, 3, kYears);
    own.name = "Eigene";
    own.abbreviation = "Eig.";

    EXPECT_EQ(AppendTaxCategory(doc, own), 5);
    EXPECT_EQ(doc.taxCategories.back(), own);
    EXPECT_TRUE(doc.IsModified());

    doc.SetModified(false);
    EXPECT_TRUE(ReplaceTaxCategory(doc, kHalfIncome, own));
    EXPECT_EQ(doc.taxCategories[kHalfIncome], own);
    EXPECT_TRUE(doc.IsModified());

    doc.SetModified(false);
    EXPECT_FALSE(ReplaceTaxCategory(doc, 6, own));
    EXPECT_FALSE(ReplaceTaxCategory(doc, -1, own));
    EXPECT_FALSE(DeleteTaxCategory(doc, 6));
    EXPECT_FALSE(doc.IsModified());

    EXPECT_EQ(TaxCategoryDeleteQuestion(),
              (Message{"Steuerpflicht", "Wirklich löschen?", MessageIcon::Question, ""}));
    EXPECT_TRUE(DeleteTaxCategory(doc, kFlatTax));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Abbreviations(),
              (std::vector<std::string>{"Eig.", "Stfr.", "Stfr.", "Stpfl.", "Eig."}));
}

TEST_F(TaxCategories, ColumnTextsOfTheDefaults) {
    EXPECT_EQ(TaxCategoryColumnHeaders(),
              (std::vector<std::string>{"Bezeichnung", "Abk.", "Verkaufzeitraum", "Kaufzeitraum",
                                        "Zeit im Depot", "Halbeinkünftverfahren"}));
    const TaxCategoryRow expected[] = {
        {"Steuerpflichtig (Abgeltungssteuer)", "Stpfl. (A)", "ab 01.01.2009", "ab 01.01.2009",
         "beliebig", "beliebig"},
        {"Steuerpflichtig (Halbeinkünfteverfahren)", "Stpfl. (HE)", "von 01.01.2002 bis 31.12.2008",
         "beliebig", "kleiner als 12 Monate", "Wertpapier unterliegt dem Halbeinkünfteverfahren"},
        {"Steuerfrei", "Stfr.", "ab 01.01.1999", "beliebig", "größer gleich 12 Monate", "beliebig"},
        {"Steuerfrei", "Stfr.", "bis 31.12.1998", "beliebig", "größer gleich 6 Monate", "beliebig"},
        {"Steuerpflichtig", "Stpfl.", "beliebig", "beliebig", "beliebig", "beliebig"},
    };
    ASSERT_EQ(doc.taxCategories.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(TaxCategoryColumnTexts(doc.taxCategories[i]), expected[i]);
    }
}

TEST(TaxCategoryColumns, PeriodHoldingAndHalfIncomeTexts) {
    const CQRNDatum first(CQRNDatum::kFirstValidDay);
    const CQRNDatum last(CQRNDatum::kLastValidDay);
    struct PeriodCase {
        bool used;
        CQRNDatum from;
        CQRNDatum to;
        const char* expected;
    };
    const PeriodCase periods[] = {
        {false, Day(1, 1, 2002), Day(31, 12, 2008), "beliebig"},
        {true, first, last, "beliebig"},
        {true, first, Day(5, 3, 2011), "bis 05.03.2011"},
        {true, Day(5, 3, 2011), last, "ab 05.03.2011"},
        {true, Day(5, 3, 2011), Day(6, 3, 2011), "von 05.03.2011 bis 06.03.2011"},
        {true, Day(3, 1, 1970), Day(17, 1, 2038), "von 03.01.1970 bis 17.01.2038"},
    };
    for (const PeriodCase& c : periods) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(PeriodColumnText(c.used, c.from, c.to), c.expected);
    }

    struct HoldingCase {
        CFL2StPflKateg rule;
        const char* expected;
    };
    CFL2StPflKateg off = HoldingRule(kAtLeast, 12, kMonths);
    off.useHoldingTime = 0;
    const HoldingCase holdings[] = {
        {off, "beliebig"},
        {HoldingRule(kLessThan, 30, kDays), "kleiner als 30 Tage"},
        {HoldingRule(kAtMost, 6, kMonths), "kleiner gleich 6 Monate"},
        {HoldingRule(kMoreThan, 1, kYears), "größer als 1 Jahre"},
        {HoldingRule(kAtLeast, 12, kMonths), "größer gleich 12 Monate"},
        {HoldingRule(4, 2, 3), "? 2 ?"},
    };
    for (const HoldingCase& c : holdings) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(HoldingTimeColumnText(c.rule), c.expected);
    }

    CFL2StPflKateg halfIncome;
    EXPECT_EQ(HalfIncomeColumnText(halfIncome), "beliebig");
    halfIncome.useHalfIncome = 1;
    halfIncome.halfIncomeOption = kNotSubjectToHalfIncome;
    EXPECT_EQ(HalfIncomeColumnText(halfIncome),
              "Wertpapier unterliegt nicht dem Halbeinkünfteverfahren");
    halfIncome.halfIncomeOption = -1;
    EXPECT_EQ(HalfIncomeColumnText(halfIncome), "?");
}

TEST_F(TaxCategories, EditFormRefusesTextsTheFileCannotHoldAndStoresOnce) {
    int heard = 0;
    doc.AddEditListener([&] { ++heard; });

    TaxCategoryForm form = TaxCategoryForm::New();
    EXPECT_EQ(form.index, -1);
    EXPECT_EQ(form.category.salePeriodFrom, Day(2, 1, 1970));
    EXPECT_EQ(form.category.purchasePeriodTo, Day(18, 1, 2038));
    form.category.name = "Steuerfrei (Sparerpauschbetrag) ★";
    form.category.abbreviation = "Stfr. ☂";
    const struct {
        const char* name;
        const char* abbreviation;
        const char* text;  // nullptr: accepted
        const char* field;
    } cases[] = {
        {"Steuerfrei ★", "Stfr. ☂",
         "Das Feld „Bezeichnung“ enthält das Zeichen „★“, das in der Datei nicht gespeichert "
         "werden kann. Bitte ändern Sie die Eingabe!",
         "name"},
        {"Steuerfrei", "Stfr. ☂",
         "Das Feld „Abkürzung“ enthält das Zeichen „☂“, das in der Datei nicht gespeichert "
         "werden kann. Bitte ändern Sie die Eingabe!",
         "abbreviation"},
        {"Steuerfrei (Übergang)", "Stfr. (Ü)", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form.category.name = c.name;
        form.category.abbreviation = c.abbreviation;
        const MaybeMessage m = form.Check(doc);
        if (c.text == nullptr) {
            EXPECT_FALSE(m) << m->text;
            continue;
        }
        ASSERT_TRUE(m);
        EXPECT_EQ(*m, (Message{"Steuerpflicht", c.text, MessageIcon::Information, c.field}));
        EXPECT_EQ(form.Apply(doc), -1);
        EXPECT_EQ(doc.taxCategories.size(), 5u);
    }
    EXPECT_EQ(heard, 0);

    EXPECT_EQ(form.Apply(doc), 5);
    EXPECT_EQ(doc.taxCategories.back().abbreviation, "Stfr. (Ü)");
    EXPECT_EQ(heard, 1);

    TaxCategoryForm edit = TaxCategoryForm::ForEdit(doc, kTaxable);
    EXPECT_EQ(edit.category, doc.taxCategories[kTaxable]);
    edit.category.useHalfIncome = 1;
    edit.category.halfIncomeOption = kNotSubjectToHalfIncome;
    EXPECT_EQ(edit.Apply(doc), kTaxable);
    EXPECT_EQ(doc.taxCategories[kTaxable].useHalfIncome, 1);
    EXPECT_EQ(heard, 2);

    EXPECT_EQ(TaxCategoryForm::ForEdit(doc, 9).index, -1);  // no such row: a new one
}

}  // namespace
}  // namespace pf

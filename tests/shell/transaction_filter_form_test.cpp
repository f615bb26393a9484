#include "shell/transaction_filter_form.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/document.h"

namespace pf {
namespace {

int32_t AddSecurity(CFolari2Doc& doc, const std::string& name, const std::string& wkn,
                    const std::string& type, const std::string& sector, const std::string& country,
                    const std::string& index) {
    CFL2Wertpapier s;
    s.name = name;
    s.wkn = wkn;
    s.type = type;
    s.sector = sector;
    s.country = country;
    s.index = index;
    return doc.AddSecurity(s).id;
}

class TransactionFilterFormTest : public ::testing::Test {
  protected:
    TransactionFilterFormTest() {
        doc.NewDocument({}, DateOf(15, 6, 2026));
        alpha = AddSecurity(doc, "Alpha AG", "A10000", "Aktie", "Bau", "DE", "");
        beta = AddSecurity(doc, "Beta Fonds", "B20000", "Fonds", "", "DE", "");
        gamma = AddSecurity(doc, "Gamma Inc.", "C30000", "Aktie", "Chemie", "US", "SDAX");
        doc.SetModified(false);
    }

    std::vector<int32_t> Ticked(const TransactionFilterForm& form) const {
        std::vector<int32_t> ids;
        for (const auto& row : form.securities)
            if (row.checked) ids.push_back(row.id);
        return ids;
    }

    CFolari2Doc doc;
    int32_t alpha = -1;
    int32_t beta = -1;
    int32_t gamma = -1;
};

TEST_F(TransactionFilterFormTest, SecurityRowsAndChoicesComeFromTheDocument) {
    doc.options.selectedSecurityIds = {gamma};
    const TransactionFilterForm form = TransactionFilterForm::FromDocument(doc);
    ASSERT_EQ(form.securities.size(), 3u);
    EXPECT_EQ(form.securities[0].label, "Alpha AG (A10000)");
    EXPECT_EQ(form.securities[1].label, "Beta Fonds (B20000)");
    EXPECT_EQ(form.securities[2].label, "Gamma Inc. (C30000)");
    EXPECT_EQ(Ticked(form), std::vector<int32_t>{gamma});

    std::vector<std::string> labels;
    for (const auto& c : form.choices) labels.push_back(c.label);
    const std::vector<std::string> expected = {"Alle Wertpapiere",
                                               "Typ: Aktie",
                                               "Typ: Fonds",
                                               "Branche: Bau",
                                               "Branche: Chemie",
                                               "Branche: (kein Eintrag)",
                                               "Land: DE",
                                               "Land: US",
                                               "Index/Marktsegment: SDAX",
                                               "Index/Marktsegment: (kein Eintrag)"};
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(FilterTextMatchNames(),
              (std::vector<std::string>{"ist gleich", "enthält", "beginnt mit"}));
}

TEST_F(TransactionFilterFormTest, ChoosingTicksOrUnticksTheSecuritiesWithThatValue) {
    const struct Case {
        const char* choice;
        bool check;
        std::vector<int> before;  // indices into {alpha, beta, gamma}
        std::vector<int> after;
    } cases[] = {
        {"Alle Wertpapiere", true, {}, {0, 1, 2}},
        {"Alle Wertpapiere", false, {0, 2}, {}},
        {"Typ: Aktie", true, {1}, {0, 1, 2}},
        {"Typ: Aktie", false, {0, 1, 2}, {1}},
        {"Branche: (kein Eintrag)", true, {}, {1}},
        {"Land: DE", false, {0, 1, 2}, {2}},
        {"Index/Marktsegment: (kein Eintrag)", true, {2}, {0, 1, 2}},
        {"Index/Marktsegment: SDAX", false, {0, 2}, {0}},
    };
    const int32_t ids[] = {alpha, beta, gamma};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.choice) + (c.check ? " ticks" : " unticks"));
        TransactionFilterForm form = TransactionFilterForm::FromDocument(doc);
        for (int i : c.before) form.securities[i].checked = true;
        size_t index = form.choices.size();
        for (size_t i = 0; i < form.choices.size(); ++i)
            if (form.choices[i].label == c.choice) index = i;
        ASSERT_LT(index, form.choices.size());
        form.Choose(index, c.check);
        std::vector<int32_t> expected;
        for (int i : c.after) expected.push_back(ids[i]);
        EXPECT_EQ(Ticked(form), expected);
    }
    TransactionFilterForm form = TransactionFilterForm::FromDocument(doc);
    form.Choose(form.choices.size(), true);  // out of range: nothing
    EXPECT_TRUE(Ticked(form).empty());
}

TEST_F(TransactionFilterFormTest, ConditionsFollowTheirGroupsShowBoxes) {
    const struct Case {
        bool purchases, sales, movements, kindsBox, splits, exchanges;
        bool trades, movementConditions, kinds, corporate;
    } cases[] = {
        {true, true, true, true, true, true, true, true, true, true},
        {false, true, true, false, true, false, true, true, false, true},
        {true, false, false, true, false, true, true, false, false, true},
        {false, false, false, false, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.purchases << c.sales << c.movements << c.kindsBox
                                          << c.splits << c.exchanges);
        TransactionFilterForm form;
        form.showPurchases = c.purchases;
        form.showSales = c.sales;
        form.showMovements = c.movements;
        form.movementsOnlySelectedKinds = c.kindsBox;
        form.showSplits = c.splits;
        form.showExchanges = c.exchanges;
        EXPECT_EQ(form.TradesEnabled(), c.trades);
        EXPECT_EQ(form.MovementsEnabled(), c.movementConditions);
        EXPECT_EQ(form.KindsEnabled(), c.kinds);
        EXPECT_EQ(form.CorporateEnabled(), c.corporate);
    }
}

TEST_F(TransactionFilterFormTest, CheckRefusesInTheOrderOfTheDialog) {
    using Edit = std::function<void(TransactionFilterForm&)>;
    const struct Case {
        const char* name;
        Edit edit;
        const char* text;  // nullptr: accepted
        const char* field;
    } cases[] = {
        {"defaults", [](TransactionFilterForm&) {}, nullptr, ""},
        {"bad amount while the condition is off",
         [](TransactionFilterForm& f) { f.tradesAmount.from = "x"; }, nullptr, ""},
        {"bad amount while the group is hidden",
         [](TransactionFilterForm& f) {
             f.tradesAmount = {true, "x", "", 0};
             f.showPurchases = f.showSales = false;
         },
         nullptr, ""},
        {"sums are amounts",
         [](TransactionFilterForm& f) {
             f.tradesAmount = {true, "4,90+1,50", "1.000,00", 0};
         },
         nullptr, ""},
        {"empty from",
         [](TransactionFilterForm& f) {
             f.tradesAmount = {true, "", "5", 0};
         },
         "Bitte geben Sie einen korrekten Betrag ein!", kFilterTradesFromField},
        {"open sum in to",
         [](TransactionFilterForm& f) {
             f.tradesAmount = {true, "1", "4,90+", 0};
         },
         "Bitte geben Sie einen korrekten Betrag ein!", kFilterTradesToField},
        {"negative amount",
         [](TransactionFilterForm& f) {
             f.movementsAmount = {true, "-5", "5", 0};
         },
         "Bitte geben Sie einen korrekten Betrag ein!", kFilterMovementsFromField},
        {"movements to",
         [](TransactionFilterForm& f) {
             f.movementsAmount = {true, "5", "fünf", 0};
         },
         "Bitte geben Sie einen korrekten Betrag ein!", kFilterMovementsToField},
        {"trades text before movement amount",
         [](TransactionFilterForm& f) {
             f.tradesText.text = "Pfeil →";
             f.movementsAmount = {true, "x", "x", 0};
         },
         "Das Feld „Text“ enthält das Zeichen „→“, das in der Datei nicht gespeichert werden "
         "kann. Bitte ändern Sie die Eingabe!",
         kFilterTradesTextField},
        {"corporate text last", [](TransactionFilterForm& f) { f.corporateText.text = "Ω"; },
         "Das Feld „Text“ enthält das Zeichen „Ω“, das in der Datei nicht gespeichert werden "
         "kann. Bitte ändern Sie die Eingabe!",
         kFilterCorporateTextField},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TransactionFilterForm form = TransactionFilterForm::FromDocument(doc);
        c.edit(form);
        const MaybeMessage m = form.Check(doc);
        if (!c.text) {
            EXPECT_FALSE(m.has_value()) << m->text;
            continue;
        }
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(m->title, "Transaktionsfilter");
        EXPECT_EQ(m->text, c.text);
        EXPECT_EQ(m->field, c.field);
        EXPECT_EQ(m->icon, MessageIcon::Information);
        const DocumentOptions before = doc.options;
        EXPECT_FALSE(form.ApplyTo(doc));
        EXPECT_TRUE(doc.options == before);
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(TransactionFilterFormTest, ApplyStoresEverythingInOneEdit) {
    int heard = 0;
    doc.AddEditListener([&] { ++heard; });
    TransactionFilterForm form = TransactionFilterForm::FromDocument(doc);
    EXPECT_EQ(form.tradesAmount.from, "0,00");
    form.showSales = false;
    form.tradesOnlySelected = true;
    form.tradesText = {true, kTextStartsWith, "Spar"};
    form.tradesAmount = {true, "4,90+1,50", "1.000", doc.currencies.back().id};
    form.movementsOnlySelectedKinds = true;
    form.kinds[2].checked = true;
    form.kinds[0].checked = true;
    form.movementsText = {false, kTextContains, "Zins"};
    form.movementsAmount = {false, "kein Betrag", "7", 0};
    form.showExchanges = false;
    form.corporateText = {true, kTextEquals, "Umtausch"};
    form.securities[1].checked = true;
    form.securities[2].checked = true;
    ASSERT_FALSE(form.Check(doc).has_value());
    EXPECT_TRUE(form.ApplyTo(doc));
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(doc.IsModified());

    const TransactionFilter& f = doc.options.transactionFilter;
    EXPECT_EQ(f.showPurchases, 1);
    EXPECT_EQ(f.showSales, 0);
    EXPECT_EQ(f.tradesOnlySelected, 1);
    EXPECT_TRUE(f.tradesText == (FilterText{1, kTextStartsWith, "Spar"}));
    EXPECT_EQ(f.tradesAmount.active, 1);
    EXPECT_EQ(f.tradesAmount.from, 6.40);
    EXPECT_EQ(f.tradesAmount.to, 1000.0);
    EXPECT_EQ(f.tradesAmount.currencyId, doc.currencies.back().id);
    EXPECT_EQ(f.movementsOnlySelectedKinds, 1);
    EXPECT_EQ(f.movementKindIds, (std::vector<int32_t>{doc.accountMovementKinds[0].id,
                                                       doc.accountMovementKinds[2].id}));
    EXPECT_TRUE(f.movementsText == (FilterText{0, kTextContains, "Zins"}));
    // A switched-off amount that does not read keeps the stored value.
    EXPECT_EQ(f.movementsAmount.active, 0);
    EXPECT_EQ(f.movementsAmount.from, 0.0);
    EXPECT_EQ(f.movementsAmount.to, 7.0);
    EXPECT_EQ(f.showSplits, 1);
    EXPECT_EQ(f.showExchanges, 0);
    EXPECT_TRUE(f.corporateText == (FilterText{1, kTextEquals, "Umtausch"}));
    EXPECT_EQ(doc.options.selectedSecurityIds, (std::vector<int32_t>{beta, gamma}));

    // The stored filter comes back into a form as it was typed, amounts in canonical form.
    const TransactionFilterForm again = TransactionFilterForm::FromDocument(doc);
    EXPECT_EQ(again.tradesAmount.from, "6,40");
    EXPECT_EQ(again.tradesAmount.to, "1.000,00");
    EXPECT_TRUE(again.kinds[0].checked && again.kinds[2].checked && !again.kinds[1].checked);

    // Applying the same settings again changes nothing and is not heard.
    doc.SetModified(false);
    EXPECT_FALSE(again.ApplyTo(doc));
    EXPECT_EQ(heard, 1);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document_options.h"
#include "reports/securities_columns.h"

namespace pf::testing {
namespace {

// The column table is shared by the report and its options page: the bits, the option names
// the page lists and the header lines must stay as the users know them.
TEST(SecuritiesColumnsTest, BitsNamesAndHeaders) {
    DocumentOptions options;
    options.isinLabel = "Kürzel";
    options.ownCategoryCaption1 = "Region";
    options.ownCategoryCaption2 = "Risiko";
    const std::vector<SecuritiesColumn> columns = SecuritiesColumns(options, "05.03.2024");

    struct Case {
        int bit;
        const char* name;
        const char* header1;
        const char* header2;
        int alignment;
    };
    const Case cases[] = {
        {0, "Bezeichnung", "Bezeichnung", "", kAlignLeft},
        {1, "WKN", "WKN", "", kAlignLeft},
        {2, "Kürzel", "Kürzel", "", kAlignLeft},
        {3, "Währung", "Währ.", "", kAlignLeft},
        {6, "Typ", "Typ", "", kAlignLeft},
        {7, "Branche", "Branche", "", kAlignLeft},
        {8, "Land", "Land", "", kAlignLeft},
        {9, "Index/Marktsegment", "Index/", "Marktsegment", kAlignLeft},
        {10, "Region", "Region", "", kAlignLeft},
        {11, "Risiko", "Risiko", "", kAlignLeft},
        {12, "Gewinn je Aktie in Jahr 1", "Gewinn", "je Aktie", kAlignRight},
        {13, "Gewinn je Aktie in Jahr 2", "Gewinn", "je Aktie", kAlignRight},
        {14, "Dividende je Aktie", "Dividende", "je Aktie", kAlignRight},
        {15, "Cash Flow je Aktie", "Cash Flow", "je Aktie", kAlignRight},
        {17, "Halbeinkünfteverfahren", "Halbeink.-", "verfahren", kAlignLeft},
        {19, "aktueller Kurs", "Kurs am", "05.03.2024", kAlignRight},
        {20, "KGV für Jahr 1", "KGV", "", kAlignRight},
        {21, "KGV für Jahr 2", "KGV", "", kAlignRight},
        {22, "Dividendenrendite", "Divid.-", "rendite", kAlignRight},
        {23, "KCV", "KCV", "", kAlignRight},
        {24, "Maximum Drawdown", "Maximum", "Drawdown", kAlignRight},
        {25, "Stück im Depot", "Stück", "im Depot", kAlignRight},
        {27, "Anzahl Kurse in Datenbank", "Anzahl", "Kurse", kAlignRight},
        {29, "Kursimport aus Videotext", "aus VT", "", kAlignLeft},
        {30, "Kursimport aus Internet", "aus Internet", "", kAlignLeft},
        {31, "Bemerkungen", "Bemerkungen", "", kAlignLeft},
    };
    ASSERT_EQ(columns.size(), std::size(cases));
    for (size_t i = 0; i < columns.size(); ++i) {
        SCOPED_TRACE(cases[i].bit);
        EXPECT_EQ(columns[i].bit, cases[i].bit);
        EXPECT_EQ(columns[i].optionName, cases[i].name);
        EXPECT_EQ(columns[i].header1, cases[i].header1);
        EXPECT_EQ(columns[i].header2, cases[i].header2);
        EXPECT_EQ(columns[i].alignment, cases[i].alignment);
    }
}

TEST(SecuritiesColumnsTest, SortKeyTextsFollowTheKeyNumbers) {
    DocumentOptions options;
    options.isinLabel = "Kürzel";
    options.ownCategoryCaption2 = "Risiko";
    const std::vector<std::string> texts = SecuritiesSortKeyTexts(options);
    ASSERT_EQ(texts.size(), static_cast<size_t>(kSecuritiesByRemarks) + 1);
    EXPECT_EQ(texts[kSecuritiesUnsorted], "(keine Sortierung)");
    EXPECT_EQ(texts[kSecuritiesByIsin], "Kürzel");
    EXPECT_EQ(texts[kSecuritiesByCategory2], "Risiko");
    EXPECT_EQ(texts[kSecuritiesByHalfIncome], "Halbeinkünfteverfahren");
    EXPECT_EQ(texts[kSecuritiesByDrawdown], "Maximum Drawdown");
    EXPECT_EQ(texts[kSecuritiesByRemarks], "Bemerkungen");
}

}  // namespace
}  // namespace pf::testing

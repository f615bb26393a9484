#include "reports/securities_columns.h"

#include <utility>

namespace pf {

std::vector<SecuritiesColumn> SecuritiesColumns(const DocumentOptions& options,
                                                const std::string& priceDate) {
    const auto text = [](int bit, std::string name, std::string header1, std::string header2) {
        return SecuritiesColumn{bit, std::move(name), std::move(header1), std::move(header2),
                                kAlignLeft};
    };
    const auto number = [](int bit, std::string name, std::string header1, std::string header2) {
        return SecuritiesColumn{bit, std::move(name), std::move(header1), std::move(header2),
                                kAlignRight};
    };
    return {
        text(0, "Bezeichnung", "Bezeichnung", ""),
        text(1, "WKN", "WKN", ""),
        text(2, options.isinLabel, options.isinLabel, ""),
        text(3, "Währung", "Währ.", ""),
        text(6, "Typ", "Typ", ""),
        text(7, "Branche", "Branche", ""),
        text(8, "Land", "Land", ""),
        text(9, "Index/Marktsegment", "Index/", "Marktsegment"),
        text(10, options.ownCategoryCaption1, options.ownCategoryCaption1, ""),
        text(11, options.ownCategoryCaption2, options.ownCategoryCaption2, ""),
        number(12, "Gewinn je Aktie in Jahr 1", "Gewinn", "je Aktie"),
        number(13, "Gewinn je Aktie in Jahr 2", "Gewinn", "je Aktie"),
        number(14, "Dividende je Aktie", "Dividende", "je Aktie"),
        number(15, "Cash Flow je Aktie", "Cash Flow", "je Aktie"),
        text(17, "Halbeinkünfteverfahren", "Halbeink.-", "verfahren"),
        number(19, "aktueller Kurs", "Kurs am", priceDate),
        number(20, "KGV für Jahr 1", "KGV", ""),
        number(21, "KGV für Jahr 2", "KGV", ""),
        number(22, "Dividendenrendite", "Divid.-", "rendite"),
        number(23, "KCV", "KCV", ""),
        number(24, "Maximum Drawdown", "Maximum", "Drawdown"),
        number(25, "Stück im Depot", "Stück", "im Depot"),
        number(27, "Anzahl Kurse in Datenbank", "Anzahl", "Kurse"),
        text(29, "Kursimport aus Videotext", "aus VT", ""),
        text(30, "Kursimport aus Internet", "aus Internet", ""),
        text(31, "Bemerkungen", "Bemerkungen", ""),
    };
}

std::vector<std::string> SecuritiesSortKeyTexts(const DocumentOptions& options) {
    return {
        "(keine Sortierung)",
        "Bezeichnung",
        "WKN",
        options.isinLabel,
        "Währung",
        "Typ",
        "Branche",
        "Land",
        "Index/Marktsegment",
        options.ownCategoryCaption1,
        options.ownCategoryCaption2,
        "Halbeinkünfteverfahren",
        "aktueller Kurs",
        "KGV für Jahr 1",
        "KGV für Jahr 2",
        "Dividendenrendite",
        "KCV",
        "Maximum Drawdown",
        "Stück im Depot",
        "Anzahl Kurse in Datenbank",
        "Kursimport aus Videotext",
        "Kursimport aus Internet",
        "Bemerkungen",
    };
}

}  // namespace pf

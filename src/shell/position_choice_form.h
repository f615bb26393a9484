#pragma once

// "Wertpapierpositionen auswählen": which lots the positions diagram (view 102) sums. The
// list holds every lot of the holdings computation, open and closed; OK hands back the
// position numbers of the ticked lines.
#include <cstdint>
#include <string>
#include <vector>

namespace pf {

class CFolari2Doc;

inline constexpr const char* kPositionChoiceTitle = "Wertpapierpositionen auswählen";

// One lot as the list shows it: texts in the document's number and date format.
struct PositionChoiceLine {
    int32_t positionNo = -1;
    std::string name;  // the security's name; empty for a missing security
    std::string wkn;
    std::string purchaseDate;  // "05.03.2011"
    std::string quantity;      // pieces as entered, e.g. "1.000,5"
    std::string saleDate;      // the sale or exchange date, or "offen" for an open lot
    bool checked = false;
};

class PositionChoiceForm {
  public:
    // Every lot of the document, ordered by security name, then purchase date, then position
    // number; a lot is ticked when its number is in `selected`. Numbers in `selected` that no
    // lot carries any more (a transaction was deleted) are dropped.
    static PositionChoiceForm FromDocument(const CFolari2Doc& doc,
                                           const std::vector<int32_t>& selected);

    // "&alle markieren", "&keine markieren".
    void MarkAll();
    void MarkNone();
    // OK: the position numbers of the ticked lines, in list order.
    std::vector<int32_t> Chosen() const;

    std::vector<PositionChoiceLine> lines;
};

}  // namespace pf

#include "shell/position_choice_form.h"

#include <algorithm>
#include <tuple>

#include "engine/holdings.h"
#include "engine/number_entry.h"
#include "model/document.h"

namespace pf {

PositionChoiceForm PositionChoiceForm::FromDocument(const CFolari2Doc& doc,
                                                    const std::vector<int32_t>& selected) {
    struct Row {
        const CFL2DepotPos* lot;
        const CFL2Wertpapier* security;
    };
    // Every lot ever made: open, sold and exchanged out, as the diagram counts them.
    const PositionList lots = ComputeHoldings(doc, HoldingsQuery{});
    std::vector<Row> rows;
    rows.reserve(lots.size());
    for (const CFL2DepotPos& lot : lots) rows.push_back({&lot, doc.FindSecurity(lot.securityId)});
    static const std::string kNone;
    auto nameOf = [](const Row& r) -> const std::string& {
        return r.security != nullptr ? r.security->name : kNone;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        return std::forward_as_tuple(nameOf(a), a.lot->purchaseDate, a.lot->positionNo) <
               std::forward_as_tuple(nameOf(b), b.lot->purchaseDate, b.lot->positionNo);
    });

    const NumberFormat format = NumberFormatOf(doc.options);
    PositionChoiceForm form;
    for (const Row& r : rows) {
        const CFL2DepotPos& lot = *r.lot;
        PositionChoiceLine line;
        line.positionNo = lot.positionNo;
        line.name = nameOf(r);
        line.wkn = r.security != nullptr ? r.security->wkn : std::string();
        line.purchaseDate = lot.purchaseDate.FormatLong();
        line.quantity = FormatQuantity(lot.quantity, format);
        line.saleDate = lot.state == PositionState::Open ? "offen" : lot.saleDate.FormatLong();
        line.checked =
            std::find(selected.begin(), selected.end(), lot.positionNo) != selected.end();
        form.lines.push_back(std::move(line));
    }
    return form;
}

void PositionChoiceForm::MarkAll() {
    for (PositionChoiceLine& line : lines) line.checked = true;
}

void PositionChoiceForm::MarkNone() {
    for (PositionChoiceLine& line : lines) line.checked = false;
}

std::vector<int32_t> PositionChoiceForm::Chosen() const {
    std::vector<int32_t> numbers;
    for (const PositionChoiceLine& line : lines)
        if (line.checked) numbers.push_back(line.positionNo);
    return numbers;
}

}  // namespace pf

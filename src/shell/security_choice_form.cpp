#include "shell/security_choice_form.h"

#include <algorithm>

#include "model/document.h"

namespace pf {

SecurityChoiceForm SecurityChoiceForm::FromDocument(const CFolari2Doc& doc) {
    SecurityChoiceForm form;
    const std::vector<int32_t>& selected = doc.options.selectedSecurityIds;
    for (const CFL2Wertpapier& s : doc.securities) {
        const bool checked = std::find(selected.begin(), selected.end(), s.id) != selected.end();
        form.rows.push_back({s.id, s.name, s.wkn, checked});
    }
    return form;
}

bool SecurityChoiceForm::ApplyTo(CFolari2Doc& doc) const {
    std::vector<int32_t> ids;
    for (const Row& row : rows)
        if (row.checked) ids.push_back(row.id);
    if (ids == doc.options.selectedSecurityIds) return false;
    doc.options.selectedSecurityIds = std::move(ids);
    return true;
}

}  // namespace pf

#include "shell/options_sheet.h"

#include "model/document.h"

namespace pf {

OptionsSheet OptionsSheet::FromDocument(const CFolari2Doc& doc) {
    OptionsSheet sheet;
    sheet.Add(std::make_unique<GeneralOptionsPage>(GeneralOptionsForm::FromDocument(doc)));
    return sheet;
}

std::optional<OptionsRefusal> OptionsSheet::Check() const {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (MaybeMessage m = pages_[i]->Check()) return OptionsRefusal{i, std::move(*m)};
    return std::nullopt;
}

bool OptionsSheet::Apply(CFolari2Doc& doc) const {
    if (Check()) return false;
    // Closing the sheet with OK counts as a change even when no field was touched.
    doc.Edit([this](CFolari2Doc& d) {
        for (const auto& page : pages_) page->ApplyTo(d);
    });
    return true;
}

}  // namespace pf

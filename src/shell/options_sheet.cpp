#include "shell/options_sheet.h"

#include "model/document.h"
#include "shell/report_option_pages.h"

namespace pf {

OptionsSheet OptionsSheet::FromDocument(const CFolari2Doc& doc) {
    return WithPages(doc, AllOptionPageTitles());
}

OptionsSheet OptionsSheet::ForView(const CFolari2Doc& doc, int viewId) {
    return WithPages(doc, OptionPageTitlesOfView(viewId));
}

OptionsSheet OptionsSheet::WithPages(const CFolari2Doc& doc,
                                     const std::vector<std::string>& titles) {
    OptionsSheet sheet;
    for (const std::string& title : titles)
        if (std::unique_ptr<OptionsPage> page = MakeOptionsPage(title, doc))
            sheet.Add(std::move(page));
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

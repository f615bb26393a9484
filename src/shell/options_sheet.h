#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/message.h"
#include "shell/general_options_form.h"

namespace pf {

class CFolari2Doc;

// One page of the property sheet "Optionen" over its own form model: the tab's title, the
// checks made when the sheet is left with OK, and how the page writes itself into the
// document. Adding a page takes one more class and one more entry in the table of pages
// (report_option_pages.cpp) and in the Qt sheet's list of page views.
class OptionsPage {
  public:
    virtual ~OptionsPage() = default;

    virtual std::string Title() const = 0;
    // The first problem of the page (title "Optionen", focus on a field of this page).
    virtual MaybeMessage Check() const = 0;
    // Writes the page's fields into the document; only after a passing Check.
    virtual void ApplyTo(CFolari2Doc& doc) const = 0;
};

// The page "Allgemein".
class GeneralOptionsPage : public OptionsPage {
  public:
    explicit GeneralOptionsPage(GeneralOptionsForm form) : form(std::move(form)) {}

    std::string Title() const override { return "Allgemein"; }
    MaybeMessage Check() const override { return form.Check(); }
    void ApplyTo(CFolari2Doc& doc) const override { form.ApplyTo(doc); }

    GeneralOptionsForm form;
};

// A refusal of the sheet and the index of the page it comes from.
struct OptionsRefusal {
    size_t page = 0;
    Message message;
};

// The property sheet "Optionen": its pages in tab order.
class OptionsSheet {
  public:
    // Every page filled from the document, "Allgemein" first (AllOptionPageTitles).
    static OptionsSheet FromDocument(const CFolari2Doc& doc);
    // The pages of one view's options command: its own page, then the appearance page of
    // its group (OptionPageTitlesOfView); no page for a view without options.
    static OptionsSheet ForView(const CFolari2Doc& doc, int viewId);
    // The pages with these titles in this order; unknown titles are left out.
    static OptionsSheet WithPages(const CFolari2Doc& doc, const std::vector<std::string>& titles);

    void Add(std::unique_ptr<OptionsPage> page) { pages_.push_back(std::move(page)); }
    size_t PageCount() const { return pages_.size(); }
    OptionsPage& Page(size_t index) { return *pages_.at(index); }
    const OptionsPage& Page(size_t index) const { return *pages_.at(index); }

    // OK: the pages' checks in tab order; the first refusal with its page.
    std::optional<OptionsRefusal> Check() const;
    // OK: every page writes itself into the document in one edit, so that the document is
    // marked modified and its views are told once. Changes nothing and returns false while
    // Check refuses.
    bool Apply(CFolari2Doc& doc) const;

  private:
    std::vector<std::unique_ptr<OptionsPage>> pages_;
};

}  // namespace pf

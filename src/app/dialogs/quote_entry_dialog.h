#pragma once

#include <array>
#include <cstdint>

#include "app/dialogs/entry_pages_frame.h"
#include "model/date.h"
#include "quotes/quote_entry.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace pf {

class CFolari2Doc;

// "Kurse eingeben": the quotes of many securities at one date, 20 rows to a page. Every
// price field changes the document as it is left; "Schließen" only ends the dialog.
// Widgets: "filter", "label", "order", "date", and per row i (0-based) "label<i>",
// "price<i>", "currency<i>"; the paging buttons of EntryPagesFrame.
class QuoteEntryDialog : public EntryPagesFrame {
    Q_OBJECT

  public:
    // Opened for `securityId`, the page holding it is shown and its field has the focus
    // with the text selected.
    QuoteEntryDialog(CFolari2Doc& doc, CQRNDatum date, int32_t securityId = -1,
                     QWidget* parent = nullptr);

    // Whether some field changed the document.
    bool Changed() const { return pages_.changed; }

  protected:
    size_t ShownRows() const override { return pages_.rows.size(); }
    QLineEdit* Field(size_t row) const override { return rows_[row].price; }
    std::string FormText(size_t row) const override { return pages_.rows[row].price; }
    void Leave(size_t row, const std::string& text) override;
    void TurnPage(bool forward) override;
    void ShowRows() override;
    std::string PageLine() const override { return pages_.PageLine(); }
    bool NextIsDefault() const override { return pages_.NextIsDefault(); }

  private:
    struct RowWidgets {
        QLabel* label = nullptr;
        QLineEdit* price = nullptr;
        QLabel* currency = nullptr;
    };

    // After a change of the date or a list choice: leaves the pending fields under the old
    // choices, then lists and shows the rows anew.
    void ChoicesChanged();

    CFolari2Doc& doc_;
    QuoteEntryPages pages_;
    QComboBox* filter_ = nullptr;
    QComboBox* label_ = nullptr;
    QComboBox* order_ = nullptr;
    QDateEdit* date_ = nullptr;
    std::array<RowWidgets, kQuoteRowsPerPage> rows_;
};

}  // namespace pf

#pragma once

#include <array>

#include "app/dialogs/entry_pages_frame.h"
#include "model/date.h"
#include "quotes/rate_entry.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace pf {

class CFolari2Doc;

// "Devisenkurse eingeben": the rates of the currencies with a variable rate at one date,
// 5 rows to a page, each "<name>  [left] <symbol>  =  [right] <reference>". The field the
// currency's quote format selects holds the rate; the other shows "1" and is disabled.
// Widgets: "order", "date", and per row i (0-based) "name<i>", "left<i>", "symbol<i>",
// "right<i>", "reference<i>"; the paging buttons of EntryPagesFrame.
class RateEntryDialog : public EntryPagesFrame {
    Q_OBJECT

  public:
    RateEntryDialog(CFolari2Doc& doc, CQRNDatum date, QWidget* parent = nullptr);

    // Whether some field changed the document.
    bool Changed() const { return pages_.changed; }

  protected:
    size_t ShownRows() const override { return pages_.rows.size(); }
    QLineEdit* Field(size_t row) const override;
    std::string FormText(size_t row) const override { return pages_.rows[row].Rate(); }
    void Leave(size_t row, const std::string& text) override;
    void TurnPage(bool forward) override;
    void ShowRows() override;
    std::string PageLine() const override { return pages_.PageLine(); }
    bool NextIsDefault() const override { return pages_.NextIsDefault(); }

  private:
    struct RowWidgets {
        QLabel* name = nullptr;
        QLineEdit* left = nullptr;
        QLabel* symbol = nullptr;
        QLineEdit* right = nullptr;
        QLabel* reference = nullptr;
    };

    void ChoicesChanged();

    CFolari2Doc& doc_;
    RateEntryPages pages_;
    QComboBox* order_ = nullptr;
    QDateEdit* date_ = nullptr;
    std::array<RowWidgets, kRateRowsPerPage> rows_;
};

}  // namespace pf

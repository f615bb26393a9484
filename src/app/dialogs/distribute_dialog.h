#pragma once

#include <QDialog>

#include "engine/holdings.h"
#include "engine/split_exchange.h"

class QLineEdit;

namespace pf {

class CFolari2Doc;

// "Aufteilen": one step of the sale dialog's walk of "a&ufteilen...". Shows the lot
// ("Position:" with its list index + 1, "Kaufdatum:", "Kaufkurs:" with 2 to 7 decimals and
// the currency's name, "Stück:", "Text:") and the bounds of the step, and takes the pieces
// to sell from it ("Stück &verkaufen", starting from the lot's present selection held to
// the bounds). OK: an entry that is not a quantity is refused (title "Aufteilen", the focus
// back on the entry) and the dialog stays open; an entry outside the bounds becomes the
// nearer bound; Entry() then holds the pieces.
class SaleDistributeDialog : public QDialog {
    Q_OBJECT

  public:
    SaleDistributeDialog(const CFolari2Doc& doc, const CFL2DepotPos& lot, int listPosition,
                         QuantityBounds bounds, QWidget* parent = nullptr);

    Quantity Entry() const { return entry_; }

    void accept() override;

  private:
    const CFolari2Doc& doc_;
    QuantityBounds bounds_;
    Quantity entry_ = 0;
    QLineEdit* pieces_ = nullptr;
};

}  // namespace pf

#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <map>

#include "engine/holdings.h"
#include "engine/split_exchange.h"

class QLineEdit;

namespace pf {

class CFolari2Doc;

// "Aufteilen": one step of the walk of "a&ufteilen..." in the sale and the exchange dialog.
// Shows the lot ("Position:" with its list index + 1, "Kaufdatum:", "Kaufkurs:" with 2 to 7
// decimals and the currency's name, "Stück:", "Text:") and the bounds of the step, and takes
// the pieces from it under `entryLabel` ("Stück &verkaufen", "Stück &umtauschen"), starting
// from the lot's present selection held to the bounds. OK: an entry that is not a quantity
// is refused (title "Aufteilen", the focus back on the entry) and the dialog stays open; an
// entry outside the bounds becomes the nearer bound; Entry() then holds the pieces.
class DistributeDialog : public QDialog {
    Q_OBJECT

  public:
    DistributeDialog(const CFolari2Doc& doc, const CFL2DepotPos& lot, int listPosition,
                     QuantityBounds bounds, const QString& entryLabel, QWidget* parent = nullptr);

    Quantity Entry() const { return entry_; }

    void accept() override;

  private:
    const CFolari2Doc& doc_;
    QuantityBounds bounds_;
    Quantity entry_ = 0;
    QLineEdit* pieces_ = nullptr;
};

// The walk itself: one step per lot in list order, with R the wanted pieces less what
// earlier steps took and T the pieces of this and the following lots. Each confirmed step
// goes into `distributed` under the lot's position number; Abbrechen ends the walk and keeps
// the steps confirmed before.
void WalkDistribution(QWidget* parent, const CFolari2Doc& doc, const PositionList& lots,
                      Quantity wanted, const QString& entryLabel,
                      std::map<int32_t, Quantity>& distributed);

}  // namespace pf

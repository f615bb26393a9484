#pragma once

#include <QDialog>

#include "engine/account_movements.h"
#include "engine/holdings.h"

class QLineEdit;

namespace pf {

class CFolari2Doc;

// "Zuordnen": one step of the allocation walk of "Kontobewegung". Shows the lot (list
// index, purchase and sale date, pieces, text) and takes the pieces the movement concerns
// ("Die Kontobewegung betrifft ... Stück dieser Position."), pre-filled with the lot's
// present allocation. OK stores the entry in `manual` (cut to the lot's pieces) and closes;
// an entry that is not a quantity is refused and the dialog stays open. Abbrechen stores
// nothing.
class AllocationDialog : public QDialog {
    Q_OBJECT

  public:
    AllocationDialog(const CFolari2Doc& doc, const CFL2DepotPos& lot, const AllocationRow& row,
                     ManualAllocation& manual, QWidget* parent = nullptr);

    void accept() override;

  private:
    const CFolari2Doc& doc_;
    CFL2DepotPos lot_;
    ManualAllocation& manual_;
    QLineEdit* pieces_ = nullptr;
};

// The walk of "&zuordnen...": one "Zuordnen" dialog per lot of `lots` in list order (their
// rows from AllocationRows); Abbrechen ends the walk, the entries confirmed before stay in
// `manual`. Returns the number of lots confirmed.
int RunAllocationWalk(QWidget* parent, const CFolari2Doc& doc, const PositionList& lots,
                      ManualAllocation& manual);

}  // namespace pf

#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "engine/stop_target.h"
#include "model/date.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// "Stopp- und Zielkurse" over StopTargetForm: every Open lot in the chosen order with its
// quote at the quote date and its prices; the selected lot's stop and target fields, the box
// "für alle Positionen dieses Wertpapiers" and "Ü&bernehmen", which stores the prices at
// once (for the lot, or for every Open lot of its security) and shows them in the list.
// "Schließen" closes; what was taken over stays in the document.
class StopTargetDialog : public QDialog {
    Q_OBJECT

  public:
    // `positionNo` selects that lot's row when it is listed; -1 selects none.
    StopTargetDialog(CFolari2Doc& doc, CQRNDatum today, int32_t positionNo = -1,
                     QWidget* parent = nullptr);

    // Whether "Übernehmen" stored prices since the dialog opened.
    bool Changed() const { return changed_; }

  private:
    void FillRows();
    void RowChosen();
    void UpdateFields();
    void TakeOver();

    CFolari2Doc& doc_;
    StopTargetForm form_;
    std::vector<StopTargetRow> rows_;  // in list order
    bool changed_ = false;

    QComboBox* order_ = nullptr;
    QDateEdit* quoteDate_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLineEdit* stop_ = nullptr;
    QLineEdit* target_ = nullptr;
    QCheckBox* allLots_ = nullptr;
    QPushButton* apply_ = nullptr;
};

// Opens the dialog with the lot `positionNo` selected (-1: the user chooses); returns whether
// the document changed.
bool RunStopTargetDialog(QWidget* parent, CFolari2Doc& doc, int32_t positionNo, CQRNDatum today);

}  // namespace pf

#pragma once

#include <QDialog>
#include <cstdint>

#include "engine/holdings.h"
#include "engine/split_exchange_form.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// "Umtausch" over ExchangeForm: the date, whether the new lots keep the purchase date, the
// source security (lists of the securities with lots on the date) with its old pieces, the
// target security (editable lists of every security) with its new pieces, the text, and the
// source's lots with "ält&este Positionen umtauschen" and the "Aufteilen" walk.
//
// The lots are computed when the dialog opens and whenever the date changes (the edited
// exchange left out, so that its lots are offered again); the selection follows the old
// pieces, the oldest-first box and the walk's quantities, which stay while the dialog is
// open. Old pieces above what the source's lots hold are lowered to that total when the
// field is left. OK: a refusal puts the focus on its field; then the exchange is stored.
class ExchangeDialog : public QDialog {
    Q_OBJECT

  public:
    ExchangeDialog(CFolari2Doc& doc, ExchangeForm form, QWidget* parent = nullptr);

    // The exchange's id after OK; -1 before.
    int32_t TransactionId() const { return id_; }
    // The widgets as a form (with the walk's quantities and the edited id).
    ExchangeForm Form() const;

    void accept() override;

  private:
    void DateChanged();
    void FillSources(int32_t chosen);
    void ChooseSource(int32_t id);
    void ChooseTarget(const QComboBox* from);
    void OldPiecesLeft();
    void Refresh();
    void Distribute();

    CFolari2Doc& doc_;
    ExchangeForm form_;  // keeps the walk's quantities and the edited id
    int32_t id_ = -1;

    QDateEdit* date_ = nullptr;
    QRadioButton* newPurchaseDate_ = nullptr;
    QRadioButton* keepPurchaseDate_ = nullptr;
    QComboBox* sourceName_ = nullptr;
    QComboBox* sourceCode_ = nullptr;
    QLineEdit* oldPieces_ = nullptr;
    QComboBox* targetName_ = nullptr;
    QComboBox* targetCode_ = nullptr;
    QLineEdit* newPieces_ = nullptr;
    QLineEdit* text_ = nullptr;
    QTreeWidget* lotList_ = nullptr;
    QCheckBox* oldestFirst_ = nullptr;
    QPushButton* distribute_ = nullptr;
};

}  // namespace pf

#pragma once

#include <QDialog>
#include <cstdint>

#include "engine/split_exchange_form.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;

namespace pf {

class CFolari2Doc;

// "Aktiensplit" over SplitForm: the date, the security by name and by code (linked lists of
// every security), the text, the ratio as new pieces for old pieces, and the permanent
// adjustment of the quotes before the split date with its rounding decimals.
//
// An edited split that the earliest-date rule no longer guards (it is permanent, or a later
// transaction of its security depends on it) keeps its date, security and pieces: those
// fields are disabled. A permanent split stays permanent, so its box is ticked and disabled.
// OK: a refusal puts the focus on its field; the permanent question comes before the split
// is stored, and No keeps the dialog open.
class SplitDialog : public QDialog {
    Q_OBJECT

  public:
    SplitDialog(CFolari2Doc& doc, SplitForm form, QWidget* parent = nullptr);

    // The split's id after OK; -1 before.
    int32_t TransactionId() const { return id_; }
    // The widgets as a form (with the edited id).
    SplitForm Form() const;

    void accept() override;

  private:
    void ChooseSecurity(int32_t id);
    void UpdateEnabled();

    CFolari2Doc& doc_;
    SplitForm form_;
    bool locked_ = false;        // date, security and pieces are kept
    bool wasPermanent_ = false;  // the edited split is permanent already
    int32_t id_ = -1;

    QDateEdit* date_ = nullptr;
    QComboBox* name_ = nullptr;
    QComboBox* code_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLineEdit* newPieces_ = nullptr;
    QLineEdit* oldPieces_ = nullptr;
    QCheckBox* permanent_ = nullptr;
    QSpinBox* roundDecimals_ = nullptr;
};

}  // namespace pf

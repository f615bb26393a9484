#pragma once

#include <QDialog>
#include <cstdint>

#include "engine/holdings.h"
#include "engine/movement_form.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// "Kontobewegung" over MovementForm: date, kind ("Vorgang"), amount with sums ("Betrag"),
// currency, text, the calculation line, and the link to a security with its lots
// ("Bez&ug zu Wertpapier herstellen", name and code boxes, "Betrag verbuchen als:", the lot
// list, "&automatisch zuordnen" and "&zuordnen..." with the "Zuordnen" walk).
//
// The lots are computed when the dialog opens and whenever the date changes. The link box
// is enabled when the kind allows a link and some lot exists on the date; everything that
// belongs to the link is enabled only while the box is enabled and ticked. The quantities of
// the walk stay while the dialog is open (an edited movement starts with its earlier
// allocation, shown by hand). OK: a refusal puts the focus on its field and the dialog stays
// open; then the movement is added or changed.
class MovementDialog : public QDialog {
    Q_OBJECT

  public:
    MovementDialog(CFolari2Doc& doc, MovementForm form, QWidget* parent = nullptr);

    // The movement's id after OK; -1 before.
    int32_t TransactionId() const { return id_; }
    // The widgets as a form (with the walk's quantities and the edited id).
    MovementForm Form() const;

    void accept() override;

  private:
    void DateChanged();
    void FillSecurities(int32_t chosen);
    void ChooseSecurity(int32_t id);
    int32_t ChosenSecurity() const;
    void Refresh();
    void UpdateCalculation();
    void Allocate();

    CFolari2Doc& doc_;
    MovementForm form_;      // keeps the walk's quantities and the edited id
    PositionList holdings_;  // all lots on the date
    PositionList lots_;      // the chosen security's lots as listed, with their allocation
    int32_t id_ = -1;

    QDateEdit* date_ = nullptr;
    QComboBox* kind_ = nullptr;
    QLineEdit* amount_ = nullptr;
    QComboBox* currency_ = nullptr;
    QLabel* calculation_ = nullptr;
    QLineEdit* text_ = nullptr;
    QCheckBox* linked_ = nullptr;
    QComboBox* name_ = nullptr;
    QComboBox* code_ = nullptr;
    QGroupBox* bookAs_ = nullptr;
    QButtonGroup* allocKind_ = nullptr;
    QCheckBox* automatic_ = nullptr;
    QTreeWidget* lotList_ = nullptr;
    QPushButton* allocate_ = nullptr;
};

}  // namespace pf

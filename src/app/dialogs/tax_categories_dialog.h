#pragma once

#include <QDialog>

#include "engine/tax_categories.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// The editor of one category over TaxCategoryForm: name and abbreviation, and the four
// conditions, each switched on by its check box, which enables its controls. A switched-off
// condition keeps the values it shows. "&OK" stores into the category (or appends the new
// one); a text the file cannot hold is refused with the focus on its field.
class TaxCategoryDialog : public QDialog {
    Q_OBJECT

  public:
    TaxCategoryDialog(CFolari2Doc& doc, TaxCategoryForm form, QWidget* parent = nullptr);

    // The widgets as a form.
    TaxCategoryForm Form() const;
    // The stored category's index after OK; -1 before.
    int Index() const { return index_; }

    void accept() override;

  private:
    void UpdateEnabled();

    CFolari2Doc& doc_;
    TaxCategoryForm form_;
    int index_ = -1;

    QLineEdit* name_ = nullptr;
    QLineEdit* abbreviation_ = nullptr;
    QCheckBox* useSalePeriod_ = nullptr;
    QDateEdit* saleFrom_ = nullptr;
    QDateEdit* saleTo_ = nullptr;
    QCheckBox* usePurchasePeriod_ = nullptr;
    QDateEdit* purchaseFrom_ = nullptr;
    QDateEdit* purchaseTo_ = nullptr;
    QCheckBox* useHoldingTime_ = nullptr;
    QComboBox* comparison_ = nullptr;
    QSpinBox* value_ = nullptr;
    QComboBox* unit_ = nullptr;
    QCheckBox* useHalfIncome_ = nullptr;
    QComboBox* halfIncome_ = nullptr;
};

// "Steuerpflicht": the document's categories in the order of evaluation, with "&Neu",
// "&Bearbeiten" (also a double click on a row), "&Löschen" after a Yes/No question, "Na&ch
// oben" and "Nach &unten". Every change goes into the document at once; "Schließen" closes.
class TaxCategoriesDialog : public QDialog {
    Q_OBJECT

  public:
    explicit TaxCategoriesDialog(CFolari2Doc& doc, QWidget* parent = nullptr);

    // Whether the list of the document changed since the dialog opened.
    bool Changed() const { return changed_; }

  private:
    void Fill(int select);
    int Selected() const;
    void UpdateButtons();
    void Add();
    void EditSelected();
    void Remove();
    void Move(int (*move)(CFolari2Doc&, int));

    CFolari2Doc& doc_;
    bool changed_ = false;

    QTreeWidget* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
};

// Opens "Steuerpflicht"; returns whether the document changed.
bool RunTaxCategoriesDialog(QWidget* parent, CFolari2Doc& doc);

}  // namespace pf

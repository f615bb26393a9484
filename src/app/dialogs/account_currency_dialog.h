#pragma once

#include <QDialog>

#include "engine/account_currency.h"
#include "model/date.h"

class QComboBox;
class QDateEdit;
class QPushButton;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// "Kontowährung" over AccountCurrencyForm: "Währung zu &Beginn", the list of changes
// ("Umstellungsdatum", "Umstellung auf"), and a date with "Währung &umstellen auf" for
// "&Währung umstellen". The buttons edit the form (a change after its question, a deletion
// after "Währungsumstellung am ... löschen?"); the document is written only on OK, and
// Abbrechen leaves it as it was. The initial currency can be chosen only while the list is
// empty.
class AccountCurrencyDialog : public QDialog {
    Q_OBJECT

  public:
    // The date starts at `today`, the target currency at the base currency.
    AccountCurrencyDialog(CFolari2Doc& doc, CQRNDatum today, QWidget* parent = nullptr);

    const AccountCurrencyForm& Form() const { return form_; }

    void accept() override;

  private:
    void Fill(int selectRow);
    int SelectedRow() const;
    void UpdateEnabling();
    void AddChange();
    void DeleteChange();

    CFolari2Doc& doc_;
    AccountCurrencyForm form_;

    QComboBox* initial_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QDateEdit* date_ = nullptr;
    QComboBox* target_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
};

// Opens "Kontowährung"; returns whether the document was written (after OK).
bool RunAccountCurrencyDialog(QWidget* parent, CFolari2Doc& doc, CQRNDatum today);

}  // namespace pf

#pragma once

#include <QWizard>

#include "app/dialogs/depot_data_dialog.h"
#include "shell/new_file_wizard_form.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTreeWidget;

namespace pf {

// "Neue Datei": page 1 chooses the base currency (the euro with legacy currencies, or one
// of the user's own), page 2 the depot master data and the initial account currency. The
// widgets carry objectNames ("euroChoice", "legacyList", "otherChoice", "symbol", "name",
// "holderName", "holderAddress", "depotNumber", "accountNumber", "bankCode",
// "accountCurrency") and keep the form model up to date as they change.
class NewFileWizard : public QWizard {
    Q_OBJECT

  public:
    explicit NewFileWizard(QWidget* parent = nullptr);

    const NewFileWizardForm& Form() const { return form_; }
    NewDocumentChoices Choices() const { return form_.Choices(); }

    // Leaving a page runs the form's check for it; a refusal is shown, its field gets the
    // focus and the page stays.
    bool validateCurrentPage() override;

  protected:
    void initializePage(int id) override;

  private:
    QWizardPage* CreateCurrencyPage();
    QWizardPage* CreateDepotPage();
    void UpdateCurrencyChoice();
    void FillAccountCurrencies();

    NewFileWizardForm form_;
    int currencyPageId_ = -1;
    int depotPageId_ = -1;
    QRadioButton* euroChoice_ = nullptr;
    QTreeWidget* legacyList_ = nullptr;
    QRadioButton* otherChoice_ = nullptr;
    QWidget* ownFields_ = nullptr;
    QLineEdit* symbol_ = nullptr;
    QLineEdit* name_ = nullptr;
    DepotDataEdits depotEdits_;
    QComboBox* accountCurrency_ = nullptr;
    bool fillingAccountCurrencies_ = false;
};

}  // namespace pf

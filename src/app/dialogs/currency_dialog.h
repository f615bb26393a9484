#pragma once

#include <QDialog>
#include <cstdint>

#include "quotes/currency_form.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace pf {

class CFolari2Doc;

// "Neue Währung" / "Währung bearbeiten" over CurrencyForm: symbol, name, and either a
// variable rate (reference currency and quote format) or a fixed rate to the base currency
// ("fixedRate1 <symbol> = fixedRate2 <base symbol>"). The enable states and the labels that
// carry the symbols follow every change of the widgets. OK shows the form's refusal with the
// focus on its field and stays open; otherwise the form is applied to the document.
class CurrencyDialog : public QDialog {
    Q_OBJECT

  public:
    CurrencyDialog(CFolari2Doc& doc, CurrencyForm form, QWidget* parent = nullptr);

    // The currency's id after OK; -1 before.
    int32_t CurrencyId() const { return id_; }
    // The widgets as a form.
    CurrencyForm Form() const;

    void accept() override;

  private:
    void SetFields(const CurrencyForm& form);
    // Enable states and symbol labels from the form the widgets make.
    void Update();

    CFolari2Doc& doc_;
    CurrencyForm form_;  // keeps the edited id
    int32_t id_ = -1;

    QLineEdit* symbol_ = nullptr;
    QLineEdit* name_ = nullptr;
    QButtonGroup* kind_ = nullptr;
    QRadioButton* variable_ = nullptr;
    QRadioButton* fixed_ = nullptr;
    QLabel* referenceLabel_ = nullptr;
    QComboBox* reference_ = nullptr;
    QButtonGroup* quoteFormat_ = nullptr;
    QRadioButton* unitsPerReference_ = nullptr;
    QRadioButton* referencePerUnit_ = nullptr;
    QLineEdit* fixedRate1_ = nullptr;
    QLabel* symbolLine_ = nullptr;
    QLineEdit* fixedRate2_ = nullptr;
    QLabel* baseSymbol_ = nullptr;
};

// Opens the currency dialog for currency `currencyId` (-1: a new one). Returns the id after
// OK, -1 after Abbrechen.
int32_t RunCurrencyDialog(QWidget* parent, CFolari2Doc& doc, int32_t currencyId);

}  // namespace pf

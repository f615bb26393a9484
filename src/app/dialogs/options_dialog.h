#pragma once

#include <QDialog>

#include "shell/general_options_form.h"

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace pf {

class CFolari2Doc;

// The property sheet "Optionen" with its page "Allgemein"; further pages are added to
// Pages(). OK checks the page through its form model: a refusal is shown, the page comes to
// the front, the field gets the focus and the sheet stays open. The widgets carry the form's
// field names as objectNames ("protect", "password", "repetition", "periodFrom0".."3",
// "periodFromDate", "periodTo0", "periodTo1", "periodToDate", "splitRoundingDecimals",
// "decimalSeparator", "thousandsSeparator", "noThousandsSeparator", "earningsYears",
// "ownCategories", "rememberTransactionDate").
class OptionsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit OptionsDialog(const CFolari2Doc& doc, QWidget* parent = nullptr);

    QTabWidget* Pages() const { return pages_; }
    QWidget* GeneralPage() const { return general_; }

    // The page "Allgemein" as it stands.
    GeneralOptionsForm Form() const;
    // Writes the page into the document; the caller marks it modified and updates views.
    void ApplyTo(CFolari2Doc& doc) const;

    void accept() override;

  private:
    QWidget* CreateGeneralPage(const GeneralOptionsForm& form);
    void UpdateEnabled();

    GeneralOptionsForm initial_;
    QTabWidget* pages_ = nullptr;
    QWidget* general_ = nullptr;
    QGroupBox* protect_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* repetition_ = nullptr;
    QButtonGroup* periodFrom_ = nullptr;
    QDateEdit* periodFromDate_ = nullptr;
    QButtonGroup* periodTo_ = nullptr;
    QDateEdit* periodToDate_ = nullptr;
    QSpinBox* splitRounding_ = nullptr;
    QLineEdit* decimalSeparator_ = nullptr;
    QLineEdit* thousandsSeparator_ = nullptr;
    QCheckBox* noThousandsSeparator_ = nullptr;
    QLineEdit* earningsYears_ = nullptr;
    QLineEdit* ownCategories_ = nullptr;
    QCheckBox* rememberTransactionDate_ = nullptr;
};

}  // namespace pf

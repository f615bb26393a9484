#pragma once

#include <QDialog>

#include "shell/transaction_filter_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pf {

class CFolari2Doc;

// "Transaktionsfilter": the three groups of conditions (purchases and sales, account
// movements, splits and exchanges), each enabled by its show boxes and each condition's
// fields by its own box, and the securities list with check marks, ticked or unticked by
// attribute through the box beside "Auswä&hlen"/"Abwäh&len". OK refuses what
// TransactionFilterForm::Check refuses (the focus goes to the field) and stays open;
// otherwise it stores the settings in one edit.
class TransactionFilterDialog : public QDialog {
    Q_OBJECT

  public:
    explicit TransactionFilterDialog(CFolari2Doc& doc, QWidget* parent = nullptr);

    // The widgets read into the form.
    TransactionFilterForm Form() const;

    void accept() override;

  private:
    // The widgets of a text condition and of an amount condition.
    struct TextWidgets {
        QCheckBox* active = nullptr;
        QComboBox* match = nullptr;
        QLineEdit* text = nullptr;
    };
    struct AmountWidgets {
        QCheckBox* active = nullptr;
        QLineEdit* from = nullptr;
        QLineEdit* to = nullptr;
        QComboBox* currency = nullptr;
    };

    QCheckBox* CheckBox(const QString& text, const char* name, bool checked);
    TextWidgets MakeText(const QString& caption, const char* prefix, const char* field,
                         const TransactionFilterForm::TextCondition& condition);
    AmountWidgets MakeAmount(const QString& caption, const char* prefix, const char* fromField,
                             const char* toField,
                             const TransactionFilterForm::AmountCondition& condition);
    static TransactionFilterForm::TextCondition Read(const TextWidgets& w);
    static TransactionFilterForm::AmountCondition Read(const AmountWidgets& w);
    void UpdateEnables();
    void Choose(bool check);

    CFolari2Doc& doc_;
    TransactionFilterForm form_;  // the lists and choices; the widgets hold the rest

    QCheckBox* showPurchases_ = nullptr;
    QCheckBox* showSales_ = nullptr;
    QCheckBox* tradesOnlySelected_ = nullptr;
    TextWidgets tradesText_;
    AmountWidgets tradesAmount_;
    QCheckBox* showMovements_ = nullptr;
    QCheckBox* movementsOnlySelected_ = nullptr;
    QCheckBox* movementsOnlySelectedKinds_ = nullptr;
    QListWidget* kinds_ = nullptr;
    TextWidgets movementsText_;
    AmountWidgets movementsAmount_;
    QCheckBox* showSplits_ = nullptr;
    QCheckBox* showExchanges_ = nullptr;
    QCheckBox* corporateOnlySelected_ = nullptr;
    TextWidgets corporateText_;
    QListWidget* securities_ = nullptr;
    QComboBox* choices_ = nullptr;
};

// Opens the dialog modally; true after OK.
bool RunTransactionFilterDialog(QWidget* parent, CFolari2Doc& doc);

}  // namespace pf

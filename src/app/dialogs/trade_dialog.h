#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

#include "engine/trade_form.h"
#include "engine/transaction_editor.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// The fields "Kauf" and "Verkauf" share: date, quantity, price, the two currencies with
// commission 1 and the rate pair between them, commission 2, the text and the calculation
// line. Each widget carries its form field's name as objectName.
//
// The currency rule is applied on every change of a currency box: with equal currencies
// commission 1 shows 0,00 and the rate pair 1,00 : 1,00, all three disabled; with a
// fixed-rate currency 1 the rate pair shows its fixed factors, disabled; otherwise the rate
// fields are enabled and show what the user typed last. The calculation line follows every
// change.
class TradeDialogBase : public QDialog {
    Q_OBJECT

  protected:
    TradeDialogBase(CFolari2Doc& doc, bool sale, QWidget* parent);

    // Puts the shared fields into `grid` from row `row` on (two rows); returns the next row.
    int AddCurrencyRows(QGridLayout* grid, int row);
    // Shows `entry`'s texts and currencies, then applies the currency rule.
    void SetEntry(const TradeEntry& entry);
    // The widgets' texts and choices; locked fields as shown.
    void GetEntry(TradeEntry& entry) const;
    // Rebuilds the calculation line from the widgets.
    virtual void UpdateCalculation() = 0;
    void ApplyCurrencyRule();
    // Rewrites the field in its canonical form when it parses, and leaves it as typed
    // otherwise (OK then names it).
    void CanonicalQuantity(QLineEdit* field) const;
    void CanonicalPrice(QLineEdit* field) const;
    QLabel* BuddyLabel(const QString& text, QWidget* buddy);

    CFolari2Doc& doc_;
    const bool sale_;
    int32_t id_ = -1;

    QDateEdit* date_ = nullptr;
    QLineEdit* quantity_ = nullptr;
    QLineEdit* price_ = nullptr;
    QLineEdit* commission1_ = nullptr;
    QComboBox* currency1_ = nullptr;
    QLineEdit* rateBase_ = nullptr;
    QLabel* rateBaseName_ = nullptr;  // currency 1's name + "  ="
    QLineEdit* rateQuote_ = nullptr;
    QLabel* rateQuoteName_ = nullptr;  // currency 2's name
    QComboBox* currency2_ = nullptr;
    QLineEdit* commission2_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLabel* calculation_ = nullptr;

  private:
    // The rate texts the user typed last; the rule shows them again when it unlocks the pair.
    QString typedRateBase_;
    QString typedRateQuote_;
};

// "Kauf" over PurchaseForm. Name and WKN are editable lists of every security, linked: a
// security picked or typed in one shows its other half in the other. Leaving either box
// with a text that matches no security opens "Neues Wertpapier" with the typed name and WKN;
// after its OK the new security is chosen, after Abbrechen the stop and target labels lose
// their currency. The stop and target labels end with the quote currency's name of the
// chosen security. An edited purchase keeps the limits of PurchaseEditLimits: the date
// picker stops at the latest date, a smaller quantity is raised to the minimum when the
// field is left, and a locked quantity field is disabled.
class PurchaseDialog : public TradeDialogBase {
    Q_OBJECT

  public:
    PurchaseDialog(CFolari2Doc& doc, PurchaseForm form, QWidget* parent = nullptr);

    // The purchase's id after OK; -1 before.
    int32_t TransactionId() const { return id_; }
    PurchaseForm Form() const;

    void accept() override;

  private:
    void UpdateCalculation() override;
    void FillSecurities();
    void SecurityPicked(const QComboBox* from);
    void SecurityBoxLeft(const QComboBox* from);
    void UpdateStopTargetLabels();
    void QuantityLeft();

    PurchaseForm form_;  // keeps the edited id
    PurchaseLimits limits_;
    bool askingSecurity_ = false;  // "Neues Wertpapier" is open: ignore further focus changes

    QComboBox* name_ = nullptr;
    QComboBox* code_ = nullptr;
    QLineEdit* stop_ = nullptr;
    QLineEdit* target_ = nullptr;
    QLabel* stopLabel_ = nullptr;
    QLabel* targetLabel_ = nullptr;
};

// "Verkauf" over SaleForm. Name and WKN are linked drop-down lists of the securities with
// sellable lots on the date; the lots are computed again on every date change (the edited
// sale left out). The list shows the chosen security's lots with the selection for the
// quantity: oldest first when "ält&este Positionen verkaufen" is ticked or there is only
// one lot, else the quantities of the "Aufteilen" walk, which stay while the dialog is open.
// A quantity above what the lots hold is lowered to that total when the field is left or
// the security or date changes. The list, the box and "a&ufteilen..." stay disabled when an
// account movement refers to the edited sale's pieces.
class SaleDialog : public TradeDialogBase {
    Q_OBJECT

  public:
    SaleDialog(CFolari2Doc& doc, SaleForm form, QWidget* parent = nullptr);

    int32_t TransactionId() const { return id_; }
    SaleForm Form() const;

    void accept() override;

  private:
    void UpdateCalculation() override;
    void DateChanged();
    void FillSecurities(int32_t chosen);
    void ChooseSecurity(int32_t id);
    void LowerQuantity();
    void Refresh();
    void Distribute();

    SaleForm form_;  // keeps the walk's quantities and the edited id

    QComboBox* name_ = nullptr;
    QComboBox* code_ = nullptr;
    QTreeWidget* lotList_ = nullptr;
    QCheckBox* oldestFirst_ = nullptr;
    QPushButton* distribute_ = nullptr;
};

}  // namespace pf

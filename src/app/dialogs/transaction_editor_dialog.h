#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "app/dialogs/transaction_dialogs.h"
#include "engine/transaction_editor.h"
#include "model/date.h"

class QDateEdit;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// "Transaktions-Editor": the transactions of a period (EditorRows) with the five buttons
// that add a transaction through `runners`, "B&earbeiten..." (also a double click on a row)
// that opens the runner of the chosen transaction's kind, "&Löschen" (TransactionDeleteForm:
// refusal, or the question and the deletion after Yes) and "S&chließen". The period starts
// as the month of `today`; with `selectId` of a stored transaction it is the month of that
// transaction, so that it is listed and chosen. After every change the list is read again
// with the returned transaction chosen; a transaction dated outside the period is not
// listed, and the buttons that need a row stay disabled.
class TransactionEditorDialog : public QDialog {
    Q_OBJECT

  public:
    TransactionEditorDialog(CFolari2Doc& doc, CQRNDatum today, TransactionDialogRunners runners,
                            int32_t selectId = -1, QWidget* parent = nullptr);

    // The transaction of the chosen row; -1 for none.
    int32_t SelectedId() const;
    // The period shown.
    CQRNDatum From() const;
    CQRNDatum To() const;

  private:
    void Fill(int32_t selectId);
    void PeriodChanged();
    void SelectionChanged();
    void Add(TransactionDialogRunner runner);
    void EditSelected();
    void DeleteSelected();

    CFolari2Doc& doc_;
    CQRNDatum today_;
    TransactionDialogRunners runners_;
    std::vector<EditorRow> rows_;
    bool filling_ = false;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QLabel* count_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
};

// Opens the editor modally.
void RunTransactionEditor(QWidget* parent, CFolari2Doc& doc, CQRNDatum today,
                          const TransactionDialogRunners& runners, int32_t selectId = -1);

}  // namespace pf

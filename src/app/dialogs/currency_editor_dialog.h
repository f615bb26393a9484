#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "model/date.h"
#include "quotes/currency_form.h"

class QPushButton;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// "Währungs-Editor": every currency of the document (CurrencyEditorRows, the rates as of
// `date`) with "&Neu...", "&Bearbeiten..." (also a double click on a row), "&Löschen" and
// "Schließen". "&Bearbeiten..." and "&Löschen" need a chosen row. The list is read again
// after every change; the new or changed currency is chosen, after a deletion the row that
// took its place.
class CurrencyEditorDialog : public QDialog {
    Q_OBJECT

  public:
    CurrencyEditorDialog(CFolari2Doc& doc, CQRNDatum date, QWidget* parent = nullptr);

    // The chosen row's currency; -1 for none.
    int32_t SelectedId() const;
    // Chooses the row of currency `id` (none when it is not listed).
    void Select(int32_t id);

  private:
    void Fill(int32_t selectId, int fallbackRow);
    void UpdateButtons();
    void NewCurrency();
    void EditCurrency();
    void DeleteCurrency();

    CFolari2Doc& doc_;
    CQRNDatum date_;
    std::vector<CurrencyEditorRow> rows_;
    QTreeWidget* list_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace pf

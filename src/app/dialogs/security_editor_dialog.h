#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "engine/security_form.h"

class QPushButton;
class QTreeWidget;

namespace pf {

// "Wertpapier-Editor": every security of the document (SecurityEditorForm::Rows) with
// "&Neu...", "&Bearbeiten..." (also a double click on a row), "&Löschen" and "Schließen".
// "&Bearbeiten..." and "&Löschen" need a chosen row. The list is read again after every
// change; the changed security stays chosen, after a deletion the row that took its place.
class SecurityEditorDialog : public QDialog {
    Q_OBJECT

  public:
    explicit SecurityEditorDialog(CFolari2Doc& doc, QWidget* parent = nullptr);

    // The chosen row's security; -1 for none.
    int32_t SelectedId() const;
    // Chooses the row of security `id` (none when it is not listed).
    void Select(int32_t id);

  private:
    void Fill(int32_t selectId, int fallbackRow);
    void UpdateButtons();
    void NewSecurity();
    void EditSecurity();
    void DeleteSecurity();

    CFolari2Doc& doc_;
    std::vector<SecurityEditorRow> rows_;
    QTreeWidget* list_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace pf

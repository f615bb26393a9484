#pragma once

#include <QDialog>
#include <optional>

#include "engine/security_templates.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace pf {

// "Vorlage verwenden": the stored address templates filled in for the security (columns
// "Adresse/URL", "Text vor Kurs", "Dezimaltrennzeichen"), the hint line, OK, "Löschen" and
// "Abbrechen". OK and "Löschen" need a chosen row; "Löschen" removes the stored template
// from the document at once (in one edit) and lists the templates again.
class UseTemplateDialog : public QDialog {
    Q_OBJECT

  public:
    UseTemplateDialog(CFolari2Doc& doc, TemplateSource source, QWidget* parent = nullptr);

    // The row chosen when OK was pressed; nothing before or without a choice.
    std::optional<TemplateRow> Chosen() const;

    void accept() override;

  private:
    void Fill(int selectRow);
    void DeleteChosen();
    void UpdateButtons();

    CFolari2Doc& doc_;
    TemplateSource source_;
    TemplateChoice choice_;
    QTreeWidget* list_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace pf

#pragma once

#include <QDialog>

#include "model/date.h"
#include "quotes/quote_deletion.h"

class QButtonGroup;
class QDateEdit;
class QListWidget;

namespace pf {

class CFolari2Doc;

// "Kurse löschen": deletes quotes of the ticked securities by one of three rules. Each
// deletion is asked first and its count reported (also 0); the dialog stays open until
// "Schließen". Widgets: "securities" (items carry the security id as Qt::UserRole),
// "markAll", "rule0" .. "rule2", "from", "to", "delete", "close".
class QuoteDeleteDialog : public QDialog {
    Q_OBJECT

  public:
    QuoteDeleteDialog(CFolari2Doc& doc, CQRNDatum today, QWidget* parent = nullptr);

    // The widgets as a form.
    QuoteDeleteForm Form() const;

  private:
    void MarkAll();
    void RuleChosen();
    void DeleteQuotes();

    CFolari2Doc& doc_;
    QListWidget* securities_ = nullptr;
    QButtonGroup* rules_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
};

}  // namespace pf

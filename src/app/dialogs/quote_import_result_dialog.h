#pragma once

#include <QDialog>

#include "quotes/quote_import_form.h"

class QCheckBox;
class QLabel;
class QTreeWidget;

namespace pf {

class CFolari2Doc;

// "Importergebnis": the quotes a scan found for one security, optionally only those of days
// on which the security was in the depot; OK takes the shown quotes over into its history.
// Widgets: "count", "notice", "onlyHeld", "quotes".
class QuoteImportResultDialog : public QDialog {
    Q_OBJECT

  public:
    QuoteImportResultDialog(CFolari2Doc& doc, QuoteImportResult result, QWidget* parent = nullptr);

    void accept() override;
    // The quotes added or changed by OK.
    int Changed() const { return changed_; }

  private:
    void ShowRows();

    CFolari2Doc& doc_;
    QuoteImportResult result_;
    QLabel* count_ = nullptr;
    QCheckBox* onlyHeld_ = nullptr;
    QTreeWidget* quotes_ = nullptr;
    int changed_ = 0;
};

}  // namespace pf

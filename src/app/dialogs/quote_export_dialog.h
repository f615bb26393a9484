#pragma once

#include <QDialog>

#include "quotes/quote_export.h"

class QCheckBox;
class QLineEdit;

namespace pf {

class CFolari2Doc;
class SecurityPair;

// "Kurse exportieren": writes the quote history of one security into a text file. The
// dialog stays open after each export until "Schließen". Widgets: "name", "wkn", "file",
// "browse", "writeName", "writeWkn", "currency", "separator", "export", "close".
class QuoteExportDialog : public QDialog {
    Q_OBJECT

  public:
    QuoteExportDialog(const CFolari2Doc& doc, QWidget* parent = nullptr);

    QuoteExportForm Form() const;

  private:
    void Browse();
    void Export();

    const CFolari2Doc& doc_;
    SecurityPair* security_ = nullptr;
    QLineEdit* file_ = nullptr;
    QCheckBox* writeName_ = nullptr;
    QCheckBox* writeWkn_ = nullptr;
    QCheckBox* currency_ = nullptr;
    QLineEdit* separator_ = nullptr;
};

}  // namespace pf

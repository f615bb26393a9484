#pragma once

#include <QDialog>
#include <string>

#include "engine/security_form.h"

class QLineEdit;
class QRadioButton;

namespace pf {

// "Daten für Kursimport aus dem Videotext": page, subpage, price box, control text and its
// box, decimal separator, typed by hand (the security dialog's "&Auswählen..." marks them on
// the teletext page instead). The import switch stays with the security dialog and passes
// through unchanged. OK refuses what CheckVtplusFields refuses and stays open.
class VtplusDataDialog : public QDialog {
    Q_OBJECT

  public:
    explicit VtplusDataDialog(const VtplusFields& fields, QWidget* parent = nullptr);

    VtplusFields Fields() const;

    void accept() override;

  private:
    bool import_ = false;
    QLineEdit* page_ = nullptr;
    QLineEdit* subpage_ = nullptr;
    QLineEdit* quotePosition_ = nullptr;
    QLineEdit* controlText_ = nullptr;
    QLineEdit* controlPosition_ = nullptr;
    QRadioButton* comma_ = nullptr;
    QRadioButton* point_ = nullptr;
};

}  // namespace pf

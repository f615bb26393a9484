#pragma once

#include <QDialog>

#include "shell/security_choice_form.h"

class QListWidget;

namespace pf {

class CFolari2Doc;

// "Wertpapierauswahl": ticks the securities that the dialog bar's filter keeps.
class SecurityChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SecurityChoiceDialog(const CFolari2Doc& doc, QWidget* parent = nullptr);
    // The form with the ticks as the user left them.
    SecurityChoiceForm Form() const;
    bool ApplyTo(CFolari2Doc& doc) const { return Form().ApplyTo(doc); }

  private:
    SecurityChoiceForm form_;
    QListWidget* list_;
};

}  // namespace pf

#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "shell/position_choice_form.h"

class QTreeWidget;

namespace pf {

class CFolari2Doc;

// "Wertpapierpositionen auswählen": a check list of every lot (objectName "positions", the
// position number in Qt::UserRole of column 0) with the columns "Bezeichnung", "WKN",
// "Kaufdatum", "Stück", "Verkaufsdatum", and the buttons "&alle markieren" ("markAll"),
// "&keine markieren" ("markNone"), OK and "Abbrechen".
class PositionChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    PositionChoiceDialog(const CFolari2Doc& doc, const std::vector<int32_t>& selected,
                         QWidget* parent = nullptr);
    // The form with the ticks as the user left them.
    PositionChoiceForm Form() const;
    // After OK: the position numbers of the ticked lots.
    std::vector<int32_t> Chosen() const { return Form().Chosen(); }

  private:
    void Show(const PositionChoiceForm& form);

    PositionChoiceForm form_;
    QTreeWidget* list_ = nullptr;
};

}  // namespace pf

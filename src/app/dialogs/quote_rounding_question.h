#pragma once

#include <QDialog>

#include "engine/message.h"

class QSpinBox;

namespace pf {

// The question of the security dialog when the quote currency of a security changes: the
// question's text, "Kurse &runden auf" n "Dezimalstellen" (0 to 7, 2 at the start) and
// Ja/Nein. Ja accepts the dialog.
class QuoteRoundingQuestion : public QDialog {
    Q_OBJECT

  public:
    QuoteRoundingQuestion(const Message& question, int decimals, QWidget* parent = nullptr);

    int Decimals() const;

  private:
    QSpinBox* decimals_ = nullptr;
};

// Asks `question` and returns whether the user answered Ja; `decimals` goes in as the
// proposal and comes out as the chosen number of decimals. While the message boxes are
// replaced (SetMessageBoxHandler, as in the widget tests), the question goes to that handler
// as a Yes/No message instead and `decimals` keeps the proposal.
bool AskQuoteRounding(QWidget* parent, const Message& question, int& decimals);

}  // namespace pf

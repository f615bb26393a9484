#pragma once

#include <QDialog>
#include <cstddef>
#include <vector>

#include "quotes/vtplus_quotes.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace pf {

class DdeClient;

// "Kursauswahl aus VTPlus": shows a teletext page in a fixed-pitch field, where the user
// marks the price and the control text with the mouse or the keyboard and takes their boxes
// over. Choosing a page or subpage loads it at once. OK hands the selection back (Result()).
// Widgets: "page", "reload", "subpage", "selection", "takeQuote", "quoteShown",
// "takeControlText", "controlShown", "comma", "point", the buttons of the box.
class VtplusSelectionDialog : public QDialog {
    Q_OBJECT

  public:
    // `client` is used for every page and must outlive the dialog; `current` is what the
    // security has now, kept where the user marks nothing.
    VtplusSelectionDialog(DdeClient& client, const VtplusSelection& current,
                          QWidget* parent = nullptr);

    const VtplusSelectionForm& Form() const { return form_; }
    VtplusSelection Result() const { return form_.Result(); }

  private:
    void ShowPages();
    void ShowPage();
    void ShowSeparator();
    // The marked range of the field as character offsets of the form's page text.
    std::size_t PageOffset(int fieldPosition) const;
    void Take(bool quote);

    DdeClient& client_;
    VtplusSelectionForm form_;
    // pageOffsets_[p] is the offset in the form's page text of position p of the field; one
    // more entry for the end.
    std::vector<std::size_t> pageOffsets_;
    QComboBox* page_ = nullptr;
    QComboBox* subpage_ = nullptr;
    QPlainTextEdit* selection_ = nullptr;
    QLabel* quoteShown_ = nullptr;
    QLabel* controlShown_ = nullptr;
    QRadioButton* comma_ = nullptr;
    QRadioButton* point_ = nullptr;
};

}  // namespace pf

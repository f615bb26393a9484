#pragma once

#include <QDialog>
#include <string>

#include "shell/text_output_form.h"

class QLineEdit;
class QRadioButton;

namespace pf {

// "Kopieren in Zwischenablage" (the two modes) or "Kopieren in Textdatei" (the modes, a
// file name and "Speichern unter..."). OK with an empty file name shows the form's refusal,
// puts the focus back on the name ("fileName") and stays open. Radio buttons: "fixedWidths",
// "tabSeparated".
class TextOutputDialog : public QDialog {
    Q_OBJECT

  public:
    explicit TextOutputDialog(TextOutputTarget target, QWidget* parent = nullptr);

    // 0 fixed column widths, 1 columns separated by tabs.
    int Mode() const;
    std::string FileName() const;

    void accept() override;

  private:
    void BrowseForFile();

    TextOutputTarget target_;
    QRadioButton* fixedWidths_ = nullptr;
    QRadioButton* tabSeparated_ = nullptr;
    QLineEdit* fileName_ = nullptr;  // text file only
};

}  // namespace pf

#pragma once

#include <QDialog>

#include "app/dialogs/trend_icons.h"
#include "quotes/quotes_from_text_form.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace pf {

class CFolari2Doc;
class SettingsStore;

// "Kurse aus Text": looks for every security's number or short code in a pasted or loaded
// text, reads the price behind it with a separator format and lists what it found with a
// trend icon; OK stores the prices read as quotes of the chosen date. The formats are read
// from the profile on opening and written back when the dialog ends. Widgets: "date",
// "format", "newFormat", "editFormat", "deleteFormat", "identification", "text", "fromFile",
// "fromClipboard", "quotes".
class QuotesFromTextDialog : public QDialog {
    Q_OBJECT

  public:
    QuotesFromTextDialog(CFolari2Doc& doc, SettingsStore& settings, CQRNDatum today,
                         QWidget* parent = nullptr);

    const QuotesFromTextForm& Form() const { return form_; }
    // Whether OK changed a quote.
    bool Changed() const { return changed_; }

    void accept() override;
    void done(int result) override;

  private:
    void ShowFormats();
    void ShowRows();
    void TextEdited();
    void LoadFile();
    void Paste();
    void NewFormat();
    void EditFormat();
    void DeleteFormat();

    CFolari2Doc& doc_;
    SettingsStore& settings_;
    QuotesFromTextForm form_;
    bool changed_ = false;
    QDateEdit* date_ = nullptr;
    QComboBox* format_ = nullptr;
    QPushButton* editFormat_ = nullptr;
    QPushButton* deleteFormat_ = nullptr;
    QComboBox* identification_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QTreeWidget* quotes_ = nullptr;
};

// "Neues Format" / "Format bearbeiten": one separator format of "Kurse aus Text". Widgets:
// "title", "separators", "terminators", "comma", "point", "ignore".
class TextFormatDialog : public QDialog {
    Q_OBJECT

  public:
    TextFormatDialog(const TextFormatForm& form, const std::string& isinLabel,
                     QWidget* parent = nullptr);

    TextFormatForm Form() const;
    void accept() override;

  private:
    TextFormatForm start_;
    QLineEdit* title_ = nullptr;
    QLineEdit* separators_ = nullptr;
    QLineEdit* terminators_ = nullptr;
    QRadioButton* comma_ = nullptr;
    QRadioButton* point_ = nullptr;
    QCheckBox* ignore_ = nullptr;
};

}  // namespace pf

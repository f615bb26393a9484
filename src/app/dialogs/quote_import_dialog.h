#pragma once

#include <QDialog>
#include <string>

#include "quotes/quote_import_form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace pf {

class CFolari2Doc;
class SecurityPair;
class SettingsStore;

// "Kurse importieren": reads the quote history of one security from a text file described
// in the format language, shows the quotes found in "Importergebnis" and takes them over
// on its OK. The stored formats are read from the profile on opening and written back on
// closing, when the document also remembers security, file and description. Widgets:
// "name", "wkn", "isin", "currency", "file", "browse", "format", "description", "save",
// "delete", "progress", "import", "close".
class QuoteImportDialog : public QDialog {
    Q_OBJECT

  public:
    QuoteImportDialog(CFolari2Doc& doc, SettingsStore& settings, QWidget* parent = nullptr);

    // The widgets as a form (the formats as the dialog keeps them).
    QuoteImportForm Form() const;

    void done(int result) override;

  private:
    void SecurityChosen();
    void Browse();
    void FormatChosen(int index);
    void DescriptionEdited();
    void ShowFormatList();
    void SaveFormat();
    void DeleteFormat();
    void Import();
    void SelectDescriptionFrom(size_t byteOffset);

    CFolari2Doc& doc_;
    SettingsStore& settings_;
    ImportFormatList formats_;
    SecurityPair* security_ = nullptr;
    QLabel* isinCaption_ = nullptr;
    QLabel* isin_ = nullptr;
    QLabel* currency_ = nullptr;
    QLineEdit* file_ = nullptr;
    QComboBox* formatList_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* delete_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

// "Formatbeschreibung speichern": asks for the title of a format to store. Widget "title".
class SaveFormatDialog : public QDialog {
    Q_OBJECT

  public:
    explicit SaveFormatDialog(QWidget* parent = nullptr);
    std::string Title() const;
    void accept() override;

  private:
    QLineEdit* title_ = nullptr;
};

}  // namespace pf

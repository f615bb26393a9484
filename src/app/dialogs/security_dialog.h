#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "engine/security_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace pf {

class CFolari2Doc;

// "Neues Wertpapier" / "Wertpapier bearbeiten" over SecurityForm, on four tabs:
// "Allgemein" (name, identifiers, quote currency, classification), "Kennzahlen" (key figures
// and switches), "Kategorien und Bemerkungen" and "Kursimport" (internet and VTPlus). OK shows a
// refusal on the tab of its field and stays open; the question of a changed quote currency asks for
// the decimals of the converted quotes (Nein leaves the dialog open and the document unchanged);
// then the form is applied to the document. "Vorlage erzeugen" stores a template in the document at
// once, whatever OK or Abbrechen does later.
class SecurityDialog : public QDialog {
    Q_OBJECT

  public:
    SecurityDialog(CFolari2Doc& doc, SecurityForm form, QWidget* parent = nullptr);

    // The security's id after OK; -1 before.
    int32_t SecurityId() const { return id_; }
    // The widgets as a form.
    SecurityForm Form() const;

    // The socket of the teletext bridge that "&Auswählen..." talks to
    // (DefaultVtplusSocketPath() unless set).
    void SetVtplusSocketPath(std::string path) { vtplusSocket_ = std::move(path); }

    void accept() override;

  private:
    void SetFields(const SecurityForm& form);
    void ShowRefusalOnTab(const Message& message);
    void MakeTemplate();
    void UseTemplate();
    void EditVtplusData();
    // "&Auswählen...": the VTPlus data marked on the teletext page, taken over on OK.
    void SelectVtplusData();

    CFolari2Doc& doc_;
    SecurityForm form_;  // keeps the id and the VTPlus data between the widgets' copies
    int32_t id_ = -1;
    std::string vtplusSocket_;

    QTabWidget* tabs_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* wkn_ = nullptr;
    QLineEdit* isin_ = nullptr;
    QComboBox* currency_ = nullptr;
    QLineEdit* type_ = nullptr;
    QLineEdit* sector_ = nullptr;
    QLineEdit* country_ = nullptr;
    QLineEdit* index_ = nullptr;
    QLineEdit* earnings1_ = nullptr;
    QLineEdit* earnings2_ = nullptr;
    QLineEdit* dividend_ = nullptr;
    QLineEdit* cashFlow_ = nullptr;
    QCheckBox* halfIncome_ = nullptr;
    QCheckBox* noManualQuotes_ = nullptr;
    QCheckBox* noChart_ = nullptr;
    QLineEdit* category1_ = nullptr;
    QLineEdit* category2_ = nullptr;
    QPlainTextEdit* remarks_ = nullptr;
    QCheckBox* internetImport_ = nullptr;
    QLineEdit* internetUrl_ = nullptr;
    QLineEdit* internetText_ = nullptr;
    QComboBox* internetSeparator_ = nullptr;
    QCheckBox* vtplusImport_ = nullptr;
    QPushButton* vtplusData_ = nullptr;
};

// Opens the security dialog for security `securityId` (-1: a new one). Returns the id after
// OK, -1 after Abbrechen.
int32_t RunSecurityDialog(QWidget* parent, CFolari2Doc& doc, int32_t securityId);

}  // namespace pf

#pragma once

#include <QDialog>
#include <QWidget>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "shell/options_sheet.h"

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace pf {

class CFolari2Doc;
class SettingsStore;

// One tab of the property sheet "Optionen": the widgets of one page, read back into that
// page's form model. The widgets carry the form's field names as objectNames, so that a
// refusal puts the focus on its field.
class OptionsPageView : public QWidget {
  public:
    using QWidget::QWidget;

    // The page with what the widgets hold.
    virtual std::unique_ptr<OptionsPage> Page() const = 0;
};

// Makes the view of one page, filled from the document.
using OptionsPageFactory = OptionsPageView* (*)(const CFolari2Doc& doc);
// The pages of the full sheet in tab order (AllOptionPageTitles). Adding a page takes one
// view class over its form and one entry in this list.
std::span<const OptionsPageFactory> OptionsPageFactories();
// The factory of the page with `title`; nullptr for an unknown title.
OptionsPageFactory OptionsPageFactoryOf(const std::string& title);

// The page "Allgemein" (objectName "generalPage"), its widgets named "protect", "password",
// "repetition", "periodFrom0".."3", "periodFromDate", "periodTo0", "periodTo1",
// "periodToDate", "splitRoundingDecimals", "decimalSeparator", "thousandsSeparator",
// "noThousandsSeparator", "earningsYears", "ownCategories", "rememberTransactionDate",
// "keepBackup" (a setting of the user's profile, not of the document).
class GeneralOptionsPageView : public OptionsPageView {
  public:
    explicit GeneralOptionsPageView(const GeneralOptionsForm& form, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);

    // The page as it stands.
    GeneralOptionsForm Form() const;
    std::unique_ptr<OptionsPage> Page() const override;
    // "Sicherungskopie beim Speichern anlegen" from, and to, the user's profile.
    void LoadProfile(const SettingsStore& profile);
    void ApplyToProfile(SettingsStore& profile) const;

  private:
    void UpdateEnabled();

    GeneralOptionsForm initial_;
    QGroupBox* protect_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* repetition_ = nullptr;
    QButtonGroup* periodFrom_ = nullptr;
    QDateEdit* periodFromDate_ = nullptr;
    QButtonGroup* periodTo_ = nullptr;
    QDateEdit* periodToDate_ = nullptr;
    QSpinBox* splitRounding_ = nullptr;
    QLineEdit* decimalSeparator_ = nullptr;
    QLineEdit* thousandsSeparator_ = nullptr;
    QCheckBox* noThousandsSeparator_ = nullptr;
    QLineEdit* earningsYears_ = nullptr;
    QLineEdit* ownCategories_ = nullptr;
    QCheckBox* rememberTransactionDate_ = nullptr;
    QCheckBox* keepBackup_ = nullptr;
    QDoubleSpinBox* trendStrongRise_ = nullptr;
    QDoubleSpinBox* trendRise_ = nullptr;
    QDoubleSpinBox* trendStrongFall_ = nullptr;
    QDoubleSpinBox* trendFall_ = nullptr;
};

// The property sheet "Optionen": one tab per page, all pages or a chosen few. OK checks the
// pages in tab order through their form models: a refusal is shown, its page comes to the
// front, the field gets the focus and the sheet stays open.
class OptionsDialog : public QDialog {
    Q_OBJECT

  public:
    // Every page, "Allgemein" first (the edit menu's "Optionen...").
    explicit OptionsDialog(const CFolari2Doc& doc, QWidget* parent = nullptr);
    // The pages with these titles in this order (a view's options: its page, then the
    // appearance page of its group); unknown titles are left out.
    OptionsDialog(const CFolari2Doc& doc, const std::vector<std::string>& pageTitles,
                  QWidget* parent = nullptr);

    QTabWidget* Pages() const { return pages_; }
    // The sheet with what every tab holds.
    OptionsSheet Sheet() const;
    // After OK: every page writes itself into the document, as one edit (the document is
    // marked modified and its views are updated once).
    void ApplyTo(CFolari2Doc& doc) const;
    // The settings of the user's profile on the pages (the page "Allgemein"): shown from
    // `profile`, and after OK written back to it. Without LoadProfile the pages show the
    // defaults.
    void LoadProfile(const SettingsStore& profile);
    void ApplyToProfile(SettingsStore& profile) const;

    void accept() override;

  private:
    void AddPage(OptionsPageView* view);

    QTabWidget* pages_ = nullptr;
    std::vector<OptionsPageView*> views_;  // in tab order
};

}  // namespace pf

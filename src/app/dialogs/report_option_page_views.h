#pragma once

// The Qt views of the report option pages. Each view shows one page's form model and reads
// it back; the widgets carry the field names as objectNames:
//  - column lists "columns" (the G/V evaluation's "items"): a check-box list with full-row
//    selection, each item carrying its bit (Qt::UserRole);
//  - choice lists as combo boxes whose items carry their values (Qt::UserRole);
//  - title fields "title" ("title1", "title2", "returnsTitle1", "returnsTitle2") with a
//    button named after the field plus "Placeholders" that pops up the title's placeholders
//    and puts the chosen one in place of the field's selection.
#include <QLineEdit>
#include <QString>
#include <QTreeWidget>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/options_dialog.h"
#include "shell/report_option_pages.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace pf {

class CFolari2Doc;

// A title field and its "<PH>" button.
struct TitleRow {
    QLineEdit* edit = nullptr;
    QPushButton* button = nullptr;
};

// Puts `placeholder` in place of the selection of `edit` (at the cursor without one), leaves
// the caret after it and gives the field the focus.
void InsertPlaceholderInto(QLineEdit* edit, const QString& placeholder);

// The building blocks of the option page views, shared by every page.
namespace option_widgets {

// The check-box list of a column or item table: one item per entry in table order, the bit in
// Qt::UserRole, full-row selection, wide enough for the longest text.
QTreeWidget* ColumnList(const char* name, const std::vector<ColumnItem>& items, QWidget* parent);
// `items` with the check states of the list made from them by ColumnList.
std::vector<ColumnItem> ReadColumns(const QTreeWidget* list, std::vector<ColumnItem> items);
// A combo box over `items`, each carrying its value; the item of `value` is selected, or the
// item of `fallback` when none carries `value`.
QComboBox* Choices(const char* name, const std::vector<ChoiceItem>& items, int32_t value,
                   QWidget* parent, int32_t fallback = INT32_MIN);
// The value of the chosen item; `kept` while nothing is chosen.
int32_t ChosenValue(const QComboBox* box, int32_t kept);
QSpinBox* Spin(const char* name, FieldRange range, int32_t value, QWidget* parent);
QCheckBox* Switch(const QString& text, const char* name, int32_t on, QWidget* parent);
// The face list (objectName "face"), editable; a face that is not installed stays as stored.
QFontComboBox* FaceBox(const std::string& face, QWidget* parent);
// A title field named `name` and its button `name` + "Placeholders" with the placeholders.
TitleRow Title(const char* name, const std::string& text,
               const std::vector<std::string>& placeholders, const QString& buttonText,
               QWidget* parent);
// The title row as "label field button" in columns 0 to 2 of `row`.
void AddTitle(QGridLayout* grid, int row, const QString& label, const TitleRow& title,
              QWidget* parent);
// "aufsteigend" / "absteigend" ("ascending", "descending") as a button group with the ids
// 0 and 1 (= sortDescending), added to `into`.
QButtonGroup* Direction(int32_t descending, QHBoxLayout* into, QWidget* parent);
// The group "Druckränder (1/10 mm)" with "marginLeft", "marginRight", "marginTop",
// "marginBottom".
QGroupBox* Margins(QSpinBox*& left, QSpinBox*& right, QSpinBox*& top, QSpinBox*& bottom, int32_t l,
                   int32_t r, int32_t t, int32_t b, QWidget* parent);
// The column list with its caption "Anzuzeigende &Daten:".
QVBoxLayout* ColumnSide(QTreeWidget* list, QWidget* parent);

}  // namespace option_widgets

// "TABELLEN >" (objectName "tablesPage"): "screenStyle", "printStyle", "face",
// "outerMargin", "columnGap", "columnMargin", "titleFontHeight", "columnTitleFontHeight",
// "rowFontHeight", "repeatTitle", "repeatColumnTitles", "marginLeft", "marginRight",
// "marginTop", "marginBottom", "percentDecimals", "maxPriceDecimals", "colouring".
class TablesPageView : public OptionsPageView {
  public:
    explicit TablesPageView(const TablesOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    TablesOptionsPage Form() const;
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    TablesOptionsPage initial_;
    QComboBox* screenStyle_ = nullptr;
    QComboBox* printStyle_ = nullptr;
    QFontComboBox* face_ = nullptr;
    QSpinBox* outerMargin_ = nullptr;
    QSpinBox* columnGap_ = nullptr;
    QSpinBox* columnMargin_ = nullptr;
    QSpinBox* titleFont_ = nullptr;
    QSpinBox* columnTitleFont_ = nullptr;
    QSpinBox* rowFont_ = nullptr;
    QCheckBox* repeatTitle_ = nullptr;
    QCheckBox* repeatColumnTitles_ = nullptr;
    QSpinBox* marginLeft_ = nullptr;
    QSpinBox* marginRight_ = nullptr;
    QSpinBox* marginTop_ = nullptr;
    QSpinBox* marginBottom_ = nullptr;
    QSpinBox* percentDecimals_ = nullptr;
    QSpinBox* maxPriceDecimals_ = nullptr;
    QComboBox* colouring_ = nullptr;
};

// "Depotbestand" (objectName "holdingsPage"): "columns", "title", "titlePlaceholders",
// "sortKey", "ascending", "descending", "includeCommissions", "mergePositions",
// "bracketOldQuotes", "currency", "annualisation", "extraInfo", "htmlConfigure" (disabled).
// "Realisierte G+V" (objectName "realizedPage") has the same widgets without
// "bracketOldQuotes" and "htmlConfigure" and with "taxSums".
class PositionPageView : public OptionsPageView {
  public:
    PositionPageView(const HoldingsOptionsPage& page, QWidget* parent = nullptr);
    PositionPageView(const RealizedOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* CreateHoldings(const CFolari2Doc& doc);
    static OptionsPageView* CreateRealized(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    struct Common;
    void Build(const Common& common);

    std::unique_ptr<HoldingsOptionsPage> holdings_;  // one of the two is set
    std::unique_ptr<RealizedOptionsPage> realized_;
    QTreeWidget* columns_ = nullptr;
    TitleRow title_;
    QComboBox* taxSums_ = nullptr;
    QComboBox* sortKey_ = nullptr;
    QButtonGroup* direction_ = nullptr;
    QCheckBox* commissions_ = nullptr;
    QCheckBox* merge_ = nullptr;
    QCheckBox* brackets_ = nullptr;
    QComboBox* currency_ = nullptr;
    QComboBox* annualisation_ = nullptr;
    QComboBox* extraInfo_ = nullptr;
};

// "Transaktionen" (objectName "transactionsPage"): "columns", "title", "titlePlaceholders",
// "sortKey1".."sortKey3", "ascending", "descending", "currency".
class TransactionsPageView : public OptionsPageView {
  public:
    explicit TransactionsPageView(const TransactionsOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    TransactionsOptionsPage initial_;
    QTreeWidget* columns_ = nullptr;
    TitleRow title_;
    QComboBox* sortKeys_[3] = {};
    QButtonGroup* direction_ = nullptr;
    QComboBox* currency_ = nullptr;
};

// "Kontobewegungen" (objectName "movementsPage"): "columns", "title", "titlePlaceholders",
// "endOfDayBalance", "currency".
class MovementsPageView : public OptionsPageView {
  public:
    explicit MovementsPageView(const MovementsOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    MovementsOptionsPage initial_;
    QTreeWidget* columns_ = nullptr;
    TitleRow title_;
    QCheckBox* endOfDayBalance_ = nullptr;
    QComboBox* currency_ = nullptr;
};

// "REPORTE >" (objectName "reportsPage"): "face", "columnGap", "outerMargin",
// "title1FontHeight", "title2FontHeight", "largeFontHeight", "smallFontHeight",
// "marginLeft", "marginRight", "marginTop", "marginBottom".
class ReportsPageView : public OptionsPageView {
  public:
    explicit ReportsPageView(const ReportsOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    ReportsOptionsPage initial_;
    QFontComboBox* face_ = nullptr;
    QSpinBox* columnGap_ = nullptr;
    QSpinBox* outerMargin_ = nullptr;
    QSpinBox* title1Font_ = nullptr;
    QSpinBox* title2Font_ = nullptr;
    QSpinBox* largeFont_ = nullptr;
    QSpinBox* smallFont_ = nullptr;
    QSpinBox* marginLeft_ = nullptr;
    QSpinBox* marginRight_ = nullptr;
    QSpinBox* marginTop_ = nullptr;
    QSpinBox* marginBottom_ = nullptr;
};

// "G/V-Auswertung" (objectName "gainLossPage"): "items", "title1", "title1Placeholders",
// "title1Large", "title1Small", "title2", "title2Placeholders", "title2Large",
// "title2Small", "currency", "groupByTaxCategory", "purchaseCostsInPrice",
// "securityInTexts".
class GainLossPageView : public OptionsPageView {
  public:
    explicit GainLossPageView(const GainLossOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    GainLossOptionsPage initial_;
    QTreeWidget* items_ = nullptr;
    TitleRow title1_;
    TitleRow title2_;
    QAbstractButton* title1Large_ = nullptr;
    QAbstractButton* title2Large_ = nullptr;
    QComboBox* currency_ = nullptr;
    QCheckBox* byTaxCategory_ = nullptr;
    QCheckBox* costsInPrice_ = nullptr;
    QCheckBox* securityInTexts_ = nullptr;
};

// "Performance/Rendite" (objectName "performancePage"): "title1", "title2" with their
// placeholder buttons, "currency", "purchaseCostsInCapital", "showPeriods",
// "periodsEndAtMonthEnd"; "returnsTitle1", "returnsTitle2" with theirs, "returnsCurrency",
// "withoutTaxes", "showPayments", "paymentsInNegative", "order".
class PerformancePageView : public OptionsPageView {
  public:
    explicit PerformancePageView(const PerformanceOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    PerformanceOptionsPage initial_;
    TitleRow title1_;
    TitleRow title2_;
    QComboBox* currency_ = nullptr;
    QCheckBox* costsInCapital_ = nullptr;
    QCheckBox* showPeriods_ = nullptr;
    QCheckBox* monthEnd_ = nullptr;
    TitleRow returnsTitle1_;
    TitleRow returnsTitle2_;
    QComboBox* returnsCurrency_ = nullptr;
    QCheckBox* withoutTaxes_ = nullptr;
    QCheckBox* showPayments_ = nullptr;
    QCheckBox* paymentsInNegative_ = nullptr;
    QComboBox* order_ = nullptr;
};

}  // namespace pf

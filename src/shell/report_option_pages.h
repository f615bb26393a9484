#pragma once

// The option pages of the table reports and of the reports: one form model per page with
// the fields as shown, the lists with the values their items carry, the checks made on OK
// and how the page writes itself into the document.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "model/document_options.h"
#include "shell/html_view.h"
#include "shell/options_sheet.h"

namespace pf {

class CFolari2Doc;

// Page titles, as the tabs show them.
inline constexpr const char* kTablesPageTitle = "TABELLEN >";
inline constexpr const char* kHoldingsPageTitle = "Depotbestand";
inline constexpr const char* kRealizedPageTitle = "Realisierte G+V";
inline constexpr const char* kTransactionsPageTitle = "Transaktionen";
inline constexpr const char* kMovementsPageTitle = "Kontobewegungen";
inline constexpr const char* kReportsPageTitle = "REPORTE >";
inline constexpr const char* kGainLossPageTitle = "G/V-Auswertung";
inline constexpr const char* kPerformancePageTitle = "Performance/Rendite";

// An entry of a choice list: its text and the value it stands for (a sort key, a currency
// id, a choice number).
struct ChoiceItem {
    std::string text;
    int32_t value = 0;
};

// The position of the item carrying `value`, or -1 when no item carries it.
int IndexOfValue(const std::vector<ChoiceItem>& items, int32_t value);

// An entry of a column list ("Anzuzeigende Daten"): the column's option name, its bit in the
// report's mask (0..63; bits from 32 on live in the second word of a 64-bit mask) and whether
// it is ticked.
struct ColumnItem {
    std::string text;
    int bit = 0;
    bool checked = false;
};

// The items of a column table, ticked where `mask` has their bit.
std::vector<ColumnItem> ColumnItemsOf(const std::vector<ColumnItem>& table, uint64_t mask);
// The mask rebuilt from the ticked items; bits that no item carries are 0.
uint64_t MaskOf(const std::vector<ColumnItem>& items);

// The column tables of the option pages, in report column order. The holdings and realized
// tables name bit 2 after the document's label of the second identifier.
std::vector<ColumnItem> HoldingsColumnTable(const DocumentOptions& options);
std::vector<ColumnItem> RealizedColumnTable(const DocumentOptions& options);
std::vector<ColumnItem> TransactionColumnTable();
std::vector<ColumnItem> MovementColumnTable();
std::vector<ColumnItem> GainLossItemTable();

// Every currency of the document, in stored order, each carrying its id.
std::vector<ChoiceItem> CurrencyChoices(const CFolari2Doc& doc);

// A title field with the placeholders its "<PH>" button offers.
struct TitleField {
    std::string text;
    std::vector<std::string> placeholders;
};

// The text after the user picked `placeholder` while the characters [from, from + length)
// of `text` were selected (an empty selection is the cursor position): the placeholder
// replaces the selection. Positions count Unicode characters (the UTF-8 text of the field);
// a range beyond the end is cut to the end. `cursor` is where the caret goes: right after
// the inserted placeholder.
struct PlaceholderInsertion {
    std::string text;
    size_t cursor = 0;
};
PlaceholderInsertion InsertPlaceholder(const std::string& text, size_t from, size_t length,
                                       const std::string& placeholder);

// Placeholders of the titles, as the reports replace them.
const std::vector<std::string>& HoldingsTitlePlaceholders();
const std::vector<std::string>& RealizedTitlePlaceholders();
const std::vector<std::string>& TransactionTitlePlaceholders();  // also the movements title
const std::vector<std::string>& StatementTitlePlaceholders();    // G/V, performance, returns

// A numeric field's range; the pages' spin boxes use it and Check refuses values outside it.
struct FieldRange {
    int32_t min = 0;
    int32_t max = 0;
};
inline constexpr FieldRange kFontHeightRange{1, 500};  // 0.1 mm
inline constexpr FieldRange kDistanceRange{0, 1000};   // 0.1 mm
inline constexpr FieldRange kPercentDecimalsRange{0, 7};
inline constexpr FieldRange kPriceDecimalsRange{2, 7};  // prices always show at least 2

// The refusal of a number outside its field's range (title "Optionen", focus on `field`);
// the spin boxes keep the user from entering one, so only a damaged file or a test gets here.
MaybeMessage CheckRange(int32_t value, FieldRange range, const char* caption, const char* field);
// The first refusal of a list of checks.
MaybeMessage FirstOf(std::initializer_list<MaybeMessage> checks);

// Texts of the display styles, in stored order ("nur Text" = 0 ... "Farbe" = 3).
const std::vector<ChoiceItem>& DisplayStyleChoices();
// "Farbgebung Depotpositionen".
const std::vector<ChoiceItem>& PositionColouringChoices();
// "G/V p. a. in %".
const std::vector<ChoiceItem>& AnnualisationChoices();
// "Zusatzinfo": sector, country, index and the document's two own category captions.
std::vector<ChoiceItem> ExtraInfoChoices(const DocumentOptions& options);
// "Auswertung nach Steuerpflicht".
const std::vector<ChoiceItem>& TaxSumChoices();
// The holdings and realized sort keys; a stored -1 stands for the report's default key.
std::vector<ChoiceItem> HoldingsSortChoices(const CFolari2Doc& doc);
std::vector<ChoiceItem> RealizedSortChoices(const CFolari2Doc& doc);
// The sort keys of the transactions report, "(keine Sortierung)" first.
const std::vector<ChoiceItem>& TransactionSortChoices();
// "Wertpapiere sortieren nach:" of the return calculation.
const std::vector<ChoiceItem>& ReturnsOrderChoices();

// Focus fields of the pages' refusals (the Qt views name their widgets so).
inline constexpr const char* kFaceField = "face";
inline constexpr const char* kTitleField = "title";
inline constexpr const char* kTitle1Field = "title1";
inline constexpr const char* kTitle2Field = "title2";
inline constexpr const char* kReturnsTitle1Field = "returnsTitle1";
inline constexpr const char* kReturnsTitle2Field = "returnsTitle2";

// "TABELLEN >": the appearance of the table reports.
class TablesOptionsPage : public OptionsPage {
  public:
    static TablesOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kTablesPageTitle; }
    // A face the file cannot store, a number outside its range (focus on its field).
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    TableAppearance values;
};

// "Depotbestand". `values.columnMask` is not read: the mask comes from `columns`.
class HoldingsOptionsPage : public OptionsPage {
  public:
    static HoldingsOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kHoldingsPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    HoldingsReportOptions values;
    std::vector<ColumnItem> columns;
    std::vector<ChoiceItem> sortKeys;
    std::vector<ChoiceItem> currencies;
    std::vector<ChoiceItem> extraInfos;
    std::vector<std::string> placeholders;
    // "HTML-Ansicht konfigurieren...": the dialog's fields, written with the page only after
    // the dialog was left with OK (`htmlEdited`), so that an untouched page does not undo
    // thresholds changed on "Allgemein" in the same sheet.
    HtmlConfigForm html;
    bool htmlEdited = false;
};

// "Realisierte G+V", like "Depotbestand".
class RealizedOptionsPage : public OptionsPage {
  public:
    static RealizedOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kRealizedPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    RealizedReportOptions values;
    std::vector<ColumnItem> columns;
    std::vector<ChoiceItem> sortKeys;
    std::vector<ChoiceItem> currencies;
    std::vector<ChoiceItem> extraInfos;
    std::vector<std::string> placeholders;
};

// "Transaktionen".
class TransactionsOptionsPage : public OptionsPage {
  public:
    static TransactionsOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kTransactionsPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    TransactionsReportOptions values;
    std::vector<ColumnItem> columns;
    std::vector<ChoiceItem> currencies;
    std::vector<std::string> placeholders;
};

// "Kontobewegungen".
class MovementsOptionsPage : public OptionsPage {
  public:
    static MovementsOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kMovementsPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    MovementsReportOptions values;
    std::vector<ColumnItem> columns;
    std::vector<ChoiceItem> currencies;
    std::vector<std::string> placeholders;
};

// "REPORTE >": the appearance of the statements.
class ReportsOptionsPage : public OptionsPage {
  public:
    static ReportsOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kReportsPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    ReportsAppearance values;
};

// "G/V-Auswertung". The 64-bit item mask comes from `items`.
class GainLossOptionsPage : public OptionsPage {
  public:
    static GainLossOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kGainLossPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    GainLossReportOptions values;
    std::vector<ColumnItem> items;
    std::vector<ChoiceItem> currencies;
    std::vector<std::string> placeholders;
};

// "Performance/Rendite": the performance analysis and the return calculation.
class PerformanceOptionsPage : public OptionsPage {
  public:
    static PerformanceOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kPerformancePageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    PerformanceReportOptions performance;
    ReturnsReportOptions returns;
    std::vector<ChoiceItem> currencies;
    std::vector<std::string> placeholders;
};

// The pages of the sheet "Optionen" in tab order, "Allgemein" first.
const std::vector<std::string>& AllOptionPageTitles();
// The page with `title` filled from the document; nullptr for an unknown title.
std::unique_ptr<OptionsPage> MakeOptionsPage(const std::string& title, const CFolari2Doc& doc);
// The pages a view's options command opens, the view's own page first and the appearance
// page of its group second (the depot analysis and distribution have one page, which is
// both); empty for a view without options.
std::vector<std::string> OptionPageTitlesOfView(int viewId);

}  // namespace pf

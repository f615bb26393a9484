#pragma once

// The option pages of the day-by-day tables ("LISTEN >", "Depotentwicklung", "Kurse"), of the
// depot analysis and distribution ("DEPOTANALYSE/-VERTEILUNG") and of the securities list
// ("Wertpapiere"): one form model per page, like the report pages in report_option_pages.h.
#include <cstdint>
#include <string>
#include <vector>

#include "model/document_options.h"
#include "shell/report_option_pages.h"

namespace pf {

class CFolari2Doc;

inline constexpr const char* kListsPageTitle = "LISTEN >";
inline constexpr const char* kDevelopmentPageTitle = "Depotentwicklung";
inline constexpr const char* kQuotesPageTitle = "Kurse";
inline constexpr const char* kAnalysisPageTitle = "DEPOTANALYSE/-VERTEILUNG";
inline constexpr const char* kSecuritiesPageTitle = "Wertpapiere";

// Ranges of the fields these pages add (0.1 mm unless said otherwise).
// "Abstand" of the repeated vertical texts counts day rows; 0 would repeat the text on every
// row without end, so at least one row lies between two repetitions.
inline constexpr FieldRange kVerticalTextDistanceRange{1, 1000};
// Column widths of the depot analysis: a column of width 0 would leave no room for even the
// one character plus "..." that a shortened text keeps.
inline constexpr FieldRange kAnalysisColumnWidthRange{10, 2000};

// Focus fields of the pages' own texts.
inline constexpr const char* kPositionTextField = "positionText";  // "Depotentwicklung"
inline constexpr const char* kColumnTextField = "columnText";      // "Kurse"

// The items of the development table's option list, in list order, each with its bit; the
// group items are "Wertpapierpositionen:", "Depot:", "Konto:" and "Vermögen:", their
// sub-items are indented with "   - ".
std::vector<ColumnItem> DevelopmentItemTable();
// The columns of the securities list with their option names; bit 2 is named after the
// document's label of the second identifier, bits 10 and 11 after the own categories.
std::vector<ColumnItem> SecuritiesColumnTable(const DocumentOptions& options);

// "Sortieren nach:" of the development table: "Bezeichnung", "WKN", "Kaufdatum".
const std::vector<ChoiceItem>& DevelopmentSortChoices();
// "Kurse anzeigen für" (the three radio buttons, in QuotesFilter order).
const std::vector<ChoiceItem>& QuotesFilterChoices();
// "Sortieren nach:" of the quotes table: "Bezeichnung", "WKN" and the document's label of
// the second identifier.
std::vector<ChoiceItem> QuotesSortChoices(const DocumentOptions& options);
// "Behandlung von Splits" (the four radio buttons, in SplitHandling order).
const std::vector<ChoiceItem>& SplitHandlingChoices();
// The sort keys of the securities list, "(keine Sortierung)" first, valued as
// SecuritiesSortKey; the ISIN label and the own categories come from the document.
std::vector<ChoiceItem> SecuritiesSortChoices(const DocumentOptions& options);

// Placeholders of the texts, as the tables replace them.
const std::vector<std::string>& DevelopmentTextPlaceholders();
const std::vector<std::string>& QuotesTextPlaceholders();
const std::vector<std::string>& SecuritiesTitlePlaceholders();

// "LISTEN >": the appearance of the development and quotes tables.
class ListsOptionsPage : public OptionsPage {
  public:
    static ListsOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kListsPageTitle; }
    // A face the file cannot store, a number outside its range (focus on its field).
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    ListsAppearance values;
};

// "Depotentwicklung". `values.itemMask` is not read: the mask comes from `items`.
class DevelopmentOptionsPage : public OptionsPage {
  public:
    static DevelopmentOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kDevelopmentPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    DevelopmentReportOptions values;
    std::vector<ColumnItem> items;
    std::vector<ChoiceItem> currencies;
    std::vector<ChoiceItem> sortKeys;
    std::vector<std::string> placeholders;
};

// A security of the list "folgende Wertpapiere" of the page "Kurse".
struct SecurityTick {
    int32_t id = -1;
    std::string name;
    std::string wkn;
    bool checked = false;
};

// "Kurse". The ticks of `securities` are written into the securities (CFL2Wertpapier::aux1:
// 1 ticked, 0 not); a security that is no longer in the document is passed over, one added
// after the page was filled keeps its tick.
class QuotesOptionsPage : public OptionsPage {
  public:
    static QuotesOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kQuotesPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    QuotesTableOptions values;
    std::vector<SecurityTick> securities;  // in document order
    std::vector<ChoiceItem> sortKeys;
    std::vector<std::string> placeholders;
};

// "DEPOTANALYSE/-VERTEILUNG": appearance and contents of the depot analysis and
// distribution. The sort keys are those of the holdings; a stored -1 is their default.
class AnalysisOptionsPage : public OptionsPage {
  public:
    static AnalysisOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kAnalysisPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    AnalysisOptions values;
    std::vector<ChoiceItem> sortKeys;
    std::vector<ChoiceItem> currencies;
};

// "Wertpapiere". `values.columnMask` is not read: the mask comes from `columns`.
class SecuritiesOptionsPage : public OptionsPage {
  public:
    static SecuritiesOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kSecuritiesPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    SecuritiesListOptions values;
    std::vector<ColumnItem> columns;
    std::vector<ChoiceItem> sortKeys;
    std::vector<std::string> placeholders;
};

}  // namespace pf

#pragma once

// The option pages of the security chart and the two diagrams: "DIAGRAMME >" (the appearance
// they share), "Depotentw./Wertp." (development and positions diagrams) and "Charts". One form
// model per page, like the report pages in report_option_pages.h.
#include <string>
#include <vector>

#include "model/document_options.h"
#include "shell/report_option_pages.h"

namespace pf {

class CFolari2Doc;

inline constexpr const char* kDiagramsPageTitle = "DIAGRAMME >";
inline constexpr const char* kDiagramPageTitle = "Depotentw./Wertp.";
inline constexpr const char* kChartPageTitle = "Charts";

// Ranges of the drawing's sizes (0.1 mm). A drawing narrower or lower than 1 cm leaves no
// room for the axes; font heights below 1 mm give labels nobody can read and scale to 0 on a
// small screen factor.
inline constexpr FieldRange kDiagramSizeRange{100, 5000};
inline constexpr FieldRange kDiagramFontHeightRange{10, 500};
// Line widths (0.1 mm); 0 draws the thinnest line the device has.
inline constexpr FieldRange kLineWidthRange{0, 100};
// Period of a moving average in entries of the quote history; an average over no entries
// has no value.
inline constexpr FieldRange kAveragePeriodRange{1, 10000};

// Focus fields of the pages' texts.
inline constexpr const char* kDevelopmentTitleField = "developmentTitle";
inline constexpr const char* kPositionsTitleField = "positionsTitle";
inline constexpr const char* kChartTitleField = kTitleField;

// Placeholders of the titles, as the diagrams and the chart replace them.
const std::vector<std::string>& DevelopmentDiagramPlaceholders();
const std::vector<std::string>& PositionsDiagramPlaceholders();  // also "<BEZEICHNUNGEN>"
const std::vector<std::string>& ChartTitlePlaceholders();

// "DIAGRAMME >": face, sizes and font heights shared by the chart and the diagrams.
class DiagramsOptionsPage : public OptionsPage {
  public:
    static DiagramsOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kDiagramsPageTitle; }
    // A face the file cannot store, a number outside its range (focus on its field).
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    DiagramsAppearance values;
};

// "Depotentw./Wertp.": titles, lines, currency and corrections of both diagrams.
class DiagramOptionsPage : public OptionsPage {
  public:
    static DiagramOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kDiagramPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    DiagramOptions values;
    std::vector<ChoiceItem> currencies;
    std::vector<std::string> developmentPlaceholders;
    std::vector<std::string> positionsPlaceholders;
};

// "Charts": title, price line, the three moving averages, the trade markers and the split
// handling (a SplitHandling value; the list is SplitHandlingChoices()).
class ChartOptionsPage : public OptionsPage {
  public:
    static ChartOptionsPage FromDocument(const CFolari2Doc& doc);
    std::string Title() const override { return kChartPageTitle; }
    MaybeMessage Check() const override;
    void ApplyTo(CFolari2Doc& doc) const override;

    ChartOptions values;
    std::vector<ChoiceItem> splitHandlings;
    std::vector<std::string> placeholders;
};

// Focus field names of the averages' periods and widths: "average1Period" .. "average3Period",
// "average1Width" .. "average3Width" (index 0 to 2).
std::string AveragePeriodField(size_t index);
std::string AverageWidthField(size_t index);

}  // namespace pf

#pragma once

// The Qt views of the option pages "DIAGRAMME >", "Depotentw./Wertp." and "Charts" over their
// form models (chart_option_pages.h). Widgets carry the field names as objectNames, as on the
// report option pages.
#include <QPushButton>
#include <cstdint>
#include <memory>

#include "app/dialogs/options_dialog.h"
#include "app/dialogs/report_option_page_views.h"
#include "shell/chart_option_pages.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QSpinBox;

namespace pf {

class CFolari2Doc;

// A button that shows a colour in a swatch beside its text and lets the user pick another in
// the colour dialog. It holds the stored form 0x02BBGGRR; a picked colour keeps the palette
// flag 0x02000000, as the chart draws every stored colour palette-relative.
class ColourButton : public QPushButton {
    Q_OBJECT
  public:
    ColourButton(const QString& text, const char* name, int32_t stored, QWidget* parent);

    int32_t StoredValue() const { return stored_; }
    void SetStoredValue(int32_t stored);

  signals:
    void colourChanged(int32_t stored);

  private:
    void Pick();

    int32_t stored_ = 0;
};

// "DIAGRAMME >" (objectName "diagramsPage"): "face", "width", "height", "border",
// "innerMargin", "labelFontHeight", "titleFontHeight".
class DiagramsPageView : public OptionsPageView {
  public:
    explicit DiagramsPageView(const DiagramsOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    DiagramsOptionsPage initial_;
    QFontComboBox* face_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QSpinBox* border_ = nullptr;
    QSpinBox* innerMargin_ = nullptr;
    QSpinBox* labelFont_ = nullptr;
    QSpinBox* titleFont_ = nullptr;
};

// "Depotentw./Wertp." (objectName "diagramPage"): "developmentTitle" with
// "developmentTitlePlaceholders", "developmentLineWidth", "developmentLineColour",
// "positionsTitle" with "positionsTitlePlaceholders", "positionsLineWidth",
// "positionsLineColour", "currency", "includeCommissions", "correctAccount", "correctAssets",
// "relativeToStart", "relativeToEnd".
class DiagramPageView : public OptionsPageView {
  public:
    explicit DiagramPageView(const DiagramOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    DiagramOptionsPage initial_;
    TitleRow developmentTitle_;
    QSpinBox* developmentWidth_ = nullptr;
    ColourButton* developmentColour_ = nullptr;
    TitleRow positionsTitle_;
    QSpinBox* positionsWidth_ = nullptr;
    ColourButton* positionsColour_ = nullptr;
    QComboBox* currency_ = nullptr;
    QCheckBox* commissions_ = nullptr;
    QCheckBox* correctAccount_ = nullptr;
    QCheckBox* correctAssets_ = nullptr;
    QButtonGroup* relativeTo_ = nullptr;  // id 0 start, 1 end
};

// "Charts" (objectName "chartPage"): "lineWidth", "lineColour", "title" with
// "titlePlaceholders", per average n = 1..3 "average<n>" (the switch), "average<n>Period",
// "average<n>Width", "average<n>Colour", then "markers", "markerWidth", "buyColour",
// "sellColour" and "splits" (a list valued as SplitHandling).
class ChartPageView : public OptionsPageView {
  public:
    explicit ChartPageView(const ChartOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    struct AverageRow {
        QCheckBox* enabled = nullptr;
        QSpinBox* period = nullptr;
        QSpinBox* width = nullptr;
        ColourButton* colour = nullptr;
    };

    ChartOptionsPage initial_;
    QSpinBox* lineWidth_ = nullptr;
    ColourButton* lineColour_ = nullptr;
    TitleRow title_;
    AverageRow averages_[3];
    QCheckBox* markers_ = nullptr;
    QSpinBox* markerWidth_ = nullptr;
    ColourButton* buyColour_ = nullptr;
    ColourButton* sellColour_ = nullptr;
    QComboBox* splits_ = nullptr;
};

}  // namespace pf

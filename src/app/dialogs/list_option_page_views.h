#pragma once

// The Qt views of the option pages "LISTEN >", "Depotentwicklung", "Kurse",
// "DEPOTANALYSE/-VERTEILUNG" and "Wertpapiere" over their form models (list_option_pages.h).
// Widgets carry the field names as objectNames, as on the report option pages.
#include <QTreeWidget>
#include <memory>

#include "app/dialogs/options_dialog.h"
#include "app/dialogs/report_option_page_views.h"
#include "shell/list_option_pages.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QSpinBox;

namespace pf {

class CFolari2Doc;

// "LISTEN >" (objectName "listsPage"): "screenStyle", "printStyle", "face", "outerMargin",
// "normalFontHeight", "columnTitleFontHeight", "verticalFontHeight", "dateColumnEveryPage",
// "repeatColumnTitles", "marginLeft", "marginRight", "marginTop", "marginBottom",
// "priceDecimals", "percentDecimals", "repeatVerticalTexts", "verticalTextDistance" (enabled
// while the texts are repeated).
class ListsPageView : public OptionsPageView {
  public:
    explicit ListsPageView(const ListsOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    ListsOptionsPage Form() const;
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    ListsOptionsPage initial_;
    QComboBox* screenStyle_ = nullptr;
    QComboBox* printStyle_ = nullptr;
    QFontComboBox* face_ = nullptr;
    QSpinBox* outerMargin_ = nullptr;
    QSpinBox* normalFont_ = nullptr;
    QSpinBox* columnTitleFont_ = nullptr;
    QSpinBox* verticalFont_ = nullptr;
    QCheckBox* dateColumnEveryPage_ = nullptr;
    QCheckBox* repeatColumnTitles_ = nullptr;
    QSpinBox* marginLeft_ = nullptr;
    QSpinBox* marginRight_ = nullptr;
    QSpinBox* marginTop_ = nullptr;
    QSpinBox* marginBottom_ = nullptr;
    QSpinBox* priceDecimals_ = nullptr;
    QSpinBox* percentDecimals_ = nullptr;
    QCheckBox* repeatVerticalTexts_ = nullptr;
    QSpinBox* verticalTextDistance_ = nullptr;
};

// "Depotentwicklung" (objectName "developmentPage"): "items", "depotCurrency",
// "accountCurrency", "assetsCurrency", "positionText" with "positionTextPlaceholders",
// "sortKey", "columnPerLot", "equalWidths", "includeCommissions", "correctAccount",
// "correctAssets", "relativeToStart", "relativeToEnd".
class DevelopmentPageView : public OptionsPageView {
  public:
    explicit DevelopmentPageView(const DevelopmentOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    DevelopmentOptionsPage initial_;
    QTreeWidget* items_ = nullptr;
    QComboBox* depotCurrency_ = nullptr;
    QComboBox* accountCurrency_ = nullptr;
    QComboBox* assetsCurrency_ = nullptr;
    TitleRow text_;
    QComboBox* sortKey_ = nullptr;
    QCheckBox* columnPerLot_ = nullptr;
    QCheckBox* equalWidths_ = nullptr;
    QCheckBox* commissions_ = nullptr;
    QCheckBox* correctAccount_ = nullptr;
    QCheckBox* correctAssets_ = nullptr;
    QButtonGroup* relativeTo_ = nullptr;  // id 0 start, 1 end
};

// "Kurse" (objectName "quotesPage"): "filter0".."filter2" (QuotesFilter), "securities" (a
// check-box list with the columns "Bezeichnung" and "WKN", the id in Qt::UserRole, enabled
// for "folgende Wertpapiere"), "columnText" with "columnTextPlaceholders", "sortKey",
// "equalWidths", "splits0".."splits3" (SplitHandling).
class QuotesPageView : public OptionsPageView {
  public:
    explicit QuotesPageView(const QuotesOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    QuotesOptionsPage initial_;
    QButtonGroup* filter_ = nullptr;
    QTreeWidget* securities_ = nullptr;
    TitleRow text_;
    QComboBox* sortKey_ = nullptr;
    QCheckBox* equalWidths_ = nullptr;
    QButtonGroup* splits_ = nullptr;
};

// "DEPOTANALYSE/-VERTEILUNG" (objectName "analysisPage"): "face", "fontHeight",
// "outerMargin", "textSpacing", "columnWidth", "firstColumnWidth", "marginLeft",
// "marginRight", "marginTop", "marginBottom", "sortKey", "ascending", "descending",
// "includeCommissions", "includeDividends", "mergePositions", "priceDecimals",
// "percentDecimals", "currency", "stopTarget".
class AnalysisPageView : public OptionsPageView {
  public:
    explicit AnalysisPageView(const AnalysisOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    AnalysisOptionsPage initial_;
    QFontComboBox* face_ = nullptr;
    QSpinBox* fontHeight_ = nullptr;
    QSpinBox* outerMargin_ = nullptr;
    QSpinBox* textSpacing_ = nullptr;
    QSpinBox* columnWidth_ = nullptr;
    QSpinBox* firstColumnWidth_ = nullptr;
    QSpinBox* marginLeft_ = nullptr;
    QSpinBox* marginRight_ = nullptr;
    QSpinBox* marginTop_ = nullptr;
    QSpinBox* marginBottom_ = nullptr;
    QComboBox* sortKey_ = nullptr;
    QButtonGroup* direction_ = nullptr;
    QCheckBox* commissions_ = nullptr;
    QCheckBox* dividends_ = nullptr;
    QCheckBox* merge_ = nullptr;
    QSpinBox* priceDecimals_ = nullptr;
    QSpinBox* percentDecimals_ = nullptr;
    QComboBox* currency_ = nullptr;
    QCheckBox* stopTarget_ = nullptr;
};

// "Wertpapiere" (objectName "securitiesPage"): "columns", "title", "titlePlaceholders",
// "sortKey1".."sortKey3", "ascending", "descending", "useLastPrice", "onlyInDepot".
class SecuritiesPageView : public OptionsPageView {
  public:
    explicit SecuritiesPageView(const SecuritiesOptionsPage& page, QWidget* parent = nullptr);
    static OptionsPageView* Create(const CFolari2Doc& doc);
    std::unique_ptr<OptionsPage> Page() const override;

  private:
    SecuritiesOptionsPage initial_;
    QTreeWidget* columns_ = nullptr;
    TitleRow title_;
    QComboBox* sortKeys_[3] = {};
    QButtonGroup* direction_ = nullptr;
    QCheckBox* useLastPrice_ = nullptr;
    QCheckBox* onlyInDepot_ = nullptr;
};

}  // namespace pf

#include "shell/chart_option_pages.h"

#include "engine/form_model.h"
#include "model/document.h"
#include "shell/list_option_pages.h"

namespace pf {

namespace {

MaybeMessage CheckText(const std::string& text, const char* caption, const char* field) {
    return CheckStorableText(text, caption, kOptionsTitle, field);
}

}  // namespace

const std::vector<std::string>& DevelopmentDiagramPlaceholders() {
    static const std::vector<std::string> list = {"<STANDARDTITEL>", "<STARTDATUM>",
                                                  "<ENDDATUM>",      "<INHABER>",
                                                  "<KONTONUMMER>",   "<DEPOTNUMMER>"};
    return list;
}

const std::vector<std::string>& PositionsDiagramPlaceholders() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l = DevelopmentDiagramPlaceholders();
        l.emplace_back("<BEZEICHNUNGEN>");
        return l;
    }();
    return list;
}

const std::vector<std::string>& ChartTitlePlaceholders() {
    static const std::vector<std::string> list = {"<BEZEICHNUNG>", "<WKN>",        "<KUERZEL>",
                                                  "<ISIN>",        "<STARTDATUM>", "<ENDDATUM>"};
    return list;
}

std::string AveragePeriodField(size_t index) {
    return "average" + std::to_string(index + 1) + "Period";
}

std::string AverageWidthField(size_t index) {
    return "average" + std::to_string(index + 1) + "Width";
}

// --- "DIAGRAMME >" ---

DiagramsOptionsPage DiagramsOptionsPage::FromDocument(const CFolari2Doc& doc) {
    DiagramsOptionsPage page;
    page.values = doc.options.diagramsAppearance;
    return page;
}

MaybeMessage DiagramsOptionsPage::Check() const {
    const DiagramsAppearance& v = values;
    return FirstOf({
        CheckText(v.face, "Schriftart", kFaceField),
        CheckRange(v.width, kDiagramSizeRange, "Breite", "width"),
        CheckRange(v.height, kDiagramSizeRange, "Höhe", "height"),
        CheckRange(v.border, kDistanceRange, "Rand", "border"),
        CheckRange(v.innerMargin, kDistanceRange, "Innenabstand", "innerMargin"),
        CheckRange(v.labelFontHeight, kDiagramFontHeightRange, "Beschriftung", "labelFontHeight"),
        CheckRange(v.titleFontHeight, kDiagramFontHeightRange, "Titel", "titleFontHeight"),
    });
}

void DiagramsOptionsPage::ApplyTo(CFolari2Doc& doc) const {
    doc.options.diagramsAppearance = values;
}

// --- "Depotentw./Wertp." ---

DiagramOptionsPage DiagramOptionsPage::FromDocument(const CFolari2Doc& doc) {
    DiagramOptionsPage page;
    page.values = doc.options.diagrams;
    page.currencies = CurrencyChoices(doc);
    page.developmentPlaceholders = DevelopmentDiagramPlaceholders();
    page.positionsPlaceholders = PositionsDiagramPlaceholders();
    return page;
}

MaybeMessage DiagramOptionsPage::Check() const {
    const DiagramOptions& v = values;
    return FirstOf({
        CheckText(v.developmentTitle, "Titel", kDevelopmentTitleField),
        CheckRange(v.developmentLineWidth, kLineWidthRange, "Linienstärke", "developmentLineWidth"),
        CheckText(v.positionsTitle, "Titel", kPositionsTitleField),
        CheckRange(v.positionsLineWidth, kLineWidthRange, "Linienstärke", "positionsLineWidth"),
    });
}

void DiagramOptionsPage::ApplyTo(CFolari2Doc& doc) const { doc.options.diagrams = values; }

// --- "Charts" ---

ChartOptionsPage ChartOptionsPage::FromDocument(const CFolari2Doc& doc) {
    ChartOptionsPage page;
    page.values = doc.options.chart;
    page.splitHandlings = SplitHandlingChoices();
    page.placeholders = ChartTitlePlaceholders();
    return page;
}

MaybeMessage ChartOptionsPage::Check() const {
    const ChartOptions& v = values;
    if (MaybeMessage m = FirstOf({
            CheckRange(v.lineWidth, kLineWidthRange, "Linienstärke", "lineWidth"),
            CheckText(v.title, "Titel", kChartTitleField),
        }))
        return m;
    for (size_t i = 0; i < v.averages.size(); ++i) {
        const MovingAverageOptions& a = v.averages[i];
        if (MaybeMessage m = FirstOf(
                {CheckRange(a.period, kAveragePeriodRange, "Tage", AveragePeriodField(i).c_str()),
                 CheckRange(a.width, kLineWidthRange, "Linienstärke",
                            AverageWidthField(i).c_str())}))
            return m;
    }
    return FirstOf({
        CheckRange(v.markerWidth, kLineWidthRange, "Linienstärke", "markerWidth"),
        CheckRange(v.splitHandling, {kSplitsNotAdjusted, kSplitsAsStored}, "Behandlung von Splits",
                   "splits"),
    });
}

void ChartOptionsPage::ApplyTo(CFolari2Doc& doc) const { doc.options.chart = values; }

}  // namespace pf

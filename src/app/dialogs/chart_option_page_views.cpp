#include "app/dialogs/chart_option_page_views.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/help.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

using namespace option_widgets;

namespace {

constexpr uint32_t kPaletteFlag = 0x02000000u;

QColor ToQColor(int32_t stored) {
    const auto v = static_cast<uint32_t>(stored);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>(v >> 8 & 0xFF),
                  static_cast<int>(v >> 16 & 0xFF));
}

int32_t ToStored(const QColor& colour) {
    return static_cast<int32_t>(kPaletteFlag | static_cast<uint32_t>(colour.blue()) << 16 |
                                static_cast<uint32_t>(colour.green()) << 8 |
                                static_cast<uint32_t>(colour.red()));
}

int32_t On(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

// A line width in 0.1 mm.
QSpinBox* WidthSpin(const char* name, int32_t value, QWidget* parent) {
    QSpinBox* spin = Spin(name, kLineWidthRange, value, parent);
    spin->setToolTip(u"Linienstärke in 1/10 mm (0: die dünnste Linie)"_s);
    return spin;
}

// "Stärke:" and the width field, then the colour button, into `grid` at `row` from `column`.
void AddLine(QGridLayout* grid, int row, int column, QSpinBox* width, ColourButton* colour,
             QWidget* parent) {
    grid->addWidget(new QLabel(u"Stärke:"_s, parent), row, column);
    grid->addWidget(width, row, column + 1);
    grid->addWidget(colour, row, column + 2);
}

// The list's texts have the mnemonics of radio buttons; a combo box shows them without.
QComboBox* SplitChoices(const std::vector<ChoiceItem>& items, int32_t value, QWidget* parent) {
    std::vector<ChoiceItem> plain = items;
    for (ChoiceItem& item : plain) std::erase(item.text, '&');
    return Choices("splits", plain, value, parent);
}

}  // namespace

// --- ColourButton ---

ColourButton::ColourButton(const QString& text, const char* name, int32_t stored, QWidget* parent)
    : QPushButton(text, parent) {
    setObjectName(QString::fromLatin1(name));
    SetStoredValue(stored);
    connect(this, &QPushButton::clicked, this, &ColourButton::Pick);
}

void ColourButton::SetStoredValue(int32_t stored) {
    stored_ = stored;
    const int side = fontMetrics().height();
    QPixmap swatch(side * 2, side);
    swatch.fill(ToQColor(stored));
    QPainter p(&swatch);
    p.setPen(Qt::black);
    p.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    p.end();
    setIcon(QIcon(swatch));
    setIconSize(swatch.size());
    setToolTip(ToQColor(stored).name(QColor::HexRgb).toUpper());
}

void ColourButton::Pick() {
    QColorDialog dialog(ToQColor(stored_), this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(u"Farbe"_s);
    AddHelpButtonToQtDialog(&dialog);
    if (dialog.exec() != QDialog::Accepted) return;
    const int32_t picked = ToStored(dialog.selectedColor());
    if (picked == stored_) return;
    SetStoredValue(picked);
    emit colourChanged(picked);
}

// --- "DIAGRAMME >" ---

OptionsPageView* DiagramsPageView::Create(const CFolari2Doc& doc) {
    return new DiagramsPageView(DiagramsOptionsPage::FromDocument(doc));
}

DiagramsPageView::DiagramsPageView(const DiagramsOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"diagramsPage"_s);
    const DiagramsAppearance& v = page.values;

    face_ = FaceBox(v.face, this);
    auto* faceRow = new QHBoxLayout;
    faceRow->addWidget(BuddyLabel(u"&Schriftart:"_s, face_, this));
    faceRow->addWidget(face_, 1);

    auto* sizes = new QGroupBox(u"Größe (1/10 mm)"_s, this);
    width_ = Spin("width", kDiagramSizeRange, v.width, sizes);
    height_ = Spin("height", kDiagramSizeRange, v.height, sizes);
    border_ = Spin("border", kDistanceRange, v.border, sizes);
    innerMargin_ = Spin("innerMargin", kDistanceRange, v.innerMargin, sizes);
    auto* sizeGrid = new QGridLayout(sizes);
    sizeGrid->addWidget(BuddyLabel(u"&Breite:"_s, width_, sizes), 0, 0);
    sizeGrid->addWidget(width_, 0, 1);
    sizeGrid->addWidget(BuddyLabel(u"&Höhe:"_s, height_, sizes), 1, 0);
    sizeGrid->addWidget(height_, 1, 1);
    sizeGrid->addWidget(BuddyLabel(u"&Rand:"_s, border_, sizes), 0, 2);
    sizeGrid->addWidget(border_, 0, 3);
    sizeGrid->addWidget(BuddyLabel(u"&Innenabstand:"_s, innerMargin_, sizes), 1, 2);
    sizeGrid->addWidget(innerMargin_, 1, 3);
    sizeGrid->setColumnStretch(4, 1);

    auto* fonts = new QGroupBox(u"Schriftgrößen (1/10 mm)"_s, this);
    labelFont_ = Spin("labelFontHeight", kDiagramFontHeightRange, v.labelFontHeight, fonts);
    titleFont_ = Spin("titleFontHeight", kDiagramFontHeightRange, v.titleFontHeight, fonts);
    auto* fontGrid = new QGridLayout(fonts);
    fontGrid->addWidget(BuddyLabel(u"B&eschriftung:"_s, labelFont_, fonts), 0, 0);
    fontGrid->addWidget(labelFont_, 0, 1);
    fontGrid->addWidget(BuddyLabel(u"&Titel:"_s, titleFont_, fonts), 1, 0);
    fontGrid->addWidget(titleFont_, 1, 1);
    fontGrid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(faceRow);
    layout->addWidget(sizes);
    layout->addWidget(fonts);
    layout->addStretch(1);
}

std::unique_ptr<OptionsPage> DiagramsPageView::Page() const {
    DiagramsOptionsPage page = initial_;
    DiagramsAppearance& v = page.values;
    v.face = FromQString(face_->currentText());
    v.width = width_->value();
    v.height = height_->value();
    v.border = border_->value();
    v.innerMargin = innerMargin_->value();
    v.labelFontHeight = labelFont_->value();
    v.titleFontHeight = titleFont_->value();
    return std::make_unique<DiagramsOptionsPage>(std::move(page));
}

// --- "Depotentw./Wertp." ---

OptionsPageView* DiagramPageView::Create(const CFolari2Doc& doc) {
    return new DiagramPageView(DiagramOptionsPage::FromDocument(doc));
}

DiagramPageView::DiagramPageView(const DiagramOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"diagramPage"_s);
    const DiagramOptions& v = page.values;

    auto* development = new QGroupBox(u"Diagramm Depotentwicklung"_s, this);
    developmentTitle_ = Title(kDevelopmentTitleField, v.developmentTitle,
                              page.developmentPlaceholders, u"<&PH>"_s, development);
    developmentWidth_ = WidthSpin("developmentLineWidth", v.developmentLineWidth, development);
    developmentColour_ = new ColourButton(u"&Farbe..."_s, "developmentLineColour",
                                          v.developmentLineColour, development);
    auto* developmentGrid = new QGridLayout(development);
    AddTitle(developmentGrid, 0, u"&Titel:"_s, developmentTitle_, development);
    auto* developmentLine = new QGridLayout;
    AddLine(developmentLine, 0, 0, developmentWidth_, developmentColour_, development);
    developmentLine->setColumnStretch(3, 1);
    developmentGrid->addLayout(developmentLine, 1, 1, 1, 2);

    auto* positions = new QGroupBox(u"Diagramm Wertpapierpositionen"_s, this);
    positionsTitle_ = Title(kPositionsTitleField, v.positionsTitle, page.positionsPlaceholders,
                            u"<P&H>"_s, positions);
    positionsWidth_ = WidthSpin("positionsLineWidth", v.positionsLineWidth, positions);
    positionsColour_ =
        new ColourButton(u"F&arbe..."_s, "positionsLineColour", v.positionsLineColour, positions);
    auto* positionsGrid = new QGridLayout(positions);
    AddTitle(positionsGrid, 0, u"T&itel:"_s, positionsTitle_, positions);
    auto* positionsLine = new QGridLayout;
    AddLine(positionsLine, 0, 0, positionsWidth_, positionsColour_, positions);
    positionsLine->setColumnStretch(3, 1);
    positionsGrid->addLayout(positionsLine, 1, 1, 1, 2);

    currency_ = Choices("currency", page.currencies, v.currencyId, this);
    auto* currencyRow = new QHBoxLayout;
    currencyRow->addWidget(BuddyLabel(u"&Währung:"_s, currency_, this));
    currencyRow->addWidget(currency_);
    currencyRow->addStretch(1);

    commissions_ = Switch(u"bei Bere&chnung von Gewinnen/ Verlusten Provisionen einbeziehen"_s,
                          "includeCommissions", v.includeCommissions, this);

    auto* correction = new QGroupBox(u"Bereinigung um Kapitaleinlagen und -entnahmen:"_s, this);
    correctAccount_ = Switch(u"K&ontostand"_s, "correctAccount", v.correctAccount, correction);
    correctAccount_->setToolTip(u"Depotentwicklung: Kontostand und Liquiditätsquote"_s);
    correctAssets_ = Switch(u"Ve&rmögen"_s, "correctAssets", v.correctAssets, correction);
    correctAssets_->setToolTip(u"Depotentwicklung: Vermögen und seine Änderungen"_s);
    auto* start = new QRadioButton(u"A&nfangsdatum"_s, correction);
    start->setObjectName(u"relativeToStart"_s);
    auto* end = new QRadioButton(u"Enddat&um"_s, correction);
    end->setObjectName(u"relativeToEnd"_s);
    relativeTo_ = new QButtonGroup(this);
    relativeTo_->addButton(start, 0);
    relativeTo_->addButton(end, 1);
    (v.correctionRelativeToEnd != 0 ? end : start)->setChecked(true);
    auto* correctionGrid = new QGridLayout(correction);
    correctionGrid->addWidget(correctAccount_, 0, 0);
    correctionGrid->addWidget(start, 0, 1);
    correctionGrid->addWidget(correctAssets_, 1, 0);
    correctionGrid->addWidget(end, 1, 1);
    correctionGrid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(development);
    layout->addWidget(positions);
    layout->addLayout(currencyRow);
    layout->addWidget(commissions_);
    layout->addWidget(correction);
    layout->addStretch(1);
}

std::unique_ptr<OptionsPage> DiagramPageView::Page() const {
    DiagramOptionsPage page = initial_;
    DiagramOptions& v = page.values;
    v.developmentTitle = FromQString(developmentTitle_.edit->text());
    v.developmentLineWidth = developmentWidth_->value();
    v.developmentLineColour = developmentColour_->StoredValue();
    v.positionsTitle = FromQString(positionsTitle_.edit->text());
    v.positionsLineWidth = positionsWidth_->value();
    v.positionsLineColour = positionsColour_->StoredValue();
    v.currencyId = ChosenValue(currency_, v.currencyId);
    v.includeCommissions = On(commissions_);
    v.correctAccount = On(correctAccount_);
    v.correctAssets = On(correctAssets_);
    v.correctionRelativeToEnd = relativeTo_->checkedId() == 1 ? 1 : 0;
    return std::make_unique<DiagramOptionsPage>(std::move(page));
}

// --- "Charts" ---

OptionsPageView* ChartPageView::Create(const CFolari2Doc& doc) {
    return new ChartPageView(ChartOptionsPage::FromDocument(doc));
}

ChartPageView::ChartPageView(const ChartOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"chartPage"_s);
    const ChartOptions& v = page.values;

    auto* line = new QGroupBox(u"Chartlinie"_s, this);
    lineWidth_ = WidthSpin("lineWidth", v.lineWidth, line);
    lineColour_ = new ColourButton(u"&Farbe..."_s, "lineColour", v.lineColour, line);
    auto* lineGrid = new QGridLayout(line);
    AddLine(lineGrid, 0, 0, lineWidth_, lineColour_, line);
    lineGrid->setColumnStretch(3, 1);

    title_ = Title(kChartTitleField, v.title, page.placeholders, u"<&PH>"_s, this);
    auto* titleGrid = new QGridLayout;
    AddTitle(titleGrid, 0, u"&Titel:"_s, title_, this);

    auto* averages = new QGroupBox(u"Gleitende Durchschnitte"_s, this);
    auto* averageGrid = new QGridLayout(averages);
    const QString switchTexts[3] = {u"&der letzten"_s, u"der l&etzten"_s, u"der let&zten"_s};
    for (size_t i = 0; i < 3; ++i) {
        const MovingAverageOptions& a = v.averages[i];
        AverageRow& row = averages_[i];
        const std::string name = "average" + std::to_string(i + 1);
        row.enabled = Switch(switchTexts[i], name.c_str(), a.enabled, averages);
        row.period = Spin(AveragePeriodField(i).c_str(), kAveragePeriodRange, a.period, averages);
        row.width = WidthSpin(AverageWidthField(i).c_str(), a.width, averages);
        row.colour = new ColourButton(u"Farbe..."_s, (name + "Colour").c_str(), a.colour, averages);
        const int r = static_cast<int>(i);
        averageGrid->addWidget(row.enabled, r, 0);
        averageGrid->addWidget(row.period, r, 1);
        averageGrid->addWidget(new QLabel(u"Tage"_s, averages), r, 2);
        AddLine(averageGrid, r, 3, row.width, row.colour, averages);
        // The row's fields matter only while its average is drawn.
        for (QWidget* w : {static_cast<QWidget*>(row.period), static_cast<QWidget*>(row.width),
                           static_cast<QWidget*>(row.colour)}) {
            w->setEnabled(a.enabled != 0);
            connect(row.enabled, &QCheckBox::toggled, w, &QWidget::setEnabled);
        }
    }
    averageGrid->setColumnStretch(6, 1);

    auto* trades = new QGroupBox(u"Käufe und Verkäufe"_s, this);
    markers_ = Switch(u"Tage &markieren"_s, "markers", v.markers, trades);
    markerWidth_ = WidthSpin("markerWidth", v.markerWidth, trades);
    buyColour_ = new ColourButton(u"Farbe &1..."_s, "buyColour", v.buyColour, trades);
    buyColour_->setToolTip(u"Farbe der Käufe"_s);
    sellColour_ = new ColourButton(u"Farbe &2..."_s, "sellColour", v.sellColour, trades);
    sellColour_->setToolTip(u"Farbe der Verkäufe"_s);
    auto* tradeGrid = new QGridLayout(trades);
    tradeGrid->addWidget(markers_, 0, 0);
    AddLine(tradeGrid, 0, 1, markerWidth_, buyColour_, trades);
    tradeGrid->addWidget(sellColour_, 0, 4);
    tradeGrid->setColumnStretch(5, 1);
    for (QWidget* w : {static_cast<QWidget*>(markerWidth_), static_cast<QWidget*>(buyColour_),
                       static_cast<QWidget*>(sellColour_)}) {
        w->setEnabled(v.markers != 0);
        connect(markers_, &QCheckBox::toggled, w, &QWidget::setEnabled);
    }

    splits_ = SplitChoices(page.splitHandlings, v.splitHandling, this);
    auto* splitRow = new QHBoxLayout;
    splitRow->addWidget(BuddyLabel(u"Behandlung von &Splits:"_s, splits_, this));
    splitRow->addWidget(splits_);
    splitRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(line);
    layout->addLayout(titleGrid);
    layout->addWidget(averages);
    layout->addWidget(trades);
    layout->addLayout(splitRow);
    layout->addStretch(1);
}

std::unique_ptr<OptionsPage> ChartPageView::Page() const {
    ChartOptionsPage page = initial_;
    ChartOptions& v = page.values;
    v.lineWidth = lineWidth_->value();
    v.lineColour = lineColour_->StoredValue();
    v.title = FromQString(title_.edit->text());
    for (size_t i = 0; i < 3; ++i) {
        MovingAverageOptions& a = v.averages[i];
        a.enabled = On(averages_[i].enabled);
        a.period = averages_[i].period->value();
        a.width = averages_[i].width->value();
        a.colour = averages_[i].colour->StoredValue();
    }
    v.markers = On(markers_);
    v.markerWidth = markerWidth_->value();
    v.buyColour = buyColour_->StoredValue();
    v.sellColour = sellColour_->StoredValue();
    v.splitHandling = ChosenValue(splits_, v.splitHandling);
    return std::make_unique<ChartOptionsPage>(std::move(page));
}

}  // namespace pf

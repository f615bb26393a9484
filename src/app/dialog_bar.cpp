#include "app/dialog_bar.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"
#include "shell/view_catalogue.h"

namespace pf {

namespace {

// The pictures of the four picture buttons, drawn so they scale with the screen.
enum class Picture { Filter, FilterSettings, SimulatedSale, Chart };

QIcon PictureIcon(Picture picture) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    switch (picture) {
        case Picture::Filter:
        case Picture::FilterSettings: {
            QPainterPath funnel;
            funnel.moveTo(4, 5);
            funnel.lineTo(28, 5);
            funnel.lineTo(18, 17);
            funnel.lineTo(18, 27);
            funnel.lineTo(14, 24);
            funnel.lineTo(14, 17);
            funnel.closeSubpath();
            p.setBrush(picture == Picture::Filter ? QColor(70, 130, 200) : QColor(230, 230, 230));
            p.drawPath(funnel);
            if (picture == Picture::FilterSettings) {
                p.setBrush(QColor(40, 40, 40));
                for (int x : {21, 25, 29}) p.drawEllipse(QPointF(x, 27), 1.2, 1.2);
            }
            break;
        }
        case Picture::SimulatedSale:
            p.setBrush(QColor(250, 210, 80));
            p.drawEllipse(QRectF(4, 4, 24, 24));
            p.setFont(QFont(QStringLiteral("Arial"), 13, QFont::Bold));
            p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("€"));
            break;
        case Picture::Chart:
            p.drawLine(4, 28, 28, 28);
            p.drawLine(4, 28, 4, 4);
            p.setPen(QPen(QColor(200, 40, 40), 2.5));
            p.drawPolyline(
                QPolygonF({QPointF(6, 22), QPointF(12, 14), QPointF(18, 18), QPointF(27, 7)}));
            break;
    }
    return QIcon(pixmap);
}

QToolButton* PictureButton(Picture picture, const QString& tip, bool checkable, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setIcon(PictureIcon(picture));
    button->setToolTip(tip);
    button->setCheckable(checkable);
    button->setAutoRaise(false);
    return button;
}

}  // namespace

DialogBar::DialogBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("dialogBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);

    auto* viewLabel = new QLabel(QStringLiteral("Ansicht:"), this);
    viewSelector_ = new QComboBox(this);
    viewSelector_->setObjectName(QStringLiteral("viewSelector"));
    for (const ViewEntry& view : ViewCatalogue())
        viewSelector_->addItem(ToQString(view.title), view.id);
    viewSelector_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    viewLabel->setBuddy(viewSelector_);

    firstDate_ = DatePicker(this);
    firstDate_->setObjectName(QStringLiteral("firstDate"));
    untilLabel_ = new QLabel(QStringLiteral("bis"), this);
    secondDate_ = DatePicker(this);
    secondDate_->setObjectName(QStringLiteral("secondDate"));

    developmentMeasure_ = new QComboBox(this);
    developmentMeasure_->setObjectName(QStringLiteral("developmentMeasure"));
    for (const char* item : DevelopmentMeasureItems())
        developmentMeasure_->addItem(ToQString(item));
    positionMeasure_ = new QComboBox(this);
    positionMeasure_->setObjectName(QStringLiteral("positionMeasure"));
    for (const char* item : PositionMeasureItems()) positionMeasure_->addItem(ToQString(item));
    choosePositions_ = new QPushButton(QStringLiteral("Auswählen..."), this);
    choosePositions_->setObjectName(QStringLiteral("choosePositions"));

    securityLabel_ = new QLabel(QStringLiteral("Wertpapier"), this);
    security_ = new QComboBox(this);
    security_->setObjectName(QStringLiteral("chartSecurity"));
    security_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    security_->setMinimumContentsLength(20);
    securityLabel_->setBuddy(security_);
    chartButton_ =
        PictureButton(Picture::Chart, QStringLiteral("Chart-Einstellungen"), false, this);
    chartButton_->setObjectName(QStringLiteral("chartButton"));

    filterSwitch_ = PictureButton(Picture::Filter, QStringLiteral("Filter ein/aus"), true, this);
    filterSwitch_->setObjectName(QStringLiteral("filterSwitch"));
    filterSettings_ =
        PictureButton(Picture::FilterSettings,
                      QStringLiteral("Wertpapiere für den Filter auswählen"), false, this);
    filterSettings_->setObjectName(QStringLiteral("filterSettings"));
    simulatedSale_ =
        PictureButton(Picture::SimulatedSale,
                      QStringLiteral("Simulierter Verkauf der offenen Positionen"), true, this);
    simulatedSale_->setObjectName(QStringLiteral("simulatedSale"));
    htmlView_ = new QPushButton(QStringLiteral("HTML-Ansicht"), this);
    htmlView_->setObjectName(QStringLiteral("htmlView"));

    for (QWidget* w : std::initializer_list<QWidget*>{
             viewLabel, viewSelector_, firstDate_, untilLabel_, secondDate_, developmentMeasure_,
             positionMeasure_, choosePositions_, securityLabel_, security_, chartButton_,
             filterSwitch_, filterSettings_, simulatedSale_, htmlView_})
        layout->addWidget(w);
    layout->addStretch(1);

    connect(viewSelector_, &QComboBox::activated, this,
            [this](int index) { emit viewChosen(viewSelector_->itemData(index).toInt()); });
    connect(firstDate_, &QDateEdit::dateChanged, this,
            [this](const QDate& d) { emit firstDateChanged(FromQDate(d)); });
    connect(secondDate_, &QDateEdit::dateChanged, this,
            [this](const QDate& d) { emit secondDateChanged(FromQDate(d)); });
    connect(developmentMeasure_, &QComboBox::activated, this, &DialogBar::developmentMeasureChosen);
    connect(positionMeasure_, &QComboBox::activated, this, &DialogBar::positionMeasureChosen);
    connect(choosePositions_, &QPushButton::clicked, this, &DialogBar::choosePositionsRequested);
    connect(security_, &QComboBox::activated, this,
            [this](int index) { emit chartSecurityChosen(security_->itemData(index).toInt()); });
    connect(chartButton_, &QToolButton::clicked, this, &DialogBar::chartButtonClicked);
    connect(filterSwitch_, &QToolButton::toggled, this, &DialogBar::filterToggled);
    connect(filterSettings_, &QToolButton::clicked, this, &DialogBar::filterSettingsRequested);
    connect(simulatedSale_, &QToolButton::toggled, this, &DialogBar::simulatedSaleToggled);
    connect(htmlView_, &QPushButton::clicked, this, &DialogBar::htmlViewRequested);

    ShowState(nullptr, nullptr);
}

void DialogBar::ShowState(const ChildViewState* state, const CFolari2Doc* doc) {
    const QList<QWidget*> all = findChildren<QWidget*>();
    for (QWidget* w : all) w->blockSignals(true);

    const int viewId = state != nullptr ? state->viewId : kViewHoldings;
    const DialogBarControls c = ControlsForView(viewId);
    viewSelector_->setCurrentIndex(viewSelector_->findData(viewId));
    viewSelector_->setEnabled(state != nullptr);
    firstDate_->setEnabled(state != nullptr);
    untilLabel_->setVisible(c.secondDate);
    secondDate_->setVisible(c.secondDate);
    developmentMeasure_->setVisible(c.developmentMeasure);
    positionMeasure_->setVisible(c.positionMeasure);
    choosePositions_->setVisible(c.choosePositions);
    securityLabel_->setVisible(c.securitySelector);
    security_->setVisible(c.securitySelector);
    chartButton_->setVisible(c.securitySelector);
    filterSwitch_->setVisible(c.filterSwitch);
    filterSettings_->setVisible(c.filterSwitch);
    simulatedSale_->setVisible(c.simulatedSale);
    htmlView_->setVisible(c.htmlView);
    htmlView_->setEnabled(state != nullptr);

    if (state != nullptr) {
        firstDate_->setDate(ToQDate(state->FirstDate()));
        secondDate_->setDate(ToQDate(state->periodTo));
        developmentMeasure_->setCurrentIndex(state->developmentMeasure);
        positionMeasure_->setCurrentIndex(state->positionMeasure);
        filterSwitch_->setChecked(state->FilterOn());
        simulatedSale_->setChecked(state->simulateSales);
        security_->clear();
        if (doc != nullptr)
            for (const int32_t id : ChartSecurityIds(*doc))
                security_->addItem(ToQString(doc->FindSecurity(id)->name), id);
        security_->setCurrentIndex(security_->findData(state->chartSecurityId));
    }
    for (QWidget* w : all) w->blockSignals(false);
}

}  // namespace pf

#include "app/dialogs/trend_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTreeWidget>

#include "qtcanvas/qt_string.h"

namespace pf {

namespace {

const QColor kStrongRise(0, 140, 0);
const QColor kRise(90, 190, 60);
const QColor kUnchanged(110, 110, 110);
const QColor kStrongFall(200, 0, 0);
const QColor kFall(235, 120, 30);

// An arrow through the middle of a 14 × 14 cell pointing at `angle` degrees (0 = right,
// 90 = up), its shaft `width` pixels thick.
void DrawArrow(QPainter& painter, QPointF centre, double angle, const QColor& colour,
               double width) {
    painter.save();
    painter.translate(centre);
    painter.rotate(-angle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(QRectF(-5.5, -width / 2, 7.0, width));
    painter.drawPolygon(QPolygonF({QPointF(6.5, 0), QPointF(0.5, -5), QPointF(0.5, 5)}));
    painter.restore();
}

// A round badge with a white sign, for the alert prices.
void DrawBadge(QPainter& painter, QPointF centre, const QColor& colour, bool up) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(centre, 6.5, 6.5);
    painter.setBrush(Qt::white);
    const double d = up ? -1.0 : 1.0;  // the sign points up for the upper price
    painter.drawPolygon(QPolygonF({centre + QPointF(0, 4.0 * d), centre + QPointF(-3.5, -2.5 * d),
                                   centre + QPointF(3.5, -2.5 * d)}));
}

QPixmap DrawStrip() {
    QPixmap strip(kTrendIconSize * kTrendIconCount, kTrendIconSize);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    auto centre = [](int index) {
        return QPointF(index * kTrendIconSize + kTrendIconSize / 2.0, kTrendIconSize / 2.0);
    };
    // 0: nothing to compare with, a hollow circle.
    painter.setPen(QPen(kUnchanged, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre(0), 4.5, 4.5);
    DrawArrow(painter, centre(1), 90, kStrongRise, 3.0);
    DrawArrow(painter, centre(2), 45, kRise, 2.5);
    DrawArrow(painter, centre(3), 0, kUnchanged, 2.5);
    DrawArrow(painter, centre(4), -90, kStrongFall, 3.0);
    DrawArrow(painter, centre(5), -45, kFall, 2.5);
    DrawBadge(painter, centre(6), kStrongRise, true);
    DrawBadge(painter, centre(7), kStrongFall, false);
    return strip;
}

}  // namespace

const QPixmap& TrendIconStrip() {
    static const QPixmap strip = DrawStrip();
    return strip;
}

void SetUpQuoteResultList(QTreeWidget* list) {
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setIconSize(QSize(kTrendIconSize, kTrendIconSize));
    list->setHeaderLabels({QStringLiteral("Wertpapier"), QStringLiteral("Kurs"),
                           QStringLiteral("W."), QStringLiteral("Status")});
    list->headerItem()->setTextAlignment(kResultPriceColumn, Qt::AlignRight | Qt::AlignVCenter);
}

void ShowQuoteResultRow(QTreeWidgetItem* item, const QuoteResultRow& row) {
    item->setText(kResultNameColumn, ToQString(row.name));
    item->setText(kResultPriceColumn, ToQString(row.priceText));
    item->setText(kResultCurrencyColumn, ToQString(row.currency));
    item->setText(kResultStatusColumn, ToQString(row.status));
    item->setData(kResultNameColumn, Qt::UserRole, row.securityId);
    item->setData(kResultNameColumn, kTrendIconRole, row.icon);
    item->setIcon(kResultNameColumn, TrendIcon(row.icon));
    item->setTextAlignment(kResultPriceColumn, Qt::AlignRight | Qt::AlignVCenter);
}

QIcon TrendIcon(int index) {
    if (index < 0 || index >= kTrendIconCount) {
        QPixmap blank(kTrendIconSize, kTrendIconSize);
        blank.fill(Qt::transparent);
        return QIcon(blank);
    }
    return QIcon(TrendIconStrip().copy(index * kTrendIconSize, 0, kTrendIconSize, kTrendIconSize));
}

}  // namespace pf

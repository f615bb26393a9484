#include "qtcanvas/qt_canvas.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "qtcanvas/qt_string.h"

namespace pf {

namespace {

// Logical units per inch: 0.1 mm.
constexpr double kUnitsPerInch = 254.0;
// Assumed when a device reports no resolution (a painter that is not active).
constexpr int kFallbackDpi = 96;
// Font size at which a face's cell height is measured; large, so hinting does not skew it.
constexpr int kProbePixels = 1000;

QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// The thinnest line the device can draw: one pixel, or a hairline in a PDF.
QPen ThinPen(Colour c) {
    QPen pen(ToQColor(c));
    pen.setWidth(0);
    return pen;
}

// A single line: line breaks would otherwise be measured and drawn inconsistently.
QString SingleLine(const std::string& text) {
    QString line = ToQString(text);
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

// Rectangles cover the pixels whose centres lie inside, so from left to right and top to
// bottom without the right and bottom edge, as a filled and outlined GDI-style rectangle
// does. Narrower rectangles grow to one pixel so that nothing drawn disappears.
QRectF AtLeastOnePixel(const QRectF& r) {
    return QRectF(r.left(), r.top(), std::max(1.0, r.width()), std::max(1.0, r.height()));
}

int DeviceDpi(const QPainter& painter, bool horizontal) {
    const QPaintDevice* device = painter.device();
    const int dpi = device == nullptr ? 0
                    : horizontal      ? device->logicalDpiX()
                                      : device->logicalDpiY();
    return dpi > 0 ? dpi : kFallbackDpi;
}

// The characters of number texts, which may be measured by adding their advances.
constexpr std::string_view kNumberCharacters = "0123456789.,-+% ";
// Number texts beyond pairs that must measure as their characters' sum as well.
constexpr const char* kNumberProbes[] = {"1.234.567,89", "-0,01%",         "+111.111,11 %",
                                         "1,234,567.89", "-98.765.432,10", "  7 7  "};

int Tenths(double millimetres) { return static_cast<int>(std::lround(millimetres * 10.0)); }

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, QPointF origin)
    : painter_(painter),
      origin_(origin),
      dpiX_(DeviceDpi(painter, true)),
      dpiY_(DeviceDpi(painter, false)),
      scaleX_(dpiX_ / kUnitsPerInch),
      scaleY_(dpiY_ / kUnitsPerInch),
      font_(painter.font()) {
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

PageMetrics QtCanvas::Page() const {
    const auto* paged = dynamic_cast<const QPagedPaintDevice*>(painter_.device());
    if (paged == nullptr) return {};
    const QPageLayout layout = paged->pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    PageMetrics page;
    page.physicalWidth = Tenths(full.width());
    page.physicalHeight = Tenths(full.height());
    page.physicalOffsetX = Tenths(paint.left() - full.left());
    page.physicalOffsetY = Tenths(paint.top() - full.top());
    page.printableWidth = Tenths(paint.width());
    page.printableHeight = Tenths(paint.height());
    return page;
}

void QtCanvas::SetFont(const std::string& face, int height) {
    QFont font(ToQString(face));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    if (!ratioKnown_ || face != ratioFace_) {
        QFont probe = font;
        probe.setPixelSize(kProbePixels);
        const QFontMetricsF metrics(probe, painter_.device());
        const double cell = metrics.ascent() + metrics.descent();
        cellPerPixel_ = cell > 0 ? cell / kProbePixels : 1.0;
        ratioFace_ = face;
        ratioKnown_ = true;
    }
    const double cellPixels = std::abs(static_cast<double>(height)) * scaleY_;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cellPixels / cellPerPixel_))));
    font_ = font;
    currentAdvances_ = nullptr;
    painter_.setFont(font_);
}

const QtCanvas::NumberAdvances& QtCanvas::AdvancesOfFont() {
    if (currentAdvances_ != nullptr) return *currentAdvances_;
    const auto [entry, added] = numberAdvances_.try_emplace(font_.key());
    NumberAdvances& advances = entry->second;
    currentAdvances_ = &advances;
    if (!added) return advances;
    const QFontMetricsF metrics(font_, painter_.device());
    for (const char c : kNumberCharacters)
        advances.width[static_cast<unsigned char>(c)] =
            metrics.horizontalAdvance(QString(QLatin1Char(c)));
    // Kerning or other shaping between two of the characters shows in a pair; the longer
    // probes cover runs of them as tables print them.
    const auto sum = [&](const QString& text) {
        double width = 0.0;
        for (const QChar c : text) width += advances.width[c.unicode()];
        return width;
    };
    QString pair(2, QLatin1Char(' '));
    for (const char a : kNumberCharacters) {
        for (const char b : kNumberCharacters) {
            pair[0] = QLatin1Char(a);
            pair[1] = QLatin1Char(b);
            if (metrics.horizontalAdvance(pair) != sum(pair)) return advances;
        }
    }
    for (const char* probe : kNumberProbes) {
        const QString text = QString::fromLatin1(probe);
        if (metrics.horizontalAdvance(text) != sum(text)) return advances;
    }
    advances.additive = true;
    return advances;
}

int QtCanvas::TextWidth(const std::string& text) {
    const bool number = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return kNumberCharacters.find(c) != std::string_view::npos;
    });
    if (number) {
        const NumberAdvances& advances = AdvancesOfFont();
        if (advances.additive) {
            double width = 0.0;
            for (const char c : text) width += advances.width[static_cast<unsigned char>(c)];
            return static_cast<int>(std::lround(width / scaleX_));
        }
    }
    const QFontMetricsF metrics(font_, painter_.device());
    return static_cast<int>(std::lround(metrics.horizontalAdvance(SingleLine(text)) / scaleX_));
}

void QtCanvas::DrawText(const std::string& text, const Rect& box, TextAlign align) {
    const QRectF area = ToDevice(box);
    const QString line = SingleLine(text);
    const QFontMetricsF metrics(font_, painter_.device());
    const double width = metrics.horizontalAdvance(line);
    double x = area.left();
    if (align == TextAlign::Right)
        x = area.right() - width;
    else if (align == TextAlign::Center)
        x = area.left() + (area.width() - width) / 2.0;

    painter_.save();
    // Intersects with a clip set by SetClip; without one it simply clips to the box.
    painter_.setClipRect(area, Qt::IntersectClip);
    painter_.setFont(font_);
    painter_.setPen(QPen(ToQColor(textColour_)));
    painter_.drawText(QPointF(x, area.top() + metrics.ascent()), line);
    painter_.restore();
}

void QtCanvas::DrawVerticalText(const std::string& text, const Rect& box, TextAlign align) {
    const QRectF area = ToDevice(box);
    const QString line = SingleLine(text);
    const QFontMetricsF metrics(font_, painter_.device());
    const double width = metrics.horizontalAdvance(line);
    // Along the text, measured upward from the box's bottom edge.
    double along = 0.0;
    if (align == TextAlign::Right)
        along = area.height() - width;
    else if (align == TextAlign::Center)
        along = (area.height() - width) / 2.0;

    painter_.save();
    painter_.setClipRect(area, Qt::IntersectClip);
    painter_.setFont(font_);
    painter_.setPen(QPen(ToQColor(textColour_)));
    // After the turn the x axis points up the box and the y axis to its right.
    painter_.translate(area.left(), area.bottom());
    painter_.rotate(-90.0);
    painter_.drawText(QPointF(along, metrics.ascent()), line);
    painter_.restore();
}

void QtCanvas::FillRect(const Rect& r, Colour fill) {
    // The outline in the fill colour adds nothing to the covered pixels.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.fillRect(AtLeastOnePixel(ToDevice(r)), ToQColor(fill));
}

void QtCanvas::FrameRect(const Rect& r, Colour pen) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    const QRectF area = AtLeastOnePixel(ToDevice(r));
    if (area.width() <= 2.0 || area.height() <= 2.0) {
        // No inside left: the outline covers the whole rectangle.
        painter_.fillRect(area, ToQColor(pen));
        return;
    }
    // An aliased one-pixel outline covers one pixel more than the rectangle's size.
    painter_.setPen(ThinPen(pen));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(area.left(), area.top(), area.width() - 1.0, area.height() - 1.0));
}

void QtCanvas::Polyline(const std::vector<Point>& points, Colour pen, int penWidth) {
    if (points.size() < 2) return;
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& p : points) line << ToDevice(p);
    const double width = penWidth * scaleX_;
    QPen qpen(ToQColor(pen));
    if (width < 1.0)
        qpen.setWidth(0);
    else
        qpen.setWidthF(width);
    qpen.setCapStyle(Qt::RoundCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(qpen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(line);
}

void QtCanvas::Polygon(const std::vector<Point>& points, Colour fill, Colour outline) {
    if (points.size() < 2) return;
    QPolygonF shape;
    shape.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& p : points) shape << ToDevice(p);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(ThinPen(outline));
    painter_.setBrush(ToQColor(fill));
    painter_.drawPolygon(shape, Qt::OddEvenFill);
}

void QtCanvas::SetClip(const Rect& r) { painter_.setClipRect(ToDevice(r), Qt::ReplaceClip); }

void QtCanvas::ClearClip() { painter_.setClipping(false); }

QPointF QtCanvas::ToDevice(const Point& p) const {
    return QPointF(origin_.x() + p.x * scaleX_, origin_.y() - p.y * scaleY_);
}

QRectF QtCanvas::ToDevice(const Rect& r) const {
    return QRectF(ToDevice(Point{r.left, r.top}), ToDevice(Point{r.right, r.bottom})).normalized();
}

}  // namespace pf

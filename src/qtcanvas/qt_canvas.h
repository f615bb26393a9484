#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"

class QPainter;

namespace pf {

// The drawing surface over a QPainter: a widget, an image, a PDF writer or a printer.
//
// Logical units are 0.1 mm with y growing upward; one unit is dpi / 254 device pixels,
// where dpi is the paint device's logical resolution. Logical (0, 0) is the device origin
// shifted by `origin` (device pixels), so a page or view runs from y = 0 into negative
// values. On a printer or PDF writer the device origin is the top-left corner of the
// printable area, as the report pagination expects: it places everything relative to that
// corner and subtracts the physical offsets itself (in full-page mode the printable area is
// the whole paper and the offsets are 0).
//
// The painter must stay active on its device for the canvas's lifetime. The canvas changes
// the painter's pen, brush, font, clip and render hints.
class QtCanvas final : public Canvas {
  public:
    explicit QtCanvas(QPainter& painter, QPointF origin = {});

    int PixelsPerInchX() const override { return dpiX_; }
    int PixelsPerInchY() const override { return dpiY_; }
    // Paper metrics of a printer or PDF writer, in 0.1 mm rounded; zeros on other devices.
    PageMetrics Page() const override;

    // `height` is the height of the character cell (ascent + descent), so that a line of
    // text fits exactly into a row of that height; descenders are not clipped. A face the
    // system lacks falls back to Qt's substitute (fonts-liberation serves "Arial"). The
    // size is rounded to whole device pixels, at least 1.
    void SetFont(const std::string& face, int height) override;
    // Advance width of the line in the current font, rounded to logical units.
    int TextWidth(const std::string& text) override;
    void SetTextColour(Colour colour) override { textColour_ = colour; }
    // Line breaks inside `text` are drawn as spaces.
    void DrawText(const std::string& text, const Rect& box, TextAlign align) override;
    void DrawVerticalText(const std::string& text, const Rect& box, TextAlign align) override;

    // Rectangles cover the device pixels from left to right and top to bottom, excluding the
    // right and bottom edge, but always at least one pixel each way. No antialiasing.
    void FillRect(const Rect& r, Colour fill) override;
    void FrameRect(const Rect& r, Colour pen) override;
    // Round caps and joins; a width below one device pixel draws the thinnest line. Fewer
    // than two points draw nothing.
    void Polyline(const std::vector<Point>& points, Colour pen, int penWidth) override;
    // Filled by the even-odd rule and outlined with the thinnest pen; fewer than two points
    // draw nothing.
    void Polygon(const std::vector<Point>& points, Colour fill, Colour outline) override;

    // Replaces any earlier clip.
    void SetClip(const Rect& r) override;
    void ClearClip() override;

    // Device position of a logical point / rectangle (normalised, top-left first).
    QPointF ToDevice(const Point& p) const;
    QRectF ToDevice(const Rect& r) const;

  private:
    QPainter& painter_;
    QPointF origin_;
    int dpiX_;
    int dpiY_;
    double scaleX_;  // device pixels per logical unit
    double scaleY_;
    QFont font_;
    Colour textColour_ = kBlack;
    // Number texts (digits, separators, signs, "%", spaces) fill the day tables by the
    // hundred thousand. Per font, the advances of those characters, and whether a text of
    // them measures exactly as the sum of its characters' advances (no kerning or other
    // shaping between them): then such a text is measured by adding, else in full.
    struct NumberAdvances {
        bool additive = false;
        double width[128] = {};  // device pixels, by ASCII code
    };
    std::unordered_map<QString, NumberAdvances> numberAdvances_;
    const NumberAdvances* currentAdvances_ = nullptr;  // of font_, once looked up
    const NumberAdvances& AdvancesOfFont();
    // Cell height (ascent + descent) per pixel of font size for `ratioFace_`.
    bool ratioKnown_ = false;
    std::string ratioFace_;
    double cellPerPixel_ = 1.0;
};

}  // namespace pf

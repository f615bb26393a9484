#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pf {

// A colour as the reports pass it: 0x02BBGGRR (palette-relative, like the values stored
// with table rows).
using Colour = uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
    return 0x02000000u | static_cast<uint32_t>(b & 0xFF) << 16 |
           static_cast<uint32_t>(g & 0xFF) << 8 | static_cast<uint32_t>(r & 0xFF);
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>(c >> 16 & 0xFF); }
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kLightGrey = Rgb(192, 192, 192);

// Logical coordinates: 0.1 mm, x to the right, y growing upward (so a page or view runs
// from y = 0 downward into negative values).
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};
// top >= bottom in logical units.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

enum class TextAlign { Left, Right, Center };

// What a printer reports about its paper, in logical units (all 0 on a screen).
struct PageMetrics {
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;  // unprintable border at the left
    int physicalOffsetY = 0;  // unprintable border at the top
    int printableWidth = 0;
    int printableHeight = 0;
};

// The drawing surface of reports and charts: a screen view, an image, a PDF or a printer
// page, or a recording for tests. All coordinates and sizes are logical units.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // Device pixels per inch; a screen report derives its scale factor from it.
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;
    // Paper metrics of a printer; zeros on other devices.
    virtual PageMetrics Page() const = 0;

    // Selects a font of the face at `height` (normal weight, no italic, underline or
    // strike-out).
    virtual void SetFont(const std::string& face, int height) = 0;
    // Width of a single line of text in the current font.
    virtual int TextWidth(const std::string& text) = 0;
    // Colour of the texts drawn from now on; black until set.
    virtual void SetTextColour(Colour colour) = 0;
    // One line of text in `box`, clipped to it, aligned at its left edge, right edge or
    // centre, with its top at box.top; no background.
    virtual void DrawText(const std::string& text, const Rect& box, TextAlign align) = 0;
    // One line of text turned a quarter turn counter-clockwise, reading from the bottom
    // upward: it starts at box.bottom (Left), ends at box.top (Right) or is centred between
    // them; the top of its character cells lies on box.left. Clipped to the box; no
    // background.
    virtual void DrawVerticalText(const std::string& text, const Rect& box, TextAlign align) = 0;

    // A rectangle filled with `fill` and outlined in the same colour.
    virtual void FillRect(const Rect& r, Colour fill) = 0;
    // A rectangle outline with the thinnest pen.
    virtual void FrameRect(const Rect& r, Colour pen) = 0;
    virtual void Polyline(const std::vector<Point>& points, Colour pen, int penWidth) = 0;
    virtual void Polygon(const std::vector<Point>& points, Colour fill, Colour outline) = 0;

    // Restricts drawing to `r` until ClearClip.
    virtual void SetClip(const Rect& r) = 0;
    virtual void ClearClip() = 0;
};

}  // namespace pf

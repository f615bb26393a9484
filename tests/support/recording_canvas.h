#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace pf {

// A canvas that draws nothing and records every call, with fixed text metrics so that
// layouts are the same on every machine: each character (UTF-8 code point) of a line is
// half as wide as the font is high, rounded half up: width = (characters × height + 1) / 2.
// Tests and benchmarks lay reports out on it and assert on the recorded calls.
class RecordingCanvas final : public Canvas {
  public:
    // A screen of `pixelsPerInch`, or a printer page when `page` has a physical size.
    explicit RecordingCanvas(int pixelsPerInch = 96, PageMetrics page = {})
        : ppi_(pixelsPerInch), page_(page) {}

    int PixelsPerInchX() const override { return ppi_; }
    int PixelsPerInchY() const override { return ppi_; }
    PageMetrics Page() const override { return page_; }

    void SetFont(const std::string& face, int height) override;
    int TextWidth(const std::string& text) override;
    void SetTextColour(Colour colour) override { textColour_ = colour; }
    void DrawText(const std::string& text, const Rect& box, TextAlign align) override;
    void DrawVerticalText(const std::string& text, const Rect& box, TextAlign align) override;
    void FillRect(const Rect& r, Colour fill) override;
    void FrameRect(const Rect& r, Colour pen) override;
    void Polyline(const std::vector<Point>& points, Colour pen, int penWidth) override;
    void Polygon(const std::vector<Point>& points, Colour fill, Colour outline) override;
    void SetClip(const Rect& r) override;
    void ClearClip() override;

    // One recorded call.
    struct Op {
        enum Kind { Font, Text, VerticalText, Fill, Frame, Line, Shape, Clip, Unclip } kind;
        std::string text;   // text, or the face of a font
        Rect rect;          // box of text, rectangle, clip
        int value = 0;      // font height, pen width, TextAlign of a text
        Colour colour = 0;  // of a text: the text colour set (0 until one is)
        Colour colour2 = 0;
        std::vector<Point> points;
    };
    const std::vector<Op>& Ops() const { return ops_; }
    void ClearOps() { ops_.clear(); }
    // The texts drawn, in order (vertical texts too).
    std::vector<std::string> Texts() const;

    static int CharacterCount(const std::string& utf8);

  private:
    int ppi_;
    PageMetrics page_;
    int fontHeight_ = 0;
    Colour textColour_ = 0;
    std::vector<Op> ops_;
};

}  // namespace pf

#include "support/recording_canvas.h"

namespace pf {

int RecordingCanvas::CharacterCount(const std::string& utf8) {
    int count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

void RecordingCanvas::SetFont(const std::string& face, int height) {
    fontHeight_ = height;
    ops_.push_back({Op::Font, face, {}, height, 0, 0, {}});
}

int RecordingCanvas::TextWidth(const std::string& text) {
    return (CharacterCount(text) * fontHeight_ + 1) / 2;
}

void RecordingCanvas::DrawText(const std::string& text, const Rect& box, TextAlign align) {
    ops_.push_back({Op::Text, text, box, static_cast<int>(align), textColour_, 0, {}});
}

void RecordingCanvas::DrawVerticalText(const std::string& text, const Rect& box, TextAlign align) {
    ops_.push_back({Op::VerticalText, text, box, static_cast<int>(align), textColour_, 0, {}});
}

void RecordingCanvas::FillRect(const Rect& r, Colour fill) {
    ops_.push_back({Op::Fill, {}, r, 0, fill, fill, {}});
}

void RecordingCanvas::FrameRect(const Rect& r, Colour pen) {
    ops_.push_back({Op::Frame, {}, r, 0, pen, 0, {}});
}

void RecordingCanvas::Polyline(const std::vector<Point>& points, Colour pen, int penWidth) {
    ops_.push_back({Op::Line, {}, {}, penWidth, pen, 0, points});
}

void RecordingCanvas::Polygon(const std::vector<Point>& points, Colour fill, Colour outline) {
    ops_.push_back({Op::Shape, {}, {}, 0, fill, outline, points});
}

void RecordingCanvas::SetClip(const Rect& r) { ops_.push_back({Op::Clip, {}, r, 0, 0, 0, {}}); }

void RecordingCanvas::ClearClip() { ops_.push_back({Op::Unclip, {}, {}, 0, 0, 0, {}}); }

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> texts;
    for (const Op& op : ops_)
        if (op.kind == Op::Text || op.kind == Op::VerticalText) texts.push_back(op.text);
    return texts;
}

}  // namespace pf

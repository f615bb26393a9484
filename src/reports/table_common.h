#pragma once

#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "reports/report_table.h"

// Small pieces shared by the table models (ReportTable, DevelopmentTable).
namespace pf::table {

// The rounding of all scaled sizes: x + 0.5 truncated toward zero.
inline int R(double x) { return static_cast<int>(x + 0.5); }

// Characters of a UTF-8 text (code points), the unit of the fixed-width text output.
inline int CharacterCount(std::string_view utf8) {
    int count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

inline int Magnitude(int v) {
    if (v >= 0) return v;
    return v == INT_MIN ? INT_MAX : -v;
}

// Index of `colour` in `list`, appended when new (first match wins).
inline int ColourIndex(std::vector<Colour>& list, Colour colour) {
    const auto found = std::find(list.begin(), list.end(), colour);
    if (found != list.end()) return static_cast<int>(found - list.begin());
    list.push_back(colour);
    return static_cast<int>(list.size()) - 1;
}

// A cell's alignment, -1 meaning the column's.
inline TextAlign AlignOf(int cellAlignment, int columnAlignment) {
    const int a = cellAlignment == kAlignDefault ? columnAlignment : cellAlignment;
    if (a == kAlignRight) return TextAlign::Right;
    if (a == kAlignCenter) return TextAlign::Center;
    return TextAlign::Left;
}

// Whether `r` lies wholly outside `visible` (both with top >= bottom).
inline bool Outside(const Rect& r, const Rect& visible) {
    return r.bottom > visible.top || r.top < visible.bottom || r.right < visible.left ||
           r.left > visible.right;
}

// One cell of the fixed-width text output: `text` aligned in `available` characters (the
// columns' character widths plus 2 each). Right-aligned text ends with two spaces.
inline void AppendFixedWidth(std::string& out, std::string_view text, int available,
                             TextAlign align) {
    const int length = CharacterCount(text);
    const auto spaces = [&](int count) { out.append(std::max(0, count), ' '); };
    switch (align) {
        case TextAlign::Left:
            out += text;
            spaces(available - length);
            break;
        case TextAlign::Right:
            spaces(available - 2 - length);
            out += text;
            spaces(2);
            break;
        case TextAlign::Center: {
            const int before = std::max(0, (available - 2 - length) / 2);
            spaces(before);
            out += text;
            spaces(available - before - length);
            break;
        }
    }
}

}  // namespace pf::table

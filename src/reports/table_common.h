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

// Places the rows on the printed pages down, y growing upward from `topY`: a row goes on the
// current page unless it, with the rows its frame covers (`groupHeight(i)`), would cross
// `bottomLimit`; a new page then starts with the rows flagged to repeat, of those above the
// breaking row only (a flagged row further down has not been printed yet and would otherwise
// appear ahead of its place). A row's spacing before is dropped at the top of a page and
// after the repeated rows, whose spacing after already separates it. Fills `placements`
// with {row, page, y} in print order and returns the number of pages down.
template <class Rows, class GroupHeight, class Placement>
int PlaceRowsDown(const Rows& rows, const std::vector<int>& fontHeights, int topY, int bottomLimit,
                  GroupHeight groupHeight, std::vector<Placement>& placements) {
    placements.clear();
    int down = 0;
    int y = topY;
    bool pageEmpty = true;
    bool beyondHeader = false;  // the page holds a row other than repeated ones
    const int n = static_cast<int>(rows.size());
    for (int i = 0; i < n; ++i) {
        int spacing = pageEmpty ? 0 : rows[i].spacingBefore;
        if (beyondHeader && static_cast<long long>(y) - spacing - groupHeight(i) < bottomLimit) {
            ++down;
            y = topY;
            beyondHeader = false;
            for (int r = 0; r < i; ++r) {
                if (!rows[r].repeat) continue;
                placements.push_back({r, down, y});
                y -= fontHeights[rows[r].font] + rows[r].spacingAfter;
            }
            spacing = 0;
        }
        y -= spacing;
        placements.push_back({i, down, y});
        y -= fontHeights[rows[i].font];
        pageEmpty = false;
        beyondHeader = true;
    }
    return down + 1;
}

}  // namespace pf::table

#include "reports/report_table.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>
#include <utility>

#include "reports/table_common.h"

namespace pf {

using table::AlignOf;
using table::CharacterCount;
using table::ColourIndex;
using table::Magnitude;
using table::Outside;
using table::R;

namespace {

// Calls f(column, cell) for every cell that is not covered by a spanning cell before it.
template <class F>
void ForEachCell(const ReportRow& row, F f) {
    const int count = static_cast<int>(row.cells.size());
    for (int c = 0; c < count;) {
        const ReportCell& cell = row.cells[c];
        f(c, cell);
        c += cell.hasText ? std::clamp(cell.span, 1, count - c) : 1;
    }
}

int LastColumn(int column, const ReportCell& cell) {
    return column + (cell.hasText ? cell.span : 1) - 1;
}

}  // namespace

bool ReportTable::Init(const std::string& face, int baseFontHeight, int columnCount,
                       int outerMargin, int columnMargin, int columnGap, double scale) {
    if (initialised_ || columnCount <= 0) return false;
    face_ = face;
    scale_ = scale;
    outerMargin_ = outerMargin;
    columnMargin_ = columnMargin;
    columnGap_ = columnGap;
    columnCount_ = columnCount;
    fontHeights_ = {baseFontHeight};
    screenFontHeights_ = {R(scale * baseFontHeight)};
    alignment_.assign(columnCount, kAlignLeft);
    for (std::vector<int>* v :
         {&screenWidth_, &printWidth_, &screenX_, &printX_, &printPage_, &charWidth_})
        v->assign(columnCount, 0);
    initialised_ = true;
    return true;
}

int ReportTable::AddFont(int height) {
    if (!initialised_) return -1;
    fontHeights_.push_back(height);
    screenFontHeights_.push_back(R(scale_ * height));
    return static_cast<int>(fontHeights_.size()) - 1;
}

void ReportTable::SetColumnAlignment(int column, int alignment) {
    if (!initialised_ || column < 0 || column >= columnCount_) return;
    if (alignment < kAlignLeft || alignment > kAlignCenter) alignment = kAlignLeft;
    alignment_[column] = alignment;
}

int ReportTable::AddRow(const RowStyle& style) {
    if (!initialised_) return -1;
    const int spacingBefore = style.spacingBefore;
    try {
        ReportRow row;
        row.font =
            style.font >= 0 && style.font < static_cast<int>(fontHeights_.size()) ? style.font : 0;
        row.frameUp = Magnitude(style.frameUp);
        row.frameDown = Magnitude(style.frameDown);
        row.user = style.user;
        row.spacingBefore = spacingBefore;
        row.repeat = style.repeatOnEachPage;
        if (rows_.empty()) {
            row.printY = -outerMargin_;
            row.screenY = -R(outerMargin_ * scale_);
        } else {
            const ReportRow& previous = rows_.back();
            row.printY = previous.printY - fontHeights_[previous.font] - spacingBefore;
            row.screenY =
                previous.screenY - R(spacingBefore * scale_) - screenFontHeights_[previous.font];
        }
        row.cells.resize(columnCount_);
        row.colourA = ColourIndex(coloursA_, style.colourA);
        row.colourB = ColourIndex(coloursB_, style.colourB);
        rows_.push_back(std::move(row));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    const int index = static_cast<int>(rows_.size()) - 1;
    if (index > 0) rows_[index - 1].spacingAfter = spacingBefore;
    laidOut_ = false;
    paginated_ = false;
    return index;
}

bool ReportTable::SetCell(int row, int column, const std::string& text, int span, int alignment) {
    if (!initialised_ || row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 ||
        column >= columnCount_)
        return false;
    span = std::clamp(span, 1, columnCount_ - column);
    if (alignment < kAlignDefault)
        alignment = kAlignDefault;
    else if (alignment > kAlignCenter)
        alignment = kAlignLeft;
    ReportCell& cell = rows_[row].cells[column];
    cell.hasText = true;
    cell.text = text;
    cell.span = span;
    cell.alignment = alignment;
    largestSpan_ = std::max(largestSpan_, span);
    laidOut_ = false;
    paginated_ = false;
    return true;
}

const std::string& ReportTable::CellText(int row, int column) const {
    static const std::string kNone;
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= columnCount_)
        return kNone;
    return rows_[row].cells[column].text;
}

std::vector<int> ReportTable::MeasureColumns(Canvas* device, const std::vector<int>& fontHeights,
                                             int gap) const {
    std::vector<int> widths(columnCount_, 0);
    int selectedHeight = INT_MIN;
    // Single columns first, so that a spanning cell only widens the last column it covers,
    // and only by what the columns before it do not already provide.
    for (int span = 1; span <= largestSpan_; ++span) {
        for (const ReportRow& row : rows_) {
            ForEachCell(row, [&](int c, const ReportCell& cell) {
                if (!cell.hasText || cell.span != span) return;
                int needed;
                if (device) {
                    const int height = fontHeights[row.font];
                    if (height != selectedHeight) {
                        device->SetFont(face_, height);
                        selectedHeight = height;
                    }
                    needed = device->TextWidth(cell.text);
                } else {
                    needed = CharacterCount(cell.text);
                }
                for (int j = c; j < c + span - 1; ++j) needed -= widths[j] + gap;
                int& last = widths[c + span - 1];
                last = std::max(last, needed);
            });
        }
    }
    return widths;
}

int ReportTable::ScreenRight() const {
    const int last = columnCount_ - 1;
    return screenX_[last] + screenWidth_[last] + R(scale_ * columnMargin_);
}

Rect ReportTable::ScreenRowRect(int row) const {
    const int n = static_cast<int>(rows_.size());
    const ReportRow& r = rows_[row];
    const int first = r.frameUp >= row ? 0 : row - r.frameUp;
    const int last = r.frameDown >= n - 1 - row ? n - 1 : row + r.frameDown;
    const ReportRow& bottomRow = rows_[last];
    return {R(scale_ * outerMargin_), rows_[first].screenY, ScreenRight(),
            bottomRow.screenY - screenFontHeights_[bottomRow.font]};
}

ReportSize ReportTable::Layout(Canvas& screen) {
    if (!initialised_) return {};
    const int gap = R(scale_ * columnGap_);
    screenWidth_ = MeasureColumns(&screen, screenFontHeights_, gap);
    charWidth_ = MeasureColumns(nullptr, screenFontHeights_, 2);
    screenX_[0] = R(scale_ * outerMargin_) + R(scale_ * columnMargin_);
    for (int i = 0; i + 1 < columnCount_; ++i)
        screenX_[i + 1] = screenX_[i] + screenWidth_[i] + gap;
    laidOut_ = true;

    ReportSize size;
    size.width = ScreenRight() + R(scale_ * outerMargin_);
    if (rows_.empty()) {
        size.height = 1;
    } else {
        const ReportRow& last = rows_.back();
        size.height =
            std::abs(last.screenY - screenFontHeights_[last.font] - R(scale_ * outerMargin_));
    }
    return size;
}

void ReportTable::DrawScreen(Canvas& screen, int style, const Rect& given) {
    if (!initialised_) return;
    if (!laidOut_) Layout(screen);
    Rect visible = given;
    if (visible.top < visible.bottom) std::swap(visible.top, visible.bottom);
    const int n = static_cast<int>(rows_.size());

    // Backgrounds of all rows first, so that a frame extended over neighbouring rows never
    // covers their text.
    if (style == kStyleGrid || style == kStyleGrey || style == kStyleColour) {
        for (int i = 0; i < n; ++i) {
            const Rect r = ScreenRowRect(i);
            if (Outside(r, visible)) continue;
            if (style == kStyleGrid)
                screen.FrameRect(r, kLightGrey);
            else
                screen.FillRect(r, style == kStyleGrey ? ColourA(rows_[i]) : ColourB(rows_[i]));
        }
    }

    int selectedHeight = INT_MIN;
    for (int i = 0; i < n; ++i) {
        if (Outside(ScreenRowRect(i), visible)) continue;
        const ReportRow& row = rows_[i];
        const int height = screenFontHeights_[row.font];
        ForEachCell(row, [&](int c, const ReportCell& cell) {
            if (!cell.hasText || cell.text.empty()) return;
            if (height != selectedHeight) {
                screen.SetFont(face_, height);
                selectedHeight = height;
            }
            const int last = LastColumn(c, cell);
            const Rect box{screenX_[c], row.screenY, screenX_[last] + screenWidth_[last],
                           row.screenY - height};
            screen.DrawText(cell.text, box, AlignOf(cell.alignment, alignment_[c]));
        });
    }
}

int ReportTable::PrintGroupHeight(int row) const {
    const int n = static_cast<int>(rows_.size());
    int height = fontHeights_[rows_[row].font];
    for (int k = 1; k <= rows_[row].frameDown && row + k < n; ++k) {
        const ReportRow& next = rows_[row + k];
        height += next.spacingBefore + fontHeights_[next.font];
    }
    return height;
}

PageGrid ReportTable::Paginate(Canvas& printer, int left, int top, int right, int bottom) {
    if (!initialised_) return {};
    marginLeft_ = left;
    marginTop_ = top;
    marginRight_ = right;
    marginBottom_ = bottom;
    const PageMetrics page = printer.Page();

    // Horizontal pages. Coordinates are relative to the printable area, whose left edge
    // lies physicalOffsetX from the paper edge.
    printWidth_ = MeasureColumns(&printer, fontHeights_, columnGap_);
    const int startX = left + columnMargin_ - page.physicalOffsetX;
    const int rightLimit = page.physicalWidth - right - page.physicalOffsetX;
    int x = startX;
    int across = 0;
    bool firstOnPage = true;
    for (int i = 0; i < columnCount_; ++i) {
        const bool lastColumn = i == columnCount_ - 1;
        const long long end = static_cast<long long>(x) + printWidth_[i] + columnMargin_ +
                              (lastColumn ? 0 : columnGap_);
        if (!firstOnPage && end > rightLimit) {
            ++across;
            x = startX;
        }
        const int space = rightLimit - columnMargin_ - x;
        if (printWidth_[i] > space) printWidth_[i] = std::max(0, space);
        printX_[i] = x;
        printPage_[i] = across;
        x += printWidth_[i] + columnGap_;
        firstOnPage = false;
    }
    pagesAcross_ = across + 1;

    // Vertical pages, y growing upward: the paper's top edge lies at physicalOffsetY.
    const int topY = page.physicalOffsetY - top;
    const int bottomLimit = page.physicalOffsetY - page.physicalHeight + bottom;
    pagesDown_ = table::PlaceRowsDown(
        rows_, fontHeights_, topY, bottomLimit, [this](int row) { return PrintGroupHeight(row); },
        placements_);
    paginated_ = true;
    return {pagesAcross_, pagesDown_};
}

int ReportTable::PageCount() const {
    if (!initialised_) return 0;
    return pagesAcross_ * pagesDown_;
}

void ReportTable::PrintPage(Canvas& printer, int style, int pageNumber) {
    if (!initialised_) return;
    if (!paginated_) Paginate(printer, marginLeft_, marginTop_, marginRight_, marginBottom_);
    if (pageNumber < 1 || pageNumber > PageCount()) return;
    const int across = (pageNumber - 1) % pagesAcross_;
    const int down = (pageNumber - 1) / pagesAcross_;

    int firstColumn = -1;
    int lastColumn = -1;
    for (int c = 0; c < columnCount_; ++c) {
        if (printPage_[c] != across) continue;
        if (firstColumn < 0) firstColumn = c;
        lastColumn = c;
    }
    if (firstColumn < 0) return;
    const int left = printX_[firstColumn] - columnMargin_;
    const int right = printX_[lastColumn] + printWidth_[lastColumn] + columnMargin_;

    // The placements of one vertical page are consecutive.
    const auto onPage = [&](const Placement& p) { return p.page == down; };
    const auto begin = std::find_if(placements_.begin(), placements_.end(), onPage);
    const auto end = std::find_if_not(begin, placements_.end(), onPage);
    const int b = static_cast<int>(begin - placements_.begin());
    const int e = static_cast<int>(end - placements_.begin());

    if (style == kStyleGrid || style == kStyleGrey || style == kStyleColour) {
        for (int p = b; p < e; ++p) {
            const ReportRow& row = rows_[placements_[p].row];
            // A frame extends only over the neighbouring table rows printed next to this
            // one on the same page.
            int up = 0;
            while (up < row.frameUp && p - up - 1 >= b &&
                   placements_[p - up - 1].row == placements_[p].row - up - 1)
                ++up;
            int downRows = 0;
            while (downRows < row.frameDown && p + downRows + 1 < e &&
                   placements_[p + downRows + 1].row == placements_[p].row + downRows + 1)
                ++downRows;
            const Placement& bottomPlacement = placements_[p + downRows];
            const Rect r{left, placements_[p - up].y, right,
                         bottomPlacement.y - fontHeights_[rows_[bottomPlacement.row].font]};
            if (style == kStyleGrid)
                printer.FrameRect(r, kBlack);
            else
                printer.FillRect(r, style == kStyleGrey ? ColourA(row) : ColourB(row));
        }
    }

    int selectedHeight = INT_MIN;
    for (int p = b; p < e; ++p) {
        const ReportRow& row = rows_[placements_[p].row];
        const int y = placements_[p].y;
        const int height = fontHeights_[row.font];
        ForEachCell(row, [&](int c, const ReportCell& cell) {
            if (!cell.hasText || cell.text.empty()) return;
            // The part of the span that lies on this horizontal page.
            int first = -1;
            int last = -1;
            for (int j = c; j <= LastColumn(c, cell); ++j) {
                if (printPage_[j] != across) continue;
                if (first < 0) first = j;
                last = j;
            }
            if (first < 0) return;
            if (height != selectedHeight) {
                printer.SetFont(face_, height);
                selectedHeight = height;
            }
            const Rect box{printX_[first], y, printX_[last] + printWidth_[last], y - height};
            printer.DrawText(cell.text, box, AlignOf(cell.alignment, alignment_[c]));
        });
    }
}

std::string ReportTable::Text(int mode, const std::string& lineEnd) const {
    if (!initialised_) return {};
    const std::vector<int> widths = MeasureColumns(nullptr, fontHeights_, 2);
    std::string out;
    for (const ReportRow& row : rows_) {
        ForEachCell(row, [&](int c, const ReportCell& cell) {
            const int last = LastColumn(c, cell);
            if (mode == kTabSeparated) {
                if (cell.hasText) out += cell.text;
                out.append(last - c + 1, '\t');
                return;
            }
            int available = 0;
            for (int j = c; j <= last; ++j) available += widths[j] + 2;
            table::AppendFixedWidth(out, cell.text, available,
                                    AlignOf(cell.alignment, alignment_[c]));
        });
        out += lineEnd;
        if (row.spacingAfter > 0) out += lineEnd;
    }
    return out;
}

bool ReportTable::CopyToClipboard(Clipboard& clipboard, int mode) const {
    return CopyReportToClipboard(*this, clipboard, mode);
}

bool ReportTable::WriteTextFile(int mode, const std::filesystem::path& path) const {
    return WriteReportTextFile(*this, mode, path);
}

HitResult ReportTable::HitTest(Point point) const {
    if (!initialised_) return {};
    if (point.x < R(outerMargin_ * scale_) || point.x > ScreenRight()) return {};
    const int n = static_cast<int>(rows_.size());
    for (int i = 0; i < n; ++i) {
        const ReportRow& row = rows_[i];
        if (row.screenY - screenFontHeights_[row.font] > point.y || point.y > row.screenY) continue;
        HitResult hit;
        hit.row = i;
        hit.user = row.user;
        // The cell whose box (a spanning cell's over all its columns) holds the point.
        if (laidOut_) {
            ForEachCell(row, [&](int c, const ReportCell& cell) {
                const int last = LastColumn(c, cell);
                if (screenX_[c] <= point.x && point.x <= screenX_[last] + screenWidth_[last])
                    hit.column = c;
            });
        }
        return hit;
    }
    return {};
}

}  // namespace pf

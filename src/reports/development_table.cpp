#include "reports/development_table.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>
#include <stdexcept>
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

// Calls f(cell) for every cell of the row that is not covered by a spanning cell before it.
template <class CellT, class F>
void ForEachCell(const std::vector<CellT>& cells, F f) {
    int nextFree = 0;
    for (const CellT& cell : cells) {
        if (cell.column < nextFree) continue;
        f(cell);
        nextFree = cell.column + (cell.hasText ? cell.span : 1);
    }
}

// A colour index stored in a cell (int16); -1 when the list has grown beyond that.
int16_t CellColourIndex(std::vector<Colour>& list, Colour colour) {
    const int index = ColourIndex(list, colour);
    return index <= INT16_MAX ? static_cast<int16_t>(index) : int16_t{-1};
}

}  // namespace

bool DevelopmentTable::Init(const std::string& face, int baseFontHeight, int columnCount,
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
    groupSpan_.assign(columnCount, 1);
    vertical_.assign(columnCount, 0);
    equalWidth_.assign(columnCount, 0);
    for (std::vector<int>* v :
         {&fixedWidth_, &screenWidth_, &printWidth_, &screenX_, &printX_, &printPage_})
        v->assign(columnCount, 0);
    initialised_ = true;
    return true;
}

int DevelopmentTable::AddFont(int height) {
    if (!initialised_) return -1;
    fontHeights_.push_back(height);
    screenFontHeights_.push_back(R(scale_ * height));
    laidOut_ = false;
    paginated_ = false;
    return static_cast<int>(fontHeights_.size()) - 1;
}

void DevelopmentTable::SetColumnAlignment(int column, int alignment) {
    if (!initialised_ || column < 0 || column >= columnCount_) return;
    if (alignment < kAlignLeft || alignment > kAlignCenter) alignment = kAlignLeft;
    alignment_[column] = alignment;
}

void DevelopmentTable::SetColumnWidth(int column, int width) {
    if (!initialised_ || column < 0 || column >= columnCount_) return;
    fixedWidth_[column] = std::max(0, width);
    laidOut_ = false;
    paginated_ = false;
}

void DevelopmentTable::SetColumnEqualWidth(int column, bool on) {
    if (!initialised_ || column < 0 || column >= columnCount_) return;
    equalWidth_[column] = on ? 1 : 0;
    laidOut_ = false;
    paginated_ = false;
}

void DevelopmentTable::SetColumnGroup(int column, int span) {
    if (!initialised_ || column < 0 || column >= columnCount_) return;
    groupSpan_[column] = std::clamp(span, 1, columnCount_ - column);
    paginated_ = false;
}

int DevelopmentTable::AddRow(const RowStyle& style) {
    if (!initialised_) return -1;
    const int spacingBefore = style.spacingBefore;
    try {
        Row row;
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
            const Row& previous = rows_.back();
            row.printY = previous.printY - fontHeights_[previous.font] - spacingBefore;
            row.screenY =
                previous.screenY - R(spacingBefore * scale_) - screenFontHeights_[previous.font];
        }
        row.colourA = ColourIndex(coloursA_, style.colourA);
        row.colourB = ColourIndex(coloursB_, style.colourB);
        rows_.push_back(std::move(row));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    const int index = static_cast<int>(rows_.size()) - 1;
    if (index > 0) rows_[index - 1].spacingAfter = spacingBefore;
    largestFrame_ = std::max({largestFrame_, rows_.back().frameUp, rows_.back().frameDown});
    laidOut_ = false;
    paginated_ = false;
    return index;
}

bool DevelopmentTable::ReserveText(size_t bytes) {
    if (bytes > UINT32_MAX) bytes = UINT32_MAX;
    try {
        textPool_.reserve(bytes);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

DevelopmentTable::Cell* DevelopmentTable::FindOrAddCell(int row, int column) {
    if (!initialised_ || row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 ||
        column >= columnCount_)
        return nullptr;
    std::vector<Cell>& cells = rows_[row].cells;
    // Builders fill a row from left to right: appending is the common case.
    if (cells.empty() || cells.back().column < column) {
        // Day rows are alike and filled one after the other: room for as many cells as
        // the row before saves growing each row's list step by step.
        // A little more, as the rows of a growing portfolio gain cells over time.
        if (cells.empty() && row > 0) {
            const size_t previous = rows_[row - 1].cells.size();
            cells.reserve(previous + previous / 16);
        }
        cells.push_back({});
        cells.back().column = column;
        return &cells.back();
    }
    if (cells.back().column == column) return &cells.back();
    const auto at = std::lower_bound(cells.begin(), cells.end(), column,
                                     [](const Cell& c, int col) { return c.column < col; });
    if (at != cells.end() && at->column == column) return &*at;
    Cell cell;
    cell.column = column;
    return &*cells.insert(at, cell);
}

const DevelopmentTable::Cell* DevelopmentTable::FindCell(int row, int column) const {
    if (!initialised_ || row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    const std::vector<Cell>& cells = rows_[row].cells;
    const auto at = std::lower_bound(cells.begin(), cells.end(), column,
                                     [](const Cell& c, int col) { return c.column < col; });
    return at != cells.end() && at->column == column ? &*at : nullptr;
}

std::string_view DevelopmentTable::TextOf(const Cell& cell) const {
    return std::string_view(textPool_).substr(cell.textOffset, cell.textLength);
}

bool DevelopmentTable::SetCell(int row, int column, const std::string& text, int span,
                               int alignment) {
    if (text.size() > UINT32_MAX || textPool_.size() > UINT32_MAX - text.size()) return false;
    Cell* cell = FindOrAddCell(row, column);
    if (cell == nullptr) return false;
    span = std::clamp(span, 1, columnCount_ - column);
    if (alignment < kAlignDefault)
        alignment = kAlignDefault;
    else if (alignment > kAlignCenter)
        alignment = kAlignLeft;
    cell->hasText = true;
    cell->textOffset = static_cast<uint32_t>(textPool_.size());
    cell->textLength = static_cast<uint32_t>(text.size());
    textPool_ += text;
    cell->span = span;
    cell->alignment = static_cast<int8_t>(alignment);
    laidOut_ = false;
    paginated_ = false;
    return true;
}

bool DevelopmentTable::SetCellUser(int row, int column, int user) {
    Cell* cell = FindOrAddCell(row, column);
    if (cell == nullptr) return false;
    cell->user = user;
    return true;
}

bool DevelopmentTable::SetCellColours(int row, int column, Colour colourA, Colour colourB) {
    Cell* cell = FindOrAddCell(row, column);
    if (cell == nullptr) return false;
    cell->colourA = CellColourIndex(coloursA_, colourA);
    cell->colourB = CellColourIndex(coloursB_, colourB);
    return true;
}

bool DevelopmentTable::SetVerticalText(int column, int firstRow, int lastRow,
                                       const std::string& text, int font, Colour colourA,
                                       Colour colourB, int user) {
    const int n = static_cast<int>(rows_.size());
    if (!initialised_ || column < 0 || column >= columnCount_) return false;
    if (firstRow > lastRow) std::swap(firstRow, lastRow);
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, n - 1);
    if (firstRow > lastRow) return false;
    VerticalText v;
    v.column = column;
    v.firstRow = firstRow;
    v.lastRow = lastRow;
    v.text = text;
    v.font = font >= 0 && font < static_cast<int>(fontHeights_.size()) ? font : 0;
    v.colourA = ColourIndex(coloursA_, colourA);
    v.colourB = ColourIndex(coloursB_, colourB);
    v.user = user;
    verticalTexts_.push_back(std::move(v));
    vertical_[column] = 1;
    laidOut_ = false;
    paginated_ = false;
    return true;
}

std::string_view DevelopmentTable::CellText(int row, int column) const {
    const Cell* cell = FindCell(row, column);
    return cell != nullptr && cell->hasText ? TextOf(*cell) : std::string_view();
}

int DevelopmentTable::CellUser(int row, int column) const {
    const Cell* cell = FindCell(row, column);
    return cell != nullptr ? cell->user : -1;
}

bool DevelopmentTable::IsColumnVertical(int column) const {
    return initialised_ && column >= 0 && column < columnCount_ && vertical_[column] != 0;
}

std::pair<Colour, Colour> DevelopmentTable::RowColours(int row) const {
    const Row& r = rows_.at(row);
    return {coloursA_[r.colourA], coloursB_[r.colourB]};
}

std::pair<Colour, Colour> DevelopmentTable::CellColours(int row, int column) const {
    std::pair<Colour, Colour> colours = RowColours(row);
    if (const Cell* cell = FindCell(row, column)) {
        if (cell->colourA >= 0) colours.first = coloursA_[cell->colourA];
        if (cell->colourB >= 0) colours.second = coloursB_[cell->colourB];
    }
    return colours;
}

int DevelopmentTable::ScreenX(int column) const {
    return column >= 0 && column < columnCount_ ? screenX_[column] : 0;
}

int DevelopmentTable::ScreenWidth(int column) const {
    return column >= 0 && column < columnCount_ ? screenWidth_[column] : 0;
}

std::vector<int> DevelopmentTable::MeasureColumns(Canvas* device,
                                                  const std::vector<int>& fontHeights, int gap,
                                                  double widthScale) const {
    std::vector<int> widths(columnCount_, 0);
    // Fixed widths hold on a device; the text output always fits its texts.
    const auto fixed = [&](int c) { return device != nullptr && fixedWidth_[c] > 0; };
    for (int c = 0; c < columnCount_; ++c)
        if (fixed(c)) widths[c] = R(widthScale * fixedWidth_[c]);

    // A vertical text needs its font height across on a device and its characters in the
    // text output, where it stands in its first row.
    for (const VerticalText& v : verticalTexts_) {
        if (fixed(v.column)) continue;
        const int needed = device != nullptr ? fontHeights[v.font] : CharacterCount(v.text);
        widths[v.column] = std::max(widths[v.column], needed);
    }

    int selectedHeight = INT_MIN;
    const auto widen = [&](const Row& row, const Cell& cell) {
        const int c = cell.column;
        const int last = c + cell.span - 1;
        if (fixed(last)) return;
        int needed;
        if (device != nullptr) {
            if (cell.textLength == 0) return;
            const int height = fontHeights[row.font];
            if (height != selectedHeight) {
                device->SetFont(face_, height);
                selectedHeight = height;
            }
            needed = device->TextWidth(std::string(TextOf(cell)));
        } else {
            needed = CharacterCount(TextOf(cell));
        }
        for (int j = c; j < last; ++j) needed -= widths[j] + gap;
        widths[last] = std::max(widths[last], needed);
    };
    // Single columns first, so that a spanning cell only widens the last column it covers,
    // and only by what the columns before it do not already provide. Spanning cells are
    // few (titles, group headers): they are collected in the first pass and measured in
    // order of their span, in table order within one span.
    struct Spanning {
        int span;
        const Row* row;
        const Cell* cell;
    };
    std::vector<Spanning> spanning;
    for (const Row& row : rows_) {
        ForEachCell(row.cells, [&](const Cell& cell) {
            if (!cell.hasText) return;
            if (cell.span == 1)
                widen(row, cell);
            else
                spanning.push_back({cell.span, &row, &cell});
        });
    }
    std::stable_sort(spanning.begin(), spanning.end(),
                     [](const Spanning& a, const Spanning& b) { return a.span < b.span; });
    for (const Spanning& s : spanning) widen(*s.row, *s.cell);

    int common = 0;
    for (int c = 0; c < columnCount_; ++c)
        if (equalWidth_[c]) common = std::max(common, widths[c]);
    for (int c = 0; c < columnCount_; ++c)
        if (equalWidth_[c]) widths[c] = common;
    return widths;
}

int DevelopmentTable::ScreenRight() const {
    const int last = columnCount_ - 1;
    return screenX_[last] + screenWidth_[last] + R(scale_ * columnMargin_);
}

Rect DevelopmentTable::ScreenRowRect(int row) const {
    const int n = static_cast<int>(rows_.size());
    const Row& r = rows_[row];
    const int first = r.frameUp >= row ? 0 : row - r.frameUp;
    const int last = r.frameDown >= n - 1 - row ? n - 1 : row + r.frameDown;
    const Row& bottomRow = rows_[last];
    return {R(scale_ * outerMargin_), rows_[first].screenY, ScreenRight(),
            bottomRow.screenY - screenFontHeights_[bottomRow.font]};
}

std::pair<int, int> DevelopmentTable::ScreenRowsBetween(int top, int bottom) const {
    // Rows run downward: both their tops and their bottoms never increase with the index.
    const auto first = std::partition_point(rows_.begin(), rows_.end(), [&](const Row& r) {
        return r.screenY - screenFontHeights_[r.font] > top;
    });
    const auto end =
        std::partition_point(first, rows_.end(), [&](const Row& r) { return r.screenY >= bottom; });
    return {static_cast<int>(first - rows_.begin()), static_cast<int>(end - rows_.begin()) - 1};
}

ReportSize DevelopmentTable::Layout(Canvas& screen) {
    if (!initialised_) return {};
    const int gap = R(scale_ * columnGap_);
    screenWidth_ = MeasureColumns(&screen, screenFontHeights_, gap, scale_);
    screenX_[0] = R(scale_ * outerMargin_) + R(scale_ * columnMargin_);
    for (int i = 0; i + 1 < columnCount_; ++i)
        screenX_[i + 1] = screenX_[i] + screenWidth_[i] + gap;
    laidOut_ = true;

    ReportSize size;
    size.width = ScreenRight() + R(scale_ * outerMargin_);
    if (rows_.empty()) {
        size.height = 1;
    } else {
        const Row& last = rows_.back();
        size.height =
            std::abs(last.screenY - screenFontHeights_[last.font] - R(scale_ * outerMargin_));
    }
    return size;
}

void DevelopmentTable::DrawScreen(Canvas& screen, int style, const Rect& given) {
    if (!initialised_) return;
    if (!laidOut_) Layout(screen);
    Rect visible = given;
    if (visible.top < visible.bottom) std::swap(visible.top, visible.bottom);
    const int n = static_cast<int>(rows_.size());
    if (n == 0) return;
    const auto [firstVisible, lastVisible] = ScreenRowsBetween(visible.top, visible.bottom);
    // A frame reaches at most largestFrame_ rows beyond its own row.
    const int from = std::max(0, firstVisible - largestFrame_);
    const int to = std::min(n - 1, lastVisible + largestFrame_);
    const bool filled = style == kStyleGrey || style == kStyleColour;
    const int gap = R(scale_ * columnGap_);
    // Cell and vertical-text backgrounds reach half the gap to each side, so that
    // neighbouring coloured cells meet.
    const auto columnBand = [&](int c) {
        return std::pair{screenX_[c] - gap / 2, screenX_[c] + screenWidth_[c] + (gap - gap / 2)};
    };
    const auto colourOf = [&](int indexA, int indexB) {
        return style == kStyleGrey ? coloursA_[indexA] : coloursB_[indexB];
    };

    // Backgrounds first: rows, then cells of their own colour, then vertical texts; texts
    // follow in a second pass so that no background covers a text.
    if (style == kStyleGrid || filled) {
        for (int i = from; i <= to; ++i) {
            const Rect r = ScreenRowRect(i);
            if (Outside(r, visible)) continue;
            if (style == kStyleGrid)
                screen.FrameRect(r, kLightGrey);
            else
                screen.FillRect(r, colourOf(rows_[i].colourA, rows_[i].colourB));
        }
    }
    if (filled) {
        for (int i = firstVisible; i <= lastVisible; ++i) {
            const Row& row = rows_[i];
            const int height = screenFontHeights_[row.font];
            for (const Cell& cell : row.cells) {
                if (cell.colourA < 0 || cell.colourB < 0) continue;
                const auto [left, right] = columnBand(cell.column);
                const Rect box{left, row.screenY, right, row.screenY - height};
                if (Outside(box, visible)) continue;
                screen.FillRect(box, colourOf(cell.colourA, cell.colourB));
            }
        }
    }
    // Blocks of a vertical text: its whole range, or runs of verticalRepeat_ rows counted
    // from its first row.
    const auto forEachVisibleBlock = [&](const VerticalText& v, auto f) {
        const int a = std::max(v.firstRow, firstVisible);
        const int b = std::min(v.lastRow, lastVisible);
        if (a > b) return;
        const int step = verticalRepeat_ > 0 ? verticalRepeat_ : v.lastRow - v.firstRow + 1;
        for (int k = (a - v.firstRow) / step; k <= (b - v.firstRow) / step; ++k) {
            const int blockFirst = v.firstRow + k * step;
            const int blockLast = std::min(v.lastRow, blockFirst + step - 1);
            const Row& bottomRow = rows_[blockLast];
            f(Rect{screenX_[v.column], rows_[blockFirst].screenY,
                   screenX_[v.column] + screenWidth_[v.column],
                   bottomRow.screenY - screenFontHeights_[bottomRow.font]});
        }
    };
    for (const VerticalText& v : verticalTexts_) {
        if (!(style == kStyleGrid || filled)) break;
        const int a = std::max(v.firstRow, firstVisible);
        const int b = std::min(v.lastRow, lastVisible);
        if (a > b) continue;
        const auto [left, right] = columnBand(v.column);
        const Row& bottomRow = rows_[b];
        const Rect box{left, rows_[a].screenY, right,
                       bottomRow.screenY - screenFontHeights_[bottomRow.font]};
        if (Outside(box, visible)) continue;
        if (style == kStyleGrid)
            screen.FrameRect(box, kLightGrey);
        else
            screen.FillRect(box, colourOf(v.colourA, v.colourB));
    }

    int selectedHeight = INT_MIN;
    const auto select = [&](int height) {
        if (height == selectedHeight) return;
        screen.SetFont(face_, height);
        selectedHeight = height;
    };
    for (int i = firstVisible; i <= lastVisible; ++i) {
        const Row& row = rows_[i];
        const int height = screenFontHeights_[row.font];
        ForEachCell(row.cells, [&](const Cell& cell) {
            if (!cell.hasText || cell.textLength == 0) return;
            const int c = cell.column;
            const int last = c + cell.span - 1;
            const Rect box{screenX_[c], row.screenY, screenX_[last] + screenWidth_[last],
                           row.screenY - height};
            if (box.right < visible.left || box.left > visible.right) return;
            select(height);
            screen.DrawText(std::string(TextOf(cell)), box, AlignOf(cell.alignment, alignment_[c]));
        });
    }
    for (const VerticalText& v : verticalTexts_) {
        if (v.text.empty()) continue;
        forEachVisibleBlock(v, [&](const Rect& box) {
            if (Outside(box, visible)) return;
            select(screenFontHeights_[v.font]);
            // Reading upward, ending at the top of its block: the first rows of a block
            // always show the text.
            screen.DrawVerticalText(v.text, box, TextAlign::Right);
        });
    }
}

int DevelopmentTable::PrintGroupHeight(int row) const {
    const int n = static_cast<int>(rows_.size());
    int height = fontHeights_[rows_[row].font];
    for (int k = 1; k <= rows_[row].frameDown && row + k < n; ++k) {
        const Row& next = rows_[row + k];
        height += next.spacingBefore + fontHeights_[next.font];
    }
    return height;
}

PageGrid DevelopmentTable::Paginate(Canvas& printer, int left, int top, int right, int bottom) {
    if (!initialised_) return {};
    marginLeft_ = left;
    marginTop_ = top;
    marginRight_ = right;
    marginBottom_ = bottom;
    const PageMetrics page = printer.Page();

    // Horizontal pages. Coordinates are relative to the printable area, whose left edge
    // lies physicalOffsetX from the paper edge.
    printWidth_ = MeasureColumns(&printer, fontHeights_, columnGap_, 1.0);
    const int startX = left + columnMargin_ - page.physicalOffsetX;
    const int rightLimit = page.physicalWidth - right - page.physicalOffsetX;
    const auto fit = [&](int i, int x) {
        const int space = rightLimit - columnMargin_ - x;
        if (printWidth_[i] > space) printWidth_[i] = std::max(0, space);
    };
    const bool repeatDate = repeatDateColumn_ && columnCount_ > 1;
    // Where the columns of a page begin: after the repeated date column on later pages.
    int pageStart = startX;
    int x = startX;
    int across = 0;
    bool firstOnPage = true;
    const auto breakPage = [&] {
        ++across;
        x = pageStart;
        firstOnPage = true;
    };
    for (int i = 0; i < columnCount_; ++i) {
        const bool lastColumn = i == columnCount_ - 1;
        if (!firstOnPage && groupSpan_[i] > 1) {
            // A group that would be split but fits on an empty page starts one.
            long long groupWidth = columnMargin_;
            for (int j = i; j < i + groupSpan_[i]; ++j)
                groupWidth += printWidth_[j] + (j + 1 < i + groupSpan_[i] ? columnGap_ : 0);
            if (x + groupWidth > rightLimit && pageStart + groupWidth <= rightLimit) breakPage();
        }
        const long long end = static_cast<long long>(x) + printWidth_[i] + columnMargin_ +
                              (lastColumn ? 0 : columnGap_);
        if (!firstOnPage && end > rightLimit) breakPage();
        fit(i, x);
        printX_[i] = x;
        printPage_[i] = across;
        x += printWidth_[i] + columnGap_;
        if (i == 0 && repeatDate) {
            // The date column stands at the left of every page; the next column is the
            // first of this page's own columns.
            pageStart = x;
            continue;
        }
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

int DevelopmentTable::PageCount() const {
    if (!initialised_) return 0;
    return pagesAcross_ * pagesDown_;
}

void DevelopmentTable::PrintPage(Canvas& printer, int style, int pageNumber) {
    if (!initialised_) return;
    if (!paginated_) Paginate(printer, marginLeft_, marginTop_, marginRight_, marginBottom_);
    if (pageNumber < 1 || pageNumber > PageCount()) return;
    const int across = (pageNumber - 1) % pagesAcross_;
    const int down = (pageNumber - 1) / pagesAcross_;
    const bool repeatDate = repeatDateColumn_ && columnCount_ > 1;
    const auto onPage = [&](int c) { return printPage_[c] == across || (c == 0 && repeatDate); };

    int firstColumn = -1;
    int lastColumn = -1;
    for (int c = 0; c < columnCount_; ++c) {
        if (!onPage(c)) continue;
        if (firstColumn < 0) firstColumn = c;
        lastColumn = c;
    }
    if (firstColumn < 0) return;
    const int left = printX_[firstColumn] - columnMargin_;
    const int right = printX_[lastColumn] + printWidth_[lastColumn] + columnMargin_;

    // The placements of one vertical page are consecutive.
    const auto pageOf = [&](const Placement& p) { return p.page < down; };
    const auto begin = std::partition_point(placements_.begin(), placements_.end(), pageOf);
    const auto end = std::partition_point(begin, placements_.end(),
                                          [&](const Placement& p) { return p.page == down; });
    const int b = static_cast<int>(begin - placements_.begin());
    const int e = static_cast<int>(end - placements_.begin());
    const bool filled = style == kStyleGrey || style == kStyleColour;
    const auto colourOf = [&](int indexA, int indexB) {
        return style == kStyleGrey ? coloursA_[indexA] : coloursB_[indexB];
    };
    const auto bottomOf = [&](int p) {
        return placements_[p].y - fontHeights_[rows_[placements_[p].row].font];
    };
    const auto columnBand = [&](int c) {
        return std::pair{printX_[c] - columnGap_ / 2,
                         printX_[c] + printWidth_[c] + (columnGap_ - columnGap_ / 2)};
    };

    if (style == kStyleGrid || filled) {
        for (int p = b; p < e; ++p) {
            const Row& row = rows_[placements_[p].row];
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
            const Rect r{left, placements_[p - up].y, right, bottomOf(p + downRows)};
            if (style == kStyleGrid)
                printer.FrameRect(r, kBlack);
            else
                printer.FillRect(r, colourOf(row.colourA, row.colourB));
        }
    }
    if (filled) {
        for (int p = b; p < e; ++p) {
            for (const Cell& cell : rows_[placements_[p].row].cells) {
                if (cell.colourA < 0 || cell.colourB < 0 || !onPage(cell.column)) continue;
                const auto [l, r] = columnBand(cell.column);
                printer.FillRect({l, placements_[p].y, r, bottomOf(p)},
                                 colourOf(cell.colourA, cell.colourB));
            }
        }
    }

    // Each vertical text on this page: the runs of consecutive placements inside its range.
    // On paper its blocks are counted from the top of each run, so every page shows it.
    struct Run {
        const VerticalText* text;
        int first;
        int last;  // placements
    };
    std::vector<Run> runs;
    for (const VerticalText& v : verticalTexts_) {
        if (!onPage(v.column)) continue;
        for (int p = b; p < e; ++p) {
            const int r = placements_[p].row;
            if (r < v.firstRow || r > v.lastRow) continue;
            int q = p;
            while (q + 1 < e && placements_[q + 1].row == placements_[q].row + 1 &&
                   placements_[q + 1].row <= v.lastRow)
                ++q;
            runs.push_back({&v, p, q});
            p = q;
        }
    }
    for (const Run& run : runs) {
        if (!(style == kStyleGrid || filled)) break;
        const auto [l, r] = columnBand(run.text->column);
        const Rect box{l, placements_[run.first].y, r, bottomOf(run.last)};
        if (style == kStyleGrid)
            printer.FrameRect(box, kBlack);
        else
            printer.FillRect(box, colourOf(run.text->colourA, run.text->colourB));
    }

    int selectedHeight = INT_MIN;
    const auto select = [&](int height) {
        if (height == selectedHeight) return;
        printer.SetFont(face_, height);
        selectedHeight = height;
    };
    for (int p = b; p < e; ++p) {
        const Row& row = rows_[placements_[p].row];
        const int y = placements_[p].y;
        const int height = fontHeights_[row.font];
        ForEachCell(row.cells, [&](const Cell& cell) {
            if (!cell.hasText || cell.textLength == 0) return;
            // The part of the span that lies on this horizontal page.
            int first = -1;
            int last = -1;
            for (int j = cell.column; j < cell.column + cell.span; ++j) {
                if (!onPage(j)) continue;
                if (first < 0) first = j;
                last = j;
            }
            if (first < 0) return;
            select(height);
            const Rect box{printX_[first], y, printX_[last] + printWidth_[last], y - height};
            printer.DrawText(std::string(TextOf(cell)), box,
                             AlignOf(cell.alignment, alignment_[cell.column]));
        });
    }
    for (const Run& run : runs) {
        const VerticalText& v = *run.text;
        if (v.text.empty()) continue;
        const int step = verticalRepeat_ > 0 ? verticalRepeat_ : run.last - run.first + 1;
        for (int p = run.first; p <= run.last; p += step) {
            const int q = std::min(run.last, p + step - 1);
            select(fontHeights_[v.font]);
            printer.DrawVerticalText(v.text,
                                     {printX_[v.column], placements_[p].y,
                                      printX_[v.column] + printWidth_[v.column], bottomOf(q)},
                                     TextAlign::Right);
        }
    }
}

std::string DevelopmentTable::Text(int mode, const std::string& lineEnd) const {
    if (!initialised_) return {};
    const std::vector<int> widths = MeasureColumns(nullptr, fontHeights_, 2, 1.0);
    // Vertical texts by their first row: each appears once, in that row.
    std::vector<const VerticalText*> byRow;
    for (const VerticalText& v : verticalTexts_) byRow.push_back(&v);
    std::stable_sort(byRow.begin(), byRow.end(), [](const VerticalText* a, const VerticalText* b) {
        return a->firstRow < b->firstRow;
    });
    size_t nextVertical = 0;

    std::string out;
    const int n = static_cast<int>(rows_.size());
    std::vector<const VerticalText*> verticalHere(columnCount_, nullptr);
    for (int i = 0; i < n; ++i) {
        const Row& row = rows_[i];
        std::fill(verticalHere.begin(), verticalHere.end(), nullptr);
        for (; nextVertical < byRow.size() && byRow[nextVertical]->firstRow == i; ++nextVertical)
            if (verticalHere[byRow[nextVertical]->column] == nullptr)
                verticalHere[byRow[nextVertical]->column] = byRow[nextVertical];
        size_t k = 0;
        for (int c = 0; c < columnCount_;) {
            while (k < row.cells.size() && row.cells[k].column < c) ++k;
            const Cell* cell =
                k < row.cells.size() && row.cells[k].column == c && row.cells[k].hasText
                    ? &row.cells[k]
                    : nullptr;
            std::string_view text;
            int span = 1;
            int alignment = kAlignDefault;
            if (cell != nullptr) {
                text = TextOf(*cell);
                span = cell->span;
                alignment = cell->alignment;
            } else if (verticalHere[c] != nullptr) {
                text = verticalHere[c]->text;
                alignment = kAlignLeft;
            }
            if (mode == kTabSeparated) {
                out += text;
                out.append(span, '\t');
            } else {
                int available = 0;
                for (int j = c; j < c + span; ++j) available += widths[j] + 2;
                table::AppendFixedWidth(out, text, available, AlignOf(alignment, alignment_[c]));
            }
            c += span;
        }
        out += lineEnd;
        if (row.spacingAfter > 0) out += lineEnd;
    }
    return out;
}

bool DevelopmentTable::CopyToClipboard(Clipboard& clipboard, int mode) const {
    return CopyReportToClipboard(*this, clipboard, mode);
}

bool DevelopmentTable::WriteTextFile(int mode, const std::filesystem::path& path) const {
    return WriteReportTextFile(*this, mode, path);
}

HitResult DevelopmentTable::HitTest(Point point) const {
    if (!initialised_ || rows_.empty()) return {};
    if (laidOut_ && (point.x < R(outerMargin_ * scale_) || point.x > ScreenRight())) return {};
    const auto [first, last] = ScreenRowsBetween(point.y, point.y);
    if (first > last) return {};
    const int i = first;
    const Row& row = rows_[i];
    if (row.screenY - screenFontHeights_[row.font] > point.y || point.y > row.screenY) return {};
    HitResult hit;
    hit.row = i;
    hit.user = row.user;
    if (!laidOut_) return hit;
    // The column whose box holds the point: the last one starting at or left of it.
    const auto after = std::upper_bound(screenX_.begin(), screenX_.end(), point.x);
    if (after == screenX_.begin()) return hit;
    const int c = static_cast<int>(after - screenX_.begin()) - 1;
    // The cell that covers column c (a spanning cell counts over all its columns).
    const Cell* owner = nullptr;
    ForEachCell(row.cells, [&](const Cell& cell) {
        if (cell.column <= c && c < cell.column + (cell.hasText ? cell.span : 1)) owner = &cell;
    });
    if (owner != nullptr) {
        const int end = owner->column + (owner->hasText ? owner->span : 1) - 1;
        if (point.x <= screenX_[end] + screenWidth_[end]) {
            hit.column = owner->column;
            hit.cellUser = owner->user;
        }
        return hit;
    }
    if (point.x > screenX_[c] + screenWidth_[c]) return hit;
    hit.column = c;
    for (const VerticalText& v : verticalTexts_)
        if (v.column == c && v.firstRow <= i && i <= v.lastRow) hit.cellUser = v.user;
    return hit;
}

}  // namespace pf

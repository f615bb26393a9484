#include "reports/analysis_table.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "reports/report_format.h"

namespace pf {

namespace {

// The rounding of all scaled sizes: x + 0.5 truncated toward zero.
int R(double x) { return static_cast<int>(x + 0.5); }

int Scaled(int size, double scale) { return R(scale * size); }

// Length in bytes of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Byte offsets at which the code points of `text` start.
std::vector<size_t> CodePointStarts(const std::string& text) {
    std::vector<size_t> starts;
    size_t i = 0;
    while (i < text.size()) {
        starts.push_back(i);
        i += SequenceLength(static_cast<unsigned char>(text[i]));
    }
    return starts;
}

// A grey of the same brightness: (299 R + 587 G + 114 B + 500) / 1000.
Colour GreyOf(Colour c) {
    const int g = (299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c) + 500) / 1000;
    return Rgb(g, g, g);
}

// Styles other than the four known ones draw like "nur Text", as the report table does.
bool FillsOrFrames(int style) {
    return style == kStyleGrid || style == kStyleGrey || style == kStyleColour;
}

bool Outside(const Rect& r, const Rect& visible) {
    return r.bottom > visible.top || r.top < visible.bottom || r.right < visible.left ||
           r.left > visible.right;
}

}  // namespace

std::string ShortenToWidth(Canvas& canvas, const std::string& text, int width) {
    if (canvas.TextWidth(text) <= width) return text;
    const std::vector<size_t> starts = CodePointStarts(text);
    if (starts.size() <= 1) return text;
    std::string candidate;
    for (size_t keep = starts.size() - 1; keep >= 1; --keep) {
        candidate = text.substr(0, starts[keep]) + "...";
        if (canvas.TextWidth(candidate) <= width) break;
    }
    return candidate;
}

bool AnalysisTable::Init(const AnalysisTableSetup& setup) {
    if (initialised_ || setup.columnCount <= 0) return false;
    setup_ = setup;
    // Sizes below zero would turn the geometry inside out; they count as 0.
    for (int* size :
         {&setup_.textHeight, &setup_.titleHeight, &setup_.verticalHeight, &setup_.textSpacing,
          &setup_.columnWidth, &setup_.labelColumnWidth, &setup_.margin})
        *size = std::max(0, *size);
    if (!(setup_.scale > 0.0) || !std::isfinite(setup_.scale)) setup_.scale = 1.0;
    columnUser_.assign(static_cast<size_t>(setup_.columnCount), -1);
    screenBottom_ = -Scaled(setup_.margin, setup_.scale);
    initialised_ = true;
    return true;
}

int AnalysisTable::RowHeight(const Row& row, double scale) const {
    switch (row.kind) {
        case Kind::Text:
            return Scaled(row.font == kAnalysisTitleFont ? setup_.titleHeight : setup_.textHeight,
                          scale);
        case Kind::Bars:
            return row.lines * Scaled(setup_.textHeight, scale);
        case Kind::Vertical:
        case Kind::Gap:
            break;
    }
    return Scaled(row.height, scale);
}

int AnalysisTable::AddRow(Row row) {
    if (!initialised_) return -1;
    row.cells.resize(static_cast<size_t>(setup_.columnCount));
    rows_.push_back(std::move(row));
    screenY_.push_back(screenBottom_);
    screenBottom_ -= RowHeight(rows_.back(), setup_.scale);
    paginated_ = false;
    return static_cast<int>(rows_.size()) - 1;
}

int AnalysisTable::AddTextRow(const std::string& label, const AnalysisRowStyle& style, int font) {
    Row row;
    row.kind = Kind::Text;
    row.font = font == kAnalysisTitleFont ? kAnalysisTitleFont : kAnalysisNormalFont;
    row.style = style;
    const int index = AddRow(std::move(row));
    if (index >= 0) rows_[index].cells[0].text = label;
    return index;
}

int AnalysisTable::AddVerticalTextRow(const std::string& label, int height,
                                      const AnalysisRowStyle& style) {
    Row row;
    row.kind = Kind::Vertical;
    row.height = std::max(1, height);
    row.style = style;
    const int index = AddRow(std::move(row));
    if (index >= 0) rows_[index].cells[0].text = label;
    return index;
}

int AnalysisTable::AddBarRow(const std::string& label, int lines,
                             const std::vector<Colour>& barColours, const std::string& unit,
                             int decimals, const AnalysisRowStyle& style) {
    if (barColours.empty() || barColours.size() > 3) return -1;
    Row row;
    row.kind = Kind::Bars;
    row.lines = std::max(1, lines);
    row.barColours = barColours;
    row.unit = unit;
    row.decimals = std::clamp(decimals, 0, 15);
    row.style = style;
    const int index = AddRow(std::move(row));
    if (index >= 0) rows_[index].cells[0].text = label;
    return index;
}

int AnalysisTable::AddGapRow(int height) {
    Row row;
    row.kind = Kind::Gap;
    row.height = std::max(0, height);
    return AddRow(std::move(row));
}

bool AnalysisTable::SetText(int row, int column, const std::string& text, TextAlign align) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= setup_.columnCount) return false;
    Row& r = rows_[row];
    // The label of a bar row is its only text.
    const bool takesText =
        r.kind == Kind::Text || r.kind == Kind::Vertical || (r.kind == Kind::Bars && column == 0);
    if (!takesText) return false;
    r.cells[column].text = text;
    r.cells[column].align = align;
    return true;
}

bool AnalysisTable::SetBars(int row, int column, const std::vector<double>& values) {
    if (row < 0 || row >= RowCount() || column < 1 || column >= setup_.columnCount) return false;
    Row& r = rows_[row];
    if (r.kind != Kind::Bars || values.size() > r.barColours.size()) return false;
    r.cells[column].values = values;
    return true;
}

void AnalysisTable::SetColumnUser(int column, int user) {
    if (column < 1 || column >= setup_.columnCount) return;
    columnUser_[column] = user;
}

const std::string& AnalysisTable::CellText(int row, int column) const {
    static const std::string empty;
    if (row < 0 || row >= RowCount() || column < 0 || column >= setup_.columnCount) return empty;
    return rows_[row].cells[column].text;
}

const std::vector<double>& AnalysisTable::CellBars(int row, int column) const {
    static const std::vector<double> none;
    if (row < 0 || row >= RowCount() || column < 0 || column >= setup_.columnCount) return none;
    return rows_[row].cells[column].values;
}

int AnalysisTable::ColumnWidth(int column, const Columns& columns) const {
    return column == 0 ? columns.labelWidth : columns.itemWidth;
}

ReportSize AnalysisTable::Layout(Canvas& /*screen*/) {
    if (!initialised_) return {};
    const double s = setup_.scale;
    const int margin = Scaled(setup_.margin, s);
    const int width = 2 * margin + Scaled(setup_.labelColumnWidth, s) +
                      (setup_.columnCount - 1) * Scaled(setup_.columnWidth, s);
    const int height = std::max(1, -screenBottom_ + margin);
    return {width, height};
}

void AnalysisTable::DrawRowBackground(Canvas& canvas, const Row& row, int top,
                                      const Columns& columns, double scale, int style,
                                      Colour frameColour) const {
    if (row.kind == Kind::Gap || !FillsOrFrames(style)) return;
    const int bottom = top - RowHeight(row, scale);
    if (style == kStyleGrid) {
        for (int c = 0; c < setup_.columnCount; ++c) {
            if (columns.left[c] == INT_MIN) continue;
            canvas.FrameRect(
                {columns.left[c], top, columns.left[c] + ColumnWidth(c, columns), bottom},
                frameColour);
        }
        return;
    }
    int right = columns.left[0];
    for (int c = 0; c < setup_.columnCount; ++c)
        if (columns.left[c] != INT_MIN) right = columns.left[c] + ColumnWidth(c, columns);
    canvas.FillRect({columns.left[0], top, right, bottom},
                    style == kStyleGrey ? row.style.colourA : row.style.colourB);
}

void AnalysisTable::DrawBars(Canvas& canvas, const Row& row, int top, int height,
                             const Columns& columns, double scale, int style) const {
    const int count = static_cast<int>(row.barColours.size());
    const int band = height / count;
    const int fontHeight = std::min(Scaled(setup_.textHeight, scale), std::max(1, band));
    canvas.SetFont(setup_.face, fontHeight);
    const int spacing = columns.spacing;

    // One scale for the whole row, over every item column (also those on other pages).
    const auto label = [&](double v) {
        return FormatNumber(v, row.decimals, row.decimals, false, setup_.decimalSeparator,
                            setup_.thousandsSeparator) +
               row.unit;
    };
    double largestPositive = 0.0;
    double largestNegative = 0.0;
    int positiveLabel = -1;
    int negativeLabel = -1;
    for (int c = 1; c < setup_.columnCount; ++c) {
        for (const double v : row.cells[c].values) {
            if (!std::isfinite(v)) continue;
            const int w = canvas.TextWidth(label(v));
            if (v >= 0.0) {
                largestPositive = std::max(largestPositive, v);
                positiveLabel = std::max(positiveLabel, w);
            } else {
                largestNegative = std::max(largestNegative, -v);
                negativeLabel = std::max(negativeLabel, w);
            }
        }
    }
    int roomPositive = positiveLabel < 0 ? 0 : positiveLabel + spacing;
    int roomNegative = negativeLabel < 0 ? 0 : negativeLabel + spacing;
    const double total = largestPositive + largestNegative;
    const int inner = columns.itemWidth - 2 * spacing;
    // Wide labels (amounts in a narrow column) would leave no room for the bars: the labels
    // then share three quarters of the cell, the bars keep a quarter, and a label that does not
    // fit beside its bar is left out (the rows above the bars show the numbers).
    if (roomPositive + roomNegative > inner - inner / 4) {
        const double share = static_cast<double>(inner - inner / 4) / (roomPositive + roomNegative);
        roomPositive = static_cast<int>(roomPositive * share);
        roomNegative = static_cast<int>(roomNegative * share);
    }
    const int room = std::max(0, inner - roomPositive - roomNegative);

    for (int c = 1; c < setup_.columnCount; ++c) {
        if (columns.left[c] == INT_MIN) continue;
        const Cell& cell = row.cells[c];
        if (cell.values.empty()) continue;
        const int innerLeft = columns.left[c] + spacing;
        const int innerRight = innerLeft + std::max(0, inner);
        const int zero =
            innerLeft + roomNegative + (total > 0.0 ? R(room * (largestNegative / total)) : 0);
        canvas.Polyline({{zero, top}, {zero, top - height}}, kBlack, 0);
        for (int i = 0; i < static_cast<int>(cell.values.size()); ++i) {
            const double v = cell.values[i];
            if (!std::isfinite(v)) continue;
            const int bandTop = top - i * band;
            const int bandHeight = i == count - 1 ? height - i * band : band;
            const int inset = bandHeight / 6;
            const int length = total > 0.0 ? R(room * (std::fabs(v) / total)) : 0;
            const Rect bar =
                v >= 0.0 ? Rect{zero, bandTop - inset, zero + length, bandTop - bandHeight + inset}
                         : Rect{zero - length, bandTop - inset, zero, bandTop - bandHeight + inset};
            if (length > 0) {
                if (!FillsOrFrames(style))
                    canvas.FrameRect(bar, kBlack);
                else
                    canvas.FillRect(
                        bar, style == kStyleGrey ? GreyOf(row.barColours[i]) : row.barColours[i]);
            }
            const int textTop = bandTop - std::max(0, (bandHeight - fontHeight) / 2);
            const std::string text = label(v);
            const Rect box =
                v >= 0.0 ? Rect{bar.right + spacing, textTop, innerRight, textTop - fontHeight}
                         : Rect{innerLeft, textTop, bar.left - spacing, textTop - fontHeight};
            if (canvas.TextWidth(text) <= box.right - box.left)
                canvas.DrawText(text, box, v >= 0.0 ? TextAlign::Left : TextAlign::Right);
        }
    }
}

void AnalysisTable::DrawRowContent(Canvas& canvas, const Row& row, int top, const Columns& columns,
                                   double scale, int style) const {
    if (row.kind == Kind::Gap) return;
    const int height = RowHeight(row, scale);
    const int spacing = columns.spacing;
    const int lineHeight = row.kind == Kind::Text ? height : Scaled(setup_.textHeight, scale);
    const int lineFont = row.kind == Kind::Text && row.font == kAnalysisTitleFont
                             ? Scaled(setup_.titleHeight, scale)
                             : Scaled(setup_.textHeight, scale);

    // The label, and for text rows every cell, on one line at the row's top.
    canvas.SetFont(setup_.face, lineFont);
    const int lastText = row.kind == Kind::Text ? setup_.columnCount - 1 : 0;
    for (int c = 0; c <= lastText; ++c) {
        if (columns.left[c] == INT_MIN || row.cells[c].text.empty()) continue;
        const Rect box{columns.left[c] + spacing, top,
                       columns.left[c] + ColumnWidth(c, columns) - spacing, top - lineHeight};
        canvas.DrawText(ShortenToWidth(canvas, row.cells[c].text, box.right - box.left), box,
                        row.cells[c].align);
    }

    if (row.kind == Kind::Vertical) {
        canvas.SetFont(setup_.face, Scaled(setup_.verticalHeight, scale));
        for (int c = 1; c < setup_.columnCount; ++c) {
            if (columns.left[c] == INT_MIN || row.cells[c].text.empty()) continue;
            const Rect box{columns.left[c] + spacing, top - spacing,
                           columns.left[c] + columns.itemWidth - spacing, top - height + spacing};
            canvas.DrawVerticalText(ShortenToWidth(canvas, row.cells[c].text, box.top - box.bottom),
                                    box, row.cells[c].align);
        }
    } else if (row.kind == Kind::Bars) {
        DrawBars(canvas, row, top, height, columns, scale, style);
    }
}

void AnalysisTable::DrawScreen(Canvas& screen, const Rect& given) {
    if (!initialised_) return;
    const double s = setup_.scale;
    Rect visible = given;
    if (visible.top < visible.bottom) std::swap(visible.top, visible.bottom);
    Columns columns;
    columns.labelWidth = Scaled(setup_.labelColumnWidth, s);
    columns.itemWidth = Scaled(setup_.columnWidth, s);
    columns.spacing = Scaled(setup_.textSpacing, s);
    const int margin = Scaled(setup_.margin, s);
    columns.left.resize(static_cast<size_t>(setup_.columnCount));
    for (int c = 0; c < setup_.columnCount; ++c)
        columns.left[c] =
            c == 0 ? margin : margin + columns.labelWidth + (c - 1) * columns.itemWidth;
    const int right = margin + columns.labelWidth + (setup_.columnCount - 1) * columns.itemWidth;
    const int style = appearance_.screenStyle;

    const auto shown = [&](int i) {
        const Rect r{margin, screenY_[i], right, screenY_[i] - RowHeight(rows_[i], s)};
        return !Outside(r, visible);
    };
    // Backgrounds of all rows first, so that no fill covers a neighbour's text.
    for (int i = 0; i < RowCount(); ++i)
        if (shown(i))
            DrawRowBackground(screen, rows_[i], screenY_[i], columns, s, style, kLightGrey);
    for (int i = 0; i < RowCount(); ++i)
        if (shown(i)) DrawRowContent(screen, rows_[i], screenY_[i], columns, s, style);
}

PageGrid AnalysisTable::Paginate(Canvas& printer) {
    if (!initialised_) return {};
    const PageMetrics page = printer.Page();
    const int items = setup_.columnCount - 1;

    // Across: the label column on every page, then as many item columns as fit (at least
    // one).
    printLeft_ = appearance_.marginLeft - page.physicalOffsetX;
    const int rightLimit = page.physicalWidth - appearance_.marginRight - page.physicalOffsetX;
    const long long space =
        static_cast<long long>(rightLimit) - printLeft_ - setup_.labelColumnWidth;
    long long perPage = items;
    if (setup_.columnWidth > 0) perPage = space / setup_.columnWidth;
    perPage = std::max(1LL, std::min<long long>(perPage, std::max(1, items)));
    pageOfColumn_.assign(static_cast<size_t>(setup_.columnCount), 0);
    for (int c = 1; c < setup_.columnCount; ++c)
        pageOfColumn_[c] = static_cast<int>((c - 1) / perPage);
    pagesAcross_ = items == 0 ? 1 : static_cast<int>((items + perPage - 1) / perPage);

    // Down, y growing upward: the paper's top edge lies at physicalOffsetY.
    const int topY = page.physicalOffsetY - appearance_.marginTop;
    const int bottomLimit = page.physicalOffsetY - page.physicalHeight + appearance_.marginBottom;
    printArea_ = {printLeft_, topY, rightLimit, bottomLimit};
    placements_.clear();
    int down = 0;
    int y = topY;
    bool beyondHeader = false;  // the page holds a row other than repeated ones
    for (int i = 0; i < RowCount(); ++i) {
        const Row& row = rows_[i];
        const int height = RowHeight(row, 1.0);
        if (row.kind == Kind::Gap && !beyondHeader) continue;
        if (beyondHeader && static_cast<long long>(y) - height < bottomLimit) {
            ++down;
            y = topY;
            beyondHeader = false;
            if (row.kind == Kind::Gap) continue;
            // Only rows above the breaking row are repeated, in table order.
            for (int r = 0; r < i; ++r) {
                if (!rows_[r].style.repeatOnEachPage || rows_[r].kind == Kind::Gap) continue;
                placements_.push_back({r, down, y});
                y -= RowHeight(rows_[r], 1.0);
            }
        }
        placements_.push_back({i, down, y});
        y -= height;
        beyondHeader = true;
    }
    pagesDown_ = down + 1;
    paginated_ = true;
    return {pagesAcross_, pagesDown_};
}

int AnalysisTable::PageCount() const {
    if (!initialised_) return 0;
    return pagesAcross_ * pagesDown_;
}

void AnalysisTable::PrintPage(Canvas& printer, int pageNumber) {
    if (!initialised_) return;
    if (!paginated_) Paginate(printer);
    if (pageNumber < 1 || pageNumber > PageCount()) return;
    const int across = (pageNumber - 1) % pagesAcross_;
    const int down = (pageNumber - 1) / pagesAcross_;

    Columns columns;
    columns.labelWidth = setup_.labelColumnWidth;
    columns.itemWidth = setup_.columnWidth;
    columns.spacing = setup_.textSpacing;
    columns.left.assign(static_cast<size_t>(setup_.columnCount), INT_MIN);
    columns.left[0] = printLeft_;
    int x = printLeft_ + columns.labelWidth;
    for (int c = 1; c < setup_.columnCount; ++c) {
        if (pageOfColumn_[c] != across) continue;
        columns.left[c] = x;
        x += columns.itemWidth;
    }

    // A label column with one item column can be wider than the paper between the margins;
    // the right margin stays clear.
    const bool clip = x > printArea_.right;
    if (clip) printer.SetClip(printArea_);
    const int style = appearance_.printStyle;
    for (const Placement& p : placements_)
        if (p.page == down)
            DrawRowBackground(printer, rows_[p.row], p.y, columns, 1.0, style, kBlack);
    for (const Placement& p : placements_)
        if (p.page == down) DrawRowContent(printer, rows_[p.row], p.y, columns, 1.0, style);
    if (clip) printer.ClearClip();
}

HitResult AnalysisTable::HitTest(Point point) const {
    if (!initialised_) return {};
    const double s = setup_.scale;
    const int margin = Scaled(setup_.margin, s);
    const int labelWidth = Scaled(setup_.labelColumnWidth, s);
    const int itemWidth = Scaled(setup_.columnWidth, s);
    if (point.x < margin) return {};
    int column = -1;
    if (point.x < margin + labelWidth) {
        column = 0;
    } else if (itemWidth > 0) {
        const long long k = (static_cast<long long>(point.x) - margin - labelWidth) / itemWidth;
        if (k < setup_.columnCount - 1) column = static_cast<int>(k) + 1;
    }
    if (column < 0) return {};
    for (int i = 0; i < RowCount(); ++i) {
        const int top = screenY_[i];
        const int bottom = top - RowHeight(rows_[i], s);
        if (point.y > top || point.y <= bottom) continue;
        if (rows_[i].kind == Kind::Gap) return {};
        HitResult hit;
        hit.row = i;
        hit.column = column;
        hit.user = rows_[i].style.user;
        hit.cellUser = columnUser_[column];
        return hit;
    }
    return {};
}

}  // namespace pf

#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/clipboard.h"
#include "reports/report_object.h"
#include "reports/report_table.h"  // Alignment, RowStyle

namespace pf {

// The day-by-day tables ("Depotentwicklung", "Kurse"): a table like ReportTable (same
// initialisation, fonts by index, rows with two colours, font, spacing, frames, repeat flag
// and user values, cells with text, span and alignment, the same screen layout, the four
// styles, pagination, printing and text output) for tables of thousands of day rows and
// hundreds of columns. Beyond ReportTable:
//  - per column a fixed width that replaces the measured one (0.1 mm unscaled, 0 =
//    measured), a vertical-text mode and a group span (pagination keeps a group on one
//    page across when it fits on an empty page);
//  - per cell a user value (HitResult::cellUser) and optional colours A and B of its own;
//  - vertical texts: a text over a range of rows of one column, drawn rotated a quarter turn
//    counter-clockwise, ending at the top of its range; with repetition every `distance`
//    rows it is drawn once per block of that many rows;
//  - the date column (column 0) can be printed again on every page across.
// Only the rows and vertical-text blocks inside the visible rectangle are drawn (rows are
// found by binary search), so a screenful of a large table draws in constant time.
//
// All sizes are 0.1 mm; screen sizes are scaled by the screen scale factor and rounded
// with R(x) = trunc(x + 0.5). Cells are stored sparsely: a column of a row that was never
// set costs nothing.
class DevelopmentTable final : public ReportObject {
  public:
    // Fails if already initialised or columnCount is not positive.
    bool Init(const std::string& face, int baseFontHeight, int columnCount, int outerMargin,
              int columnMargin, int columnGap, double scale);
    // The index of the new font, or -1 before Init.
    int AddFont(int height);
    // Alignment outside 0..2 is taken as left; a column outside the table is ignored.
    void SetColumnAlignment(int column, int alignment);
    // A fixed width (0.1 mm, unscaled; on screen R(scale × width)) that replaces the
    // measured width; 0 measures again, a negative width is taken as 0.
    void SetColumnWidth(int column, int width);
    // Columns column..column+span-1 form a group (span clipped to the table; 1 = none).
    // Pagination across starts a new page before a group that does not fit on the rest of
    // the current page but fits on an empty one.
    void SetColumnGroup(int column, int span);
    // Columns marked so share one width on screen and in print: the largest width any of
    // them needs (measured, or fixed where set). Used for "gleiche Breite für alle Spalten".
    void SetColumnEqualWidth(int column, bool on);
    // Prints column 0 again at the left of every page across.
    void SetRepeatDateColumn(bool on) { repeatDateColumn_ = on; }
    // Vertical texts are drawn again every `rows` rows of their range; 0 = once per range.
    void SetVerticalRepeat(int rows) { verticalRepeat_ = rows > 0 ? rows : 0; }

    // Room for `bytes` of cell texts in all, so that a builder that knows its table's size
    // spares growing the text store step by step. Only a hint: false when the memory is
    // not available, and the table still grows as needed.
    bool ReserveText(size_t bytes);

    // The index of the new row, or -1 before Init. The row positions follow ReportTable.
    int AddRow(const RowStyle& style);
    // False for a row or column out of range. Span is clipped to the table, alignment as in
    // ReportTable (below -1 → -1, above 2 → left).
    bool SetCell(int row, int column, const std::string& text, int span = 1,
                 int alignment = kAlignDefault);
    // The cell's own user value (e.g. the security of a position column); creates an empty
    // cell when none was set. False for a row or column out of range.
    bool SetCellUser(int row, int column, int user);
    // The cell's own background in the styles "Graustufen" (A) and "Farbe" (B), drawn over
    // its row's; creates an empty cell when none was set.
    bool SetCellColours(int row, int column, Colour colourA, Colour colourB);
    // A text drawn rotated over rows firstRow..lastRow of `column` (clipped to the table)
    // in font `font`, on a background in colour A / B, returning `user` as cell user value
    // in its area. Puts the column into vertical-text mode: its measured width is at least
    // the largest font height of its vertical texts. False when nothing of the range lies
    // in the table or the column is out of range.
    bool SetVerticalText(int column, int firstRow, int lastRow, const std::string& text, int font,
                         Colour colourA, Colour colourB, int user = -1);

    void SetAppearance(const ReportAppearance& appearance) { appearance_ = appearance; }
    const ReportAppearance& Appearance() const { return appearance_; }

    // Measures the columns on the screen canvas; the total size on screen.
    ReportSize Layout(Canvas& screen) override;
    void DrawScreen(Canvas& screen, int style, const Rect& visible);
    void DrawScreen(Canvas& screen, const Rect& visible) override {
        DrawScreen(screen, appearance_.screenStyle, visible);
    }

    // Margins from the paper edges.
    PageGrid Paginate(Canvas& printer, int left, int top, int right, int bottom);
    PageGrid Paginate(Canvas& printer) override {
        return Paginate(printer, appearance_.marginLeft, appearance_.marginTop,
                        appearance_.marginRight, appearance_.marginBottom);
    }
    int PageCount() const override;
    // Page numbers from 1 (across first, then down); paginates with the last margins if
    // not done yet.
    void PrintPage(Canvas& printer, int style, int page);
    void PrintPage(Canvas& printer, int page) override {
        PrintPage(printer, appearance_.printStyle, page);
    }

    // The table as text, like ReportTable; a vertical text appears once, as the text of
    // its first row in its column.
    bool HasText() const override { return initialised_; }
    std::string Text(int mode, const std::string& lineEnd) const override;
    bool CopyToClipboard(Clipboard& clipboard, int mode) const;             // "\n" line ends
    bool WriteTextFile(int mode, const std::filesystem::path& path) const;  // "\r\n"

    // The row and column under `point` (logical screen coordinates) with the row's user
    // values and the cell's user value (of a vertical text where one lies under the point).
    HitResult HitTest(Point point) const override;

    // A vertical text as stored: colours are indexes into the lists A and B.
    struct VerticalText {
        int column = 0;
        int firstRow = 0;
        int lastRow = 0;
        std::string text;
        int font = 0;
        int colourA = 0;
        int colourB = 0;
        int user = -1;
    };

    // Read access for tests and other outputs.
    bool IsInitialised() const { return initialised_; }
    int ColumnCount() const { return columnCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // The text set for a cell ("" for none or out of range).
    std::string_view CellText(int row, int column) const;
    // The cell's user value, -1 for none.
    int CellUser(int row, int column) const;
    bool IsColumnVertical(int column) const;
    // Colours A and B of a row, and of a cell (its row's where it has none of its own).
    std::pair<Colour, Colour> RowColours(int row) const;
    std::pair<Colour, Colour> CellColours(int row, int column) const;
    const std::array<int, 5>& RowUser(int row) const { return rows_.at(row).user; }
    // Top edge of a row on screen.
    int RowScreenY(int row) const { return rows_.at(row).screenY; }
    const std::vector<VerticalText>& VerticalTexts() const { return verticalTexts_; }
    std::pair<Colour, Colour> VerticalTextColours(const VerticalText& v) const {
        return {coloursA_[v.colourA], coloursB_[v.colourB]};
    }
    // Screen x and width of a column after Layout.
    int ScreenX(int column) const;
    int ScreenWidth(int column) const;

  private:
    // A cell as stored: its text lies in the table's text pool.
    struct Cell {
        int32_t column = 0;
        uint32_t textOffset = 0;
        uint32_t textLength = 0;
        int32_t span = 1;
        int32_t user = -1;
        int16_t colourA = -1;  // index into colour list A, -1 = the row's
        int16_t colourB = -1;
        int8_t alignment = kAlignDefault;
        bool hasText = false;
    };
    struct Row {
        int screenY = 0;  // top edge, scaled
        int printY = 0;   // top edge, unscaled
        int font = 0;
        int frameUp = 0;
        int frameDown = 0;
        int colourA = 0;
        int colourB = 0;
        std::array<int, 5> user{-1, -1, -1, -1, -1};
        int spacingBefore = 0;
        int spacingAfter = 0;
        bool repeat = false;
        std::vector<Cell> cells;  // sorted by column
    };
    struct Placement {
        int row;
        int page;  // vertical page from 0
        int y;
    };

    bool initialised_ = false;
    ReportAppearance appearance_;
    std::string face_;
    std::vector<int> fontHeights_;
    std::vector<int> screenFontHeights_;
    double scale_ = 1.0;
    int outerMargin_ = 0;
    int columnMargin_ = 0;
    int columnGap_ = 0;
    int columnCount_ = 0;
    bool repeatDateColumn_ = false;
    int verticalRepeat_ = 0;
    std::vector<int> alignment_;
    std::vector<int> fixedWidth_;
    std::vector<int> groupSpan_;
    std::vector<char> vertical_;
    std::vector<char> equalWidth_;
    std::vector<int> screenWidth_;
    std::vector<int> printWidth_;
    std::vector<int> screenX_;
    std::vector<int> printX_;
    std::vector<int> printPage_;
    std::vector<Colour> coloursA_;
    std::vector<Colour> coloursB_;
    std::vector<Row> rows_;
    std::vector<VerticalText> verticalTexts_;
    std::string textPool_;
    int largestFrame_ = 0;  // largest frameUp or frameDown of any row
    std::vector<Placement> placements_;
    int pagesAcross_ = 0;
    int pagesDown_ = 0;
    bool paginated_ = false;
    bool laidOut_ = false;
    int marginLeft_ = 0;
    int marginTop_ = 0;
    int marginRight_ = 0;
    int marginBottom_ = 0;

    Cell* FindOrAddCell(int row, int column);
    const Cell* FindCell(int row, int column) const;
    std::string_view TextOf(const Cell& cell) const;
    std::vector<int> MeasureColumns(Canvas* device, const std::vector<int>& fontHeights, int gap,
                                    double widthScale) const;
    int ScreenRight() const;
    Rect ScreenRowRect(int row) const;
    // Rows [first, last] whose own extent lies within [bottom, top] on screen; first > last
    // when none.
    std::pair<int, int> ScreenRowsBetween(int top, int bottom) const;
    int PrintGroupHeight(int row) const;
};

}  // namespace pf

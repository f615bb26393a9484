#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/clipboard.h"
#include "reports/report_format.h"
#include "reports/report_object.h"

namespace pf {

// Text alignment of a column or cell: 0 left, 1 right, 2 centred; -1 on a cell means the
// column's default.
enum Alignment : int { kAlignDefault = -1, kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

struct ReportCell {
    bool hasText = false;
    std::string text;
    int span = 1;
    int alignment = kAlignDefault;
};

// How a row looks and what it carries: colours in list A ("Graustufen") and list B
// ("Farbe"), font index, spacing before it (0.1 mm, unscaled), how many neighbouring rows its
// frame covers upward and downward (a negative count is taken as its magnitude), whether it
// is printed again at the top of every further page, and the five values HitTest returns
// (-1 = nothing).
struct RowStyle {
    Colour colourA = 0;
    Colour colourB = 0;
    int font = 0;
    int spacingBefore = 0;
    int frameUp = 0;
    int frameDown = 0;
    bool repeatOnEachPage = false;
    std::array<int, 5> user{-1, -1, -1, -1, -1};
};

struct ReportRow {
    int screenY = 0;  // top edge, scaled
    int printY = 0;   // top edge, unscaled
    int font = 0;
    int frameUp = 0;
    int frameDown = 0;
    int colourA = 0;  // index into colour list A
    int colourB = 0;  // index into colour list B
    std::array<int, 5> user{-1, -1, -1, -1, -1};
    int spacingBefore = 0;
    int spacingAfter = 0;
    bool repeat = false;
    std::vector<ReportCell> cells;
};

// A table report: the report builders fill it, then it lays itself out, draws itself on a
// screen canvas, splits itself into printed pages, writes itself as text and answers which
// row lies under a point. All sizes are 0.1 mm; screen sizes are scaled by the document's
// screen scale factor and rounded with R(x) = trunc(x + 0.5).
//
// As a report object it draws and prints in the styles and margins of its appearance; the
// calls with explicit style and margins serve the table's own tests and tools.
class ReportTable final : public ReportObject {
  public:
    // Fails if already initialised or columnCount is not positive.
    bool Init(const std::string& face, int baseFontHeight, int columnCount, int outerMargin,
              int columnMargin, int columnGap, double scale);
    // The index of the new font, or -1 before Init.
    int AddFont(int height);
    void SetColumnAlignment(int column, int alignment);
    // The index of the new row, or -1 before Init.
    int AddRow(const RowStyle& style);
    bool SetCell(int row, int column, const std::string& text, int span = 1,
                 int alignment = kAlignDefault);

    // Styles and print margins used by the report-object calls below.
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
    // Page numbers from 1; paginates with the last margins (or 0) if not done yet.
    void PrintPage(Canvas& printer, int style, int page);
    void PrintPage(Canvas& printer, int page) override {
        PrintPage(printer, appearance_.printStyle, page);
    }

    // The table as text: fixed column widths or tab-separated, rows ended by `lineEnd`.
    // The character widths are measured from the texts, so no Layout is needed. Any mode
    // other than kTabSeparated writes fixed widths. Columns covered by a spanning cell are
    // skipped in every output, even if a text was set for them.
    bool HasText() const override { return initialised_; }
    std::string Text(int mode, const std::string& lineEnd) const override;
    bool CopyToClipboard(Clipboard& clipboard, int mode) const;             // "\n" line ends
    bool WriteTextFile(int mode, const std::filesystem::path& path) const;  // "\r\n"

    // The row and column under `point` (logical screen coordinates) with the row's five
    // user values; a point between two columns hits the row but no column.
    HitResult HitTest(Point point) const override;

    // Read access for tests and other outputs.
    bool IsInitialised() const { return initialised_; }
    int ColumnCount() const { return columnCount_; }
    const std::vector<ReportRow>& Rows() const { return rows_; }
    const std::string& CellText(int row, int column) const;
    Colour ColourA(const ReportRow& row) const { return coloursA_[row.colourA]; }
    Colour ColourB(const ReportRow& row) const { return coloursB_[row.colourB]; }

  private:
    // The implementation's state: fonts, columns, colour lists, rows, pagination.
    bool initialised_ = false;
    ReportAppearance appearance_;
    std::string face_;
    std::vector<int> fontHeights_;        // unscaled, for printing
    std::vector<int> screenFontHeights_;  // scaled and rounded
    double scale_ = 1.0;
    int outerMargin_ = 0;
    int columnMargin_ = 0;
    int columnGap_ = 0;
    int columnCount_ = 0;
    std::vector<int> alignment_;
    std::vector<int> screenWidth_;
    std::vector<int> printWidth_;
    std::vector<int> screenX_;
    std::vector<int> printX_;
    std::vector<int> printPage_;
    std::vector<int> charWidth_;
    std::vector<Colour> coloursA_;
    std::vector<Colour> coloursB_;
    std::vector<ReportRow> rows_;
    struct Placement {
        int row;
        int page;  // vertical page from 0
        int y;
    };
    std::vector<Placement> placements_;
    int pagesAcross_ = 0;
    int pagesDown_ = 0;
    bool paginated_ = false;
    int largestSpan_ = 1;
    bool laidOut_ = false;  // DrawScreen lays out on its own canvas when Layout was not called
    // Margins of the last Paginate, used again when a change of the rows or fonts made
    // PrintPage paginate anew.
    int marginLeft_ = 0;
    int marginTop_ = 0;
    int marginRight_ = 0;
    int marginBottom_ = 0;

    // Column widths needed by the texts: measured on `device` with `fontHeights` and
    // `gap` between columns, or in characters (2 characters between columns) without one.
    std::vector<int> MeasureColumns(Canvas* device, const std::vector<int>& fontHeights,
                                    int gap) const;
    int ScreenRight() const;
    Rect ScreenRowRect(int row) const;
    // Height of a row in print with the rows its frame extends over downward.
    int PrintGroupHeight(int row) const;
};

}  // namespace pf

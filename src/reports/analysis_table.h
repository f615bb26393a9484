#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "reports/report_object.h"

namespace pf {

// Fonts of an analysis table row.
enum AnalysisFont : int { kAnalysisNormalFont = 0, kAnalysisTitleFont = 1 };

// Everything about the look of an analysis table, in 0.1 mm (unscaled; the screen drawing
// scales every size by `scale` and rounds with R(x) = trunc(x + 0.5)).
struct AnalysisTableSetup {
    // Table columns: one label column plus one per position or group. Must be positive.
    int columnCount = 1;
    std::string face = "Arial";
    int textHeight = 40;      // normal text; also the height of one line of a bar row
    int titleHeight = 40;     // rows with kAnalysisTitleFont
    int verticalHeight = 40;  // the texts of vertical text rows
    // "Textabstand": the room between a cell's edges and its text or bars, left and right.
    int textSpacing = 10;
    int columnWidth = 250;       // every item column
    int labelColumnWidth = 350;  // the first column with the row labels
    int margin = 20;             // "Rand": distance of the table from the view's edges
    std::string decimalSeparator = ",";
    std::string thousandsSeparator = ".";
    double scale = 1.0;
};

// What a row carries besides its cells: colours in list A ("Graustufen") and list B
// ("Farbe"), whether it is printed again at the top of every further page down, and the
// five values HitTest returns (-1 = nothing).
struct AnalysisRowStyle {
    Colour colourA = kWhite;
    Colour colourB = kWhite;
    bool repeatOnEachPage = false;
    std::array<int, 5> user{-1, -1, -1, -1, -1};
};

// The depot analysis and distribution: a transposed table whose columns are positions or
// groups (column 0 holds the row labels) and whose rows are attributes.
//
// Row kinds:
// - text row: one line in the normal or the title font, one text per column;
// - vertical text row: a given height, the item texts turned to read upward (label
//   horizontal);
// - bar row: `lines` lines of normal text high, per item column one to three horizontal
//   bars, one colour per bar, each value written beside its bar with the row's unit;
// - gap row: empty space of a given height; it has no background, frame or hit.
//
// Texts are single-line, placed `textSpacing` inside their cell; a text wider than that
// is cut one character (UTF-8 code point) at a time and ended with "..." until it fits,
// keeping at least one character.
//
// Bars. The height of a bar row is split into one band per bar (the last band takes the
// remainder); bar i of every cell lies in band i, inset vertically by a sixth of the band
// (integer division) at top and bottom. The whole row shares one scale, so that equal
// values draw equal bars in every column and on every printed page: with P the largest
// positive and N the largest negative magnitude of the row's values, and Lp, Ln the widest
// value texts of positive and negative values (plus `textSpacing` each; 0 when the row has
// no value of that sign), the room for bars is B = cell width - 2 × textSpacing - Lp - Ln
// (not below 0). The zero line lies at inner left + Ln + B × N / (P + N); a value v draws
// a bar of B × |v| / (P + N) (rounded) to the right of the zero line when positive, to the
// left when negative; its text goes right of a positive bar and left of a negative one.
// The zero line is drawn through every cell that has bars. A value that is not finite
// draws neither a bar nor a text.
//
// Styles (ReportStyle): "nur Text" fills nothing (no row backgrounds, bars as black
// outlines); "Gitternetzlinien" frames every cell (light grey on screen, black in print)
// and fills the bars in their colours; "Graustufen" fills each row in colour A and the bars
// in the grey of equal brightness ((299 R + 587 G + 114 B + 500) / 1000); "Farbe" fills
// each row in colour B and the bars in their colours.
//
// Printing: every page across repeats the label column, followed by as many item columns
// as fit between the print margins (at least one; a page whose columns are wider than that
// is clipped at the right margin). Down, rows are placed from the top margin while they fit; a row
// that does not fit starts a new page, which first repeats the rows flagged for it. A gap row is
// dropped at the top of a page. The table has no text output.
class AnalysisTable final : public ReportObject {
  public:
    // Fails (false) when already initialised or the column count is not positive.
    bool Init(const AnalysisTableSetup& setup);
    void SetAppearance(const ReportAppearance& appearance) { appearance_ = appearance; }
    const ReportAppearance& Appearance() const { return appearance_; }

    // Rows; each returns the new row's index, or -1 before Init or for bad arguments.
    // The label is column 0's text.
    int AddTextRow(const std::string& label, const AnalysisRowStyle& style,
                   int font = kAnalysisNormalFont);
    // `height` of the row (0.1 mm, at least 1).
    int AddVerticalTextRow(const std::string& label, int height, const AnalysisRowStyle& style);
    // `lines` (at least 1) lines of normal text high; one to three bar colours; values are
    // written with `decimals` (0..15) and the unit appended, e.g. "12,5%".
    int AddBarRow(const std::string& label, int lines, const std::vector<Colour>& barColours,
                  const std::string& unit, int decimals, const AnalysisRowStyle& style);
    int AddGapRow(int height);

    // The text of a cell of a text or vertical text row (column 0 = label). False for a row
    // or column out of range or a row of another kind.
    bool SetText(int row, int column, const std::string& text, TextAlign align = TextAlign::Left);
    // The values of an item column (1..) of a bar row, one per bar colour of the row (fewer
    // leave the last bars out, more are refused). An empty list clears the cell.
    bool SetBars(int row, int column, const std::vector<double>& values);
    // The value HitTest returns as cellUser for a point in an item column (1..), e.g. the
    // security shown there.
    void SetColumnUser(int column, int user);

    ReportSize Layout(Canvas& screen) override;
    void DrawScreen(Canvas& screen, const Rect& visible) override;
    PageGrid Paginate(Canvas& printer) override;
    int PageCount() const override;
    void PrintPage(Canvas& printer, int page) override;
    // The row and column (0 = labels, 1.. = items) under a point of the screen drawing, the
    // row's user values and the column's user value. Gap rows and the margins hit nothing.
    HitResult HitTest(Point point) const override;

    // Read access for tests and the builders.
    bool IsInitialised() const { return initialised_; }
    int ColumnCount() const { return setup_.columnCount; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // The text as set (before any shortening); "" for no text.
    const std::string& CellText(int row, int column) const;
    const std::vector<double>& CellBars(int row, int column) const;

  private:
    enum class Kind { Text, Vertical, Bars, Gap };
    struct Cell {
        std::string text;
        TextAlign align = TextAlign::Left;
        std::vector<double> values;
    };
    struct Row {
        Kind kind = Kind::Text;
        int font = kAnalysisNormalFont;
        int height = 0;  // unscaled, 0.1 mm
        int lines = 1;
        AnalysisRowStyle style;
        std::vector<Colour> barColours;
        std::string unit;
        int decimals = 0;
        std::vector<Cell> cells;
    };
    // Horizontal geometry of one drawing: the left edge of every column, or INT_MIN for a
    // column not drawn (another page across).
    struct Columns {
        std::vector<int> left;
        int labelWidth = 0;
        int itemWidth = 0;
        int spacing = 0;
    };
    struct Placement {
        int row;
        int page;  // vertical page from 0
        int y;     // top edge
    };

    bool initialised_ = false;
    AnalysisTableSetup setup_;
    ReportAppearance appearance_;
    std::vector<Row> rows_;
    std::vector<int> columnUser_;
    std::vector<int> screenY_;  // top edge of every row on screen, set as rows are added
    int screenBottom_ = 0;      // bottom edge of the last row on screen
    std::vector<Placement> placements_;
    std::vector<int> pageOfColumn_;  // horizontal page of each item column
    int printLeft_ = 0;              // x of the label column on every page across
    Rect printArea_;                 // the paper within the print margins
    int pagesAcross_ = 0;
    int pagesDown_ = 0;
    bool paginated_ = false;

    int AddRow(Row row);
    int RowHeight(const Row& row, double scale) const;
    int ColumnWidth(int column, const Columns& columns) const;
    // One row at `top`, `scale` 1 in print; `frameColour` is the grid pen.
    void DrawRowBackground(Canvas& canvas, const Row& row, int top, const Columns& columns,
                           double scale, int style, Colour frameColour) const;
    void DrawRowContent(Canvas& canvas, const Row& row, int top, const Columns& columns,
                        double scale, int style) const;
    void DrawBars(Canvas& canvas, const Row& row, int top, int height, const Columns& columns,
                  double scale, int style) const;
};

// `text` cut one character (UTF-8 code point) at a time and ended with "..." until it is
// at most `width` wide in the canvas's current font; at least one character stays, so the
// result may still be wider. A text that fits is returned unchanged.
std::string ShortenToWidth(Canvas& canvas, const std::string& text, int width);

}  // namespace pf

#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/canvas.h"
#include "platform/clipboard.h"

namespace pf {

// Output styles of screen drawing and printing.
enum ReportStyle : int { kStyleTextOnly = 0, kStyleGrid = 1, kStyleGrey = 2, kStyleColour = 3 };

// Text output modes.
enum TextMode : int { kFixedWidths = 0, kTabSeparated = 1 };

struct ReportSize {
    int width = 0;
    int height = 0;
};

struct PageGrid {
    int across = 0;
    int down = 0;
};

// How a report looks on screen and paper. The builder fills it from the document's options
// at build time, so that nothing that shows, prints or copies a report reads the document.
struct ReportAppearance {
    int screenStyle = kStyleTextOnly;
    int printStyle = kStyleTextOnly;
    // Print margins from the paper edges, 0.1 mm.
    int marginLeft = 0;
    int marginTop = 0;
    int marginRight = 0;
    int marginBottom = 0;
};

// What lies under a point of the screen drawing: the row and column (from 0), the row's
// five user values (a table row carries ids there, e.g. the transaction behind it) and the
// cell's own user value (the security of a position column of the development and quotes
// tables). All -1 when nothing is hit.
struct HitResult {
    int row = -1;
    int column = -1;
    std::array<int, 5> user{-1, -1, -1, -1, -1};
    int cellUser = -1;

    bool IsHit() const { return row >= 0; }
    bool operator==(const HitResult&) const = default;
};

// Where a table row keeps the ids the views act on (a double click, its context menu): the
// transaction behind the row; 1 for a merged or simulated row and 255 for a sum row; the
// security the row shows; the lot's position number (not for merged rows); the row's day.
// -1 where the row has none.
inline constexpr size_t kUserTransaction = 0;
inline constexpr size_t kUserRowKind = 1;
inline constexpr size_t kUserSecurity = 2;
inline constexpr size_t kUserPosition = 3;
// The day number (CQRNDatum::DayNumber) of a row that stands for one calendar day, as the
// rows of the development and quotes tables do: a double click enters quotes at that date.
inline constexpr size_t kUserDate = 4;

// The content of one view: a table, a development or analysis table, a chart, a diagram or
// the title page of a view that has nothing to show. A view, the print and preview
// commands, the text output and the command line handle every kind through this interface.
// All sizes are 0.1 mm with y growing upward; the screen drawing is scaled by the
// document's screen scale factor, which the builder hands to the object.
class ReportObject {
  public:
    virtual ~ReportObject() = default;

    // The view's title, e.g. "Depotbestand": the name of a printed or exported document.
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Measures itself on the screen canvas; the total size of the screen drawing.
    virtual ReportSize Layout(Canvas& screen) = 0;
    // Draws the part that `visible` covers, in the appearance's screen style.
    virtual void DrawScreen(Canvas& screen, const Rect& visible) = 0;

    // Whether the object has printed pages at all (a view's title page has none, so the
    // print commands stay off for it).
    virtual bool CanPrint() const { return true; }
    // Splits itself into pages for `printer` with the appearance's margins.
    virtual PageGrid Paginate(Canvas& printer) = 0;
    virtual int PageCount() const = 0;
    // Page numbers from 1, in the appearance's print style.
    virtual void PrintPage(Canvas& printer, int page) = 0;

    // What lies under `point` (logical screen coordinates).
    virtual HitResult HitTest(Point point) const = 0;

    // Text output exists only for tables: fixed column widths or tab-separated, each line
    // ended by `lineEnd`.
    virtual bool HasText() const { return false; }
    virtual std::string Text(int mode, const std::string& lineEnd) const;

  private:
    std::string title_;
};

// Prints pages `fromPage`..`toPage` (from 1; 0 means from the first / to the last) on
// `printer`: paginates for it, clears the clip before each page and calls `startNextPage`
// before every page but the first. Returns the number of pages printed, or -1 when
// `startNextPage` refused a page. Printing, the preview, PDF files and the command line
// all go through this loop.
int PrintReportPages(ReportObject& report, Canvas& printer, int fromPage, int toPage,
                     const std::function<bool()>& startNextPage);

// The text output to the clipboard ("\n" line ends) and to a file ("\r\n" line ends, the
// file replaced). False when the object has no text or the clipboard or file fails.
bool CopyReportToClipboard(const ReportObject& report, Clipboard& clipboard, int mode);
bool WriteReportTextFile(const ReportObject& report, int mode, const std::filesystem::path& path);

}  // namespace pf

#include "reports/report_object.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "reports/title_page.h"
#include "support/recording_canvas.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

// A report of a given number of pages that notes which pages it was asked to print.
class PagedReport final : public ReportObject {
  public:
    explicit PagedReport(PageGrid grid) : grid_(grid) {}
    ReportSize Layout(Canvas&) override { return {100, 100}; }
    void DrawScreen(Canvas&, const Rect&) override {}
    PageGrid Paginate(Canvas&) override {
        ++paginations;
        return grid_;
    }
    int PageCount() const override { return grid_.across * grid_.down; }
    void PrintPage(Canvas& printer, int page) override {
        printed.push_back(page);
        printer.SetClip({0, 0, 10, -10});  // left behind on purpose: the loop clears it
    }
    HitResult HitTest(Point) const override { return {}; }

    int paginations = 0;
    std::vector<int> printed;

  private:
    PageGrid grid_;
};

TEST(PrintReportPages, PrintsTheRangeWithANewPageBeforeAllButTheFirst) {
    struct Case {
        PageGrid grid;
        int from;
        int to;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {{3, 2}, 0, 0, {1, 2, 3, 4, 5, 6}},  // the whole report
        {{3, 2}, 2, 4, {2, 3, 4}},
        {{3, 2}, 5, 99, {5, 6}},  // an end beyond the last page stops at the last
        {{3, 2}, 7, 0, {}},       // a start beyond the last page prints nothing
        {{0, 0}, 0, 0, {1}},      // an empty report still gives its one (empty) page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << ".." << c.to);
        PagedReport report(c.grid);
        RecordingCanvas printer(600, {2100, 2970, 0, 0, 2100, 2970});
        int newPages = 0;
        const int printed = PrintReportPages(report, printer, c.from, c.to, [&] {
            ++newPages;
            return true;
        });
        EXPECT_EQ(report.paginations, 1);
        EXPECT_EQ(report.printed, c.pages);
        EXPECT_EQ(printed, static_cast<int>(c.pages.size()));
        EXPECT_EQ(newPages, std::max(0, printed - 1));
        // Every page starts without the clip its predecessor left.
        int unclips = 0;
        for (const RecordingCanvas::Op& op : printer.Ops())
            if (op.kind == RecordingCanvas::Op::Unclip) ++unclips;
        EXPECT_EQ(unclips, printed);
    }
}

TEST(PrintReportPages, StopsWhenThePrinterRefusesAPage) {
    PagedReport report({2, 2});
    RecordingCanvas printer(600, {2100, 2970, 0, 0, 2100, 2970});
    int asked = 0;
    EXPECT_EQ(PrintReportPages(report, printer, 0, 0, [&] { return ++asked < 2; }), -1);
    EXPECT_EQ(report.printed, (std::vector<int>{1, 2}));
}

TEST(TitlePageTest, ShowsTheTitleScaledAndOffersNoPagesTextOrRows) {
    // At 1.5: title font 70 → 105, margin 100 → 150. The recording canvas makes a character
    // half as wide as the font is high: "Kurse" = (5 × 105 + 1) / 2 = 263.
    TitlePage page("Kurse", "Arial", 70, 1.5);
    RecordingCanvas screen;
    const ReportSize size = page.Layout(screen);
    EXPECT_EQ(size.width, 263 + 300);
    EXPECT_EQ(size.height, 105 + 300);
    screen.ClearOps();
    page.DrawScreen(screen, {0, 0, size.width, -size.height});
    ASSERT_EQ(screen.Texts(), (std::vector<std::string>{"Kurse"}));
    const RecordingCanvas::Op& text = screen.Ops().back();
    EXPECT_EQ(text.rect, (Rect{150, -150, 563 - 150, -150 - 105}));

    EXPECT_EQ(page.Title(), "Kurse");
    EXPECT_FALSE(page.CanPrint());
    EXPECT_FALSE(page.HasText());
    EXPECT_FALSE(page.HitTest({200, -200}).IsHit());

    MemoryClipboard clipboard;
    clipboard.text = "unchanged";
    EXPECT_FALSE(CopyReportToClipboard(page, clipboard, kFixedWidths));
    EXPECT_EQ(clipboard.text, "unchanged");
    testing::TempFolder folder("title_page_text");
    EXPECT_FALSE(WriteReportTextFile(page, kFixedWidths, folder / "t.txt"));
    EXPECT_EQ(folder.Entries(), 0u);
}

}  // namespace
}  // namespace pf

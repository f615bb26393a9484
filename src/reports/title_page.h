#pragma once

#include <string>

#include "reports/report_object.h"

namespace pf {

// What a view shows while it has no content of its own: its title in the title font, 10 mm
// from the top and left edge, both scaled like the reports. It has no printed pages and no
// text, and nothing can be hit on it.
class TitlePage final : public ReportObject {
  public:
    // `titleFontHeight` unscaled (0.1 mm); `scale` is the document's screen scale factor.
    TitlePage(std::string title, std::string face, int titleFontHeight, double scale);

    ReportSize Layout(Canvas& screen) override;
    void DrawScreen(Canvas& screen, const Rect& visible) override;
    bool CanPrint() const override { return false; }
    PageGrid Paginate(Canvas&) override { return {}; }
    int PageCount() const override { return 0; }
    void PrintPage(Canvas&, int) override {}
    HitResult HitTest(Point) const override { return {}; }

  private:
    std::string face_;
    int titleHeight_;  // scaled
    int margin_;       // scaled
    ReportSize size_;
};

}  // namespace pf

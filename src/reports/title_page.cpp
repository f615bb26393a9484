#include "reports/title_page.h"

#include <cmath>

namespace pf {

namespace {
constexpr int kMargin = 100;  // 10 mm
}

TitlePage::TitlePage(std::string title, std::string face, int titleFontHeight, double scale)
    : face_(std::move(face)),
      titleHeight_(static_cast<int>(std::lround(titleFontHeight * scale))),
      margin_(static_cast<int>(std::lround(kMargin * scale))) {
    SetTitle(std::move(title));
}

ReportSize TitlePage::Layout(Canvas& screen) {
    screen.SetFont(face_, titleHeight_);
    size_ = {screen.TextWidth(Title()) + 2 * margin_, titleHeight_ + 2 * margin_};
    return size_;
}

void TitlePage::DrawScreen(Canvas& screen, const Rect&) {
    screen.SetFont(face_, titleHeight_);
    screen.DrawText(Title(),
                    Rect{margin_, -margin_, size_.width - margin_, -margin_ - titleHeight_},
                    TextAlign::Left);
}

}  // namespace pf

#include "app/picture_copy.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "samples/demo_portfolios.h"
#include "shell/view_catalogue.h"

namespace pf {
namespace {

TEST(PictureCopy, PutsTheChartOnTheClipboardAsTheViewDrawsIt) {
    const CFolari2Doc doc = MakeDemoPortfolio(1);
    ViewState state;
    state.periodFrom.Set(1, 1, 2020);
    state.periodTo.Set(31, 12, 2020);
    const auto chart = BuildReport(doc, kViewChart, state);
    ASSERT_NE(chart, nullptr);
    // The drawing with its border: (1700 + 2 x 50) x (1000 + 2 x 50) in 0.1 mm at 96 dpi.
    const QImage picture = ReportPicture(*chart, 96);
    EXPECT_EQ(picture.width(), 680);
    EXPECT_EQ(picture.height(), 416);
    // Not blank: the screen look fills the drawing grey.
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, 2), QColor(240, 240, 240));

    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(CopyReportPicture(*chart, 96));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), picture.size());
}

}  // namespace
}  // namespace pf

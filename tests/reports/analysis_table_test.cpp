#include "reports/analysis_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_canvas.h"

namespace pf {
namespace {

AnalysisTableSetup TableSetup(int columns, double scale = 1.0) {
    AnalysisTableSetup setup;
    setup.columnCount = columns;
    setup.textHeight = 40;
    setup.titleHeight = 50;
    setup.verticalHeight = 30;
    setup.textSpacing = 10;
    setup.columnWidth = 250;
    setup.labelColumnWidth = 350;
    setup.margin = 20;
    setup.scale = scale;
    return setup;
}

TEST(AnalysisTable, InitRefusesNoColumnsAndASecondInit) {
    AnalysisTable table;
    EXPECT_FALSE(table.Init(TableSetup(0)));
    EXPECT_EQ(table.AddTextRow("x", {}), -1);
    EXPECT_TRUE(table.Init(TableSetup(2)));
    EXPECT_FALSE(table.Init(TableSetup(3)));
    EXPECT_EQ(table.ColumnCount(), 2);
}

TEST(AnalysisTable, WidthIsItemColumnsPlusLabelColumnPlusTwoMargins) {
    struct Case {
        int columns;
        double scale;
        int width;
    };
    const Case cases[] = {
        {1, 1.0, 390},   // 0 × 250 + 350 + 2 × 20
        {4, 1.0, 1140},  // 3 × 250 + 350 + 2 × 20
        // 1.25: R(312.5) = 313 per column, R(437.5) = 438, R(25) = 25 per margin:
        // 3 × 313 + 438 + 50 = 1427
        {4, 1.25, 1427},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.columns << " columns at " << c.scale);
        AnalysisTable table;
        ASSERT_TRUE(table.Init(TableSetup(c.columns, c.scale)));
        RecordingCanvas screen;
        EXPECT_EQ(table.Layout(screen).width, c.width);
    }
}

}  // namespace
}  // namespace pf

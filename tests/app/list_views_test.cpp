// The development and quotes tables in a window: a double click on a cell of a security opens
// its security, on any other cell of a day row the quote entry at that day.
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QDialog>
#include <QMouseEvent>
#include <QScrollBar>

#include "app/report_view.h"
#include "engine/engine_test_util.h"
#include "reports/development_table.h"
#include "shell/view_catalogue.h"
#include "window_walk.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;
using namespace Qt::StringLiterals;

class ListViews : public WindowWalk {
  protected:
    void SetUp() override {
        WindowWalk::SetUp();
        DocBuilder b;
        alpha = b.Security("Alpha AG", "100001");
        for (int day = 1; day <= 28; ++day) b.Quote(alpha, Day(day, 2, 2020), 10.0 + day);
        b.Buy(Day(3, 2, 2020), alpha, 10, 12.0);
        OpenWindowOn(b.doc, Day(15, 9, 2020));
    }

    const DevelopmentTable& Table() {
        return dynamic_cast<const DevelopmentTable&>(*window->ActiveView()->Report());
    }

    // The row of `date` in the active view's table.
    int RowOf(CQRNDatum date) {
        const DevelopmentTable& table = Table();
        for (int row = 0; row < table.RowCount(); ++row)
            if (table.RowUser(row)[kUserDate] == static_cast<int>(date.DayNumber())) return row;
        return -1;
    }

    // Double-clicks the middle of the cell, after scrolling it into view; returns the title
    // of the modal dialog it opened (closed at once) and that dialog's date field, if any.
    std::pair<QString, QDate> DoubleClick(int row, int column) {
        ReportView* view = window->ActiveView();
        const DevelopmentTable& table = Table();
        const int x = table.ScreenX(column) + table.ScreenWidth(column) / 2;
        const int y = -table.RowScreenY(row) + 5;
        view->horizontalScrollBar()->setValue(std::max(0, x - 20));
        view->verticalScrollBar()->setValue(std::max(0, y - 20));
        const double ppu = view->PixelsPerUnit();
        const QPointF at((x - view->horizontalScrollBar()->value()) * ppu,
                         (y - view->verticalScrollBar()->value()) * ppu);
        std::pair<QString, QDate> seen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            seen.first = dialog->windowTitle();
            if (auto* date = dialog->findChild<QDateEdit*>(QStringLiteral("date")))
                seen.second = date->date();
            dialog->reject();
        });
        QMouseEvent click(QEvent::MouseButtonDblClick, at, view->viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &click);
        return seen;
    }

    int32_t alpha = -1;
};

TEST_F(ListViews, DoubleClicksOpenTheSecurityOrTheQuotesOfTheDay) {
    for (const int viewId : {kViewDevelopment, kViewQuotes}) {
        SCOPED_TRACE(viewId);
        window->SetActiveViewId(viewId);
        const int row = RowOf(Day(10, 2, 2020));
        ASSERT_GE(row, 0);
        int securityColumn = -1;
        for (int c = 1; c < Table().ColumnCount() && securityColumn < 0; ++c)
            if (Table().CellUser(row, c) == alpha) securityColumn = c;
        ASSERT_GE(securityColumn, 1);

        EXPECT_EQ(DoubleClick(row, securityColumn).first, u"Wertpapier bearbeiten"_s);
        const auto [title, date] = DoubleClick(row, 0);
        EXPECT_EQ(title, u"Kurse eingeben"_s);
        EXPECT_EQ(date, QDate(2020, 2, 10));
    }
}

}  // namespace
}  // namespace pf

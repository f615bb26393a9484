// main() of the widget tests: one QApplication on the offscreen platform for every test.
#include <gtest/gtest.h>

#include <QApplication>

#include "qtcanvas/qt_output.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    pf::PrepareRuntimeFolder();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

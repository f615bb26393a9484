// main() of the widget tests: one QApplication on the offscreen platform for every test.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/dialogs/browser_quotes_dialog.h"
#include "qtcanvas/qt_output.h"

namespace {

// The offscreen platform says on every window it shows that it cannot pass size hints on,
// and on every popup menu that it cannot raise it or grab the keyboard; that says nothing
// about the program, so it is left out of the test output.
QtMessageHandler standardHandler = nullptr;

void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QStringLiteral("propagateSizeHints")) ||
        text.startsWith(QStringLiteral("This plugin does not support")))
        return;
    standardHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    standardHandler = qInstallMessageHandler(QuietOffscreenNotes);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    pf::PrepareRuntimeFolder();
    pf::PrepareEmbeddedBrowser();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

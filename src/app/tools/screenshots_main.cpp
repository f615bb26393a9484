// portfolaris-screenshots FOLDER: pictures of the main window and the shell's dialogs under
// the offscreen platform, for looking at the program without a display. Uses a profile of
// its own in memory, so the user's settings stay untouched.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <ctime>

#include "app/application.h"
#include "app/dialogs/browser_quotes_dialog.h"
#include "app/dialogs/depot_data_dialog.h"
#include "app/dialogs/new_file_wizard.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/dialogs/text_output_dialog.h"
#include "app/document_handle.h"
#include "app/main_window.h"
#include "app/report_view.h"
#include "app/tools/screenshots_chart_option_pages.h"
#include "app/tools/screenshots_corporate_actions.h"
#include "app/tools/screenshots_currencies.h"
#include "app/tools/screenshots_list_option_pages.h"
#include "app/tools/screenshots_movements.h"
#include "app/tools/screenshots_option_pages.h"
#include "app/tools/screenshots_quote_files.h"
#include "app/tools/screenshots_quotes.h"
#include "app/tools/screenshots_securities.h"
#include "app/tools/screenshots_trades.h"
#include "app/tools/screenshots_transaction_editor.h"
#include "platform/clipboard.h"
#include "platform/settings_store.h"
#include "qtcanvas/qt_output.h"
#include "qtcanvas/qt_string.h"
#include "shell/screen_scale.h"
#include "shell/view_catalogue.h"

namespace {

QString folder;

void Save(QWidget& widget, const QString& name) {
    widget.adjustSize();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path))
        std::fprintf(stderr, "Kann %s nicht schreiben.\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void SaveWindow(pf::MainWindow& window, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path))
        std::fprintf(stderr, "Kann %s nicht schreiben.\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    pf::PrepareRuntimeFolder();
    pf::PrepareEmbeddedBrowser();
    QApplication application(argc, argv);
    pf::UseGermanTexts();
    QGuiApplication::setWindowIcon(pf::AppIcon());
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: portfolaris-screenshots ORDNER\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    pf::MemorySettingsStore settings;
    pf::MemoryClipboard clipboard;
    pf::MainWindowSetup setup;
    setup.settings = &settings;
    setup.programFolder = pf::FromQString(pf::DemoFolder());
    setup.today = pf::CQRNDatum::FromTime(std::time(nullptr));
    setup.clipboard = &clipboard;
    pf::MainWindow window(setup);
    window.resize(1400, 900);
    window.show();

    const QString demo1 = QDir(pf::DemoFolder()).filePath(QStringLiteral("Demo1.fl2"));
    pf::DocumentHandle* document = window.OpenFile(demo1);
    if (document == nullptr) {
        std::fprintf(stderr, "Demo1.fl2 fehlt in %s.\n", qPrintable(pf::DemoFolder()));
        return 1;
    }
    window.FindAction(QStringLiteral("actionScale100"))->trigger();
    SaveWindow(window, QStringLiteral("main-holdings-100"));
    window.FindAction(QStringLiteral("actionView2"))->trigger();
    // The demonstration sales lie in earlier years: the period starts with the portfolio.
    window.findChild<QDateEdit*>(QStringLiteral("firstDate"))->setDate(QDate(2005, 1, 1));
    SaveWindow(window, QStringLiteral("main-realized-100"));
    window.FindAction(QStringLiteral("actionScale150"))->trigger();
    SaveWindow(window, QStringLiteral("main-realized-150"));
    window.SetActiveViewId(pf::kViewHoldings);
    SaveWindow(window, QStringLiteral("main-holdings-150"));
    // Every other view with content, on Demo1 from 2005 on, named by its command-line name.
    window.FindAction(QStringLiteral("actionScale100"))->trigger();
    for (const pf::ViewEntry& view : pf::ViewCatalogue()) {
        if (view.builder == nullptr || view.id == pf::kViewHoldings || view.id == pf::kViewRealized)
            continue;
        window.SetActiveViewId(view.id);
        window.findChild<QDateEdit*>(QStringLiteral("firstDate"))->setDate(QDate(2005, 1, 1));
        SaveWindow(window, QStringLiteral("main-") + QString::fromLatin1(view.cliName));
    }
    window.FindAction(QStringLiteral("actionScale150"))->trigger();
    window.SetActiveViewId(pf::kViewChart);
    SaveWindow(window, QStringLiteral("main-chart-empty"));
    window.SetActiveViewId(pf::kViewPositionDiagram);
    SaveWindow(window, QStringLiteral("main-position-diagram-empty"));

    {
        // The print preview of the holdings at 100 %, as "Seitenansicht" shows it.
        window.FindAction(QStringLiteral("actionScale100"))->trigger();
        window.SetActiveViewId(pf::kViewHoldings);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPrintPreviewDialog preview(&printer, &window);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &window,
                         [&window](QPrinter* p) { window.PrintActiveView(*p); });
        preview.resize(1100, 900);
        preview.show();
        QApplication::processEvents();
        const QString path = QDir(folder).filePath(QStringLiteral("print-preview.png"));
        if (preview.grab().save(path)) std::printf("%s\n", qPrintable(path));
        preview.hide();
    }

    pf::NewFileWizard wizard(&window);
    wizard.show();
    Save(wizard, QStringLiteral("wizard-page1"));
    wizard.findChild<QTreeWidget*>(QStringLiteral("legacyList"))
        ->topLevelItem(0)
        ->setCheckState(0, Qt::Checked);
    wizard.next();
    wizard.findChild<QLineEdit*>(QStringLiteral("holderName"))
        ->setText(QStringLiteral("Erika Mustermann"));
    Save(wizard, QStringLiteral("wizard-page2"));
    wizard.hide();

    pf::OptionsDialog options(document->Doc(), &window);
    options.show();
    Save(options, QStringLiteral("options-general"));
    options.hide();

    pf::DepotDataDialog depot(document->Doc().depot, &window);
    depot.show();
    Save(depot, QStringLiteral("depot-data"));
    depot.hide();

    pf::TextOutputDialog clip(pf::TextOutputTarget::Clipboard, &window);
    clip.show();
    Save(clip, QStringLiteral("copy-clipboard"));
    clip.hide();
    pf::TextOutputDialog text(pf::TextOutputTarget::TextFile, &window);
    text.show();
    Save(text, QStringLiteral("copy-textfile"));
    text.hide();
    pf::PasswordDialog password(QStringLiteral("Depot.fl2"), &window);
    password.show();
    Save(password, QStringLiteral("password"));
    password.hide();

    // The dialogs of securities, quotes, currencies and transactions, each group on Demo1.
    const auto save = [](QWidget& widget, const QString& name) { Save(widget, name); };
    pf::ShootSecurityDialogs(&window, document->Doc(), save);
    pf::ShootQuoteDialogs(&window, document->Doc(), save);
    pf::ShootQuoteFileDialogs(&window, document->Doc(), save);
    pf::ShootCurrencyDialogs(&window, document->Doc(), save);
    pf::ShootTradeDialogs(&window, document->Doc(), save);
    pf::ShootMovementDialogs(&window, document->Doc(), save);
    pf::ShootCorporateActionDialogs(&window, document->Doc(), save);
    pf::ShootTransactionEditorDialogs(&window, document->Doc(), save);
    pf::ShootReportOptionPages(&window, document->Doc(), save);
    pf::ShootListOptionPages(&window, document->Doc(), save);
    pf::ShootChartOptionPages(&window, document->Doc(), save);

    // Open Demo3 and time its holdings view, the figure the program is held to.
    QElapsedTimer timer;
    timer.start();
    const QString demo3 = QDir(pf::DemoFolder()).filePath(QStringLiteral("Demo3.fl2"));
    if (pf::DocumentHandle* big = window.OpenFile(demo3)) {
        QApplication::processEvents();
        std::printf(
            "Demo3 geöffnet und Depotbestand angezeigt in %lld ms (Aufbau des Berichts %.1f ms)\n",
            static_cast<long long>(timer.elapsed()), window.ActiveView()->LastBuildMilliseconds());
        SaveWindow(window, QStringLiteral("main-demo3-holdings"));
        (void)big;
    }
    document = nullptr;
    for (pf::DocumentHandle* d : window.Documents()) d->SetModified(false);
    window.close();
    return 0;
}

#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <cstdio>
#include <ctime>

#include "app/dialogs/browser_quotes_dialog.h"
#include "app/main_window.h"
#include "qtcanvas/qt_output.h"
#include "qtcanvas/qt_settings_store.h"
#include "qtcanvas/qt_string.h"
#include "shell/recent_files.h"
#include "shell/window_settings.h"

namespace pf {

QIcon AppIcon() {
    // The same picture as data/portfolaris.svg, which the desktop shows: a rising line over
    // three bars on a blue tile.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x4e, 0x8c));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
        p.setBrush(QColor(0xd9, 0xe6, 0xf5));
        p.drawRect(QRectF(12, 38, 9, 14));
        p.drawRect(QRectF(27, 30, 9, 22));
        p.drawRect(QRectF(42, 22, 9, 30));
        p.setPen(QPen(QColor(0xf2, 0xb1, 0x34), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(
            QPolygonF({QPointF(10, 32), QPointF(24, 22), QPointF(34, 26), QPointF(54, 10)}));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString DemoFolder() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    if (programDir.exists(QStringLiteral("Demo1.fl2"))) return programDir.absolutePath();
    const QString installed = programDir.absoluteFilePath(QStringLiteral("../share/portfolaris"));
    if (QDir(installed).exists(QStringLiteral("Demo1.fl2"))) return QDir(installed).canonicalPath();
    return programDir.absolutePath();
}

void UseGermanTexts() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    static QTranslator translator;
    if (translator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

CommandLine ParseCommandLine(const QStringList& arguments, QString& error) {
    CommandLine line;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            line.help = true;
        } else if (a == QStringLiteral("--settings")) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("--settings erwartet einen Dateinamen.");
                return line;
            }
            line.settingsFile = arguments[++i];
        } else if (a.startsWith(QStringLiteral("--"))) {
            error = QStringLiteral("Unbekannte Option: %1").arg(a);
            return line;
        } else if (a.startsWith(QStringLiteral("file://"))) {
            line.files << QUrl(a).toLocalFile();
        } else {
            line.files << a;
        }
    }
    return line;
}

int RunPortfolaris(int argc, char** argv) {
    PrepareRuntimeFolder();
    PrepareEmbeddedBrowser();
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromUtf8(kSettingsCompany));
    QCoreApplication::setApplicationName(QStringLiteral("Portfolaris"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Portfolaris"));
    QGuiApplication::setDesktopFileName(QStringLiteral("portfolaris"));
    QGuiApplication::setWindowIcon(AppIcon());
    UseGermanTexts();

    QString error;
    const CommandLine line = ParseCommandLine(QCoreApplication::arguments().mid(1), error);
    if (!error.isEmpty() || line.help) {
        std::fprintf(error.isEmpty() ? stdout : stderr, "%s%s",
                     error.isEmpty() ? "" : (error.toStdString() + "\n").c_str(),
                     "Aufruf: portfolaris [--settings PROFIL.ini] [DATEI.fl2 ...]\n");
        return error.isEmpty() ? 0 : 2;
    }

    std::unique_ptr<QtSettingsStore> store =
        line.settingsFile.isEmpty() ? std::make_unique<QtSettingsStore>()
                                    : std::make_unique<QtSettingsStore>(line.settingsFile);
    SeedDemoFiles(*store, FromQString(DemoFolder()));

    MainWindowSetup setup;
    setup.settings = store.get();
    setup.programFolder = FromQString(DemoFolder());
    setup.today = CQRNDatum::FromTime(std::time(nullptr));
    MainWindow window(setup);
    window.ShowAsConfigured();
    // Files named on the command line (how the desktop's "open" reaches the program) open
    // once the frame is on screen, so their messages have a parent.
    QTimer::singleShot(0, &window, [&window, files = line.files] {
        for (const QString& file : files) window.OpenFile(file);
    });
    const int result = QApplication::exec();
    store->Sync();
    return result;
}

}  // namespace pf

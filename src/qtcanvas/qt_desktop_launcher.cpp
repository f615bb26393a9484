#include "qtcanvas/qt_desktop_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

#include "qtcanvas/qt_string.h"

namespace pf {

bool QtDesktopLauncher::OpenFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

bool QtDesktopLauncher::OpenFileAt(const std::string& path, const std::string& fragment) {
    QUrl url = QUrl::fromLocalFile(ToQString(path));
    if (fragment.empty()) return QDesktopServices::openUrl(url);
    url.setFragment(ToQString(fragment));
    if (const QString forward = ForwardingPagePath(); !forward.isEmpty()) {
        // Written beside and renamed over the old page: a link planted under its name is
        // replaced, never followed.
        QSaveFile page(forward);
        if (page.open(QIODevice::WriteOnly) && page.write(ForwardingPage(url)) >= 0 &&
            page.commit())
            return QDesktopServices::openUrl(QUrl::fromLocalFile(forward));
    }
    return QDesktopServices::openUrl(url);
}

QByteArray ForwardingPage(const QUrl& target) {
    const QString address = target.toString(QUrl::FullyEncoded).toHtmlEscaped();
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta http-equiv=\"refresh\" content=\"0; url=%1\">\n"
               "<title>Portfolaris-Handbuch</title>\n</head>\n<body>\n"
               "<p><a href=\"%1\">Weiter zum Handbuch</a></p>\n</body>\n</html>\n")
        .arg(address)
        .toUtf8();
}

QString ForwardingPagePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) return {};
    return QDir(folder).filePath(QStringLiteral("portfolaris-handbuch.html"));
}

}  // namespace pf

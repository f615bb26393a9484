#include "qtcanvas/qt_desktop_launcher.h"

#include <QDesktopServices>
#include <QUrl>

#include "qtcanvas/qt_string.h"

namespace pf {

bool QtDesktopLauncher::OpenFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

bool QtDesktopLauncher::OpenFileAt(const std::string& path, const std::string& fragment) {
    QUrl url = QUrl::fromLocalFile(ToQString(path));
    if (!fragment.empty()) url.setFragment(ToQString(fragment));
    return QDesktopServices::openUrl(url);
}

}  // namespace pf

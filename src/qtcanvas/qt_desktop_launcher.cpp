#include "qtcanvas/qt_desktop_launcher.h"

#include <QDesktopServices>
#include <QUrl>

#include "qtcanvas/qt_string.h"

namespace pf {

bool QtDesktopLauncher::OpenFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

}  // namespace pf

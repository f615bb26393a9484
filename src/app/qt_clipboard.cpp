#include "app/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "qtcanvas/qt_string.h"

namespace pf {

bool QtClipboard::SetText(const std::string& utf8) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->setText(ToQString(utf8));
    return true;
}

}  // namespace pf

#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include "platform/desktop_launcher.h"

namespace pf {

// Opens files with the desktop's program for their type (QDesktopServices; on Linux the
// freedesktop "xdg-open" way).
class QtDesktopLauncher : public DesktopLauncher {
  public:
    bool OpenFile(const std::string& path) override;
    // The desktop's openers (xdg-open, gio) turn a file URL into a path and drop its
    // "#section", so the page would open at its top. A small page in the user's runtime
    // folder that forwards to the file URL with its section is opened instead; without a
    // runtime folder, or when it cannot be written, the URL goes to the desktop as it is.
    bool OpenFileAt(const std::string& path, const std::string& fragment) override;
};

// The forwarding page for `target` (a file URL with a fragment), UTF-8.
QByteArray ForwardingPage(const QUrl& target);

// Where the forwarding page is written: "portfolaris-handbuch.html" in the user's runtime
// folder (private to the user); empty when there is none.
QString ForwardingPagePath();

}  // namespace pf

#pragma once

#include "platform/desktop_launcher.h"

namespace pf {

// Opens files with the desktop's program for their type (QDesktopServices; on Linux the
// freedesktop "xdg-open" way).
class QtDesktopLauncher : public DesktopLauncher {
  public:
    bool OpenFile(const std::string& path) override;
    // A file URL with the fragment; the browser scrolls to the element with that id.
    bool OpenFileAt(const std::string& path, const std::string& fragment) override;
};

}  // namespace pf

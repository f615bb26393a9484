#pragma once

#include "platform/desktop_launcher.h"

namespace pf {

// Opens files with the desktop's program for their type (QDesktopServices; on Linux the
// freedesktop "xdg-open" way).
class QtDesktopLauncher : public DesktopLauncher {
  public:
    bool OpenFile(const std::string& path) override;
};

}  // namespace pf

#pragma once

#include <string>

namespace pf {

// The desktop's way to show a file with the program the user chose for its type (a web
// page in the browser).
class DesktopLauncher {
  public:
    virtual ~DesktopLauncher() = default;
    // Whether the desktop took the file; it returns at once, the program runs on its own.
    virtual bool OpenFile(const std::string& path) = 0;
};

}  // namespace pf

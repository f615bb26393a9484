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
    // The same at the section `fragment` of a web page (the part of its address after '#'),
    // as the handbook's pages are opened. A launcher that cannot pass a section opens the
    // page at its top.
    virtual bool OpenFileAt(const std::string& path, const std::string& fragment) {
        (void)fragment;
        return OpenFile(path);
    }
};

}  // namespace pf

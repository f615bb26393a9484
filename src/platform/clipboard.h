#pragma once

#include <string>

namespace pf {

// Plain-text clipboard of the desktop.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's content; false when the clipboard cannot be opened.
    virtual bool SetText(const std::string& utf8) = 0;
};

// For tests and the command line: keeps the text.
class MemoryClipboard final : public Clipboard {
  public:
    bool SetText(const std::string& utf8) override {
        text = utf8;
        return true;
    }
    std::string text;
};

}  // namespace pf

#pragma once

#include <span>

namespace pf {

class CFolari2Doc;

// The screen font size commands of the edit menu.
struct ScreenScaleCommand {
    double factor;
    const char* text;  // "100 %"
};
std::span<const ScreenScaleCommand> ScreenScaleCommands();

// Sets the document's screen scale factor; returns true (and marks the document modified)
// only when it changes.
bool SetScreenScale(CFolari2Doc& doc, double factor);

// Whether the command of `factor` is the one shown checked for the document.
bool IsCurrentScreenScale(const CFolari2Doc& doc, double factor);

}  // namespace pf

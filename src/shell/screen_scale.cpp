#include "shell/screen_scale.h"

#include <array>
#include <cmath>

#include "model/document.h"

namespace pf {

namespace {

constexpr std::array<ScreenScaleCommand, 8> kCommands = {{
    {0.8, "80 %"},
    {1.0, "100 %"},
    {1.1, "110 %"},
    {1.25, "125 %"},
    {1.5, "150 %"},
    {1.75, "175 %"},
    {2.0, "200 %"},
    {2.5, "250 %"},
}};

// The factor comes from a file as a double; a value written by another program may differ
// from the command's literal in the last bits.
bool SameFactor(double a, double b) { return std::fabs(a - b) < 1e-9; }

}  // namespace

std::span<const ScreenScaleCommand> ScreenScaleCommands() { return kCommands; }

bool SetScreenScale(CFolari2Doc& doc, double factor) {
    // A factor chosen by command is a decision: the screen no longer derives one.
    const bool changed =
        !SameFactor(doc.options.screenScaleFactor, factor) || doc.options.scaleNotYetDetermined;
    doc.options.scaleNotYetDetermined = false;
    if (!changed) return false;
    doc.options.screenScaleFactor = factor;
    doc.SetModified();
    return true;
}

bool IsCurrentScreenScale(const CFolari2Doc& doc, double factor) {
    return SameFactor(doc.options.screenScaleFactor, factor);
}

}  // namespace pf

#pragma once

#include "platform/settings_store.h"

namespace pf {

// Placement of the main frame as the profile keeps it, in screen pixels.
struct WindowSettings {
    int saveIt = 1;     // "WSaveIt": remember the placement on exit
    int maximised = 1;  // "WMax"
    int left = 50;
    int right = 0;
    int top = 50;
    int bottom = 0;

    bool operator==(const WindowSettings&) const = default;
};

// Reads "Settings"; absent entries take their defaults (the rectangle 50 pixels inside the
// screen).
WindowSettings ReadWindowSettings(const SettingsStore& store, int screenWidth, int screenHeight);
void WriteWindowSettings(SettingsStore& store, const WindowSettings& settings);

// The frame starts maximised unless the user keeps a saved, not maximised placement.
inline bool StartMaximised(const WindowSettings& s) { return s.maximised == 1 || s.saveIt == 0; }

// A saved rectangle worth restoring: positive size. A damaged profile must not make the
// window vanish, so anything else starts maximised.
bool HasUsableRectangle(const WindowSettings& s);

// The values written on exit: with "WSaveIt" on, the frame's current placement; with it
// off, the values read at start stay as they were.
WindowSettings SettingsOnExit(const WindowSettings& atStart, bool saveIt, bool maximised, int left,
                              int top, int right, int bottom);

}  // namespace pf

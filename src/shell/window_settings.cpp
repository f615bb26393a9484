#include "shell/window_settings.h"

namespace pf {

WindowSettings ReadWindowSettings(const SettingsStore& store, int screenWidth, int screenHeight) {
    WindowSettings s;
    s.saveIt = store.ReadInt(kSettingsSection, "WSaveIt", 1);
    s.maximised = store.ReadInt(kSettingsSection, "WMax", 1);
    s.left = store.ReadInt(kSettingsSection, "WLeft", 50);
    s.right = store.ReadInt(kSettingsSection, "WRight", screenWidth - 50);
    s.top = store.ReadInt(kSettingsSection, "WTop", 50);
    s.bottom = store.ReadInt(kSettingsSection, "WBottom", screenHeight - 50);
    return s;
}

void WriteWindowSettings(SettingsStore& store, const WindowSettings& s) {
    store.SetInt(kSettingsSection, "WSaveIt", s.saveIt);
    store.SetInt(kSettingsSection, "WMax", s.maximised);
    store.SetInt(kSettingsSection, "WLeft", s.left);
    store.SetInt(kSettingsSection, "WRight", s.right);
    store.SetInt(kSettingsSection, "WTop", s.top);
    store.SetInt(kSettingsSection, "WBottom", s.bottom);
}

bool HasUsableRectangle(const WindowSettings& s) {
    return s.right - s.left >= 100 && s.bottom - s.top >= 100;
}

WindowSettings SettingsOnExit(const WindowSettings& atStart, bool saveIt, bool maximised, int left,
                              int top, int right, int bottom) {
    WindowSettings s = atStart;
    s.saveIt = saveIt ? 1 : 0;
    if (!saveIt) return s;
    s.maximised = maximised ? 1 : 0;
    if (!maximised) {
        s.left = left;
        s.top = top;
        s.right = right;
        s.bottom = bottom;
    }
    return s;
}

}  // namespace pf

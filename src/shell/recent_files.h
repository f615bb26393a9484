#pragma once

#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace pf {

inline constexpr const char* kRecentFileSection = "Recent File List";
inline constexpr int kRecentFileCount = 4;

// On the very first start ("Recent File List"/"File1" absent) the list offers the three
// demonstration portfolios that live in the program's folder.
void SeedDemoFiles(SettingsStore& store, const std::string& programFolder);

// The most-recently-used files, newest first, at most kRecentFileCount.
class RecentFileList {
  public:
    void Load(const SettingsStore& store);
    // Writes "File1".. for the entries and removes the entries beyond them.
    void Save(SettingsStore& store) const;

    // Puts `path` first; an entry for the same file further down is dropped.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Files() const { return files_; }

  private:
    std::vector<std::string> files_;
};

// The menu text of entry `index` (from 0): "&1 Demo1.fl2"; long paths show only their file
// name, as the list is meant to be read at a glance.
std::string RecentFileMenuText(int index, const std::string& path);

}  // namespace pf

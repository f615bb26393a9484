#include "shell/recent_files.h"

#include <algorithm>
#include <filesystem>

namespace pf {

namespace {

std::string Entry(int index) { return "File" + std::to_string(index + 1); }

// Two spellings of one file (a relative path, "..", a symbolic link) count as one entry.
std::string Normalised(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
    if (ec) p = std::filesystem::path(path).lexically_normal();
    return p.string();
}

}  // namespace

void SeedDemoFiles(SettingsStore& store, const std::string& programFolder) {
    if (store.GetString(kRecentFileSection, "File1")) return;
    const std::filesystem::path folder(programFolder);
    for (int i = 0; i < 3; ++i)
        store.SetString(kRecentFileSection, Entry(i),
                        (folder / ("Demo" + std::to_string(i + 1) + ".fl2")).string());
}

void RecentFileList::Load(const SettingsStore& store) {
    files_.clear();
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto path = store.GetString(kRecentFileSection, Entry(i));
        if (path && !path->empty()) files_.push_back(*path);
    }
}

void RecentFileList::Save(SettingsStore& store) const {
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (i < static_cast<int>(files_.size()))
            store.SetString(kRecentFileSection, Entry(i), files_[static_cast<size_t>(i)]);
        else
            store.Remove(kRecentFileSection, Entry(i));
    }
}

void RecentFileList::Add(const std::string& path) {
    Remove(path);
    files_.insert(files_.begin(), Normalised(path));
    if (files_.size() > static_cast<size_t>(kRecentFileCount)) files_.resize(kRecentFileCount);
}

void RecentFileList::Remove(const std::string& path) {
    const std::string key = Normalised(path);
    std::erase_if(files_, [&](const std::string& f) { return Normalised(f) == key; });
}

std::string RecentFileMenuText(int index, const std::string& path) {
    return "&" + std::to_string(index + 1) + " " + std::filesystem::path(path).filename().string();
}

}  // namespace pf

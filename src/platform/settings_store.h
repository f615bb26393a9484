#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace pf {

// The profile's owner name (the desktop profile's organisation) and its main section, which
// holds the window placement and the stored formats of the quote dialogs.
inline constexpr const char* kSettingsCompany = "QRN Software";
inline constexpr const char* kSettingsSection = "Settings";

// The per-user settings profile: integers and strings by section and entry. The desktop
// keeps it in QSettings; tests and tools use the in-memory store.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::optional<int> GetInt(const std::string& section,
                                      const std::string& entry) const = 0;
    virtual std::optional<std::string> GetString(const std::string& section,
                                                 const std::string& entry) const = 0;
    virtual void SetInt(const std::string& section, const std::string& entry, int value) = 0;
    virtual void SetString(const std::string& section, const std::string& entry,
                           const std::string& value) = 0;
    virtual void Remove(const std::string& section, const std::string& entry) = 0;

    int ReadInt(const std::string& section, const std::string& entry, int fallback) const {
        return GetInt(section, entry).value_or(fallback);
    }
};

class MemorySettingsStore final : public SettingsStore {
  public:
    std::optional<int> GetInt(const std::string& section, const std::string& entry) const override {
        auto it = ints_.find({section, entry});
        if (it == ints_.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> GetString(const std::string& section,
                                         const std::string& entry) const override {
        auto it = strings_.find({section, entry});
        if (it == strings_.end()) return std::nullopt;
        return it->second;
    }
    void SetInt(const std::string& section, const std::string& entry, int value) override {
        ints_[{section, entry}] = value;
    }
    void SetString(const std::string& section, const std::string& entry,
                   const std::string& value) override {
        strings_[{section, entry}] = value;
    }
    void Remove(const std::string& section, const std::string& entry) override {
        ints_.erase({section, entry});
        strings_.erase({section, entry});
    }

  private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, int> ints_;
    std::map<Key, std::string> strings_;
};

}  // namespace pf

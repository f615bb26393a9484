#pragma once

#include <QSettings>
#include <memory>

#include "platform/settings_store.h"

namespace pf {

// The settings profile in QSettings: organisation "QRN Software", application "Portfolaris";
// a section is a group ("Settings", "Recent File List"), an entry a key in it.
class QtSettingsStore final : public SettingsStore {
  public:
    // The user's profile.
    QtSettingsStore();
    // A profile in an INI file of its own (tests, portable use).
    explicit QtSettingsStore(const QString& iniFile);

    std::optional<int> GetInt(const std::string& section, const std::string& entry) const override;
    std::optional<std::string> GetString(const std::string& section,
                                         const std::string& entry) const override;
    void SetInt(const std::string& section, const std::string& entry, int value) override;
    void SetString(const std::string& section, const std::string& entry,
                   const std::string& value) override;
    void Remove(const std::string& section, const std::string& entry) override;

    // Writes pending changes to disk.
    void Sync();
    QString FileName() const { return settings_->fileName(); }

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace pf

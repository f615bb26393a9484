#include "qtcanvas/qt_settings_store.h"

#include "qtcanvas/qt_string.h"

namespace pf {

namespace {

QString Key(const std::string& section, const std::string& entry) {
    return ToQString(section) + QLatin1Char('/') + ToQString(entry);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QString::fromUtf8(kSettingsCompany),
                                            QStringLiteral("Portfolaris"))) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::optional<int> QtSettingsStore::GetInt(const std::string& section,
                                           const std::string& entry) const {
    const QVariant value = settings_->value(Key(section, entry));
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const int number = value.toInt(&ok);
    // A hand-edited profile with text in a number entry counts as absent: the default wins.
    if (!ok) return std::nullopt;
    return number;
}

std::optional<std::string> QtSettingsStore::GetString(const std::string& section,
                                                      const std::string& entry) const {
    const QVariant value = settings_->value(Key(section, entry));
    if (!value.isValid()) return std::nullopt;
    return FromQString(value.toString());
}

void QtSettingsStore::SetInt(const std::string& section, const std::string& entry, int value) {
    settings_->setValue(Key(section, entry), value);
}

void QtSettingsStore::SetString(const std::string& section, const std::string& entry,
                                const std::string& value) {
    settings_->setValue(Key(section, entry), ToQString(value));
}

void QtSettingsStore::Remove(const std::string& section, const std::string& entry) {
    settings_->remove(Key(section, entry));
}

void QtSettingsStore::Sync() { settings_->sync(); }

}  // namespace pf

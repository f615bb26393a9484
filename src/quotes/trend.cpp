#include "quotes/trend.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace pf {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kEntries[4] = {"TrendT1", "TrendT2", "TrendT3", "TrendT4"};

std::optional<double> ReadNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

TrendThresholds LoadTrendThresholds(const SettingsStore& settings) {
    TrendThresholds t;
    double* fields[4] = {&t.strongRise, &t.rise, &t.strongFall, &t.fall};
    for (int i = 0; i < 4; ++i) {
        const std::optional<std::string> text = settings.GetString(kSection, kEntries[i]);
        if (!text) continue;
        if (const std::optional<double> value = ReadNumber(*text)) *fields[i] = *value;
    }
    return t;
}

void SaveTrendThresholds(SettingsStore& settings, const TrendThresholds& thresholds) {
    const double values[4] = {thresholds.strongRise, thresholds.rise, thresholds.strongFall,
                              thresholds.fall};
    for (int i = 0; i < 4; ++i) {
        char buffer[64];
        const auto [end, error] =
            std::to_chars(buffer, buffer + sizeof buffer, values[i], std::chars_format::fixed);
        if (error != std::errc{}) continue;
        settings.SetString(kSection, kEntries[i], std::string(buffer, end));
    }
}

int TrendIcon(double price, double quoteAtDate, double upperAlert, double lowerAlert,
              const TrendThresholds& thresholds) {
    int icon = 0;
    if (quoteAtDate > 0.0) {
        const double r = price / quoteAtDate;
        if (r > 1.0 + thresholds.strongRise / 100.0)
            icon = 1;
        else if (r > 1.0 + thresholds.rise / 100.0)
            icon = 2;
        else if (r < 1.0 + thresholds.strongFall / 100.0)
            icon = 4;
        else if (r < 1.0 + thresholds.fall / 100.0)
            icon = 5;
        else
            icon = 3;
    }
    if (upperAlert > 0.0 && price >= upperAlert) icon = 6;
    if (lowerAlert > 0.0 && price <= lowerAlert) icon = 7;
    return icon;
}

AlertPrices AlertPricesOf(const CFolari2Doc&, const PositionList& lots, int32_t securityId) {
    AlertPrices alerts;
    for (const CFL2DepotPos& lot : lots) {
        if (lot.securityId != securityId || lot.state != PositionState::Open) continue;
        if (lot.stopPrice > alerts.lower) alerts.lower = lot.stopPrice;
        if (lot.targetPrice > 0.0 && (alerts.upper <= 0.0 || lot.targetPrice < alerts.upper))
            alerts.upper = lot.targetPrice;
    }
    return alerts;
}

}  // namespace pf

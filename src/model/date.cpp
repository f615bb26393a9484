#include "model/date.h"

#include <cstdio>

namespace pf {

bool CQRNDatum::IsLeapYear(unsigned year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned CQRNDatum::DaysInMonth(unsigned month, unsigned year) {
    switch (month) {
        case 2:
            return IsLeapYear(year) ? 29 : 28;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

bool CQRNDatum::IsValid(unsigned day, unsigned month, unsigned year) {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year)) return false;
    if (year < 1970) return false;
    if (year == 1970) return !(month == 1 && day == 1);
    if (year <= 2037) return true;
    if (year == 2038) return month == 1 && day <= 18;
    return false;
}

uint32_t DayNumberOf(unsigned day, unsigned month, unsigned year) {
    uint32_t n = day < 2 ? 0 : day - 1;
    for (unsigned m = 1; m < month; ++m) n += CQRNDatum::DaysInMonth(m, year);
    for (unsigned y = 1970; y < year; ++y) n += CQRNDatum::IsLeapYear(y) ? 366 : 365;
    return n;
}

int CQRNDatum::Set(unsigned day, unsigned month, unsigned year) {
    if (!IsValid(day, month, year)) return 0;
    day_ = DayNumberOf(day, month, year);
    return 1;
}

CQRNDatum::Parts CQRNDatum::Split() const {
    // Day numbers far beyond the valid range can arrive from files. The calendar repeats
    // every 400 years (146,097 days), so whole cycles are skipped before counting years.
    constexpr uint32_t kDaysPer400Years = 146097;
    uint32_t n = day_ % kDaysPer400Years;
    unsigned year = 1970 + 400 * (day_ / kDaysPer400Years);
    for (;;) {
        const uint32_t length = IsLeapYear(year) ? 366 : 365;
        if (n < length) break;
        n -= length;
        ++year;
    }
    unsigned month = 1;
    while (month < 12 && n >= DaysInMonth(month, year)) {
        n -= DaysInMonth(month, year);
        ++month;
    }
    return {n + 1, month, year};
}

CQRNDatum CQRNDatum::FromTime(std::time_t t) {
    CQRNDatum d;
    d.SetTime(t);
    return d;
}

int CQRNDatum::SetTime(std::time_t t) {
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) return 0;
    if (local.tm_year < 0 || local.tm_mon < 0 || local.tm_mday < 1) return 0;
    return Set(static_cast<unsigned>(local.tm_mday), static_cast<unsigned>(local.tm_mon + 1),
               static_cast<unsigned>(local.tm_year + 1900));
}

std::time_t CQRNDatum::ToTime() const {
    const Parts p = Split();
    std::tm local{};
    local.tm_mday = static_cast<int>(p.day);
    local.tm_mon = static_cast<int>(p.month) - 1;
    local.tm_year = static_cast<int>(p.year) - 1900;
    local.tm_hour = 12;
    local.tm_isdst = 0;
    return std::mktime(&local);
}

std::string CQRNDatum::FormatLong() const {
    const Parts p = Split();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04u", p.day, p.month, p.year);
    return buffer;
}

std::string CQRNDatum::FormatShort() const {
    const Parts p = Split();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02u.%02u.%02u", p.day, p.month, p.year % 100);
    return buffer;
}

bool ParseDate(const std::string& text, CQRNDatum& out) {
    unsigned parts[3] = {0, 0, 0};
    unsigned digits[3] = {0, 0, 0};
    int field = 0;
    for (const char c : text) {
        if (c == '.') {
            if (++field > 2) return false;
        } else if (c >= '0' && c <= '9') {
            if (++digits[field] > 4) return false;
            parts[field] = parts[field] * 10 + static_cast<unsigned>(c - '0');
        } else {
            return false;
        }
    }
    if (field != 2 || digits[0] == 0 || digits[0] > 2 || digits[1] == 0 || digits[1] > 2)
        return false;
    unsigned year = parts[2];
    if (digits[2] == 2)
        year += year >= 70 ? 1900 : 2000;
    else if (digits[2] != 4)
        return false;
    CQRNDatum d = out;
    if (!d.Set(parts[0], parts[1], year)) return false;
    out = d;
    return true;
}

}  // namespace pf

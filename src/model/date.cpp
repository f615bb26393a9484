#include "model/date.h"

#include <algorithm>
#include <cstdio>

namespace pf {

bool CQRNDatum::IsLeapYear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned CQRNDatum::DaysInMonth(unsigned month, int64_t year) {
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

int64_t ExtendedDayNumber(unsigned day, unsigned month, int64_t year) {
    // Counts in years that start on 1 March, so that the leap day ends a year, and in
    // 400-year cycles of 146,097 days, which repeat exactly.
    if (month <= 2) --year;
    const int64_t cycle = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfCycle = year - cycle * 400;                      // 0..399
    const int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;    // March = 0
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;  // 0..365
    const int64_t dayOfCycle = yearOfCycle * 365 + yearOfCycle / 4 - yearOfCycle / 100 + dayOfYear;
    // 719,468 days lie between 1.3.0000 and 1.1.1970.
    return cycle * 146097 + dayOfCycle - 719468;
}

int64_t AddMonths(CQRNDatum date, int64_t months) {
    const CQRNDatum::Parts p = date.Split();
    const int64_t monthIndex = static_cast<int64_t>(p.year) * 12 + (p.month - 1) + months;
    // Floor division, so that months before year 0 land in the right year.
    const int64_t year = monthIndex / 12 - (monthIndex % 12 < 0 ? 1 : 0);
    const auto month = static_cast<unsigned>(monthIndex - year * 12) + 1;
    return ExtendedDayNumber(std::min(p.day, CQRNDatum::DaysInMonth(month, year)), month, year);
}

int64_t AddYears(CQRNDatum date, int64_t years) {
    const CQRNDatum::Parts p = date.Split();
    const int64_t year = static_cast<int64_t>(p.year) + years;
    return ExtendedDayNumber(std::min(p.day, CQRNDatum::DaysInMonth(p.month, year)), p.month, year);
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
